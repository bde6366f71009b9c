#include "browsers/netprofiles.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "browsers/scandrv.h"
#include "core/sweep/scanrecords.h"
#include "core/sweep/sweep.h"
#include "platform/text.h"

namespace browsers {

using sweep::IsAbsolutePath;
using sweep::ScanRecords;

namespace {

constexpr std::string_view kNavigatorKey = "Software\\Netscape\\Netscape Navigator\\";
constexpr std::string_view kUsersKey = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";

// The upper-cased start of the line that sets the cache folder:
// user_pref("browser.cache.directory"
constexpr std::string_view kPrefsCachePrefix = "USER_PREF(\"BROWSER.CACHE.DIRECTORY\"";
static_assert(kPrefsCachePrefix.size() == 35);

std::string ReadValue(platform::Registry& registry, platform::Hive hive, std::string_view key,
                      std::string_view value) {
  auto k = registry.Open(hive, key, false, platform::Access::kRead);
  if (!k) return {};
  return k->ReadString(value).value_or("");
}

// A scanned folder's file, when the folder still holds it.
std::string ScannedFile(platform::FileSystem& fs, const std::string& folder,
                        std::string_view name) {
  if (!IsAbsolutePath(folder)) return {};
  std::string path = folder + std::string(name);
  return fs.Exists(path) ? path : std::string();
}

template <int N>
void Drop(core::FixedList<N>& list, const std::string& path) {
  const std::string wanted = text::Upper(path);
  for (int n = 1; n <= N; ++n) {
    const std::string& entry = list[n];
    if (entry.empty()) continue;
    const std::string upper = text::Upper(entry);
    if (upper == wanted || upper + "\\" == wanted) list.Set(n, {});
  }
}

}  // namespace

bool UsableUserDir(const std::string& dir) { return !text::Trim(dir).empty(); }

void ReadNetscapeUsers(platform::Registry& registry, NetscapeUsers& users) {
  using platform::Hive;
  users.NetCacheDir.clear();
  users.NetCookieDir.clear();
  users.NetHistoryDir.clear();
  users.NetLastUser = -1;

  const std::string navigator(kNavigatorKey);
  users.NetCacheDir = ReadValue(registry, Hive::kCurrentUser, navigator + "Cache", "Cache Dir");
  users.NetCookieDir = text::ExtractFilePath(
      ReadValue(registry, Hive::kCurrentUser, navigator + "Cookies", "Cookie File"));
  users.NetHistoryDir = text::ExtractFilePath(
      ReadValue(registry, Hive::kCurrentUser, navigator + "History", "History File"));

  auto key = registry.Open(Hive::kLocalMachine, kUsersKey, false, platform::Access::kRead);
  if (!key) return;
  std::vector<std::string> names = key->SubkeyNames();
  // At most as many profiles as the tables hold.
  const int count = std::min<int>(static_cast<int>(names.size()), kNetUserLimit);
  users.NetLastUser = count - 1;
  for (int i = 0; i < count; ++i) {
    users.NetUserDirs[static_cast<size_t>(i)] = " ";
    users.NetUserCacheDirs[static_cast<size_t>(i)] = " ";
  }
  for (int i = 0; i < count; ++i) {
    const auto at = static_cast<size_t>(i);
    std::string root = text::Trim(ReadValue(registry, Hive::kLocalMachine,
                                            std::string(kUsersKey) + "\\" + names[at], "DirRoot"));
    // Without a folder the profile stays blank and is skipped.
    users.NetUserDirs[at] = root.empty() ? " " : root;
  }
}

void LoadScannedProfiles(core::Uglobalvars& g) {
  auto& fs = g.Platform().fs;
  g.WindowsDir = g.GetWindowsDir();
  auto& ini = g.Platform().ini;
  g.FFFormHistoryFile = text::Trim(ini.ReadString(g.ScanResultsFile, "FFFH", "P0", ""));
  g.FFCookieFile = text::Trim(ini.ReadString(g.ScanResultsFile, "FFCK", "P0", ""));
  g.FFPlacesFile = text::Trim(ini.ReadString(g.ScanResultsFile, "FFPL", "P0", ""));

  const ScanRecords cookies(ini, g.ScanResultsFile, "K17");
  const ScanRecords local_stores(ini, g.ScanResultsFile, "L44");
  const ScanRecords profiles(ini, g.ScanResultsFile, "P45");
  for (int n = 1; n <= kScanSectionSize; ++n) {
    g.NetCookieFiles.Set(n, ScannedFile(fs, cookies[n], "cookies.txt"));
    g.FFLocalStoreFiles.Set(n, ScannedFile(fs, local_stores[n], "localstore.rdf"));
    const std::string& profile = profiles[n];
    g.NetPrefsFiles.Set(n, ScannedFile(fs, profile, "prefs.js"));
    std::string cache;
    if (IsAbsolutePath(profile)) {
      if (fs.IsFolder(profile + "newcache")) {
        cache = profile + "newcache";
      } else if (fs.IsFolder(profile + "Cache")) {
        cache = profile + "cache";
      }
    }
    g.FFCacheDirs.Set(n, cache);
  }
}

void LoadScannedHistoryFiles(core::Uglobalvars& g) {
  auto& fs = g.Platform().fs;
  g.NetHistoryFiles.Clear();
  int count = 0;
  const ScanRecords folders(g.Platform().ini, g.ScanResultsFile, "H53");
  for (int n = 1; n <= kScanSectionSize; ++n) {
    const std::string& folder = folders[n];
    for (std::string_view name : {"netscape.hst", "history.dat", "formhistory.dat"}) {
      std::string path = ScannedFile(fs, folder, name);
      if (path.empty() || count >= core::kNetListSize) continue;
      g.NetHistoryFiles.Set(++count, std::move(path));
    }
  }
}

void DropScannedHistoryFile(core::Uglobalvars& g, const std::string& path) {
  Drop(g.NetHistoryFiles, path);
}

void DropScannedCookieFile(core::Uglobalvars& g, const std::string& path) {
  Drop(g.NetCookieFiles, path);
}

std::optional<std::string> PrefsCacheDirOfLine(const std::string& line) {
  if (line.size() < kPrefsCachePrefix.size()) return std::nullopt;
  if (text::Upper(std::string_view(line).substr(0, kPrefsCachePrefix.size())) !=
      kPrefsCachePrefix) {
    return std::nullopt;
  }
  const std::string none = " ";
  size_t i = kPrefsCachePrefix.size();
  auto skip_blanks = [&] {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  };
  skip_blanks();
  if (i >= line.size() || line[i] != ',') return none;
  ++i;
  skip_blanks();
  if (i >= line.size() || line[i] != '"') return none;
  ++i;
  // The string up to its closing quote; a backslash escapes the next
  // character (so "\"" does not end it).
  std::string value;
  bool closed = false;
  while (i < line.size()) {
    char c = line[i];
    if (c == '\\' && i + 1 < line.size()) {
      value += c;
      value += line[i + 1];
      i += 2;
      continue;
    }
    if (c == '"') {
      closed = true;
      break;
    }
    value += c;
    ++i;
  }
  if (!closed || text::Trim(value).empty() || value.find('"') != std::string::npos) return none;
  // "\\\\" is one backslash; then runs of them fold into one, except the
  // two that start a share name ("\\\\\\\\srv\\\\c" is \\srv\c).
  std::string folder;
  for (size_t at = 0; at < value.size(); ++at) {
    const bool escaped = value[at] == '\\' && at + 1 < value.size() && value[at + 1] == '\\';
    const bool share_start = folder == "\\";
    if (value[at] == '\\' && !folder.empty() && folder.back() == '\\' && !share_start) {
      if (escaped) ++at;
      continue;
    }
    folder += value[at];
    if (escaped) ++at;
  }
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

std::string ReadPrefsCacheDir(platform::FileSystem& fs, const std::string& prefs_file) {
  if (text::Trim(prefs_file).empty() || !fs.Exists(prefs_file)) return " ";
  auto lines = fs.ReadLines(prefs_file);
  if (!lines) return " ";
  for (const std::string& line : *lines) {
    if (auto folder = PrefsCacheDirOfLine(line)) return *folder;
  }
  return " ";
}

}  // namespace browsers
