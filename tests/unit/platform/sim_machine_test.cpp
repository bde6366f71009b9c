// The simulated machine's own behaviour: its defaults, the builder, the
// injected failures and the Windows details the contract suite cannot
// reach (8.3 names, MAX_PATH edges, junctions, INI bytes).
#include "platform/sim/machine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using platform::Access;
using platform::Error;
using platform::kFindAnyFile;
using sim::HKCR;
using sim::HKCU;
using sim::HKLM;
using ::testing::ElementsAre;
namespace csidl = platform::csidl;

std::vector<std::string> Names(platform::FileSystem& fs, const std::string& pattern,
                               uint32_t allowed = kFindAnyFile) {
  std::vector<std::string> out;
  auto h = fs.FindFirst(pattern, allowed);
  platform::FindData d;
  while (h && h->Next(d)) out.push_back(d.name);
  return out;
}

class SimMachine : public ::testing::Test {
 protected:
  sim::Machine m;
  platform::FileSystem& fs = m.Platform().fs;
  platform::Registry& reg = m.Platform().registry;
  platform::Ini& ini = m.Platform().ini;
  platform::Shell& shell = m.Platform().shell;
};

// --- Defaults ----------------------------------------------------------------

TEST_F(SimMachine, DefaultIsAnXpMachineWithItsFolders) {
  EXPECT_EQ(m.Platform().system.Version().major, 5u);
  EXPECT_EQ(m.Platform().system.Version().csd, "Service Pack 3");
  EXPECT_EQ(fs.WindowsFolder(), "C:\\WINDOWS");
  EXPECT_EQ(fs.SystemFolder(), "C:\\WINDOWS\\system32");
  EXPECT_EQ(fs.TempPath(), "C:\\Documents and Settings\\User\\Local Settings\\Temp\\");
  EXPECT_TRUE(fs.IsFolder(fs.TempPath()));
  EXPECT_TRUE(m.Exists(m.Platform().system.ProgramPath()));
  EXPECT_EQ(shell.SpecialFolder(fs.SystemFolder(), csidl::kInternetCache, false),
            "C:\\Documents and Settings\\User\\Local Settings\\Temporary Internet Files");
  // Explorer's Shell Folders keys name the same folders.
  EXPECT_EQ(
      m.RegString(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                  "Cache"),
      shell.SpecialFolder(fs.SystemFolder(), csidl::kInternetCache, false));
  EXPECT_EQ(m.RegString(
                HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                "AppData"),
            "%USERPROFILE%\\Application Data");
  EXPECT_EQ(ini.ReadString("win.ini", "Mail", "MAPI", ""), "1");
  auto drives = fs.Drives();
  ASSERT_EQ(drives.size(), 1u);
  EXPECT_EQ(drives[0].label, "SYSTEM");
}

TEST_F(SimMachine, LayoutsMoveTheSpecialAndSystemFolders) {
  const char* kShell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  const char* kUser = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  m.Builder().Version(sim::WinVista).Layout(sim::LayoutVista);
  EXPECT_EQ(fs.WindowsFolder(), "C:\\Windows");
  EXPECT_EQ(fs.TempPath(), "C:\\Users\\User\\AppData\\Local\\Temp\\");
  EXPECT_TRUE(fs.IsFolder(fs.TempPath()));
  EXPECT_TRUE(shell.HasSpecialFolderFunction(fs.SystemFolder()));
  EXPECT_EQ(shell.SpecialFolder(fs.SystemFolder(), csidl::kAppData, false),
            "C:\\Users\\User\\AppData\\Roaming");
  EXPECT_EQ(m.RegString(HKCU, kUser, "Cache"),
            "%USERPROFILE%\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files");
  EXPECT_EQ(m.RegString(HKLM, kShell, "Common AppData"), "C:\\ProgramData");
  EXPECT_THAT(Names(fs, "C:\\Win*"), ElementsAre("Windows"));

  m.Builder().Version(sim::Win98).Layout(sim::Layout9x);
  EXPECT_EQ(fs.SystemFolder(), "C:\\WINDOWS\\SYSTEM");
  EXPECT_EQ(fs.TempPath(), "C:\\WINDOWS\\TEMP\\");
  EXPECT_EQ(shell.SpecialFolder(fs.SystemFolder(), csidl::kProfile, false), std::nullopt);
  EXPECT_EQ(shell.SpecialFolder(fs.SystemFolder(), csidl::kCookies, false), "C:\\WINDOWS\\Cookies");
  EXPECT_EQ(m.RegString(HKCU, kShell, "Cache"), "C:\\WINDOWS\\Temporary Internet Files");
  EXPECT_EQ(m.RegString(HKCU, kShell, "Local AppData"), std::nullopt);
  EXPECT_EQ(m.RegString(HKCU, kUser, "Cache"), std::nullopt);
  EXPECT_EQ(ini.ReadString("system.ini", "drivers", "wave", ""), "mmdrv.dll");
}

