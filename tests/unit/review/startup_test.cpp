#include "review/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/window_test.h"
#include "tools/seed/seed.h"

namespace review {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kServices = "SYSTEM\\CurrentControlSet\\Services";
constexpr const char* kBhos =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr const char* kIEMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kDataDir = "C:\\Documents and Settings\\User\\Application Data\\Vostreldata";
constexpr const char* kStartupFolder =
    "C:\\Documents and Settings\\User\\Start Menu\\Programs\\Startup";
constexpr const char* kDeleted = "This value has been successfully deleted from your startup.";
constexpr const char* kBhoClsid = "{11111111-2222-3333-4444-555555555555}";

class StartupTest : public unit::WindowTest<TFrmstartup> {
 protected:
  // A run of the program, then "Review Startup"'s loading.
  TFrmstartup& Open() {
    Start();
    w->PrepareToShow();
    ws.ClearBoxes();
    return *w;
  }
  void Select(ui::ListBox& list, const std::string& line) {
    for (int i = 0; i < list.Count(); ++i) {
      if (list.Item(i) == line) return list.ClickItem(i);
    }
    FAIL() << "no line " << line;
  }
  std::vector<std::string> Backups() const {
    std::vector<std::string> out;
    for (const std::string& f : m.Files(kDataDir))
      if (f.find("RegBackup-") != std::string::npos) out.push_back(f);
    return out;
  }
  void Service(const std::string& name, const std::string& image) {
    m.Builder().RegExpand(sim::HKLM, std::string(kServices) + "\\" + name, "ImagePath", image);
  }
};

TEST_F(StartupTest, RemovingALineDeletesItsOwnValueEvenWhenItHoldsAnotherEntrysCommand) {
  m.Builder()
      .RegString(sim::HKLM, kRun, "Tray", "C:\\App\\app.exe /tray")
      .RegString(sim::HKCU, kRun, "App", "  C:\\App\\app.exe ")
      .RegDword(sim::HKCU, kRun, "Odd", 7);
  Open();
  EXPECT_EQ(w->ListStartup.Items(), (Strings{"C:\\App\\app.exe /tray", "C:\\App\\app.exe"}));
  EXPECT_EQ(w->ListLog,
            (Strings{"SECTION 1:  C:\\App\\app.exe /tray", "SECTION 2:  C:\\App\\app.exe"}));
  EXPECT_EQ(w->ListSaveDelete[1],
            "HKLM RegKey:Software\\Microsoft\\Windows\\CurrentVersion\\Run RegValue:Tray "
            "Action:DELREG");

  ws.Answer(ui::Answer::kYes);
  w->ListStartup.ClickItem(0);
  w->CmdRemove.Click();
  EXPECT_EQ(m.RegString(sim::HKLM, kRun, "Tray"), std::nullopt);
  EXPECT_EQ(m.RegString(sim::HKCU, kRun, "App"), "  C:\\App\\app.exe ");
  EXPECT_EQ(ws.BoxTexts().back(), kDeleted);
  // The line stays until the lists are loaded again; a backup was written.
  EXPECT_EQ(w->ListStartup.Count(), 2);
  ASSERT_EQ(Backups().size(), 1u);

  ws.Answer(ui::Answer::kYes);
  w->CmdRemove.Click();
  EXPECT_EQ(ws.BoxTexts().back(), "This value does not exist! You may have already removed it.");

  ws.Answer(ui::Answer::kCancel);
  w->CmdRemove.Click();
  EXPECT_EQ(ws.BoxTexts().back(), "Nothing removed from your system startup list");
}

TEST_F(StartupTest, AnIniLineClearsOnlyItsIniKeysWithAMessageForEach) {
  // On NT, win.ini's [windows] lives in HKCU ...\Windows, so its "load" is
  // also section 17's value.
  m.Builder()
      .Ini("C:\\WINDOWS\\win.ini", "windows", "run", "C:\\x.exe")
      .Ini("C:\\WINDOWS\\win.ini", "windows", "load", "C:\\x.exe")
      .Ini("C:\\WINDOWS\\system.ini", "boot", "shell", "Explorer.exe")
      .RegString(sim::HKLM, kRun, "X", "x.exe");
  Open();
  EXPECT_EQ(w->ListStartup.Items(),
            (Strings{"x.exe", "C:\\x.exe", "C:\\x.exe", "C:\\x.exe", "Explorer.exe"}));
  EXPECT_EQ(w->ListLog[3], "SECTION 21: C:\\x.exe");
  EXPECT_EQ(w->ListSaveDelete.size(), 4u);  // run value and section 17: no pairs for INI lines

  ws.Answer(ui::Answer::kYes);
  w->ListStartup.ClickItem(2);
  w->CmdRemove.Click();
  ASSERT_EQ(ws.BoxTexts().size(), 3u);
  EXPECT_EQ(ws.BoxTexts()[1], kDeleted);
  EXPECT_EQ(ws.BoxTexts()[2], kDeleted);
  EXPECT_EQ(m.Platform().ini.ReadString("C:\\WINDOWS\\win.ini", "windows", "run", "-"), "");
  EXPECT_EQ(m.Platform().ini.ReadString("C:\\WINDOWS\\win.ini", "windows", "load", "-"), "");
  EXPECT_EQ(m.RegString(sim::HKLM, kRun, "X"), "x.exe");
  EXPECT_EQ(m.Platform().ini.ReadString("C:\\WINDOWS\\system.ini", "boot", "shell", "-"),
            "Explorer.exe");
}

TEST_F(StartupTest, AStartupFolderFileIsDeletedOutrightAndItsLineStays) {
  m.Builder()
      .File(std::string(kStartupFolder) + "\\Tray.lnk", "link")
      .File(std::string(kStartupFolder) + "\\desktop.ini")
      .Folder(std::string(kStartupFolder) + "\\Sub");
  Open();
  const std::string path = std::string(kStartupFolder) + "\\Tray.lnk";
  EXPECT_EQ(w->ListStartup.Items(), (Strings{path}));
  EXPECT_EQ(w->ListLog, (Strings{"SECTION 23: " + path}));
  ws.Answer(ui::Answer::kYes);
  w->CmdRemove.Click();
  EXPECT_FALSE(m.Exists(path));
  EXPECT_TRUE(m.RecycleBin().empty());
  EXPECT_EQ(ws.BoxTexts().back(), kDeleted);
  EXPECT_EQ(w->ListStartup.Count(), 1);

  ws.Answer(ui::Answer::kYes);
  w->CmdRemove.Click();
  EXPECT_EQ(ws.BoxTexts().back(),
            "This value could not be deleted! You may have already removed it or you may not "
            "have authority on your system to delete this.");
}

TEST_F(StartupTest, ServiceRemovalTakesOnlyTheSelectedServiceAlsoAfterFiltering) {
  const std::string netsvcs = "%SystemRoot%\\system32\\svchost.exe -k netsvcs";
  Service("Alpha", netsvcs);
  Service("Beta", "C:\\Beta\\beta.exe");
  Service("Gamma", netsvcs);
  Service("Zeta", "C:\\Zeta\\zeta.exe");
  Open();
  EXPECT_EQ(w->ListServices.Items(),
            (Strings{netsvcs, "C:\\Beta\\beta.exe", netsvcs, "C:\\Zeta\\zeta.exe"}));
  EXPECT_EQ(w->ListSaveServices[0], std::string(kServices) + "\\Alpha");
  w->TabControl1.ChooseTab(3);

  w->ListServices.ClickItem(2);
  w->CmdRemoveService.Click();
  EXPECT_EQ(ws.BoxTexts(), (Strings{kDeleted}));
  EXPECT_EQ(m.RegString(sim::HKLM, std::string(kServices) + "\\Gamma", "ImagePath"), std::nullopt);
  EXPECT_EQ(m.RegString(sim::HKLM, std::string(kServices) + "\\Alpha", "ImagePath"), netsvcs);

  w->EdFilter.Type("  zeta ");
  EXPECT_EQ(w->ListServices.Items(), (Strings{"C:\\Zeta\\zeta.exe"}));
  EXPECT_EQ(w->ListServices.ItemIndex(), 0);
  w->CmdRemoveService.Click();
  EXPECT_EQ(m.RegString(sim::HKLM, std::string(kServices) + "\\Zeta", "ImagePath"), std::nullopt);
  EXPECT_EQ(m.RegString(sim::HKLM, std::string(kServices) + "\\Beta", "ImagePath"),
            "C:\\Beta\\beta.exe");

  w->EdFilter.Type("nothing matches");
  ws.ClearBoxes();
  w->CmdRemoveService.Click();
  EXPECT_EQ(ws.BoxTexts(),
            (Strings{"You must choose a service to remove from your listbox first"}));
}

TEST_F(StartupTest, NothingChangesWhenTheBackupCannotBeWritten) {
  m.Builder().RegString(sim::HKLM, kRun, "Tray", "tray.exe");
  Open();
  m.Builder().FailWrites(kDataDir);
  ws.Answer(ui::Answer::kYes);
  w->CmdRemove.Click();
  EXPECT_EQ(m.RegString(sim::HKLM, kRun, "Tray"), "tray.exe");
  ASSERT_EQ(ws.BoxTexts().size(), 2u);
  EXPECT_NE(ws.BoxTexts()[1].find("Nothing was changed: the registry backup could not be written"),
            std::string::npos);
}

TEST_F(StartupTest, WinlogonValuesAreEditedThroughTheInputBoxAndNeverEmptied) {
  m.Builder()
      .RegString(sim::HKLM, kWinlogon, "Userinit", "C:\\WINDOWS\\system32\\userinit.exe,")
      .RegString(sim::HKLM, kWinlogon, "Shell", "Explorer.exe bad.exe");
  Open();
  EXPECT_EQ(w->ListLog, (Strings{"SECTION 15: C:\\WINDOWS\\system32\\userinit.exe,",
                                 "SECTION 15: Explorer.exe bad.exe"}));
  Select(w->ListStartup, "Explorer.exe bad.exe");
  ws.Answer(ui::Answer::kYes);
  ws.Answer(ui::Answer::kOk);
  ws.AnswerInput(" Explorer.exe ");
  w->CmdRemove.Click();
  EXPECT_EQ(m.RegString(sim::HKLM, kWinlogon, "Shell"), "Explorer.exe");
  EXPECT_EQ(ws.BoxTexts().back(), "This value has been successfully edited in your startup.");
  ASSERT_EQ(ws.Boxes().size(), 3u);
  EXPECT_EQ(ws.Boxes()[1].text.substr(0, 40), "This value must be edited rather then de");

  Select(w->ListStartup, "C:\\WINDOWS\\system32\\userinit.exe,");
  ws.Answer(ui::Answer::kYes);
  ws.Answer(ui::Answer::kOk);
  ws.AnswerInput("   ");
  w->CmdRemove.Click();
  EXPECT_EQ(m.RegString(sim::HKLM, kWinlogon, "Userinit"), "C:\\WINDOWS\\system32\\userinit.exe,");
  EXPECT_EQ(ws.BoxTexts().back(), "Nothing removed from your system startup list");
}

TEST_F(StartupTest, ReadersSeeKeysTheAccountMayOnlyReadAndSkipValuesThatAreNotText) {
  m.Builder()
      .RegString(sim::HKLM, kRun, "A", "a.exe")
      .RegBinary(sim::HKLM, kRun, "B", "b.exe")
      .RegString(sim::HKLM, kRun, "C", " \t ")
      .RegReadOnly(sim::HKLM, kRun);
  Open();
  EXPECT_EQ(w->ListStartup.Items(), (Strings{"a.exe"}));
}

TEST_F(StartupTest, TheSectionReportCoversClassServersShellCommandsSetupAndNotify) {
  const std::string ssodl =
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
  const std::string sts =
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler";
  const std::string setup = "Software\\Microsoft\\Active Setup\\Installed Components";
  const std::string notify = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify";
  m.Builder()
      .RegString(sim::HKLM, ssodl, "Tray", " {AAA} ")
      .RegString(sim::HKLM, sts, "{BBB}", "x")
      .RegString(sim::HKCR, "CLSID\\{AAA}\\InprocServer32", "", "C:\\aaa.dll")
      .RegString(sim::HKCR, "CLSID\\{BBB}\\InprocServer32", "", "C:\\bbb.dll")
      .RegString(sim::HKCR, "exefile\\shell\\open\\command", "", "\"%1\" %*")
      .RegString(sim::HKCR, "batfile\\shell\\open\\command", "", " evil.bat \"%1\" ")
      .RegString(sim::HKLM, setup + "\\{C1}", "StubPath", "C:\\stub.exe")
      .RegString(sim::HKLM, setup + "\\{C1}", "KeyFileName", "C:\\key.dll")
      .RegString(sim::HKLM, notify + "\\crypt", "DLLName", "crypt.dll")
      .RegString(sim::HKLM, notify + "\\crypt", "Logon", "Go")
      .RegDword(sim::HKLM, notify + "\\crypt", "Startup", 1)
      .RegString(sim::HKLM, notify + "\\crypt", "Lock", "L")
      .RegString(sim::HKLM, notify + "\\empty", "Logon", "x");
  Open();
  EXPECT_EQ(w->ListLog,
            (Strings{"SECTION 18: C:\\aaa.dll", "SECTION 19: C:\\bbb.dll",
                     "SECTION 29: evil.bat \"%1\"", "SECTION 41: C:\\stub.exe",
                     "SECTION 42: C:\\key.dll", "SECTION 50: DLL: crypt.dll Lock: L Logon: Go "}));
  EXPECT_EQ(w->ListStartup.Count(), 0);
}

TEST_F(StartupTest, SubkeyReadersStopAtTheirTableSize) {
  auto b = m.Builder();
  for (int i = 0; i < 2005; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "S%05d", i);
    b.RegString(sim::HKLM, std::string(kServices) + "\\" + name, "ImagePath", name);
  }
  Open();
  EXPECT_EQ(w->ListServices.Count(), 2000);
  EXPECT_EQ(w->ListServices.Item(1999), "S01999");
}

