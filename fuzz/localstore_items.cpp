// The first line of a localstore.rdf: the <RDF:li> items the URL history
// lists. The scan must end on every input and list only non-blank items
// that hold no end tag.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "desktop/urlstores.h"
#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto lines = desktop::SplitLines(bytes);
  if (lines.empty()) return 0;
  const std::string& first = lines.front().text;
  size_t listed = 0;
  for (const std::string& item : desktop::LocalStoreItems(first)) {
    if (text::Trim(item).empty() || item.find("</RDF:li>") != std::string::npos) std::abort();
    if (first.find(item) == std::string::npos) std::abort();
    listed += item.size();
  }
  if (listed > first.size()) std::abort();
  return 0;
}
