// Startup review benchmark: what "Review Startup" does between the click
// and the shown window (both loaders over the Win32 registry, then the
// window shown and painted), on a registry with 2,000 extra services and
// 1,000 Active Setup components, against a minimal RegEnumKeyExW /
// RegQueryValueExW walk of the same keys, in one run.
//
//   review_bench.exe [--rounds N] [--remove]
//
// The keys are added once (a marker value records it) under the machine's
// own Services and Installed Components keys; --remove takes them out
// again. Prints the best time of each over N rounds (default 5, after one
// warm-up) and the figure against the half-second target.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "bench/common/benchutil.h"
#include "core/uglobalvars.h"
#include "platform/win32/backend.h"
#include "review/startup.h"
#include "ui/win32/win32_window_system.h"

namespace {

using bench::Time;

constexpr int kServices = 2000;
constexpr int kComponents = 1000;
constexpr const wchar_t* kServicesKey = L"SYSTEM\\CurrentControlSet\\Services";
constexpr const wchar_t* kSetupKey = L"Software\\Microsoft\\Active Setup\\Installed Components";
constexpr const wchar_t* kMarkerKey = L"Software\\VostrelBench";

std::wstring Numbered(const wchar_t* prefix, int i) {
  wchar_t name[64];
  swprintf(name, 64, L"%ls%05d", prefix, i);
  return name;
}

void SetString(HKEY key, const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ) {
  RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void ForEachBenchKey(const std::function<void(const std::wstring&, bool service, int)>& fn) {
  for (int i = 0; i < kServices; ++i)
    fn(std::wstring(kServicesKey) + L"\\" + Numbered(L"VostBenchSvc", i), true, i);
  for (int i = 0; i < kComponents; ++i)
    fn(std::wstring(kSetupKey) + L"\\" + Numbered(L"{VostBench-", i) + L"}", false, i);
}

void BuildKeys() {
  ForEachBenchKey([](const std::wstring& path, bool service, int i) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
      return;
    if (service) {
      SetString(key, L"ImagePath",
                i % 3 == 0 ? L"%SystemRoot%\\system32\\svchost.exe -k bench"
                           : L"C:\\Program Files\\Bench\\svc" + std::to_wstring(i) + L".exe",
                REG_EXPAND_SZ);
      SetString(key, L"DisplayName", L"Bench service " + std::to_wstring(i));
      DWORD start = 3;
      RegSetValueExW(key, L"Start", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&start), 4);
    } else {
      SetString(key, L"StubPath", L"C:\\Program Files\\Bench\\stub.exe /c" + std::to_wstring(i));
      if (i % 2 == 0) SetString(key, L"KeyFileName", L"C:\\Program Files\\Bench\\key.dll");
      SetString(key, L"", L"Bench component");
    }
    RegCloseKey(key);
  });
  HKEY marker;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kMarkerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &marker, nullptr) == ERROR_SUCCESS) {
    SetString(marker, L"Built", L"1");
    RegCloseKey(marker);
  }
}

void RemoveKeys() {
  ForEachBenchKey([](const std::wstring& path, bool, int) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
  });
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kMarkerKey);
}

bool Built() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMarkerKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

// The practical limit: enumerate the subkeys of both keys and read the
// values the review reads (ImagePath; StubPath and KeyFileName).
size_t MinimalWalk() {
  size_t found = 0;
  auto walk = [&](const wchar_t* parent, std::initializer_list<const wchar_t*> values) {
    HKEY root;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, parent, 0, KEY_READ, &root) != ERROR_SUCCESS) return;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
      DWORD len = 256;
      if (RegEnumKeyExW(root, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      HKEY sub;
      if (RegOpenKeyExW(root, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
      for (const wchar_t* value : values) {
        wchar_t data[1024];
        DWORD size = sizeof data, type = 0;
        if (RegQueryValueExW(sub, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
                ERROR_SUCCESS &&
            size > 2)
          ++found;
      }
      RegCloseKey(sub);
    }
    RegCloseKey(root);
  };
  walk(kSetupKey, {L"StubPath"});
  walk(kSetupKey, {L"KeyFileName"});
  walk(kServicesKey, {L"ImagePath"});
  return found;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  int rounds = 5;
  std::wstring args = command_line ? command_line : L"";
  if (args.find(L"--remove") != std::wstring::npos) {
    RemoveKeys();
    return 0;
  }
  if (size_t at = args.find(L"--rounds "); at != std::wstring::npos)
    rounds = std::max(1, _wtoi(args.c_str() + at + 9));
  if (!Built()) {
    double t = Time(BuildKeys);
    std::printf("added %d services and %d components in %.1f s\n", kServices, kComponents, t);
  }

  win32::Backend backend;
  ui::Win32WindowSystem windows(static_cast<void*>(instance));
  core::Uglobalvars g(backend.Get(), windows);
  g.FormBaseFolders();
  g.FormDataPaths();
  review::TFrmstartup review(g);
  review.Create();

  double best_walk = 1e9, best_review = 1e9, best_load = 1e9;
  size_t walked = 0;
  for (int r = 0; r <= rounds; ++r) {
    best_walk = std::min(best_walk, Time([&] { walked = MinimalWalk(); }));
    double load = 0;
    const double shown = Time([&] {
      load = Time([&] { review.PrepareToShow(); });
      review.Show();
      windows.ProcessMessages();
    });
    review.Hide();
    windows.ProcessMessages();
    if (r == 0) continue;  // warm-up
    best_review = std::min(best_review, shown);
    best_load = std::min(best_load, load);
  }
  std::printf("values found by the minimal walk      : %zu\n", walked);
  std::printf("services listed / report lines        : %d / %zu\n", review.ListServices.Count(),
              review.ListLog.size());
  std::printf("minimal RegEnumKeyEx/RegQueryValueEx  : %8.3f s\n", best_walk);
  std::printf("Review Startup, click to shown window : %8.3f s  (loading %.3f s)\n", best_review,
              best_load);
  std::printf("target                                : %8.3f s\n", 0.5);
  return best_review < 0.5 ? 0 : 1;
}