TEST_F(StartupTest, BhoLinesNameTheirServerOrSayNotFoundAndTheNotFoundLineIsRemovable) {
  m.Builder()
      .RegKey(sim::HKLM, std::string(kBhos) + "\\" + kBhoClsid)
      .RegString(sim::HKLM, std::string(kBhos) + "\\" + kBhoClsid + "\\Sub", "Flag", "1")
      .RegKey(sim::HKLM, std::string(kBhos) + "\\{22222222-0000-0000-0000-000000000000}")
      .RegString(sim::HKCR, "CLSID\\{22222222-0000-0000-0000-000000000000}\\InprocServer32", "", "")
      .RegKey(sim::HKLM, std::string(kBhos) + "\\{33333333-0000-0000-0000-000000000000}")
      .RegString(sim::HKCR, "CLSID\\{33333333-0000-0000-0000-000000000000}\\InprocServer32", "",
                 "C:\\bar.dll");
  Open();
  EXPECT_EQ(
      w->ListBHO.Items(),
      (Strings{"NOT FOUND : Entry was found, but file is missing (this is ok)", "C:\\bar.dll"}));
  EXPECT_EQ(w->ListBHOHidden[0], kBhoClsid);
  w->TabControl1.ChooseTab(1);

  ws.Answer(ui::Answer::kNo);
  w->CmdBHORem.Click();
  EXPECT_EQ(ws.BoxTexts().back(), "You chose cancel, nothing was removed.");

  ws.Answer(ui::Answer::kYes);
  w->CmdBHORem.Click();
  EXPECT_EQ(ws.BoxTexts()[2],
            "Are you sure you want to remove this BHO entry (NOT FOUND : Entry was found, but file "
            "is missing (this is ok))?");
  EXPECT_EQ(ws.BoxTexts().back(),
            "This BHO entry was successfully removed. It will no longer run in your browser.");
  EXPECT_FALSE(m.KeyExists(sim::HKLM, std::string(kBhos) + "\\" + kBhoClsid));
  EXPECT_EQ(w->ListBHO.Items(), (Strings{"C:\\bar.dll"}));
  EXPECT_EQ(w->ListBHO.ItemIndex(), 0);
  ASSERT_EQ(Backups().size(), 1u);
  EXPECT_NE(m.ReadText(Backups()[0])->find("Sub]\r\n\"Flag\"=\"1\""), std::string::npos);
}

