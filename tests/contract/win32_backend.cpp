// The contract suite's backend under Windows (or Wine): the real Win32
// platform, scratch folders under C:\vostcontract\<pid>-<n> and scratch keys
// under HKCU\Software\VostrelContract\<pid>-<n>, all removed at exit.
#include <windows.h>
#include <winioctl.h>

#include <string>
#include <vector>

#include "platform/win32/backend.h"
#include "tests/contract/backend.h"

namespace contract {
namespace {

constexpr wchar_t kScratchRoot[] = L"C:\\vostcontract";
constexpr wchar_t kKeyRoot[] = L"Software\\VostrelContract";

std::wstring Wide(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

std::string Utf8(const std::wstring& s) {
  int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

// Removes a scratch tree, clearing read-only bits on the way. Reparse
// points are removed as links, never entered.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      bool dir = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
      bool link = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
      if (dir && !link) {
        RemoveTree(path);
      } else if (dir) {
        RemoveDirectoryW(path.c_str());
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(h, &data));
    FindClose(h);
  }
  SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(folder.c_str());
}

class Win32ContractBackend : public ContractBackend {
 public:
  Win32ContractBackend() : tag_(std::to_wstring(GetCurrentProcessId())) {
    CreateDirectoryW(kScratchRoot, nullptr);
  }

  ~Win32ContractBackend() override {
    UnlockAll();
    for (const std::wstring& folder : folders_) RemoveTree(folder);
    RemoveDirectoryW(kScratchRoot);  // only when no other run still uses it
    for (const std::wstring& key : keys_) RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, kKeyRoot);  // fails while other runs' keys remain
  }

  platform::Platform& Get() override { return backend_.Get(); }
  std::string Name() override { return "win32"; }

  std::string ScratchFolder() override {
    std::wstring folder = std::wstring(kScratchRoot) + L"\\" + NextName();
    // Another run ending at the same moment may remove the shared root
    // between the two calls; the root is made again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
      CreateDirectoryW(kScratchRoot, nullptr);
      if (CreateDirectoryW(folder.c_str(), nullptr)) break;
    }
    folders_.push_back(folder);
    return Utf8(folder);
  }

  std::string ScratchKey() override {
    std::wstring key = std::wstring(kKeyRoot) + L"\\" + NextName();
    keys_.push_back(key);
    return Utf8(key);
  }

  void LockFile(const std::string& path) override {
    std::wstring wide = Wide(path);
    // Share mode 0 is what another program's exclusive open looks like.
    // Read-only files refuse write access, and folders open only with
    // BACKUP_SEMANTICS, so read access is the fallback.
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      h = CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    }
    if (h != INVALID_HANDLE_VALUE) locks_.push_back(h);
  }

  void UnlockAll() override {
    for (HANDLE h : locks_) CloseHandle(h);
    locks_.clear();
  }

  bool MakeBigFile(const std::string& path, uint64_t size) override {
    HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    // Marked sparse, NTFS allocates nothing for the never-written range;
    // under Wine the Unix file system makes the extended file sparse anyway.
    DWORD returned = 0;
    DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    bool ok = SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok;
  }

  // Only under Wine with the scratch home that scripts/wine-run.sh sets up
  // (its Recycle Bin is that home's trash folder); on Windows the bin is
  // the user's.
  bool OwnsRecycleBin() override {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    bool wine = ntdll && GetProcAddress(ntdll, "wine_get_version");
    wchar_t home[8] = {};
    return wine && GetEnvironmentVariableW(L"VOSTREL_WINE_HOME", home, 8) > 0;
  }

 private:
  std::wstring NextName() { return tag_ + L"-" + std::to_wstring(++counter_); }

  win32::Backend backend_;
  std::wstring tag_;
  int counter_ = 0;
  std::vector<std::wstring> folders_;
  std::vector<std::wstring> keys_;
  std::vector<HANDLE> locks_;
};

}  // namespace

ContractBackend& Backend() {
  static Win32ContractBackend backend;
  return backend;
}

}  // namespace contract
