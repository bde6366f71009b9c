// How the windows built elsewhere plug into the start-up and the main
// window. The three cleaner modules (non-internet, Internet Explorer,
// Netscape/Firefox) are hidden windows whose creation runs their survey;
// the main window reads their survey figures for its statistics lines and
// sets their collect-results flags. The application receives one factory
// per window of the program from the program's top (app/), which alone
// knows every folder; a window without a factory is not part of that
// build, and its place stays empty (figures 0, no button opens it).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "ui/window.h"

namespace core {

class Uglobalvars;

// A file count and a byte total of one category, as a survey found them.
struct SurveyFigures {
  int64_t files = 0;
  int64_t bytes = 0;
};

// A cleaner module: a window created hidden and owned by the main window.
// The main window constructs it, sets its collect-results flag, then calls
// Create(), whose OnCreate must run the survey.
class CleanerModule : public ui::Window {
 public:
  using ui::Window::Window;
  // When on, the module's cleanup routines write their result slots. The
  // main window sets it from `Confirms` at start-up and after the settings
  // window closes.
  bool CollectResults() const { return collect_results_; }
  void SetCollectResults(bool on) { collect_results_ = on; }

 private:
  bool collect_results_ = false;
};

// The Internet Explorer and the Netscape/Firefox module.
class BrowserModule : public CleanerModule {
 public:
  using CleanerModule::CleanerModule;
  virtual SurveyFigures CookieFigures() const = 0;
  virtual SurveyFigures CacheFigures() const = 0;
  virtual SurveyFigures HistoryFigures() const = 0;
  // The module's own totals (the sum of its three categories).
  virtual SurveyFigures TotalFigures() const = 0;
  // Its three cleanup routines (CleanIECookies / CleanNetCookies, ...):
  // each deletes what the survey found, lowers the figures and leaves its
  // result text. A module without one does nothing.
  virtual void CleanCookies() {}
  virtual void CleanHistory() {}
  virtual void CleanCache() {}
};

// The non-internet routines "Cleanup All" runs.
enum class NonCleanup {
  kRecycleBin,
  kDumpFiles,
  kRecentDocs,
  kTempFiles,
  kActiveX,
  kMediaCache,
  kJunkFiles,
};

// The non-internet module; the main window shows its "other garbage"
// figures (a 32-bit count and byte total in the module, widened here).
class NonInternetModule : public CleanerModule {
 public:
  using CleanerModule::CleanerModule;
  virtual SurveyFigures OtherGarbageFigures() const = 0;
  // The survey count of one routine's category (the Recycle Bin has none
  // and gives 0), and the routine itself. A module without them does
  // nothing.
  virtual int64_t CleanupCount(NonCleanup) const { return 0; }
  virtual void Clean(NonCleanup) {}
};

// The name of the startup review window.
inline constexpr std::string_view kStartupReviewWindow = "Frmstartup";

// Makes one window, owned by `owner` (the main window), not yet created.
template <class W>
using WindowFactory = std::function<std::unique_ptr<W>(Uglobalvars& g, ui::Window& owner)>;

// The factory of a window class that is constructed from the shared module.
template <class W, class Base = ui::Window>
WindowFactory<Base> Factory() {
  return [](Uglobalvars& g, ui::Window&) { return std::make_unique<W>(g); };
}

// A window that gets ready each time a button of the main window opens it,
// before it is shown (a kept window refilling its lists, for example).
class PreparedWindow {
 public:
  virtual ~PreparedWindow() = default;
  virtual void PrepareToShow() = 0;
};

// The startup review window as the main window uses it: "Review Startup"
// loads its lists before showing it, and "Review Spyware" writes the
// system log from them.
class StartupReview : public ui::Window, public PreparedWindow {
 public:
  using ui::Window::Window;
  virtual void LoadStartupLists() = 0;
  virtual void LoadBhoList() = 0;
  // Writes the system log and asks the shell to open it.
  virtual void WriteSystemLog() = 0;
};

// The cookie saver: a kept window that the settings window's "Keep Cookies"
// fills (the cookie files found, the keep list, the first cookie's
// contents) and shows modally.
inline constexpr std::string_view kCookieSaverWindow = "Frmsavecookie";
class CookieSaver : public ui::Window {
 public:
  using ui::Window::Window;
  // Fills the window's lists and shows it modally; "Return" stores the
  // keep list.
  virtual void OpenKeepList() = 0;
};

// The name of the drive-scan window, shown on the first run.
inline constexpr std::string_view kDriveScanWindow = "Frmscandrv";

struct WindowFactories {
  // The cleaner modules, created hidden by the main window's creation.
  WindowFactory<NonInternetModule> non_internet;   // TFrmnon
  WindowFactory<BrowserModule> internet_explorer;  // TFrmie
  WindowFactory<BrowserModule> netscape;           // TFrmnet
  // Every other window, by its name: the drive scan of the first run and
  // the windows of the main window's table (kept or made for one showing).
  // A name without a factory is not part of this build.
  std::map<std::string, WindowFactory<ui::Window>, std::less<>> windows;

  // Makes the named window; null when this build has none.
  std::unique_ptr<ui::Window> Make(std::string_view name, Uglobalvars& g, ui::Window& owner) const {
    auto it = windows.find(name);
    return it != windows.end() && it->second ? it->second(g, owner) : nullptr;
  }

  // Cleanup All's last two steps, which reach windows of another folder:
  // the URL history's four "Remove All" actions on a fresh window that is
  // never shown, and "Cleanup ALL" of the kept own-list window.
  std::function<void(Uglobalvars& g, ui::Window& owner)> remove_all_urls;
  std::function<void(ui::Window& own_list)> clean_own_list;
};

}  // namespace core
