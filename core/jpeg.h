// JPEG pictures for the skins: decoding into the control model's Image and,
// for our own tools and tests, encoding one.
//
// Decoding never ends the program: a truncated, corrupt or unsupported file,
// or one libjpeg had to patch up (it warns and fills in the missing part),
// gives nullopt, so the caller can treat it like a missing picture.
// Grayscale and CMYK/YCCK pictures are converted to RGB. Pictures larger
// than the caps below are refused before any pixel memory is taken.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/filesystem.h"
#include "ui/controls.h"

namespace core {

// Largest width or height accepted, and largest pixel count.
inline constexpr int kMaxJpegSide = 8192;
inline constexpr uint64_t kMaxJpegPixels = 32ull * 1024 * 1024;
// Largest file read for decoding.
inline constexpr uint64_t kMaxJpegFileBytes = 64ull * 1024 * 1024;

std::optional<ui::Image> DecodeJpeg(std::string_view bytes);
std::optional<ui::Image> DecodeJpegFile(platform::FileSystem& fs, std::string_view path);

// Baseline JPEG of an RGB image at `quality` (1..100); nullopt when the
// image is empty or its pixel buffer does not match its size.
std::optional<std::string> EncodeJpeg(const ui::Image& image, int quality);

}  // namespace core
