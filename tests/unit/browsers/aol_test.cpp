#include "browsers/aol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browsers/aoltracks.h"
#include "tests/unit/window_test.h"

namespace browsers {
namespace {

using Strings = std::vector<std::string>;

const std::string kScanFile =
    "C:\\Documents and Settings\\User\\Application Data\\Vostreldata\\vostscan6.ini";
constexpr const char* kAolKey = "Software\\America Online\\AOL\\CurrentVersion";
constexpr const char* kNone = "None Found. This area is already clean.";
constexpr const char* kTracks = "C:\\Program Files\\AOL\\tracks\\";

// An address of exactly 70 characters.
std::string Address(char c) { return "http://" + std::string(63, c); }

class AolTest : public unit::WindowTest<TFrmaol> {
 protected:
  void Tracks(const std::string& folder, int record = 1) {
    m.Builder().Ini(kScanFile, "AL13", "P" + std::to_string(record), folder);
  }
  std::vector<std::string> BoxTexts() const { return ws.BoxTexts(); }
};

TEST_F(AolTest, NoAolAndNoRecordsIsCleanAndDeletingTracksDoesNothing) {
  Start();
  EXPECT_EQ(w->LblAOLPics.Caption(), "Count = 0");
  EXPECT_EQ(w->ListAOLURLs.Items(), Strings{kNone});
  EXPECT_EQ(w->LblAOLurls.Caption(), "Count = 0");
  w->CmdDeleteTracks.Click();
  EXPECT_TRUE(ws.Boxes().empty());
  EXPECT_EQ(w->ListAOLURLs.Items(), Strings{kNone});
  w->CmdDeletePic.Click();
  EXPECT_EQ(BoxTexts(), Strings{"There are no pictures found in the AOL download directory."});
}

TEST_F(AolTest, ThreeAddressesOnOneLineGiveThreeSnippetsAndEveryLineIsRead) {
  Tracks(kTracks);
  m.Builder().File(std::string(kTracks) + "main.arl",
                   Address('a') + "x" + Address('b') + Address('c') + "\r\nAOL:keyword one\r\n");
  Start();
  EXPECT_EQ(w->ListAOLURLs.Items(), (Strings{Address('a') + "...", Address('b') + "...",
                                             Address('c') + "...", "AOL:keyword one..."}));
  EXPECT_EQ(w->LblAOLurls.Caption(), "Count = 4");
}

TEST_F(AolTest, TrackLinesStopAtTheLimitWhateverTheFilesHold) {
  std::string line;
  for (int i = 0; i < 30000; ++i) line += "AOL:";
  std::vector<std::string> out;
  ExtractTrackText(line + "\n" + line, out);
  EXPECT_EQ(out.size(), kTrackLineLimit);
}

TEST_F(AolTest, TrackFilesOfEveryRecordedFolderAreAppendedAndAllDeleted) {
  Tracks("C:\\a\\", 1);
  Tracks("C:\\b", 2);
  m.Builder()
      .File("C:\\a\\one.arl", Address('a'))
      .File("C:\\b\\two.arl", Address('b'))
      .File("C:\\b\\keep.txt", Address('c'));
  Start();
  EXPECT_EQ(w->TrackFiles(), (Strings{"C:\\a\\one.arl", "C:\\b\\two.arl"}));
  w->CmdDeleteTracks.Click();
  EXPECT_FALSE(m.Exists("C:\\a\\one.arl"));
  EXPECT_FALSE(m.Exists("C:\\b\\two.arl"));
  EXPECT_TRUE(m.Exists("C:\\b\\keep.txt"));
  EXPECT_TRUE(w->ListAOLURLs.Items().empty());
  EXPECT_EQ(w->LblAOLurls.Caption(), "Count = 0");
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(BoxTexts()[0].rfind("All tracks have been successfully cleaned.", 0), 0u);
}

TEST_F(AolTest, AHeldTrackFileIsReportedAndStaysListed) {
  Tracks(kTracks);
  m.Builder()
      .File(std::string(kTracks) + "held.arl", Address('h'))
      .File(std::string(kTracks) + "free.arl", Address('f'));
  Start();
  // AOL opens its file after the survey read it.
  m.Lock(std::string(kTracks) + "held.arl");
  w->DeleteAOLTracks();
  ASSERT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(BoxTexts()[0].rfind("1 of the AOL track files could not be deleted", 0), 0u);
  EXPECT_FALSE(m.Exists(std::string(kTracks) + "free.arl"));
  EXPECT_EQ(w->TrackFiles(), Strings{std::string(kTracks) + "held.arl"});
  EXPECT_EQ(w->ListAOLURLs.Items(), Strings{Address('h') + "..."});
}

TEST_F(AolTest, PicturesComeFromTheDownloadFoldersAndABlankAppPathIsSkipped) {
  m.Builder()
      .RegString(sim::HKLM, kAolKey, "AppPath", " ")
      .File("C:\\Download\\mine.jpg")
      .File("C:\\america online 6.0\\download\\b.bmp")
      .File("C:\\america online 6.0\\download\\hidden.jpg")
      .Hidden()
      .File("C:\\america online 5.0\\download\\a.jpg")
      .File("C:\\america online 5.0\\download\\a.txt");
  Start();
  EXPECT_EQ(w->ListAOLPics.Items(), (Strings{"c:\\america online 6.0\\download\\b.bmp",
                                             "c:\\america online 5.0\\download\\a.jpg"}));
  EXPECT_EQ(w->LblAOLPics.Caption(), "Count = 2");
  EXPECT_EQ(w->LblPicsName.Caption(), "b.bmp");
  EXPECT_EQ(w->ListAOLPics.ItemIndex(), 0);
}

TEST_F(AolTest, AHeldPictureStaysListedAndAFreeOneGoes) {
  m.Builder()
      .RegString(sim::HKLM, kAolKey, "AppPath", "C:\\Program Files\\AOL")
      .File("C:\\Program Files\\AOL\\Download\\held.jpg")
      .Locked()
      .File("C:\\Program Files\\AOL\\Download\\free.jpg");
  Start();
  ASSERT_EQ(w->ListAOLPics.Items(), (Strings{"C:\\Program Files\\AOL\\Download\\free.jpg",
                                             "C:\\Program Files\\AOL\\Download\\held.jpg"}));
  w->ListAOLPics.ClickItem(1);
  EXPECT_EQ(w->LblPicsName.Caption(), "held.jpg");
  w->CmdDeletePic.Click();
  EXPECT_EQ(BoxTexts(), Strings{"File not deleted. It is in use by another process. Close all "
                                "applications and try again, or if you are using Vista, you may "
                                "need to simply right click the icon first and choose the option "
                                "to run your program as admin."});
  EXPECT_EQ(w->ListAOLPics.Count(), 2);
  EXPECT_TRUE(m.Exists("C:\\Program Files\\AOL\\Download\\held.jpg"));
  w->ListAOLPics.ClickItem(0);
  w->CmdDeletePic.Click();
  EXPECT_FALSE(m.Exists("C:\\Program Files\\AOL\\Download\\free.jpg"));
  EXPECT_EQ(w->ListAOLPics.Count(), 1);
  EXPECT_EQ(w->LblAOLPics.Caption(), "Count = 1");
  EXPECT_EQ(w->LblPicsName.Caption(), "held.jpg");
}

TEST_F(AolTest, APictureWithoutViewerWarns) {
  m.Builder().File("C:\\america online 6.0\\download\\a.jpg").OpenResult(31);
  Start();
  w->ListAOLPics.DoubleClickItem(0);
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kWarning);
  EXPECT_EQ(m.ShellOpens().at(0).target, "c:\\america online 6.0\\download\\a.jpg");
}

}  // namespace
}  // namespace browsers
