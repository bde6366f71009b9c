#include "platform/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

TEST(TextUpper, MapsLettersOfEveryCoveredScript) {
  struct Row {
    const char* in;
    const char* out;
  };
  static constexpr Row kRows[] = {
      {"abc xyz 09_-", "ABC XYZ 09_-"},
      {"àéîõüýþÿ", "ÀÉÎÕÜÝÞŸ"},    // Latin-1 Supplement, ÿ to Latin Extended-A
      {"ß÷×µ", "ß÷×µ"},            // no single upper-case letter (or none at all)
      {"ąčęłńőšžŀ", "ĄČĘŁŃŐŠŽĿ"},  // Latin Extended-A pairs
      {"ı", "ı"},                  // dotless i keeps its form
      {"αβγωςάέήίόύώ", "ΑΒΓΩΣΆΈΉΊΌΎΏ"},
      {"файл ёжик ђ ґ ӑ ӏ", "ФАЙЛ ЁЖИК Ђ Ґ Ӑ Ӏ"},
      {"ạệỳ", "ẠỆỲ"},    // Latin Extended Additional
      {"ａｚ", "ＡＺ"},  // full-width
      {"文件 😀", "文件 😀"},
  };
  for (const auto& r : kRows) EXPECT_EQ(text::Upper(r.in), r.out) << r.in;
}

TEST(TextUpper, KeepsInvalidUtf8BytesAsTheyAre) {
  const std::string bad("a\xff\xc0\xafz\xe2\x82", 7);
  EXPECT_EQ(text::Upper(bad), std::string("A\xff\xc0\xafZ\xe2\x82", 7));
  EXPECT_FALSE(text::EqualsNoCase("\xff", "ÿ"));
  EXPECT_FALSE(text::EqualsNoCase("\xff", "Ÿ"));
  EXPECT_TRUE(text::EqualsNoCase(bad, text::Upper(bad)));
}

TEST(TextCompare, IgnoresCaseForAllLettersAndOrdersByCodePoint) {
  EXPECT_TRUE(text::EqualsNoCase("C:\\Windows\\Файл.TXT", "c:\\WINDOWS\\файл.txt"));
  EXPECT_FALSE(text::EqualsNoCase("abc", "abcd"));
  EXPECT_FALSE(text::EqualsNoCase("é", "e"));
  EXPECT_LT(text::CompareNoCase("apple", "Banana"), 0);
  EXPECT_GT(text::CompareNoCase("b", "A"), 0);
  EXPECT_LT(text::CompareNoCase("ab", "ABC"), 0);
  EXPECT_EQ(text::CompareNoCase("", ""), 0);
  EXPECT_TRUE(text::StartsWithNoCase("ÉCOLE.doc", "éc"));
  EXPECT_FALSE(text::StartsWithNoCase("é", "\xc3"));  // half a character is no prefix
  EXPECT_TRUE(text::EndsWithNoCase("index.DAT", ".dat"));
  EXPECT_FALSE(text::EndsWithNoCase("dat", "index.dat"));
}

TEST(TextWildcard, FollowsFindFirstFileForLongNames) {
  struct Row {
    const char* pattern;
    const char* name;
    bool match;
  };
  static constexpr Row kRows[] = {
      {"*.*", "noext", true},
      {"*.*", "a.b.c", true},
      {"*", ".hidden", true},
      {"*.tmp", "a.tmp", true},
      {"*.tmp", "A.TMP", true},
      {"*.tmp", "a.tmpl", false},  // the short-name quirk is not modelled
      {"*.tmp", "tmp", false},
      {"*.tmp", "x.tmp.bak", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"a?c", "abbc", false},
      {"?.txt", "ж.txt", true},  // one character, two bytes
      {"a.*", "a", true},
      {"a.*", "a.b", true},
      {"a.*", "ab", false},
      {"*mshist*", "MSHist012007", true},
      {"index.dat", "INDEX.DAT", true},
      {"*a*a*a*", "aaa", true},
      {"*a*a*a*", "aa", false},
      {"", "a", false},
      {"~*.tmp", "~wrl0001.tmp", true},
  };
  for (const auto& r : kRows)
    EXPECT_EQ(text::WildcardMatch(r.pattern, r.name), r.match) << r.pattern << " vs " << r.name;
  EXPECT_TRUE(text::HasWildcards("a?"));
  EXPECT_FALSE(text::HasWildcards("C:\\a.txt"));
}

