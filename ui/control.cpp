#include "ui/control.h"

#include "ui/window.h"

namespace ui {

Control::Control(Window& owner, std::string name, Kind kind, Control* parent, Rect bounds,
                 std::string caption)
    : owner_(owner),
      name_(std::move(name)),
      kind_(kind),
      parent_(parent),
      bounds_(bounds),
      caption_(std::move(caption)) {
  owner_.Register(this);
}

Control::~Control() {
  if (ControlPeer* peer = peer_) {
    peer_ = nullptr;
    peer->Detach();
  }
  owner_.Unregister(this);
}

void Control::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Changed(Prop::kCaption);
}

void Control::SetBounds(Rect bounds) {
  if (bounds == bounds_) return;
  bounds_ = bounds;
  Changed(Prop::kBounds);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed(Prop::kVisible);
}

bool Control::Showing() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Changed(Prop::kEnabled);
}

void Control::SetFont(Font font) {
  if (font == font_) return;
  font_ = std::move(font);
  Changed(Prop::kFont);
}

void Control::SetColor(Color color) {
  if (color == color_) return;
  color_ = color;
  Changed(Prop::kColor);
}

void Control::SetFontColor(Color color) {
  if (color == font_color_) return;
  font_color_ = color;
  Changed(Prop::kColor);
}

void Control::SetHint(std::string hint) {
  if (hint == hint_) return;
  hint_ = std::move(hint);
  Changed(Prop::kHint);
}

void Control::SetAlignment(Align align) {
  if (align == align_) return;
  align_ = align;
  Changed(Prop::kCaption);
}

void Control::Click() {
  if (!enabled_ || !Showing()) return;
  Fire(OnClick);
}

}  // namespace ui
