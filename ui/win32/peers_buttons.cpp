// Push buttons, check boxes, radio buttons and group boxes: the controls of
// the BUTTON class.

#include "ui/win32/peers.h"

namespace ui::win32 {

namespace {

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
    if (control_->GetKind() != Kind::kGroupBox) return false;
    auto dc = reinterpret_cast<HDC>(wparam);
    switch (message) {
      case WM_ERASEBKGND: {
        RECT rc{};
        GetClientRect(hwnd_, &rc);
        FillRect(dc, &rc, GetState().resources.Brush(Background()));
        *result = 1;
        return true;
      }
      case WM_PRINTCLIENT:
        // Visual styles draw a check box or push button inside the box over
        // "what lies behind it": the box gets WM_ERASEBKGND (the fill above)
        // and then WM_PRINTCLIENT, clipped to the child, once per child and
        // repaint. Drawing the themed frame and caption there costs as much
        // as drawing the box, and all of it is clipped away when the child
        // sits inside the frame, which it does. So such a request is answered
        // by the fill alone; anything else (a print of the whole box) is
        // drawn as usual. Same on Windows: the same two messages, and the
        // clip box of the child's DC is the child's area in box coordinates.
        if (!WithinInside(dc)) return false;
        *result = 0;
        return true;
      default:
        return false;
    }
  }

 private:
  // True when all that `dc` may draw lies inside the box's frame and below
  // its caption, where a group box draws nothing of its own.
  bool WithinInside(HDC dc) const {
    RECT asked{};
    int kind = GetClipBox(dc, &asked);
    if (kind == ERROR || kind == NULLREGION) return false;
    RECT inside{};
    GetClientRect(hwnd_, &inside);
    // The frame is at most a few pixels wide; the caption's line is as high
    // as the box's font, with a little room for a theme's own font.
    constexpr int kFrame = 3;
    inside.left += kFrame;
    inside.right -= kFrame;
    inside.bottom -= kFrame;
    inside.top += LineHeightOf(FontHandle()) + kFrame;
    RECT both{};
    UnionRect(&both, &inside, &asked);
    return EqualRect(&both, &inside);
  }

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

}  // namespace

std::unique_ptr<ControlPeerBase> MakeButtonPeer(WindowPeer& window, Control& control) {
  return std::make_unique<ButtonPeer>(window, control);
}

}  // namespace ui::win32
