#include "core/frmabout.h"

#include <string>

#include "core/maker.h"

namespace core {

TFrmabout::TFrmabout(Uglobalvars& g) : ui::Window(g.Windows(), "Frmabout", "", 496, 274) {
  SetBorderStyle(ui::BorderStyle::kNone);
  SetClientSize(496, 274);
  SetPositionRule(ui::Position::kScreenCenter);

  LblMaker.SetCaption(std::string(kProductTitle) + " by " + std::string(kMakerName));
  LblVersion.SetCaption("Version " + std::string(kProductVersion) + " ");
  LblRights.SetCaption("Copyright (c) " + std::string(kMakerName) + ". All rights reserved. " +
                       std::string(kMakerWebPage));
  for (ui::Label* l : {&LblMaker, &LblVersion, &LblRights}) l->SetAlignment(ui::Align::kCenter);
  ui::Font bold = LblDisclaimer.GetFont();
  bold.bold = true;
  LblDisclaimer.SetFont(bold);
  for (ui::Label* l : {&LblDisclaimer1, &LblDisclaimer2, &LblDisclaimer3}) l->SetWordWrap(true);
  CmdOk.SetModalResult(1);
}

}  // namespace core
