// The settings window, TFrmconfmsg ("Vost Settings"): confirmation boxes
// and the report on or off, file wiping on or off, the whole temp folder or
// "*.tmp" only, and the ways to the drive scan, the automatic cleanup, the
// cookie saver and the skins. Made for one showing by the main window's
// "Vost Settings" (TFrminit::CmdsettingsClick), which stores the three
// options after it has closed. Its creation stops any automatic cleanup
// set up before: the automation flags are cleared and the main window's
// timer stops.
#pragma once

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

class TFrminit;

class TFrmconfmsg : public ui::Window {
 public:
  TFrmconfmsg(Uglobalvars& g, TFrminit& main);

  // After the window has closed: stores "On" under Confirmation Boxes, "On"
  // under File Wipe and the temp tick as Confirms, Wipe and Tempall, in the
  // Settings key (not created) and in memory. When the key does not open
  // the user is told and memory keeps its values.
  void StoreSettings();

  // ---- Controls, in layout order ----

  ui::Label Label1{*this, "Label1", nullptr, {8, 6, 508, 78}};
  ui::GroupBox GrpScan{*this, "GrpScan", nullptr, Cell(0, 0, 114), "Scan Drive Option"};
  ui::Button CmdScan{*this, "CmdScan", &GrpScan, GroupButton(114), "Scan"};
  ui::GroupBox GrpAuto{*this, "GrpAuto", nullptr, Cell(0, 122, 114), "Automate Vostrel"};
  ui::Button CmdAuto{*this, "CmdAuto", &GrpAuto, GroupButton(114), "Auto Cleanup"};
  ui::GroupBox GrpCookies{*this, "GrpCookies", nullptr, Cell(0, 244, 114), "Cookies to Save"};
  ui::Button CmdKeepCookies{*this, "CmdKeepCookies", &GrpCookies, GroupButton(114), "Keep Cookies"};
  ui::GroupBox GrpWipe{*this, "GrpWipe", nullptr, Cell(0, 366, 142), "File Wipe/No Undelete"};
  ui::RadioButton RadWipeOn{*this, "RadWipeOn", &GrpWipe, {12, 24, 48, 19}, "On"};
  ui::RadioButton Radwipeoff{*this, "Radwipeoff", &GrpWipe, {64, 24, 48, 19}, "Off"};
  ui::GroupBox GrpTemp{*this, "GrpTemp", nullptr, Cell(1, 0, 192), "Temp Files"};
  ui::CheckBox ChkAllTemp{
      *this, "ChkAllTemp", &GrpTemp, {12, 24, 172, 19}, "Load Entire Temp Folder"};
  ui::GroupBox GrpBackground{*this, "GrpBackground", nullptr, Cell(1, 200, 112), "Background"};
  ui::Button CmdSkins{*this, "CmdSkins", &GrpBackground, GroupButton(112), "Skins"};
  ui::GroupBox GrpConfirm{*this, "GrpConfirm", nullptr, Cell(1, 320, 121), "Confirmation Boxes"};
  ui::RadioButton Radconfon{*this, "Radconfon", &GrpConfirm, {12, 24, 48, 19}, "On"};
  ui::RadioButton Radconfoff{*this, "Radconfoff", &GrpConfirm, {64, 24, 48, 19}, "Off"};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {457, 184, 59, 25}, "Return"};

  // Runs once when the window is created: stops the automatic cleanup and
  // sets the controls from the settings in memory.
  void FormCreate();
  // "Scan": the drive-scan window, for a fresh scan.
  void CmdScanClick();
  // "Auto Cleanup": the automatic cleanup window.
  void CmdAutoClick();
  // "Keep Cookies": the cookie saver, filled first; nothing when this
  // build has none.
  void CmdKeepCookiesClick();
  // "Skins": the skins window; the main window's picture follows.
  void CmdSkinsClick();

 private:
  static constexpr int kRowHeight = 56;
  static constexpr int kRowGap = 12;
  // A group of row 0 or 1 at `left`, `width` wide (moved down when the texts need more room).
  static constexpr ui::Rect Cell(int row, int left, int width) {
    return {8 + left, 100 + (kRowHeight + kRowGap) * row, width, kRowHeight};
  }
  static constexpr ui::Rect GroupButton(int group_width) { return {10, 21, group_width - 20, 25}; }
  Uglobalvars& g_;
  TFrminit& main_;
};

}  // namespace core
