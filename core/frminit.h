// The main window, TFrminit ("Frminit"): the statistics lines, the date, the
// buttons of every tool, the fifteen "Cleanup All" ticks and the program's
// start-up and close sequences. It owns the three cleaner modules and the
// kept windows (made by the application's factories) and opens the windows
// of its buttons as its window table says. The windows themselves and the
// links between them live elsewhere.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/modules.h"
#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

class TFrminit;

// How long a window of the main window's table lives: kept for the whole
// run (created hidden at start-up, after the main window, in table order)
// or made for one modal showing, owned by the main window, and released.
enum class Life { kKept, kOneShot };

// One row of the main window's window table: the button that opens the
// window (null for a kept window only others open), the window's name (the
// key of its factory), how long it lives, and whether the statistics lines
// are rewritten once it has closed. A new window is one row here and one
// factory line in the program's top.
struct WindowRow {
  ui::Button TFrminit::*button;
  std::string_view window;
  Life life;
  bool refresh_statistics;
};

struct CleanAllStep;

class TFrminit : public ui::Window {
 public:
  TFrminit(Uglobalvars& g, const WindowFactories& factories);

  // The window table, in the fixed creation order of the kept windows.
  static std::span<const WindowRow> WindowTable();

  // Creates the kept windows of the table, hidden, in their order.
  void CreateKeptWindows();
  // An owned window by name: a cleaner module or a kept window; null when
  // this build has none.
  ui::Window* Owned(std::string_view name) const;

  // Rewrites the eight statistics lines from the modules' survey figures.
  void RefreshStatistics();
  // Fills the kept statistics window from the result slots and shows it
  // modally below the upper part of this window.
  void ShowCleanupReport();
  // Writes the fifteen ticks to the Settings key (created when missing);
  // nothing is written when the key does not open.
  void SaveCleanupTicks();
  // Makes the drive-scan window for one modal showing, over `owner` when
  // given (the first run, and "Scan" of the settings window); nothing when
  // this build has none.
  void ShowDriveScan(ui::Window* owner = nullptr);

  // ---- Controls, in layout order ----

  ui::Picture Image1{*this, "Image1", nullptr, {0, 0, 800, 600}};

  ui::GroupBox GrpStats{
      *this, "GrpStats", nullptr, {8, 6, 589, 130}, "File Statistics For Your System:"};
  ui::Label Label1{*this, "Label1", &GrpStats, StatLine(0)};
  ui::Label Label2{*this, "Label2", &GrpStats, StatLine(1)};
  ui::Label Label3{*this, "Label3", &GrpStats, StatLine(2)};
  ui::Label Label4{*this, "Label4", &GrpStats, StatLine(3)};
  ui::Label Label5{*this, "Label5", &GrpStats, StatLine(4)};
  ui::Label Label6{*this, "Label6", &GrpStats, StatLine(5)};
  ui::Label Label7{*this, "Label7", &GrpStats, StatLine(6)};
  ui::Label Label10{*this, "Label10", &GrpStats, StatLine(7)};

  ui::Label LblToday{*this, "LblToday", nullptr, {503, 144, 94, 13}, "Today's Date:"};
  ui::Label LblDate{*this, "LblDate", nullptr, {503, 159, 94, 13}};

  ui::GroupBox GrpExtra{*this, "GrpExtra", nullptr, {8, 140, 487, 114}, "Extra Cleanups"};
  ui::Button Cmdothers{*this, "Cmdothers", &GrpExtra, ExtraCell(0), "What You View"};
  ui::Button Button4{*this, "Button4", &GrpExtra, ExtraCell(1), "What You Search"};
  ui::Button CmdIMLogs{*this, "CmdIMLogs", &GrpExtra, ExtraCell(2), "Review IM's"};
  ui::Button CmdDups{*this, "CmdDups", &GrpExtra, ExtraCell(3), "Review Dups"};
  ui::Button CmdPicCache{*this, "CmdPicCache", &GrpExtra, ExtraCell(4), "Review Media"};
  ui::Button CmdAutoForm{*this, "CmdAutoForm", &GrpExtra, ExtraCell(5), "Search Engine"};
  ui::Button CmdSpyware{*this, "CmdSpyware", &GrpExtra, ExtraCell(6), "Review Spyware"};
  ui::Button Cmdstartup{*this, "Cmdstartup", &GrpExtra, ExtraCell(7), "Review Startup"};
  ui::Button CmdPerformance{*this, "CmdPerformance", &GrpExtra, ExtraCell(8), "Performance"};
  ui::Button CmdLock{*this, "CmdLock", &GrpExtra, ExtraCell(9), "Locked Files"};
  ui::Button Cmdviewer{*this, "Cmdviewer", &GrpExtra, ExtraCell(10), "Cache Viewer"};
  ui::Button Cmdsettings{*this, "Cmdsettings", &GrpExtra, ExtraCell(11), "Vost Settings"};

