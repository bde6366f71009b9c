// The cookie saver, TFrmsavecookie ("Cookie Saver and Viewer", size memory
// "Frmsavecookie"): lists the Internet Explorer cookie files the survey's
// patterns find, lets the user build the keep list that the IE cookie
// cleanup spares, and shows the raw contents of the highlighted cookie.
//
// The window is kept: created hidden at start-up and filled and shown by
// OpenKeepList each time the settings window's "Keep Cookies" asks for it.
// Only "Return" stores the keep list (in the scan-results file). The viewer
// loads at most the first kViewerLimit bytes of a file and shows control
// and undecodable bytes as visible stand-ins, so a huge or binary file
// cannot stall or garble it. Which IE module supplies the cookie files is
// plugged in by the program's top.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "browsers/ie.h"
#include "core/modules.h"
#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace browsers {

// How much of a cookie file the viewer loads.
inline constexpr size_t kViewerLimit = 32 * 1024;

// A file's bytes as the lines a viewer shows: split at CR LF, LF or CR;
// control characters (tabs excepted) become "."; bytes that are not UTF-8
// read as the Latin-1 characters they would be in the system code page.
std::vector<std::string> ViewerLines(std::string_view bytes);

class TFrmsavecookie : public core::CookieSaver {
 public:
  explicit TFrmsavecookie(core::Uglobalvars& g);

  // The IE module whose cookie files are listed; unset or null, none are.
  std::function<TFrmie*()> IEModule;

  // Clears and fills the lists (the cookie files, the keep list), shows
  // the first cookie and shows the window modally.
  void OpenKeepList() override;
  // Writes the keep list being edited to the scan-results file and blanks
  // the stale keys after it, up to "CKK200".
  void SaveKeptCookies();
  // Loads the highlighted cookie file into Memo1.
  void ShowCookieData();

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 584, 42}};
  ui::Label LblFound{*this, "LblFound", nullptr, {8, 56, 284, 14}, "IE Cookies FOUND"};
  ui::Label LblSaved{*this, "LblSaved", nullptr, {308, 56, 284, 14}, "IE Cookies SAVED"};
  ui::ListBox Listbox_Cookie{*this, "Listbox_Cookie", nullptr, {8, 72, 284, 134}};
  // The folder (with its trailing backslash) of each line of
  // Listbox_Cookie; never shown.
  ui::ListBox Listbox_Paths{*this, "Listbox_Paths", nullptr, {8, 72, 284, 134}};
  ui::ListBox Listbox_Saved_Cookies{*this, "Listbox_Saved_Cookies", nullptr, {308, 72, 284, 134}};
  ui::Button CmdSave{*this, "CmdSave", nullptr, {8, 212, 284, 25}, "Save Highlighted Cookie"};
  ui::Button CmdRemove{*this, "CmdRemove", nullptr, {308, 212, 284, 25}, "Remove From Save List"};
  ui::Label Label3{*this, "Label3", nullptr, {8, 244, 584, 28}};
  ui::Label LblViewer{*this, "LblViewer", nullptr, {8, 276, 384, 14}, "Cookie Data VIEWER"};
  ui::Memo Memo1{*this, "Memo1", nullptr, {8, 292, 384, 170}};
  ui::Label Label2{*this, "Label2", nullptr, {408, 292, 184, 130}};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {408, 437, 184, 25}, "Return"};

  // ---- Handlers -------------------------------------------------------

  void CmdSaveClick();
  void CmdRemoveClick();
  void CmdReturnClick();

 private:
  core::Uglobalvars& g_;
};

}  // namespace browsers
