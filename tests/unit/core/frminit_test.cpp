#include "core/frminit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/frmabout.h"
#include "core/frmmiscmsg.h"
#include "core/jpeg.h"
#include "core_fixture.h"

namespace core {
namespace {

using namespace core::testing;

constexpr const char* kKey = "Software\\Marrowby\\Settings";
constexpr const char* kSkinMissing =
    "A skin was not found. The software will operate as planned, but you will not be able to "
    "set the skin without reinstalling the software. You may want to set the skin to \"None\" "
    "to remove this message";
constexpr const char* kNone = "None found on your system.";

std::string Golden(const std::string& name) {
  auto path = std::filesystem::path(__FILE__).parent_path() / "testdata" / name;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class MainWindow : public CoreTest {
 protected:
  bool ie_released = false;
  bool net_released = false;
  FakeNonInternet* non = nullptr;

  void NoSkin() { Builder().RegString(sim::HKCU, kKey, "Skin", "skinnone"); }
  void UseModules(SurveyFigures ie_cookies, SurveyFigures ie_cache, SurveyFigures ie_history,
                  SurveyFigures net_cookies, SurveyFigures net_cache, SurveyFigures net_history,
                  SurveyFigures garbage) {
    factories.internet_explorer = [=, this](Uglobalvars& g, ui::Window&) {
      auto w = std::make_unique<FakeBrowser>(g, "Frmie", ie_cookies, ie_cache, ie_history);
      w->released = &ie_released;
      return w;
    };
    factories.netscape = [=, this](Uglobalvars& g, ui::Window&) {
      auto w = std::make_unique<FakeBrowser>(g, "Frmnet", net_cookies, net_cache, net_history);
      w->released = &net_released;
      return w;
    };
    factories.non_internet = [=, this](Uglobalvars& g, ui::Window&) {
      auto w = std::make_unique<FakeNonInternet>(g, garbage);
      non = w.get();
      return w;
    };
  }
  void UseEmptyModules() { UseModules({}, {}, {}, {}, {}, {}, {}); }
  std::vector<std::string> ValueNames(const char* key) {
    auto k = m.Platform().registry.Open(sim::HKCU, key, false, platform::Access::kRead);
    return k ? k->ValueNames() : std::vector<std::string>{};
  }
};

// ---- Start-up ----

TEST_F(MainWindow, StartsWithTheDateEmptyStatisticsAndEveryTickOn) {
  NoSkin();
  TFrminit& w = Start();
  EXPECT_EQ(ws.Title(), "Vostrel");
  EXPECT_EQ(w.Caption(), "Vostrel !");
  EXPECT_EQ(w.ClientWidth(), 605);
  EXPECT_EQ(w.ClientHeight(), 524);
  EXPECT_EQ(w.GetPositionRule(), ui::Position::kScreenCenter);
  EXPECT_EQ(w.LblDate.Caption(), "6/15/2007");
  EXPECT_EQ(w.Label1.Caption(), std::string("Internet Explorer COOKIES -> ") + kNone);
  EXPECT_EQ(w.Label7.Caption(), std::string("Other GARBAGE DATA        -> ") + kNone);
  EXPECT_EQ(w.Label10.Caption(), "TOTAL FILES FOUND = 0    TOTAL BYTES WASTED = 0");
  EXPECT_EQ(w.Label1.GetFont().name, "Courier New");
  EXPECT_FALSE(w.Label7.GetFont().bold);
  EXPECT_TRUE(w.Label10.GetFont().bold);
  for (ui::CheckBox* c :
       {&w.ChkIECache, &w.ChkIECookies, &w.ChkIEHistory, &w.ChkActiveX, &w.ChkMedia, &w.ChkNSCache,
        &w.ChkNSCookies, &w.ChkNSHistory, &w.ChkOtherj, &w.ChkYourOwn, &w.ChkTemp, &w.ChkRecent,
        &w.ChkExcess, &w.Chkrecycle, &w.Chkurls}) {
    EXPECT_TRUE(c->Checked()) << c->Name();
  }
  EXPECT_EQ(w.CmdSpyware.Hint(), "Spyware, adware, worm cleanups");
  EXPECT_EQ(w.ChkExcess.Hint(), "Select for excess file cleanups when clicking \"Cleanup All\"");
  EXPECT_EQ(w.Chkurls.Hint(), "");
  EXPECT_FALSE(w.Timer1.TimerEnabled());
  EXPECT_EQ(ModalWindows(), (std::vector<std::string>{"Frmenter"}));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(G().WindowsXP);
}

TEST_F(MainWindow, TicksFollowTheStoredSettings) {
  NoSkin();
  Builder()
      .RegDword(sim::HKCU, kKey, "IECookies", 0)
      .RegDword(sim::HKCU, kKey, "Otherc", 0)
      .RegDword(sim::HKCU, kKey, "Urls", 7);
  TFrminit& w = Start();
  EXPECT_FALSE(w.ChkIECookies.Checked());
  EXPECT_FALSE(w.ChkExcess.Checked());
  EXPECT_TRUE(w.Chkurls.Checked());
  EXPECT_TRUE(w.ChkIECache.Checked());
}

TEST_F(MainWindow, OnlyWindowsXpSetsTheXpFlag) {
  NoSkin();
  Builder().Version(sim::Win2003);
  Start();
  EXPECT_EQ(G().VersionCode, 0);
  EXPECT_FALSE(G().WindowsXP);
}

TEST_F(MainWindow, TheFirstRunShowsTheDriveScanBeforeTheSplashAndLaterRunsDoNot) {
  NoSkin();
  factories.drive_scan = MakeFake("Frmscandrv", nullptr);
  ws.WhileModal("Frmscandrv",
                [this](ui::Window&) { Builder().Ini(kScanFile, "P45", "P1", "C:\\Profiles\\"); });
  Start();
  EXPECT_EQ(ModalWindows(), (std::vector<std::string>{"Frmscandrv", "Frmenter"}));
  Start();
  EXPECT_EQ(ModalWindows(), (std::vector<std::string>{"Frmscandrv", "Frmenter", "Frmenter"}));
}

TEST_F(MainWindow, TheVistaNoticeFollowsTheSplashUntilTheUserTurnsItOff) {
  NoSkin();
  Builder().Version(sim::WinVista);
  ws.WhileModal("FrmMiscMsg", [](ui::Window& w) {
    auto& notice = static_cast<TFrmMiscMsg&>(w);
    EXPECT_EQ(notice.ChkDontShow.Caption(), "Don't show me this message again");
    notice.ChkDontShow.Click();
    notice.CmdOK.Click();
  });
  Start();
  EXPECT_EQ(ModalWindows(), (std::vector<std::string>{"Frmenter", "FrmMiscMsg"}));
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "VistaMsg"), 0u);
  EXPECT_FALSE(G().settings.VistaMsg);
  Start();
  EXPECT_EQ(ModalWindows(), (std::vector<std::string>{"Frmenter", "FrmMiscMsg", "Frmenter"}));
}

TEST_F(MainWindow, ClosingTheVistaNoticeWithoutTheTickKeepsShowingIt) {
  NoSkin();
  Builder().Version(sim::Win7);
  Start();
  EXPECT_EQ(ModalWindows(), (std::vector<std::string>{"Frmenter", "FrmMiscMsg"}));
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "VistaMsg"), 1u);
}

