// The window-system service: realising windows on a backend, modal showing,
// the message pump, timers, metrics, and every box and picker the program
// shows. The headless backend scripts the answers and records each box; the
// Win32 backend shows the real thing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"
#include "ui/control.h"

namespace ui {

class Window;
class Timer;

enum class BoxKind { kWarning, kError, kInformation, kConfirmation, kPlain };
enum class Buttons { kOk, kOkCancel, kYesNo, kYesNoCancel };
// Values as MessageBox returns them.
enum class Answer { kNone = 0, kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

enum class Metric {
  kFrameWidth,     // SM_CXFRAME: the sizing border, added to list extents
  kFrameHeight,    // SM_CYFRAME
  kCaptionHeight,  // SM_CYCAPTION
  kVScrollWidth,   // SM_CXVSCROLL
  kScreenWidth,
  kScreenHeight,
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The application title, used as the caption of plain messages.
  void SetTitle(std::string title) { title_ = std::move(title); }
  const std::string& Title() const { return title_; }

  // Creates the on-screen counterpart of a window and its controls (the
  // window stays hidden), and removes it again.
  virtual void Realise(Window& window) = 0;
  virtual void Unrealise(Window& window) = 0;
  virtual void ShowWindow(Window& window, bool visible) = 0;
  // Runs a nested loop while the window is shown modally; returns when the
  // window's modal result is set or it is closed.
  virtual void RunModal(Window& window) = 0;
  // Runs until the main window closes.
  virtual void RunMainLoop(Window& main) = 0;
  // How many modal showings are running now (their loops nest inside each
  // other). Window::ShowModal counts itself in for the time of its loop.
  int ModalDepth() const { return modal_depth_; }
  void EnterModal() { ++modal_depth_; }
  void LeaveModal() { --modal_depth_; }
  // The application's main window as the system knows it (an HWND), for
  // shell calls that show their own windows; 0 when there is none.
  virtual platform::WindowHandle ApplicationWindow() { return 0; }
  // Lets pending messages run (repaint, clicks), then returns.
  virtual void ProcessMessages() = 0;
  virtual void Minimise(Window& window) = 0;
  virtual void UpdateTimer(Timer& timer) = 0;

  virtual int SystemMetric(Metric metric) = 0;
  // Width in pixels of a text in a font.
  virtual int TextWidth(const Font& font, std::string_view text) = 0;
  // Height in pixels of one line of text in a font (a label's line step).
  virtual int LineHeight(const Font& font) = 0;

  // A message box; `title` empty means the application title.
  virtual Answer MessageBox(BoxKind kind, Buttons buttons, std::string_view text,
                            std::string_view title = {}) = 0;
  // Input box: nullopt when cancelled.
  virtual std::optional<std::string> InputBox(std::string_view title, std::string_view prompt,
                                              std::string_view initial) = 0;
  virtual std::optional<std::string> BrowseForFolder(std::string_view title) = 0;
  // `filter` as the dialog takes it: "Text files|*.txt|All files|*.*".
  virtual std::optional<std::string> OpenFileDialog(std::string_view title,
                                                    std::string_view filter) = 0;

  // Short forms for the product's box kinds.
  void ShowMessage(std::string_view text) { MessageBox(BoxKind::kPlain, Buttons::kOk, text); }
  void Warning(std::string_view text) { MessageBox(BoxKind::kWarning, Buttons::kOk, text); }
  void Error(std::string_view text) { MessageBox(BoxKind::kError, Buttons::kOk, text); }
  void Information(std::string_view text) { MessageBox(BoxKind::kInformation, Buttons::kOk, text); }
  bool Confirm(std::string_view text) {
    return MessageBox(BoxKind::kConfirmation, Buttons::kYesNo, text) == Answer::kYes;
  }

 private:
  std::string title_;
  int modal_depth_ = 0;
};

}  // namespace ui
