#include "browsers/ie.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/unit/window_test.h"

namespace browsers {
namespace {

using Strings = std::vector<std::string>;

const std::string kUser = "C:\\Documents and Settings\\User";
const std::string kCookies = kUser + "\\Cookies\\";
const std::string kCache = kUser + "\\Local Settings\\Temporary Internet Files\\";
const std::string kContent = kCache + "Content.IE5\\";
const std::string kHistory = kUser + "\\Local Settings\\History\\";
const std::string kScanFile = kUser + "\\Application Data\\Vostreldata\\vostscan6.ini";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kCachePaths =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache\\Paths";

constexpr const char* kCookiesLocked =
    "All files have been deleted except for 1 or more COOKIE index files, which are LOCKED.";
constexpr const char* kCookiesSaved =
    "All files have been deleted.  Note that you may have some cookies saved, and therefore not "
    "deleted.";

class IETest : public unit::WindowTest<TFrmie> {
 protected:
  Strings Cache() const { return g->IECacheList.Entries(); }
  static std::string Up(std::string s) { return NormalIEPattern(s); }
};

// ---- Pattern lists ----------------------------------------------------------

TEST_F(IETest, TheSameCacheFolderThroughEverySourceGivesOneEntryAndIsCountedOnce) {
  m.Builder()
      .File(kContent + "AB12CD34\\logo[1].gif", "12345")
      .File(kContent + "index.dat", "idx")
      // Internet Explorer's own cache path names it too, in another case and
      // with a doubled backslash.
      .RegString(sim::HKLM, kCachePaths, "Directory",
                 "c:\\documents and settings\\user\\local settings\\\\temporary internet "
                 "files\\content.ie5");
  Start();
  EXPECT_EQ(Cache(), (Strings{Up(kContent + "AB12CD34\\*.*"), Up(kContent + "index.dat"),
                              Up("C:\\WINDOWS\\temporary internet files\\cache1\\*.*"),
                              Up("C:\\WINDOWS\\temporary internet files\\cache2\\*.*"),
                              Up("C:\\WINDOWS\\temporary internet files\\cache3\\*.*"),
                              Up("C:\\WINDOWS\\temporary internet files\\cache4\\*.*")}));
  EXPECT_EQ(w->CacheFigures().files, 2);
  EXPECT_EQ(w->CacheFigures().bytes, 8);
}

TEST_F(IETest, TheSixHundredAndFirstPatternIsDroppedAndTheFirstSixHundredStillWork) {
  // 605 cache sub-folders with one file each: the list takes 600 of them.
  char name[16];
  for (int i = 0; i < 605; ++i) {
    std::snprintf(name, sizeof name, "F%04d", i);
    m.Builder().File(kContent + name + "\\a.htm", "x");
  }
  Start();
  ASSERT_EQ(g->IECacheList.Count(), core::kIEListSize);
  EXPECT_EQ(g->IECacheList[600], Up(kContent + "F0599\\*.*"));
  w->AddIECachePattern("C:\\one more\\*.*");
  EXPECT_FALSE(g->IECacheList.Contains(Up("C:\\one more\\*.*")));
  EXPECT_EQ(w->CacheFigures().files, 600);

  w->CleanIECache();
  EXPECT_EQ(w->DeletedCount(), 600);
  EXPECT_FALSE(m.Exists(kContent + "F0599\\a.htm"));
  EXPECT_TRUE(m.Exists(kContent + "F0600\\a.htm"));
  EXPECT_EQ(Slot(core::Slot::kIECache), "All files have been deleted. ");
}

TEST_F(IETest, ContentSubfoldersAreTakenOnlyBelowTemporaryInternetFilesContentIE5) {
  m.Builder()
      .Drive("D:\\", platform::DriveType::kFixed)
      .File("D:\\Cache\\Sub\\a.htm")
      .File("D:\\Cache\\index.dat")
      .RegString(sim::HKLM, kCachePaths, "Directory", "D:\\Cache");
  Start();
  EXPECT_TRUE(g->IECacheList.Contains("D:\\CACHE\\INDEX.DAT"));
  EXPECT_FALSE(g->IECacheList.Contains("D:\\CACHE\\SUB\\*.*"));
  EXPECT_EQ(w->CacheFigures().files, 1);
}

TEST_F(IETest, ScannedCacheFoldersAreReadUpToTheFirstEmptyRecord) {
  const std::string other = "D:\\Old\\Temporary Internet Files\\Content.IE5\\";
  m.Builder()
      .Drive("D:\\", platform::DriveType::kFixed)
      .Drive("E:\\", platform::DriveType::kFixed)
      .File(other + "index.dat", "1234")
      .File(other + "QWE\\x.jpg", "12")
      .File("E:\\Late\\Temporary Internet Files\\Content.IE5\\index.dat")
      .Ini(kScanFile, "HI24", "P1", other)
      .Ini(kScanFile, "HI24", "P2", "")
      .Ini(kScanFile, "HI24", "P3", "E:\\Late\\Temporary Internet Files\\Content.IE5\\");
  Start();
  EXPECT_TRUE(g->IECacheList.Contains(Up(other + "INDEX.DAT")));
  EXPECT_TRUE(g->IECacheList.Contains(Up(other + "QWE\\*.*")));
  EXPECT_FALSE(
      g->IECacheList.Contains("E:\\LATE\\TEMPORARY INTERNET FILES\\CONTENT.IE5\\INDEX.DAT"));
  EXPECT_EQ(w->CacheFigures().files, 2);
  EXPECT_EQ(w->CacheFigures().bytes, 6);
}

TEST_F(IETest, DesktopIniIsNeverCountedButTheCleanupDeletesIt) {
  m.Builder()
      .File(kContent + "desktop.ini", "[x]")
      .Hidden()
      .System()
      .File(kContent + "K1\\DESKTOP.INI", "[x]")
      .File(kContent + "K1\\page.htm", "1234");
  Start();
  EXPECT_EQ(w->CacheFigures().files, 1);
  EXPECT_EQ(w->CacheFigures().bytes, 4);
  w->CleanIECache();
  EXPECT_FALSE(m.Exists(kContent + "K1\\DESKTOP.INI"));
  EXPECT_FALSE(m.Exists(kContent + "K1\\page.htm"));
  // The figures never go below nothing.
  EXPECT_EQ(w->CacheFigures().files, 0);
  EXPECT_EQ(w->CacheFigures().bytes, 0);
}

// ---- Cookies ------------------------------------------------------------------

TEST_F(IETest, AKeptCookieInAnyLetterCaseSurvivesAndTheSlotSaysSo) {
  m.Builder()
      .File(kCookies + "user@bank[1].txt", "keep")
      .File(kCookies + "user@ads[1].txt", "gone")
      .File(kCookies + "user@news[2].txt", "gone")
      .Ini(kScanFile, "UCKK5", "CKK1", "  USER@BANK[1].TXT  ");
  Start();
  EXPECT_EQ(w->CookieFigures().files, 3);
  w->CleanIECookies();
  EXPECT_TRUE(m.Exists(kCookies + "user@bank[1].txt"));
  EXPECT_FALSE(m.Exists(kCookies + "user@ads[1].txt"));
  EXPECT_EQ(w->DeletedCount(), 2);
  EXPECT_EQ(Slot(core::Slot::kIECookies), kCookiesSaved);
  EXPECT_EQ(w->CookieFigures().files, 1);
  EXPECT_EQ(w->CookieFigures().bytes, 4);
}

TEST_F(IETest, DeletingEverySurveyedCookieCountsThemInTheSlot) {
  m.Builder().File(kCookies + "user@a[1].txt", "1").File(kCookies + "user@b[1].txt", "2");
  Start();
  w->CleanIECookies();
  EXPECT_EQ(Slot(core::Slot::kIECookies), "All files have been deleted. ALL2 were cleaned.");
  EXPECT_EQ(w->Label2.Caption(),
            "COOKIE FILES  -> 0 Internet Explorer files consuming 0 bytes of storage were FOUND "
            "on your system.");
}

TEST_F(IETest, TheKeepListEndsAtItsFirstGapAndIsReadBeforeEveryCookieCleanup) {
  m.Builder()
      .File(kCookies + "user@a[1].txt")
      .File(kCookies + "user@b[1].txt")
      .Ini(kScanFile, "UCKK5", "CKK1", "user@a[1].txt")
      .Ini(kScanFile, "UCKK5", "CKK2", " ")
      .Ini(kScanFile, "UCKK5", "CKK3", "user@b[1].txt");
  Start();
  w->LoadKeptCookies();
  EXPECT_EQ(w->KeptCookies().Entries(), Strings{"user@a[1].txt"});
  // Changed after the start: the cleanup still sees it.
  m.Builder().Ini(kScanFile, "UCKK5", "CKK1", "USER@B[1].TXT");
  w->CleanIECookies();
  EXPECT_TRUE(m.Exists(kCookies + "user@b[1].txt"));
  EXPECT_FALSE(m.Exists(kCookies + "user@a[1].txt"));
}

TEST_F(IETest, TheCookieFileListLeavesIndexFilesOutAndHoldsAtMostTwoHundred) {
  m.Builder().File(kCookies + "index.dat").File(kCookies + "user@a[1].txt");
  Start();
  w->BuildCookieFileList();
  EXPECT_EQ(w->CookieFileList().Entries(), Strings{Up(kCookies) + "user@a[1].txt"});
  EXPECT_EQ(w->CookieFileCount(), 1);

  char name[32];
  for (int i = 0; i < 205; ++i) {
    std::snprintf(name, sizeof name, "user@s%03d[1].txt", i);
    m.Builder().File(kCookies + name);
  }
  Start();
  w->BuildCookieFileList();
  EXPECT_EQ(w->CookieFileCount(), kCookieFileListSize);
  EXPECT_EQ(w->CookieFileList()[200], Up(kCookies) + "user@s198[1].txt");
}

// ---- Locked index files -------------------------------------------------------

TEST_F(IETest, ALockedIndexFileIsQueuedOnceOverTwoCleanupsAndReportedAsLocked) {
  m.Builder().File(kCookies + "index.dat", "idx").Locked().File(kCookies + "user@a[1].txt");
  Start();
  w->CleanIECookies();
  w->CleanIECookies();
  EXPECT_TRUE(m.Exists(kCookies + "index.dat"));
  const std::string expected = "Del \"" + m.Platform().fs.ShortPath(kCookies + "index.dat") + "\"";
  EXPECT_EQ(g->LockedFiles.Entries(), Strings{expected});
  EXPECT_NE(expected.find("DOCUME~1"), std::string::npos);
  EXPECT_TRUE(w->LockedFlag());
  EXPECT_EQ(Slot(core::Slot::kIECookies), kCookiesLocked);
}

TEST_F(IETest, WithoutCollectingResultsTheLockedTextIsNotWrittenButOtherTextsAre) {
  m.Builder().File(kHistory + "History.IE5\\index.dat").Locked();
  m.Builder().Folder(kHistory + "History.IE5").System();
  m.Builder().File(kCookies + "user@a[1].txt");
  Start(false);
  g->SetResult(core::Slot::kIEHistory, "earlier");
  w->CleanIEHistory();
  EXPECT_EQ(Slot(core::Slot::kIEHistory), "earlier");
  EXPECT_EQ(g->LockedFiles.Count(), 1);
  w->CleanIECookies();
  EXPECT_EQ(Slot(core::Slot::kIECookies), "All files have been deleted. ALL1 were cleaned.");
}

TEST_F(IETest, ALockedIndexOnAVolumeWithoutShortNamesIsQueuedByItsQuotedLongPath) {
  const std::string folder = "C:\\Users\\R&D (100%) ^x\\Temporary Internet Files\\Content.IE5\\";
  m.Builder()
      .NoShortNames()
      .File(folder + "index.dat")
      .Locked()
      .File(folder + "MM2048.DAT")
      .Locked()
      .File(folder + "other.dat")
      .Locked()
      .Ini(kScanFile, "HI24", "P1", folder);
  Start();
  w->CleanIECache();
  EXPECT_EQ(g->LockedFiles.Entries(), Strings{"Del \"C:\\Users\\R&D (100%%) ^x\\Temporary Internet "
                                              "Files\\Content.IE5\\index.dat\""});
  // MM2048.DAT is not matched by any pattern here; other.dat is no index.
  EXPECT_TRUE(m.Exists(folder + "other.dat"));
}

TEST_F(IETest, TheLockedQueueHoldsFiftyCommands) {
  char name[64];
  m.Builder().Drive("D:\\", platform::DriveType::kFixed);
  for (int i = 0; i < 52; ++i) {
    std::snprintf(name, sizeof name, "D:\\P%02d\\Temporary Internet Files\\Content.IE5\\", i);
    m.Builder()
        .File(std::string(name) + "index.dat")
        .Locked()
        .Ini(kScanFile, "HI24", "P" + std::to_string(i + 1), name);
  }
  Start();
  w->CleanIECache();
  EXPECT_EQ(g->LockedFiles.Count(), core::kLockedFilesSize);
  EXPECT_NE(g->LockedFiles[50].find("P49"), std::string::npos);
}

TEST(BootDeleteCommand, QuotesTheShortPathAndFallsBackToTheLongOne) {
  EXPECT_EQ(BootDeleteCommand("C:\\DOCUME~1\\index.dat", "C:\\Documents and Settings\\index.dat"),
            "Del \"C:\\DOCUME~1\\index.dat\"");
  EXPECT_EQ(BootDeleteCommand("", "C:\\Documents and Settings\\index.dat"),
            "Del \"C:\\Documents and Settings\\index.dat\"");
  EXPECT_EQ(BootDeleteCommand("  ", "C:\\a&b\\100%\\%TEMP%\\index.dat"),
            "Del \"C:\\a&b\\100%%\\%%TEMP%%\\index.dat\"");
  EXPECT_EQ(BootDeleteCommand("", ""), std::nullopt);
  EXPECT_EQ(BootDeleteCommand("", "C:\\a\\?\\index.dat"), std::nullopt);
  EXPECT_EQ(BootDeleteCommand("", "C:\\a\\*.dat"), std::nullopt);
  EXPECT_EQ(BootDeleteCommand("", "C:\\a\"\\index.dat"), std::nullopt);
  EXPECT_EQ(BootDeleteCommand("", "C:\\a\r\nformat c:\\index.dat"), std::nullopt);
  // Only the full path of a file.
  for (const char* path : {"C:", "C:\\", "C:\\a\\", "C:\\a\\.", "C:\\a\\..", "C:\\a\\.\\b",
                           "a\\b.dat", "\\a.dat", "C:a.dat", "C:/a.dat", "C:\\a<b", "C:\\a>b",
                           "C:\\a|b", "C:\\a:b", "\\\\srv\\share", "\\\\srv\\share\\"}) {
    EXPECT_EQ(BootDeleteCommand("", path), std::nullopt) << path;
  }
  EXPECT_EQ(BootDeleteCommand("", "\\\\srv\\share\\index.dat"),
            "Del \"\\\\srv\\share\\index.dat\"");
}

TEST_F(IETest, ALockedIndexWhoseNameTheOemCodePageCannotHoldIsNotQueued) {
  const std::pair<const char*, int> cases[] = {
      {"C:\\Профиль\\Temporary Internet Files\\Content.IE5\\", 0},
      {"C:\\Café\\Temporary Internet Files\\Content.IE5\\", 1}};
  for (const auto& [folder, queued] : cases) {
    m.Builder().NoShortNames().File(std::string(folder) + "index.dat").Locked();
    m.Builder().Ini(kScanFile, "HI24", "P1", folder);
    Start();
    w->CleanIECache();
    EXPECT_EQ(g->LockedFiles.Count(), queued) << folder;
  }
}

// ---- Failures and wiping ------------------------------------------------------

TEST_F(IETest, AFileThatCannotBeDeletedStaysAndTheSlotSaysHowManyWent) {
  m.Builder()
      .File(kContent + "K1\\busy.htm", "123")
      .Locked()
      .File(kContent + "K1\\ro.gif", "12")
      .ReadOnly()
      .File(kContent + "K1\\free.htm", "1");
  Start();
  EXPECT_EQ(w->CacheFigures().files, 3);
  w->CleanIECache();
  EXPECT_TRUE(m.Exists(kContent + "K1\\busy.htm"));
  EXPECT_TRUE(m.Exists(kContent + "K1\\ro.gif"));
  EXPECT_FALSE(m.Exists(kContent + "K1\\free.htm"));
  EXPECT_EQ(Slot(core::Slot::kIECache), "1 out of 3 files have been deleted. ");
  EXPECT_TRUE(g->LockedFiles.IsEmpty());
  EXPECT_EQ(w->CacheFigures().files, 2);
  EXPECT_EQ(w->CacheFigures().bytes, 5);
  EXPECT_TRUE(ws.Boxes().empty());
}

TEST_F(IETest, WipingOverwritesWhatIsDeletedButNeverAFileInUseOrReadOnly) {
  m.Builder()
      .File(kCookies + "index.dat", "index data")
      .Locked()
      .File(kCookies + "user@ro[1].txt", "secret")
      .ReadOnly()
      .File(kCookies + "user@a[1].txt", "secret");
  Start();
  g->settings.Wipe = true;
  w->CleanIECookies();
  EXPECT_FALSE(m.Exists(kCookies + "user@a[1].txt"));
  EXPECT_EQ(m.ReadFile(kCookies + "index.dat"), "index data");
  EXPECT_EQ(m.ReadFile(kCookies + "user@ro[1].txt"), "secret");
}

TEST_F(IETest, DuringAutomaticCleanupTheFiguresAndSummaryStayAsTheSurveyLeftThem) {
  m.Builder().File(kCookies + "user@a[1].txt", "12");
  Start();
  const std::string line = w->Label2.Caption();
  g->AutoCleanup = true;
  w->CleanIECookies();
  EXPECT_FALSE(m.Exists(kCookies + "user@a[1].txt"));
  EXPECT_EQ(w->CookieFigures().files, 1);
  EXPECT_EQ(w->Label2.Caption(), line);
  EXPECT_EQ(Slot(core::Slot::kIECookies), "All files have been deleted. ALL1 were cleaned.");
}

TEST_F(IETest, APatternInARefusedFolderDeletesNothing) {
  m.Builder().File("C:\\a.txt");
  Start();
  w->DeleteIEFiles("C:\\*.*", "C:\\", false);
  w->DeleteIEFiles("C:\\x\\..\\*.*", "C:\\x\\..\\", false);
  EXPECT_TRUE(m.Exists("C:\\a.txt"));
}

// ---- History ------------------------------------------------------------------

TEST_F(IETest, HistoryTakesSystemSubfoldersAndThePeriodFoldersInsideHistoryIE5) {
  const std::string ie5 = kHistory + "History.IE5\\";
  m.Builder()
      .File(kHistory + "desktop.ini", "[x]")
      .File(ie5 + "index.dat", "1234")
      .File(ie5 + "MSHIST012007061120070618\\index.dat", "12")
      .File(ie5 + "mshist012007061420070615\\index.dat", "1")
      .File(kHistory + "Plain\\index.dat", "999")
      .File(ie5 + "Other\\index.dat", "999");
  m.Builder().Folder(kHistory + "History.IE5").System();
  m.Builder().Folder(ie5 + "MSHIST012007061120070618").System();
  Start();
  EXPECT_EQ(w->HistoryTable1(1), kHistory + "\\History.IE5");
  EXPECT_EQ(w->HistoryTable1(2), "");
  EXPECT_EQ(w->HistoryTable2(1), ie5 + "MSHIST012007061120070618");
  EXPECT_EQ(w->HistoryTable2(2), ie5 + "mshist012007061420070615");
  EXPECT_TRUE(g->IEHistoryList.Contains(Up(ie5 + "index.dat")));
  EXPECT_TRUE(g->IEHistoryList.Contains(Up(ie5 + "MSHIST012007061120070618\\index.dat")));
  // History\*.* lists History.IE5 and Plain (folders count); desktop.ini
  // does not count.
  EXPECT_EQ(w->HistoryFigures().files, 2 + 3);
  EXPECT_EQ(w->HistoryFigures().bytes, 7);

  w->CleanIEHistory();
  EXPECT_FALSE(m.Exists(ie5 + "MSHIST012007061120070618\\index.dat"));
  EXPECT_FALSE(m.Exists(ie5 + "mshist012007061420070615\\index.dat"));
  EXPECT_TRUE(m.Exists(kHistory + "Plain\\index.dat"));
  EXPECT_EQ(Slot(core::Slot::kIEHistory), "All files have been deleted.");
  // The uncounted desktop.ini went too, so one more than counted left.
  EXPECT_FALSE(m.Exists(kHistory + "desktop.ini"));
  EXPECT_EQ(w->DeletedCount(), 4);
  EXPECT_EQ(w->HistoryFigures().files, 1);
}

TEST_F(IETest, WithoutTheShellFunctionTheFlagIsSetAndShellFoldersStillServe) {
  m.Builder().NoSpecialFolderFunction().File(kCookies + "user@a[1].txt");
  Start();
  EXPECT_TRUE(g->SpecialFolderMissing);
  EXPECT_EQ(w->SpecialCookieFolder(), "");
  EXPECT_EQ(w->ShellCookies(), kCookies);
  EXPECT_EQ(w->CookieFigures().files, 1);
}

TEST_F(IETest, MissingRegistryValuesAndFoldersLeaveEmptyFigures) {
  m.Builder().NoSpecialFolderFunction().RegBlocked(sim::HKCU, kShellFolders);
  Start();
  EXPECT_EQ(w->TotalFigures().files, 0);
  EXPECT_EQ(w->ShellCache(), "");
  w->CleanIECache();
  w->CleanIECookies();
  w->CleanIEHistory();
  EXPECT_EQ(Slot(core::Slot::kIECache), "All files have been deleted. ");
  EXPECT_EQ(Slot(core::Slot::kIECookies), "All files have been deleted. ALL0 were cleaned.");
  EXPECT_TRUE(ws.Boxes().empty());
}

TEST_F(IETest, TheSummaryLinesShowEachCategoryAndTheTotals) {
  m.Builder()
      .File(kCookies + "user@a[1].txt", "12")
      .File(kContent + "K1\\a.htm", "1234")
      .File(kContent + "K1\\b.htm", "1");
  Start();
  EXPECT_EQ(w->label1.Caption(),
            "HISTORY FILES -> 0 Internet Explorer files consuming 0 bytes of storage were FOUND on "
            "your system.");
  EXPECT_EQ(w->Label3.Caption(),
            "CACHE FILES   -> 2 Internet Explorer files consuming 5 bytes of storage were FOUND on "
            "your system.");
  EXPECT_EQ(w->Label4.Caption(),
            "TOTAL FILES   -> 3 TOTAL Internet Explorer files were found. These files are wasting "
            "7 bytes of storage on your computer.");
  EXPECT_EQ(w->TotalFigures().files, 3);
}

}  // namespace
}  // namespace browsers