TEST_F(MainWindow, AMissingSkinIsReportedAndSkinNoneIsNot) {
  TFrminit& w = Start();
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kPlain);
  EXPECT_EQ(ws.Boxes()[0].text, kSkinMissing);
  EXPECT_TRUE(w.Image1.GetImage().Empty());
  EXPECT_EQ(G().SkinImagePath, "C:\\Program Files\\Vostrel\\\\skinsunset.jpg");

  ws.ClearBoxes();
  NoSkin();
  Start();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(Main().Image1.GetImage().Empty());
}

TEST_F(MainWindow, TheStoredSkinIsShownAndAnUndecodableOneCountsAsMissing) {
  ui::Image picture{8, 4, std::vector<uint8_t>(8 * 4 * 3, 200)};
  auto jpeg = EncodeJpeg(picture, 80);
  ASSERT_TRUE(jpeg);
  Builder().File("C:\\Program Files\\Vostrel\\skinsunset.jpg", *jpeg);
  Start();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Main().Image1.GetImage().width, 8);

  Builder().File("C:\\Program Files\\Vostrel\\skinsunset.jpg", jpeg->substr(0, 40));
  Start();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{kSkinMissing}));
  EXPECT_TRUE(Main().Image1.GetImage().Empty());
}

TEST_F(MainWindow, ModulesAreSurveyedWithTheirFlagFromConfirmsAndNonInternetKeepsItsSize) {
  NoSkin();
  UseEmptyModules();
  Builder().Ini(kScanFile, "Frmnon", "W", "520").RegDword(sim::HKCU, kKey, "Confirms", 0);
  TFrminit& w = Start();
  ASSERT_TRUE(w.Frmnon && w.Frmie && w.Frmnet);
  EXPECT_EQ(static_cast<FakeBrowser&>(*w.Frmie).collect_at_survey, false);
  EXPECT_EQ(static_cast<FakeBrowser&>(*w.Frmnet).collect_at_survey, false);
  EXPECT_EQ(non->collect_at_survey, false);
  EXPECT_EQ(w.Frmnon->Width(), 520);
  EXPECT_EQ(w.Frmie->OwnerWindow(), &w);
  EXPECT_FALSE(w.Frmie->Visible());

  Builder().RegDword(sim::HKCU, kKey, "Confirms", 1);
  Start();
  EXPECT_EQ(non->collect_at_survey, true);
}

