#include "tools/icongen/ico.h"

namespace icongen {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Rows of the 1-bit mask are padded to four bytes.
size_t MaskStride(int size) { return static_cast<size_t>((size + 31) / 32) * 4; }

size_t EntryBytes(int size) {
  const size_t n = static_cast<size_t>(size);
  return 40 + n * n * 4 + MaskStride(size) * n;
}

// BITMAPINFOHEADER, colour rows bottom-up, then the mask: a set bit marks a
// fully transparent pixel for readers that ignore the alpha channel.
void PutEntry(std::vector<uint8_t>& out, const RgbaImage& image) {
  const int n = image.size;
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(n));
  Put32(out, static_cast<uint32_t>(n * 2));  // colour and mask together
  Put16(out, 1);                             // planes
  Put16(out, 32);                            // bits a pixel
  Put32(out, 0);                             // BI_RGB
  Put32(out, static_cast<uint32_t>(EntryBytes(n) - 40));
  for (int i = 0; i < 4; ++i) Put32(out, 0);  // resolution and palette
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; ++x) {
      const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * n + x) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<uint8_t> row(MaskStride(n), 0);
    for (int x = 0; x < n; ++x) {
      if (image.rgba[(static_cast<size_t>(y) * n + x) * 4 + 3] == 0) {
        row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

}  // namespace

std::vector<uint8_t> EncodeIco(const std::vector<RgbaImage>& images) {
  std::vector<uint8_t> out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, static_cast<uint32_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (const RgbaImage& image : images) {
    const uint8_t side = static_cast<uint8_t>(image.size >= 256 ? 0 : image.size);
    out.insert(out.end(), {side, side, 0, 0});  // no palette, reserved
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<uint32_t>(EntryBytes(image.size)));
    Put32(out, offset);
    offset += static_cast<uint32_t>(EntryBytes(image.size));
  }
  for (const RgbaImage& image : images) PutEntry(out, image);
  return out;
}

}  // namespace icongen
