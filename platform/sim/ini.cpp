// Simulated profile (INI) files, kept as real files of the simulated file
// system so tests can seed hand-written files and compare written ones.
//
// Reading follows GetPrivateProfileString: section and key names compare
// case-insensitively and are trimmed ("[ Sec ]" is "Sec"), the first of
// duplicate sections or keys wins, a value loses its surrounding blanks and
// one pair of matching quotes, lines without "=" are no keys, and a file
// that cannot be read gives the default. Writing changes only the affected
// line: a replaced value keeps its line, a new key goes after the last
// line of its section, a new section goes at the end, each line ending in
// CR LF; values are trimmed. A new file is created in UTF-16LE with its
// byte-order mark (as the Win32 backend creates them, so that any name
// survives); an existing file keeps its encoding. On Windows NT versions
// win.ini's [windows] section lives in the registry, where IniFileMapping
// puts it; on Windows 9x it is in the file.
#include <algorithm>
#include <map>

#include "platform/sim/state.h"
#include "platform/text.h"

namespace sim {

using platform::Error;
using platform::Status;

namespace {

bool IsUtf16(std::string_view bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xFE;
}

char32_t UnitAt(std::string_view bytes, size_t i) {
  return static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
}

// UTF-16LE units (no byte-order mark) as UTF-8; a lone surrogate reads as
// U+FFFD and an odd last byte is left out.
std::string Utf16ToUtf8(std::string_view bytes) {
  std::string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t u = UnitAt(bytes, i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      char32_t low = UnitAt(bytes, i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (u >= 0xD800 && u <= 0xDFFF) u = 0xFFFD;  // a lone surrogate
    text::AppendUtf8(out, u);
  }
  return out;
}

// The text's bytes in an encoding, without a byte-order mark.
std::string EncodeBody(std::string_view s, TextEncoding encoding) {
  if (encoding != TextEncoding::kUtf16) return std::string(s);
  return text::Utf16LeBytes(s);
}

std::string_view Bom(TextEncoding encoding) {
  if (encoding == TextEncoding::kUtf16) return "\xFF\xFE";
  if (encoding == TextEncoding::kUtf8Bom) return "\xEF\xBB\xBF";
  return "";
}

}  // namespace

std::string DecodeText(std::string_view bytes, TextEncoding* encoding) {
  if (IsUtf16(bytes)) {
    if (encoding) *encoding = TextEncoding::kUtf16;
    return Utf16ToUtf8(bytes.substr(2));
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    if (encoding) *encoding = TextEncoding::kUtf8Bom;
    return std::string(bytes.substr(3));
  }
  if (encoding) *encoding = TextEncoding::k8Bit;
  return std::string(bytes);
}

std::string EncodeText(std::string_view s, TextEncoding encoding) {
  return std::string(Bom(encoding)) + EncodeBody(s, encoding);
}

namespace {

// One line of an INI file with its own line ending and the bytes it was
// read from, so that rewriting the file keeps every untouched line byte
// for byte, also where a damaged UTF-16 file (a lone surrogate, an odd
// last byte) does not decode exactly, as Windows keeps them.
struct Line {
  enum Kind { kOther, kSection, kKey } kind = kOther;
  std::string text;
  std::string eol;
  std::string stored;  // the bytes read (text and end); empty for a new or changed line
  std::string name;    // section or key name, trimmed
  std::string value;   // key value as read (trimmed, unquoted)
};

Line ParseLine(std::string text, std::string eol) {
  Line line;
  line.text = std::move(text);
  line.eol = std::move(eol);
  std::string t = text::Trim(line.text);
  if (!t.empty() && t.front() == '[') {
    size_t close = t.rfind(']');
    if (close != std::string::npos) {
      line.kind = Line::kSection;
      line.name = text::Trim(std::string_view(t).substr(1, close - 1));
      return line;
    }
  }
  size_t eq = t.find('=');
  if (eq == std::string::npos) return line;
  line.name = text::Trim(std::string_view(t).substr(0, eq));
  if (line.name.empty()) return line;
  line.kind = Line::kKey;
  std::string v = text::Trim(std::string_view(t).substr(eq + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  line.value = std::move(v);
  return line;
}

// The lines of a UTF-16 file's units (after the byte-order mark), each
// with its stored bytes; an odd last byte stays with the last line.
std::vector<Line> ParseUtf16Lines(std::string_view units) {
  std::vector<Line> lines;
  size_t start = 0;
  for (size_t i = 0; i + 1 < units.size(); i += 2) {
    const char32_t u = UnitAt(units, i);
    if (u != '\r' && u != '\n') continue;
    const bool crlf = u == '\r' && i + 3 < units.size() && UnitAt(units, i + 2) == '\n';
    const size_t end = i + (crlf ? 4 : 2);
    Line line = ParseLine(Utf16ToUtf8(units.substr(start, i - start)),
                          crlf ? "\r\n" : std::string(1, static_cast<char>(u)));
    line.stored = std::string(units.substr(start, end - start));
    lines.push_back(std::move(line));
    start = end;
    i = end - 2;
  }
  if (start < units.size()) {
    Line line = ParseLine(Utf16ToUtf8(units.substr(start)), "");
    line.stored = std::string(units.substr(start));
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<Line> ParseLines(const std::string& s) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < s.size()) {
    size_t end = s.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(ParseLine(s.substr(start), ""));
      break;
    }
    size_t eol_len = s[end] == '\r' && end + 1 < s.size() && s[end + 1] == '\n' ? 2 : 1;
    lines.push_back(ParseLine(s.substr(start, end - start), s.substr(end, eol_len)));
    start = end + eol_len;
  }
  return lines;
}

// The file's bytes: untouched lines as they were stored, the others
// encoded.
std::string JoinLines(const std::vector<Line>& lines, TextEncoding encoding) {
  std::string out(Bom(encoding));
  for (const auto& l : lines) {
    out += l.stored.empty() ? EncodeBody(l.text + l.eol, encoding) : l.stored;
  }
  return out;
}

// The parsed file: its lines, encoding and whether it existed.
struct IniFile {
  std::vector<Line> lines;
  TextEncoding encoding = TextEncoding::kUtf16;
  bool exists = false;

  // [first, last) line range of the first section named `section` (the
  // header included); nullopt when missing.
  std::optional<std::pair<size_t, size_t>> Section(std::string_view section) const {
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].kind != Line::kSection || !text::EqualsNoCase(lines[i].name, section)) continue;
      size_t end = i + 1;
      while (end < lines.size() && lines[end].kind != Line::kSection) ++end;
      return std::make_pair(i, end);
    }
    return std::nullopt;
  }