// --- Builder -----------------------------------------------------------------

TEST_F(SimMachine, BuilderChainsFilesAttributesAndTimes) {
  platform::FileTime t = sim::ToFileTime(2001, 2, 3, 4, 5, 6);
  m.Builder()
      .File("C:\\Temp\\a.tmp", "data")
      .ReadOnly()
      .Hidden()
      .Modified(t)
      .File("C:\\Temp\\Deep\\er\\b.txt")
      .Folder("C:\\Empty");
  EXPECT_EQ(m.Attributes("C:\\temp\\A.TMP"),
            platform::kAttrArchive | platform::kAttrReadOnly | platform::kAttrHidden);
  EXPECT_EQ(m.ReadFile("C:\\Temp\\a.tmp"), "data");
  EXPECT_THAT(m.Files("C:\\Temp"), ElementsAre("C:\\Temp\\a.tmp", "C:\\Temp\\Deep\\er\\b.txt"));
  EXPECT_TRUE(fs.IsFolder("C:\\Empty"));
  auto h = fs.FindFirst("C:\\Temp\\a.tmp", kFindAnyFile);
  platform::FindData d;
  ASSERT_TRUE(h && h->Next(d));
  EXPECT_EQ(d.last_write_time, t);
}

TEST_F(SimMachine, BuilderMistakesThrow) {
  EXPECT_THROW(m.Builder().ReadOnly(), std::invalid_argument);
  m.Builder().File("C:\\f.txt");
  EXPECT_THROW(m.Builder().File("C:\\f.txt\\g.txt"), std::invalid_argument);
  EXPECT_THROW(m.Builder().Folder("Q:\\nodrive"), std::invalid_argument);
  EXPECT_THROW(m.Builder().Locked("C:\\missing"), std::invalid_argument);
  EXPECT_THROW(m.Builder().Unlistable("C:\\f.txt"), std::invalid_argument);
}

TEST_F(SimMachine, BigFilesHaveSixtyFourBitSizesAndAreNotReadWhole) {
  m.Builder().BigFile("C:\\big.bin", 5ull << 30).File("C:\\small.bin").Size(3);
  EXPECT_EQ(fs.GetSize("C:\\big.bin"), 5ull << 30);
  EXPECT_EQ(fs.ReadBytes("C:\\big.bin"), std::nullopt);
  EXPECT_EQ(fs.ReadBytes("C:\\small.bin"), std::string(3, '\0'));
  EXPECT_TRUE(fs.OverwriteInPlace("C:\\big.bin", 0xFF));
  EXPECT_EQ(fs.GetSize("C:\\big.bin"), 5ull << 30);
}

TEST_F(SimMachine, ExtraDrivesListInLetterOrder) {
  m.Builder()
      .Drive("E:", platform::DriveType::kCdRom)
      .Drive("D:\\", platform::DriveType::kRemovable, "STICK")
      .File("D:\\x.txt", "x");
  auto drives = fs.Drives();
  ASSERT_EQ(drives.size(), 3u);
  EXPECT_EQ(drives[1].root, "D:\\");
  EXPECT_EQ(drives[1].label, "STICK");
  EXPECT_EQ(drives[2].type, platform::DriveType::kCdRom);
  EXPECT_EQ(fs.ReadBytes("d:\\X.TXT"), "x");
  // A file moves across drives; a folder does not.
  EXPECT_TRUE(fs.MoveFile("D:\\x.txt", "C:\\x.txt"));
  m.Builder().Folder("D:\\dir");
  EXPECT_FALSE(fs.MoveFile("D:\\dir", "C:\\dir"));
}

// --- Paths and names ---------------------------------------------------------

TEST_F(SimMachine, PathsAreNormalisedAsWin32Does) {
  m.Builder().File("C:\\Temp\\a.txt", "a");
  EXPECT_EQ(fs.ReadBytes("c:/temp/a.txt"), "a");
  EXPECT_EQ(fs.ReadBytes("C:\\Temp\\sub\\..\\.\\a.txt"), "a");
  EXPECT_EQ(fs.ReadBytes("C:\\Temp\\\\a.txt. . "), "a");
  EXPECT_EQ(fs.ReadBytes("\\Temp\\a.txt"), "a");  // the current drive
  m.Builder().CurrentFolder("C:\\Temp");
  EXPECT_EQ(fs.ReadBytes("a.txt"), "a");
  EXPECT_THAT(Names(fs, "*.txt", 0), ElementsAre("a.txt"));
  EXPECT_EQ(fs.GetAttributes("\\\\server\\share\\a.txt"), std::nullopt);
  EXPECT_EQ(fs.WriteBytes("C:\\Temp\\a<b", "x").error, Error::kInvalidName);
}

