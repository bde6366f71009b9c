// What the INI profile functions do, on every backend.
#include <gmock/gmock.h>

#include "platform/text.h"
#include "tests/contract/contract.h"

namespace contract {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;

// The text of a file the profile functions wrote: UTF-16LE after its
// byte-order mark, as new files are created.
std::string Utf16Text(const std::string& bytes) {
  std::string out;
  if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return "(no UTF-16 mark)";
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    char32_t u =
        static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
    text::AppendUtf8(out, u);
  }
  return out;
}

class IniContract : public ContractTest {
 protected:
  std::string File() { return At("test.ini"); }
};

TEST_F(IniContract, MissingFileSectionOrKeyGivesTheDefaultAndCreatesNothing) {
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "Key", "dflt"), "dflt");
  EXPECT_EQ(Ini().ReadInt(File(), "Sec", "Key", 7), 7);
  EXPECT_FALSE(Fs().Exists(File()));
  EXPECT_THAT(Ini().KeyNames(File(), "Sec"), IsEmpty());
  ASSERT_TRUE(Ini().WriteString(File(), "Sec", "Key", "v"));
  EXPECT_EQ(Ini().ReadString(File(), "Other", "Key", "d"), "d");
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "Other", "d"), "d");
}

TEST_F(IniContract, WriteCreatesTheFileAndSectionsInOrder) {
  ASSERT_TRUE(Ini().WriteString(File(), "A", "k1", "v1"));
  ASSERT_TRUE(Ini().WriteString(File(), "A", "k2", "v2"));
  ASSERT_TRUE(Ini().WriteString(File(), "B", "k3", "v3"));
  ASSERT_TRUE(Ini().WriteString(File(), "A", "k4", "v4"));
  ASSERT_TRUE(Ini().WriteString(File(), "a", "K1", "changed"));
  auto bytes = Fs().ReadBytes(File());
  ASSERT_TRUE(bytes);
  EXPECT_EQ(Utf16Text(*bytes), "[A]\r\nk1=changed\r\nk2=v2\r\nk4=v4\r\n[B]\r\nk3=v3\r\n");
  EXPECT_THAT(Ini().KeyNames(File(), "a"), ElementsAre("k1", "k2", "k4"));
}

TEST_F(IniContract, SectionsAndKeysCompareCaseInsensitively) {
  ASSERT_TRUE(Ini().WriteString(File(), "MySection", "MyKey", "value"));
  EXPECT_EQ(Ini().ReadString(File(), "MYSECTION", "mykey", ""), "value");
  ASSERT_TRUE(Ini().WriteString(File(), "mysection", "MYKEY", "other"));
  EXPECT_EQ(Ini().ReadString(File(), "MySection", "MyKey", ""), "other");
  EXPECT_EQ(Ini().KeyNames(File(), "MySection").size(), 1u);
}

TEST_F(IniContract, NonAsciiTextRoundTrips) {
  ASSERT_TRUE(Ini().WriteString(File(), "Файлы", "café", "文件 и файл"));
  EXPECT_EQ(Ini().ReadString(File(), "Файлы", "café", ""), "文件 и файл");
}

TEST_F(IniContract, ReadIntTakesLeadingDigits) {
  ASSERT_TRUE(Ini().WriteString(File(), "S", "n", "640"));
  ASSERT_TRUE(Ini().WriteString(File(), "S", "neg", "-12"));
  ASSERT_TRUE(Ini().WriteString(File(), "S", "junk", "abc"));
  ASSERT_TRUE(Ini().WriteString(File(), "S", "mixed", "42px"));
  ASSERT_TRUE(Ini().WriteInt(File(), "S", "w", 1024));
  EXPECT_EQ(Ini().ReadInt(File(), "S", "n", 7), 640);
  EXPECT_EQ(Ini().ReadInt(File(), "S", "neg", 7), -12);
  EXPECT_EQ(Ini().ReadInt(File(), "S", "junk", 7), 7);
  EXPECT_EQ(Ini().ReadInt(File(), "S", "mixed", 7), 42);
  EXPECT_EQ(Ini().ReadInt(File(), "S", "w", 7), 1024);
  EXPECT_EQ(Ini().ReadInt(File(), "S", "missing", 7), 7);
}

TEST_F(IniContract, DeleteKeyAndSection) {
  ASSERT_TRUE(Ini().WriteString(File(), "S", "a", "1"));
  ASSERT_TRUE(Ini().WriteString(File(), "S", "b", "2"));
  ASSERT_TRUE(Ini().WriteString(File(), "T", "c", "3"));
  EXPECT_TRUE(Ini().DeleteKey(File(), "s", "A"));
  EXPECT_EQ(Ini().ReadString(File(), "S", "a", "gone"), "gone");
  EXPECT_THAT(Ini().KeyNames(File(), "S"), ElementsAre("b"));
  EXPECT_TRUE(Ini().DeleteSection(File(), "S"));
  EXPECT_THAT(Ini().KeyNames(File(), "S"), IsEmpty());
  EXPECT_EQ(Ini().ReadString(File(), "T", "c", ""), "3");
}

