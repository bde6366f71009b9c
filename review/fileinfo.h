// What the review windows show of one listed file: its directory entry,
// looked up by its exact path, and its times in the user's formats.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/filesystem.h"
#include "platform/sysinfo.h"

namespace review {

// The entry of the file at `path` (every attribute allowed); nullopt when
// there is none. A path holding "*" or "?" names no file: it is never
// handed to find-first, which would take it as a pattern.
std::optional<platform::FindData> LookUpFile(platform::FileSystem& fs, std::string_view path);

// A file time in local time, as the user's short date, a blank and the
// long time (the time left out at exactly midnight).
std::string FileDate(platform::SystemInfo& system, platform::FileTime time);

}  // namespace review
