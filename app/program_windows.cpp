#include "app/program_windows.h"

#include "browsers/ie.h"
#include "browsers/net.h"
#include "browsers/scandrvform.h"
#include "core/frmabout.h"
#include "desktop/docs.h"
#include "desktop/non.h"
#include "desktop/reg.h"
#include "review/dups.h"
#include "review/im.h"
#include "review/piccache.h"

namespace app {

core::WindowFactories ProgramWindows() {
  core::WindowFactories f;
  f.non_internet = core::Factory<desktop::TFrmnon, core::NonInternetModule>();
  f.internet_explorer = core::Factory<browsers::TFrmie, core::BrowserModule>();
  f.netscape = core::Factory<browsers::TFrmnet, core::BrowserModule>();
  f.windows[std::string(core::kDriveScanWindow)] = core::Factory<browsers::TFrmscandrv>();
  f.windows["Frmabout"] = core::Factory<core::TFrmabout>();
  f.windows["Frmreg"] = core::Factory<desktop::TFrmreg>();
  f.windows["Frmdocs"] = core::Factory<desktop::TFrmdocs>();
  f.windows["FrmIM"] = core::Factory<review::TFrmIM>();
  f.windows["FrmDups"] = core::Factory<review::TFrmDups>();
  f.windows["FrmPicCache"] = core::Factory<review::TFrmPicCache>();
  return f;
}

}  // namespace app
