// INI profile files (GetPrivateProfileString and friends): the program's own
// data files and Windows' win.ini / system.ini.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace platform {

class Ini {
 public:
  virtual ~Ini() = default;

  // The value of `key` in `section` of `file`, or `def` when the file,
  // section or key is missing. Section and key names compare
  // case-insensitively; surrounding blanks of the value are trimmed.
  virtual std::string ReadString(std::string_view file, std::string_view section,
                                 std::string_view key, std::string_view def) = 0;
  // Writes the value, creating the file and the section when needed.
  virtual Status WriteString(std::string_view file, std::string_view section, std::string_view key,
                             std::string_view value) = 0;
  virtual Status DeleteKey(std::string_view file, std::string_view section,
                           std::string_view key) = 0;
  virtual Status DeleteSection(std::string_view file, std::string_view section) = 0;
  // Key names of a section in file order; empty when missing.
  virtual std::vector<std::string> KeyNames(std::string_view file, std::string_view section) = 0;
  // Every key=value pair of a section in file order, in one read
  // (GetPrivateProfileSection): keys as written, values as ReadString
  // returns them (trimmed, one pair of matching quotes removed). Lines
  // without "=" and comment lines are left out; a duplicate key is listed
  // again (ReadString finds the first). Empty when the file or section is
  // missing.
  virtual std::vector<std::pair<std::string, std::string>> ReadSection(
      std::string_view file, std::string_view section) = 0;

  // GetPrivateProfileInt: the leading decimal digits of the value, `def`
  // when missing or not a number.
  int ReadInt(std::string_view file, std::string_view section, std::string_view key, int def);
  Status WriteInt(std::string_view file, std::string_view section, std::string_view key, int value);
};

}  // namespace platform
