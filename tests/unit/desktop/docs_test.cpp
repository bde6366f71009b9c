#include "desktop/docs.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/uglobalvars.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace desktop {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kWordpad =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List";
constexpr const char* kOpenSave =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
constexpr const char* kMediaFiles = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
constexpr const char* kMediaUrls = "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList";
constexpr const char* kRealUrl =
    "Software\\CLASSES\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\HistoryList\\URL";
constexpr const char* kRealRecent =
    "Software\\CLASSES\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MostRecentClips";
constexpr const char* kRealRecentUser =
    "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MostRecentClips";
constexpr const char* kRealLocations =
    "Software\\CLASSES\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\OpenLocationClips";
constexpr const char* kMm20 = "Software\\Microsoft\\MM20\\Recent Document List";
constexpr const char* kMorpheus = "Software\\MorpheusOS\\Searches";
constexpr const char* kQuickTime = "Software\\Apple Computer, Inc.\\QuickTime\\Recent Movies";

constexpr const char* kCleaned = "The trail was succesfully cleaned.";
constexpr const char* kNotCleaned = "The trail could not be removed from the registry.";

class DocsTest : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;
  std::unique_ptr<TFrmdocs> w;

  // Creates the window, which loads the list.
  TFrmdocs& Open() {
    w.reset();
    g = std::make_unique<core::Uglobalvars>(m.Platform(), ws);
    w = std::make_unique<TFrmdocs>(*g);
    w->Create();
    return *w;
  }
  void Remove(int index) {
    w->ListBox1.ClickItem(index);
    w->CmdRemove.Click();
  }
  // The count display of an empty list.
  void ExpectCleanAndDisabled() const {
    EXPECT_EQ(w->LblInfo.Caption(), "No viewed names are found. Your system is clean.");
    EXPECT_EQ(w->LblCount.Caption(), "Total Tracks Found = 0");
    EXPECT_FALSE(w->ListBox1.Enabled());
    EXPECT_FALSE(w->CmdRemove.Enabled());
    EXPECT_FALSE(w->CmdRemoveAll.Enabled());
  }
  std::optional<std::string> Hkcu(const char* key, const char* name) const {
    return m.RegString(sim::HKCU, key, name);
  }
};

TEST_F(DocsTest, RemovingTheSecondOfThreeWordPadEntriesShiftsTheThirdUpAndLeavesEmptyStrings) {
  m.Builder()
      .File("C:\\Docs\\b.txt", "kept")
      .RegString(sim::HKCU, kWordpad, "File1", "C:\\Docs\\a.txt")
      .RegString(sim::HKCU, kWordpad, "File2", " C:\\Docs\\b.txt ")
      .RegString(sim::HKCU, kWordpad, "File3", "C:\\Docs\\c.txt");
  Open();
  EXPECT_EQ(w->ListBox1.Items(),
            (Strings{"C:\\Docs\\a.txt", "C:\\Docs\\b.txt", "C:\\Docs\\c.txt"}));
  EXPECT_EQ(w->LblCount.Caption(), "Total Tracks Found = 3");

  Remove(1);
  EXPECT_EQ(Hkcu(kWordpad, "File1"), "C:\\Docs\\a.txt");
  EXPECT_EQ(Hkcu(kWordpad, "File2"), "C:\\Docs\\c.txt");
  EXPECT_EQ(Hkcu(kWordpad, "File3"), "");
  EXPECT_EQ(Hkcu(kWordpad, "File4"), "");
  EXPECT_EQ(w->LblInfo.Caption(), kCleaned);
  EXPECT_EQ(w->LblCount.Caption(), "Total Tracks Found = 2");
  EXPECT_EQ(w->ListBox1.ItemIndex(), 0);
  // The trail went, the document stays.
  EXPECT_EQ(m.ReadFile("C:\\Docs\\b.txt"), "kept");

  // The remembered row moved up too: the third entry is now found at File2.
  Remove(1);
  EXPECT_EQ(Hkcu(kWordpad, "File1"), "C:\\Docs\\a.txt");
  EXPECT_EQ(Hkcu(kWordpad, "File2"), "");
}

