// The settings window as the main window opens it, the automatic cleanup
// it sets up and the skins window it leads to.
#include "core/frmconfmsg.h"

#include <gtest/gtest.h>

#include "core/frmskins.h"
#include "core/frmtimerwindow.h"
#include "core/jpeg.h"
#include "core_fixture.h"

namespace core {
namespace {

using namespace core::testing;

constexpr const char* kKey = "Software\\Marrowby\\Settings";
constexpr const char* kShark = "C:\\Program Files\\Vostrel\\skinshark.jpg";
constexpr const char* kSunset = "C:\\Program Files\\Vostrel\\skinsunset.jpg";

// Modules that log each cleanup routine called.
class LoggingBrowser : public FakeBrowser {
 public:
  LoggingBrowser(Uglobalvars& g, std::string name, std::vector<std::string>& log)
      : FakeBrowser(g, std::move(name), {}, {1, 1}, {1, 1}), log_(log) {}
  void CleanCookies() override { log_.push_back(Name() + " cookies"); }
  void CleanHistory() override { log_.push_back(Name() + " history"); }
  void CleanCache() override { log_.push_back(Name() + " cache"); }

 private:
  std::vector<std::string>& log_;
};

class LoggingNon : public FakeNonInternet {
 public:
  LoggingNon(Uglobalvars& g, std::vector<std::string>& log) : FakeNonInternet(g, {}), log_(log) {}
  void Clean(NonCleanup which) override {
    log_.push_back("non " + std::to_string(static_cast<int>(which)));
  }

 private:
  std::vector<std::string>& log_;
};

class SettingsWindow : public CoreTest {
 protected:
  std::vector<std::string> cleaned;

  SettingsWindow() {
    Builder().RegString(sim::HKCU, kKey, "Skin", "skinnone");
    factories.internet_explorer = [this](Uglobalvars& g, ui::Window&) {
      return std::make_unique<LoggingBrowser>(g, "Frmie", cleaned);
    };
    factories.netscape = [this](Uglobalvars& g, ui::Window&) {
      return std::make_unique<LoggingBrowser>(g, "Frmnet", cleaned);
    };
    factories.non_internet = [this](Uglobalvars& g, ui::Window&) {
      return std::make_unique<LoggingNon>(g, cleaned);
    };
  }

  // Opens the settings window; `script` runs while it is shown, then it is
  // closed with its close box.
  void OpenSettings(std::function<void(TFrmconfmsg&)> script) {
    ws.WhileModal("Frmconfmsg", [script](ui::Window& w) {
      script(dynamic_cast<TFrmconfmsg&>(w));
      w.Close();
    });
    Main().Cmdsettings.Click();
  }
  // Sets the automatic cleanup up through the settings window; `script`
  // runs in the automatic cleanup window, which it must close.
  void SetUpAutomatic(std::function<void(TFrmtimerwindow&)> script) {
    ws.WhileModal("Frmtimerwindow",
                  [script](ui::Window& w) { script(dynamic_cast<TFrmtimerwindow&>(w)); });
    OpenSettings([](TFrmconfmsg& s) { s.CmdAuto.Click(); });
  }
  void ChooseSkin(ui::RadioButton TFrmSkins::*radio) {
    ws.WhileModal("FrmSkins", [radio](ui::Window& w) {
      auto& skins = dynamic_cast<TFrmSkins&>(w);
      (skins.*radio).Click();
      skins.CmdApply.Click();
    });
    OpenSettings([](TFrmconfmsg& s) { s.CmdSkins.Click(); });
  }
  void AddPicture(const char* path) {
    auto jpeg = EncodeJpeg({8, 4, std::vector<uint8_t>(8 * 4 * 3, 90)}, 80);
    ASSERT_TRUE(jpeg);
    Builder().File(path, *jpeg);
  }
  std::vector<bool> CollectFlags() {
    return {Main().Frmnon->CollectResults(), Main().Frmie->CollectResults(),
            Main().Frmnet->CollectResults()};
  }
};

TEST_F(SettingsWindow,
       OpeningAndClosingWithoutChangesStopsTheAutomaticCleanupAndStoresTheValuesAgain) {
  for (const char* name : {"Confirms", "Wipe", "Tempall"})
    Builder().RegDword(sim::HKCU, kKey, name, 7);
  TFrminit& w = Start();
  G().AutoCleanup = true;
  G().Automation.fill(true);
  w.Timer1.SetTimerEnabled(true);

  std::string shown;
  OpenSettings([&](TFrmconfmsg& s) {
    shown = std::to_string(s.Radconfon.Checked()) + std::to_string(s.RadWipeOn.Checked()) +
            std::to_string(s.ChkAllTemp.Checked()) + std::to_string(G().AutoCleanup) +
            std::to_string(w.Timer1.TimerEnabled());
  });
  EXPECT_EQ(shown, "11100");
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "Confirms"), 1u);
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "Wipe"), 1u);
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "Tempall"), 1u);
  EXPECT_EQ(G().Automation, (std::array<bool, kAutoCleanCount>{}));
  EXPECT_EQ(w.State(), ui::WindowState::kNormal);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(SettingsWindow, OffUnderConfirmationBoxesStopsTheResultsOfEveryModuleAtOnce) {
  Start();
  OpenSettings([](TFrmconfmsg& s) { s.Radconfoff.Click(); });
  EXPECT_FALSE(G().settings.Confirms);
  EXPECT_EQ(CollectFlags(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "Confirms"), 0u);
  // A quick button whose category found nothing now leaves no line for a
  // report that will not show.
  Main().btnieck.Click();
  EXPECT_EQ(G().Result(Slot::kIECookies), "");
}

