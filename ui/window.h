// A top-level window: caption, designed client size, position, its
// controls in layout order, and the form events. Derived classes (one per
// window of the program) hold their controls as members and wire handlers
// in their constructor. The base owns size memory: the stored width and
// height are applied when the window is created and the restored size is
// stored when it closes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/window_system.h"

namespace ui {

// Where a window keeps its size between runs (the program's data file).
class SizeMemory {
 public:
  virtual ~SizeMemory() = default;
  // 0 means "not stored": the window keeps its designed size.
  virtual int ReadWidth(const std::string& section) = 0;
  virtual int ReadHeight(const std::string& section) = 0;
  virtual void Write(const std::string& section, int width, int height) = 0;
};

enum class Position { kDesigned, kScreenCenter, kOwnerCenter };
enum class BorderStyle { kSizeable, kDialog, kSingle, kNone };
enum class WindowState { kNormal, kMinimised };

class Window {
 public:
  Window(WindowSystem& system, std::string name, std::string caption, int client_width,
         int client_height);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  WindowSystem& System() const { return system_; }
  // The window's name, e.g. "Frminit": its size-memory section and the
  // name tests find it by.
  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  // Outer size (frame and caption included), as stored in size memory.
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);
  int Left() const { return left_; }
  int Top() const { return top_; }
  void SetPosition(int left, int top);
  Position GetPositionRule() const { return position_; }
  void SetPositionRule(Position position) { position_ = position; }
  BorderStyle GetBorderStyle() const { return border_; }
  void SetBorderStyle(BorderStyle border) { border_ = border; }
  Color GetColor() const { return color_; }
  void SetColor(Color color) {
    color_ = color;
    Changed(Prop::kColor);
  }
  Window* OwnerWindow() const { return owner_window_; }
  void SetOwnerWindow(Window* owner) { owner_window_ = owner; }

  const std::vector<Control*>& Controls() const { return controls_; }
  Control* Find(std::string_view name) const;

  // Restores the stored size (when non-zero) from `memory` now and stores
  // the restored size there on every close. A window that remembers its
  // size calls it once, itself; openers leave it alone.
  void UseSizeMemory(SizeMemory* memory);
  // Stores the restored size now (closing does it by itself).
  void StoreSize();

  // Runs OnCreate once. The on-screen counterpart is made when the window
  // is first shown: a kept window that is created at start-up and shown
  // later (or never) costs no controls until then, since its state lives
  // in its controls.
  void Create();
  bool Created() const { return created_; }
  void Show();
  void Hide();
  bool Visible() const { return visible_; }
  // Shows the window modally and returns its modal result (2 = cancel when
  // it was closed another way). The window system counts the showing as
  // running (ModalDepth) until its loop has ended.
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modal_result_; }
  // Ends a modal showing with this result (through the close sequence).
  void SetModalResult(int result);
  // The close sequence of every way of closing (close box, Close(), a
  // modal result): OnCloseQuery may refuse; otherwise the size is stored,
  // OnClose runs and the window hides. Returns whether it closed.
  bool Close();
  void Minimise();
  WindowState State() const { return state_; }
  void SetState(WindowState state) { state_ = state; }

  std::function<void()> OnCreate;
  std::function<void()> OnShow;
  std::function<void(bool& can_close)> OnCloseQuery;
  std::function<void()> OnClose;
  std::function<void()> OnResize;
  // The Windows session ends (log-off or shut-down: `ending` true), or an
  // ending announced before was cancelled (false). The program gets no
  // close then; its process just ends.
  std::function<void(bool ending)> OnSessionEnd;
  // Called by the backend when Windows announces or cancels the end.
  void SessionEnding(bool ending) {
    if (OnSessionEnd) OnSessionEnd(ending);
  }

  // Called by controls as they are constructed and destroyed.
  void Register(Control* control);
  void Unregister(Control* control);
  // Set by the backend after it realised the window.
  void SetRealised(bool realised) { realised_ = realised; }
  bool Realised() const { return realised_; }
  // The backend's mirror of the window itself (caption, size, position).
  void SetPeer(ControlPeer* peer) { peer_ = peer; }
  ControlPeer* Peer() const { return peer_; }
  // Set by the backend when the user resized the window.
  void SizeChangedByUser(int width, int height);
  // The size the window has when not minimised.
  int RestoredWidth() const { return restored_width_; }
  int RestoredHeight() const { return restored_height_; }

 private:
  WindowSystem& system_;
  std::string name_;
  std::string caption_;
  int width_ = 0;
  int height_ = 0;
  int restored_width_ = 0;
  int restored_height_ = 0;
  int left_ = 0;
  int top_ = 0;
  Position position_ = Position::kScreenCenter;
  BorderStyle border_ = BorderStyle::kSizeable;
  Color color_ = kDefaultColor;
  Window* owner_window_ = nullptr;
  std::vector<Control*> controls_;
  SizeMemory* size_memory_ = nullptr;
  bool created_ = false;
  bool realised_ = false;
  bool visible_ = false;
  bool modal_ = false;
  int modal_result_ = 0;
  WindowState state_ = WindowState::kNormal;
  ControlPeer* peer_ = nullptr;

  void Changed(Prop prop) {
    if (peer_) peer_->Update(prop);
  }
  int FrameWidth() const;
  int FrameHeight() const;
};

}  // namespace ui
