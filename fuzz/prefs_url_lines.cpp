// The typed-URL lines of a Netscape 4 prefs.js: reading a line's URL,
// finding the line of a URL, renumbering the lines after a removed one,
// and cutting the file into lines and joining it again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "desktop/urlstores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto lines = desktop::SplitLines(bytes);
  if (desktop::JoinLines(lines) != bytes) std::abort();
  for (const desktop::TextLine& line : lines) {
    if (auto url = desktop::PrefsUrlOfLine(line.text)) {
      if (url->size() > 150 || url->find('"') != std::string::npos) std::abort();
      if (!url->empty() && !desktop::PrefsLineHoldsUrl(line.text, *url) &&
          line.text.find(*url) == std::string::npos) {
        std::abort();
      }
    }
    const std::string renumbered = desktop::RenumberPrefsLine(line.text);
    const bool url_line = line.text.starts_with(desktop::kPrefsUrlPrefix);
    if (!url_line && renumbered != line.text) std::abort();
    if (url_line && (!renumbered.starts_with(desktop::kPrefsUrlPrefix) ||
                     renumbered.size() + 1 < line.text.size() ||
                     renumbered.size() > line.text.size())) {
      std::abort();
    }
  }
  return 0;
}
