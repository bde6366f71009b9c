// The Windows registry as the program uses it: three root keys, keys opened
// with or without creating them, typed values, enumeration and deletion.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform {

enum class Hive { kCurrentUser, kLocalMachine, kClassesRoot };

// Value types, with the numbers Windows uses. kOther stands for any type the
// program does not read (multi-string, QWORD, ...).
enum class ValueType : uint32_t {
  kNone = 0,
  kString = 1,
  kExpandString = 2,
  kBinary = 3,
  kDword = 4,
  kOther = 0xFFFFFFFF,
};

enum class Access { kRead, kFull };

// A value's type number (1 = REG_SZ, 2 = REG_EXPAND_SZ, 3 = REG_BINARY,
// 4 = REG_DWORD, 7 = REG_MULTI_SZ, ...) and its stored bytes.
struct RawValue {
  uint32_t type = 0;
  std::string bytes;
};

// An open key. Reads of a value of another type than asked give nullopt;
// writes through a key opened for reading fail.
class RegKey {
 public:
  virtual ~RegKey() = default;

  virtual bool ValueExists(std::string_view name) = 0;
  // Type of a value; nullopt when it does not exist. The default value has
  // the empty name.
  virtual std::optional<ValueType> GetValueType(std::string_view name) = 0;

  // REG_SZ or REG_EXPAND_SZ (unexpanded), without the terminating NUL.
  virtual std::optional<std::string> ReadString(std::string_view name) = 0;
  virtual std::optional<uint32_t> ReadDword(std::string_view name) = 0;
  virtual std::optional<std::string> ReadBinary(std::string_view name) = 0;
  // Any value as stored: its type number and its bytes as the wide call
  // gives them (string types as UTF-16LE with their terminating NUL).
  virtual std::optional<RawValue> ReadRaw(std::string_view name) = 0;

  virtual Status WriteString(std::string_view name, std::string_view value) = 0;
  virtual Status WriteExpandString(std::string_view name, std::string_view value) = 0;
  virtual Status WriteDword(std::string_view name, uint32_t value) = 0;
  virtual Status WriteBinary(std::string_view name, std::string_view bytes) = 0;

  // Value names in the registry's own order, the default value ("") among
  // them when it is set.
  virtual std::vector<std::string> ValueNames() = 0;
  virtual std::vector<std::string> SubkeyNames() = 0;

  virtual Status DeleteValue(std::string_view name) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens `path` (backslash-separated, case-insensitive) under `hive`. With
  // `create` the key and any missing parents are created. Null on failure.
  virtual std::unique_ptr<RegKey> Open(Hive hive, std::string_view path, bool create,
                                       Access access) = 0;
  // Deletes a key with all its values and subkeys.
  virtual Status DeleteTree(Hive hive, std::string_view path) = 0;

  bool KeyExists(Hive hive, std::string_view path) {
    return Open(hive, path, false, Access::kRead) != nullptr;
  }
};

}  // namespace platform
