// Start-up survey benchmark: the Internet Explorer and Netscape/Firefox
// surveys (the creation of TFrmie and TFrmnet over the Win32 backend, as
// the program's start-up runs them) against a minimal FindFirstFileW walk
// of the same cache folders, in one run.
//
//   survey_bench.exe [--rounds N]
//
// The profile lives under C:\vostbench\survey (built once; a marker file
// records a finished build): an Internet Explorer cache "Temporary Internet
// Files\Content.IE5" with 50 sub-folders of 500 files, and a Firefox
// profile whose hashed cache holds 25,000 files in its 32 sub-folders
// "00" to "1F" - 50,000 cache files in all. The surveys find both through
// the benchmark's own scan-results file, as they find profiles the drive
// scan recorded; everything else they look at is the machine's own.
//
// Prints the best time of each over N rounds (default 5, after one warm-up
// that fills the file cache) and the ratio survey / minimal walk.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/common/benchutil.h"
#include "browsers/ie.h"
#include "browsers/net.h"
#include "browsers/netprofiles.h"
#include "browsers/scandrv.h"
#include "core/uglobalvars.h"
#include "platform/win32/backend.h"
#include "ui/headless/headless.h"

namespace {

using bench::Narrow;
using bench::Time;

constexpr int kIEFolders = 50;
constexpr int kIEFilesPerFolder = 500;
constexpr int kFirefoxFiles = 25000;
constexpr const wchar_t* kRoot = L"C:\\vostbench\\survey";
constexpr const wchar_t* kMarker = L"C:\\vostbench\\survey.done";
const std::wstring kContent = std::wstring(kRoot) + L"\\Temporary Internet Files\\Content.IE5";
const std::wstring kProfile = std::wstring(kRoot) + L"\\Mozilla\\Firefox\\Profiles\\b3nch.default";
const std::wstring kScanFile = std::wstring(kRoot) + L"\\vostscan6.ini";

bool MakeFile(const std::wstring& path, DWORD size) {
  return bench::MakeFile(path, std::string(size, 'x'));
}

void MakeFolders(const std::wstring& path) {
  for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryW(path.c_str(), nullptr);
}

std::wstring Hex2(int i) {
  const wchar_t* hex = L"0123456789ABCDEF";
  return {hex[(i >> 4) & 0xF], hex[i & 0xF]};
}

std::vector<std::wstring> IEFolders() {
  std::vector<std::wstring> out;
  for (int f = 0; f < kIEFolders; ++f) {
    wchar_t name[16];
    swprintf(name, 16, L"\\Q%07d", f);
    out.push_back(kContent + name);
  }
  return out;
}

std::vector<std::wstring> FirefoxFolders() {
  std::vector<std::wstring> out;
  for (int h = 0; h < 32; ++h) out.push_back(kProfile + L"\\Cache\\" + Hex2(h));
  return out;
}

bool BuildProfile() {
  MakeFolders(kContent);
  if (!MakeFile(kContent + L"\\index.dat", 65536)) return false;
  int made = 0;
  for (const std::wstring& folder : IEFolders()) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < kIEFilesPerFolder; ++i) {
      if (!MakeFile(folder + L"\\page" + std::to_wstring(i) + L"[1].htm", 100 + i)) return false;
    }
    std::fprintf(stderr, "\rbuilding: %d files", made += kIEFilesPerFolder);
  }
  MakeFolders(kProfile);
  MakeFile(kProfile + L"\\prefs.js", 40);
  const std::vector<std::wstring> hashed = FirefoxFolders();
  CreateDirectoryW((kProfile + L"\\Cache").c_str(), nullptr);
  for (const std::wstring& folder : hashed) CreateDirectoryW(folder.c_str(), nullptr);
  for (int i = 0; i < kFirefoxFiles; ++i) {
    wchar_t name[24];
    swprintf(name, 24, L"\\%08Xd01", 0x1000 + i * 7919);
    if (!MakeFile(hashed[static_cast<size_t>(i) % hashed.size()] + name, 200 + i % 300)) {
      return false;
    }
    if (i % 1000 == 999) std::fprintf(stderr, "\rbuilding: %d files", ++made + i);
  }
  std::fprintf(stderr, "\n");
  return MakeFile(kMarker, 4);
}

