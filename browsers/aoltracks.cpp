#include "browsers/aoltracks.h"

namespace browsers {

namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kKeyword = "AOL:";

}  // namespace

void ExtractTrackLines(std::string_view line, std::vector<std::string>& out) {
  std::string rest(line);
  while (out.size() < kTrackLineLimit) {
    size_t at = rest.find(kHttp);
    if (at == std::string::npos) at = rest.find(kKeyword);
    if (at == std::string::npos) return;
    out.push_back(rest.substr(at, kTrackSnippet) + "...");
    // Taking the snippet out always removes the marker found, so the loop
    // ends.
    rest.erase(at, kTrackSnippet);
  }
}

void ExtractTrackText(std::string_view text, std::vector<std::string>& out) {
  size_t start = 0;
  while (start < text.size() && out.size() < kTrackLineLimit) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    ExtractTrackLines(text.substr(start, end - start), out);
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
}

}  // namespace browsers
