// Writes the program's icon (16, 32 and 48 pixels in one .ico) to the file
// given on the command line (the repository keeps it as assets/vostrel.ico).
#include <cstdio>
#include <fstream>
#include <vector>

#include "tools/icongen/icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: icongen OUTPUT.ico\n");
    return 2;
  }
  std::vector<icongen::RgbaImage> images;
  for (int size : icongen::kIconSizes) images.push_back(icongen::PaintIcon(size));
  const std::vector<uint8_t> ico = icongen::EncodeIco(images);
  std::ofstream out(argv[1], std::ios::binary);
  if (!out.write(reinterpret_cast<const char*>(ico.data()),
                 static_cast<std::streamsize>(ico.size()))) {
    std::fprintf(stderr, "icongen: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %zu bytes\n", argv[1], ico.size());
  return 0;
}
