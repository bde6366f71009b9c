// The addresses and AOL keywords in AOL's "arl" history files. Each line of
// a track file may hold several of them; every one found becomes a list
// line of at most 70 characters followed by "...". Kept apart from the
// window so that any text can be thrown at it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace browsers {

// At most this many track lines are listed, over all files.
inline constexpr size_t kTrackLineLimit = 1500;
// Characters taken from each address or keyword.
inline constexpr size_t kTrackSnippet = 70;

// Appends the track lines of one line of a track file to `out`: while the
// line holds "http://" (else "AOL:"), the 70 characters from there plus
// "..." are added and taken out of the line. Stops once `out` holds
// kTrackLineLimit lines.
void ExtractTrackLines(std::string_view line, std::vector<std::string>& out);

// The same for every line of a file's text (lines end in CR LF, LF or CR).
void ExtractTrackText(std::string_view text, std::vector<std::string>& out);

}  // namespace browsers
