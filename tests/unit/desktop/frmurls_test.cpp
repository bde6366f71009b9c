#include "desktop/frmurls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/uglobalvars.h"
#include "desktop/urlstores.h"
#include "platform/sim/machine.h"
#include "platform/text.h"
#include "ui/headless/headless.h"

namespace desktop {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kTyped = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr const char* kNetHistory = "Software\\Netscape\\Netscape Navigator\\URL History";
constexpr const char* kUsers = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";
constexpr const char* kProfile = "C:\\Program Files\\Netscape\\Users\\joe";
const std::string kPrefs = std::string(kProfile) + "\\prefs.js";
constexpr const char* kStore = "C:\\Moz\\localstore.rdf";
constexpr const char* kRenameFailed =
    "An i/o error occurred during file renaming. Please make sure all other applications are "
    "closed. Then run this program again.";
constexpr const char* kIoFailed =
    "An i/o error occurred.  Please make sure your browser is closed!. Then close this program "
    "and try again. ";

std::string UrlLine(int n, const std::string& url) {
  return "user_pref(\"browser.url_history.URL_" + std::to_string(n) + "\", \"" + url + "\");";
}

class UrlHistory : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;
  std::unique_ptr<TFrmurls> w;

  void SetUp() { g = std::make_unique<core::Uglobalvars>(m.Platform(), ws); }
  TFrmurls& Open() {
    w = std::make_unique<TFrmurls>(*g);
    w->Create();
    return *w;
  }
  void TypedUrls(const Strings& urls, const char* key = kTyped, const char* prefix = "url") {
    for (size_t i = 0; i < urls.size(); ++i)
      m.Builder().RegString(sim::HKCU, key, prefix + std::to_string(i + 1), urls[i]);
  }
  Strings Values(const char* key, const char* prefix, int upto) {
    Strings out;
    for (int n = 1; n <= upto; ++n)
      out.push_back(m.RegString(sim::HKCU, key, prefix + std::to_string(n)).value_or("-"));
    return out;
  }
  // A Netscape 4 profile whose prefs.js holds URL_0 .. URL_(count-1) between
  // two other settings, with LF line ends.
  std::string PrefsWithUrls(int count) {
    std::string text = "// Netscape prefs\nuser_pref(\"a\", 1);\n";
    for (int n = 0; n < count; ++n) text += UrlLine(n, "http://site" + std::to_string(n)) + "\n";
    text += "user_pref(\"z\", 2);\n";
    m.Builder()
        .File(kPrefs, text)
        .RegString(sim::HKLM, std::string(kUsers) + "\\joe", "DirRoot", kProfile);
    return text;
  }
  int NetLine(const std::string& url) {
    for (int i = 0; i < w->ListNet.Count(); ++i)
      if (w->ListNet.Item(i) == url) return i + 1;
    return 0;
  }
};

// ---- Internet Explorer typed URLs ----

TEST_F(UrlHistory, TypedUrlsEndAtTheFirstGap) {
  m.Builder()
      .RegString(sim::HKCU, kTyped, "url1", "a")
      .RegString(sim::HKCU, kTyped, "url2", "b")
      .RegString(sim::HKCU, kTyped, "url4", "d");
  Open();
  EXPECT_EQ(w->ListIE.Items(), (Strings{"a", "b"}));
  EXPECT_EQ(w->IECount(), 2);
  EXPECT_EQ(w->ListIE.ItemIndex(), 0);
}

TEST_F(UrlHistory, RemovingTheSecondOfFiveRenumbersTheRest) {
  TypedUrls({"u1", "u2", "u3", "u4", "u5"});
  Open();
  w->ListIE.SetItemIndex(1);
  w->CmdIEDelClick();
  EXPECT_EQ(Values(kTyped, "url", 5), (Strings{"u1", "u3", "u4", "u5", "-"}));
  EXPECT_EQ(w->ListIE.Items(), (Strings{"u1", "u3", "u4", "u5"}));
}

TEST_F(UrlHistory, RemoveAllEmptiesTheListAndShowsNoneFound) {
  TypedUrls({"u1", "u2", "u3"});
  Open();
  w->CmdIEAllClick();
  EXPECT_EQ(Values(kTyped, "url", 3), (Strings{"-", "-", "-"}));
  EXPECT_EQ(w->ListIE.Items(), (Strings{"None Found"}));
  EXPECT_FALSE(w->ListIE.Enabled());
  EXPECT_FALSE(w->CmdIEAll.Enabled());
  EXPECT_TRUE(ws.Boxes().empty());
}

TEST_F(UrlHistory, AKeyThatCannotBeWrittenKeepsEveryLineAndSaysSo) {
  TypedUrls({"u1", "u2"});
  m.Builder().RegReadOnly(sim::HKCU, kTyped);
  Open();
  w->CmdIEAllClick();
  EXPECT_EQ(ws.BoxTexts(), (Strings(2,
                                    "A delete failed.  Please make sure that all applications are "
                                    "closed so the registry is not locked.")));
  EXPECT_EQ(w->ListIE.Items(), (Strings{"u1", "u2"}));
  EXPECT_EQ(Values(kTyped, "url", 2), (Strings{"u1", "u2"}));
}