  std::optional<size_t> Key(std::pair<size_t, size_t> range, std::string_view key) const {
    for (size_t i = range.first + 1; i < range.second; ++i)
      if (lines[i].kind == Line::kKey && text::EqualsNoCase(lines[i].name, key)) return i;
    return std::nullopt;
  }
};

// Sections that Windows NT keeps in the registry instead of the file
// (IniFileMapping); Windows 9x uses the files.
struct MappedSection {
  const char* file;  // in the Windows folder
  const char* section;
  platform::Hive hive;
  const char* key;
};
constexpr MappedSection kMappedSections[] = {
    {"win.ini", "windows", platform::Hive::kCurrentUser,
     "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows"},
};

class SimIni : public platform::Ini {
 public:
  explicit SimIni(Machine::State& s) : s_(s) {}

  std::string ReadString(std::string_view file, std::string_view section, std::string_view key,
                         std::string_view def) override {
    if (const MappedSection* m = Mapped(file, section)) {
      auto k = s_.registry->Open(m->hive, m->key, false, platform::Access::kRead);
      auto v = k ? k->ReadString(key) : std::nullopt;
      return v ? *v : std::string(def);
    }
    const IniFile* ini = Parsed(file);
    if (!ini) return std::string(def);
    auto range = ini->Section(section);
    if (!range) return std::string(def);
    auto k = ini->Key(*range, key);
    return k ? ini->lines[*k].value : std::string(def);
  }

