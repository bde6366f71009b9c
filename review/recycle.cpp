#include "review/recycle.h"

#include <exception>

#include "platform/text.h"

namespace review {

RecycleOutcome SendToRecycleBin(platform::Shell& shell, std::string_view path, bool ask) {
  RecycleOutcome out;
  if (path.empty() || text::HasWildcards(path)) return out;
  try {
    out.recycled = shell.RecycleItem(path, ask) == 0;
  } catch (const std::exception& e) {
    out.error = "Tried to recycle file: " + std::string(path) + "\r\n" + e.what();
  }
  return out;
}

}  // namespace review
