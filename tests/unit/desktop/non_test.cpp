#include "desktop/non.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/unit/window_test.h"

namespace desktop {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kTemp = "C:\\Documents and Settings\\User\\Local Settings\\Temp\\";
constexpr const char* kRecent = "C:\\Documents and Settings\\User\\Recent";
constexpr const char* kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kActiveXFolder = "C:\\WINDOWS\\Downloaded Program Files";

class NonTest : public unit::WindowTest<TFrmnon> {
 protected:
  bool tempall_ = false;

  // A new run with `Tempall` as given.
  void Start(bool tempall = false) {
    tempall_ = tempall;
    WindowTest::Start();
  }
  void Prepare(core::Uglobalvars& globals) override { globals.settings.Tempall = tempall_; }
  int64_t Count(NonCategory c) const { return w->Count(c); }
  std::string ScanFile() const {
    return "C:\\Documents and Settings\\User\\Application Data\\Vostreldata\\vostscan6.ini";
  }
  Strings Recycled() const {
    Strings out;
    for (const auto& item : m.RecycleBin()) out.push_back(item.original_path);
    return out;
  }
};

// ---- Temp folders -----------------------------------------------------------

TEST_F(NonTest, TempMaskTakesTmpOnlyOrEverythingAndTheDeletingPassCountsFoldersOnce) {
  m.Builder()
      .File(std::string(kTemp) + "a.tmp", "1")
      .File(std::string(kTemp) + "b.txt", "22")
      .File(std::string(kTemp) + "x\\c.tmp", "333");
  Start(false);
  EXPECT_EQ(Count(NonCategory::kTemp), 1);
  EXPECT_EQ(w->Bytes(NonCategory::kTemp), 1);

  Start(true);
  EXPECT_EQ(Count(NonCategory::kTemp), 4);
  EXPECT_EQ(w->Bytes(NonCategory::kTemp), 6);
  w->CleanTempFiles();
  EXPECT_EQ(Slot(core::Slot::kTempFiles), "3 files out of 4 files have been deleted.");
  EXPECT_EQ(Recycled(), (Strings{std::string(kTemp) + "a.tmp", std::string(kTemp) + "b.txt",
                                 std::string(kTemp) + "x"}));
  EXPECT_EQ(Count(NonCategory::kTemp), 0);
  EXPECT_EQ(w->Lbltemp.Caption(), "TEMP FILES           -> None found on your system.");
}

TEST_F(NonTest, ATempFolderThatIsTheProgramDrivesWindowsTempIsScannedOnce) {
  m.Builder().TempPath("C:\\WINDOWS\\TEMP\\").File("C:\\WINDOWS\\Temp\\a.tmp");
  Start();
  EXPECT_EQ(Count(NonCategory::kTemp), 1);
  EXPECT_EQ(w->TempFolder(), "C:\\WINDOWS\\TEMP\\");
  EXPECT_EQ(w->ProgramDrive(), "C:");
}

TEST_F(NonTest, TheProgramDrivesWindowsTempIsAddedWhenTheTempFolderIsElsewhere) {
  m.Builder().File(std::string(kTemp) + "a.tmp").File("C:\\windows\\temp\\b.tmp");
  Start();
  EXPECT_EQ(Count(NonCategory::kTemp), 2);
  EXPECT_EQ(w->Scanner().TempEntry(1), std::string(kTemp) + "a.tmp");
  EXPECT_EQ(w->Scanner().TempEntry(2), "C:\\windows\\temp\\b.tmp");
}

TEST_F(NonTest, ATempFolderAtADriveRootOrTheProfileIsNeitherCountedNorCleaned) {
  m.Builder().TempPath("C:\\").File("C:\\boot.ini").File("C:\\important.doc");
  Start(true);
  EXPECT_EQ(Count(NonCategory::kTemp), 0);
  w->CleanTempFiles();
  EXPECT_TRUE(m.Exists("C:\\boot.ini"));
  EXPECT_TRUE(m.RecycleBin().empty());
  EXPECT_EQ(Slot(core::Slot::kTempFiles), "0 files out of 0 files have been deleted.");

  m.Builder().TempPath("C:\\Documents and Settings\\User\\");
  Start(true);
  EXPECT_EQ(Count(NonCategory::kTemp), 0);
}

TEST_F(NonTest, AJunctionInTheTempFolderIsNeitherEnteredNorRecycled) {
  m.Builder()
      .File("C:\\Keep\\precious.tmp")
      .Junction(std::string(kTemp) + "link.tmp", "C:\\Keep")
      .File(std::string(kTemp) + "a.tmp");
  Start(true);
  EXPECT_EQ(Count(NonCategory::kTemp), 2);  // the link itself and a.tmp
  w->CleanTempFiles();
  EXPECT_EQ(Recycled(), Strings{std::string(kTemp) + "a.tmp"});
  EXPECT_TRUE(m.Exists("C:\\Keep\\precious.tmp"));
  EXPECT_EQ(Slot(core::Slot::kTempFiles), "1 files out of 2 files have been deleted.");
}

TEST_F(NonTest, ATempFileThatCannotBeRecycledStaysAndOnlyShowsInTheCounts) {
  m.Builder().File(std::string(kTemp) + "busy.tmp").Locked().File(std::string(kTemp) + "free.tmp");
  Start();
  w->CleanTempFiles();
  EXPECT_TRUE(m.Exists(std::string(kTemp) + "busy.tmp"));
  EXPECT_FALSE(m.Exists(std::string(kTemp) + "free.tmp"));
  EXPECT_EQ(Slot(core::Slot::kTempFiles), "1 files out of 2 files have been deleted.");
  EXPECT_TRUE(ws.Boxes().empty());
}

TEST_F(NonTest, TheTempListingKeepsFiftyThousandEntriesAndCountingGoesOn) {
  // Names in listing order, so the machine appends each one.
  char name[16];
  for (int i = 0; i < 50002; ++i) {
    std::snprintf(name, sizeof name, "%05d.tmp", i);
    m.Builder().File(std::string(kTemp) + name);
  }
  Start();
  EXPECT_EQ(Count(NonCategory::kTemp), 50002);
  EXPECT_EQ(w->Scanner().TempStored(), 50000);
  w->BitBtn1.Click();
  EXPECT_EQ(w->ListTemp.Count(), 2 + 50000 + 1);
  EXPECT_EQ(w->ListTemp.Items().back(), "(Only the first 50000 temp files are listed.)");
}

// ---- The view toggle --------------------------------------------------------

TEST_F(NonTest, TheViewTogglePressedThreeTimesShowsTheSameLinesNotTwice) {
  Start();
  const Strings empty_view{
      "(Your temp files are shown below. Click your view button again to toggle back to your "
      "previous view)",
      "  ",
      "Your temp files are currently empty. Otherwise the files and locations would all be "
      "shown here."};
  w->BitBtn1.Click();
  EXPECT_TRUE(w->ListTemp.Visible());
  EXPECT_EQ(w->ListTemp.Items(), empty_view);
  EXPECT_EQ(w->ListTemp.Left(), w->PnlCategories.Left());
  EXPECT_EQ(w->ListTemp.Width(), w->PnlCategories.Width());
  // The toggle itself (inside the panel) is not covered by the list.
  EXPECT_GE(w->ListTemp.Top(), w->PnlCategories.Top() + w->BitBtn1.Top() + w->BitBtn1.Height());
  EXPECT_LE(w->ListTemp.Top() + w->ListTemp.Height(),
            w->PnlCategories.Top() + w->PnlCategories.Height());
  w->BitBtn1.Click();
  EXPECT_FALSE(w->ListTemp.Visible());
  w->BitBtn1.Click();
  EXPECT_EQ(w->ListTemp.Items(), empty_view);
  // Widest line (6 px a character headless) + frame width 4 + 100.
  EXPECT_EQ(w->ListTemp.HorizontalExtent(), static_cast<int>(empty_view[0].size()) * 6 + 104);
}

TEST_F(NonTest, TheViewListsTheSurveyedTempEntriesInFoundOrder) {
  m.Builder().File(std::string(kTemp) + "a.tmp").File(std::string(kTemp) + "b.tmp");
  Start();
  w->BitBtn1.Click();
  EXPECT_EQ(w->ListTemp.Count(), 4);
  EXPECT_EQ(w->ListTemp.Item(2), std::string(kTemp) + "a.tmp");
  EXPECT_EQ(w->ListTemp.Item(3), std::string(kTemp) + "b.tmp");
}

// ---- Media cache ------------------------------------------------------------

TEST_F(NonTest, AnEmptyMediaSectionGivesNoneFound) {
  Start();
  EXPECT_EQ(Count(NonCategory::kMedia), 0);
  EXPECT_EQ(w->Lblmedia.Caption(), "MEDIA CACHE          -> None found on your system.");
}

TEST_F(NonTest, MediaRecordsStopAtTheFirstGapAndTheCleanupRereadsThem) {
  m.Builder()
      .File("C:\\M\\lib1.db", "aa")
      .File("C:\\M\\lib2.db", "bbb")
      .File("C:\\M\\lib4.db", "c")
      .Ini(ScanFile(), "MM20", "P1", "C:\\M\\lib1.db")
      .Ini(ScanFile(), "MM20", "P2", "C:\\M\\lib2.db")
      .Ini(ScanFile(), "MM20", "P3", "")
      .Ini(ScanFile(), "MM20", "P4", "C:\\M\\lib4.db");
  Start();
  EXPECT_EQ(Count(NonCategory::kMedia), 2);
  EXPECT_EQ(w->Bytes(NonCategory::kMedia), 5);
  m.Builder().Locked("C:\\M\\lib2.db");
  w->CleanMediaCache();
  EXPECT_FALSE(m.Exists("C:\\M\\lib1.db"));
  EXPECT_TRUE(m.Exists("C:\\M\\lib2.db"));
  EXPECT_TRUE(m.Exists("C:\\M\\lib4.db"));
  EXPECT_EQ(Slot(core::Slot::kMediaCache), "1 files out of 2 files have been deleted.");
  EXPECT_EQ(Count(NonCategory::kMedia), 1);
  EXPECT_EQ(w->Bytes(NonCategory::kMedia), 3);
}

TEST_F(NonTest, AMediaRecordHoldingAWildcardIsNotUsedAsAPattern) {
  m.Builder()
      .File("C:\\M\\a.db")
      .File("C:\\M\\b.db")
      .Ini(ScanFile(), "MM20", "P1", "C:\\M\\?.db")
      .Ini(ScanFile(), "MM20", "P2", "C:\\M\\a.db");
  Start();
  EXPECT_EQ(Count(NonCategory::kMedia), 1);
  w->CleanMediaCache();
  EXPECT_TRUE(m.Exists("C:\\M\\b.db"));
  EXPECT_FALSE(m.Exists("C:\\M\\a.db"));
}

// ---- Recycle Bin -------------------------------------------------------------

TEST_F(NonTest, TheRecycleLineChangesAtTheNextRefreshAfterEmptying) {
  m.Builder().Recycled("C:\\old.txt", 10);
  Start();
  EXPECT_EQ(w->Lblrecycle.Caption(), "RECYCLE BIN FILES    -> Waiting to be cleaned.");
  w->SetCollectResults(false);
  w->Cmdrecycle.Click();
  EXPECT_TRUE(m.RecycleBin().empty());
  EXPECT_EQ(Slot(core::Slot::kRecycleBin), "Recycle Bin has been cleaned.");
  EXPECT_EQ(w->Lblrecycle.Caption(), "RECYCLE BIN FILES    -> Waiting to be cleaned.");
  w->ShowSummary();
  EXPECT_EQ(w->Lblrecycle.Caption(),
            "RECYCLE BIN FILES    -> 0 files consuming 0 bytes of storage were FOUND.");
  EXPECT_TRUE(ws.Boxes().empty());
}

TEST_F(NonTest, ARecycleBinThatCannotBeEmptiedIsNotReportedAsCleaned) {
  m.Builder().Recycled("C:\\old.txt", 10).EmptyRecycleBinFails();
  Start();
  w->EmptyRecycleBin();
  EXPECT_EQ(Slot(core::Slot::kRecycleBin), "Recycle Bin could not be emptied.");
}

TEST_F(NonTest, TheRecycledFolderCountsIntoTheTotalsUntilTheBinIsEmptied) {
  m.Builder().File("C:\\recycled\\INFO2", "12345");
  Start();
  EXPECT_EQ(Count(NonCategory::kRecycled), 1);
  EXPECT_EQ(w->TotalFiles(), 1);
  EXPECT_EQ(w->Lbltotal.Caption(), "TOTAL FILES FOUND = 1  TOTAL BYTES WASTED = 5");
  w->EmptyRecycleBin();
  w->ShowSummary();
  EXPECT_EQ(w->Lbltotal.Caption(), "TOTAL FILES FOUND = 0   TOTAL BYTES WASTED = 0");
}

// ---- Dump, recent, ActiveX, garbage ----------------------------------------

TEST_F(NonTest, DumpCleanupDeletesOnlyTheSurveyedPatternsAndKeepsLockedFiles) {
  m.Builder()
      .File("C:\\WINDOWS\\minidump\\mini01.dmp", "1234")
      .File("C:\\WINDOWS\\minidump\\mini02.dmp", "56")
      .Locked()
      .File("C:\\WINDOWS\\minidump\\other.dmp")
      .File("C:\\WINDOWS\\memory.dmp", "7")
      .File("C:\\WINDOWS\\user.dmp");
  Start();
  EXPECT_EQ(Count(NonCategory::kDump), 3);
  EXPECT_EQ(w->Bytes(NonCategory::kDump), 7);
  ws.Answer(ui::Answer::kYes);
  w->cmdindex.Click();
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kConfirmation);
  EXPECT_EQ(ws.Boxes()[0].text,
            "3 files were found on your system.  This consumes 7 bytes on your hard drive.  "
            "Would you like me to remove these files for you?");
  EXPECT_FALSE(m.Exists("C:\\WINDOWS\\minidump\\mini01.dmp"));
  EXPECT_TRUE(m.Exists("C:\\WINDOWS\\minidump\\mini02.dmp"));
  EXPECT_FALSE(m.Exists("C:\\WINDOWS\\memory.dmp"));
  EXPECT_TRUE(m.Exists("C:\\WINDOWS\\minidump\\other.dmp"));
  EXPECT_TRUE(m.Exists("C:\\WINDOWS\\user.dmp"));
  EXPECT_EQ(Slot(core::Slot::kDumpFiles), "2 files out of 3 files have been deleted.");
  EXPECT_EQ(Count(NonCategory::kDump), 1);
  EXPECT_EQ(w->Bytes(NonCategory::kDump), 2);
  EXPECT_EQ(w->Lbldump.Caption(),
            "DUMP FILES           -> 1 files consuming 2 bytes of storage were FOUND.");
}