  Status WriteString(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view value) override {
    if (key.empty() || !Plain(section) || !Plain(key) || !Plain(value))
      return Status::Fail(Error::kInvalidName);
    if (const MappedSection* m = Mapped(file, section)) {
      auto k = s_.registry->Open(m->hive, m->key, true, platform::Access::kFull);
      return k ? k->WriteString(key, value) : Status::Fail(Error::kAccessDenied);
    }
    Error e = Error::kNone;
    auto ini = Load(file, &e);
    if (!ini) return Status::Fail(e);
    std::string name(key);
    std::string v = text::Trim(value);
    auto range = ini->Section(section);
    if (!range) {
      EndLastLine(*ini);
      ini->lines.push_back(ParseLine("[" + std::string(section) + "]", "\r\n"));
      ini->lines.push_back(ParseLine(name + "=" + v, "\r\n"));
    } else if (auto k = ini->Key(*range, key)) {
      // Keep the key's own spelling.
      Line& line = ini->lines[*k];
      line = ParseLine(line.name + "=" + v, line.eol.empty() ? "\r\n" : line.eol);
    } else {
      size_t at = range->second;
      while (at > range->first + 1 && text::Trim(ini->lines[at - 1].text).empty()) --at;
      if (at == ini->lines.size()) EndLastLine(*ini);
      ini->lines.insert(ini->lines.begin() + static_cast<std::ptrdiff_t>(at),
                        ParseLine(name + "=" + v, "\r\n"));
    }
    return Save(file, *ini);
  }

  Status DeleteKey(std::string_view file, std::string_view section, std::string_view key) override {
    if (const MappedSection* m = Mapped(file, section)) {
      auto k = s_.registry->Open(m->hive, m->key, false, platform::Access::kFull);
      if (k && k->ValueExists(key)) return k->DeleteValue(key);
      return Status::Ok();
    }
    return EditSection(file, section, [&](IniFile& ini, std::pair<size_t, size_t> range) {
      auto k = ini.Key(range, key);
      if (!k) return false;
      ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(*k));
      return true;
    });
  }

