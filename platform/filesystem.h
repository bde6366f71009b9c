// File system operations the program needs, in Windows terms: paths are
// UTF-8 strings with backslashes and drive letters ("C:\\Windows"), names
// compare case-insensitively, and every call reports failure instead of
// throwing.
#pragma once

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform {

// One directory entry as find-first/find-next report it.
struct FindData {
  std::string name;        // long name, no folder
  std::string short_name;  // 8.3 alternate name, empty when none
  uint32_t attributes = 0;
  uint64_t size = 0;
  FileTime creation_time = 0;
  FileTime last_access_time = 0;
  FileTime last_write_time = 0;
};

// An open find-first/find-next enumeration. Next() yields the entries that
// match the pattern and pass the attribute filter, "." and ".." included as
// Windows lists them, and returns false when no entry is left.
class FindHandle {
 public:
  virtual ~FindHandle() = default;
  virtual bool Next(FindData& out) = 0;
};

// Which physical file a path leads to: the serial number of its volume and
// the file's index on that volume. Hard links of one file (several names,
// one contents) share both.
struct FileIdentity {
  uint32_t volume = 0;
  uint64_t index = 0;
  auto operator<=>(const FileIdentity&) const = default;
};

// A file open for reading at chosen offsets; other programs may still read,
// write and delete it meanwhile.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Reads up to `size` bytes at `offset` into `buffer` and returns how many
  // it read (fewer only at the end of the file, 0 past it); nullopt when
  // the read failed.
  virtual std::optional<size_t> ReadAt(uint64_t offset, char* buffer, size_t size) = 0;
  // The open file's index on its volume (FileIdentity::index), from the
  // handle alone: unlike a whole identity it needs no query of the volume,
  // which can cost more than the open itself. Two readers of files on one
  // volume with equal indexes read one physical file. Nullopt when the
  // system does not tell.
  virtual std::optional<uint64_t> Index() = 0;
};

enum class DriveType { kUnknown, kNoRootDir, kRemovable, kFixed, kRemote, kCdRom, kRamDisk };

