// The two safety rules of the own cleanup list's deleting pass. Which
// folders it asks about before deleting in them:
// drive and share roots, the Windows, system and program folders, the
// profile and Documents and Settings, Documents and the desktop, whatever
// the spelling (separators, ".", "..", repeated separators, trailing dots
// and blanks, letter case, "\\?\" and "\\.\" prefixes, 8.3 names). It
// stands in for the shared sweep's refused-folder rule until the own list
// uses that; likewise DeletableName for its safe-name rule.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/uglobalvars.h"
#include "platform/filesystem.h"

namespace desktop {

// The folder in one canonical spelling: backslashes, no "." or ".." parts,
// no empty parts, no trailing dots or blanks, upper-case, no prefix.
std::string NormalFolder(std::string_view folder);

// The name to delete a listed entry by: its own, or its 8.3 name when the
// long one holds "*" or "?" (a substituted name, which a delete would take
// as a wildcard); nullopt when neither is safe.
std::optional<std::string> DeletableName(const platform::FindData& entry);

bool IsProtectedFolder(core::Uglobalvars& g, std::string_view folder);

}  // namespace desktop
