// An AOL track file as any program or a damaged disk may have left it: the
// list lines taken from it must stay within the limit, each one must be an
// address or keyword of at most 70 characters followed by "...", and a
// text without either marker must give none.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "browsers/aoltracks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  browsers::ExtractTrackText(text, lines);
  if (lines.size() > browsers::kTrackLineLimit) std::abort();
  for (const std::string& line : lines) {
    if (line.size() < 3 || line.size() > browsers::kTrackSnippet + 3) std::abort();
    if (line.compare(line.size() - 3, 3, "...") != 0) std::abort();
    if (line.rfind("http://", 0) != 0 && line.rfind("AOL:", 0) != 0) std::abort();
  }
  const bool marker =
      text.find("http://") != std::string_view::npos || text.find("AOL:") != std::string_view::npos;
  if (!marker && !lines.empty()) std::abort();
  // Lines already listed are never exceeded by a second file.
  browsers::ExtractTrackText(text, lines);
  if (lines.size() > browsers::kTrackLineLimit) std::abort();
  return 0;
}
