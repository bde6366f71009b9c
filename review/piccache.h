// The media search window, TFrmPicCache ("Media Search"): finds pictures,
// video clips, cached thumbnail files ("Thumbs.db") and a few other file
// kinds in the user's document, picture, download and video folders (or,
// for the thumbnails, on the whole chosen drive), shows their dates and
// sizes, opens them and sends the selected ones to the Recycle Bin.
//
// Each line is one file's full path. Folders are walked with the shared
// folder walk, so links (junctions, directory symbolic links) are never
// entered. A search lets messages run: while it runs the search button is
// disabled, the stop picture ends the whole search, and "Return" or the
// close box stop it and close the window once it has unwound. Made for one
// showing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/uglobalvars.h"
#include "platform/filesystem.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace review {

enum class MediaKind { kPhotos, kVideos, kThumbs, kMisc };

// Whether a file name belongs to a category: its upper-cased extension
// (with the dot) is in the category's list, or for thumbnails the whole
// upper-cased name is "THUMBS.DB".
bool MatchesMedia(MediaKind kind, std::string_view name);

class TFrmPicCache : public ui::Window {
 public:
  static constexpr uint64_t kPumpIntervalMs = 30;

  explicit TFrmPicCache(core::Uglobalvars& g);

  bool Searching() const { return searching_; }
  uint64_t TotalBytes() const { return total_; }
  // 0 lets messages run after every entry.
  void SetPumpInterval(uint64_t ms) { pump_interval_ = ms; }

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 584, 72}};
  ui::GroupBox RadioGroup1{*this, "RadioGroup1", nullptr, {8, 84, 440, 44}};
  ui::RadioButton RadioPhotos{*this, "RadioPhotos", &RadioGroup1, {10, 18, 80, 18}, "Photos"};
  ui::RadioButton RadioVideos{*this, "RadioVideos", &RadioGroup1, {96, 18, 96, 18}, "Video Clips"};
  ui::RadioButton RadioThumbs{
      *this, "RadioThumbs", &RadioGroup1, {198, 18, 112, 18}, "Cached Thumbs"};
  ui::RadioButton RadioMisc{*this, "RadioMisc", &RadioGroup1, {316, 18, 60, 18}, "Misc"};
  ui::Button BitBtn2{*this, "BitBtn2", nullptr, {456, 94, 28, 25}, "?"};
  ui::DriveCombo DriveComboBox1{*this, "DriveComboBox1", nullptr, {492, 96, 100, 21}};
  ui::Button BitBtn1{*this, "BitBtn1", nullptr, {8, 136, 130, 25}, "Find Files Now"};
  ui::Picture Image1{*this, "Image1", nullptr, {146, 136, 24, 24}};
  ui::Label LblFolder{*this, "LblFolder", nullptr, {178, 140, 414, 15}};
  ui::ListBox ListBox1{*this, "ListBox1", nullptr, {8, 168, 584, 200}, true};
  ui::Label LblCreated{*this, "LblCreated", nullptr, {8, 374, 290, 15}};
  ui::Label LblUpdated{*this, "LblUpdated", nullptr, {8, 390, 290, 15}};
  ui::Label LblSize{*this, "LblSize", nullptr, {300, 374, 292, 15}};
  // Not "LblTotal": window names are global atoms, which ignore case, and
  // another window has a "Lbltotal".
  ui::Label LblFound{*this, "LblFound", nullptr, {300, 390, 292, 15}};
  ui::Button CmdRemove{*this, "CmdRemove", nullptr, {8, 414, 150, 25}, "Delete (Recycle bin)"};
  ui::Button Cmdclose{*this, "Cmdclose", nullptr, {482, 414, 110, 25}, "Return"};

  // ---- Handlers -------------------------------------------------------

  void FormCreate();
  void BitBtn1Click();
  void Image1Click();
  void ListBox1Click();
  void ListBox1DblClick();
  void CmdRemoveClick();
  void BitBtn2Click();
  void CmdcloseClick();
  void FormCloseQuery(bool& can_close);

 private:
  friend struct MediaVisitor;

  MediaKind Chosen() const;
  // Walks one start folder (no trailing backslash); false when stopped.
  bool SearchFolder(const std::string& folder, MediaKind kind);
  // Lets messages run when the interval has passed; true when stopped.
  bool Pace();
  std::string FocusedPath() const;

  core::Uglobalvars& g_;
  uint64_t total_ = 0;
  bool stop_ = false;
  bool searching_ = false;
  bool close_after_search_ = false;
  uint64_t pump_interval_ = kPumpIntervalMs;
  uint64_t last_pump_ = 0;
};

}  // namespace review