TEST_F(SimMachine, MaxPathCountsUtf16UnitsAndTheTerminator) {
  // "C:\\" + 256 characters = 259: the longest path Windows accepts.
  std::string fits = "C:\\" + std::string(256, 'a');
  EXPECT_TRUE(fs.WriteBytes(fits, "x"));
  EXPECT_EQ(fs.WriteBytes(fits + "b", "x").error, Error::kInvalidName);
  std::string cyrillic;
  for (int i = 0; i < 128; ++i) cyrillic += "ж";  // 256 bytes, 128 characters
  EXPECT_TRUE(fs.WriteBytes("C:\\" + cyrillic, "x"));
  // A relative path that becomes too long is refused as well.
  m.Builder().CurrentFolder("C:\\" + std::string(200, 'd'));
  EXPECT_EQ(fs.WriteBytes(std::string(60, 'f'), "x").error, Error::kInvalidName);
}

TEST_F(SimMachine, ShortNamesAreGeneratedOnceInTheTildeStyle) {
  m.Builder()
      .File("C:\\Long Folder\\a file name.html")
      .File("C:\\Long Folder\\a file name 2.html")
      .File("C:\\Long Folder\\ok.txt")
      .File("C:\\Long Folder\\файл.txt");
  EXPECT_EQ(fs.ShortPath("C:\\Long Folder\\a file name.html"), "C:\\LONGFO~1\\AFILEN~1.HTM");
  EXPECT_EQ(fs.ShortPath("c:\\long folder\\a file name 2.html"), "c:\\LONGFO~1\\AFILEN~2.HTM");
  EXPECT_EQ(fs.ShortPath("C:\\Long Folder\\ok.txt"), "C:\\LONGFO~1\\ok.txt");
  EXPECT_EQ(fs.ShortPath("C:\\Long Folder\\файл.txt"), "C:\\LONGFO~1\\____~1.TXT");
  EXPECT_EQ(fs.ShortPath("C:\\Program Files"), "C:\\PROGRA~1");
  EXPECT_EQ(fs.ReadBytes("C:\\LONGFO~1\\AFILEN~2.HTM"), "");
  // Removing the first keeps the second's name; a new one gets ~1 again.
  ASSERT_TRUE(fs.DeleteFile("C:\\Long Folder\\a file name.html"));
  EXPECT_EQ(fs.ShortPath("C:\\Long Folder\\a file name 2.html"), "C:\\LONGFO~1\\AFILEN~2.HTM");
  ASSERT_TRUE(fs.MoveFile("C:\\Long Folder\\ok.txt", "C:\\Long Folder\\a file name 3.html"));
  EXPECT_EQ(fs.ShortPath("C:\\Long Folder\\a file name 3.html"), "C:\\LONGFO~1\\AFILEN~1.HTM");
}

TEST_F(SimMachine, WithoutShortNamesTheLongPathComesBack) {
  m.Builder().NoShortNames().File("C:\\Long Folder\\a file.txt");
  EXPECT_EQ(fs.ShortPath("C:\\Long Folder\\a file.txt"), "C:\\Long Folder\\a file.txt");
  auto h = fs.FindFirst("C:\\Long Folder\\*.txt", 0);
  platform::FindData d;
  ASSERT_TRUE(h && h->Next(d));
  EXPECT_EQ(d.short_name, "");
}

TEST_F(SimMachine, FindListsInNameOrderWithDotsForNonRootFolders) {
  m.Builder().File("C:\\T\\b.txt").File("C:\\T\\A.txt").Folder("C:\\T\\c");
  EXPECT_THAT(Names(fs, "C:\\T\\*"), ElementsAre(".", "..", "A.txt", "b.txt", "c"));
  for (const auto& name : Names(fs, "C:\\*")) EXPECT_NE(name, ".");
  // Pattern matches that the filter removes give an empty listing; no
  // match at all fails.
  Error e = Error::kNone;
  auto h = fs.FindFirst("C:\\T\\c", 0, &e);
  ASSERT_NE(h, nullptr);
  platform::FindData d;
  EXPECT_FALSE(h->Next(d));
  EXPECT_EQ(fs.FindFirst("C:\\T\\*.none", kFindAnyFile, &e), nullptr);
  EXPECT_EQ(e, Error::kNotFound);
  EXPECT_EQ(fs.FindFirst("", kFindAnyFile, &e), nullptr);
  EXPECT_EQ(e, Error::kPathNotFound);
}