// ---- Netscape registry and prefs.js ----

TEST_F(UrlHistory, NetscapeListsRegistryThenPrefsAndReadsAPrefsFileOnlyOnce) {
  TypedUrls({"reg1"}, kNetHistory, "URL_");
  PrefsWithUrls(2);
  g->NetPrefsFiles.Add(text::Upper(kPrefs));
  Open();
  EXPECT_EQ(w->ListNet.Items(), (Strings{"reg1", "http://site0", "http://site1"}));
  EXPECT_EQ(w->NetCount(), 3);
  EXPECT_EQ(w->NetRegistryCount(), 1);
  EXPECT_TRUE(g->NetPrefsFiles.IsEmpty());
  EXPECT_FALSE(w->ListNet.Visible());
}

TEST_F(UrlHistory, RemovingUrl5RenumbersTheLaterLinesOnlyAndKeepsEverythingElse) {
  PrefsWithUrls(13);
  Open();
  w->RemoveNetUrl(NetLine("http://site5"));
  std::string expected = "// Netscape prefs\nuser_pref(\"a\", 1);\n";
  for (int n = 0; n < 13; ++n) {
    if (n == 5) continue;
    expected += UrlLine(n < 5 ? n : n - 1, "http://site" + std::to_string(n)) + "\n";
  }
  expected += "user_pref(\"z\", 2);\n";
  EXPECT_EQ(m.ReadFile(kPrefs), expected);
  EXPECT_FALSE(m.Exists(std::string(kProfile) + "\\tempfile.del"));
  EXPECT_EQ(w->NetCount(), 12);
  EXPECT_EQ(NetLine("http://site5"), 0);
}

TEST_F(UrlHistory, RemoveAllTakesEveryPrefsUrlLine) {
  PrefsWithUrls(3);
  Open();
  w->CmdNetAllClick();
  EXPECT_EQ(m.ReadFile(kPrefs), "// Netscape prefs\nuser_pref(\"a\", 1);\nuser_pref(\"z\", 2);\n");
  EXPECT_EQ(w->ListNet.Items(), (Strings{"None Found"}));
}

TEST_F(UrlHistory, AFailedReplaceOrWriteKeepsPrefsJsByteForByteAndNoTemporaryFile) {
  const std::string original = PrefsWithUrls(2);
  m.Builder().File(kPrefs, original).ReadOnly();
  Open();
  w->RemoveNetUrl(1);
  EXPECT_EQ(m.ReadFile(kPrefs), original);
  EXPECT_EQ(ws.BoxTexts(), (Strings{kRenameFailed}));
  EXPECT_FALSE(m.Exists(std::string(kProfile) + "\\tempfile.del"));
  EXPECT_EQ(w->NetCount(), 2);

  ws.ClearBoxes();
  m.Builder().File(kPrefs, original).FailWrites(kProfile);
  w->RemoveNetUrl(1);
  EXPECT_EQ(m.ReadFile(kPrefs), original);
  EXPECT_EQ(ws.BoxTexts(), (Strings{kIoFailed}));
  EXPECT_FALSE(m.Exists(std::string(kProfile) + "\\tempfile.del"));
}

TEST_F(UrlHistory, APrefsUrlThatIsGoneIsReportedAndKept) {
  PrefsWithUrls(1);
  Open();
  m.Builder().File(kPrefs, "user_pref(\"a\", 1);\n");
  w->RemoveNetUrl(1);
  EXPECT_EQ(ws.BoxTexts(), (Strings{"URL not found, line not removed"}));
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kInformation);
  EXPECT_EQ(w->ListNet.Items(), (Strings{"http://site0"}));
}

// ---- localstore.rdf ----

TEST_F(UrlHistory, LocalStoreListsTheNonBlankItemsAndRemovalKeepsTheLaterLines) {
  m.Builder().File(kStore,
                   "<RDF:Seq><RDF:li>http://a</RDF:li><RDF:li> </RDF:li><RDF:li>http://b</RDF:li>"
                   "\r\n<later line=\"1\"/>\r\nlast");
  g->FFLocalStoreFiles.Add(kStore);
  Open();
  EXPECT_EQ(w->ListNet6.Items(), (Strings{"http://a", "http://b"}));
  w->Cmd_Net6_RemallClick();
  EXPECT_EQ(m.ReadFile(kStore),
            "<RDF:Seq><RDF:li></RDF:li><RDF:li> </RDF:li><RDF:li></RDF:li>\r\n<later "
            "line=\"1\"/>\r\nlast");
  EXPECT_EQ(w->ListNet6.Items(), (Strings{"None Found"}));
  EXPECT_FALSE(m.Exists("C:\\Moz\\tempfile.xml"));
}

