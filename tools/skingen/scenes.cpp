#include "tools/skingen/scenes.h"

#include <cmath>
#include <vector>

#include "tools/skingen/canvas.h"

namespace skingen {
namespace {

constexpr int kSupersample = 2;
constexpr float kPi = 3.14159265f;
constexpr Rgb kWhite{255, 255, 255};

// The statistics lines sit in the top band of the window; fading that band
// towards white keeps their black text readable over any picture.
void TextVeil(Canvas& c, float strength, Rgb tint = {250, 250, 248}) {
  c.Fill([tint](float, float) { return tint; },
         [strength](float, float y) { return strength * (1 - SmoothStep(150, 240, y)); });
}

Shader Solid(Rgb color) {
  return [color](float, float) { return color; };
}

// A gull or distant bird: two shallow arcs.
void Bird(Canvas& c, float x, float y, float span, Rgb color, float opacity = 1) {
  c.Stroke(Curve({x - span, y - span * 0.15f}, {x - span * 0.5f, y - span * 0.55f}, {x, y}, 8),
           1.6f, color, opacity);
  c.Stroke(Curve({x, y}, {x + span * 0.5f, y - span * 0.55f}, {x + span, y - span * 0.15f}, 8),
           1.6f, color, opacity);
}

// A palm tree: a bent, tapering trunk and drooping feathered fronds.
void Palm(Canvas& c, Pt base, Pt bend, Pt top, float size, Rgb color) {
  c.FillPolygon(Tapered(Curve(base, bend, top, 30), 15 * size, 7 * size), color);
  const float angles[] = {-2.9f, -2.4f, -1.9f, -1.2f, -0.6f, -0.15f, 0.35f, 3.5f};
  for (float a : angles) {
    const float len = 95 * size;
    const Pt end{top.x + std::cos(a) * len, top.y + std::sin(a) * len * 0.55f + 45 * size};
    const Pt ctrl{top.x + std::cos(a) * len * 0.55f, top.y + std::sin(a) * len * 0.6f - 22 * size};
    const std::vector<Pt> spine = Curve(top, ctrl, end, 20);
    c.FillPolygon(Tapered(spine, 5 * size, 1), color);
    for (size_t i = 2; i + 1 < spine.size(); i += 2) {
      const float t = static_cast<float>(i) / spine.size();
      const float leaf = 26 * size * (1 - 0.6f * t);
      const Pt p = spine[i];
      const float dx = spine[i + 1].x - p.x, dy = spine[i + 1].y - p.y;
      const float n = std::sqrt(dx * dx + dy * dy) + 1e-3f;
      for (int side = -1; side <= 1; side += 2) {
        const Pt tip{p.x + (dx / n * 0.5f - side * dy / n) * leaf,
                     p.y + (dy / n * 0.5f + side * dx / n) * leaf + leaf * 0.45f};
        c.FillPolygon(Tapered({p, tip}, 3.2f * size, 0.6f), color);
      }
    }
  }
}

// ---- Shark: a great white gliding through sunlit blue water. ----

std::vector<Pt> SharkOutline() {
  // Side view, snout at the origin facing left, 100 units long.
  return {{0, 2},      {2, -2},      {6, -5.5},    {12, -8.5},   {20, -10.8}, {28, -12},
          {34, -12.5}, {38, -18},    {42, -25},    {45, -30},    {47, -30.5}, {47.5, -28},
          {48, -22},   {50, -15},    {53, -11.5},  {62, -9.5},   {70, -7.5},  {75, -6.5},
          {77, -9.5},  {78.5, -9.5}, {79, -6},     {84, -4.3},   {88, -3.8},  {91, -8},
          {95, -16},   {99, -25},    {101, -26},   {100.5, -22}, {98, -12},   {95.5, -3},
          {98, 5},     {100, 12},    {98.5, 12.5}, {94, 7},      {89, 2.8},   {84, 3.2},
          {80, 3.8},   {79, 7},      {77.5, 7},    {76, 4.5},    {70, 6.5},   {65, 8},
          {63.5, 12},  {62, 12.5},   {61, 8.8},    {54, 9.8},    {46, 10.5},  {40, 10.8},
          {37, 10.8},  {43, 25},     {41, 25.5},   {29, 10.2},   {22, 9.2},   {15, 7.5},
          {9, 5.6},    {4, 4},       {1, 3}};
}

std::vector<Pt> FishOutline() {
  // Facing left; the tail fans out behind the body's right end.
  std::vector<Pt> out;
  for (int i = 1; i < 24; ++i) {
    const float a = 2 * kPi * i / 24;
    out.push_back({std::cos(a), 0.38f * std::sin(a)});
  }
  out.push_back({1.55f, -0.5f});
  out.push_back({1.3f, 0});
  out.push_back({1.55f, 0.5f});
  return out;
}

}  // namespace

ui::Image PaintShark() {
  Canvas c(kSkinWidth, kSkinHeight, kSupersample);
  const auto water = [](float, float y) {
    return Ramp(
        {{0, {178, 228, 240}}, {200, {105, 188, 220}}, {400, {40, 125, 180}}, {600, {12, 55, 112}}},
        y);
  };
  c.Fill(water);
  // Shimmer of the surface above.
  c.Fill(Solid({235, 250, 255}), [](float x, float y) {
    const float ridge = 1 - std::abs(Fbm(x / 45, y / 16, 3, 7) * 2 - 1) * 7;
    return Clamp01(ridge) * 0.3f * (1 - SmoothStep(0, 190, y));
  });
  // Sun rays slanting down through the water.
  Random rays(11);
  for (int i = 0; i < 8; ++i) {
    const float x0 = rays.Range(-60, 700), w = rays.Range(14, 40), dx = rays.Range(70, 150);
    c.FillPolygon({{x0 - w / 2, 0}, {x0 + w / 2, 0}, {x0 + dx + w * 1.9f, 560}, {x0 + dx, 560}},
                  Solid(kWhite), [](float, float y) { return 0.11f * (1 - y / 560); });
  }
  // Sandy floor with rocks and swaying weed.
  std::vector<Pt> floor{{0, 600}};
  for (float x = 0; x <= 800; x += 8) {
    floor.push_back({x, 482 + 12 * std::sin(x / 90) + 7 * std::sin(x / 37 + 1)});
  }
  floor.push_back({800, 600});
  c.FillPolygon(floor, [water](float x, float y) {
    const Rgb sand = Scale(Rgb{196, 184, 142}, 0.85f + 0.25f * Fbm(x / 14, y / 6, 3, 5));
    return Mix(sand, water(x, y), 0.45f);
  });
  Random rocks(5);
  for (int i = 0; i < 6; ++i) {
    const float x = rocks.Range(0, 620), rx = rocks.Range(14, 34);
    c.FillPolygon(Ellipse(x, 492 + rocks.Range(0, 16), rx, rx * 0.55f),
                  Mix({70, 85, 95}, {40, 120, 170}, 0.35f));
  }
  Random weed(9);
  for (int i = 0; i < 14; ++i) {
    const float x = weed.Range(0, 610), h = weed.Range(50, 120), sway = weed.Range(-25, 25);
    const Pt base{x, 492};
    c.FillPolygon(Tapered(Curve(base, {x - sway, base.y - h * 0.6f}, {x + sway, base.y - h}), 6, 1),
                  Mix({40, 120, 90}, {40, 125, 180}, 0.3f), 0.9f);
  }
  // A school of small fish.
  Random school(3);
  for (int i = 0; i < 14; ++i) {
    const float size = school.Range(8, 13);
    c.FillPolygon(Place(FishOutline(), school.Range(460, 600), school.Range(225, 320), size, size),
                  Rgb{35, 90, 140}, 0.75f);
  }
  // The shark, dark back over a pale belly, softened by the water around it.
  const float ox = 95, oy = 318, scale = 4.3f, tilt = -0.06f;
  const std::vector<Pt> shark = Place(SharkOutline(), ox, oy, scale, scale, tilt);
  c.FillPolygon(shark, [=](float x, float y) {
    const float centre = oy + (x - ox) * std::tan(tilt) + 3 * scale;
    const float belly = SmoothStep(centre - 3 * scale, centre + 1.5f * scale, y);
    const Rgb body = Mix({58, 82, 104}, {205, 214, 218}, belly);
    return Mix(body, water(x, y), 0.25f);
  });
  const auto local = [=](float x, float y) {
    const float cx = x * scale, cy = y * scale;
    return Pt{ox + cx * std::cos(tilt) - cy * std::sin(tilt),
              oy + cx * std::sin(tilt) + cy * std::cos(tilt)};
  };
  for (int i = 0; i < 5; ++i) {
    const float gx = 21 + i * 1.7f;
    c.Stroke({local(gx, -5), local(gx + 0.8f, 4)}, 1.6f, {40, 58, 74}, 0.55f);
  }
  c.Stroke(Curve(local(2, 4.2f), local(7, 5.2f), local(13, 5.6f), 10), 1.8f, {35, 45, 55}, 0.7f);
  const Pt eye = local(9.5f, -2.2f);
  c.FillPolygon(Ellipse(eye.x, eye.y, 4.2f, 3.6f), Rgb{15, 20, 28});
  // Bubbles rising from the floor.
  Random bubbles(21);
  for (int i = 0; i < 16; ++i) {
    const float y = bubbles.Range(230, 470);
    const float x = 40 + 18 * std::sin(y / 30) + bubbles.Range(-6, 6);
    const float r = bubbles.Range(2, 5);
    std::vector<Pt> circle = Ellipse(x, y, r, r, 0, 16);
    circle.push_back(circle.front());
    c.Stroke(circle, 1.2f, {230, 245, 255}, 0.7f);
  }
  TextVeil(c, 0.5f);
  return c.Resolve();
}

// ---- Sunset: the sun going down into the sea behind a palm-lined headland. ----

ui::Image PaintSunset() {
  Canvas c(kSkinWidth, kSkinHeight, kSupersample);
  constexpr float kHorizon = 405;
  const Pt sun{300, 392};
  c.Fill([](float, float y) {
    return Ramp({{0, {250, 236, 206}},
                 {130, {252, 221, 170}},
                 {260, {250, 182, 112}},
                 {345, {240, 132, 76}},
                 {kHorizon, {226, 98, 62}}},
                y);
  });
  // Glow around the sun.
  c.Fill(Solid({255, 232, 160}), [sun](float x, float y) {
    const float d = std::hypot(x - sun.x, (y - sun.y) * 1.3f);
    return 0.65f * std::exp(-d / 95);
  });
  // Thin clouds: golden high up, purple near the horizon.
  c.Fill(
      [](float, float y) {
        return Mix({255, 205, 150}, {160, 80, 100}, SmoothStep(230, 350, y));
      },
      [](float x, float y) {
        const float n = Fbm(x / 240, y / 22, 5, 17);
        return SmoothStep(0.56f, 0.72f, n) * 0.75f * SmoothStep(215, 250, y) *
               (1 - SmoothStep(340, 380, y));
      });
  c.FillPolygon(Ellipse(sun.x, sun.y, 46, 46), [sun](float x, float y) {
    return Mix({255, 250, 215}, {255, 205, 120}, Clamp01(std::hypot(x - sun.x, y - sun.y) / 46));
  });
  // The sea, with the sun's path of light on it.
  c.FillPolygon(Rect(0, kHorizon, 800, 600), [sun](float x, float y) {
    const Rgb sea = Ramp({{kHorizon, {196, 92, 70}}, {600, {72, 34, 58}}}, y);
    const float spread = 35 + (y - kHorizon) * 0.7f;
    const float path = std::exp(-std::pow((x - sun.x) / spread, 2.0f));
    const float streak = SmoothStep(0.45f, 0.7f, Fbm(x / 50, y / 2.5f, 3, 29));
    return Mix(sea, {255, 205, 130}, path * streak * 0.9f);
  });
  // Silhouettes: a headland with palms on the left, an island on the right,
  // a sailing boat and a few birds.
  const Rgb dark{48, 24, 36};
  // The headland's ridge falls towards the sea, and its shore curves back
  // down to the bottom of the picture.
  std::vector<Pt> headland{{0, 600}, {0, 318}};
  for (float x = 0; x <= 290; x += 10) {
    const float t = x / 290;
    headland.push_back({x, 318 + 88 * t * t + 6 * std::sin(x / 13) * (1 - t)});
  }
  for (float t = 0; t <= 1; t += 0.05f) {
    headland.push_back(
        {290 - 150 * t * t + 10 * std::sin(t * 9), kHorizon + 1 + (600 - kHorizon) * t});
  }
  c.FillPolygon(headland, dark);
  std::vector<Pt> island{{420, kHorizon + 1}};
  for (float x = 440; x <= 800; x += 12) {
    island.push_back({x, kHorizon - 38 * std::sin((x - 420) / 380 * kPi) - 4 * std::sin(x / 9)});
  }
  island.push_back({800, kHorizon + 1});
  c.FillPolygon(island, Mix(dark, {190, 90, 70}, 0.35f));
  Palm(c, {70, 345}, {82, 280}, {112, 215}, 0.95f, dark);
  Palm(c, {150, 362}, {150, 310}, {176, 262}, 0.7f, dark);
  c.FillPolygon({{505, 404}, {545, 404}, {540, 410}, {510, 410}}, dark);
  c.FillPolygon({{523, 403}, {523, 362}, {541, 402}}, dark);
  c.FillPolygon({{520, 403}, {520, 372}, {507, 402}}, dark);
  const Pt birds[] = {{420, 250}, {445, 262}, {468, 245}, {392, 272}, {500, 268}};
  for (const Pt& b : birds) Bird(c, b.x, b.y, 8, dark, 0.9f);
  TextVeil(c, 0.4f);
  return c.Resolve();
}

// ---- Wildlife: a giraffe and an elephant on the savanna under an acacia. ----

namespace {

void Giraffe(Canvas& c, float x, float ground, float size, Rgb color) {
  const auto at = [=](float u, float v) { return Pt{x + u * size, ground + v * size}; };
  const float legs[][4] = {{2, -46, 0, 0}, {8, -46, 9, 0}, {32, -50, 30, 0}, {38, -50, 40, 0}};
  for (const auto& l : legs) {
    c.FillPolygon(Tapered({at(l[0], l[1]), at(l[2], l[3])}, 3.4f * size, 1.9f * size), color);
  }
  std::vector<Pt> body;
  const float outline[][2] = {{-2, -62}, {10, -67}, {28, -62}, {42, -58}, {44, -52},
                              {40, -45}, {28, -44}, {10, -44}, {0, -45},  {-4, -52}};
  for (const auto& p : outline) body.push_back(at(p[0], p[1]));
  c.FillPolygon(body, color);
  c.FillPolygon(Tapered(Curve(at(4, -58), at(-6, -74), at(-15, -93), 16), 10 * size, 4 * size),
                color);
  const Pt head = at(-20, -94);
  c.FillPolygon(Ellipse(head.x, head.y, 6.5f * size, 3.2f * size, -0.45f), color);
  c.Stroke({at(-16, -97), at(-15, -102)}, 1.2f * size, color);
  c.Stroke({at(-14, -96.5f), at(-12.5f, -101)}, 1.2f * size, color);
  c.FillPolygon(Ellipse(at(-12, -96).x, at(-12, -96).y, 2.6f * size, 1.1f * size, -0.3f), color);
  c.Stroke(Curve(at(43, -56), at(47, -48), at(46, -38), 8), 0.9f * size, color);
  c.FillPolygon(Ellipse(at(46, -37).x, at(46, -37).y, 1.3f * size, 2.6f * size), color);
}

void Elephant(Canvas& c, float x, float ground, float size, Rgb color) {
  const auto at = [=](float u, float v) { return Pt{x + u * size, ground + v * size}; };
  const auto ellipse = [&](float u, float v, float rx, float ry) {
    const Pt p = at(u, v);
    c.FillPolygon(Ellipse(p.x, p.y, rx * size, ry * size), color);
  };
  const float legs[][5] = {
      {15, -45, 15, 0, 16}, {32, -45, 33, 0, 15}, {70, -45, 70, 0, 16}, {86, -50, 85, 0, 15}};
  for (const auto& l : legs) {
    c.FillPolygon(Tapered({at(l[0], l[1]), at(l[2], l[3])}, l[4] * size, (l[4] - 2) * size), color);
  }
  ellipse(50, -64, 46, 33);
  ellipse(6, -72, 21, 24);
  ellipse(19, -70, 15, 22);
  c.FillPolygon(Tapered(Curve(at(-8, -64), at(-24, -38), at(-13, -8), 18), 13 * size, 5 * size),
                color);
  c.FillPolygon(Tapered(Curve(at(-13, -8), at(-10, -1), at(-5, -7), 8), 5 * size, 3 * size), color);
  c.FillPolygon(Tapered(Curve(at(-5, -54), at(-14, -44), at(-23, -46), 12), 4 * size, 1),
                Rgb{228, 216, 192}, 0.9f);
  c.Stroke(Curve(at(95, -72), at(101, -60), at(99, -44), 8), 1.5f * size, color);
}

}  // namespace

ui::Image PaintWildlife() {
  Canvas c(kSkinWidth, kSkinHeight, kSupersample);
  constexpr float kHorizon = 362;
  const auto sky = [](float, float y) {
    return Ramp({{0, {250, 243, 224}}, {250, {249, 222, 172}}, {kHorizon, {242, 192, 128}}}, y);
  };
  c.Fill(sky);
  const Pt sun{486, 305};
  c.Fill(Solid({255, 240, 200}), [sun](float x, float y) {
    return 0.55f * std::exp(-std::hypot(x - sun.x, y - sun.y) / 80);
  });
  c.FillPolygon(Ellipse(sun.x, sun.y, 40, 40), Rgb{255, 246, 218});
  // A far, flat-topped mountain with snow, then a faint line of bush.
  const std::vector<Pt> mountain{{300, kHorizon}, {420, 320}, {500, 284},
                                 {540, 266},      {600, 261}, {650, 265},
                                 {700, 292},      {800, 330}, {800, kHorizon}};
  c.FillPolygon(mountain, [sky](float x, float y) {
    return Mix({150, 125, 125}, sky(x, y), 0.45f + 0.2f * SmoothStep(262, kHorizon, y));
  });
  c.FillPolygon({{536, 268},
                 {560, 262},
                 {600, 261},
                 {650, 265},
                 {664, 274},
                 {630, 272},
                 {612, 280},
                 {590, 270},
                 {566, 279},
                 {548, 273}},
                Rgb{248, 244, 238}, 0.8f);
  std::vector<Pt> bush{{0, kHorizon + 4}};
  for (float x = 0; x <= 800; x += 6) {
    bush.push_back({x, kHorizon - 3 - 7 * Fbm(x / 18, 0.5f, 3, 41)});
  }
  bush.push_back({800, kHorizon + 4});
  c.FillPolygon(bush, Rgb{140, 110, 70}, 0.7f);
  // Golden grass.
  c.FillPolygon(Rect(0, kHorizon, 800, 600), [](float x, float y) {
    const Rgb base =
        Ramp({{kHorizon, {222, 186, 118}}, {450, {206, 160, 86}}, {600, {156, 110, 54}}}, y);
    return Scale(base, 0.86f + 0.26f * Fbm(x / 2.8f, y / 20, 3, 13));
  });
  // A distant herd.
  Random herd(8);
  const Rgb far_brown{120, 92, 62};
  for (int i = 0; i < 9; ++i) {
    const float x = herd.Range(20, 160), y = kHorizon + 14 + herd.Range(-3, 6);
    c.FillPolygon(Ellipse(x, y - 5, 6, 3), far_brown);
    c.FillPolygon(Ellipse(x - 6, y - 8, 2, 1.6f), far_brown);
    for (float lx : {-4.0f, -2.5f, 3.0f, 4.5f})
      c.Stroke({{x + lx, y - 4}, {x + lx, y + 2}}, 0.9f, far_brown);
  }
  // The acacia: a crooked trunk and a wide, flat crown.
  const Rgb shade{58, 44, 30};
  c.FillPolygon(Tapered(Curve({205, 428}, {196, 380}, {214, 335}, 16), 16, 9), shade);
  const Pt forks[] = {{110, 282}, {160, 292}, {222, 286}, {262, 280}, {296, 288}};
  for (const Pt& f : forks) {
    c.FillPolygon(Tapered(Curve({214, 338}, {(214 + f.x) / 2, 330}, f, 12), 7, 3), shade);
  }
  Random crown(4);
  for (int i = 0; i < 46; ++i) {
    const float x = crown.Range(80, 300);
    const float y = 272 + crown.Range(-8, 10) + std::abs(x - 210) * 0.05f;
    c.FillPolygon(Ellipse(x, y, crown.Range(18, 38), crown.Range(7, 13)), shade);
  }
  Giraffe(c, 382, 452, 1.9f, shade);
  Elephant(c, 500, 446, 1.0f, shade);
  const Pt birds[] = {{380, 220}, {404, 232}, {360, 238}};
  for (const Pt& b : birds) Bird(c, b.x, b.y, 7, shade, 0.8f);
  TextVeil(c, 0.35f);
  return c.Resolve();
}

// ---- New York City: the Manhattan skyline at night over the river. ----

namespace {

struct Building {
  float x0, x1, top;
};

void Windows(Canvas& c, const Building& b, Random& rnd, float chance, Rgb light, float opacity,
             float w, float h) {
  for (float y = b.top + 8; y + h < 466; y += h + 5) {
    for (float x = b.x0 + 4; x + w < b.x1 - 3; x += w + 4) {
      if (rnd.Next() < chance) {
        c.FillPolygon(Rect(x, y, x + w, y + h), Mix(light, kWhite, rnd.Range(0, 0.3f)),
                      opacity * rnd.Range(0.6f, 1));
      }
    }
  }
}

void Skyline(Canvas& c, uint32_t seed, float wmin, float wmax, float hmin, float hmax, Rgb color,
             float chance, Rgb light, float opacity, float ww, float wh) {
  Random rnd(seed);
  for (float x = -10; x < 810;) {
    const float w = rnd.Range(wmin, wmax);
    const Building b{x, x + w, 470 - rnd.Range(hmin, hmax)};
    c.FillPolygon(Rect(b.x0, b.top, b.x1, 470), color);
    if (rnd.Next() < 0.2f) {
      c.Stroke({{(b.x0 + b.x1) / 2, b.top}, {(b.x0 + b.x1) / 2, b.top - rnd.Range(8, 22)}}, 1.5f,
               color);
    }
    Windows(c, b, rnd, chance, light, opacity, ww, wh);
    x += w + rnd.Range(-4, 3);
  }
}

}  // namespace

ui::Image PaintNewYorkCity() {
  Canvas c(kSkinWidth, kSkinHeight, kSupersample);
  constexpr float kShore = 470;
  c.Fill([](float, float y) {
    return Ramp(
        {{0, {60, 78, 140}}, {200, {38, 48, 104}}, {380, {62, 52, 104}}, {kShore, {128, 84, 112}}},
        y);
  });
  Random stars(2);
  for (int i = 0; i < 170; ++i) {
    const float r = stars.Range(0.5f, 1.3f);
    c.FillPolygon(Ellipse(stars.Range(0, 800), stars.Range(0, 340), r, r, 0, 8), kWhite,
                  stars.Range(0.4f, 0.9f));
  }
  const Pt moon{548, 222};
  c.Fill(Solid({205, 210, 235}), [moon](float x, float y) {
    return 0.4f * std::exp(-std::hypot(x - moon.x, y - moon.y) / 55);
  });
  c.FillPolygon(Ellipse(moon.x, moon.y, 25, 25), Rgb{246, 243, 226});
  c.FillPolygon(Ellipse(moon.x - 7, moon.y - 5, 6, 5), Rgb{222, 219, 204}, 0.7f);
  c.FillPolygon(Ellipse(moon.x + 8, moon.y + 7, 4, 3.5f), Rgb{222, 219, 204}, 0.7f);

  Skyline(c, 31, 22, 50, 70, 175, {72, 72, 118}, 0.22f, {210, 190, 140}, 0.4f, 2, 3);
  Skyline(c, 47, 24, 60, 90, 215, {42, 43, 82}, 0.33f, {255, 216, 140}, 0.85f, 3, 4);
  // The Empire State Building: stepped tiers, a mast and an antenna.
  const Rgb icon{34, 35, 68};
  const float ex = 205;
  const float tiers[][2] = {{40, 340}, {30, 262}, {20, 226}, {12, 200}};
  float bottom = kShore;
  Random lights(77);
  for (const auto& t : tiers) {
    const Building b{ex - t[0], ex + t[0], t[1]};
    c.FillPolygon(Rect(b.x0, b.top, b.x1, bottom), icon);
    Windows(c, {b.x0, b.x1, b.top}, lights, 0.4f, {255, 222, 150}, 0.9f, 3, 4);
    bottom = t[1] + 1;
  }
  c.FillPolygon(Tapered({{ex, 202}, {ex, 150}}, 9, 3), icon);
  c.Stroke({{ex, 152}, {ex, 122}}, 1.6f, icon);
  c.FillPolygon(Rect(ex - 5, 186, ex + 5, 196), Rgb{255, 236, 190}, 0.9f);
  // The Chrysler Building: a slim tower with a crown of arches and a spire.
  const float cx = 348;
  const Building chrysler{cx - 22, cx + 22, 246};
  c.FillPolygon(Rect(chrysler.x0, chrysler.top, chrysler.x1, kShore), icon);
  Windows(c, chrysler, lights, 0.4f, {255, 222, 150}, 0.9f, 3, 4);
  const float crown[][2] = {{17, 246}, {13, 228}, {9, 212}, {5, 198}};
  for (const auto& k : crown) {
    std::vector<Pt> arch{{cx - k[0], k[1] + 1}};
    for (int i = 0; i <= 12; ++i) {
      const float a = kPi * i / 12;
      arch.push_back({cx - k[0] * std::cos(a), k[1] - 14 * std::sin(a)});
    }
    c.FillPolygon(arch, icon);
    for (int i = -1; i <= 1; ++i) {
      const float wx = cx + i * k[0] * 0.5f;
      c.FillPolygon({{wx - 2, k[1] - 2}, {wx + 2, k[1] - 2}, {wx, k[1] - 8}}, Rgb{250, 238, 200},
                    0.85f);
    }
  }
  c.FillPolygon(Tapered({{cx, 190}, {cx, 150}}, 4, 0.5f), icon);
  // Nearest blocks, then the river mirroring the lights.
  Skyline(c, 59, 26, 72, 40, 140, {22, 24, 50}, 0.4f, {255, 210, 130}, 0.9f, 3, 4);
  c.FillPolygon(Rect(0, kShore, 800, 600), [](float, float y) {
    return Ramp({{kShore, {22, 24, 52}}, {600, {8, 10, 26}}}, y);
  });
  c.Reflect(kShore, 600, 0.42f, [](float x, float y) {
    return (y - kShore) * 0.05f * std::sin(y * 0.8f + 3 * Noise(x / 40, y / 6, 5));
  });
  c.Fill(Solid({8, 10, 26}), [](float x, float y) {
    return y < kShore ? 0.0f : 0.35f * SmoothStep(0.4f, 0.7f, Fbm(x / 90, y / 3, 2, 63));
  });
  TextVeil(c, 0.62f, {226, 226, 242});
  return c.Resolve();
}

// ---- Ocean / Beach: a sunny beach with waves, a palm and a parasol. ----

ui::Image PaintOceanBeach() {
  Canvas c(kSkinWidth, kSkinHeight, kSupersample);
  constexpr float kHorizon = 292;
  c.Fill([](float, float y) {
    return Ramp({{0, {148, 198, 240}}, {180, {184, 220, 246}}, {kHorizon, {230, 242, 250}}}, y);
  });
  // Fair-weather clouds with grey undersides.
  c.Fill(
      [](float x, float y) {
        const float below = Fbm(x / 170, (y - 14) / 55, 5, 3) - Fbm(x / 170, y / 55, 5, 3);
        return Mix({255, 255, 255}, {205, 215, 232}, Clamp01(below * 8 + 0.2f));
      },
      [](float x, float y) {
        return SmoothStep(0.5f, 0.68f, Fbm(x / 170, y / 55, 5, 3)) * SmoothStep(40, 100, y) *
               (1 - SmoothStep(230, 285, y));
      });
  // The sea, turquoise near the shore, with rows of breaking foam.
  c.FillPolygon(Rect(0, kHorizon, 800, 600), [](float, float y) {
    return Ramp({{kHorizon, {26, 96, 150}},
                 {340, {32, 128, 172}},
                 {400, {62, 178, 196}},
                 {440, {115, 208, 206}}},
                y);
  });
  c.Fill(Solid({250, 252, 252}), [](float x, float y) {
    if (y < kHorizon) return 0.0f;
    const float rows = Fbm(x / 120, y / (2.5f + (y - kHorizon) * 0.06f), 3, 9);
    return SmoothStep(0.6f, 0.7f, rows) * 0.55f * SmoothStep(kHorizon, 340, y);
  });
  c.FillPolygon({{430, 290}, {462, 290}, {458, 295}, {434, 295}}, Rgb{60, 60, 70});
  c.FillPolygon({{446, 289}, {446, 262}, {460, 289}}, Rgb{252, 252, 250});
  c.FillPolygon({{444, 289}, {444, 268}, {434, 289}}, Rgb{240, 240, 236});
  // The beach: wet sand at the water's edge, dry sand further up.
  const auto edge = [](float x) { return 428 + 10 * std::sin(x / 75) + 5 * std::sin(x / 23 + 2); };
  std::vector<Pt> sand{{0, 600}};
  for (float x = 0; x <= 800; x += 5) sand.push_back({x, edge(x)});
  sand.push_back({800, 600});
  c.FillPolygon(sand, [edge](float x, float y) {
    const Rgb base = Mix({198, 172, 132}, {243, 226, 186}, SmoothStep(edge(x), edge(x) + 48, y));
    return Scale(base, 0.94f + 0.1f * Noise(x * 1.7f, y * 1.7f, 19));
  });
  std::vector<Pt> foam;
  for (float x = 0; x <= 800; x += 5) foam.push_back({x, edge(x) + 3});
  for (float x = 800; x >= 0; x -= 5) {
    foam.push_back({x, edge(x) - 7 - 4 * Noise(x / 12, 0, 23)});
  }
  c.FillPolygon(foam, Rgb{252, 253, 253}, 0.9f);
  c.Fill(Solid({252, 253, 253}), [edge](float x, float y) {
    const float d = std::abs(y - (edge(x) - 26));
    return 0.45f * (1 - SmoothStep(0, 2.5f, d)) * SmoothStep(0.4f, 0.65f, Noise(x / 30, 1, 27));
  });
  // A parasol and a towel.
  c.FillPolygon({{30, 512}, {128, 502}, {146, 536}, {46, 548}}, [](float x, float y) {
    return static_cast<int>((x + y * 0.2f) / 14) % 2 ? Rgb{40, 110, 190} : Rgb{245, 245, 240};
  });
  c.Stroke({{140, 420}, {150, 528}}, 3, {120, 100, 80});
  std::vector<Pt> parasol{{76, 430}};
  for (int i = 0; i <= 24; ++i) {
    const float a = kPi * i / 24;
    parasol.push_back({140 - 66 * std::cos(a), 428 - 30 * std::sin(a) + 2 * (1 - std::cos(a))});
  }
  c.FillPolygon(parasol, [](float x, float y) {
    const float a = std::atan2(y - 432, x - 140);
    return static_cast<int>((a + kPi) / (kPi / 6)) % 2 ? Rgb{215, 50, 45} : Rgb{250, 248, 240};
  });
  Palm(c, {598, 600}, {606, 380}, {556, 236}, 1.0f, {70, 62, 40});
  const Pt gulls[] = {{300, 214}, {330, 228}, {270, 232}};
  for (const Pt& g : gulls) Bird(c, g.x, g.y, 9, {90, 95, 105}, 0.85f);
  TextVeil(c, 0.3f);
  return c.Resolve();
}

}  // namespace skingen
