// The viewed-document trails window, TFrmdocs ("What You Viewed On Your
// Computer"): gathers the most-recently-used lists that Windows and many
// applications keep in the registry into one list, opens a listed file on
// a double-click, and removes the highlighted trail or all of them.
//
// A removal changes only the registry entry that holds the trail; the file
// it names is never touched. The sources are a fixed table (docs.cpp),
// read in its order; the window remembers what it read of some of them so
// that a removal knows which slot to clear. The window is made for one
// showing: its creation loads the list, so the list reflects the registry
// at opening time.
#pragma once

#include <array>
#include <string>

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace desktop {

class TFrmdocs : public ui::Window {
 public:
  explicit TFrmdocs(core::Uglobalvars& g);

  // Clears the remembered tables, fills the list from every source and
  // updates the count display.
  void LoadTrails();
  // The list's horizontal extent: its widest line plus the frame width.
  void SetScrollExtent();
  // "Total Tracks Found = n" and the first line highlighted, or the clean
  // message with the list and both remove buttons disabled.
  void ShowCount();

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 584, 40}};
  ui::Label Label2{*this, "Label2", nullptr, {8, 50, 584, 40}};
  ui::Label Label3{*this, "Label3", nullptr, {8, 92, 584, 28}};
  ui::Label Label4{*this, "Label4", nullptr, {8, 126, 584, 14}, "Double-click to view any file."};
  ui::ListBox ListBox1{*this, "ListBox1", nullptr, {8, 142, 584, 218}};
  ui::Label LblInfo{*this, "LblInfo", nullptr, {8, 366, 584, 14}};
  ui::Label LblCount{*this, "LblCount", nullptr, {8, 384, 584, 14}};
  ui::Button CmdRemoveAll{*this, "CmdRemoveAll", nullptr, {8, 406, 120, 25}, "Remove All"};
  ui::Button CmdRemove{*this, "CmdRemove", nullptr, {136, 406, 130, 25}, "Remove Highlighted"};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {472, 406, 120, 25}, "Return"};

  // ---- Handlers -------------------------------------------------------

  // Runs once when the window is created: the list and its extent.
  void FormCreate();
  void ListBox1Click();
  void ListBox1DblClick();
  void CmdRemoveClick();
  void CmdRemoveAllClick();

  // Slot counts of the remembered tables.
  static constexpr int kRecentLists = 9;
  static constexpr int kRecentValues = 4;
  static constexpr int kMediaSlots = 50;
  static constexpr int kRealSlots = 50;
  static constexpr int kMorpheusSlots = 30;

  // Which remembered table a source fills.
  enum class Table {
    kNone,
    kRecent,
    kMediaUrls,
    kMediaFiles,
    kRealA,
    kRealB,
    kRealB2,
    kRealC,
    kMorpheus
  };

 private:
  // Removes the highlighted line t and what holds it in the registry;
  // true when a registry change succeeded.
  bool RemoveTrail(const std::string& t);
  bool RemovePrefixed(std::string& t, bool& found, bool& prefixed);
  bool RemoveFromRecentLists(const std::string& t, bool& found);
  bool RemoveMediaFile(const std::string& t, bool& found);
  bool RemoveMediaUrl(const std::string& t, bool& found);
  bool ClearOpenSaveValues(const std::string& t);
  bool DeleteMm20Values(const std::string& t);
  bool DeleteQuickTimeValues(const std::string& t);

  core::Uglobalvars& g_;
  std::array<std::array<std::string, kRecentValues>, kRecentLists> recent_;
  std::array<std::string, kMediaSlots> media_urls_;
  std::array<std::string, kMediaSlots> media_files_;
  // Slot n at index n; index 0 unused.
  std::array<std::string, kRealSlots + 1> real_a_;
  std::array<std::string, kRealSlots + 1> real_b_;
  // The per-user recent clips have a table of their own: shared with the
  // machine's, a slot present in both would hide one of the two trails
  // from its removal.
  std::array<std::string, kRealSlots + 1> real_b2_;
  std::array<std::string, kRealSlots + 1> real_c_;
  std::array<std::string, kMorpheusSlots + 1> morpheus_;

  // Where value (or key) number n of a source is remembered; null when its
  // table keeps nothing.
  std::string* Slot(Table table, int recent_row, int n);
};

}  // namespace desktop
