#include "browsers/savecookie.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/unit/window_test.h"
#include "tools/seed/seed.h"

namespace browsers {
namespace {

using Strings = std::vector<std::string>;

const std::string kUser = "C:\\Documents and Settings\\User";
const std::string kCookies = kUser + "\\Cookies\\";
const std::string kScanFile = kUser + "\\Application Data\\Vostreldata\\vostscan6.ini";

constexpr const char* kNoCookies = "There are no cookies listed in the box.";
constexpr const char* kNoneSaved = "There are no cookies currently saved.";
constexpr const char* kListFull = "You have reached the maximum saved cookies.";

class SaveCookieTest : public unit::WindowTest<TFrmsavecookie> {
 protected:
  std::unique_ptr<TFrmie> ie;

  // A run with its IE module, then "Keep Cookies" with `script` run while
  // the window is shown (none: closed with the close box).
  void Open(std::function<void(TFrmsavecookie&)> script = {}) {
    ie.reset();
    Start();
    ie = std::make_unique<TFrmie>(*g);
    ie->Create();
    w->IEModule = [this] { return ie.get(); };
    if (script)
      ws.WhileModal("Frmsavecookie",
                    [script](ui::Window& win) { script(static_cast<TFrmsavecookie&>(win)); });
    w->OpenKeepList();
  }
  void KeepList(const Strings& names) {
    for (size_t n = 0; n < names.size(); ++n)
      m.Builder().Ini(kScanFile, "UCKK5", "CKK" + std::to_string(n + 1), names[n]);
  }
  std::string Key(int n) {
    return m.Platform().ini.ReadString(kScanFile, "UCKK5", "CKK" + std::to_string(n), "(none)");
  }
  Strings Stored() { return ReadKeptCookies(m.Platform().ini, kScanFile); }
};

TEST_F(SaveCookieTest, ShrinkingFiveNamesToTwoBlanksTheOtherThreeAndALaterReadStopsAtThree) {
  KeepList({" a@one[1].txt ", "b@two[1].txt", "c@three[1].txt", "d@four[1].txt", "e@5[1].txt"});
  Strings shown;
  Open([&](TFrmsavecookie& s) {
    shown = s.Listbox_Saved_Cookies.Items();
    EXPECT_EQ(s.Listbox_Saved_Cookies.ItemIndex(), 0);
    for (int i = 0; i < 3; ++i) {
      s.Listbox_Saved_Cookies.ClickItem(2);
      s.CmdRemove.Click();
    }
    s.CmdReturn.Click();
  });
  EXPECT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0], "a@one[1].txt");
  EXPECT_EQ(Key(1), "a@one[1].txt");
  EXPECT_EQ(Key(2), "b@two[1].txt");
  for (int n = 3; n <= 5; ++n) EXPECT_EQ(Key(n), "") << n;
  EXPECT_EQ(Key(6), "(none)");
  EXPECT_EQ(Stored(), (Strings{"a@one[1].txt", "b@two[1].txt"}));
  EXPECT_FALSE(w->Visible());
}

TEST_F(SaveCookieTest, AFullListRefusesMoreAndShortenedByOneBlanksItsLastKey) {
  m.Builder().File(kCookies + "user@a[1].txt");
  Strings full;
  for (int n = 1; n <= 200; ++n) full.push_back("user@s" + std::to_string(n) + "[1].txt");
  KeepList(full);
  Open([&](TFrmsavecookie& s) {
    ws.Answer(ui::Answer::kOk);
    s.CmdSave.Click();
    EXPECT_EQ(s.Listbox_Saved_Cookies.Count(), 200);
    s.CmdRemove.Click();
    s.CmdReturn.Click();
  });
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kInformation);
  EXPECT_EQ(ws.Boxes()[0].text.rfind(kListFull, 0), 0u);
  EXPECT_EQ(Key(200), "");
  EXPECT_EQ(Key(199), "user@s200[1].txt");
  EXPECT_EQ(Stored().size(), 199u);
}

TEST_F(SaveCookieTest, ANameSavedTwiceIsStoredTwiceAndTheCleanupKeepsThatFileOnce) {
  m.Builder()
      .File(kCookies + "index.dat", "idx")
      .File(kCookies + "user@a[1].txt", "a")
      .File(kCookies + "user@b[1].txt", "b")
      .File(kCookies + "user@c[1].txt", "c");
  Open([](TFrmsavecookie& s) {
    EXPECT_FALSE(s.Listbox_Paths.Visible());
    s.Listbox_Cookie.ClickItem(1);
    s.CmdSave.Click();
    s.CmdSave.Click();
    s.CmdReturn.Click();
  });
  // Index files are never listed, so they cannot be kept.
  EXPECT_EQ(w->Listbox_Cookie.Items(),
            (Strings{"user@a[1].txt", "user@b[1].txt", "user@c[1].txt"}));
  EXPECT_EQ(w->Listbox_Paths.Item(1), NormalIEPattern(kCookies));
  EXPECT_EQ(Stored(), (Strings{"user@b[1].txt", "user@b[1].txt"}));

  ie->CleanIECookies();
  EXPECT_TRUE(m.Exists(kCookies + "user@b[1].txt"));
  EXPECT_FALSE(m.Exists(kCookies + "user@a[1].txt"));
  EXPECT_FALSE(m.Exists(kCookies + "user@c[1].txt"));
  EXPECT_EQ(ie->DeletedCount(), 3);  // two cookies and the index file
}

