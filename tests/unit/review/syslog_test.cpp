#include "review/syslog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "review/startup.h"
#include "tests/unit/window_test.h"

namespace review {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kLogFile =
    "C:\\Documents and Settings\\User\\Application Data\\Vostreldata\\SysLog.txt";
constexpr const char* kIE = "Software\\Microsoft\\Internet Explorer\\";

std::string Expected(const std::string& name) {
  std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "testdata" / name,
                   std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class SysLogTest : public unit::WindowTest<TFrmstartup> {
 protected:
  void Prepare(core::Uglobalvars& g) override { g.VersionCode = 7; }
  std::string Log() const { return m.ReadFile(kLogFile).value_or("<none>"); }
};

TEST_F(SysLogTest, TheLogMatchesTheExpectedFileByteForByteAndOpensMaximised) {
  const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  const std::string bhos =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
  m.Builder()
      .NoProcesses()
      .Process(4, "System")
      .Process(600, "app.exe", "C:\\Program Files\\App\\app.exe")
      .Memory({41, 2047ull << 20, 1000ull << 20, 3ull << 30, (1ull << 30) + (1ull << 19),
               0x7FFE0000ull, 0x7F000000ull})
      .RegString(sim::HKLM, run, "Tray", "C:\\Program Files\\App\\tray.exe /start")
      .RegString(sim::HKCU, run, "Caf\xc3\xa9", "C:\\Caf\xc3\xa9\\caf\xc3\xa9.exe")
      .RegString(sim::HKLM, "SYSTEM\\CurrentControlSet\\Services\\Svc", "ImagePath", "C:\\svc.exe")
      .RegKey(sim::HKLM, bhos + "\\{B1}")
      .RegString(sim::HKCR, "CLSID\\{B1}\\InprocServer32", "", "C:\\bho.dll")
      .RegString(sim::HKCU, std::string(kIE) + "Main", "Start Page", "http://home.example/")
      .RegString(sim::HKCU, std::string(kIE) + "SearchUrl", "", "http://find.example/%s")
      .RegBinary(sim::HKCU, std::string(kIE) + "TabbedBrowsing", "LastSession",
                 std::string("http://a.example/\0http://b.example/\0\0junk", 41))
      .RegString(sim::HKLM, std::string(kIE) + "Main", "Start Page", "http://machine.example/")
      .RegKey(sim::HKLM, std::string(kIE) + "TabbedBrowsing");
  Start();
  w->WriteSystemLog();
  EXPECT_EQ(Log(), Expected("syslog.expected"));
  ASSERT_EQ(m.ShellOpens().size(), 1u);
  EXPECT_EQ(m.ShellOpens()[0].target, kLogFile);
  EXPECT_EQ(m.ShellOpens()[0].show, platform::ShowCommand::kMaximised);
  EXPECT_TRUE(ws.Boxes().empty());

  // Written again, the startup lines are the same, not appended.
  const std::string first = Log();
  w->WriteSystemLog();
  EXPECT_EQ(Log(), first);
}

TEST_F(SysLogTest, WithoutBhosTheHeadingIsFollowedByItsSpacer) {
  Start();
  std::vector<std::string> lines = SystemLog(*g, *w).Lines();
  auto at = std::find(lines.begin(), lines.end(), "* Your system startup BHO entries.");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(*(at + 2), std::string(75, '*'));
  EXPECT_EQ(*(at + 3), " ");
  EXPECT_EQ(*(at + 4), " ");
  EXPECT_EQ(*(at + 5), std::string(75, '*'));
  // The HKCU Main block shows a missing "Start Page" with nothing after it.
}

TEST_F(SysLogTest, AWriteFailureIsReportedAndTheFileIsNotOpened) {
  Start();
  m.Builder().FailWrites("C:\\Documents and Settings\\User\\Application Data\\Vostreldata");
  w->WriteSystemLog();
  EXPECT_EQ(ws.BoxTexts(), (Strings{"The system log could not be written: The system cannot "
                                    "write to the specified device."}));
  EXPECT_TRUE(m.ShellOpens().empty());
}

TEST_F(SysLogTest, AShellFailureNamesTheLogSoTheUserCanOpenItByHand) {
  m.Builder().OpenResult(31);
  Start();
  w->WriteSystemLog();
  EXPECT_EQ(ws.BoxTexts(),
            (Strings{std::string("You cannot view this file so you need to open it manually. Open "
                                 "notepad or wordpad, then go open the following report that was "
                                 "created: ") +
                     kLogFile}));
}

TEST(SysLogParts, LastSessionIsCutAtZeroBytesUntilOneComesFirst) {
  using std::string_literals::operator""s;
  EXPECT_EQ(CutLastSession("a\0bc\0\0d\0"s), (Strings{"a", "bc"}));
  EXPECT_EQ(CutLastSession("\0abc\0"s), Strings{});
  EXPECT_EQ(CutLastSession("no zero byte"), Strings{});
  EXPECT_EQ(CutLastSession("one\0tail"s), (Strings{"one"}));
  EXPECT_EQ(CutLastSession(""), Strings{});
}

TEST(SysLogParts, BrowserSettingsAreLabelledAndAMissingStartPageIsStillWritten) {
  sim::Machine m;
  m.Builder().RegKey(sim::HKCU, std::string(kIE) + "Main");
  std::vector<std::string> lines{"old"};
  LoadBrowserSettings(m.Platform().registry, lines);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "HKCU Local Page            : ");
  EXPECT_EQ(lines[6], "HKCU Start Page            : ");
}

TEST(SysLogParts, MemoryFiguresRoundHalvesToEvenAndFallBackToTheThirtyTwoBitCall) {
  sim::Machine m;
  auto& sys = m.Platform().system;
  m.Builder().Memory({12, (5ull << 20) + (1ull << 19), (6ull << 20) + (1ull << 19),
                      (6ull << 20) + (1ull << 19) + 1, 0, 8ull << 32, 8ull << 32});
  EXPECT_EQ(MemoryFigure(sys, 0), 12);
  EXPECT_EQ(MemoryFigure(sys, 1), 6);  // 5.5 -> 6
  EXPECT_EQ(MemoryFigure(sys, 2), 6);  // 6.5 -> 6
  EXPECT_EQ(MemoryFigure(sys, 3), 7);
  EXPECT_EQ(MemoryFigure(sys, 5), 32768);
  m.Builder().NoMemoryStatusEx();
  EXPECT_EQ(MemoryFigure(sys, 5), 2048);  // the 32-bit call's 2 GiB - 1
}

TEST(SysLogParts, PercentagesTruncateAndNeverDivideByZero) {
  EXPECT_EQ(Percentage(1000, 2047), 50);
  EXPECT_EQ(Percentage(30, 60), 50);
  EXPECT_EQ(Percentage(5, 0), 0);
  EXPECT_EQ(OperatingSystemLine(3), "Operating System: You are running Windows 98 SE");
  EXPECT_EQ(OperatingSystemLine(9), "Operating System: Other.");
}

}  // namespace
}  // namespace review
