// Portable text helpers for UTF-8 strings in Windows terms: upper-casing and
// case-insensitive comparison as Windows does it for file and registry
// names, FindFirstFile wildcard matching, backslash path pieces and small
// conversions. Nothing here touches the system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// Upper-cases every letter the way Windows' file-name comparison does:
// ASCII, Latin-1 Supplement, Latin Extended-A, Latin Extended Additional,
// Greek, Cyrillic and the full-width Latin letters. Other characters, and
// bytes that are not valid UTF-8, are copied unchanged.
std::string Upper(std::string_view s);
// The upper-case form of one code point (itself when it has none).
char32_t UpperChar(char32_t c);

// Case-insensitive equality and three-way comparison (<0, 0, >0) on the
// upper-cased forms; the order is code-point order of those forms.
bool EqualsNoCase(std::string_view a, std::string_view b);
int CompareNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
bool EndsWithNoCase(std::string_view s, std::string_view suffix);

// Whether `name` (one file name, no folder) matches `pattern` as
// FindFirstFile matches long names, case-insensitively: `*` matches any run
// of characters, `?` exactly one character, "*.*" matches every name
// (names without a dot too), and a pattern ending in ".*" or "." also
// matches the name without that extension ("a.*" matches "a"). Characters,
// not bytes, are counted. FindFirstFile on Windows (and under Wine) also
// matches the pattern against the 8.3 short name, so "*.tmp" finds
// "a.tmpl" (short name "A~1.TMP") there; that quirk is deliberately not
// modelled: "*.tmp" matches "a.tmp" and not "a.tmpl", which makes this the
// check to re-apply to names a real listing returns. Nor is Windows' DOS
// rule that lets a "?" before a dot or at the end match no character
// (Wine does not have it either). An empty pattern matches nothing.
bool WildcardMatch(std::string_view pattern, std::string_view name);
bool HasWildcards(std::string_view s);

// Path pieces, with backslashes (forward slashes count as separators too).
// JoinPath("C:\\a", "b") and JoinPath("C:\\a\\", "b") give "C:\\a\\b"; an
// empty folder gives `name` unchanged.
std::string JoinPath(std::string_view folder, std::string_view name);
// The folder part without its trailing backslash, except that a drive root
// keeps it: "C:\\a\\b" -> "C:\\a", "C:\\a" -> "C:\\". A root or a bare name
// has no parent: "".
std::string ParentFolder(std::string_view path);
// The folder part with its trailing backslash, as ExtractFilePath:
// "C:\\a\\b.txt" -> "C:\\a\\"; "" for a bare name.
std::string ExtractFilePath(std::string_view path);
// The last component: "C:\\a\\b.txt" -> "b.txt"; "C:\\a\\" -> "".
std::string FileName(std::string_view path);
// The extension of the last component with its dot: ".txt"; "" when the
// name has no dot.
std::string Extension(std::string_view path);
// The last component without its extension: "C:\\a\\b.txt" -> "b".
std::string StripExtension(std::string_view name);
// Adds a backslash unless there is one already. An empty string stays
// empty, so a missing folder never turns into the drive root "\\".
std::string AddTrailingBackslash(std::string_view path);
// Removes one trailing backslash, if any ("C:\\" -> "C:").
std::string StripTrailingBackslash(std::string_view path);
bool IsSeparator(char c);

// Removes leading and trailing characters up to and including the blank
// (control characters, tabs, CR, LF, space), as Delphi's Trim does.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Plain decimal, no separators.
std::string IntToStr(long long value);
std::string UInt64ToStr(uint64_t value);

// UTF-8 helpers. DecodeUtf8 reads one code point at `pos` and advances it;
// an invalid byte reads as itself (0x80..0xFF) and advances by one.
char32_t DecodeUtf8(std::string_view s, size_t& pos);
void AppendUtf8(std::string& out, char32_t c);
// Length in UTF-16 code units, as Windows counts path lengths.
size_t Utf16Length(std::string_view s);
// The text as UTF-16LE bytes (no terminating NUL), as the registry and
// Unicode files store it.
std::string Utf16LeBytes(std::string_view s);

}  // namespace text
