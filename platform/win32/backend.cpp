#include "platform/win32/backend.h"

namespace win32 {

Backend::Backend()
    : fs_(MakeFileSystem()),
      registry_(MakeRegistry()),
      ini_(MakeIni()),
      shell_(MakeShell()),
      processes_(MakeProcesses()),
      system_(MakeSystemInfo()),
      credentials_(MakeCredentials()),
      platform_{*fs_, *registry_, *ini_, *shell_, *processes_, *system_, credentials_.get()} {}

}  // namespace win32
