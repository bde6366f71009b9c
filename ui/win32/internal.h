// Internals of the Win32 realisation of the window model, shared by the
// window system and the control peers and included only inside ui/win32.
//
// Ownership: the window system keeps one WindowPeer per realised window;
// each WindowPeer owns the peers of its controls. A peer mirrors its
// model object onto an HWND (model -> screen in Update) and turns the
// control's notifications back into model calls (screen -> model), so the
// model stays the primary copy of the state.
#pragma once

#include <windows.h>
// windows.h first: the common-control headers need its types.
#include <commctrl.h>
// The model's WindowSystem::MessageBox must keep its name here.
#undef MessageBox

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "ui/controls.h"
#include "ui/window.h"

namespace ui {
class Win32WindowSystem;
}

namespace ui::win32 {

// UTF-8 (the model's strings) <-> UTF-16 (the W functions).
std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);
std::string WindowTextOf(HWND hwnd);

// The height of one line of text in `font` on the screen (0 when there is
// no screen to ask).
int LineHeightOf(HFONT font);

// The automation name: a window property holding the global atom of the
// control's or window's name. RemoveName deletes both again.
inline constexpr wchar_t kNameProp[] = L"VostrelName";
void SetName(HWND hwnd, std::string_view name);
void RemoveName(HWND hwnd);

// GDI objects shared by all windows, created on first use and kept until
// the window system goes away.
class Resources {
 public:
  Resources() = default;
  ~Resources();
  Resources(const Resources&) = delete;
  Resources& operator=(const Resources&) = delete;
  HFONT Font(const ui::Font& font);
  HBRUSH Brush(COLORREF color);

 private:
  std::map<std::tuple<std::string, int, bool, bool, bool>, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
};

// Draws `image` into `target` on `dc`: scaled to the whole rectangle when
// `stretch`, otherwise at its own size from the top-left corner.
class ImageBits {
 public:
  void Set(const ui::Image& image);
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  void Draw(HDC dc, const RECT& target, bool stretch) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> bgr_;  // DIB rows, each padded to 4 bytes
};

class WindowPeer;
struct State;

// Mirrors one control. Derived classes (one per control family) say how
// the control is created and how each piece of state maps to messages.
class ControlPeerBase : public ControlPeer {
 public:
  ControlPeerBase(WindowPeer& window, Control& control);
  ~ControlPeerBase() override;
  ControlPeerBase(const ControlPeerBase&) = delete;
  ControlPeerBase& operator=(const ControlPeerBase&) = delete;

  // Creates the control's HWND inside `parent` and copies all state.
  virtual void Realise(HWND parent, int id);
  void Update(Prop prop) final;
  void Detach() override;
  // Applies the changes that were held back (list contents).
  void Flush();

  Control* Model() const { return control_; }
  HWND Hwnd() const { return hwnd_; }
  int Id() const { return id_; }
  WindowPeer& Window() const { return window_; }
  // True while the peer itself sends state to the control, so that the
  // notifications this causes are not mistaken for user actions.
  bool Updating() const { return updating_ > 0; }

  // Notifications, routed here from the parent window.
  virtual void OnCommand(int /*code*/) {}
  virtual bool OnNotify(const NMHDR& /*header*/, LRESULT* /*result*/) { return false; }
  virtual void OnScroll(int /*code*/) {}
  virtual void OnTimer() {}
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  // WM_CTLCOLOR*: the brush for the control's background, or null for the
  // system's default.
  virtual HBRUSH OnCtlColor(HDC dc, UINT message);

  // The colour behind the control's own drawing: its colour, else its
  // container's (labels, boxes, panels take their container's colour).
  COLORREF Background() const;
  // The colour of what the control sits on.
  COLORREF ContainerBackground() const;
  State& GetState() const;

  // The control's subclass procedure: container forwarding and clean-up.
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  struct Creation {
    const wchar_t* window_class;
    DWORD style;
    DWORD ex_style;
  };
  virtual Creation Describe() const = 0;
  // Copies one piece of state to the HWND.
  virtual void Apply(Prop prop);
  // Props that may be held back until the next flush (costly to apply one
  // change at a time, such as list contents).
  virtual bool Deferrable(Prop /*prop*/) const { return false; }
  // Where the HWND goes inside its parent (a label may be widened to fit).
  virtual RECT Placement() const;
  // All state, once after creation.
  virtual void ApplyAll();
  // Messages to the control itself, before its class sees them; true when
  // handled (`result` is then returned).
  virtual bool Intercept(UINT /*message*/, WPARAM /*wparam*/, LPARAM /*lparam*/,
                         LRESULT* /*result*/) {
    return false;
  }
  void Place();
  // Brings the control to the front of its siblings when one covers it.
  void RaiseIfCovered();
  HFONT FontHandle() const;

