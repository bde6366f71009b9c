// The control kinds. Each is plain state with the events the program uses;
// setting state from code never fires the control's events (only a user
// action or its test stand-in such as Click() or Choose() does).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/filesystem.h"
#include "ui/control.h"

namespace ui {

class Label : public Control {
 public:
  Label(Window& owner, std::string name, Control* parent, Rect bounds, std::string caption = {})
      : Control(owner, std::move(name), Kind::kLabel, parent, bounds, std::move(caption)) {}
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool wrap) { word_wrap_ = wrap; }
  // Height in pixels the caption needs at the label's width: its lines
  // (broken at blanks when wrapping, as the label draws them) times the
  // font's line height. Lets a window lay out texts whose length it knows
  // only with the font the machine has.
  int TextHeight() const;

 private:
  bool word_wrap_ = false;
};

class Button : public Control {
 public:
  Button(Window& owner, std::string name, Control* parent, Rect bounds, std::string caption = {})
      : Control(owner, std::move(name), Kind::kButton, parent, bounds, std::move(caption)) {}
  // The modal result a click sets on its window (0: none).
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }
  void Click() override;

 private:
  int modal_result_ = 0;
};

class CheckBox : public Control {
 public:
  CheckBox(Window& owner, std::string name, Control* parent, Rect bounds, std::string caption = {})
      : Control(owner, std::move(name), Kind::kCheckBox, parent, bounds, std::move(caption)) {}
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // A user click toggles the tick, then fires OnClick.
  void Click() override;

 private:
  bool checked_ = false;
};

// Radio buttons with the same parent form one group: checking one clears
// the others.
class RadioButton : public Control {
 public:
  RadioButton(Window& owner, std::string name, Control* parent, Rect bounds,
              std::string caption = {})
      : Control(owner, std::move(name), Kind::kRadioButton, parent, bounds, std::move(caption)) {}
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void Click() override;

 private:
  bool checked_ = false;
};

class GroupBox : public Control {
 public:
  GroupBox(Window& owner, std::string name, Control* parent, Rect bounds, std::string caption = {})
      : Control(owner, std::move(name), Kind::kGroupBox, parent, bounds, std::move(caption)) {}
};

class Panel : public Control {
 public:
  Panel(Window& owner, std::string name, Control* parent, Rect bounds, std::string caption = {})
      : Control(owner, std::move(name), Kind::kPanel, parent, bounds, std::move(caption)) {}
  bool Bevel() const { return bevel_; }
  void SetBevel(bool bevel) { bevel_ = bevel; }

 private:
  bool bevel_ = true;
};

// A list of text lines with a single or multiple selection. Indexes start
// at 0; -1 means no item.
class ListBox : public Control {
 public:
  ListBox(Window& owner, std::string name, Control* parent, Rect bounds, bool multi_select = false)
      : Control(owner, std::move(name), Kind::kListBox, parent, bounds),
        multi_select_(multi_select) {}

  bool MultiSelect() const { return multi_select_; }
  const std::vector<std::string>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const { return items_.at(static_cast<size_t>(index)); }
  void Add(std::string item);
  void Insert(int index, std::string item);
  void Delete(int index);
  void Clear();
  void SetItems(std::vector<std::string> items);

  int ItemIndex() const { return item_index_; }
  void SetItemIndex(int index);
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  int TopIndex() const { return top_index_; }
  void SetTopIndex(int index);
  int HorizontalExtent() const { return extent_; }
  void SetHorizontalExtent(int extent);
  // Sets the horizontal extent to the pixel width of the widest line in the
  // list's font, plus the system's sizing-frame width and `margin`.
  void FitHorizontalExtent(int margin);

  std::function<void()> OnDblClick;
  // As if the user clicked line `index`: selects it (multi-select: toggles
  // it) and fires OnClick.
  void ClickItem(int index);
  void DoubleClickItem(int index);

 private:
  bool multi_select_;
  std::vector<std::string> items_;
  std::vector<bool> selected_;
  int item_index_ = -1;
  int top_index_ = 0;
  int extent_ = 0;
};

class Edit : public Control {
 public:
  Edit(Window& owner, std::string name, Control* parent, Rect bounds, std::string text = {})
      : Control(owner, std::move(name), Kind::kEdit, parent, bounds, std::move(text)) {}
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);
  bool Password() const { return password_; }
  void SetPassword(bool password) { password_ = password; }
  std::function<void()> OnChange;
  // As if the user typed the text.
  void Type(std::string text);

 private:
  bool read_only_ = false;
  bool password_ = false;
};

