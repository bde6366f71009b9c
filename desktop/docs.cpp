#include "desktop/docs.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/text.h"

namespace desktop {

namespace {

using platform::Access;
using platform::Hive;
using Table = TFrmdocs::Table;

// ---- The window's texts ----

constexpr std::string_view kCaption = "What You Viewed On Your Computer";
constexpr std::string_view kIntro =
    "Various files, documents, videos, sound files, and picture names are listed below. These "
    "are all files that you have read or viewed recently, and these \"viewing\" trails are left "
    "behind throughout your computer.";
constexpr std::string_view kWhere =
    "These trails can be found or viewed in drop-down lists in many of your applications. Not "
    "only can you clean these up (many of these are hidden in the system registry), but keeping "
    "a cleaner registry will also help improve performance and boot-up speed.";
constexpr std::string_view kNote =
    "(NOTE: Deleting any of these trails in the list below will NOT remove or alter your actual "
    "document, picture, file, etc., on your computer. It will only clean the hidden trail.)";
constexpr std::string_view kCountPrefix = "Total Tracks Found = ";
constexpr std::string_view kClean = "No viewed names are found. Your system is clean.";
constexpr std::string_view kCleaned = "The trail was succesfully cleaned.";
constexpr std::string_view kNotCleaned = "The trail could not be removed from the registry.";
constexpr std::string_view kNoViewer =
    "This file cannot be viewed because the file extension does not have a default viewer "
    "assigned to it within Windows. You may want to view this file separately, or setup your "
    "system to have a viewer assigned to this file extension. Instructions for doing this are "
    "listed under Windows \"Help\".";
constexpr std::string_view kCannotOpen =
    "We cannot open or run this file. Use the \"Remove Highlighted\" button to remove this trail "
    "(The actual file will not be removed, but the trail showing your viewing history of this "
    "will be cleaned).";
constexpr std::string_view kRemoveAllQuestion =
    "You are about to remove all the trails (file names) listed above. These links are stored in "
    "various locations throughout your pc, and show what you have viewed or worked on. This will "
    "only remove the link names, and the actual files from your pc will not be altered or "
    "deleted in any way. Click YES to remove all the found links listed.";

// ---- The sources ----

constexpr std::string_view kMm20Key = "Software\\Microsoft\\MM20\\Recent Document List";
constexpr std::string_view kMediaUrlKey = "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList";
constexpr std::string_view kMediaFileKey =
    "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
constexpr std::string_view kOpenSaveKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
constexpr std::string_view kQuickTimeKey =
    "Software\\Apple Computer, Inc.\\QuickTime\\Recent Movies";

// How a source is read.
enum class Reader {
  kNumbered,    // values `value` + n, n from `first` to `last`
  kKeyPerSlot,  // the default value of keys `key` + n, n from `first` to `last`
  kOpenSave,    // values "a" to "z" of every OpenSaveMRU subkey
  kValueNames,  // the name of every value
};

struct Source {
  Hive hive;
  std::string_view key;
  Reader reader;
  std::string_view value;
  int first;
  int last;
  std::string_view prefix;  // put before the value in the list line
  Table table;
  int recent_row;  // the row of the recent-lists table (kRecent only)
};

constexpr Hive HKCU = Hive::kCurrentUser;
constexpr Hive HKLM = Hive::kLocalMachine;

// In list order.
constexpr std::array<Source, 19> kSources{{
    {HKCU, "Software\\Microsoft\\Office\\8.0\\Excel\\Recent File List", Reader::kNumbered, "File",
     1, 4, "", Table::kRecent, 0},
    {HKCU, "Software\\Microsoft\\PowerPoint\\8.0\\Excel\\Recent File List", Reader::kNumbered,
     "File", 1, 4, "", Table::kRecent, 1},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List",
     Reader::kNumbered, "File", 1, 4, "", Table::kRecent, 2},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List",
     Reader::kNumbered, "File", 1, 4, "", Table::kRecent, 3},
    {HKCU, "Software\\Microsoft\\Works\\4.0\\Recent File List", Reader::kNumbered, "File", 1, 4, "",
     Table::kRecent, 4},
    {HKCU, "Software\\Kodak\\Imaging\\Recent File List", Reader::kNumbered, "File", 1, 4, "",
     Table::kRecent, 5},
    {HKCU, "Software\\jasc\\Paint Shop Pro 6\\Recent File List", Reader::kNumbered, "File", 1, 4,
     "", Table::kRecent, 6},
    {HKCU, "Software\\Microsoft\\Office\\9.0\\Excel\\Recent Files", Reader::kNumbered, "File", 1, 4,
     "", Table::kRecent, 7},
    {HKCU, "Software\\Microsoft\\Office\\9.0\\PowerPoint\\Recent File List", Reader::kNumbered,
     "File", 1, 4, "", Table::kRecent, 8},
    {HKCU, kMm20Key, Reader::kNumbered, "Document", 1, 4, "", Table::kNone, 0},
    {HKCU, kMediaUrlKey, Reader::kNumbered, "URL", 0, 49, "", Table::kMediaUrls, 0},
    {HKCU, kMediaFileKey, Reader::kNumbered, "File", 0, 49, "", Table::kMediaFiles, 0},
    {HKCU, kOpenSaveKey, Reader::kOpenSave, "", 0, 0, "", Table::kNone, 0},
    {HKLM,
     "Software\\CLASSES\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\HistoryList\\URL",
     Reader::kKeyPerSlot, "", 1, 50, "Real Player URL : ", Table::kRealA, 0},
    {HKLM,
     "Software\\CLASSES\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MostRecentClips",
     Reader::kKeyPerSlot, "", 1, 50, "Real Player Recent : ", Table::kRealB, 0},
    {HKCU, "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MostRecentClips",
     Reader::kKeyPerSlot, "", 1, 50, "Real Player Recent 2 : ", Table::kRealB2, 0},
    {HKLM,
     "Software\\CLASSES\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\OpenLocationClips",
     Reader::kKeyPerSlot, "", 1, 50, "Real Player Locations : ", Table::kRealC, 0},
    {HKCU, "Software\\MorpheusOS\\Searches", Reader::kNumbered, "1014-", 1, 30,
     "Morpheus : ", Table::kMorpheus, 0},
    {HKLM, kQuickTimeKey, Reader::kValueNames, "", 0, 0, "", Table::kNone, 0},
}};
static_assert(kSources.size() == 19);

