// The performance window, TFrmPerformance ("Your System Performance"):
// shows the memory and swap-file figures of the 32-bit memory status and
// starts the Windows defragmenter. Made for one modal showing by the main
// window's "Performance" button.
#pragma once

#include <cstdint>
#include <string>

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

// available ÷ (total ÷ 100) in whole percent, as the lines show it (the
// truncated divisor can make it a little high); 0 when the total is below
// 100.
uint64_t TruncatedPercent(uint64_t available, uint64_t total);

class TFrmPerformance : public ui::Window {
 public:
  explicit TFrmPerformance(Uglobalvars& g);

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 473, 44}};
  ui::Panel Panel1{*this, "Panel1", nullptr, {8, 58, 473, 62}};
  ui::Label LblRamTotal{*this, "LblRamTotal", &Panel1, {8, 6, 457, 16}};
  ui::Label LblRamAvail{*this, "LblRamAvail", &Panel1, {8, 23, 457, 16}};
  ui::Label LblRamPercent{*this, "LblRamPercent", &Panel1, {8, 40, 457, 16}};
  ui::Panel Panel2{*this, "Panel2", nullptr, {8, 126, 473, 62}};
  ui::Label LblSwapTotal{*this, "LblSwapTotal", &Panel2, {8, 6, 457, 16}};
  ui::Label LblSwapAvail{*this, "LblSwapAvail", &Panel2, {8, 23, 457, 16}};
  ui::Label LblSwapPercent{*this, "LblSwapPercent", &Panel2, {8, 40, 457, 16}};
  ui::Label Label2{*this, "Label2", nullptr, {8, 196, 473, 58}};
  ui::Label Label3{*this, "Label3", nullptr, {8, 258, 473, 72}};
  ui::Button CmdExplain{*this, "CmdExplain", nullptr, {8, 342, 90, 25}, "Explain"};
  ui::Button CmdDefrag{*this, "CmdDefrag", nullptr, {110, 342, 90, 25}, "Defrag"};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {391, 342, 90, 25}, "Return"};

  // ---- Handlers -------------------------------------------------------

  // Runs once when the window is created: the six memory lines.
  void FormCreate();
  void CmdExplainClick();
  void CmdDefragClick();

 private:
  Uglobalvars& g_;
};

}  // namespace core
