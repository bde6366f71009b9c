#include "review/regbackup.h"

#include <cstdio>

#include "platform/text.h"

namespace review {

namespace {

using platform::Access;
using platform::Hive;

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00\r\n";
constexpr uint32_t kRegSz = 1, kRegBinary = 3, kRegDword = 4;
// Hex data lines are broken after this many characters, as regedit does.
constexpr size_t kHexLineWidth = 76;

// Backslashes and quotes escaped for a quoted .reg string.
std::string Quoted(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

// The text of a REG_SZ whose bytes read back exactly from a quoted string:
// whole UTF-16 units, one terminating NUL, no other NUL and no line break.
std::optional<std::string> PlainString(const platform::RawValue& raw) {
  const std::string& b = raw.bytes;
  if (raw.type != kRegSz || b.size() < 2 || b.size() % 2 != 0) return std::nullopt;
  if (b[b.size() - 1] != '\0' || b[b.size() - 2] != '\0') return std::nullopt;
  std::string out;
  for (size_t i = 0; i + 2 < b.size(); i += 2) {
    char32_t unit = static_cast<unsigned char>(b[i]) | (static_cast<unsigned char>(b[i + 1]) << 8);
    if (unit == 0 || unit == '\r' || unit == '\n') return std::nullopt;
    if (unit >= 0xD800 && unit < 0xDC00 && i + 4 < b.size()) {
      char32_t low =
          static_cast<unsigned char>(b[i + 2]) | (static_cast<unsigned char>(b[i + 3]) << 8);
      if (low < 0xDC00 || low >= 0xE000) return std::nullopt;
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    } else if (unit >= 0xD800 && unit < 0xE000) {
      return std::nullopt;
    }
    text::AppendUtf8(out, unit);
  }
  return out;
}

std::string HexData(std::string_view prefix, const std::string& bytes) {
  std::string out(prefix);
  size_t line_start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(bytes[i]));
    out += hex;
    if (i + 1 == bytes.size()) break;
    out += ',';
    if (out.size() - line_start > kHexLineWidth) {
      out += "\\\r\n  ";
      line_start = out.size() - 2;
    }
  }
  return out;
}

}  // namespace

std::string ToUtf16(std::string_view utf8) { return text::Utf16LeBytes(utf8); }

std::string RegKeyName(Hive hive, std::string_view key) {
  std::string root = hive == Hive::kCurrentUser   ? "HKEY_CURRENT_USER"
                     : hive == Hive::kClassesRoot ? "HKEY_CLASSES_ROOT"
                                                  : "HKEY_LOCAL_MACHINE";
  return root + "\\" + std::string(key);
}

std::string RegValueLine(std::string_view name, const platform::RawValue* raw) {
  std::string line = name.empty() ? "@" : Quoted(name);
  line += '=';
  if (!raw) return line + "-";
  if (auto plain = PlainString(*raw)) return line + Quoted(*plain);
  if (raw->type == kRegDword && raw->bytes.size() == 4) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(raw->bytes[i]);
    char hex[16];
    std::snprintf(hex, sizeof hex, "dword:%08x", v);
    return line + hex;
  }
  std::string prefix = "hex";
  if (raw->type != kRegBinary) {
    char type[16];
    std::snprintf(type, sizeof type, "(%x)", raw->type);
    prefix += type;
  }
  prefix += ':';
  return HexData(line + prefix, raw->bytes);
}

void RegExport::AddValueLine(platform::RegKey& key, std::string_view name) {
  const std::optional<platform::RawValue> raw = key.ReadRaw(name);
  text_ += RegValueLine(name, raw ? &*raw : nullptr);
  text_ += "\r\n";
}

void RegExport::AddValue(Hive hive, std::string_view key, std::string_view name) {
  text_ += "\r\n[" + RegKeyName(hive, key) + "]\r\n";
  if (auto k = registry_.Open(hive, key, false, Access::kRead)) {
    AddValueLine(*k, name);
  } else {
    text_ += RegValueLine(name, nullptr) + "\r\n";
  }
}

void RegExport::AddKey(Hive hive, std::string_view key) {
  auto k = registry_.Open(hive, key, false, Access::kRead);
  if (!k) return;
  text_ += "\r\n[" + RegKeyName(hive, key) + "]\r\n";
  for (const std::string& name : k->ValueNames()) AddValueLine(*k, name);
  const std::vector<std::string> subkeys = k->SubkeyNames();
  k.reset();
  for (const std::string& sub : subkeys) AddKey(hive, std::string(key) + "\\" + sub);
}

bool RegBackup::SaveValue(Hive hive, std::string_view key, std::string_view name) {
  RegExport content(p_.registry);
  content.AddValue(hive, key, name);
  return Write(content);
}

bool RegBackup::SaveKey(Hive hive, std::string_view key) {
  RegExport content(p_.registry);
  content.AddKey(hive, key);
  return Write(content);
}

bool RegBackup::Write(const RegExport& content) {
  const platform::DateTime t = p_.system.Now();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  // Several changes within one second each get a file of their own, and
  // the names sort in the order of the changes.
  for (int n = 1; n < 1000; ++n) {
    char name[64];
    std::snprintf(name, sizeof name, "\\RegBackup-%s-%03d.reg", stamp, n);
    file_ = data_dir_ + name;
    if (!p_.fs.Exists(file_)) break;
  }
  if (p_.fs.Exists(file_)) return false;
  const std::string text = std::string(kHeader) + content.Text() + "\r\n";
  return static_cast<bool>(p_.fs.WriteBytes(file_, "\xFF\xFE" + ToUtf16(text)));
}

}  // namespace review