// The recent-file lists are the first rows, each filling its own row of
// the remembered table.
constexpr const Source& RecentSource(int row) { return kSources[static_cast<size_t>(row)]; }
constexpr bool RecentRowsFirst() {
  for (int k = 0; k < TFrmdocs::kRecentLists; ++k) {
    if (RecentSource(k).table != Table::kRecent || RecentSource(k).recent_row != k) return false;
  }
  return true;
}
static_assert(RecentRowsFirst());

// The extension subkeys of OpenSaveMRU, in the order they are read.
constexpr std::array<std::string_view, 76> kOpenSaveSubkeys{{
    "\\*",   "\\aif",  "\\aifc", "\\aiff", "\\asf",   "\\au",  "\\avi", "\\bmp", "\\cda", "\\d5",
    "\\DOC", "\\dpr",  "\\exe",  "\\iss",  "\\jpg",   "\\gif", "\\m1v", "\\m3u", "\\mid", "\\mp2",
    "\\mp3", "\\mpa",  "\\mpe",  "\\mpeg", "\\mpg",   "\\pas", "\\rmi", "\\rtf", "\\snd", "\\txt",
    "\\wav", "\\wax",  "\\wm",   "\\wma",  "\\wmv",   "\\wmx", "\\wvx", "\\ZIP", "\\bat", "\\dat",
    "\\dll", "\\efx",  "\\eml",  "\\htm",  "\\html",  "\\ico", "\\ini", "\\js",  "\\log", "\\midi",
    "\\mim", "\\mov",  "\\pcx",  "\\pdf",  "\\rar",   "\\rm",  "\\scr", "\\TIF", "\\xml", "\\wks",
    "\\url", "\\jpeg", "\\jpe",  "\\wps",  "\\mswmm", "\\xls", "\\cfg", "\\db",  "\\dsn", "\\mdi",
    "\\nri", "\\png",  "\\psd",  "\\ram",  "\\flv",   "\\mp4",
}};
static_assert(kOpenSaveSubkeys.size() == 76);

