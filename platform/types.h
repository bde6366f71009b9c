// Plain value types shared by every platform interface. They mirror what
// Windows reports (attribute bits, 100 ns file times, version fields) so the
// program logic can reason about them without any Win32 header.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// File attribute bits, with the values Windows uses.
enum Attr : uint32_t {
  kAttrReadOnly = 0x1,
  kAttrHidden = 0x2,
  kAttrSystem = 0x4,
  kAttrVolume = 0x8,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrNormal = 0x80,
  kAttrReparsePoint = 0x400,
};

// The attribute filter of find-first: "any file" as the classic faAnyFile.
inline constexpr uint32_t kFindAnyFile = 0x3F;

// Outcome of a platform call that can fail. Converts to true on success so
// callers write `if (fs.DeleteFile(p))`; contract tests read `error`.
enum class Error {
  kNone = 0,
  kNotFound,          // ERROR_FILE_NOT_FOUND (2)
  kPathNotFound,      // ERROR_PATH_NOT_FOUND (3)
  kAccessDenied,      // ERROR_ACCESS_DENIED (5), e.g. a read-only file
  kSharingViolation,  // ERROR_SHARING_VIOLATION (32), a locked file
  kAlreadyExists,     // ERROR_ALREADY_EXISTS (183) / ERROR_FILE_EXISTS (80)
  kNotEmpty,          // ERROR_DIR_NOT_EMPTY (145)
  kInvalidName,       // ERROR_INVALID_NAME (123), bad or too long a path
  kWriteFault,        // the data could not be written
  kOther,
};

struct Status {
  Error error = Error::kNone;
  explicit operator bool() const { return error == Error::kNone; }
  static Status Ok() { return {}; }
  static Status Fail(Error e) { return {e}; }
};

// A window of the system (an HWND) handed through to shell calls that show
// their own windows; 0 means none.
using WindowHandle = uintptr_t;

// A file time: 100-nanosecond intervals since 1601-01-01 UTC (FILETIME).
using FileTime = uint64_t;

// Calendar date and time as SYSTEMTIME gives it (local time).
struct DateTime {
  int year = 0;
  int month = 0;        // 1..12
  int day = 0;          // 1..31
  int day_of_week = 0;  // 0 = Sunday
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

}  // namespace platform
