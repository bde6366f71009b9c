#include "review/piccache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/window_test.h"

namespace review {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kDocs = "C:\\Documents and Settings\\User\\My Documents";
constexpr const char* kPics = "C:\\Documents and Settings\\User\\My Documents\\My Pictures";
constexpr const char* kDownloads = "C:\\Documents and Settings\\User\\My Documents\\My Downloads";
constexpr const char* kDeleted =
    "The highlighted files have been deleted and placed in your recycle bin.";

std::string In(const char* folder, const char* name) { return std::string(folder) + "\\" + name; }

class PicCacheTest : public unit::WindowTest<TFrmPicCache> {
 protected:
  TFrmPicCache& Search(ui::RadioButton TFrmPicCache::*category = &TFrmPicCache::RadioPhotos) {
    Start();
    w->SetPumpInterval(0);
    (w.get()->*category).Click();
    w->BitBtn1.Click();
    return *w;
  }
  // Leaves the downloads as the first start folder searched.
  void OnlyDownloads() {
    m.Builder()
        .NoSpecialFolder(platform::csidl::kPersonal)
        .NoSpecialFolder(platform::csidl::kMyPictures);
  }
};

TEST_F(PicCacheTest, PhotosAreFoundInTheStartFoldersInOrderANestedOneTwiceLinksNotEntered) {
  m.Builder()
      .File(In(kDocs, "scan.JPG"), "12345")
      .File(In(kDocs, "notes.txt"), "x")
      .File(In(kPics, "beach.png"), "1234567890")
      .Hidden()
      .File(In(kPics, "Thumbs.db"), "t")
      .File(In(kDownloads, "cat.gif"), "12")
      .File("C:\\Photos\\outside.jpg", "1")
      .Junction(In(kDocs, "Elsewhere"), "C:\\Photos");
  Search();
  EXPECT_EQ(w->ListBox1.Items(),
            (Strings{In(kDownloads, "cat.gif"), In(kPics, "beach.png"), In(kDocs, "scan.JPG"),
                     In(kPics, "beach.png"), In(kDownloads, "cat.gif")}));
  EXPECT_EQ(w->LblFound.Caption(), "Total Files = 5  Total Bytes Wasted = 29");
  EXPECT_EQ(w->ListBox1.ItemIndex(), 0);
  EXPECT_FALSE(w->Image1.Visible());
  EXPECT_EQ(w->LblFolder.Caption(), "");
  EXPECT_FALSE(g->Busy());
}

TEST_F(PicCacheTest, CachedThumbsWalkTheWholeChosenDriveAndMissingStartFoldersAreSkipped) {
  m.Builder()
      .File("C:\\Games\\Shots\\Thumbs.db", "abc")
      .File(In(kPics, "THUMBS.DB"), "ab")
      .File("C:\\Games\\Shots\\thumbs.db.bak", "x")
      .File(In(kDocs, "clip.avi"), "v");
  Search(&TFrmPicCache::RadioThumbs);
  EXPECT_EQ(w->ListBox1.Items(), (Strings{In(kPics, "THUMBS.DB"), "C:\\Games\\Shots\\Thumbs.db"}));

  OnlyDownloads();
  Search(&TFrmPicCache::RadioVideos);
  EXPECT_EQ(w->ListBox1.Items(), Strings{});
}

TEST_F(PicCacheTest, StopEndsTheWholeSearchAndKeepsWhatWasFound) {
  for (int i = 0; i < 20; ++i)
    m.Builder().File(In(kDocs, "deep\\er\\p") + std::to_string(i) + ".jpg", "1234");
  Start();
  w->SetPumpInterval(0);
  bool busy_seen = false;
  ws.OnPump([&] {
    busy_seen = busy_seen || (!w->BitBtn1.Enabled() && w->Image1.Visible() && g->Busy());
    if (w->TotalBytes() >= 12) w->Image1.Click();
  });
  w->BitBtn1.Click();
  EXPECT_TRUE(busy_seen);
  EXPECT_EQ(w->ListBox1.Count(), 3);  // no other start folder was searched
  EXPECT_EQ(w->LblFound.Caption(), "Total Files = 3  Total Bytes Wasted = 12");
}

TEST_F(PicCacheTest, AFileGoneBetweenListingAndSizeIsListedButAddsNothing) {
  m.Builder().File(In(kDownloads, "a.jpg"), "123").File(In(kDownloads, "b.jpg"), "4567");
  OnlyDownloads();
  Start();
  w->SetPumpInterval(0);
  ws.OnPump([&] {
    if (w->TotalBytes() == 3) m.Platform().fs.DeleteFile(In(kDownloads, "b.jpg"));
  });
  w->BitBtn1.Click();
  EXPECT_EQ(w->ListBox1.Items()[1], In(kDownloads, "b.jpg"));
  EXPECT_EQ(w->TotalBytes(), 3u);
}

TEST_F(PicCacheTest, DeletingRecyclesTheSelectedKeepsAnInUseOneAndShowsTheClosingMessage) {
  m.Builder()
      .File(In(kDownloads, "a.jpg"), "1")
      .File(In(kDownloads, "b.jpg"), "2")
      .File(In(kDownloads, "c.jpg"), "3")
      .File(In(kDownloads, "d.jpg"), "4")
      .Locked();
  OnlyDownloads();
  Search();
  ASSERT_EQ(w->ListBox1.Count(), 4);
  // Nothing selected: the same list and the closing message.
  w->CmdRemove.Click();
  EXPECT_EQ(w->ListBox1.Count(), 4);
  EXPECT_EQ(ws.BoxTexts(), Strings{kDeleted});
  ws.ClearBoxes();

  w->ListBox1.SetSelected(0, true);
  w->ListBox1.SetSelected(2, true);
  w->ListBox1.SetSelected(3, true);
  w->CmdRemove.Click();
  EXPECT_EQ(ws.BoxTexts(),
            (Strings{"Windows will not allow this file (" + In(kDownloads, "d.jpg") +
                         ") to be added to your recycle bin. The most likely cause is because "
                         "the file or program is probably in use right now. Since the file is in "
                         "use, it is ok to leave this file.",
                     kDeleted}));
  ASSERT_EQ(m.RecycleBin().size(), 2u);
  EXPECT_EQ(m.RecycleBin()[0].original_path, In(kDownloads, "a.jpg"));
  EXPECT_EQ(m.RecycleBin()[1].original_path, In(kDownloads, "c.jpg"));
  EXPECT_TRUE(m.Exists(In(kDownloads, "b.jpg")));
  EXPECT_EQ(w->ListBox1.Items(), (Strings{In(kDownloads, "b.jpg"), In(kDownloads, "d.jpg")}));
  EXPECT_EQ(w->LblFound.Caption(), "");
}

TEST_F(PicCacheTest, DetailsOpenAndInformation) {
  m.Builder()
      .File(In(kDownloads, "a.jpg"), "123")
      .Created(sim::ToFileTime(2007, 5, 4))
      .Modified(sim::ToFileTime(2007, 5, 5, 9, 30, 0));
  Search();
  w->ListBox1.ClickItem(0);
  EXPECT_EQ(w->LblCreated.Caption(), "Created on   : 5/4/2007");
  EXPECT_EQ(w->LblUpdated.Caption(), "Last updated : 5/5/2007 9:30:00 AM");
  EXPECT_EQ(w->LblSize.Caption(), "File Size    : 3 bytes");
  m.Builder().OpenResult(2);
  w->ListBox1.DoubleClickItem(0);
  ASSERT_EQ(m.ShellOpens().size(), 1u);
  EXPECT_EQ(m.ShellOpens()[0].show, platform::ShowCommand::kMaximised);
  w->BitBtn2.Click();
  ASSERT_EQ(ws.BoxTexts().size(), 2u);
  EXPECT_EQ(ws.BoxTexts()[0],
            "You cannot view this file type as your system has no way of viewing it.");
  EXPECT_TRUE(ws.BoxTexts()[1].starts_with("This will find lost or forgotten photos and videos."));
}

}  // namespace
}  // namespace review
