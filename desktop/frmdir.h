// The own cleanup list, TFrmdir ("Vostrel - Create your own cleanups
// list"): up to fifty entries of the user's own, each a folder with a
// wildcard mask or one file, kept in slots Name1..Name50 of section "Dirs"
// of the own-list file ("Null" marks a free slot). "Cleanup ALL" deletes
// every ordinary file that matches an entry, in the entry's folder only;
// hidden and system files and folders are never matched. The window is
// kept: created at start-up (which loads the list, creating the file with
// fifty free slots on the first run) and shown from the main window; the
// Cleanup All driver runs its cleaning pass.
#pragma once

#include <cstdint>
#include <string>

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace desktop {

class TFrmdir : public ui::Window {
 public:
  explicit TFrmdir(core::Uglobalvars& g);

  static constexpr int kSlots = 50;

  // Stores an entry in the first free slot; false (the user has been
  // told) when every slot is taken.
  bool OwnListAdd(const std::string& entry);
  // Frees the first slot holding exactly this entry; false when none does.
  bool OwnListRemove(const std::string& entry);
  // Counts, and when asked deletes, the files matching the current entry.
  void OwnScan(bool del);

  int EntryCount() const { return entry_count_; }
  int64_t FoundFiles() const { return found_files_; }
  int64_t FoundBytes() const { return found_bytes_; }
  int64_t DeletedFiles() const { return deleted_files_; }

  // ---- Controls, in layout order ----

  ui::ListBox List1{*this, "List1", nullptr, {8, 8, 420, 220}};
  ui::Button cmdadd{*this, "cmdadd", nullptr, {436, 8, 120, 25}, "Add Directory/Files"};
  ui::Button BitBtn1{*this, "BitBtn1", nullptr, {436, 40, 120, 25}, "Add 1 File"};
  ui::Button cmddel{*this, "cmddel", nullptr, {436, 72, 120, 25}, "Remove From List"};
  ui::Button cmdclean{*this, "cmdclean", nullptr, {436, 136, 120, 25}, "Cleanup ALL"};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {436, 203, 120, 25}, "Return"};

  // ---- Handlers ----

  void FormCreate();
  void cmdaddClick();
  void BitBtn1Click();
  void cmddelClick();
  // "Cleanup ALL": counts every entry's matches, asks, deletes, reports.
  void cmdcleanClick();

 private:
  std::string ReadSlot(int n) const;
  // Adds an accepted entry to the list box.
  void ShowAdded(const std::string& entry);
  void SetExtent();
  // Runs OwnScan over every entry; when deleting, an entry whose folder is
  // a drive root or a system folder is deleted from only after the user
  // said yes once more.
  void ScanAll(bool del);
  // Whether a path holding "*" or "?" in a name (which Windows never
  // allows) was refused; the user has been told.
  bool RefusedName(const std::string& path);

  core::Uglobalvars& g_;
  int entry_count_ = 0;
  int64_t found_files_ = 0;
  int64_t found_bytes_ = 0;
  int64_t deleted_files_ = 0;
  std::string current_;
};

}  // namespace desktop
