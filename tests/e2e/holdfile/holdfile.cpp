// holdfile.exe: holds a file open without sharing, as Internet Explorer
// holds its index files, so the end-to-end tests can meet a locked file.
//
//   holdfile PATH [UNTIL [SECONDS]]
//
// Opens PATH (which must exist; %VARIABLES% are expanded) for reading with
// share mode 0 and keeps it open until the file UNTIL exists (checked every
// 100 ms) or SECONDS (default 120) have passed. Exit code 0 when it let go,
// 1 when the file could not be opened.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring Expand(const wchar_t* text) {
  wchar_t buffer[4096];
  DWORD n = ExpandEnvironmentStringsW(text, buffer, 4096);
  return n > 0 && n <= 4096 ? std::wstring(buffer) : std::wstring(text);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: holdfile PATH [UNTIL [SECONDS]]\n");
    return 2;
  }
  const std::wstring path = Expand(argv[1]);
  const std::wstring until = argc > 2 ? Expand(argv[2]) : std::wstring();
  const DWORD seconds = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 120;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "holdfile: cannot open the file (error %lu)\n", GetLastError());
    return 1;
  }
  std::printf("holdfile: holding the file\n");
  std::fflush(stdout);
  for (DWORD waited = 0; waited < seconds * 1000; waited += 100) {
    if (!until.empty() && GetFileAttributesW(until.c_str()) != INVALID_FILE_ATTRIBUTES) break;
    Sleep(100);
  }
  CloseHandle(h);
  return 0;
}
