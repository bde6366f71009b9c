#include "demo/frmdemo.h"

#include <gtest/gtest.h>

#include "ui/headless/headless.h"

namespace {

using platform::DriveInfo;
using platform::DriveType;

std::vector<DriveInfo> FloppyAndDisk() {
  return {{"A:\\", DriveType::kRemovable, ""}, {"C:\\", DriveType::kFixed, "SYSTEM"}};
}

class FrmdemoTest : public ::testing::Test {
 protected:
  void SetUp() override { frm.Show(); }
  ui::HeadlessWindowSystem ws;
  TFrmdemo frm{ws, FloppyAndDisk()};
};

TEST_F(FrmdemoTest, AskShowsEachAnswerOfTheConfirmation) {
  ws.Answer(ui::Answer::kYes);
  ws.Answer(ui::Answer::kNo);
  frm.CmdAsk.Click();
  EXPECT_EQ(frm.LblAnswer.Caption(), "You answered Yes.");
  frm.CmdAsk.Click();
  EXPECT_EQ(frm.LblAnswer.Caption(), "You answered No.");
  ASSERT_EQ(ws.Boxes().size(), 2u);
  for (const ui::ShownBox& box : ws.Boxes()) {
    EXPECT_EQ(box.kind, ui::BoxKind::kConfirmation);
    EXPECT_EQ(box.buttons, ui::Buttons::kYesNo);
    EXPECT_EQ(box.text, "Do you like this window?");
    EXPECT_TRUE(box.scripted);
  }
}

TEST_F(FrmdemoTest, ClosedQuestionCountsAsNo) {
  frm.CmdAsk.Click();  // nobody answers: the box's safe choice
  EXPECT_EQ(frm.LblAnswer.Caption(), "You answered No.");
}

TEST_F(FrmdemoTest, DisabledAskButtonAsksNothing) {
  frm.CmdAsk.SetEnabled(false);
  frm.CmdAsk.Click();
  EXPECT_TRUE(ws.Boxes().empty());
  EXPECT_EQ(frm.LblAnswer.Caption(), "");
}

TEST_F(FrmdemoTest, DriveListShowsLabelsAndPicksTheFixedDrive) {
  ASSERT_EQ(frm.CboDrive.Count(), 2);
  EXPECT_EQ(frm.CboDrive.Items()[0], "a:");
  EXPECT_EQ(frm.CboDrive.Items()[1], "c: [SYSTEM]");
  EXPECT_EQ(frm.CboDrive.Drive(), 'c');
}

TEST(FrmdemoDrives, NoDrivesLeaveAnEmptyListAndNoDriveWithoutFixedOnesTheFirst) {
  ui::HeadlessWindowSystem ws;
  TFrmdemo none(ws, {});
  none.Show();
  EXPECT_EQ(none.CboDrive.Count(), 0);
  EXPECT_EQ(none.CboDrive.Drive(), 0);

  TFrmdemo removable(ws, {{"E:\\", DriveType::kRemovable, ""}, {"", DriveType::kFixed, ""}});
  removable.Show();
  ASSERT_EQ(removable.CboDrive.Count(), 1);  // an entry without a root is left out
  EXPECT_EQ(removable.CboDrive.Drive(), 'e');
}

TEST_F(FrmdemoTest, TabsShowOnePageAtATime) {
  EXPECT_TRUE(frm.ChkHints.Showing());
  EXPECT_FALSE(frm.LblFixed.Showing());
  frm.TabPages.ChooseTab(1);
  EXPECT_FALSE(frm.ChkHints.Showing());
  EXPECT_TRUE(frm.LblFixed.Showing());
  // A hidden page's controls take no clicks.
  frm.ChkHints.Click();
  EXPECT_TRUE(frm.ChkHints.Checked());
}

TEST_F(FrmdemoTest, TimerCountsSecondsOnTheBanner) {
  EXPECT_TRUE(frm.Timer1.TimerEnabled());
  EXPECT_EQ(frm.LblClock.Caption(), "Shown for 0 s");
  frm.Timer1.Fire();
  frm.Timer1.Fire();
  EXPECT_EQ(frm.LblClock.Caption(), "Shown for 2 s");
  EXPECT_TRUE(frm.LblClock.Transparent());
}

TEST_F(FrmdemoTest, LongestLineGetsItsWidthAsHorizontalExtent) {
  int widest = 0;
  for (const std::string& line : frm.ListFiles.Items()) {
    widest = std::max(widest, ws.TextWidth(frm.ListFiles.GetFont(), line));
  }
  EXPECT_GT(widest, frm.ListFiles.Width());
  EXPECT_EQ(frm.ListFiles.HorizontalExtent(),
            widest + ws.SystemMetric(ui::Metric::kFrameWidth) + 20);
}

TEST_F(FrmdemoTest, PickingFilesAndOtherInputIsLogged) {
  frm.ListFiles.ClickItem(0);
  frm.ListFiles.ClickItem(3);
  frm.ChkWipe.Click();
  frm.RadThorough.Click();
  frm.CboMode.Choose(2);
  auto lines = frm.MemoLog.Lines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "Window created.");
  EXPECT_EQ(lines[2], "Files picked: 2.");
  EXPECT_EQ(lines[3], "Overwrite: on.");
  EXPECT_EQ(lines[4], "Level: Thorough.");
  EXPECT_EQ(lines[5], "Mode: Deep.");
  EXPECT_FALSE(frm.RadNormal.Checked());
}

TEST_F(FrmdemoTest, TypingANameGreetsAndClearingItAsksAgain) {
  frm.EdtName.Type("Ann");
  EXPECT_EQ(frm.PnlGreeting.Caption(), "Hello, Ann");
  frm.EdtName.Type("");
  EXPECT_EQ(frm.PnlGreeting.Caption(), "Type your name below");
}

TEST_F(FrmdemoTest, HintsSwitchOffAndOnWithTheirBox) {
  EXPECT_FALSE(frm.CmdAsk.Hint().empty());
  frm.ChkHints.Click();
  EXPECT_TRUE(frm.CmdAsk.Hint().empty());
  EXPECT_TRUE(frm.ListFiles.Hint().empty());
  frm.ChkHints.Click();
  EXPECT_EQ(frm.CmdAsk.Hint(), "Asks you a question");
}

TEST_F(FrmdemoTest, ScrollBarPositionIsShownAndKeptInRange) {
  frm.ScrLevel.Scroll(70);
  EXPECT_EQ(frm.LblLevel.Caption(), "70");
  frm.ScrLevel.Scroll(250);
  EXPECT_EQ(frm.LblLevel.Caption(), "100");
}

TEST_F(FrmdemoTest, CloseButtonClosesTheWindow) {
  frm.CmdClose.Click();
  EXPECT_FALSE(frm.Visible());
}

TEST(Gradient, HasOnePixelPerCellAndCopesWithTinyAndEmptySizes) {
  ui::Image image = MakeGradient(300, 30);
  EXPECT_EQ(image.rgb.size(), 300u * 30u * 3u);
  // Left is bluer than right, right is greener.
  EXPECT_GT(image.rgb[2], image.rgb[299 * 3 + 2]);
  EXPECT_LT(image.rgb[1], image.rgb[299 * 3 + 1]);
  EXPECT_EQ(MakeGradient(1, 1).rgb.size(), 3u);
  EXPECT_TRUE(MakeGradient(0, 10).Empty());
  EXPECT_TRUE(MakeGradient(10, -1).rgb.empty());
}

}  // namespace
