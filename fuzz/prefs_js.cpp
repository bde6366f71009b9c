// A browser's prefs.js, as a profile folder may hold it: the cache folder its
// browser.cache.directory line names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "browsers/netprofiles.h"
#include "platform/sim/machine.h"

namespace {

const std::string kPrefs = "C:\\Profiles\\default\\prefs.js";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // One machine for all inputs; each input replaces the file.
  static sim::Machine m;
  m.Builder().File(kPrefs, bytes);
  const std::string folder = browsers::ReadPrefsCacheDir(m.Platform().fs, kPrefs);
  // Either "none" or a folder that ends in its backslash and holds no quote.
  if (folder != " " &&
      (folder.empty() || folder.back() != '\\' || folder.find('"') != std::string::npos)) {
    std::abort();
  }
  // The same for the input as one line.
  auto line = browsers::PrefsCacheDirOfLine(std::string(bytes));
  if (line && *line != " " && (line->empty() || line->back() != '\\')) std::abort();
  return 0;
}
