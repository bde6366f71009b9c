// What the registry operations do, on every backend. Enumeration order
// differs (Windows keeps values in insertion order, Wine sorts them), so
// name lists are compared as sets.
#include <gmock/gmock.h>

#include "tests/contract/contract.h"

namespace contract {
namespace {

using platform::Access;
using platform::Error;
using platform::Hive;
using platform::ValueType;
using ::testing::UnorderedElementsAre;

class RegistryContract : public ContractTest {
 protected:
  void TearDown() override {
    Reg().DeleteTree(Hive::kCurrentUser, key_);
    ContractTest::TearDown();
  }
  std::unique_ptr<platform::RegKey> Create() {
    return Reg().Open(Hive::kCurrentUser, key_, true, Access::kFull);
  }
};

TEST_F(RegistryContract, MissingKeyDoesNotOpenAndIsNotCreatedByReading) {
  EXPECT_EQ(Reg().Open(Hive::kCurrentUser, key_, false, Access::kRead), nullptr);
  EXPECT_EQ(Reg().Open(Hive::kCurrentUser, key_, false, Access::kFull), nullptr);
  EXPECT_FALSE(Reg().KeyExists(Hive::kCurrentUser, key_));
}

TEST_F(RegistryContract, CreateMakesMissingParents) {
  auto key = Reg().Open(Hive::kCurrentUser, key_ + "\\a\\b\\c", true, Access::kFull);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(Reg().KeyExists(Hive::kCurrentUser, key_ + "\\a\\b"));
  // Key paths compare case-insensitively.
  EXPECT_TRUE(Reg().KeyExists(Hive::kCurrentUser, key_ + "\\A\\B\\C"));
}

TEST_F(RegistryContract, EveryValueTypeRoundTrips) {
  auto key = Create();
  ASSERT_NE(key, nullptr);
  const std::string binary("\x01\x02\x00\xfe\xff", 5);
  ASSERT_TRUE(key->WriteString("Str", "hello world"));
  ASSERT_TRUE(key->WriteExpandString("Exp", "%SystemRoot%\\x"));
  ASSERT_TRUE(key->WriteDword("Dw", 0x12345678));
  ASSERT_TRUE(key->WriteBinary("Bin", binary));
  ASSERT_TRUE(key->WriteString("Empty", ""));
  ASSERT_TRUE(key->WriteString("Uni", "файл 文件 café"));

  auto reopened = Reg().Open(Hive::kCurrentUser, key_, false, Access::kRead);
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(reopened->ReadString("Str"), "hello world");
  EXPECT_EQ(reopened->ReadString("Exp"), "%SystemRoot%\\x");  // not expanded
  EXPECT_EQ(reopened->ReadDword("Dw"), 0x12345678u);
  EXPECT_EQ(reopened->ReadBinary("Bin"), binary);
  EXPECT_EQ(reopened->ReadString("Empty"), "");
  EXPECT_EQ(reopened->ReadString("Uni"), "файл 文件 café");
  EXPECT_EQ(reopened->GetValueType("Str"), ValueType::kString);
  EXPECT_EQ(reopened->GetValueType("Exp"), ValueType::kExpandString);
  EXPECT_EQ(reopened->GetValueType("Dw"), ValueType::kDword);
  EXPECT_EQ(reopened->GetValueType("Bin"), ValueType::kBinary);
  EXPECT_EQ(reopened->GetValueType("Missing"), std::nullopt);
}

TEST_F(RegistryContract, RawReadsGiveTheTypeAndTheBytesTheWideCallStores) {
  auto key = Create();
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("Str", "a\xc3\xa9"));
  ASSERT_TRUE(key->WriteExpandString("Exp", "%x%"));
  ASSERT_TRUE(key->WriteDword("Dw", 0x0A0B0C0D));
  ASSERT_TRUE(key->WriteBinary("Bin", std::string("\0\x01", 2)));
  auto str = key->ReadRaw("Str");
  ASSERT_TRUE(str.has_value());
  EXPECT_EQ(str->type, 1u);
  EXPECT_EQ(str->bytes, std::string("a\0\xe9\0\0\0", 6));
  EXPECT_EQ(key->ReadRaw("Exp")->type, 2u);
  EXPECT_EQ(key->ReadRaw("Exp")->bytes, std::string("%\0x\0%\0\0\0", 8));
  EXPECT_EQ(key->ReadRaw("Dw")->type, 4u);
  EXPECT_EQ(key->ReadRaw("Dw")->bytes, "\x0d\x0c\x0b\x0a");
  EXPECT_EQ(key->ReadRaw("Bin")->bytes, std::string("\0\x01", 2));
  EXPECT_EQ(key->ReadRaw("Missing"), std::nullopt);
}

TEST_F(RegistryContract, ReadingAsTheWrongTypeGivesNothing) {
  auto key = Create();
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("Str", "5"));
  ASSERT_TRUE(key->WriteDword("Dw", 5));
  ASSERT_TRUE(key->WriteBinary("Four", std::string("\x05\0\0\0", 4)));
  EXPECT_EQ(key->ReadDword("Str"), std::nullopt);
  EXPECT_EQ(key->ReadBinary("Str"), std::nullopt);
  EXPECT_EQ(key->ReadString("Dw"), std::nullopt);
  EXPECT_EQ(key->ReadBinary("Dw"), std::nullopt);
  EXPECT_EQ(key->ReadDword("Four"), std::nullopt);
  EXPECT_EQ(key->ReadString("Four"), std::nullopt);
  EXPECT_EQ(key->ReadString("Missing"), std::nullopt);
  EXPECT_EQ(key->ReadDword("Missing"), std::nullopt);
}

