// vauto: drives a Windows program from outside, as a tester would, from a
// plain-text script (see script.h for the language and kUsage for the
// commands). It starts the program, finds its windows by caption or by the
// "VostrelName" property our window system sets, presses buttons, answers
// message boxes, checks what the controls show, the registry and files, and
// takes screenshots. Every command is printed as it runs; the first failing
// one is reported with its line number and vauto exits 1.
//
// Commands that check something poll every 20 ms until it holds or the
// timeout ends (`timeout <ms>`, 2000 by default), so a script need not know
// how long the program takes to react.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <set>
#include <vector>

#include "tools/vauto/script.h"
#include "tools/vauto/session.h"
#include "tools/vauto/win32.h"

namespace vauto {

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kDefaultWindowMs = 10000;
constexpr DWORD kDefaultExitMs = 10000;
constexpr DWORD kDefaultBoxMs = 5000;
constexpr DWORD kDefaultAbsenceMs = 500;
constexpr DWORD kDefaultExpectMs = 2000;
// How long an input (click, selection) may take the program to handle before
// vauto goes on anyway.
constexpr DWORD kInputMs = 10000;

const auto kStart = std::chrono::steady_clock::now();

void Print(const std::string& text) {
  std::string line = text + "\n";
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  DWORD done = 0;
  if (GetConsoleMode(out, &mode)) {
    std::wstring wide = Wide(line);
    WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
  } else {
    WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &done, nullptr);
  }
}

std::string Elapsed() {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  kStart)
                .count();
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%4lld.%03lld", static_cast<long long>(ms / 1000),
                static_cast<long long>(ms % 1000));
  return buffer;
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\n') {
      out += "${nl}";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Checks `ready` at once and then every 20 ms until it holds or `ms` passed.