TEST_F(SimMachine, JunctionsLeadToTheirTargetAndRemoveAsLinks) {
  m.Builder().File("C:\\real\\inner\\f.txt", "f").Junction("C:\\real\\inner\\loop", "C:\\real");
  EXPECT_EQ(m.Attributes("C:\\real\\inner\\loop"),
            platform::kAttrDirectory | platform::kAttrReparsePoint);
  EXPECT_EQ(fs.ReadBytes("C:\\real\\inner\\loop\\inner\\f.txt"), "f");
  EXPECT_THAT(Names(fs, "C:\\real\\inner\\loop\\*"), ElementsAre(".", "..", "inner"));
  EXPECT_TRUE(fs.RemoveFolder("C:\\real\\inner\\loop"));
  EXPECT_TRUE(m.Exists("C:\\real\\inner\\f.txt"));
}

// --- Injected file-system failures ----------------------------------------------

TEST_F(SimMachine, LockedEntriesResistDeletionMovesAndRemoval) {
  m.Builder().File("C:\\d\\index.dat", "x").Locked().Folder("C:\\busy").Locked();
  EXPECT_EQ(fs.DeleteFile("C:\\d\\index.dat").error, Error::kSharingViolation);
  EXPECT_EQ(fs.MoveFile("C:\\d", "C:\\e").error, Error::kAccessDenied);
  EXPECT_EQ(fs.RemoveFolder("C:\\busy").error, Error::kSharingViolation);
  EXPECT_EQ(fs.GetSize("C:\\d\\index.dat"), 1u);
  m.UnlockAll();
  EXPECT_TRUE(fs.DeleteFile("C:\\d\\index.dat"));
  EXPECT_TRUE(fs.RemoveFolder("C:\\busy"));
}

TEST_F(SimMachine, TheCurrentFolderCannotBeRemoved) {
  m.Builder().CurrentFolder("C:\\work");
  EXPECT_EQ(fs.RemoveFolder("C:\\work").error, Error::kSharingViolation);
}

TEST_F(SimMachine, UnlistableFolderFailsFindButKeepsItsEntries) {
  m.Builder().File("C:\\secret\\a.txt").Unlistable("C:\\secret");
  Error e = Error::kNone;
  EXPECT_EQ(fs.FindFirst("C:\\secret\\*", kFindAnyFile, &e), nullptr);
  EXPECT_EQ(e, Error::kAccessDenied);
  EXPECT_TRUE(fs.Exists("C:\\secret\\a.txt"));
  EXPECT_THAT(Names(fs, "C:\\secr*"), ElementsAre("secret"));
}

TEST_F(SimMachine, FailingWritesOnAFileLeaveItEmpty) {
  m.Builder().File("C:\\data.ini", "[S]\r\nK=1\r\n").FailWrites();
  EXPECT_EQ(fs.WriteBytes("C:\\data.ini", "new").error, Error::kWriteFault);
  EXPECT_EQ(m.ReadFile("C:\\data.ini"), "");
  EXPECT_EQ(fs.OverwriteInPlace("C:\\data.ini", 0).error, Error::kWriteFault);
  EXPECT_TRUE(fs.DeleteFile("C:\\data.ini"));
}

TEST_F(SimMachine, FailingWritesOnAFolderCoverEverythingBelow) {
  m.Builder().File("C:\\full\\sub\\old.txt", "old").FailWrites("C:\\full");
  EXPECT_EQ(fs.WriteBytes("C:\\full\\new.txt", "x").error, Error::kWriteFault);
  EXPECT_EQ(fs.CreateFolder("C:\\full\\new").error, Error::kWriteFault);
  EXPECT_EQ(fs.WriteBytes("C:\\full\\sub\\old.txt", "x").error, Error::kWriteFault);
  EXPECT_EQ(fs.SetAttributes("C:\\full\\sub", platform::kAttrHidden).error, Error::kWriteFault);
  EXPECT_FALSE(ini.WriteString("C:\\full\\x.ini", "S", "K", "V"));
  EXPECT_FALSE(m.Exists("C:\\full\\new.txt"));
  m.Builder().File("C:\\elsewhere.txt");
  EXPECT_EQ(fs.MoveFile("C:\\elsewhere.txt", "C:\\full\\moved.txt").error, Error::kWriteFault);
}

// --- Registry ----------------------------------------------------------------------