TEST_F(NonTest, AnsweringNoDeletesNothing) {
  m.Builder().File("C:\\WINDOWS\\memory.dmp");
  Start();
  ws.Answer(ui::Answer::kNo);
  w->cmdindex.Click();
  EXPECT_EQ(ws.BoxTexts().back(), "Nothing deleted from your system.");
  EXPECT_EQ(ws.Boxes().back().kind, ui::BoxKind::kInformation);
  EXPECT_TRUE(m.Exists("C:\\WINDOWS\\memory.dmp"));
}

TEST_F(NonTest, ACategoryCleanupWithNothingFoundShowsNoBoxAndWritesItsText) {
  Start();
  w->CmdActivex.Click();
  w->cmdindex.Click();
  w->cmdtemp.Click();
  w->cmdstart.Click();
  w->CmdMCache.Click();
  w->Cmdother.Click();
  EXPECT_TRUE(ws.Boxes().empty());
  EXPECT_EQ(Slot(core::Slot::kActiveX),
            "ACTIVEX/JAVA APPLETS -> There were no files found on your system.");
  EXPECT_EQ(Slot(core::Slot::kDumpFiles),
            "DUMP FILES -> There were no files found on your system.");
  EXPECT_EQ(Slot(core::Slot::kTempFiles),
            "TEMP FILES -> There were no files found on your system.");
  EXPECT_EQ(Slot(core::Slot::kRecentDocs),
            "RECENT DOC FILES -> There were no files found on your system.");
  EXPECT_EQ(Slot(core::Slot::kMediaCache),
            "MEDIA CACHE -> There were no files found on your system.");
  EXPECT_EQ(Slot(core::Slot::kGarbage), "There were no files found on your system.");
}

