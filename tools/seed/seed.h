// Puts a realistic "dirty" Windows user profile onto a machine, for the demo
// and the end-to-end tests: browser caches, cookies and histories, typed
// URLs, temp and dump files, recent-document links, MRU lists, startup
// entries, IM logs and a few documents and pictures.
//
// Everything goes through the platform interfaces, into the folders the
// system itself reports (special folders, temp path, Windows folder), so
// the profile follows the machine's real layout: C:\Documents and Settings
// on XP, C:\users\<name>\AppData under Wine. What is seeded is data (the
// tables in profile.cpp); the code here only places it.
//
// Seeding is idempotent: a file or value already holding the wanted
// contents is left alone, so a second run changes nothing. A file that was
// deleted or changed since is put back as it was.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace seed {

struct SeedOptions {
  // The user name in IE cookie file names ("name@site[1].txt") and in a few
  // folder names; empty takes the last part of the user's profile folder.
  std::string user_name;
  // Internet Explorer 5 to 7 keep their cache in a folder named
  // "Temporary Internet Files" holding "Content.IE5"; newer systems (and
  // Wine) report "INetCache". When set, a cache folder of another name is
  // replaced by a "Temporary Internet Files" folder beside it, and the
  // user's Shell Folders and User Shell Folders "Cache" values are pointed
  // at it, as on a machine that still runs one of those versions.
  bool ie5_cache_layout = true;
  // Sends a few old files to the Recycle Bin when it is empty.
  bool fill_recycle_bin = true;
  // Writes a keep list of two cookies into the program's scan-results
  // file. That file's presence tells the program its first run (with the
  // drive scan) is over, so this is for a profile the program has already
  // started on.
  bool kept_cookies = false;
};

struct SeedReport {
  int written = 0;                    // files, folders, attributes and values created or changed
  int unchanged = 0;                  // already as wanted
  int skipped = 0;                    // entries whose folder the system does not report
  int recycled = 0;                   // files sent to the Recycle Bin
  std::vector<std::string> problems;  // what could not be done, and why
  // The folders used, as "name = path" lines, for the log of a run.
  std::vector<std::string> places;
  bool Ok() const { return problems.empty(); }
};

SeedReport SeedDirtyProfile(platform::Platform& platform, const SeedOptions& options);

}  // namespace seed
