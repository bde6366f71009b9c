#include "review/regbackup.h"

#include <gtest/gtest.h>

#include "platform/sim/machine.h"

namespace review {
namespace {

using platform::Hive;
using platform::RawValue;

constexpr const char* kKey = "Software\\Test";

TEST(RegBackup, ValueLinesTakeTheRegistryEditorsForms) {
  const RawValue str{1, ToUtf16(std::string("C:\\a \"b\"") + '\0')};
  EXPECT_EQ(RegValueLine("Run \"x\"", &str), "\"Run \\\"x\\\"\"=\"C:\\\\a \\\"b\\\"\"");
  EXPECT_EQ(RegValueLine("", &str).substr(0, 2), "@=");
  const RawValue dword{4, std::string("\x0a\x00\x00\xf0", 4)};
  EXPECT_EQ(RegValueLine("D", &dword), "\"D\"=dword:f000000a");
  const RawValue expand{2, ToUtf16(std::string("%a%") + '\0')};
  EXPECT_EQ(RegValueLine("E", &expand), "\"E\"=hex(2):25,00,61,00,25,00,00,00");
  // A string that a quoted form cannot carry (a line break, no final NUL).
  const RawValue multi_line{1, ToUtf16("a\nb")};
  EXPECT_EQ(RegValueLine("M", &multi_line), "\"M\"=hex(1):61,00,0a,00,62,00");
  EXPECT_EQ(RegValueLine("Gone", nullptr), "\"Gone\"=-");
  // Long data is continued over lines as the editor writes it.
  const RawValue binary{3, std::string(40, '\x11')};
  const std::string line = RegValueLine("B", &binary);
  EXPECT_EQ(line.substr(0, 9), "\"B\"=hex:1");
  EXPECT_NE(line.find(",\\\r\n  11"), std::string::npos);
}

TEST(RegBackup, AKeyIsSavedWithEverythingBelowItAsUtf16WithTheEditorsHeader) {
  sim::Machine m;
  m.Builder()
      .RegString(sim::HKLM, std::string(kKey) + "\\{ID}", "", "C:\\bho.dll")
      .RegDword(sim::HKLM, std::string(kKey) + "\\{ID}", "NoExplorer", 1)
      .RegString(sim::HKLM, std::string(kKey) + "\\{ID}\\Sub", "V", "x")
      .Folder("C:\\Data");
  RegBackup backup(m.Platform(), "C:\\Data");
  ASSERT_TRUE(backup.SaveKey(Hive::kLocalMachine, std::string(kKey) + "\\{ID}"));
  const std::string bytes = *m.ReadFile(backup.File());
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFEW\0", 4));
  EXPECT_EQ(*m.ReadText(backup.File()),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Test\\{ID}]\r\n"
            "@=\"C:\\\\bho.dll\"\r\n\"NoExplorer\"=dword:00000001\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Test\\{ID}\\Sub]\r\n\"V\"=\"x\"\r\n\r\n");
  EXPECT_EQ(backup.File(), "C:\\Data\\RegBackup-20070615-143000-001.reg");

  // A second change within the same second gets a file of its own.
  RegBackup again(m.Platform(), "C:\\Data");
  ASSERT_TRUE(again.SaveValue(Hive::kCurrentUser, kKey, "Missing"));
  EXPECT_EQ(again.File(), "C:\\Data\\RegBackup-20070615-143000-002.reg");
  EXPECT_NE(m.ReadText(again.File())->find("[HKEY_CURRENT_USER\\Software\\Test]\r\n\"Missing\"=-"),
            std::string::npos);

  m.Builder().FailWrites("C:\\Data");
  EXPECT_FALSE(RegBackup(m.Platform(), "C:\\Data").SaveValue(Hive::kCurrentUser, kKey, "x"));
}

}  // namespace
}  // namespace review
