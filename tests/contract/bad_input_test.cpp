// Bad input has one defined outcome on every backend, never a crash.
#include "tests/contract/contract.h"

namespace contract {
namespace {

using platform::Error;
using platform::Hive;

class BadInputContract : public ContractTest {
 protected:
  // A path of about 300 characters inside the scratch folder.
  std::string TooLong() { return At(std::string(300 - dir_.size(), 'x')); }
};

TEST_F(BadInputContract, PathsOfMaxPathOrMoreAreInvalidNames) {
  std::string path = TooLong();
  EXPECT_EQ(Fs().WriteBytes(path, "x").error, Error::kInvalidName);
  EXPECT_EQ(Fs().CreateFolder(path).error, Error::kInvalidName);
  EXPECT_EQ(Fs().DeleteFile(path).error, Error::kInvalidName);
  EXPECT_EQ(Fs().RemoveFolder(path).error, Error::kInvalidName);
  EXPECT_EQ(Fs().MoveFile(At("a"), path).error, Error::kInvalidName);
  EXPECT_EQ(Fs().SetAttributes(path, platform::kAttrHidden).error, Error::kInvalidName);
  EXPECT_EQ(Fs().GetAttributes(path), std::nullopt);
  EXPECT_EQ(Fs().ReadBytes(path), std::nullopt);
  EXPECT_EQ(Fs().ShortPath(path), "");
  Error e = Error::kNone;
  EXPECT_EQ(Fs().FindFirst(path + "\\*", platform::kFindAnyFile, &e), nullptr);
  EXPECT_EQ(e, Error::kInvalidName);
  EXPECT_EQ(Ini().ReadString(path, "S", "K", "dflt"), "dflt");
  EXPECT_FALSE(Ini().WriteString(path, "S", "K", "V"));
}

TEST_F(BadInputContract, ALongNameThatStillFitsWorks) {
  std::string name(200 - dir_.size(), 'y');
  Make(name, "ok");
  EXPECT_EQ(Fs().ReadBytes(At(name)), "ok");
}

TEST_F(BadInputContract, EmptyPathsAndPatternsFail) {
  Error e = Error::kNone;
  EXPECT_EQ(Fs().FindFirst("", platform::kFindAnyFile, &e), nullptr);
  EXPECT_NE(e, Error::kNone);
  EXPECT_EQ(Fs().GetAttributes(""), std::nullopt);
  EXPECT_FALSE(Fs().DeleteFile(""));
  EXPECT_FALSE(Fs().WriteBytes("", "x"));
  EXPECT_EQ(Fs().ReadBytes(""), std::nullopt);
  EXPECT_EQ(Fs().ShortPath(""), "");
}

TEST_F(BadInputContract, NulInsideAPathIsRefused) {
  Make("a");
  std::string path = At(std::string("a\0b", 3));
  EXPECT_EQ(Fs().DeleteFile(path).error, Error::kInvalidName);
  EXPECT_TRUE(Fs().Exists(At("a")));
}

TEST_F(BadInputContract, RegistryValuesOfUnexpectedTypesReadAsNothing) {
  auto key = Reg().Open(Hive::kCurrentUser, key_, true, platform::Access::kFull);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->WriteBinary("Short", std::string("\x01\x02", 2)));
  ASSERT_TRUE(key->WriteBinary("Empty", ""));
  EXPECT_EQ(key->ReadDword("Short"), std::nullopt);
  EXPECT_EQ(key->ReadString("Short"), std::nullopt);
  EXPECT_EQ(key->ReadBinary("Empty"), "");
  EXPECT_EQ(key->ReadDword("Empty"), std::nullopt);
  Reg().DeleteTree(Hive::kCurrentUser, key_);
}

TEST_F(BadInputContract, LongIniValuesRoundTrip) {
  std::string value(5000, 'v');
  ASSERT_TRUE(Ini().WriteString(At("long.ini"), "S", "K", value));
  EXPECT_EQ(Ini().ReadString(At("long.ini"), "S", "K", ""), value);
}

TEST_F(BadInputContract, MalformedIniLinesAreSkipped) {
  ASSERT_TRUE(Fs().WriteBytes(At("bad.ini"),
                              "garbage before any section\r\n"
                              "=no key\r\n"
                              "[Unclosed\r\n"
                              "[]\r\n"
                              "[S]\r\n"
                              "\x01\x02\xff binary junk\r\n"
                              "K=found\r\n"));
  EXPECT_EQ(Ini().ReadString(At("bad.ini"), "S", "K", ""), "found");
  EXPECT_EQ(Ini().ReadString(At("bad.ini"), "S", "", "dflt"), "dflt");
}

}  // namespace
}  // namespace contract