TEST_F(SimMachine, ValuesKeepInsertionOrderAndSubkeysSortByName) {
  m.Builder()
      .RegString(HKCU, "Software\\X", "Zeta", "z")
      .RegDword(HKCU, "Software\\X", "alpha", 1)
      .RegString(HKCU, "Software\\X", "", "default")
      .RegKey(HKCU, "Software\\X\\zkey")
      .RegKey(HKCU, "Software\\X\\Akey")
      .RegKey(HKCU, "Software\\X\\mkey");
  auto key = reg.Open(HKCU, "software\\x", false, Access::kRead);
  ASSERT_NE(key, nullptr);
  EXPECT_THAT(key->ValueNames(), ElementsAre("Zeta", "alpha", ""));
  EXPECT_THAT(key->SubkeyNames(), ElementsAre("Akey", "mkey", "zkey"));
  EXPECT_EQ(m.RegDword(HKCU, "Software\\X", "ALPHA"), 1u);
}

TEST_F(SimMachine, BlockedKeysNeitherOpenNorCreate) {
  m.Builder()
      .RegString(HKLM, "Software\\Locked\\Sub", "v", "x")
      .RegBlocked(HKLM, "Software\\Locked");
  EXPECT_EQ(reg.Open(HKLM, "Software\\Locked", false, Access::kRead), nullptr);
  EXPECT_EQ(reg.Open(HKLM, "Software\\Locked\\Sub", false, Access::kRead), nullptr);
  EXPECT_EQ(reg.Open(HKLM, "Software\\Locked\\New", true, Access::kFull), nullptr);
  EXPECT_FALSE(reg.DeleteTree(HKLM, "Software\\Locked"));
  EXPECT_TRUE(m.KeyExists(HKLM, "Software\\Locked\\Sub"));
  EXPECT_NE(reg.Open(HKLM, "Software\\LockedNot", true, Access::kFull), nullptr);
}

TEST_F(SimMachine, ReadOnlyKeysOpenOnlyForReading) {
  m.Builder().RegDword(HKLM, "Software\\Policy", "v", 1).RegReadOnly(HKLM, "Software\\Policy");
  EXPECT_NE(reg.Open(HKLM, "Software\\Policy", false, Access::kRead), nullptr);
  EXPECT_EQ(reg.Open(HKLM, "Software\\Policy", false, Access::kFull), nullptr);
  EXPECT_EQ(reg.Open(HKLM, "Software\\Policy\\New", true, Access::kRead), nullptr);
  EXPECT_EQ(reg.DeleteTree(HKLM, "Software\\Policy").error, Error::kAccessDenied);
}

TEST_F(SimMachine, ClassesRootIsTheMachineClassesKey) {
  m.Builder().RegString(HKCR, "txtfile\\shell\\open\\command", "", "notepad.exe %1");
  EXPECT_EQ(m.RegString(HKLM, "Software\\Classes\\txtfile\\shell\\open\\command", ""),
            "notepad.exe %1");
}

TEST_F(SimMachine, OtherValueTypesAreListedButNotRead) {
  m.Builder().RegRaw(HKCU, "Software\\X", "Multi", 7, std::string("a\0b\0\0", 5));
  auto key = reg.Open(HKCU, "Software\\X", false, Access::kRead);
  EXPECT_EQ(key->GetValueType("Multi"), platform::ValueType::kOther);
  EXPECT_EQ(key->ReadString("Multi"), std::nullopt);
  EXPECT_EQ(key->ReadBinary("Multi"), std::nullopt);
  EXPECT_THAT(key->ValueNames(), ElementsAre("Multi"));
}

TEST_F(SimMachine, AKeyDeletedWhileOpenStopsWorking) {
  auto key = reg.Open(HKCU, "Software\\Gone", true, Access::kFull);
  ASSERT_TRUE(key->WriteDword("v", 1));
  ASSERT_TRUE(reg.DeleteTree(HKCU, "Software\\Gone"));
  EXPECT_FALSE(key->WriteDword("v", 2));
  EXPECT_FALSE(key->ValueExists("v"));
  EXPECT_FALSE(m.KeyExists(HKCU, "Software\\Gone"));
}

// --- INI files ---------------------------------------------------------------------

TEST_F(SimMachine, NewIniFilesAreUtf16AndHandWrittenOnesKeepTheirBytes) {
  m.Builder().Ini("C:\\new.ini", "S", "K", "V");
  EXPECT_EQ(m.ReadFile("C:\\new.ini"),
            std::string("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0V\0\r\0\n\0", 22));
  EXPECT_EQ(m.ReadText("C:\\new.ini"), "[S]\r\nK=V\r\n");

  const std::string hand = "; mine\n[S]\nA = 1\n\n[T]\nB=2";
  m.Builder().File("C:\\hand.ini", hand);
  ASSERT_TRUE(ini.WriteString("C:\\hand.ini", "S", "New", "n"));
  ASSERT_TRUE(ini.WriteString("C:\\hand.ini", "T", "C", "3"));
  EXPECT_EQ(m.ReadFile("C:\\hand.ini"), "; mine\n[S]\nA = 1\nNew=n\r\n\n[T]\nB=2\r\nC=3\r\n");
  ASSERT_TRUE(ini.WriteString("C:\\hand.ini", "s", "a", "one"));
  EXPECT_EQ(m.ReadFile("C:\\hand.ini"), "; mine\n[S]\nA=one\nNew=n\r\n\n[T]\nB=2\r\nC=3\r\n");
}