TEST_F(RegistryContract, ValueNamesAreCaseInsensitiveAndOverwritesChangeTheType) {
  auto key = Create();
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteString("Alpha", "one"));
  EXPECT_TRUE(key->ValueExists("ALPHA"));
  EXPECT_EQ(key->ReadString("alpha"), "one");
  ASSERT_TRUE(key->WriteDword("ALPHA", 7));
  EXPECT_EQ(key->GetValueType("Alpha"), ValueType::kDword);
  EXPECT_EQ(key->ReadDword("alpha"), 7u);
  EXPECT_EQ(key->ValueNames().size(), 1u);
}

TEST_F(RegistryContract, EnumerationListsEachNameOnceWithTheDefaultValue) {
  auto key = Create();
  ASSERT_NE(key, nullptr);
  for (const char* name : {"Zeta", "alpha", "Middle", "", "beta"})
    ASSERT_TRUE(key->WriteString(name, "v"));
  ASSERT_TRUE(key->WriteString("alpha", "again"));
  EXPECT_THAT(key->ValueNames(), UnorderedElementsAre("Zeta", "alpha", "Middle", "", "beta"));
  EXPECT_TRUE(key->ValueExists(""));
  EXPECT_EQ(key->ReadString(""), "v");

  for (const char* sub : {"sub", "zkey", "akey"})
    ASSERT_NE(Reg().Open(Hive::kCurrentUser, key_ + "\\" + sub, true, Access::kFull), nullptr);
  EXPECT_THAT(key->SubkeyNames(), UnorderedElementsAre("sub", "zkey", "akey"));
}

TEST_F(RegistryContract, AnEmptyKeyEnumeratesNothing) {
  auto key = Create();
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->ValueNames().empty());
  EXPECT_TRUE(key->SubkeyNames().empty());
  EXPECT_FALSE(key->ValueExists(""));
}

TEST_F(RegistryContract, DeleteValueOnceThenNotFound) {
  auto key = Create();
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteDword("Gone", 1));
  EXPECT_TRUE(key->DeleteValue("GONE"));
  EXPECT_FALSE(key->ValueExists("Gone"));
  EXPECT_EQ(key->DeleteValue("Gone").error, Error::kNotFound);
}

TEST_F(RegistryContract, KeyOpenedForReadingRefusesWrites) {
  ASSERT_NE(Create(), nullptr);
  {
    auto key = Create();
    ASSERT_TRUE(key->WriteString("Kept", "yes"));
  }
  auto key = Reg().Open(Hive::kCurrentUser, key_, false, Access::kRead);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->WriteString("New", "x").error, Error::kAccessDenied);
  EXPECT_EQ(key->WriteDword("New", 1).error, Error::kAccessDenied);
  EXPECT_EQ(key->WriteBinary("New", "x").error, Error::kAccessDenied);
  EXPECT_EQ(key->WriteExpandString("New", "x").error, Error::kAccessDenied);
  EXPECT_EQ(key->DeleteValue("Kept").error, Error::kAccessDenied);
  EXPECT_FALSE(key->ValueExists("New"));
  EXPECT_EQ(key->ReadString("Kept"), "yes");
}

TEST_F(RegistryContract, DeleteTreeRemovesTheKeyWithEverythingBelow) {
  ASSERT_NE(Reg().Open(Hive::kCurrentUser, key_ + "\\a\\b", true, Access::kFull), nullptr);
  {
    auto key = Create();
    ASSERT_TRUE(key->WriteDword("v", 1));
  }
  EXPECT_TRUE(Reg().DeleteTree(Hive::kCurrentUser, key_));
  EXPECT_FALSE(Reg().KeyExists(Hive::kCurrentUser, key_));
  EXPECT_FALSE(Reg().KeyExists(Hive::kCurrentUser, key_ + "\\a\\b"));
  EXPECT_FALSE(Reg().DeleteTree(Hive::kCurrentUser, key_));
}

TEST_F(RegistryContract, DeleteTreeRefusesTheWholeHive) {
  EXPECT_EQ(Reg().DeleteTree(Hive::kCurrentUser, "").error, Error::kInvalidName);
  EXPECT_EQ(Reg().DeleteTree(Hive::kCurrentUser, "\\").error, Error::kInvalidName);
  EXPECT_TRUE(Reg().KeyExists(Hive::kCurrentUser, "Software"));
}

TEST_F(RegistryContract, KeysOfTheMachineAndClassesHivesOpenForReading) {
  EXPECT_NE(Reg().Open(Hive::kLocalMachine, "Software", false, Access::kRead), nullptr);
  EXPECT_NE(Reg().Open(Hive::kClassesRoot, "", false, Access::kRead), nullptr);
}

}  // namespace
}  // namespace contract
