#include "desktop/frmdir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/sweep/guard.h"
#include "core/uglobalvars.h"
#include "desktop/frmextension.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace desktop {
namespace {

using Strings = std::vector<std::string>;

const std::string kListFile =
    "C:\\Documents and Settings\\User\\Application Data\\Vostreldata\\vostscanyo.ini";

class OwnList : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;
  std::unique_ptr<TFrmdir> w;

  TFrmdir& Open() {
    w.reset();
    g = std::make_unique<core::Uglobalvars>(m.Platform(), ws);
    g->FormBaseFolders();
    g->FormDataPaths();
    w = std::make_unique<TFrmdir>(*g);
    w->Create();
    return *w;
  }
  std::string Slot(int n) {
    return m.Platform().ini.ReadString(kListFile, "Dirs", "Name" + std::to_string(n), "-");
  }
  // Adds a folder through the picker and the mask window.
  void AddFolder(const std::string& folder, const std::string& mask) {
    ws.AnswerInput(folder);
    ws.WhileModal("FrmExtension", [mask](ui::Window& e) {
      auto& ext = dynamic_cast<TFrmExtension&>(e);
      ext.Text1.Type(mask);
      ext.CmdReturn.Click();
    });
    w->cmdaddClick();
  }
  void AddFile(const std::string& path) {
    ws.AnswerInput(path);
    w->BitBtn1Click();
  }
  void RemoveHighlighted(int index) {
    w->List1.SetItemIndex(index);
    ws.Answer(ui::Answer::kYes);
    w->cmddelClick();
  }
};

TEST_F(OwnList, TheFirstRunCreatesFiftyFreeSlotsAndThereIsNothingToRemove) {
  Open();
  for (int n = 1; n <= 50; ++n) ASSERT_EQ(Slot(n), "Null");
  EXPECT_EQ(w->List1.Count(), 0);
  w->cmddelClick();
  EXPECT_EQ(ws.BoxTexts(), (Strings{"You must first add some directory paths."}));
}

TEST_F(OwnList, AFourthEntryTakesTheSlotTheRemovedSecondFreed) {
  Open();
  AddFile("C:\\a.txt");
  AddFile("C:\\b.txt");
  AddFile("C:\\c.txt");
  RemoveHighlighted(1);
  AddFile("C:\\d.txt");
  EXPECT_EQ((Strings{Slot(1), Slot(2), Slot(3), Slot(4)}),
            (Strings{"C:\\a.txt", "C:\\d.txt", "C:\\c.txt", "Null"}));
  EXPECT_EQ(w->List1.Items(), (Strings{"C:\\a.txt", "C:\\c.txt", "C:\\d.txt"}));
  // A later start shows the slots in their order, a missing key as a blank.
  m.Platform().ini.DeleteKey(kListFile, "Dirs", "Name4");
  Open();
  EXPECT_EQ(w->List1.Items(), (Strings{"C:\\a.txt", "C:\\d.txt", "C:\\c.txt", " "}));
}

TEST_F(OwnList, AFolderAndItsMaskFromTheMaskWindowMakeOneEntry) {
  Open();
  AddFolder("C:\\mydir", "  f*.txt ");
  EXPECT_EQ(Slot(1), "C:\\mydir\\f*.txt");
  ws.AnswerInput(std::nullopt);
  w->cmdaddClick();
  AddFolder("C:\\mydir", "");
  EXPECT_EQ(ws.BoxTexts().front(), "You did not choose a folder. Nothing was added to your list.");
  EXPECT_EQ(ws.BoxTexts().back().substr(0, 60),
            "You did not enter any wildcard characters for your folder cl");
  EXPECT_EQ(w->EntryCount(), 1);
}

TEST_F(OwnList, AllFilesWarnsAndEachRadioSetsItsMask) {
  Open();
  TFrmExtension ext(*g);
  ext.Create();
  ext.Show();
  ext.OptJpg.Click();
  EXPECT_EQ(ext.Text1.Caption(), "*.jpg");
  EXPECT_TRUE(ws.Boxes().empty());
  ext.OptAll.Click();
  EXPECT_EQ(ext.Text1.Caption(), "*.*");
  EXPECT_EQ(ws.BoxTexts(),
            (Strings{"WARNING: *.* means remove all files in your selected folder"}));
}

TEST_F(OwnList, ANameHoldingAWildcardIsRefusedAndAFullListAddsNothing) {
  Open();
  AddFile("C:\\docs\\r?sum?.doc");
  EXPECT_EQ(Slot(1), "Null");
  EXPECT_EQ(w->List1.Count(), 0);
  EXPECT_EQ(ws.Boxes().back().kind, ui::BoxKind::kError);

  for (int n = 1; n <= 50; ++n) m.Builder().Ini(kListFile, "Dirs", "Name" + std::to_string(n), "x");
  ws.ClearBoxes();
  AddFile("C:\\e.txt");
  EXPECT_EQ(ws.BoxTexts(), (Strings{"You have reached the maximum number of entries! Please delete "
                                    "an entry if you wish to add another."}));
  EXPECT_EQ(w->List1.Count(), 0);
}

