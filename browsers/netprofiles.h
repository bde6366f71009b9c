// Netscape, Mozilla and Firefox profile discovery: finds the profile
// folders and files of every Netscape-family browser and records them in
// the shared lists (NetHistoryFiles, NetCookieFiles, FFLocalStoreFiles,
// NetPrefsFiles, FFCacheDirs and the three single Firefox paths). Two
// sources are combined: the registry entries Netscape Navigator writes and
// the record sections of the scan-results file, in which the drive scan
// noted every folder where it found such files (also profiles left behind
// by uninstalled browsers). Runs once per program run, at the start of the
// Netscape/Firefox survey; it deletes nothing.
//
// Profile folders that are blank (a Navigator profile without "DirRoot")
// stay " " and every profile loop skips them, so a missing folder never
// turns into the root of the current drive.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/uglobalvars.h"
#include "platform/filesystem.h"
#include "platform/registry.h"

namespace browsers {

inline constexpr int kNetUserLimit = 256;

// What Netscape Navigator's registry entries name.
struct NetscapeUsers {
  // Folders of the current user's settings, each with its trailing
  // backslash as the registry gives it; empty when absent.
  std::string NetCacheDir;
  std::string NetCookieDir;
  std::string NetHistoryDir;
  // One pair per Navigator user profile, indexed from 0: the profile folder
  // (no trailing backslash; " " when unknown) and the cache folder named in
  // its prefs.js.
  std::array<std::string, kNetUserLimit> NetUserDirs;
  std::array<std::string, kNetUserLimit> NetUserCacheDirs;
  // Index of the last profile; -1 when there is none.
  int NetLastUser = -1;
};

// Whether a profile folder names a place (not blank).
bool UsableUserDir(const std::string& dir);

// Fills the Netscape registry state; keys that do not open are skipped.
void ReadNetscapeUsers(platform::Registry& registry, NetscapeUsers& users);
// Fills NetCookieFiles, FFLocalStoreFiles, NetPrefsFiles, FFCacheDirs (entry
// n from scan record n; empty when the record names no such file) and the
// three single Firefox paths.
void LoadScannedProfiles(core::Uglobalvars& g);
// Fills NetHistoryFiles, packed, from the history records of the scan.
void LoadScannedHistoryFiles(core::Uglobalvars& g);
// Clears every entry naming `path` (letter case ignored, with or without a
// trailing backslash), so a file the registry names is not counted twice.
void DropScannedHistoryFile(core::Uglobalvars& g, const std::string& path);
void DropScannedCookieFile(core::Uglobalvars& g, const std::string& path);

// The cache folder that a prefs.js file names in its browser.cache.directory
// line, with single backslashes and one trailing backslash; " " when the
// file does not exist, has no such line, or the line holds no complete,
// non-empty quoted value. Only the first matching line counts.
std::string ReadPrefsCacheDir(platform::FileSystem& fs, const std::string& prefs_file);
// The same for one line; nullopt when the line does not set the value.
std::optional<std::string> PrefsCacheDirOfLine(const std::string& line);

}  // namespace browsers
