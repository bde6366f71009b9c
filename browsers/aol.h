// The AOL window, TFrmaol ("AOL Cleanups", size memory "FrmAOL"): lists
// the pictures downloaded through AOL and the addresses and keywords in
// AOL's "arl" history files (the track files), deletes single pictures and
// all track files at once.
//
// The window is kept: created hidden at start-up, when its creation runs
// the survey once for the run; deletions change the lists, which are not
// rebuilt. The non-internet window opens it and calls DeleteAOLTracks from
// its own "Cleanup All !"; it does not know this class (the program's top
// links them).
#pragma once

#include <string>
#include <vector>

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace browsers {

// At most this many download folders and track files.
inline constexpr size_t kAolFolderLimit = 50;
inline constexpr size_t kAolTrackFileLimit = 50;

class TFrmaol : public ui::Window {
 public:
  explicit TFrmaol(core::Uglobalvars& g);

  // Finds the pictures, the track files and their lines (runs at creation).
  void Survey();
  // "Delete These Tracks": deletes every track file when real track lines
  // are listed, and says whether all went.
  void DeleteAOLTracks();

  const std::vector<std::string>& DownloadFolders() const { return folders_; }
  const std::vector<std::string>& TrackFiles() const { return track_files_; }

  // ---- Controls, in layout order --------------------------------------

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 584, 42}};
  ui::Label Label2{*this, "Label2", nullptr, {8, 54, 584, 42}};
  ui::Label LblPicsTitle{*this, "LblPicsTitle", nullptr, {8, 102, 200, 14}, "Downloaded Pictures"};
  ui::Label LblAOLPics{*this, "LblAOLPics", nullptr, {480, 102, 112, 14}};
  ui::ListBox ListAOLPics{*this, "ListAOLPics", nullptr, {8, 118, 584, 96}};
  ui::Label LblPicsName{*this, "LblPicsName", nullptr, {8, 220, 400, 14}};
  ui::Button CmdDeletePic{
      *this, "CmdDeletePic", nullptr, {432, 216, 160, 25}, "Delete Highlighted Picture"};
  ui::Label LblUrlsTitle{
      *this, "LblUrlsTitle", nullptr, {8, 250, 300, 14}, "Information You Have Been Viewing"};
  ui::Label LblAOLurls{*this, "LblAOLurls", nullptr, {480, 250, 112, 14}};
  ui::ListBox ListAOLURLs{*this, "ListAOLURLs", nullptr, {8, 266, 584, 130}};
  ui::Button CmdDeleteTracks{
      *this, "CmdDeleteTracks", nullptr, {8, 404, 160, 25}, "Delete These Tracks"};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {502, 404, 90, 25}, "Return"};

  // ---- Handlers -------------------------------------------------------

  void FormCreate();
  void ListAOLPicsClick();
  void ListAOLPicsDblClick();
  void CmdDeletePicClick();

 private:
  void AddFolder(const std::string& folder);
  void FindFolders();
  void ListPictures();
  void FindTrackFiles();
  void ReadTrackLines();
  // Lists the lines, or the none-found line when there are none.
  void ShowTrackLines(std::vector<std::string> lines);
  void ShowPictureCount();
  // Deletes one file through the shared sweep; true when it is gone.
  bool DeleteOne(const std::string& path);

  core::Uglobalvars& g_;
  std::vector<std::string> folders_;
  std::vector<std::string> track_files_;
  // The lines each track file gave, beside it.
  std::vector<std::vector<std::string>> track_lines_;
  bool real_tracks_ = false;
};

}  // namespace browsers
