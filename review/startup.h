// The startup review window, TFrmstartup ("BHO and System Startup Programs
// or Services"): what Windows starts by itself, in four tabs (startup
// entries, Browser Helper Objects, running processes, services), with the
// removal of single entries. The same loading pass writes the section
// report (ListLog) that the system log copies.
//
// The window is kept for the whole run. Its creation captures the process
// list; "Review Startup" and the system log reload the other lists. Every
// registry change it makes is first written to a backup file the registry
// editor imports (RegBackup); when that file cannot be written nothing is
// changed. Each startup line keeps its own removal pair by position and
// each service line its own key, so a removal acts on the line shown and
// on nothing else.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/modules.h"
#include "core/uglobalvars.h"
#include "platform/registry.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace review {

// A descriptor line of the removal table, split into its parts: root
// ("HKCU", "HKLM" or empty), key path, value name and action ("DELREG",
// "EDITREG", "DELFILE").
struct Descriptor {
  std::string root;
  std::string key;
  std::string value;
  std::string action;
};
// Builds root + " RegKey:" + key + " RegValue:" + value + " Action:" + action.
std::string MakeDescriptor(std::string_view root, std::string_view key, std::string_view value,
                           std::string_view action);
// Splits a descriptor line; missing markers give empty parts.
Descriptor ParseDescriptor(std::string_view line);

// Table capacities: CLSIDs read from one key, subkeys read from one key,
// Browser Helper Objects listed.
inline constexpr size_t kMaxClsids = 1000;
inline constexpr size_t kMaxSubkeys = 2000;
inline constexpr size_t kMaxBhos = 2501;

class TFrmstartup : public core::StartupReview {
 public:
  explicit TFrmstartup(core::Uglobalvars& g);

  // Refills the startup list, the section report, the service lists and
  // the removal table from every startup location.
  void LoadStartupLists() override;
  // Refills the BHO list and its CLSIDs.
  void LoadBhoList() override;
  // Both loaders, before "Review Startup" shows the window.
  void PrepareToShow() override;
  // The system log of "Review Spyware" (written by SystemLog).
  void WriteSystemLog() override;

  // The horizontal extent of the startup list: its widest line + 200 +
  // the sizing-frame width.
  void SetListExtent();
  // Fills the process list from a ToolHelp snapshot (at creation).
  void Load_Running_Tasks();

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 6, 624, 42}};
  ui::Label Label2{*this, "Label2", nullptr, {8, 50, 624, 28}};
  ui::TabControl TabControl1{*this, "TabControl1", nullptr, {8, 82, 624, 318}};
  ui::Label LblStartup{
      *this, "LblStartup", &TabControl1, {8, 28, 400, 14}, "Startup Programs Found:"};
  ui::ListBox ListStartup{*this, "ListStartup", &TabControl1, {8, 44, 608, 232}};
  ui::Button CmdRemove{*this, "CmdRemove", &TabControl1, {8, 282, 160, 27}, "Remove From Startup"};
  ui::Label LblBHO{*this, "LblBHO", &TabControl1, {8, 28, 400, 14}, "BHO Programs Found:"};
  ui::ListBox ListBHO{*this, "ListBHO", &TabControl1, {8, 44, 608, 232}};
  ui::Button CmdBHORem{*this, "CmdBHORem", &TabControl1, {8, 282, 160, 27}, "Remove BHO Object"};
  ui::Button CmdBHO{*this, "CmdBHO", &TabControl1, {176, 282, 160, 27}, "Disable BHO's"};
  ui::Label LblTasks{*this,
                     "LblTasks",
                     &TabControl1,
                     {8, 28, 400, 14},
                     "All Programs and Processes Currently Active"};
  ui::ListBox ListRunningTasks{*this, "ListRunningTasks", &TabControl1, {8, 44, 608, 265}};
  ui::Label LblServices{
      *this, "LblServices", &TabControl1, {8, 28, 400, 14}, "All Services Currently Running"};
  ui::ListBox ListServices{*this, "ListServices", &TabControl1, {8, 44, 608, 232}};
  ui::Button CmdRemoveService{
      *this, "CmdRemoveService", &TabControl1, {8, 282, 160, 27}, "Remove Service"};
  ui::Label LblFilter{*this, "LblFilter", &TabControl1, {400, 288, 40, 14}, "Filter:"};
  ui::Edit EdFilter{*this, "EdFilter", &TabControl1, {440, 284, 176, 21}};
  ui::Button BitBtn4{*this, "BitBtn4", nullptr, {512, 408, 120, 27}, "Return"};

  // ---- Hidden lists ---------------------------------------------------

  // The section report: caption + finding, for the system log.
  std::vector<std::string> ListLog;
  // The removal table: pairs of lines (text as listed, descriptor).
  std::vector<std::string> ListSaveDelete;
  // The CLSID of each BHO line (upper-cased, trimmed).
  std::vector<std::string> ListBHOHidden;
  // Pairs of lines per service: key path under HKLM, image path.
  std::vector<std::string> ListSaveServices;
  // Browser settings lines, filled by the system log.
  std::vector<std::string> ListBrowserIE;

  // ---- Handlers -------------------------------------------------------

  void FormCreate();
  void CmdRemoveClick();
  void CmdRemoveServiceClick();
  void CmdBHORemClick();
  void CmdBHOClick();
  void EdFilterChange();
  void TabControl1Change();
  void BitBtn4Click();

  // The removal of the selected startup line (after the confirmation).
  void RemoveStartupEntry();
  // Clears the win.ini / system.ini key whose value is exactly `line`.
  void RemoveIniStartupEntry(const std::string& line);
  // Deletes a value (backed up first) with the product's messages.
  std::unique_ptr<platform::RegKey> OpenForChange(std::string_view root, const std::string& key,
                                                  const std::string& value_name);
  void DeleteStartupValue(std::string_view root, const std::string& key,
                          const std::string& value_name);
  // Writes a value (backed up first) with the product's messages.
  void EditStartupValue(std::string_view root, const std::string& key,
                        const std::string& value_name, std::string_view text);

  core::Uglobalvars& Globals() const { return g_; }

 public:
  // One row of the startup location table (startup.cpp).
  struct Section;

 private:
  void ReadSection(const Section& s);
  void ReadRunValues(const Section& s);
  void ReadSingleValue(const Section& s);
  void ReadIniValue(const Section& s);
  void ReadStartupFolder(const Section& s);
  void ReadClsidServers(const Section& s);
  void ReadShellCommand(const Section& s);
  void ReadSubkeyValues(const Section& s);
  void ReadNotifyEntries(const Section& s);
  // A startup line with its removal pair (none for an INI line).
  void AddStartup(std::string_view caption, const std::string& text, const std::string* descriptor);
  // Writes the backup of one value (or, with an empty value name and
  // `whole_key`, the key with everything below it); false after telling
  // the user when it could not be written.
  bool BackUp(platform::Hive hive, std::string_view key, std::string_view value_name,
              bool whole_key);
  void ShowTab(int index);
  void LayOutIntro();

  core::Uglobalvars& g_;
  // For each ListStartup line: the index of its pair in ListSaveDelete
  // (the text's line), or -1 for an INI line.
  std::vector<int> startup_pairs_;
  // For each ListServices line as shown: its service key path.
  std::vector<std::string> service_keys_;
};

}  // namespace review
