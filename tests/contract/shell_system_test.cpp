// What the shell, process and system-facts operations do, on every backend.
// Only what holds both on Windows and under Wine is asserted: Wine keeps
// recycled folders when the bin is emptied (so bin sizes, not item counts,
// are checked after emptying), and "open" is only tried where it starts
// nothing.
#include <gmock/gmock.h>

#include "platform/text.h"
#include "tests/contract/contract.h"

namespace contract {
namespace {

namespace csidl = platform::csidl;

class ShellContract : public ContractTest {
 protected:
  platform::Shell& Shell() { return P().shell; }
};

TEST_F(ShellContract, SpecialFolderFunctionIsFoundInTheSystemFolder) {
  EXPECT_TRUE(Shell().HasSpecialFolderFunction(Fs().SystemFolder()));
  EXPECT_FALSE(Shell().HasSpecialFolderFunction(At("nowhere")));
  EXPECT_EQ(Shell().SpecialFolder(At("nowhere"), csidl::kAppData, false), std::nullopt);
}

TEST_F(ShellContract, SpecialFoldersAreExistingFolders) {
  std::string system = Fs().SystemFolder();
  for (int id :
       {csidl::kAppData, csidl::kLocalAppData, csidl::kInternetCache, csidl::kCookies,
        csidl::kHistory, csidl::kRecent, csidl::kStartup, csidl::kPersonal, csidl::kProfile}) {
    auto folder = Shell().SpecialFolder(system, id, false);
    ASSERT_TRUE(folder) << id;
    EXPECT_TRUE(Fs().IsFolder(*folder)) << *folder;
    EXPECT_NE(folder->back(), '\\') << *folder;
  }
  auto windows = Shell().SpecialFolder(system, csidl::kWindows, false);
  ASSERT_TRUE(windows);
  EXPECT_TRUE(text::EqualsNoCase(*windows, Fs().WindowsFolder()));
}

TEST_F(ShellContract, RecyclingAFileTakesItAwayAndCountsIt) {
  Make("junk.tmp", "12345");
  EXPECT_EQ(Shell().SendToRecycleBin({At("junk.tmp")}), 0);
  EXPECT_FALSE(Fs().Exists(At("junk.tmp")));
  auto info = Shell().QueryRecycleBin();
  EXPECT_GE(info.items, 1u);
  EXPECT_GE(info.bytes, 5u);
}

TEST_F(ShellContract, RecyclingAReadOnlyFileWorks) {
  Make("ro.tmp");
  ASSERT_TRUE(Fs().SetAttributes(At("ro.tmp"), platform::kAttrReadOnly));
  EXPECT_EQ(Shell().SendToRecycleBin({At("ro.tmp")}), 0);
  EXPECT_FALSE(Fs().Exists(At("ro.tmp")));
}

TEST_F(ShellContract, RecyclingAMissingFileFails) {
  EXPECT_EQ(Shell().SendToRecycleBin({At("missing.tmp")}), 2);
  EXPECT_NE(Shell().SendToRecycleBin({At("nodir\\missing.tmp")}), 0);
  EXPECT_EQ(Shell().SendToRecycleBin({}), 0);
}

TEST_F(ShellContract, RecyclingALockedFileFailsAndKeepsIt) {
  Make("locked.tmp");
  Backend().LockFile(At("locked.tmp"));
  EXPECT_NE(Shell().SendToRecycleBin({At("locked.tmp")}), 0);
  EXPECT_TRUE(Fs().Exists(At("locked.tmp")));
}

// Only the success: where an item cannot go to the bin, the shell asks
// whether to delete it for good, and nobody is there to answer.
TEST_F(ShellContract, RecyclingOneItemTakesExactlyIt) {
  Make("pick.jpg", "123");
  Make("pick2.jpg", "456");
  EXPECT_EQ(Shell().RecycleItem(At("pick.jpg"), false), 0);
  EXPECT_FALSE(Fs().Exists(At("pick.jpg")));
  EXPECT_TRUE(Fs().Exists(At("pick2.jpg")));
}

TEST_F(ShellContract, EmptyingTheBinRemovesRecycledFiles) {
  if (!Backend().OwnsRecycleBin()) GTEST_SKIP() << "the Recycle Bin belongs to a user";
  Make("a.tmp", "aaaa");
  uint64_t before = Shell().QueryRecycleBin().bytes;
  ASSERT_EQ(Shell().SendToRecycleBin({At("a.tmp")}), 0);
  EXPECT_TRUE(Shell().EmptyRecycleBin(0));
  // Wine's emptying keeps recycled read-only files (it applies its
  // read-only check to its own trash), and earlier cases recycle one; so
  // the bin must have lost at least this file's bytes, not be at 0.
  EXPECT_LE(Shell().QueryRecycleBin().bytes, before);
  EXPECT_TRUE(Shell().EmptyRecycleBin(0));  // nothing (more) to remove
}

TEST_F(ShellContract, OpeningAMissingFileReportsFailure) {
  EXPECT_LE(Shell().Open(At("missing.txt"), "", "", platform::ShowCommand::kNormal), 32);
}

class SystemContract : public ContractTest {};

TEST_F(SystemContract, VersionIsAWindowsVersion) {
  auto v = P().system.Version();
  EXPECT_GE(v.major, 4u);
  EXPECT_TRUE(v.platform_id == 1 || v.platform_id == 2) << v.platform_id;
}

// The machines the tests run on use code page 437 for the console.
TEST_F(SystemContract, OemTextIsCodePage437AndRefusesWhatItCannotHold) {
  auto& system = P().system;
  EXPECT_EQ(system.OemText("Del \"C:\\a b\\100%%.dat\""), "Del \"C:\\a b\\100%%.dat\"");
  EXPECT_EQ(system.OemText("caf\xC3\xA9 \xC3\x9C\xC3\xA7"), "caf\x82 \x9A\x87");
  EXPECT_EQ(system.OemText("\xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB"), std::nullopt);  // Cyrillic
  EXPECT_EQ(system.OemText("\xE2\x82\xAC"), std::nullopt);                      // the euro sign
  EXPECT_EQ(system.OemText(""), "");
}

TEST_F(SystemContract, MemoryFiguresAreConsistent) {
  ASSERT_TRUE(P().system.MemoryEx().has_value());
  for (const auto& m : {P().system.Memory(), *P().system.MemoryEx()}) {
    EXPECT_LE(m.memory_load, 100u);
    EXPECT_GT(m.total_phys, 0u);
    EXPECT_LE(m.avail_phys, m.total_phys);
    EXPECT_LE(m.avail_page_file, m.total_page_file);
    EXPECT_LE(m.avail_virtual, m.total_virtual);
  }
  EXPECT_LE(P().system.Memory().total_phys, P().system.MemoryEx()->total_phys);
}

TEST_F(SystemContract, TheSystemCodePageKeepsAsciiAndGivesOneCharacterForEachOther) {
  EXPECT_EQ(P().system.ToSystemCodePage("C:\\Run\\app.exe /tray"), "C:\\Run\\app.exe /tray");
  EXPECT_EQ(P().system.ToSystemCodePage(""), "");
  EXPECT_FALSE(P().system.ToSystemCodePage("caf\xc3\xa9").empty());
}

// Windows XP and later (and Wine) have a Credential Manager: a filter
// matching nothing lists nothing, and deleting what is not there fails.
TEST_F(SystemContract, CredentialsListByFilterAndDeletingAMissingOneFails) {
  ASSERT_NE(P().credentials, nullptr);
  auto none = P().credentials->List("Vostrel_contract_nothing_*");
  ASSERT_TRUE(none.has_value());
  EXPECT_TRUE(none->empty());
  EXPECT_FALSE(P().credentials->DeleteGeneric("Vostrel_contract_nothing_here"));
}

TEST_F(SystemContract, ClockAndFormatsArePlausible) {
  auto now = P().system.Now();
  EXPECT_GE(now.year, 2000);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
  EXPECT_TRUE(now.day >= 1 && now.day <= 31);
  EXPECT_TRUE(now.day_of_week >= 0 && now.day_of_week <= 6);
  EXPECT_TRUE(now.hour >= 0 && now.hour <= 23);
  uint64_t t1 = P().system.TickCount();
  uint64_t t2 = P().system.TickCount();
  EXPECT_LE(t1, t2);
  EXPECT_FALSE(P().system.ShortDateFormat().empty());
  EXPECT_FALSE(P().system.LongTimeFormat().empty());
}

TEST_F(SystemContract, ProgramPathIsAnExistingExe) {
  std::string path = P().system.ProgramPath();
  EXPECT_TRUE(text::EndsWithNoCase(path, ".exe")) << path;
  EXPECT_TRUE(Fs().Exists(path)) << path;
}

TEST_F(SystemContract, ProcessSnapshotListsDistinctProcesses) {
  auto list = P().processes.Snapshot();
  ASSERT_TRUE(list);
  ASSERT_FALSE(list->empty());
  std::vector<uint32_t> pids;
  for (const auto& p : *list) {
    pids.push_back(p.pid);
    EXPECT_FALSE(p.exe_name.empty()) << p.pid;
  }
  std::sort(pids.begin(), pids.end());
  EXPECT_EQ(std::adjacent_find(pids.begin(), pids.end()), pids.end());
}

TEST_F(SystemContract, TerminatingAProcessThatDoesNotExistFails) {
  EXPECT_FALSE(P().processes.Terminate(0xFFFFFFF0u));
  EXPECT_EQ(P().processes.MainModulePath(0xFFFFFFF0u), std::nullopt);
}

}  // namespace
}  // namespace contract