// A multi-line edit. Its text is its lines joined with CR LF.
class Memo : public Control {
 public:
  Memo(Window& owner, std::string name, Control* parent, Rect bounds)
      : Control(owner, std::move(name), Kind::kMemo, parent, bounds) {}
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  void AddLine(std::string_view line);
  void Clear() { SetCaption({}); }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool wrap) { word_wrap_ = wrap; }
  bool ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(bool scroll_bars) { scroll_bars_ = scroll_bars; }

 private:
  bool read_only_ = false;
  bool word_wrap_ = true;
  bool scroll_bars_ = true;
};

class ComboBox : public Control {
 public:
  // A drop-down list takes only its items; otherwise any text can be typed.
  ComboBox(Window& owner, std::string name, Control* parent, Rect bounds, bool drop_down_list,
           Kind kind = Kind::kComboBox)
      : Control(owner, std::move(name), kind, parent, bounds), drop_down_list_(drop_down_list) {}
  bool DropDownList() const { return drop_down_list_; }
  const std::vector<std::string>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  void Add(std::string item);
  void Clear();
  void SetItems(std::vector<std::string> items);
  int ItemIndex() const { return item_index_; }
  // Selects an item and shows its text (-1 clears the selection).
  void SetItemIndex(int index);
  std::function<void()> OnChange;
  // As if the user picked item `index` from the list.
  void Choose(int index);

 private:
  bool drop_down_list_;
  std::vector<std::string> items_;
  int item_index_ = -1;
};

// The drive list: a drop-down list of the machine's drives, each shown as
// "c: [LABEL]" and known by its letter.
class DriveCombo : public ComboBox {
 public:
  DriveCombo(Window& owner, std::string name, Control* parent, Rect bounds)
      : ComboBox(owner, std::move(name), parent, bounds, true, Kind::kDriveCombo) {}
  void SetDrives(const std::vector<platform::DriveInfo>& drives);
  // The selected drive letter in lower case, or 0 when none.
  char Drive() const;
  // Selects the drive with this letter (any case); false when absent.
  bool SetDrive(char letter);
  // Selects the drive a path ("C:\\...") lies on, or else the first drive.
  void SelectDriveOf(std::string_view path);

 private:
  std::vector<char> letters_;
};

class ScrollBar : public Control {
 public:
  ScrollBar(Window& owner, std::string name, Control* parent, Rect bounds, bool vertical)
      : Control(owner, std::move(name), Kind::kScrollBar, parent, bounds), vertical_(vertical) {}
  bool Vertical() const { return vertical_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Position() const { return position_; }
  void SetPosition(int position);
  std::function<void()> OnChange;
  // As if the user moved the thumb.
  void Scroll(int position);

 private:
  bool vertical_;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

// A tab strip; the pages are the controls whose parent it is, shown or
// hidden by the program in OnChange.
class TabControl : public Control {
 public:
  TabControl(Window& owner, std::string name, Control* parent, Rect bounds)
      : Control(owner, std::move(name), Kind::kTabControl, parent, bounds) {}
  const std::vector<std::string>& Tabs() const { return tabs_; }
  void SetTabs(std::vector<std::string> tabs);
  int TabIndex() const { return tab_index_; }
  void SetTabIndex(int index);
  std::function<void()> OnChange;
  void ChooseTab(int index);

 private:
  std::vector<std::string> tabs_;
  int tab_index_ = -1;
};

// A decoded picture: 24-bit RGB rows, top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  bool Empty() const { return width <= 0 || height <= 0; }
};

class Picture : public Control {
 public:
  Picture(Window& owner, std::string name, Control* parent, Rect bounds)
      : Control(owner, std::move(name), Kind::kPicture, parent, bounds) {}
  const Image& GetImage() const { return image_; }
  void SetImage(Image image);
  void ClearImage() { SetImage({}); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch) { stretch_ = stretch; }

 private:
  Image image_;
  bool stretch_ = false;
};

// A window timer: while enabled it fires OnTimer every `interval` ms on the
// user-interface thread. Tests call Fire().
class Timer : public Control {
 public:
  Timer(Window& owner, std::string name, int interval_ms = 1000)
      : Control(owner, std::move(name), Kind::kTimer, nullptr, {}), interval_(interval_ms) {
    SetVisible(false);
  }
  int Interval() const { return interval_; }
  void SetInterval(int interval_ms);
  bool TimerEnabled() const { return timer_enabled_; }
  void SetTimerEnabled(bool enabled);
  std::function<void()> OnTimer;
  void Fire() { Fire(OnTimer); }

 private:
  using Control::Fire;
  int interval_;
  bool timer_enabled_ = false;
};

}  // namespace ui
