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
// The commands themselves are rows of their families' tables (commands_*.cpp),
// each with its handler.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vauto {

// What one argument position accepts, checked while the script is read.
enum class Arg : char {
  kText = 't',     // anything
  kCount = 'n',    // a whole number 0 .. 4294967295 (counts, milliseconds)
  kInteger = 'i',  // a whole number, -1 allowed (an index or "none")
  kOnOff = 'b',    // on | off
};

struct Token {
  std::string text;
  bool quoted = false;  // any part of it was in quotes
};

class Session;

// Runs one command of a script (the session holds its arguments); false with
// `why` set when it failed. Defined by the program that runs scripts.
using CommandHandler = bool (*)(Session& session, std::string& why);
// Checks a command's arguments where the kind of each position is not
// enough (keywords, a kind that depends on another argument).
using ArgumentCheck = bool (*)(const std::vector<Token>& args, std::string& error);

// One row of a command table: name, syntax and handler.
struct CommandRow {
  std::string_view name;
  // One letter per position (see Arg); a trailing '*' repeats the last one.
  std::string_view args;
  int required;
  std::string_view usage;
  // Replaces the check of each position by its kind when set.
  ArgumentCheck check;
  CommandHandler run;
};

// The commands a script may use: the tables of their families, listed in
// order.
class CommandSet {
 public:
  CommandSet(std::initializer_list<std::span<const CommandRow>> families);
  const CommandRow* Find(std::string_view name) const;
  const std::vector<const CommandRow*>& All() const { return all_; }

 private:
  std::vector<const CommandRow*> all_;
};

struct Command {
  int line = 0;
  std::string source;  // the line as written, without comment and outer blanks
  const CommandRow* row = nullptr;
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

// answer <button> [expect|contains <text>] [ms]
bool CheckAnswerArguments(const std::vector<Token>& args, std::string& error);
// reg-set <key> <value> sz|dword <data>: a DWORD's data is a whole number.
bool CheckRegSetArguments(const std::vector<Token>& args, std::string& error);

// Splits one line into tokens (the command name first); an empty vector for a
// blank or comment line. Returns nullopt and sets `error` on a bad line.
std::optional<std::vector<Token>> Tokenize(std::string_view line, const VariableLookup& lookup,
                                           std::string& error);

// Reads a whole script (UTF-8, an optional byte-order mark, LF or CRLF)
// made of the given commands.
Script Parse(std::string_view text, const VariableLookup& lookup, const CommandSet& commands);

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
