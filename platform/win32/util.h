// Helpers shared by the Win32 platform objects: the one pair of UTF-8 <->
// UTF-16 conversions at the boundary, path checking, GetLastError mapping,
// the "fill a buffer, return its length" call pattern and a handle owner.
#pragma once

#include <windows.h>
// <windows.h> maps these names to their W functions with macros; the
// platform interfaces use them as method names, so the macros must not
// rename the methods. The W functions are always called by full name.
#undef DeleteFile
#undef MoveFile
#undef ReplaceFile
#undef CreateHardLink

#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace win32 {

// UTF-8 -> UTF-16. Invalid UTF-8 sequences become U+FFFD, which is never a
// wildcard or a separator, so a mangled name cannot match other files.
std::wstring Widen(std::string_view text);
// UTF-16 -> UTF-8. A lone surrogate (legal in NTFS names) becomes U+FFFD.
std::string Narrow(std::wstring_view text);

// A path for a Win32 file call, or nullopt when the path cannot be passed
// on as it is: it holds a NUL (the call would silently act on the part
// before it) or is MAX_PATH characters or longer (the ANSI-era limit every
// non-"\\?\" call enforces; refusing it here gives one defined result).
std::optional<std::wstring> WidePath(std::string_view path);

// Whether an existing file has the read-only attribute. Windows refuses
// to open such a file for writing or to replace it. Wine run as root lets
// root pass its Unix permission check and would allow both, so the calls
// that rewrite a file check this first, and the result is the same on both.
bool IsReadOnlyFile(const std::wstring& path);

platform::Error ErrorFrom(DWORD code);
// The Status for the calling thread's GetLastError().
platform::Status LastError();
// Ok when `ok` is non-zero, otherwise the GetLastError() status.
platform::Status StatusOf(BOOL ok);
// Ok for ERROR_SUCCESS, otherwise the mapped code (registry calls return
// their error instead of setting the thread's last error).
platform::Status StatusOfCode(LONG code);

// For the many calls that fill a caller's buffer and return the length
// written without the NUL, 0 on failure and the needed size when the buffer
// is too small (GetTempPath, GetWindowsDirectory, GetShortPathName,
// GetModuleFileName, ...). The buffer starts zeroed; 0 or a return of at
// least the buffer size is failure and gives "", so a too-small buffer is
// never read as if it had been filled.
template <typename Call>
std::string FilledString(DWORD capacity, Call call) {
  std::wstring buffer(capacity, L'\0');
  DWORD n = call(buffer.data(), capacity);
  if (n == 0 || n >= capacity) return {};
  buffer.resize(n);
  return Narrow(buffer);
}

// Owns a kernel handle from CreateFile, OpenProcess, CreateToolhelp32Snapshot.
class Handle {
 public:
  explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~Handle() { Reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& other) noexcept : h_(other.h_) { other.h_ = INVALID_HANDLE_VALUE; }
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) {
      Reset();
      h_ = other.h_;
      other.h_ = INVALID_HANDLE_VALUE;
    }
    return *this;
  }

  // CreateFile and snapshots fail with INVALID_HANDLE_VALUE, OpenProcess
  // with NULL; both count as "no handle".
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE Get() const { return h_; }
  void Reset() {
    if (Valid()) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

// Looks up a function exported by a loaded module, typed. GetProcAddress
// returns a generic FARPROC; the cast through void* keeps -Wcast-function-type
// quiet for this intended conversion.
template <typename Fn>
Fn ProcAddress(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace win32
