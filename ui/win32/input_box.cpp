#include "ui/win32/input_box.h"

#include <algorithm>

namespace ui::win32 {

namespace {

constexpr int kMargin = 8;
constexpr int kMinClientWidth = 300;
constexpr int kPromptHeight = 13;
constexpr int kEditTop = kMargin + kPromptHeight + 6;
constexpr int kEditHeight = 21;
constexpr int kButtonTop = kEditTop + kEditHeight + 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kClientHeight = kButtonTop + kButtonHeight + kMargin;

int ClientWidthFor(WindowSystem& system, std::string_view prompt) {
  return std::max(kMinClientWidth, system.TextWidth(Font{}, prompt) + 2 * kMargin);
}

}  // namespace

InputBoxWindow::InputBoxWindow(WindowSystem& system, std::string_view title,
                               std::string_view prompt, std::string_view initial)
    : Window(system, "InputBox", std::string(title), ClientWidthFor(system, prompt), kClientHeight),
      LblPrompt(*this, "LblPrompt", nullptr,
                {kMargin, kMargin, ClientWidth() - 2 * kMargin, kPromptHeight},
                std::string(prompt)),
      EdtValue(*this, "EdtValue", nullptr,
               {kMargin, kEditTop, ClientWidth() - 2 * kMargin, kEditHeight}, std::string(initial)),
      CmdOk(*this, "CmdOk", nullptr,
            {ClientWidth() - 2 * (kButtonWidth + kMargin), kButtonTop, kButtonWidth, kButtonHeight},
            "OK"),
      CmdCancel(*this, "CmdCancel", nullptr,
                {ClientWidth() - kButtonWidth - kMargin, kButtonTop, kButtonWidth, kButtonHeight},
                "Cancel") {
  SetBorderStyle(BorderStyle::kDialog);
  SetPositionRule(Position::kScreenCenter);
  CmdOk.SetModalResult(1);
  CmdCancel.SetModalResult(2);
}

std::optional<std::string> InputBoxWindow::Run() {
  if (ShowModal() != 1) return std::nullopt;
  return EdtValue.Text();
}

}  // namespace ui::win32
