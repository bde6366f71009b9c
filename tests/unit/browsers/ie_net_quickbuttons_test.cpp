// The main window's six quick buttons with the real Internet Explorer and
// Netscape/Firefox modules on the simulated machine.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browsers/ie.h"
#include "browsers/net.h"
#include "tests/unit/core/core_fixture.h"

namespace browsers {
namespace {

using core::testing::CoreTest;

const std::string kUser = "C:\\Documents and Settings\\User";
const std::string kCookies = kUser + "\\Cookies\\";
const std::string kContent = kUser + "\\Local Settings\\Temporary Internet Files\\Content.IE5\\";
const std::string kHistoryIE5 = kUser + "\\Local Settings\\History\\History.IE5\\";
const std::string kNetCache = "C:\\NS\\cache\\";
const std::string kNetHistory = "C:\\FF\\formhistory.sqlite";

constexpr const char* kAsk = "Would you like me to remove these files for you?";

class QuickButtons : public CoreTest {
 protected:
  void SetUp() override {
    Builder()
        .RegString(sim::HKCU, core::kSettingsKey, "Skin", "skinnone")
        .File(kCookies + "user@a[1].txt", "1234")
        .File(kCookies + "user@b[1].txt", "56")
        .File(kContent + "K1\\a.htm", "123")
        .File(kHistoryIE5 + "index.dat", "12345678")
        .Folder(kHistoryIE5)
        .System()
        .RegString(sim::HKCU, "Software\\Netscape\\Netscape Navigator\\Cache", "Cache Dir",
                   kNetCache)
        .File(kNetCache + "x.gif", "1")
        .File(kNetCache + "y.gif", "22");
    factories.internet_explorer = [](core::Uglobalvars& g, ui::Window&) {
      return std::make_unique<TFrmie>(g);
    };
    factories.netscape = [](core::Uglobalvars& g, ui::Window&) {
      return std::make_unique<TFrmnet>(g);
    };
  }
  const ui::ShownBox& LastBox() const { return ws.Boxes().back(); }
};

TEST_F(QuickButtons, YesDeletesTheCookiesAndLowersTheStatisticsLine) {
  core::TFrminit& w = Start();
  EXPECT_EQ(w.Label1.Caption(), "Internet Explorer COOKIES -> FOUND 2 files, consuming 6 bytes.");
  ws.ClearBoxes();
  ws.Answer(ui::Answer::kYes);
  w.btnieck.Click();
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(LastBox().kind, ui::BoxKind::kWarning);
  EXPECT_EQ(LastBox().buttons, ui::Buttons::kYesNo);
  EXPECT_EQ(LastBox().text,
            std::string("6 bytes of IE cookies have been found on your system. Without removing "
                        "these files, some websites may track which webpages and websites you "
                        "have been visiting. ") +
                kAsk);
  EXPECT_FALSE(m.Exists(kCookies + "user@a[1].txt"));
  EXPECT_EQ(w.Label1.Caption(), "Internet Explorer COOKIES -> None found on your system.");
  EXPECT_EQ(G().Result(core::Slot::kIECookies), "All files have been deleted. ALL2 were cleaned.");
}

TEST_F(QuickButtons, NoRemovesNothingAndSaysSo) {
  core::TFrminit& w = Start();
  ws.ClearBoxes();
  ws.Answer(ui::Answer::kNo);
  w.btnnsch.Click();
  ASSERT_EQ(ws.Boxes().size(), 2u);
  EXPECT_EQ(ws.Boxes()[0].text,
            std::string("2 Netscape/FFox cache files were found on your system. This consumes 3 "
                        "bytes of your hard drive. ") +
                kAsk);
  EXPECT_EQ(LastBox().kind, ui::BoxKind::kInformation);
  EXPECT_EQ(LastBox().text, "Nothing removed from your system.");
  EXPECT_TRUE(m.Exists(kNetCache + "x.gif"));
  EXPECT_EQ(w.Label5.Caption(), "Firefox/Netscape CACHE    -> FOUND 2 files, consuming 3 bytes.");
}

TEST_F(QuickButtons, TheHistoryAndCacheQuestionsNameCountAndBytes) {
  core::TFrminit& w = Start();
  ws.ClearBoxes();
  ws.Answer(ui::Answer::kNo);
  w.btniech.Click();
  ws.Answer(ui::Answer::kYes);
  w.btnieh.Click();
  EXPECT_EQ(ws.Boxes()[0].text,
            std::string("1 IE cache files were found on your system. This consumes 3 bytes of "
                        "your hard drive. ") +
                kAsk);
  // History\*.* lists History.IE5 (a folder, counted) and its index.
  EXPECT_EQ(ws.Boxes()[2].text,
            std::string("2 IE history files were found on your system. This consumes 8 bytes of "
                        "your hard drive. ") +
                kAsk);
  EXPECT_FALSE(m.Exists(kHistoryIE5 + "index.dat"));
  EXPECT_EQ(w.Label3.Caption(), "Internet Explorer HISTORY -> FOUND 1 files, consuming 0 bytes.");
}

TEST_F(QuickButtons, WithNothingFoundNothingIsAskedAndTheSlotFollowsConfirms) {
  core::TFrminit& w = Start();
  ws.ClearBoxes();
  w.btnnsh.Click();
  w.btnnsck.Click();
  EXPECT_TRUE(ws.Boxes().empty());
  EXPECT_EQ(G().Result(core::Slot::kNetHistory),
            "There were no Netscape/FFox history files found on your system.");
  EXPECT_EQ(G().Result(core::Slot::kNetCookies),
            "There were no Netscape/FFox cookie files found on your system.");

  G().settings.Confirms = false;
  G().SetResult(core::Slot::kNetHistory, "earlier");
  w.btnnsh.Click();
  EXPECT_EQ(G().Result(core::Slot::kNetHistory), "earlier");
}

TEST_F(QuickButtons, ALockedIndexFileFromAQuickButtonIsWrittenToTheBootBatchAtClose) {
  m.Lock(kHistoryIE5 + "index.dat");
  core::TFrminit& w = Start();
  ws.Answer(ui::Answer::kYes);
  w.btnieh.Click();
  EXPECT_EQ(G().Result(core::Slot::kIEHistory),
            "All files have been deleted except for 1 or more HISTORY index files, which are "
            "LOCKED.");
  const std::string command =
      "Del \"" + m.Platform().fs.ShortPath(kHistoryIE5 + "index.dat") + "\"";
  w.Close();
  EXPECT_EQ(m.ReadFile(core::testing::kBatchFile), command + "\r\nExit\r\n");
}

}  // namespace
}  // namespace browsers
