// Writes Windows icon files (.ico): one 32-bit image per size, each stored
// as a bottom-up BGRA bitmap with its 1-bit transparency mask, which every
// Windows since XP reads (PNG-compressed entries would need Vista).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace icongen {

// A square picture with straight (not premultiplied) alpha, rows top-down,
// four bytes a pixel: red, green, blue, alpha.
struct RgbaImage {
  int size = 0;
  std::vector<uint8_t> rgba;
};

// The bytes of an .ico file holding `images` in the given order. Sizes up to
// 256 pixels; an entry's size byte is 0 for 256, as the format wants.
std::vector<uint8_t> EncodeIco(const std::vector<RgbaImage>& images);

}  // namespace icongen
