#include "demo/frmdemo.h"

#include <algorithm>
#include <utility>

namespace {

// The window's texts, in one place.
constexpr char kCaption[] = "Vostrel demonstration";
constexpr char kQuestion[] = "Do you like this window?";
constexpr char kAnsweredYes[] = "You answered Yes.";
constexpr char kAnsweredNo[] = "You answered No.";
constexpr char kNoName[] = "Type your name below";
constexpr char kHello[] = "Hello, ";

constexpr const char* kFiles[] = {
    "C:\\Windows\\Temp\\~DF12A4.tmp",
    "C:\\Documents and Settings\\User\\Local Settings\\Temporary Internet Files\\Content.IE5\\"
    "Q7ZK2M1P\\a_rather_long_file_name_that_needs_the_horizontal_scroll_bar[1].htm",
    "C:\\Documents and Settings\\User\\Cookies\\user@example[2].txt",
    "C:\\Documents and Settings\\User\\Recent\\Report.doc.lnk",
    "C:\\Windows\\Minidump\\Mini051224-01.dmp",
    "C:\\Windows\\Downloaded Program Files\\Control.ocx",
};
constexpr const char* kModes[] = {"Quick", "Standard", "Deep"};
constexpr const char* kTabs[] = {"General", "Details"};

// Pixels added to the widest line for the horizontal scroll extent.
constexpr int kExtentMargin = 20;

const ui::Color kBannerText = ui::Rgb(255, 255, 255);
const ui::Color kGreetingColor = ui::Rgb(255, 255, 225);
const ui::Color kAnswerColor = ui::Rgb(0, 0, 160);

std::string ClockText(int seconds) { return "Shown for " + std::to_string(seconds) + " s"; }

ui::Font Bold(int size) {
  ui::Font f;
  f.size = size;
  f.bold = true;
  return f;
}

ui::Font FixedPitch() {
  ui::Font f;
  f.name = "Courier New";
  f.size = 9;
  return f;
}

}  // namespace

ui::Image MakeGradient(int width, int height) {
  ui::Image image;
  if (width <= 0 || height <= 0) return image;
  image.width = width;
  image.height = height;
  image.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  // From deep blue on the left to teal on the right, a little darker at the
  // bottom.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int across = width > 1 ? x * 255 / (width - 1) : 0;
      int down = height > 1 ? y * 60 / (height - 1) : 0;
      uint8_t* p =
          &image
               .rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) *
                    3];
      p[0] = static_cast<uint8_t>(std::max(0, 20 + across / 8 - down / 2));
      p[1] = static_cast<uint8_t>(std::max(0, 40 + across * 90 / 255 - down));
      p[2] = static_cast<uint8_t>(std::max(0, 140 - across * 20 / 255 - down));
    }
  }
  return image;
}