TEST_F(IniContract, ValuesAreTrimmedWhenWritten) {
  ASSERT_TRUE(Ini().WriteString(File(), "S", "Spaces", "   padded value   "));
  EXPECT_EQ(Ini().ReadString(File(), "S", "Spaces", ""), "padded value");
}

TEST_F(IniContract, HandWrittenFilesReadAsTheProfileFunctionsReadThem) {
  ASSERT_TRUE(Fs().WriteBytes(File(),
                              "; a comment\r\n"
                              "[ Sec ]\r\n"
                              "  Key1  =   v1 with trailing   \r\n"
                              "Key2=\"  in quotes  \"\r\n"
                              "Key3='sq'\r\n"
                              "Key4=\"unbalanced\r\n"
                              "Key5=a=b\r\n"
                              "no equals sign here\r\n"
                              "Empty=\r\n"
                              "[sec]\r\n"
                              "Key6=in the duplicate\r\n"
                              "[Other]\n"
                              "Lf=unix line\n"));
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "Key1", ""), "v1 with trailing");
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "Key2", ""), "  in quotes  ");
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "Key3", ""), "sq");
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "Key4", ""), "\"unbalanced");
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "Key5", ""), "a=b");
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "no equals sign here", "dflt"), "dflt");
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "Empty", "dflt"), "");
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "Key6", "dflt"), "dflt");
  EXPECT_EQ(Ini().ReadString(File(), "Other", "Lf", ""), "unix line");
  EXPECT_EQ(Ini().ReadInt(File(), "Sec", "Key1", 3), 3);
}

TEST_F(IniContract, WritingIntoAHandWrittenFileKeepsTheOtherValues) {
  ASSERT_TRUE(Fs().WriteBytes(File(), "[Sec]\r\nA=1\r\nB=2\r\n[Next]\r\nC=3\r\n"));
  ASSERT_TRUE(Ini().WriteString(File(), "Sec", "B", "changed"));
  ASSERT_TRUE(Ini().WriteString(File(), "Sec", "New", "n"));
  ASSERT_TRUE(Ini().WriteString(File(), "Fresh", "D", "4"));
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "A", ""), "1");
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "B", ""), "changed");
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "New", ""), "n");
  EXPECT_EQ(Ini().ReadString(File(), "Next", "C", ""), "3");
  EXPECT_EQ(Ini().ReadString(File(), "Fresh", "D", ""), "4");
  EXPECT_THAT(Ini().KeyNames(File(), "Sec"), ElementsAre("A", "B", "New"));
}

TEST_F(IniContract, WritingIntoAMissingFolderFails) {
  EXPECT_FALSE(Ini().WriteString(At("nodir\\x.ini"), "S", "K", "V"));
  EXPECT_FALSE(Fs().Exists(At("nodir")));
}

TEST_F(IniContract, ReadOnlyFileRefusesWritesAndKeepsItsValues) {
  ASSERT_TRUE(Ini().WriteString(File(), "S", "K", "old"));
  ASSERT_TRUE(Fs().SetAttributes(File(), platform::kAttrReadOnly));
  EXPECT_FALSE(Ini().WriteString(File(), "S", "K", "new"));
  EXPECT_EQ(Ini().ReadString(File(), "S", "K", ""), "old");
  ASSERT_TRUE(Fs().SetAttributes(File(), platform::kAttrNormal));
}

TEST_F(IniContract, ReadSectionGivesThePairsAsReadStringReadsThem) {
  ASSERT_TRUE(Fs().WriteBytes(File(),
                              "[First]\r\n"
                              "X=not this section\r\n"
                              "[ Sec ]\r\n"
                              "; a comment\r\n"
                              "  Key1  =   v1 with trailing   \r\n"
                              "Key2=\"  in quotes  \"\r\n"
                              "Key3='sq'\r\n"
                              "Key4=\"unbalanced\r\n"
                              "Key5=a=b\r\n"
                              "no equals sign here\r\n"
                              "Empty=\r\n"
                              "\r\n"
                              "key1=the duplicate\r\n"
                              "[sec]\r\n"
                              "Key6=in the duplicate section\r\n"
                              "[Other]\n"
                              "Lf=unix line\n"));
  auto pairs = Ini().ReadSection(File(), "SEC");
  EXPECT_THAT(pairs,
              ElementsAre(Pair("Key1", "v1 with trailing"), Pair("Key2", "  in quotes  "),
                          Pair("Key3", "sq"), Pair("Key4", "\"unbalanced"), Pair("Key5", "a=b"),
                          Pair("Empty", ""), Pair("key1", "the duplicate")));
  // Where a key is listed twice, ReadString answers with the first.
  for (const auto& [key, value] : pairs) {
    if (key == "key1") continue;
    EXPECT_EQ(Ini().ReadString(File(), "Sec", key, "dflt"), value) << key;
  }
  EXPECT_EQ(Ini().ReadString(File(), "Sec", "key1", ""), "v1 with trailing");
  EXPECT_THAT(Ini().ReadSection(File(), "Other"), ElementsAre(Pair("Lf", "unix line")));
}

