// The non-internet window ("Junk Files"): finds and removes junk that is not
// browser data: downloaded ActiveX controls and Java applets, memory dump
// files, the temp folders, the start-menu document links, the Recycle Bin,
// media-player cache files and additional garbage (AOL organize caches and
// disk-check fragments).
//
// The window is kept: created hidden once at start-up, when its creation
// runs the survey, the counting pass that fills the figures of every
// category. Its seven cleanup routines delete what the survey found and are
// called from its own buttons, from the Cleanup All driver and from the
// automatic-cleanup timer; each leaves a result text in its shared slot.
// The figures are 64-bit (a file of 2 GB or more must not make them
// negative). Its collect-results flag (CleanerModule) is set by the main
// window from Confirms. It does not know the AOL window: the main window plugs that
// in through OnAolCleanup and OnAolDeleteTracks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/modules.h"
#include "core/uglobalvars.h"
#include "desktop/nonscan.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace desktop {

// The survey categories, in the order of the summary lines. The recycled
// folder has no line of its own but counts into the totals.
enum class NonCategory { kActiveX, kDump, kTemp, kRecent, kRecycled, kGarbage, kMedia };
inline constexpr int kNonCategoryCount = 7;

struct NonFigures {
  int64_t count = 0;
  int64_t bytes = 0;
};

class TFrmnon : public core::NonInternetModule {
 public:
  explicit TFrmnon(core::Uglobalvars& g);

  // ---- What other windows use -----------------------------------------

  // The survey figures of one category, as the summary and Cleanup All
  // read them.
  const NonFigures& Figures(NonCategory c) const { return figures_[Index(c)]; }
  int64_t Count(NonCategory c) const { return Figures(c).count; }
  int64_t Bytes(NonCategory c) const { return Figures(c).bytes; }
  // Sums over the seven categories: the main window's "Other GARBAGE DATA"
  // line and its grand total.
  int64_t TotalFiles() const;
  int64_t TotalBytes() const;
  core::SurveyFigures OtherGarbageFigures() const override { return {TotalFiles(), TotalBytes()}; }

  // The cleanup routines (no arguments, no result, never fail loudly).
  void CleanActiveX();
  void CleanDumpFiles();
  void CleanTempFiles();
  void CleanRecentDocs();
  void EmptyRecycleBin();
  void CleanMediaCache();
  void CleanJunkFiles();

  // Recomputes the totals and rewrites the eight summary lines.
  void ShowSummary();

  // The AOL row: its "Cleanup" opens the AOL cleanups window modally, and
  // "Cleanup All !" ends with that window's "Delete These Tracks" action.
  // Unset: the row does nothing.
  std::function<void()> OnAolCleanup;
  std::function<void()> OnAolDeleteTracks;

  // The remembered locations of the survey (read by tests and the AOL
  // window's neighbours).
  const std::string& TempFolder() const { return temp_folder_; }
  const std::string& ProgramDrive() const { return program_drive_; }
  const std::string& RecentPattern() const { return recent_pattern_; }
  const std::string& ActiveXFolder() const { return activex_folder_; }
  const std::string& AolCache1() const { return aol_cache1_; }
  const std::string& AolCache2() const { return aol_cache2_; }
  bool RecycleFlag() const { return recycle_flag_; }
  const NonScanner& Scanner() const { return scan_; }

  // ---- Controls, in layout order --------------------------------------

  ui::Panel PnlSummary{*this, "PnlSummary", nullptr, {8, 8, 624, 148}};
  ui::Label Lblactivex{*this, "Lblactivex", &PnlSummary, {8, 6, 608, 16}};
  ui::Label Lbldump{*this, "Lbldump", &PnlSummary, {8, 23, 608, 16}};
  ui::Label Lbltemp{*this, "Lbltemp", &PnlSummary, {8, 40, 608, 16}};
  ui::Label Lblstart{*this, "Lblstart", &PnlSummary, {8, 57, 608, 16}};
  ui::Label Lblrecycle{*this, "Lblrecycle", &PnlSummary, {8, 74, 608, 16}};
  ui::Label Lblother{*this, "Lblother", &PnlSummary, {8, 91, 608, 16}};
  ui::Label Lblmedia{*this, "Lblmedia", &PnlSummary, {8, 108, 608, 16}};
  ui::Label Lbltotal{*this, "Lbltotal", &PnlSummary, {8, 125, 608, 16}};