std::string Letter(int i) { return std::string(1, static_cast<char>('a' + i)); }
constexpr int kLetters = 26;

// A numbered name: "File" and 3 give "File3".
std::string Numbered(std::string_view prefix, int n) {
  return std::string(prefix) + std::to_string(n);
}

bool SameTrail(std::string_view a, std::string_view b) {
  return text::EqualsNoCase(text::Trim(a), text::Trim(b));
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return !prefix.empty() && s.substr(0, prefix.size()) == prefix;
}

// Takes the slot `at` out of `slots` (the later ones move up, the last is
// emptied) and writes every slot back to HKEY_CURRENT_USER `key` as the
// values `prefix` + first, first + 1, ...; true when every write succeeded.
template <size_t N>
bool ShiftOutAndWriteBack(platform::Registry& registry, std::array<std::string, N>& slots,
                          typename std::array<std::string, N>::iterator at, std::string_view key,
                          std::string_view prefix, int first) {
  std::move(at + 1, slots.end(), at);
  slots.back().clear();
  auto k = registry.Open(HKCU, key, false, Access::kFull);
  if (!k) return false;
  bool written = true;
  for (size_t i = 0; i < N; ++i)
    written = k->WriteString(Numbered(prefix, first + static_cast<int>(i)), slots[i]) && written;
  return written;
}

}  // namespace

TFrmdocs::TFrmdocs(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "Frmdocs", std::string(kCaption), 600, 440), g_(g) {
  SetPositionRule(ui::Position::kScreenCenter);
  Label1.SetCaption(std::string(kIntro));
  Label2.SetCaption(std::string(kWhere));
  Label3.SetCaption(std::string(kNote));
  for (ui::Label* label : {&Label1, &Label2, &Label3}) label->SetWordWrap(true);
  CmdRemoveAll.SetHint("Remove all trails in the list above");
  CmdRemove.SetHint("Remove the highlighted trail in the list.");

  OnCreate = [this] { FormCreate(); };
  ListBox1.OnClick = [this] { ListBox1Click(); };
  ListBox1.OnDblClick = [this] { ListBox1DblClick(); };
  CmdRemove.OnClick = [this] { CmdRemoveClick(); };
  CmdRemoveAll.OnClick = [this] { CmdRemoveAllClick(); };
  CmdReturn.OnClick = [this] { Close(); };
}

void TFrmdocs::FormCreate() {
  LoadTrails();
  SetScrollExtent();
}

std::string* TFrmdocs::Slot(Table table, int recent_row, int n) {
  auto at = [n](auto& slots) -> std::string* {
    if (n < 0 || static_cast<size_t>(n) >= slots.size()) return nullptr;
    return &slots[static_cast<size_t>(n)];
  };
  switch (table) {
    case Table::kNone:
      return nullptr;
    case Table::kRecent: {
      // Values File1 to File4 go to places 0 to 3 of the program's row.
      if (recent_row < 0 || recent_row >= kRecentLists || n < 1 || n > kRecentValues)
        return nullptr;
      return &recent_[static_cast<size_t>(recent_row)][static_cast<size_t>(n - 1)];
    }
    case Table::kMediaUrls:
      return at(media_urls_);
    case Table::kMediaFiles:
      return at(media_files_);
    case Table::kRealA:
      return at(real_a_);
    case Table::kRealB:
      return at(real_b_);
    case Table::kRealB2:
      return at(real_b2_);
    case Table::kRealC:
      return at(real_c_);
    case Table::kMorpheus:
      return at(morpheus_);
  }
  return nullptr;
}

// ---- Loading ---------------------------------------------------------------

