#include "core/frminit.h"

#include <array>
#include <string_view>
#include <vector>

#include "core/categories.h"
#include "core/date_format.h"
#include "core/frmconfmsg.h"
#include "core/frmenter.h"
#include "core/frmmiscmsg.h"
#include "core/frmskins.h"
#include "core/maker.h"
#include "core/winver.h"

namespace core {

namespace {

// ---- The window's texts ----

constexpr std::string_view kCaption = "Vostrel !";

constexpr std::string_view kSkinMissing =
    "A skin was not found. The software will operate as planned, but you will not be able to "
    "set the skin without reinstalling the software. You may want to set the skin to \"None\" "
    "to remove this message";
constexpr std::string_view kHelpMissing =
    "Either your system does not have a default webpage viewer (for viewing the help webpage), "
    "or the help file was not found and was deleted from your system.";
constexpr std::string_view kContactIntro =
    "If you have any questions or concerns about this product, or any of our other products, "
    "we will gladly assist you! Simply send your question to Marrowby support.";
constexpr std::string_view kNoMailClient =
    "You cannot view this file because you do not have a default email software setup. Simply "
    "email your question to support at ";
constexpr std::string_view kBatchNotWritten =
    "The locked file cleanup could not be saved: the file \"{}\" could not be written. The "
    "locked files will not be removed when you reboot.";

constexpr std::string_view kNoneFound = "None found on your system.";

// Button hints, in layout order.
struct ButtonHint {
  ui::Button TFrminit::*button;
  std::string_view hint;
};
constexpr auto kButtonHints = std::to_array<ButtonHint>({
    {&TFrminit::Cmdothers, "Cleanup trails showing what you recently viewed."},
    {&TFrminit::Button4, "Cleanup previous run or find file history"},
    {&TFrminit::CmdDups, "Scan and find all duplicate files"},
    {&TFrminit::CmdPicCache, "Picture and video cache thumbnail cleanups"},
    {&TFrminit::CmdAutoForm,
     "Cleanup search engine history, previous passwords, user ids, and forms used"},
    {&TFrminit::CmdSpyware, "Spyware, adware, worm cleanups"},
    {&TFrminit::Cmdstartup,
     "The programs shown here run automatically in your browser or whenever you reboot"},
    {&TFrminit::CmdPerformance, "Improve the performance of your pc"},
    {&TFrminit::CmdLock, "Cleanup locked IE files"},
    {&TFrminit::Cmdviewer, "Built-in cache viewer"},
    {&TFrminit::Cmdsettings, "Various settings for Vostrel"},
    {&TFrminit::btnieh, "Deletes all Internet Explorer history files"},
    {&TFrminit::btnnsh, "Deletes all Firefox and Netscape history files"},
    {&TFrminit::btnieck, "Deletes all Internet Explorer cookie files"},
    {&TFrminit::btnnsck, "Deletes all Firefox and Netscape cookie files"},
    {&TFrminit::btniech, "Deletes all Internet Explorer cache files"},
    {&TFrminit::btnnsch, "Deletes all Firefox and Netscape cache files"},
    {&TFrminit::cmdurl, "Cleanup browser URL's"},
    {&TFrminit::cmdnon, "Various other garbage cleanups"},
    {&TFrminit::cmddir, "Create your own file cleanup list"},
    {&TFrminit::Cmdcontact, "Contact customer support for assistance"},
    {&TFrminit::Button1, "Detailed information"},
    {&TFrminit::cmdabout, "About this software"},
    {&TFrminit::cmdexit, "Exit this program"},
});
static_assert(kButtonHints.size() == 24);

// The fifteen ticks, in the order Exit stores them.
struct TickRow {
  ui::CheckBox TFrminit::*box;
  bool Settings::*setting;
  std::string_view value;
  std::string_view hint;
};
constexpr auto kTicks = std::to_array<TickRow>({
    {&TFrminit::ChkIECache, &Settings::IECache, "IECache",
     "Select for Internet Explorer cache cleanup when clicking \"Cleanup All\""},
    {&TFrminit::ChkIECookies, &Settings::IECookies, "IECookies",
     "Select for Internet Explorer cookie cleanup when clicking \"Cleanup All\""},
    {&TFrminit::ChkIEHistory, &Settings::IEHistory, "IEHistory",
     "Select for Internet Explorer history cleanup when clicking \"Cleanup All\""},
    {&TFrminit::ChkNSCache, &Settings::NSCache, "NSCache",
     "Select for Netscape and Firefox cache cleanup when clicking \"Cleanup All\""},
    {&TFrminit::ChkNSCookies, &Settings::NSCookies, "NSCookies",
     "Select for Netscape and Firefox cookie cleanup when clicking \"Cleanup All\""},
    {&TFrminit::ChkNSHistory, &Settings::NSHistory, "NSHistory",
     "Select for Netscape and Firefox history cleanup when clicking \"Cleanup All\""},
    {&TFrminit::ChkExcess, &Settings::Otherc, "Otherc",
     "Select for excess file cleanups when clicking \"Cleanup All\""},
    {&TFrminit::ChkRecent, &Settings::Recentc, "Recentc",
     "Select for recent document links cleanup when clicking \"Cleanup All\""},
    {&TFrminit::ChkTemp, &Settings::Tempc, "Tempc",
     "Select for temp file cleanup when clicking \"Cleanup All\""},
    {&TFrminit::Chkrecycle, &Settings::Recyclec, "Recyclec", ""},
    {&TFrminit::ChkOtherj, &Settings::Otherj, "Otherj", ""},
    {&TFrminit::ChkMedia, &Settings::Mediac, "Mediac", ""},
    {&TFrminit::ChkActiveX, &Settings::ActiveX, "ActiveX", ""},
    {&TFrminit::Chkurls, &Settings::Urls, "Urls", ""},
    {&TFrminit::ChkYourOwn, &Settings::YourOwn, "YourOwn", ""},
});
static_assert(kTicks.size() == 15);

// The statistics lines of the browser categories and other garbage: the
// label and the text before the arrow's answer (blanks line the arrows up
// in the fixed-pitch font).
enum class Source {
  kIECookies,
  kIECache,
  kIEHistory,
  kNetCookies,
  kNetCache,
  kNetHistory,
  kGarbage
};
struct StatRow {
  ui::Label TFrminit::*label;
  Source source;
  std::string_view prefix;
};
constexpr auto kStatLines = std::to_array<StatRow>({
    {&TFrminit::Label1, Source::kIECookies, "Internet Explorer COOKIES -> "},
    {&TFrminit::Label2, Source::kIECache, "Internet Explorer CACHE   -> "},
    {&TFrminit::Label3, Source::kIEHistory, "Internet Explorer HISTORY -> "},
    {&TFrminit::Label4, Source::kNetCookies, "Firefox/Netscape COOKIES  -> "},
    {&TFrminit::Label5, Source::kNetCache, "Firefox/Netscape CACHE    -> "},
    {&TFrminit::Label6, Source::kNetHistory, "Firefox/Netscape HISTORY  -> "},
    {&TFrminit::Label7, Source::kGarbage, "Other GARBAGE DATA        -> "},
});
static_assert(kStatLines.size() == 7);

// The six quick buttons: the category each one cleans and the words of its
// question.
enum class Question { kBytes, kCountAndBytes };
struct QuickRow {
  ui::Button TFrminit::*button;
  const BrowserCategory* category;
  Question question;
  std::string_view words;
};
constexpr auto kQuickButtons = std::to_array<QuickRow>({
    {&TFrminit::btnieh, &kIEHistoryCategory, Question::kCountAndBytes, " IE history "},
    {&TFrminit::btnnsh, &kNetHistoryCategory, Question::kCountAndBytes, " Netscape/FFox history "},
    {&TFrminit::btnieck, &kIECookieCategory, Question::kBytes, " bytes of IE cookies "},
    {&TFrminit::btnnsck, &kNetCookieCategory, Question::kBytes, " bytes of Netscape/FFox cookies "},
    {&TFrminit::btniech, &kIECacheCategory, Question::kCountAndBytes, " IE cache "},
    {&TFrminit::btnnsch, &kNetCacheCategory, Question::kCountAndBytes, " Netscape/FFox cache "},
});
static_assert(kQuickButtons.size() == 6);
constexpr std::string_view kNothingRemoved = "Nothing removed from your system.";

// The windows the buttons open. Kept rows come in the fixed order in which
// the kept windows are created: own cleanup list, locked-file notice,
// cookie saver, cache viewer, statistics, Run and Find history, AOL,
// startup review (the non-internet module is created with the other
// modules, before them). A button without a row opens nothing.
constexpr auto kWindows = std::to_array<WindowRow>({
    {&TFrminit::cmdnon, "Frmnon", Life::kKept, true},
    {&TFrminit::cmddir, "Frmdir", Life::kKept, false},
    {nullptr, "FrmlockedMsg", Life::kKept, false},
    {nullptr, kCookieSaverWindow, Life::kKept, false},
    {&TFrminit::Cmdviewer, "Frmviewer", Life::kKept, false},
    {nullptr, "Frmstats", Life::kKept, false},
    {&TFrminit::Button4, "Frmreg", Life::kKept, false},
    {nullptr, "FrmAOL", Life::kKept, false},
    {&TFrminit::cmdurl, "Frmurls", Life::kOneShot, false},
    {&TFrminit::CmdAutoForm, "FrmAutoPwd", Life::kOneShot, false},
    {&TFrminit::CmdPerformance, "FrmPerformance", Life::kOneShot, false},
    {&TFrminit::Cmdothers, "Frmdocs", Life::kOneShot, false},
    {&TFrminit::CmdIMLogs, "FrmIM", Life::kOneShot, false},
    {&TFrminit::Cmdstartup, kStartupReviewWindow, Life::kKept, false},
    {&TFrminit::CmdDups, "FrmDups", Life::kOneShot, false},
    {&TFrminit::CmdPicCache, "FrmPicCache", Life::kOneShot, false},
    {&TFrminit::cmdabout, "Frmabout", Life::kOneShot, false},
    {&TFrminit::CmdLock, "Frmlocked", Life::kOneShot, false},
});
static_assert(kWindows.size() == 18);

// What each automation flag runs on a timer tick, in the flags' order: a
// browser category's routine, or else a non-internet routine.
struct AutoRow {
  const BrowserCategory* browser;
  NonCleanup non;
};
constexpr auto kAutoCleanups = std::to_array<AutoRow>({
    {&kIECacheCategory, {}},
    {&kIECookieCategory, {}},
    {&kIEHistoryCategory, {}},
    {&kNetCacheCategory, {}},
    {&kNetCookieCategory, {}},
    {&kNetHistoryCategory, {}},
    {nullptr, NonCleanup::kDumpFiles},
    {nullptr, NonCleanup::kTempFiles},
    {nullptr, NonCleanup::kRecentDocs},
});
static_assert(kAutoCleanups.size() == kAutoCleanCount);
constexpr int kMillisecondsPerMinute = 60000;

constexpr std::string_view kRunServicesKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kCleanupValue = "Cleanup";

const ui::Font kStatsFont{"Courier New", 8};

// A ShellExecute result that means failure.
bool OpenFailed(int result) { return result <= 32; }

std::string Replace(std::string_view text, std::string_view with) {
  std::string out(text);
  size_t at = out.find("{}");
  if (at != std::string::npos) out.replace(at, 2, with);
  return out;
}

}  // namespace

TFrminit::TFrminit(Uglobalvars& g, const WindowFactories& factories)
    : ui::Window(g.Windows(), "Frminit", std::string(kCaption), 605, 524),
      g_(g),
      factories_(factories) {
  SetPositionRule(ui::Position::kScreenCenter);

  GrpStats.SetColor(kStatsColor);
  for (const StatRow& line : kStatLines) {
    (this->*line.label).SetFont(kStatsFont);
    (this->*line.label).SetColor(kStatsColor);
  }
  ui::Font bold = kStatsFont;
  bold.bold = true;
  Label10.SetFont(bold);
  Label10.SetColor(kStatsColor);

  for (const ButtonHint& h : kButtonHints) (this->*h.button).SetHint(std::string(h.hint));
  for (const TickRow& t : kTicks) (this->*t.box).SetHint(std::string(t.hint));

  OnCreate = [this] { FormCreate(); };
  OnCloseQuery = [this](bool& can_close) { FormCloseQuery(can_close); };

  OnSessionEnd = [this](bool ending) { FormSessionEnd(ending); };

  auto wire = [this](ui::Button& button, void (TFrminit::*handler)()) {
    Wire(button, [this, handler] { (this->*handler)(); });
  };
  wire(CmdCleanAll, &TFrminit::CmdCleanAllClick);
  wire(btnieh, &TFrminit::btniehClick);
  wire(btnnsh, &TFrminit::btnnshClick);
  wire(btnieck, &TFrminit::btnieckClick);
  wire(btnnsck, &TFrminit::btnnsckClick);
  wire(btniech, &TFrminit::btniechClick);
  wire(btnnsch, &TFrminit::btnnschClick);
  wire(Cmdcontact, &TFrminit::CmdcontactClick);
  wire(Button1, &TFrminit::Button1Click);
  wire(Button2, &TFrminit::Button2Click);
  wire(cmdexit, &TFrminit::cmdexitClick);
  wire(CmdSpyware, &TFrminit::CmdSpywareClick);
  wire(Cmdsettings, &TFrminit::CmdsettingsClick);
  Timer1.OnTimer = [this] { Timer1Timer(); };
  for (const WindowRow& row : kWindows) {
    if (row.button) Wire(this->*row.button, [this, &row] { OpenWindow(row); });
  }
}

std::span<const WindowRow> TFrminit::WindowTable() { return kWindows; }

void TFrminit::Wire(ui::Button& button, std::function<void()> handler) {
  button.OnClick = [this, handler = std::move(handler)] {
    if (g_.Busy()) return;
    handler();
    g_.RunDeferredClose();
  };
}

// ---- Start-up ---------------------------------------------------------

void TFrminit::FormCreate() {
  auto& sys = g_.Platform().system;

  LblDate.SetCaption(FormatDate(sys.ShortDateFormat(), sys.Now()));
  g_.FormBaseFolders();
  g_.VersionCode = GetWindowsVersionCode(sys.Version());
  g_.WindowsXP = g_.VersionCode == kVersionXP;
  g_.AutoCleanup = false;
  g_.SpecialFolderMissing = false;
  g_.LockedFiles.Clear();
  Image1.SetBounds({0, 0, 800, 600});
  Image1.ClearImage();
  g_.FormDataPaths();
  g_.RememberSize(*this);

  // First run: the drive scan records what the cleaners look for.
  if (!g_.Platform().fs.Exists(g_.ScanResultsFile)) ShowDriveScan();

  g_.ReadSettings();
  SetTicksFromSettings();
  LoadSkin();
  CreateModules();
  RefreshStatistics();

  {
    TFrmenter splash(g_);
    splash.SetOwnerWindow(this);
    splash.ShowModal();
  }
  if (g_.VersionCode == kVersionVista && g_.settings.VistaMsg) {
    TFrmMiscMsg notice(g_);
    notice.SetOwnerWindow(this);
    notice.ShowModal();
  }
}

void TFrminit::SetTicksFromSettings() {
  for (const TickRow& t : kTicks) (this->*t.box).SetChecked(g_.settings.*t.setting);
}

void TFrminit::ShowDriveScan(ui::Window* owner) {
  std::unique_ptr<ui::Window> scan = factories_.Make(kDriveScanWindow, g_, *this);
  if (!scan) return;
  if (owner) scan->SetOwnerWindow(owner);
  scan->ShowModal();
}

void TFrminit::LoadSkin() {
  Image1.ClearImage();
  g_.SkinImagePath = SkinPicturePath(g_, g_.settings.Skin);
  if (g_.settings.Skin == kNoSkin) return;
  if (!ShowSkin(g_, Image1)) System().ShowMessage(kSkinMissing);
}

// Makes one cleaner module with its factory, sets its collect-results flag
// and creates it hidden (its creation runs the survey).
template <class M>
static void StartModule(std::unique_ptr<M>& slot, const WindowFactory<M>& make, Uglobalvars& g,
                        TFrminit& owner) {
  if (make) slot = make(g, owner);
  if (!slot) return;
  slot->SetOwnerWindow(&owner);
  slot->SetCollectResults(g.settings.Confirms);
  slot->Create();
}

void TFrminit::CreateModules() {
  StartModule(Frmnon, factories_.non_internet, g_, *this);
  StartModule(Frmie, factories_.internet_explorer, g_, *this);
  StartModule(Frmnet, factories_.netscape, g_, *this);
}

void TFrminit::CreateKeptWindows() {
  for (const WindowRow& row : kWindows) {
    if (row.life != Life::kKept || Owned(row.window)) continue;
    std::unique_ptr<ui::Window> window = factories_.Make(row.window, g_, *this);
    if (!window) continue;
    window->SetOwnerWindow(this);
    window->Create();
    kept_.emplace_back(row.window, std::move(window));
  }
}

ui::Window* TFrminit::Owned(std::string_view name) const {
  for (ui::Window* module :
       {static_cast<ui::Window*>(Frmnon.get()), static_cast<ui::Window*>(Frmie.get()),
        static_cast<ui::Window*>(Frmnet.get())}) {
    if (module && module->Name() == name) return module;
  }
  for (const auto& [kept_name, window] : kept_) {
    if (kept_name == name) return window.get();
  }
  return nullptr;
}

// "Review Spyware": the system log, written from the startup review's lists.
// Busy while it runs: its loading lets messages run, and a second click
// then would truncate the log being written.
void TFrminit::CmdSpywareClick() {
  auto* review = dynamic_cast<StartupReview*>(Owned(kStartupReviewWindow));
  if (!review) return;
  Uglobalvars::BusyScope busy(g_);
  review->WriteSystemLog();
}

void TFrminit::CmdsettingsClick() {
  {
    TFrmconfmsg settings(g_, *this);
    settings.SetOwnerWindow(this);
    settings.Create();
    settings.ShowModal();
    settings.StoreSettings();
  }
  for (CleanerModule* module :
       {static_cast<CleanerModule*>(Frmnon.get()), static_cast<CleanerModule*>(Frmie.get()),
        static_cast<CleanerModule*>(Frmnet.get())}) {
    if (module) module->SetCollectResults(g_.settings.Confirms);
  }
  if (!g_.AutoCleanup) return;
  Minimise();
  Timer1.SetInterval(g_.AutoCleanupInterval * kMillisecondsPerMinute);
  Timer1.SetTimerEnabled(true);
}

void TFrminit::Timer1Timer() {
  if (g_.Busy()) return;
  Uglobalvars::BusyScope busy(g_);
  for (size_t i = 0; i < kAutoCleanups.size(); ++i) {
    if (!g_.Automation[i]) continue;
    const AutoRow& row = kAutoCleanups[i];
    if (row.browser) {
      if (BrowserModule* module = (this->*row.browser->module).get())
        (module->*row.browser->clean)();
    } else if (Frmnon) {
      Frmnon->Clean(row.non);
    }
  }
}

void TFrminit::OpenWindow(const WindowRow& row) {
  if (row.life == Life::kKept) {
    ui::Window* kept = Owned(row.window);
    if (!kept) return;
    if (auto* prepared = dynamic_cast<PreparedWindow*>(kept)) {
      Uglobalvars::BusyScope busy(g_);
      prepared->PrepareToShow();
    }
    kept->ShowModal();
  } else {
    std::unique_ptr<ui::Window> window = factories_.Make(row.window, g_, *this);
    if (!window) return;
    window->SetOwnerWindow(this);
    if (auto* prepared = dynamic_cast<PreparedWindow*>(window.get())) prepared->PrepareToShow();
    window->ShowModal();
  }
  if (row.refresh_statistics) RefreshStatistics();
}

// ---- Statistics -------------------------------------------------------

void TFrminit::RefreshStatistics() {
  auto figures = [this](Source s) -> SurveyFigures {
    switch (s) {
      case Source::kIECookies:
        return Frmie ? Frmie->CookieFigures() : SurveyFigures{};
      case Source::kIECache:
        return Frmie ? Frmie->CacheFigures() : SurveyFigures{};
      case Source::kIEHistory:
        return Frmie ? Frmie->HistoryFigures() : SurveyFigures{};
      case Source::kNetCookies:
        return Frmnet ? Frmnet->CookieFigures() : SurveyFigures{};
      case Source::kNetCache:
        return Frmnet ? Frmnet->CacheFigures() : SurveyFigures{};
      case Source::kNetHistory:
        return Frmnet ? Frmnet->HistoryFigures() : SurveyFigures{};
      case Source::kGarbage:
        return Frmnon ? Frmnon->OtherGarbageFigures() : SurveyFigures{};
    }
    return {};
  };

  for (const StatRow& line : kStatLines) {
    SurveyFigures f = figures(line.source);
    std::string text(line.prefix);
    if (f.files > 0) {
      text += "FOUND " + std::to_string(f.files) + " files, consuming " + std::to_string(f.bytes) +
              " bytes.";
    } else {
      text += kNoneFound;
    }
    (this->*line.label).SetCaption(std::move(text));
  }

  SurveyFigures ie = Frmie ? Frmie->TotalFigures() : SurveyFigures{};
  SurveyFigures net = Frmnet ? Frmnet->TotalFigures() : SurveyFigures{};
  SurveyFigures garbage = figures(Source::kGarbage);
  Label10.SetCaption(
      "TOTAL FILES FOUND = " + std::to_string(net.files + ie.files + garbage.files) +
      "    TOTAL BYTES WASTED = " + std::to_string(net.bytes + ie.bytes + garbage.bytes));
}

void TFrminit::SaveCleanupTicks() {
  auto key = g_.OpenSettingsKey(true);
  if (!key) return;
  for (const TickRow& t : kTicks) key->WriteDword(t.value, (this->*t.box).Checked() ? 1 : 0);
}

// ---- Buttons of this window -------------------------------------------

// "Contact Support": the support address by mail.
void TFrminit::CmdcontactClick() {
  System().ShowMessage(kContactIntro);
  std::string link =
      "mailto:" + std::string(kSupportAddress) + "?subject=" + std::string(kSupportSubject);
  for (size_t at = link.find(' '); at != std::string::npos; at = link.find(' ', at))
    link.replace(at, 1, "%20");
  if (OpenFailed(g_.Platform().shell.Open(link, "", "", platform::ShowCommand::kNormal)))
    System().ShowMessage(std::string(kNoMailClient) + std::string(kSupportAddress));
}

// "Help": the help page installed beside the program.
void TFrminit::Button1Click() {
  if (OpenFailed(g_.Platform().shell.Open(g_.ProgramDir + "\\index_t.htm", "", "",
                                          platform::ShowCommand::kMaximised)))
    System().Error(kHelpMissing);
}

// "More Software": the product page beside the program, else the maker's
// web page.
void TFrminit::Button2Click() {
  auto& shell = g_.Platform().shell;
  constexpr auto kMaximised = platform::ShowCommand::kMaximised;
  if (OpenFailed(shell.Open(g_.ProgramDir + "\\" + "download.htm", "", "", kMaximised)))
    shell.Open(kMakerWebPage, "", "", kMaximised);
}

// "Exit": the only place the ticks are stored.
void TFrminit::cmdexitClick() {
  SaveCleanupTicks();
  Close();
}

// ---- Quick buttons ----------------------------------------------------

// One quick button: asks (warning box, Yes/No) when its category found
// something, then cleans it and refreshes the statistics.
void TFrminit::QuickCleanup(ui::Button TFrminit::*button) {
  const QuickRow* row = nullptr;
  for (const QuickRow& r : kQuickButtons) {
    if (r.button == button) row = &r;
  }
  if (!row) return;
  const BrowserCategory& c = *row->category;
  BrowserModule* module = (this->*c.module).get();
  const SurveyFigures f = module ? (module->*c.figures)() : SurveyFigures{};
  if (f.files <= 0) {
    if (g_.settings.Confirms) g_.SetResult(c.slot, c.none_found);
    return;
  }
  std::string question;
  if (row->question == Question::kBytes) {
    question = std::to_string(f.bytes) + std::string(row->words) +
               "have been found on your system. Without removing these files, some " +
               "websites may track which webpages and websites you have been visiting. " +
               "Would you like me to remove these files for you?";
  } else {
    question = std::to_string(f.files) + std::string(row->words) +
               "files were found on your system. This consumes " + std::to_string(f.bytes) +
               " bytes of your hard drive. " + "Would you like me to remove these files for you?";
  }
  if (System().MessageBox(ui::BoxKind::kWarning, ui::Buttons::kYesNo, question) !=
      ui::Answer::kYes) {
    System().Information(kNothingRemoved);
    return;
  }
  {
    Uglobalvars::BusyScope busy(g_);
    (module->*c.clean)();
  }
  RefreshStatistics();
}

void TFrminit::btniehClick() { QuickCleanup(&TFrminit::btnieh); }
void TFrminit::btnnshClick() { QuickCleanup(&TFrminit::btnnsh); }
void TFrminit::btnieckClick() { QuickCleanup(&TFrminit::btnieck); }
void TFrminit::btnnsckClick() { QuickCleanup(&TFrminit::btnnsck); }
void TFrminit::btniechClick() { QuickCleanup(&TFrminit::btniech); }
void TFrminit::btnnschClick() { QuickCleanup(&TFrminit::btnnsch); }

// ---- Closing ----------------------------------------------------------

void TFrminit::FormCloseQuery(bool& can_close) {
  if (g_.CloseMustWait()) {
    // An operation is letting messages run, or a window is shown modally
    // (perhaps one the close releases): close once they have finished.
    g_.DeferClose([this] { Close(); });
    can_close = false;
    return;
  }
  ReleaseModules();
  FinishRun();
}

// Log-off or shut-down: Windows ends the process after it without a close,
// so the boot cleanup and the size are written now (the windows stay, as a
// modal one may still run). When the end is cancelled the run goes on, and
// its close writes them again.
void TFrminit::FormSessionEnd(bool ending) {
  if (!ending) {
    finished_ = false;
    return;
  }
  if (finished_) return;
  FinishRun();
  StoreSize();
}

void TFrminit::FinishRun() {
  if (finished_) return;
  finished_ = true;
  WriteBootCleanup();
}

void TFrminit::ReleaseModules() {
  Frmnon.reset();
  Frmie.reset();
  Frmnet.reset();
}

bool TFrminit::WriteBootCleanup() {
  auto& fs = g_.Platform().fs;
  if (g_.BatchFile.empty()) return true;
  if (!g_.LockedFiles.IsEmpty()) {
    // In the OEM code page, which the command interpreter reads batch
    // files in; a command it cannot hold is left out.
    std::vector<std::string> lines;
    for (const std::string& command : g_.LockedFiles.Entries()) {
      if (auto oem = g_.Platform().system.OemText(command)) lines.push_back(std::move(*oem));
    }
    lines.push_back("Exit");
    // Written beside it first, so a failed write leaves the old file whole.
    const std::string temp = g_.DataDir + "\\vostind.tmp";
    bool written = static_cast<bool>(fs.WriteLines(temp, lines));
    if (written) {
      written = fs.Exists(g_.BatchFile) ? static_cast<bool>(fs.ReplaceFile(temp, g_.BatchFile))
                                        : static_cast<bool>(fs.MoveFile(temp, g_.BatchFile));
    }
    if (!written) {
      fs.DeleteFile(temp);
      System().Error(Replace(kBatchNotWritten, g_.BatchFile));
      return false;
    }
  }
  if (fs.Exists(g_.BatchFile)) RegisterBootCleanup();
  return true;
}

void TFrminit::RegisterBootCleanup() {
  auto& registry = g_.Platform().registry;
  auto key =
      registry.Open(platform::Hive::kCurrentUser, kRunServicesKey, false, platform::Access::kFull);
  if (!key)
    key = registry.Open(platform::Hive::kCurrentUser, kRunKey, false, platform::Access::kFull);
  if (!key) return;
  if (g_.settings.Lockedj) {
    // Quoted, so a path with blanks is run as one command.
    key->WriteString(kCleanupValue, "\"" + g_.BatchFile + "\"");
  } else if (key->ValueExists(kCleanupValue)) {
    key->DeleteValue(kCleanupValue);
  }
}

}  // namespace core
