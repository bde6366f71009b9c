// The contract suite's backend under Windows (or Wine): the real Win32
// platform, scratch folders under C:\vostcontract\<pid>-<n> and scratch keys
// under HKCU\Software\VostrelContract\<pid>-<n>, all removed at exit.
#include <windows.h>

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
    CreateDirectoryW(folder.c_str(), nullptr);
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