TFrmdemo::TFrmdemo(ui::WindowSystem& system, std::vector<platform::DriveInfo> drives)
    : Window(system, "Frmdemo", kCaption, 600, 388),
      ImgBanner(*this, "ImgBanner", nullptr, {0, 0, 600, 60}),
      LblTitle(*this, "LblTitle", nullptr, {12, 8, 400, 24}, kCaption),
      LblClock(*this, "LblClock", nullptr, {12, 38, 300, 13}, ClockText(0)),
      GrpLevel(*this, "GrpLevel", nullptr, {8, 68, 184, 92}, "Cleanup level"),
      RadLight(*this, "RadLight", &GrpLevel, {10, 18, 160, 17}, "Light"),
      RadNormal(*this, "RadNormal", &GrpLevel, {10, 42, 160, 17}, "Normal"),
      RadThorough(*this, "RadThorough", &GrpLevel, {10, 66, 160, 17}, "Thorough"),
      ChkWipe(*this, "ChkWipe", nullptr, {200, 72, 180, 17}, "Overwrite before deleting"),
      PnlGreeting(*this, "PnlGreeting", nullptr, {200, 96, 180, 64}, kNoName),
      LblFiles(*this, "LblFiles", nullptr, {8, 168, 200, 13}, "Files found (pick several):"),
      ListFiles(*this, "ListFiles", nullptr, {8, 184, 372, 96}, true),
      LblName(*this, "LblName", nullptr, {8, 292, 48, 13}, "Name:"),
      EdtName(*this, "EdtName", nullptr, {56, 288, 150, 21}),
      LblMode(*this, "LblMode", nullptr, {216, 292, 40, 13}, "Mode:"),
      CboMode(*this, "CboMode", nullptr, {260, 288, 120, 21}, true),
      LblDrive(*this, "LblDrive", nullptr, {8, 320, 48, 13}, "Drive:"),
      CboDrive(*this, "CboDrive", nullptr, {56, 316, 150, 21}),
      ScrLevel(*this, "ScrLevel", nullptr, {216, 318, 128, 17}, false),
      LblLevel(*this, "LblLevel", nullptr, {352, 320, 28, 13}, "50"),
      TabPages(*this, "TabPages", nullptr, {392, 68, 200, 164}),
      PnlGeneral(*this, "PnlGeneral", &TabPages, {6, 28, 188, 128}),
      LblGeneral(*this, "LblGeneral", &PnlGeneral, {6, 8, 176, 40},
                 "The first page. Tick the box to switch the hints on or off."),
      ChkHints(*this, "ChkHints", &PnlGeneral, {6, 56, 176, 17}, "Show hints"),
      PnlDetails(*this, "PnlDetails", &TabPages, {6, 28, 188, 128}),
      LblDetails(*this, "LblDetails", &PnlDetails, {6, 8, 176, 13}, "A fixed-pitch table:"),
      LblFixed(*this, "LblFixed", &PnlDetails, {6, 28, 176, 60},
               "Cookies   ->    12\r\nCache     ->   348\r\nHistory   ->     7"),
      MemoLog(*this, "MemoLog", nullptr, {392, 240, 200, 96}),
      CmdAsk(*this, "CmdAsk", nullptr, {8, 352, 75, 25}, "Ask"),
      LblAnswer(*this, "LblAnswer", nullptr, {92, 358, 300, 13}),
      CmdClose(*this, "CmdClose", nullptr, {517, 352, 75, 25}, "Close"),
      Timer1(*this, "Timer1", 1000),
      drives_(std::move(drives)) {
  OnCreate = [this] { FormCreate(); };
  CmdAsk.OnClick = [this] { CmdAskClick(); };
  CmdClose.OnClick = [this] { CmdCloseClick(); };
  ChkWipe.OnClick = [this] { ChkWipeClick(); };
  RadLight.OnClick = [this] { LevelClick(); };
  RadNormal.OnClick = [this] { LevelClick(); };
  RadThorough.OnClick = [this] { LevelClick(); };
  ListFiles.OnClick = [this] { ListFilesClick(); };
  ListFiles.OnDblClick = [this] { ListFilesDblClick(); };
  EdtName.OnChange = [this] { EdtNameChange(); };
  CboMode.OnChange = [this] { CboModeChange(); };
  CboDrive.OnChange = [this] { CboDriveChange(); };
  ScrLevel.OnChange = [this] { ScrLevelChange(); };
  TabPages.OnChange = [this] { TabPagesChange(); };
  ChkHints.OnClick = [this] { ChkHintsClick(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };

  LblTitle.SetFont(Bold(14));
  LblTitle.SetFontColor(kBannerText);
  LblTitle.SetTransparent(true);
  LblClock.SetFontColor(kBannerText);
  LblClock.SetTransparent(true);
  ImgBanner.SetStretch(true);
  PnlGreeting.SetColor(kGreetingColor);
  PnlGeneral.SetBevel(false);
  PnlDetails.SetBevel(false);
  LblGeneral.SetWordWrap(true);
  LblFixed.SetFont(FixedPitch());
  LblAnswer.SetFontColor(kAnswerColor);
  LblAnswer.SetFont(Bold(8));
  MemoLog.SetReadOnly(true);
  ScrLevel.SetRange(0, 100);
  ScrLevel.SetPosition(50);
  RadNormal.SetChecked(true);
  ChkHints.SetChecked(true);
  ShowHints(true);
}

// Runs once when the window is created: fills the lists and starts the clock.
void TFrmdemo::FormCreate() {
  ImgBanner.SetImage(MakeGradient(300, 30));
  std::string widest;
  for (const char* f : kFiles) {
    ListFiles.Add(f);
    if (System().TextWidth(ListFiles.GetFont(), f) >
        System().TextWidth(ListFiles.GetFont(), widest)) {
      widest = f;
    }
  }
  ListFiles.SetHorizontalExtent(System().TextWidth(ListFiles.GetFont(), widest) +
                                System().SystemMetric(ui::Metric::kFrameWidth) + kExtentMargin);
  for (const char* m : kModes) CboMode.Add(m);
  CboMode.SetItemIndex(1);
  CboDrive.SetDrives(drives_);
  for (const auto& d : drives_) {
    if (d.type == platform::DriveType::kFixed &&
        CboDrive.SetDrive(d.root.empty() ? 0 : d.root[0])) {
      break;
    }
  }
  if (CboDrive.ItemIndex() < 0 && CboDrive.Count() > 0) CboDrive.SetItemIndex(0);
  TabPages.SetTabs({std::begin(kTabs), std::end(kTabs)});
  TabPagesChange();
  Log("Window created.");
  Timer1.SetTimerEnabled(true);
}

// "Ask": the Yes/No question, and the answer shown below.
void TFrmdemo::CmdAskClick() {
  bool yes = System().Confirm(kQuestion);
  LblAnswer.SetCaption(yes ? kAnsweredYes : kAnsweredNo);
  Log(yes ? "Asked: yes." : "Asked: no.");
}

void TFrmdemo::CmdCloseClick() { Close(); }

void TFrmdemo::ChkWipeClick() { Log(ChkWipe.Checked() ? "Overwrite: on." : "Overwrite: off."); }

void TFrmdemo::LevelClick() {
  for (const ui::RadioButton* r : {&RadLight, &RadNormal, &RadThorough}) {
    if (r->Checked()) Log("Level: " + r->Caption() + ".");
  }
}

void TFrmdemo::ListFilesClick() {
  Log("Files picked: " + std::to_string(ListFiles.SelCount()) + ".");
}

void TFrmdemo::ListFilesDblClick() {
  int i = ListFiles.ItemIndex();
  if (i >= 0) Log("Opened line " + std::to_string(i + 1) + ".");
}

void TFrmdemo::EdtNameChange() {
  PnlGreeting.SetCaption(EdtName.Text().empty() ? std::string(kNoName) : kHello + EdtName.Text());
}

void TFrmdemo::CboModeChange() {
  if (CboMode.ItemIndex() >= 0) Log("Mode: " + CboMode.Text() + ".");
}

void TFrmdemo::CboDriveChange() {
  if (char d = CboDrive.Drive()) Log(std::string("Drive: ") + d + ":.");
}

void TFrmdemo::ScrLevelChange() { LblLevel.SetCaption(std::to_string(ScrLevel.Position())); }

// Shows the page of the chosen tab.
void TFrmdemo::TabPagesChange() {
  PnlGeneral.SetVisible(TabPages.TabIndex() == 0);
  PnlDetails.SetVisible(TabPages.TabIndex() == 1);
}

void TFrmdemo::ChkHintsClick() { ShowHints(ChkHints.Checked()); }

void TFrmdemo::ShowHints(bool on) {
  const std::pair<ui::Control*, const char*> hints[] = {
      {&CmdAsk, "Asks you a question"},
      {&ChkWipe, "Files are overwritten before they are deleted"},
      {&ListFiles, "Click lines to pick them, double-click to open one"},
      {&CmdClose, "Closes the demonstration"},
  };
  for (const auto& [control, hint] : hints) control->SetHint(on ? hint : "");
}

// Once a second: the clock on the banner.
void TFrmdemo::Timer1Timer() {
  ++seconds_;
  LblClock.SetCaption(ClockText(seconds_));
}

void TFrmdemo::Log(std::string_view line) { MemoLog.AddLine(line); }
