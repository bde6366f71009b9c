#include "tools/vauto/end_session.h"

namespace vauto {

bool EndSession(const std::vector<HWND>& windows, DWORD ms, std::string& why) {
  if (windows.empty()) {
    why = "the program has no top-level window";
    return false;
  }
  bool agreed = true;
  for (HWND hwnd : windows) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, ms,
                             &answer)) {
      why = "a window did not answer WM_QUERYENDSESSION within " + std::to_string(ms) + " ms";
      return false;
    }
    if (!answer) agreed = false;
  }
  for (HWND hwnd : windows) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(hwnd, WM_ENDSESSION, agreed ? TRUE : FALSE, ENDSESSION_LOGOFF,
                             SMTO_NORMAL, ms, &ignored)) {
      why = "a window did not answer WM_ENDSESSION within " + std::to_string(ms) + " ms";
      return false;
    }
  }
  if (!agreed) why = "the program refused the end of the session";
  return agreed;
}

}  // namespace vauto
