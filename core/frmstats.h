// The statistics window, TFrmstats ("Vostrel Statistics"): the report shown
// after "Cleanup All". It lists the result texts of twelve categories (the
// media cache has no row), lets the user turn the report off from the next
// start on, and opens the locked-file notice. It is kept: created hidden
// at start-up and filled and shown by ShowReport for every report; its
// close box only hides it.
#pragma once

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

class TFrmstats : public ui::Window {
 public:
  explicit TFrmstats(Uglobalvars& g);

  // Sets the twelve result lines from the result slots, places the window
  // at (left, top) and shows it modally.
  void ShowReport(int left, int top);

  // ---- Controls, in layout order ----

  ui::Button CmdLocked{*this, "CmdLocked", nullptr, {592, 4, 24, 20}, "?"};
  ui::Panel PnlStats{*this, "PnlStats", nullptr, {8, 26, 608, 216}};
  ui::Label LblHeading{
      *this, "LblHeading", &PnlStats, {8, 4, 300, 15}, "Your Statistics and Results:"};
  ui::Label Label1{*this, "Label1", &PnlStats, CaptionCell(0), "Internet Explorer CACHE:"};
  ui::Label LblIECache{*this, "LblIECache", &PnlStats, ResultCell(0)};
  ui::Label Label2{*this, "Label2", &PnlStats, CaptionCell(1), "Internet Explorer COOKIES:"};
  ui::Label LblIECook{*this, "LblIECook", &PnlStats, ResultCell(1)};
  ui::Label Label3{*this, "Label3", &PnlStats, CaptionCell(2), "Internet Explorer HISTORY:"};
  ui::Label LblIEHist{*this, "LblIEHist", &PnlStats, ResultCell(2)};
  ui::Label Label4{*this, "Label4", &PnlStats, CaptionCell(3), "Netscape/Firefox CACHE:"};
  ui::Label LblNSCache{*this, "LblNSCache", &PnlStats, ResultCell(3)};
  ui::Label Label5{*this, "Label5", &PnlStats, CaptionCell(4), "Netscape/Firefox COOKIES:"};
  ui::Label LblNSCook{*this, "LblNSCook", &PnlStats, ResultCell(4)};
  ui::Label Label6{*this, "Label6", &PnlStats, CaptionCell(5), "Netscape/Firefox HISTORY:"};
  ui::Label LblNSHist{*this, "LblNSHist", &PnlStats, ResultCell(5)};
  ui::Label Label7{*this, "Label7", &PnlStats, CaptionCell(6), "Dump Files:"};
  ui::Label LblIndex{*this, "LblIndex", &PnlStats, ResultCell(6)};
  ui::Label Label8{*this, "Label8", &PnlStats, CaptionCell(7), "Temp Files:"};
  ui::Label LblTemp{*this, "LblTemp", &PnlStats, ResultCell(7)};
  ui::Label Label9{*this, "Label9", &PnlStats, CaptionCell(8), "Recent Documents List:"};
  ui::Label LblRecent{*this, "LblRecent", &PnlStats, ResultCell(8)};
  ui::Label Label10{*this, "Label10", &PnlStats, CaptionCell(9), "Recycle Bin Files:"};
  ui::Label LblRecycle{*this, "LblRecycle", &PnlStats, ResultCell(9)};
  ui::Label Label11{*this, "Label11", &PnlStats, CaptionCell(10), "ActiveX/Java Applets:"};
  ui::Label LblActiveX{*this, "LblActiveX", &PnlStats, ResultCell(10)};
  ui::Label Label12{*this, "Label12", &PnlStats, CaptionCell(11), "Additional Garbage Data:"};
  ui::Label LblAdditional{*this, "LblAdditional", &PnlStats, ResultCell(11)};
  ui::CheckBox ChkConfirms{*this,
                           "ChkConfirms",
                           nullptr,
                           {8, 250, 400, 17},
                           "Check this box if you don't want this window to show next time"};
  ui::Button CmdOk{*this, "CmdOk", nullptr, {541, 246, 75, 25}, "Ok"};

  // "Ok": stores Confirms = 0 when the box is ticked, then closes.
  void CmdOkClick();
  // The top-right button: the locked-file notice, modally.
  void CmdLockedClick();

 private:
  // Row i's top: 15 pixels a row, with a gap after rows 3 and 6. The
  // result lines take what the captions leave of the panel's width.
  static constexpr int RowTop(int i) { return 22 + 15 * i + (i >= 3 ? 6 : 0) + (i >= 6 ? 6 : 0); }
  static constexpr ui::Rect CaptionCell(int i) { return {6, RowTop(i), 158, 15}; }
  static constexpr ui::Rect ResultCell(int i) { return {166, RowTop(i), 438, 15}; }

  Uglobalvars& g_;
};

}  // namespace core
