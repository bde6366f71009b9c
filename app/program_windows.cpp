#include "app/program_windows.h"

#include "browsers/aol.h"
#include "browsers/autopwd.h"
#include "browsers/ie.h"
#include "browsers/net.h"
#include "browsers/savecookie.h"
#include "browsers/scandrvform.h"
#include "browsers/viewer.h"
#include "core/frmabout.h"
#include "core/frminit.h"
#include "core/frmlocked.h"
#include "core/frmlockedmsg.h"
#include "core/frmperformance.h"
#include "core/frmstats.h"
#include "desktop/docs.h"
#include "desktop/frmdir.h"
#include "desktop/frmurls.h"
#include "desktop/non.h"
#include "desktop/reg.h"
#include "review/dups.h"
#include "review/im.h"
#include "review/piccache.h"
#include "review/startup.h"

namespace app {

namespace {

// The kept AOL window of the main window that owns `owner`'s windows; null
// when this run has none.
browsers::TFrmaol* AolWindow(ui::Window& owner) {
  auto* main = dynamic_cast<core::TFrminit*>(&owner);
  return main ? dynamic_cast<browsers::TFrmaol*>(main->Owned("FrmAOL")) : nullptr;
}

// The non-internet window, with its AOL row opening the AOL window and its
// "Cleanup All !" ending with that window's track deletion. The AOL window
// is made after the modules, so it is looked up when the row is used.
core::WindowFactory<core::NonInternetModule> NonInternetWindow() {
  return [](core::Uglobalvars& g, ui::Window& owner) {
    auto non = std::make_unique<desktop::TFrmnon>(g);
    non->OnAolCleanup = [&owner] {
      if (auto* aol = AolWindow(owner)) aol->ShowModal();
    };
    non->OnAolDeleteTracks = [&owner] {
      if (auto* aol = AolWindow(owner)) aol->DeleteAOLTracks();
    };
    return std::unique_ptr<core::NonInternetModule>(std::move(non));
  };
}

// The main window's cleaner module in `slot`, as its class; null when this
// run has none (or has released it).
template <class M, class Slot>
M* MainModule(ui::Window& owner, std::unique_ptr<Slot> core::TFrminit::*slot) {
  auto* main = dynamic_cast<core::TFrminit*>(&owner);
  return main ? dynamic_cast<M*>((main->*slot).get()) : nullptr;
}

// The cache viewer, reading the Netscape/Firefox module's cache folders
// when it fills its list.
core::WindowFactory<ui::Window> CacheViewerWindow() {
  return [](core::Uglobalvars& g, ui::Window& owner) {
    auto viewer = std::make_unique<browsers::TFrmviewer>(g);
    viewer->NetCacheFolders = [&owner] {
      std::vector<std::string> folders;
      auto* net = MainModule<browsers::TFrmnet>(owner, &core::TFrminit::Frmnet);
      if (!net) return folders;
      for (int i = 1; i <= browsers::kNetCacheListSize; ++i)
        folders.push_back(net->NetCacheList()[i]);
      return folders;
    };
    return std::unique_ptr<ui::Window>(std::move(viewer));
  };
}

// The cookie saver, listing the IE module's cookie files. It is made after
// the modules, and the module is looked up when the list is filled.
core::WindowFactory<ui::Window> CookieSaverWindow() {
  return [](core::Uglobalvars& g, ui::Window& owner) {
    auto saver = std::make_unique<browsers::TFrmsavecookie>(g);
    saver->IEModule = [&owner] {
      return MainModule<browsers::TFrmie>(owner, &core::TFrminit::Frmie);
    };
    return std::unique_ptr<ui::Window>(std::move(saver));
  };
}

}  // namespace

core::WindowFactories ProgramWindows() {
  core::WindowFactories f;
  f.non_internet = NonInternetWindow();
  f.internet_explorer = core::Factory<browsers::TFrmie, core::BrowserModule>();
  f.netscape = core::Factory<browsers::TFrmnet, core::BrowserModule>();
  f.windows[std::string(core::kDriveScanWindow)] = core::Factory<browsers::TFrmscandrv>();
  f.windows["Frmabout"] = core::Factory<core::TFrmabout>();
  f.windows["Frmreg"] = core::Factory<desktop::TFrmreg>();
  f.windows["Frmdocs"] = core::Factory<desktop::TFrmdocs>();
  f.windows["FrmIM"] = core::Factory<review::TFrmIM>();
  f.windows["Frmviewer"] = CacheViewerWindow();
  f.windows["FrmAOL"] = core::Factory<browsers::TFrmaol>();
  f.windows["FrmAutoPwd"] = core::Factory<browsers::TFrmAutoPwd>();
  f.windows["FrmPerformance"] = core::Factory<core::TFrmPerformance>();
  f.windows["Frmdir"] = core::Factory<desktop::TFrmdir>();
  f.windows["FrmlockedMsg"] = core::Factory<core::TFrmlockedMsg>();
  f.windows[std::string(core::kCookieSaverWindow)] = CookieSaverWindow();
  f.windows["Frmlocked"] = core::Factory<core::TFrmLocked>();
  f.windows["Frmstats"] = core::Factory<core::TFrmstats>();
  f.windows["Frmurls"] = core::Factory<desktop::TFrmurls>();
  // Cleanup All's steps in the own list and the URL history.
  f.clean_own_list = [](ui::Window& w) { dynamic_cast<desktop::TFrmdir&>(w).cmdcleanClick(); };
  f.remove_all_urls = &desktop::TFrmurls::RemoveAll;
  f.windows[std::string(core::kStartupReviewWindow)] = core::Factory<review::TFrmstartup>();
  f.windows["FrmDups"] = core::Factory<review::TFrmDups>();
  f.windows["FrmPicCache"] = core::Factory<review::TFrmPicCache>();
  return f;
}

}  // namespace app
