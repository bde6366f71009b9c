#include "browsers/net.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/unit/window_test.h"

namespace browsers {
namespace {

using Strings = std::vector<std::string>;

const std::string kScanFile =
    "C:\\Documents and Settings\\User\\Application Data\\Vostreldata\\vostscan6.ini";
const std::string kUsers = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";
const std::string kNavigator = "Software\\Netscape\\Netscape Navigator\\";
const std::string kProfile = "C:\\Program Files\\Netscape\\Users\\anna";

std::string CachePrefs(const std::string& js_folder) {
  return "user_pref(\"browser.cache.directory\", \"" + js_folder + "\");\n";
}

class NetTest : public unit::WindowTest<TFrmnet> {
 protected:
  // A Navigator profile named in the registry.
  void NavigatorProfile(const std::string& name, const std::string& dir) {
    m.Builder().RegString(sim::HKLM, kUsers + "\\" + name, "DirRoot", dir);
  }
  Strings CacheList() const { return w->NetCacheList().Entries(); }
};

// ---- Cache folders ------------------------------------------------------------

TEST_F(NetTest, AProfileWhosePrefsNameItsOwnCacheGivesOneEntry) {
  NavigatorProfile("anna", kProfile);
  m.Builder()
      .File(kProfile + "\\prefs.js",
            CachePrefs("C:\\\\Program Files\\\\Netscape\\\\Users\\\\anna\\\\Cache"))
      .File(kProfile + "\\Cache\\a.htm", "123");
  Start();
  EXPECT_EQ(CacheList(), Strings{kProfile + "\\Cache\\"});
  EXPECT_EQ(w->Users().NetUserCacheDirs[0], kProfile + "\\Cache\\");
  EXPECT_EQ(w->CacheFigures().files, 1);
}

TEST_F(NetTest, EveryCacheSourceAddsItsFolderOnceWithOneTrailingBackslash) {
  NavigatorProfile("anna", kProfile);
  const std::string ff = "C:\\FF\\Profiles\\x.default\\";
  m.Builder()
      .RegString(sim::HKCU, kNavigator + "Cache", "Cache Dir", "C:\\NS\\Cache\\\\")
      .File(kProfile + "\\prefs.js", CachePrefs("C:\\\\ns\\\\cache"))
      .File(ff + "prefs.js", CachePrefs("D:\\\\FFCache"))
      .Folder(ff + "Cache")
      .Ini(kScanFile, "P45", "P1", ff);
  Start();
  EXPECT_EQ(CacheList(),
            (Strings{"C:\\NS\\Cache\\", kProfile + "\\cache\\", ff + "cache\\", "D:\\FFCache\\"}));
}

TEST_F(NetTest, RootsAndRelativeFoldersAreNeverTakenAsCaches) {
  NavigatorProfile("anna", kProfile);
  NavigatorProfile("bob", "");  // a stale profile: its "\cache" would be drive-relative
  m.Builder()
      .RegString(sim::HKCU, kNavigator + "Cache", "Cache Dir", "C:\\")
      .File(kProfile + "\\prefs.js", CachePrefs(""))
      .File("C:\\precious.txt", "keep")
      .File("C:\\cache\\other.dat", "keep");
  Start();
  w->AddNetCacheFolder("\\\\server\\share");
  w->AddNetCacheFolder("\\\\server\\");
  w->AddNetCacheFolder("relative\\cache");
  w->AddNetCacheFolder("\\cache");
  w->AddNetCacheFolder("D:");
  EXPECT_EQ(CacheList(), Strings{kProfile + "\\cache\\"});
  w->CleanNetCache();
  EXPECT_TRUE(m.Exists("C:\\precious.txt"));
  EXPECT_TRUE(m.Exists("C:\\cache\\other.dat"));
  w->AddNetCacheFolder("\\\\server\\share\\cache");
  EXPECT_EQ(w->NetCacheList().Count(), 2);
}

TEST_F(NetTest, AHashedCacheIsCountedAndCleanedOnlyInsideItsThirtyTwoSubfolders) {
  const std::string cache = "C:\\FF\\p\\Cache\\";
  m.Builder()
      .RegString(sim::HKCU, kNavigator + "Cache", "Cache Dir", cache)
      .File(cache + "_CACHE_MAP_", "map")
      .File(cache + "00\\A1", "1")
      .File(cache + "0A\\B2", "22")
      .File(cache + "1F\\C3", "333")
      .File(cache + "20\\D4", "4444")
      .File(cache + "1G\\E5", "55555")
      // A sub-folder that is a junction leads out of the cache: not entered.
      .File("C:\\Keep\\precious", "keep")
      .Junction(cache + "01", "C:\\Keep");
  Start();
  EXPECT_EQ(w->CacheFigures().files, 3);
  EXPECT_EQ(w->CacheFigures().bytes, 6);
  w->CleanNetCache();
  EXPECT_FALSE(m.Exists(cache + "00\\A1"));
  EXPECT_FALSE(m.Exists(cache + "0A\\B2"));
  EXPECT_FALSE(m.Exists(cache + "1F\\C3"));
  EXPECT_TRUE(m.Exists(cache + "_CACHE_MAP_"));
  EXPECT_TRUE(m.Exists(cache + "20\\D4"));
  EXPECT_TRUE(m.Exists(cache + "1G\\E5"));
  EXPECT_TRUE(m.Exists("C:\\Keep\\precious"));
  EXPECT_EQ(Slot(core::Slot::kNetCache), "All files have been deleted.");
  EXPECT_EQ(HashedCacheFolder(0), "00");
  EXPECT_EQ(HashedCacheFolder(10), "0A");
  EXPECT_EQ(HashedCacheFolder(31), "1F");
}

TEST_F(NetTest, AFlatCacheCountsItsSubfolderEntriesButOnlyFilesGo) {
  const std::string cache = "C:\\NS\\cache\\";
  m.Builder()
      .RegString(sim::HKCU, kNavigator + "Cache", "Cache Dir", cache)
      .File(cache + "a.gif", "12")
      .File(cache + "sub\\b.gif", "1");
  Start();
  EXPECT_EQ(w->CacheFigures().files, 2);
  w->CleanNetCache();
  EXPECT_TRUE(m.Exists(cache + "sub\\b.gif"));
  EXPECT_EQ(Slot(core::Slot::kNetCache),
            "1 out of 2 total Netscape cache files have been deleted. ");
  EXPECT_EQ(w->CacheFigures().files, 1);
}

// ---- History and cookies --------------------------------------------------------

TEST_F(NetTest, AHistoryFileNamedByTheRegistryAndTheScanIsCountedOnce) {
  NavigatorProfile("anna", kProfile);
  m.Builder()
      .RegString(sim::HKCU, kNavigator + "History", "History File", kProfile + "\\netscape.hst")
      .File(kProfile + "\\netscape.hst", "12345")
      .Ini(kScanFile, "H53", "P1", "c:\\program files\\netscape\\users\\ANNA\\");
  Start();
  EXPECT_EQ(w->HistoryFigures().files, 1);
  EXPECT_EQ(w->HistoryFigures().bytes, 5);
  EXPECT_EQ(g->NetHistoryFiles[1], "");
  w->CleanNetHistory();
  EXPECT_FALSE(m.Exists(kProfile + "\\netscape.hst"));
  EXPECT_EQ(Slot(core::Slot::kNetHistory), "All files have been deleted.");
}

TEST_F(NetTest, DeletingThreeOfFiveHistoryFilesSaysSo) {
  const std::string ff = "C:\\FF\\p\\";
  m.Builder()
      .File(ff + "history.dat", "1")
      .File(ff + "formhistory.dat", "1")
      .File("C:\\FF\\q\\netscape.hst", "1")
      .Locked()
      .File("C:\\FF\\r\\history.dat", "1")
      .ReadOnly()
      .File("C:\\FF\\formhistory.sqlite", "1")
      .Ini(kScanFile, "H53", "P1", ff)
      .Ini(kScanFile, "H53", "P2", "C:\\FF\\q\\")
      .Ini(kScanFile, "H53", "P3", "C:\\FF\\r\\")
      .Ini(kScanFile, "FFFH", "P0", "C:\\FF\\formhistory.sqlite");
  Start();
  EXPECT_EQ(w->HistoryFigures().files, 5);
  w->CleanNetHistory();
  EXPECT_EQ(Slot(core::Slot::kNetHistory),
            "3 out of 5 total Netscape history files have been deleted. ");
  EXPECT_TRUE(m.Exists("C:\\FF\\q\\netscape.hst"));
  EXPECT_TRUE(m.Exists("C:\\FF\\r\\history.dat"));
  EXPECT_EQ(w->HistoryFigures().files, 2);
  // A second run deletes nothing more and still writes its slot.
  w->CleanNetHistory();
  EXPECT_EQ(Slot(core::Slot::kNetHistory),
            "0 out of 2 total Netscape history files have been deleted. ");
  EXPECT_TRUE(ws.Boxes().empty());
}

TEST_F(NetTest, CookiesOfEverySourceAreCountedAndDeleted) {
  NavigatorProfile("anna", kProfile);
  m.Builder()
      .RegString(sim::HKCU, kNavigator + "Cookies", "Cookie File", "C:\\NS\\cookies.txt")
      .File("C:\\NS\\cookies.txt", "1")
      .File(kProfile + "\\cookies.txt", "22")
      .File("C:\\Moz\\a\\cookies.txt", "333")
      .File("C:\\FF\\cookies.sqlite", "4444")
      .Ini(kScanFile, "K17", "P1", "C:\\Moz\\a\\")
      .Ini(kScanFile, "K17", "P2", kProfile + "\\")
      .Ini(kScanFile, "FFCK", "P0", "C:\\FF\\cookies.sqlite");
  Start();
  EXPECT_EQ(w->CookieFigures().files, 4);
  EXPECT_EQ(w->CookieFigures().bytes, 10);
  w->CleanNetCookies();
  EXPECT_EQ(Slot(core::Slot::kNetCookies), "All files have been deleted.");
  EXPECT_EQ(w->CookieFigures().files, 0);
  EXPECT_EQ(w->Label2.Caption(),
            "COOKIE FILES  -> 0 Netscape files consuming 0 bytes of storage were FOUND on your "
            "system.");
}

TEST_F(NetTest, ARecordedPathWithAWildcardIsNeverUsed) {
  m.Builder()
      .File("C:\\FF\\a.sqlite", "1")
      .File("C:\\FF\\b.sqlite", "1")
      .Ini(kScanFile, "FFCK", "P0", "C:\\FF\\*.sqlite");
  Start();
  EXPECT_EQ(w->CookieFigures().files, 0);
  w->CleanNetCookies();
  EXPECT_TRUE(m.Exists("C:\\FF\\a.sqlite"));
}

TEST_F(NetTest, DuringAutomaticCleanupTheFiguresStay) {
  m.Builder()
      .File("C:\\FF\\formhistory.sqlite", "12")
      .Ini(kScanFile, "FFFH", "P0", "C:\\FF\\formhistory.sqlite");
  Start();
  const std::string line = w->Label1.Caption();
  g->AutoCleanup = true;
  w->CleanNetHistory();
  EXPECT_FALSE(m.Exists("C:\\FF\\formhistory.sqlite"));
  EXPECT_EQ(w->HistoryFigures().files, 1);
  EXPECT_EQ(w->Label1.Caption(), line);
  EXPECT_EQ(Slot(core::Slot::kNetHistory), "All files have been deleted.");
}

TEST_F(NetTest, WipingLeavesAFileInUseAsItWas) {
  m.Builder()
      .File("C:\\FF\\cookies.sqlite", "live database")
      .Locked()
      .Ini(kScanFile, "FFCK", "P0", "C:\\FF\\cookies.sqlite");
  Start();
  g->settings.Wipe = true;
  w->CleanNetCookies();
  EXPECT_EQ(m.ReadFile("C:\\FF\\cookies.sqlite"), "live database");
  EXPECT_EQ(Slot(core::Slot::kNetCookies),
            "0 out of 1 total Netscape cookie files have been deleted. ");
}

TEST_F(NetTest, TheSummaryAddsTheThreeCategories) {
  m.Builder()
      .RegString(sim::HKCU, kNavigator + "Cache", "Cache Dir", "C:\\NS\\cache\\")
      .File("C:\\NS\\cache\\a", "12")
      .File("C:\\FF\\cookies.sqlite", "345")
      .Ini(kScanFile, "FFCK", "P0", "C:\\FF\\cookies.sqlite");
  Start();
  EXPECT_EQ(w->TotalFigures().files, 2);
  EXPECT_EQ(w->Label3.Caption(),
            "CACHE FILES   -> 1 Netscape files consuming 2 bytes of storage were FOUND on your "
            "system.");
  EXPECT_EQ(w->Label4.Caption(),
            "TOTAL FILES   -> 2 TOTAL Netscape files were found. These files are wasting 5 bytes "
            "of storage on your computer.");
}

TEST_F(NetTest, AnEmptyMachineSurveysAndCleansWithoutComplaint) {
  m.Builder().RegBlocked(sim::HKLM, kUsers);
  Start();
  EXPECT_EQ(w->TotalFigures().files, 0);
  w->CleanNetCache();
  w->CleanNetCookies();
  w->CleanNetHistory();
  EXPECT_EQ(Slot(core::Slot::kNetCache), "All files have been deleted.");
  EXPECT_TRUE(ws.Boxes().empty());
}

}  // namespace
}  // namespace browsers
