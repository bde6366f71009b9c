#include "core/frmperformance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/window_test.h"

namespace core {
namespace {

using Strings = std::vector<std::string>;

class PerformanceTest : public unit::WindowTest<TFrmPerformance> {};

TEST_F(PerformanceTest, SixLinesFromThe32BitStatusWithTruncatingPercentages) {
  platform::MemoryStatus status;
  status.total_phys = 6ull << 30;  // beyond 32 bits: the status gives 4 GiB - 1
  status.avail_phys = 1000;
  status.total_page_file = 99;  // a divisor of 0
  status.avail_page_file = 50;
  m.Builder().Memory(status);
  Start();
  EXPECT_EQ(w->LblRamTotal.Caption(), "Total RAM memory on your system = 4294967295");
  EXPECT_EQ(w->LblRamAvail.Caption(), "RAM memory currently available  = 1000");
  EXPECT_EQ(w->LblRamPercent.Caption(), "Percentage of RAM memory available = 0%");
  EXPECT_EQ(w->LblSwapTotal.Caption(), "Maximum storage in swap file = 99");
  EXPECT_EQ(w->LblSwapAvail.Caption(), "Available swap file space = 50");
  EXPECT_EQ(w->LblSwapPercent.Caption(), "Percentage of swap file available  = 0%");
  // 250 of 1099: the divisor 10 makes it 25, not 22.
  EXPECT_EQ(TruncatedPercent(250, 1099), 25u);
}

TEST_F(PerformanceTest, DefragOpensTheFirstDefragmenterFoundWithItsMessage) {
  Start();
  w->CmdDefrag.Click();
  EXPECT_TRUE(m.ShellOpens().empty());
  EXPECT_TRUE(ws.Boxes().empty());

  m.Builder()
      .File(g->SystemDir + "\\dfrgui.exe")
      .File(g->WindowsDir + "\\dfrg.msc")
      .File(g->SystemDir + "\\defrag.exe");
  w->CmdDefrag.Click();
  ASSERT_EQ(m.ShellOpens().size(), 1u);
  EXPECT_EQ(m.ShellOpens()[0].target, g->WindowsDir + "\\dfrg.msc");
  EXPECT_EQ(ws.BoxTexts().at(0).rfind("A window will now open, click the defragment button", 0),
            0u);
}

TEST_F(PerformanceTest, OnlyDefragExeGetsTheOkButtonMessage) {
  m.Builder().File("C:\\WINDOWS\\defrag.exe");
  Start();
  w->CmdDefrag.Click();
  ASSERT_EQ(m.ShellOpens().size(), 1u);
  EXPECT_EQ(ws.BoxTexts().at(0).rfind("A window will now open, click the OK button", 0), 0u);
}

}  // namespace
}  // namespace core
