// A small software painter for the skin pictures: a supersampled RGB canvas
// with gradients, filled polygons, strokes, value noise and a resolve step
// that box-filters down to the output size (which smooths every edge).
// Coordinates are in output pixels, y downwards.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "ui/controls.h"

namespace skingen {

struct Rgb {
  float r = 0, g = 0, b = 0;
};

struct Pt {
  float x = 0, y = 0;
};

Rgb Mix(Rgb a, Rgb b, float t);
Rgb Scale(Rgb c, float f);
float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float v);

// A colour ramp: stops at increasing positions, linear in between.
struct Stop {
  float at;
  Rgb color;
};
Rgb Ramp(std::initializer_list<Stop> stops, float at);

// Value noise in 0..1, smooth between lattice points; Fbm adds octaves.
float Noise(float x, float y, uint32_t seed);
float Fbm(float x, float y, int octaves, uint32_t seed);

// A deterministic random source (the pictures must come out the same on
// every run).
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  float Next();  // 0..1
  float Range(float lo, float hi) { return lo + (hi - lo) * Next(); }

 private:
  uint32_t state_;
};

using Shader = std::function<Rgb(float x, float y)>;
using AlphaShader = std::function<float(float x, float y)>;

class Canvas {
 public:
  Canvas(int width, int height, int supersample);

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Paints every pixel with `color`, blended by `alpha` (1 when empty).
  void Fill(const Shader& color, const AlphaShader& alpha = {});
  // Fills the polygon (even-odd rule).
  void FillPolygon(const std::vector<Pt>& polygon, const Shader& color,
                   const AlphaShader& alpha = {});
  void FillPolygon(const std::vector<Pt>& polygon, Rgb color, float opacity = 1);
  // A polyline of round-capped segments, `width` wide.
  void Stroke(const std::vector<Pt>& line, float width, Rgb color, float opacity = 1);
  // Mirrors what lies above `axis` into the rows below it, down to `bottom`,
  // shifted sideways by `ripple(x, y)` and blended in with `strength`.
  void Reflect(float axis, float bottom, float strength,
               const std::function<float(float x, float y)>& ripple);
  // The colour at an output position (nearest sample).
  Rgb At(float x, float y) const;

  ui::Image Resolve() const;

 private:
  void Blend(int sx, int sy, Rgb color, float alpha);

  int width_, height_, ss_;
  int sw_, sh_;
  std::vector<Rgb> pixels_;
};

// Shape helpers.
std::vector<Pt> Ellipse(float cx, float cy, float rx, float ry, float rotation = 0,
                        int segments = 72);
std::vector<Pt> Rect(float x0, float y0, float x1, float y1);
// Moves, scales (negative sx mirrors) and rotates (radians) a shape drawn
// around its own origin.
std::vector<Pt> Place(const std::vector<Pt>& shape, float x, float y, float sx, float sy,
                      float rotation = 0);
// A quadratic curve from a through control c to b.
std::vector<Pt> Curve(Pt a, Pt c, Pt b, int segments = 24);
// A band along `spine` whose width goes from `w0` to `w1` (a tapered leaf,
// trunk or tail).
std::vector<Pt> Tapered(const std::vector<Pt>& spine, float w0, float w1);

}  // namespace skingen