TEST_F(MainWindow, TheEightKeptWindowsAreCreatedHiddenInTheirOrder) {
  NoSkin();
  std::vector<std::string> log;
  const std::vector<std::pair<WindowFactory<ui::Window> WindowFactories::*, std::string>> kept = {
      {&WindowFactories::own_list, "Frmdir"},
      {&WindowFactories::locked_notice, "FrmlockedMsg"},
      {&WindowFactories::cookie_saver, "Frmsavecookie"},
      {&WindowFactories::cache_viewer, "Frmviewer"},
      {&WindowFactories::statistics, "Frmstats"},
      {&WindowFactories::run_find_history, "Frmreg"},
      {&WindowFactories::aol, "Frmaol"},
      {&WindowFactories::startup_review, "Frmstartup"},
  };
  std::vector<std::string> expected;
  for (const auto& [factory, name] : kept) {
    factories.*factory = MakeFake(name, &log);
    expected.push_back("make " + name);
    expected.push_back("create " + name);
  }
  TFrminit& w = Start();
  EXPECT_EQ(log, expected);
  for (ui::Window* k :
       {w.Frmdir.get(), w.FrmlockedMsg.get(), w.Frmsavecookie.get(), w.Frmviewer.get(),
        w.Frmstats.get(), w.Frmreg.get(), w.Frmaol.get(), w.Frmstartup.get()}) {
    ASSERT_NE(k, nullptr);
    EXPECT_TRUE(k->Created());
    EXPECT_FALSE(k->Visible());
  }
  w.Button4.Click();
  w.cmddir.Click();
  EXPECT_EQ(ModalWindows(), (std::vector<std::string>{"Frmenter", "Frmreg", "Frmdir"}));
}

// ---- Statistics ----

