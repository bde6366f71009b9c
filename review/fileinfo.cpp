#include "review/fileinfo.h"

#include "core/date_format.h"
#include "platform/text.h"

namespace review {

std::optional<platform::FindData> LookUpFile(platform::FileSystem& fs, std::string_view path) {
  if (path.empty() || text::HasWildcards(path)) return std::nullopt;
  auto listing = fs.FindFirst(path, platform::kFindAnyFile);
  platform::FindData entry;
  if (!listing || !listing->Next(entry)) return std::nullopt;
  return entry;
}

std::string FileDate(platform::SystemInfo& system, platform::FileTime time) {
  return core::FormatDateTime(system.ShortDateFormat(), system.LongTimeFormat(),
                              system.LocalTime(time));
}

}  // namespace review
