// The text formats of the typed-URL stores that live in files: the URL
// lines of a Netscape 4 prefs.js and the <RDF:li> items on the first line
// of a localstore.rdf. Pure text functions, no file access; they accept
// any input (short, odd or hostile lines) without reading out of range.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace desktop {

// Every typed-URL line of prefs.js starts with this (case-sensitive).
inline constexpr std::string_view kPrefsUrlPrefix = "user_pref(\"browser.url_history.URL_";

// The URL of a prefs.js line, or nullopt when the line is not a URL line.
// The URL starts three characters after the line's first comma (comma,
// blank, quote), which must lie within the first 70 characters, and runs
// to the next double quote; it is trimmed of blanks, and one longer than
// 150 characters counts as empty.
std::optional<std::string> PrefsUrlOfLine(std::string_view line);

// Whether a line is the one that holds URL `url`: it contains the URL
// prefix and the URL next to a quote or a blank.
bool PrefsLineHoldsUrl(std::string_view line, std::string_view url);

// A URL line after a removed one, with its index one lower. Only a line
// that starts with the prefix and has one or two digits then a double
// quote is renumbered (index 0 stays 0); any other line comes back as it
// was.
std::string RenumberPrefsLine(std::string_view line);

// The items of a localstore.rdf first line: the text between each
// "<RDF:li>" and the "</RDF:li>" after it, untrimmed, skipping items that
// are blank. A start tag without an end tag after it ends the scan.
std::vector<std::string> LocalStoreItems(std::string_view line);

// A file's text cut into lines, each with its own line end ("\r\n", "\n",
// "\r" or none for the last), so that joining them gives the bytes back.
struct TextLine {
  std::string text;
  std::string end;
};
std::vector<TextLine> SplitLines(std::string_view bytes);
std::string JoinLines(const std::vector<TextLine>& lines);

}  // namespace desktop