struct DriveInfo {
  std::string root;  // "C:\\"
  DriveType type = DriveType::kUnknown;
  std::string label;  // volume label, empty when none or unreadable
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Starts an enumeration over `pattern` (a folder plus a wildcard name such
  // as "C:\\Temp\\*.tmp"). An entry is listed when each of its hidden,
  // system, directory and volume-label attributes is among `allowed`;
  // read-only and archive never exclude an entry. Returns null when the
  // folder cannot be listed; `error` (if given) then says why.
  virtual std::unique_ptr<FindHandle> FindFirst(std::string_view pattern, uint32_t allowed,
                                                Error* error = nullptr) = 0;

  // Attributes of a file or folder; nullopt when it does not exist.
  virtual std::optional<uint32_t> GetAttributes(std::string_view path) = 0;
  virtual Status SetAttributes(std::string_view path, uint32_t attributes) = 0;
  // Size in bytes of a file; nullopt when it does not exist or is a folder.
  virtual std::optional<uint64_t> GetSize(std::string_view path) = 0;
  virtual Status SetLastWriteTime(std::string_view path, FileTime time) = 0;

  bool Exists(std::string_view path) { return GetAttributes(path).has_value(); }
  bool IsFolder(std::string_view path) {
    auto a = GetAttributes(path);
    return a && (*a & kAttrDirectory);
  }

  // Deletes one file (no wildcards). Fails on folders, on read-only files
  // (access denied) and on files another program holds open (sharing).
  virtual Status DeleteFile(std::string_view path) = 0;
  // Removes an empty folder.
  virtual Status RemoveFolder(std::string_view path) = 0;
  // Moves or renames; fails when `to` exists.
  virtual Status MoveFile(std::string_view from, std::string_view to) = 0;
  // Moves `from` over `to`, replacing an existing file.
  virtual Status ReplaceFile(std::string_view from, std::string_view to) = 0;
  // Creates one folder level; fails when the parent is missing or it exists.
  virtual Status CreateFolder(std::string_view path) = 0;

  // Whole-file access. Text files are read and written as bytes: lines end
  // in CR LF when written, and CR LF, LF or CR end a line when read.
  virtual std::optional<std::string> ReadBytes(std::string_view path) = 0;
  // Opens a file for reading in pieces (files of any size); null when it
  // does not exist, is a folder or another program holds it without
  // sharing.
  virtual std::unique_ptr<FileReader> OpenRead(std::string_view path) = 0;
  // CreateHardLink: `path` becomes a second name of the existing file
  // `target` (same volume); fails when `path` exists.
  virtual Status CreateHardLink(std::string_view path, std::string_view target) = 0;
  // SetEndOfFile: sets an existing file's length. Bytes added read as
  // zeros and take no disk space where the file system keeps sparse ends.
  virtual Status SetLength(std::string_view path, uint64_t length) = 0;
  // The physical file or folder a path names (GetFileInformationByHandle);
  // nullopt when it does not exist or cannot be opened.
  virtual std::optional<FileIdentity> Identity(std::string_view path) = 0;
  virtual Status WriteBytes(std::string_view path, std::string_view bytes) = 0;
  std::optional<std::vector<std::string>> ReadLines(std::string_view path);
  Status WriteLines(std::string_view path, const std::vector<std::string>& lines);

  // Overwrites the existing contents of a file in place with `fill` bytes
  // over its whole length and flushes them to the disk, without changing
  // its length.
  virtual Status OverwriteInPlace(std::string_view path, uint8_t fill) = 0;

  // GetShortPathName: the 8.3 form of an existing path; empty on failure.
  virtual std::string ShortPath(std::string_view path) = 0;
  // The folder or file a path names, spelled one way, as GetFullPathName
  // and GetLongPathName give it: absolute (a relative path is taken
  // against the current folder), "\" for "/", "." and ".." resolved (never
  // above a drive or share root), repeated separators folded, the trailing
  // dots and blanks of the last component dropped, a "\\?\" or "\\.\"
  // prefix before a drive letter or "UNC\" removed, and the 8.3 names of
  // the components that exist replaced by their long names (components
  // holding "~" only: generated short names always do). A drive root keeps
  // its backslash ("C:\"), every other path ends without one ("C:\a",
  // "\\srv\share"). Letter case is as given, or as stored where a long
  // name was looked up: compare the result case-insensitively. Nullopt for
  // what names no folder or file: an empty path, "*", "?", "<", ">", "|",
  // '"', a control character or a second ":", a device, a share without
  // its share name, or a result of MAX_PATH characters or more.
  virtual std::optional<std::string> ResolvePath(std::string_view path) = 0;
  // GetTempPath: the temporary folder with its trailing backslash; empty on
  // failure.
  virtual std::string TempPath() = 0;
  // GetWindowsDirectory / GetSystemDirectory: no trailing backslash; empty
  // on failure.
  virtual std::string WindowsFolder() = 0;
  virtual std::string SystemFolder() = 0;
  virtual std::string CurrentFolder() = 0;
  virtual std::vector<DriveInfo> Drives() = 0;
};

// What the backends' ResolvePath share. The path without a "\\?\" or
// "\\.\" prefix ("\\?\C:\a" -> "C:\a", "\\?\UNC\srv\s" -> "\\srv\s"),
// with "/" read as "\"; nullopt when the prefix leads elsewhere than to a
// drive or a share (a volume, a pipe, a device) or when the path holds a
// character no folder or file name can (see ResolvePath).
std::optional<std::string> ResolvablePathText(std::string_view path);
// The resolved form's last step: no trailing backslash but on a drive
// root; nullopt for a share without its share name or a path of MAX_PATH
// (260) UTF-16 units or more.
std::optional<std::string> FinishResolvedPath(std::string path);

}  // namespace platform
