// The vauto script language: one command a line, `#` starts a comment, blank
// lines are ignored. Arguments are separated by blanks; an argument that holds
// blanks is written in double quotes, and "" inside quotes is one quote
// character (no backslash escapes, so Windows paths need no doubling).
// ${name} is replaced by a variable given on vauto's command line (name=value)
// or else by an environment variable; ${nl}, ${tab} and ${dollar} are a line
// break, a tab and a dollar sign.
//
// This part is portable: it reads and checks the whole script before anything
// runs, so a typo is reported with its line number and nothing is started.
// Running the commands is vauto.cpp's job.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vauto {

enum class Op {
  kStart,
  kWaitExit,
  kExpectExitCode,
  kKill,
  kWindow,
  kWindowName,
  kNoWindow,
  kWindowGone,
  kClick,
  kSelect,
  kCheck,
  kSetText,
  kExpectText,
  kExpectTextContains,
  kExpectChecked,
  kExpectItems,
  kExpectItem,
  kExpectSelected,
  kScroll,
  kExpectPosition,
  kExpectEnabled,
  kExpectDisabled,
  kExpectVisible,
  kExpectHidden,
  kClose,
  kEndSession,
  kResize,
  kExpectSize,
  kSleep,
  kTimeout,
  kAnswer,
  kExpectBox,
  kNoBox,
  kScreenshot,
  kRegExpect,
  kRegMissing,
  kRegSet,
  kFileExists,
  kFileMissing,
  kFileContains,
  kExpectFiles,
  kIniExpect,
  kEcho,
};

// What one argument position accepts, checked while the script is read.
enum class Arg : char {
  kText = 't',     // anything
  kCount = 'n',    // a whole number 0 .. 4294967295 (counts, milliseconds)
  kInteger = 'i',  // a whole number, -1 allowed (an index or "none")
  kOnOff = 'b',    // on | off
};

struct CommandSyntax {
  std::string_view name;
  Op op;
  // One letter per position (see Arg); a trailing '*' repeats the last one.
  std::string_view args;
  int required;
  std::string_view usage;
};

struct Token {
  std::string text;
  bool quoted = false;  // any part of it was in quotes
};

struct Command {
  int line = 0;
  std::string source;  // the line as written, without comment and outer blanks
  const CommandSyntax* syntax = nullptr;
  std::vector<Token> args;
};

// Looks a variable up; nullopt when it is not defined.
using VariableLookup = std::function<std::optional<std::string>(std::string_view)>;

struct ParseError {
  int line = 0;
  std::string message;
};

struct Script {
  std::vector<Command> commands;
  std::vector<ParseError> errors;
};

// All commands, in the order the usage text lists them.
const std::vector<CommandSyntax>& Commands();
const CommandSyntax* FindCommand(std::string_view name);

// Splits one line into tokens (the command name first); an empty vector for a
// blank or comment line. Returns nullopt and sets `error` on a bad line.
std::optional<std::vector<Token>> Tokenize(std::string_view line, const VariableLookup& lookup,
                                           std::string& error);

// Reads a whole script (UTF-8, an optional byte-order mark, LF or CRLF).
Script Parse(std::string_view text, const VariableLookup& lookup);

std::optional<std::int64_t> ParseInteger(std::string_view text);
std::optional<bool> ParseOnOff(std::string_view text);

// The keys and values of every [section] of an INI text with that name
// (names compared without regard to ASCII case), in file order, as the
// Windows profile functions read them: blanks around keys and values
// dropped, lines without '=' and ';' comments skipped. `found` tells whether
// the section exists at all (an existing section may hold no keys).
struct IniEntry {
  std::string key;
  std::string value;
};
std::vector<IniEntry> IniSection(std::string_view text, std::string_view section, bool& found);

// Text with '&' mnemonics removed ("&&" stays one '&'), as a button shows it.
std::string WithoutMnemonics(std::string_view text);

}  // namespace vauto
