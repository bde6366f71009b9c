#include "tools/icongen/icon.h"

#include <algorithm>
#include <vector>

#include "tools/skingen/canvas.h"

namespace icongen {
namespace {

using skingen::Canvas;
using skingen::Pt;
using skingen::Rgb;

constexpr int kSupersample = 8;
constexpr Rgb kWhite{255, 255, 255};

// Shapes are drawn on a unit square and scaled to the icon's size.
std::vector<Pt> Scaled(std::vector<Pt> shape, float size) {
  for (Pt& p : shape) p = {p.x * size, p.y * size};
  return shape;
}

std::vector<Pt> Badge(float size) {
  // Half a pixel inside the edge, so the rim is not cut off.
  const float r = 0.5f - 0.5f / size;
  return Scaled(skingen::Ellipse(0.5f, 0.5f, r, r, 0, 96), size);
}

// Light blue at the top to deep navy at the bottom.
Rgb BadgeColor(float y, float size) {
  return skingen::Ramp({{0.0f, {88, 170, 236}}, {0.55f, {28, 96, 186}}, {1.0f, {10, 38, 104}}},
                       y / size);
}

std::vector<Pt> LetterV(float size) {
  return Scaled({{0.20f, 0.24f},
                 {0.37f, 0.24f},
                 {0.50f, 0.60f},
                 {0.63f, 0.24f},
                 {0.80f, 0.24f},
                 {0.58f, 0.80f},
                 {0.42f, 0.80f}},
                size);
}

// A four-pointed star around (cx, cy) with arms `r` long.
std::vector<Pt> Sparkle(float cx, float cy, float r) {
  const float w = r * 0.28f;
  return {{cx, cy - r}, {cx + w, cy - w}, {cx + r, cy}, {cx + w, cy + w},
          {cx, cy + r}, {cx - w, cy + w}, {cx - r, cy}, {cx - w, cy - w}};
}

}  // namespace

RgbaImage PaintIcon(int size) {
  const float s = static_cast<float>(size);
  // Colour everywhere (edge pixels keep the badge's colour, not black, so no
  // dark fringe shows over a light background) ...
  Canvas color(size, size, kSupersample);
  color.Fill([s](float, float y) { return BadgeColor(y, s); });
  color.FillPolygon(Scaled(skingen::Ellipse(0.5f, 0.30f, 0.36f, 0.22f), s), kWhite, 0.16f);
  color.FillPolygon(LetterV(s), kWhite);
  // ... and the badge's coverage as the alpha channel.
  Canvas cover(size, size, kSupersample);
  cover.FillPolygon(Badge(s), kWhite);
  if (size >= 32) {
    const std::vector<Pt> star = Scaled(Sparkle(0.80f, 0.18f, 0.16f), s);
    color.FillPolygon(star, Rgb{255, 226, 110});
    cover.FillPolygon(star, kWhite);
  }

  const ui::Image rgb = color.Resolve();
  const ui::Image alpha = cover.Resolve();
  RgbaImage out{size, std::vector<uint8_t>(static_cast<size_t>(size) * size * 4)};
  for (size_t i = 0; i < static_cast<size_t>(size) * size; ++i) {
    std::copy_n(&rgb.rgb[i * 3], 3, &out.rgba[i * 4]);
    out.rgba[i * 4 + 3] = alpha.rgb[i * 3];
  }
  return out;
}

}  // namespace icongen
