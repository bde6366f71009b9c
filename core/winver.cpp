#include "core/winver.h"

namespace core {

namespace {

constexpr uint32_t kPlatform9x = 1;
constexpr uint32_t kPlatformNT = 2;

}  // namespace

int GetWindowsVersionCode(const platform::VersionInfo& v) {
  // A failed query leaves every field 0.
  if (v.major == 0) return 0;
  if (v.platform_id == kPlatform9x && v.major == 4) {
    switch (v.minor) {
      case 0:
        return 1;
      case 10:
        return v.csd.size() >= 2 && v.csd[1] == 'A' ? 3 : 2;
      case 90:
        return 5;
      default:
        return 0;
    }
  }
  if (v.platform_id == kPlatformNT) {
    if (v.major < 5) return 4;
    if (v.major == 5 && v.minor == 0) return 6;
    if (v.major == 5 && v.minor == 1) return 7;
    if (v.major == 6) return 8;
  }
  return 0;
}

}  // namespace core
