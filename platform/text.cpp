#include "platform/text.h"

#include <algorithm>
#include <vector>

namespace text {

namespace {

// Upper-case mappings as ranges of code points. kAll maps every code point
// of the range by `delta`; kPairs covers alternating upper/lower pairs that
// start with an upper-case letter at `first`, so every second code point
// maps to the one before it.
enum class Kind { kAll, kPairs };
struct CaseRange {
  char32_t first;
  char32_t last;
  Kind kind;
  int delta;
};

constexpr CaseRange kUpperRanges[] = {
    {0x0061, 0x007A, Kind::kAll, -32},   // a-z
    {0x00E0, 0x00F6, Kind::kAll, -32},   // à-ö
    {0x00F8, 0x00FE, Kind::kAll, -32},   // ø-þ
    {0x00FF, 0x00FF, Kind::kAll, 0x79},  // ÿ -> Ÿ
    {0x0100, 0x012F, Kind::kPairs, 0},   // Ā ā ... Į į
    {0x0132, 0x0137, Kind::kPairs, 0},   // Ĳ ĳ ... Ķ ķ
    {0x0139, 0x0148, Kind::kPairs, 0},   // Ĺ ĺ ... Ň ň
    {0x014A, 0x0177, Kind::kPairs, 0},   // Ŋ ŋ ... Ŷ ŷ
    {0x0179, 0x017E, Kind::kPairs, 0},   // Ź ź ... Ž ž
    {0x03AC, 0x03AC, Kind::kAll, -38},   // ά
    {0x03AD, 0x03AF, Kind::kAll, -37},   // έ ή ί
    {0x03B1, 0x03C1, Kind::kAll, -32},   // α-ρ
    {0x03C2, 0x03C2, Kind::kAll, -31},   // final ς -> Σ
    {0x03C3, 0x03CB, Kind::kAll, -32},   // σ-ϋ
    {0x03CC, 0x03CC, Kind::kAll, -64},   // ό
    {0x03CD, 0x03CE, Kind::kAll, -63},   // ύ ώ
    {0x0430, 0x044F, Kind::kAll, -32},   // а-я
    {0x0450, 0x045F, Kind::kAll, -80},   // ѐ-џ
    {0x0460, 0x0481, Kind::kPairs, 0},   // Ѡ ѡ ... Ҁ ҁ
    {0x048A, 0x04BF, Kind::kPairs, 0},   // Ҋ ҋ ... Ҿ ҿ
    {0x04C1, 0x04CE, Kind::kPairs, 0},   // Ӂ ӂ ... Ӎ ӎ
    {0x04CF, 0x04CF, Kind::kAll, -15},   // ӏ -> Ӏ
    {0x04D0, 0x052F, Kind::kPairs, 0},   // Ӑ ӑ ... Ԯ ԯ
    {0x1E00, 0x1E95, Kind::kPairs, 0},   // Latin Extended Additional
    {0x1EA0, 0x1EFF, Kind::kPairs, 0},   // Vietnamese letters
    {0xFF41, 0xFF5A, Kind::kAll, -32},   // full-width a-z
};

bool Utf8Continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The next character, upper-cased, for comparisons. A byte that is not
// valid UTF-8 becomes a lone-surrogate value of its own (as Python's
// "surrogateescape" does), so it is never upper-cased and never equals a
// real character.
char32_t NextFolded(std::string_view s, size_t& pos) {
  size_t start = pos;
  char32_t c = DecodeUtf8(s, pos);
  if (pos - start == 1 && c >= 0x80) return 0xDC00 + c;
  return UpperChar(c);
}

// Splits a name into upper-cased characters.
std::vector<char32_t> CodePoints(std::string_view s) {
  std::vector<char32_t> out;
  out.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) out.push_back(NextFolded(s, pos));
  return out;
}

// Matches upper-cased code points: '*' any run, '?' one character, and a
// '.' that is followed only by '*' (or ends the pattern) also matches the
// end of the name. Iterative with one backtrack point, as usual for globs.
bool MatchCodePoints(const std::vector<char32_t>& p, const std::vector<char32_t>& n) {
  auto dot_may_end = [&p](size_t i) {
    if (p[i] != U'.') return false;
    for (size_t j = i + 1; j < p.size(); ++j)
      if (p[j] != U'*') return false;
    return true;
  };
  size_t pi = 0, ni = 0;
  size_t star_p = std::string::npos, star_n = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == U'?' || (p[pi] != U'*' && p[pi] == n[ni]))) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == U'*') {
      star_p = pi++;
      star_n = ni;
    } else if (star_p != std::string::npos) {
      pi = star_p + 1;
      ni = ++star_n;
    } else {
      return false;
    }
  }
  while (pi < p.size() && (p[pi] == U'*' || dot_may_end(pi))) ++pi;
  return pi == p.size();
}

}  // namespace

