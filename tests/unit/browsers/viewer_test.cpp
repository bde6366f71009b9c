#include "browsers/viewer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/window_test.h"

namespace browsers {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kCache = "C:\\Cache\\";
constexpr const char* kCannotView =
    "You cannot view this file as it is not a viewable file type. Some cache files are not "
    "viewable as they contain data for your system to use, and there is no viewer on your system "
    "(which is normal). You may want to use the reload button below to load only the viewable "
    "cache files. ";

class ViewerTest : public unit::WindowTest<TFrmviewer> {
 protected:
  Strings net_folders;
  TFrmviewer& Open() {
    Start();
    w->NetCacheFolders = [this] { return net_folders; };
    w->PrepareToShow();
    return *w;
  }
};

TEST_F(ViewerTest, TheViewableFilterHidesAFileWithoutExtensionUntilAllAreReloaded) {
  m.Builder()
      .File("C:\\Cache\\pic.JPG")
      .File("C:\\Cache\\CACHE0001")
      .File("C:\\Cache\\desktop.ini")
      .File("C:\\Cache\\run.js");
  net_folders = {"", kCache};
  Open();
  EXPECT_EQ(w->Listbshow.Items(), Strings{"C:\\Cache\\pic.JPG"});
  EXPECT_EQ(w->Listbshow.ItemIndex(), 0);
  EXPECT_GT(w->Listbshow.HorizontalExtent(), 0);
  w->RadAll.Click();
  EXPECT_EQ(w->Listbshow.Count(), 1);
  w->CmdReload.Click();
  EXPECT_EQ(w->Listbshow.Items(),
            (Strings{"C:\\Cache\\CACHE0001", "C:\\Cache\\pic.JPG", "C:\\Cache\\run.js"}));
  w->Listbshow.ClickItem(1);
  EXPECT_EQ(w->LblFilename.Caption(), "Name: pic.JPG");
}

TEST_F(ViewerTest, AnEmptyListSaysSoAndSingleFileEntriesListTheFileItself) {
  Open();
  EXPECT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].text.rfind("Your viewable cache list is empty", 0), 0u);

  m.Builder().File("C:\\IE\\Content.IE5\\INDEX.DAT").File("C:\\IE\\Content.IE5\\AB12\\x.gif");
  g->IECacheList.Add("C:\\IE\\CONTENT.IE5\\INDEX.DAT");
  g->IECacheList.Add("C:\\IE\\CONTENT.IE5\\AB12\\*.*");
  w->RadAll.Click();
  w->CmdReload.Click();
  EXPECT_EQ(w->Listbshow.Items(),
            (Strings{"C:\\IE\\CONTENT.IE5\\INDEX.DAT", "C:\\IE\\CONTENT.IE5\\AB12\\x.gif"}));
  ws.Answer(ui::Answer::kOk);
  w->Listbshow.DoubleClickItem(0);
  EXPECT_EQ(ws.Boxes().back().text.rfind("The index.dat files are part of your locked files.", 0),
            0u);
  EXPECT_EQ(m.ShellOpens().size(), 1u);
}

TEST_F(ViewerTest, AHashedNetscapeCacheListsItsSubFoldersNotTheirContents) {
  m.Builder().File("C:\\NS\\Cache\\00\\a.gif").File("C:\\NS\\Cache\\1F\\b.gif");
  net_folders = {"C:\\NS\\Cache\\"};
  Start();
  w->NetCacheFolders = [this] { return net_folders; };
  w->RadAll.Click();
  w->FillCacheViewer();
  EXPECT_EQ(w->Listbshow.Items(), (Strings{"C:\\NS\\Cache\\00", "C:\\NS\\Cache\\1F"}));
}

TEST_F(ViewerTest, ScriptsAndProgramsAreNeverHandedToTheShell) {
  for (const char* name : {"run.js", "RUN.VBS", "setup.exe", "x.hta", "x.reg", "trick.js. ."}) {
    m.Builder().File(std::string(kCache) + name);
  }
  net_folders = {kCache};
  Open();
  w->RadAll.Click();
  w->CmdReload.Click();
  ASSERT_EQ(w->Listbshow.Count(), 6);
  ws.ClearBoxes();
  for (int i = 0; i < w->Listbshow.Count(); ++i) {
    w->Listbshow.ClickItem(i);
    w->Listbshow.DoubleClickItem(i);
  }
  EXPECT_TRUE(m.ShellOpens().empty());
  // Windows drops trailing dots and blanks when it opens a name.
  EXPECT_TRUE(ExecutableCacheFile("run.js. ."));
  EXPECT_FALSE(ExecutableCacheFile("page.htm"));
  EXPECT_FALSE(ExecutableCacheFile("CACHE0001"));
  ASSERT_EQ(ws.Boxes().size(), 6u);
  for (const auto& box : ws.Boxes()) {
    EXPECT_EQ(box.kind, ui::BoxKind::kInformation);
    EXPECT_EQ(box.text, kCannotView);
  }
}

TEST_F(ViewerTest, AViewableFileOpensAndAShellFailureIsReported) {
  m.Builder().File("C:\\Cache\\page.htm");
  net_folders = {kCache};
  Open();
  w->Listbshow.DoubleClickItem(0);
  EXPECT_TRUE(ws.Boxes().empty());
  m.Builder().OpenResult(32);
  w->Listbshow.DoubleClickItem(0);
  EXPECT_EQ(ws.BoxTexts(), Strings{kCannotView});
  EXPECT_EQ(m.ShellOpens().size(), 2u);
}

}  // namespace
}  // namespace browsers
