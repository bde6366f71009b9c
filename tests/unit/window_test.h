// The shared set-up for tests of one window on the simulated machine: a
// fresh machine and headless window system per test, the shared module on
// them with its paths formed, and the window made and created (a cleaner
// module's creation runs its survey). Start() again is a new program run
// on the same machine.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

#include "core/modules.h"
#include "core/uglobalvars.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace unit {

template <class W>
class WindowTest : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;
  std::unique_ptr<W> w;

  // A new run: the shared module, Prepare(), then the window, created. A
  // cleaner module collects its results when `collect` is on (as
  // `Confirms` on would have it).
  W& Start(bool collect = true) {
    w.reset();
    g = std::make_unique<core::Uglobalvars>(m.Platform(), ws);
    g->FormBaseFolders();
    g->FormDataPaths();
    Prepare(*g);
    w = std::make_unique<W>(*g);
    if constexpr (std::is_base_of_v<core::CleanerModule, W>) w->SetCollectResults(collect);
    w->Create();
    return *w;
  }
  // What a run sets before the window is made (settings, for example).
  virtual void Prepare(core::Uglobalvars&) {}

  std::string Slot(core::Slot s) const { return g->Result(s); }
};

}  // namespace unit