TEST_F(MainWindow, StatisticsLinesSayFoundOrNoneAndTheTotalsAddAllThreeModules) {
  NoSkin();
  UseModules({1, 10}, {0, 0}, {-1, 5}, {3, 300}, {2, 5000000000}, {0, 0}, {4, 400});
  TFrminit& w = Start();
  EXPECT_EQ(w.Label1.Caption(), "Internet Explorer COOKIES -> FOUND 1 files, consuming 10 bytes.");
  EXPECT_EQ(w.Label2.Caption(), "Internet Explorer CACHE   -> None found on your system.");
  EXPECT_EQ(w.Label3.Caption(), "Internet Explorer HISTORY -> None found on your system.");
  EXPECT_EQ(w.Label4.Caption(), "Firefox/Netscape COOKIES  -> FOUND 3 files, consuming 300 bytes.");
  EXPECT_EQ(w.Label5.Caption(),
            "Firefox/Netscape CACHE    -> FOUND 2 files, consuming 5000000000 bytes.");
  EXPECT_EQ(w.Label6.Caption(), "Firefox/Netscape HISTORY  -> None found on your system.");
  EXPECT_EQ(w.Label7.Caption(), "Other GARBAGE DATA        -> FOUND 4 files, consuming 400 bytes.");
  EXPECT_EQ(w.Label10.Caption(), "TOTAL FILES FOUND = 9    TOTAL BYTES WASTED = 5000000715");
}

TEST_F(MainWindow, JunkFilesShowsTheNonInternetWindowAndRefreshesTheStatistics) {
  NoSkin();
  UseEmptyModules();
  TFrminit& w = Start();
  ws.WhileModal("Frmnon", [this](ui::Window&) { non->garbage = {2, 20}; });
  w.cmdnon.Click();
  EXPECT_EQ(w.Label7.Caption(), "Other GARBAGE DATA        -> FOUND 2 files, consuming 20 bytes.");
}

TEST_F(MainWindow, ButtonsForToolsNotBuiltYetDoNothing) {
  NoSkin();
  TFrminit& w = Start();
  ws.ClearBoxes();
  auto opens = m.ShellOpens().size();
  for (ui::Button* b :
       {&w.btnieh,      &w.btnnsh,      &w.btnieck,     &w.btnnsck,    &w.btniech,
        &w.btnnsch,     &w.Cmdothers,   &w.Button4,     &w.CmdIMLogs,  &w.CmdDups,
        &w.CmdPicCache, &w.CmdAutoForm, &w.CmdSpyware,  &w.Cmdstartup, &w.CmdPerformance,
        &w.CmdLock,     &w.Cmdviewer,   &w.Cmdsettings, &w.cmdnon,     &w.cmddir}) {
    b->Click();
  }
  w.Timer1.Fire();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(ModalWindows(), (std::vector<std::string>{"Frmenter"}));
  EXPECT_EQ(m.ShellOpens().size(), opens);
}

// ---- Help, Contact Support, More Software, About ----

TEST_F(MainWindow, HelpOpensThePageBesideTheProgramAndReportsAnyFailure) {
  NoSkin();
  TFrminit& w = Start();
  Builder().OpenResult(42);
  w.Button1.Click();
  EXPECT_EQ(m.ShellOpens().back().target, "C:\\Program Files\\Vostrel\\\\index_t.htm");
  EXPECT_TRUE(Boxes().empty());
  for (int failure : {2, 3, 31, 32}) {
    ws.ClearBoxes();
    Builder().OpenResult(failure);
    w.Button1.Click();
    ASSERT_EQ(ws.Boxes().size(), 1u) << failure;
    EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kError);
    EXPECT_EQ(ws.Boxes()[0].text,
              "Either your system does not have a default webpage viewer (for viewing the help "
              "webpage), or the help file was not found and was deleted from your system.");
  }
}

