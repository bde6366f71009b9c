// Commands on what the program leaves behind: registry values, files and
// INI files (and writing a registry value the next program start reads).
#include <iterator>

#include "tools/vauto/commands.h"
#include "tools/vauto/session.h"
#include "tools/vauto/win32.h"

namespace vauto {

namespace {

bool RegExpect(Session& s, std::string& why) {
  std::string reason;
  auto read = [&] { return ReadRegistryValue(s.Arg(0), s.Arg(1), reason); };
  if (s.Expect(read, s.Arg(2), s.Arg(0) + " " + s.Arg(1), why)) return true;
  if (!reason.empty() && !read()) why = reason;
  return false;
}

bool RegMissing(Session& s, std::string& why) {
  std::string reason;
  auto present = [&] {
    if (s.ArgCount() < 2) return RegistryKeyExists(s.Arg(0), reason);
    return ReadRegistryValue(s.Arg(0), s.Arg(1), reason).has_value();
  };
  if (PollUntil(s.ExpectMs(), [&] { return !present(); })) return true;
  why = (s.ArgCount() < 2 ? "the key " + s.Arg(0) : "the value " + s.Arg(1)) + " exists";
  return false;
}

bool RegSet(Session& s, std::string& why) {
  return WriteRegistryValue(s.Arg(0), s.Arg(1), s.Arg(2) == "dword", s.Arg(3), why);
}

bool FileState(Session& s, bool wanted, std::string& why) {
  std::wstring path = ExpandPath(s.Arg(0));
  auto exists = [&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
  if (PollUntil(s.ExpectMs(), [&] { return exists() == wanted; })) return true;
  why = Utf8(path) + (wanted ? " does not exist" : " exists");
  return false;
}

bool FileContains(Session& s, std::string& why) {
  std::wstring path = ExpandPath(s.Arg(0));
  std::optional<std::string> text;
  auto found = [&] {
    text = ReadTextFile(path);
    return text && UnixLines(*text).find(s.Arg(1)) != std::string::npos;
  };
  if (PollUntil(s.ExpectMs(), found)) return true;
  why = text ? Utf8(path) + " does not contain " + Quote(s.Arg(1))
             : "cannot read " + Utf8(path) + ": " + LastError();
  return false;
}

// Files (not folders) that a wildcard pattern lists.
DWORD CountFiles(const std::wstring& pattern) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  DWORD files = 0;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return files;
}

bool ExpectFiles(Session& s, std::string& why) {
  std::wstring pattern = ExpandPath(s.Arg(0));
  DWORD wanted = s.Count(1);
  DWORD seen = 0;
  if (PollUntil(s.ExpectMs(), [&] { return (seen = CountFiles(pattern)) == wanted; })) return true;
  why = Utf8(pattern) + " lists " + std::to_string(seen) + " files, not " + std::to_string(wanted) +
        " (waited " + std::to_string(s.ExpectMs()) + " ms)";
  return false;
}

// The value of one key, or with key "*" any key of the section, read from
// the file itself (not through the profile functions, which may cache it).
bool IniExpect(Session& s, std::string& why) {
  std::wstring path = ExpandPath(s.Arg(0));
  const std::string& section = s.Arg(1);
  const std::string& key = s.Arg(2);
  const std::string& wanted = s.Arg(3);
  std::string seen;
  auto holds = [&] {
    std::optional<std::string> text = ReadTextFile(path);
    if (!text) {
      seen = "cannot read " + Utf8(path) + ": " + LastError();
      return false;
    }
    bool found = false;
    std::vector<IniEntry> entries = IniSection(*text, section, found);
    if (!found) {
      seen = "there is no section [" + section + "]";
      return false;
    }
    bool any_key = key == "*";
    for (const IniEntry& entry : entries) {
      if (any_key && entry.value == wanted) return true;
      if (!any_key && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, entry.key.c_str(), -1,
                                     key.c_str(), -1) == CSTR_EQUAL) {
        seen = key + " is " + Quote(entry.value);
        return entry.value == wanted;
      }
    }
    seen = any_key ? "no key of [" + section + "] (" + std::to_string(entries.size()) +
                         " keys) holds it"
                   : "[" + section + "] has no key " + key;
    return false;
  };
  if (PollUntil(s.ExpectMs(), holds)) return true;
  why = Utf8(path) + " [" + section + "] " + key + " is not " + Quote(wanted) + ": " + seen +
        " (waited " + std::to_string(s.ExpectMs()) + " ms)";
  return false;
}

constexpr CommandRow kCheckCommands[] = {
    {"reg-expect", "ttt", 3, "reg-expect <ROOT\\key> <value|@> <expected>", nullptr, RegExpect},
    {"reg-missing", "tt", 1, "reg-missing <ROOT\\key> [value|@]", nullptr, RegMissing},
    {"reg-set", "tttt", 4, "reg-set <ROOT\\key> <value|@> sz|dword <data>", CheckRegSetArguments,
     RegSet},
    {"file-exists", "t", 1, "file-exists <path>", nullptr,
     [](Session& s, std::string& why) { return FileState(s, true, why); }},
    {"file-missing", "t", 1, "file-missing <path>", nullptr,
     [](Session& s, std::string& why) { return FileState(s, false, why); }},
    {"file-contains", "tt", 2, "file-contains <path> <text>", nullptr, FileContains},
    {"expect-files", "tn", 2, "expect-files <pattern> <count>", nullptr, ExpectFiles},
    {"ini-expect", "tttt", 4, "ini-expect <file> <section> <key|*> <text>", nullptr, IniExpect},
};
static_assert(std::size(kCheckCommands) == 8);

}  // namespace

std::span<const CommandRow> CheckCommands() { return kCheckCommands; }

}  // namespace vauto
