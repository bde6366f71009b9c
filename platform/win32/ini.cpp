// platform::Ini over GetPrivateProfileStringW / WritePrivateProfileStringW.
//
// Windows' profile functions do the INI parsing themselves: names compare
// case-insensitively, blanks around a value are trimmed and a value in
// matching quotes loses them; a default with trailing blanks is trimmed too.
// A file name without a folder would mean one in the Windows folder; the
// program always passes full paths. win.ini's [windows] section may be
// mapped to the registry (IniFileMapping); the functions follow the mapping.
#include "platform/win32/util.h"

#include <vector>

#include "platform/ini.h"
#include "platform/text.h"
#include "platform/win32/backend.h"

namespace win32 {
namespace {

using platform::Error;
using platform::Status;

// A name or value for a profile call; NULs would cut it short.
std::optional<std::wstring> WideText(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  return Widen(text);
}

// The profile reads fill a buffer and, when it is too small, return what
// fits: nSize - 1 characters for a value, nSize - 2 for a NUL-separated
// list. The buffer doubles until the result fits, up to a bound that no
// sane INI line reaches.
constexpr DWORD kFirstBuffer = 1024;
constexpr DWORD kLastBuffer = 1u << 22;

template <typename Call>
std::wstring ReadProfile(DWORD truncated_margin, Call call) {
  for (DWORD size = kFirstBuffer; size <= kLastBuffer; size *= 2) {
    std::wstring buffer(size, L'\0');
    DWORD n = call(buffer.data(), size);
    if (n + truncated_margin < size) {
      buffer.resize(n);
      return buffer;
    }
  }
  return {};
}

class Win32Ini : public platform::Ini {
 public:
  std::string ReadString(std::string_view file, std::string_view section, std::string_view key,
                         std::string_view def) override {
    auto path = WidePath(file);
    auto wsection = WideText(section);
    auto wkey = WideText(key);
    auto wdef = WideText(def);
    if (!path || !wsection || !wkey || !wdef) return std::string(def);
    std::wstring value = ReadProfile(1, [&](wchar_t* buf, DWORD size) {
      return GetPrivateProfileStringW(wsection->c_str(), wkey->c_str(), wdef->c_str(), buf, size,
                                      path->c_str());
    });
    return Narrow(value);
  }

  Status WriteString(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view value) override {
    auto path = WidePath(file);
    if (!path) return Status::Fail(Error::kInvalidName);
    auto wsection = WideText(section);
    auto wkey = WideText(key);
    auto wvalue = WideText(value);
    if (!wsection || !wkey || !wvalue) return Status::Fail(Error::kInvalidName);
    if (IsReadOnlyFile(*path)) return Status::Fail(Error::kAccessDenied);
    CreateUnicodeFile(*path);
    return StatusOf(WritePrivateProfileStringW(wsection->c_str(), wkey->c_str(), wvalue->c_str(),
                                               path->c_str()));
  }

  Status DeleteKey(std::string_view file, std::string_view section, std::string_view key) override {
    auto path = WidePath(file);
    if (!path) return Status::Fail(Error::kInvalidName);
    auto wsection = WideText(section);
    auto wkey = WideText(key);
    if (!wsection || !wkey) return Status::Fail(Error::kInvalidName);
    if (IsReadOnlyFile(*path)) return Status::Fail(Error::kAccessDenied);
    // A NULL value deletes the key.
    return StatusOf(
        WritePrivateProfileStringW(wsection->c_str(), wkey->c_str(), nullptr, path->c_str()));
  }

  Status DeleteSection(std::string_view file, std::string_view section) override {
    auto path = WidePath(file);
    if (!path) return Status::Fail(Error::kInvalidName);
    auto wsection = WideText(section);
    if (!wsection) return Status::Fail(Error::kInvalidName);
    if (IsReadOnlyFile(*path)) return Status::Fail(Error::kAccessDenied);
    // A NULL key deletes the whole section.
    return StatusOf(WritePrivateProfileStringW(wsection->c_str(), nullptr, nullptr, path->c_str()));
  }

  std::vector<std::string> KeyNames(std::string_view file, std::string_view section) override {
    auto path = WidePath(file);
    auto wsection = WideText(section);
    if (!path || !wsection) return {};
    // With a NULL key the call returns every key name of the section, each
    // ended by a NUL, the list ended by a second one.
    std::wstring list = ReadProfile(2, [&](wchar_t* buf, DWORD size) {
      return GetPrivateProfileStringW(wsection->c_str(), nullptr, L"", buf, size, path->c_str());
    });
    std::vector<std::string> names;
    size_t start = 0;
    while (start < list.size()) {
      size_t end = list.find(L'\0', start);
      if (end == std::wstring::npos) end = list.size();
      if (end > start) names.push_back(Narrow(std::wstring_view(list).substr(start, end - start)));
      start = end + 1;
    }
    return names;
  }

  std::vector<std::pair<std::string, std::string>> ReadSection(std::string_view file,
                                                               std::string_view section) override {
    auto path = WidePath(file);
    auto wsection = WideText(section);
    if (!path || !wsection) return {};
    // "key=value" entries, each ended by a NUL, the list by a second one.
    // The values come as the file holds them (quotes kept), so they are
    // unquoted here as GetPrivateProfileString would; a line without "="
    // comes as its bare text and is no key.
    std::wstring list = ReadProfile(2, [&](wchar_t* buf, DWORD size) {
      return GetPrivateProfileSectionW(wsection->c_str(), buf, size, path->c_str());
    });
    std::vector<std::pair<std::string, std::string>> pairs;
    size_t start = 0;
    while (start < list.size()) {
      size_t end = list.find(L'\0', start);
      if (end == std::wstring::npos) end = list.size();
      std::wstring_view entry = std::wstring_view(list).substr(start, end - start);
      start = end + 1;
      size_t eq = entry.find(L'=');
      if (eq == std::wstring_view::npos) continue;
      std::string key = text::Trim(Narrow(entry.substr(0, eq)));
      if (key.empty()) continue;
      pairs.emplace_back(std::move(key), Unquoted(text::Trim(Narrow(entry.substr(eq + 1)))));
    }
    return pairs;
  }

 private:
  // A value in one pair of matching quotes loses them.
  static std::string Unquoted(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      return value.substr(1, value.size() - 2);
    }
    return value;
  }

  // WritePrivateProfileStringW creates a missing file in the ANSI code
  // page, where a name outside it becomes "?" - a wildcard that would later
  // match other files. A file that starts with the UTF-16LE byte-order mark
  // is kept in UTF-16 by the profile functions, so a new file is created
  // with only that mark first. Existing files keep their encoding.
  static void CreateUnicodeFile(const std::wstring& path) {
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return;  // exists already, or the write below reports why
    static constexpr unsigned char kBom[] = {0xFF, 0xFE};
    DWORD wrote = 0;
    WriteFile(file.Get(), kBom, sizeof kBom, &wrote, nullptr);
  }
};

}  // namespace

std::unique_ptr<platform::Ini> MakeIni() { return std::make_unique<Win32Ini>(); }

}  // namespace win32
