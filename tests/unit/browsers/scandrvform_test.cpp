#include "browsers/scandrvform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/uglobalvars.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace browsers {
namespace {

constexpr const char* kCompleted =
    "Scan has completed.  The log you have just done will always be in effect when you run "
    "Vostrel, and will only need to be run once. In the future, if you uninstall/install new "
    "browsers, you may want to run the scan again, and it can be accessed under the \"Vost "
    "Settings\" button.";

class ScanWindowTest : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;

  void SetUp() override {
    for (int i = 0; i < 200; ++i) {
      m.Builder().File("C:\\Bulk\\f" + std::to_string(i) + ".txt");
    }
    m.Builder().File("C:\\Apps\\Mozilla\\prefs.js");
    g = std::make_unique<core::Uglobalvars>(m.Platform(), ws);
    g->FormBaseFolders();
    g->FormDataPaths();
  }
  std::string P45(int n) {
    return m.Platform().ini.ReadString(g->ScanResultsFile, "P45", "P" + std::to_string(n), "");
  }
};

TEST_F(ScanWindowTest, CreatingTheWindowWritesTheInitialFileOnlyWhenItIsMissing) {
  ASSERT_FALSE(m.Exists(g->ScanResultsFile));
  TFrmscandrv w(*g);
  w.Create();
  EXPECT_EQ(w.Caption(), " Scan Drive");
  ASSERT_TRUE(m.Exists(g->ScanResultsFile));
  EXPECT_EQ(m.Platform().ini.KeyNames(g->ScanResultsFile, "UCKK5").size(), 200u);

  m.Builder().Ini(g->ScanResultsFile, "P45", "P1", "C:\\Kept\\");
  TFrmscandrv again(*g);
  again.Create();
  EXPECT_EQ(P45(1), "C:\\Kept\\");
  EXPECT_EQ(again.DriveComboBox1.Drive(), 'c');
}

TEST_F(ScanWindowTest, ScanDriveNowRecordsFindsAndReportsCompletion) {
  TFrmscandrv w(*g);
  w.Create();
  w.CmdScan.Click();
  EXPECT_EQ(P45(1), "C:\\Apps\\Mozilla\\");
  EXPECT_EQ(ws.BoxTexts(), std::vector<std::string>{kCompleted});
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kInformation);
  EXPECT_TRUE(w.CmdScan.Enabled());
  EXPECT_EQ(w.Lblfiles.Caption(), "");
  EXPECT_GT(ws.PumpCount(), 0);
}

TEST_F(ScanWindowTest, DuringAScanTheButtonIsOffASecondScanCannotStartAndTheGuardIsHeld) {
  TFrmscandrv w(*g);
  w.Create();
  int checks = 0;
  ws.OnPump([&] {
    if (checks++ > 0) return;
    EXPECT_FALSE(w.CmdScan.Enabled());
    EXPECT_TRUE(g->Busy());
    EXPECT_FALSE(w.Lblfiles.Caption().empty());
    uint64_t entries_before = w.Scanner().Entries();
    w.CmdScanClick();  // re-entry through the pump: ignored
    EXPECT_EQ(w.Scanner().Entries(), entries_before);
  });
  w.CmdScan.Click();
  EXPECT_GT(checks, 0);
  EXPECT_FALSE(g->Busy());
  EXPECT_EQ(ws.BoxTexts().size(), 1u);
}

TEST_F(ScanWindowTest, ReturnDuringAScanStopsItAndClosesOnceTheWalkHasUnwound) {
  TFrmscandrv w(*g);
  bool closed_inside_pump = false;
  ws.WhileModal("Frmscandrv", [&](ui::Window&) {
    ws.OnPump([&] {
      w.CmdReturn.Click();
      closed_inside_pump = closed_inside_pump || !w.Visible();
    });
    w.CmdScan.Click();
    EXPECT_FALSE(w.Visible());
  });
  w.ShowModal();
  EXPECT_FALSE(closed_inside_pump);
  EXPECT_FALSE(w.Scanning());
  EXPECT_TRUE(ws.Boxes().empty());  // no completion message for a stopped scan
  EXPECT_LT(w.Scanner().Entries(), 200u);
  EXPECT_NE(g->ReadWindowWidth("Frmscandrv"), 0);
}

TEST_F(ScanWindowTest, ADriveWhoseRootCannotBeListedCompletesAtOnce) {
  m.Builder().Unlistable("C:\\");
  TFrmscandrv w(*g);
  w.Create();
  w.CmdScan.Click();
  EXPECT_EQ(ws.BoxTexts(), std::vector<std::string>{kCompleted});
  EXPECT_EQ(w.Scanner().Entries(), 0u);
}

TEST_F(ScanWindowTest, TextsAreLaidOutAtTheirMeasuredHeightsAndAStoredSmallSizeCannotCutThem) {
  m.Builder().Ini(g->ScanResultsFile, "Frmscandrv", "H", "120");
  TFrmscandrv w(*g);
  int bottom = 0;
  for (const ui::Label* label : {&w.Label1, &w.Label2, &w.Label3, &w.Label4}) {
    EXPECT_GE(label->Top(), bottom) << label->Name();
    EXPECT_EQ(label->Height(), label->TextHeight()) << label->Name();
    EXPECT_GT(label->Height(), ws.LineHeight(label->GetFont())) << label->Name();
    bottom = label->Top() + label->Height();
  }
  EXPECT_EQ(w.Label4.Top(), w.Label3.Top() + w.Label3.Height());
  EXPECT_GE(w.CmdScan.Top(), bottom);
  EXPECT_GE(w.ClientHeight(), w.Lblfiles.Top() + w.Lblfiles.Height());
}

}  // namespace
}  // namespace browsers
