// The program as a whole: the shared module, the main window and the
// windows the factories supply, started in the fixed order. The program's
// top (app/) runs it on the real platform with every window's factory;
// tests run it on the simulated machine.
#pragma once

#include <memory>

#include "core/frminit.h"
#include "core/modules.h"
#include "core/uglobalvars.h"
#include "platform/platform.h"
#include "ui/window_system.h"

namespace core {

class Application {
 public:
  Application(platform::Platform& platform, ui::WindowSystem& windows,
              WindowFactories factories = {});
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Sets the title, creates the main window (its creation runs the
  // start-up sequence and the windows it shows) and then the kept windows.
  void Start();
  // Shows the main window and runs until it closes.
  void RunMainLoop();
  // Start() and RunMainLoop(); the program's exit code.
  int Run();

  Uglobalvars& Globals() { return g_; }
  TFrminit& Main() { return *main_; }

 private:
  Uglobalvars g_;
  WindowFactories factories_;
  std::unique_ptr<TFrminit> main_;
};

}  // namespace core
