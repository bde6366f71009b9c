// Facts about the running system: version, memory, the user's date and time
// formats, the clock and this program's own file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace platform {

// GetVersionEx (OSVERSIONINFO).
struct VersionInfo {
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
  uint32_t platform_id = 0;  // 1 = Windows 9x, 2 = NT
  std::string csd;           // service-pack text
};

// GlobalMemoryStatus (32-bit form) or GlobalMemoryStatusEx.
struct MemoryStatus {
  uint32_t memory_load = 0;  // percent
  uint64_t total_phys = 0;
  uint64_t avail_phys = 0;
  uint64_t total_page_file = 0;
  uint64_t avail_page_file = 0;
  uint64_t total_virtual = 0;
  uint64_t avail_virtual = 0;
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;

  virtual VersionInfo Version() = 0;
  virtual MemoryStatus Memory() = 0;    // the 32-bit call
  // The extended call, looked up in kernel32 at run time; nullopt where
  // the system lacks it (Windows 95, 98 and NT 4).
  virtual std::optional<MemoryStatus> MemoryEx() = 0;
  // The user's formats as GetLocaleInfo gives them, e.g. "M/d/yyyy" and
  // "h:mm:ss tt".
  virtual std::string ShortDateFormat() = 0;
  virtual std::string LongTimeFormat() = 0;
  virtual DateTime Now() = 0;
  // A file time in the local time zone as a calendar date
  // (FileTimeToLocalFileTime, FileTimeToSystemTime).
  virtual DateTime LocalTime(FileTime time) = 0;
  // Milliseconds since start, for measuring and pacing.
  virtual uint64_t TickCount() = 0;
  // Full path of the running executable.
  virtual std::string ProgramPath() = 0;
  // The text in the OEM code page, the one the command interpreter reads
  // batch files in; nullopt when a character has no exact form there
  // (nothing is replaced by a look-alike or "?").
  virtual std::optional<std::string> OemText(std::string_view text) = 0;
  // UTF-8 text in the system's ANSI code page (WideCharToMultiByte with
  // CP_ACP), for files that other programs read as 8-bit text; characters
  // the code page lacks become "?".
  virtual std::string ToSystemCodePage(std::string_view utf8) = 0;
};

}  // namespace platform
