#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/frminit.h"
#include "core/frmlockedmsg.h"
#include "core/frmstats.h"
#include "core_fixture.h"

namespace core {
namespace {

using namespace core::testing;

constexpr const char* kKey = "Software\\Marrowby\\Settings";
constexpr ui::Color kGrey = ui::Rgb(128, 128, 128);
constexpr ui::Color kGroup = ui::Rgb(230, 227, 223);

// A browser module that logs each routine with the colour its line had.
class LoggingBrowser : public FakeBrowser {
 public:
  LoggingBrowser(Uglobalvars& g, std::string name, SurveyFigures figures,
                 std::vector<std::string>& log, TFrminit*& main, ui::Label TFrminit::*cookie_line)
      : FakeBrowser(g, name, figures, figures, figures),
        log_(log),
        main_(main),
        cookie_line_(cookie_line),
        name_(std::move(name)) {}
  void CleanCookies() override { Log("cookies"); }
  void CleanHistory() override { Log("history"); }
  void CleanCache() override { Log("cache"); }

 private:
  void Log(const std::string& what) {
    bool grey = main_ && (main_->*cookie_line_).GetColor() == kGrey;
    log_.push_back(name_ + " " + what + (what == "cookies" && grey ? " (grey)" : ""));
  }
  std::vector<std::string>& log_;
  TFrminit*& main_;
  ui::Label TFrminit::*cookie_line_;
  std::string name_;
};

class LoggingNonInternet : public FakeNonInternet {
 public:
  LoggingNonInternet(Uglobalvars& g, int64_t count, std::vector<std::string>& log, TFrminit*& main)
      : FakeNonInternet(g, {}), count_(count), log_(log), main_(main) {}
  int64_t CleanupCount(NonCleanup) const override { return count_; }
  void Clean(NonCleanup which) override {
    static const char* const kNames[] = {"recycle", "dump",  "recent", "temp",
                                         "activex", "media", "junk"};
    bool grey = main_ && main_->Label7.GetColor() == kGrey;
    log_.push_back(std::string(kNames[static_cast<int>(which)]) + (grey ? " (grey)" : ""));
  }

 private:
  int64_t count_;
  std::vector<std::string>& log_;
  TFrminit*& main_;
};

class CleanupAll : public CoreTest {
 protected:
  std::vector<std::string> log;
  TFrminit* main = nullptr;

  void SetUp() override { Builder().RegString(sim::HKCU, kKey, "Skin", "skinnone"); }

