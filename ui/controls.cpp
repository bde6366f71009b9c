#include "ui/controls.h"

#include <algorithm>
#include <cctype>

#include "ui/window.h"

namespace ui {

namespace {

bool ValidIndex(int index, size_t count) {
  return index >= 0 && static_cast<size_t>(index) < count;
}

// Lines one paragraph takes when broken at blanks to fit `width`; a word
// wider than the width is broken inside, as the label draws it.
int WrappedLines(WindowSystem& system, const Font& font, std::string_view text, int width) {
  int lines = 0;
  size_t start = 0;
  while (true) {
    ++lines;
    std::string_view rest = text.substr(start);
    if (rest.size() <= 1 || system.TextWidth(font, rest) <= width) return lines;
    size_t cut = 0;
    for (size_t blank = rest.find(' '); blank != std::string_view::npos;
         blank = rest.find(' ', blank + 1)) {
      size_t end = rest.find_last_not_of(' ', blank);
      if (end != std::string_view::npos &&
          system.TextWidth(font, rest.substr(0, end + 1)) > width) {
        break;
      }
      cut = blank;
    }
    if (cut == 0) {
      cut = 1;
      while (cut + 1 < rest.size() && system.TextWidth(font, rest.substr(0, cut + 1)) <= width) {
        ++cut;
      }
    }
    size_t next = rest.find_first_not_of(' ', cut);
    if (next == std::string_view::npos) return lines;
    start += next;
  }
}

}  // namespace

int Label::TextHeight() const {
  WindowSystem& system = Owner().System();
  int lines = 0;
  std::string_view text = Caption();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view paragraph = text.substr(start, end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    lines += word_wrap_ ? WrappedLines(system, GetFont(), paragraph, Width()) : 1;
    start = end + 1;
  }
  return lines * system.LineHeight(GetFont());
}

void Button::Click() {
  if (!Enabled() || !Showing()) return;
  Fire(OnClick);
  if (modal_result_ != 0) Owner().SetModalResult(modal_result_);
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed(Prop::kChecked);
}

void CheckBox::Click() {
  if (!Enabled() || !Showing()) return;
  SetChecked(!checked_);
  Fire(OnClick);
}

void RadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed(Prop::kChecked);
  if (!checked) return;
  for (Control* c : Owner().Controls()) {
    if (c != this && c->GetKind() == Kind::kRadioButton && c->Parent() == Parent()) {
      static_cast<RadioButton*>(c)->SetChecked(false);
    }
  }
}

void RadioButton::Click() {
  if (!Enabled() || !Showing()) return;
  SetChecked(true);
  Fire(OnClick);
}

void ListBox::Add(std::string item) {
  items_.push_back(std::move(item));
  selected_.push_back(false);
  Changed(Prop::kItems);
}

void ListBox::Insert(int index, std::string item) {
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, std::move(item));
  selected_.insert(selected_.begin() + index, false);
  if (item_index_ >= index) ++item_index_;
  Changed(Prop::kItems);
}

void ListBox::Delete(int index) {
  if (!ValidIndex(index, items_.size())) return;
  items_.erase(items_.begin() + index);
  selected_.erase(selected_.begin() + index);
  if (item_index_ == index) {
    item_index_ = -1;
  } else if (item_index_ > index) {
    --item_index_;
  }
  Changed(Prop::kItems);
}

void ListBox::Clear() {
  items_.clear();
  selected_.clear();
  item_index_ = -1;
  top_index_ = 0;
  Changed(Prop::kItems);
}

void ListBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  selected_.assign(items_.size(), false);
  item_index_ = -1;
  top_index_ = 0;
  Changed(Prop::kItems);
}

void ListBox::SetItemIndex(int index) {
  if (!ValidIndex(index, items_.size())) index = -1;
  item_index_ = index;
  if (!multi_select_) {
    std::fill(selected_.begin(), selected_.end(), false);
    if (index >= 0) selected_[static_cast<size_t>(index)] = true;
  }
  Changed(Prop::kSelection);
}

bool ListBox::Selected(int index) const {
  return ValidIndex(index, selected_.size()) && selected_[static_cast<size_t>(index)];
}

void ListBox::SetSelected(int index, bool selected) {
  if (!ValidIndex(index, selected_.size())) return;
  if (!multi_select_) {
    SetItemIndex(selected ? index : (item_index_ == index ? -1 : item_index_));
    return;
  }
  selected_[static_cast<size_t>(index)] = selected;
  Changed(Prop::kSelection);
}