TEST_F(MainWindow, ContactSupportExplainsThenOpensAMailAndNamesTheAddressWithoutAMailer) {
  NoSkin();
  TFrminit& w = Start();
  const std::string intro =
      "If you have any questions or concerns about this product, or any of our other products, "
      "we will gladly assist you! Simply send your question to Marrowby support.";
  w.Cmdcontact.Click();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{intro}));
  EXPECT_EQ(m.ShellOpens().back().target,
            "mailto:support@vostrel.example?subject=Vostrel%20Support");

  ws.ClearBoxes();
  Builder().OpenResult(31);
  w.Cmdcontact.Click();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{
                         intro,
                         "You cannot view this file because you do not have a default email "
                         "software setup. Simply email your question to support at "
                         "support@vostrel.example"}));
  EXPECT_EQ(ws.Boxes()[1].kind, ui::BoxKind::kPlain);
}

TEST_F(MainWindow, MoreSoftwareFallsBackToTheMakersPage) {
  NoSkin();
  TFrminit& w = Start();
  w.Button2.Click();
  ASSERT_EQ(m.ShellOpens().size(), 2u);
  EXPECT_EQ(m.ShellOpens()[0].target, "C:\\Program Files\\Vostrel\\\\download.htm");
  EXPECT_EQ(m.ShellOpens()[1].target, "http://www.vostrel.example/");

  Builder().File("C:\\Program Files\\Vostrel\\download.htm", "<html></html>");
  w.Button2.Click();
  EXPECT_EQ(m.ShellOpens().size(), 3u);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MainWindow, AboutShowsTheVersionModally) {
  NoSkin();
  TFrminit& w = Start();
  std::string version;
  ws.WhileModal("Frmabout", [&](ui::Window& about) {
    version = static_cast<TFrmabout&>(about).LblVersion.Caption();
    static_cast<TFrmabout&>(about).CmdOk.Click();
  });
  w.cmdabout.Click();
  EXPECT_EQ(version, "Version 5.10 ");
  EXPECT_EQ(ModalWindows().back(), "Frmabout");
}

// ---- Exit and closing ----

TEST_F(MainWindow, ExitStoresTheTicksButTheCloseBoxDoesNot) {
  NoSkin();
  TFrminit& w = Start();
  w.Show();
  w.ChkIECache.Click();
  ASSERT_TRUE(w.Close());
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "IECache"), 1u);
  EXPECT_TRUE(Start().ChkIECache.Checked());

  Main().Show();
  Main().ChkIECache.Click();
  Main().ChkTemp.Click();
  Main().cmdexit.Click();
  EXPECT_FALSE(Main().Visible());
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "IECache"), 0u);
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "Tempc"), 0u);
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "IECookies"), 1u);
  EXPECT_FALSE(Start().ChkIECache.Checked());
}

TEST_F(MainWindow, ExitWritesTheFifteenTicksInTheirOrder) {
  NoSkin();
  TFrminit& w = Start();
  m.Platform().registry.DeleteTree(sim::HKCU, kKey);
  w.cmdexit.Click();
  EXPECT_EQ(ValueNames(kKey),
            (std::vector<std::string>{"IECache", "IECookies", "IEHistory", "NSCache", "NSCookies",
                                      "NSHistory", "Otherc", "Recentc", "Tempc", "Recyclec",
                                      "Otherj", "Mediac", "ActiveX", "Urls", "YourOwn"}));
}

TEST_F(MainWindow, ExitStillClosesWhenTheSettingsKeyIsBlocked) {
  NoSkin();
  TFrminit& w = Start();
  w.Show();
  Builder().RegBlocked(sim::HKCU, kKey);
  w.ChkIECache.Click();
  w.cmdexit.Click();
  EXPECT_FALSE(w.Visible());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MainWindow, ClosingReleasesTheModulesAndStoresTheRestoredSize) {
  NoSkin();
  UseEmptyModules();
  TFrminit& w = Start();
  w.Show();
  w.SizeChangedByUser(700, 560);
  w.Minimise();
  ASSERT_TRUE(w.Close());
  EXPECT_TRUE(ie_released);
  EXPECT_TRUE(net_released);
  EXPECT_EQ(w.Frmnon, nullptr);
  EXPECT_EQ(G().ReadWindowWidth("Frminit"), 700);
  EXPECT_EQ(G().ReadWindowHeight("Frminit"), 560);
  EXPECT_EQ(Start().Width(), 700);
}

