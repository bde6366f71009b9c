#include "platform/win32/util.h"

#include <climits>

namespace win32 {

using platform::Error;
using platform::Status;

std::wstring Widen(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  int size = static_cast<int>(text.size());
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  int size = static_cast<int>(text.size());
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::optional<std::wstring> WidePath(std::string_view path) {
  if (path.find('\0') != std::string_view::npos) return std::nullopt;
  std::wstring wide = Widen(path);
  if (wide.size() >= MAX_PATH) return std::nullopt;
  return wide;
}

bool IsReadOnlyFile(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) &&
         !(a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

struct ErrorRow {
  DWORD code;
  Error error;
};

// The Win32 codes the program tells apart; everything else is kOther.
constexpr ErrorRow kErrors[] = {
    {ERROR_FILE_NOT_FOUND, Error::kNotFound},
    {ERROR_NO_MORE_FILES, Error::kNotFound},
    {ERROR_PATH_NOT_FOUND, Error::kPathNotFound},
    {ERROR_INVALID_DRIVE, Error::kPathNotFound},
    {ERROR_BAD_NETPATH, Error::kPathNotFound},
    {ERROR_ACCESS_DENIED, Error::kAccessDenied},
    {ERROR_WRITE_PROTECT, Error::kAccessDenied},
    {ERROR_SHARING_VIOLATION, Error::kSharingViolation},
    {ERROR_LOCK_VIOLATION, Error::kSharingViolation},
    {ERROR_ALREADY_EXISTS, Error::kAlreadyExists},
    {ERROR_FILE_EXISTS, Error::kAlreadyExists},
    {ERROR_DIR_NOT_EMPTY, Error::kNotEmpty},
    {ERROR_INVALID_NAME, Error::kInvalidName},
    {ERROR_BAD_PATHNAME, Error::kInvalidName},
    {ERROR_FILENAME_EXCED_RANGE, Error::kInvalidName},
    {ERROR_DIRECTORY, Error::kInvalidName},
    {ERROR_WRITE_FAULT, Error::kWriteFault},
    {ERROR_DISK_FULL, Error::kWriteFault},
    {ERROR_HANDLE_DISK_FULL, Error::kWriteFault},
};

}  // namespace

Error ErrorFrom(DWORD code) {
  if (code == ERROR_SUCCESS) return Error::kNone;
  for (const ErrorRow& row : kErrors) {
    if (row.code == code) return row.error;
  }
  return Error::kOther;
}

Status LastError() {
  Error e = ErrorFrom(GetLastError());
  // A failed call that left no error code still failed.
  return Status::Fail(e == Error::kNone ? Error::kOther : e);
}

Status StatusOf(BOOL ok) { return ok ? Status::Ok() : LastError(); }

Status StatusOfCode(LONG code) { return {ErrorFrom(static_cast<DWORD>(code))}; }

}  // namespace win32
