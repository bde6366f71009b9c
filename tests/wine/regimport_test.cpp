// The startup review's registry backups, imported by the system's own
// registry editor ("regedit /s file"), put back exactly what a change
// removed: strings, expandable strings, DWORDs, a whole BHO key with its
// subkeys, and a value that did not exist before is removed again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// util.h first: it lifts the macros <windows.h> puts on the platform's
// method names before those are declared.
#include "platform/win32/util.h"
// clang-format off
#include "platform/win32/backend.h"
// clang-format on
#include "review/regbackup.h"

namespace {

using platform::Access;
using platform::Hive;

using win32::Widen;

class RegImport : public ::testing::Test {
 protected:
  win32::Backend backend;
  platform::Platform& p = backend.Get();
  const std::string key =
      "Software\\VostrelTest\\RegImport" + std::to_string(GetCurrentProcessId());
  std::string folder;

  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    char narrow[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, temp, -1, narrow, sizeof narrow, nullptr, nullptr);
    folder = std::string(narrow) + "vostrel-regimport-" + std::to_string(GetCurrentProcessId());
    p.fs.CreateFolder(folder);
  }
  void TearDown() override {
    p.registry.DeleteTree(Hive::kCurrentUser, "Software\\VostrelTest");
    for (int i = 0; i < 20; ++i) {
      auto find = p.fs.FindFirst(folder + "\\*.reg", platform::kFindAnyFile);
      platform::FindData entry;
      if (!find || !find->Next(entry)) break;
      p.fs.DeleteFile(folder + "\\" + entry.name);
    }
    p.fs.RemoveFolder(folder);
  }
  std::unique_ptr<platform::RegKey> Open(const std::string& path) {
    return p.registry.Open(Hive::kCurrentUser, path, true, Access::kFull);
  }
  // Runs "regedit /s file" and waits for it.
  void Import(const std::string& file) {
    std::wstring command = L"regedit.exe /s \"" + Widen(file) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
};

TEST_F(RegImport, EachBackupPutsBackWhatItsChangeRemoved) {
  const std::string run = key + "\\Run";
  const std::string bho = key + "\\BHO\\{11111111-2222-3333-4444-555555555555}";
  {
    auto k = Open(run);
    ASSERT_NE(k, nullptr);
    ASSERT_TRUE(
        k->WriteString("Tray \"A\"", "\"C:\\Program Files\\Tray\\tray.exe\" /x caf\xc3\xa9"));
    ASSERT_TRUE(k->WriteExpandString("Exp", "%SystemRoot%\\system32\\x.exe"));
    ASSERT_TRUE(k->WriteDword("Dw", 0x89ABCDEF));
    ASSERT_TRUE(k->WriteString("", "default"));
    auto b = Open(bho);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->WriteString("", "C:\\bho.dll"));
    ASSERT_TRUE(b->WriteDword("NoExplorer", 1));
    ASSERT_TRUE(b->WriteBinary("Bin", std::string("\0\x01\xff", 3)));
    auto sub = Open(bho + "\\Sub\\Deeper");
    ASSERT_NE(sub, nullptr);
    ASSERT_TRUE(sub->WriteString("V", std::string(300, 'x')));
  }

  std::vector<std::string> files;
  for (const char* name : {"Tray \"A\"", "Exp", "Dw", "", "Missing"}) {
    review::RegBackup backup(p, folder);
    ASSERT_TRUE(backup.SaveValue(Hive::kCurrentUser, run, name)) << backup.File();
    files.push_back(backup.File());
  }
  review::RegBackup key_backup(p, folder);
  ASSERT_TRUE(key_backup.SaveKey(Hive::kCurrentUser, bho));
  files.push_back(key_backup.File());

  {
    auto k = Open(run);
    for (const char* name : {"Tray \"A\"", "Exp", "Dw", ""}) ASSERT_TRUE(k->DeleteValue(name));
    ASSERT_TRUE(k->WriteString("Missing", "added by the change"));
  }
  ASSERT_TRUE(p.registry.DeleteTree(Hive::kCurrentUser, bho));

  for (const std::string& file : files) Import(file);

  auto k = p.registry.Open(Hive::kCurrentUser, run, false, Access::kRead);
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->ReadString("Tray \"A\""), "\"C:\\Program Files\\Tray\\tray.exe\" /x caf\xc3\xa9");
  EXPECT_EQ(k->GetValueType("Exp"), platform::ValueType::kExpandString);
  EXPECT_EQ(k->ReadString("Exp"), "%SystemRoot%\\system32\\x.exe");
  EXPECT_EQ(k->ReadDword("Dw"), 0x89ABCDEFu);
  EXPECT_EQ(k->ReadString(""), "default");
  EXPECT_FALSE(k->ValueExists("Missing"));

  auto b = p.registry.Open(Hive::kCurrentUser, bho, false, Access::kRead);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->ReadString(""), "C:\\bho.dll");
  EXPECT_EQ(b->ReadDword("NoExplorer"), 1u);
  EXPECT_EQ(b->ReadBinary("Bin"), std::string("\0\x01\xff", 3));
  auto sub = p.registry.Open(Hive::kCurrentUser, bho + "\\Sub\\Deeper", false, Access::kRead);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->ReadString("V"), std::string(300, 'x'));
}

}  // namespace
