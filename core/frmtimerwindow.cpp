#include "core/frmtimerwindow.h"

#include <array>
#include <string>
#include <string_view>

#include "ui/layout.h"

namespace core {

namespace {

constexpr std::string_view kIntro =
    "Vostrel can be setup to automatically run in the background. Once you activate it, the "
    "cleanups you have selected will be cleaned automatically! Simply select the cleanups you "
    "wish to do automatically, then select how often you want to perform";
constexpr std::string_view kIntroEnd =
    "the cleanups.  The Vostrel windows will all disappear and the cleanups will be activated. "
    "To stop the automatic cleanup, simply close the Vostrel window (which will be by your "
    "taskbar).";

constexpr int kFewestMinutes = 1;
constexpr int kMostMinutes = 500;
constexpr int kDefaultMinutes = 30;

// The ticks in the order of the automation flags (AutoClean).
constexpr std::array<ui::CheckBox TFrmtimerwindow::*, kAutoCleanCount> kTicks{{
    &TFrmtimerwindow::ChkIECache,
    &TFrmtimerwindow::ChkIECookies,
    &TFrmtimerwindow::ChkIEHistory,
    &TFrmtimerwindow::ChkNetCache,
    &TFrmtimerwindow::ChkNetCookies,
    &TFrmtimerwindow::ChkNetHistory,
    &TFrmtimerwindow::ChkOther,
    &TFrmtimerwindow::ChkTemp,
    &TFrmtimerwindow::ChkStartDocs,
}};

}  // namespace

TFrmtimerwindow::TFrmtimerwindow(Uglobalvars& g)
    : ui::Window(g.Windows(), "Frmtimerwindow", "Automatic Vostrel", 507, 329), g_(g) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetPositionRule(ui::Position::kScreenCenter);
  // The explanation's two parts, as one paragraph.
  Label1.SetWordWrap(true);
  Label1.SetCaption(ui::Paragraph(std::array{kIntro, kIntroEnd}));
  ScrMinutes.SetRange(kFewestMinutes, kMostMinutes);
  CmdActivate.SetModalResult(1);
  CmdCancel.SetModalResult(2);

  OnCreate = [this] { FormCreate(); };
  ScrMinutes.OnChange = [this] { ScrMinutesChange(); };
  CmdActivate.OnClick = [this] { CmdActivateClick(); };
  ui::StackTexts({&Label1}, {&GrpInternet, &GrpNonInternet, &GrpOften, &CmdActivate, &CmdCancel},
                 10);
}

void TFrmtimerwindow::FormCreate() {
  g_.RememberSize(*this);
  for (auto tick : kTicks) (this->*tick).SetChecked(true);
  ScrMinutes.SetPosition(kDefaultMinutes);
  ScrMinutesChange();
}

void TFrmtimerwindow::ScrMinutesChange() {
  LblMinutes.SetCaption(std::to_string(ScrMinutes.Position()));
}

void TFrmtimerwindow::CmdActivateClick() {
  for (size_t i = 0; i < kTicks.size(); ++i) g_.Automation[i] = (this->*kTicks[i]).Checked();
  g_.AutoCleanupInterval = ScrMinutes.Position();
  g_.AutoCleanup = true;
}

}  // namespace core
