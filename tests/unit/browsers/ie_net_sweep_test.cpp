// Sweep over the dirty demo profile on the simulated machine: after the
// first-run drive scan, every survey of the two browser modules followed by
// its cleanup removes exactly the files the survey counted, nothing else,
// and a new survey then finds no files left (only the folder entries the
// survey counts without deleting).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "browsers/ie.h"
#include "browsers/net.h"
#include "browsers/scandrv.h"
#include "core/uglobalvars.h"
#include "platform/sim/machine.h"
#include "platform/text.h"
#include "tools/seed/seed.h"
#include "ui/headless/headless.h"

namespace browsers {
namespace {

using Files = std::set<std::string>;

struct Category {
  const char* name;
  core::SurveyFigures (core::BrowserModule::*figures)() const;
  void (core::BrowserModule::*clean)();
};
constexpr Category kCategories[] = {
    {"cookies", &core::BrowserModule::CookieFigures, &core::BrowserModule::CleanCookies},
    {"history", &core::BrowserModule::HistoryFigures, &core::BrowserModule::CleanHistory},
    {"cache", &core::BrowserModule::CacheFigures, &core::BrowserModule::CleanCache},
};

class Sweep : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;

  void SetUp() override {
    const seed::SeedReport report = seed::SeedDirtyProfile(m.Platform(), {});
    ASSERT_TRUE(report.Ok()) << report.problems.front();
    g = std::make_unique<core::Uglobalvars>(m.Platform(), ws);
    g->FormBaseFolders();
    g->FormDataPaths();
    auto& p = m.Platform();
    ASSERT_TRUE(WriteInitialScanFile(p.fs, g->ScanResultsFile));
    DriveScanner scanner(p.fs, p.ini, p.system, g->ScanResultsFile);
    ASSERT_TRUE(scanner.ScanDriveFolder("C:"));
  }
  Files AllFiles() const {
    auto files = m.Files();
    return Files(files.begin(), files.end());
  }
  template <class Module>
  std::unique_ptr<core::BrowserModule> Survey() {
    auto w = std::make_unique<Module>(*g);
    w->SetCollectResults(true);
    w->Create();
    return w;
  }

  // Surveys once, cleans the three categories one after the other and
  // checks each against a new survey. Returns the first survey's figures.
  template <class Module>
  std::vector<core::SurveyFigures> SweepModule() {
    auto w = Survey<Module>();
    std::vector<core::SurveyFigures> counted;
    std::vector<std::vector<std::string>> removed;
    for (const Category& c : kCategories) {
      counted.push_back((*w.*c.figures)());
      const Files before = AllFiles();
      (*w.*c.clean)();
      const Files after = AllFiles();
      // Nothing appeared.
      EXPECT_TRUE(std::includes(before.begin(), before.end(), after.begin(), after.end()));
      removed.emplace_back();
      std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                          std::back_inserter(removed.back()));
    }
    auto again = Survey<Module>();
    for (size_t i = 0; i < std::size(kCategories); ++i) {
      const Category& c = kCategories[i];
      SCOPED_TRACE(c.name);
      EXPECT_GT(counted[i].files, 0) << "the demo profile has some";
      // DESKTOP.INI goes although it never counts.
      const auto uncounted = std::count_if(removed[i].begin(), removed[i].end(), [](auto& path) {
        return text::Upper(text::FileName(path)) == "DESKTOP.INI";
      });
      // What is left to count are the folder entries the survey counts.
      const core::SurveyFigures left = (*again.*c.figures)();
      EXPECT_EQ(left.bytes, 0);
      EXPECT_EQ(static_cast<int64_t>(removed[i].size()) - uncounted, counted[i].files - left.files);
    }
    EXPECT_TRUE(ws.Boxes().empty());
    return counted;
  }
};

TEST_F(Sweep, EveryInternetExplorerCleanupRemovesExactlyWhatItsSurveyCounted) {
  const auto counted = SweepModule<TFrmie>();
  // The demo profile, found through the shell, Shell Folders and the drive
  // scan: the cookie index beside ten cookies; History.IE5 (a folder entry)
  // and four index files; 18 cache files in four sub-folders and the cache
  // index.
  EXPECT_EQ(counted[0].files, 11);
  EXPECT_EQ(counted[1].files, 5);
  EXPECT_EQ(counted[2].files, 19);
  EXPECT_EQ(g->Result(core::Slot::kIECache), "All files have been deleted. ");
  EXPECT_TRUE(g->LockedFiles.IsEmpty());
}

TEST_F(Sweep, EveryNetscapeCleanupRemovesExactlyWhatItsSurveyCounted) {
  const auto counted = SweepModule<TFrmnet>();
  // Netscape 4 (registry), the Firefox profile and the Mozilla profile left
  // behind (drive scan): cookies.txt of each and cookies.sqlite; the
  // Navigator history, two old Firefox files, the Mozilla history and
  // formhistory.sqlite; the hashed Firefox cache and two flat caches.
  EXPECT_EQ(counted[0].files, 1 + 1 + 1 + 1);
  EXPECT_EQ(counted[1].files, 1 + 2 + 1 + 1);
  EXPECT_EQ(counted[2].files, 8 + 3 + 3);
  EXPECT_EQ(g->Result(core::Slot::kNetCache), "All files have been deleted.");
  // The Firefox places database is not part of these cleanups.
  EXPECT_TRUE(m.Exists(g->FFPlacesFile));
}

}  // namespace
}  // namespace browsers
