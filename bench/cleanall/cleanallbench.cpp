// Cleanup All benchmark: the program's "Cleanup All !" (the whole program
// started over the Win32 backend with a headless window system, the IE
// Cache and Temp Files ticks on) against a bare FindFirstFileW +
// DeleteFileW loop over the same files, in one run.
//
//   cleanall_bench.exe [--rounds N] [--files N]
//
// The profile is rebuilt before every timed pass under C:\vostbench\cleanall:
// an Internet Explorer cache "Temporary Internet Files\Content.IE5" with 50
// sub-folders holding half the files, and a temp folder (TEMP and TMP of
// this process point there) holding the other half as *.tmp files -
// 100,000 files in all by default. The program finds the cache through its
// scan-results file, as the drive scan records it. Only the cleanup is
// timed: the program's start-up and surveys run before the clock starts.
// The temp cleanup sends files to the Recycle Bin, as the program always
// does; the bare loop deletes them.
//
// Prints each round's times, then the best of each over N rounds (default
// 1) and the ratio. Under Wine, creating a file in a folder costs time in
// proportion to the files already there, so building the 100,000-file
// profile takes far longer than the passes it feeds; --files lowers it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/program_windows.h"
#include "bench/common/benchutil.h"
#include "browsers/scandrv.h"
#include "core/application.h"
#include "platform/win32/backend.h"
#include "ui/headless/headless.h"

namespace {

using bench::Narrow;
using bench::Time;

constexpr int kCacheFolders = 50;
constexpr const wchar_t* kRoot = L"C:\\vostbench\\cleanall";
const std::wstring kContent = std::wstring(kRoot) + L"\\Temporary Internet Files\\Content.IE5";
const std::wstring kTemp = std::wstring(kRoot) + L"\\Temp";

void MakeFolders(const std::wstring& path) {
  for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryW(path.c_str(), nullptr);
}

std::vector<std::wstring> CacheFolders() {
  std::vector<std::wstring> out;
  for (int f = 0; f < kCacheFolders; ++f) {
    wchar_t name[16];
    swprintf(name, 16, L"\\Q%07d", f);
    out.push_back(kContent + name);
  }
  return out;
}

// Half the files in the cache folders, half in the temp folder.
bool BuildProfile(int files) {
  const int cache_files = files / 2;
  const std::vector<std::wstring> folders = CacheFolders();
  MakeFolders(kContent);
  for (const std::wstring& f : folders) CreateDirectoryW(f.c_str(), nullptr);
  for (int i = 0; i < cache_files; ++i) {
    const std::wstring& folder = folders[static_cast<size_t>(i) % folders.size()];
    if (!bench::MakeFile(folder + L"\\page" + std::to_wstring(i) + L"[1].htm",
                         std::string(100 + i % 400, 'x'))) {
      return false;
    }
  }
  MakeFolders(kTemp);
  for (int i = cache_files; i < files; ++i) {
    if (!bench::MakeFile(kTemp + L"\\~DF" + std::to_wstring(i) + L".tmp",
                         std::string(100 + i % 400, 't'))) {
      return false;
    }
  }
  return true;
}

// The scan-results file of the program's data folder, recording the cache.
std::wstring ScanFile() {
  wchar_t appdata[MAX_PATH] = {};
  GetEnvironmentVariableW(L"APPDATA", appdata, MAX_PATH);
  return std::wstring(appdata) + L"\\Vostreldata\\vostscan6.ini";
}

void WriteScanFile(platform::FileSystem& fs) {
  const std::wstring scan = ScanFile();
  MakeFolders(scan.substr(0, scan.rfind(L'\\')));
  DeleteFileW(scan.c_str());
  browsers::WriteInitialScanFile(fs, Narrow(scan));
  WritePrivateProfileStringW(L"HI24", L"P1", (kContent + L"\\").c_str(), scan.c_str());
}

// The practical limit: list each folder once and delete every file.
size_t BareLoop() {
  size_t deleted = 0;
  auto remove = [&](const std::wstring& folder) {
    bench::ListFolder(folder, [&](const WIN32_FIND_DATAW& data) {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
      if (DeleteFileW((folder + L"\\" + data.cFileName).c_str())) ++deleted;
    });
  };
  for (const std::wstring& f : CacheFolders()) remove(f);
  remove(kTemp);
  return deleted;
}

size_t FilesLeft() {
  size_t left = 0;
  auto count = [&](const std::wstring& folder) {
    bench::ListFolder(folder, [&](const WIN32_FIND_DATAW& data) {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++left;
    });
  };
  for (const std::wstring& f : CacheFolders()) count(f);
  count(kTemp);
  return left;
}

// The program's Cleanup All with the IE Cache and Temp Files ticks on;
// returns the seconds of the cleanup alone.
double ProgramCleanup(platform::Platform& platform) {
  WriteScanFile(platform.fs);
  ui::HeadlessWindowSystem windows;
  core::WindowFactories factories = app::ProgramWindows();
  factories.windows.erase(std::string(core::kDriveScanWindow));
  core::Application app(platform, windows, factories);
  app.Start();
  core::TFrminit& main = app.Main();
  for (ui::Control* c : main.Controls()) {
    if (auto* box = dynamic_cast<ui::CheckBox*>(c); box && c->Parent() == &main.GrpCustomize) {
      box->SetChecked(box == &main.ChkIECache || box == &main.ChkTemp);
    }
  }
  // No report and no wiping: the deletes themselves are measured.
  app.Globals().settings.Confirms = false;
  app.Globals().settings.Wipe = false;
  windows.Answer(ui::Answer::kYes);
  return Time([&] { main.CmdCleanAll.Click(); });
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 1;
  int files = 100000;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
    if (arg == "--files" && i + 1 < argc) files = std::max(2, std::atoi(argv[++i]));
  }
  SetEnvironmentVariableW(L"TEMP", kTemp.c_str());
  SetEnvironmentVariableW(L"TMP", kTemp.c_str());
  win32::Backend backend;

  double best_program = 1e9, best_bare = 1e9;
  size_t program_left = 0, bare_deleted = 0;
  for (int r = 0; r < rounds; ++r) {
    if (!BuildProfile(files)) {
      std::fprintf(stderr, "could not build the profile\n");
      return 2;
    }
    const double program = ProgramCleanup(backend.Get());
    best_program = std::min(best_program, program);
    program_left = FilesLeft();
    std::printf("round %d: Cleanup All %.3f s\n", r + 1, program);
    std::fflush(stdout);
    if (!BuildProfile(files)) return 2;
    const double bare = Time([&] { bare_deleted = BareLoop(); });
    best_bare = std::min(best_bare, bare);
    std::printf("round %d: bare loop %.3f s\n", r + 1, bare);
    std::fflush(stdout);
  }
  std::printf("files                          : %d (%d cache, %d temp)\n", files, files / 2,
              files - files / 2);
  std::printf("bare FindFirstFileW+DeleteFileW: %8.3f s  (%zu deleted)\n", best_bare, bare_deleted);
  std::printf("Cleanup All (IE cache, temp)   : %8.3f s  (%zu files left)\n", best_program,
              program_left);
  std::printf("ratio Cleanup All / bare loop  : %8.2f  (target <= 1.15)\n",
              best_program / best_bare);
  return best_program <= 1.15 * best_bare ? 0 : 1;
}
