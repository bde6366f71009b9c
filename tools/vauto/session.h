// What vauto's commands share while a script runs: the current command's
// arguments, the programs it started, the current window, the wait of the
// checks, and the helpers every family of commands uses (polling, finding
// controls, comparing what a control shows).
//
// The commands themselves live in their families' tables (commands.h), one
// row per command with its handler beside it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/vauto/script.h"

namespace vauto {

inline constexpr DWORD kDefaultWindowMs = 10000;
inline constexpr DWORD kDefaultExitMs = 10000;
inline constexpr DWORD kDefaultBoxMs = 5000;
inline constexpr DWORD kDefaultAbsenceMs = 500;
inline constexpr DWORD kDefaultExpectMs = 2000;

// A line on standard output (the console in UTF-16, a pipe in UTF-8).
void Print(const std::string& text);
// A line of what a command found, indented under the command.
void Info(const std::string& text);
// "text" in quotes, line breaks written as ${nl}.
std::string Quote(const std::string& text);
// Checks `ready` at once and then every 20 ms until it holds or `ms` passed.
bool PollUntil(DWORD ms, const std::function<bool()>& ready);

std::vector<HWND> TopWindows();
std::vector<HWND> Descendants(HWND parent);
bool IsMessageBoxClass(HWND hwnd);

class Session {
 public:
  Session() = default;
  ~Session() { EndPrograms(); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs one command through its handler.
  bool Run(const Command& command, std::string& why);
  // Ends what the script left running, so no program outlives vauto.
  void EndPrograms();

  // ---- the current command's arguments
  const std::string& Arg(size_t i) const;
  const Token& ArgToken(size_t i) const { return command_->args[i]; }
  size_t ArgCount() const { return command_->args.size(); }
  // Argument i as a number; `fallback` when it was left out.
  DWORD Count(size_t i, DWORD fallback = 0) const;
  // How the script named the control of argument i, for messages.
  std::string Label(size_t i) const;

  // ---- the program under test
  // Takes over a started process; it becomes the program later commands
  // refer to.
  void Started(HANDLE process, DWORD pid);
  HANDLE Process() const { return process_; }
  bool NeedProcess(std::string& why) const;
  std::optional<DWORD> ExitCode() const { return exit_code_; }
  void SetExitCode(DWORD code) { exit_code_ = code; }
  // Whether a window belongs to the program (any window before a start).
  bool OfProgram(HWND hwnd) const;
  // " (the program has exited with N)" once it has, else empty.
  std::string ProgramState() const;
  // The visible top-level windows of the program.
  std::vector<HWND> ProgramWindows() const;

  // ---- the current window
  void SetWindow(HWND hwnd, std::string label);
  HWND Window() const { return window_; }
  const std::string& WindowLabel() const { return window_label_; }
  // False, with `why` set, when there is no current window any more.
  bool CurrentWindow(std::string& why) const;
  // The control argument i names in the current window (the window itself
  // counts), waiting for it to appear; null with `why` set.
  HWND Control(size_t i, std::string& why) const;

  // ---- checks
  DWORD ExpectMs() const { return expect_ms_; }
  void SetExpectMs(DWORD ms) { expect_ms_ = ms; }
  // Polls `read` until it gives `wanted`; on failure says what it gave.
  bool Expect(const std::function<std::optional<std::string>()>& read, const std::string& wanted,
              const std::string& what, std::string& why) const;

  // Writes the screen, or the current window's rectangle, to a BMP file.
  bool Screenshot(const std::wstring& path, bool window_only, std::string& why) const;

 private:
  const Command* command_ = nullptr;
  std::vector<HANDLE> processes_;
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  std::optional<DWORD> exit_code_;
  HWND window_ = nullptr;
  std::string window_label_;
  DWORD expect_ms_ = kDefaultExpectMs;
};

}  // namespace vauto
