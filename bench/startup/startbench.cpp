// Start-up benchmark: starts a program again and again and times, from just
// before CreateProcessW, when its windows appear. Runs under Wine (or on
// Windows) beside the program, as vauto does.
//
//   startup_bench.exe [--runs N] [--caption TEXT] [--splash NAME] PROGRAM.exe [args...]
//
// For each run it polls the program's top-level windows every 2 ms and
// records
//   splash   the splash window (the window named NAME by our window system,
//            default "Frmenter") is visible,
//   painted  ... and the program has answered a message sent to it: the
//            splash is shown with a synchronous paint, so this is its first
//            paint done,
//   gone     the splash is hidden again,
//   main     the window with the caption (default "Vostrel !") is visible,
//   ready    ... and the program has answered a message sent to it (the
//            main window painted, its message loop running).
// It then closes the main window (WM_CLOSE) and waits for the program to
// end before the next run. A program without a splash (the trivial window
// used as the baseline) gives only main and ready.
//
// Prints every run and the median, minimum and maximum of each figure in
// milliseconds. The first run is a warm-up (files and fonts come into the
// cache) and is left out of the summary.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "tools/vauto/quote_argument.h"

namespace {

constexpr DWORD kPollMs = 2;
constexpr double kGiveUpMs = 30000;

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::wstring NameOf(HWND hwnd) {
  HANDLE value = GetPropW(hwnd, L"VostrelName");
  if (!value) return {};
  wchar_t buffer[256] = {};
  UINT n = GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(value)), buffer, 256);
  return std::wstring(buffer, n);
}

std::wstring CaptionOf(HWND hwnd) {
  wchar_t buffer[256] = {};
  InternalGetWindowText(hwnd, buffer, 256);
  return buffer;
}

struct Found {
  HWND splash = nullptr;
  HWND main = nullptr;
};

struct Search {
  DWORD pid;
  const std::wstring* caption;
  const std::wstring* splash_name;
  Found found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid || !IsWindowVisible(hwnd)) return TRUE;
  if (!search->found.main && CaptionOf(hwnd) == *search->caption) search->found.main = hwnd;
  if (!search->found.splash && NameOf(hwnd) == *search->splash_name) search->found.splash = hwnd;
  return TRUE;
}

Found Look(DWORD pid, const std::wstring& caption, const std::wstring& splash_name) {
  Search search{pid, &caption, &splash_name, {}};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// True once the window's thread has handled a message sent to it.
bool Answers(HWND hwnd) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
}

struct Run {
  std::optional<double> splash, painted, gone, main, ready;
};

std::optional<Run> TimeOneStart(const std::wstring& command_line, const std::wstring& caption,
                                const std::wstring& splash_name) {
  std::wstring line = command_line;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const double start = Now();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    std::fprintf(stderr, "startup_bench: cannot start the program (error %lu)\n", GetLastError());
    return std::nullopt;
  }
  CloseHandle(info.hThread);

  Run run;
  HWND splash = nullptr;
  HWND main = nullptr;
  while (Now() - start < kGiveUpMs) {
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) break;
    Found found = Look(info.dwProcessId, caption, splash_name);
    const double t = Now() - start;
    if (!splash && found.splash) {
      splash = found.splash;
      run.splash = t;
      if (Answers(splash)) run.painted = Now() - start;
    }
    if (splash && !run.gone && !found.splash) run.gone = t;
    if (found.main) {
      main = found.main;
      run.main = t;
      if (Answers(main)) run.ready = Now() - start;
      break;
    }
    Sleep(kPollMs);
  }
  if (main) PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "startup_bench: the program did not end; ending it\n");
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 5000);
  }
  CloseHandle(info.hProcess);
  if (!run.main) {
    std::fprintf(stderr, "startup_bench: no visible window \"%ls\" within %.0f ms\n",
                 caption.c_str(), kGiveUpMs);
    return std::nullopt;
  }
  return run;
}

void PrintFigure(const char* label, const std::vector<Run>& runs,
                 std::optional<double> Run::*figure) {
  std::vector<double> values;
  for (const Run& run : runs) {
    if (run.*figure) values.push_back(*(run.*figure));
  }
  if (values.empty()) return;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  std::printf("  %-8s median %7.1f ms   min %7.1f   max %7.1f   (%zu runs)\n", label, median,
              values.front(), values.back(), n);
}

std::string Cell(const std::optional<double>& value) {
  if (!value) return "      -";
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%7.1f", *value);
  return buffer;
}

int Usage() {
  std::fprintf(stderr,
               "usage: startup_bench [--runs N] [--caption TEXT] [--splash NAME] PROGRAM.exe "
               "[args...]\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int runs = 11;
  std::wstring caption = L"Vostrel !";
  std::wstring splash_name = L"Frmenter";
  int i = 1;
  for (; i < argc && std::wcsncmp(argv[i], L"--", 2) == 0; ++i) {
    if (i + 1 >= argc) return Usage();
    if (std::wcscmp(argv[i], L"--runs") == 0) {
      runs = std::max(2, _wtoi(argv[++i]));
    } else if (std::wcscmp(argv[i], L"--caption") == 0) {
      caption = argv[++i];
    } else if (std::wcscmp(argv[i], L"--splash") == 0) {
      splash_name = argv[++i];
    } else {
      return Usage();
    }
  }
  if (i >= argc) return Usage();
  std::wstring command_line;
  for (int a = i; a < argc; ++a) {
    if (!command_line.empty()) command_line += L' ';
    command_line += vauto::QuoteArgument(argv[a]);
  }

  std::printf("startup_bench: %ls, %d runs (the first is a warm-up)\n", argv[i], runs);
  std::printf("  run  splash painted    gone    main   ready   (ms from process creation)\n");
  std::vector<Run> measured;
  for (int r = 0; r < runs; ++r) {
    std::optional<Run> run = TimeOneStart(command_line, caption, splash_name);
    if (!run) return 1;
    std::printf("  %3d %s %s %s %s %s%s\n", r + 1, Cell(run->splash).c_str(),
                Cell(run->painted).c_str(), Cell(run->gone).c_str(), Cell(run->main).c_str(),
                Cell(run->ready).c_str(), r == 0 ? "   warm-up" : "");
    if (r > 0) measured.push_back(*run);
  }
  std::printf("summary:\n");
  PrintFigure("splash", measured, &Run::splash);
  PrintFigure("painted", measured, &Run::painted);
  PrintFigure("gone", measured, &Run::gone);
  PrintFigure("main", measured, &Run::main);
  PrintFigure("ready", measured, &Run::ready);
  return 0;
}