TEST_F(IniContract, ReadSectionOfAMissingFileOrSectionIsEmpty) {
  EXPECT_THAT(Ini().ReadSection(File(), "Sec"), IsEmpty());
  EXPECT_FALSE(Fs().Exists(File()));
  EXPECT_THAT(Ini().ReadSection(At("nodir\\x.ini"), "Sec"), IsEmpty());
  ASSERT_TRUE(Ini().WriteString(File(), "Sec", "K", "v"));
  EXPECT_THAT(Ini().ReadSection(File(), "Missing"), IsEmpty());
  ASSERT_TRUE(Fs().WriteBytes(File(), "[Sec]\r\n; only a comment\r\nno key\r\n"));
  EXPECT_THAT(Ini().ReadSection(File(), "Sec"), IsEmpty());
}

TEST_F(IniContract, ReadSectionReadsWhatWriteStringWrote) {
  // Non-ASCII names keep one spelling: Wine folds only ASCII letters when
  // it compares section and key names.
  ASSERT_TRUE(Ini().WriteString(File(), "Файлы Sec", "P1", "  C:\\Профиль\\文件\\  "));
  ASSERT_TRUE(Ini().WriteString(File(), "Файлы Sec", "P2", "second"));
  ASSERT_TRUE(Ini().WriteString(File(), "Other", "P1", "elsewhere"));
  ASSERT_TRUE(Ini().WriteString(File(), "Файлы SEC", "P3", "x = y"));
  ASSERT_TRUE(Ini().WriteString(File(), "Файлы Sec", "p2", "changed"));
  EXPECT_THAT(
      Ini().ReadSection(File(), "Файлы sec"),
      ElementsAre(Pair("P1", "C:\\Профиль\\文件\\"), Pair("P2", "changed"), Pair("P3", "x = y")));
  ASSERT_TRUE(Ini().DeleteKey(File(), "Файлы Sec", "P1"));
  EXPECT_THAT(Ini().ReadSection(File(), "Файлы Sec"),
              ElementsAre(Pair("P2", "changed"), Pair("P3", "x = y")));
}

TEST_F(IniContract, ReadSectionReadsASectionLargerThan32KiB) {
  // 500 keys of over 100 characters each: about 56 KiB of text, past the
  // 32 KiB a single fixed buffer of the profile functions often is.
  constexpr int kKeys = 500;
  std::string bytes = "[Big]\r\n";
  auto value_of = [](int n) {
    return std::string(100, static_cast<char>('a' + n % 26)) + "|" + std::to_string(n);
  };
  for (int n = 1; n <= kKeys; ++n) bytes += "P" + std::to_string(n) + "=" + value_of(n) + "\r\n";
  bytes += "[After]\r\nK=v\r\n";
  ASSERT_TRUE(Fs().WriteBytes(File(), bytes));
  auto pairs = Ini().ReadSection(File(), "Big");
  ASSERT_EQ(pairs.size(), static_cast<size_t>(kKeys));
  for (int n = 1; n <= kKeys; ++n) {
    const auto& [key, value] = pairs[static_cast<size_t>(n - 1)];
    ASSERT_EQ(key, "P" + std::to_string(n));
    ASSERT_EQ(value, value_of(n));
  }
}

TEST_F(IniContract, ReadsSeeEveryChangeOfTheFile) {
  ASSERT_TRUE(Fs().WriteBytes(File(), "[S]\r\nK=one\r\n"));
  EXPECT_EQ(Ini().ReadString(File(), "S", "K", ""), "one");
  // The same length, other bytes: a reader that kept the earlier file by
  // its size alone would still answer "one".
  ASSERT_TRUE(Fs().WriteBytes(File(), "[S]\r\nK=two\r\n"));
  EXPECT_EQ(Ini().ReadString(File(), "S", "K", ""), "two");
  EXPECT_THAT(Ini().ReadSection(File(), "S"), ElementsAre(Pair("K", "two")));
  ASSERT_TRUE(Ini().WriteString(File(), "S", "L", "3"));
  EXPECT_THAT(Ini().ReadSection(File(), "S"), ElementsAre(Pair("K", "two"), Pair("L", "3")));
  ASSERT_TRUE(Fs().DeleteFile(File()));
  EXPECT_THAT(Ini().ReadSection(File(), "S"), IsEmpty());
  EXPECT_EQ(Ini().ReadString(File(), "S", "K", "gone"), "gone");
}

}  // namespace
}  // namespace contract
