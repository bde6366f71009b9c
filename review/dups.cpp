#include "review/dups.h"

#include <algorithm>
#include <cctype>

#include "platform/text.h"
#include "review/fileinfo.h"
#include "review/recycle.h"

namespace review {

namespace {

constexpr std::string_view kCaption = "Find Duplicate Files";
constexpr std::string_view kIntro =
    "This feature allows you to scan your drive(s) to find all duplicate file names. It will also "
    "show you the file details and size of the files, and allow you to add files to your recycle "
    "bin. \"Duplicate Names\" will find all files with matching names, while \"Duplicate "
    "Patterns\" will find all files that a match on specific bytes, so even if the name has "
    "changed, the file will be found as a duplicate.";

// The line format: name + kPathMark + folder.
constexpr std::string_view kPathMark = "   Path:";

constexpr std::string_view kCreated = "Created on   : ";
constexpr std::string_view kUpdated = "Last updated : ";
constexpr std::string_view kAccessed = "Last accessed: ";
constexpr std::string_view kSize = "Byte Size: ";

constexpr std::string_view kViewEmpty =
    "Your list is empty. Use the Duplicates button to find duplicate files first.";
constexpr std::string_view kDeleteEmpty =
    "Please use the find button to find duplicate files on your system first.";
constexpr std::string_view kNotFound = "File not found.";
constexpr std::string_view kNoViewer =
    "You do not have a default viewer on your system to view this file type.";
constexpr std::string_view kInUse1 = "Windows will not allow this file (";
constexpr std::string_view kInUse2 =
    ") to be added to the recycle bin. The most likely cause is because the file or program is "
    "probably in use right now. Since the file is in use, it should not be removed.";

// Progress and figures (the window's own wording).
constexpr std::string_view kSearching = "Searching: ";
constexpr std::string_view kComparing = "Comparing contents: ";
constexpr std::string_view kStopped = "Stopped. ";

// Added to the widest line for the list's horizontal extent.
constexpr int kExtentMargin = 20;

std::string Plural(uint64_t n, std::string_view one, std::string_view many) {
  return text::UInt64ToStr(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

TFrmDups::TFrmDups(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "FrmDups", std::string(kCaption), 600, 452),
      g_(g),
      finder_(g.Platform().fs, g.Platform().system) {
  SetPositionRule(ui::Position::kScreenCenter);
  Label1.SetCaption(std::string(kIntro));
  Label1.SetWordWrap(true);
  LblSet.SetWordWrap(true);
  CmdDupScan.SetHint("Find all files whose names occur more than once");
  BitBtn1.SetHint("Find all files whose contents occur more than once");
  CmdStop.SetEnabled(false);
  finder_.SetPump([this](const DupProgress& progress) {
    ShowProgress(progress);
    System().ProcessMessages();
  });

  OnCreate = [this] { FormCreate(); };
  OnCloseQuery = [this](bool& can_close) { FormCloseQuery(can_close); };
  CmdDupScan.OnClick = [this] { CmdDupScanClick(); };
  BitBtn1.OnClick = [this] { BitBtn1Click(); };
  CmdStop.OnClick = [this] { CmdStopClick(); };
  ListBox1.OnClick = [this] { ListBox1Click(); };
  BitBtn2.OnClick = [this] { BitBtn2Click(); };
  CmdDel.OnClick = [this] { CmdDelClick(); };
  BitBtn4.OnClick = [this] { BitBtn4Click(); };
  g_.RememberSize(*this);
}

void TFrmDups::FormCreate() {
  platform::FileSystem& fs = g_.Platform().fs;
  DriveComboBox1.SetDrives(fs.Drives());
  DriveComboBox1.SelectDriveOf(fs.CurrentFolder());
}

// ---- Scanning --------------------------------------------------------------

void TFrmDups::CmdDupScanClick() { RunScan(DupMode::kNames); }

void TFrmDups::BitBtn1Click() { RunScan(DupMode::kContents); }

void TFrmDups::CmdStopClick() { finder_.RequestStop(); }

void TFrmDups::SetIdle(bool idle) {
  for (ui::Button* b : {&CmdDupScan, &BitBtn1, &BitBtn2, &CmdDel}) b->SetEnabled(idle);
  DriveComboBox1.SetEnabled(idle);
  CmdStop.SetEnabled(!idle);
}

void TFrmDups::RunScan(DupMode mode) {
  char letter = DriveComboBox1.Drive();
  if (scanning_ || letter == 0) return;
  scanning_ = true;
  mode_ = mode;
  SetIdle(false);
  ListBox1.Clear();
  paths_.clear();
  set_of_.clear();
  sizes_.clear();
  for (ui::Label* l : {&LblCreated, &LblUpdated, &LblAccessed, &LblSize, &LblSet})
    l->SetCaption({});
  std::vector<DupSet> sets;
  {
    core::Uglobalvars::BusyScope busy(g_);
    std::string root(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    root += ':';
    sets = finder_.Find(root, mode);
  }
  Fill(sets);
  ShowSummary(sets, finder_.Stopped());
  SetIdle(true);
  scanning_ = false;
  if (close_after_scan_) {
    close_after_scan_ = false;
    Close();
  }
}

void TFrmDups::ShowProgress(const DupProgress& progress) {
  if (!progress.folder.empty()) {
    LblStatus.SetCaption(std::string(kSearching) + progress.folder + "  (" +
                         Plural(progress.files, "file", "files") + ")");
  } else if (mode_ == DupMode::kContents) {
    LblStatus.SetCaption(std::string(kComparing) + Plural(progress.files_hashed, "file", "files") +
                         " compared");
  }
}

void TFrmDups::Fill(const std::vector<DupSet>& sets) {
  std::vector<std::string> lines;
  for (size_t s = 0; s < sets.size(); ++s) {
    for (const DupFile& f : sets[s].files) {
      lines.push_back(f.name + std::string(kPathMark) + f.folder);
      paths_.push_back(f.path);
      set_of_.push_back(s);
      sizes_.push_back(f.size);
    }
  }
  ListBox1.SetItems(std::move(lines));
  ListBox1.FitHorizontalExtent(kExtentMargin);
  if (ListBox1.Count() > 0) {
    ListBox1.SetItemIndex(0);
    ListBox1Click();
  }
}

void TFrmDups::ShowSummary(const std::vector<DupSet>& sets, bool stopped) {
  uint64_t files = 0;
  uint64_t wasted = 0;
  for (const DupSet& set : sets) {
    files += set.files.size();
    wasted += set.Wasted();
  }
  std::string summary = stopped ? std::string(kStopped) : std::string();
  summary += Plural(sets.size(), "set", "sets") + " of duplicates, " +
             Plural(files, "file", "files") + ", " + text::UInt64ToStr(wasted) + " bytes wasted (" +
             Plural(finder_.FilesFound(), "file", "files") + " searched)";
  LblStatus.SetCaption(summary);
}

void TFrmDups::ShowSetOf(int index) {
  size_t set = set_of_[static_cast<size_t>(index)];
  int copies = 0;
  int position = 0;
  uint64_t total = 0;
  uint64_t largest = 0;
  for (size_t i = 0; i < set_of_.size(); ++i) {
    if (set_of_[i] != set) continue;
    ++copies;
    if (static_cast<int>(i) == index) position = copies;
    total += sizes_[i];
    largest = std::max(largest, sizes_[i]);
  }
  LblSet.SetCaption("File " + std::to_string(position) + " of " + std::to_string(copies) +
                    " in this set; the set wastes " + text::UInt64ToStr(total - largest) +
                    " bytes");
}

// ---- The highlighted file --------------------------------------------------

std::string TFrmDups::HighlightedPath() const {
  int i = ListBox1.ItemIndex();
  if (i < 0 || i >= static_cast<int>(paths_.size())) return {};
  return paths_[static_cast<size_t>(i)];
}

void TFrmDups::ListBox1Click() {
  if (ListBox1.Count() == 0 || ListBox1.ItemIndex() < 0) return;
  ShowSetOf(ListBox1.ItemIndex());
  platform::Platform& p = g_.Platform();
  std::optional<platform::FindData> entry = LookUpFile(p.fs, HighlightedPath());
  if (!entry) {
    LblSize.SetCaption({});
    return;
  }
  LblCreated.SetCaption(std::string(kCreated) + FileDate(p.system, entry->creation_time));
  LblUpdated.SetCaption(std::string(kUpdated) + FileDate(p.system, entry->last_write_time));
  LblAccessed.SetCaption(std::string(kAccessed) + FileDate(p.system, entry->last_access_time));
  LblSize.SetCaption(std::string(kSize) + text::UInt64ToStr(entry->size));
}

std::string TFrmDups::ExistingHighlightedPath(std::string_view empty_list) {
  if (ListBox1.Count() == 0) {
    System().ShowMessage(empty_list);
    return {};
  }
  std::string path = HighlightedPath();
  if (!path.empty() && !g_.Platform().fs.Exists(path)) {
    System().ShowMessage(kNotFound);
    return {};
  }
  return path;
}

void TFrmDups::BitBtn2Click() {
  std::string path = ExistingHighlightedPath(kViewEmpty);
  if (path.empty()) return;
  if (g_.Platform().shell.Open(path, "", "", platform::ShowCommand::kMaximised) < 32)
    System().ShowMessage(kNoViewer);
}

void TFrmDups::RemoveLine(int index) {
  ListBox1.Delete(index);
  auto at = static_cast<std::ptrdiff_t>(index);
  paths_.erase(paths_.begin() + at);
  set_of_.erase(set_of_.begin() + at);
  sizes_.erase(sizes_.begin() + at);
}

void TFrmDups::CmdDelClick() {
  std::string path = ExistingHighlightedPath(kDeleteEmpty);
  if (path.empty()) return;
  RecycleOutcome outcome = SendToRecycleBin(g_.Platform().shell, path, false);
  if (!outcome.error.empty()) {
    System().Error(outcome.error);
    return;
  }
  if (!outcome.recycled) {
    System().ShowMessage(std::string(kInUse1) + path + std::string(kInUse2));
    return;
  }
  RemoveLine(ListBox1.ItemIndex());
  for (ui::Label* l : {&LblCreated, &LblUpdated, &LblAccessed, &LblSize, &LblSet})
    l->SetCaption({});
  if (ListBox1.Count() > 0) {
    ListBox1.SetItemIndex(0);
    ListBox1Click();
  }
}

void TFrmDups::BitBtn4Click() { Close(); }

// A close while a scan runs (it lets messages run) only asks it to stop;
// the scan handler closes the window once the scan has unwound.
void TFrmDups::FormCloseQuery(bool& can_close) {
  if (!scanning_) return;
  finder_.RequestStop();
  close_after_scan_ = true;
  can_close = false;
}

}  // namespace review
