// platform::Registry over the wide Reg* functions of advapi32.
#include "platform/win32/util.h"

#include <cstring>
#include <vector>

#include "platform/registry.h"
#include "platform/win32/backend.h"

namespace win32 {
namespace {

using platform::Access;
using platform::Error;
using platform::Hive;
using platform::Status;
using platform::ValueType;

HKEY RootOf(Hive hive) {
  switch (hive) {
    case Hive::kCurrentUser:
      return HKEY_CURRENT_USER;
    case Hive::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case Hive::kClassesRoot:
      return HKEY_CLASSES_ROOT;
  }
  return HKEY_CURRENT_USER;
}

// Registry names may not hold a NUL: the W functions take NUL-terminated
// names and would act on the part before it.
std::optional<std::wstring> WideName(std::string_view name) {
  if (name.find('\0') != std::string_view::npos) return std::nullopt;
  return Widen(name);
}

// A value's type and raw bytes, as the query gives them.
struct QueriedValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

class Win32RegKey : public platform::RegKey {
 public:
  explicit Win32RegKey(HKEY key) : key_(key) {}
  ~Win32RegKey() override { RegCloseKey(key_); }

  bool ValueExists(std::string_view name) override { return GetValueType(name).has_value(); }

  std::optional<ValueType> GetValueType(std::string_view name) override {
    auto wide = WideName(name);
    if (!wide) return std::nullopt;
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key_, wide->c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    switch (type) {
      case REG_NONE:
      case REG_SZ:
      case REG_EXPAND_SZ:
      case REG_BINARY:
      case REG_DWORD:
        return static_cast<ValueType>(type);
      default:
        return ValueType::kOther;
    }
  }