TEST_F(NonTest, RecentLinksComeFromShellFoldersOrTheWindowsRecentFolder) {
  m.Builder()
      .File(std::string(kRecent) + "\\a.doc.lnk")
      .File(std::string(kRecent) + "\\desktop.ini")
      .File("C:\\WINDOWS\\recent\\old.lnk");
  Start();
  EXPECT_EQ(w->RecentPattern(), std::string(kRecent) + "\\*.lnk");
  EXPECT_EQ(Count(NonCategory::kRecent), 1);

  // A Shell Folders key without a Recent value falls back to the Windows
  // folder's recent links, never to the current drive's root.
  m.Platform()
      .registry
      .Open(sim::HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
            false, platform::Access::kFull)
      ->DeleteValue("Recent");
  Start();
  EXPECT_EQ(w->RecentPattern(), "C:\\WINDOWS\\recent\\*.*");
  w->CleanRecentDocs();
  EXPECT_FALSE(m.Exists("C:\\WINDOWS\\recent\\old.lnk"));
  EXPECT_TRUE(m.Exists(std::string(kRecent) + "\\a.doc.lnk"));
}

TEST_F(NonTest, ActiveXFolderComesFromInternetSettingsAndIsNeverTheWindowsFolder) {
  m.Builder()
      .RegString(sim::HKLM, kInternetSettings, "ActiveXCache", std::string(" ") + kActiveXFolder)
      .File(std::string(kActiveXFolder) + "\\ctl.ocx", "12")
      .File(std::string(kActiveXFolder) + "\\sub\\inner.inf");
  Start();
  EXPECT_EQ(w->ActiveXFolder(), kActiveXFolder);
  EXPECT_EQ(Count(NonCategory::kActiveX), 2);  // the file and the sub-folder
  w->CleanActiveX();
  EXPECT_FALSE(m.Exists(std::string(kActiveXFolder) + "\\ctl.ocx"));
  EXPECT_TRUE(m.Exists(std::string(kActiveXFolder) + "\\sub\\inner.inf"));
  EXPECT_EQ(Slot(core::Slot::kActiveX), "1 files out of 2 files have been deleted.");

  m.Builder()
      .RegString(sim::HKLM, kInternetSettings, "ActiveXCache", "C:\\WINDOWS")
      .File("C:\\WINDOWS\\explorer.exe");
  Start();
  EXPECT_EQ(Count(NonCategory::kActiveX), 0);
  w->CleanActiveX();
  EXPECT_TRUE(m.Exists("C:\\WINDOWS\\explorer.exe"));
}