TEST_F(MainWindow, ClosingWhileBusyWaitsForTheOperationAndIgnoresButtons) {
  NoSkin();
  UseEmptyModules();
  TFrminit& w = Start();
  w.Show();
  {
    Uglobalvars::BusyScope busy(G());
    EXPECT_FALSE(w.Close());
    w.ChkIECache.Click();
    w.cmdexit.Click();
    w.Button1.Click();
    EXPECT_TRUE(w.Visible());
    EXPECT_NE(w.Frmie, nullptr);
    EXPECT_TRUE(m.ShellOpens().empty());
  }
  EXPECT_FALSE(w.Visible());
  EXPECT_TRUE(ie_released);
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "IECache"), 1u);
}

// ---- Boot cleanup at close ----

class BootCleanup : public MainWindow {
 protected:
  void SetUp() override {
    NoSkin();
    m.Platform().registry.DeleteTree(sim::HKCU, kRunServicesKey);
    m.Platform().registry.DeleteTree(sim::HKCU, kRunKey);
  }
  void Lockedj(bool on) { Builder().RegDword(sim::HKCU, kKey, "Lockedj", on ? 1 : 0); }
  void QueueTwo() {
    G().LockedFiles.Add("Del \"C:\\DOCUME~1\\User\\LOCALS~1\\TEMPOR~1\\Content.IE5\\index.dat\"");
    G().LockedFiles.Add("Del \"C:\\DOCUME~1\\User\\Cookies\\index.dat\"");
  }
  void CloseMain() {
    Main().Show();
    ASSERT_TRUE(Main().Close());
  }
  std::string Quoted() const { return "\"" + kBatchFile + "\""; }
};

