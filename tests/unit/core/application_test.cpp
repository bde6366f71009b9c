#include "core/application.h"

#include <gtest/gtest.h>

#include "core/program_windows.h"
#include "core_fixture.h"

namespace core {
namespace {

using namespace core::testing;

class Program : public CoreTest {
 protected:
  void SetUp() override { factories = ProgramWindows(); }
};

// The whole program on an empty machine: first run, then a second start,
// each ended with the close box. Nothing may fail or ask anything.
TEST_F(Program, FirstAndSecondRunOnAnEmptyMachine) {
  Builder().RegString(sim::HKCU, "Software\\Marrowby\\Settings", "Skin", "skinnone");
  auto run = [this] {
    Application program(m.Platform(), ws, factories);
    EXPECT_EQ(program.Run(), 0);
  };
  run();
  EXPECT_EQ(ModalWindows(), (std::vector<std::string>{"Frmscandrv", "Frmenter", "Frminit"}));
  EXPECT_TRUE(m.Exists(kScanFile));
  run();
  EXPECT_EQ(ModalWindows(),
            (std::vector<std::string>{"Frmscandrv", "Frmenter", "Frminit", "Frmenter", "Frminit"}));
  for (const auto& box : ws.Boxes()) EXPECT_TRUE(box.scripted) << box.text;
  EXPECT_TRUE(ws.RealisedWindows().empty());
}

}  // namespace
}  // namespace core
