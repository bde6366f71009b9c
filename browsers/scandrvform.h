// The drive-scan window (" Scan Drive"): lets the user pick a drive and scan
// it for left-behind browser, messenger and media-player files, which the
// scan records in the scan-results file (see scandrv.h). Created for one
// modal showing: at the first start, when the scan-results file does not
// exist yet (its creation writes the initial file, which marks the first
// run as done), and from the settings window.
//
// A scan lets messages run, so while it runs the scan button is disabled
// and a second scan cannot start; "Return" or the close box asks the walk
// to stop, and the window closes once the walk has unwound.
#pragma once

#include <string>

#include "browsers/scandrv.h"
#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace browsers {

class TFrmscandrv : public ui::Window {
 public:
  explicit TFrmscandrv(core::Uglobalvars& g);

  bool Scanning() const { return scanning_; }
  DriveScanner& Scanner() { return scanner_; }

  ui::Label Label1{*this, "Label1", nullptr, {12, 10, 456, 64}};
  ui::Label Label2{*this, "Label2", nullptr, {12, 78, 456, 64}};
  ui::Label Label3{*this, "Label3", nullptr, {12, 146, 456, 48}};
  ui::Label Label4{*this, "Label4", nullptr, {12, 194, 456, 32}};
  ui::DriveCombo DriveComboBox1{*this, "DriveComboBox1", nullptr, {12, 236, 200, 21}};
  ui::Button CmdScan{*this, "CmdScan", nullptr, {226, 234, 118, 25}, "Scan Drive Now"};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {354, 234, 114, 25}, "Return"};
  ui::Label Lblfiles{*this, "Lblfiles", nullptr, {12, 270, 456, 17}};

  // Runs once when the window is created: the initial scan-results file
  // and the drive list.
  void FormCreate();
  void CmdScanClick();
  void CmdReturnClick();
  void FormCloseQuery(bool& can_close);

 private:
  void LayOutTexts();

  core::Uglobalvars& g_;
  DriveScanner scanner_;
  bool scanning_ = false;
  bool close_after_scan_ = false;
};

}  // namespace browsers
