// The input box: a small modal window of our own with a prompt, one edit
// line and OK/Cancel. It is built from the window model like any window
// of the program, so the Win32 system realises it with the same code.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/controls.h"
#include "ui/window.h"

namespace ui::win32 {

class InputBoxWindow : public Window {
 public:
  InputBoxWindow(WindowSystem& system, std::string_view title, std::string_view prompt,
                 std::string_view initial);

  // Shows the box modally: the text when OK (or Enter) ended it, nullopt
  // when it was cancelled or closed.
  std::optional<std::string> Run();

  Label LblPrompt;
  Edit EdtValue;
  Button CmdOk;
  Button CmdCancel;
};

}  // namespace ui::win32