TEST_F(StartupTest, TheBhoSwitchFirstClickDisablesWhenTheSettingWasNotReadable) {
  Open();
  w->TabControl1.ChooseTab(1);
  EXPECT_EQ(w->CmdBHO.Caption(), "Disable BHO's");
  w->CmdBHO.Click();
  EXPECT_EQ(ws.BoxTexts().back(),
            "There are no browser helper objects identified on your pc. You may ignore this "
            "option.");
  m.Builder().RegKey(sim::HKCU, kIEMain);
  w->CmdBHO.Click();
  EXPECT_EQ(m.RegString(sim::HKCU, kIEMain, "Enable Browser Extensions"), "no");
  EXPECT_EQ(w->CmdBHO.Caption(), "Enable BHOs");
  EXPECT_EQ(ws.BoxTexts().back().substr(0, 47), "BHO objects on your computer are now disabled. ");
  w->CmdBHO.Click();
  EXPECT_EQ(m.RegString(sim::HKCU, kIEMain, "Enable Browser Extensions"), "yes");
  EXPECT_EQ(w->CmdBHO.Caption(), "Disable BHOs");

  // A later run reads the stored setting.
  Start();
  w->TabControl1.ChooseTab(1);
  EXPECT_EQ(w->CmdBHO.Caption(), "Disable BHOs");
  EXPECT_EQ(ws.Boxes().size(), 3u);
  w->CmdBHORem.Click();
  EXPECT_EQ(ws.BoxTexts().back(),
            "There are no BHO entries in your list above. There is nothing to remove.");
}