TEST_F(UrlHistory, ALocalStoreThatCannotBeWrittenIsReportedOnceAndKeptWhole) {
  const std::string text = "<RDF:li>http://a</RDF:li><RDF:li>http://b</RDF:li>\nrest\n";
  m.Builder().File(kStore, text).FailWrites("C:\\Moz");
  g->FFLocalStoreFiles.Add(kStore);
  Open();
  w->Cmd_Net6_RemallClick();
  EXPECT_EQ(m.ReadFile(kStore), text);
  EXPECT_EQ(ws.BoxTexts(), (Strings{kIoFailed}));
  EXPECT_EQ(w->ListNet6.Items(), (Strings{"http://a", "http://b"}));
  EXPECT_FALSE(m.Exists("C:\\Moz\\tempfile.xml"));
}

TEST_F(UrlHistory, AnItemFoundInNoFileEndsAfterTheAttemptBound) {
  m.Builder().File(kStore, "<RDF:li>http://a</RDF:li>");
  g->FFLocalStoreFiles.Add(kStore);
  Open();
  m.Builder().File(kStore, "");
  w->Cmd_Net6_RemallClick();
  EXPECT_EQ(ws.BoxTexts(),
            (Strings{"Maximum attempts reached. Some URLs may already be cleaned as they could not "
                     "be found"}));
}

// ---- Firefox history database ----

TEST_F(UrlHistory, FirefoxDatabaseMissingDeletedOrLocked) {
  Open();
  EXPECT_EQ(w->LblFirefox.Caption(), "No Firefox browser URL\"s were found");
  EXPECT_FALSE(w->CmdFirefox.Enabled());

  g->FFPlacesFile = "C:\\ff\\places.sqlite";
  m.Builder().File(g->FFPlacesFile, "db").Locked();
  Open();
  EXPECT_TRUE(w->CmdFirefox.Enabled());
  w->CmdFirefoxClick();
  EXPECT_EQ(ws.BoxTexts(),
            (Strings{"Note: The Firefox browser URL\"s cound not be deleted. Please make sure your "
                     "browser is closed when deleting the files."}));
  m.UnlockAll();
  TFrmurls::RemoveAll(*g, *w);
  EXPECT_FALSE(m.Exists(g->FFPlacesFile));
}

// ---- The text formats ----

TEST(UrlStores, PrefsUrlLinesOfEveryShape) {
  EXPECT_EQ(PrefsUrlOfLine(UrlLine(3, " http://x ")), "http://x");
  EXPECT_EQ(PrefsUrlOfLine(UrlLine(3, std::string(151, 'a'))), "");
  EXPECT_EQ(PrefsUrlOfLine(UrlLine(3, std::string(150, 'a'))), std::string(150, 'a'));
  EXPECT_EQ(PrefsUrlOfLine("user_pref(\"browser.url_history.URL_"), std::nullopt);
  EXPECT_EQ(PrefsUrlOfLine("user_pref(\"browser.url_history.URL_1\","), "");
  EXPECT_EQ(PrefsUrlOfLine(" " + UrlLine(1, "x")), std::nullopt);
  EXPECT_EQ(PrefsUrlOfLine("user_pref(\"browser.url_history.URL_1" + std::string(40, ' ') +
                           "\", \"x\");"),
            std::nullopt);  // the comma lies past the 70th character
  EXPECT_EQ(PrefsUrlOfLine("user_pref(\"browser.url_history.URL_1\", \"open"), "open");
}

TEST(UrlStores, RenumberingTouchesOnlyWellFormedIndices) {
  EXPECT_EQ(RenumberPrefsLine(UrlLine(10, "x")), UrlLine(9, "x"));
  EXPECT_EQ(RenumberPrefsLine(UrlLine(6, "x")), UrlLine(5, "x"));
  for (const std::string& kept : {UrlLine(100, "x"), UrlLine(0, "x"), " " + UrlLine(5, "x"),
                                  std::string("user_pref(\"browser.url_history.URL_"),
                                  std::string("user_pref(\"browser.url_history.URL_x\", \"y\");"),
                                  std::string("user_pref(\"browser.url_history.URL_12")}) {
    EXPECT_EQ(RenumberPrefsLine(kept), kept);
  }
}

TEST(UrlStores, LocalStoreItemsStopAtAMissingEndTag) {
  EXPECT_EQ(LocalStoreItems("</RDF:li>x<RDF:li>y"), Strings{});
  EXPECT_EQ(LocalStoreItems("<RDF:li>a</RDF:li><RDF:li>b"), Strings{"a"});
  EXPECT_EQ(LocalStoreItems("<RDF:li><RDF:li>a</RDF:li>"), Strings{"<RDF:li>a"});
  for (std::string_view bytes : {"", "a", "a\r\nb\n\nc\r", "\r\r\n"})
    EXPECT_EQ(JoinLines(SplitLines(bytes)), bytes);
}

}  // namespace
}  // namespace desktop
