// The startup review's two parsers of stored text: the removal table's
// descriptor line and Internet Explorer's LastSession bytes, as a registry
// value may hold anything.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "review/startup.h"
#include "review/syslog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // Every line cut from LastSession is non-empty, holds no zero byte, and
  // together they are never longer than the input.
  size_t total = 0;
  for (const std::string& line : review::CutLastSession(bytes)) {
    if (line.empty() || line.find('\0') != std::string::npos) std::abort();
    total += line.size() + 1;
  }
  if (total > size) std::abort();

  // Any line parses; parts are trimmed and the root is one of the two.
  const review::Descriptor d = review::ParseDescriptor(bytes);
  if (!d.root.empty() && d.root != "HKCU" && d.root != "HKLM") std::abort();
  for (const std::string* part : {&d.key, &d.value, &d.action}) {
    if (!part->empty() && (part->front() == ' ' || part->back() == ' ')) std::abort();
  }
  // A descriptor built from parts without markers or outer blanks parses
  // back to them.
  const size_t cut = size / 2;
  std::string key(bytes.substr(0, cut)), value(bytes.substr(cut));
  for (std::string* s : {&key, &value}) {
    if (s->find("Reg") != std::string::npos || s->find("Action:") != std::string::npos) return 0;
    if (!s->empty() && (static_cast<unsigned char>(s->front()) <= ' ' ||
                        static_cast<unsigned char>(s->back()) <= ' '))
      return 0;
  }
  const review::Descriptor back =
      review::ParseDescriptor(review::MakeDescriptor("HKLM", key, value, "DELREG"));
  if (back.root != "HKLM" || back.key != key || back.value != value || back.action != "DELREG")
    std::abort();
  return 0;
}
