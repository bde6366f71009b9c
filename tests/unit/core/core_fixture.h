// Shared set-up for the tests of the program's core: a fresh simulated
// machine and headless window system per test, fake cleaner modules with
// chosen survey figures, and a file system wrapper that can make the
// Windows and system directory lookups fail.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/application.h"
#include "core/modules.h"
#include "core/uglobalvars.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace core::testing {

inline constexpr const char* kProgramDir = "C:\\Program Files\\Vostrel\\";
inline constexpr const char* kAppData = "C:\\Documents and Settings\\User\\Application Data";
inline const std::string kDataDir = std::string(kAppData) + "\\Vostreldata";
inline const std::string kScanFile = kDataDir + "\\vostscan6.ini";
inline const std::string kBatchFile = kDataDir + "\\vostind.bat";
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunServicesKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";

// A browser module with fixed figures; its totals are the sums.
class FakeBrowser : public BrowserModule {
 public:
  FakeBrowser(Uglobalvars& g, std::string name, SurveyFigures cookies, SurveyFigures cache,
              SurveyFigures history)
      : BrowserModule(g.Windows(), std::move(name), "fake", 300, 200),
        cookies_(cookies),
        cache_(cache),
        history_(history) {
    OnCreate = [this] { collect_at_survey = CollectResults(); };
  }
  ~FakeBrowser() override {
    if (released) *released = true;
  }
  SurveyFigures CookieFigures() const override { return cookies_; }
  SurveyFigures CacheFigures() const override { return cache_; }
  SurveyFigures HistoryFigures() const override { return history_; }
  SurveyFigures TotalFigures() const override {
    return {cookies_.files + cache_.files + history_.files,
            cookies_.bytes + cache_.bytes + history_.bytes};
  }

  std::optional<bool> collect_at_survey;
  bool* released = nullptr;

 private:
  SurveyFigures cookies_, cache_, history_;
};

class FakeNonInternet : public NonInternetModule {
 public:
  FakeNonInternet(Uglobalvars& g, SurveyFigures figures)
      : NonInternetModule(g.Windows(), "Frmnon", "Vostrel - Non Internet", 400, 300),
        garbage(figures) {
    OnCreate = [this] { collect_at_survey = CollectResults(); };
  }
  SurveyFigures OtherGarbageFigures() const override { return garbage; }
  // A test changes it as a cleanup inside the window would.
  SurveyFigures garbage;
  std::optional<bool> collect_at_survey;
};

// A plain window made by a factory, recording when it was made.
class FakeWindow : public ui::Window {
 public:
  FakeWindow(Uglobalvars& g, std::string name, std::vector<std::string>* log)
      : ui::Window(g.Windows(), name, name, 300, 200) {
    if (log) log->push_back("make " + name);
    OnCreate = [log, name] {
      if (log) log->push_back("create " + name);
    };
  }
};

inline WindowFactory<ui::Window> MakeFake(std::string name, std::vector<std::string>* log) {
  return [name, log](Uglobalvars& g, ui::Window&) {
    return std::make_unique<FakeWindow>(g, name, log);
  };
}

// A fresh machine and window system, and the program on them.
class CoreTest : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  WindowFactories factories;
  std::unique_ptr<Application> app;

  sim::MachineBuilder Builder() { return m.Builder(); }

  // Runs the start-up (main window creation and kept windows) on a new
  // application; a previous one is ended first, as a new program run.
  TFrminit& Start() {
    app.reset();
    app = std::make_unique<Application>(m.Platform(), ws, factories);
    app->Start();
    return app->Main();
  }
  Uglobalvars& G() { return app->Globals(); }
  TFrminit& Main() { return app->Main(); }

  std::vector<std::string> ModalWindows() const { return ws.ModalHistory(); }
  // Texts of every box shown so far.
  std::vector<std::string> Boxes() const { return ws.BoxTexts(); }
};

}  // namespace core::testing
