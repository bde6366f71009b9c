#include "core/program_windows.h"

#include <memory>

#include "browsers/ie.h"
#include "browsers/net.h"
#include "browsers/scandrvform.h"
#include "desktop/docs.h"
#include "desktop/non.h"
#include "desktop/reg.h"
#include "review/im.h"

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
  f.run_find_history = [](Uglobalvars& g, ui::Window&) {
    return std::make_unique<desktop::TFrmreg>(g);
  };
  f.viewed_trails = [](Uglobalvars& g, ui::Window&) {
    return std::make_unique<desktop::TFrmdocs>(g);
  };
  f.im_logs = [](Uglobalvars& g, ui::Window&) { return std::make_unique<review::TFrmIM>(g); };
  return f;
}

}  // namespace core
