// The instant-message window, TFrmIM ("Instant Messages Sent or Received"):
// lists the message logs that AIM 6, MSN Messenger, Yahoo Messenger and AIM
// Pro left on the machine, opens one, and deletes one outright.
//
// Each line is an eight-character tag naming the messenger followed by the
// log file's full path. The AIM 6 and MSN log folders come from the
// messengers' registry keys, the Yahoo and AIM Pro archive folders from the
// drive scan's records in the scan-results file. The window is made for
// one showing; its creation fills the list, which then changes only by
// removals. A Yahoo log is never opened: it is encrypted.
#pragma once

#include <string>
#include <string_view>

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace review {

class TFrmIM : public ui::Window {
 public:
  explicit TFrmIM(core::Uglobalvars& g);

  // Fills the list from the four messengers, selects the first line and
  // sets the horizontal extent.
  void LoadIMLogs();

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 664, 30}};
  ui::ListBox ListBox1{*this, "ListBox1", nullptr, {8, 44, 664, 270}};
  ui::Label LblName{*this, "LblName", nullptr, {8, 320, 664, 14}};
  ui::Button CmdView{*this, "CmdView", nullptr, {8, 342, 110, 25}, "View IM"};
  ui::Button CmdDel{*this, "CmdDel", nullptr, {126, 342, 110, 25}, "Remove"};
  ui::Button BitBtn3{*this, "BitBtn3", nullptr, {562, 342, 110, 25}, "Return"};

  // ---- Handlers -------------------------------------------------------

  // Runs once when the window is created: the list.
  void FormCreate();
  void CmdViewClick();
  void ListBox1DblClick();
  void ListBox1Click();
  void CmdDelClick();
  void BitBtn3Click();

 private:
  // Every log a messenger's user keys name: the folder value of each user
  // (at most kMaxUsers of them) + `mask`.
  void AddUserLogs(std::string_view users_key, std::string_view folder_value, std::string_view mask,
                   std::string_view tag);
  // Every log in the folders the drive scan recorded in `section`.
  void AddRecordedLogs(std::string_view section, std::string_view mask, std::string_view tag);
  // Lists `mask` and adds tag + folder + name for each entry.
  void AddMatches(std::string_view tag, const std::string& mask);
  // The path of the selected line, or empty when there is none.
  std::string SelectedPath() const;

  core::Uglobalvars& g_;
};

}  // namespace review
