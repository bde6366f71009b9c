#include "core/sweep/sweep.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/machine.h"

namespace sweep {
namespace {

const std::string kFolder = "C:\\T\\";

// A name outside the code page lists as "????.txt": deleting by that text
// would be a wildcard, so the 8.3 name is used, and without one the file is
// left and reported. The decoy matches "????.txt" and is spared.
TEST(PatternSweep, AListedNameHoldingWildcardsIsDeletedByItsShortNameOrLeft) {
  for (bool short_names : {true, false}) {
    sim::Machine m;
    if (!short_names) m.Builder().NoShortNames();
    m.Builder().File(kFolder + "файл.txt", "1234").ListedAs("????.txt").File(kFolder + "abcd.txt");
    PatternSweep pass(m.Platform().fs);
    pass.Spared = [](const platform::FindData& e) { return e.name == "abcd.txt"; };
    std::vector<std::string> not_deleted;
    pass.NotDeleted = [&](const platform::FindData& e, const std::string& path) {
      not_deleted.push_back(e.name + "|" + path);
    };
    pass.Run(kFolder + "*.*", kFolder, Mode::kDelete);
    EXPECT_TRUE(m.Exists(kFolder + "abcd.txt"));
    EXPECT_EQ(pass.found.count, 2);
    if (short_names) {
      EXPECT_FALSE(m.Exists(kFolder + "файл.txt"));
      EXPECT_EQ(pass.deleted.count, 1);
      EXPECT_EQ(pass.deleted.bytes, 4);
      EXPECT_TRUE(not_deleted.empty());
    } else {
      EXPECT_TRUE(m.Exists(kFolder + "файл.txt"));
      EXPECT_EQ(pass.deleted.count, 0);
      EXPECT_EQ(not_deleted, std::vector<std::string>{"????.txt|"});
    }
  }
}

TEST(PatternSweep, FoldersAreCountedNotDeletedAndEveryHookSeesItsFile) {
  sim::Machine m;
  m.Builder()
      .File(kFolder + "desktop.ini", "12")
      .File(kFolder + "busy.dat", "123")
      .Locked()
      .File(kFolder + "Sub\\inner.txt")
      .File(kFolder + "free.txt", "1");
  PatternSweep pass(m.Platform().fs);
  pass.Uncounted = [](const platform::FindData& e) { return e.name == "desktop.ini"; };
  std::vector<std::string> wiped, failed;
  pass.BeforeDelete = [&](const std::string& path) { wiped.push_back(path); };
  pass.NotDeleted = [&](const platform::FindData&, const std::string& path) {
    failed.push_back(path);
  };
  const Tally& counted = pass.Run(kFolder + "*.*", kFolder, Mode::kCount);
  EXPECT_EQ(counted.count, 3);  // busy.dat, free.txt, Sub
  EXPECT_EQ(counted.bytes, 4);
  EXPECT_TRUE(wiped.empty());

  const Tally& deleted = pass.Run(kFolder + "*.*", kFolder, Mode::kDelete);
  EXPECT_EQ(deleted.count, 2);  // desktop.ini, free.txt
  EXPECT_EQ(deleted.bytes, 3);
  EXPECT_EQ(failed, std::vector<std::string>{kFolder + "busy.dat"});
  EXPECT_EQ(wiped.size(), 3u);
  EXPECT_TRUE(m.Exists(kFolder + "Sub\\inner.txt"));
  EXPECT_TRUE(m.Exists(kFolder + "busy.dat"));
}

}  // namespace
}  // namespace sweep
