// The current user's stored log-ins in Windows' Credential Manager, where
// Internet Explorer keeps the user names and passwords of web sites that
// asked through HTTP authentication (generic credentials whose target
// names begin with "Microsoft_WinInet_"). Windows before XP has no
// Credential Manager.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform {

class Credentials {
 public:
  virtual ~Credentials() = default;

  // CredEnumerate: target names of the user's credentials matching
  // `filter` (a prefix followed by "*"); nullopt when the system has no
  // Credential Manager (the function is looked up at run time).
  virtual std::optional<std::vector<std::string>> List(std::string_view filter) = 0;
  // CredDelete of the generic credential with this target name.
  virtual Status DeleteGeneric(std::string_view target) = 0;
};

}  // namespace platform
