#include "browsers/netprofiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/uglobalvars.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace browsers {
namespace {

using Strings = std::vector<std::string>;

const std::string kScanFile =
    "C:\\Documents and Settings\\User\\Application Data\\Vostreldata\\vostscan6.ini";
constexpr const char* kUsers = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";
constexpr const char* kNavigator = "Software\\Netscape\\Netscape Navigator\\";

class NetProfilesTest : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;

  core::Uglobalvars& G() {
    if (!g) {
      g = std::make_unique<core::Uglobalvars>(m.Platform(), ws);
      g->FormBaseFolders();
      g->FormDataPaths();
    }
    return *g;
  }
  std::string Prefs(const std::string& path, const std::string& contents) {
    m.Builder().File(path, contents);
    return ReadPrefsCacheDir(m.Platform().fs, path);
  }
};

// ---- prefs.js ---------------------------------------------------------------

TEST_F(NetProfilesTest, TheCacheLineWithDoubledBackslashesGivesSingleOnesAndATrailingOne) {
  EXPECT_EQ(Prefs("C:\\p\\prefs.js",
                  "// Netscape User Preferences\r\n"
                  "user_pref(\"browser.cache.directory\", "
                  "\"C:\\\\Netscape\\\\Users\\\\default\\\\Cache\");\r\n"),
            "C:\\Netscape\\Users\\default\\Cache\\");
  // Upper-case setting names match as well; only the first line counts.
  EXPECT_EQ(Prefs("C:\\p\\prefs.js",
                  "USER_PREF(\"BROWSER.CACHE.DIRECTORY\", \"D:\\\\First\");\n"
                  "user_pref(\"browser.cache.directory\", \"D:\\\\Second\");\n"),
            "D:\\First\\");
  // A share keeps both of its leading backslashes; other runs fold.
  EXPECT_EQ(PrefsCacheDirOfLine("user_pref(\"browser.cache.directory\", "
                                "\"\\\\\\\\srv\\\\share\\\\\\\\c\\\\\");"),
            "\\\\srv\\share\\c\\");
}

TEST_F(NetProfilesTest, AParenthesisInsideTheValueDoesNotCutIt) {
  EXPECT_EQ(PrefsCacheDirOfLine("user_pref(\"browser.cache.directory\", "
                                "\"C:\\\\Program Files (x86)\\\\Mozilla\\\\Cache\");"),
            "C:\\Program Files (x86)\\Mozilla\\Cache\\");
}

TEST_F(NetProfilesTest, EmptyShortOrBrokenValuesNameNoFolder) {
  for (const char* line : {
           "user_pref(\"browser.cache.directory\", \"\");",
           "user_pref(\"browser.cache.directory\", \"   \");",
           "user_pref(\"browser.cache.directory\"",
           "user_pref(\"browser.cache.directory\")",
           "user_pref(\"browser.cache.directory\", \"C:\\\\no end",
           "user_pref(\"browser.cache.directory\", C:\\\\unquoted);",
           "user_pref(\"browser.cache.directory\", \"C:\\\\a\\\"b\");",
       }) {
    EXPECT_EQ(PrefsCacheDirOfLine(line), " ") << line;
  }
  EXPECT_EQ(PrefsCacheDirOfLine("user_pref(\"browser.cache.dir"), std::nullopt);
  EXPECT_EQ(PrefsCacheDirOfLine(""), std::nullopt);
  EXPECT_EQ(PrefsCacheDirOfLine("user_pref(\"browser.cache.directory.x\", \"C:\\\\x\");"),
            std::nullopt);
  // A broken first line still ends the search.
  EXPECT_EQ(Prefs("C:\\p\\prefs.js",
                  "user_pref(\"browser.cache.directory\", \"\");\n"
                  "user_pref(\"browser.cache.directory\", \"C:\\\\x\");\n"),
            " ");
  EXPECT_EQ(ReadPrefsCacheDir(m.Platform().fs, "C:\\missing\\prefs.js"), " ");
  EXPECT_EQ(Prefs("C:\\p\\prefs.js", std::string(100000, 'u')), " ");
}