TEST_F(BootCleanup, QueuedCommandsBecomeTheBatchFileRegisteredUnderRun) {
  Lockedj(true);
  Builder().RegKey(sim::HKCU, kRunKey);
  Start();
  QueueTwo();
  CloseMain();
  EXPECT_EQ(m.ReadFile(kBatchFile), Golden("vostind_two.bat"));
  EXPECT_EQ(m.RegString(sim::HKCU, kRunKey, "Cleanup"), Quoted());
  EXPECT_FALSE(m.Exists(kDataDir + "\\vostind.tmp"));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(BootCleanup, RunServicesIsPreferredWhenItExists) {
  Lockedj(true);
  Builder().RegKey(sim::HKCU, kRunKey).RegKey(sim::HKCU, kRunServicesKey);
  Start();
  QueueTwo();
  CloseMain();
  EXPECT_EQ(m.RegString(sim::HKCU, kRunServicesKey, "Cleanup"), Quoted());
  EXPECT_FALSE(m.RegString(sim::HKCU, kRunKey, "Cleanup").has_value());
}

TEST_F(BootCleanup, SwitchedOffTheValueIsRemovedFromRunWhenThereIsNoRunServices) {
  Lockedj(false);
  Builder()
      .File(kBatchFile, "Del old\r\nExit\r\n")
      .RegString(sim::HKCU, kRunKey, "Cleanup", kBatchFile);
  Start();
  CloseMain();
  EXPECT_FALSE(m.RegString(sim::HKCU, kRunKey, "Cleanup").has_value());
  EXPECT_EQ(m.ReadFile(kBatchFile), "Del old\r\nExit\r\n");
}

TEST_F(BootCleanup, SwitchedOffOnlyTheFirstKeyThatOpensIsCleared) {
  Lockedj(false);
  Builder()
      .File(kBatchFile, "Exit\r\n")
      .RegString(sim::HKCU, kRunServicesKey, "Cleanup", Quoted())
      .RegString(sim::HKCU, kRunKey, "Cleanup", Quoted());
  Start();
  CloseMain();
  EXPECT_FALSE(m.RegString(sim::HKCU, kRunServicesKey, "Cleanup").has_value());
  EXPECT_EQ(m.RegString(sim::HKCU, kRunKey, "Cleanup"), Quoted());
}

TEST_F(BootCleanup, AnOldBatchFileIsRegisteredAgainWhenNothingWasQueued) {
  Lockedj(true);
  Builder().File(kBatchFile, "Del old\r\nExit\r\n").RegKey(sim::HKCU, kRunKey);
  Start();
  CloseMain();
  EXPECT_EQ(m.ReadFile(kBatchFile), "Del old\r\nExit\r\n");
  EXPECT_EQ(m.RegString(sim::HKCU, kRunKey, "Cleanup"), Quoted());
}

TEST_F(BootCleanup, WithoutCommandsOrBatchFileNothingIsWrittenOrRegistered) {
  Lockedj(true);
  Builder().RegKey(sim::HKCU, kRunKey);
  Start();
  CloseMain();
  EXPECT_FALSE(m.Exists(kBatchFile));
  EXPECT_FALSE(m.RegString(sim::HKCU, kRunKey, "Cleanup").has_value());
}

TEST_F(BootCleanup, NeitherRunKeyIsCreated) {
  Lockedj(true);
  Start();
  QueueTwo();
  CloseMain();
  EXPECT_TRUE(m.Exists(kBatchFile));
  EXPECT_FALSE(m.KeyExists(sim::HKCU, kRunKey));
  EXPECT_FALSE(m.KeyExists(sim::HKCU, kRunServicesKey));
}

TEST_F(BootCleanup, AFullQueueGivesFiftyCommandsAndExit) {
  Lockedj(true);
  Start();
  std::string expected;
  for (int i = 1; i <= 51; ++i) {
    std::string line = "Del \"C:\\IE\\index" + std::to_string(i) + ".dat\"";
    bool queued = G().LockedFiles.Add(line);
    EXPECT_EQ(queued, i <= 50);
    if (queued) expected += line + "\r\n";
  }
  CloseMain();
  EXPECT_EQ(m.ReadFile(kBatchFile), expected + "Exit\r\n");
}

TEST_F(BootCleanup, ABatchFileThatCannotBeWrittenIsReportedAndTheProgramStillCloses) {
  Lockedj(false);
  Builder()
      .File(kBatchFile, "Del old\r\nExit\r\n")
      .RegString(sim::HKCU, kRunKey, "Cleanup", Quoted());
  UseEmptyModules();
  Start();
  QueueTwo();
  Builder().FailWrites(kDataDir);
  CloseMain();
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kError);
  EXPECT_EQ(ws.Boxes()[0].text, "The locked file cleanup could not be saved: the file \"" +
                                    kBatchFile +
                                    "\" could not be written. The locked files will not be "
                                    "removed when you reboot.");
  EXPECT_EQ(m.ReadFile(kBatchFile), "Del old\r\nExit\r\n");
  EXPECT_EQ(m.RegString(sim::HKCU, kRunKey, "Cleanup"), Quoted());
  EXPECT_FALSE(Main().Visible());
  EXPECT_TRUE(ie_released);
}

TEST_F(BootCleanup, ABatchFileInUseIsLeftWholeAndNoTemporaryFileStays) {
  Lockedj(true);
  Builder().File(kBatchFile, "Del old\r\nExit\r\n").Locked();
  Start();
  QueueTwo();
  CloseMain();
  EXPECT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(m.ReadFile(kBatchFile), "Del old\r\nExit\r\n");
  EXPECT_FALSE(m.Exists(kDataDir + "\\vostind.tmp"));
}

}  // namespace
}  // namespace core
