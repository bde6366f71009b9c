// The records of one section of the scan-results file (the drive scan's
// finds), read in one piece. The start-up surveys look at every record of several sections; reading
// them key by key would cost a profile call per key (a few hundred at each
// start), where one section read gives them all.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/ini.h"

namespace sweep {

// Keys "P1" to "P100" of a multi-record section of the scan-results file.
inline constexpr int kScanSectionSize = 100;

class ScanRecords {
 public:
  // Reads keys "P1" to "P100" of `section`.
  ScanRecords(platform::Ini& ini, const std::string& scan_file, std::string_view section);

  // Key "Pn" (n from 1 to kScanSectionSize) as ReadString with an empty
  // default reads it, trimmed: empty when the key is missing or blank.
  // Other numbers give an empty text.
  const std::string& operator[](int n) const;

 private:
  std::array<std::string, kScanSectionSize + 1> values_;  // [0] stays empty
};

}  // namespace sweep
