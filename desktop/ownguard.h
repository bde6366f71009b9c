// Which folders the own cleanup list asks about before deleting in them:
// drive and share roots, the Windows, system and program folders, the
// profile and the folder holding the profiles, Documents and the desktop,
// whatever the spelling (the file system resolves it first). It stands in
// for the shared sweep's refused-folder rule until the own list uses that.
#pragma once

#include <string_view>

#include "core/uglobalvars.h"

namespace desktop {

bool IsProtectedFolder(core::Uglobalvars& g, std::string_view folder);

}  // namespace desktop
