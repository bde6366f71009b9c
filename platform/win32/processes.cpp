// platform::Processes over ToolHelp (kernel32) and PSAPI, both looked up at
// run time: NT 4 has no ToolHelp in kernel32, and Windows 9x has no PSAPI.
#include "platform/win32/util.h"

#include <tlhelp32.h>

#include "platform/processes.h"
#include "platform/win32/backend.h"

namespace win32 {
namespace {

using platform::Error;
using platform::ProcessEntry;
using platform::Status;

using SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, LPPROCESSENTRY32W);
using ModuleFileNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPWSTR, DWORD);

// Full paths can exceed MAX_PATH ("\\?\"-started processes); 32767 is the
// longest a Windows path can be.
constexpr DWORD kLongestPath = 32768;

class Win32Processes : public platform::Processes {
 public:
  Win32Processes() {
    // kernel32 is mapped into every process, so GetModuleHandle is enough
    // and the handle needs no release.
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    snapshot_ = ProcAddress<SnapshotFn>(kernel, "CreateToolhelp32Snapshot");
    first_ = ProcAddress<ProcessWalkFn>(kernel, "Process32FirstW");
    next_ = ProcAddress<ProcessWalkFn>(kernel, "Process32NextW");
    // By its full path in the system folder: a bare name would also search
    // the current folder, where anyone could have put a psapi.dll.
    wchar_t system[MAX_PATH] = {};
    UINT n = GetSystemDirectoryW(system, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
      psapi_ = LoadLibraryW((std::wstring(system) + L"\\psapi.dll").c_str());
    if (psapi_) module_file_name_ = ProcAddress<ModuleFileNameFn>(psapi_, "GetModuleFileNameExW");
  }
  ~Win32Processes() override {
    if (psapi_) FreeLibrary(psapi_);
  }
  Win32Processes(const Win32Processes&) = delete;
  Win32Processes& operator=(const Win32Processes&) = delete;

  std::optional<std::vector<ProcessEntry>> Snapshot() override {
    if (!snapshot_ || !first_ || !next_) return std::nullopt;
    Handle snap(snapshot_(TH32CS_SNAPPROCESS, 0));
    if (!snap.Valid()) return std::nullopt;
    std::vector<ProcessEntry> list;
    // dwSize must be set before the first call; the walk may lower it on
    // older systems, so it is set again for every entry.
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = first_(snap.Get(), &entry); ok; ok = next_(snap.Get(), &entry)) {
      ProcessEntry e;
      e.pid = entry.th32ProcessID;
      e.parent_pid = entry.th32ParentProcessID;
      e.threads = entry.cntThreads;
      entry.szExeFile[MAX_PATH - 1] = L'\0';
      e.exe_name = Narrow(entry.szExeFile);
      list.push_back(std::move(e));
      entry.dwSize = sizeof entry;
    }
    return list;
  }

  std::optional<std::string> MainModulePath(uint32_t pid) override {
    if (!module_file_name_) return std::nullopt;
    // Reading another process's module list needs both rights.
    Handle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process.Valid()) return std::nullopt;
    std::string path = FilledString(kLongestPath, [&](wchar_t* buf, DWORD size) {
      return module_file_name_(process.Get(), nullptr, buf, size);
    });
    if (path.empty()) return std::nullopt;
    return path;
  }

  Status Terminate(uint32_t pid) override {
    Handle process(OpenProcess(PROCESS_TERMINATE, FALSE, pid));
    if (!process.Valid()) return LastError();
    return StatusOf(TerminateProcess(process.Get(), 1));
  }

 private:
  SnapshotFn snapshot_ = nullptr;
  ProcessWalkFn first_ = nullptr;
  ProcessWalkFn next_ = nullptr;
  HMODULE psapi_ = nullptr;
  ModuleFileNameFn module_file_name_ = nullptr;
};

}  // namespace

std::unique_ptr<platform::Processes> MakeProcesses() { return std::make_unique<Win32Processes>(); }

}  // namespace win32
