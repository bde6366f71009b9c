#include "app/program_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/application.h"
#include "tests/unit/core/core_fixture.h"
#include "tools/seed/seed.h"

namespace app {
namespace {

using namespace core::testing;

class Program : public CoreTest {
 protected:
  void SetUp() override {
    factories = ProgramWindows();
    Builder().RegString(sim::HKCU, core::kSettingsKey, "Skin", "skinnone");
  }
};

// The whole program on an empty machine: first run, then a second start,
// each ended with the close box. Nothing may fail or ask anything.
TEST_F(Program, FirstAndSecondRunOnAnEmptyMachine) {
  auto run = [this] {
    core::Application program(m.Platform(), ws, factories);
    EXPECT_EQ(program.Run(), 0);
  };
  run();
  EXPECT_EQ(ModalWindows(), (std::vector<std::string>{"Frmscandrv", "Frmenter", "Frminit"}));
  EXPECT_TRUE(m.Exists(kScanFile));
  run();
  EXPECT_EQ(ModalWindows(),
            (std::vector<std::string>{"Frmscandrv", "Frmenter", "Frminit", "Frmenter", "Frminit"}));
  for (const auto& box : ws.Boxes()) EXPECT_TRUE(box.scripted) << box.text;
  EXPECT_TRUE(ws.RealisedWindows().empty());
}

// Every window of the main window's table is part of the program and is
// shown by its button; a button without a row opens nothing.
TEST_F(Program, EveryWindowOfTheMainWindowsTableIsMadeAndShownByItsButton) {
  core::TFrminit& w = Start();
  for (const core::WindowRow& row : core::TFrminit::WindowTable()) {
    if (row.life == core::Life::kKept) {
      EXPECT_NE(w.Owned(row.window), nullptr) << row.window;
    } else {
      EXPECT_NE(factories.Make(row.window, G(), w), nullptr) << row.window;
    }
    if (!row.button) continue;
    (w.*row.button).Click();
    EXPECT_EQ(ModalWindows().back(), row.window);
  }
}

class EveryButton : public Program {
 protected:
  void SetUp() override {
    Program::SetUp();
    Builder()
        .File(std::string(core::testing::kProgramDir) + "index_t.htm", "<html></html>")
        .File(std::string(core::testing::kProgramDir) + "download.htm", "<html></html>");
  }
  // Presses every button of the main window, Exit last, on an installed
  // program (help and product pages beside it): every window of the table
  // opens and closes, nothing fails, and no box is an error. Unscripted
  // questions get the answer that changes nothing.
  void PressEveryButton(core::TFrminit& w) {
    std::vector<ui::Button*> buttons;
    for (ui::Control* c : w.Controls()) {
      if (c->GetKind() == ui::Kind::kButton) buttons.push_back(static_cast<ui::Button*>(c));
    }
    std::stable_partition(buttons.begin(), buttons.end(),
                          [&w](ui::Button* b) { return b != &w.cmdexit; });
    for (ui::Button* b : buttons) b->Click();
    for (const core::WindowRow& row : core::TFrminit::WindowTable()) {
      if (!row.button) continue;
      const auto shown = ModalWindows();
      EXPECT_NE(std::find(shown.begin(), shown.end(), row.window), shown.end()) << row.window;
    }
    EXPECT_FALSE(w.Visible());
  }
  void ExpectNoErrorBox() {
    for (const auto& box : ws.Boxes()) EXPECT_NE(box.kind, ui::BoxKind::kError) << box.text;
  }
};

TEST_F(EveryButton, OnAnEmptyMachine) {
  core::TFrminit& w = Start();
  PressEveryButton(w);
  ExpectNoErrorBox();
  app.reset();
  EXPECT_TRUE(ws.RealisedWindows().empty());
}

TEST_F(EveryButton, OnTheDemoProfileAfterItsDriveScan) {
  seed::SeedOptions options;
  options.user_name = "User";
  ASSERT_TRUE(seed::SeedDirtyProfile(m.Platform(), options).Ok());
  ws.WhileModal("Frmscandrv", [](ui::Window& scan) { scan.Find("CmdScan")->Click(); });
  core::TFrminit& w = Start();
  // What the AOL window found on the profile, before anything is cleaned.
  ui::Window* aol = w.Owned("FrmAOL");
  ASSERT_NE(aol, nullptr);
  EXPECT_EQ(static_cast<ui::Label*>(aol->Find("LblAOLPics"))->Caption(), "Count = 2");
  EXPECT_NE(static_cast<ui::Label*>(aol->Find("LblAOLurls"))->Caption(), "Count = 0");
  PressEveryButton(w);
  ExpectNoErrorBox();
  app.reset();
  EXPECT_TRUE(ws.RealisedWindows().empty());
}

// "Review Startup" shows the startup review with its lists loaded;
// "Review Spyware" writes the log once even when clicked again while its
// loading lets messages run.
TEST_F(Program, ReviewStartupLoadsItsListsAndReviewSpywareWritesTheLogOnce) {
  Builder().RegString(sim::HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tray",
                      "tray.exe");
  core::TFrminit& w = Start();
  size_t shown_lines = 0;
  ws.WhileModal("Frmstartup", [&](ui::Window& review) {
    shown_lines = static_cast<ui::ListBox*>(review.Find("ListStartup"))->Items().size();
    review.Close();
  });
  w.Cmdstartup.Click();
  EXPECT_EQ(shown_lines, 1u);

  int nested = 0;
  ws.OnPump([&] {
    if (nested++ == 0) w.CmdSpyware.Click();
  });
  w.CmdSpyware.Click();
  EXPECT_EQ(m.ShellOpens().size(), 1u);
  EXPECT_NE(m.ReadFile(G().SysLogFile)->find("SECTION 1:  tray.exe\r\n"), std::string::npos);
}

}  // namespace
}  // namespace app
