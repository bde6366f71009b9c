// vauto's own command tables, with their handlers: runs under Wine.
#include "tools/vauto/commands.h"

#include <gtest/gtest.h>

#include <set>

namespace vauto {
namespace {

Script Parse(std::string_view text) { return vauto::Parse(text, nullptr, AllCommands()); }

TEST(VautoCommands, EveryCommandIsFoundByItsOneNameAndHasAHandler) {
  std::set<std::string_view> names;
  for (const CommandRow* row : AllCommands().All()) {
    EXPECT_TRUE(names.insert(row->name).second) << row->name;
    EXPECT_EQ(AllCommands().Find(row->name), row) << row->name;
    EXPECT_EQ(row->usage.substr(0, row->name.size()), row->name);
    EXPECT_NE(row->run, nullptr) << row->name;
  }
  EXPECT_EQ(AllCommands().Find("Click"), nullptr);
}

TEST(VautoCommands, ResizeAndExpectSizeTakeTwoWholeNumbers) {
  EXPECT_TRUE(Parse("resize 700 560\nexpect-size 700 560").errors.empty());
  for (const char* bad : {"resize 700", "resize -1 500", "expect-size 700 wide", "resize 1 2 3"}) {
    EXPECT_EQ(Parse(bad).errors.size(), 1u) << bad;
  }
}

TEST(VautoCommands, IniExpectWantsFourArgumentsAndExpectFilesACount) {
  for (const char* good : {"ini-expect %APPDATA%\\a.ini P45 P1 \"C:\\x\\\"",
                           "ini-expect a.ini HI24 * \"\"", "expect-files \"C:\\t\\*.tmp\" 0"}) {
    EXPECT_TRUE(Parse(good).errors.empty()) << good;
  }
  for (const char* bad : {"ini-expect a.ini P45 P1", "ini-expect a.ini P45 P1 x y",
                          "expect-files C:\\t\\*", "expect-files C:\\t\\* -1"}) {
    EXPECT_EQ(Parse(bad).errors.size(), 1u) << bad;
  }
}

TEST(VautoCommands, AnswerAndRegSetCheckTheirKeywords) {
  EXPECT_TRUE(Parse("answer No contains like 500\nreg-set HKCU\\X V dword 4").errors.empty());
  for (const char* bad : {"answer Yes expect", "answer Yes 100 200", "reg-set HKCU\\X V binary 00",
                          "reg-set HKCU\\X V dword on"}) {
    EXPECT_EQ(Parse(bad).errors.size(), 1u) << bad;
  }
}

}  // namespace
}  // namespace vauto
