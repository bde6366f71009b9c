// vostdemo.exe: shows the demonstration window until it is closed.
#include "app/app_main.h"
#include "demo/frmdemo.h"

int AppMain(platform::Platform& platform, ui::WindowSystem& windows) {
  windows.SetTitle("Vostrel");
  TFrmdemo frm(windows, platform.fs.Drives());
  frm.Show();
  windows.RunMainLoop(frm);
  return 0;
}
