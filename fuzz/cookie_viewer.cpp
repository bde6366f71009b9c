// A cookie file as a website, another program or a damaged disk may have
// left it, as the cookie saver's viewer shows it: every line must be valid
// UTF-8 without control characters (tabs excepted), and no larger than the
// bytes it came from can make it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "browsers/savecookie.h"
#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = browsers::ViewerLines(bytes);
  if (lines.size() > size) std::abort();
  size_t shown = 0;
  for (const std::string& line : lines) {
    shown += line.size();
    for (size_t pos = 0; pos < line.size();) {
      const size_t start = pos;
      const char32_t c = text::DecodeUtf8(line, pos);
      // An undecodable byte reads as itself and advances by one.
      if (pos - start == 1 && c >= 0x80) std::abort();
      if (c != U'\t' && (c < 0x20 || (c >= 0x7F && c < 0xA0))) std::abort();
    }
  }
  // At most two bytes for each byte read (a Latin-1 character).
  if (shown > 2 * size) std::abort();
  return 0;
}
