// The automatic cleanup window, TFrmtimerwindow ("Automatic Vostrel"):
// nine ticks naming what the main window's timer cleans and how often (1
// to 500 minutes). Made for one showing by the settings window's "Auto
// Cleanup". "Activate" hands the ticks, the interval and the
// automatic-cleanup flag to the shared module and closes; Cancel and the
// close box change nothing. Starting the timer is left to the main window,
// once the settings window has closed.
#pragma once

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

class TFrmtimerwindow : public ui::Window {
 public:
  explicit TFrmtimerwindow(Uglobalvars& g);

  // ---- Controls, in layout order ----

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 491, 65}};
  ui::GroupBox GrpInternet{
      *this, "GrpInternet", nullptr, {8, 88, 300, 96}, "Select Internet Files"};
  ui::CheckBox ChkIECache{*this, "ChkIECache", &GrpInternet, Tick(0, 0), "IE Cache"};
  ui::CheckBox ChkIECookies{*this, "ChkIECookies", &GrpInternet, Tick(0, 1), "IE Cookies"};
  ui::CheckBox ChkIEHistory{*this, "ChkIEHistory", &GrpInternet, Tick(0, 2), "IE History"};
  ui::CheckBox ChkNetCache{*this, "ChkNetCache", &GrpInternet, Tick(1, 0), "Net/FFox Cache"};
  ui::CheckBox ChkNetCookies{*this, "ChkNetCookies", &GrpInternet, Tick(1, 1), "Net/FFox Cookies"};
  ui::CheckBox ChkNetHistory{*this, "ChkNetHistory", &GrpInternet, Tick(1, 2), "Net/FFox History"};
  ui::GroupBox GrpNonInternet{
      *this, "GrpNonInternet", nullptr, {316, 88, 183, 96}, "Select Non Internet Files"};
  ui::CheckBox ChkOther{*this, "ChkOther", &GrpNonInternet, Tick(0, 0), "Other Garbage Files"};
  ui::CheckBox ChkTemp{*this, "ChkTemp", &GrpNonInternet, Tick(0, 1), "Temp Files"};
  ui::CheckBox ChkStartDocs{*this, "ChkStartDocs", &GrpNonInternet, Tick(0, 2), "Start Docs"};
  ui::GroupBox GrpOften{*this, "GrpOften", nullptr, {8, 196, 491, 60}, "How Often?"};
  ui::Label LblEvery{*this, "LblEvery", &GrpOften, {12, 28, 90, 16}, "Cleanup Every:"};
  ui::ScrollBar ScrMinutes{*this, "ScrMinutes", &GrpOften, {104, 26, 240, 17}, false};
  ui::Label LblMinutes{*this, "LblMinutes", &GrpOften, {352, 28, 34, 16}};
  ui::Label LblUnit{*this, "LblUnit", &GrpOften, {390, 28, 60, 16}, "Minutes"};
  ui::Button CmdActivate{*this, "CmdActivate", nullptr, {316, 280, 88, 25}, "Activate"};
  ui::Button CmdCancel{*this, "CmdCancel", nullptr, {411, 280, 88, 25}, "Cancel"};

  // Runs once when the window is created: every tick on, 30 minutes.
  void FormCreate();
  // The number follows the scroll bar.
  void ScrMinutesChange();
  // Hands the ticks, the interval and the automatic-cleanup flag over,
  // then closes.
  void CmdActivateClick();

 private:
  static constexpr ui::Rect Tick(int column, int row) {
    return {12 + 144 * column, 22 + 24 * row, 136, 19};
  }
  Uglobalvars& g_;
};

}  // namespace core
