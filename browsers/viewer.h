// The cache viewer, TFrmviewer ("View Your Cache ! ", size memory
// "Frmviewer"): lists the files of the Internet Explorer cache patterns and
// the Netscape/Firefox cache folders, all of them or only those of a
// viewable type, and opens one with the program Windows associates with
// it. Executable and script types are never handed to the shell: opening
// them would run them.
//
// The window is kept; the main window's button refills the list before
// each showing (PrepareToShow). Where the Netscape/Firefox cache folders
// come from is plugged in by the program's top.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/modules.h"
#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace browsers {

// Whether a file of this name is one the viewer lists as viewable
// (pictures, sounds, videos, pages, documents).
bool ViewableCacheFile(std::string_view name);
// Whether opening a file of this name would run it (programs, scripts,
// registry files, links).
bool ExecutableCacheFile(std::string_view name);

class TFrmviewer : public ui::Window, public core::PreparedWindow {
 public:
  explicit TFrmviewer(core::Uglobalvars& g);

  // The Netscape/Firefox cache folders, each ending in a backslash; unset,
  // there are none.
  std::function<std::vector<std::string>()> NetCacheFolders;

  // Clears the list and lists every source.
  void FillCacheViewer();
  // Lists the entries of one search pattern.
  void ListCacheFiles(const std::string& pattern);
  // The main window's "Cache Viewer" button, before showing: fills the
  // list, highlights its first line or says that it is empty.
  void PrepareToShow() override;

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 584, 30}};
  ui::GroupBox GrpFilter{*this, "GrpFilter", nullptr, {8, 42, 584, 40}};
  ui::RadioButton RadAll{*this, "RadAll", &GrpFilter, {8, 14, 200, 18}, "Show all cache files"};
  ui::RadioButton RadViewable{
      *this, "RadViewable", &GrpFilter, {230, 14, 260, 18}, "Show only viewable cache files"};
  ui::Label Label2{*this, "Label2", nullptr, {8, 88, 200, 14}, "Double click to View!"};
  ui::ListBox Listbshow{*this, "Listbshow", nullptr, {8, 104, 584, 250}};
  ui::Label LblFilename{*this, "LblFilename", nullptr, {8, 360, 584, 14}};
  ui::Button CmdReload{*this, "CmdReload", nullptr, {8, 382, 90, 25}, "Reload"};
  ui::Button CmdOk{*this, "CmdOk", nullptr, {502, 382, 90, 25}, "Ok"};

  // ---- Handlers -------------------------------------------------------

  void ListbshowClick();
  void ListbshowDblClick();

 private:
  void FitExtent();

  core::Uglobalvars& g_;
};

}  // namespace browsers
