// List boxes, combo boxes and tab strips: controls that show lines and a
// selection, kept in step with the model's lines without rebuilding them.

#include <algorithm>

#include "ui/win32/peers.h"

namespace ui::win32 {

namespace {

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

}  // namespace

std::unique_ptr<ControlPeerBase> MakeListBoxPeer(WindowPeer& window, Control& control) {
  return std::make_unique<ListBoxPeer>(window, control);
}

std::unique_ptr<ControlPeerBase> MakeComboPeer(WindowPeer& window, Control& control) {
  return std::make_unique<ComboPeer>(window, control);
}

std::unique_ptr<ControlPeerBase> MakeTabPeer(WindowPeer& window, Control& control) {
  return std::make_unique<TabPeer>(window, control);
}

}  // namespace ui::win32
