#include "review/im.h"

#include <vector>

#include "core/sweep/scanrecords.h"
#include "platform/filesystem.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace review {

namespace {

using platform::Access;
using platform::Hive;

constexpr std::string_view kCaption = "Instant Messages Sent or Received";
constexpr std::string_view kIntro =
    "Shown below is any IM (instant messages) found stored on your system. This will check for "
    "old IM's in addition to existing User IDs found. This checks for IM history that was logged "
    "on AIM, AIM Pro, AOL, Yahoo, and MSN.";
constexpr std::string_view kNoLogs =
    "There are no instant messages or old instant messages found in your list.";
constexpr std::string_view kYahooUnreadable =
    "This Yahoo IM appears to be unreadable, but it does contain your instant message logs from "
    "Yahoo IM. In order to read this instant message log, you would need to get a Yahoo instant "
    "message reader off the internet as this file has encrypted data. You can however still "
    "delete this IM log file using the buttons below.";
constexpr std::string_view kCannotView =
    "An error occurred trying to open this log for viewing. You can view this log manually by "
    "just going to the folder and opening the log file.";

// The source tags; a line's path starts after them.
constexpr std::string_view kTagAim6 = "AIM6   :";
constexpr std::string_view kTagMsn = "MSN    :";
constexpr std::string_view kTagYahoo = "YAHOO  :";
constexpr std::string_view kTagAimPro = "AIMPRO :";
constexpr size_t kTagLength = 8;
static_assert(kTagAim6.size() == kTagLength && kTagMsn.size() == kTagLength &&
              kTagYahoo.size() == kTagLength && kTagAimPro.size() == kTagLength);

constexpr std::string_view kAim6Users = "Software\\America Online\\AIM6\\Users";
constexpr std::string_view kAim6LogFolder =
    "aol.aimcc.plugin.{61693132-6952-447a-5233-3543796c5a6e}.prefs.logfilepath";
constexpr std::string_view kMsnUsers = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings";
constexpr std::string_view kMsnLogFolder = "MessageLogPath";

// At most this many users are read per messenger key.
constexpr size_t kMaxUsers = 300;
// Added to the widest line for the list's horizontal extent.
constexpr int kExtentMargin = 400;

// The log of a line: everything after its tag.
std::string LinePath(const std::string& line) {
  return line.size() > kTagLength ? line.substr(kTagLength) : std::string();
}

}  // namespace

TFrmIM::TFrmIM(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "FrmIM", std::string(kCaption), 680, 376), g_(g) {
  SetPositionRule(ui::Position::kScreenCenter);
  Label1.SetCaption(std::string(kIntro));
  Label1.SetWordWrap(true);

  OnCreate = [this] { FormCreate(); };
  CmdView.OnClick = [this] { CmdViewClick(); };
  ListBox1.OnDblClick = [this] { ListBox1DblClick(); };
  ListBox1.OnClick = [this] { ListBox1Click(); };
  CmdDel.OnClick = [this] { CmdDelClick(); };
  BitBtn3.OnClick = [this] { BitBtn3Click(); };
}

void TFrmIM::FormCreate() { LoadIMLogs(); }

// ---- Loading ---------------------------------------------------------------

void TFrmIM::LoadIMLogs() {
  ListBox1.Clear();
  AddUserLogs(kAim6Users, kAim6LogFolder, "*.html", kTagAim6);
  AddUserLogs(kMsnUsers, kMsnLogFolder, "*.xml", kTagMsn);
  AddRecordedLogs("YH25", "*.DAT", kTagYahoo);
  AddRecordedLogs("APRO25", "*.HTM", kTagAimPro);

  if (ListBox1.Count() > 0) ListBox1.SetItemIndex(0);
  ListBox1.FitHorizontalExtent(kExtentMargin);
}

void TFrmIM::AddUserLogs(std::string_view users_key, std::string_view folder_value,
                         std::string_view mask, std::string_view tag) {
  auto& registry = g_.Platform().registry;
  auto users = registry.Open(Hive::kCurrentUser, users_key, false, Access::kRead);
  if (!users) return;
  std::vector<std::string> names = users->SubkeyNames();
  if (names.size() > kMaxUsers) names.resize(kMaxUsers);
  for (const std::string& name : names) {
    auto user = registry.Open(Hive::kCurrentUser, std::string(users_key) + "\\" + name, false,
                              Access::kRead);
    if (!user) continue;
    const std::string folder = user->ReadString(folder_value).value_or("");
    if (!folder.empty()) AddMatches(tag, text::JoinPath(folder, mask));
  }
}

void TFrmIM::AddRecordedLogs(std::string_view section, std::string_view mask,
                             std::string_view tag) {
  const sweep::ScanRecords records(g_.Platform().ini, g_.ScanResultsFile, section);
  // The records end at the first empty key.
  for (int n = 1; n <= sweep::kScanSectionSize && !records[n].empty(); ++n)
    AddMatches(tag, text::JoinPath(records[n], mask));
}

void TFrmIM::AddMatches(std::string_view tag, const std::string& mask) {
  auto find = g_.Platform().fs.FindFirst(mask, platform::kFindAnyFile);
  if (!find) return;
  const std::string folder = text::ExtractFilePath(mask);
  platform::FindData entry;
  while (find->Next(entry)) {
    if (entry.name == "." || entry.name == "..") continue;
    ListBox1.Add(std::string(tag) + folder + entry.name);
  }
}

// ---- Viewing and removing --------------------------------------------------

std::string TFrmIM::SelectedPath() const {
  const int index = ListBox1.ItemIndex();
  return index < 0 ? std::string() : LinePath(ListBox1.Item(index));
}

void TFrmIM::CmdViewClick() {
  if (ListBox1.Count() == 0) {
    System().ShowMessage(kNoLogs);
    return;
  }
  const std::string path = SelectedPath();
  if (path.empty()) return;
  if (text::Upper(text::Extension(path)) == ".DAT") {
    System().ShowMessage(kYahooUnreadable);
    return;
  }
  if (g_.Platform().shell.Open(path, "", "", platform::ShowCommand::kNormal) <= 32) {
    System().ShowMessage(kCannotView);
  }
}

void TFrmIM::ListBox1DblClick() { CmdViewClick(); }

// The file name of the line clicked.
void TFrmIM::ListBox1Click() {
  const int index = ListBox1.ItemIndex();
  if (index < 0) return;
  const std::string& line = ListBox1.Item(index);
  const size_t cut = line.find_last_of("\\:");
  LblName.SetCaption(cut == std::string::npos ? line : line.substr(cut + 1));
}

// Deletes the selected log for good (not to the Recycle Bin), without a
// question.
void TFrmIM::CmdDelClick() {
  if (ListBox1.Count() == 0) {
    System().ShowMessage(kNoLogs);
    return;
  }
  const int index = ListBox1.ItemIndex();
  if (index < 0) return;
  const std::string path = text::Trim(SelectedPath());
  // A listed log is one named file; a name with wildcards would be taken
  // as a pattern by some delete routines, so it is never passed on.
  if (!path.empty() && !text::HasWildcards(path) && g_.Platform().fs.DeleteFile(path)) {
    ListBox1.Delete(index);
    if (ListBox1.Count() > 0) ListBox1.SetItemIndex(0);
    return;
  }
  System().ShowMessage("Instant Message " + path + " could not be deleted. " +
                       "Make sure you have access to your hard drive as it appears " +
                       "that you may not have access or authority to delete this on your system.");
}

void TFrmIM::BitBtn3Click() { Close(); }

}  // namespace review
