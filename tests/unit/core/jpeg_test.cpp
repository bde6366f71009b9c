#include "core/jpeg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/machine.h"

extern "C" {
#include <jpeglib.h>
}

namespace core {
namespace {

// A picture whose left half is red and right half blue.
ui::Image RedBlue(int width, int height) {
  ui::Image image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* p = &image.rgb[(static_cast<size_t>(y) * width + x) * 3];
      const bool left = x < width / 2;
      p[0] = left ? 230 : 20;
      p[1] = 20;
      p[2] = left ? 20 : 230;
    }
  }
  return image;
}

const uint8_t* Pixel(const ui::Image& image, int x, int y) {
  return &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
}

// Encodes a flat picture of `components` channels in `space` straight with
// libjpeg, for colour spaces our encoder does not write.
std::string EncodeFlat(int width, int height, J_COLOR_SPACE space, std::vector<uint8_t> value) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = static_cast<int>(value.size());
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), value.begin(), value.end());
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW line = row.data();
    jpeg_write_scanlines(&cinfo, &line, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string out(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return out;
}

// Rewrites the height and width of the first baseline frame header.
std::string WithFrameSize(std::string jpeg, int width, int height) {
  const size_t sof = jpeg.find("\xFF\xC0");
  EXPECT_NE(sof, std::string::npos);
  jpeg[sof + 5] = static_cast<char>(height >> 8);
  jpeg[sof + 6] = static_cast<char>(height & 0xFF);
  jpeg[sof + 7] = static_cast<char>(width >> 8);
  jpeg[sof + 8] = static_cast<char>(width & 0xFF);
  return jpeg;
}

TEST(Jpeg, EncodedPictureDecodesToTheSameSizeAndColours) {
  auto bytes = EncodeJpeg(RedBlue(64, 32), 90);
  ASSERT_TRUE(bytes);
  auto image = DecodeJpeg(*bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 64);
  EXPECT_EQ(image->height, 32);
  ASSERT_EQ(image->rgb.size(), 64u * 32u * 3u);
  const uint8_t* left = Pixel(*image, 8, 16);
  const uint8_t* right = Pixel(*image, 56, 16);
  EXPECT_NEAR(left[0], 230, 12);
  EXPECT_NEAR(left[2], 20, 12);
  EXPECT_NEAR(right[0], 20, 12);
  EXPECT_NEAR(right[2], 230, 12);
}

TEST(Jpeg, GrayscaleAndCmykPicturesComeOutAsRgb) {
  auto gray = DecodeJpeg(EncodeFlat(16, 16, JCS_GRAYSCALE, {128}));
  ASSERT_TRUE(gray);
  const uint8_t* g = Pixel(*gray, 5, 5);
  EXPECT_NEAR(g[0], 128, 3);
  EXPECT_EQ(g[0], g[1]);
  EXPECT_EQ(g[1], g[2]);

  // libjpeg writes CMYK with the Adobe marker, whose channels are stored
  // inverted: full cyan value means no cyan ink, so this is pure red.
  auto cmyk = DecodeJpeg(EncodeFlat(16, 16, JCS_CMYK, {255, 0, 0, 255}));
  ASSERT_TRUE(cmyk);
  EXPECT_EQ(cmyk->rgb.size(), 16u * 16u * 3u);
  const uint8_t* c = Pixel(*cmyk, 5, 5);
  EXPECT_NEAR(c[0], 255, 4);
  EXPECT_NEAR(c[1], 0, 4);
  EXPECT_NEAR(c[2], 0, 4);
}

TEST(Jpeg, TruncatedPictureIsRefusedInsteadOfPatchedUp) {
  auto bytes = EncodeJpeg(RedBlue(128, 128), 90);
  ASSERT_TRUE(bytes);
  EXPECT_FALSE(DecodeJpeg(bytes->substr(0, bytes->size() / 2)));
  EXPECT_FALSE(DecodeJpeg(bytes->substr(0, bytes->size() - 2)));  // no end marker
  EXPECT_FALSE(DecodeJpeg(bytes->substr(0, 20)));                 // inside the headers
  EXPECT_FALSE(DecodeJpeg(bytes->substr(0, 2)));                  // start marker only
}

TEST(Jpeg, GarbageAndEmptyInputAreRefused) {
  EXPECT_FALSE(DecodeJpeg(""));
  EXPECT_FALSE(DecodeJpeg("this is not a picture at all"));
  std::string fake_start = "\xFF\xD8\xFF\xE0";
  for (int i = 0; i < 500; ++i) fake_start += static_cast<char>((i * 37 + 11) & 0xFF);
  EXPECT_FALSE(DecodeJpeg(fake_start));
  // Scrambled entropy data behind valid headers.
  auto bytes = EncodeJpeg(RedBlue(64, 64), 90);
  ASSERT_TRUE(bytes);
  std::string scrambled = *bytes;
  for (size_t i = scrambled.size() / 2; i + 2 < scrambled.size(); i += 3) scrambled[i] = '\xFF';
  EXPECT_FALSE(DecodeJpeg(scrambled));
}

TEST(Jpeg, HugeDimensionsAreRefusedBeforeDecoding) {
  auto bytes = EncodeJpeg(RedBlue(16, 16), 90);
  ASSERT_TRUE(bytes);
  EXPECT_FALSE(DecodeJpeg(WithFrameSize(*bytes, 60000, 60000)));
  EXPECT_FALSE(DecodeJpeg(WithFrameSize(*bytes, kMaxJpegSide + 1, 16)));
  // Each side within the cap, but too many pixels together.
  EXPECT_FALSE(DecodeJpeg(WithFrameSize(*bytes, kMaxJpegSide, kMaxJpegSide)));
  EXPECT_FALSE(DecodeJpeg(WithFrameSize(*bytes, 0, 16)));
}

TEST(Jpeg, EncoderRefusesAnImageWhoseBufferDoesNotMatchItsSize) {
  ui::Image image = RedBlue(8, 8);
  image.rgb.pop_back();
  EXPECT_FALSE(EncodeJpeg(image, 90));
  EXPECT_FALSE(EncodeJpeg(ui::Image{}, 90));
}

TEST(Jpeg, FileDecodingTreatsMissingLockedAndOversizedFilesAsNoPicture) {
  sim::Machine m;
  auto bytes = EncodeJpeg(RedBlue(32, 16), 90);
  ASSERT_TRUE(bytes);
  m.Builder()
      .File("C:\\Program Files\\Vostrel\\skinsunset.jpg", *bytes)
      .File("C:\\Program Files\\Vostrel\\skinshark.jpg", *bytes)
      .Locked()
      .File("C:\\Program Files\\Vostrel\\skinocean.jpg", bytes->substr(0, 100))
      .BigFile("C:\\Program Files\\Vostrel\\skinnyc.jpg", kMaxJpegFileBytes + 1);
  auto& fs = m.Platform().fs;
  auto image = DecodeJpegFile(fs, "C:\\Program Files\\Vostrel\\skinsunset.jpg");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 32);
  EXPECT_FALSE(DecodeJpegFile(fs, "C:\\Program Files\\Vostrel\\skinwildlife.jpg"));
  EXPECT_FALSE(DecodeJpegFile(fs, "C:\\Program Files\\Vostrel\\skinshark.jpg"));
  EXPECT_FALSE(DecodeJpegFile(fs, "C:\\Program Files\\Vostrel\\skinocean.jpg"));
  EXPECT_FALSE(DecodeJpegFile(fs, "C:\\Program Files\\Vostrel\\skinnyc.jpg"));
  EXPECT_FALSE(DecodeJpegFile(fs, "C:\\Program Files\\Vostrel"));
}

// The pictures installed beside the program must decode at the size of the
// main window's image area.
TEST(Jpeg, InstalledSkinPicturesDecodeAtTheImageAreaSize) {
  std::string folder = __FILE__;
  folder = folder.substr(0, folder.rfind("tests/unit/core")) + "assets/skins/";
  for (const char* name :
       {"skinshark.jpg", "skinsunset.jpg", "skinwildlife.jpg", "skinnyc.jpg", "skinocean.jpg"}) {
    std::ifstream in(folder + name, std::ios::binary);
    ASSERT_TRUE(in) << folder + name;
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_LT(bytes.str().size(), 100u * 1024u) << name;
    auto image = DecodeJpeg(bytes.str());
    ASSERT_TRUE(image) << name;
    EXPECT_EQ(image->width, 800) << name;
    EXPECT_EQ(image->height, 600) << name;
  }
}

}  // namespace
}  // namespace core
