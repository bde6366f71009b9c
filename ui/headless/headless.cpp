#include "ui/headless/headless.h"

#include <algorithm>

namespace ui {

namespace {

// What an unscripted box answers: the choice that changes nothing.
ui::Answer SafeAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return Answer::kOk;
    case Buttons::kOkCancel:
    case Buttons::kYesNoCancel:
      return Answer::kCancel;
    case Buttons::kYesNo:
      return Answer::kNo;
  }
  return Answer::kCancel;
}

}  // namespace

std::vector<std::string> HeadlessWindowSystem::BoxTexts() const {
  std::vector<std::string> texts;
  for (const auto& b : boxes_) texts.push_back(b.text);
  return texts;
}

Window* HeadlessWindowSystem::FindWindow(std::string_view name) const {
  for (Window* w : realised_) {
    if (w->Name() == name) return w;
  }
  return nullptr;
}

void HeadlessWindowSystem::Realise(Window& window) {
  realised_.push_back(&window);
  window.SetRealised(true);
}

void HeadlessWindowSystem::Unrealise(Window& window) {
  realised_.erase(std::remove(realised_.begin(), realised_.end(), &window), realised_.end());
  window.SetRealised(false);
}

void HeadlessWindowSystem::ShowWindow(Window&, bool) {}

void HeadlessWindowSystem::RunModal(Window& window) {
  modal_history_.push_back(window.Name());
  auto it = modal_scripts_.find(window.Name());
  if (it != modal_scripts_.end()) {
    auto script = it->second;
    script(window);
  }
  if (window.Visible()) window.Close();
}

void HeadlessWindowSystem::RunMainLoop(Window& main) { RunModal(main); }

void HeadlessWindowSystem::ProcessMessages() {
  ++pumps_;
  if (pump_hook_) {
    auto hook = pump_hook_;
    hook();
  }
}

void HeadlessWindowSystem::Minimise(Window&) {}

int HeadlessWindowSystem::SystemMetric(Metric metric) {
  switch (metric) {
    case Metric::kFrameWidth:
    case Metric::kFrameHeight:
      return 4;
    case Metric::kCaptionHeight:
      return 19;
    case Metric::kVScrollWidth:
      return 17;
    case Metric::kScreenWidth:
      return 1024;
    case Metric::kScreenHeight:
      return 768;
  }
  return 0;
}

int HeadlessWindowSystem::TextWidth(const Font& font, std::string_view text) {
  int per_char = std::max(1, 6 * std::max(font.size, 8) / 8);
  return per_char * static_cast<int>(text.size());
}

int HeadlessWindowSystem::LineHeight(const Font& font) { return 13 * std::max(font.size, 8) / 8; }

ui::Answer HeadlessWindowSystem::MessageBox(BoxKind kind, Buttons buttons, std::string_view text,
                                            std::string_view title) {
  bool scripted = !answers_.empty();
  ui::Answer answer = scripted ? answers_.front() : SafeAnswer(buttons);
  if (scripted) answers_.pop_front();
  boxes_.push_back(ShownBox{kind, buttons, std::string(text),
                            title.empty() ? Title() : std::string(title), answer, scripted});
  return answer;
}

std::optional<std::string> HeadlessWindowSystem::NextInput() {
  if (inputs_.empty()) return std::nullopt;
  auto v = std::move(inputs_.front());
  inputs_.pop_front();
  return v;
}

std::optional<std::string> HeadlessWindowSystem::InputBox(std::string_view, std::string_view,
                                                          std::string_view) {
  return NextInput();
}

std::optional<std::string> HeadlessWindowSystem::BrowseForFolder(std::string_view) {
  return NextInput();
}

std::optional<std::string> HeadlessWindowSystem::OpenFileDialog(std::string_view,
                                                                std::string_view) {
  return NextInput();
}

}  // namespace ui
