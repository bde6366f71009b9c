#include "review/piccache.h"

#include <array>
#include <cctype>
#include <vector>

#include "core/sweep/sweep.h"
#include "core/sweep/walk.h"
#include "platform/text.h"
#include "review/fileinfo.h"
#include "review/recycle.h"

namespace review {

namespace {

constexpr std::string_view kCaption = "Media Search";
constexpr std::string_view kIntro =
    "This section will quickly search all common locations on your computer for pictures and "
    "videos that may have been left behind, and will even find all cached thumbnails. (Cached "
    "thumbnails can all be safely deleted using the buttons below).  Photos and videos can be "
    "viewed by double clicking them, then you can decide if you want to keep or delete your "
    "picture / video.";
constexpr std::string_view kInformation =
    "This will find lost or forgotten photos and videos. It will search through your \"My "
    "Documents\" folder and all internal folders. This is the location where most media files "
    "are stored and most often lost or forgotten about. (Note also that you can view your found "
    "videos or photos by simply double-clicking them in your list.) This will also search for "
    "cache thumbnails. These are files used only by your system, and they can be safely cleaned "
    "up using the delete button.";
constexpr std::string_view kCannotView =
    "You cannot view this file type as your system has no way of viewing it.";
constexpr std::string_view kInUse1 = "Windows will not allow this file (";
constexpr std::string_view kInUse2 =
    ") to be added to your recycle bin. The most likely cause is because the file or program is "
    "probably in use right now. Since the file is in use, it is ok to leave this file.";
constexpr std::string_view kDeleted =
    "The highlighted files have been deleted and placed in your recycle bin.";
constexpr std::string_view kCreated = "Created on   : ";
constexpr std::string_view kUpdated = "Last updated : ";
constexpr std::string_view kSize = "File Size    : ";

// Added to the widest line for the list's horizontal extent.
constexpr int kExtentMargin = 20;

struct MediaRow {
  MediaKind kind;
  std::string_view extension;  // upper case, with its dot
};

constexpr auto kMediaExtensions = std::to_array<MediaRow>({
    {MediaKind::kPhotos, ".JPG"},  {MediaKind::kPhotos, ".JPEG"}, {MediaKind::kPhotos, ".GIF"},
    {MediaKind::kPhotos, ".BMP"},  {MediaKind::kPhotos, ".PCX"},  {MediaKind::kPhotos, ".PNG"},
    {MediaKind::kPhotos, ".TIF"},  {MediaKind::kPhotos, ".TIFF"}, {MediaKind::kPhotos, ".ART"},
    {MediaKind::kVideos, ".WMV"},  {MediaKind::kVideos, ".AVI"},  {MediaKind::kVideos, ".MPG"},
    {MediaKind::kVideos, ".MPEG"}, {MediaKind::kVideos, ".MPE"},  {MediaKind::kVideos, ".SWF"},
    {MediaKind::kVideos, ".ASF"},  {MediaKind::kVideos, ".ASX"},  {MediaKind::kVideos, ".MP4"},
    {MediaKind::kVideos, ".FLV"},  {MediaKind::kVideos, ".MOV"},  {MediaKind::kVideos, ".DIVX"},
    {MediaKind::kMisc, ".EXE"},    {MediaKind::kMisc, ".ZIP"},    {MediaKind::kMisc, ".RAR"},
    {MediaKind::kMisc, ".MP3"},    {MediaKind::kMisc, ".WMA"},    {MediaKind::kMisc, ".AAC"},
    {MediaKind::kMisc, ".PDF"},    {MediaKind::kMisc, ".TXT"},    {MediaKind::kMisc, ".RTF"},
    {MediaKind::kMisc, ".HTML"},   {MediaKind::kMisc, ".HTM"},
});
static_assert(kMediaExtensions.size() == 32);
constexpr std::string_view kThumbsName = "THUMBS.DB";

// The stop picture: a red octagon with a white bar, drawn here rather than
// shipped as a file.
ui::Image StopImage() {
  constexpr int kSide = 24;
  constexpr int kCorner = 7;
  ui::Image image{kSide, kSide, std::vector<uint8_t>(kSide * kSide * 3, 0xF0)};
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      int dx = std::min(x, kSide - 1 - x);
      int dy = std::min(y, kSide - 1 - y);
      if (dx + dy < kCorner) continue;
      bool bar = y >= 10 && y <= 13 && x >= 5 && x <= 18;
      uint8_t* px = &image.rgb[static_cast<size_t>((y * kSide + x) * 3)];
      px[0] = bar ? 0xFF : 0xC8;
      px[1] = bar ? 0xFF : 0x10;
      px[2] = bar ? 0xFF : 0x10;
    }
  }
  return image;
}

}  // namespace