  ui::GroupBox GrpHistory{*this, "GrpHistory", nullptr, SmallGroup(0, 0), "History Cleanup"};
  ui::Button btnieh{*this, "btnieh", &GrpHistory, PairButton(0), "Internet Explorer"};
  ui::Button btnnsh{*this, "btnnsh", &GrpHistory, PairButton(1), "FireFox/Net"};
  ui::GroupBox GrpCookie{*this, "GrpCookie", nullptr, SmallGroup(1, 0), "Cookie Cleanup"};
  ui::Button btnieck{*this, "btnieck", &GrpCookie, PairButton(0), "Internet Explorer"};
  ui::Button btnnsck{*this, "btnnsck", &GrpCookie, PairButton(1), "FireFox/Net"};
  ui::GroupBox GrpCache{*this, "GrpCache", nullptr, SmallGroup(2, 0), "Cache Cleanup"};
  ui::Button btniech{*this, "btniech", &GrpCache, PairButton(0), "Internet Explorer"};
  ui::Button btnnsch{*this, "btnnsch", &GrpCache, PairButton(1), "FireFox/Net"};

  ui::GroupBox GrpCleanAll{*this, "GrpCleanAll", nullptr, SmallGroup(0, 1), "Cleanup ALL"};
  ui::Button CmdCleanAll{*this, "CmdCleanAll", &GrpCleanAll, {8, 18, 144, 52}, "Cleanup All !"};
  ui::GroupBox GrpOther{*this, "GrpOther", nullptr, SmallGroup(1, 1), "Other Cleanups"};
  ui::Button cmdurl{*this, "cmdurl", &GrpOther, PairButton(0), "URL History"};
  ui::Button cmdnon{*this, "cmdnon", &GrpOther, PairButton(1), "Junk Files"};
  ui::GroupBox GrpOwn{*this, "GrpOwn", nullptr, SmallGroup(2, 1), "Your Own Cleanups"};
  ui::Button cmddir{*this, "cmddir", &GrpOwn, {8, 18, 143, 52}, "Your Own List"};

  ui::GroupBox GrpCustomize{
      *this, "GrpCustomize", nullptr, {8, 420, 589, 100}, "Customize the \"Cleanup All\" button"};
  ui::CheckBox ChkIECache{*this, "ChkIECache", &GrpCustomize, Tick(0, 0), "IE Cache"};
  ui::CheckBox ChkIECookies{*this, "ChkIECookies", &GrpCustomize, Tick(0, 1), "IE Cookies"};
  ui::CheckBox ChkIEHistory{*this, "ChkIEHistory", &GrpCustomize, Tick(0, 2), "IE History"};
  ui::CheckBox ChkActiveX{*this, "ChkActiveX", &GrpCustomize, Tick(0, 3), "ActiveX"};
  ui::CheckBox ChkMedia{*this, "ChkMedia", &GrpCustomize, Tick(0, 4), "Media Cache"};
  ui::CheckBox ChkNSCache{*this, "ChkNSCache", &GrpCustomize, Tick(1, 0), "FF/N Cache"};
  ui::CheckBox ChkNSCookies{*this, "ChkNSCookies", &GrpCustomize, Tick(1, 1), "FF/N Cookies"};
  ui::CheckBox ChkNSHistory{*this, "ChkNSHistory", &GrpCustomize, Tick(1, 2), "FF/N History"};
  ui::CheckBox ChkOtherj{*this, "ChkOtherj", &GrpCustomize, Tick(1, 3), "Junk Files"};
  ui::CheckBox ChkYourOwn{*this, "ChkYourOwn", &GrpCustomize, Tick(1, 4), "Your Own List"};
  ui::CheckBox ChkTemp{*this, "ChkTemp", &GrpCustomize, Tick(2, 0), "Temp Files"};
  ui::CheckBox ChkRecent{*this, "ChkRecent", &GrpCustomize, Tick(2, 1), "Recent Docs"};
  ui::CheckBox ChkExcess{*this, "ChkExcess", &GrpCustomize, Tick(2, 2), "Dump Files"};
  ui::CheckBox Chkrecycle{*this, "Chkrecycle", &GrpCustomize, Tick(2, 3), "Recycle Bin"};
  ui::CheckBox Chkurls{*this, "Chkurls", &GrpCustomize, Tick(2, 4), "Url History"};