void TFrmdocs::LoadTrails() {
  for (auto& row : recent_) row.fill({});
  media_urls_.fill({});
  media_files_.fill({});
  real_a_.fill({});
  real_b_.fill({});
  real_b2_.fill({});
  real_c_.fill({});
  morpheus_.fill({});
  ListBox1.Clear();

  auto& registry = g_.Platform().registry;
  std::vector<std::string> lines;
  // One value read of a source: trimmed, and taken only when non-empty.
  auto take = [&](const Source& s, int n, std::optional<std::string> read) {
    if (!read) return;
    std::string value = text::Trim(*read);
    if (value.empty()) return;
    if (s.reader == Reader::kKeyPerSlot && value == "|") return;
    if (std::string* slot = Slot(s.table, s.recent_row, n)) *slot = value;
    lines.push_back(std::string(s.prefix) + value);
  };

  for (const Source& s : kSources) {
    switch (s.reader) {
      case Reader::kNumbered: {
        auto key = registry.Open(s.hive, s.key, false, Access::kRead);
        if (!key) break;
        for (int n = s.first; n <= s.last; ++n) take(s, n, key->ReadString(Numbered(s.value, n)));
        break;
      }
      case Reader::kKeyPerSlot:
        for (int n = s.first; n <= s.last; ++n) {
          auto key = registry.Open(s.hive, Numbered(s.key, n), false, Access::kRead);
          if (key) take(s, n, key->ReadString(""));
        }
        break;
      case Reader::kOpenSave:
        for (std::string_view sub : kOpenSaveSubkeys) {
          auto key =
              registry.Open(s.hive, std::string(s.key) + std::string(sub), false, Access::kRead);
          if (!key) continue;
          for (int i = 0; i < kLetters; ++i) take(s, 0, key->ReadString(Letter(i)));
        }
        break;
      case Reader::kValueNames: {
        auto key = registry.Open(s.hive, s.key, false, Access::kRead);
        if (!key) break;
        for (std::string& name : key->ValueNames()) take(s, 0, std::move(name));
        break;
      }
    }
  }
  ListBox1.SetItems(std::move(lines));
  ShowCount();
}

void TFrmdocs::ShowCount() {
  const bool any = ListBox1.Count() > 0;
  if (any) {
    ListBox1.SetItemIndex(0);
    LblCount.SetCaption(std::string(kCountPrefix) + std::to_string(ListBox1.Count()));
  } else {
    LblInfo.SetCaption(std::string(kClean));
    LblCount.SetCaption(std::string(kCountPrefix) + "0");
  }
  ListBox1.SetEnabled(any);
  CmdRemove.SetEnabled(any);
  CmdRemoveAll.SetEnabled(any);
}

void TFrmdocs::SetScrollExtent() { ListBox1.FitHorizontalExtent(0); }

// ---- Opening ---------------------------------------------------------------

void TFrmdocs::ListBox1Click() { LblInfo.SetCaption({}); }

// Opens the file a line names; a line that names no file gets the hint to
// remove it instead.
void TFrmdocs::ListBox1DblClick() {
  const int index = ListBox1.ItemIndex();
  if (index < 0) return;
  const std::string& line = ListBox1.Item(index);
  auto& fs = g_.Platform().fs;
  if (!fs.Exists(line) || fs.IsFolder(line)) {
    System().ShowMessage(kCannotOpen);
    return;
  }
  if (g_.Platform().shell.Open(line, "", "", platform::ShowCommand::kMaximised) <= 32) {
    System().Warning(kNoViewer);
  }
}

// ---- Removing --------------------------------------------------------------

void TFrmdocs::CmdRemoveClick() {
  const int index = ListBox1.ItemIndex();
  if (index < 0) return;
  const bool changed = RemoveTrail(ListBox1.Item(index));
  // The line goes whatever happened, so that "Remove All" always ends.
  ListBox1.Delete(index);
  LblInfo.SetCaption(std::string(changed ? kCleaned : kNotCleaned));
  ShowCount();
}

void TFrmdocs::CmdRemoveAllClick() {
  if (System().MessageBox(ui::BoxKind::kInformation, ui::Buttons::kYesNo, kRemoveAllQuestion) !=
      ui::Answer::kYes) {
    return;
  }
  while (ListBox1.Count() > 0) {
    ListBox1.SetItemIndex(0);
    CmdRemoveClick();
  }
}

bool TFrmdocs::RemoveTrail(const std::string& line) {
  std::string t = line;
  bool found = false;
  bool prefixed = false;
  bool changed = RemovePrefixed(t, found, prefixed);
  if (!prefixed) changed |= RemoveFromRecentLists(t, found);
  if (!found) changed |= RemoveMediaFile(t, found);
  if (!found) changed |= RemoveMediaUrl(t, found);
  if (!found && !text::Trim(t).empty()) {
    changed |= ClearOpenSaveValues(t);
    changed |= DeleteMm20Values(t);
    changed |= DeleteQuickTimeValues(t);
  }
  return changed;
}