TEST_F(StartupTest, ProcessesAreListedByModulePathOrElseByTheirExecutableName) {
  m.Builder()
      .NoProcesses()
      .Process(4, "System")
      .Process(600, "winlogon.exe", "\\??\\C:\\WINDOWS\\system32\\winlogon.exe")
      .Process(700, "app.exe", "C:\\App\\app.exe");
  Start();
  EXPECT_EQ(w->ListRunningTasks.Items(),
            (Strings{"System", "C:\\WINDOWS\\system32\\winlogon.exe", "C:\\App\\app.exe"}));
  EXPECT_EQ(w->ListRunningTasks.ItemIndex(), 0);
  EXPECT_TRUE(w->ListRunningTasks.Visible() == false);
  w->TabControl1.ChooseTab(2);
  EXPECT_TRUE(w->ListRunningTasks.Visible());
  EXPECT_FALSE(w->ListStartup.Visible());

  m.Builder().NoToolhelp();
  Start();
  EXPECT_EQ(w->ListRunningTasks.Count(), 0);
}

// The demo profile shows every kind of entry, and removing the contained
// command's longer line leaves the shorter one's value.
TEST_F(StartupTest, TheDemoProfileListsEachKindOfEntry) {
  seed::SeedDirtyProfile(m.Platform(), {});
  Open();
  auto logged = [&](const std::string& prefix) {
    int n = 0;
    for (const std::string& line : w->ListLog) n += line.rfind(prefix, 0) == 0;
    return n;
  };
  EXPECT_EQ(logged("SECTION 1:  "), 2);
  EXPECT_EQ(logged("SECTION 6:  "), 1);
  EXPECT_EQ(logged("SECTION 16: "), 1);
  EXPECT_EQ(logged("SECTION 17: "), 1);
  EXPECT_EQ(logged("SECTION 23: "), 2);
  EXPECT_EQ(logged("SECTION 41: "), 2);
  EXPECT_EQ(logged("SECTION 50: "), 1);
  EXPECT_EQ(logged("SECTION 51 - Service Running: "), 4);
  EXPECT_EQ(w->ListBHO.Count(), 2);
  Select(w->ListStartup, "C:\\Program Files\\PrinterTray\\ptray.exe /monitor");
  ws.Answer(ui::Answer::kYes);
  w->CmdRemove.Click();
  EXPECT_EQ(m.RegString(sim::HKLM, kRun, "PrinterTrayMonitor"), std::nullopt);
  EXPECT_EQ(m.RegString(sim::HKLM, kRun, "PrinterTray"),
            "C:\\Program Files\\PrinterTray\\ptray.exe");
}

TEST(Descriptor, SplitsItsPartsAndToleratesBrokenLines) {
  const Descriptor d = ParseDescriptor(MakeDescriptor("HKCU", "Software\\X", "Name Two", "DELREG"));
  EXPECT_EQ(d.root, "HKCU");
  EXPECT_EQ(d.key, "Software\\X");
  EXPECT_EQ(d.value, "Name Two");
  EXPECT_EQ(d.action, "DELREG");
  const Descriptor file = ParseDescriptor(MakeDescriptor(" ", " ", " ", "DELFILE"));
  EXPECT_EQ(file.root, "");
  EXPECT_EQ(file.action, "DELFILE");
  const Descriptor broken = ParseDescriptor("HKLM Action:X RegValue:");
  EXPECT_EQ(broken.root, "HKLM");
  EXPECT_EQ(broken.key, "");
  EXPECT_EQ(ParseDescriptor("").action, "");
}

}  // namespace
}  // namespace review
