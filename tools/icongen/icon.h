// The program's icon: a round blue badge with a white "V" and, where there
// is room, a small sparkle. Painted with the skin generator's canvas at each
// size separately, so the small sizes are drawn for their grid rather than
// shrunk from a large picture.
#pragma once

#include "tools/icongen/ico.h"

namespace icongen {

inline constexpr int kIconSizes[] = {16, 32, 48};

RgbaImage PaintIcon(int size);

}  // namespace icongen
