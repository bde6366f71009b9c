// The contents of the dirty demo profile, as tables.
//
// Paths, value names and values may name places in braces, which the seeder replaces
// with the machine's own folders: {profile}, {appdata}, {localappdata},
// {cache}, {cookies}, {history}, {recent}, {startup}, {documents},
// {pictures}, {videos}, {programfiles}, {temp}, {windows}, {drive} (e.g. "C:"),
// {activex} (the folder Internet Explorer names for downloaded controls)
// and {user}. "{name:js}" gives the folder with doubled backslashes, as
// JavaScript preference files store paths. Folders have no trailing
// backslash. A row whose place the machine does not report is skipped.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/registry.h"

namespace seed {

enum class Body : uint8_t {
  kFiller,    // `size` bytes: a header fitting the file's kind, then filler
  kText,      // `text` with places replaced and LF turned into CR LF
  kIeCookie,  // Internet Explorer cookie records for the site in the name
  kCopy,      // the same bytes as the filler file `text` names (its size is `size`)
  kLastByte,  // as kCopy, with the last byte changed
  kHardLink,  // a second name of the file `text` names
  kSparse,    // `size` zero bytes, held sparsely
};

struct FileRow {
  std::string_view path;
  uint32_t size = 0;
  Body body = Body::kFiller;
  std::string_view text = {};
  uint32_t attributes = 0;  // read-only, hidden and system bits wanted
};

struct FolderRow {
  std::string_view path;
  uint32_t attributes = 0;
};

enum class ValueKind : uint8_t {
  kString,
  kExpandString,
  kDword,        // `value` in decimal
  kUtf16Binary,  // `value` as UTF-16LE text with a terminating NUL, as RecentDocs keeps names
  kHexBinary,    // `value` as hexadecimal digit pairs
};

struct ValueRow {
  platform::Hive hive;
  std::string_view key;
  std::string_view name;
  ValueKind kind;
  std::string_view value;
  // Leave a value that is already there, whatever it holds (system
  // settings the profile only fills in when missing).
  bool keep_existing = false;
};

// A value of an INI file.
struct IniRow {
  std::string_view file;
  std::string_view section;
  std::string_view key;
  std::string_view value;
};

// A file to be created and then sent to the Recycle Bin.
struct RecycleRow {
  std::string_view path;
  uint32_t size;
};

std::span<const FolderRow> ProfileFolders();
std::span<const FileRow> ProfileFiles();
std::span<const ValueRow> ProfileValues();
std::span<const RecycleRow> ProfileRecycled();
// The program's own cookie keep list (seeded only on request).
std::span<const IniRow> ProfileKeptCookies();

// The header a file of this name starts with (by its name's ending), and
// whether its filler is text rather than binary.
struct KindHeader {
  std::string_view suffix;  // lower case, compared with the end of the name
  std::string_view header;
  bool text;
};
std::span<const KindHeader> KindHeaders();

}  // namespace seed
