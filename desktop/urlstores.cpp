#include "desktop/urlstores.h"

#include "platform/text.h"

namespace desktop {

namespace {

constexpr size_t kCommaWithin = 70;
constexpr size_t kLongestUrl = 150;
constexpr std::string_view kItemStart = "<RDF:li>";
constexpr std::string_view kItemEnd = "</RDF:li>";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::string> PrefsUrlOfLine(std::string_view line) {
  if (!line.starts_with(kPrefsUrlPrefix)) return std::nullopt;
  const size_t comma = line.find(',');
  if (comma == std::string_view::npos || comma >= kCommaWithin) return std::nullopt;
  const size_t start = comma + 3;
  if (start > line.size()) return std::string();
  const size_t end = line.find('"', start);
  std::string_view url = line.substr(start, end == std::string_view::npos ? end : end - start);
  if (url.size() > kLongestUrl) return std::string();
  return text::Trim(url);
}

bool PrefsLineHoldsUrl(std::string_view line, std::string_view url) {
  if (line.find(kPrefsUrlPrefix) == std::string_view::npos) return false;
  for (char mark : {'"', ' '}) {
    const std::string before = std::string(1, mark) + std::string(url);
    const std::string after = std::string(url) + mark;
    if (line.find(before) != std::string_view::npos || line.find(after) != std::string_view::npos)
      return true;
  }
  return false;
}

std::string RenumberPrefsLine(std::string_view line) {
  std::string out(line);
  if (!line.starts_with(kPrefsUrlPrefix)) return out;
  const size_t at = kPrefsUrlPrefix.size();
  size_t digits = 0;
  while (at + digits < line.size() && IsDigit(line[at + digits])) ++digits;
  if (digits < 1 || digits > 2 || at + digits >= line.size() || line[at + digits] != '"')
    return out;
  const int index = std::stoi(std::string(line.substr(at, digits)));
  if (index == 0) return out;
  out.replace(at, digits, std::to_string(index - 1));
  return out;
}

std::vector<std::string> LocalStoreItems(std::string_view line) {
  std::vector<std::string> items;
  size_t from = 0;
  while (true) {
    const size_t start = line.find(kItemStart, from);
    if (start == std::string_view::npos) break;
    const size_t text = start + kItemStart.size();
    const size_t end = line.find(kItemEnd, text);
    if (end == std::string_view::npos) break;
    std::string_view item = line.substr(text, end - text);
    if (!text::Trim(item).empty()) items.emplace_back(item);
    from = end + kItemEnd.size();
  }
  return items;
}

std::vector<TextLine> SplitLines(std::string_view bytes) {
  std::vector<TextLine> lines;
  size_t from = 0;
  while (from < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", from);
    if (end == std::string_view::npos) {
      lines.push_back({std::string(bytes.substr(from)), ""});
      break;
    }
    size_t after = end + 1;
    if (bytes[end] == '\r' && after < bytes.size() && bytes[after] == '\n') ++after;
    lines.push_back(
        {std::string(bytes.substr(from, end - from)), std::string(bytes.substr(end, after - end))});
    from = after;
  }
  return lines;
}

std::string JoinLines(const std::vector<TextLine>& lines) {
  std::string out;
  for (const TextLine& l : lines) out += l.text + l.end;
  return out;
}

}  // namespace desktop
