#include "core/winver.h"

#include <gtest/gtest.h>

#include "platform/sim/machine.h"

namespace core {
namespace {

platform::VersionInfo Nine(uint32_t minor, std::string csd) { return {4, minor, 0, 1, csd}; }
platform::VersionInfo Nt(uint32_t major, uint32_t minor) { return {major, minor, 0, 2, ""}; }

TEST(WindowsVersionCode, EveryListedVersionHasItsCode) {
  const std::vector<std::pair<sim::WindowsVersion, int>> table = {
      {sim::Win95, 1},   {sim::Win98, 3}, {sim::WinMe, 5},   {sim::WinNt4, 4},
      {sim::Win2000, 6}, {sim::WinXp, 7}, {sim::Win2003, 0}, {sim::WinVista, 8},
      {sim::Win7, 8},    {sim::Win8, 8},  {sim::Win81, 8},   {sim::Win10, 0},
  };
  for (const auto& [version, code] : table) {
    EXPECT_EQ(GetWindowsVersionCode(sim::VersionOf(version)), code) << version;
  }
}

TEST(WindowsVersionCode, Windows98IsTheSecondEditionOnlyWithAnAAsSecondCharacter) {
  EXPECT_EQ(GetWindowsVersionCode(Nine(10, " A ")), 3);
  EXPECT_EQ(GetWindowsVersionCode(Nine(10, "xA")), 3);
  EXPECT_EQ(GetWindowsVersionCode(Nine(10, " B")), 2);
  EXPECT_EQ(GetWindowsVersionCode(Nine(10, " a")), 2);
  // Texts too short to have a second character.
  EXPECT_EQ(GetWindowsVersionCode(Nine(10, "A")), 2);
  EXPECT_EQ(GetWindowsVersionCode(Nine(10, "")), 2);
}

TEST(WindowsVersionCode, UnlistedVersionsAndAFailedQueryGiveZero) {
  EXPECT_EQ(GetWindowsVersionCode({}), 0);
  EXPECT_EQ(GetWindowsVersionCode(Nine(20, "")), 0);
  EXPECT_EQ(GetWindowsVersionCode({5, 0, 0, 1, ""}), 0);
  EXPECT_EQ(GetWindowsVersionCode(Nt(5, 2)), 0);
  EXPECT_EQ(GetWindowsVersionCode(Nt(3, 51)), 4);
  EXPECT_EQ(GetWindowsVersionCode(Nt(6, 9)), 8);
  EXPECT_EQ(GetWindowsVersionCode({6, 0, 0, 0, ""}), 0);
}

}  // namespace
}  // namespace core
