// Smoke tests of the toolchain and the libraries every other test relies on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#endif

namespace {

TEST(Toolchain, CompilesCpp20) {
  constexpr auto square = [](int x) consteval { return x * x; };
  static_assert(square(7) == 49);
  std::vector<int> v{3, 1, 2};
  EXPECT_THAT(v, ::testing::UnorderedElementsAre(1, 2, 3));
}

TEST(Toolchain, StdThreadAndMutexWork) {
  std::mutex m;
  int counter = 0;
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i) {
    threads.emplace_back([&] {
      for (int j = 0; j < 1000; ++j) {
        std::lock_guard<std::mutex> lock(m);
        ++counter;
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(counter, 4000);
}

class Greeter {
 public:
  virtual ~Greeter() = default;
  virtual std::string Greet(const std::string& name) = 0;
};

class MockGreeter : public Greeter {
 public:
  MOCK_METHOD(std::string, Greet, (const std::string& name), (override));
};

TEST(GoogleMock, MocksAVirtualMethod) {
  MockGreeter greeter;
  EXPECT_CALL(greeter, Greet("Wine")).WillOnce(::testing::Return("hello Wine"));
  Greeter& g = greeter;
  EXPECT_EQ(g.Greet("Wine"), "hello Wine");
}

// Encodes a small gradient into memory and decodes it again.
TEST(LibJpeg, EncodesAndDecodesInMemory) {
  constexpr int kWidth = 16, kHeight = 8;
  std::vector<unsigned char> rgb(kWidth * kHeight * 3);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      unsigned char* p = &rgb[(y * kWidth + x) * 3];
      p[0] = static_cast<unsigned char>(x * 16);
      p[1] = 128;
      p[2] = static_cast<unsigned char>(255 - x * 16);
    }
  }

  jpeg_compress_struct cinfo{};
  jpeg_error_mgr cerr{};
  cinfo.err = jpeg_std_error(&cerr);
  jpeg_create_compress(&cinfo);
  unsigned char* encoded = nullptr;
  unsigned long encoded_size = 0;
  jpeg_mem_dest(&cinfo, &encoded, &encoded_size);
  cinfo.image_width = kWidth;
  cinfo.image_height = kHeight;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = &rgb[cinfo.next_scanline * kWidth * 3];
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  ASSERT_GT(encoded_size, 100u);

  jpeg_decompress_struct dinfo{};
  jpeg_error_mgr derr{};
  dinfo.err = jpeg_std_error(&derr);
  jpeg_create_decompress(&dinfo);
  jpeg_mem_src(&dinfo, encoded, encoded_size);
  ASSERT_EQ(jpeg_read_header(&dinfo, TRUE), JPEG_HEADER_OK);
  jpeg_start_decompress(&dinfo);
  EXPECT_EQ(dinfo.output_width, static_cast<JDIMENSION>(kWidth));
  EXPECT_EQ(dinfo.output_height, static_cast<JDIMENSION>(kHeight));
  ASSERT_EQ(dinfo.output_components, 3);
  std::vector<unsigned char> decoded(kWidth * kHeight * 3);
  while (dinfo.output_scanline < dinfo.output_height) {
    JSAMPROW row = &decoded[dinfo.output_scanline * kWidth * 3];
    jpeg_read_scanlines(&dinfo, &row, 1);
  }
  jpeg_finish_decompress(&dinfo);
  jpeg_destroy_decompress(&dinfo);
  std::free(encoded);

  // Lossy, but close: the left edge is blue-ish, the right edge red-ish.
  EXPECT_LT(decoded[2 * 3 + 0], 64);
  EXPECT_GT(decoded[2 * 3 + 2], 192);
  EXPECT_GT(decoded[(kWidth - 2) * 3 + 0], 192);
  EXPECT_NEAR(decoded[kWidth * 3 + 1], 128, 16);
}

#ifdef _WIN32
// The user folders a cleaner touches must be real folders of the private
// prefix, not Wine's default links into the Linux home folder (a Linux
// directory link shows as a reparse point under Wine).
TEST(WinePrefix, UserFoldersAreRealDirectories) {
  const int folders[] = {CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_MYPICTURES,
                         CSIDL_MYMUSIC, CSIDL_MYVIDEO, CSIDL_TEMPLATES};
  for (int csidl : folders) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK)
        << "CSIDL " << csidl;
    DWORD attributes = GetFileAttributesW(path);
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << "CSIDL " << csidl;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << "CSIDL " << csidl;
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        << "CSIDL " << csidl << " is a link (attributes 0x" << std::hex << attributes << ")";
  }
}

TEST(WinePrefix, PersonalFoldersAreDistinct) {
  wchar_t documents[MAX_PATH] = {}, pictures[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents), S_OK);
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 0, pictures), S_OK);
  EXPECT_NE(std::wstring(documents), std::wstring(pictures));
}
#endif

}  // namespace
