#include "browsers/viewer.h"

#include <algorithm>
#include <array>

#include "core/sweep/sweep.h"
#include "core/sweep/walk.h"
#include "platform/text.h"

namespace browsers {

namespace {

constexpr std::string_view kCaption = "View Your Cache ! ";
constexpr std::string_view kIntro =
    "Listed below are your viewable cache files found, as this viewer shows you the location of "
    "all your cached files and also allows you to open and view each file individually if you "
    "wish.  ";
constexpr std::string_view kEmpty =
    "Your viewable cache list is empty, since your cache files do not currently contain any "
    "which are viewable. This simply means your cache files were saved without a file extension "
    "by your browser, so it will not be listed as a viewable cache file on the next window. Note "
    "that your counts may have many stored files which are not viewable, as this next window "
    "will only show you the cache files that can be viewed.";
constexpr std::string_view kIndexNote =
    "The index.dat files are part of your locked files. Note that these files will always exist "
    "which is normal, but will still be listed and shown to you here. In order to clean up the "
    "data in your locked files (the files will still exist but the data in them will be "
    "cleared), simply use the locked file cleanup option on this software. These files can "
    "occasionally grow large, and contain the names of the files that you can see in explorer "
    "(basically just pointers to the actual files), but using the locked file cleanup on the "
    "previous window will safely clean these out.";
constexpr std::string_view kCannotView =
    "You cannot view this file as it is not a viewable file type. Some cache files are not "
    "viewable as they contain data for your system to use, and there is no viewer on your system "
    "(which is normal). You may want to use the reload button below to load only the viewable "
    "cache files. ";

constexpr auto kViewable = std::to_array<std::string_view>({
    ".JPG", ".GIF",  ".JPEG", ".BMP",  ".ICO", ".TIF", ".WMF", ".ART", ".PNG", ".JSP",
    ".XML", ".WAV",  ".MID",  ".MP3",  ".WMA", ".AVI", ".MPG", ".MOV", ".WMV", ".MPE",
    ".ASF", ".MPEG", ".HTM",  ".HTML", ".TXT", ".PDF", ".DOC", ".WRI", ".RTF", ".SWF",
});
static_assert(kViewable.size() == 30);

constexpr auto kExecutable = std::to_array<std::string_view>({
    ".EXE",
    ".COM",
    ".BAT",
    ".CMD",
    ".PIF",
    ".SCR",
    ".CPL",
    ".MSI",
    ".JS",
    ".JSE",
    ".VBS",
    ".VBE",
    ".WSF",
    ".WSH",
    ".HTA",
    ".REG",
    ".LNK",
    ".URL",
});
static_assert(kExecutable.size() == 18);

// The upper-cased extension Windows acts on: trailing dots and blanks of a
// name are dropped when it is opened ("run.js." opens as "run.js").
std::string ActingExtension(std::string_view name) {
  std::string_view bare = name;
  while (!bare.empty() && (bare.back() == '.' || bare.back() == ' ')) bare.remove_suffix(1);
  return text::Upper(text::Extension(bare));
}

template <size_t N>
bool OneOf(const std::array<std::string_view, N>& list, const std::string& extension) {
  return !extension.empty() && std::find(list.begin(), list.end(), extension) != list.end();
}

}  // namespace

bool ViewableCacheFile(std::string_view name) {
  return OneOf(kViewable, text::Upper(text::Extension(name)));
}

bool ExecutableCacheFile(std::string_view name) {
  return OneOf(kExecutable, ActingExtension(name));
}

TFrmviewer::TFrmviewer(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "Frmviewer", std::string(kCaption), 600, 415), g_(g) {
  SetPositionRule(ui::Position::kScreenCenter);
  Label1.SetCaption(std::string(kIntro));
  Label1.SetWordWrap(true);
  RadViewable.SetChecked(true);

  Listbshow.OnClick = [this] { ListbshowClick(); };
  Listbshow.OnDblClick = [this] { ListbshowDblClick(); };
  CmdReload.OnClick = [this] { FillCacheViewer(); };
  CmdOk.OnClick = [this] { Close(); };
  g_.RememberSize(*this);
}

void TFrmviewer::FillCacheViewer() {
  Listbshow.Clear();
  if (!text::Trim(g_.IECacheList[1]).empty()) {
    for (int i = 1; i <= core::kIEListSize; ++i) {
      const std::string& entry = g_.IECacheList[i];
      if (!text::Trim(entry).empty()) ListCacheFiles(entry);
    }
  }
  if (NetCacheFolders) {
    for (const std::string& folder : NetCacheFolders()) {
      if (!text::Trim(folder).empty()) ListCacheFiles(folder + "*.*");
    }
  }
}

void TFrmviewer::ListCacheFiles(const std::string& pattern) {
  auto listing = g_.Platform().fs.FindFirst(pattern, platform::kFindAnyFile);
  if (!listing) return;
  const std::string folder = sweep::PatternFolder(pattern);
  const bool viewable_only = RadViewable.Checked();
  platform::FindData entry;
  bool any = false;
  while (listing->Next(entry)) {
    any = true;
    if (sweep::IsDotEntry(entry.name) || text::Upper(entry.name) == "DESKTOP.INI") continue;
    if (viewable_only && !ViewableCacheFile(entry.name)) continue;
    Listbshow.Add(folder + entry.name);
  }
  if (any) FitExtent();
}

// The widest line plus a vertical scroll bar.
void TFrmviewer::FitExtent() {
  int widest = 0;
  for (const std::string& line : Listbshow.Items())
    widest = std::max(widest, System().TextWidth(Listbshow.GetFont(), line));
  Listbshow.SetHorizontalExtent(widest + System().SystemMetric(ui::Metric::kVScrollWidth));
}

void TFrmviewer::PrepareToShow() {
  FillCacheViewer();
  if (Listbshow.Count() == 0) {
    System().ShowMessage(kEmpty);
  } else {
    Listbshow.SetItemIndex(0);
  }
}

void TFrmviewer::ListbshowClick() {
  const int i = Listbshow.ItemIndex();
  if (i >= 0) LblFilename.SetCaption("Name: " + text::FileName(Listbshow.Item(i)));
}

void TFrmviewer::ListbshowDblClick() {
  const int i = Listbshow.ItemIndex();
  if (i < 0) return;
  const std::string path = Listbshow.Item(i);
  if (text::Upper(path).find("INDEX.DAT") != std::string::npos) System().ShowMessage(kIndexNote);
  // A program or script from a web page would run with the user's rights.
  if (ExecutableCacheFile(text::FileName(path)) ||
      g_.Platform().shell.Open(path, "", "", platform::ShowCommand::kNormal) <= 32) {
    System().Information(kCannotView);
  }
}

}  // namespace browsers
