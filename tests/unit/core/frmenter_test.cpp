#include "core/frmenter.h"

#include <gtest/gtest.h>

#include "core/uglobalvars.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace core {
namespace {

class Splash : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  Uglobalvars g{m.Platform(), ws};

  // Which cells of each row are showing, as "1..4..." (dot = hidden).
  static std::string Row(TFrmenter& s, bool upper) {
    std::string out;
    int cells = upper ? TFrmenter::kUpperCells : TFrmenter::kLowerCells;
    for (int n = 1; n <= cells; ++n) {
      bool shown = (upper ? s.UpperCellLabel(n) : s.LowerCellLabel(n)).Visible();
      out += shown ? static_cast<char>('0' + n) : '.';
    }
    return out;
  }
};

TEST_F(Splash, IsABorderlessNavyWindowWithTheNameHidden) {
  TFrmenter s(g);
  EXPECT_EQ(s.GetBorderStyle(), ui::BorderStyle::kNone);
  EXPECT_EQ(s.ClientWidth(), 428);
  EXPECT_EQ(s.ClientHeight(), 193);
  EXPECT_EQ(s.GetColor(), ui::Rgb(0, 0, 128));
  EXPECT_EQ(s.Timer1.Interval(), 50);
  std::string upper, lower;
  for (int n = 1; n <= TFrmenter::kUpperCells; ++n) upper += s.UpperCellLabel(n).Caption();
  for (int n = 1; n <= TFrmenter::kLowerCells; ++n) lower += s.LowerCellLabel(n).Caption();
  EXPECT_EQ(upper, "VOSTREL!");
  EXPECT_EQ(lower, "CLEANER");
  EXPECT_EQ(Row(s, true), "........");
  EXPECT_EQ(Row(s, false), ".......");
}

TEST_F(Splash, TicksRevealTheCellsInTheirOrderAndTheTenthCloses) {
  TFrmenter s(g);
  s.Show();
  EXPECT_TRUE(s.Timer1.TimerEnabled());
  const std::vector<std::pair<std::string, std::string>> after_tick = {
      {"1.......", "1......"}, {"1..4....", "1..4..."}, {"1.34....", "1.34..."},
      {"1234....", "1234..."}, {"12345...", "12345.."}, {"123456..", "123456."},
      {"12345678", "1234567"}, {"12345678", "1234567"}, {"12345678", "1234567"},
  };
  for (size_t i = 0; i < after_tick.size(); ++i) {
    s.Timer1.Fire();
    EXPECT_EQ(Row(s, true), after_tick[i].first) << "tick " << i + 1;
    EXPECT_EQ(Row(s, false), after_tick[i].second) << "tick " << i + 1;
  }
  EXPECT_FALSE(s.Close());
  EXPECT_TRUE(s.Visible());
  s.Timer1.Fire();
  EXPECT_FALSE(s.Visible());
  EXPECT_FALSE(s.Timer1.TimerEnabled());
}

TEST_F(Splash, ShownModallyItEndsItselfAfterTenTicks) {
  int ticks_seen = 0;
  ws.WhileModal("Frmenter", [&](ui::Window& w) {
    auto& s = static_cast<TFrmenter&>(w);
    while (s.Visible() && ticks_seen < 20) {
      s.Timer1.Fire();
      ++ticks_seen;
    }
  });
  TFrmenter s(g);
  EXPECT_EQ(s.ShowModal(), 1);
  EXPECT_EQ(ticks_seen, 10);
}

}  // namespace
}  // namespace core
