#include "core/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace core {
namespace {

// libjpeg's own error handler prints and calls exit(). This one jumps back
// to the routine that started the work, and a warning (libjpeg's word for
// damaged data it patched over, such as a premature end of the file) counts
// as an error too.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int msg_level) {
  if (msg_level < 0) ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

void InstallErrorManager(ErrorManager& err) {
  jpeg_std_error(&err.base);
  err.base.error_exit = ErrorExit;
  err.base.emit_message = EmitMessage;
  err.base.output_message = OutputMessage;
}

// State the decoding routine fills. It lives outside the routine that calls
// setjmp, so nothing that routine changes is lost when libjpeg jumps back.
struct DecodeState {
  std::string_view bytes;
  ErrorManager err;
  jpeg_decompress_struct cinfo;
  ui::Image image;
  std::vector<uint8_t> row;
};

// Converts one CMYK row (Adobe pictures store the channels inverted) to RGB
// in place; `rgb` may alias `cmyk` since it trails it.
void CmykRowToRgb(const uint8_t* cmyk, uint8_t* rgb, unsigned width, bool inverted) {
  for (unsigned x = 0; x < width; ++x) {
    unsigned c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    rgb[3 * x] = static_cast<uint8_t>(c * k / 255);
    rgb[3 * x + 1] = static_cast<uint8_t>(m * k / 255);
    rgb[3 * x + 2] = static_cast<uint8_t>(y * k / 255);
  }
}

bool SizeAccepted(JDIMENSION width, JDIMENSION height) {
  if (width == 0 || height == 0) return false;
  if (width > static_cast<JDIMENSION>(kMaxJpegSide)) return false;
  if (height > static_cast<JDIMENSION>(kMaxJpegSide)) return false;
  return static_cast<uint64_t>(width) * height <= kMaxJpegPixels;
}

// Runs the whole decode; false on any libjpeg error or refused picture.
bool RunDecode(DecodeState* s) {
  jpeg_decompress_struct* cinfo = &s->cinfo;
  cinfo->err = &s->err.base;
  InstallErrorManager(s->err);
  if (setjmp(s->err.jump)) {
    jpeg_destroy_decompress(cinfo);
    return false;
  }
  jpeg_create_decompress(cinfo);
  jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(s->bytes.data()),
               static_cast<unsigned long>(s->bytes.size()));
  if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK ||
      !SizeAccepted(cinfo->image_width, cinfo->image_height)) {
    jpeg_destroy_decompress(cinfo);
    return false;
  }
  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(cinfo);
  const unsigned width = cinfo->output_width;
  const unsigned height = cinfo->output_height;
  const int components = cinfo->output_components;
  if ((components != 3 && components != 4) || (components == 4) != cmyk ||
      !SizeAccepted(width, height)) {
    jpeg_destroy_decompress(cinfo);
    return false;
  }
  s->image.width = static_cast<int>(width);
  s->image.height = static_cast<int>(height);
  s->image.rgb.resize(static_cast<size_t>(width) * height * 3);
  s->row.resize(static_cast<size_t>(width) * components);
  while (cinfo->output_scanline < height) {
    uint8_t* target = s->image.rgb.data() + static_cast<size_t>(cinfo->output_scanline) * width * 3;
    JSAMPROW line = cmyk ? s->row.data() : target;
    if (jpeg_read_scanlines(cinfo, &line, 1) != 1) {
      jpeg_destroy_decompress(cinfo);
      return false;
    }
    if (cmyk) CmykRowToRgb(s->row.data(), target, width, cinfo->saw_Adobe_marker);
  }
  jpeg_finish_decompress(cinfo);
  jpeg_destroy_decompress(cinfo);
  return true;
}

struct EncodeState {
  const ui::Image* image;
  int quality;
  ErrorManager err;
  jpeg_compress_struct cinfo;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
};

bool RunEncode(EncodeState* s) {
  jpeg_compress_struct* cinfo = &s->cinfo;
  cinfo->err = &s->err.base;
  InstallErrorManager(s->err);
  if (setjmp(s->err.jump)) {
    jpeg_destroy_compress(cinfo);
    return false;
  }
  jpeg_create_compress(cinfo);
  jpeg_mem_dest(cinfo, &s->buffer, &s->size);
  cinfo->image_width = static_cast<JDIMENSION>(s->image->width);
  cinfo->image_height = static_cast<JDIMENSION>(s->image->height);
  cinfo->input_components = 3;
  cinfo->in_color_space = JCS_RGB;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, s->quality, TRUE);
  cinfo->optimize_coding = TRUE;
  jpeg_start_compress(cinfo, TRUE);
  const size_t stride = static_cast<size_t>(s->image->width) * 3;
  while (cinfo->next_scanline < cinfo->image_height) {
    // libjpeg's row type is not const; it only reads the input rows.
    JSAMPROW line = const_cast<uint8_t*>(s->image->rgb.data() + cinfo->next_scanline * stride);
    jpeg_write_scanlines(cinfo, &line, 1);
  }
  jpeg_finish_compress(cinfo);
  jpeg_destroy_compress(cinfo);
  return true;
}

}  // namespace

std::optional<ui::Image> DecodeJpeg(std::string_view bytes) {
  if (bytes.empty()) return std::nullopt;
  auto state = std::make_unique<DecodeState>();
  state->bytes = bytes;
  if (!RunDecode(state.get())) return std::nullopt;
  return std::move(state->image);
}

std::optional<ui::Image> DecodeJpegFile(platform::FileSystem& fs, std::string_view path) {
  auto size = fs.GetSize(path);
  if (!size || *size == 0 || *size > kMaxJpegFileBytes) return std::nullopt;
  auto bytes = fs.ReadBytes(path);
  if (!bytes) return std::nullopt;
  return DecodeJpeg(*bytes);
}

std::optional<std::string> EncodeJpeg(const ui::Image& image, int quality) {
  if (image.Empty() || image.width > kMaxJpegSide || image.height > kMaxJpegSide ||
      image.rgb.size() != static_cast<size_t>(image.width) * image.height * 3) {
    return std::nullopt;
  }
  auto state = std::make_unique<EncodeState>();
  state->image = &image;
  state->quality = quality < 1 ? 1 : (quality > 100 ? 100 : quality);
  const bool ok = RunEncode(state.get());
  std::optional<std::string> out;
  if (ok && state->buffer) out.emplace(reinterpret_cast<const char*>(state->buffer), state->size);
  std::free(state->buffer);
  return out;
}

}  // namespace core
