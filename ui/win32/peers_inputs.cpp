// Edits, memos and scroll bars: controls the user types into or sets.

#include <algorithm>

#include "ui/win32/peers.h"

namespace ui::win32 {

namespace {

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

// Horizontal and vertical scroll bars: the position follows the user's
// arrows, pages and thumb within the model's range.
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

}  // namespace

std::unique_ptr<ControlPeerBase> MakeEditPeer(WindowPeer& window, Control& control) {
  return std::make_unique<EditPeer>(window, control);
}

std::unique_ptr<ControlPeerBase> MakeScrollBarPeer(WindowPeer& window, Control& control) {
  return std::make_unique<ScrollBarPeer>(window, control);
}

}  // namespace ui::win32
