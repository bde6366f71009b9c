// Labels, pictures and panels: controls that we draw ourselves, so that a
// transparent label shows the picture beneath it, text is laid out with the
// advances the font reports, and a clock redrawn every second does not
// flicker.

#include <algorithm>

#include "ui/win32/peers.h"

namespace ui::win32 {

namespace {

// Label text is laid out here and drawn with the advances the font
// reports, so the drawn text is exactly as wide as it was measured.
// (DrawText under Wine places glyphs at fractional positions and spills a
// few pixels past the width it wrapped to, cutting the last letter.)
struct TextLine {
  std::wstring text;
  std::vector<INT> dx;  // advance of each character
  int width = 0;
};

TextLine Measure(HDC dc, std::wstring text) {
  TextLine line;
  line.text = std::move(text);
  int n = static_cast<int>(line.text.size());
  if (n == 0) return line;
  std::vector<INT> ends(line.text.size());
  SIZE size{};
  GetTextExtentExPointW(dc, line.text.c_str(), n, 0, nullptr, ends.data(), &size);
  line.dx.resize(ends.size());
  for (size_t i = 0; i < ends.size(); ++i) line.dx[i] = ends[i] - (i ? ends[i - 1] : 0);
  line.width = ends.back();
  return line;
}

// Breaks one paragraph at blanks so each line fits `width` (a word longer
// than the width is broken inside).
void BreakParagraph(HDC dc, std::wstring rest, int width, bool wrap, std::vector<TextLine>& lines) {
  while (true) {
    TextLine whole = Measure(dc, rest);
    if (!wrap || whole.width <= width || rest.size() <= 1) {
      lines.push_back(std::move(whole));
      return;
    }
    size_t fit = 0;
    for (int sum = 0; fit < whole.dx.size() && sum + whole.dx[fit] <= width; ++fit) {
      sum += whole.dx[fit];
    }
    size_t cut = 0;
    for (size_t i = std::min(fit, rest.size() - 1); i > 0; --i) {
      if (rest[i] == L' ') {
        cut = i;
        break;
      }
    }
    if (cut == 0) cut = std::max<size_t>(fit, 1);
    size_t end = cut;
    while (end > 0 && rest[end - 1] == L' ') --end;
    lines.push_back(Measure(dc, rest.substr(0, end)));
    size_t next = cut;
    while (next < rest.size() && rest[next] == L' ') ++next;
    if (next >= rest.size()) return;
    rest.erase(0, next);
  }
}

// Lines end at line breaks (CR LF, LF) and, when wrapping, where the width
// is full; tabs stop every eight characters.
std::vector<TextLine> LayOut(HDC dc, const std::wstring& text, int width, bool wrap) {
  std::vector<TextLine> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring paragraph;
    for (size_t i = start; i < end; ++i) {
      if (text[i] == L'\t') {
        paragraph.append(8 - paragraph.size() % 8, L' ');
      } else if (text[i] != L'\r') {
        paragraph.push_back(text[i]);
      }
    }
    BreakParagraph(dc, std::move(paragraph), width, wrap, lines);
    start = end + 1;
  }
  return lines;
}

void DrawLines(HDC dc, const std::vector<TextLine>& lines, const RECT& rc, Align align) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  int y = rc.top;
  for (const TextLine& line : lines) {
    if (y >= rc.bottom) break;
    int x = rc.left;
    if (align == Align::kCenter) x += (rc.right - rc.left - line.width) / 2;
    if (align == Align::kRight) x = rc.right - line.width;
    if (!line.text.empty()) {
      ExtTextOutW(dc, x, y, 0, nullptr, line.text.c_str(), static_cast<UINT>(line.text.size()),
                  line.dx.data());
    }
    y += metrics.tmHeight;
  }
}

// Paints through a memory bitmap so a control that is redrawn often (a
// clock label on a picture) does not flicker.
class BufferedPaint {
 public:
  BufferedPaint(HDC target, const RECT& rect)
      : target_(target),
        rect_(rect),
        dc_(CreateCompatibleDC(target)),
        bitmap_(CreateCompatibleBitmap(target, std::max(1L, rect.right - rect.left),
                                       std::max(1L, rect.bottom - rect.top))),
        old_(SelectObject(dc_, bitmap_)) {
    SetViewportOrgEx(dc_, -rect.left, -rect.top, nullptr);
  }
  ~BufferedPaint() {
    SetViewportOrgEx(dc_, 0, 0, nullptr);
    BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, dc_,
           0, 0, SRCCOPY);
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HDC target_;
  RECT rect_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

class PicturePeer;

// A label: a static that draws itself, so that a transparent label shows
// the picture beneath it and can change its text without leaving traces.
class LabelPeer : public ControlPeerBase {
 public:
  using ControlPeerBase::ControlPeerBase;

  void OnCommand(int code) override {
    if (code == STN_CLICKED) control_->Click();
  }

  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  Creation Describe() const override { return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0}; }

  // A single-line label grows to the right to fit its text, as labels
  // that size themselves do, so a longer text or a wider font is not cut.
  RECT Placement() const override {
    RECT r = ToRect(control_->Bounds());
    const auto& label = static_cast<const Label&>(*control_);
    if (label.WordWrap() || label.Alignment() != Align::kLeft || label.Caption().empty()) {
      return r;
    }
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FontHandle());
    int widest = 0;
    for (const TextLine& line : LayOut(dc, Widen(label.Caption()), 0, false)) {
      widest = std::max(widest, line.width);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    r.right = std::max(r.right, r.left + widest);
    return r;
  }

  void Apply(Prop prop) override {
    ControlPeerBase::Apply(prop);
    if (prop == Prop::kCaption || prop == Prop::kFont) InvalidateRect(hwnd_, nullptr, FALSE);
  }