TEST_F(NonTest, BothAolKeysWithTheSameAppPathScanTheCacheOnce) {
  m.Builder()
      .RegString(sim::HKLM, "Software\\America Online\\AOL\\CurrentVersion", "AppPath",
                 "C:\\Program Files\\AOL 9.0")
      .RegString(sim::HKLM, "Software\\America Online\\America Online\\CurrentVersion", "AppPath",
                 "c:\\program files\\aol 9.0")
      .File("C:\\Program Files\\AOL 9.0\\Organize\\Cache\\a.art")
      .File("C:\\chk0001.chk")
      .File("C:\\FILE0001.CHK", "xyz");
  Start();
  EXPECT_EQ(w->AolCache1(), "C:\\Program Files\\AOL 9.0\\Organize\\Cache");
  EXPECT_EQ(Count(NonCategory::kGarbage), 2);
  EXPECT_EQ(w->Bytes(NonCategory::kGarbage), 3);
  w->CleanJunkFiles();
  EXPECT_FALSE(m.Exists("C:\\FILE0001.CHK"));
  EXPECT_FALSE(m.Exists("C:\\Program Files\\AOL 9.0\\Organize\\Cache\\a.art"));
  EXPECT_TRUE(m.Exists("C:\\chk0001.chk"));
  EXPECT_EQ(Slot(core::Slot::kGarbage), "2 files out of 2 files have been deleted.");
}