  // Modules whose every category found `count` files; the statistics
  // window, the URL history and the own list as the program has them.
  TFrminit& StartWith(int64_t count) {
    SurveyFigures f{count, count * 10};
    factories.internet_explorer = [this, f](Uglobalvars& g, ui::Window&) {
      return std::make_unique<LoggingBrowser>(g, "IE", f, log, main, &TFrminit::Label1);
    };
    factories.netscape = [this, f](Uglobalvars& g, ui::Window&) {
      return std::make_unique<LoggingBrowser>(g, "Net", f, log, main, &TFrminit::Label4);
    };
    factories.non_internet = [this, count](Uglobalvars& g, ui::Window&) {
      return std::make_unique<LoggingNonInternet>(g, count, log, main);
    };
    factories.windows["Frmstats"] = Factory<TFrmstats>();
    factories.windows["Frmdir"] = MakeFake("Frmdir", nullptr);
    factories.remove_all_urls = [this](Uglobalvars&, ui::Window&) { log.push_back("urls"); };
    factories.clean_own_list = [this](ui::Window& w) { log.push_back("own " + w.Name()); };
    main = &Start();
    return *main;
  }
  void TickOnly(std::initializer_list<ui::CheckBox TFrminit::*> ticks) {
    for (ui::Control* c : Main().Controls()) {
      auto* box = dynamic_cast<ui::CheckBox*>(c);
      if (box && c->Parent() == &Main().GrpCustomize) box->SetChecked(false);
    }
    for (auto tick : ticks) (Main().*tick).SetChecked(true);
  }
  TFrmstats& Stats() { return dynamic_cast<TFrmstats&>(*Main().Owned("Frmstats")); }
  // Presses "Cleanup All !" and answers its question.
  void Run(ui::Answer answer = ui::Answer::kYes) {
    ws.ClearBoxes();
    ws.Answer(answer);
    Main().CmdCleanAll.Click();
  }
  int Reports() const {
    int n = 0;
    for (const std::string& w : ModalWindows()) n += w == "Frmstats";
    return n;
  }
};

TEST_F(CleanupAll, EveryTickRunsTheCategoriesInTheirFixedOrderAndReports) {
  StartWith(3);
  Run();
  EXPECT_EQ(log, (std::vector<std::string>{
                     "Net cookies (grey)", "Net history", "Net cache", "recycle", "dump", "recent",
                     "temp", "IE cookies (grey)", "IE history", "IE cache", "activex (grey)",
                     "media (grey)", "junk (grey)", "recycle (grey)", "urls", "own Frmdir"}));
  EXPECT_EQ(Main().Label4.GetColor(), kGroup);
  EXPECT_EQ(Main().Label7.GetColor(), kGroup);
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kConfirmation);
  EXPECT_EQ(ws.Boxes()[0].text,
            "You are about to remove all files that you have selected on the \"customize "
            "boxes\" below. This may include all cookie, cache, and history files for Internet "
            "Explorer, Netscape, Firefox, Mozilla, and AOL. Would you like me to remove these "
            "files for you?");
  EXPECT_EQ(Reports(), 1);
  // Placed at the main window's left, and its top + height / 2.3.
  EXPECT_EQ(Stats().Left(), Main().Left());
  EXPECT_EQ(Stats().Top(), Main().Top() + static_cast<int>(std::lround(Main().Height() / 2.3)));
  EXPECT_FALSE(G().Busy());
}

TEST_F(CleanupAll, NoMeansNothingDeleted) {
  StartWith(3);
  Run(ui::Answer::kNo);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(ws.BoxTexts().back(), "Nothing deleted from your system.");
  EXPECT_EQ(ws.Boxes().back().kind, ui::BoxKind::kInformation);
  EXPECT_EQ(Reports(), 0);
}

TEST_F(CleanupAll, OnlyTheRecycleBinEmptiesItTwiceWithTheGarbageLineGreyBetween) {
  StartWith(3);
  TickOnly({&TFrminit::Chkrecycle});
  Run();
  EXPECT_EQ(log, (std::vector<std::string>{"recycle", "recycle (grey)"}));
  EXPECT_EQ(Main().Label7.GetColor(), kGroup);
}

TEST_F(CleanupAll, OnlyTheMediaCacheIsNotHighlighted) {
  StartWith(3);
  TickOnly({&TFrminit::ChkMedia});
  Run();
  EXPECT_EQ(log, (std::vector<std::string>{"media"}));
  EXPECT_EQ(Main().Label7.GetColor(), kGroup);
}

TEST_F(CleanupAll, ACountOfZeroSkipsTheRoutineAndFillsTheSlotByTheRightFlag) {
  StartWith(0);
  // Confirms on, but the non-internet collect-results flag off.
  Main().Frmnon->SetCollectResults(false);
  G().SetResult(Slot::kDumpFiles, "earlier");
  TickOnly({&TFrminit::ChkIECookies, &TFrminit::ChkExcess, &TFrminit::ChkNSCache});
  Run();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(G().Result(Slot::kIECookies), "There were no IE cookie files found on your system.");
  EXPECT_EQ(G().Result(Slot::kNetCache),
            "There were no Netscape/FFox cache files found on your system.");
  EXPECT_EQ(G().Result(Slot::kDumpFiles), "earlier");

  Main().Frmnon->SetCollectResults(true);
  G().settings.Confirms = false;
  G().SetResult(Slot::kIECookies, "earlier");
  Run();
  EXPECT_EQ(G().Result(Slot::kIECookies), "earlier");
  EXPECT_EQ(G().Result(Slot::kDumpFiles), "There were no dump files found on your system.");
  EXPECT_EQ(Reports(), 1);  // only the first run, with Confirms on
}

TEST_F(CleanupAll, NoTickStillRefreshesAndReportsTheSlotsAsTheyWere) {
  StartWith(3);
  TickOnly({});
  G().SetResult(Slot::kTempFiles, "TEMP FILES -> earlier run");
  Main().Label1.SetCaption("stale");
  Run();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(Main().Label1.Caption(),
            "Internet Explorer COOKIES -> FOUND 3 files, consuming 30 bytes.");
  EXPECT_EQ(Reports(), 1);
  EXPECT_EQ(Stats().LblTemp.Caption(), "TEMP FILES -> earlier run");
}

TEST_F(CleanupAll, WhileItRunsClicksAreIgnoredAndACloseWaitsForTheEnd) {
  StartWith(3);
  Main().Show();
  int pumps = 0;
  ws.OnPump([&] {
    if (++pumps != 1) return;
    Main().CmdCleanAll.Click();  // ignored: no second question
    EXPECT_FALSE(Main().Close());
    EXPECT_NE(Main().Frmie, nullptr);
  });
  ws.WhileModal("Frmstats", [](ui::Window& w) { w.Close(); });
  Run();
  EXPECT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(log.back(), "own Frmdir");  // the run went to its end
  EXPECT_FALSE(Main().Visible());
  EXPECT_EQ(Main().Frmie, nullptr);
}

// ---- The statistics window ----

TEST_F(CleanupAll, TheReportShowsTwelveSlotsAndNoMediaRow) {
  StartWith(0);
  TickOnly({});
  const Slot kShown[] = {Slot::kIECache,    Slot::kIECookies,  Slot::kIEHistory, Slot::kNetCache,
                         Slot::kNetCookies, Slot::kNetHistory, Slot::kDumpFiles, Slot::kTempFiles,
                         Slot::kRecentDocs, Slot::kRecycleBin, Slot::kActiveX,   Slot::kGarbage};
  for (int i = 0; i < 12; ++i) G().SetResult(kShown[i], "slot " + std::to_string(i));
  G().SetResult(Slot::kMediaCache, "media");
  Run();
  TFrmstats& s = Stats();
  const ui::Label* lines[] = {&s.LblIECache, &s.LblIECook,  &s.LblIEHist,  &s.LblNSCache,
                              &s.LblNSCook,  &s.LblNSHist,  &s.LblIndex,   &s.LblTemp,
                              &s.LblRecent,  &s.LblRecycle, &s.LblActiveX, &s.LblAdditional};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(lines[i]->Caption(), "slot " + std::to_string(i));
  for (ui::Control* c : s.Controls()) EXPECT_NE(c->Caption(), "media");
  EXPECT_EQ(s.Caption(), "Vostrel Statistics");
}

TEST_F(CleanupAll, OkWithTheTickStoresConfirmsOffButTheReportStillShowsThisRun) {
  StartWith(0);
  ws.WhileModal("Frmstats", [](ui::Window& w) {
    auto& s = dynamic_cast<TFrmstats&>(w);
    s.ChkConfirms.SetChecked(true);
    s.CmdOk.Click();
  });
  Run();
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "Confirms"), 0u);
  EXPECT_TRUE(G().settings.Confirms);
  Run();
  EXPECT_EQ(Reports(), 2);
  EXPECT_TRUE(Stats().ChkConfirms.Checked());
}