 private:
  void PaintPicturesBeneath(HDC dc) const;
};

// A picture: draws its image itself (scaled or at its own size).
class PicturePeer : public ControlPeerBase {
 public:
  using ControlPeerBase::ControlPeerBase;

  void OnCommand(int code) override {
    if (code == STN_CLICKED) control_->Click();
  }

  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    BufferedPaint buffer(item.hDC, rc);
    Paint(buffer.Dc(), rc);
    return true;
  }

  // Draws the picture as it shows on screen, with its top-left corner at
  // (x, y) of `dc`: how a transparent label paints what lies beneath it.
  void PaintAt(HDC dc, int x, int y) const {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, x, y, nullptr);
    IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
    Paint(dc, rc);
    RestoreDC(dc, saved);
  }

 protected:
  Creation Describe() const override { return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0}; }

  void ApplyAll() override {
    ControlPeerBase::ApplyAll();
    bits_.Set(static_cast<const Picture&>(*control_).GetImage());
  }

  void Apply(Prop prop) override {
    ControlPeerBase::Apply(prop);
    if (prop != Prop::kPicture && prop != Prop::kBounds) return;
    if (prop == Prop::kPicture) bits_.Set(static_cast<const Picture&>(*control_).GetImage());
    InvalidateRect(hwnd_, nullptr, FALSE);
    // Transparent labels over the picture draw part of it too.
    for (const auto& peer : window_.Controls()) {
      const Control* c = peer->Model();
      if (c && c->GetKind() == Kind::kLabel && c->Transparent() && peer->Hwnd()) {
        InvalidateRect(peer->Hwnd(), nullptr, FALSE);
      }
    }
  }

 private:
  void Paint(HDC dc, const RECT& rc) const {
    const auto& picture = static_cast<const Picture&>(*control_);
    FillRect(dc, &rc, GetState().resources.Brush(ContainerBackground()));
    bits_.Draw(dc, rc, picture.Stretch());
  }

  ImageBits bits_;
};

bool LabelPeer::OnDrawItem(const DRAWITEMSTRUCT& item) {
  RECT rc{};
  GetClientRect(hwnd_, &rc);
  BufferedPaint buffer(item.hDC, rc);
  HDC dc = buffer.Dc();
  const auto& label = static_cast<const Label&>(*control_);
  bool own_color = !label.Transparent() && label.GetColor() != kDefaultColor;
  COLORREF background = own_color ? label.GetColor() : ContainerBackground();
  FillRect(dc, &rc, GetState().resources.Brush(background));
  if (label.Transparent()) PaintPicturesBeneath(dc);

  HGDIOBJ old_font = SelectObject(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColor(label, COLOR_BTNTEXT));
  DrawLines(dc, LayOut(dc, Widen(label.Caption()), rc.right - rc.left, label.WordWrap()), rc,
            label.Alignment());
  SelectObject(dc, old_font);
  return true;
}

void LabelPeer::PaintPicturesBeneath(HDC dc) const {
  HWND parent = GetParent(hwnd_);
  RECT mine{};
  GetWindowRect(hwnd_, &mine);
  for (const auto& peer : window_.Controls()) {
    const Control* c = peer->Model();
    if (!c || c->GetKind() != Kind::kPicture || !peer->Hwnd()) continue;
    if (GetParent(peer->Hwnd()) != parent || !IsWindowVisible(peer->Hwnd())) continue;
    RECT theirs{};
    GetWindowRect(peer->Hwnd(), &theirs);
    RECT overlap;
    if (!IntersectRect(&overlap, &mine, &theirs)) continue;
    static_cast<const PicturePeer&>(*peer).PaintAt(dc, theirs.left - mine.left,
                                                   theirs.top - mine.top);
  }
}

// A panel: our own window class, filled with its colour, with an edge and
// its caption centred.
class PanelPeer : public ControlPeerBase {
 public:
  using ControlPeerBase::ControlPeerBase;

 protected:
  Creation Describe() const override { return {kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}; }

  bool Intercept(UINT message, WPARAM, LPARAM, LRESULT* result) override {
    switch (message) {
      case WM_ERASEBKGND:
        *result = 1;
        return true;
      case WM_PAINT:
        Paint();
        *result = 0;
        return true;
      case WM_LBUTTONUP:
        control_->Click();
        return false;
      default:
        return false;
    }
  }

  void Apply(Prop prop) override {
    ControlPeerBase::Apply(prop);
    if (prop == Prop::kCaption || prop == Prop::kFont) InvalidateRect(hwnd_, nullptr, FALSE);
  }

 private:
  void Paint() {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(hwnd_, &ps);
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    {
      BufferedPaint buffer(target, rc);
      HDC dc = buffer.Dc();
      FillRect(dc, &rc, GetState().resources.Brush(Background()));
      if (static_cast<const Panel&>(*control_).Bevel()) DrawEdge(dc, &rc, EDGE_ETCHED, BF_RECT);
      if (!control_->Caption().empty()) {
        HGDIOBJ old_font = SelectObject(dc, FontHandle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, TextColor(*control_, COLOR_BTNTEXT));
        std::wstring text = Widen(control_->Caption());
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old_font);
      }
    }
    EndPaint(hwnd_, &ps);
  }
};

}  // namespace

std::unique_ptr<ControlPeerBase> MakeLabelPeer(WindowPeer& window, Control& control) {
  return std::make_unique<LabelPeer>(window, control);
}

std::unique_ptr<ControlPeerBase> MakePicturePeer(WindowPeer& window, Control& control) {
  return std::make_unique<PicturePeer>(window, control);
}

std::unique_ptr<ControlPeerBase> MakePanelPeer(WindowPeer& window, Control& control) {
  return std::make_unique<PanelPeer>(window, control);
}

}  // namespace ui::win32
