// The entry point each executable supplies. The Win32 start-up code
// (app/winmain.cpp) builds the real platform and window system and calls
// it.
#pragma once

#include "platform/platform.h"
#include "ui/window_system.h"

int AppMain(platform::Platform& platform, ui::WindowSystem& windows);