TEST(TextPath, SplitsAndJoinsWindowsPaths) {
  EXPECT_EQ(text::JoinPath("C:\\a", "b"), "C:\\a\\b");
  EXPECT_EQ(text::JoinPath("C:\\a\\", "\\b"), "C:\\a\\b");
  EXPECT_EQ(text::JoinPath("", "b"), "b");
  EXPECT_EQ(text::ParentFolder("C:\\a\\b.txt"), "C:\\a");
  EXPECT_EQ(text::ParentFolder("C:\\a\\b\\"), "C:\\a");
  EXPECT_EQ(text::ParentFolder("C:\\a"), "C:\\");
  EXPECT_EQ(text::ParentFolder("C:\\"), "");
  EXPECT_EQ(text::ParentFolder("name"), "");
  EXPECT_EQ(text::ExtractFilePath("C:\\a\\b.txt"), "C:\\a\\");
  EXPECT_EQ(text::ExtractFilePath("C:b.txt"), "C:");
  EXPECT_EQ(text::ExtractFilePath("b.txt"), "");
  EXPECT_EQ(text::FileName("C:\\a\\b.txt"), "b.txt");
  EXPECT_EQ(text::FileName("C:/a/b.txt"), "b.txt");
  EXPECT_EQ(text::FileName("C:\\a\\"), "");
  EXPECT_EQ(text::Extension("C:\\a.dir\\b.tar.gz"), ".gz");
  EXPECT_EQ(text::Extension("C:\\a.dir\\noext"), "");
  EXPECT_EQ(text::StripExtension("C:\\a\\b.txt"), "b");
  EXPECT_EQ(text::AddTrailingBackslash("C:\\a"), "C:\\a\\");
  EXPECT_EQ(text::AddTrailingBackslash("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(text::AddTrailingBackslash(""), "");  // never the drive root
  EXPECT_EQ(text::StripTrailingBackslash("C:\\a\\"), "C:\\a");
  EXPECT_EQ(text::StripTrailingBackslash("C:\\a"), "C:\\a");
}

TEST(TextTrim, RemovesControlCharactersAndBlanksAtBothEnds) {
  EXPECT_EQ(text::Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(text::Trim("   "), "");
  EXPECT_EQ(text::TrimLeft("  a "), "a ");
  EXPECT_EQ(text::TrimRight("  a "), "  a");
  EXPECT_EQ(text::Trim(" é "), "é");
}

TEST(TextNumbers, ArePlainDecimal) {
  EXPECT_EQ(text::IntToStr(0), "0");
  EXPECT_EQ(text::IntToStr(-1234567), "-1234567");
  EXPECT_EQ(text::IntToStr(LLONG_MIN), "-9223372036854775808");
  EXPECT_EQ(text::UInt64ToStr(UINT64_MAX), "18446744073709551615");
  EXPECT_EQ(text::UInt64ToStr(5368709243ull), "5368709243");
}

TEST(TextUtf8, CountsUtf16UnitsAndRoundTripsCodePoints) {
  EXPECT_EQ(text::Utf16Length("abc"), 3u);
  EXPECT_EQ(text::Utf16Length("файл"), 4u);
  EXPECT_EQ(text::Utf16Length("文件"), 2u);
  EXPECT_EQ(text::Utf16Length("😀"), 2u);
  for (char32_t c : {U'a', U'é', U'ж', U'文', U'😀'}) {
    std::string s;
    text::AppendUtf8(s, c);
    size_t pos = 0;
    EXPECT_EQ(text::DecodeUtf8(s, pos), c);
    EXPECT_EQ(pos, s.size());
  }
  // Overlong forms and surrogates read byte by byte.
  std::string overlong("\xc0\xaf", 2);
  size_t pos = 0;
  EXPECT_EQ(text::DecodeUtf8(overlong, pos), 0xC0u);
  EXPECT_EQ(pos, 1u);
  std::string surrogate("\xed\xa0\x80", 3);
  pos = 0;
  EXPECT_EQ(text::DecodeUtf8(surrogate, pos), 0xEDu);
}

}  // namespace
