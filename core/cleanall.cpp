// The "Cleanup All !" driver of the main window: runs every ticked category
// in its fixed order, refreshes the statistics and shows the report. It
// deletes nothing itself; the cleaner modules, the URL history and the own
// list do, and report into their result slots.
#include <array>
#include <cmath>
#include <string_view>

#include "core/categories.h"
#include "core/frminit.h"
#include "core/frmstats.h"

namespace core {

enum class CleanAllAction {
  kBrowser,           // highlighted on its line when its count is above 0
  kNonInternet,       // run when its count is 1 or more (the Recycle Bin always)
  kGarbageHighlight,  // the other-garbage line greyed
  kGarbageRestore,    // and back to the group's colour
  kUrlHistory,
  kOwnList,
};

struct CleanAllStep {
  CleanAllAction action;
  ui::CheckBox TFrminit::*tick = nullptr;
  const BrowserCategory* browser = nullptr;
  ui::Label TFrminit::*line = nullptr;
  NonCleanup non = NonCleanup::kRecycleBin;
  Slot slot = Slot::kRecycleBin;
  std::string_view none_found;
};

namespace {

constexpr std::string_view kCleanAllQuestion =
    "You are about to remove all files that you have selected on the \"customize boxes\" below. "
    "This may include all cookie, cache, and history files for Internet Explorer, Netscape, "
    "Firefox, Mozilla, and AOL. Would you like me to remove these files for you?";
constexpr std::string_view kNothingDeleted = "Nothing deleted from your system.";

constexpr CleanAllStep Browser(ui::CheckBox TFrminit::*tick, const BrowserCategory& category,
                               ui::Label TFrminit::*line) {
  return {CleanAllAction::kBrowser, tick, &category, line, NonCleanup::kRecycleBin,
          Slot::kRecycleBin,        {}};
}
constexpr CleanAllStep NonInternet(ui::CheckBox TFrminit::*tick, NonCleanup non, Slot slot,
                                   std::string_view none_found) {
  return {CleanAllAction::kNonInternet, tick, nullptr, nullptr, non, slot, none_found};
}
constexpr CleanAllStep RecycleBin() {
  return NonInternet(&TFrminit::Chkrecycle, NonCleanup::kRecycleBin, Slot::kRecycleBin, {});
}
constexpr CleanAllStep Other(CleanAllAction action, ui::CheckBox TFrminit::*tick = nullptr) {
  return {action, tick, nullptr, nullptr, NonCleanup::kRecycleBin, Slot::kRecycleBin, {}};
}

constexpr std::array<CleanAllStep, 18> kCleanAllSteps{{
    Browser(&TFrminit::ChkNSCookies, kNetCookieCategory, &TFrminit::Label4),
    Browser(&TFrminit::ChkNSHistory, kNetHistoryCategory, &TFrminit::Label6),
    Browser(&TFrminit::ChkNSCache, kNetCacheCategory, &TFrminit::Label5),
    RecycleBin(),
    NonInternet(&TFrminit::ChkExcess, NonCleanup::kDumpFiles, Slot::kDumpFiles,
                "There were no dump files found on your system."),
    NonInternet(&TFrminit::ChkRecent, NonCleanup::kRecentDocs, Slot::kRecentDocs,
                "There were no recent document files found on your system."),
    NonInternet(&TFrminit::ChkTemp, NonCleanup::kTempFiles, Slot::kTempFiles,
                "There were no temp files found on your system."),
    Browser(&TFrminit::ChkIECookies, kIECookieCategory, &TFrminit::Label1),
    Browser(&TFrminit::ChkIEHistory, kIEHistoryCategory, &TFrminit::Label3),
    Browser(&TFrminit::ChkIECache, kIECacheCategory, &TFrminit::Label2),
    Other(CleanAllAction::kGarbageHighlight),
    NonInternet(&TFrminit::ChkActiveX, NonCleanup::kActiveX, Slot::kActiveX,
                "There were no activex or java applets found on your system."),
    NonInternet(&TFrminit::ChkMedia, NonCleanup::kMediaCache, Slot::kMediaCache,
                "There were no media cache files found on your system."),
    NonInternet(&TFrminit::ChkOtherj, NonCleanup::kJunkFiles, Slot::kGarbage,
                "There were no additional garbage files found on your system."),
    RecycleBin(),
    Other(CleanAllAction::kGarbageRestore),
    Other(CleanAllAction::kUrlHistory, &TFrminit::Chkurls),
    Other(CleanAllAction::kOwnList, &TFrminit::ChkYourOwn),
}};

}  // namespace

// "Cleanup All !": asks (whatever Confirms says), then runs the ticked
// categories. The run is busy throughout: the lines' repaints let messages
// run, and a close or click meanwhile must wait for the end.
void TFrminit::CmdCleanAllClick() {
  if (!System().Confirm(kCleanAllQuestion)) {
    System().Information(kNothingDeleted);
    return;
  }
  {
    Uglobalvars::BusyScope busy(g_);
    for (const CleanAllStep& step : kCleanAllSteps) RunCleanAllStep(step);
    RefreshStatistics();
    if (g_.settings.Confirms) ShowCleanupReport();
  }
}

void TFrminit::RunCleanAllStep(const CleanAllStep& step) {
  auto ticked = [this](ui::CheckBox TFrminit::*tick) { return (this->*tick).Checked(); };
  switch (step.action) {
    case CleanAllAction::kBrowser: {
      if (!ticked(step.tick)) return;
      const BrowserCategory& c = *step.browser;
      BrowserModule* module = (this->*c.module).get();
      if (module && (module->*c.figures)().files > 0) {
        HighlightedRun(this->*step.line, [module, &c] { (module->*c.clean)(); });
      } else if (g_.settings.Confirms) {
        g_.SetResult(c.slot, c.none_found);
      }
      return;
    }
    case CleanAllAction::kNonInternet: {
      if (!ticked(step.tick) || !Frmnon) return;
      if (step.non == NonCleanup::kRecycleBin || Frmnon->CleanupCount(step.non) >= 1) {
        Frmnon->Clean(step.non);
      } else if (Frmnon->CollectResults()) {
        g_.SetResult(step.slot, step.none_found);
      }
      return;
    }
    case CleanAllAction::kGarbageHighlight:
      if (ticked(&TFrminit::ChkActiveX) || ticked(&TFrminit::ChkOtherj) ||
          ticked(&TFrminit::Chkrecycle)) {
        Label7.SetColor(kHighlightColor);
        System().ProcessMessages();
      }
      return;
    case CleanAllAction::kGarbageRestore:
      if (ticked(&TFrminit::ChkActiveX) || ticked(&TFrminit::ChkOtherj) ||
          ticked(&TFrminit::Chkrecycle) || ticked(&TFrminit::ChkMedia)) {
        Label7.SetColor(kStatsColor);
        System().ProcessMessages();
      }
      return;
    case CleanAllAction::kUrlHistory:
      if (ticked(step.tick) && factories_.remove_all_urls) factories_.remove_all_urls(g_, *this);
      return;
    case CleanAllAction::kOwnList:
      ui::Window* own_list = Owned("Frmdir");
      if (ticked(step.tick) && own_list && factories_.clean_own_list) {
        factories_.clean_own_list(*own_list);
      }
      return;
  }
}

// Greys the line and lets it paint, runs the routine, then restores it.
void TFrminit::HighlightedRun(ui::Label& line, const std::function<void()>& routine) {
  line.SetColor(kHighlightColor);
  System().ProcessMessages();
  routine();
  line.SetColor(kStatsColor);
  System().ProcessMessages();
}

// The report below the main window's upper part.
void TFrminit::ShowCleanupReport() {
  auto* stats = dynamic_cast<TFrmstats*>(Owned("Frmstats"));
  if (!stats) return;
  stats->ShowReport(Left(), Top() + static_cast<int>(std::lround(Height() / 2.3)));
}

}  // namespace core
