// The Windows Vista notice, TFrmMiscMsg: asks the user to run the program
// as administrator. Closing it in any way with "Don't show me this message
// again" ticked stores VistaMsg = 0 so it is not shown again.
#pragma once

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

class TFrmMiscMsg : public ui::Window {
 public:
  explicit TFrmMiscMsg(Uglobalvars& g);

  ui::Label LblNote{*this, "LblNote", nullptr, {8, 6, 60, 16}, "Note:"};
  ui::Label LblMessage{*this, "LblMessage", nullptr, {8, 24, 436, 82}};
  ui::CheckBox ChkDontShow{
      *this, "ChkDontShow", nullptr, {8, 116, 260, 17}, "Don't show me this message again"};
  ui::Button CmdOK{*this, "CmdOK", nullptr, {369, 112, 75, 25}, "OK"};

  void FormClose();

 private:
  Uglobalvars& g_;
};

}  // namespace core
