#include "core/frmmiscmsg.h"

#include <string_view>

namespace core {

namespace {

constexpr std::string_view kVistaText =
    "You are currently running Windows Vista, which blocks access to your disk. You need to "
    "give access to this program first: To give access, right click the Vostrel icon on your "
    "desktop, and simply choose \"Run as Administrator\".  This will give the software access "
    "to your system so you can do your cleanups.  (This only needs to be done one time, "
    "otherwise the software will not be able to find and remove all the garbage files on your "
    "system.)";

}  // namespace

TFrmMiscMsg::TFrmMiscMsg(Uglobalvars& g)
    : ui::Window(g.Windows(), "FrmMiscMsg", "Vostrel", 452, 146), g_(g) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetClientSize(452, 146);
  SetPositionRule(ui::Position::kScreenCenter);

  ui::Font note = LblNote.GetFont();
  note.bold = true;
  note.underline = true;
  LblNote.SetFont(note);
  LblMessage.SetCaption(std::string(kVistaText));
  LblMessage.SetWordWrap(true);
  CmdOK.SetModalResult(1);

  OnClose = [this] { FormClose(); };
  g_.RememberSize(*this);
}

// Runs however the window closes.
void TFrmMiscMsg::FormClose() {
  if (!ChkDontShow.Checked()) return;
  g_.settings.VistaMsg = false;
  g_.WriteSetting("VistaMsg", false, true);
}

}  // namespace core