int ListBox::SelCount() const {
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

void ListBox::SetTopIndex(int index) {
  top_index_ = std::max(0, std::min(index, Count() - 1));
  Changed(Prop::kTopIndex);
}

void ListBox::SetHorizontalExtent(int extent) {
  if (extent == extent_) return;
  extent_ = extent;
  Changed(Prop::kExtent);
}

void ListBox::FitHorizontalExtent(int margin) {
  WindowSystem& system = Owner().System();
  int widest = 0;
  for (const std::string& line : items_)
    widest = std::max(widest, system.TextWidth(GetFont(), line));
  SetHorizontalExtent(widest + system.SystemMetric(Metric::kFrameWidth) + margin);
}

void ListBox::ClickItem(int index) {
  if (!Enabled() || !Showing() || !ValidIndex(index, items_.size())) return;
  if (multi_select_) {
    selected_[static_cast<size_t>(index)] = !selected_[static_cast<size_t>(index)];
    item_index_ = index;
    Changed(Prop::kSelection);
  } else {
    SetItemIndex(index);
  }
  Fire(OnClick);
}

void ListBox::DoubleClickItem(int index) {
  if (!Enabled() || !Showing() || !ValidIndex(index, items_.size())) return;
  if (!multi_select_) SetItemIndex(index);
  Fire(OnDblClick);
}

void Edit::SetReadOnly(bool read_only) {
  if (read_only == read_only_) return;
  read_only_ = read_only;
  Changed(Prop::kReadOnly);
}

void Edit::Type(std::string text) {
  if (!Enabled() || !Showing() || read_only_) return;
  SetCaption(std::move(text));
  Fire(OnChange);
}

std::vector<std::string> Memo::Lines() const {
  std::vector<std::string> lines;
  const std::string& text = Caption();
  if (text.empty()) return lines;
  size_t start = 0;
  while (true) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  SetCaption(std::move(text));
}

void Memo::AddLine(std::string_view line) {
  std::string text = Caption();
  if (!text.empty()) text += "\r\n";
  text += line;
  SetCaption(std::move(text));
}

void Memo::SetReadOnly(bool read_only) {
  if (read_only == read_only_) return;
  read_only_ = read_only;
  Changed(Prop::kReadOnly);
}

void ComboBox::Add(std::string item) {
  items_.push_back(std::move(item));
  Changed(Prop::kItems);
}

void ComboBox::Clear() {
  items_.clear();
  item_index_ = -1;
  Changed(Prop::kItems);
}

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  item_index_ = -1;
  Changed(Prop::kItems);
}

void ComboBox::SetItemIndex(int index) {
  if (!ValidIndex(index, items_.size())) index = -1;
  item_index_ = index;
  SetCaption(index >= 0 ? items_[static_cast<size_t>(index)] : std::string());
  Changed(Prop::kSelection);
}

void ComboBox::Choose(int index) {
  if (!Enabled() || !Showing() || !ValidIndex(index, items_.size())) return;
  SetItemIndex(index);
  Fire(OnChange);
}

void DriveCombo::SetDrives(const std::vector<platform::DriveInfo>& drives) {
  std::vector<std::string> items;
  letters_.clear();
  for (const auto& d : drives) {
    if (d.root.empty()) continue;
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(d.root[0])));
    letters_.push_back(letter);
    std::string item{letter, ':'};
    if (!d.label.empty()) item += " [" + d.label + "]";
    items.push_back(std::move(item));
  }
  SetItems(std::move(items));
}

char DriveCombo::Drive() const {
  int i = ItemIndex();
  return ValidIndex(i, letters_.size()) ? letters_[static_cast<size_t>(i)] : 0;
}

bool DriveCombo::SetDrive(char letter) {
  letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  auto it = std::find(letters_.begin(), letters_.end(), letter);
  if (it == letters_.end()) return false;
  SetItemIndex(static_cast<int>(it - letters_.begin()));
  return true;
}

void DriveCombo::SelectDriveOf(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':' && SetDrive(path[0])) return;
  if (Count() > 0) SetItemIndex(0);
}

void ScrollBar::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  position_ = std::clamp(position_, min_, max_);
  Changed(Prop::kRange);
}

void ScrollBar::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_) return;
  position_ = position;
  Changed(Prop::kPosition);
}

void ScrollBar::Scroll(int position) {
  if (!Enabled() || !Showing()) return;
  SetPosition(position);
  Fire(OnChange);
}

void TabControl::SetTabs(std::vector<std::string> tabs) {
  tabs_ = std::move(tabs);
  tab_index_ = tabs_.empty() ? -1 : 0;
  Changed(Prop::kItems);
}

void TabControl::SetTabIndex(int index) {
  if (!ValidIndex(index, tabs_.size())) return;
  tab_index_ = index;
  Changed(Prop::kSelection);
}

void TabControl::ChooseTab(int index) {
  if (!Enabled() || !Showing() || !ValidIndex(index, tabs_.size())) return;
  SetTabIndex(index);
  Fire(OnChange);
}

void Picture::SetImage(Image image) {
  image_ = std::move(image);
  Changed(Prop::kPicture);
}

void Timer::SetInterval(int interval_ms) {
  interval_ = interval_ms;
  Owner().System().UpdateTimer(*this);
}

void Timer::SetTimerEnabled(bool enabled) {
  if (enabled == timer_enabled_) return;
  timer_enabled_ = enabled;
  Owner().System().UpdateTimer(*this);
}

}  // namespace ui
