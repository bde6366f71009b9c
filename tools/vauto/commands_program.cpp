// Commands on the program and its windows: starting and ending it, finding,
// closing and sizing its windows, and the script's own pauses, waits and
// notes.
#include <iterator>

#include "tools/vauto/commands.h"
#include "tools/vauto/end_session.h"
#include "tools/vauto/quote_argument.h"
#include "tools/vauto/session.h"
#include "tools/vauto/win32.h"

namespace vauto {

namespace {

// A window given as a caption or as name:Name.
struct WindowRef {
  bool by_name = false;
  std::string text;

  std::string Label() const { return by_name ? "window named " + text : "window " + Quote(text); }
  bool Matches(HWND hwnd) const {
    if (by_name) return NameOf(hwnd) == text;
    // A message box may carry the program's title; it is never "the window".
    if (IsMessageBoxClass(hwnd) && NameOf(hwnd).empty()) return false;
    return CaptionOf(hwnd) == text;
  }
};

WindowRef ToWindowRef(const Token& token, bool by_name) {
  if (!by_name && token.text.rfind("name:", 0) == 0) return {true, token.text.substr(5)};
  return {by_name, token.text};
}

std::vector<HWND> MatchingWindows(const Session& s, const WindowRef& ref) {
  std::vector<HWND> found;
  for (HWND hwnd : TopWindows()) {
    if (IsWindowVisible(hwnd) && s.OfProgram(hwnd) && ref.Matches(hwnd)) found.push_back(hwnd);
  }
  return found;
}

// ---- processes

bool Start(Session& s, std::string& why) {
  std::wstring line;
  for (size_t i = 0; i < s.ArgCount(); ++i) {
    if (!line.empty()) line += L' ';
    line += QuoteArgument(Wide(s.Arg(i)));
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    why = "cannot start " + s.Arg(0) + ": " + LastError();
    return false;
  }
  CloseHandle(info.hThread);
  s.Started(info.hProcess, info.dwProcessId);
  Info("process " + std::to_string(info.dwProcessId));
  return true;
}

bool WaitExit(Session& s, std::string& why) {
  if (!s.NeedProcess(why)) return false;
  DWORD ms = s.Count(0, kDefaultExitMs);
  if (WaitForSingleObject(s.Process(), ms) != WAIT_OBJECT_0) {
    why = "the program still runs after " + std::to_string(ms) + " ms";
    return false;
  }
  DWORD code = 0;
  GetExitCodeProcess(s.Process(), &code);
  s.SetExitCode(code);
  Info("exit code " + std::to_string(code));
  return true;
}

bool ExpectExitCode(Session& s, std::string& why) {
  std::optional<DWORD> code = s.ExitCode();
  if (!code) {
    why = "the exit code is not known yet (use wait-exit first)";
    return false;
  }
  DWORD wanted = static_cast<DWORD>(*ParseInteger(s.Arg(0)));
  if (*code == wanted) return true;
  why = "the program exited with " + std::to_string(*code);
  return false;
}

bool Kill(Session& s, std::string& why) {
  if (!s.NeedProcess(why)) return false;
  TerminateProcess(s.Process(), 1);
  if (WaitForSingleObject(s.Process(), 5000) != WAIT_OBJECT_0) {
    why = "the program did not end";
    return false;
  }
  s.SetExitCode(1);
  return true;
}

// ---- windows

bool FindWindowCommand(Session& s, bool by_name, std::string& why) {
  WindowRef ref = ToWindowRef(s.ArgToken(0), by_name);
  DWORD ms = s.Count(1, kDefaultWindowMs);
  std::vector<HWND> found;
  if (!PollUntil(ms, [&] { return !(found = MatchingWindows(s, ref)).empty(); })) {
    why = "no visible " + ref.Label() + " after " + std::to_string(ms) + " ms" + s.ProgramState();
    return false;
  }
  s.SetWindow(found.front(), ref.Label());
  std::string name = NameOf(s.Window());
  Info("found " + Quote(CaptionOf(s.Window())) + (name.empty() ? "" : " named " + name));
  return true;
}

bool NoWindow(Session& s, std::string& why) {
  WindowRef ref = ToWindowRef(s.ArgToken(0), false);
  DWORD ms = s.Count(1, kDefaultAbsenceMs);
  if (PollUntil(ms, [&] { return !MatchingWindows(s, ref).empty(); })) {
    why = "a " + ref.Label() + " is shown";
    return false;
  }
  return true;
}

bool WindowGone(Session& s, std::string& why) {
  WindowRef ref = ToWindowRef(s.ArgToken(0), false);
  DWORD ms = s.Count(1, kDefaultBoxMs);
  if (!PollUntil(ms, [&] { return MatchingWindows(s, ref).empty(); })) {
    why = "the " + ref.Label() + " is still shown after " + std::to_string(ms) + " ms";
    return false;
  }
  return true;
}

bool Close(Session& s, std::string& why) {
  if (!s.CurrentWindow(why)) return false;
  PostMessageW(s.Window(), WM_CLOSE, 0, 0);
  return true;
}

// A log-off as Windows announces it to the program's top-level windows.
bool EndSessionCommand(Session& s, std::string& why) {
  std::vector<HWND> windows;
  for (HWND hwnd : TopWindows()) {
    if (s.Process() && s.OfProgram(hwnd)) windows.push_back(hwnd);
  }
  return EndSession(windows, s.Count(0, 5000), why);
}

std::string SizeOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
}

// The current window's outer size (frame and caption included).
bool ExpectSize(Session& s, std::string& why) {
  if (!s.CurrentWindow(why)) return false;
  std::string wanted = std::to_string(s.Count(0)) + " x " + std::to_string(s.Count(1));
  return s.Expect([&] { return std::optional(SizeOf(s.Window())); }, wanted,
                  "the size of the " + s.WindowLabel(), why);
}

// Whether the current window is minimised (only its taskbar button shows).
bool ExpectMinimised(Session& s, std::string& why) {
  if (!s.CurrentWindow(why)) return false;
  const std::string wanted = *ParseOnOff(s.Arg(0)) ? "on" : "off";
  return s.Expect([&] { return std::optional<std::string>(IsIconic(s.Window()) ? "on" : "off"); },
                  wanted, "whether the " + s.WindowLabel() + " is minimised", why);
}

// Gives the current window a new outer size, as dragging its frame does:
// the program gets WM_SIZE (sent, so it has handled it on return).
bool Resize(Session& s, std::string& why) {
  if (!s.CurrentWindow(why)) return false;
  if (!SetWindowPos(s.Window(), nullptr, 0, 0, static_cast<int>(s.Count(0)),
                    static_cast<int>(s.Count(1)), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    why = "cannot resize the " + s.WindowLabel() + ": " + LastError();
    return false;
  }
  return ExpectSize(s, why);
}

bool Screenshot(Session& s, std::string& why) {
  return s.Screenshot(Wide(s.Arg(0)), s.Arg(1) == "window", why);
}

// ---- the script itself

bool SleepCommand(Session& s, std::string&) {
  Sleep(s.Count(0));
  return true;
}

bool Timeout(Session& s, std::string&) {
  s.SetExpectMs(s.Count(0));
  return true;
}

bool Echo(Session& s, std::string&) {
  std::string text;
  for (size_t i = 0; i < s.ArgCount(); ++i) text += (text.empty() ? "" : " ") + s.Arg(i);
  Info(text);
  return true;
}

constexpr CommandRow kProgramCommands[] = {
    {"start", "tt*", 1, "start <exe> [args...]", nullptr, Start},
    {"wait-exit", "n", 0, "wait-exit [ms]", nullptr, WaitExit},
    {"expect-exit-code", "i", 1, "expect-exit-code <code>", nullptr, ExpectExitCode},
    {"kill", "", 0, "kill", nullptr, Kill},
    {"window", "tn", 1, "window <caption|name:Name> [ms]", nullptr,
     [](Session& s, std::string& why) { return FindWindowCommand(s, false, why); }},
    {"window-name", "tn", 1, "window-name <name> [ms]", nullptr,
     [](Session& s, std::string& why) { return FindWindowCommand(s, true, why); }},
    {"no-window", "tn", 1, "no-window <caption|name:Name> [ms]", nullptr, NoWindow},
    {"window-gone", "tn", 1, "window-gone <caption|name:Name> [ms]", nullptr, WindowGone},
    {"close", "", 0, "close", nullptr, Close},
    {"end-session", "n", 0, "end-session [ms]", nullptr, EndSessionCommand},
    {"resize", "nn", 2, "resize <width> <height>", nullptr, Resize},
    {"expect-size", "nn", 2, "expect-size <width> <height>", nullptr, ExpectSize},
    {"expect-minimised", "b", 1, "expect-minimised on|off", nullptr, ExpectMinimised},
    {"screenshot", "tt", 1, "screenshot <file.bmp> [screen|window]", nullptr, Screenshot},
    {"sleep", "n", 1, "sleep <ms>", nullptr, SleepCommand},
    {"timeout", "n", 1, "timeout <ms>", nullptr, Timeout},
    {"echo", "t*", 0, "echo [text...]", nullptr, Echo},
};
static_assert(std::size(kProgramCommands) == 17);

}  // namespace

std::span<const CommandRow> ProgramCommands() { return kProgramCommands; }

}  // namespace vauto
