#include "core/frmstats.h"

#include <array>
#include <string_view>

#include "core/frmlockedmsg.h"

namespace core {

namespace {

// The result lines, row by row, with the slot each one shows.
struct ReportRow {
  ui::Label TFrmstats::*line;
  Slot slot;
};
constexpr std::array<ReportRow, 12> kReportRows{{
    {&TFrmstats::LblIECache, Slot::kIECache},
    {&TFrmstats::LblIECook, Slot::kIECookies},
    {&TFrmstats::LblIEHist, Slot::kIEHistory},
    {&TFrmstats::LblNSCache, Slot::kNetCache},
    {&TFrmstats::LblNSCook, Slot::kNetCookies},
    {&TFrmstats::LblNSHist, Slot::kNetHistory},
    {&TFrmstats::LblIndex, Slot::kDumpFiles},
    {&TFrmstats::LblTemp, Slot::kTempFiles},
    {&TFrmstats::LblRecent, Slot::kRecentDocs},
    {&TFrmstats::LblRecycle, Slot::kRecycleBin},
    {&TFrmstats::LblActiveX, Slot::kActiveX},
    {&TFrmstats::LblAdditional, Slot::kGarbage},
}};

}  // namespace

TFrmstats::TFrmstats(Uglobalvars& g)
    : ui::Window(g.Windows(), "Frmstats", "Vostrel Statistics", 624, 275), g_(g) {
  SetClientSize(624, 275);
  SetPositionRule(ui::Position::kDesigned);
  PnlStats.SetBevel(true);
  ui::Font bold = LblHeading.GetFont();
  bold.bold = true;
  LblHeading.SetFont(bold);
  for (const ReportRow& row : kReportRows) (this->*row.line).SetWordWrap(true);

  CmdOk.SetModalResult(1);
  CmdOk.OnClick = [this] { CmdOkClick(); };
  CmdLocked.OnClick = [this] { CmdLockedClick(); };
}

void TFrmstats::ShowReport(int left, int top) {
  for (const ReportRow& row : kReportRows) (this->*row.line).SetCaption(g_.Result(row.slot));
  SetPosition(left, top);
  ShowModal();
}

// The in-memory Confirms stays on: the report still shows for the rest of
// this run and stops from the next start. The button's modal result then
// closes the window.
void TFrmstats::CmdOkClick() {
  if (ChkConfirms.Checked() && !g_.WriteSetting("Confirms", false, false)) {
    System().Error(kSettingsNotSaved);
  }
}

void TFrmstats::CmdLockedClick() {
  TFrmlockedMsg notice(g_);
  notice.SetOwnerWindow(this);
  notice.ShowModal();
}

}  // namespace core
