// The control peers: one class per control family, each saying how its
// control is created, how model state maps to messages and how the
// control's notifications map back to model calls.

#include <algorithm>

#include "ui/win32/internal.h"

namespace ui::win32 {

namespace {

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                              UINT_PTR /*id*/, DWORD_PTR data) {
  auto* peer = reinterpret_cast<ControlPeerBase*>(data);
  CallDepth depth(peer->GetState());
  try {
    return peer->HandleMessage(message, wparam, lparam);
  } catch (...) {
    // Last guard: a failing handler must not unwind through the system.
    return message == WM_NCDESTROY ? DefSubclassProc(hwnd, message, wparam, lparam) : 0;
  }
}

RECT ToRect(const ui::Rect& r) { return RECT{r.left, r.top, r.left + r.width, r.top + r.height}; }

RECT RectInParent(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

COLORREF TextColor(const Control& control, int system_color) {
  if (!control.Enabled()) return GetSysColor(COLOR_GRAYTEXT);
  Color c = control.FontColor();
  return c != kDefaultColor ? c : GetSysColor(system_color);
}

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

}  // namespace

ControlPeerBase::ControlPeerBase(WindowPeer& window, Control& control)
    : window_(window), control_(&control) {}

ControlPeerBase::~ControlPeerBase() {
  GetState().Forget(this);
  if (hwnd_) {
    HWND hwnd = hwnd_;
    Destroyed();
    DestroyWindow(hwnd);
  }
}

State& ControlPeerBase::GetState() const { return window_.GetState(); }

void ControlPeerBase::Realise(HWND parent, int id) {
  id_ = id;
  Creation creation = Describe();
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | creation.style;
  if (control_->Visible()) style |= WS_VISIBLE;
  if (!control_->Enabled()) style |= WS_DISABLED;
  RECT r = Placement();
  hwnd_ = CreateWindowExW(
      creation.ex_style, creation.window_class, Widen(control_->Caption()).c_str(), style, r.left,
      r.top, r.right - r.left, r.bottom - r.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetState().instance, nullptr);
  if (!hwnd_) return;
  GetState().controls[hwnd_] = this;
  SetWindowSubclass(hwnd_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  SetName(hwnd_, control_->Name());
  // Creation order is tab order: each new control goes below the ones
  // before it.
  SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  control_->SetPeer(this);
  Guard guard(*this);
  ApplyAll();
}

void ControlPeerBase::ApplyAll() {
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  ApplyHint();
}

void ControlPeerBase::Update(Prop prop) {
  if (!control_) return;
  if (dirty_ || Deferrable(prop)) {
    if (std::find(pending_.begin(), pending_.end(), prop) == pending_.end()) {
      pending_.push_back(prop);
    }
    GetState().MarkDirty(this);
    return;
  }
  Guard guard(*this);
  Apply(prop);
}

void ControlPeerBase::Flush() {
  dirty_ = false;
  std::vector<Prop> props;
  props.swap(pending_);
  if (!control_ || !hwnd_) return;
  Guard guard(*this);
  // Contents first: a selection or caption refers to them.
  std::stable_partition(props.begin(), props.end(), [](Prop p) { return p == Prop::kItems; });
  for (Prop p : props) {
    Apply(p);
    if (!control_ || !hwnd_) return;
  }
}

void ControlPeerBase::Detach() {
  GetState().Forget(this);
  pending_.clear();
  control_ = nullptr;
  if (hwnd_) {
    HWND hwnd = hwnd_;
    if (HWND tip = has_tip_ ? window_.Tooltip() : nullptr) {
      TOOLINFOW info{};
      info.cbSize = TTTOOLINFOW_V2_SIZE;
      info.hwnd = window_.Hwnd();
      info.uId = reinterpret_cast<UINT_PTR>(hwnd);
      SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    DestroyWindow(hwnd);
  }
}

void ControlPeerBase::Destroyed() {
  if (!hwnd_) return;
  RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
  RemoveName(hwnd_);
  GetState().controls.erase(hwnd_);
  hwnd_ = nullptr;
}

HFONT ControlPeerBase::FontHandle() const { return GetState().resources.Font(control_->GetFont()); }

RECT ControlPeerBase::Placement() const { return ToRect(control_->Bounds()); }

void ControlPeerBase::Place() {
  RECT want = Placement();
  RECT have = RectInParent(hwnd_);
  if (EqualRect(&want, &have)) return;
  SetWindowPos(hwnd_, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlPeerBase::RaiseIfCovered() {
  RECT mine = RectInParent(hwnd_);
  for (HWND above = GetWindow(hwnd_, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    if (!IsWindowVisible(above)) continue;
    RECT theirs = RectInParent(above);
    RECT overlap;
    if (IntersectRect(&overlap, &mine, &theirs)) {
      SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return;
    }
  }
}

void ControlPeerBase::Apply(Prop prop) {
  if (!hwnd_) return;
  switch (prop) {
    case Prop::kCaption:
      if (WindowTextOf(hwnd_) != control_->Caption()) {
        SetWindowTextW(hwnd_, Widen(control_->Caption()).c_str());
      }
      Place();
      break;
    case Prop::kBounds:
      Place();
      break;
    case Prop::kVisible:
      if (control_->Visible()) {
        // A control shown over others (a list laid over a panel) comes
        // to the front, as the program means by showing it there.
        RaiseIfCovered();
        ShowWindow(hwnd_, SW_SHOWNA);
      } else {
        ShowWindow(hwnd_, SW_HIDE);
      }
      break;
    case Prop::kEnabled:
      EnableWindow(hwnd_, control_->Enabled() ? TRUE : FALSE);
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case Prop::kFont:
      SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
      Place();
      break;
    case Prop::kColor:
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case Prop::kHint:
      ApplyHint();
      break;
    default:
      break;
  }
}

void ControlPeerBase::ApplyHint() {
  if (!hwnd_ || (!has_tip_ && control_->Hint().empty())) return;
  HWND tip = window_.Tooltip();
  if (!tip) return;
  TOOLINFOW info{};
  // The version-5 size works with every common-control library.
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = window_.Hwnd();
  info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  has_tip_ = false;
  if (control_->Hint().empty()) return;
  std::wstring text = Widen(control_->Hint());
  info.lpszText = text.data();
  has_tip_ = SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

COLORREF ControlPeerBase::Background() const {
  for (const Control* c = control_; c; c = c->Parent()) {
    if (c->GetColor() != kDefaultColor) return c->GetColor();
  }
  return window_.Background();
}

COLORREF ControlPeerBase::ContainerBackground() const {
  for (const Control* c = control_->Parent(); c; c = c->Parent()) {
    if (c->GetColor() != kDefaultColor) return c->GetColor();
  }
  return window_.Background();
}

HBRUSH ControlPeerBase::OnCtlColor(HDC dc, UINT /*message*/) {
  COLORREF background = Background();
  SetBkColor(dc, background);
  if (control_->FontColor() != kDefaultColor && control_->Enabled()) {
    SetTextColor(dc, control_->FontColor());
  }
  return GetState().resources.Brush(background);
}

LRESULT ControlPeerBase::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = hwnd_;
  LRESULT result = 0;
  // Whoever asks the control (a repaint, a reader from outside) sees the
  // model's state, held-back changes included.
  if (dirty_ && !GetState().flushing && message != WM_DESTROY && message != WM_NCDESTROY) {
    GetState().FlushOne(this);
  }
  if (control_ && Intercept(message, wparam, lparam, &result)) return result;
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_DRAWITEM:
      // A container forwards its children's notifications.
      if (GetState().RouteFromChild(message, wparam, lparam, &result)) return result;
      break;
    case WM_NCDESTROY:
      Destroyed();
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

namespace {

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

// Push buttons, check boxes, radio buttons and group boxes: all of the
// BUTTON class.
class ButtonPeer : public ControlPeerBase {
 public:
  using ControlPeerBase::ControlPeerBase;

  void OnCommand(int code) override {
    if (code != BN_CLICKED) return;
    switch (control_->GetKind()) {
      case Kind::kButton:
        control_->Click();
        return;
      case Kind::kCheckBox:
        // The box has already toggled itself; the model follows with the
        // same toggle and fires the handler.
        if (Real() != static_cast<CheckBox&>(*control_).Checked()) control_->Click();
        break;
      case Kind::kRadioButton:
        if (Real() && !static_cast<RadioButton&>(*control_).Checked()) control_->Click();
        break;
      default:
        return;
    }
    // A refused click (disabled in the model) puts the tick back.
    if (control_) {
      Guard guard(*this);
      Apply(Prop::kChecked);
    }
  }

  HBRUSH OnCtlColor(HDC dc, UINT message) override {
    if (control_->GetKind() == Kind::kButton && control_->GetColor() == kDefaultColor) {
      return nullptr;
    }
    return ControlPeerBase::OnCtlColor(dc, message);
  }

 protected:
  Creation Describe() const override {
    switch (control_->GetKind()) {
      case Kind::kCheckBox:
        return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0};
      case Kind::kRadioButton:
        return {
            L"BUTTON",
            static_cast<DWORD>(BS_AUTORADIOBUTTON | WS_TABSTOP | (StartsGroup() ? WS_GROUP : 0)),
            0};
      case Kind::kGroupBox:
        return {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN | WS_GROUP, WS_EX_CONTROLPARENT};
      default:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
    }
  }

  void ApplyAll() override {
    ControlPeerBase::ApplyAll();
    Apply(Prop::kChecked);
  }

  void Apply(Prop prop) override {
    ControlPeerBase::Apply(prop);
    if (prop != Prop::kChecked || !hwnd_) return;
    bool checked = false;
    if (control_->GetKind() == Kind::kCheckBox) {
      checked = static_cast<const CheckBox&>(*control_).Checked();
    } else if (control_->GetKind() == Kind::kRadioButton) {
      checked = static_cast<const RadioButton&>(*control_).Checked();
    } else {
      return;
    }
    if (Real() != checked) {
      SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }

  // A group box draws only its frame and caption; the inside is ours to
  // fill, since the window beneath does not paint under its children.
  bool Intercept(UINT message, WPARAM wparam, LPARAM, LRESULT* result) override {
    if (message != WM_ERASEBKGND || control_->GetKind() != Kind::kGroupBox) return false;
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    FillRect(reinterpret_cast<HDC>(wparam), &rc, GetState().resources.Brush(Background()));
    *result = 1;
    return true;
  }

 private:
  bool Real() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  // Radio buttons that follow each other in one container form one
  // group of the dialog manager (arrow keys move within it); the model
  // groups all radios of a container, which always includes such a run.
  bool StartsGroup() const {
    const Control* previous = nullptr;
    for (const Control* c : control_->Owner().Controls()) {
      if (c == control_) break;
      if (c->Parent() == control_->Parent()) previous = c;
    }
    return !previous || previous->GetKind() != Kind::kRadioButton;
  }
};

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

// Brings a list control's lines to the model's, touching only the part
// that changed (programs mostly append line by line).
template <typename Add, typename Remove, typename Reset>
void SyncLines(std::vector<std::string>& shown, const std::vector<std::string>& wanted, Add add,
               Remove remove, Reset reset) {
  size_t common = 0;
  while (common < shown.size() && common < wanted.size() && shown[common] == wanted[common]) {
    ++common;
  }
  if (common == 0 && !shown.empty()) {
    reset();
  } else {
    for (size_t i = shown.size(); i > common; --i) remove(i - 1);
  }
  for (size_t i = common; i < wanted.size(); ++i) add(wanted[i]);
  shown = wanted;
}

class ListBoxPeer : public ControlPeerBase {
 public:
  using ControlPeerBase::ControlPeerBase;

  void OnCommand(int code) override {
    if (Pending()) return;  // the user acted on lines about to change
    auto& list = static_cast<ListBox&>(*control_);
    if (code == LBN_SELCHANGE) {
      if (list.MultiSelect()) {
        SelectionChangedMulti(list);
      } else {
        int current = static_cast<int>(Send(LB_GETCURSEL));
        if (current != list.ItemIndex()) {
          if (current >= 0) {
            list.ClickItem(current);
          } else {
            list.SetItemIndex(-1);
          }
        }
      }
    } else if (code == LBN_DBLCLK) {
      int index = static_cast<int>(Send(list.MultiSelect() ? LB_GETCARETINDEX : LB_GETCURSEL));
      if (index >= 0) list.DoubleClickItem(index);
    }
    if (control_) SyncTopIndex();
  }

 protected:
  Creation Describe() const override {
    DWORD style =
        LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_GROUP;
    if (static_cast<const ListBox&>(*control_).MultiSelect()) style |= LBS_MULTIPLESEL;
    return {L"LISTBOX", style, WS_EX_CLIENTEDGE};
  }

  bool Deferrable(Prop prop) const override { return prop == Prop::kItems; }

  void ApplyAll() override {
    ControlPeerBase::ApplyAll();
    Apply(Prop::kItems);
  }

  void Apply(Prop prop) override {
    ControlPeerBase::Apply(prop);
    if (!hwnd_) return;
    const auto& list = static_cast<const ListBox&>(*control_);
    switch (prop) {
      case Prop::kItems:
        Send(WM_SETREDRAW, FALSE);
        SyncLines(
            shown_, list.Items(),
            [&](const std::string& line) {
              std::wstring w = Widen(line);
              Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
            },
            [&](size_t i) { Send(LB_DELETESTRING, i); }, [&] { Send(LB_RESETCONTENT); });
        Send(WM_SETREDRAW, TRUE);
        Apply(Prop::kSelection);
        Apply(Prop::kTopIndex);
        Apply(Prop::kExtent);
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
      case Prop::kSelection:
        if (list.MultiSelect()) {
          for (int i = 0; i < list.Count(); ++i) {
            bool selected = list.Selected(i);
            if ((Send(LB_GETSEL, i) > 0) != selected) Send(LB_SETSEL, selected, i);
          }
          if (list.ItemIndex() >= 0) Send(LB_SETCARETINDEX, list.ItemIndex(), FALSE);
        } else if (Send(LB_GETCURSEL) != list.ItemIndex()) {
          Send(LB_SETCURSEL, static_cast<WPARAM>(list.ItemIndex()));
        }
        break;
      case Prop::kTopIndex:
        if (list.Count() > 0 && Send(LB_GETTOPINDEX) != list.TopIndex()) {
          Send(LB_SETTOPINDEX, list.TopIndex());
        }
        break;
      case Prop::kExtent:
        Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(std::max(0, list.HorizontalExtent())));
        break;
      default:
        break;
    }
  }

  // Scrolling by the user moves the model's top line too.
  bool Intercept(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override {
    if (message != WM_VSCROLL && message != WM_MOUSEWHEEL && message != WM_KEYDOWN) return false;
    HWND hwnd = hwnd_;
    *result = DefSubclassProc(hwnd, message, wparam, lparam);
    if (control_ && hwnd_) SyncTopIndex();
    return true;
  }

 private:
  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const {
    return SendMessageW(hwnd_, message, wparam, lparam);
  }

  bool Pending() const {
    const auto& dirty = GetState().dirty;
    return std::find(dirty.begin(), dirty.end(), this) != dirty.end();
  }

  // One toggled line is a click on it; several at once (set from
  // outside) are taken over and reported as one click.
  void SelectionChangedMulti(ListBox& list) {
    std::vector<int> changed;
    for (int i = 0; i < list.Count(); ++i) {
      if ((Send(LB_GETSEL, i) > 0) != list.Selected(i)) changed.push_back(i);
    }
    if (changed.size() == 1) {
      list.ClickItem(changed.front());
    } else if (!changed.empty()) {
      int caret = static_cast<int>(Send(LB_GETCARETINDEX));
      for (int i : changed) list.SetSelected(i, !list.Selected(i));
      list.SetItemIndex(caret);
      if (list.OnClick) list.OnClick();
    }
  }

  void SyncTopIndex() {
    auto& list = static_cast<ListBox&>(*control_);
    int top = static_cast<int>(Send(LB_GETTOPINDEX));
    if (top >= 0 && top != list.TopIndex()) {
      Guard guard(*this);
      list.SetTopIndex(top);
    }
  }

  std::vector<std::string> shown_;
};

// Single-line edits and memos.
class EditPeer : public ControlPeerBase {
 public:
  using ControlPeerBase::ControlPeerBase;

  void OnCommand(int code) override {
    if (code != EN_CHANGE) return;
    std::string text = WindowTextOf(hwnd_);
    if (text == control_->Caption()) return;
    if (control_->GetKind() == Kind::kEdit) static_cast<Edit&>(*control_).Type(text);
    // A memo, or an edit the model would not let type (text set from
    // outside): the model takes the text without an event.
    if (control_ && control_->Caption() != text) control_->SetCaption(text);
  }

  HBRUSH OnCtlColor(HDC dc, UINT message) override {
    Color own = control_->GetColor();
    bool read_only = message == WM_CTLCOLORSTATIC && control_->Enabled();
    if (own == kDefaultColor && !read_only && control_->FontColor() == kDefaultColor) {
      return nullptr;
    }
    if (!control_->Enabled()) return nullptr;
    // Read-only text stays on the window colour, like an editable one.
    COLORREF background = own != kDefaultColor ? own : GetSysColor(COLOR_WINDOW);
    SetBkColor(dc, background);
    SetTextColor(dc, TextColor(*control_, COLOR_WINDOWTEXT));
    return GetState().resources.Brush(background);
  }

 protected:
  Creation Describe() const override {
    DWORD style = WS_TABSTOP | WS_GROUP;
    if (control_->GetKind() == Kind::kMemo) {
      const auto& memo = static_cast<const Memo&>(*control_);
      style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
      if (memo.ScrollBars()) style |= WS_VSCROLL;
      if (!memo.WordWrap()) style |= ES_AUTOHSCROLL | (memo.ScrollBars() ? WS_HSCROLL : 0);
      if (memo.ReadOnly()) style |= ES_READONLY;
    } else {
      const auto& edit = static_cast<const Edit&>(*control_);
      style |= ES_AUTOHSCROLL;
      if (edit.Password()) style |= ES_PASSWORD;
      if (edit.ReadOnly()) style |= ES_READONLY;
    }
    if (control_->Alignment() == Align::kCenter) style |= ES_CENTER;
    if (control_->Alignment() == Align::kRight) style |= ES_RIGHT;
    return {L"EDIT", style, WS_EX_CLIENTEDGE};
  }

  // A memo's whole text is set again on every added line; once per flush
  // is enough.
  bool Deferrable(Prop prop) const override {
    return prop == Prop::kCaption && control_->GetKind() == Kind::kMemo;
  }

  void ApplyAll() override {
    ControlPeerBase::ApplyAll();
    // No length limit: logs and file contents can be long.
    SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
  }

  void Apply(Prop prop) override {
    if (prop == Prop::kCaption && hwnd_ && Append()) return;
    ControlPeerBase::Apply(prop);
    if (prop != Prop::kReadOnly || !hwnd_) return;
    bool read_only = control_->GetKind() == Kind::kMemo
                         ? static_cast<const Memo&>(*control_).ReadOnly()
                         : static_cast<const Edit&>(*control_).ReadOnly();
    SendMessageW(hwnd_, EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

 private:
  // Lines added to the end of a memo are appended rather than the whole
  // text set again; like typing, this shows the end of the text.
  bool Append() {
    if (control_->GetKind() != Kind::kMemo) return false;
    std::wstring wanted = Widen(control_->Caption());
    int length = GetWindowTextLengthW(hwnd_);
    auto shown = static_cast<size_t>(std::max(length, 0));
    if (shown == 0 || wanted.size() <= shown) return false;
    std::wstring current(shown + 1, L'\0');
    GetWindowTextW(hwnd_, current.data(), length + 1);
    current.resize(shown);
    if (wanted.compare(0, shown, current) != 0) return false;
    std::wstring tail = wanted.substr(shown);
    SendMessageW(hwnd_, EM_SETSEL, shown, shown);
    SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(tail.c_str()));
    return true;
  }
};

// Combo boxes and the drive list: a drop-down list or a drop-down with an
// edit line.
class ComboPeer : public ControlPeerBase {
 public:
  using ControlPeerBase::ControlPeerBase;

  void OnCommand(int code) override {
    auto& combo = static_cast<ComboBox&>(*control_);
    if (code == CBN_SELCHANGE) {
      int current = static_cast<int>(Send(CB_GETCURSEL));
      if (current >= 0 && current != combo.ItemIndex()) combo.Choose(current);
    } else if (code == CBN_EDITCHANGE && !combo.DropDownList()) {
      std::string text = WindowTextOf(hwnd_);
      if (text == combo.Text()) return;
      combo.SetText(text);
      if (combo.OnChange) combo.OnChange();
    }
  }

  HBRUSH OnCtlColor(HDC dc, UINT message) override {
    if (control_->GetColor() == kDefaultColor) return nullptr;
    return ControlPeerBase::OnCtlColor(dc, message);
  }

 protected:
  Creation Describe() const override {
    bool list = static_cast<const ComboBox&>(*control_).DropDownList();
    DWORD style = (list ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL) | WS_VSCROLL |
                  WS_TABSTOP | WS_GROUP;
    return {L"COMBOBOX", style, 0};
  }

  // The model's height is the closed box; the window also holds the
  // dropped-down list.
  RECT Placement() const override {
    RECT r = ToRect(control_->Bounds());
    r.bottom += kDropHeight;
    return r;
  }

  bool Deferrable(Prop prop) const override { return prop == Prop::kItems; }

  void ApplyAll() override {
    ControlPeerBase::ApplyAll();
    Apply(Prop::kItems);
  }

  void Apply(Prop prop) override {
    const auto& combo = static_cast<const ComboBox&>(*control_);
    // The text of a drop-down list is its selected line.
    if (prop == Prop::kCaption && combo.DropDownList()) return;
    ControlPeerBase::Apply(prop);
    if (!hwnd_) return;
    if (prop == Prop::kItems) {
      SyncLines(
          shown_, combo.Items(),
          [&](const std::string& line) {
            std::wstring w = Widen(line);
            Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
          },
          [&](size_t i) { Send(CB_DELETESTRING, i); }, [&] { Send(CB_RESETCONTENT); });
      Apply(Prop::kSelection);
    } else if (prop == Prop::kSelection) {
      if (Send(CB_GETCURSEL) != combo.ItemIndex()) {
        Send(CB_SETCURSEL, static_cast<WPARAM>(combo.ItemIndex()));
      }
      if (!combo.DropDownList() && WindowTextOf(hwnd_) != combo.Text()) {
        SetWindowTextW(hwnd_, Widen(combo.Text()).c_str());
      }
    }
  }

 private:
  static constexpr int kDropHeight = 160;

  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const {
    return SendMessageW(hwnd_, message, wparam, lparam);
  }

  std::vector<std::string> shown_;
};

class ScrollBarPeer : public ControlPeerBase {
 public:
  using ControlPeerBase::ControlPeerBase;

  void OnScroll(int code) override {
    auto& bar = static_cast<ScrollBar&>(*control_);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd_, SB_CTL, &info);
    int large = std::max(1, (bar.Max() - bar.Min()) / 10);
    int position = bar.Position();
    switch (code) {
      case SB_LINELEFT:
        position -= 1;
        break;
      case SB_LINERIGHT:
        position += 1;
        break;
      case SB_PAGELEFT:
        position -= large;
        break;
      case SB_PAGERIGHT:
        position += large;
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
      case SB_LEFT:
        position = bar.Min();
        break;
      case SB_RIGHT:
        position = bar.Max();
        break;
      default:
        return;
    }
    position = std::clamp(position, bar.Min(), bar.Max());
    if (position != bar.Position()) bar.Scroll(position);
    if (control_) {
      Guard guard(*this);
      Apply(Prop::kPosition);
    }
  }

 protected:
  Creation Describe() const override {
    bool vertical = static_cast<const ScrollBar&>(*control_).Vertical();
    return {L"SCROLLBAR",
            static_cast<DWORD>((vertical ? SBS_VERT : SBS_HORZ) | WS_TABSTOP | WS_GROUP), 0};
  }

  void ApplyAll() override {
    ControlPeerBase::ApplyAll();
    Apply(Prop::kRange);
  }

  void Apply(Prop prop) override {
    ControlPeerBase::Apply(prop);
    if ((prop != Prop::kRange && prop != Prop::kPosition) || !hwnd_) return;
    const auto& bar = static_cast<const ScrollBar&>(*control_);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = bar.Min();
    info.nMax = bar.Max();
    info.nPos = bar.Position();
    SetScrollInfo(hwnd_, SB_CTL, &info, TRUE);
  }
};

// A tab strip; the controls placed on it are its child windows.
class TabPeer : public ControlPeerBase {
 public:
  using ControlPeerBase::ControlPeerBase;

  bool OnNotify(const NMHDR& header, LRESULT* result) override {
    if (header.code != TCN_SELCHANGE) return false;
    auto& tabs = static_cast<TabControl&>(*control_);
    int current = static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0));
    if (current >= 0 && current != tabs.TabIndex()) tabs.ChooseTab(current);
    if (control_) {
      Guard guard(*this);
      Apply(Prop::kSelection);
    }
    *result = 0;
    return true;
  }

 protected:
  Creation Describe() const override {
    return {WC_TABCONTROLW, WS_CLIPCHILDREN | WS_TABSTOP | WS_GROUP, WS_EX_CONTROLPARENT};
  }

  void ApplyAll() override {
    ControlPeerBase::ApplyAll();
    Apply(Prop::kItems);
  }

  void Apply(Prop prop) override {
    ControlPeerBase::Apply(prop);
    if (!hwnd_) return;
    const auto& tabs = static_cast<const TabControl&>(*control_);
    if (prop == Prop::kItems) {
      SendMessageW(hwnd_, TCM_DELETEALLITEMS, 0, 0);
      int index = 0;
      for (const std::string& caption : tabs.Tabs()) {
        std::wstring text = Widen(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(hwnd_, TCM_INSERTITEMW, static_cast<WPARAM>(index++),
                     reinterpret_cast<LPARAM>(&item));
      }
      Apply(Prop::kSelection);
    } else if (prop == Prop::kSelection) {
      if (SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0) != tabs.TabIndex()) {
        SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(tabs.TabIndex()), 0);
      }
    }
  }
};

// A timer: no window of its own, a window timer on its window.
class TimerPeer : public ControlPeerBase {
 public:
  using ControlPeerBase::ControlPeerBase;

  void Realise(HWND /*parent*/, int id) override {
    id_ = id;
    control_->SetPeer(this);
    Restart();
  }

  void Detach() override {
    if (window_.Hwnd()) KillTimer(window_.Hwnd(), static_cast<UINT_PTR>(id_));
    ControlPeerBase::Detach();
  }

  // A tick while the previous tick's handler still runs (it showed a
  // box) is dropped rather than run on top of it.
  void OnTimer() override {
    auto& timer = static_cast<Timer&>(*control_);
    if (running_ || !timer.TimerEnabled()) return;
    running_ = true;
    timer.Fire();
    running_ = false;
  }

 protected:
  Creation Describe() const override { return {L"STATIC", 0, 0}; }

  void Apply(Prop prop) override {
    if (prop == Prop::kTimer) Restart();
  }

 private:
  void Restart() {
    HWND owner = window_.Hwnd();
    if (!owner || !control_) return;
    const auto& timer = static_cast<const Timer&>(*control_);
    auto id = static_cast<UINT_PTR>(id_);
    if (timer.TimerEnabled() && timer.Interval() > 0) {
      SetTimer(owner, id, static_cast<UINT>(timer.Interval()), nullptr);
    } else {
      KillTimer(owner, id);
    }
  }

  bool running_ = false;
};

}  // namespace

std::unique_ptr<ControlPeerBase> MakePeer(WindowPeer& window, Control& control) {
  switch (control.GetKind()) {
    case Kind::kLabel:
      return std::make_unique<LabelPeer>(window, control);
    case Kind::kButton:
    case Kind::kCheckBox:
    case Kind::kRadioButton:
    case Kind::kGroupBox:
      return std::make_unique<ButtonPeer>(window, control);
    case Kind::kPanel:
      return std::make_unique<PanelPeer>(window, control);
    case Kind::kListBox:
      return std::make_unique<ListBoxPeer>(window, control);
    case Kind::kEdit:
    case Kind::kMemo:
      return std::make_unique<EditPeer>(window, control);
    case Kind::kComboBox:
    case Kind::kDriveCombo:
      return std::make_unique<ComboPeer>(window, control);
    case Kind::kScrollBar:
      return std::make_unique<ScrollBarPeer>(window, control);
    case Kind::kTabControl:
      return std::make_unique<TabPeer>(window, control);
    case Kind::kPicture:
      return std::make_unique<PicturePeer>(window, control);
    case Kind::kTimer:
      return std::make_unique<TimerPeer>(window, control);
  }
  return std::make_unique<LabelPeer>(window, control);
}

}  // namespace ui::win32
