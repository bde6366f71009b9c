// Win32-only cases: what the real backend does with input that only the
// Win32 API can produce (raw registry values of any type and size, files
// held open with sharing, processes of our own), and the encodings it
// writes to disk.
#include <windows.h>

#include <string>

#include "platform/text.h"
#include "tests/contract/contract.h"

namespace contract {
namespace {

using platform::Error;
using platform::Hive;

std::wstring Wide(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

class Win32RegistryValues : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(key_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &raw_, nullptr),
              ERROR_SUCCESS);
    key_obj_ = Reg().Open(Hive::kCurrentUser, key_, false, platform::Access::kRead);
    ASSERT_NE(key_obj_, nullptr);
  }
  void TearDown() override {
    key_obj_.reset();
    if (raw_) RegCloseKey(raw_);
    Reg().DeleteTree(Hive::kCurrentUser, key_);
    ContractTest::TearDown();
  }

  // Stores a value with any type and bytes, as another program could.
  void Raw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExW(raw_, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
  }

  HKEY raw_ = nullptr;
  std::unique_ptr<platform::RegKey> key_obj_;
};

TEST_F(Win32RegistryValues, DwordsOfTheWrongSizeOrByteOrderReadAsNothing) {
  const BYTE two[] = {1, 2};
  const BYTE eight[] = {1, 0, 0, 0, 0, 0, 0, 0};
  const BYTE four[] = {0, 0, 0, 7};
  Raw(L"Short", REG_DWORD, two, sizeof two);
  Raw(L"Long", REG_DWORD, eight, sizeof eight);
  Raw(L"Empty", REG_DWORD, nullptr, 0);
  Raw(L"Qword", REG_QWORD, eight, sizeof eight);
  Raw(L"BigEndian", REG_DWORD_BIG_ENDIAN, four, sizeof four);
  for (const char* name : {"Short", "Long", "Empty", "Qword", "BigEndian"}) {
    EXPECT_EQ(key_obj_->ReadDword(name), std::nullopt) << name;
  }
  EXPECT_EQ(key_obj_->GetValueType("Qword"), platform::ValueType::kOther);
  EXPECT_EQ(key_obj_->GetValueType("BigEndian"), platform::ValueType::kOther);
  EXPECT_EQ(key_obj_->GetValueType("Short"), platform::ValueType::kDword);
}

TEST_F(Win32RegistryValues, StringsWithoutNulOddSizesOrInnerNulsReadUpToTheText) {
  const wchar_t text[] = L"abcdef";
  Raw(L"NoNul", REG_SZ, text, 3 * sizeof(wchar_t));              // "abc", unterminated
  Raw(L"Odd", REG_SZ, text, 3 * sizeof(wchar_t) + 1);            // half a unit at the end
  Raw(L"Inner", REG_EXPAND_SZ, L"ab\0cd", 6 * sizeof(wchar_t));  // NUL inside
  Raw(L"Empty", REG_SZ, nullptr, 0);
  EXPECT_EQ(key_obj_->ReadString("NoNul"), "abc");
  EXPECT_EQ(key_obj_->ReadString("Odd"), "abc");
  EXPECT_EQ(key_obj_->ReadString("Inner"), "ab");
  EXPECT_EQ(key_obj_->ReadString("Empty"), "");
}

TEST_F(Win32RegistryValues, MultiStringsAndNoneValuesAreNotStrings) {
  Raw(L"Multi", REG_MULTI_SZ, L"a\0b\0", 5 * sizeof(wchar_t));
  Raw(L"None", REG_NONE, "xy", 2);
  EXPECT_EQ(key_obj_->ReadString("Multi"), std::nullopt);
  EXPECT_EQ(key_obj_->ReadBinary("Multi"), std::nullopt);
  EXPECT_EQ(key_obj_->GetValueType("Multi"), platform::ValueType::kOther);
  EXPECT_EQ(key_obj_->ReadString("None"), std::nullopt);
  EXPECT_EQ(key_obj_->GetValueType("None"), platform::ValueType::kNone);
  EXPECT_TRUE(key_obj_->ValueExists("None"));
}

class Win32Files : public ContractTest {};

// A browser keeps its cache index and databases open with read and write
// sharing (and may map them). Overwriting must not happen under it.
TEST_F(Win32Files, OverwriteRefusesAFileOpenWithSharingAndLeavesItIntact) {
  Make("index.dat", "live index");
  HANDLE h = CreateFileW(Wide(At("index.dat")).c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Fs().OverwriteInPlace(At("index.dat"), 0).error, Error::kSharingViolation);
  // Reading still works alongside such a handle.
  EXPECT_EQ(Fs().ReadBytes(At("index.dat")), "live index");
  EXPECT_EQ(Fs().GetSize(At("index.dat")), 10u);
  CloseHandle(h);
  EXPECT_TRUE(Fs().OverwriteInPlace(At("index.dat"), 0));
  EXPECT_EQ(Fs().ReadBytes(At("index.dat")), std::string(10, '\0'));
}

TEST_F(Win32Files, OverwriteCoversFilesLongerThanOneChunk) {
  const size_t size = 3 * 64 * 1024 + 17;
  Make("big.dat", std::string(size, 'p'));
  ASSERT_TRUE(Fs().OverwriteInPlace(At("big.dat"), 0x5A));
  EXPECT_EQ(Fs().ReadBytes(At("big.dat")), std::string(size, '\x5A'));
}

TEST_F(Win32Files, NamesOutsideTheAnsiCodePageAreFoundAndDeleted) {
  const std::string name = "файл 文件 \xF0\x9F\x98\x80.txt";  // Cyrillic, CJK, an emoji
  Make(name, "u");
  auto entries = Entries("*.txt");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, name);
  EXPECT_EQ(entries[0].name.find('?'), std::string::npos);
  EXPECT_TRUE(Fs().DeleteFile(At(name)));
  EXPECT_FALSE(Fs().Exists(At(name)));
}