  class Guard {
   public:
    explicit Guard(ControlPeerBase& peer) : peer_(peer) { ++peer_.updating_; }
    ~Guard() { --peer_.updating_; }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

   private:
    ControlPeerBase& peer_;
  };

  WindowPeer& window_;
  Control* control_;
  HWND hwnd_ = nullptr;
  int id_ = 0;

 private:
  friend struct State;
  void Destroyed();
  void ApplyHint();
  int updating_ = 0;
  std::vector<Prop> pending_;
  bool dirty_ = false;
  bool has_tip_ = false;
};

std::unique_ptr<ControlPeerBase> MakePeer(WindowPeer& window, Control& control);

// Mirrors one top-level window: caption, size and position; owns the
// peers of its controls and the tooltip window for their hints.
class WindowPeer : public ControlPeer {
 public:
  WindowPeer(State& state, ui::Window& window);
  ~WindowPeer() override;
  WindowPeer(const WindowPeer&) = delete;
  WindowPeer& operator=(const WindowPeer&) = delete;

  void Realise();
  void Update(Prop prop) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  State& GetState() const { return state_; }
  ui::Window& Model() const { return window_; }
  HWND Hwnd() const { return hwnd_; }
  const std::vector<std::unique_ptr<ControlPeerBase>>& Controls() const { return controls_; }
  ControlPeerBase* PeerOf(const Control* control) const;
  // The tooltip window, created on first use.
  HWND Tooltip();
  COLORREF Background() const;
  // Focuses the first control that takes Tab, unless one already has it.
  void FocusFirst();
  // The HWND, from its first message on; forgotten once it is destroyed.
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void Destroyed();

 private:
  void CreateControl(Control& control);
  void OnSize(WPARAM kind);
  void OnMove();
  bool OnCommand(WPARAM wparam, LPARAM lparam);
  ControlPeerBase* ButtonWithResult(int result) const;

  State& state_;
  ui::Window& window_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND saved_focus_ = nullptr;
  std::vector<std::unique_ptr<ControlPeerBase>> controls_;
  std::unordered_map<int, ControlPeerBase*> by_id_;
  std::unordered_map<const Control*, ControlPeerBase*> by_control_;
  int updating_ = 0;
};

// What the window system keeps: the instance, GDI objects, every realised
// window and control by HWND, the changes waiting for a flush and the
// modal showings in progress.
struct State {
  HINSTANCE instance = nullptr;
  Win32WindowSystem* system = nullptr;
  Resources resources;
  std::vector<std::unique_ptr<WindowPeer>> windows;
  std::unordered_map<HWND, ControlPeerBase*> controls;
  std::vector<ControlPeerBase*> dirty;
  // Window peers already unrealised, freed when no procedure runs.
  std::vector<std::unique_ptr<WindowPeer>> graveyard;
  // Nesting of our own window procedures; held-back changes are flushed
  // when it falls back to zero.
  int depth = 0;
  bool flushing = false;

  struct ModalFrame {
    ui::Window* window;
    std::vector<HWND> disabled;
  };
  std::vector<ModalFrame*> modal;
  ui::Window* main = nullptr;

  ControlPeerBase* PeerOf(HWND hwnd) const;
  WindowPeer* PeerOf(const ui::Window& window) const;
  bool IsOurWindow(HWND hwnd) const;
  void MarkDirty(ControlPeerBase* peer);
  void Forget(ControlPeerBase* peer);
  void Flush();
  void FlushOne(ControlPeerBase* peer);
  // Messages a container receives for its children; handled for every
  // control that belongs to us. False: let the default procedure run.
  bool RouteFromChild(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  // One message from a loop: dialog navigation, then dispatch.
  void Dispatch(MSG& msg);
  // Re-enables the windows a modal showing disabled.
  static void Reenable(ModalFrame& frame);
};

// Counts a window procedure call and flushes when the outermost returns.
class CallDepth {
 public:
  explicit CallDepth(State& state) : state_(state) { ++state_.depth; }
  ~CallDepth() {
    if (--state_.depth == 0) state_.Flush();
  }
  CallDepth(const CallDepth&) = delete;
  CallDepth& operator=(const CallDepth&) = delete;

 private:
  State& state_;
};

// "Text files|*.txt|All files|*.*" -> the NUL-separated, double-NUL
// terminated list the file dialogs take; a description without a pattern
// is dropped. Empty when there is no pair.
std::wstring FilterForDialog(std::string_view filter);

inline constexpr wchar_t kWindowClass[] = L"VostrelWindow";
inline constexpr wchar_t kPanelClass[] = L"VostrelPanel";
inline constexpr UINT_PTR kSubclassId = 0x566F;  // "Vo"

}  // namespace ui::win32
