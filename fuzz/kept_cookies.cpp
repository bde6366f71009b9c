// The cookie keep list ("CKK1".."CKK200" in section "UCKK5" of the
// scan-results file), which the cookie saver writes and a user may edit: every
// name it yields is then kept, whatever bytes the file holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "browsers/ie.h"
#include "core/uglobalvars.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace {

// One machine and one window for all inputs; each input replaces the file.
struct Setup {
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;
  std::unique_ptr<browsers::TFrmie> w;

  Setup() {
    g = std::make_unique<core::Uglobalvars>(m.Platform(), ws);
    g->FormBaseFolders();
    g->FormDataPaths();
    w = std::make_unique<browsers::TFrmie>(*g);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup s;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  s.m.Builder().File(s.g->ScanResultsFile, bytes);
  s.w->LoadKeptCookies();
  for (const std::string& name : s.w->KeptCookies().Entries()) {
    if (name.empty() || !s.w->IsKeptCookie(name)) std::abort();
  }
  // A name that is not on the list, whatever it holds, is simply not kept.
  s.w->IsKeptCookie(std::string(bytes.substr(0, 300)));
  return 0;
}
