// Duplicate finder benchmark, run under Wine (or on Windows) against the
// Win32 backend: "Duplicate Patterns" (review::DupFinder, paced as the
// window paces it) over one folder, and the media search's walk against a
// minimal FindFirstFileW walk of the same folder.
//
//   dups_bench.exe FOLDER SETS.txt [--rounds N]
//
// Writes the sets found to SETS.txt in the corpus generator's form (paths
// relative to FOLDER with "/", sorted, one set per paragraph) and prints:
// the scan's time, the bytes the program read (its own count, and the
// process's "rchar" from /proc/PID/io seen through Wine's Z: drive), the
// peak working set (VmHWM from /proc/PID/status, and as Windows reports it)
// and the best time of each walk over N rounds (default 3, after a warm-up
// walk).
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/common/benchutil.h"
#include "core/sweep/sweep.h"
#include "core/sweep/walk.h"
#include "platform/win32/backend.h"
#include "review/dupscan.h"
#include "review/piccache.h"

namespace {

// This process's folder under Linux's /proc as Wine's Z: drive shows it
// ("Z:\proc\1234\"); empty when absent or ambiguous. Not "self": Wine's
// server opens files for its programs, so "self" would be the server.
std::string OwnProcFolder() {
  std::string found;
  WIN32_FIND_DATAW d;
  HANDLE h = FindFirstFileW(L"Z:\\proc\\*", &d);
  if (h == INVALID_HANDLE_VALUE) return {};
  do {
    std::string pid = bench::Narrow(d.cFileName);
    if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string folder = "Z:\\proc\\" + pid + "\\";
    std::ifstream comm(folder + "comm");
    std::string name;
    if (!std::getline(comm, name) || name != "dups_bench.exe") continue;
    if (!found.empty()) {
      found.clear();
      break;
    }
    found = folder;
  } while (FindNextFileW(h, &d));
  FindClose(h);
  return found;
}

// A figure of one of this process's /proc files; 0 when absent.
uint64_t ProcFigure(const char* file, const std::string& key) {
  static const std::string folder = OwnProcFolder();
  if (folder.empty()) return 0;
  std::ifstream in(folder + file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) == 0) return std::strtoull(line.c_str() + key.size(), nullptr, 10);
  }
  return 0;
}

// The media search's walk: the shared folder walk, the category test on
// every file, the size looked up again for each match, and the pacing.
struct MediaWalk {
  platform::FileSystem& fs;
  uint64_t matches = 0;
  uint64_t bytes = 0;
  uint64_t last = GetTickCount64();
  void Enter(const std::string&) {}
  void Leave() {}
  sweep::WalkStep Entry(const std::string& folder, const platform::FindData& entry) {
    if (!(entry.attributes & platform::kAttrDirectory) &&
        review::MatchesMedia(review::MediaKind::kPhotos, entry.name)) {
      ++matches;
      if (auto size = fs.GetSize(folder + entry.name)) bytes += *size;
    }
    uint64_t now = GetTickCount64();
    if (now - last >= 30) {
      last = now;
      bench::PumpMessages();
    }
    return sweep::WalkStep::kDescend;
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: dups_bench FOLDER SETS.txt [--rounds N]\n");
    return 2;
  }
  std::string folder = bench::Narrow(argv[1]);
  std::string sets_file = bench::Narrow(argv[2]);
  int rounds = 3;
  for (int i = 3; i + 1 < argc; ++i)
    if (std::wstring(argv[i]) == L"--rounds") rounds = std::max(1, _wtoi(argv[i + 1]));

  auto fs = win32::MakeFileSystem();
  auto system = win32::MakeSystemInfo();
  review::DupFinder finder(*fs, *system);
  // The first pacing point after the walk (to the pacing interval) splits
  // the scan's time into the walk and the comparing.
  LARGE_INTEGER walked{};
  finder.SetPump([&walked](const review::DupProgress& progress) {
    if (progress.folder.empty() && walked.QuadPart == 0) QueryPerformanceCounter(&walked);
    bench::PumpMessages();
  });

  uint64_t rchar_before = ProcFigure("io", "rchar: ");
  LARGE_INTEGER t0, t1;
  QueryPerformanceCounter(&t0);
  std::vector<review::DupSet> sets = finder.Find(folder, review::DupMode::kContents);
  QueryPerformanceCounter(&t1);
  uint64_t rchar = ProcFigure("io", "rchar: ") - rchar_before;
  uint64_t peak_kb = ProcFigure("status", "VmHWM:");
  PROCESS_MEMORY_COUNTERS memory{};
  K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

  std::vector<std::vector<std::string>> relative;
  for (const review::DupSet& set : sets) {
    std::vector<std::string> paths;
    for (const review::DupFile& f : set.files) {
      std::string p = f.path.substr(folder.size() + 1);
      std::replace(p.begin(), p.end(), '\\', '/');
      paths.push_back(p);
    }
    std::sort(paths.begin(), paths.end());
    relative.push_back(std::move(paths));
  }
  std::sort(relative.begin(), relative.end());
  std::ofstream out(sets_file, std::ios::binary);
  for (size_t i = 0; i < relative.size(); ++i) {
    if (i) out << "\n";
    for (const std::string& p : relative[i]) out << p << "\n";
  }
  out.close();

  std::printf("scan: %.3f s (walk %.3f s), %zu sets, %llu files walked, %llu files compared\n",
              bench::Seconds(t0, t1), bench::Seconds(t0, walked), sets.size(),
              static_cast<unsigned long long>(finder.FilesFound()),
              static_cast<unsigned long long>(finder.FilesHashed()));
  std::printf("bytes read: %llu (own count), %llu (process rchar)\n",
              static_cast<unsigned long long>(finder.BytesRead()),
              static_cast<unsigned long long>(rchar));
  std::printf("peak working set: %llu KiB (VmHWM), %llu KiB (as Windows reports it)\n",
              static_cast<unsigned long long>(peak_kb),
              static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024));

  std::wstring wfolder = argv[1];
  double best_minimal = 1e9, best_media = 1e9;
  uint64_t entries = 0, matches = 0;
  for (int r = 0; r <= rounds; ++r) {
    bench::MinimalWalk minimal;
    QueryPerformanceCounter(&t0);
    minimal.Walk(wfolder);
    QueryPerformanceCounter(&t1);
    if (r) best_minimal = std::min(best_minimal, bench::Seconds(t0, t1));
    entries = minimal.entries;
    MediaWalk media{*fs};
    QueryPerformanceCounter(&t0);
    std::string root = folder + "\\";
    sweep::WalkFolders(*fs, root, "*.*", media);
    QueryPerformanceCounter(&t1);
    if (r) best_media = std::min(best_media, bench::Seconds(t0, t1));
    matches = media.matches;
  }
  std::printf(
      "walk: minimal %.3f s (%llu entries), media search %.3f s (%llu photos), ratio %.2f\n",
      best_minimal, static_cast<unsigned long long>(entries), best_media,
      static_cast<unsigned long long>(matches), best_media / best_minimal);
  return 0;
}
