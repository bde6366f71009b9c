// seedprofile.exe: seeds the dirty demo profile into the Windows (or Wine)
// user profile it runs in. Meant for scratch machines and private Wine
// prefixes only: it fills the real profile folders with junk and, under
// Wine, points Internet Explorer's cache folder at "Temporary Internet
// Files". Run it twice and the second run changes nothing.
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/win32/backend.h"
#include "tools/seed/seed.h"

namespace {

int Usage() {
  std::fprintf(
      stderr,
      "usage: seedprofile [--user NAME] [--no-recycle] [--keep-cache-folder] [--kept-cookies] "
      "[--quiet]\n"
      "Fills the current user's profile with browser traces and junk files for a "
      "demonstration. Run it only on a test machine or in a scratch Wine prefix.\n"
      "--kept-cookies adds a cookie keep list to Vostrel's data; use it after "
      "Vostrel's first start, which it would otherwise skip.\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  seed::SeedOptions options;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--user" && i + 1 < argc) {
      options.user_name = argv[++i];
    } else if (arg == "--no-recycle") {
      options.fill_recycle_bin = false;
    } else if (arg == "--keep-cache-folder") {
      options.ie5_cache_layout = false;
    } else if (arg == "--kept-cookies") {
      options.kept_cookies = true;
    } else if (arg == "--quiet") {
      quiet = true;
    } else {
      return Usage();
    }
  }

  win32::Backend backend;
  const seed::SeedReport report = seed::SeedDirtyProfile(backend.Get(), options);
  if (!quiet) {
    for (const std::string& place : report.places) std::printf("  %s\n", place.c_str());
  }
  for (const std::string& problem : report.problems) {
    std::fprintf(stderr, "seedprofile: %s\n", problem.c_str());
  }
  std::printf("seedprofile: %d written, %d unchanged, %d skipped, %d recycled, %zu problems\n",
              report.written, report.unchanged, report.skipped, report.recycled,
              report.problems.size());
  return report.Ok() ? 0 : 1;
}
