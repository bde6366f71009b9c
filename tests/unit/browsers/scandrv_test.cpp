#include "browsers/scandrv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/sim/machine.h"

namespace browsers {
namespace {

constexpr const char* kScanFile = "C:\\Data\\vostscan6.ini";

class DriveScanTest : public ::testing::Test {
 protected:
  sim::Machine m;
  platform::Platform& p = m.Platform();
  DriveScanner scanner{p.fs, p.ini, p.system, kScanFile};

  void SetUp() override { m.Builder().Folder("C:\\Data"); }

  std::string Key(const char* section, int n) {
    return p.ini.ReadString(kScanFile, section, "P" + std::to_string(n), "");
  }
  // The non-empty records of a section, from "P1" up to the first gap.
  std::vector<std::string> Records(const char* section) {
    std::vector<std::string> out;
    for (int n = 1; n <= kScanSectionSize; ++n) {
      std::string v = Key(section, n);
      if (v.empty()) break;
      out.push_back(v);
    }
    return out;
  }
};

using Strings = std::vector<std::string>;

TEST_F(DriveScanTest, FirefoxCacheFolderRecordsItsProfileOnceWithOrWithoutPrefs) {
  m.Builder()
      .Folder("C:\\Users\\A\\Mozilla\\Firefox\\Profiles\\p1\\Cache")
      .File("C:\\Users\\B\\Mozilla\\Firefox\\Profiles\\p2\\prefs.js")
      .Folder("C:\\Users\\B\\Mozilla\\Firefox\\Profiles\\p2\\Cache");
  EXPECT_TRUE(scanner.ScanDriveFolder("C:"));
  EXPECT_EQ(Records("P45"), (Strings{"C:\\Users\\A\\Mozilla\\Firefox\\Profiles\\p1\\",
                                     "C:\\Users\\B\\Mozilla\\Firefox\\Profiles\\p2\\"}));
}

TEST_F(DriveScanTest, IndexDatCountsOnlyInsideTheIeCacheIndexFolder) {
  m.Builder()
      .File("C:\\Docs\\index.dat")
      .File("C:\\Temporary Internet Files\\index.dat")
      .File("C:\\U\\Local Settings\\Temporary Internet Files\\Content.IE5\\index.dat");
  scanner.ScanDriveFolder("C:");
  EXPECT_EQ(Records("HI24"),
            Strings{"C:\\U\\Local Settings\\Temporary Internet Files\\Content.IE5\\"});
}

TEST_F(DriveScanTest, ReadOnlyAndSystemFilesAreIgnoredHiddenOnesRecorded) {
  m.Builder()
      .File("C:\\P\\Netscape\\hidden\\cookies.txt")
      .Hidden()
      .File("C:\\P\\Netscape\\ro\\cookies.txt")
      .ReadOnly()
      .File("C:\\P\\Netscape\\sys\\cookies.txt")
      .System();
  scanner.ScanDriveFolder("C:");
  EXPECT_EQ(Records("K17"), Strings{"C:\\P\\Netscape\\hidden\\"});
}

TEST_F(DriveScanTest, FirstMatchingRuleWinsAndAFileIsRecordedOnce) {
  // history.dat in a folder that is both a browser folder and a Yahoo
  // archive: the browser history rule comes first.
  std::string folder = "C:\\Real\\Yahoo!\\Messenger\\Profiles\\me\\Archive\\Messages\\bob";
  m.Builder().File(folder + "\\history.dat").File(folder + "\\chat.dat");
  scanner.ScanDriveFolder("C:");
  EXPECT_EQ(Records("H53"), Strings{folder + "\\"});
  EXPECT_EQ(Records("YH25"), Strings{folder + "\\"});  // from chat.dat alone
  EXPECT_EQ(scanner.Finds(), 2u);
}

TEST_F(DriveScanTest, EachRuleRecordsItsKindOfPath) {
  m.Builder()
      .File("C:\\N\\Netscape\\Users\\x\\netscape.hst")
      .File("C:\\N\\Mozilla\\p\\localstore.rdf")
      .File("C:\\N\\Mozilla\\p\\formhistory.dat")
      .File("C:\\AOL\\C_America Online 9\\org\\sess.arl")
      .File("C:\\AIMPro\\Archive\\chat1.htm")
      .File("C:\\U\\Media Index\\wmplibrary_v_0_12.db")
      .File("C:\\U\\Mozilla\\Firefox\\Profiles\\q\\formhistory.sqlite")
      .File("C:\\U\\Mozilla\\Firefox\\Profiles\\q\\places.sqlite")
      .File("C:\\U\\Mozilla\\Firefox\\Profiles\\q\\cookies.sqlite");
  scanner.ScanDriveFolder("C:");
  EXPECT_EQ(Records("H53"), (Strings{"C:\\N\\Mozilla\\p\\", "C:\\N\\Netscape\\Users\\x\\"}));
  EXPECT_EQ(Records("L44"), Strings{"C:\\N\\Mozilla\\p\\"});
  EXPECT_EQ(Records("AL13"), Strings{"C:\\AOL\\C_America Online 9\\org\\"});
  EXPECT_EQ(Records("APRO25"), Strings{"C:\\AIMPro\\Archive\\"});
  EXPECT_EQ(Records("MM20"), Strings{"C:\\U\\Media Index\\wmplibrary_v_0_12.db"});
  EXPECT_EQ(Key("FFFH", 0), "C:\\U\\Mozilla\\Firefox\\Profiles\\q\\formhistory.sqlite");
  EXPECT_EQ(Key("FFPL", 0), "C:\\U\\Mozilla\\Firefox\\Profiles\\q\\places.sqlite");
  EXPECT_EQ(Key("FFCK", 0), "C:\\U\\Mozilla\\Firefox\\Profiles\\q\\cookies.sqlite");
}

TEST_F(DriveScanTest, SingleSectionsKeepTheLastFind) {
  m.Builder()
      .File("C:\\A\\Mozilla\\Firefox\\p1\\places.sqlite")
      .File("C:\\B\\Mozilla\\Firefox\\p2\\places.sqlite");
  scanner.ScanDriveFolder("C:");
  EXPECT_EQ(Key("FFPL", 0), "C:\\B\\Mozilla\\Firefox\\p2\\places.sqlite");
}

TEST_F(DriveScanTest, RescanningChangesNothingAndKeepsOldRecords) {
  m.Builder()
      .File("C:\\Old\\Netscape\\prefs.js")
      .File("C:\\New\\Mozilla\\prefs.js")
      .File("C:\\New\\Mozilla\\Firefox\\p\\cookies.sqlite");
  WriteInitialScanFile(p.fs, kScanFile);
  scanner.ScanDriveFolder("C:");
  auto first = m.ReadFile(kScanFile);
  ASSERT_TRUE(first);
  scanner.ScanDriveFolder("C:");
  EXPECT_EQ(m.ReadFile(kScanFile), first);
  // A record of a folder that has gone since stays; the case of a stored
  // record does not matter.
  p.ini.WriteString(kScanFile, "P45", "P1", "c:\\new\\mozilla\\");
  p.ini.WriteString(kScanFile, "P45", "P2", "C:\\Gone\\Mozilla\\");
  scanner.ScanDriveFolder("C:");
  EXPECT_EQ(Records("P45"),
            (Strings{"c:\\new\\mozilla\\", "C:\\Gone\\Mozilla\\", "C:\\Old\\Netscape\\"}));
}

TEST_F(DriveScanTest, AFullSectionDropsFurtherFinds) {
  for (int n = 1; n <= kScanSectionSize; ++n) {
    m.Builder().Ini(kScanFile, "K17", "P" + std::to_string(n), "C:\\x" + std::to_string(n) + "\\");
  }
  m.Builder().File("C:\\Real\\a\\cookies.txt").File("C:\\Real\\b\\cookies.txt");
  auto before = m.ReadFile(kScanFile);
  scanner.ScanDriveFolder("C:");
  EXPECT_EQ(m.ReadFile(kScanFile), before);
}

TEST_F(DriveScanTest, AJunctionLoopIsNotFollowed) {
  m.Builder()
      .File("C:\\Stuff\\Mozilla\\prefs.js")
      .Junction("C:\\Stuff\\Mozilla\\loop", "C:\\Stuff")
      .Junction("C:\\Stuff\\back", "C:\\");
  EXPECT_TRUE(scanner.ScanDriveFolder("C:"));
  EXPECT_EQ(Records("P45"), Strings{"C:\\Stuff\\Mozilla\\"});
  EXPECT_LT(scanner.Entries(), 200u);
}

TEST_F(DriveScanTest, UnlistableFoldersAreSkippedAndAnUnlistableRootEndsAtOnce) {
  m.Builder()
      .File("C:\\Locked\\Mozilla\\prefs.js")
      .Unlistable("C:\\Locked")
      .File("C:\\Open\\Mozilla\\prefs.js");
  EXPECT_TRUE(scanner.ScanDriveFolder("C:"));
  EXPECT_EQ(Records("P45"), Strings{"C:\\Open\\Mozilla\\"});

  m.Builder().Unlistable("C:\\");
  EXPECT_TRUE(scanner.ScanDriveFolder("C:"));
  EXPECT_EQ(scanner.Entries(), 0u);
}

TEST_F(DriveScanTest, PacingPumpsEveryFewTensOfMillisecondsWithTheFolderSearched) {
  for (int i = 0; i < 300; ++i) m.Builder().File("C:\\Many\\f" + std::to_string(i) + ".txt");
  std::vector<std::string> shown;
  scanner.SetPump([&](const std::string& folder) { shown.push_back(folder); });
  scanner.ScanDriveFolder("C:");
  ASSERT_GE(shown.size(), 2u);
  // Far fewer pumps than entries (the clock moves 1 ms per reading), and
  // the progress line is cleared at the end.
  EXPECT_LT(shown.size(), scanner.Entries() / 5);
  EXPECT_NE(std::find(shown.begin(), shown.end(), "C:\\Many"), shown.end());
  EXPECT_EQ(shown.back(), "");

  shown.clear();
  scanner.SetPumpInterval(0);
  scanner.ScanDriveFolder("C:");
  EXPECT_EQ(shown.size(), scanner.Entries() + 1);
}

TEST_F(DriveScanTest, AStopRequestedWhilePumpingEndsTheWalk) {
  for (int i = 0; i < 50; ++i) {
    m.Builder().File("C:\\A" + std::to_string(i) + "\\Netscape\\prefs.js");
  }
  int pumps = 0;
  scanner.SetPumpInterval(0);
  scanner.SetPump([&](const std::string& folder) {
    if (!folder.empty() && ++pumps == 5) scanner.RequestStop();
  });
  EXPECT_FALSE(scanner.ScanDriveFolder("C:"));
  EXPECT_EQ(scanner.Entries(), 5u);
  EXPECT_LT(Records("P45").size(), 5u);
}

TEST_F(DriveScanTest, InitialFileHoldsEmptyRecordSectionsAndTheKeepList) {
  WriteInitialScanFile(p.fs, kScanFile);
  for (const char* section : {"K17", "P45", "L44", "H53", "HI24", "MM20", "AL13"}) {
    auto keys = p.ini.KeyNames(kScanFile, section);
    ASSERT_EQ(keys.size(), 100u) << section;
    EXPECT_EQ(keys.front(), "P1");
    EXPECT_EQ(keys.back(), "P100");
  }
  auto keep = p.ini.KeyNames(kScanFile, "UCKK5");
  ASSERT_EQ(keep.size(), 200u);
  EXPECT_EQ(keep.back(), "CKK200");
  auto bytes = m.ReadFile(kScanFile);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->rfind("[K17]\r\nP1=\r\nP2=\r\n", 0), 0u);
}

TEST(ScanRules, NameTestsAreExactForTheFirstSevenRulesAndContainsForTheRest) {
  uint32_t browser = FolderTestsOf("C:\\PROGRAM FILES\\NETSCAPE\\USERS\\X");
  EXPECT_NE(MatchScanRule(browser, "PREFS.JS"), nullptr);
  EXPECT_EQ(MatchScanRule(browser, "OLDPREFS.JS"), nullptr);
  EXPECT_EQ(MatchScanRule(browser, "COOKIES.TXT.BAK"), nullptr);
  uint32_t aim = FolderTestsOf("C:\\X\\AIMPRO\\ARCHIVE\\BOB");
  ASSERT_NE(MatchScanRule(aim, "LOG.HTML"), nullptr);
  EXPECT_EQ(MatchScanRule(aim, "LOG.HTML")->kind, ScanKind::kR);
  uint32_t media = FolderTestsOf("C:\\U\\MEDIA INDEX");
  EXPECT_EQ(MatchScanRule(media, "WMPLIBRARY.TXT"), nullptr);
  EXPECT_EQ(MatchScanRule(0, "PREFS.JS"), nullptr);
  // "\REAL" is a plain prefix test on path parts: it also takes "\Realtek".
  EXPECT_TRUE(FolderTestsOf("C:\\REALTEK") & FolderBit(FolderTest::kBrowser));
}

}  // namespace
}  // namespace browsers