char32_t DecodeUtf8(std::string_view s, size_t& pos) {
  auto b0 = static_cast<unsigned char>(s[pos]);
  size_t len = b0 < 0x80           ? 1
               : (b0 >> 5) == 0x6  ? 2
               : (b0 >> 4) == 0xE  ? 3
               : (b0 >> 3) == 0x1E ? 4
                                   : 0;
  if (len == 0 || pos + len > s.size()) {
    ++pos;
    return b0;
  }
  char32_t c = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
  for (size_t i = 1; i < len; ++i) {
    auto b = static_cast<unsigned char>(s[pos + i]);
    if (!Utf8Continuation(b)) {
      ++pos;
      return b0;
    }
    c = (c << 6) | (b & 0x3F);
  }
  // Overlong forms and surrogates are not valid UTF-8: keep the byte.
  static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMin[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return b0;
  }
  pos += len;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

size_t Utf16Length(std::string_view s) {
  size_t units = 0;
  for (size_t pos = 0; pos < s.size();) units += DecodeUtf8(s, pos) >= 0x10000 ? 2 : 1;
  return units;
}

std::string Utf16LeBytes(std::string_view s) {
  std::string out;
  auto unit = [&out](uint32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  };
  for (size_t pos = 0; pos < s.size();) {
    const char32_t c = DecodeUtf8(s, pos);
    if (c >= 0x10000) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      unit(c);
    }
  }
  return out;
}

char32_t UpperChar(char32_t c) {
  for (const auto& r : kUpperRanges) {
    if (c < r.first) break;  // the table is sorted
    if (c > r.last) continue;
    if (r.kind == Kind::kAll) return static_cast<char32_t>(static_cast<int>(c) + r.delta);
    return (c - r.first) % 2 == 1 ? c - 1 : c;
  }
  return c;
}

std::string Upper(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) {
    size_t start = pos;
    char32_t c = DecodeUtf8(s, pos);
    bool invalid = pos - start == 1 && c >= 0x80;
    char32_t u = invalid ? c : UpperChar(c);
    if (u == c)
      out.append(s.substr(start, pos - start));  // also keeps invalid bytes as they were
    else
      AppendUtf8(out, u);
  }
  return out;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  size_t pa = 0, pb = 0;
  while (pa < a.size() && pb < b.size()) {
    char32_t ca = NextFolded(a, pa);
    char32_t cb = NextFolded(b, pb);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (pa < a.size()) return 1;
  if (pb < b.size()) return -1;
  return 0;
}

bool EqualsNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, b) == 0; }

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  // Compare whole characters: cut `s` after as many characters as `prefix`.
  size_t ps = 0, pp = 0;
  while (pp < prefix.size()) {
    if (ps >= s.size()) return false;
    if (NextFolded(s, ps) != NextFolded(prefix, pp)) return false;
  }
  return true;
}

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
  std::vector<char32_t> a = CodePoints(s), b = CodePoints(suffix);
  return b.size() <= a.size() && std::equal(b.rbegin(), b.rend(), a.rbegin());
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return false;
  if (pattern == "*.*" || pattern == "*") return true;
  return MatchCodePoints(CodePoints(pattern), CodePoints(name));
}

bool HasWildcards(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string out = AddTrailingBackslash(folder);
  while (!name.empty() && IsSeparator(name.front())) name.remove_prefix(1);
  out += name;
  return out;
}

namespace {
// Index just after the folder part (after the last separator, or after "C:").
size_t NameStart(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i)
    if (IsSeparator(path[i - 1])) return i;
  if (path.size() >= 2 && path[1] == ':') return 2;
  return 0;
}
}  // namespace

std::string ParentFolder(std::string_view path) {
  std::string_view p = path;
  if (!p.empty() && IsSeparator(p.back()) && p.size() > 1) p.remove_suffix(1);
  size_t start = NameStart(p);
  if (start == 0 || start == p.size()) return "";
  std::string_view folder = p.substr(0, start);
  // "C:\\x" -> "C:\\" keeps the root's backslash; "C:\\a\\x" -> "C:\\a".
  bool root = folder.size() <= 3 && folder.size() >= 2 && folder[1] == ':';
  if (root) return folder.size() == 3 ? std::string(folder) : std::string(folder) + "\\";
  if (folder.size() == 1) return std::string(folder);  // "\\x" -> "\\"
  folder.remove_suffix(1);
  return std::string(folder);
}

std::string ExtractFilePath(std::string_view path) {
  return std::string(path.substr(0, NameStart(path)));
}

std::string FileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string Extension(std::string_view path) {
  std::string_view name = path.substr(NameStart(path));
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? "" : std::string(name.substr(dot));
}

std::string StripExtension(std::string_view name) {
  std::string_view n = name.substr(NameStart(name));
  size_t dot = n.rfind('.');
  return std::string(dot == std::string_view::npos ? n : n.substr(0, dot));
}

std::string AddTrailingBackslash(std::string_view path) {
  std::string out(path);
  if (!out.empty() && !IsSeparator(out.back())) out += '\\';
  return out;
}

std::string StripTrailingBackslash(std::string_view path) {
  if (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
  return std::string(path);
}

std::string TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
  return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) { return TrimLeft(TrimRight(s)); }

std::string UInt64ToStr(uint64_t value) { return std::to_string(value); }

std::string IntToStr(long long value) { return std::to_string(value); }

}  // namespace text
