#include "tools/skingen/canvas.h"

#include <algorithm>
#include <cmath>

namespace skingen {

Rgb Mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, float f) { return {c.r * f, c.g * f, c.b * f}; }

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float SmoothStep(float edge0, float edge1, float v) {
  const float t = Clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

Rgb Ramp(std::initializer_list<Stop> stops, float at) {
  const Stop* prev = stops.begin();
  if (at <= prev->at) return prev->color;
  for (const Stop* s = stops.begin() + 1; s != stops.end(); ++s) {
    if (at <= s->at) return Mix(prev->color, s->color, (at - prev->at) / (s->at - prev->at));
    prev = s;
  }
  return prev->color;
}

namespace {

float Lattice(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

}  // namespace

float Noise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const float a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
  const float c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fbm(float x, float y, int octaves, uint32_t seed) {
  float sum = 0, amplitude = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * Noise(x, y, seed + static_cast<uint32_t>(i) * 101u);
    norm += amplitude;
    x *= 2.03f;
    y *= 2.03f;
    amplitude *= 0.5f;
  }
  return sum / norm;
}

float Random::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ & 0xFFFFFF) / static_cast<float>(0x1000000);
}

Canvas::Canvas(int width, int height, int supersample)
    : width_(width),
      height_(height),
      ss_(supersample),
      sw_(width * supersample),
      sh_(height * supersample),
      pixels_(static_cast<size_t>(sw_) * sh_) {}

void Canvas::Blend(int sx, int sy, Rgb color, float alpha) {
  Rgb& p = pixels_[static_cast<size_t>(sy) * sw_ + sx];
  p = Mix(p, color, Clamp01(alpha));
}

void Canvas::Fill(const Shader& color, const AlphaShader& alpha) {
  for (int sy = 0; sy < sh_; ++sy) {
    const float y = (sy + 0.5f) / ss_;
    for (int sx = 0; sx < sw_; ++sx) {
      const float x = (sx + 0.5f) / ss_;
      const float a = alpha ? alpha(x, y) : 1.0f;
      if (a > 0) Blend(sx, sy, color(x, y), a);
    }
  }
}

void Canvas::FillPolygon(const std::vector<Pt>& polygon, const Shader& color,
                         const AlphaShader& alpha) {
  if (polygon.size() < 3) return;
  float ymin = polygon[0].y, ymax = polygon[0].y;
  for (const Pt& p : polygon) {
    ymin = std::min(ymin, p.y);
    ymax = std::max(ymax, p.y);
  }
  const int sy0 = std::max(0, static_cast<int>(std::floor(ymin * ss_)));
  const int sy1 = std::min(sh_ - 1, static_cast<int>(std::ceil(ymax * ss_)));
  std::vector<float> crossings;
  for (int sy = sy0; sy <= sy1; ++sy) {
    const float y = (sy + 0.5f) / ss_;
    crossings.clear();
    for (size_t i = 0; i < polygon.size(); ++i) {
      const Pt& a = polygon[i];
      const Pt& b = polygon[(i + 1) % polygon.size()];
      if ((a.y <= y && b.y > y) || (b.y <= y && a.y > y)) {
        crossings.push_back(a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x));
      }
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const int sx0 = std::max(0, static_cast<int>(std::ceil(crossings[i] * ss_ - 0.5f)));
      const int sx1 =
          std::min(sw_ - 1, static_cast<int>(std::floor(crossings[i + 1] * ss_ - 0.5f)));
      for (int sx = sx0; sx <= sx1; ++sx) {
        const float x = (sx + 0.5f) / ss_;
        const float a = alpha ? alpha(x, y) : 1.0f;
        if (a > 0) Blend(sx, sy, color(x, y), a);
      }
    }
  }
}

void Canvas::FillPolygon(const std::vector<Pt>& polygon, Rgb color, float opacity) {
  FillPolygon(
      polygon, [color](float, float) { return color; },
      [opacity](float, float) { return opacity; });
}

void Canvas::Stroke(const std::vector<Pt>& line, float width, Rgb color, float opacity) {
  // Segments and caps are painted into one coverage mask first, so an
  // overlap is not painted twice (which would show at opacity below 1).
  float xmin = line[0].x, xmax = xmin, ymin = line[0].y, ymax = ymin;
  for (const Pt& p : line) {
    xmin = std::min(xmin, p.x);
    xmax = std::max(xmax, p.x);
    ymin = std::min(ymin, p.y);
    ymax = std::max(ymax, p.y);
  }
  const float r = width / 2;
  const int sx0 = std::max(0, static_cast<int>((xmin - r) * ss_) - 1);
  const int sx1 = std::min(sw_ - 1, static_cast<int>((xmax + r) * ss_) + 1);
  const int sy0 = std::max(0, static_cast<int>((ymin - r) * ss_) - 1);
  const int sy1 = std::min(sh_ - 1, static_cast<int>((ymax + r) * ss_) + 1);
  for (int sy = sy0; sy <= sy1; ++sy) {
    const float y = (sy + 0.5f) / ss_;
    for (int sx = sx0; sx <= sx1; ++sx) {
      const float x = (sx + 0.5f) / ss_;
      bool inside = false;
      for (size_t i = 0; i + 1 < line.size() && !inside; ++i) {
        const Pt a = line[i], b = line[i + 1];
        const float dx = b.x - a.x, dy = b.y - a.y;
        const float len2 = dx * dx + dy * dy;
        float t = len2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0;
        t = Clamp01(t);
        const float px = a.x + t * dx - x, py = a.y + t * dy - y;
        inside = px * px + py * py <= r * r;
      }
      if (inside) Blend(sx, sy, color, opacity);
    }
  }
}

