// The locked-file notice, TFrmlockedMsg ("Removing Locked Files"): explains
// why index files can stay behind after a cleanup and where the boot-time
// cleanup is switched on. Text only; "Return" closes it.
#pragma once

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

class TFrmlockedMsg : public ui::Window {
 public:
  explicit TFrmlockedMsg(Uglobalvars& g);

  // The notice's paragraphs, in reading order.
  ui::Label Label1{*this, "Label1", nullptr, Paragraph(0, 2)};
  ui::Label Label2{*this, "Label2", nullptr, Paragraph(2, 2)};
  ui::Label Label3{*this, "Label3", nullptr, Paragraph(4, 2)};
  ui::Label Label4{*this, "Label4", nullptr, Paragraph(6, 3)};
  ui::Label Label5{*this, "Label5", nullptr, Paragraph(9, 3)};
  ui::Label Label6{*this, "Label6", nullptr, Paragraph(12, 3)};
  ui::Label Label7{*this, "Label7", nullptr, Paragraph(15, 2)};
  ui::Label Label8{*this, "Label8", nullptr, Paragraph(17, 2)};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {262, 300, 75, 25}, "Return"};

 private:
  // A paragraph starting at text line `line`, `lines` lines high.
  static constexpr ui::Rect Paragraph(int line, int lines) {
    return {8, 8 + 14 * line + 4 * (line / 2), 584, 14 * lines};
  }
};

}  // namespace core
