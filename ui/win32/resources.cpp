// Text conversion, automation names, fonts, brushes and pictures for the
// Win32 realisation.

#include <algorithm>

#include "ui/win32/internal.h"

namespace ui::win32 {

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  int size = static_cast<int>(text.size());
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), n);
  return wide;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  int size = static_cast<int>(text.size());
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), n, nullptr, nullptr);
  return narrow;
}

std::string WindowTextOf(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(hwnd, buffer.data(), length + 1);
  buffer.resize(static_cast<size_t>(std::max(copied, 0)));
  return Narrow(buffer);
}

int LineHeightOf(HFONT font) {
  HDC dc = GetDC(nullptr);
  if (!dc) return 0;
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

void SetName(HWND hwnd, std::string_view name) {
  if (name.empty()) return;
  ATOM atom = GlobalAddAtomW(Widen(name).c_str());
  if (atom == 0) return;
  if (!SetPropW(hwnd, kNameProp, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(atom)))) {
    GlobalDeleteAtom(atom);
  }
}

void RemoveName(HWND hwnd) {
  HANDLE value = RemovePropW(hwnd, kNameProp);
  if (value) GlobalDeleteAtom(static_cast<ATOM>(reinterpret_cast<uintptr_t>(value)));
}

namespace {

// Pitch and family of the faces the program names. Windows has them all;
// where a face is missing (Wine without the Microsoft fonts) the font
// mapper then still picks a fixed-pitch font for a fixed-pitch face, so
// columns laid out with blanks stay aligned.
struct KnownFace {
  const char* name;
  BYTE pitch_and_family;
};
constexpr KnownFace kKnownFaces[] = {
    {"MS Sans Serif", VARIABLE_PITCH | FF_SWISS},
    {"Microsoft Sans Serif", VARIABLE_PITCH | FF_SWISS},
    {"Arial", VARIABLE_PITCH | FF_SWISS},
    {"Tahoma", VARIABLE_PITCH | FF_SWISS},
    {"Verdana", VARIABLE_PITCH | FF_SWISS},
    {"MS Serif", VARIABLE_PITCH | FF_ROMAN},
    {"Times New Roman", VARIABLE_PITCH | FF_ROMAN},
    {"Courier New", FIXED_PITCH | FF_MODERN},
    {"Courier", FIXED_PITCH | FF_MODERN},
    {"Lucida Console", FIXED_PITCH | FF_MODERN},
    {"Consolas", FIXED_PITCH | FF_MODERN},
    {"Fixedsys", FIXED_PITCH | FF_MODERN},
    {"Terminal", FIXED_PITCH | FF_MODERN},
};

BYTE PitchAndFamily(const std::string& name) {
  for (const KnownFace& face : kKnownFaces) {
    if (lstrcmpiA(face.name, name.c_str()) == 0) return face.pitch_and_family;
  }
  return DEFAULT_PITCH | FF_DONTCARE;
}

}  // namespace

Resources::~Resources() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
}

HFONT Resources::Font(const ui::Font& font) {
  auto key = std::make_tuple(font.name, font.size, font.bold, font.italic, font.underline);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;

  LOGFONTW lf{};
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  // Points to a character height in pixels (negative: without the
  // internal leading), as the font dialogs do.
  lf.lfHeight = -MulDiv(std::max(font.size, 1), dpi, 72);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic ? TRUE : FALSE;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = PitchAndFamily(font.name);
  std::wstring face = Widen(font.name);
  face.resize(std::min<size_t>(face.size(), LF_FACESIZE - 1));
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  HFONT handle = CreateFontIndirectW(&lf);
  if (!handle) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_.emplace(key, handle);
  return handle;
}

HBRUSH Resources::Brush(COLORREF color) {
  auto it = brushes_.find(color);
  if (it != brushes_.end()) return it->second;
  HBRUSH brush = CreateSolidBrush(color);
  brushes_.emplace(color, brush);
  return brush;
}

void ImageBits::Set(const ui::Image& image) {
  width_ = 0;
  height_ = 0;
  bgr_.clear();
  if (image.Empty()) return;
  size_t w = static_cast<size_t>(image.width);
  size_t h = static_cast<size_t>(image.height);
  // A short pixel buffer is treated as no picture rather than read past.
  if (image.rgb.size() < w * h * 3) return;
  size_t stride = (w * 3 + 3) & ~static_cast<size_t>(3);
  bgr_.assign(stride * h, 0);
  for (size_t y = 0; y < h; ++y) {
    const uint8_t* src = image.rgb.data() + y * w * 3;
    uint8_t* dst = bgr_.data() + y * stride;
    for (size_t x = 0; x < w; ++x) {
      dst[x * 3] = src[x * 3 + 2];
      dst[x * 3 + 1] = src[x * 3 + 1];
      dst[x * 3 + 2] = src[x * 3];
    }
  }
  width_ = image.width;
  height_ = image.height;
}

void ImageBits::Draw(HDC dc, const RECT& target, bool stretch) const {
  if (Empty()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  int w = stretch ? target.right - target.left : width_;
  int h = stretch ? target.bottom - target.top : height_;
  int old_mode = SetStretchBltMode(dc, HALFTONE);
  POINT old_origin{};
  SetBrushOrgEx(dc, 0, 0, &old_origin);
  StretchDIBits(dc, target.left, target.top, w, h, 0, 0, width_, height_, bgr_.data(), &info,
                DIB_RGB_COLORS, SRCCOPY);
  SetBrushOrgEx(dc, old_origin.x, old_origin.y, nullptr);
  SetStretchBltMode(dc, old_mode);
}

}  // namespace ui::win32