  // Each row's label sits 6 pixels below its buttons' top, so that its text
  // lines up with the buttons' captions.
  ui::Panel PnlCategories{*this, "PnlCategories", nullptr, {8, 164, 624, 280}};
  ui::Label LblActivexRow{
      *this, "LblActivexRow", &PnlCategories, {12, 12, 260, 17}, "ActiveX and Java Applets:"};
  ui::Button CmdActivex{*this, "CmdActivex", &PnlCategories, {300, 6, 90, 25}, "Cleanup"};
  ui::Button CmdActivexHelp{*this, "CmdActivexHelp", &PnlCategories, {400, 6, 60, 25}, "Help"};
  ui::Label LblDumpRow{*this, "LblDumpRow", &PnlCategories, {12, 42, 260, 17}, "Dump Files:"};
  ui::Button cmdindex{*this, "cmdindex", &PnlCategories, {300, 36, 90, 25}, "Cleanup"};
  ui::Button CmdDumpHelp{*this, "CmdDumpHelp", &PnlCategories, {400, 36, 60, 25}, "Help"};
  ui::Label LblTempRow{
      *this, "LblTempRow", &PnlCategories, {12, 72, 260, 17}, "Temp Folders and Data:"};
  ui::Button cmdtemp{*this, "cmdtemp", &PnlCategories, {300, 66, 90, 25}, "Cleanup"};
  ui::Button CmdTempHelp{*this, "CmdTempHelp", &PnlCategories, {400, 66, 60, 25}, "Help"};
  ui::Button BitBtn1{*this, "BitBtn1", &PnlCategories, {470, 66, 60, 25}, "View"};
  ui::Label LblRecentRow{
      *this, "LblRecentRow", &PnlCategories, {12, 102, 260, 17}, "Start Document Links:"};
  ui::Button cmdstart{*this, "cmdstart", &PnlCategories, {300, 96, 90, 25}, "Cleanup"};
  ui::Button CmdRecentHelp{*this, "CmdRecentHelp", &PnlCategories, {400, 96, 60, 25}, "Help"};
  ui::Label LblRecycleRow{
      *this, "LblRecycleRow", &PnlCategories, {12, 132, 260, 17}, "Recycle Bin:"};
  ui::Button Cmdrecycle{*this, "Cmdrecycle", &PnlCategories, {300, 126, 90, 25}, "Cleanup"};
  ui::Button CmdRecycleHelp{*this, "CmdRecycleHelp", &PnlCategories, {400, 126, 60, 25}, "Help"};
  ui::Label LblMediaRow{
      *this, "LblMediaRow", &PnlCategories, {12, 162, 260, 17}, "Windows Media Cache:"};
  ui::Button CmdMCache{*this, "CmdMCache", &PnlCategories, {300, 156, 90, 25}, "Cleanup"};
  ui::Button CmdMediaHelp{*this, "CmdMediaHelp", &PnlCategories, {400, 156, 60, 25}, "Help"};
  ui::Label LblOtherRow{
      *this, "LblOtherRow", &PnlCategories, {12, 192, 260, 17}, "Additional Garbage:"};
  ui::Button Cmdother{*this, "Cmdother", &PnlCategories, {300, 186, 90, 25}, "Cleanup"};
  ui::Button CmdOtherHelp{*this, "CmdOtherHelp", &PnlCategories, {400, 186, 60, 25}, "Help"};
  ui::Label LblAolRow{*this, "LblAolRow", &PnlCategories, {12, 222, 260, 17}, "AOL Tracks:"};
  ui::Button Cmdaol{*this, "Cmdaol", &PnlCategories, {300, 216, 90, 25}, "Cleanup"};
  ui::Button CmdAolHelp{*this, "CmdAolHelp", &PnlCategories, {400, 216, 60, 25}, "Help"};
  ui::Label LblCleanAllRow{
      *this, "LblCleanAllRow", &PnlCategories, {12, 252, 260, 17}, "Cleanup All Above:"};
  ui::Button CmdCleanAll{*this, "CmdCleanAll", &PnlCategories, {300, 246, 90, 25}, "Cleanup All !"};
  ui::Button CmdCleanAllHelp{*this, "CmdCleanAllHelp", &PnlCategories, {400, 246, 60, 25}, "Help"};

  // The temp listing, shown over the category panel by the view toggle: below
  // the temp row, so that the toggle (and that row's buttons) stay in reach.
  ui::ListBox ListTemp{*this, "ListTemp", nullptr, {8, 260, 624, 184}};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {542, 452, 90, 25}, "Return"};

  // ---- Handlers -------------------------------------------------------

  // Runs once when the window is created: the survey.
  void FormCreate();
  void CmdActivexClick();
  void cmdindexClick();
  void cmdtempClick();
  void cmdstartClick();
  void CmdrecycleClick();
  void CmdMCacheClick();
  void CmdotherClick();
  void CmdaolClick();
  void CmdCleanAllClick();
  void BitBtn1Click();
  void CmdReturnClick();

 private:
  static size_t Index(NonCategory c) { return static_cast<size_t>(c); }
  NonFigures& Fig(NonCategory c) { return figures_[Index(c)]; }

  // The common "Cleanup" of a row: nothing-found text, or confirm and run.
  void CleanupRow(NonCategory c, core::Slot slot, std::string_view none_text,
                  void (TFrmnon::*routine)());
  // The end of every routine: the result text, then the new figures and
  // the summary unless automatic cleanup runs.
  void Finish(NonCategory c, core::Slot slot, int64_t out_of);
  void Subtract(NonCategory c);
  // Counts into the scanner's running counters.
  void ScanPattern(const std::string& pattern, bool del);
  // Both temp folders (the second only when it differs), in a refused
  // folder nothing.
  void ScanTempFolders(bool del);
  // The MM20 records of the drive scan, up to the first empty one.
  void ScanMediaRecords(bool del);
  // The AOL caches and the disk-check fragments.
  void ScanGarbage(bool del);
  std::string TempMask() const;
  std::string WindowsRoot() const;
  // Whether a folder must never be cleaned as a whole: the shared folder
  // guard's rule (a root, a relative path, a folder of Windows, the user or
  // the program, however spelled).
  bool RefusedFolder(const std::string& folder) const;
  bool UsableAolCache(const std::string& cache) const;

  core::Uglobalvars& g_;
  platform::Platform& p_;
  NonScanner scan_;
  std::array<NonFigures, kNonCategoryCount> figures_{};
  std::string recent_pattern_;
  std::string temp_folder_;
  std::string program_drive_;
  std::string aol_cache1_;
  std::string aol_cache2_;
  std::string activex_folder_;
  std::string recycled_pattern_;
  bool recycle_flag_ = false;
  bool first_summary_ = true;
};

}  // namespace desktop
