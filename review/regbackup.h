// The backup the startup review writes before it changes the registry: a
// file the Windows registry editor imports ("Windows Registry Editor
// Version 5.00", UTF-16LE with a byte-order mark) that puts back what is
// about to change. One file per change, in the data folder, named
// "RegBackup-<date>-<time>-<n>.reg" (n counts the changes within
// one second); double-clicking it (or "regedit /s file")
// restores the value or key.
//
// A value is saved with its type and bytes (strings as text, DWORDs as
// dword:, anything else as hex(type):); a value that does not exist is
// saved as "name"=- so that importing removes what the change adds. A key
// is saved with every value and subkey below it.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace review {

// "[HKEY_...\key]" and the value lines of a .reg file (without the header).
class RegExport {
 public:
  explicit RegExport(platform::Registry& registry) : registry_(registry) {}
  // Adds the key's header and one value's line.
  void AddValue(platform::Hive hive, std::string_view key, std::string_view name);
  // Adds the key with all its values, then each subkey the same way.
  void AddKey(platform::Hive hive, std::string_view key);
  const std::string& Text() const { return text_; }

 private:
  void AddValueLine(platform::RegKey& key, std::string_view name);

  platform::Registry& registry_;
  std::string text_;  // UTF-8, CR LF lines
};

// One value's line as the registry editor writes it: `"name"=...` (`@=`
// for the default value), or `"name"=-` when `raw` is empty.
std::string RegValueLine(std::string_view name, const platform::RawValue* raw);
// The full name of a key: "HKEY_LOCAL_MACHINE\" + key, ...
std::string RegKeyName(platform::Hive hive, std::string_view key);
// UTF-8 text as UTF-16LE bytes.
std::string ToUtf16(std::string_view utf8);

class RegBackup {
 public:
  RegBackup(platform::Platform& p, std::string data_dir) : p_(p), data_dir_(std::move(data_dir)) {}

  // Write the backup file; false when it could not be written (File() then
  // names the file that was tried).
  bool SaveValue(platform::Hive hive, std::string_view key, std::string_view name);
  bool SaveKey(platform::Hive hive, std::string_view key);
  const std::string& File() const { return file_; }

 private:
  bool Write(const RegExport& content);

  platform::Platform& p_;
  std::string data_dir_;
  std::string file_;
};

}  // namespace review
