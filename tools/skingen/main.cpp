// Writes the five skin pictures as JPEG files into the folder given on the
// command line (the repository keeps them in assets/skins).
#include <cstdio>
#include <fstream>
#include <string>

#include "core/jpeg.h"
#include "tools/skingen/scenes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skingen OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  for (const skingen::Scene& scene : skingen::kScenes) {
    const ui::Image image = scene.paint();
    const auto jpeg = core::EncodeJpeg(image, 86);
    const std::string path = folder + "/" + std::string(scene.file_name);
    std::ofstream out(path, std::ios::binary);
    if (!jpeg || !out.write(jpeg->data(), static_cast<std::streamsize>(jpeg->size()))) {
      std::fprintf(stderr, "skingen: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s: %zu bytes\n", path.c_str(), jpeg->size());
  }
  return 0;
}
