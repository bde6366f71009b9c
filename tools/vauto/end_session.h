// end-session: what Windows sends a program when the user logs off or shuts
// down. Kept apart from the command runner.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vauto {

// Sends WM_QUERYENDSESSION to each of `windows` (the program's top-level
// windows), then WM_ENDSESSION with TRUE when every one agreed, FALSE
// otherwise, as Windows does; each message is waited for up to `ms`.
// Fails when a window does not answer in time or refuses the end.
bool EndSession(const std::vector<HWND>& windows, DWORD ms, std::string& why);

}  // namespace vauto