// ---- Navigator's registry entries ---------------------------------------------

TEST_F(NetProfilesTest, NavigatorSettingsAndProfilesAreRead) {
  m.Builder()
      .RegString(sim::HKCU, std::string(kNavigator) + "Cache", "Cache Dir", "C:\\NS\\cache\\")
      .RegString(sim::HKCU, std::string(kNavigator) + "Cookies", "Cookie File",
                 "C:\\NS\\cookies.txt")
      .RegString(sim::HKCU, std::string(kNavigator) + "History", "History File",
                 "C:\\NS\\netscape.hst")
      .RegString(sim::HKLM, std::string(kUsers) + "\\anna", "DirRoot", "C:\\NS\\Users\\anna")
      .RegKey(sim::HKLM, std::string(kUsers) + "\\bob")
      .RegString(sim::HKLM, std::string(kUsers) + "\\carl", "DirRoot", "   ");
  NetscapeUsers u;
  ReadNetscapeUsers(m.Platform().registry, u);
  EXPECT_EQ(u.NetCacheDir, "C:\\NS\\cache\\");
  EXPECT_EQ(u.NetCookieDir, "C:\\NS\\");
  EXPECT_EQ(u.NetHistoryDir, "C:\\NS\\");
  EXPECT_EQ(u.NetLastUser, 2);
  EXPECT_EQ(u.NetUserDirs[0], "C:\\NS\\Users\\anna");
  // Profiles without a folder stay blank, never "" (the drive root).
  EXPECT_EQ(u.NetUserDirs[1], " ");
  EXPECT_EQ(u.NetUserDirs[2], " ");
  EXPECT_FALSE(UsableUserDir(u.NetUserDirs[1]));
}

TEST_F(NetProfilesTest, MoreThan256ProfilesAreCutToTheTables) {
  for (int i = 0; i < 260; ++i) {
    m.Builder().RegString(sim::HKLM, std::string(kUsers) + "\\u" + std::to_string(1000 + i),
                          "DirRoot", "C:\\p" + std::to_string(i));
  }
  NetscapeUsers u;
  ReadNetscapeUsers(m.Platform().registry, u);
  EXPECT_EQ(u.NetLastUser, kNetUserLimit - 1);
  EXPECT_EQ(u.NetUserDirs[255], "C:\\p255");
}

TEST_F(NetProfilesTest, WithoutNavigatorKeysEverythingStaysEmpty) {
  m.Builder().RegBlocked(sim::HKLM, kUsers);
  NetscapeUsers u;
  u.NetLastUser = 5;
  ReadNetscapeUsers(m.Platform().registry, u);
  EXPECT_EQ(u.NetLastUser, -1);
  EXPECT_EQ(u.NetCacheDir, "");
}

// ---- Scanned profiles -----------------------------------------------------------

