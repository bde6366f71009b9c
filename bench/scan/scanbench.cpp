// Drive-scan benchmark: the scan's walk (browsers::DriveScanner over the
// Win32 backend) against a minimal FindFirstFileW walk of the same tree, in
// one run. Without a folder argument it builds a tree of about 202,000
// entries under C:\vostbench\tree (once; a marker file records a finished
// tree) and walks that.
//
//   scan_bench.exe [folder] [--rounds N]
//
// Prints the best time of each walk over N rounds (default 4, after one
// warm-up walk that fills the file cache) and the ratio scan / minimal.
// The scan runs twice per round: paced (messages every 30 ms, as the
// program does) and pumping after every entry; the pump is a PeekMessage
// loop, which is what letting pending messages run costs without a window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/common/benchutil.h"
#include "browsers/scandrv.h"
#include "platform/win32/backend.h"

namespace {

using bench::MakeFile;
using bench::Narrow;
using bench::Time;
using bench::Widen;

constexpr int kTopFolders = 100;
constexpr int kSubFolders = 20;
constexpr int kFilesPerFolder = 100;
constexpr const wchar_t* kDefaultRoot = L"C:\\vostbench\\tree";
constexpr const wchar_t* kMarker = L"C:\\vostbench\\tree.done";

// Builds the tree: kTopFolders x kSubFolders folders of kFilesPerFolder
// small files, plus a few browser profile folders so the scan records
// something.
bool BuildTree(const std::wstring& root) {
  CreateDirectoryW(L"C:\\vostbench", nullptr);
  CreateDirectoryW(root.c_str(), nullptr);
  for (int t = 0; t < kTopFolders; ++t) {
    std::wstring top = root + L"\\dir" + std::to_wstring(t);
    CreateDirectoryW(top.c_str(), nullptr);
    for (int s = 0; s < kSubFolders; ++s) {
      std::wstring sub = top + L"\\sub" + std::to_wstring(s);
      CreateDirectoryW(sub.c_str(), nullptr);
      for (int f = 0; f < kFilesPerFolder; ++f) {
        if (!MakeFile(sub + L"\\file" + std::to_wstring(f) + L".txt", "x")) return false;
      }
    }
    std::fprintf(stderr, "\rbuilding tree: %d/%d", t + 1, kTopFolders);
  }
  std::fprintf(stderr, "\n");
  std::wstring profile = root + L"\\dir7\\Mozilla\\Firefox\\Profiles\\abc.default";
  for (const wchar_t* part :
       {L"\\dir7\\Mozilla", L"\\dir7\\Mozilla\\Firefox", L"\\dir7\\Mozilla\\Firefox\\Profiles",
        L"\\dir7\\Mozilla\\Firefox\\Profiles\\abc.default"}) {
    CreateDirectoryW((root + part).c_str(), nullptr);
  }
  CreateDirectoryW((profile + L"\\Cache").c_str(), nullptr);
  for (const wchar_t* name : {L"\\prefs.js", L"\\cookies.sqlite", L"\\places.sqlite"}) {
    MakeFile(profile + name, "x");
  }
  return MakeFile(kMarker, "done");
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring root = kDefaultRoot;
  int rounds = 4;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--rounds" && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else {
      root = Widen(arg);
      while (root.size() > 3 && (root.back() == L'\\' || root.back() == L'/')) root.pop_back();
    }
  }
  if (root == kDefaultRoot && GetFileAttributesW(kMarker) == INVALID_FILE_ATTRIBUTES) {
    double t = Time([&] {
      if (!BuildTree(root)) std::fprintf(stderr, "could not build the tree\n");
    });
    std::printf("built tree in %.1f s\n", t);
  }

  win32::Backend backend;
  platform::Platform& p = backend.Get();
  std::string scan_file = "C:\\vostbench\\vostscan6.ini";
  DeleteFileW(Widen(scan_file).c_str());

  bench::MinimalWalk warm;
  warm.Walk(root);
  std::printf("tree %s: %llu entries\n", Narrow(root).c_str(),
              static_cast<unsigned long long>(warm.entries));

  double best_min = 1e9, best_paced = 1e9, best_every = 1e9;
  uint64_t scan_entries = 0, pumps_paced = 0, pumps_every = 0, finds = 0;
  // The walks take turns in changing order, so neither always runs on a
  // cache the other has just warmed.
  auto minimal = [&] {
    bench::MinimalWalk walk;
    best_min = std::min(best_min, Time([&] { walk.Walk(root); }));
  };
  auto paced = [&] {
    browsers::DriveScanner scanner(p.fs, p.ini, p.system, scan_file);
    uint64_t pumps = 0;
    scanner.SetPump([&](const std::string&) {
      ++pumps;
      bench::PumpMessages();
    });
    best_paced = std::min(best_paced, Time([&] { scanner.ScanDriveFolder(Narrow(root)); }));
    scan_entries = scanner.Entries();
    finds = scanner.Finds();
    pumps_paced = pumps;
  };
  auto every = [&] {
    browsers::DriveScanner scanner(p.fs, p.ini, p.system, scan_file);
    scanner.SetPumpInterval(0);
    uint64_t pumps = 0;
    scanner.SetPump([&](const std::string&) {
      ++pumps;
      bench::PumpMessages();
    });
    best_every = std::min(best_every, Time([&] { scanner.ScanDriveFolder(Narrow(root)); }));
    pumps_every = pumps;
  };
  for (int r = 0; r < rounds; ++r) {
    if (r % 2 == 0) {
      minimal();
      paced();
      every();
    } else {
      every();
      paced();
      minimal();
    }
  }

  std::printf("minimal FindFirstFileW walk : %8.3f s  (%llu entries)\n", best_min,
              static_cast<unsigned long long>(warm.entries));
  std::printf("drive scan, paced (30 ms)   : %8.3f s  (%llu entries, %llu pumps, %llu finds)\n",
              best_paced, static_cast<unsigned long long>(scan_entries),
              static_cast<unsigned long long>(pumps_paced), static_cast<unsigned long long>(finds));
  std::printf("drive scan, pump per entry  : %8.3f s  (%llu pumps)\n", best_every,
              static_cast<unsigned long long>(pumps_every));
  std::printf("ratio paced / minimal       : %8.2f  (target <= 1.30)\n", best_paced / best_min);
  std::printf("ratio per-entry / minimal   : %8.2f\n", best_every / best_min);
  return best_paced <= 1.3 * best_min ? 0 : 1;
}