TEST_F(OwnList, AMaskCleansMatchingOrdinaryFilesOfItsFolderOnly) {
  m.Builder()
      .File("C:\\mydir\\fa.txt", "12")
      .File("C:\\mydir\\f.txt", "3")
      .File("C:\\mydir\\g.txt", "4")
      .File("C:\\mydir\\fh.txt", "5")
      .Hidden()
      .File("C:\\mydir\\fs.txt", "6")
      .System()
      .File("C:\\mydir\\sub\\fb.txt", "7")
      .File("C:\\mydir\\fr.txt", "8")
      .ReadOnly();
  Open();
  AddFolder("C:\\mydir", "f*.txt");
  ws.ClearBoxes();
  ws.Answer(ui::Answer::kYes);
  w->cmdcleanClick();
  EXPECT_EQ(ws.BoxTexts(),
            (Strings{"\"Your Own Files\" cleanup confirmation: 3 total files have been found "
                     "matching your entries.  This totals 4 bytes. Would you like me to clean "
                     "these?",
                     "\"Your Own Files\" cleanup confirmed: 2 files out of 3 files have been "
                     "deleted. (If all files were not deleted, it is due to the files being hidden "
                     "files, system files, or in use at the time by another application.)."}));
  EXPECT_FALSE(m.Exists("C:\\mydir\\fa.txt"));
  EXPECT_FALSE(m.Exists("C:\\mydir\\f.txt"));
  for (const char* kept : {"C:\\mydir\\g.txt", "C:\\mydir\\fh.txt", "C:\\mydir\\fs.txt",
                           "C:\\mydir\\sub\\fb.txt", "C:\\mydir\\fr.txt"})
    EXPECT_TRUE(m.Exists(kept)) << kept;
}

TEST_F(OwnList, NoMatchShowsNothingAndNoKeepsEveryFile) {
  m.Builder().File("C:\\mydir\\a.log", "1");
  Open();
  AddFolder("C:\\mydir", "*.txt");
  ws.ClearBoxes();
  w->cmdcleanClick();
  EXPECT_TRUE(ws.Boxes().empty());

  AddFolder("C:\\mydir", "*.log");
  ws.ClearBoxes();
  ws.Answer(ui::Answer::kNo);
  w->cmdcleanClick();
  EXPECT_EQ(ws.BoxTexts().back(), "No files deleted in the \"Your Own Files\" section.");
  EXPECT_TRUE(m.Exists("C:\\mydir\\a.log"));
}

TEST_F(OwnList, ADriveRootOrSystemFolderIsCleanedOnlyAfterASecondYes) {
  m.Builder().File("C:\\x.tmp", "1").File("C:\\WINDOWS\\y.tmp", "2").File("C:\\t\\z.tmp", "3");
  Open();
  for (const char* entry : {"C:/.\\*.tmp", "c:\\x\\..\\windows.\\*.tmp", "C:\\t\\*.tmp"})
    m.Builder().Ini(kListFile, "Dirs", "Name" + std::to_string(w->EntryCount() + 1), entry), Open();
  ws.ClearBoxes();
  ws.Answer(ui::Answer::kYes);  // the cleanup question
  ws.Answer(ui::Answer::kNo);   // the drive root
  ws.Answer(ui::Answer::kYes);  // the Windows folder
  w->cmdcleanClick();
  ASSERT_EQ(ws.Boxes().size(), 4u);
  EXPECT_EQ(ws.Boxes()[1].kind, ui::BoxKind::kWarning);
  EXPECT_NE(ws.Boxes()[1].text.find("\"C:/.\\\""), std::string::npos);
  EXPECT_TRUE(m.Exists("C:\\x.tmp"));
  EXPECT_FALSE(m.Exists("C:\\WINDOWS\\y.tmp"));
  EXPECT_FALSE(m.Exists("C:\\t\\z.tmp"));
  EXPECT_NE(ws.Boxes()[3].text.find("2 files out of 3"), std::string::npos);
}

TEST_F(OwnList, EverySpellingOfARootOrSystemFolderIsProtected) {
  m.Builder().Folder("C:\\t");
  Open();
  for (const char* folder :
       {"C:/", "C:\\.", "C:\\x\\..", "C:\\\\", "\\\\?\\C:\\", "C:\\WINDOWS\\.", "c:/windows",
        "C:\\WINDOWS.", "C:\\x\\..\\WINDOWS\\", "C:\\Documents and Settings",
        "C:\\Documents and Settings\\User\\.", "//srv/share/x/.."}) {
    EXPECT_TRUE(g->Guard().Refused(folder)) << folder;
  }
  EXPECT_FALSE(g->Guard().Refused("C:\\t\\"));
  EXPECT_FALSE(g->Guard().Refused("C:\\WINDOWS\\Temp"));
}

}  // namespace
}  // namespace desktop