TEST_F(NonTest, AnAolKeyWithoutAppPathScansNothing) {
  m.Builder()
      .RegKey(sim::HKLM, "Software\\America Online\\AOL\\CurrentVersion")
      .File("C:\\Program Files\\Vostrel\\Organize\\Cache\\x.art");
  Start();
  EXPECT_EQ(w->AolCache1(), "\\Organize\\Cache");
  EXPECT_EQ(Count(NonCategory::kGarbage), 0);
}

// ---- Figures and summary ----------------------------------------------------

TEST_F(NonTest, FilesOfTwoGigabytesAndMoreKeepTheirTrueSize) {
  m.Builder()
      .BigFile("C:\\WINDOWS\\memory.dmp", 3221225472ULL)
      .BigFile("C:\\WINDOWS\\minidump\\m1.dmp", 2147483648ULL);
  Start();
  EXPECT_EQ(w->Bytes(NonCategory::kDump), 5368709120LL);
  EXPECT_EQ(w->Lbldump.Caption(),
            "DUMP FILES           -> 2 files consuming 5368709120 bytes of storage were FOUND.");
  EXPECT_EQ(w->Lbltotal.Caption(), "TOTAL FILES FOUND = 2  TOTAL BYTES WASTED = 5368709120");
}

TEST_F(NonTest, TheTotalLineHasTwoBlanksOnlyOnTheFirstShowing) {
  m.Builder().File("C:\\WINDOWS\\memory.dmp", "12");
  Start();
  EXPECT_EQ(w->Lbltotal.Caption(), "TOTAL FILES FOUND = 1  TOTAL BYTES WASTED = 2");
  EXPECT_EQ(w->Lbldump.Caption(),
            "DUMP FILES           -> 1 files consuming 2 bytes of storage were FOUND.");
  EXPECT_EQ(w->Lblactivex.Caption(), "ACTIVEX / APPLETS    -> None found on your system.");
  w->ShowSummary();
  EXPECT_EQ(w->Lbltotal.Caption(), "TOTAL FILES FOUND = 1   TOTAL BYTES WASTED = 2");
}

