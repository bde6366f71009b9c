// platform::FileSystem over the wide Win32 file functions.
#include <algorithm>
#include <new>
#include <stdexcept>
#include <vector>

#include "platform/win32/util.h"

#include <winioctl.h>
#include <winternl.h>

#include "platform/filesystem.h"
#include "platform/text.h"
#include "platform/win32/backend.h"

namespace win32 {
namespace {

using platform::DriveInfo;
using platform::DriveType;
using platform::Error;
using platform::FindData;
using platform::Status;

// The pieces written or read per WriteFile/ReadFile call: their length is
// a DWORD, and a bounded chunk keeps one call from tying up the disk.
constexpr DWORD kChunk = 64 * 1024;

// Share modes that let other programs (and our own next call) read, write
// and delete while we read or stamp a file.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

platform::FileTime ToFileTime(const FILETIME& ft) {
  return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

Status InvalidName() { return Status::Fail(Error::kInvalidName); }

// The find-first filter: hidden, system, directory and volume-label entries
// are listed only when their bit is allowed. FindFirstFile itself returns
// every entry; the old DOS-style attribute search is ours to apply.
constexpr uint32_t kFilteredAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                         FILE_ATTRIBUTE_DIRECTORY | platform::kAttrVolume;

// FindFirstFile also matches the pattern against each entry's 8.3 short
// name, so "*.tmp" lists "a.tmpl" (short name "A~1.TMP") and a cleanup by
// pattern would delete files the user never meant. Every entry is
// therefore checked again against its long name.
class Win32FindHandle : public platform::FindHandle {
 public:
  Win32FindHandle(HANDLE h, const WIN32_FIND_DATAW& first, uint32_t allowed,
                  std::string name_pattern)
      : h_(h),
        pending_(first),
        have_pending_(true),
        allowed_(allowed),
        name_pattern_(std::move(name_pattern)) {}
  ~Win32FindHandle() override { FindClose(h_); }

  bool Next(FindData& out) override {
    while (have_pending_) {
      WIN32_FIND_DATAW entry = pending_;
      have_pending_ = FindNextFileW(h_, &pending_) != 0;
      if ((entry.dwFileAttributes & kFilteredAttributes & ~allowed_) != 0) continue;
      std::string name = Narrow(entry.cFileName);
      if (!text::WildcardMatch(name_pattern_, name) && !IsDotEntry(name)) continue;
      out.name = std::move(name);
      out.short_name = Narrow(entry.cAlternateFileName);
      out.attributes = entry.dwFileAttributes;
      out.size = (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
      out.creation_time = ToFileTime(entry.ftCreationTime);
      out.last_access_time = ToFileTime(entry.ftLastAccessTime);
      out.last_write_time = ToFileTime(entry.ftLastWriteTime);
      return true;
    }
    return false;
  }

 private:
  HANDLE h_;
  WIN32_FIND_DATAW pending_;
  bool have_pending_;
  uint32_t allowed_;
  std::string name_pattern_;

  static bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }
};

class Win32FileSystem : public platform::FileSystem {
 public:
  std::unique_ptr<platform::FindHandle> FindFirst(std::string_view pattern, uint32_t allowed,
                                                  Error* error) override {
    auto wide = WidePath(pattern);
    if (!wide) {
      if (error) *error = Error::kInvalidName;
      return nullptr;
    }
    WIN32_FIND_DATAW first{};
    HANDLE h = FindFirstFileW(wide->c_str(), &first);
    if (h == INVALID_HANDLE_VALUE) {
      if (error) *error = LastError().error;
      return nullptr;
    }
    if (error) *error = Error::kNone;
    return std::make_unique<Win32FindHandle>(h, first, allowed,
                                             std::string(text::FileName(pattern)));
  }

  std::optional<uint32_t> GetAttributes(std::string_view path) override {
    auto wide = WidePath(path);
    if (!wide) return std::nullopt;
    DWORD a = GetFileAttributesW(wide->c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return a;
  }

  Status SetAttributes(std::string_view path, uint32_t attributes) override {
    auto wide = WidePath(path);
    if (!wide) return InvalidName();
    return StatusOf(SetFileAttributesW(wide->c_str(), attributes));
  }

  std::optional<uint64_t> GetSize(std::string_view path) override {
    auto wide = WidePath(path);
    if (!wide) return std::nullopt;
    // GetFileAttributesEx reads the size from the directory entry without
    // opening the file, so it works on files other programs hold locked.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }

  Status SetLastWriteTime(std::string_view path, platform::FileTime time) override {
    auto wide = WidePath(path);
    if (!wide) return InvalidName();
    // FILE_WRITE_ATTRIBUTES is all SetFileTime needs, and works on
    // read-only files; BACKUP_SEMANTICS lets the same call open a folder.
    Handle file(CreateFileW(wide->c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) return LastError();
    FILETIME ft{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    return StatusOf(SetFileTime(file.Get(), nullptr, nullptr, &ft));
  }

  Status DeleteFile(std::string_view path) override {
    auto wide = WidePath(path);
    if (!wide) return InvalidName();
    return StatusOf(DeleteFileW(wide->c_str()));
  }

  Status RemoveFolder(std::string_view path) override {
    auto wide = WidePath(path);
    if (!wide) return InvalidName();
    return StatusOf(RemoveDirectoryW(wide->c_str()));
  }

  Status MoveFile(std::string_view from, std::string_view to) override {
    return Move(from, to, MOVEFILE_COPY_ALLOWED);
  }

  Status ReplaceFile(std::string_view from, std::string_view to) override {
    // Windows refuses to replace a read-only file; see IsReadOnlyFile.
    if (auto wide_to = WidePath(to); wide_to && IsReadOnlyFile(*wide_to)) {
      return Status::Fail(Error::kAccessDenied);
    }
    // WRITE_THROUGH: when the move is a copy across volumes, return only
    // once the data is on the disk, so the source is never deleted first.
    return Move(from, to,
                MOVEFILE_COPY_ALLOWED | MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }

  Status CreateFolder(std::string_view path) override {
    auto wide = WidePath(path);
    if (!wide) return InvalidName();
    return StatusOf(CreateDirectoryW(wide->c_str(), nullptr));
  }

  std::optional<std::string> ReadBytes(std::string_view path) override {
    auto wide = WidePath(path);
    if (!wide) return std::nullopt;
    Handle file(CreateFileW(wide->c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return std::nullopt;
    // Allocation failures stay inside: a file too big for memory is simply
    // unreadable.
    try {
      std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
      size_t done = 0;
      while (done < bytes.size()) {
        DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk, bytes.size() - done));
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;  // the file shrank while we read it
        done += got;
      }
      bytes.resize(done);
      return bytes;
    } catch (const std::bad_alloc&) {
      return std::nullopt;
    } catch (const std::length_error&) {
      return std::nullopt;
    }
  }

  // Reads use the handle's own file position, moved only when a read does
  // not start where the last one ended. (An offset in an OVERLAPPED block
  // would need no position, but Wine then posts a completion to its server
  // on every call, which costs more than the read itself.)
  class Win32Reader : public platform::FileReader {
   public:
    explicit Win32Reader(Handle file) : file_(std::move(file)) {}

    // FileInternalInformation holds the index GetFileInformationByHandle
    // gives, without the volume's serial number that call also asks the
    // volume for each time (under Wine a round trip through the mount
    // manager's driver process).
    std::optional<uint64_t> Index() override {
      IO_STATUS_BLOCK io{};
      FILE_INTERNAL_INFORMATION info{};
      if (NtQueryInformationFile(file_.Get(), &io, &info, sizeof info, FileInternalInformation) !=
          0) {
        return std::nullopt;
      }
      return static_cast<uint64_t>(info.IndexNumber.QuadPart);
    }

    std::optional<size_t> ReadAt(uint64_t offset, char* buffer, size_t size) override {
      if (offset != position_) {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(offset);
        if (!SetFilePointerEx(file_.Get(), to, nullptr, FILE_BEGIN)) return std::nullopt;
        position_ = offset;
      }
      size_t done = 0;
      while (done < size) {
        DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk * 16, size - done));
        DWORD got = 0;
        if (!ReadFile(file_.Get(), buffer + done, want, &got, nullptr)) {
          position_ = kUnknownPosition;
          return std::nullopt;
        }
        position_ += got;
        if (got == 0) break;  // the end of the file
        done += got;
      }
      return done;
    }

   private:
    static constexpr uint64_t kUnknownPosition = ~uint64_t{0};
    Handle file_;
    uint64_t position_ = 0;
  };

  // CreateFile without FILE_FLAG_BACKUP_SEMANTICS opens no folder.
  std::unique_ptr<platform::FileReader> OpenRead(std::string_view path) override {
    auto wide = WidePath(path);
    if (!wide) return nullptr;
    Handle file(CreateFileW(wide->c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) return nullptr;
    return std::make_unique<Win32Reader>(std::move(file));
  }

  Status CreateHardLink(std::string_view path, std::string_view target) override {
    auto wide = WidePath(path);
    auto wide_target = WidePath(target);
    if (!wide || !wide_target) return InvalidName();
    return StatusOf(CreateHardLinkW(wide->c_str(), wide_target->c_str(), nullptr));
  }

  // Marked sparse first (where the file system supports it), so NTFS
  // allocates nothing for the range never written; elsewhere the call
  // fails harmlessly and the length is set all the same.
  Status SetLength(std::string_view path, uint64_t length) override {
    auto wide = WidePath(path);
    if (!wide) return InvalidName();
    Handle file(CreateFileW(wide->c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return StatusOf(FALSE);
    DWORD returned = 0;
    DeviceIoControl(file.Get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(length);
    return StatusOf(SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) &&
                    SetEndOfFile(file.Get()));
  }

  std::optional<platform::FileIdentity> Identity(std::string_view path) override {
    auto wide = WidePath(path);
    if (!wide) return std::nullopt;
    // No access rights asked: such an open does not conflict with the share
    // modes of programs holding the file. Backup semantics let a folder
    // open too; a reparse point is opened itself, not its target.
    Handle file(CreateFileW(wide->c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.Valid()) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
    return platform::FileIdentity{
        info.dwVolumeSerialNumber,
        (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  }

  Status WriteBytes(std::string_view path, std::string_view bytes) override {
    auto wide = WidePath(path);
    if (!wide) return InvalidName();
    if (IsReadOnlyFile(*wide)) return Status::Fail(Error::kAccessDenied);
    // CREATE_ALWAYS truncates an existing file. Windows refuses it (access
    // denied) on a hidden or system file unless those same attribute bits
    // are passed, so an existing file's bits are passed on and kept.
    DWORD existing = GetFileAttributesW(wide->c_str());
    DWORD keep = existing == INVALID_FILE_ATTRIBUTES
                     ? 0
                     : existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Handle file(CreateFileW(wide->c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            keep ? keep : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return LastError();
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk, bytes.size() - done));
      DWORD wrote = 0;
      if (!WriteFile(file.Get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) {
        return WriteFailure();
      }
      done += wrote;
    }
    return Status::Ok();
  }

  Status OverwriteInPlace(std::string_view path, uint8_t fill) override {
    auto wide = WidePath(path);
    if (!wide) return InvalidName();
    // OPEN_EXISTING never truncates, so the new bytes land on the clusters
    // that held the old ones. Share mode 0: the overwrite happens only when
    // no other program has the file open; a file that a browser or the shell
    // holds (and may have memory-mapped) fails with a sharing violation
    // instead of being destroyed under it.
    if (IsReadOnlyFile(*wide)) return Status::Fail(Error::kAccessDenied);
    Handle file(CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return LastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return LastError();
    const std::vector<char> chunk(kChunk, static_cast<char>(fill));
    uint64_t left = static_cast<uint64_t>(size.QuadPart);
    while (left > 0) {
      DWORD want = static_cast<DWORD>(std::min<uint64_t>(kChunk, left));
      DWORD wrote = 0;
      if (!WriteFile(file.Get(), chunk.data(), want, &wrote, nullptr) || wrote == 0) {
        return WriteFailure();
      }
      left -= wrote;
    }
    // WriteFile only reaches the system cache; FlushFileBuffers makes the
    // disk hold the new bytes before the caller deletes the file.
    if (!FlushFileBuffers(file.Get())) return WriteFailure();
    return Status::Ok();
  }

  std::string ShortPath(std::string_view path) override {
    auto wide = WidePath(path);
    if (!wide) return {};
    return FilledString(MAX_PATH, [&](wchar_t* buf, DWORD size) {
      return GetShortPathNameW(wide->c_str(), buf, size);
    });
  }

  std::optional<std::string> ResolvePath(std::string_view path) override {
    auto text = platform::ResolvablePathText(path);
    if (!text) return std::nullopt;
    auto wide = WidePath(*text);
    if (!wide) return std::nullopt;
    // GetFullPathName works on the text alone: separators, ".", "..",
    // repeated separators, the last component's trailing dots and blanks,
    // the current folder for relative paths. A reserved device name
    // ("C:\x\NUL") comes back as "\\.\NUL".
    std::wstring full(MAX_PATH + 1, L'\0');
    DWORD n = GetFullPathNameW(wide->c_str(), MAX_PATH + 1, full.data(), nullptr);
    if (n == 0 || n > MAX_PATH) return std::nullopt;
    full.resize(n);
    if (full.rfind(L"\\\\.\\", 0) == 0 || full.rfind(L"\\\\?\\", 0) == 0) return std::nullopt;
    if (full.find(L'~') != std::wstring::npos) full = LongPath(full);
    return platform::FinishResolvedPath(Narrow(full));
  }

  std::string TempPath() override {
    // GetTempPath can return up to MAX_PATH + 1 characters (a trailing
    // backslash after a full-length path).
    return FilledString(MAX_PATH + 2,
                        [](wchar_t* buf, DWORD size) { return GetTempPathW(size, buf); });
  }

  std::string WindowsFolder() override {
    return FilledString(MAX_PATH,
                        [](wchar_t* buf, DWORD size) { return GetWindowsDirectoryW(buf, size); });
  }

  std::string SystemFolder() override {
    return FilledString(MAX_PATH,
                        [](wchar_t* buf, DWORD size) { return GetSystemDirectoryW(buf, size); });
  }

  std::string CurrentFolder() override {
    return FilledString(MAX_PATH,
                        [](wchar_t* buf, DWORD size) { return GetCurrentDirectoryW(size, buf); });
  }

  // Under Wine a drive may show the host's whole file system (Z: maps "/"
  // by default). It is no disk of the Windows machine: a walk of it would
  // leave the machine and find other programs' files through the host.
  static bool MapsHostRoot(const wchar_t* root) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    static const auto unix_name = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unix_name) return false;  // Windows itself
    char* name = unix_name(root);
    if (!name) return false;
    bool host_root = std::string_view(name) == "/";
    HeapFree(GetProcessHeap(), 0, name);
    return host_root;
  }

  std::vector<DriveInfo> Drives() override {
    std::vector<DriveInfo> drives;
    DWORD mask = GetLogicalDrives();
    // An empty floppy or CD drive would make GetVolumeInformation show the
    // "There is no disk in the drive" box; this thread fails quietly instead.
    DWORD old_mode = 0;
    bool mode_set = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_mode);
    for (int i = 0; i < 26; ++i) {
      if (!(mask & (1u << i))) continue;
      wchar_t root[] = {static_cast<wchar_t>(L'A' + i), L':', L'\\', L'\0'};
      if (MapsHostRoot(root)) continue;
      DriveInfo drive;
      drive.root = Narrow(root);
      UINT type = GetDriveTypeW(root);
      drive.type = type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::kUnknown;
      wchar_t label[MAX_PATH + 1] = {};
      if (GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
        drive.label = Narrow(label);
      }
      drives.push_back(std::move(drive));
    }
    if (mode_set) SetThreadErrorMode(old_mode, nullptr);
    return drives;
  }

 private:
  Status Move(std::string_view from, std::string_view to, DWORD flags) {
    auto wide_from = WidePath(from);
    auto wide_to = WidePath(to);
    if (!wide_from || !wide_to) return InvalidName();
    return StatusOf(MoveFileExW(wide_from->c_str(), wide_to->c_str(), flags));
  }

  // GetLongPathName of the longest part of `full` that exists, with the
  // rest as it was: a folder to be judged need not exist yet.
  static std::wstring LongPath(const std::wstring& full) {
    size_t cut = full.size();
    while (true) {
      const std::wstring head = full.substr(0, cut);
      std::wstring buffer(MAX_PATH + 1, L'\0');
      DWORD n = GetLongPathNameW(head.c_str(), buffer.data(), MAX_PATH + 1);
      if (n > 0 && n <= MAX_PATH) {
        buffer.resize(n);
        return buffer + full.substr(cut);
      }
      // Up one component, but not above the root ("C:\" or "\\srv\share").
      size_t up = head.find_last_of(L'\\');
      if (up == std::wstring::npos || up <= 2) return full;
      if (head.rfind(L"\\\\", 0) == 0 && std::count(head.begin(), head.begin() + up, L'\\') < 3) {
        return full;
      }
      cut = up;
    }
  }

  // A failed write: the disk-full family keeps its own code, every other
  // reason is a write fault.
  static Status WriteFailure() {
    Status s = LastError();
    if (s.error == Error::kOther) s.error = Error::kWriteFault;
    return s;
  }
};

}  // namespace

std::unique_ptr<platform::FileSystem> MakeFileSystem() {
  return std::make_unique<Win32FileSystem>();
}

}  // namespace win32
