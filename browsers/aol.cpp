#include "browsers/aol.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "browsers/aoltracks.h"
#include "core/sweep/scanrecords.h"
#include "core/sweep/sweep.h"
#include "core/sweep/walk.h"
#include "platform/text.h"

namespace browsers {

namespace {

using platform::Access;
using platform::Hive;

constexpr std::string_view kCaption = "AOL Cleanups";
constexpr std::string_view kIntro =
    "This cleanup page is only for AOL users.  If you do not use AOL, then you will not need to "
    "use this window cleanup, however if you ever start using AOL in the future, this screen may "
    "be of interest to you.";
constexpr std::string_view kNote =
    "Note: All internet cookie, cache, and web history cleanups for AOL are included "
    "automatically on the main screen when you use the IE cleanups. This section includes some "
    "additional history tracks that are also left behind when using AOL.";
constexpr std::string_view kPicsHint = "Pictures you downloaded through AOL";
constexpr std::string_view kUrlsHint = "What you viewed through AOL";
constexpr std::string_view kNoneFound = "None Found. This area is already clean.";
constexpr std::string_view kNoViewer =
    "This file cannot be viewed because the file extension does not have a default viewer "
    "assigned to it within Windows. You will have to use a separate viewer for this particular "
    "file type.";
constexpr std::string_view kNoPictures =
    "There are no pictures found in the AOL download directory.";
constexpr std::string_view kPictureInUse =
    "File not deleted. It is in use by another process. Close all applications and try again, "
    "or if you are using Vista, you may need to simply right click the icon first and choose the "
    "option to run your program as admin.";
constexpr std::string_view kTracksCleaned =
    "All tracks have been successfully cleaned. (To be sure all are cleaned, in the future make "
    "sure your AOL software is closed by clicking the X in the upper right hand corner of the AOL "
    "software before running this cleanup).";
constexpr std::string_view kTracksLeft =
    " of the AOL track files could not be deleted, most likely because your AOL software is "
    "still open. Close it by clicking the X in the upper right hand corner of the AOL software, "
    "then run this cleanup again.";

// The fixed download folders, then the registry values whose folder plus a
// sub-folder name another one, in the order they are looked at.
constexpr auto kFixedFolders = std::to_array<std::string_view>({
    "c:\\america online 6.0\\download",
    "c:\\america online 5.0\\download",
});
static_assert(kFixedFolders.size() == 2);
struct FolderValue {
  std::string_view key;
  std::string_view value;
  std::string_view sub_folder;
};
constexpr auto kFolderValues = std::to_array<FolderValue>({
    {"Software\\America Online\\AOL\\CurrentVersion", "AppPath", "\\Download"},
    {"Software\\America Online\\America Online\\CurrentVersion", "AppPath", "\\Download"},
    {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common Documents",
     "\\AOL Downloads"},
});
static_assert(kFolderValues.size() == 3);
constexpr auto kPictureMasks = std::to_array<std::string_view>({"\\*.jpg", "\\*.bmp"});
static_assert(kPictureMasks.size() == 2);

// The drive scan's section of folders holding track files.
constexpr std::string_view kTrackSection = "AL13";

std::string CountText(size_t n) { return "Count = " + std::to_string(n); }

}  // namespace

TFrmaol::TFrmaol(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "FrmAOL", std::string(kCaption), 600, 437), g_(g) {
  SetPositionRule(ui::Position::kScreenCenter);
  Label1.SetCaption(std::string(kIntro));
  Label1.SetWordWrap(true);
  Label2.SetCaption(std::string(kNote));
  Label2.SetWordWrap(true);
  ListAOLPics.SetHint(std::string(kPicsHint));
  ListAOLURLs.SetHint(std::string(kUrlsHint));

  OnCreate = [this] { FormCreate(); };
  ListAOLPics.OnClick = [this] { ListAOLPicsClick(); };
  ListAOLPics.OnDblClick = [this] { ListAOLPicsDblClick(); };
  CmdDeletePic.OnClick = [this] { CmdDeletePicClick(); };
  CmdDeleteTracks.OnClick = [this] { DeleteAOLTracks(); };
  CmdReturn.OnClick = [this] { Close(); };
  g_.RememberSize(*this);
}

void TFrmaol::FormCreate() { Survey(); }

void TFrmaol::Survey() {
  ListAOLPics.Clear();
  LblPicsName.SetCaption({});
  folders_.clear();
  track_files_.clear();

  FindFolders();
  ListPictures();
  if (ListAOLPics.Count() > 0) {
    ListAOLPics.SetItemIndex(0);
    LblPicsName.SetCaption(text::FileName(ListAOLPics.Item(0)));
  }
  FindTrackFiles();
  ReadTrackLines();
  ShowPictureCount();
}

// A folder is taken when it exists and is not listed yet (letter case
// ignored), up to the limit.
void TFrmaol::AddFolder(const std::string& folder) {
  if (folders_.size() >= kAolFolderLimit) return;
  for (const std::string& known : folders_) {
    if (text::EqualsNoCase(known, folder)) return;
  }
  if (g_.Platform().fs.IsFolder(folder)) folders_.push_back(folder);
}

void TFrmaol::FindFolders() {
  for (std::string_view folder : kFixedFolders) AddFolder(std::string(folder));
  auto& registry = g_.Platform().registry;
  for (const FolderValue& row : kFolderValues) {
    auto key = registry.Open(Hive::kLocalMachine, row.key, false, Access::kRead);
    if (!key) continue;
    // A blank value would make the sub-folder one of the current drive's
    // root, which holds the user's own files.
    const std::string base = text::Trim(key->ReadString(row.value).value_or(""));
    if (base.empty() || !sweep::IsAbsolutePath(base)) continue;
    AddFolder(base + std::string(row.sub_folder));
  }
}

void TFrmaol::ListPictures() {
  auto& fs = g_.Platform().fs;
  for (const std::string& folder : folders_) {
    for (std::string_view mask : kPictureMasks) {
      // Hidden and system files, and folders, are not listed.
      auto listing = fs.FindFirst(folder + std::string(mask), 0);
      if (!listing) continue;
      platform::FindData entry;
      while (listing->Next(entry)) {
        if (sweep::IsDotEntry(entry.name)) continue;
        if (auto name = sweep::SafeName(entry)) ListAOLPics.Add(folder + "\\" + *name);
      }
    }
  }
}

// Every folder the drive scan recorded, up to the first empty record; the
// track files of all folders are appended up to the limit, so that each
// listed line comes from a file that "Delete These Tracks" deletes.
void TFrmaol::FindTrackFiles() {
  auto& fs = g_.Platform().fs;
  const sweep::ScanRecords records(g_.Platform().ini, g_.ScanResultsFile, kTrackSection);
  for (int i = 1; i <= sweep::kScanSectionSize; ++i) {
    if (records[i].empty()) break;
    const std::string folder = text::AddTrailingBackslash(records[i]);
    if (text::HasWildcards(folder)) continue;
    auto listing = fs.FindFirst(folder + "*.arl", platform::kFindAnyFile);
    if (!listing) continue;
    platform::FindData entry;
    while (listing->Next(entry) && track_files_.size() < kAolTrackFileLimit) {
      if (sweep::IsDotEntry(entry.name) || (entry.attributes & platform::kAttrDirectory)) continue;
      if (auto name = sweep::SafeName(entry)) track_files_.push_back(folder + *name);
    }
  }
}

// Every line of every track file, up to the list's limit; each file keeps
// the lines it gave.
void TFrmaol::ReadTrackLines() {
  auto& fs = g_.Platform().fs;
  std::vector<std::string> lines;
  track_lines_.clear();
  for (const std::string& file : track_files_) {
    const size_t before = lines.size();
    if (auto text = fs.ReadBytes(file)) ExtractTrackText(*text, lines);
    track_lines_.emplace_back(lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end());
  }
  ShowTrackLines(std::move(lines));
}

void TFrmaol::ShowTrackLines(std::vector<std::string> lines) {
  real_tracks_ = !lines.empty();
  if (!real_tracks_) lines.emplace_back(kNoneFound);
  const size_t count = real_tracks_ ? lines.size() : 0;
  ListAOLURLs.SetItems(std::move(lines));
  LblAOLurls.SetCaption(CountText(count));
}

void TFrmaol::ShowPictureCount() {
  LblAOLPics.SetCaption(CountText(static_cast<size_t>(ListAOLPics.Count())));
}

void TFrmaol::ListAOLPicsClick() {
  const int i = ListAOLPics.ItemIndex();
  if (i >= 0) LblPicsName.SetCaption(text::FileName(ListAOLPics.Item(i)));
}

void TFrmaol::ListAOLPicsDblClick() {
  const int i = ListAOLPics.ItemIndex();
  if (i < 0) return;
  if (g_.Platform().shell.Open(ListAOLPics.Item(i), "", "", platform::ShowCommand::kNormal) < 32)
    System().Warning(kNoViewer);
}

void TFrmaol::CmdDeletePicClick() {
  if (ListAOLPics.Count() == 0) {
    System().Information(kNoPictures);
    return;
  }
  const int i = ListAOLPics.ItemIndex() < 0 ? 0 : ListAOLPics.ItemIndex();
  if (!DeleteOne(ListAOLPics.Item(i))) {
    System().Information(kPictureInUse);
    return;
  }
  ListAOLPics.Delete(i);
  if (ListAOLPics.Count() == 0) {
    LblPicsName.SetCaption({});
  } else {
    ListAOLPics.SetItemIndex(0);
    LblPicsName.SetCaption(text::FileName(ListAOLPics.Item(0)));
  }
  ShowPictureCount();
}

bool TFrmaol::DeleteOne(const std::string& path) {
  auto& fs = g_.Platform().fs;
  // The listed names hold no wildcard; one in a folder name would widen
  // the sweep's pattern to other files.
  if (text::HasWildcards(path)) return false;
  sweep::PatternSweep one(fs);
  one.Run(path, sweep::PatternFolder(path), sweep::Mode::kDelete);
  return !fs.Exists(path);
}

void TFrmaol::DeleteAOLTracks() {
  if (!real_tracks_) return;
  std::vector<std::string> left_files;
  std::vector<std::vector<std::string>> left_lines;
  std::vector<std::string> still_listed;
  for (size_t i = 0; i < track_files_.size(); ++i) {
    if (DeleteOne(track_files_[i])) continue;
    left_files.push_back(track_files_[i]);
    left_lines.push_back(track_lines_[i]);
    still_listed.insert(still_listed.end(), track_lines_[i].begin(), track_lines_[i].end());
  }
  track_files_ = std::move(left_files);
  track_lines_ = std::move(left_lines);
  if (track_files_.empty()) {
    ListAOLURLs.Clear();
    LblAOLurls.SetCaption(CountText(0));
    real_tracks_ = false;
    System().ShowMessage(kTracksCleaned);
    return;
  }
  // What could not be deleted stays listed, so a second try finds it.
  ShowTrackLines(std::move(still_listed));
  System().ShowMessage(std::to_string(track_files_.size()) + std::string(kTracksLeft));
}

}  // namespace browsers