bool PollUntil(DWORD ms, const std::function<bool()>& ready) {
  ULONGLONG deadline = GetTickCount64() + ms;
  while (true) {
    if (ready()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
}

// One command-line argument quoted the way CommandLineToArgvW and the C
// runtime read it back.
std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

std::vector<HWND> TopWindows() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND hwnd, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

bool IsMessageBoxClass(HWND hwnd) { return ClassOf(hwnd) == L"#32770"; }

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

// A control given as its name or as caption:"Text".
struct ControlRef {
  bool by_caption = false;
  std::string text;

  std::string Label() const { return by_caption ? "control " + Quote(text) : text; }
  bool Matches(HWND hwnd) const {
    if (!by_caption) return NameOf(hwnd) == text;
    return WithoutMnemonics(CaptionOf(hwnd)) == WithoutMnemonics(text);
  }
};

ControlRef ToControlRef(const Token& token) {
  if (token.text.rfind("caption:", 0) == 0) return {true, token.text.substr(8)};
  return {false, token.text};
}

struct Box {
  HWND hwnd = nullptr;
  std::string title;
  std::string text;
};

class Runner {
 public:
  ~Runner() { EndPrograms(); }

  bool Run(const Command& command, std::string& why) {
    command_ = &command;
    switch (command.syntax->op) {
      case Op::kStart:
        return Start(why);
      case Op::kWaitExit:
        return WaitExit(why);
      case Op::kExpectExitCode:
        return ExpectExitCode(why);
      case Op::kKill:
        return Kill(why);
      case Op::kWindow:
        return FindWindowCommand(false, why);
      case Op::kWindowName:
        return FindWindowCommand(true, why);
      case Op::kNoWindow:
        return NoWindow(why);
      case Op::kWindowGone:
        return WindowGone(why);
      case Op::kClick:
        return Click(why);
      case Op::kSelect:
        return Select(why);
      case Op::kCheck:
        return Check(why);
      case Op::kSetText:
        return SetText(why);
      case Op::kExpectText:
        return ExpectText(why);
      case Op::kExpectTextContains:
        return ExpectTextContains(why);
      case Op::kScroll:
        return Scroll(why);
      case Op::kExpectPosition:
        return ExpectPosition(why);
      case Op::kExpectChecked:
        return ExpectChecked(why);
      case Op::kExpectItems:
        return ExpectItems(why);
      case Op::kExpectItem:
        return ExpectItem(why);
      case Op::kExpectSelected:
        return ExpectSelected(why);
      case Op::kExpectEnabled:
        return ExpectState(why, "enabled", IsWindowEnabled, true);
      case Op::kExpectDisabled:
        return ExpectState(why, "disabled", IsWindowEnabled, false);
      case Op::kExpectVisible:
        return ExpectState(why, "visible", IsWindowVisible, true);
      case Op::kExpectHidden:
        return ExpectState(why, "hidden", IsWindowVisible, false);
      case Op::kClose:
        return Close(why);
      case Op::kEndSession: {
        std::vector<HWND> windows;
        for (HWND hwnd : TopWindows())
          if (process_ && OfProgram(hwnd)) windows.push_back(hwnd);
        return EndSession(windows, Count(0, 5000), why);
      }
      case Op::kResize:
        return Resize(why);
      case Op::kExpectSize:
        return ExpectSize(why);
      case Op::kSleep:
        Sleep(Count(0));
        return true;
      case Op::kTimeout:
        expect_ms_ = Count(0);
        return true;
      case Op::kAnswer:
        return Answer(why);
      case Op::kExpectBox:
        return ExpectBox(why);
      case Op::kNoBox:
        return NoBox(why);
      case Op::kScreenshot:
        return Screenshot(Wide(Arg(0)), Arg(1) == "window", why);
      case Op::kRegExpect:
        return RegExpect(why);
      case Op::kRegMissing:
        return RegMissing(why);
      case Op::kRegSet:
        return WriteRegistryValue(Arg(0), Arg(1), Arg(2) == "dword", Arg(3), why);
      case Op::kFileExists:
        return FileState(true, why);
      case Op::kFileMissing:
        return FileState(false, why);
      case Op::kFileContains:
        return FileContains(why);
      case Op::kExpectFiles:
        return ExpectFiles(why);
      case Op::kIniExpect:
        return IniExpect(why);
      case Op::kEcho:
        return Echo();
    }
    why = "not implemented";
    return false;
  }

  // Ends what the script left running, so no program outlives vauto.
  void EndPrograms() {
    for (HANDLE process : processes_) {
      if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        Print("vauto: ending process " + std::to_string(GetProcessId(process)) + ", still running");
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
      }
      CloseHandle(process);
    }
    processes_.clear();
    process_ = nullptr;
  }

  bool Screenshot(const std::wstring& path, bool window_only, std::string& why) {
    RECT rect{};
    if (window_only) {
      if (!CurrentWindow(why)) return false;
      GetWindowRect(window_, &rect);
    }
    if (!WriteScreenshot(path, window_only ? &rect : nullptr, why)) return false;
    Info("wrote " + Utf8(path));
    return true;
  }

 private:
  const std::string& Arg(size_t i) const {
    static const std::string kNone;
    return i < command_->args.size() ? command_->args[i].text : kNone;
  }
  size_t ArgCount() const { return command_->args.size(); }
  DWORD Count(size_t i, DWORD fallback = 0) const {
    if (i >= ArgCount()) return fallback;
    return static_cast<DWORD>(*ParseInteger(Arg(i)));
  }
  static void Info(const std::string& text) { Print("vauto:            " + text); }

  // ---- processes

  bool Start(std::string& why) {
    std::wstring line;
    for (const Token& arg : command_->args) {
      if (!line.empty()) line += L' ';
      line += QuoteArgument(Wide(arg.text));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
      why = "cannot start " + Arg(0) + ": " + LastError();
      return false;
    }
    CloseHandle(info.hThread);
    processes_.push_back(info.hProcess);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    exit_code_.reset();
    window_ = nullptr;
    Info("process " + std::to_string(pid_));
    return true;
  }

  bool NeedProcess(std::string& why) {
    if (process_) return true;
    why = "no program was started";
    return false;
  }

  bool WaitExit(std::string& why) {
    if (!NeedProcess(why)) return false;
    DWORD ms = Count(0, kDefaultExitMs);
    if (WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) {
      why = "the program still runs after " + std::to_string(ms) + " ms";
      return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    exit_code_ = code;
    Info("exit code " + std::to_string(code));
    return true;
  }

  bool ExpectExitCode(std::string& why) {
    if (!exit_code_) {
      why = "the exit code is not known yet (use wait-exit first)";
      return false;
    }
    DWORD wanted = static_cast<DWORD>(*ParseInteger(Arg(0)));
    if (*exit_code_ == wanted) return true;
    why = "the program exited with " + std::to_string(*exit_code_);
    return false;
  }

  bool Kill(std::string& why) {
    if (!NeedProcess(why)) return false;
    TerminateProcess(process_, 1);
    if (WaitForSingleObject(process_, 5000) != WAIT_OBJECT_0) {
      why = "the program did not end";
      return false;
    }
    exit_code_ = 1;
    return true;
  }

  // ---- windows

  bool OfProgram(HWND hwnd) const { return !process_ || ProcessOf(hwnd) == pid_; }

  std::vector<HWND> MatchingWindows(const WindowRef& ref) const {
    std::vector<HWND> found;
    for (HWND hwnd : TopWindows()) {
      if (IsWindowVisible(hwnd) && OfProgram(hwnd) && ref.Matches(hwnd)) found.push_back(hwnd);
    }
    return found;
  }

  bool FindWindowCommand(bool by_name, std::string& why) {
    WindowRef ref = ToWindowRef(command_->args[0], by_name);
    DWORD ms = Count(1, kDefaultWindowMs);
    std::vector<HWND> found;
    if (!PollUntil(ms, [&] { return !(found = MatchingWindows(ref)).empty(); })) {
      why = "no visible " + ref.Label() + " after " + std::to_string(ms) + " ms" + ProgramState();
      return false;
    }
    window_ = found.front();
    window_label_ = ref.Label();
    std::string name = NameOf(window_);
    Info("found " + Quote(CaptionOf(window_)) + (name.empty() ? "" : " named " + name));
    return true;
  }

  bool NoWindow(std::string& why) {
    WindowRef ref = ToWindowRef(command_->args[0], false);
    DWORD ms = Count(1, kDefaultAbsenceMs);
    if (PollUntil(ms, [&] { return !MatchingWindows(ref).empty(); })) {
      why = "a " + ref.Label() + " is shown";
      return false;
    }
    return true;
  }

  bool WindowGone(std::string& why) {
    WindowRef ref = ToWindowRef(command_->args[0], false);
    DWORD ms = Count(1, kDefaultBoxMs);
    if (!PollUntil(ms, [&] { return MatchingWindows(ref).empty(); })) {
      why = "the " + ref.Label() + " is still shown after " + std::to_string(ms) + " ms";
      return false;
    }
    return true;
  }

  std::string ProgramState() const {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process_, &code);
      return " (the program has exited with " + std::to_string(code) + ")";
    }
    return "";
  }

  bool CurrentWindow(std::string& why) {
    if (window_ && IsWindow(window_)) return true;
    why = window_ ? "the " + window_label_ + " no longer exists" + ProgramState()
                  : "no current window (use window or window-name first)";
    return false;
  }

  bool Close(std::string& why) {
    if (!CurrentWindow(why)) return false;
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return true;
  }

  // ---- controls

  // The control the argument names in the current window (the window itself
  // counts), waiting for it to appear.
  HWND Control(size_t i, std::string& why) {
    if (!CurrentWindow(why)) return nullptr;
    ControlRef ref = ToControlRef(command_->args[i]);
    std::vector<HWND> found;
    auto collect = [&] {
      found.clear();
      if (ref.Matches(window_)) found.push_back(window_);
      for (HWND child : Descendants(window_)) {
        if (ref.Matches(child)) found.push_back(child);
      }
      return found.size() == 1;
    };
    if (PollUntil(expect_ms_, collect)) return found.front();
    why = found.empty() ? "no " + ref.Label() + " in the " + window_label_
                        : std::to_string(found.size()) + " controls match " + ref.Label() +
                              " in the " + window_label_;
    return nullptr;
  }

  bool Usable(HWND hwnd, std::string& why) const {
    std::string label = ToControlRef(command_->args[0]).Label();
    if (!IsWindowVisible(hwnd)) {
      why = label + " is hidden";
      return false;
    }
    if (!IsWindowEnabled(hwnd)) {
      why = label + " is disabled";
      return false;
    }
    return true;
  }

  // The visible top-level windows of the program.
  std::vector<HWND> ProgramWindows() const {
    std::vector<HWND> found;
    for (HWND hwnd : TopWindows()) {
      if (IsWindowVisible(hwnd) && OfProgram(hwnd)) found.push_back(hwnd);
    }
    return found;
  }

  // Sends an input message and waits until the program has handled it, or
  // until it shows a new window or message box meanwhile (a modal loop inside
  // the handler: the message counts as handled only when that closes, so the
  // next command, usually `answer`, deals with it), or kInputMs passed.
  void Deliver(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    ULONG_PTR id = ++last_input_;
    std::vector<HWND> before = ProgramWindows();
    if (!SendMessageCallbackW(hwnd, message, wparam, lparam, InputHandled, id)) return;
    PollUntil(kInputMs, [&] {
      MSG msg;
      // The callback runs from here.
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      if (handled_inputs_.erase(id)) return true;
      for (HWND shown : ProgramWindows()) {
        if (std::find(before.begin(), before.end(), shown) == before.end()) return true;
      }
      return false;
    });
  }

  static void CALLBACK InputHandled(HWND, UINT, ULONG_PTR id, LRESULT) {
    handled_inputs_.insert(id);
  }

  // Sends a click the way the control gets one from the mouse.
  void Press(HWND hwnd, ControlKind kind) {
    if (kind == ControlKind::kButton || kind == ControlKind::kCheck ||
        kind == ControlKind::kRadio) {
      Deliver(hwnd, BM_CLICK, 0, 0);
      return;
    }
    RECT rect{};
    GetClientRect(hwnd, &rect);
    LPARAM at = MAKELPARAM(rect.right / 2, rect.bottom / 2);
    Send(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Deliver(hwnd, WM_LBUTTONUP, 0, at);
  }

  // Tells the parent about a change, as the control does after user input.
  void Notify(HWND hwnd, WORD code) {
    WPARAM wparam = MAKEWPARAM(GetDlgCtrlID(hwnd), code);
    Deliver(GetParent(hwnd), WM_COMMAND, wparam, reinterpret_cast<LPARAM>(hwnd));
  }

  bool Click(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd || !Usable(hwnd, why)) return false;
    Press(hwnd, KindOf(hwnd));
    return true;
  }

  bool NeedKind(HWND hwnd, std::initializer_list<ControlKind> kinds, std::string& why) const {
    ControlKind kind = KindOf(hwnd);
    if (std::find(kinds.begin(), kinds.end(), kind) != kinds.end()) return true;
    why = ToControlRef(command_->args[0]).Label() + " is a " + std::string(KindName(kind)) +
          " (class " + Utf8(ClassOf(hwnd)) + ")";
    return false;
  }

  // The item index the argument gives: a number, or the item with that text.
  std::optional<int> ItemIndex(HWND hwnd, ControlKind kind, const Token& arg, std::string& why) {
    if (!arg.quoted) {
      if (std::optional<std::int64_t> n = ParseInteger(arg.text)) return static_cast<int>(*n);
    }
    int count = ItemCount(hwnd, kind).value_or(0);
    for (int i = 0; i < count; ++i) {
      if (ItemText(hwnd, kind, i) == arg.text) return i;
    }
    why = "no item " + Quote(arg.text) + " among " + std::to_string(count);
    return std::nullopt;
  }

  bool Select(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd ||
        !NeedKind(hwnd, {ControlKind::kList, ControlKind::kCombo, ControlKind::kTab}, why) ||
        !Usable(hwnd, why)) {
      return false;
    }
    ControlKind kind = KindOf(hwnd);
    std::optional<int> index = ItemIndex(hwnd, kind, command_->args[1], why);
    if (!index) return false;
    int count = ItemCount(hwnd, kind).value_or(0);
    if (*index < 0 || *index >= count) {
      why = "item " + std::to_string(*index) + " does not exist (" + std::to_string(count) +
            " items)";
      return false;
    }
    if (kind == ControlKind::kTab) {
      // The tab control sends its own TCN_SELCHANGING/TCN_SELCHANGE.
      Deliver(hwnd, TCM_SETCURFOCUS, *index, 0);
    } else if (kind == ControlKind::kCombo) {
      Send(hwnd, CB_SETCURSEL, *index, 0);
      Notify(hwnd, CBN_SELCHANGE);
    } else {
      if (IsMultiSelect(hwnd)) {
        Send(hwnd, LB_SETSEL, FALSE, -1);
        Send(hwnd, LB_SETSEL, TRUE, *index);
        Send(hwnd, LB_SETCARETINDEX, *index, FALSE);
      } else {
        Send(hwnd, LB_SETCURSEL, *index, 0);
      }
      if (GetWindowLongW(hwnd, GWL_STYLE) & LBS_NOTIFY) Notify(hwnd, LBN_SELCHANGE);
    }
    return true;
  }

  static std::optional<bool> Checked(HWND hwnd) {
    std::optional<LRESULT> state = Send(hwnd, BM_GETCHECK, 0, 0);
    if (!state || *state == BST_INDETERMINATE) return std::nullopt;
    return *state == BST_CHECKED;
  }

  bool Check(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd || !NeedKind(hwnd, {ControlKind::kCheck, ControlKind::kRadio}, why)) return false;
    bool wanted = *ParseOnOff(Arg(1));
    if (Checked(hwnd) == wanted) return true;
    if (!wanted && KindOf(hwnd) == ControlKind::kRadio) {
      why = "a radio button is switched off by choosing another one";
      return false;
    }
    if (!Usable(hwnd, why)) return false;
    Press(hwnd, KindOf(hwnd));
    if (PollUntil(expect_ms_, [&] { return Checked(hwnd) == wanted; })) return true;
    why = "still " + std::string(wanted ? "off" : "on") + " after the click";
    return false;
  }

  bool SetText(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd || !NeedKind(hwnd, {ControlKind::kEdit, ControlKind::kCombo}, why) ||
        !Usable(hwnd, why)) {
      return false;
    }
    std::string text;
    for (char c : Arg(1)) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::wstring wide = Wide(text);
    Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    // A multi-line edit does not report WM_SETTEXT as a change; typing would.
    if (KindOf(hwnd) == ControlKind::kEdit && (GetWindowLongW(hwnd, GWL_STYLE) & ES_MULTILINE)) {
      Notify(hwnd, EN_CHANGE);
    }
    if (PollUntil(expect_ms_, [&] { return TextOf(hwnd) == Arg(1); })) return true;
    why = "the text did not change";
    return false;
  }

  // What a control shows: its text, or for lists and tabs the selected item.
  static std::optional<std::string> Shown(HWND hwnd) {
    ControlKind kind = KindOf(hwnd);
    if (kind == ControlKind::kList || kind == ControlKind::kTab) {
      std::optional<int> selected = Selection(hwnd, kind);
      if (!selected) return std::nullopt;
      if (*selected < 0) return std::string();
      return ItemText(hwnd, kind, *selected);
    }
    return TextOf(hwnd);
  }

  // Polls `read` until it gives `wanted`; on failure says what it gave.
  bool Expect(const std::function<std::optional<std::string>()>& read, const std::string& wanted,
              const std::string& what, std::string& why) {
    std::optional<std::string> last;
    if (PollUntil(expect_ms_, [&] { return (last = read()) == wanted; })) return true;
    why = what + (last ? " is " + Quote(*last) : " cannot be read") + ", not " + Quote(wanted) +
          " (waited " + std::to_string(expect_ms_) + " ms)";
    return false;
  }

  bool ExpectText(std::string& why) {
    HWND hwnd = Control(0, why);
    return hwnd && Expect([&] { return Shown(hwnd); }, Arg(1), "the text of " + Label(0), why);
  }

  bool ExpectTextContains(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd) return false;
    std::optional<std::string> last;
    auto found = [&] {
      last = Shown(hwnd);
      return last && last->find(Arg(1)) != std::string::npos;
    };
    if (PollUntil(expect_ms_, found)) return true;
    why = "the text of " + Label(0) + (last ? " is " + Quote(*last) : " cannot be read") +
          ", without " + Quote(Arg(1)) + " (waited " + std::to_string(expect_ms_) + " ms)";
    return false;
  }

  static std::optional<int> Position(HWND hwnd) {
    std::optional<LRESULT> position = Send(hwnd, SBM_GETPOS, 0, 0);
    if (!position) return std::nullopt;
    return static_cast<int>(*position);
  }

  // Moves a scroll bar one line at a time, as clicks on its arrows do, so
  // the program sees the same WM_HSCROLL/WM_VSCROLL a user causes.
  bool Scroll(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd || !NeedKind(hwnd, {ControlKind::kScrollBar}, why) || !Usable(hwnd, why)) {
      return false;
    }
    int wanted = static_cast<int>(*ParseInteger(Arg(1)));
    int low = 0;
    int high = 0;
    Send(hwnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    if (wanted < low || wanted > high) {
      why =
          "the range of " + Label(0) + " is " + std::to_string(low) + " to " + std::to_string(high);
      return false;
    }
    bool vertical = (GetWindowLongW(hwnd, GWL_STYLE) & SBS_VERT) != 0;
    UINT message = vertical ? WM_VSCROLL : WM_HSCROLL;
    HWND parent = GetParent(hwnd);
    auto control = reinterpret_cast<LPARAM>(hwnd);
    for (int steps = high - low + 1; steps > 0; --steps) {
      std::optional<int> now = Position(hwnd);
      if (!now || *now == wanted) break;
      Send(parent, message, *now < wanted ? SB_LINEDOWN : SB_LINEUP, control);
    }
    Send(parent, message, SB_ENDSCROLL, control);
    if (Position(hwnd) == wanted) return true;
    why = Label(0) + " stays at " + std::to_string(Position(hwnd).value_or(-1));
    return false;
  }

  bool ExpectPosition(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd || !NeedKind(hwnd, {ControlKind::kScrollBar}, why)) return false;
    auto read = [&]() -> std::optional<std::string> {
      std::optional<int> position = Position(hwnd);
      return position ? std::optional(std::to_string(*position)) : std::nullopt;
    };
    return Expect(read, Arg(1), "the position of " + Label(0), why);
  }

  std::string Label(size_t i) const { return ToControlRef(command_->args[i]).Label(); }

  bool ExpectChecked(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd || !NeedKind(hwnd, {ControlKind::kCheck, ControlKind::kRadio}, why)) return false;
    auto read = [&]() -> std::optional<std::string> {
      std::optional<LRESULT> state = Send(hwnd, BM_GETCHECK, 0, 0);
      if (!state) return std::nullopt;
      return *state == BST_CHECKED ? "on" : *state == BST_UNCHECKED ? "off" : "indeterminate";
    };
    return Expect(read, Arg(1), Label(0), why);
  }

  bool NeedItems(HWND hwnd, std::string& why) const {
    return NeedKind(hwnd, {ControlKind::kList, ControlKind::kCombo, ControlKind::kTab}, why);
  }

  bool ExpectItems(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd || !NeedItems(hwnd, why)) return false;
    auto read = [&]() -> std::optional<std::string> {
      std::optional<int> n = ItemCount(hwnd, KindOf(hwnd));
      return n ? std::optional(std::to_string(*n)) : std::nullopt;
    };
    return Expect(read, Arg(1), "the item count of " + Label(0), why);
  }

  bool ExpectItem(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd || !NeedItems(hwnd, why)) return false;
    int index = static_cast<int>(Count(1));
    return Expect([&] { return ItemText(hwnd, KindOf(hwnd), index); }, Arg(2),
                  "item " + Arg(1) + " of " + Label(0), why);
  }

  // Single selection: the selected index (-1: none). Multiple selection: that
  // item is among the selected ones (-1: nothing is selected).
  bool ExpectSelected(std::string& why) {
    HWND hwnd = Control(0, why);
    if (!hwnd || !NeedItems(hwnd, why)) return false;
    ControlKind kind = KindOf(hwnd);
    int wanted = static_cast<int>(*ParseInteger(Arg(1)));
    if (kind == ControlKind::kList && IsMultiSelect(hwnd)) {
      auto read = [&]() -> std::optional<std::string> {
        std::optional<LRESULT> r =
            wanted < 0 ? Send(hwnd, LB_GETSELCOUNT, 0, 0) : Send(hwnd, LB_GETSEL, wanted, 0);
        if (!r) return std::nullopt;
        return wanted < 0 ? (*r == 0 ? "nothing" : std::to_string(*r) + " items")
                          : (*r > 0 ? "selected" : "not selected");
      };
      return Expect(read, wanted < 0 ? "nothing" : "selected",
                    wanted < 0 ? "the selection of " + Label(0) : "item " + Arg(1), why);
    }
    auto read = [&]() -> std::optional<std::string> {
      std::optional<int> n = Selection(hwnd, kind);
      return n ? std::optional(std::to_string(*n)) : std::nullopt;
    };
    return Expect(read, std::to_string(wanted), "the selected index of " + Label(0), why);
  }

  bool ExpectState(std::string& why, const char* what, BOOL(WINAPI* test)(HWND), bool wanted) {
    HWND hwnd = Control(0, why);
    if (!hwnd) return false;
    if (PollUntil(expect_ms_, [&] { return (test(hwnd) != FALSE) == wanted; })) return true;
    why = Label(0) + " is not " + what;
    return false;
  }

  // ---- window size

  static std::string SizeOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
  }

  // Gives the current window a new outer size, as dragging its frame does:
  // the program gets WM_SIZE (sent, so it has handled it on return).
  bool Resize(std::string& why) {
    if (!CurrentWindow(why)) return false;
    if (!SetWindowPos(window_, nullptr, 0, 0, static_cast<int>(Count(0)),
                      static_cast<int>(Count(1)), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
      why = "cannot resize the " + window_label_ + ": " + LastError();
      return false;
    }
    return ExpectSize(why);
  }

  // The current window's outer size (frame and caption included).
  bool ExpectSize(std::string& why) {
    if (!CurrentWindow(why)) return false;
    std::string wanted = std::to_string(Count(0)) + " x " + std::to_string(Count(1));
    return Expect([&] { return std::optional(SizeOf(window_)); }, wanted,
                  "the size of the " + window_label_, why);
  }

  // ---- message boxes

  // The message boxes of the program, the most recent (topmost) first.
  std::vector<Box> Boxes() const {
    std::vector<Box> boxes;
    for (HWND hwnd : TopWindows()) {
      if (!IsWindowVisible(hwnd) || !IsMessageBoxClass(hwnd) || !OfProgram(hwnd) ||
          !NameOf(hwnd).empty()) {
        continue;
      }
      Box box{hwnd, CaptionOf(hwnd), {}};
      if (HWND text = GetDlgItem(hwnd, 0xFFFF)) {
        box.text = TextOf(text).value_or("");
      } else {
        for (HWND child : Descendants(hwnd)) {
          if (KindOf(child) != ControlKind::kStatic) continue;
          std::string part = TextOf(child).value_or("");
          if (part.empty()) continue;
          box.text += (box.text.empty() ? "" : "\n") + part;
        }
      }
      boxes.push_back(std::move(box));
    }
    // A box that is disabled has a newer box on top of it.
    std::stable_partition(boxes.begin(), boxes.end(),
                          [](const Box& box) { return IsWindowEnabled(box.hwnd) != FALSE; });
    return boxes;
  }

  std::optional<Box> WaitForBox(DWORD ms, std::string& why) {
    std::vector<Box> boxes;
    if (PollUntil(ms, [&] { return !(boxes = Boxes()).empty(); })) return boxes.front();
    why = "no message box after " + std::to_string(ms) + " ms" + ProgramState();
    return std::nullopt;
  }

  static std::string Describe(const Box& box) {
    return "box " + Quote(box.title) + ": " + Quote(box.text);
  }

  bool Answer(std::string& why) {
    std::string mode;
    std::string text;
    size_t at = 1;
    if (ArgCount() > 2 && !command_->args[1].quoted &&
        (Arg(1) == "expect" || Arg(1) == "contains")) {
      mode = Arg(1);
      text = Arg(2);
      at = 3;
    }
    std::optional<Box> box = WaitForBox(Count(at, kDefaultBoxMs), why);
    if (!box) return false;
    Info(Describe(*box));
    if ((mode == "expect" && box->text != text) ||
        (mode == "contains" && box->text.find(text) == std::string::npos)) {
      why = "the box says " + Quote(box->text) + ", not " + Quote(text);
      return false;
    }
    std::string wanted = WithoutMnemonics(Arg(0));
    HWND button = nullptr;
    std::string offered;
    for (HWND child : Descendants(box->hwnd)) {
      if (KindOf(child) != ControlKind::kButton || !IsWindowVisible(child)) continue;
      std::string caption = WithoutMnemonics(CaptionOf(child));
      offered += (offered.empty() ? "" : ", ") + Quote(caption);
      if (caption == wanted && !button) button = child;
    }
    if (!button) {
      why = "the box has no button " + Quote(wanted) + " (it has " + offered + ")";
      return false;
    }
    if (!IsWindowEnabled(button)) {
      why = "the button " + Quote(wanted) + " is disabled";
      return false;
    }
    // What the dialog gets when the button is pressed.
    PostMessageW(box->hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    HWND hwnd = box->hwnd;
    if (PollUntil(kDefaultBoxMs, [&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); })) {
      Info("pressed " + Quote(wanted));
      return true;
    }
    why = "the box is still shown after pressing " + Quote(wanted);
    return false;
  }

  bool ExpectBox(std::string& why) {
    std::optional<Box> box = WaitForBox(Count(1, kDefaultBoxMs), why);
    if (!box) return false;
    Info(Describe(*box));
    if (box->text == Arg(0)) return true;
    why = "the box says " + Quote(box->text) + ", not " + Quote(Arg(0));
    return false;
  }

  bool NoBox(std::string& why) {
    std::vector<Box> boxes;
    if (PollUntil(Count(0, kDefaultAbsenceMs), [&] { return !(boxes = Boxes()).empty(); })) {
      why = "a message box is shown: " + Describe(boxes.front());
      return false;
    }
    return true;
  }

  // ---- registry and files

  bool RegExpect(std::string& why) {
    std::string reason;
    auto read = [&] { return ReadRegistryValue(Arg(0), Arg(1), reason); };
    if (Expect(read, Arg(2), Arg(0) + " " + Arg(1), why)) return true;
    if (!reason.empty() && !read()) why = reason;
    return false;
  }

  bool RegMissing(std::string& why) {
    std::string reason;
    auto present = [&] {
      if (ArgCount() < 2) return RegistryKeyExists(Arg(0), reason);
      return ReadRegistryValue(Arg(0), Arg(1), reason).has_value();
    };
    if (PollUntil(expect_ms_, [&] { return !present(); })) return true;
    why = (ArgCount() < 2 ? "the key " + Arg(0) : "the value " + Arg(1)) + " exists";
    return false;
  }

  bool FileState(bool wanted, std::string& why) {
    std::wstring path = ExpandPath(Arg(0));
    auto exists = [&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
    if (PollUntil(expect_ms_, [&] { return exists() == wanted; })) return true;
    why = Utf8(path) + (wanted ? " does not exist" : " exists");
    return false;
  }

  bool FileContains(std::string& why) {
    std::wstring path = ExpandPath(Arg(0));
    std::optional<std::string> text;
    auto found = [&] {
      text = ReadTextFile(path);
      return text && UnixLines(*text).find(Arg(1)) != std::string::npos;
    };
    if (PollUntil(expect_ms_, found)) return true;
    why = text ? Utf8(path) + " does not contain " + Quote(Arg(1))
               : "cannot read " + Utf8(path) + ": " + LastError();
    return false;
  }

  // Files (not folders) that a wildcard pattern lists.
  static DWORD CountFiles(const std::wstring& pattern) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    DWORD files = 0;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
  }

  bool ExpectFiles(std::string& why) {
    std::wstring pattern = ExpandPath(Arg(0));
    DWORD wanted = Count(1);
    DWORD seen = 0;
    if (PollUntil(expect_ms_, [&] { return (seen = CountFiles(pattern)) == wanted; })) return true;
    why = Utf8(pattern) + " lists " + std::to_string(seen) + " files, not " +
          std::to_string(wanted) + " (waited " + std::to_string(expect_ms_) + " ms)";
    return false;
  }

  // The value of one key, or with key "*" any key of the section, read from
  // the file itself (not through the profile functions, which may cache it).
  bool IniExpect(std::string& why) {
    std::wstring path = ExpandPath(Arg(0));
    const std::string& section = Arg(1);
    const std::string& key = Arg(2);
    const std::string& wanted = Arg(3);
    std::string seen;
    auto holds = [&] {
      std::optional<std::string> text = ReadTextFile(path);
      if (!text) {
        seen = "cannot read " + Utf8(path) + ": " + LastError();
        return false;
      }
      bool found = false;
      std::vector<IniEntry> entries = IniSection(*text, section, found);
      if (!found) {
        seen = "there is no section [" + section + "]";
        return false;
      }
      bool any_key = key == "*";
      for (const IniEntry& entry : entries) {
        if (any_key && entry.value == wanted) return true;
        if (!any_key && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, entry.key.c_str(), -1,
                                       key.c_str(), -1) == CSTR_EQUAL) {
          seen = key + " is " + Quote(entry.value);
          return entry.value == wanted;
        }
      }
      seen = any_key ? "no key of [" + section + "] (" + std::to_string(entries.size()) +
                           " keys) holds it"
                     : "[" + section + "] has no key " + key;
      return false;
    };
    if (PollUntil(expect_ms_, holds)) return true;
    why = Utf8(path) + " [" + section + "] " + key + " is not " + Quote(wanted) + ": " + seen +
          " (waited " + std::to_string(expect_ms_) + " ms)";
    return false;
  }

  bool Echo() {
    std::string text;
    for (const Token& arg : command_->args) text += (text.empty() ? "" : " ") + arg.text;
    Info(text);
    return true;
  }

  const Command* command_ = nullptr;
  std::vector<HANDLE> processes_;
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  std::optional<DWORD> exit_code_;
  HWND window_ = nullptr;
  std::string window_label_;
  DWORD expect_ms_ = kDefaultExpectMs;
  ULONG_PTR last_input_ = 0;
  // Inputs the program has handled; a callback can come after vauto stopped
  // waiting for it.
  static inline std::set<ULONG_PTR> handled_inputs_;
};

