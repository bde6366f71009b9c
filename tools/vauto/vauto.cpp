// vauto: drives a Windows program from outside, as a tester would, from a
// plain-text script (see script.h for the language and kUsage for the
// commands). It starts the program, finds its windows by caption or by the
// "VostrelName" property our window system sets, presses buttons, answers
// message boxes, checks what the controls show, the registry and files, and
// takes screenshots. Every command is printed as it runs; the first failing
// one is reported with its line number and vauto exits 1. The commands are
// rows of their families' tables (commands.h).
//
// Commands that check something poll every 20 ms until it holds or the
// timeout ends (`timeout <ms>`, 2000 by default), so a script need not know
// how long the program takes to react.
#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <utility>
#include <vector>

#include "tools/vauto/commands.h"
#include "tools/vauto/script.h"
#include "tools/vauto/session.h"
#include "tools/vauto/win32.h"

namespace vauto {

namespace {

const auto kStart = std::chrono::steady_clock::now();

std::string Elapsed() {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  kStart)
                .count();
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%4lld.%03lld", static_cast<long long>(ms / 1000),
                static_cast<long long>(ms % 1000));
  return buffer;
}

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
    for (const CommandRow* row : AllCommands().All()) usage += "\n  " + std::string(row->usage);
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
  Script script = Parse(*text, lookup, AllCommands());
  for (const ParseError& error : script.errors) {
    Print("vauto: " + Utf8(script_path) + ":" + std::to_string(error.line) + ": " + error.message);
  }
  if (!script.errors.empty()) return 1;
  if (check_only) {
    Print("vauto: " + std::to_string(script.commands.size()) + " commands, no mistakes");
    return 0;
  }

  Session session;
  for (const Command& command : script.commands) {
    Print("vauto: " + Elapsed() + " " + std::to_string(command.line) + ": " + command.source);
    std::string why;
    if (session.Run(command, why)) continue;
    Print("vauto: FAILED at line " + std::to_string(command.line) + ": " + command.source);
    Print("vauto:   " + why);
    if (!failure_shot.empty()) {
      std::string shot_why;
      if (!session.Screenshot(failure_shot, false, shot_why)) Print("vauto:   " + shot_why);
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
