// The whole platform as one bundle of references, handed to the program's
// shared module and every window. Backends (win32, sim) own the objects.
#pragma once

#include "platform/credentials.h"
#include "platform/filesystem.h"
#include "platform/ini.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sysinfo.h"

namespace platform {

struct Platform {
  FileSystem& fs;
  Registry& registry;
  Ini& ini;
  Shell& shell;
  Processes& processes;
  SystemInfo& system;
  // The stored web log-ins; null where a backend has none.
  Credentials* credentials = nullptr;
};

}  // namespace platform