TEST_F(SimMachine, ADamagedUtf16IniKeepsTheBytesOfTheLinesNotWritten) {
  // "[A]\r\nK=" then a lone surrogate, "\r\n[B]\r\nZ=1\r\n" and one odd byte.
  auto units = [](std::string_view ascii) {
    std::string out;
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
  };
  const std::string damaged = "\xFF\xFE" + units("[A]\r\nK=") + std::string("\x00\xD8", 2) +
                              units("\r\n[B]\r\nZ=1\r\n") + "Q";
  m.Builder().File("C:\\damaged.ini", damaged);
  EXPECT_EQ(ini.ReadString("C:\\damaged.ini", "A", "K", ""), "\xEF\xBF\xBD");
  ASSERT_TRUE(ini.WriteString("C:\\damaged.ini", "B", "N", "2"));
  EXPECT_EQ(m.ReadFile("C:\\damaged.ini"),
            damaged.substr(0, damaged.size() - 1) + units("N=2\r\n") + "Q");
}

TEST_F(SimMachine, LockedIniFilesReadDefaultsAndRefuseWrites) {
  m.Builder().Ini("C:\\x.ini", "S", "K", "V").Locked();
  EXPECT_EQ(ini.ReadString("C:\\x.ini", "S", "K", "dflt"), "dflt");
  EXPECT_EQ(ini.WriteString("C:\\x.ini", "S", "K", "W").error, Error::kSharingViolation);
  m.UnlockAll();
  EXPECT_EQ(ini.ReadString("C:\\x.ini", "S", "K", "dflt"), "V");
}

TEST_F(SimMachine, BareIniNamesLiveInTheWindowsFolder) {
  ASSERT_TRUE(ini.WriteString("vost.ini", "S", "K", "V"));
  EXPECT_TRUE(m.Exists("C:\\WINDOWS\\vost.ini"));
  EXPECT_EQ(ini.ReadString("C:\\WINDOWS\\VOST.INI", "S", "K", ""), "V");
}

TEST_F(SimMachine, WinIniWindowsSectionIsInTheRegistryOnNtAndInTheFileOn9x) {
  const char* kKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
  m.Builder().Ini("win.ini", "windows", "run", "spy.exe");
  EXPECT_EQ(m.RegString(HKCU, kKey, "run"), "spy.exe");
  EXPECT_EQ(ini.ReadString("C:\\WINDOWS\\WIN.INI", "Windows", "RUN", ""), "spy.exe");
  EXPECT_THAT(ini.KeyNames("win.ini", "windows"), ElementsAre("run"));
  ASSERT_TRUE(ini.DeleteKey("win.ini", "windows", "run"));
  EXPECT_EQ(m.RegString(HKCU, kKey, "run"), std::nullopt);
  EXPECT_EQ(m.ReadText("C:\\WINDOWS\\win.ini")->find("[windows]"), std::string::npos);

  m.Builder().Version(sim::Win98).Ini("win.ini", "windows", "load", "old.exe");
  EXPECT_EQ(m.RegString(HKCU, kKey, "load"), std::nullopt);
  EXPECT_NE(m.ReadText("C:\\WINDOWS\\win.ini")->find("[windows]\r\nload=old.exe\r\n"),
            std::string::npos);
}

// --- Shell -------------------------------------------------------------------------

TEST_F(SimMachine, SpecialFoldersCanBeMovedRemovedOrLackTheirFunction) {
  std::string sys = fs.SystemFolder();
  m.Builder()
      .Drive("D:", platform::DriveType::kFixed)
      .SpecialFolder(csidl::kAppData, "D:\\Roaming");
  EXPECT_EQ(shell.SpecialFolder(sys, csidl::kAppData, false), "D:\\Roaming");
  EXPECT_EQ(
      m.RegString(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                  "AppData"),
      "D:\\Roaming");

  ASSERT_TRUE(fs.RemoveFolder("D:\\Roaming"));
  EXPECT_EQ(shell.SpecialFolder(sys, csidl::kAppData, false), std::nullopt);
  EXPECT_EQ(shell.SpecialFolder(sys, csidl::kAppData, true), "D:\\Roaming");
  EXPECT_TRUE(fs.IsFolder("D:\\Roaming"));

  m.Builder().NoSpecialFolder(csidl::kCookies);
  EXPECT_EQ(shell.SpecialFolder(sys, csidl::kCookies, true), std::nullopt);
  m.Builder().NoSpecialFolderFunction();
  EXPECT_FALSE(shell.HasSpecialFolderFunction(sys));
  EXPECT_EQ(shell.SpecialFolder(sys, csidl::kAppData, false), std::nullopt);
}

