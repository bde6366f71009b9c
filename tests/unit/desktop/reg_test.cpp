#include "desktop/reg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/uglobalvars.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace desktop {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kRunMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr const char* kFindMru =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU";
constexpr const char* kAcmru = "SOFTWARE\\Microsoft\\Search Assistant\\ACMRu";

class RegTest : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;
  std::unique_ptr<TFrmreg> w;

  // Creates the window, which reads both histories.
  TFrmreg& Open(bool xp) {
    w.reset();
    g = std::make_unique<core::Uglobalvars>(m.Platform(), ws);
    g->WindowsXP = xp;
    w = std::make_unique<TFrmreg>(*g);
    w->Create();
    return *w;
  }
  std::optional<std::string> Run(const char* name) const {
    return m.RegString(sim::HKCU, kRunMru, name);
  }
};

TEST_F(RegTest, ARunEntryLosesOnlyItsOwnValueAndEqualTextsGoEarliestLetterFirst) {
  m.Builder()
      .RegString(sim::HKCU, kRunMru, "a", "notepad\\1")
      .RegString(sim::HKCU, kRunMru, "b", "cmd\\1")
      .RegString(sim::HKCU, kRunMru, "c", "regedit\\1")
      .RegString(sim::HKCU, kRunMru, "d", "cmd\\1")
      .RegString(sim::HKCU, kRunMru, "MRUList", "dcba");
  Open(true);
  EXPECT_EQ(w->ListRun.Items(), (Strings{"notepad\\1", "cmd\\1", "regedit\\1", "cmd\\1"}));
  EXPECT_EQ(w->ListRun.ItemIndex(), 0);

  w->ListRun.ClickItem(2);
  w->CmdRemoveRun.Click();
  EXPECT_FALSE(Run("c"));
  EXPECT_EQ(Run("MRUList"), "dcba");
  EXPECT_EQ(w->ListRun.ItemIndex(), 0);

  // The later of the two equal lines still deletes the earlier letter.
  w->ListRun.ClickItem(2);
  w->CmdRemoveRun.Click();
  EXPECT_FALSE(Run("b"));
  EXPECT_EQ(Run("d"), "cmd\\1");
  EXPECT_EQ(w->ListRun.Items(), (Strings{"notepad\\1", "cmd\\1"}));
}

TEST_F(RegTest, TheSearchAssistantIsListedAndSearchedOnWindowsXpOnly) {
  const std::string first = std::string(kAcmru) + "\\5603";
  const std::string second = std::string(kAcmru) + "\\5604";
  m.Builder()
      .RegString(sim::HKCU, kFindMru, "a", "budget")
      .RegString(sim::HKCU, kFindMru, "b", "*.mp3")
      .RegString(sim::HKCU, first, "000", "holiday")
      .RegString(sim::HKCU, second, "000", " Budget ")
      .RegString(sim::HKCU, second, "001", "BUDGET")
      .RegString(sim::HKCU, second, "002", "tax")
      // The Find entry itself cannot be deleted, so the search goes on.
      .RegReadOnly(sim::HKCU, kFindMru);
  Open(false);
  EXPECT_EQ(w->ListFind.Items(), (Strings{"budget", "*.mp3"}));
  w->CmdRemoveFind.Click();
  EXPECT_EQ(m.RegString(sim::HKCU, second, "000"), " Budget ");
  EXPECT_EQ(m.RegString(sim::HKCU, kFindMru, "a"), "budget");
  EXPECT_EQ(w->ListFind.Items(), Strings{"*.mp3"});

  Open(true);
  EXPECT_EQ(w->ListFind.Items(),
            (Strings{"holiday", "Budget", "BUDGET", "tax", "budget", "*.mp3"}));
  w->ListFind.ClickItem(4);
  w->CmdRemoveFind.Click();
  EXPECT_FALSE(m.RegString(sim::HKCU, second, "000"));
  EXPECT_FALSE(m.RegString(sim::HKCU, second, "001"));
  EXPECT_EQ(m.RegString(sim::HKCU, second, "002"), "tax");
  EXPECT_EQ(m.RegString(sim::HKCU, first, "000"), "holiday");
}

TEST_F(RegTest, RemovingTheLastLineDisablesTheListAndItsButton) {
  m.Builder().RegString(sim::HKCU, kFindMru, "a", "resume");
  Open(false);
  EXPECT_FALSE(w->ListRun.Enabled());
  EXPECT_FALSE(w->CmdRemoveRun.Enabled());
  EXPECT_TRUE(w->ListFind.Enabled());
  EXPECT_EQ(w->ListFind.HorizontalExtent(), 6 * 6 + 4 + 50);
  w->CmdRemoveFind.Click();
  EXPECT_FALSE(m.RegString(sim::HKCU, kFindMru, "a"));
  EXPECT_EQ(w->ListFind.Count(), 0);
  EXPECT_FALSE(w->ListFind.Enabled());
  EXPECT_FALSE(w->CmdRemoveFind.Enabled());
}

}  // namespace
}  // namespace desktop
