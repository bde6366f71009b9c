#include "tools/icongen/ico.h"

#include <gtest/gtest.h>

namespace icongen {
namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

RgbaImage Blank(int size) {
  return {size, std::vector<uint8_t>(static_cast<size_t>(size) * size * 4, 0)};
}

TEST(IcoTest, DirectoryEntriesPointAtConsecutiveImagesThatFillTheFile) {
  const std::vector<uint8_t> ico = EncodeIco({Blank(16), Blank(32), Blank(48), Blank(256)});
  ASSERT_GE(ico.size(), 6u + 4 * 16);
  EXPECT_EQ(ico[2], 1);  // type: icon
  EXPECT_EQ(ico[4], 4);  // count
  size_t expected_offset = 6 + 4 * 16;
  const int sizes[] = {16, 32, 48, 256};
  for (size_t i = 0; i < 4; ++i) {
    const size_t entry = 6 + 16 * i;
    EXPECT_EQ(ico[entry], sizes[i] == 256 ? 0 : sizes[i]);
    EXPECT_EQ(ico[entry + 6], 32);  // bits a pixel
    const uint32_t bytes = Read32(ico, entry + 8);
    EXPECT_EQ(Read32(ico, entry + 12), expected_offset);
    // 48 pixels: mask rows of 6 bits' worth still take 8 bytes.
    const size_t n = static_cast<size_t>(sizes[i]);
    EXPECT_EQ(bytes, 40 + n * n * 4 + (n + 31) / 32 * 4 * n);
    EXPECT_EQ(Read32(ico, expected_offset + 8), 2 * n);  // header height: colour + mask
    expected_offset += bytes;
  }
  EXPECT_EQ(expected_offset, ico.size());
}

TEST(IcoTest, PixelsAreStoredBottomUpAsBgraWithTransparentOnesMasked) {
  RgbaImage image = Blank(16);
  // Top-left pixel opaque red; everything else fully transparent.
  image.rgba[0] = 255;
  image.rgba[3] = 255;
  const std::vector<uint8_t> ico = EncodeIco({image});
  const size_t pixels = 6 + 16 + 40;
  const size_t top_row = pixels + 15 * 16 * 4;  // the last row stored
  EXPECT_EQ(ico[top_row + 0], 0);               // blue
  EXPECT_EQ(ico[top_row + 2], 255);             // red
  EXPECT_EQ(ico[top_row + 3], 255);             // alpha
  const size_t mask = pixels + 16 * 16 * 4;
  EXPECT_EQ(ico[mask], 0xFF);           // bottom row: all transparent
  EXPECT_EQ(ico[mask + 15 * 4], 0x7F);  // top row: the first pixel shows
  EXPECT_EQ(ico[mask + 15 * 4 + 1], 0xFF);
  EXPECT_EQ(ico[mask + 15 * 4 + 2], 0);  // padding stays clear
}

}  // namespace
}  // namespace icongen