TEST_F(DocsTest, ANameInTwoOpenSaveListsHasAllFourValuesEmptiedByOneRemoval) {
  const std::string doc = std::string(kOpenSave) + "\\doc";
  const std::string txt = std::string(kOpenSave) + "\\txt";
  m.Builder()
      .RegString(sim::HKCU, doc, "a", "C:\\Docs\\Letter.doc")
      .RegString(sim::HKCU, doc, "c", "C:\\Docs\\Letter.doc")
      .RegString(sim::HKCU, doc, "MRUList", "ca")
      .RegString(sim::HKCU, txt, "a", " c:\\docs\\LETTER.DOC")
      .RegString(sim::HKCU, txt, "b", "C:\\Docs\\other.txt")
      .RegString(sim::HKCU, txt, "c", "C:\\Docs\\Letter.doc");
  Open();
  ASSERT_EQ(w->ListBox1.Count(), 5);
  Remove(0);
  for (const auto& [key, name] : {std::pair{doc, "a"}, {doc, "c"}, {txt, "a"}, {txt, "c"}})
    EXPECT_EQ(m.RegString(sim::HKCU, key, name), "") << key << " " << name;
  EXPECT_EQ(m.RegString(sim::HKCU, txt, "b"), "C:\\Docs\\other.txt");
  EXPECT_EQ(m.RegString(sim::HKCU, doc, "MRUList"), "ca");
  EXPECT_EQ(w->LblInfo.Caption(), kCleaned);
  // Its other lines stay listed until removed; then nothing is left to change.
  EXPECT_EQ(w->ListBox1.Count(), 4);
  Remove(0);
  EXPECT_EQ(w->LblInfo.Caption(), kNotCleaned);
}

TEST_F(DocsTest, AMediaPlayerFileKeepsItsValueEmptiedWhileAUrlRenumbersTheRest) {
  m.Builder()
      .RegString(sim::HKCU, kMediaFiles, "File0", "C:\\Media\\a.wmv")
      .RegString(sim::HKCU, kMediaFiles, "File1", "C:\\Media\\b.wmv")
      .RegString(sim::HKCU, kMediaUrls, "URL0", "http://u0/")
      .RegString(sim::HKCU, kMediaUrls, "URL1", "http://u1/")
      .RegString(sim::HKCU, kMediaUrls, "URL2", "http://u2/");
  Open();
  EXPECT_EQ(w->ListBox1.Items(), (Strings{"http://u0/", "http://u1/", "http://u2/",
                                          "C:\\Media\\a.wmv", "C:\\Media\\b.wmv"}));
  Remove(3);
  EXPECT_EQ(Hkcu(kMediaFiles, "File0"), "");
  EXPECT_EQ(Hkcu(kMediaFiles, "File1"), "C:\\Media\\b.wmv");
  Remove(0);
  EXPECT_EQ(Hkcu(kMediaUrls, "URL0"), "http://u1/");
  EXPECT_EQ(Hkcu(kMediaUrls, "URL1"), "http://u2/");
  EXPECT_EQ(Hkcu(kMediaUrls, "URL2"), "");
  EXPECT_EQ(w->ListBox1.Items(), (Strings{"http://u1/", "http://u2/", "C:\\Media\\b.wmv"}));
}

