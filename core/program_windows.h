// The windows of this build that the start-up creates: one factory per
// window the other tools supply. A window not listed yet keeps its place
// empty (see modules.h).
#pragma once

#include "core/modules.h"

namespace core {

WindowFactories ProgramWindows();

}  // namespace core