constexpr const char* kUsage =
    "usage: vauto [--check] [--failure-screenshot FILE.bmp] SCRIPT [name=value ...]\n"
    "  Runs the script; exit code 0 when every command succeeded, 1 otherwise.\n"
    "  --check  only reads the script and reports mistakes.\n"
    "  name=value defines ${name} for the script (environment variables work too).\n"
    "  <control> is a VostrelName or caption:\"Text\"; a window is a caption or name:Name.\n"
    "commands:";

int Main(const std::vector<std::wstring>& args) {
  bool check_only = false;
  std::wstring failure_shot;
  std::wstring script_path;
  std::vector<std::pair<std::string, std::string>> variables;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == L"--check") {
      check_only = true;
    } else if (args[i] == L"--failure-screenshot" && i + 1 < args.size()) {
      failure_shot = args[++i];
    } else if (script_path.empty() && args[i].rfind(L"--", 0) != 0) {
      script_path = args[i];
    } else if (!script_path.empty() && args[i].find(L'=') != std::wstring::npos) {
      size_t eq = args[i].find(L'=');
      variables.emplace_back(Utf8(args[i].substr(0, eq)), Utf8(args[i].substr(eq + 1)));
    } else {
      script_path.clear();
      break;
    }
  }
  if (script_path.empty()) {
    std::string usage = kUsage;
    for (const CommandSyntax& syntax : Commands()) usage += "\n  " + std::string(syntax.usage);
    Print(usage);
    return 2;
  }

  std::optional<std::string> text = ReadTextFile(script_path);
  if (!text) {
    Print("vauto: cannot read " + Utf8(script_path) + ": " + LastError());
    return 1;
  }
  VariableLookup lookup = [&](std::string_view name) -> std::optional<std::string> {
    for (const auto& [key, value] : variables) {
      if (key == name) return value;
    }
    std::wstring wide = Wide(name);
    DWORD n = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (!n) return std::nullopt;
    std::wstring value(n, L'\0');
    value.resize(GetEnvironmentVariableW(wide.c_str(), value.data(), n));
    return Utf8(value);
  };
  Script script = Parse(*text, lookup);
  for (const ParseError& error : script.errors) {
    Print("vauto: " + Utf8(script_path) + ":" + std::to_string(error.line) + ": " + error.message);
  }
  if (!script.errors.empty()) return 1;
  if (check_only) {
    Print("vauto: " + std::to_string(script.commands.size()) + " commands, no mistakes");
    return 0;
  }

  Runner runner;
  for (const Command& command : script.commands) {
    Print("vauto: " + Elapsed() + " " + std::to_string(command.line) + ": " + command.source);
    std::string why;
    if (runner.Run(command, why)) continue;
    Print("vauto: FAILED at line " + std::to_string(command.line) + ": " + command.source);
    Print("vauto:   " + why);
    if (!failure_shot.empty()) {
      std::string shot_why;
      if (!runner.Screenshot(failure_shot, false, shot_why)) Print("vauto:   " + shot_why);
    }
    return 1;
  }
  Print("vauto: " + Elapsed() + " all " + std::to_string(script.commands.size()) +
        " commands passed");
  return 0;
}

}  // namespace

}  // namespace vauto

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> args(argv, argv + argc);
  LocalFree(argv);
  try {
    return vauto::Main(args);
  } catch (const std::exception& e) {
    std::fprintf(stdout, "vauto: internal error: %s\n", e.what());
    return 1;
  }
}
