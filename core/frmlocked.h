// The locked-file option, TFrmLocked ("Cleanup Locked Files!", size memory
// "Frmlocked"): explains the boot-time cleanup of the index files Internet
// Explorer holds open and switches it on or off. The main window's "Locked
// Files" makes it for one showing; it shows the stored choice and, once
// closed, stores the one made (`Lockedj`, in memory and in the Settings
// key). The close of the main window acts on it (registering the batch
// file or removing the registration).
#pragma once

#include "core/modules.h"
#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

class TFrmLocked : public ui::Window, public PreparedWindow {
 public:
  explicit TFrmLocked(Uglobalvars& g);

  // Before showing: the radio buttons from `Lockedj`.
  void PrepareToShow() override;

  // ---- Controls, in layout order ----

  // The explanation, as tall as its lines need.
  ui::Label Label1{*this, "Label1", nullptr, {10, 10, 460, 14}};
  ui::Panel Panel1{*this, "Panel1", nullptr, {10, 34, 460, 56}};
  ui::RadioButton RadDoLocked{*this,
                              "RadDoLocked",
                              &Panel1,
                              {10, 8, 440, 18},
                              "Always perform locked file cleanup when rebooting"};
  ui::RadioButton RadDontDoLocked{
      *this, "RadDontDoLocked", &Panel1, {10, 30, 440, 18}, "Do not perform locked file cleanup"};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {202, 100, 75, 25}, "Return"};

  // ---- Handlers ----

  // Runs whenever the window closes: `Lockedj` := "Always ...", stored in
  // the Settings key (created when missing).
  void FormClose();

 private:
  Uglobalvars& g_;
};

}  // namespace core
