// The demonstration window: one control of every kind the window model
// has, wired to small handlers, so that a backend can be looked at and
// driven from outside. Portable: it runs headless in tests and as real
// controls in vostdemo.exe.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/filesystem.h"
#include "ui/controls.h"
#include "ui/window.h"

class TFrmdemo : public ui::Window {
 public:
  TFrmdemo(ui::WindowSystem& system, std::vector<platform::DriveInfo> drives);

  ui::Picture ImgBanner;
  ui::Label LblTitle;
  ui::Label LblClock;
  ui::GroupBox GrpLevel;
  ui::RadioButton RadLight;
  ui::RadioButton RadNormal;
  ui::RadioButton RadThorough;
  ui::CheckBox ChkWipe;
  ui::Panel PnlGreeting;
  ui::Label LblFiles;
  ui::ListBox ListFiles;
  ui::Label LblName;
  ui::Edit EdtName;
  ui::Label LblMode;
  ui::ComboBox CboMode;
  ui::Label LblDrive;
  ui::DriveCombo CboDrive;
  ui::ScrollBar ScrLevel;
  ui::Label LblLevel;
  ui::TabControl TabPages;
  ui::Panel PnlGeneral;
  ui::Label LblGeneral;
  ui::CheckBox ChkHints;
  ui::Panel PnlDetails;
  ui::Label LblDetails;
  ui::Label LblFixed;
  ui::Memo MemoLog;
  ui::Button CmdAsk;
  ui::Label LblAnswer;
  ui::Button CmdClose;
  ui::Timer Timer1;

  // Seconds the timer has counted since the window was created.
  int Seconds() const { return seconds_; }

 private:
  void FormCreate();
  void CmdAskClick();
  void CmdCloseClick();
  void ChkWipeClick();
  void LevelClick();
  void ListFilesClick();
  void ListFilesDblClick();
  void EdtNameChange();
  void CboModeChange();
  void CboDriveChange();
  void ScrLevelChange();
  void TabPagesChange();
  void ChkHintsClick();
  void ShowHints(bool on);
  void Timer1Timer();
  void Log(std::string_view line);

  std::vector<platform::DriveInfo> drives_;
  int seconds_ = 0;
};

// A left-to-right colour gradient, the banner's picture.
ui::Image MakeGradient(int width, int height);
