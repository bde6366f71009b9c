#include "core/program_windows.h"

#include <memory>

#include "browsers/ie.h"
#include "browsers/net.h"
#include "browsers/scandrvform.h"
#include "core/frmlockedmsg.h"
#include "core/frmstats.h"
#include "desktop/frmdir.h"
#include "desktop/frmurls.h"
#include "desktop/non.h"

namespace core {

WindowFactories ProgramWindows() {
  WindowFactories f;
  f.non_internet = [](Uglobalvars& g, ui::Window&) {
    return std::make_unique<desktop::TFrmnon>(g);
  };
  f.internet_explorer = [](Uglobalvars& g, ui::Window&) {
    return std::make_unique<browsers::TFrmie>(g);
  };
  f.netscape = [](Uglobalvars& g, ui::Window&) { return std::make_unique<browsers::TFrmnet>(g); };
  f.drive_scan = [](Uglobalvars& g, ui::Window&) {
    return std::make_unique<browsers::TFrmscandrv>(g);
  };
  f.own_list = [](Uglobalvars& g, ui::Window&) { return std::make_unique<desktop::TFrmdir>(g); };
  f.clean_own_list = [](ui::Window& w) { dynamic_cast<desktop::TFrmdir&>(w).cmdcleanClick(); };
  f.locked_notice = [](Uglobalvars& g, ui::Window&) { return std::make_unique<TFrmlockedMsg>(g); };
  f.statistics = [](Uglobalvars& g, ui::Window&) { return std::make_unique<TFrmstats>(g); };
  f.url_history = [](Uglobalvars& g, ui::Window&) {
    return std::make_unique<desktop::TFrmurls>(g);
  };
  f.remove_all_urls = &desktop::TFrmurls::RemoveAll;
  return f;
}

}  // namespace core