TEST_F(CleanupAll, TheCloseBoxDoesNotStoreAndABlockedKeyIsReported) {
  StartWith(0);
  ws.WhileModal("Frmstats", [](ui::Window& w) {
    dynamic_cast<TFrmstats&>(w).ChkConfirms.SetChecked(true);
    w.Close();
  });
  Run();
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "Confirms"), 1u);

  Builder().RegBlocked(sim::HKCU, kKey);
  ws.WhileModal("Frmstats", [](ui::Window& w) { dynamic_cast<TFrmstats&>(w).CmdOk.Click(); });
  Run();
  EXPECT_EQ(ws.BoxTexts().back(),
            "An error occurred while saving the settings. It appears to be a space error or "
            "registry error. You will not be able to use the confirmation settings while this "
            "error is happening.");
  EXPECT_FALSE(Stats().Visible());
}

TEST_F(CleanupAll, TheTopRightButtonShowsTheLockedFileNotice) {
  StartWith(0);
  std::string seen;
  ws.WhileModal("FrmlockedMsg", [&](ui::Window& w) {
    auto& notice = dynamic_cast<TFrmlockedMsg&>(w);
    seen = notice.Caption() + "|" + notice.Label1.Caption().substr(0, 20) + "|" +
           notice.Label8.Caption().substr(0, 6);
    notice.CmdReturn.Click();
  });
  ws.WhileModal("Frmstats", [](ui::Window& w) { dynamic_cast<TFrmstats&>(w).CmdLocked.Click(); });
  Run();
  EXPECT_EQ(seen, "Removing Locked Files|Some systems may get|(Note:");
}

}  // namespace
}  // namespace core
