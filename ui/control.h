// The base of every control: plain state (caption, geometry, visibility,
// enabled, font, colours, hint) plus its click event. A control belongs to
// one window and is created as a member of it, in layout order; its name is
// its member name. When the window is realised on screen a peer mirrors the
// state; without a peer (headless) the state is all there is.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ui {

class Window;

enum class Kind {
  kLabel,
  kButton,
  kCheckBox,
  kRadioButton,
  kGroupBox,
  kPanel,
  kListBox,
  kEdit,
  kMemo,
  kComboBox,
  kDriveCombo,
  kScrollBar,
  kTabControl,
  kPicture,
  kTimer,
};

// Which piece of state changed, so a peer updates only that.
enum class Prop {
  kCaption,
  kBounds,
  kVisible,
  kEnabled,
  kFont,
  kColor,
  kHint,
  kChecked,
  kItems,
  kSelection,
  kTopIndex,
  kExtent,
  kRange,
  kPosition,
  kReadOnly,
  kPicture,
  kTimer,
};

// Colours as Windows' COLORREF (0x00BBGGRR); kDefaultColor leaves the
// system colour.
using Color = uint32_t;
inline constexpr Color kDefaultColor = 0xFFFFFFFF;
constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

struct Font {
  std::string name = "MS Sans Serif";
  int size = 8;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const Font&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// Mirrors a control's state on screen. The backend installs one per
// realised control and removes it before the control goes away.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void Update(Prop prop) = 0;
  // The control is being destroyed: the peer must not touch it again.
  virtual void Detach() {}
};

enum class Align { kLeft, kCenter, kRight };

class Control {
 public:
  // `parent` is the container (group box, panel, tab control) the control
  // sits in, or null for the window's client area; `bounds` are relative to
  // the parent's client area.
  Control(Window& owner, std::string name, Kind kind, Control* parent, Rect bounds,
          std::string caption = {});
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  Kind GetKind() const { return kind_; }
  Window& Owner() const { return owner_; }
  Control* Parent() const { return parent_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // Edits and combo boxes keep their text in the caption.
  const std::string& Text() const { return caption_; }
  void SetText(std::string text) { SetCaption(std::move(text)); }

  const Rect& Bounds() const { return bounds_; }
  void SetBounds(Rect bounds);
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Visible itself and every container up to the window.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  const Font& GetFont() const { return font_; }
  void SetFont(Font font);
  Color GetColor() const { return color_; }
  void SetColor(Color color);
  Color FontColor() const { return font_color_; }
  void SetFontColor(Color color);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  Align Alignment() const { return align_; }
  void SetAlignment(Align align);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }

  // Runs when the user clicks the control (or a test calls Click()).
  std::function<void()> OnClick;
  // As if the user clicked: does nothing when the control or its window
  // cannot take input (disabled or hidden), like a real click.
  virtual void Click();

  void SetPeer(ControlPeer* peer) { peer_ = peer; }
  ControlPeer* Peer() const { return peer_; }

 protected:
  void Changed(Prop prop) {
    if (peer_) peer_->Update(prop);
  }
  void Fire(const std::function<void()>& handler) {
    if (handler) handler();
  }

 private:
  Window& owner_;
  std::string name_;
  Kind kind_;
  Control* parent_;
  Rect bounds_;
  std::string caption_;
  bool visible_ = true;
  bool enabled_ = true;
  Font font_;
  Color color_ = kDefaultColor;
  Color font_color_ = kDefaultColor;
  std::string hint_;
  Align align_ = Align::kLeft;
  bool transparent_ = false;
  ControlPeer* peer_ = nullptr;
};

}  // namespace ui