class Win32IniFiles : public ContractTest {};

TEST_F(Win32IniFiles, NewFilesAreUtf16SoAnyPathSurvives) {
  const std::string path = "C:\\Фото\\写真1.jpg";
  ASSERT_TRUE(Ini().WriteString(At("list.ini"), "List", "Name1", path));
  auto bytes = Fs().ReadBytes(At("list.ini"));
  ASSERT_TRUE(bytes);
  ASSERT_GE(bytes->size(), 2u);
  EXPECT_EQ(bytes->substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(Ini().ReadString(At("list.ini"), "List", "Name1", ""), path);
}

TEST_F(Win32IniFiles, ExistingEightBitFilesStayEightBit) {
  ASSERT_TRUE(Fs().WriteBytes(At("old.ini"), "[S]\r\nA=1\r\n"));
  ASSERT_TRUE(Ini().WriteString(At("old.ini"), "S", "B", "2"));
  auto bytes = Fs().ReadBytes(At("old.ini"));
  ASSERT_TRUE(bytes);
  EXPECT_NE(bytes->substr(0, 2), "\xFF\xFE");
  EXPECT_NE(bytes->find("B=2"), std::string::npos);
  EXPECT_EQ(Ini().ReadString(At("old.ini"), "S", "A", ""), "1");
}

TEST_F(Win32IniFiles, NulsInNamesOrValuesAreRefused) {
  const std::string nul("a\0b", 3);
  EXPECT_EQ(Ini().WriteString(At("n.ini"), "S", nul, "v").error, Error::kInvalidName);
  EXPECT_EQ(Ini().WriteString(At("n.ini"), "S", "K", nul).error, Error::kInvalidName);
  EXPECT_FALSE(Fs().Exists(At("n.ini")));
}

class Win32Shell : public ContractTest {};

TEST_F(Win32Shell, ARecycleListWithANulInANameRecyclesNothing) {
  Make("a.tmp");
  Make("b.tmp");
  // Passed on as it is, the NUL would split the name into two entries.
  EXPECT_NE(P().shell.SendToRecycleBin({At("a.tmp"), At(std::string("b.tmp\0", 6) + At("a.tmp"))}),
            0);
  EXPECT_TRUE(Fs().Exists(At("a.tmp")));
  EXPECT_TRUE(Fs().Exists(At("b.tmp")));
}

TEST_F(Win32Shell, SeveralPathsAreRecycledInOneCall) {
  Make("a.tmp");
  Make("b.tmp");
  EXPECT_EQ(P().shell.SendToRecycleBin({At("a.tmp"), At("b.tmp")}), 0);
  EXPECT_FALSE(Fs().Exists(At("a.tmp")));
  EXPECT_FALSE(Fs().Exists(At("b.tmp")));
}

TEST_F(Win32Shell, UnknownSpecialFoldersGiveNothing) {
  // CSIDL_DRIVES is a virtual folder with no path.
  EXPECT_EQ(P().shell.SpecialFolder(Fs().SystemFolder(), 0x0011, false), std::nullopt);
}

class Win32Processes : public ContractTest {};

TEST_F(Win32Processes, OurOwnProcessIsListedWithItsModulePath) {
  auto list = P().processes.Snapshot();
  ASSERT_TRUE(list);
  std::string program = P().system.ProgramPath();
  bool found = false;
  for (const auto& e : *list) {
    if (e.pid != GetCurrentProcessId()) continue;
    found = true;
    EXPECT_TRUE(text::EndsWithNoCase(program, e.exe_name)) << e.exe_name;
    EXPECT_GE(e.threads, 1u);
  }
  EXPECT_TRUE(found);
  auto path = P().processes.MainModulePath(GetCurrentProcessId());
  ASSERT_TRUE(path);
  EXPECT_TRUE(text::EqualsNoCase(*path, program)) << *path;
}

TEST_F(Win32Processes, TerminateEndsAChildProcess) {
  // A suspended copy of this test program: it runs no code of its own.
  std::wstring exe = Wide(P().system.ProgramPath());
  std::wstring command = L"\"" + exe + L"\" --gtest_list_tests";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                             nullptr, nullptr, &si, &pi));
  auto list = P().processes.Snapshot();
  ASSERT_TRUE(list);
  bool listed = false;
  for (const auto& e : *list) {
    if (e.pid == pi.dwProcessId) listed = e.parent_pid == GetCurrentProcessId();
  }
  EXPECT_TRUE(listed);
  EXPECT_TRUE(P().processes.Terminate(pi.dwProcessId));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 1u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

class Win32Folders : public ContractTest {};

TEST_F(Win32Folders, TempPathEndsInABackslashAndExists) {
  std::string temp = Fs().TempPath();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(Fs().IsFolder(temp.substr(0, temp.size() - 1))) << temp;
}

// Wine's Z: shows the host's root folder; it is not listed as a drive of the
// machine. (On Windows no drive maps a host root and this holds trivially.)
TEST_F(Win32Folders, NoListedDriveIsTheHostRootUnderWine) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  auto unix_name = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  bool system_drive_listed = false;
  for (const auto& d : Fs().Drives()) {
    system_drive_listed = system_drive_listed || text::EqualsNoCase(d.root, "C:\\");
    if (!unix_name) continue;
    char* name = unix_name(Wide(d.root).c_str());
    if (!name) continue;  // no host folder behind it
    EXPECT_STRNE(name, "/") << d.root;
    HeapFree(GetProcessHeap(), 0, name);
  }
  EXPECT_TRUE(system_drive_listed);
}

}  // namespace
}  // namespace contract
