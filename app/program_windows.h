// The program's top: the only place that knows every folder. It supplies
// a factory for each window of the program (one line per window) and makes
// every link between windows of different folders, so that the feature
// folders below know only core, the shared sweep, ui and platform.
#pragma once

#include "core/modules.h"

namespace app {

core::WindowFactories ProgramWindows();

}  // namespace app