TEST_F(NetProfilesTest, ScannedRecordsGiveFilesOnlyWhileTheFoldersStillHoldThem) {
  const std::string a = "C:\\Moz\\a\\";
  const std::string b = "C:\\Moz\\b\\";
  m.Builder()
      .File(a + "cookies.txt")
      .File(a + "prefs.js")
      .File(a + "localstore.rdf")
      .Folder(a + "Cache")
      .Folder(a + "newcache")
      .File(b + "prefs.js")
      .Folder(b + "Cache")
      .Ini(kScanFile, "K17", "P1", a)
      .Ini(kScanFile, "K17", "P2", b)  // b holds no cookies.txt
      .Ini(kScanFile, "L44", "P1", a)
      .Ini(kScanFile, "P45", "P1", a)
      .Ini(kScanFile, "P45", "P3", b)
      .Ini(kScanFile, "P45", "P4", "relative\\")
      .Ini(kScanFile, "FFCK", "P0", "C:\\FF\\cookies.sqlite")
      .Ini(kScanFile, "FFFH", "P0", "C:\\FF\\formhistory.sqlite")
      .Ini(kScanFile, "FFPL", "P0", "C:\\FF\\places.sqlite");
  m.Builder().File("C:\\Program Files\\Vostrel\\relative\\prefs.js");
  auto& g = G();
  LoadScannedProfiles(g);
  EXPECT_EQ(g.NetCookieFiles[1], a + "cookies.txt");
  EXPECT_EQ(g.NetCookieFiles[2], "");
  EXPECT_EQ(g.FFLocalStoreFiles[1], a + "localstore.rdf");
  EXPECT_EQ(g.NetPrefsFiles[1], a + "prefs.js");
  EXPECT_EQ(g.NetPrefsFiles[2], "");
  EXPECT_EQ(g.NetPrefsFiles[3], b + "prefs.js");
  EXPECT_EQ(g.NetPrefsFiles[4], "");
  // newcache wins over Cache.
  EXPECT_EQ(g.FFCacheDirs[1], a + "newcache");
  EXPECT_EQ(g.FFCacheDirs[3], b + "cache");
  EXPECT_EQ(g.FFCookieFile, "C:\\FF\\cookies.sqlite");
  EXPECT_EQ(g.FFFormHistoryFile, "C:\\FF\\formhistory.sqlite");
  EXPECT_EQ(g.FFPlacesFile, "C:\\FF\\places.sqlite");

  // The profile is deleted: the next run drops it without a new scan.
  m.Platform().fs.DeleteFile(a + "cookies.txt");
  LoadScannedProfiles(g);
  EXPECT_EQ(g.NetCookieFiles[1], "");
}

TEST_F(NetProfilesTest, HistoryRecordsArePackedAndTheHundredAndFirstFileIsDropped) {
  m.Builder()
      .File("C:\\h0\\history.dat")
      .File("C:\\h0\\formhistory.dat")
      .Ini(kScanFile, "H53", "P1", "C:\\h0\\")
      .Ini(kScanFile, "H53", "P2", "C:\\gone\\");
  for (int n = 3; n <= 100; ++n) {
    const std::string folder = "C:\\h" + std::to_string(n) + "\\";
    m.Builder()
        .File(folder + "netscape.hst")
        .Ini(kScanFile, "H53", "P" + std::to_string(n), folder);
  }
  auto& g = G();
  LoadScannedHistoryFiles(g);
  EXPECT_EQ(g.NetHistoryFiles[1], "C:\\h0\\history.dat");
  EXPECT_EQ(g.NetHistoryFiles[2], "C:\\h0\\formhistory.dat");
  EXPECT_EQ(g.NetHistoryFiles[3], "C:\\h3\\netscape.hst");
  EXPECT_EQ(g.NetHistoryFiles[100], "C:\\h100\\netscape.hst");
  EXPECT_EQ(g.NetHistoryFiles.Count(), 100);
}

TEST_F(NetProfilesTest, DroppingAFileClearsItsEntriesWhateverTheirCase) {
  auto& g = G();
  g.NetHistoryFiles.Set(1, "C:\\NS\\NETSCAPE.HST");
  g.NetHistoryFiles.Set(2, "C:\\other\\netscape.hst");
  g.NetHistoryFiles.Set(3, "c:\\ns\\netscape.hst");
  DropScannedHistoryFile(g, "C:\\ns\\netscape.hst");
  EXPECT_EQ(g.NetHistoryFiles[1], "");
  EXPECT_EQ(g.NetHistoryFiles[2], "C:\\other\\netscape.hst");
  EXPECT_EQ(g.NetHistoryFiles[3], "");
  g.NetCookieFiles.Set(4, "C:\\ns");
  DropScannedCookieFile(g, "C:\\NS\\");
  EXPECT_EQ(g.NetCookieFiles[4], "");
}

}  // namespace
}  // namespace browsers