TEST_F(SimMachine, RecycleBinTakesFilesAndFoldersAndExpandsWildcards) {
  m.Builder()
      .File("C:\\rb\\a.tmp", "aa")
      .File("C:\\rb\\b.tmp", "bbb")
      .File("C:\\rb\\keep.txt")
      .File("C:\\rb\\dir\\x.bin", "xxxx")
      .Recycled("C:\\old.doc", 10);
  EXPECT_EQ(shell.SendToRecycleBin({"C:\\rb\\*.tmp", "C:\\rb\\dir"}), 0);
  EXPECT_THAT(m.Files("C:\\rb"), ElementsAre("C:\\rb\\keep.txt"));
  ASSERT_EQ(m.RecycleBin().size(), 4u);
  EXPECT_EQ(m.RecycleBin()[1].original_path, "C:\\rb\\a.tmp");
  EXPECT_TRUE(m.RecycleBin()[3].folder);
  EXPECT_EQ(m.RecycleBin()[3].bytes, 4u);
  EXPECT_EQ(shell.QueryRecycleBin().items, 4u);
  EXPECT_EQ(shell.QueryRecycleBin().bytes, 19u);
  EXPECT_TRUE(shell.EmptyRecycleBin(0));
  EXPECT_EQ(shell.QueryRecycleBin().items, 0u);
}

TEST_F(SimMachine, RecyclingStopsAtTheFirstFailure) {
  m.Builder().File("C:\\rb\\a.tmp").File("C:\\rb\\dir\\held.dat").Locked().File("C:\\rb\\c.tmp");
  EXPECT_EQ(shell.SendToRecycleBin({"C:\\rb\\a.tmp", "C:\\rb\\dir", "C:\\rb\\c.tmp"}), 32);
  EXPECT_FALSE(m.Exists("C:\\rb\\a.tmp"));
  EXPECT_TRUE(m.Exists("C:\\rb\\dir\\held.dat"));
  EXPECT_TRUE(m.Exists("C:\\rb\\c.tmp"));
  EXPECT_EQ(shell.SendToRecycleBin({"C:\\rb\\*.none"}), 2);
  EXPECT_EQ(shell.SendToRecycleBin({"C:\\nodir\\x"}), 3);
}

TEST_F(SimMachine, InjectedRecycleAndEmptyFailures) {
  m.Builder().File("C:\\a.tmp").RecycleResult(1223).EmptyRecycleBinFails().Recycled("C:\\b", 1);
  EXPECT_EQ(shell.SendToRecycleBin({"C:\\a.tmp"}), 1223);
  EXPECT_TRUE(m.Exists("C:\\a.tmp"));
  EXPECT_FALSE(shell.EmptyRecycleBin(0));
  EXPECT_EQ(shell.QueryRecycleBin().items, 1u);
}

TEST_F(SimMachine, OpenRecordsEveryCallWithItsResult) {
  constexpr auto kNormal = platform::ShowCommand::kNormal;
  m.Builder().File("C:\\log.txt");
  EXPECT_EQ(shell.Open("C:\\log.txt", "", "", kNormal), 42);
  EXPECT_EQ(shell.Open("mailto:x@example.invalid", "", "", kNormal), 42);
  EXPECT_EQ(shell.Open("C:\\missing.txt", "", "", kNormal), 2);
  m.Builder().OpenResult(5);
  EXPECT_EQ(shell.Open("C:\\log.txt", "-x", "C:\\", platform::ShowCommand::kMaximised), 5);
  ASSERT_EQ(m.ShellOpens().size(), 4u);
  EXPECT_EQ(m.ShellOpens()[3].parameters, "-x");
  EXPECT_EQ(m.ShellOpens()[3].folder, "C:\\");
  EXPECT_EQ(m.ShellOpens()[3].result, 5);
  EXPECT_EQ(m.ShellOpens()[3].show, platform::ShowCommand::kMaximised);
}

// --- Processes and system facts ------------------------------------------------------