TEST_F(NonTest, DuringAutomaticCleanupTheFiguresAndSummaryStayAsTheyWere) {
  m.Builder().File("C:\\WINDOWS\\memory.dmp", "12").File(std::string(kTemp) + "a.tmp");
  Start();
  std::string summary = w->Lbltotal.Caption();
  g->AutoCleanup = true;
  w->CleanDumpFiles();
  w->CleanTempFiles();
  EXPECT_FALSE(m.Exists("C:\\WINDOWS\\memory.dmp"));
  EXPECT_EQ(Count(NonCategory::kDump), 1);
  EXPECT_EQ(Count(NonCategory::kTemp), 1);
  EXPECT_EQ(w->Lbltotal.Caption(), summary);
  EXPECT_EQ(Slot(core::Slot::kDumpFiles), "1 files out of 1 files have been deleted.");
}

TEST_F(NonTest, WithoutCollectingResultsTheSlotsAreLeftAlone) {
  m.Builder().File("C:\\WINDOWS\\memory.dmp");
  Start();
  g->SetResult(core::Slot::kDumpFiles, "before");
  w->SetCollectResults(false);
  w->CleanDumpFiles();
  EXPECT_EQ(Slot(core::Slot::kDumpFiles), "before");
}

TEST_F(NonTest, EveryCleanupOnAnEmptyMachineRunsQuietly) {
  Start(true);
  w->CleanActiveX();
  w->CleanDumpFiles();
  w->CleanTempFiles();
  w->CleanRecentDocs();
  w->EmptyRecycleBin();
  w->CleanMediaCache();
  w->CleanJunkFiles();
  EXPECT_TRUE(ws.Boxes().empty());
  EXPECT_EQ(w->TotalFiles(), 0);
  EXPECT_EQ(Slot(core::Slot::kTempFiles), "0 files out of 0 files have been deleted.");
}

