// The real program's entry: the Win32 start-up code calls AppMain with the
// real platform and window system.
#include "core/application.h"
#include "ui/app.h"

namespace {

// The windows of this build, made for the main window.
core::WindowFactories ProgramWindows() { return {}; }

}  // namespace

int AppMain(platform::Platform& platform, ui::WindowSystem& windows) {
  core::Application app(platform, windows, ProgramWindows());
  return app.Run();
}
