#include "core/frmlocked.h"

#include <array>
#include <string_view>

#include "ui/layout.h"

namespace core {

namespace {

constexpr std::array<std::string_view, 4> kExplanation{{
    "This cleanup is done during bootup to remove locked internet files, as sometimes files have "
    "access blocked so they cannot be completely cleaned while the system is running. Locked "
    "files are \"pointers\" to the actual files, and even when the actual files",
    "are removed, you can still view the file list in explorer unless you do this locked file "
    "cleanup. Once you select the option below, the next time you reboot your locked files",
    "will be automatically cleaned up for you. This will remove all traces of your browsing "
    "history and will reclaim lost space. (Note: You may or may not see a black window appear "
    "briefly when you reboot, this can be ignored and does not need to be read, ",
    "as it is simply part of the locked file cleanup.)",
}};

}  // namespace

TFrmLocked::TFrmLocked(Uglobalvars& g)
    : ui::Window(g.Windows(), "Frmlocked", "Cleanup Locked Files!", 480, 200), g_(g) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetPositionRule(ui::Position::kScreenCenter);
  // The parts read as one paragraph.
  Label1.SetWordWrap(true);
  Label1.SetCaption(ui::Paragraph(kExplanation));
  CmdReturn.SetModalResult(1);
  OnClose = [this] { FormClose(); };
  g_.RememberSize(*this);
  // The explanation at the height its lines take, the rest below it.
  ui::StackTexts({&Label1}, {&Panel1, &CmdReturn}, 10);
}

void TFrmLocked::PrepareToShow() {
  RadDoLocked.SetChecked(g_.settings.Lockedj);
  RadDontDoLocked.SetChecked(!g_.settings.Lockedj);
}

void TFrmLocked::FormClose() {
  g_.settings.Lockedj = RadDoLocked.Checked();
  g_.WriteSetting("Lockedj", g_.settings.Lockedj, true);
}

}  // namespace core