TEST_F(SettingsWindow, AKeyThatDoesNotOpenIsReportedAndMemoryKeepsItsValues) {
  Start();
  Builder().RegReadOnly(sim::HKCU, kKey);
  OpenSettings([](TFrmconfmsg& s) {
    s.Radconfoff.Click();
    s.RadWipeOn.Click();
    s.ChkAllTemp.Click();
  });
  EXPECT_EQ(Boxes(), (std::vector<std::string>{std::string(kSettingsNotSaved)}));
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kError);
  EXPECT_TRUE(G().settings.Confirms);
  EXPECT_FALSE(G().settings.Tempall);
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "Confirms"), 1u);
  EXPECT_EQ(CollectFlags(), (std::vector<bool>{true, true, true}));
}

TEST_F(SettingsWindow, TheDefaultAutomaticCleanupRunsTheNineRoutinesInOrderEveryThirtyMinutes) {
  TFrminit& w = Start();
  std::string number;
  SetUpAutomatic([&](TFrmtimerwindow& t) {
    number = t.LblMinutes.Caption();
    t.CmdActivate.Click();
  });
  EXPECT_EQ(number, "30");
  EXPECT_EQ(w.State(), ui::WindowState::kMinimised);
  EXPECT_TRUE(w.Timer1.TimerEnabled());
  EXPECT_EQ(w.Timer1.Interval(), 30 * 60000);

  // Then dump files, temp files, recent documents.
  const std::vector<std::string> once{"Frmie cache",  "Frmie cookies",  "Frmie history",
                                      "Frmnet cache", "Frmnet cookies", "Frmnet history",
                                      "non 1",        "non 3",          "non 2"};
  w.Timer1.Fire();
  EXPECT_EQ(cleaned, once);
  w.Timer1.Fire();
  EXPECT_EQ(cleaned.size(), 18u);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(SettingsWindow, ActivatingWithoutATickStillMinimisesAndStartsTheTimerAtTheChosenMinutes) {
  TFrminit& w = Start();
  SetUpAutomatic([](TFrmtimerwindow& t) {
    for (ui::CheckBox* c :
         {&t.ChkIECache, &t.ChkIECookies, &t.ChkIEHistory, &t.ChkNetCache, &t.ChkNetCookies,
          &t.ChkNetHistory, &t.ChkOther, &t.ChkTemp, &t.ChkStartDocs})
      c->Click();
    t.ScrMinutes.Scroll(1);
    EXPECT_EQ(t.LblMinutes.Caption(), "1");
    t.CmdActivate.Click();
  });
  EXPECT_EQ(w.State(), ui::WindowState::kMinimised);
  EXPECT_TRUE(w.Timer1.TimerEnabled());
  EXPECT_EQ(w.Timer1.Interval(), 60000);
  w.Timer1.Fire();
  EXPECT_TRUE(cleaned.empty());
}

TEST_F(SettingsWindow, CancelLeavesTheAutomaticCleanupOffAlsoWhenItRanBefore) {
  TFrminit& w = Start();
  SetUpAutomatic([](TFrmtimerwindow& t) {
    t.ChkTemp.Click();
    t.CmdActivate.Click();
  });
  ASSERT_TRUE(G().AutoCleanup);

  SetUpAutomatic([](TFrmtimerwindow& t) { t.CmdCancel.Click(); });
  EXPECT_FALSE(G().AutoCleanup);
  EXPECT_FALSE(w.Timer1.TimerEnabled());
  w.Timer1.Fire();
  EXPECT_TRUE(cleaned.empty());
}

TEST_F(SettingsWindow, ATickWhileAnOperationRunsIsSkipped) {
  TFrminit& w = Start();
  SetUpAutomatic([](TFrmtimerwindow& t) { t.CmdActivate.Click(); });
  {
    Uglobalvars::BusyScope busy(G());
    w.Timer1.Fire();
    EXPECT_TRUE(cleaned.empty());
  }
  w.Timer1.Fire();
  EXPECT_EQ(cleaned.size(), 9u);
}

TEST_F(SettingsWindow, AnUndecodablePictureKeepsTheOldOneAndNoSkinClearsItAtOnce) {
  Builder().RegString(sim::HKCU, kKey, "Skin", "skinsunset");
  AddPicture(kSunset);
  Builder().File(kShark, "not a picture");
  TFrminit& w = Start();
  ASSERT_FALSE(w.Image1.GetImage().Empty());
  ChooseSkin(&TFrmSkins::RadShark);
  EXPECT_FALSE(w.Image1.GetImage().Empty());
  EXPECT_EQ(m.RegString(sim::HKCU, kKey, "Skin"), "skinshark");

  bool preview_cleared = false;
  ws.WhileModal("FrmSkins", [&](ui::Window& window) {
    auto& skins = dynamic_cast<TFrmSkins&>(window);
    EXPECT_TRUE(skins.RadShark.Checked());
    skins.RadNone.Click();
    preview_cleared = skins.Image1.GetImage().Empty();
    skins.CmdApply.Click();
  });
  OpenSettings([](TFrmconfmsg& s) { s.CmdSkins.Click(); });
  EXPECT_TRUE(preview_cleared);
  EXPECT_TRUE(w.Image1.GetImage().Empty());
  EXPECT_EQ(m.RegString(sim::HKCU, kKey, "Skin"), "skinnone");

  Start();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(Main().Image1.GetImage().Empty());
}

TEST_F(SettingsWindow, WithTheKeyUnavailableTheChosenSkinShowsForThisRunOnly) {
  AddPicture(kShark);
  TFrminit& w = Start();
  Builder().RegReadOnly(sim::HKCU, kKey);
  ChooseSkin(&TFrmSkins::RadShark);
  // The settings window, closing after it, cannot store its options either.
  EXPECT_EQ(Boxes(), (std::vector<std::string>{
                         "An error occurred while saving the skin settings. It appears to be a "
                         "space error or registry error. You will not be able to use the skin "
                         "settings while this error is happening.",
                         std::string(kSettingsNotSaved)}));
  EXPECT_FALSE(w.Image1.GetImage().Empty());
  EXPECT_EQ(G().settings.Skin, "skinnone");

  Start();
  EXPECT_TRUE(Main().Image1.GetImage().Empty());
}

}  // namespace
}  // namespace core
