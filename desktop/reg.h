// The Run and Find history window, TFrmreg ("Registry Entries"): lists what
// the user typed into the Start menu's Run box and into the Find dialogs
// (and, on Windows XP, the Search Assistant), and removes single entries.
//
// The window is kept: created hidden at start-up, when its creation reads
// both histories once for the whole run; later showings show the lists as
// the removals left them. A removal deletes only the entry's own value:
// the ordering value MRUList that Windows keeps beside the entries is
// neither read nor written.
#pragma once

#include <string>
#include <string_view>

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace desktop {

class TFrmreg : public ui::Window {
 public:
  explicit TFrmreg(core::Uglobalvars& g);

  // Reads the histories into the two lists (runs at creation).
  void LoadHistories();

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 584, 80}};
  ui::ListBox ListRun{*this, "ListRun", nullptr, {8, 92, 584, 124}};
  ui::Label Label2{*this,
                   "Label2",
                   nullptr,
                   {8, 226, 440, 14},
                   "Listed above is what you have been running on your pc."};
  ui::Button CmdRemoveRun{
      *this, "CmdRemoveRun", nullptr, {462, 220, 130, 25}, "Remove Highlighted"};
  ui::ListBox ListFind{*this, "ListFind", nullptr, {8, 252, 584, 124}};
  ui::Label Label3{*this,
                   "Label3",
                   nullptr,
                   {8, 386, 440, 14},
                   "Listed above is what you have been searching for with \"Find\" commands."};
  ui::Button CmdRemoveFind{
      *this, "CmdRemoveFind", nullptr, {462, 380, 130, 25}, "Remove Highlighted"};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {462, 418, 130, 25}, "Return"};

  // ---- Handlers -------------------------------------------------------

  // Runs once when the window is created: the histories.
  void FormCreate();
  void CmdRemoveRunClick();
  void CmdRemoveFindClick();

 private:
  // Deletes the first value "a" to "z" of `key` equal to the highlighted
  // line of `list` (and, for the Find list on XP, the Search Assistant
  // values), then takes the line out of the list.
  void RemoveHighlighted(ui::ListBox& list, ui::Button& button, std::string_view key,
                         bool search_assistant);
  bool DeleteSearchAssistantEntry(const std::string& t);
  void ShowList(ui::ListBox& list, ui::Button& button);

  core::Uglobalvars& g_;
};

}  // namespace desktop
