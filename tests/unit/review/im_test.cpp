#include "review/im.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/uglobalvars.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace review {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kScanFile =
    "C:\\Documents and Settings\\User\\Application Data\\Vostreldata\\vostscan6.ini";
constexpr const char* kAimUsers = "Software\\America Online\\AIM6\\Users";
constexpr const char* kAimFolder =
    "aol.aimcc.plugin.{61693132-6952-447a-5233-3543796c5a6e}.prefs.logfilepath";
constexpr const char* kMsnUsers = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings";
constexpr const char* kNoLogs =
    "There are no instant messages or old instant messages found in your list.";

class ImTest : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;
  std::unique_ptr<TFrmIM> w;

  // Forms the shared paths and creates the window, which fills the list.
  TFrmIM& Open() {
    g = std::make_unique<core::Uglobalvars>(m.Platform(), ws);
    g->FormBaseFolders();
    g->FormDataPaths();
    w = std::make_unique<TFrmIM>(*g);
    w->Create();
    return *w;
  }
};

TEST_F(ImTest, ListsTheFourMessengersInOrderWithTheirTagsAndASharedFolderTwice) {
  m.Builder()
      .File("C:\\Aim\\Logs\\sam.html")
      .File("C:\\Aim\\Logs\\notes.txt")
      .RegString(sim::HKCU, std::string(kAimUsers) + "\\alice", kAimFolder, "C:\\Aim\\Logs")
      .RegString(sim::HKCU, std::string(kAimUsers) + "\\bob", kAimFolder, "C:\\Aim\\Logs\\")
      .RegString(sim::HKCU, std::string(kAimUsers) + "\\carol", kAimFolder, "")
      .File("C:\\Msn\\History\\Sam1234.xml")
      .RegString(sim::HKCU, std::string(kMsnUsers) + "\\1234", "MessageLogPath", "C:\\Msn\\History")
      .File("C:\\Yahoo\\a\\1.dat")
      .File("C:\\Yahoo\\b\\2.dat")
      .File("C:\\Yahoo\\c\\3.dat")
      .Ini(kScanFile, "YH25", "P1", "C:\\Yahoo\\a\\")
      .Ini(kScanFile, "YH25", "P2", "C:\\Yahoo\\b\\")
      .Ini(kScanFile, "YH25", "P3", "")
      .Ini(kScanFile, "YH25", "P4", "C:\\Yahoo\\c\\")
      .File("C:\\AimPro\\Archive\\chat.htm")
      .Ini(kScanFile, "APRO25", "P1", "C:\\AimPro\\Archive\\");
  Open();
  // A gap in the records ends them: the third Yahoo folder is not read.
  EXPECT_EQ(w->ListBox1.Items(),
            (Strings{"AIM6   :C:\\Aim\\Logs\\sam.html", "AIM6   :C:\\Aim\\Logs\\sam.html",
                     "MSN    :C:\\Msn\\History\\Sam1234.xml", "YAHOO  :C:\\Yahoo\\a\\1.dat",
                     "YAHOO  :C:\\Yahoo\\b\\2.dat", "AIMPRO :C:\\AimPro\\Archive\\chat.htm"}));
  EXPECT_EQ(w->ListBox1.ItemIndex(), 0);
  EXPECT_EQ(w->ListBox1.HorizontalExtent(), 6 * 34 + 400 + 4);

  w->ListBox1.ClickItem(2);
  EXPECT_EQ(w->LblName.Caption(), "Sam1234.xml");
}

TEST_F(ImTest, AYahooLogCanBeRemovedButNotViewedAndOtherLogsOpen) {
  m.Builder()
      .File("C:\\Yahoo\\a\\1.dat")
      .Ini(kScanFile, "YH25", "P1", "C:\\Yahoo\\a\\")
      .File("C:\\AimPro\\Archive\\chat.htm")
      .Ini(kScanFile, "APRO25", "P1", "C:\\AimPro\\Archive\\");
  Open();
  w->CmdView.Click();
  ASSERT_EQ(ws.BoxTexts().size(), 1u);
  EXPECT_EQ(ws.BoxTexts()[0].rfind("This Yahoo IM appears to be unreadable", 0), 0u);
  EXPECT_TRUE(m.ShellOpens().empty());

  w->ListBox1.DoubleClickItem(1);
  ASSERT_EQ(m.ShellOpens().size(), 1u);
  EXPECT_EQ(m.ShellOpens()[0].target, "C:\\AimPro\\Archive\\chat.htm");
  m.Builder().OpenResult(2);
  w->CmdView.Click();
  EXPECT_EQ(ws.BoxTexts().back(),
            "An error occurred trying to open this log for viewing. You can view this log "
            "manually by just going to the folder and opening the log file.");

  w->ListBox1.ClickItem(0);
  w->CmdDel.Click();
  EXPECT_FALSE(m.Exists("C:\\Yahoo\\a\\1.dat"));
  EXPECT_TRUE(m.RecycleBin().empty());
  EXPECT_EQ(w->ListBox1.Items(), Strings{"AIMPRO :C:\\AimPro\\Archive\\chat.htm"});
  EXPECT_EQ(w->ListBox1.ItemIndex(), 0);
}

TEST_F(ImTest, ALogThatCannotBeDeletedStaysListedWithAMessage) {
  m.Builder()
      .File("C:\\AimPro\\Archive\\chat.htm")
      .Locked()
      .Ini(kScanFile, "APRO25", "P1", "C:\\AimPro\\Archive\\");
  Open();
  w->CmdDel.Click();
  EXPECT_TRUE(m.Exists("C:\\AimPro\\Archive\\chat.htm"));
  EXPECT_EQ(w->ListBox1.Count(), 1);
  EXPECT_EQ(ws.BoxTexts(),
            Strings{"Instant Message C:\\AimPro\\Archive\\chat.htm could not be deleted. Make sure "
                    "you have access to your hard drive as it appears that you may not have access "
                    "or authority to delete this on your system."});
}

TEST_F(ImTest, WithNothingFoundBothButtonsSayTheListIsEmpty) {
  Open();
  EXPECT_EQ(w->ListBox1.Count(), 0);
  w->CmdView.Click();
  w->CmdDel.Click();
  EXPECT_EQ(ws.BoxTexts(), (Strings{kNoLogs, kNoLogs}));
}

}  // namespace
}  // namespace review
