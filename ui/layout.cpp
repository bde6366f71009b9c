#include "ui/layout.h"

#include <algorithm>
#include <climits>

#include "ui/window.h"

namespace ui {

std::string Paragraph(std::span<const std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) {
    if (!text.empty() && text.back() != ' ') text += ' ';
    text += part;
  }
  return text;
}

int StackTexts(std::initializer_list<Label*> texts, std::initializer_list<Control*> below,
               int gap) {
  if (texts.size() == 0) return 0;
  int y = (*texts.begin())->Top();
  for (Label* text : texts) {
    Rect r = text->Bounds();
    r.top = y;
    r.height = text->TextHeight();
    text->SetBounds(r);
    y += r.height;
  }
  int top = INT_MAX;
  for (Control* c : below) top = std::min(top, c->Top());
  const int shift = below.size() == 0 ? 0 : std::max(0, y + gap - top);
  if (shift == 0) return 0;
  int bottom = 0;
  for (Control* c : below) {
    Rect r = c->Bounds();
    r.top += shift;
    c->SetBounds(r);
    bottom = std::max(bottom, r.top + r.height + gap);
  }
  Window& window = (*texts.begin())->Owner();
  if (bottom > window.ClientHeight()) window.SetClientSize(window.ClientWidth(), bottom);
  return shift;
}

}  // namespace ui
