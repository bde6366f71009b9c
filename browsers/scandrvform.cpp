#include "browsers/scandrvform.h"

#include <cctype>

#include "platform/text.h"

namespace browsers {

namespace {

constexpr const char* kCaption = " Scan Drive";

constexpr const char* kText1 =
    "The first time you run Vostrel, this window will open, which will allow you to scan your "
    "entire drive for old, uninstalled browser files or instant message logs which may have "
    "been left behind. This will also verify that all the necessary files are found.";
constexpr const char* kText2 =
    "You will only need to do this once, but you can always access this feature again by "
    "clicking the \"Vost Settings\" button on the main window. (In the future, if you uninstall "
    "old browsers, you can \"Scan\" again to make sure the old and new entries are logged).";
constexpr const char* kText3 =
    "This logging feature doesn't actually delete anything, but simply makes a log of your "
    "setup so Vostrel can find all possible browser files, even old ones which have been left "
    "behind by \"uninstalling\".  Vostrel will normally find all the ";
constexpr const char* kText4 =
    "current files even without using this feature.  Although most people only have one disk "
    "drive, those of you who use several disk drives, can also scan each of those drives.";
constexpr const char* kCompleted =
    "Scan has completed.  The log you have just done will always be in effect when you run "
    "Vostrel, and will only need to be run once. In the future, if you uninstall/install new "
    "browsers, you may want to run the scan again, and it can be accessed under the \"Vost "
    "Settings\" button.";

}  // namespace

TFrmscandrv::TFrmscandrv(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "Frmscandrv", kCaption, 480, 296),
      g_(g),
      scanner_(g.Platform().fs, g.Platform().ini, g.Platform().system, g.ScanResultsFile) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  for (auto [label, text] : {std::pair{&Label1, kText1}, std::pair{&Label2, kText2},
                             std::pair{&Label3, kText3}, std::pair{&Label4, kText4}}) {
    label->SetWordWrap(true);
    label->SetCaption(text);
  }
  scanner_.SetPump([this](const std::string& folder) {
    Lblfiles.SetCaption(folder);
    System().ProcessMessages();
  });
  OnCreate = [this] { FormCreate(); };
  OnCloseQuery = [this](bool& can_close) { FormCloseQuery(can_close); };
  CmdScan.OnClick = [this] { CmdScanClick(); };
  CmdReturn.OnClick = [this] { CmdReturnClick(); };
  g_.RememberSize(*this);
  LayOutTexts();
}

// Stacks the explanations at the heights their lines take in the machine's
// font (the third and fourth text are one paragraph, so the fourth follows
// without a gap), puts the drive list, buttons and progress line below them
// and makes the window tall enough for all of it, whatever size was stored.
void TFrmscandrv::LayOutTexts() {
  constexpr int kMargin = 10;
  constexpr int kGap = 12;
  int y = kMargin;
  for (ui::Label* label : {&Label1, &Label2, &Label3, &Label4}) {
    ui::Rect r = label->Bounds();
    r.top = y;
    r.height = label->TextHeight();
    label->SetBounds(r);
    y += r.height + (label == &Label3 ? 0 : kGap);
  }
  for (ui::Control* c :
       std::initializer_list<ui::Control*>{&DriveComboBox1, &CmdScan, &CmdReturn}) {
    ui::Rect r = c->Bounds();
    r.top = y + (c == &DriveComboBox1 ? 2 : 0);
    c->SetBounds(r);
  }
  ui::Rect files = Lblfiles.Bounds();
  files.top = y + CmdScan.Height() + kGap;
  Lblfiles.SetBounds(files);
  int needed = files.top + files.height + kMargin;
  if (ClientHeight() < needed) SetClientSize(ClientWidth(), needed);
}

void TFrmscandrv::FormCreate() {
  platform::Platform& p = g_.Platform();
  if (!p.fs.Exists(g_.ScanResultsFile)) WriteInitialScanFile(p.fs, g_.ScanResultsFile);
  DriveComboBox1.SetDrives(p.fs.Drives());
  std::string current = p.fs.CurrentFolder();
  if (current.size() < 2 || current[1] != ':' || !DriveComboBox1.SetDrive(current[0])) {
    if (DriveComboBox1.Count() > 0) DriveComboBox1.SetItemIndex(0);
  }
}

void TFrmscandrv::CmdScanClick() {
  char letter = DriveComboBox1.Drive();
  if (scanning_ || letter == 0) return;
  scanning_ = true;
  CmdScan.SetEnabled(false);
  bool finished;
  {
    core::Uglobalvars::BusyScope busy(g_);
    std::string folder(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    folder += ':';
    finished = scanner_.ScanDriveFolder(folder);
  }
  Lblfiles.SetCaption({});
  CmdScan.SetEnabled(true);
  scanning_ = false;
  if (close_after_scan_) {
    close_after_scan_ = false;
    Close();
    return;
  }
  if (finished) System().Information(kCompleted);
}

void TFrmscandrv::CmdReturnClick() { Close(); }

// A close while the walk runs (it lets messages run) only asks it to stop;
// the scan handler closes the window once the walk has unwound.
void TFrmscandrv::FormCloseQuery(bool& can_close) {
  if (!scanning_) return;
  scanner_.RequestStop();
  close_after_scan_ = true;
  can_close = false;
}

}  // namespace browsers
