#include "review/dups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "review/recycle.h"
#include "tests/unit/window_test.h"

namespace review {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kNotFound = "File not found.";

// The scans run on a drive D: of their own, so the default machine's files
// on C: do not mix in.
class DupsTest : public unit::WindowTest<TFrmDups> {
 protected:
  void SetUp() override { m.Builder().Drive("D:\\", platform::DriveType::kFixed, "DATA"); }
  TFrmDups& Scan(DupMode mode) {
    Start();
    w->DriveComboBox1.SetDrive('d');
    w->Finder().SetPumpInterval(0);
    (mode == DupMode::kNames ? w->CmdDupScan : w->BitBtn1).Click();
    return *w;
  }
  static std::string Block(char c, size_t n) { return std::string(n, c); }
};

TEST_F(DupsTest, ContentsScanListsOnlyIdenticalFilesOncePerPhysicalFileInWalkOrder) {
  std::string big = Block('x', 20000);
  std::string last_byte = big;
  last_byte.back() = 'y';
  std::string middle = big;
  middle[10000] = 'z';
  m.Builder()
      .File("D:\\a\\photo.jpg", big)
      .File("D:\\a\\same-size-last-byte.jpg", last_byte)
      .File("D:\\a\\same-size-middle.jpg", middle)
      .File("D:\\b\\copy of photo.jpg", big)
      .HardLink("D:\\b\\link to photo.jpg", "D:\\a\\photo.jpg")
      .File("D:\\c\\small.txt", "tiny")
      .File("D:\\c\\small copy.txt", "tiny")
      .File("D:\\c\\empty1.txt", "")
      .File("D:\\c\\empty2.txt", "")
      .File("D:\\c\\photo.jpg", "same name, other contents");
  Scan(DupMode::kContents);
  EXPECT_EQ(w->ListBox1.Items(),
            (Strings{"photo.jpg   Path:D:\\a", "copy of photo.jpg   Path:D:\\b",
                     "small copy.txt   Path:D:\\c", "small.txt   Path:D:\\c"}));
  EXPECT_EQ(w->Paths(), (Strings{"D:\\a\\photo.jpg", "D:\\b\\copy of photo.jpg",
                                 "D:\\c\\small copy.txt", "D:\\c\\small.txt"}));
  EXPECT_EQ(w->LblStatus.Caption(),
            "2 sets of duplicates, 4 files, 20004 bytes wasted (8 files searched)");
  EXPECT_EQ(w->LblSet.Caption(), "File 1 of 2 in this set; the set wastes 20000 bytes");
  // Each byte of a candidate is read at most once (the edges of four, the
  // middles of the three whose edges matched); files of a unique size and
  // the link are never read.
  EXPECT_EQ(w->Finder().BytesRead(), 4u * 8192u + 3u * (20000u - 8192u) + 2u * 4u);
  EXPECT_FALSE(g->Busy());
  EXPECT_TRUE(w->BitBtn1.Enabled());
  EXPECT_FALSE(w->CmdStop.Enabled());
}

TEST_F(DupsTest, NamesScanComparesWithoutCaseListsALinkOnceAndNeverFollowsJunctions) {
  m.Builder()
      .File("D:\\a\\Report.doc", "one")
      .File("D:\\b\\REPORT.DOC", "two")
      .HardLink("D:\\c\\report.doc", "D:\\a\\Report.doc")
      .File("D:\\c\\unique.doc")
      .Junction("D:\\c\\loop", "D:\\");
  Scan(DupMode::kNames);
  EXPECT_EQ(w->ListBox1.Items(), (Strings{"Report.doc   Path:D:\\a", "REPORT.DOC   Path:D:\\b"}));
}

// Windows refuses ":" in a name, so no name holds "   Path:" itself; the
// lines are never read back in any case, the hidden list holds each path.
TEST_F(DupsTest, ANameWithALeadingBlankOrThreeBlanksLeadsToItsOwnFile) {
  m.Builder()
      .File("D:\\x\\a   Path", "1")
      .File("D:\\y\\a   Path", "2")
      .File("D:\\x\\ report.doc", "3")
      .File("D:\\y\\ report.doc", "4")
      .File("D:\\x\\report.doc", "5")
      .File("D:\\x\\a", "6");
  Scan(DupMode::kNames);
  ASSERT_EQ(w->ListBox1.Items(), (Strings{" report.doc   Path:D:\\x", " report.doc   Path:D:\\y",
                                          "a   Path   Path:D:\\x", "a   Path   Path:D:\\y"}));
  w->ListBox1.ClickItem(2);
  w->CmdDel.Click();
  w->ListBox1.ClickItem(0);
  w->CmdDel.Click();
  ASSERT_EQ(m.RecycleBin().size(), 2u);
  EXPECT_EQ(m.RecycleBin()[0].original_path, "D:\\x\\a   Path");
  EXPECT_EQ(m.RecycleBin()[1].original_path, "D:\\x\\ report.doc");
  EXPECT_TRUE(m.Exists("D:\\x\\report.doc"));
  EXPECT_TRUE(m.Exists("D:\\x\\a"));
  EXPECT_EQ(w->ListBox1.Items(), (Strings{" report.doc   Path:D:\\y", "a   Path   Path:D:\\y"}));
  EXPECT_EQ(w->Paths(), (Strings{"D:\\y\\ report.doc", "D:\\y\\a   Path"}));
  EXPECT_EQ(w->ListBox1.ItemIndex(), 0);
  EXPECT_TRUE(ws.Boxes().empty());
}

TEST_F(DupsTest, AGoneFileOrAnInUseFileKeepsItsLineWithItsMessage) {
  m.Builder().File("D:\\a\\x.txt", "1").File("D:\\b\\x.txt", "2").File("D:\\c\\x.txt", "3");
  Scan(DupMode::kNames);
  m.Platform().fs.DeleteFile("D:\\a\\x.txt");
  m.Lock("D:\\b\\x.txt");
  w->ListBox1.ClickItem(0);
  w->CmdDel.Click();
  w->BitBtn2.Click();
  w->ListBox1.ClickItem(1);
  w->CmdDel.Click();
  EXPECT_EQ(ws.BoxTexts(),
            (Strings{kNotFound, kNotFound,
                     "Windows will not allow this file (D:\\b\\x.txt) to be added to the recycle "
                     "bin. The most likely cause is because the file or program is probably in "
                     "use right now. Since the file is in use, it should not be removed."}));
  EXPECT_EQ(w->ListBox1.Count(), 3);
  EXPECT_TRUE(m.RecycleBin().empty());
  EXPECT_TRUE(m.ShellOpens().empty());
}

TEST_F(DupsTest, DetailsShowTheDatesAndTheFull64BitSize) {
  m.Builder()
      .BigFile("D:\\a\\disk.img", 3ull << 30)
      .Created(sim::ToFileTime(2007, 6, 1))
      .Modified(sim::ToFileTime(2007, 6, 2, 13, 5, 9))
      .Accessed(sim::ToFileTime(2007, 6, 3, 0, 0, 1))
      .BigFile("D:\\b\\disk.img", 3ull << 30);
  Scan(DupMode::kNames);
  w->ListBox1.ClickItem(0);
  EXPECT_EQ(w->LblCreated.Caption(), "Created on   : 6/1/2007");
  EXPECT_EQ(w->LblUpdated.Caption(), "Last updated : 6/2/2007 1:05:09 PM");
  EXPECT_EQ(w->LblAccessed.Caption(), "Last accessed: 6/3/2007 12:00:01 AM");
  EXPECT_EQ(w->LblSize.Caption(), "Byte Size: 3221225472");
  // A file gone since keeps the dates and loses the size.
  m.Platform().fs.DeleteFile("D:\\a\\disk.img");
  w->ListBox1.ClickItem(0);
  EXPECT_EQ(w->LblCreated.Caption(), "Created on   : 6/1/2007");
  EXPECT_EQ(w->LblSize.Caption(), "");
}

TEST_F(DupsTest, StopInTheMiddleKeepsTheSetsConfirmedAndTheirTotals) {
  for (char c : std::string("abc")) {
    std::string body = Block(c, 10000 + static_cast<size_t>(c));
    m.Builder()
        .File(std::string("D:\\") + c + "\\one.bin", body)
        .File(std::string("D:\\") + c + "\\two.bin", body);
  }
  Start();
  w->DriveComboBox1.SetDrive('d');
  w->Finder().SetPumpInterval(0);
  bool busy_seen = false;
  ws.OnPump([&] {
    busy_seen = busy_seen || (g->Busy() && !w->BitBtn1.Enabled() && !w->CmdDel.Enabled());
    if (w->Finder().FilesHashed() >= 2) w->CmdStop.Click();
  });
  w->BitBtn1.Click();
  EXPECT_TRUE(busy_seen);
  EXPECT_EQ(w->ListBox1.Items(), (Strings{"one.bin   Path:D:\\a", "two.bin   Path:D:\\a"}));
  EXPECT_EQ(w->LblStatus.Caption(),
            "Stopped. 1 set of duplicates, 2 files, 10097 bytes wasted (6 files searched)");
}

TEST_F(DupsTest, ReturnDuringAScanStopsItAndClosesOnceTheScanHasUnwound) {
  for (int i = 0; i < 50; ++i) m.Builder().File("D:\\f\\" + std::to_string(i) + ".txt", "x");
  Start();
  bool closed_inside_pump = false;
  ws.WhileModal("FrmDups", [&](ui::Window&) {
    w->DriveComboBox1.SetDrive('d');
    w->Finder().SetPumpInterval(0);
    ws.OnPump([&] {
      w->BitBtn4.Click();
      closed_inside_pump = closed_inside_pump || !w->Visible();
    });
    w->CmdDupScan.Click();
    EXPECT_FALSE(w->Visible());
  });
  w->ShowModal();
  EXPECT_FALSE(closed_inside_pump);
  EXPECT_FALSE(w->Scanning());
  EXPECT_LT(w->Finder().FilesFound(), 50u);
}

TEST_F(DupsTest, EmptyListMessagesAndAViewerThatIsMissing) {
  m.Builder().File("D:\\a\\x.txt", "1").File("D:\\b\\x.txt", "1");
  Start();
  w->BitBtn2.Click();
  w->CmdDel.Click();
  EXPECT_EQ(ws.BoxTexts(),
            (Strings{"Your list is empty. Use the Duplicates button to find duplicate files first.",
                     "Please use the find button to find duplicate files on your system first."}));
  ws.ClearBoxes();
  w->DriveComboBox1.SetDrive('d');
  w->BitBtn1.Click();
  m.Builder().OpenResult(31);
  w->BitBtn2.Click();
  ASSERT_EQ(m.ShellOpens().size(), 1u);
  EXPECT_EQ(m.ShellOpens()[0].target, "D:\\a\\x.txt");
  EXPECT_EQ(m.ShellOpens()[0].show, platform::ShowCommand::kMaximised);
  EXPECT_EQ(ws.BoxTexts(),
            Strings{"You do not have a default viewer on your system to view this file type."});
}

TEST_F(DupsTest, ANameTheListingCannotShowIsActedOnByItsShortNameOnly) {
  m.Builder()
      .File("D:\\a\\photo one.jpg", "same")
      .ListedAs("photo ?.jpg")
      .File("D:\\a\\photo 1.jpg", "same");
  Scan(DupMode::kContents);
  ASSERT_EQ(w->ListBox1.Count(), 2);
  ASSERT_EQ(w->Paths()[0], "D:\\a\\photo 1.jpg");
  EXPECT_EQ(text::Upper(w->Paths()[1]), "D:\\A\\PHOTOO~1.JPG");
  EXPECT_FALSE(SendToRecycleBin(m.Platform().shell, "D:\\a\\photo ?.jpg", false).recycled);
  EXPECT_TRUE(m.RecycleBin().empty());
}

}  // namespace
}  // namespace review