bool MatchesMedia(MediaKind kind, std::string_view name) {
  std::string upper = text::Upper(name);
  if (kind == MediaKind::kThumbs) return upper == kThumbsName;
  std::string extension = text::Extension(upper);
  for (const MediaRow& row : kMediaExtensions)
    if (row.kind == kind && row.extension == extension) return true;
  return false;
}

TFrmPicCache::TFrmPicCache(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "FrmPicCache", std::string(kCaption), 600, 448), g_(g) {
  SetPositionRule(ui::Position::kScreenCenter);
  Label1.SetCaption(std::string(kIntro));
  Label1.SetWordWrap(true);
  BitBtn1.SetHint("Scan and list the chosen file types");
  CmdRemove.SetHint("Delete the selected files to the recycle bin");
  Image1.SetImage(StopImage());
  Image1.SetHint("Stop the search");

  OnCreate = [this] { FormCreate(); };
  OnCloseQuery = [this](bool& can_close) { FormCloseQuery(can_close); };
  BitBtn1.OnClick = [this] { BitBtn1Click(); };
  Image1.OnClick = [this] { Image1Click(); };
  ListBox1.OnClick = [this] { ListBox1Click(); };
  ListBox1.OnDblClick = [this] { ListBox1DblClick(); };
  CmdRemove.OnClick = [this] { CmdRemoveClick(); };
  BitBtn2.OnClick = [this] { BitBtn2Click(); };
  Cmdclose.OnClick = [this] { CmdcloseClick(); };
  g_.RememberSize(*this);
}

void TFrmPicCache::FormCreate() {
  Image1.SetVisible(false);
  RadioPhotos.SetChecked(true);
  for (ui::Label* l : {&LblFolder, &LblCreated, &LblUpdated, &LblSize, &LblFound})
    l->SetCaption({});
  platform::FileSystem& fs = g_.Platform().fs;
  DriveComboBox1.SetDrives(fs.Drives());
  DriveComboBox1.SelectDriveOf(fs.CurrentFolder());
}

MediaKind TFrmPicCache::Chosen() const {
  if (RadioVideos.Checked()) return MediaKind::kVideos;
  if (RadioThumbs.Checked()) return MediaKind::kThumbs;
  if (RadioMisc.Checked()) return MediaKind::kMisc;
  return MediaKind::kPhotos;
}

// ---- Searching -------------------------------------------------------------

bool TFrmPicCache::Pace() {
  uint64_t now = pump_interval_ ? g_.Platform().system.TickCount() : 0;
  if (pump_interval_ == 0 || now - last_pump_ >= pump_interval_) {
    last_pump_ = now;
    System().ProcessMessages();
  }
  return stop_;
}

// Lists the files of the chosen category and adds their sizes.
struct MediaVisitor {
  TFrmPicCache& w;
  MediaKind kind;
  std::vector<std::string>& lines;

  void Enter(const std::string&) {}
  void Leave() {}

  sweep::WalkStep Entry(const std::string& folder, const platform::FindData& entry) {
    if (entry.attributes & platform::kAttrDirectory) {
      w.LblFolder.SetCaption(folder.substr(0, folder.size() - 1));
    } else if (!(entry.attributes & platform::kAttrReparsePoint) &&
               MatchesMedia(kind, entry.name)) {
      Add(folder, entry);
    }
    return w.Pace() ? sweep::WalkStep::kStop : sweep::WalkStep::kDescend;
  }

  // The size is looked up again by path: a file gone since the listing is
  // listed but adds nothing.
  void Add(const std::string& folder, const platform::FindData& entry) {
    std::optional<std::string> name = sweep::SafeName(entry);
    if (!name) return;
    std::string path = folder + *name;
    if (std::optional<uint64_t> size = w.g_.Platform().fs.GetSize(path)) w.total_ += *size;
    lines.push_back(std::move(path));
  }
};

bool TFrmPicCache::SearchFolder(const std::string& folder, MediaKind kind) {
  std::vector<std::string> lines;
  MediaVisitor visitor{*this, kind, lines};
  bool finished = sweep::WalkFolders(g_.Platform().fs, folder + "\\", "*.*", visitor);
  for (std::string& line : lines) ListBox1.Add(std::move(line));
  LblFolder.SetCaption({});
  return finished && !stop_;
}

