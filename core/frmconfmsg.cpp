#include "core/frmconfmsg.h"

#include <array>
#include <string>
#include <string_view>

#include "core/frminit.h"
#include "core/frmskins.h"
#include "core/frmtimerwindow.h"
#include "core/modules.h"
#include "ui/layout.h"

namespace core {

namespace {

constexpr std::string_view kIntro =
    "Various settings are listed below. You can select and keep specific cookies (this is "
    "sometimes beneficial when keeping a cookie so you do not have to sign on to a website each "
    "time, etc.), run your cleanups ";
constexpr std::string_view kIntroEnd =
    "automatically in the background, scan and remove old browser entries, and even choose to "
    "make your deleted files unrecoverable (this is beneficial as sometimes people use software "
    "to recover deleted files). You can also turn on/off the results window. ";

}  // namespace

TFrmconfmsg::TFrmconfmsg(Uglobalvars& g, TFrminit& main)
    : ui::Window(g.Windows(), "Frmconfmsg", "Vost Settings", 524, 262), g_(g), main_(main) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetPositionRule(ui::Position::kScreenCenter);
  // The introduction's two parts, as one paragraph.
  Label1.SetWordWrap(true);
  Label1.SetCaption(ui::Paragraph(std::array{kIntro, kIntroEnd}));
  CmdScan.SetHint("Refresh System Scan / Scan for old, uninstalled internet files");
  CmdAuto.SetHint("Run cleanups automatically in the background");
  CmdKeepCookies.SetHint("Keep some cookies so they are not deleted");
  GrpWipe.SetHint("Set cleanups so they can never be recovered after deleting");
  CmdSkins.SetHint("Change the background image");
  GrpConfirm.SetHint("Turn on/off the cleanup results window so it never displays");
  CmdReturn.SetModalResult(1);

  OnCreate = [this] { FormCreate(); };
  CmdScan.OnClick = [this] { CmdScanClick(); };
  CmdAuto.OnClick = [this] { CmdAutoClick(); };
  CmdKeepCookies.OnClick = [this] { CmdKeepCookiesClick(); };
  CmdSkins.OnClick = [this] { CmdSkinsClick(); };
  ui::StackTexts({&Label1},
                 {&GrpScan, &GrpAuto, &GrpCookies, &GrpWipe, &GrpTemp, &GrpBackground, &GrpConfirm,
                  &CmdReturn},
                 8);
}

void TFrmconfmsg::FormCreate() {
  g_.Automation.fill(false);
  g_.AutoCleanup = false;
  main_.Timer1.SetTimerEnabled(false);
  g_.RememberSize(*this);
  const Settings& s = g_.settings;
  (s.Confirms ? Radconfon : Radconfoff).SetChecked(true);
  (s.Wipe ? RadWipeOn : Radwipeoff).SetChecked(true);
  ChkAllTemp.SetChecked(s.Tempall);
}

void TFrmconfmsg::StoreSettings() {
  auto key = g_.OpenSettingsKey(false);
  if (!key) {
    System().Error(kSettingsNotSaved);
    return;
  }
  Settings& s = g_.settings;
  s.Confirms = Radconfon.Checked();
  s.Wipe = RadWipeOn.Checked();
  s.Tempall = ChkAllTemp.Checked();
  key->WriteDword("Confirms", s.Confirms ? 1 : 0);
  key->WriteDword("Wipe", s.Wipe ? 1 : 0);
  key->WriteDword("Tempall", s.Tempall ? 1 : 0);
}

void TFrmconfmsg::CmdScanClick() { main_.ShowDriveScan(this); }

void TFrmconfmsg::CmdAutoClick() {
  TFrmtimerwindow automatic(g_);
  automatic.SetOwnerWindow(this);
  automatic.ShowModal();
}

void TFrmconfmsg::CmdKeepCookiesClick() {
  if (auto* saver = dynamic_cast<CookieSaver*>(main_.Owned(kCookieSaverWindow)))
    saver->OpenKeepList();
}

void TFrmconfmsg::CmdSkinsClick() { TFrmSkins::Choose(g_, *this, main_.Image1); }

}  // namespace core
