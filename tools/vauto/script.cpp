#include "tools/vauto/script.h"

#include <charconv>
#include <limits>

namespace vauto {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::optional<std::string> BuiltinVariable(std::string_view name) {
  if (name == "nl") return "\n";
  if (name == "tab") return "\t";
  if (name == "dollar") return "$";
  return std::nullopt;
}

// Appends `text` to `out` with ${name} replaced.
bool AppendExpanded(std::string_view text, const VariableLookup& lookup, std::string& out,
                    std::string& error) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '$' || i + 1 >= text.size() || text[i + 1] != '{') {
      out += text[i];
      continue;
    }
    size_t close = text.find('}', i + 2);
    if (close == std::string_view::npos) {
      error = "unclosed ${";
      return false;
    }
    std::string_view name = text.substr(i + 2, close - i - 2);
    std::optional<std::string> value = BuiltinVariable(name);
    if (!value && lookup) value = lookup(name);
    if (!value) {
      error = "undefined variable ${" + std::string(name) + "}";
      return false;
    }
    out += *value;
    i = close;
  }
  return true;
}

bool CheckArgument(Arg kind, const Token& token, std::string& error) {
  switch (kind) {
    case Arg::kText:
      return true;
    case Arg::kCount: {
      std::optional<std::int64_t> n = ParseInteger(token.text);
      if (n && *n >= 0 && *n <= std::numeric_limits<std::uint32_t>::max()) return true;
      error = "'" + token.text + "' is not a whole number";
      return false;
    }
    case Arg::kInteger:
      if (ParseInteger(token.text)) return true;
      error = "'" + token.text + "' is not a number";
      return false;
    case Arg::kOnOff:
      if (ParseOnOff(token.text)) return true;
      error = "'" + token.text + "' is neither on nor off";
      return false;
  }
  return true;
}

bool CheckArguments(const CommandRow& row, const std::vector<Token>& args, std::string& error) {
  if (static_cast<int>(args.size()) < row.required) {
    error = "too few arguments";
    return false;
  }
  bool repeat = !row.args.empty() && row.args.back() == '*';
  size_t positions = row.args.size() - (repeat ? 1 : 0);
  if (!repeat && args.size() > positions) {
    error = "too many arguments";
    return false;
  }
  if (row.check) return row.check(args, error);
  for (size_t i = 0; i < args.size(); ++i) {
    Arg kind = static_cast<Arg>(row.args[i < positions ? i : positions - 1]);
    if (!CheckArgument(kind, args[i], error)) return false;
  }
  return true;
}

}  // namespace

CommandSet::CommandSet(std::initializer_list<std::span<const CommandRow>> families) {
  for (std::span<const CommandRow> family : families) {
    for (const CommandRow& row : family) all_.push_back(&row);
  }
}

const CommandRow* CommandSet::Find(std::string_view name) const {
  for (const CommandRow* row : all_) {
    if (row->name == name) return row;
  }
  return nullptr;
}

bool CheckAnswerArguments(const std::vector<Token>& args, std::string& error) {
  size_t at = 1;
  if (at < args.size() && !args[at].quoted &&
      (args[at].text == "expect" || args[at].text == "contains")) {
    if (at + 1 >= args.size()) {
      error = "'" + args[at].text + "' needs a text";
      return false;
    }
    at += 2;
  }
  if (at < args.size()) {
    if (!CheckArgument(Arg::kCount, args[at], error)) return false;
    ++at;
  }
  if (at < args.size()) {
    error = "unexpected '" + args[at].text + "'";
    return false;
  }
  return true;
}

bool CheckRegSetArguments(const std::vector<Token>& args, std::string& error) {
  const std::string& type = args[2].text;
  if (type == "sz") return true;
  if (type == "dword") return CheckArgument(Arg::kCount, args[3], error);
  error = "the type '" + type + "' is neither sz nor dword";
  return false;
}

std::optional<std::vector<Token>> Tokenize(std::string_view line, const VariableLookup& lookup,
                                           std::string& error) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size() || line[i] == '#') break;
    Token token;
    while (i < line.size() && !IsBlank(line[i])) {
      if (line[i] != '"') {
        size_t end = i;
        while (end < line.size() && !IsBlank(line[end]) && line[end] != '"') ++end;
        if (!AppendExpanded(line.substr(i, end - i), lookup, token.text, error))
          return std::nullopt;
        i = end;
        continue;
      }
      token.quoted = true;
      ++i;
      std::string raw;
      while (true) {
        if (i >= line.size()) {
          error = "unclosed quote";
          return std::nullopt;
        }
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            raw += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        raw += line[i++];
      }
      if (!AppendExpanded(raw, lookup, token.text, error)) return std::nullopt;
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

Script Parse(std::string_view text, const VariableLookup& lookup, const CommandSet& commands) {
  Script script;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  int number = 0;
  while (!text.empty() || number == 0) {
    ++number;
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    std::string error;
    std::optional<std::vector<Token>> tokens = Tokenize(line, lookup, error);
    if (!tokens) {
      script.errors.push_back({number, error});
      continue;
    }
    if (tokens->empty()) continue;
    Command command;
    command.line = number;
    size_t first = line.find_first_not_of(" \t");
    command.source = std::string(line.substr(first));
    while (!command.source.empty() && IsBlank(command.source.back())) command.source.pop_back();
    command.row = (*tokens)[0].quoted ? nullptr : commands.Find((*tokens)[0].text);
    if (!command.row) {
      script.errors.push_back({number, "unknown command '" + (*tokens)[0].text + "'"});
      continue;
    }
    command.args.assign(tokens->begin() + 1, tokens->end());
    if (!CheckArguments(*command.row, command.args, error)) {
      script.errors.push_back({number, std::string(command.row->name) + ": " + error +
                                           " (usage: " + std::string(command.row->usage) + ")"});
      continue;
    }
    script.commands.push_back(std::move(command));
  }
  return script;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<bool> ParseOnOff(std::string_view text) {
  if (text == "on") return true;
  if (text == "off") return false;
  return std::nullopt;
}

namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::vector<IniEntry> IniSection(std::string_view text, std::string_view section, bool& found) {
  std::vector<IniEntry> entries;
  found = false;
  bool inside = false;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = TrimBlanks(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      std::string_view name =
          line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
      inside = EqualsAsciiNoCase(TrimBlanks(name), section);
      found = found || inside;
      continue;
    }
    size_t eq = line.find('=');
    if (!inside || eq == std::string_view::npos) continue;
    entries.push_back({std::string(TrimBlanks(line.substr(0, eq))),
                       std::string(TrimBlanks(line.substr(eq + 1)))});
  }
  return entries;
}

std::string WithoutMnemonics(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += text[i];
  }
  return out;
}

}  // namespace vauto
