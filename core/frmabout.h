// The About window, TFrmabout: the maker, the version, the rights line with
// the maker's web address and the disclaimer; "Ok" closes it.
#pragma once

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

class TFrmabout : public ui::Window {
 public:
  explicit TFrmabout(Uglobalvars& g);

  ui::Panel Panel1{*this, "Panel1", nullptr, {8, 8, 480, 84}};
  ui::Label LblMaker{*this, "LblMaker", &Panel1, {12, 10, 456, 16}};
  ui::Label LblVersion{*this, "LblVersion", &Panel1, {12, 32, 456, 16}};
  ui::Label LblRights{*this, "LblRights", &Panel1, {12, 54, 456, 16}};
  ui::Label LblDisclaimer{*this, "LblDisclaimer", nullptr, {8, 102, 100, 16}, "Disclaimer :"};
  ui::Label LblDisclaimer1{*this, "LblDisclaimer1", nullptr, {8, 122, 480, 32}};
  ui::Label LblDisclaimer2{*this, "LblDisclaimer2", nullptr, {8, 156, 480, 32}};
  ui::Label LblDisclaimer3{*this, "LblDisclaimer3", nullptr, {8, 190, 480, 32}};
  ui::Button CmdOk{*this, "CmdOk", nullptr, {210, 238, 75, 25}, "Ok"};
};

}  // namespace core
