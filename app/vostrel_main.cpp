// The real program's entry: the Win32 start-up code calls AppMain with the
// real platform and window system.
#include "app/app_main.h"
#include "app/program_windows.h"
#include "core/application.h"

int AppMain(platform::Platform& platform, ui::WindowSystem& windows) {
  core::Application app(platform, windows, app::ProgramWindows());
  return app.Run();
}
