// The control peers' common part and the factory. Each control family
// (peers_text.cpp, peers_buttons.cpp, peers_lists.cpp, peers_inputs.cpp)
// says how its control is created, how model state maps to messages and how
// the control's notifications map back to model calls; this file holds what
// every peer does: creation, the subclass procedure, placement, hints and
// held-back changes.

#include <algorithm>

#include "ui/win32/peers.h"

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

RECT RectInParent(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

RECT ToRect(const ui::Rect& r) { return RECT{r.left, r.top, r.left + r.width, r.top + r.height}; }

COLORREF TextColor(const Control& control, int system_color) {
  if (!control.Enabled()) return GetSysColor(COLOR_GRAYTEXT);
  Color c = control.FontColor();
  return c != kDefaultColor ? c : GetSysColor(system_color);
}

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
      return MakeLabelPeer(window, control);
    case Kind::kButton:
    case Kind::kCheckBox:
    case Kind::kRadioButton:
    case Kind::kGroupBox:
      return MakeButtonPeer(window, control);
    case Kind::kPanel:
      return MakePanelPeer(window, control);
    case Kind::kListBox:
      return MakeListBoxPeer(window, control);
    case Kind::kEdit:
    case Kind::kMemo:
      return MakeEditPeer(window, control);
    case Kind::kComboBox:
    case Kind::kDriveCombo:
      return MakeComboPeer(window, control);
    case Kind::kScrollBar:
      return MakeScrollBarPeer(window, control);
    case Kind::kTabControl:
      return MakeTabPeer(window, control);
    case Kind::kPicture:
      return MakePicturePeer(window, control);
    case Kind::kTimer:
      return std::make_unique<TimerPeer>(window, control);
  }
  return MakeLabelPeer(window, control);
}

}  // namespace ui::win32
