#include "tools/vauto/script.h"

#include <gtest/gtest.h>

namespace vauto {
namespace {

std::optional<std::string> Lookup(std::string_view name) {
  if (name == "program") return std::string("C:\\Program Files\\Vostrel\\vostdemo.exe");
  if (name == "empty") return std::string();
  return std::nullopt;
}

// Rows shaped like vauto's own commands, without handlers: the reader is
// tested on them here; vauto's real tables are tested with their handlers
// under Wine (commands_test.cpp).
constexpr CommandRow kRows[] = {
    {"start", "tt*", 1, "start <exe> [args...]", nullptr, nullptr},
    {"wait-exit", "n", 0, "wait-exit [ms]", nullptr, nullptr},
    {"expect-exit-code", "i", 1, "expect-exit-code <code>", nullptr, nullptr},
    {"click", "t", 1, "click <control>", nullptr, nullptr},
    {"check", "tb", 2, "check <control> on|off", nullptr, nullptr},
    {"expect-selected", "ti", 2, "expect-selected <control> <index|-1>", nullptr, nullptr},
    {"close", "", 0, "close", nullptr, nullptr},
    {"sleep", "n", 1, "sleep <ms>", nullptr, nullptr},
    {"echo", "t*", 0, "echo [text...]", nullptr, nullptr},
    {"answer", "tttn", 1, "answer <button> [expect|contains <text>] [ms]", CheckAnswerArguments,
     nullptr},
    {"reg-set", "tttt", 4, "reg-set <ROOT\\key> <value|@> sz|dword <data>", CheckRegSetArguments,
     nullptr},
};

Script Parse(std::string_view text, const VariableLookup& lookup) {
  static const CommandSet kCommands{kRows};
  return vauto::Parse(text, lookup, kCommands);
}

std::vector<std::string> Texts(std::string_view line) {
  std::string error;
  std::optional<std::vector<Token>> tokens = Tokenize(line, Lookup, error);
  EXPECT_TRUE(tokens) << error;
  std::vector<std::string> out;
  if (tokens) {
    for (const Token& token : *tokens) out.push_back(token.text);
  }
  return out;
}

std::string TokenizeError(std::string_view line) {
  std::string error;
  EXPECT_FALSE(Tokenize(line, Lookup, error));
  return error;
}

TEST(VautoTokenize, SplitsOnBlanksAndTabsAndKeepsQuotedBlanks) {
  EXPECT_EQ(Texts("  click\tCmdAsk  "), (std::vector<std::string>{"click", "CmdAsk"}));
  EXPECT_EQ(Texts("expect-text LblAnswer \"You answered Yes.\""),
            (std::vector<std::string>{"expect-text", "LblAnswer", "You answered Yes."}));
}

TEST(VautoTokenize, CommentsAndBlankLinesGiveNoTokens) {
  EXPECT_TRUE(Texts("").empty());
  EXPECT_TRUE(Texts("   \t ").empty());
  EXPECT_TRUE(Texts("# start vostdemo.exe").empty());
  EXPECT_EQ(Texts("click CmdAsk # press it"), (std::vector<std::string>{"click", "CmdAsk"}));
  // Inside quotes '#' is text.
  EXPECT_EQ(Texts("set-text TxtName \"#1 # 2\""),
            (std::vector<std::string>{"set-text", "TxtName", "#1 # 2"}));
}

TEST(VautoTokenize, DoubledQuoteIsAQuoteAndBackslashesStayAsWritten) {
  EXPECT_EQ(Texts("echo \"say \"\"hi\"\"\""), (std::vector<std::string>{"echo", "say \"hi\""}));
  EXPECT_EQ(Texts("file-exists \"C:\\new folder\\t.txt\""),
            (std::vector<std::string>{"file-exists", "C:\\new folder\\t.txt"}));
  EXPECT_EQ(Texts("echo \"\""), (std::vector<std::string>{"echo", ""}));
}

TEST(VautoTokenize, QuotesMayStartInsideAToken) {
  std::string error;
  auto tokens = Tokenize("click caption:\"Remove all\"", Lookup, error);
  ASSERT_TRUE(tokens);
  ASSERT_EQ(tokens->size(), 2u);
  EXPECT_EQ((*tokens)[1].text, "caption:Remove all");
  EXPECT_TRUE((*tokens)[1].quoted);
  EXPECT_FALSE((*tokens)[0].quoted);
}

TEST(VautoTokenize, ExpandsVariablesInAndOutsideQuotes) {
  EXPECT_EQ(Texts("start ${program} /s"),
            (std::vector<std::string>{"start", "C:\\Program Files\\Vostrel\\vostdemo.exe", "/s"}));
  EXPECT_EQ(Texts("echo \"a${nl}b${tab}c${dollar}{x}\" x${empty}y"),
            (std::vector<std::string>{"echo", "a\nb\tc${x}", "xy"}));
  // A lone dollar sign is text.
  EXPECT_EQ(Texts("echo $5 $"), (std::vector<std::string>{"echo", "$5", "$"}));
}

TEST(VautoTokenize, ReportsUnclosedQuotesAndUnknownVariables) {
  EXPECT_EQ(TokenizeError("expect-text LblAnswer \"You answered"), "unclosed quote");
  EXPECT_EQ(TokenizeError("start ${programm}"), "undefined variable ${programm}");
  EXPECT_EQ(TokenizeError("start ${program"), "unclosed ${");
}

TEST(VautoParse, NumbersLinesAndSkipsCommentsWithCrLfAndByteOrderMark) {
  Script script =
      Parse("\xEF\xBB\xBF# demo\r\n\r\nstart ${program}\r\n  click CmdAsk  \r\n", Lookup);
  ASSERT_TRUE(script.errors.empty());
  ASSERT_EQ(script.commands.size(), 2u);
  EXPECT_EQ(script.commands[0].line, 3);
  EXPECT_EQ(script.commands[0].row->name, "start");
  EXPECT_EQ(script.commands[1].line, 4);
  EXPECT_EQ(script.commands[1].source, "click CmdAsk");
  ASSERT_EQ(script.commands[1].args.size(), 1u);
  EXPECT_EQ(script.commands[1].args[0].text, "CmdAsk");
}

TEST(VautoParse, EmptyScriptHasNoCommands) {
  Script script = Parse("", Lookup);
  EXPECT_TRUE(script.errors.empty());
  EXPECT_TRUE(script.commands.empty());
}

TEST(VautoParse, ReportsEveryBadLineWithItsNumberAndRunsNothing) {
  Script script = Parse(
      "start x.exe\n"
      "clik CmdAsk\n"
      "wait-exit soon\n"
      "check ChkOption yes\n"
      "sleep\n"
      "close now\n"
      "\"click\" CmdAsk\n",
      Lookup);
  ASSERT_EQ(script.errors.size(), 6u);
  EXPECT_EQ(script.errors[0].line, 2);
  EXPECT_EQ(script.errors[0].message, "unknown command 'clik'");
  EXPECT_EQ(script.errors[1].line, 3);
  EXPECT_NE(script.errors[1].message.find("'soon' is not a whole number"), std::string::npos);
  EXPECT_NE(script.errors[1].message.find("usage: wait-exit [ms]"), std::string::npos);
  EXPECT_NE(script.errors[2].message.find("neither on nor off"), std::string::npos);
  EXPECT_NE(script.errors[3].message.find("too few arguments"), std::string::npos);
  EXPECT_NE(script.errors[4].message.find("too many arguments"), std::string::npos);
  // A quoted word is never a command name.
  EXPECT_EQ(script.errors[5].line, 7);
}

TEST(VautoParse, NumberArgumentsAreRangeChecked) {
  EXPECT_TRUE(Parse("sleep 4294967295", Lookup).errors.empty());
  EXPECT_EQ(Parse("sleep 4294967296", Lookup).errors.size(), 1u);
  EXPECT_EQ(Parse("sleep -1", Lookup).errors.size(), 1u);
  EXPECT_EQ(Parse("sleep 12ms", Lookup).errors.size(), 1u);
  EXPECT_TRUE(Parse("expect-selected ListItems -1", Lookup).errors.empty());
  EXPECT_TRUE(Parse("expect-exit-code -1", Lookup).errors.empty());
}

TEST(VautoParse, RepeatingArgumentsTakeAnyCount) {
  Script script = Parse("start a.exe b \"c d\" e\necho\n", Lookup);
  ASSERT_TRUE(script.errors.empty());
  EXPECT_EQ(script.commands[0].args.size(), 4u);
  EXPECT_TRUE(script.commands[1].args.empty());
}

TEST(VautoParse, AnswerTakesAnOptionalExpectationAndTimeout) {
  for (const char* good : {"answer Yes", "answer \"&Yes\" 3000", "answer Yes expect \"Sure?\"",
                           "answer No contains like 500", "answer \"expect\""}) {
    EXPECT_TRUE(Parse(good, Lookup).errors.empty()) << good;
  }
  for (const char* bad : {"answer", "answer Yes expect", "answer Yes soon", "answer Yes expect a b",
                          "answer Yes 100 200"}) {
    EXPECT_EQ(Parse(bad, Lookup).errors.size(), 1u) << bad;
  }
}

TEST(VautoParse, RegSetTakesAStringOrAWholeNumberDword) {
  for (const char* good : {"reg-set HKCU\\Software\\Wine Version sz vista",
                           "reg-set \"HKCU\\Software\\Wine\\AppDefaults\\a.exe\" @ sz \"\"",
                           "reg-set HKCU\\Software\\X VistaMsg dword 0",
                           "reg-set HKCU\\Software\\X Big dword 4294967295"}) {
    EXPECT_TRUE(Parse(good, Lookup).errors.empty()) << good;
  }
  for (const char* bad :
       {"reg-set HKCU\\Software\\X VistaMsg dword", "reg-set HKCU\\X V dword -1",
        "reg-set HKCU\\X V dword on", "reg-set HKCU\\X V binary 00", "reg-set HKCU\\X V sz a b"}) {
    EXPECT_EQ(Parse(bad, Lookup).errors.size(), 1u) << bad;
  }
}

std::vector<std::string> IniPairs(std::string_view text, std::string_view section,
                                  bool expect_found = true) {
  bool found = false;
  std::vector<std::string> out;
  for (const IniEntry& e : IniSection(text, section, found)) out.push_back(e.key + "=" + e.value);
  EXPECT_EQ(found, expect_found) << section;
  return out;
}

TEST(VautoIni, ReadsOneSectionWithBlanksDroppedAndCaseIgnoredInItsName) {
  constexpr std::string_view kText =
      "[K17]\r\nP1=C:\\a\\\r\nP2=\r\n"
      "  [ p45 ]  \r\n  P1 = C:\\Program Files\\x\\  \r\n; P2=commented\r\nno equals sign\r\n"
      "P2=a=b\r\n[HI24]\r\nP1=y\r\n";
  EXPECT_EQ(IniPairs(kText, "P45"),
            (std::vector<std::string>{"P1=C:\\Program Files\\x\\", "P2=a=b"}));
  EXPECT_EQ(IniPairs(kText, "k17"), (std::vector<std::string>{"P1=C:\\a\\", "P2="}));
  EXPECT_EQ(IniPairs(kText, "HI24"), (std::vector<std::string>{"P1=y"}));
}

TEST(VautoIni, MissingEmptyAndRepeatedSections) {
  EXPECT_TRUE(IniPairs("[A]\nk=v\n", "B", false).empty());
  EXPECT_TRUE(IniPairs("", "A", false).empty());
  EXPECT_TRUE(IniPairs("[A]\n[B]\nk=v", "A").empty());
  // A section written twice: both parts, in file order.
  EXPECT_EQ(IniPairs("[A]\nk=1\n[B]\nk=2\n[a]\nj=3", "A"),
            (std::vector<std::string>{"k=1", "j=3"}));
  // Keys before any section belong to none; an unclosed bracket still names one.
  EXPECT_EQ(IniPairs("k=0\n[A\nk=1", "A"), (std::vector<std::string>{"k=1"}));
}

TEST(VautoText, MnemonicsAreRemovedAndDoubledAmpersandsKept) {
  EXPECT_EQ(WithoutMnemonics("&Yes"), "Yes");
  EXPECT_EQ(WithoutMnemonics("Save && &quit"), "Save & quit");
  EXPECT_EQ(WithoutMnemonics("trailing&"), "trailing");
  EXPECT_EQ(WithoutMnemonics(""), "");
}

TEST(VautoText, IntegersAndSwitches) {
  EXPECT_EQ(ParseInteger("42"), 42);
  EXPECT_EQ(ParseInteger("-1"), -1);
  EXPECT_FALSE(ParseInteger(""));
  EXPECT_FALSE(ParseInteger("4x"));
  EXPECT_FALSE(ParseInteger(" 4"));
  EXPECT_EQ(ParseOnOff("on"), true);
  EXPECT_EQ(ParseOnOff("off"), false);
  EXPECT_FALSE(ParseOnOff("On"));
}

}  // namespace
}  // namespace vauto