// The scan-results file that leads the surveys to the profile, as the
// first run leaves it: the initial file (every record key, empty), then
// the cache folder (HI24) and the Firefox profile (P45) the drive scan
// recorded.
void WriteScanFile(platform::FileSystem& fs) {
  DeleteFileW(kScanFile.c_str());
  browsers::WriteInitialScanFile(fs, Narrow(kScanFile));
  WritePrivateProfileStringW(L"HI24", L"P1", (kContent + L"\\").c_str(), kScanFile.c_str());
  WritePrivateProfileStringW(L"P45", L"P1", (kProfile + L"\\").c_str(), kScanFile.c_str());
}

// The practical limit: list each cache folder once and add up the sizes.
struct MinimalWalk {
  uint64_t entries = 0;
  uint64_t bytes = 0;
  void List(const std::wstring& folder) {
    bench::ListFolder(folder, [&](const WIN32_FIND_DATAW& data) {
      ++entries;
      bytes += (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    });
  }
  void Walk() {
    for (const std::wstring& f : IEFolders()) List(f);
    for (const std::wstring& f : FirefoxFolders()) List(f);
  }
};

}  // namespace

int main(int argc, char** argv) {
  int rounds = 5;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
  }
  if (GetFileAttributesW(kMarker) == INVALID_FILE_ATTRIBUTES) {
    double t = Time([] {
      if (!BuildProfile()) std::fprintf(stderr, "could not build the profile\n");
    });
    std::printf("built profile in %.1f s\n", t);
  }
  win32::Backend backend;
  WriteScanFile(backend.Get().fs);
  ui::HeadlessWindowSystem windows;
  core::Uglobalvars g(backend.Get(), windows);
  g.FormBaseFolders();
  g.SystemDir = g.GetSystemDir();
  g.ScanResultsFile = Narrow(kScanFile);

  core::SurveyFigures ie_cache, net_cache, ie_total, net_total;
  double best_min = 1e9, best_survey = 1e9, best_ie = 1e9, best_net = 1e9;
  MinimalWalk walked;
  auto minimal = [&] {
    MinimalWalk walk;
    best_min = std::min(best_min, Time([&] { walk.Walk(); }));
    walked = walk;
  };
  auto survey = [&] {
    double t_ie = 0, t_net = 0;
    double t = Time([&] {
      browsers::TFrmie ie(g);
      t_ie = Time([&] { ie.Create(); });
      browsers::TFrmnet net(g);
      t_net = Time([&] { net.Create(); });
      ie_cache = ie.CacheFigures();
      net_cache = net.CacheFigures();
      ie_total = ie.TotalFigures();
      net_total = net.TotalFigures();
    });
    best_survey = std::min(best_survey, t);
    best_ie = std::min(best_ie, t_ie);
    best_net = std::min(best_net, t_net);
  };
  minimal();
  survey();
  for (int r = 0; r < rounds; ++r) {
    if (r % 2 == 0) {
      minimal();
      survey();
    } else {
      survey();
      minimal();
    }
  }

  std::printf("cache files                 : %llu (%llu bytes) in %d folders\n",
              static_cast<unsigned long long>(walked.entries),
              static_cast<unsigned long long>(walked.bytes), kIEFolders + 32);
  std::printf("minimal FindFirstFileW walk : %8.3f s\n", best_min);
  std::printf("start-up survey (IE + Net)  : %8.3f s  (IE %.3f s, Net %.3f s)\n", best_survey,
              best_ie, best_net);
  std::printf("  IE cache %lld files %lld bytes, IE total %lld files\n",
              static_cast<long long>(ie_cache.files), static_cast<long long>(ie_cache.bytes),
              static_cast<long long>(ie_total.files));
  std::printf("  Net cache %lld files %lld bytes, Net total %lld files\n",
              static_cast<long long>(net_cache.files), static_cast<long long>(net_cache.bytes),
              static_cast<long long>(net_total.files));
  double t_profiles = 1e9;
  for (int r = 0; r < rounds; ++r) {
    t_profiles = std::min(t_profiles, Time([&] {
                            browsers::LoadScannedProfiles(g);
                            browsers::LoadScannedHistoryFiles(g);
                          }));
  }
  std::printf("  profile discovery from the scan-results file: %.3f s\n", t_profiles);
  std::printf("ratio survey / minimal      : %8.2f  (target <= 1.30)\n", best_survey / best_min);
  return best_survey <= 1.3 * best_min ? 0 : 1;
}