TEST_F(NonTest, TheCleanupsRemoveWhatTheSurveyCountedAndNothingBesideIt) {
  const Strings junk{"C:\\WINDOWS\\memory.dmp",
                     "C:\\WINDOWS\\minidump\\mini1.dmp",
                     std::string(kTemp) + "a.tmp",
                     std::string(kRecent) + "\\doc.lnk",
                     "C:\\M\\wmplibrary.db",
                     "C:\\FILE0000.CHK",
                     std::string(kActiveXFolder) + "\\ctl.ocx"};
  const Strings decoys{"C:\\WINDOWS\\memory.txt",
                       "C:\\WINDOWS\\minidump\\notes.txt",
                       std::string(kTemp) + "keep.txt",
                       std::string(kRecent) + "\\desktop.ini",
                       "C:\\M\\other.db",
                       "C:\\file.txt",
                       "C:\\WINDOWS\\FILE0001.CHK",
                       "C:\\WINDOWS\\system32\\ctl.ocx"};
  for (const auto& f : junk) m.Builder().File(f, "x");
  for (const auto& f : decoys) m.Builder().File(f, "x");
  m.Builder()
      .Ini(ScanFile(), "MM20", "P1", "C:\\M\\wmplibrary.db")
      .RegString(sim::HKLM, kInternetSettings, "ActiveXCache", kActiveXFolder);
  Start();
  EXPECT_EQ(w->TotalFiles(), static_cast<int64_t>(junk.size()));
  Strings before = m.Files();
  w->CleanActiveX();
  w->CleanDumpFiles();
  w->CleanTempFiles();
  w->CleanRecentDocs();
  w->CleanMediaCache();
  w->CleanJunkFiles();
  Strings gone;
  for (const auto& f : before) {
    if (!m.Exists(f)) gone.push_back(f);
  }
  Strings expected = junk;
  std::sort(gone.begin(), gone.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(gone, expected);
  EXPECT_EQ(w->TotalFiles(), 0);
  EXPECT_EQ(w->Lbltotal.Caption(), "TOTAL FILES FOUND = 0   TOTAL BYTES WASTED = 0");
}

// ---- Buttons ----------------------------------------------------------------

TEST_F(NonTest, CleanupAllPressesEveryRowInOrderAndEndsWithTheAolTracks) {
  m.Builder()
      .File("C:\\WINDOWS\\memory.dmp")
      .File(std::string(kTemp) + "a.tmp")
      .File(std::string(kRecent) + "\\x.lnk");
  Start();
  std::vector<std::string> order;
  w->OnAolDeleteTracks = [&] { order.push_back("aol"); };
  ws.Answer(ui::Answer::kYes);
  ws.Answer(ui::Answer::kNo);
  ws.Answer(ui::Answer::kOk);
  ws.Answer(ui::Answer::kYes);
  w->CmdCleanAll.Click();
  // Dump (yes), temp (no, then its information box), recent (yes).
  ASSERT_EQ(ws.Boxes().size(), 4u);
  EXPECT_EQ(ws.Boxes()[1].text.rfind("1 files were found", 0), 0u);
  EXPECT_EQ(ws.Boxes()[2].text, "Nothing deleted from your system.");
  EXPECT_FALSE(m.Exists("C:\\WINDOWS\\memory.dmp"));
  EXPECT_TRUE(m.Exists(std::string(kTemp) + "a.tmp"));
  EXPECT_FALSE(m.Exists(std::string(kRecent) + "\\x.lnk"));
  EXPECT_EQ(Slot(core::Slot::kRecycleBin), "Recycle Bin has been cleaned.");
  EXPECT_EQ(order, Strings{"aol"});
}

TEST_F(NonTest, HelpButtonsShowTheirTextInAnInformationBox) {
  Start();
  w->CmdRecycleHelp.Click();
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kInformation);
  EXPECT_EQ(ws.Boxes()[0].buttons, ui::Buttons::kOk);
  EXPECT_EQ(ws.Boxes()[0].text.rfind("These files accumulate in your delete bin", 0), 0u);
  EXPECT_EQ(w->cmdtemp.Hint(), "Cleanup temp files (Click help for more information on these)");
}

TEST_F(NonTest, TheWindowRemembersItsSizeUnderFrmnon) {
  Start();
  w->SetSize(700, 520);
  w->ShowModal();
  EXPECT_EQ(g->ReadWindowWidth("Frmnon"), 700);
  EXPECT_EQ(g->ReadWindowHeight("Frmnon"), 520);
  w = std::make_unique<TFrmnon>(*g);
  EXPECT_EQ(w->Width(), 700);
}

}  // namespace
}  // namespace desktop