TEST_F(DocsTest, EverySourceIsListedInTableOrderAndRemoveAllClearsEachAsItsSourceWants) {
  const std::string real1 = std::string(kRealUrl) + "1";
  m.Builder()
      .RegString(sim::HKCU, "Software\\Microsoft\\Office\\8.0\\Excel\\Recent File List", "File1",
                 "C:\\Docs\\book.xls")
      .RegString(sim::HKCU, kMm20, "Document1", "C:\\Docs\\pub.doc")
      .RegString(sim::HKCU, std::string(kOpenSave) + "\\*", "a", "C:\\Docs\\any.txt")
      .RegString(sim::HKLM, real1, "", "|")
      .RegString(sim::HKLM, std::string(kRealUrl) + "2", "", "http://real/clip.rm")
      // Slot 1 of the machine's and of the user's clips: each line clears its own.
      .RegString(sim::HKLM, std::string(kRealRecent) + "1", "", "C:\\Media\\old.rm")
      .RegString(sim::HKCU, std::string(kRealRecentUser) + "1", "", "C:\\Media\\new.rm")
      .RegString(sim::HKLM, std::string(kRealLocations) + "50", "", "rtsp://live/")
      .RegString(sim::HKCU, kMorpheus, "1014-2", "free music")
      .RegString(sim::HKLM, kQuickTime, "C:\\Media\\trailer.mov", "")
      .RegDword(sim::HKCU, kMm20, "Document2", 7);
  Open();
  EXPECT_EQ(
      w->ListBox1.Items(),
      (Strings{"C:\\Docs\\book.xls", "C:\\Docs\\pub.doc", "C:\\Docs\\any.txt",
               "Real Player URL : http://real/clip.rm", "Real Player Recent : C:\\Media\\old.rm",
               "Real Player Recent 2 : C:\\Media\\new.rm", "Real Player Locations : rtsp://live/",
               "Morpheus : free music", "C:\\Media\\trailer.mov"}));
  // The widest line's width (6 pixels a character headless) and the frame.
  EXPECT_EQ(w->ListBox1.HorizontalExtent(), 6 * 38 + 4);

  ws.Answer(ui::Answer::kNo);
  w->CmdRemoveAll.Click();
  EXPECT_EQ(w->ListBox1.Count(), 9);

  ws.Answer(ui::Answer::kYes);
  w->CmdRemoveAll.Click();
  EXPECT_EQ(ws.Boxes().back().kind, ui::BoxKind::kInformation);
  EXPECT_EQ(w->ListBox1.Count(), 0);
  EXPECT_EQ(
      m.RegString(sim::HKCU, "Software\\Microsoft\\Office\\8.0\\Excel\\Recent File List", "File1"),
      "");
  EXPECT_FALSE(Hkcu(kMm20, "Document1"));
  EXPECT_EQ(m.RegString(sim::HKCU, std::string(kOpenSave) + "\\*", "a"), "");
  EXPECT_EQ(m.RegString(sim::HKLM, real1, ""), "|");
  EXPECT_EQ(m.RegString(sim::HKLM, std::string(kRealUrl) + "2", ""), "");
  EXPECT_EQ(m.RegString(sim::HKLM, std::string(kRealRecent) + "1", ""), "");
  EXPECT_EQ(m.RegString(sim::HKCU, std::string(kRealRecentUser) + "1", ""), "");
  EXPECT_EQ(m.RegString(sim::HKLM, std::string(kRealLocations) + "50", ""), "");
  EXPECT_EQ(Hkcu(kMorpheus, "1014-2"), "");
  EXPECT_FALSE(m.RegString(sim::HKLM, kQuickTime, "C:\\Media\\trailer.mov"));
  EXPECT_EQ(m.RegDword(sim::HKCU, kMm20, "Document2"), 7u);
}

TEST_F(DocsTest, AFailedRegistryWriteSaysTheTrailCouldNotBeRemovedAndTheLastLineDisablesAll) {
  m.Builder()
      .RegString(sim::HKLM, std::string(kRealUrl) + "1", "", "http://a/")
      .RegString(sim::HKLM, std::string(kRealUrl) + "2", "", "http://b/")
      .RegReadOnly(sim::HKLM, std::string(kRealUrl) + "1");
  Open();
  Remove(0);
  EXPECT_EQ(w->LblInfo.Caption(), kNotCleaned);
  EXPECT_EQ(m.RegString(sim::HKLM, std::string(kRealUrl) + "1", ""), "http://a/");
  EXPECT_EQ(w->ListBox1.Items(), Strings{"Real Player URL : http://b/"});
  Remove(0);
  ExpectCleanAndDisabled();
}

TEST_F(DocsTest, NothingFoundShowsTheCleanMessageWithCountZeroAndDisabledButtons) {
  Open();
  ExpectCleanAndDisabled();
}

TEST_F(DocsTest, DoubleClickOpensAnExistingFileAndExplainsWhatCannotBeOpened) {
  m.Builder()
      .File("C:\\Docs\\a.txt")
      .RegString(sim::HKCU, kWordpad, "File1", "C:\\Docs\\a.txt")
      .RegString(sim::HKCU, kWordpad, "File2", "C:\\Docs\\gone.txt");
  Open();
  w->ListBox1.DoubleClickItem(0);
  ASSERT_EQ(m.ShellOpens().size(), 1u);
  EXPECT_EQ(m.ShellOpens()[0].target, "C:\\Docs\\a.txt");
  EXPECT_TRUE(ws.Boxes().empty());

  w->ListBox1.DoubleClickItem(1);
  EXPECT_EQ(m.ShellOpens().size(), 1u);
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kPlain);
  EXPECT_EQ(ws.Boxes()[0].text.rfind("We cannot open or run this file.", 0), 0u);

  m.Builder().OpenResult(31);
  w->ListBox1.DoubleClickItem(0);
  ASSERT_EQ(ws.Boxes().size(), 2u);
  EXPECT_EQ(ws.Boxes()[1].kind, ui::BoxKind::kWarning);
  EXPECT_EQ(ws.Boxes()[1].text.rfind("This file cannot be viewed because", 0), 0u);
  // A click clears the information line.
  Remove(1);
  w->ListBox1.ClickItem(0);
  EXPECT_EQ(w->LblInfo.Caption(), "");
}

}  // namespace
}  // namespace desktop