// The RealPlayer and Morpheus lines: their prefix names the table and the
// key of the slot to clear. `t` loses the prefix for the later steps.
bool TFrmdocs::RemovePrefixed(std::string& t, bool& found, bool& prefixed) {
  for (const Source& s : kSources) {
    if (!StartsWith(t, s.prefix)) continue;
    prefixed = true;
    t.erase(0, s.prefix.size());
    for (int n = s.first; n <= s.last; ++n) {
      std::string* slot = Slot(s.table, 0, n);
      if (!slot || *slot != t) continue;
      found = true;
      slot->clear();
      auto& registry = g_.Platform().registry;
      if (s.reader == Reader::kKeyPerSlot) {
        auto key = registry.Open(s.hive, Numbered(s.key, n), false, Access::kFull);
        return key && key->WriteString("", "");
      }
      auto key = registry.Open(s.hive, s.key, false, Access::kFull);
      return key && key->WriteString(Numbered(s.value, n), "");
    }
    return false;
  }
  return false;
}

// A program's recent-file list: the entries after the removed one move up
// and the last becomes an empty string.
bool TFrmdocs::RemoveFromRecentLists(const std::string& t, bool& found) {
  for (int k = 0; k < kRecentLists; ++k) {
    auto& row = recent_[static_cast<size_t>(k)];
    const auto at = std::find(row.begin(), row.end(), t);
    if (at == row.end()) continue;
    found = true;
    const Source& s = RecentSource(k);
    return ShiftOutAndWriteBack(g_.Platform().registry, row, at, s.key, s.value, 1);
  }
  return false;
}

// A Media Player file keeps its value, emptied.
bool TFrmdocs::RemoveMediaFile(const std::string& t, bool& found) {
  for (int n = 0; n < kMediaSlots; ++n) {
    std::string& slot = media_files_[static_cast<size_t>(n)];
    if (slot != t) continue;
    found = true;
    slot.clear();
    auto key = g_.Platform().registry.Open(HKCU, kMediaFileKey, false, Access::kFull);
    return key && key->WriteString(Numbered("File", n), "");
  }
  return false;
}

// A Media Player address: the later ones move up, so the list stays
// numbered without a gap.
bool TFrmdocs::RemoveMediaUrl(const std::string& t, bool& found) {
  const auto at = std::find(media_urls_.begin(), media_urls_.end(), t);
  if (at == media_urls_.end()) return false;
  found = true;
  return ShiftOutAndWriteBack(g_.Platform().registry, media_urls_, at, kMediaUrlKey, "URL", 0);
}

// Every Open/Save box entry naming the trail, under every extension.
bool TFrmdocs::ClearOpenSaveValues(const std::string& t) {
  bool changed = false;
  for (std::string_view sub : kOpenSaveSubkeys) {
    auto key = g_.Platform().registry.Open(HKCU, std::string(kOpenSaveKey) + std::string(sub),
                                           false, Access::kFull);
    if (!key) continue;
    for (int i = 0; i < kLetters; ++i) {
      auto value = key->ReadString(Letter(i));
      if (value && SameTrail(*value, t))
        changed |= static_cast<bool>(key->WriteString(Letter(i), ""));
    }
  }
  return changed;
}

bool TFrmdocs::DeleteMm20Values(const std::string& t) {
  auto key = g_.Platform().registry.Open(HKCU, kMm20Key, false, Access::kFull);
  if (!key) return false;
  bool changed = false;
  for (int n = 1; n <= kRecentValues; ++n) {
    const std::string name = Numbered("Document", n);
    auto value = key->ReadString(name);
    if (value && SameTrail(*value, t)) changed |= static_cast<bool>(key->DeleteValue(name));
  }
  return changed;
}

bool TFrmdocs::DeleteQuickTimeValues(const std::string& t) {
  auto key = g_.Platform().registry.Open(HKLM, kQuickTimeKey, false, Access::kFull);
  if (!key) return false;
  bool changed = false;
  for (const std::string& name : key->ValueNames()) {
    if (SameTrail(name, t)) changed |= static_cast<bool>(key->DeleteValue(name));
  }
  return changed;
}

}  // namespace desktop
