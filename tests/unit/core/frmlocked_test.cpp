#include "core/frmlocked.h"

#include <gtest/gtest.h>

#include <string>

#include "core/frminit.h"
#include "tests/unit/core/core_fixture.h"

namespace core {
namespace {

using namespace core::testing;

class LockedOption : public CoreTest {
 protected:
  void SetUp() override {
    factories.windows["Frmlocked"] = Factory<TFrmLocked>();
    Builder()
        .RegString(sim::HKCU, kSettingsKey, "Skin", "skinnone")
        .File(kBatchFile, "Del old\r\nExit\r\n")
        .RegKey(sim::HKCU, kRunKey);
  }
  // "Locked Files" on a new run: what the radio buttons showed, then the
  // choice made and "Return"; the run is then closed.
  bool ChooseAndClose(bool on) {
    TFrminit& w = Start();
    bool shown_on = false;
    ws.WhileModal("Frmlocked", [&](ui::Window& win) {
      auto& locked = static_cast<TFrmLocked&>(win);
      shown_on = locked.RadDoLocked.Checked();
      EXPECT_NE(shown_on, locked.RadDontDoLocked.Checked());
      (on ? locked.RadDoLocked : locked.RadDontDoLocked).Click();
      locked.CmdReturn.Click();
    });
    w.CmdLock.Click();
    EXPECT_EQ(G().settings.Lockedj, on);
    EXPECT_EQ(m.RegDword(sim::HKCU, kSettingsKey, "Lockedj"), on ? 1u : 0u);
    w.Show();
    EXPECT_TRUE(w.Close());
    return shown_on;
  }
  std::string Quoted() const { return "\"" + kBatchFile + "\""; }
};

// An old batch file and nothing queued in this run: switching the option
// on registers it quoted at close, switching it off removes it again.
TEST_F(LockedOption, TheChoiceIsStoredAndDecidesTheRegistrationAtClose) {
  EXPECT_FALSE(ChooseAndClose(true));
  EXPECT_EQ(m.RegString(sim::HKCU, kRunKey, "Cleanup"), Quoted());

  EXPECT_TRUE(ChooseAndClose(false));
  EXPECT_FALSE(m.RegString(sim::HKCU, kRunKey, "Cleanup").has_value());
  EXPECT_EQ(m.ReadFile(kBatchFile), "Del old\r\nExit\r\n");
  EXPECT_GT(G().ReadWindowWidth("Frmlocked"), 0);
}

}  // namespace
}  // namespace core
