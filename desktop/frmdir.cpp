#include "desktop/frmdir.h"

#include <algorithm>
#include <string_view>

#include "core/sweep/guard.h"
#include "core/sweep/sweep.h"
#include "desktop/frmextension.h"
#include "platform/text.h"

namespace desktop {

namespace {

constexpr std::string_view kCaption = "Vostrel - Create your own cleanups list";
constexpr std::string_view kSection = "Dirs";
constexpr std::string_view kFree = "Null";
constexpr int kListMargin = 100;

constexpr std::string_view kListFull =
    "You have reached the maximum number of entries! Please delete an entry if you wish to add "
    "another.";
constexpr std::string_view kPickFolder = "First, select a folder";
constexpr std::string_view kNoFolder =
    "You did not choose a folder. Nothing was added to your list.";
constexpr std::string_view kNoMask =
    "You did not enter any wildcard characters for your folder cleanup. Nothing was added. Some "
    "wildcard examples are *.* for all files to be cleaned in the folder you chose, or s*.txt for "
    "all files that begin with s and have a txt extension.";
constexpr std::string_view kNoFile =
    "You did not add any file to your list. This option only adds files to your list, in order "
    "to create your own file or directory list for cleanups. The list will be shown above. You "
    "can then click the cleanup button on the right to clean your entire list with one click.  "
    "Your list can also contain folders with wildcard characters, to clean many types of files "
    "based on a filter.";
constexpr std::string_view kNothingToRemove = "You must first add some directory paths.";
constexpr std::string_view kRemoveQuestion =
    "You are about to delete the highlighted item from the list above.  Click Yes to confirm.";
constexpr std::string_view kRemoveCanceled = "Delete canceled.";
constexpr std::string_view kNotInFile =
    "An error occurred while looking for the string to delete. You may need to delete your ini "
    "file and rerun this program again to re-create the ini file. If this continues contact "
    "technical support.";
constexpr std::string_view kNoneDeleted = "No files deleted in the \"Your Own Files\" section.";
constexpr std::string_view kWildcardName =
    "The name \"{}\" holds * or ?, which Windows never allows in a file or folder name, so it "
    "was not added to your list.";
constexpr std::string_view kProtectedFolder =
    "Your list entry \"{}\" deletes files in \"{}\", which is a drive root or a folder of "
    "Windows, your programs or your documents. Do you really want the matching files in this "
    "folder deleted?";

std::string Fill(std::string_view text, std::string_view first, std::string_view second = {}) {
  std::string out(text);
  size_t at = out.find("{}");
  if (at != std::string::npos) out.replace(at, 2, first);
  at = out.find("{}");
  if (at != std::string::npos) out.replace(at, 2, second);
  return out;
}

std::string SlotKey(int n) { return "Name" + std::to_string(n); }

// The part of an entry up to its last "\" or ":".
std::string EntryFolder(std::string_view entry) {
  const size_t at = entry.find_last_of("\\:");
  return at == std::string_view::npos ? std::string() : std::string(entry.substr(0, at + 1));
}

}  // namespace

TFrmdir::TFrmdir(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "Frmdir", std::string(kCaption), 564, 236), g_(g) {
  SetClientSize(564, 236);
  SetPositionRule(ui::Position::kScreenCenter);
  cmdadd.SetHint("Add a personal directory cleanup");
  cmddel.SetHint("Remove a personal directory cleanup from the list above");
  cmdclean.SetHint("Cleanup the directories listed above");
  CmdReturn.SetModalResult(1);

  OnCreate = [this] { FormCreate(); };
  cmdadd.OnClick = [this] { cmdaddClick(); };
  BitBtn1.OnClick = [this] { BitBtn1Click(); };
  cmddel.OnClick = [this] { cmddelClick(); };
  cmdclean.OnClick = [this] { cmdcleanClick(); };
}

std::string TFrmdir::ReadSlot(int n) const {
  return g_.Platform().ini.ReadString(g_.OwnListFile, kSection, SlotKey(n), " ");
}

// Loads the list; the first run creates the file with fifty free slots.
void TFrmdir::FormCreate() {
  entry_count_ = 0;
  List1.Clear();
  auto& ini = g_.Platform().ini;
  if (!g_.Platform().fs.Exists(g_.OwnListFile)) {
    for (int n = 1; n <= kSlots; ++n) ini.WriteString(g_.OwnListFile, kSection, SlotKey(n), kFree);
  } else {
    for (int n = 1; n <= kSlots; ++n) {
      std::string entry = ReadSlot(n);
      if (entry == kFree) continue;
      List1.Add(std::move(entry));
      ++entry_count_;
    }
  }
  if (entry_count_ > 0) List1.SetItemIndex(0);
  SetExtent();
}

void TFrmdir::SetExtent() {
  int widest = 0;
  for (const std::string& item : List1.Items())
    widest = std::max(widest, System().TextWidth(List1.GetFont(), item));
  List1.SetHorizontalExtent(widest + kListMargin);
}

bool TFrmdir::OwnListAdd(const std::string& entry) {
  for (int n = 1; n <= kSlots; ++n) {
    if (ReadSlot(n) == kFree) {
      g_.Platform().ini.WriteString(g_.OwnListFile, kSection, SlotKey(n), entry);
      return true;
    }
  }
  System().Error(kListFull);
  return false;
}

bool TFrmdir::OwnListRemove(const std::string& entry) {
  for (int n = 1; n <= kSlots; ++n) {
    if (ReadSlot(n) == entry) {
      g_.Platform().ini.WriteString(g_.OwnListFile, kSection, SlotKey(n), kFree);
      return true;
    }
  }
  return false;
}

void TFrmdir::ShowAdded(const std::string& entry) {
  List1.Add(entry);
  ++entry_count_;
  List1.SetItemIndex(0);
  SetExtent();
}

bool TFrmdir::RefusedName(const std::string& path) {
  if (!text::HasWildcards(path)) return false;
  System().Error(Fill(kWildcardName, path));
  return true;
}

// "Add Directory/Files": a folder from the picker, then its mask.
void TFrmdir::cmdaddClick() {
  std::optional<std::string> folder = System().BrowseForFolder(kPickFolder);
  if (!folder) {
    System().ShowMessage(kNoFolder);
    return;
  }
  std::string mask;
  {
    TFrmExtension extension(g_);
    extension.SetOwnerWindow(this);
    extension.ShowModal();
    mask = extension.Text1.Caption();
  }
  if (mask.empty()) {
    System().ShowMessage(kNoMask);
    return;
  }
  if (RefusedName(*folder)) return;
  const std::string entry = text::StripTrailingBackslash(*folder) + "\\" + mask;
  if (OwnListAdd(entry)) ShowAdded(entry);
}

// "Add 1 File": one file from the file-open dialog.
void TFrmdir::BitBtn1Click() {
  std::optional<std::string> file = System().OpenFileDialog("", "");
  if (!file) return;
  if (file->empty()) {
    System().ShowMessage(kNoFile);
    return;
  }
  if (RefusedName(*file)) return;
  if (OwnListAdd(*file)) ShowAdded(*file);
}

// "Remove From List": the highlighted entry, after a question.
void TFrmdir::cmddelClick() {
  if (entry_count_ < 1) {
    System().Information(kNothingToRemove);
    return;
  }
  if (!System().Confirm(kRemoveQuestion)) {
    System().Information(kRemoveCanceled);
    return;
  }
  const int index = List1.ItemIndex();
  if (index < 0 || index >= List1.Count()) return;
  if (!OwnListRemove(List1.Item(index))) {
    System().Error(kNotInFile);
    return;
  }
  List1.Delete(index);
  --entry_count_;
  if (List1.Count() > 0) List1.SetItemIndex(0);
}

// Ordinary files only: hidden and system files and folders are neither
// counted nor deleted. The shared sweep deletes each file by a name that
// cannot act as a wildcard.
void TFrmdir::OwnScan(bool del) {
  auto ordinary_only = [](const platform::FindData& entry) {
    return (entry.attributes &
            (platform::kAttrHidden | platform::kAttrSystem | platform::kAttrDirectory)) != 0;
  };
  sweep::PatternSweep pass(g_.Platform().fs);
  pass.Uncounted = ordinary_only;
  pass.Spared = ordinary_only;
  pass.Run(current_, EntryFolder(current_), del ? sweep::Mode::kDelete : sweep::Mode::kCount);
  found_files_ += pass.found.count;
  found_bytes_ += pass.found.bytes;
  deleted_files_ += pass.deleted.count;
}

void TFrmdir::ScanAll(bool del) {
  for (int n = 1; n <= kSlots; ++n) {
    std::string entry = ReadSlot(n);
    if (entry == kFree) continue;
    current_ = std::move(entry);
    bool may_delete = del;
    if (del && g_.Guard().Refused(EntryFolder(current_))) {
      may_delete = System().MessageBox(ui::BoxKind::kWarning, ui::Buttons::kYesNo,
                                       Fill(kProtectedFolder, current_, EntryFolder(current_))) ==
                   ui::Answer::kYes;
    }
    OwnScan(may_delete);
  }
}

void TFrmdir::cmdcleanClick() {
  found_files_ = found_bytes_ = deleted_files_ = 0;
  ScanAll(false);
  if (found_files_ == 0) return;
  const std::string question =
      "\"Your Own Files\" cleanup confirmation: " + std::to_string(found_files_) +
      " total files have been found matching your entries.  This totals " +
      std::to_string(found_bytes_) + " bytes. Would you like me to clean these?";
  if (!System().Confirm(question)) {
    System().MessageBox(ui::BoxKind::kConfirmation, ui::Buttons::kOk, kNoneDeleted);
    return;
  }
  found_files_ = found_bytes_ = deleted_files_ = 0;
  ScanAll(true);
  System().MessageBox(
      ui::BoxKind::kConfirmation, ui::Buttons::kOk,
      "\"Your Own Files\" cleanup confirmed: " + std::to_string(deleted_files_) + " files out of " +
          std::to_string(found_files_) +
          " files have been deleted. (If all files were not deleted, it is due to the files "
          "being hidden files, system files, or in use at the time by another application.).");
}

}  // namespace desktop
