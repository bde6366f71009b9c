// The five skin pictures. Each is painted at the main window's image-area
// size; the band behind the statistics lines (the top of the window) is kept
// calm and light so their dark text stays readable.
#pragma once

#include <string_view>

#include "ui/controls.h"

namespace skingen {

inline constexpr int kSkinWidth = 800;
inline constexpr int kSkinHeight = 600;

struct Scene {
  std::string_view file_name;
  ui::Image (*paint)();
};

ui::Image PaintShark();
ui::Image PaintSunset();
ui::Image PaintWildlife();
ui::Image PaintNewYorkCity();
ui::Image PaintOceanBeach();

inline constexpr Scene kScenes[] = {
    {"skinshark.jpg", PaintShark},       {"skinsunset.jpg", PaintSunset},
    {"skinwildlife.jpg", PaintWildlife}, {"skinnyc.jpg", PaintNewYorkCity},
    {"skinocean.jpg", PaintOceanBeach},
};

}  // namespace skingen
