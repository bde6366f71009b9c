// The duplicate finder window, TFrmDups ("Find Duplicate Files"): scans a
// chosen drive for files that exist more than once, by name or by
// contents (dupscan.h), shows the dates and size of the highlighted file,
// opens it, and sends it to the Recycle Bin.
//
// Each line reads name + "   Path:" + folder; a hidden list beside the
// lines holds the exact path of each, so a name that itself holds
// "   Path:" or starts with a blank still leads to its own file. The lines
// of one set stand together, in path order, sets in the order of their
// first paths; the status line gives the sets' figures, and a highlighted
// line its set's.
//
// A scan lets messages run, so while it runs the scan, view and delete
// buttons are disabled and "Stop", "Return" or the close box ask it to
// stop (the window closes once the scan has unwound). Made for one showing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/uglobalvars.h"
#include "review/dupscan.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace review {

class TFrmDups : public ui::Window {
 public:
  explicit TFrmDups(core::Uglobalvars& g);

  bool Scanning() const { return scanning_; }
  DupFinder& Finder() { return finder_; }
  // The exact path behind each line, in line order.
  const std::vector<std::string>& Paths() const { return paths_; }

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 584, 58}};
  ui::DriveCombo DriveComboBox1{*this, "DriveComboBox1", nullptr, {8, 74, 150, 21}};
  ui::Button CmdDupScan{*this, "CmdDupScan", nullptr, {166, 72, 130, 25}, "Duplicate Names"};
  ui::Button BitBtn1{*this, "BitBtn1", nullptr, {304, 72, 130, 25}, "Duplicate Patterns"};
  ui::Button CmdStop{*this, "CmdStop", nullptr, {442, 72, 70, 25}, "Stop"};
  ui::Label LblStatus{*this, "LblStatus", nullptr, {8, 104, 584, 16}};
  ui::ListBox ListBox1{*this, "ListBox1", nullptr, {8, 124, 584, 214}};
  ui::Label LblCreated{*this, "LblCreated", nullptr, {8, 346, 300, 15}};
  ui::Label LblUpdated{*this, "LblUpdated", nullptr, {8, 362, 300, 15}};
  ui::Label LblAccessed{*this, "LblAccessed", nullptr, {8, 378, 300, 15}};
  ui::Label LblSize{*this, "LblSize", nullptr, {8, 394, 300, 15}};
  ui::Label LblSet{*this, "LblSet", nullptr, {316, 346, 276, 46}};
  ui::Button BitBtn2{*this, "BitBtn2", nullptr, {8, 418, 150, 25}, "View Highlighted File"};
  ui::Button CmdDel{*this, "CmdDel", nullptr, {166, 418, 150, 25}, "Delete - Recycle Bin"};
  ui::Button BitBtn4{*this, "BitBtn4", nullptr, {482, 418, 110, 25}, "Return"};

  // ---- Handlers -------------------------------------------------------

  // Runs once when the window is created: the drive list.
  void FormCreate();
  void CmdDupScanClick();
  void BitBtn1Click();
  void CmdStopClick();
  void ListBox1Click();
  void BitBtn2Click();
  void CmdDelClick();
  void BitBtn4Click();
  void FormCloseQuery(bool& can_close);

 private:
  void RunScan(DupMode mode);
  void ShowProgress(const DupProgress& progress);
  void Fill(const std::vector<DupSet>& sets);
  void ShowSummary(const std::vector<DupSet>& sets, bool stopped);
  // The highlighted line's set as it stands now (lines removed since the
  // scan no longer count).
  void ShowSetOf(int index);
  void SetIdle(bool idle);
  void RemoveLine(int index);
  // The path of the highlighted line; empty when none is highlighted.
  std::string HighlightedPath() const;
  // The highlighted line's path when its file exists; otherwise empty, after
  // `empty_list` (an empty list) or "File not found." was shown.
  std::string ExistingHighlightedPath(std::string_view empty_list);

  core::Uglobalvars& g_;
  DupFinder finder_;
  DupMode mode_ = DupMode::kNames;
  std::vector<std::string> paths_;
  std::vector<size_t> set_of_;   // the set of each line
  std::vector<uint64_t> sizes_;  // the size of each line's file
  bool scanning_ = false;
  bool close_after_scan_ = false;
};

}  // namespace review
