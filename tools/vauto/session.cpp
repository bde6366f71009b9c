#include "tools/vauto/session.h"

#include "tools/vauto/commands.h"
#include "tools/vauto/win32.h"

namespace vauto {

namespace {

constexpr DWORD kPollMs = 20;

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

}  // namespace

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

void Info(const std::string& text) { Print("vauto:            " + text); }

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

bool PollUntil(DWORD ms, const std::function<bool()>& ready) {
  ULONGLONG deadline = GetTickCount64() + ms;
  while (true) {
    if (ready()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
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

const CommandSet& AllCommands() {
  static const CommandSet kAll{ProgramCommands(), ControlCommands(), BoxCommands(),
                               CheckCommands()};
  return kAll;
}

bool Session::Run(const Command& command, std::string& why) {
  command_ = &command;
  if (!command.row->run) {
    why = "not implemented";
    return false;
  }
  return command.row->run(*this, why);
}

void Session::EndPrograms() {
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

const std::string& Session::Arg(size_t i) const {
  static const std::string kNone;
  return i < command_->args.size() ? command_->args[i].text : kNone;
}

DWORD Session::Count(size_t i, DWORD fallback) const {
  if (i >= ArgCount()) return fallback;
  return static_cast<DWORD>(*ParseInteger(Arg(i)));
}

std::string Session::Label(size_t i) const { return ToControlRef(ArgToken(i)).Label(); }

void Session::Started(HANDLE process, DWORD pid) {
  processes_.push_back(process);
  process_ = process;
  pid_ = pid;
  exit_code_.reset();
  window_ = nullptr;
}

bool Session::NeedProcess(std::string& why) const {
  if (process_) return true;
  why = "no program was started";
  return false;
}

bool Session::OfProgram(HWND hwnd) const { return !process_ || ProcessOf(hwnd) == pid_; }

std::string Session::ProgramState() const {
  if (process_ && WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return " (the program has exited with " + std::to_string(code) + ")";
  }
  return "";
}

std::vector<HWND> Session::ProgramWindows() const {
  std::vector<HWND> found;
  for (HWND hwnd : TopWindows()) {
    if (IsWindowVisible(hwnd) && OfProgram(hwnd)) found.push_back(hwnd);
  }
  return found;
}

void Session::SetWindow(HWND hwnd, std::string label) {
  window_ = hwnd;
  window_label_ = std::move(label);
}

bool Session::CurrentWindow(std::string& why) const {
  if (window_ && IsWindow(window_)) return true;
  why = window_ ? "the " + window_label_ + " no longer exists" + ProgramState()
                : "no current window (use window or window-name first)";
  return false;
}

HWND Session::Control(size_t i, std::string& why) const {
  if (!CurrentWindow(why)) return nullptr;
  ControlRef ref = ToControlRef(ArgToken(i));
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

bool Session::Expect(const std::function<std::optional<std::string>()>& read,
                     const std::string& wanted, const std::string& what, std::string& why) const {
  std::optional<std::string> last;
  if (PollUntil(expect_ms_, [&] { return (last = read()) == wanted; })) return true;
  why = what + (last ? " is " + Quote(*last) : " cannot be read") + ", not " + Quote(wanted) +
        " (waited " + std::to_string(expect_ms_) + " ms)";
  return false;
}

bool Session::Screenshot(const std::wstring& path, bool window_only, std::string& why) const {
  RECT rect{};
  if (window_only) {
    if (!CurrentWindow(why)) return false;
    GetWindowRect(window_, &rect);
  }
  if (!WriteScreenshot(path, window_only ? &rect : nullptr, why)) return false;
  Info("wrote " + Utf8(path));
  return true;
}

}  // namespace vauto
