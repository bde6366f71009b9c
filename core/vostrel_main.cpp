// The real program's entry: the Win32 start-up code calls AppMain with the
// real platform and window system.
#include "core/application.h"
#include "core/program_windows.h"
#include "ui/app.h"

int AppMain(platform::Platform& platform, ui::WindowSystem& windows) {
  core::Application app(platform, windows, core::ProgramWindows());
  return app.Run();
}
