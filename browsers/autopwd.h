// The search-engine and auto-form window, TFrmAutoPwd ("Search Engine and
// Auto Form Cleanup "): explains what Internet Explorer remembers of what
// the user typed, and clears it for the current user after a Yes: the
// remembered search and form entries, the saved form passwords and the
// saved log-ins of web sites. Made for one modal showing.
//
// The stores are the ones Internet Explorer itself empties when the user
// deletes form data and passwords, whichever of them this Windows has:
// - the IntelliForms keys under HKCU\Software\Microsoft\Internet Explorer
//   \IntelliForms: "Storage1" (form and search entries) and "Storage2"
//   (form passwords), Internet Explorer 7 and later; "SPW" (the sites
//   whose form passwords version 5 and 6 remembered). Like Internet
//   Explorer, the keys are deleted whole;
// - Credential Manager (Windows XP and later): the generic credentials
//   named "Microsoft_WinInet_*", the HTTP-authentication log-ins.
#pragma once

#include <string>

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace browsers {

// What one clearing removed, and what it found but could not remove.
struct FormsCleared {
  int form_entries = 0;
  int passwords = 0;
  int logins = 0;
  int left = 0;
  bool Nothing() const { return form_entries + passwords + logins + left == 0; }
};

// Clears the stores above for the current user.
FormsCleared ClearFormsAndPasswords(platform::Platform& p);
// The report shown afterwards.
std::string FormsClearedText(const FormsCleared& cleared);

class TFrmAutoPwd : public ui::Window {
 public:
  explicit TFrmAutoPwd(core::Uglobalvars& g);

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 434, 130}};
  ui::Button CmdClear{
      *this, "CmdClear", nullptr, {8, 146, 230, 25}, "Clear Search Engines or Passwords"};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {352, 146, 90, 25}, "Return"};

  // ---- Handlers -------------------------------------------------------

  void CmdClearClick();

 private:
  core::Uglobalvars& g_;
};

}  // namespace browsers
