#include "core/sweep/scanrecords.h"

#include <optional>

#include "platform/text.h"

namespace sweep {

namespace {

// The n of a key "Pn" within the section's range, spelled as NumberedKey
// spells it (case aside, as the profile functions compare names): "P07"
// or "P1x" are other keys.
std::optional<int> RecordNumber(std::string_view key) {
  if (key.size() < 2 || key.size() > 4 || (key[0] != 'P' && key[0] != 'p')) return std::nullopt;
  if (key[1] == '0') return std::nullopt;
  int n = 0;
  for (char c : key.substr(1)) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n > kScanSectionSize) return std::nullopt;
  return n;
}

}  // namespace

ScanRecords::ScanRecords(platform::Ini& ini, const std::string& scan_file,
                         std::string_view section) {
  std::array<bool, kScanSectionSize + 1> seen{};
  for (const auto& [key, value] : ini.ReadSection(scan_file, section)) {
    auto n = RecordNumber(key);
    // A key listed twice reads as its first line.
    if (!n || seen[static_cast<size_t>(*n)]) continue;
    seen[static_cast<size_t>(*n)] = true;
    values_[static_cast<size_t>(*n)] = text::Trim(value);
  }
}

const std::string& ScanRecords::operator[](int n) const {
  if (n < 1 || n > kScanSectionSize) return values_[0];
  return values_[static_cast<size_t>(n)];
}

}  // namespace sweep
