// The headless window system for tests: windows and controls keep their
// state and nothing is drawn. Every box is recorded; answers come from a
// queue the test fills, and a test can register what to do while a given
// window is shown modally.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/window.h"
#include "ui/window_system.h"

namespace ui {

struct ShownBox {
  BoxKind kind;
  Buttons buttons;
  std::string text;
  std::string title;
  Answer answer;
  bool scripted;  // false: nobody had queued an answer for it
};

class HeadlessWindowSystem : public WindowSystem {
 public:
  // Queues the answer for the next message box.
  void Answer(ui::Answer answer) { answers_.push_back(answer); }
  // Queues the result of the next input box / picker (nullopt = cancel).
  void AnswerInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
  // Runs `script` while the window named `name` is shown modally. Without a
  // script a modal window closes at once, as if its close box was pressed.
  void WhileModal(const std::string& name, std::function<void(Window&)> script) {
    modal_scripts_[name] = std::move(script);
  }
  // Runs `hook` whenever messages are pumped (ProcessMessages).
  void OnPump(std::function<void()> hook) { pump_hook_ = std::move(hook); }

  const std::vector<ShownBox>& Boxes() const { return boxes_; }
  void ClearBoxes() { boxes_.clear(); }
  // The texts of all boxes shown, in order.
  std::vector<std::string> BoxTexts() const;
  int PumpCount() const { return pumps_; }
  std::vector<std::string> ModalHistory() const { return modal_history_; }
  // Windows currently realised, by name (what a screen would show).
  std::vector<Window*> RealisedWindows() const { return realised_; }
  // The first realised window with this name, or null.
  Window* FindWindow(std::string_view name) const;

  void Realise(Window& window) override;
  void Unrealise(Window& window) override;
  void ShowWindow(Window& window, bool visible) override;
  void RunModal(Window& window) override;
  void RunMainLoop(Window& main) override;
  void ProcessMessages() override;
  void Minimise(Window& window) override;
  void UpdateTimer(Timer&) override {}
  int SystemMetric(Metric metric) override;
  // Fixed-pitch model: 6 pixels a character for fonts up to 8 points,
  // scaled linearly above.
  int TextWidth(const Font& font, std::string_view text) override;
  int LineHeight(const Font& font) override;
  ui::Answer MessageBox(BoxKind kind, Buttons buttons, std::string_view text,
                        std::string_view title) override;
  std::optional<std::string> InputBox(std::string_view title, std::string_view prompt,
                                      std::string_view initial) override;
  std::optional<std::string> BrowseForFolder(std::string_view title) override;
  std::optional<std::string> OpenFileDialog(std::string_view title,
                                            std::string_view filter) override;

 private:
  std::optional<std::string> NextInput();

  std::deque<ui::Answer> answers_;
  std::deque<std::optional<std::string>> inputs_;
  std::map<std::string, std::function<void(Window&)>> modal_scripts_;
  std::function<void()> pump_hook_;
  std::vector<ShownBox> boxes_;
  std::vector<std::string> modal_history_;
  std::vector<Window*> realised_;
  int pumps_ = 0;
};

}  // namespace ui