  Status DeleteSection(std::string_view file, std::string_view section) override {
    if (const MappedSection* m = Mapped(file, section)) {
      auto k = s_.registry->Open(m->hive, m->key, false, platform::Access::kFull);
      if (!k) return Status::Ok();
      for (const auto& name : k->ValueNames())
        if (Status st = k->DeleteValue(name); !st) return st;
      return Status::Ok();
    }
    return EditSection(file, section, [](IniFile& ini, std::pair<size_t, size_t> range) {
      ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(range.first),
                      ini.lines.begin() + static_cast<std::ptrdiff_t>(range.second));
      return true;
    });
  }

  std::vector<std::string> KeyNames(std::string_view file, std::string_view section) override {
    std::vector<std::string> names;
    if (const MappedSection* m = Mapped(file, section)) {
      auto k = s_.registry->Open(m->hive, m->key, false, platform::Access::kRead);
      return k ? k->ValueNames() : names;
    }
    const IniFile* ini = Parsed(file);
    if (!ini) return names;
    auto range = ini->Section(section);
    if (!range) return names;
    for (size_t i = range->first + 1; i < range->second; ++i) {
      const Line& l = ini->lines[i];
      // Comment-like keys are found by name but not listed, as Wine does.
      if (l.kind != Line::kKey || l.name.front() == ';') continue;
      bool seen = std::any_of(names.begin(), names.end(),
                              [&](const std::string& n) { return text::EqualsNoCase(n, l.name); });
      if (!seen) names.push_back(l.name);
    }
    return names;
  }

  std::vector<std::pair<std::string, std::string>> ReadSection(std::string_view file,
                                                               std::string_view section) override {
    std::vector<std::pair<std::string, std::string>> pairs;
    if (const MappedSection* m = Mapped(file, section)) {
      auto k = s_.registry->Open(m->hive, m->key, false, platform::Access::kRead);
      if (!k) return pairs;
      for (auto& name : k->ValueNames()) {
        if (auto v = k->ReadString(name)) pairs.emplace_back(std::move(name), std::move(*v));
      }
      return pairs;
    }
    const IniFile* ini = Parsed(file);
    if (!ini) return pairs;
    auto range = ini->Section(section);
    if (!range) return pairs;
    for (size_t i = range->first + 1; i < range->second; ++i) {
      const Line& l = ini->lines[i];
      // Comment-like keys are left out, as the section read leaves them.
      if (l.kind == Line::kKey && l.name.front() != ';') pairs.emplace_back(l.name, l.value);
    }
    return pairs;
  }

 private:
  static bool Plain(std::string_view s) { return s.find('\0') == std::string_view::npos; }

  const MappedSection* Mapped(std::string_view file, std::string_view section) const {
    if (s_.version.platform_id != 2) return nullptr;
    std::string full = FullName(file);
    for (const auto& m : kMappedSections) {
      if (text::EqualsNoCase(section, m.section) &&
          text::EqualsNoCase(full, text::JoinPath(s_.windows_folder, m.file)))
        return &m;
    }
    return nullptr;
  }

  // A bare file name lives in the Windows folder.
  std::string FullName(std::string_view file) const {
    if (file.find_first_of("\\/:") == std::string_view::npos)
      return text::JoinPath(s_.windows_folder, file);
    return std::string(file);
  }

  // Loads the file and lets edit change the lines of the section (its
  // [first, last) range); the file is saved only when edit reports a change.
  // A missing section, or nothing to change, is success without a write.
  template <typename Edit>
  Status EditSection(std::string_view file, std::string_view section, Edit&& edit) {
    Error e = Error::kNone;
    auto ini = Load(file, &e);
    if (!ini) return Status::Fail(e);
    auto range = ini->Section(section);
    if (!range || !edit(*ini, *range)) return Status::Ok();
    return Save(file, *ini);
  }

  // The parsed file; an empty one when it does not exist. nullopt (with
  // the reason) when it exists but cannot be read, or the path is bad.
  std::optional<IniFile> Load(std::string_view file, Error* error = nullptr) {
    const IniFile* ini = Parsed(file, error);
    if (!ini) return std::nullopt;
    return *ini;
  }

  // As Load, but the parse is kept and shared: a file is parsed again only
  // when its stored bytes differ from those of the kept parse. Comparing
  // the bytes (instead of trusting a change counter) keeps the parse right
  // whichever way the file was changed - a profile write, a test's
  // WriteBytes, a rename onto it. Null when the file cannot be read.
  const IniFile* Parsed(std::string_view file, Error* error = nullptr) {
    Error e = Error::kNone;
    const std::string full = FullName(file);
    Node* n = s_.Find(full, &e);
    if (!n) {
      if (e == Error::kNotFound || e == Error::kPathNotFound) return &missing_;
      if (error) *error = e;
      return nullptr;
    }
    if (n->folder || n->locked || n->size > kMaxReadSize) {
      if (error) *error = n->locked ? Error::kSharingViolation : Error::kAccessDenied;
      return nullptr;
    }
    const std::string key = text::Upper(full);
    auto at = cache_.find(key);
    if (at != cache_.end() && at->second.size == n->size && at->second.fill == n->fill &&
        at->second.data == n->data) {
      return &at->second.ini;
    }
    if (at == cache_.end() && cache_.size() >= kCachedFiles) cache_.clear();
    CachedFile& entry = cache_[key];
    entry.data = n->data;
    entry.size = n->size;
    entry.fill = n->fill;
    entry.ini = IniFile{};
    entry.ini.exists = true;
    const std::string bytes = n->Contents();
    const std::string decoded = DecodeText(bytes, &entry.ini.encoding);
    entry.ini.lines = entry.ini.encoding == TextEncoding::kUtf16
                          ? ParseUtf16Lines(std::string_view(bytes).substr(2))
                          : ParseLines(decoded);
    return &entry.ini;
  }

  static void EndLastLine(IniFile& ini) {
    if (ini.lines.empty() || !ini.lines.back().eol.empty()) return;
    Line& last = ini.lines.back();
    last.eol = "\r\n";
    if (!last.stored.empty()) last.stored += EncodeBody(last.eol, ini.encoding);
  }

  Status Save(std::string_view file, const IniFile& ini) {
    return s_.WriteFile(FullName(file), JoinLines(ini.lines, ini.encoding));
  }

  // A kept parse with the stored bytes it was made from.
  struct CachedFile {
    std::string data;
    uint64_t size = 0;
    char fill = 0;
    IniFile ini;
  };
  // Files whose parse is kept; past this many the kept parses start over.
  static constexpr size_t kCachedFiles = 32;

  Machine::State& s_;
  std::map<std::string, CachedFile> cache_;  // by upper-cased full path
  const IniFile missing_;                    // a file that does not exist
};

}  // namespace

std::unique_ptr<platform::Ini> MakeIni(Machine::State& s) { return std::make_unique<SimIni>(s); }

}  // namespace sim
