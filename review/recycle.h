// SendToRecycleBin: moves one file or folder to the Recycle Bin for the
// review windows that let the user pick files (duplicates, media). Where the
// item would be deleted for good instead (a network folder, a drive without
// a Recycle Bin), the shell asks the user first, whatever `ask` says.
#pragma once

#include <string>
#include <string_view>

#include "platform/shell.h"

namespace review {

struct RecycleOutcome {
  bool recycled = false;
  // Set when the attempt went wrong in an unexpected way (an exception, not
  // a refusal by the shell): "Tried to recycle file: " + path + CR LF + the
  // error's own text, for the caller to show.
  std::string error;
};

// `ask`: whether the shell may ask for confirmation. A path holding "*" or
// "?" is refused without a shell call: the shell would take it as a
// wildcard and recycle other files too.
RecycleOutcome SendToRecycleBin(platform::Shell& shell, std::string_view path, bool ask);

}  // namespace review
