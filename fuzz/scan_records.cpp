// The scan-results file as a previous run, an older version or a hand edit
// left it: the records of one section read in one piece must be what reading
// key "Pn" by key gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "browsers/scandrv.h"
#include "core/sweep/scanrecords.h"
#include "platform/sim/machine.h"
#include "platform/text.h"

namespace {

const std::string kScanFile = "C:\\Vostreldata\\vostscan6.ini";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One machine for all inputs; each input replaces the file.
  static sim::Machine m;
  m.Builder().File(kScanFile, std::string_view(reinterpret_cast<const char*>(data), size));
  platform::Ini& ini = m.Platform().ini;
  const sweep::ScanRecords records(ini, kScanFile, "K17");
  if (!records[0].empty() || !records[sweep::kScanSectionSize + 1].empty()) std::abort();
  // Each record the section may name (the number after the first letter of
  // a key, and the first and last) against the key read on its own.
  std::set<int> numbers{1, sweep::kScanSectionSize};
  for (const std::string& key : ini.KeyNames(kScanFile, "K17")) {
    int n = 0;
    for (size_t i = 1; i < key.size() && i < 4 && key[i] >= '0' && key[i] <= '9'; ++i) {
      n = n * 10 + (key[i] - '0');
    }
    if (n >= 1 && n <= sweep::kScanSectionSize) numbers.insert(n);
  }
  for (int n : numbers) {
    if (records[n] !=
        text::Trim(ini.ReadString(kScanFile, "K17", browsers::NumberedKey("P", n), ""))) {
      std::abort();
    }
  }
  return 0;
}
