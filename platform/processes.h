// Running processes through ToolHelp and PSAPI, both looked up at run time
// because old Windows versions lack one or the other.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

struct ProcessEntry {
  uint32_t pid = 0;
  uint32_t parent_pid = 0;
  uint32_t threads = 0;
  std::string exe_name;  // szExeFile as the snapshot gives it
};

class Processes {
 public:
  virtual ~Processes() = default;

  // CreateToolhelp32Snapshot + Process32First/Next from kernel32;
  // nullopt when those functions are missing or the snapshot fails.
  virtual std::optional<std::vector<ProcessEntry>> Snapshot() = 0;
  // The main module's full path through PSAPI's GetModuleFileNameEx;
  // nullopt when PSAPI is missing or the process cannot be opened.
  virtual std::optional<std::string> MainModulePath(uint32_t pid) = 0;
  virtual Status Terminate(uint32_t pid) = 0;
};

}  // namespace platform
