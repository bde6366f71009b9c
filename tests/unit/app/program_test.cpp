#include "app/program_windows.h"

#include <gtest/gtest.h>

#include "core/application.h"
#include "tests/unit/core/core_fixture.h"

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