  std::optional<std::string> ReadString(std::string_view name) override {
    auto raw = Query(name);
    if (!raw || (raw->type != REG_SZ && raw->type != REG_EXPAND_SZ)) return std::nullopt;
    // The stored bytes need not end in a NUL, nor be a whole number of
    // UTF-16 units (anyone can write any size): take the whole units and
    // stop at the first NUL, as every C-string reader of the value does.
    std::wstring text(raw->data.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(text.data(), raw->data.data(), text.size() * sizeof(wchar_t));
    size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return Narrow(text);
  }

  std::optional<uint32_t> ReadDword(std::string_view name) override {
    auto raw = Query(name);
    if (!raw || raw->type != REG_DWORD || raw->data.size() != sizeof(DWORD)) return std::nullopt;
    DWORD value = 0;
    memcpy(&value, raw->data.data(), sizeof value);
    return value;
  }

  std::optional<std::string> ReadBinary(std::string_view name) override {
    auto raw = Query(name);
    if (!raw || raw->type != REG_BINARY) return std::nullopt;
    return std::string(raw->data.begin(), raw->data.end());
  }

  std::optional<platform::RawValue> ReadRaw(std::string_view name) override {
    auto raw = Query(name);
    if (!raw) return std::nullopt;
    return platform::RawValue{raw->type, std::string(raw->data.begin(), raw->data.end())};
  }

  Status WriteString(std::string_view name, std::string_view value) override {
    return SetString(name, value, REG_SZ);
  }

  Status WriteExpandString(std::string_view name, std::string_view value) override {
    return SetString(name, value, REG_EXPAND_SZ);
  }

  Status WriteDword(std::string_view name, uint32_t value) override {
    DWORD data = value;
    return Set(name, REG_DWORD, &data, sizeof data);
  }

  Status WriteBinary(std::string_view name, std::string_view bytes) override {
    if (bytes.size() > MAXDWORD) return Status::Fail(Error::kOther);
    return Set(name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
  }

  std::vector<std::string> ValueNames() override {
    // 16383 characters is the longest value name the registry allows, so
    // one buffer fits every name. Indexes run until ERROR_NO_MORE_ITEMS;
    // any other error ends the list early.
    std::vector<std::string> names;
    std::wstring buffer(16384, L'\0');
    for (DWORD i = 0;; ++i) {
      DWORD length = static_cast<DWORD>(buffer.size());
      if (RegEnumValueW(key_, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      names.push_back(Narrow(std::wstring_view(buffer.data(), length)));
    }
    return names;
  }

  std::vector<std::string> SubkeyNames() override {
    // Key names are at most 255 characters.
    std::vector<std::string> names;
    wchar_t buffer[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      if (RegEnumKeyExW(key_, i, buffer, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      names.push_back(Narrow(std::wstring_view(buffer, length)));
    }
    return names;
  }

  Status DeleteValue(std::string_view name) override {
    auto wide = WideName(name);
    if (!wide) return Status::Fail(Error::kInvalidName);
    return StatusOfCode(RegDeleteValueW(key_, wide->c_str()));
  }

 private:
  // Reads a value's type and bytes. The size is asked first; when the value
  // grows between the two calls (another program writing it) the read
  // reports ERROR_MORE_DATA and is tried again with the new size.
  std::optional<QueriedValue> Query(std::string_view name) {
    auto wide = WideName(name);
    if (!wide) return std::nullopt;
    QueriedValue raw;
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD size = 0;
      LONG rc = RegQueryValueExW(key_, wide->c_str(), nullptr, &raw.type, nullptr, &size);
      if (rc != ERROR_SUCCESS) return std::nullopt;
      raw.data.assign(size, 0);
      rc = RegQueryValueExW(key_, wide->c_str(), nullptr, &raw.type,
                            raw.data.empty() ? nullptr : raw.data.data(), &size);
      if (rc == ERROR_MORE_DATA) continue;
      if (rc != ERROR_SUCCESS) return std::nullopt;
      raw.data.resize(size);
      return raw;
    }
    return std::nullopt;
  }

  Status SetString(std::string_view name, std::string_view value, DWORD type) {
    // REG_SZ data is stored with its terminating NUL, and the size counts it.
    std::wstring wide = Widen(value);
    size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (bytes > MAXDWORD) return Status::Fail(Error::kOther);
    return Set(name, type, wide.c_str(), static_cast<DWORD>(bytes));
  }

  Status Set(std::string_view name, DWORD type, const void* data, DWORD size) {
    auto wide = WideName(name);
    if (!wide) return Status::Fail(Error::kInvalidName);
    return StatusOfCode(
        RegSetValueExW(key_, wide->c_str(), 0, type, static_cast<const BYTE*>(data), size));
  }

  HKEY key_;
};

class Win32Registry : public platform::Registry {
 public:
  std::unique_ptr<platform::RegKey> Open(Hive hive, std::string_view path, bool create,
                                         Access access) override {
    auto wide = WideName(path);
    if (!wide) return nullptr;
    REGSAM sam = access == Access::kFull ? KEY_ALL_ACCESS : KEY_READ;
    HKEY key = nullptr;
    LONG rc = create ? RegCreateKeyExW(RootOf(hive), wide->c_str(), 0, nullptr,
                                       REG_OPTION_NON_VOLATILE, sam, nullptr, &key, nullptr)
                     : RegOpenKeyExW(RootOf(hive), wide->c_str(), 0, sam, &key);
    if (rc != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegKey>(key);
  }

  Status DeleteTree(Hive hive, std::string_view path) override {
    // RegDeleteTree with an empty sub-key name empties the root key itself:
    // every key of the hive. A path made only of separators names the root
    // as well. Both are refused.
    if (path.find_first_not_of('\\') == std::string_view::npos) {
      return Status::Fail(Error::kInvalidName);
    }
    auto wide = WideName(path);
    if (!wide) return Status::Fail(Error::kInvalidName);
    // RegDeleteTree (advapi32, Vista and later) removes the values and
    // subkeys and then the key itself, like SHDeleteKey.
    return StatusOfCode(RegDeleteTreeW(RootOf(hive), wide->c_str()));
  }
};

}  // namespace

std::unique_ptr<platform::Registry> MakeRegistry() { return std::make_unique<Win32Registry>(); }

}  // namespace win32