TEST_F(SimMachine, ProcessesCanBeListedReplacedAndTerminated) {
  auto& procs = m.Platform().processes;
  EXPECT_EQ(procs.MainModulePath(1528), "C:\\WINDOWS\\Explorer.EXE");
  EXPECT_EQ(procs.Terminate(4).error, Error::kAccessDenied);
  m.Builder().NoProcesses().Process(100, "spy.exe", "C:\\spy\\spy.exe").Process(200, "a.exe");
  EXPECT_EQ(procs.Snapshot()->size(), 2u);
  EXPECT_EQ(procs.MainModulePath(200), std::nullopt);
  EXPECT_TRUE(procs.Terminate(100));
  EXPECT_THAT(m.Terminated(), ElementsAre(100u));
  EXPECT_EQ(procs.Terminate(100).error, Error::kNotFound);
  m.Builder().NoToolhelp().NoPsapi();
  EXPECT_EQ(procs.Snapshot(), std::nullopt);
  EXPECT_EQ(procs.MainModulePath(200), std::nullopt);
}

TEST_F(SimMachine, VersionsCarryTheirGetVersionExValues) {
  struct Row {
    sim::WindowsVersion v;
    uint32_t major, minor, build, platform_id;
  };
  static constexpr Row kRows[] = {
      {sim::Win95, 4, 0, 0x040003B6, 1},  {sim::Win98, 4, 10, 0x040A08AE, 1},
      {sim::WinMe, 4, 90, 0x045A0BB8, 1}, {sim::WinNt4, 4, 0, 1381, 2},
      {sim::Win2000, 5, 0, 2195, 2},      {sim::WinXp, 5, 1, 2600, 2},
      {sim::Win2003, 5, 2, 3790, 2},      {sim::WinVista, 6, 0, 6002, 2},
      {sim::Win7, 6, 1, 7601, 2},         {sim::Win8, 6, 2, 9200, 2},
  };
  for (const auto& r : kRows) {
    m.Builder().Version(r.v);
    auto v = m.Platform().system.Version();
    EXPECT_EQ(v.major, r.major) << r.v;
    EXPECT_EQ(v.minor, r.minor) << r.v;
    EXPECT_EQ(v.build, r.build) << r.v;
    EXPECT_EQ(v.platform_id, r.platform_id) << r.v;
  }
  EXPECT_EQ(sim::VersionOf(sim::Win98).csd, " A ");
}

TEST_F(SimMachine, TheThirtyTwoBitMemoryCallClampsLargeFigures) {
  m.Builder().Memory(
      {30, 8ull << 30, 6ull << 30, 16ull << 30, 12ull << 30, 8ull << 40, 8ull << 40});
  auto small = m.Platform().system.Memory();
  auto full = m.Platform().system.MemoryEx();
  EXPECT_EQ(small.total_phys, 0xFFFFFFFFull);
  EXPECT_EQ(small.avail_page_file, 0xFFFFFFFFull);
  EXPECT_EQ(small.total_virtual, 0x7FFFFFFFull);
  EXPECT_EQ(full.total_phys, 8ull << 30);
  EXPECT_EQ(small.memory_load, 30u);
  m.Builder().Memory(1000, 250);
  EXPECT_EQ(m.Platform().system.MemoryEx().memory_load, 75u);
}

TEST_F(SimMachine, ClockAndTicksMoveTogether) {
  auto& sys = m.Platform().system;
  m.Builder().Clock({2008, 2, 29, 0, 23, 59, 59, 999}).Ticks(5000);
  auto now = sys.Now();
  EXPECT_EQ(now.day_of_week, 5);  // a Friday
  EXPECT_EQ(now.second, 59);
  EXPECT_EQ(sys.TickCount(), 5000u);
  EXPECT_EQ(sys.TickCount(), 5001u);
  m.AdvanceTime(1000);
  EXPECT_EQ(sys.TickCount(), 6002u);
  now = sys.Now();
  EXPECT_EQ(now.month, 3);
  EXPECT_EQ(now.day, 1);
  EXPECT_EQ(now.second, 1);
}

TEST(SimTime, FileTimesConvertBothWays) {
  EXPECT_EQ(sim::ToFileTime(1601, 1, 1), 0u);
  EXPECT_EQ(sim::ToFileTime(1970, 1, 1), 116444736000000000ull);
  platform::DateTime t{2026, 12, 31, 4, 23, 59, 58, 123};
  auto back = sim::ToDateTime(sim::ToFileTime(t));
  EXPECT_EQ(back.year, 2026);
  EXPECT_EQ(back.month, 12);
  EXPECT_EQ(back.day, 31);
  EXPECT_EQ(back.day_of_week, 4);
  EXPECT_EQ(back.millisecond, 123);
}

}  // namespace