  ui::Button Cmdcontact{*this, "Cmdcontact", nullptr, SideButton(0), "Contact Support"};
  ui::Button Button1{*this, "Button1", nullptr, SideButton(1), "Help"};
  ui::Button cmdabout{*this, "cmdabout", nullptr, SideButton(2), "About"};
  ui::Button Button2{*this, "Button2", nullptr, SideButton(3), "More Software"};
  ui::Button cmdexit{*this, "cmdexit", nullptr, SideButton(4), "Exit"};

  // Automatic cleanup's timer; disabled at start.
  ui::Timer Timer1{*this, "Timer1"};

  // ---- Handlers ----

  // Runs once while the window is created: the start-up sequence.
  void FormCreate();
  // Runs for every way of closing: releases the modules and writes the
  // boot cleanup (the base then stores the size). Waits while busy or while
  // a window is shown modally.
  void FormCloseQuery(bool& can_close);
  // Runs when Windows ends the session (the program gets no close then):
  // the boot cleanup and the size are written as a close would.
  void FormSessionEnd(bool ending);

  void CmdcontactClick();
  void Button1Click();
  void Button2Click();
  void cmdexitClick();
  void CmdSpywareClick();

  // "Vost Settings": the settings window for one showing (its creation
  // stops the automatic cleanup), then the three options stored, the
  // modules' collect-results flags set from Confirms and, when the
  // automatic cleanup was activated, this window minimised and Timer1
  // started.
  void CmdsettingsClick();
  // Automatic cleanup: the routines the automation flags name, in their
  // order, without questions, report or statistics. A tick that falls
  // while an operation runs is skipped.
  void Timer1Timer();

  // "Cleanup All !": every ticked category in its fixed order, then the
  // statistics and, with Confirms, the report.
  void CmdCleanAllClick();

  // The six quick buttons.
  void btniehClick();
  void btnnshClick();
  void btnieckClick();
  void btnnsckClick();
  void btniechClick();
  void btnnschClick();

 private:
  // Layout cells.
  static constexpr ui::Rect StatLine(int i) { return {8, 18 + 13 * i, 573, 13}; }
  static constexpr ui::Rect ExtraCell(int i) {
    return {8 + 119 * (i % 4), 18 + 31 * (i / 4), 115, 25};
  }
  static constexpr ui::Rect SmallGroup(int column, int row) {
    return {8 + 164 * column, 258 + 80 * row, column == 2 ? 159 : 160, 78};
  }
  static constexpr ui::Rect PairButton(int i) { return {8, 18 + 28 * i, 144, 24}; }
  static constexpr ui::Rect Tick(int column, int row) {
    return {10 + 192 * column, 18 + 15 * row, 180, 15};
  }
  static constexpr ui::Rect SideButton(int i) { return {503, 180 + 31 * i, 94, 25}; }

  // Wires a button so that clicks are ignored while an operation is busy,
  // and a close asked for meanwhile runs once the handler has returned.
  void Wire(ui::Button& button, std::function<void()> handler);
  void SetTicksFromSettings();
  // One step of Cleanup All, and the greyed run of a browser category.
  void RunCleanAllStep(const CleanAllStep& step);
  void HighlightedRun(ui::Label& line, const std::function<void()>& routine);
  // The six quick buttons share this: question, cleanup, statistics.
  void QuickCleanup(ui::Button TFrminit::*button);
  void LoadSkin();
  void CreateModules();
  // Shows the window of a table row modally (kept or made for the showing).
  void OpenWindow(const WindowRow& row);
  void ReleaseModules();
  // The lasting part of the close sequence, once per run whatever ends it:
  // the boot cleanup.
  void FinishRun();
  // Writes the batch file from the queued locked-file commands (when there
  // are any) and registers or unregisters it; false when it could not be
  // written (the user has been told, nothing was registered).
  bool WriteBootCleanup();
  void RegisterBootCleanup();

  Uglobalvars& g_;
  const WindowFactories& factories_;
  bool finished_ = false;

 public:
  // ---- Owned windows ----
  // Declared last, so they go before the controls they may refer to.

  // The cleaner modules (empty when not part of this build).
  std::unique_ptr<NonInternetModule> Frmnon;
  std::unique_ptr<BrowserModule> Frmie;
  std::unique_ptr<BrowserModule> Frmnet;

 private:
  // The kept windows of the table, by name, in creation order.
  std::vector<std::pair<std::string_view, std::unique_ptr<ui::Window>>> kept_;
};

}  // namespace core
