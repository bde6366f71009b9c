// The real window system: every ui::Window becomes a top-level window and
// every control a real Win32 control (static, button, list box, edit, combo
// box, scroll bar, tab control ...). State flows both ways: model changes
// are copied to the HWNDs, user actions update the model and fire its
// events. Modal showing runs a nested message loop, message boxes and
// pickers are the system's own dialogs.
//
// For outside automation every realised HWND carries the window property
// "VostrelName": the global atom of the control's member name (or the
// window's name). Controls keep their captions as window text and answer
// the standard state messages (BM_GETCHECK, LB_GETSEL, CB_GETCURSEL ...).
//
// The header is free of Win32 types so the start-up code is its only
// user that needs <windows.h>.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/window_system.h"

namespace ui {

namespace win32 {
struct State;
}

class Win32WindowSystem : public WindowSystem {
 public:
  // `hinstance` is the module's HINSTANCE, as WinMain receives it.
  explicit Win32WindowSystem(void* hinstance);
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  void Realise(Window& window) override;
  void Unrealise(Window& window) override;
  void ShowWindow(Window& window, bool visible) override;
  void RunModal(Window& window) override;
  void RunMainLoop(Window& main) override;
  platform::WindowHandle ApplicationWindow() override;
  void ProcessMessages() override;
  void Minimise(Window& window) override;
  void UpdateTimer(Timer& timer) override;

  int SystemMetric(Metric metric) override;
  int TextWidth(const Font& font, std::string_view text) override;
  int LineHeight(const Font& font) override;

  Answer MessageBox(BoxKind kind, Buttons buttons, std::string_view text,
                    std::string_view title) override;
  std::optional<std::string> InputBox(std::string_view title, std::string_view prompt,
                                      std::string_view initial) override;
  std::optional<std::string> BrowseForFolder(std::string_view title) override;
  std::optional<std::string> OpenFileDialog(std::string_view title,
                                            std::string_view filter) override;

 private:
  // The window the next box belongs to: the active one of ours, or none.
  void* BoxOwner() const;

  std::unique_ptr<win32::State> state_;
  bool com_initialised_ = false;
};

}  // namespace ui
