// The Windows start-up code: builds the real platform and the Win32 window
// system and runs the executable's AppMain with them. Each executable links
// this object and supplies its own AppMain.
#include "platform/win32/util.h"

#include <objbase.h>

#include "app/app_main.h"
#include "platform/win32/backend.h"
#include "ui/win32/win32_window_system.h"

namespace {

// The last guard: whatever escaped the program is reported once, in a box
// that needs no part of the program to show, and the process ends with 1.
int ReportFatal(const wchar_t* text) {
  MessageBoxW(nullptr, text, L"Vostrel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The shell's "open", folder picker and file dialogs expect a
  // single-threaded COM apartment on the calling thread; without OLE1 DDE,
  // ShellExecute never waits on a DDE conversation.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  int rc = 1;
  try {
    win32::Backend backend;
    ui::Win32WindowSystem windows(static_cast<void*>(instance));
    rc = AppMain(backend.Get(), windows);
  } catch (...) {
    rc = ReportFatal(L"An unexpected error stopped the program.");
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return rc;
}

// mingw's start-up code calls WinMain unless the executable is linked with
// -municode; this forwards to the wide entry point either way.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int show) {
  return wWinMain(instance, previous, GetCommandLineW(), show);
}