void Canvas::Reflect(float axis, float bottom, float strength,
                     const std::function<float(float, float)>& ripple) {
  const int sy0 = std::max(0, static_cast<int>(axis * ss_));
  const int sy1 = std::min(sh_ - 1, static_cast<int>(bottom * ss_));
  for (int sy = sy0; sy <= sy1; ++sy) {
    const float y = (sy + 0.5f) / ss_;
    for (int sx = 0; sx < sw_; ++sx) {
      const float x = (sx + 0.5f) / ss_;
      const Rgb mirrored = At(x + ripple(x, y), 2 * axis - y);
      Blend(sx, sy, mirrored, strength);
    }
  }
}

Rgb Canvas::At(float x, float y) const {
  const int sx = std::clamp(static_cast<int>(x * ss_), 0, sw_ - 1);
  const int sy = std::clamp(static_cast<int>(y * ss_), 0, sh_ - 1);
  return pixels_[static_cast<size_t>(sy) * sw_ + sx];
}

ui::Image Canvas::Resolve() const {
  ui::Image image{width_, height_, std::vector<uint8_t>(static_cast<size_t>(width_) * height_ * 3)};
  const float n = static_cast<float>(ss_ * ss_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      Rgb sum;
      for (int j = 0; j < ss_; ++j) {
        for (int i = 0; i < ss_; ++i) {
          const Rgb& p = pixels_[static_cast<size_t>(y * ss_ + j) * sw_ + (x * ss_ + i)];
          sum.r += p.r;
          sum.g += p.g;
          sum.b += p.b;
        }
      }
      uint8_t* out = &image.rgb[(static_cast<size_t>(y) * width_ + x) * 3];
      out[0] = static_cast<uint8_t>(std::clamp(sum.r / n, 0.0f, 255.0f) + 0.5f);
      out[1] = static_cast<uint8_t>(std::clamp(sum.g / n, 0.0f, 255.0f) + 0.5f);
      out[2] = static_cast<uint8_t>(std::clamp(sum.b / n, 0.0f, 255.0f) + 0.5f);
    }
  }
  return image;
}

std::vector<Pt> Ellipse(float cx, float cy, float rx, float ry, float rotation, int segments) {
  std::vector<Pt> out;
  const float c = std::cos(rotation), s = std::sin(rotation);
  for (int i = 0; i < segments; ++i) {
    const float t = 6.2831853f * i / segments;
    const float x = rx * std::cos(t), y = ry * std::sin(t);
    out.push_back({cx + x * c - y * s, cy + x * s + y * c});
  }
  return out;
}

std::vector<Pt> Rect(float x0, float y0, float x1, float y1) {
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

std::vector<Pt> Place(const std::vector<Pt>& shape, float x, float y, float sx, float sy,
                      float rotation) {
  std::vector<Pt> out;
  const float c = std::cos(rotation), s = std::sin(rotation);
  for (const Pt& p : shape) {
    const float px = p.x * sx, py = p.y * sy;
    out.push_back({x + px * c - py * s, y + px * s + py * c});
  }
  return out;
}

std::vector<Pt> Curve(Pt a, Pt c, Pt b, int segments) {
  std::vector<Pt> out;
  for (int i = 0; i <= segments; ++i) {
    const float t = static_cast<float>(i) / segments, u = 1 - t;
    out.push_back(
        {u * u * a.x + 2 * u * t * c.x + t * t * b.x, u * u * a.y + 2 * u * t * c.y + t * t * b.y});
  }
  return out;
}

std::vector<Pt> Tapered(const std::vector<Pt>& spine, float w0, float w1) {
  std::vector<Pt> left, right;
  const size_t n = spine.size();
  for (size_t i = 0; i < n; ++i) {
    const Pt a = spine[i == 0 ? 0 : i - 1], b = spine[i + 1 < n ? i + 1 : n - 1];
    float dx = b.x - a.x, dy = b.y - a.y;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len > 0) {
      dx /= len;
      dy /= len;
    }
    const float t = n > 1 ? static_cast<float>(i) / (n - 1) : 0;
    const float half = (w0 + (w1 - w0) * t) / 2;
    left.push_back({spine[i].x - dy * half, spine[i].y + dx * half});
    right.push_back({spine[i].x + dy * half, spine[i].y - dx * half});
  }
  std::reverse(right.begin(), right.end());
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

}  // namespace skingen