void TFrmPicCache::BitBtn1Click() {
  if (searching_) return;
  searching_ = true;
  BitBtn1.SetEnabled(false);
  CmdRemove.SetEnabled(false);
  total_ = 0;
  stop_ = false;
  for (ui::Label* l : {&LblFound, &LblCreated, &LblUpdated, &LblSize}) l->SetCaption({});
  System().ProcessMessages();
  ListBox1.Clear();
  Image1.SetVisible(true);
  {
    core::Uglobalvars::BusyScope busy(g_);
    last_pump_ = g_.Platform().system.TickCount();
    MediaKind kind = Chosen();
    if (kind == MediaKind::kThumbs) {
      if (char letter = DriveComboBox1.Drive()) {
        std::string root(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
        SearchFolder(root + ":", kind);
      }
    } else {
      for (const std::string* start :
           {&g_.MyDocuments, &g_.MyPictures, &g_.Downloads, &g_.MyVideos}) {
        std::string folder = text::StripTrailingBackslash(*start);
        if (text::Trim(folder).empty()) continue;
        if (!SearchFolder(folder, kind)) break;
      }
    }
  }
  Image1.SetVisible(false);
  if (ListBox1.Count() > 0) ListBox1.SetItemIndex(0);
  ListBox1.FitHorizontalExtent(kExtentMargin);
  LblFound.SetCaption("Total Files = " + std::to_string(ListBox1.Count()) +
                      "  Total Bytes Wasted = " + text::UInt64ToStr(total_));
  BitBtn1.SetEnabled(true);
  CmdRemove.SetEnabled(true);
  searching_ = false;
  if (close_after_search_) {
    close_after_search_ = false;
    Close();
  }
}

void TFrmPicCache::Image1Click() { stop_ = true; }

// ---- The listed files ------------------------------------------------------

std::string TFrmPicCache::FocusedPath() const {
  int i = ListBox1.ItemIndex();
  return i >= 0 && i < ListBox1.Count() ? ListBox1.Item(i) : std::string();
}

void TFrmPicCache::ListBox1Click() {
  if (ListBox1.Count() == 0) return;
  platform::Platform& p = g_.Platform();
  std::optional<platform::FindData> entry = LookUpFile(p.fs, FocusedPath());
  if (!entry) {
    LblSize.SetCaption({});
    return;
  }
  LblCreated.SetCaption(std::string(kCreated) + FileDate(p.system, entry->creation_time));
  LblUpdated.SetCaption(std::string(kUpdated) + FileDate(p.system, entry->last_write_time));
  LblSize.SetCaption(std::string(kSize) + text::UInt64ToStr(entry->size) + " bytes");
}

void TFrmPicCache::ListBox1DblClick() {
  std::string path = FocusedPath();
  if (path.empty()) return;
  if (g_.Platform().shell.Open(path, "", "", platform::ShowCommand::kMaximised) < 32)
    System().ShowMessage(kCannotView);
}

void TFrmPicCache::CmdRemoveClick() {
  if (ListBox1.Count() == 0) return;
  LblFound.SetCaption({});
  std::vector<std::string> keep;
  platform::Shell& shell = g_.Platform().shell;
  for (int i = 0; i < ListBox1.Count(); ++i) {
    const std::string& path = ListBox1.Item(i);
    if (!ListBox1.Selected(i)) {
      keep.push_back(path);
      continue;
    }
    RecycleOutcome outcome = SendToRecycleBin(shell, path, false);
    if (outcome.recycled) continue;
    if (!outcome.error.empty())
      System().Error(outcome.error);
    else
      System().ShowMessage(std::string(kInUse1) + path + std::string(kInUse2));
    keep.push_back(path);
  }
  ListBox1.SetItems(std::move(keep));
  System().ShowMessage(kDeleted);
  if (ListBox1.Count() > 0) ListBox1.SetItemIndex(0);
}

void TFrmPicCache::BitBtn2Click() { System().ShowMessage(kInformation); }

void TFrmPicCache::CmdcloseClick() { Close(); }

// A close during a search only stops it; the search handler closes the
// window once the walk has unwound.
void TFrmPicCache::FormCloseQuery(bool& can_close) {
  if (!searching_) return;
  stop_ = true;
  close_after_search_ = true;
  can_close = false;
}

}  // namespace review