TEST_F(SaveCookieTest, BinaryAndHugeCookieFilesAreShownBoundedAndReadable) {
  m.Builder()
      .File(kCookies + "user@a-bin[1].txt",
            std::string("id\r\nv\0al\x01\x1b[2J\xff\xe9\tx\n*\n", 20))
      .File(kCookies + "user@b-big[1].txt", std::string(100000, 'z'));
  Strings first;
  Open([&](TFrmsavecookie& s) {
    first = s.Memo1.Lines();
    s.Listbox_Cookie.ClickItem(1);
  });
  EXPECT_EQ(first, (Strings{"id", "v.al..[2J\xC3\xBF\xC3\xA9\tx", "*"}));
  const Strings big = w->Memo1.Lines();
  ASSERT_EQ(big.size(), 3u);
  EXPECT_TRUE(big[0] == std::string(kViewerLimit, 'z')) << big[0].size();
  EXPECT_EQ(big[2], "(Only the first 32 KB of this file are shown; it holds 100000 bytes.)");
  EXPECT_TRUE(w->Memo1.ReadOnly());
}

TEST_F(SaveCookieTest, TheDemoProfileKeepsTwoCookiesAndItsBinaryCookieIsReadable) {
  seed::SeedOptions options;
  options.user_name = "User";
  options.kept_cookies = true;
  ASSERT_TRUE(seed::SeedDirtyProfile(m.Platform(), options).Ok());
  Strings binary;
  Open([&](TFrmsavecookie& s) {
    for (int i = 0; i < s.Listbox_Cookie.Count(); ++i) {
      if (s.Listbox_Cookie.Item(i) != "user@tracker.adnet[1].txt") continue;
      s.Listbox_Cookie.ClickItem(i);
      binary = s.Memo1.Lines();
    }
  });
  EXPECT_EQ(w->Listbox_Saved_Cookies.Items(),
            (Strings{"user@MyBank[1].TXT", "user@weather[1].txt"}));
  EXPECT_EQ(w->Listbox_Cookie.Count(), 10);
  ASSERT_GE(binary.size(), 2u);
  EXPECT_EQ(binary[1], "....[0m\xC3\xBF\xC3\xBE...");

  ie->CleanIECookies();
  EXPECT_EQ(ie->CookieFigures().files, 2);
  EXPECT_TRUE(m.Exists(kCookies + "user@mybank[1].txt"));
}

TEST_F(SaveCookieTest, EmptyListsExplainThemselvesAndOnlyReturnStores) {
  Open([&](TFrmsavecookie& s) {
    ws.Answer(ui::Answer::kOk);
    s.CmdSave.Click();
    ws.Answer(ui::Answer::kOk);
    s.CmdRemove.Click();
    s.Close();
  });
  ASSERT_EQ(ws.Boxes().size(), 2u);
  EXPECT_EQ(ws.Boxes()[0].text.rfind(kNoCookies, 0), 0u);
  EXPECT_EQ(ws.Boxes()[1].text.rfind(kNoneSaved, 0), 0u);
  EXPECT_TRUE(w->Memo1.Lines().empty());
  EXPECT_EQ(Key(1), "(none)");

  // Saved, then closed without "Return": the stored list stays.
  KeepList({"user@old[1].txt"});
  m.Builder().File(kCookies + "user@new[1].txt");
  Open([](TFrmsavecookie& s) {
    s.CmdSave.Click();
    s.Close();
  });
  EXPECT_EQ(Stored(), Strings{"user@old[1].txt"});
}

TEST_F(SaveCookieTest, AKeepListThatCannotBeStoredIsReported) {
  KeepList({"user@a[1].txt", "user@b[1].txt"});
  m.Builder().FailWrites(kScanFile);
  Open([&](TFrmsavecookie& s) {
    s.CmdRemove.Click();
    ws.Answer(ui::Answer::kOk);
    s.CmdReturn.Click();
  });
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kError);
  EXPECT_FALSE(w->Visible());
}

}  // namespace
}  // namespace browsers
