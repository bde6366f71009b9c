// What ResolvePath makes of the spellings of one folder, on every backend:
// the delete guards judge folders by it, so each spelling of a drive root,
// a share root or the Windows folder must come out as that folder.
#include <gmock/gmock.h>

#include <array>
#include <cctype>
#include <optional>
#include <string>

#include "platform/text.h"
#include "tests/contract/contract.h"

namespace contract {
namespace {

class ResolvePathContract : public ContractTest {
 protected:
  // Fills in the Windows folder: "{W}" as the system gives it ("C:\WINDOWS"
  // or "C:\windows"), "{w}" in lower case, "{W/}" with forward slashes and
  // "{W-}" without its "C:\".
  std::string Expand(std::string_view pattern) {
    const std::string windows = Fs().WindowsFolder();
    std::string lower = windows, slashed = windows;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : slashed) c = c == '\\' ? '/' : c;
    std::string out(pattern);
    auto put = [&out](std::string_view token, const std::string& value) {
      for (size_t at = out.find(token); at != std::string::npos; at = out.find(token)) {
        out.replace(at, token.size(), value);
      }
    };
    put("{W/}", slashed);
    put("{W-}", windows.substr(3));
    put("{W}", windows);
    put("{w}", lower);
    return out;
  }
};

struct Spelling {
  const char* path;
  const char* resolved;  // null: names no folder
};

// Every spelling the delete guards were tried with, and more of the same
// kinds.
constexpr std::array<Spelling, 34> kSpellings{{
    {"C:/", "C:\\"},
    {"C:\\.", "C:\\"},
    {"C:\\x\\..", "C:\\"},
    {"C:\\..", "C:\\"},
    {"C:/.", "C:\\"},
    {"C:\\.\\", "C:\\"},
    {"C:\\\\", "C:\\"},
    {"C:\\ ", "C:\\"},
    {"C:\\x\\..\\..\\..", "C:\\"},
    {" C:\\ ", nullptr},
    {"{W}\\.", "{W}"},
    {"{W/}", "{W}"},
    {"{W}.", "{W}"},
    {"{W}. . ", "{W}"},
    {"{W}\\\\", "{W}"},
    {"C:\\x\\..\\{W-}", "{W}"},
    {"C:\\\\\\{W-}\\\\", "{W}"},
    {"{W}", "{W}"},
    {"{w}", "{W}"},
    {"//srv/share/", "\\\\srv\\share"},
    {"\\\\srv\\share\\.", "\\\\srv\\share"},
    {"\\\\srv\\share\\x\\..", "\\\\srv\\share"},
    {"\\\\srv\\share\\..\\..", "\\\\srv\\share"},
    {"\\\\?\\C:\\", "C:\\"},
    {"\\\\.\\C:\\", "C:\\"},
    {"\\\\?\\C:", "C:\\"},
    {"\\\\?\\{W}", "{W}"},
    {"\\\\?\\UNC\\srv\\share\\x", "\\\\srv\\share\\x"},
    {"\\\\.\\pipe\\x", nullptr},
    {"\\\\srv", nullptr},
    {"C:\\a*", nullptr},
    {"C:\\a?b", nullptr},
    {"C:\\a:b", nullptr},
    {"", nullptr},
}};

TEST_F(ResolvePathContract, EverySpellingOfARootOrTheWindowsFolderResolvesToThatFolder) {
  for (const Spelling& s : kSpellings) {
    const std::string path = Expand(s.path);
    std::optional<std::string> got = Fs().ResolvePath(path);
    if (!s.resolved) {
      EXPECT_EQ(got, std::nullopt) << "[" << path << "]";
      continue;
    }
    const std::string expected = Expand(s.resolved);
    ASSERT_TRUE(got.has_value()) << "[" << path << "]";
    EXPECT_TRUE(text::EqualsNoCase(*got, expected)) << "[" << path << "] -> " << *got;
  }
}

TEST_F(ResolvePathContract, ShortNamesOfExistingFoldersGiveTheirLongNames) {
  ASSERT_TRUE(Fs().CreateFolder(At("Documents and Settings")));
  ASSERT_TRUE(Fs().CreateFolder(At("Documents and Settings\\Some User")));
  const std::string long_path = At("Documents and Settings\\Some User");
  const std::string short_path = Fs().ShortPath(long_path);
  ASSERT_NE(short_path.find('~'), std::string::npos) << short_path;
  auto got = Fs().ResolvePath(short_path);
  ASSERT_TRUE(got.has_value());
  EXPECT_TRUE(text::EqualsNoCase(*got, long_path)) << *got;
  // A part that does not exist stays as it is written.
  got = Fs().ResolvePath(short_path + "\\NOT~1\\.");
  ASSERT_TRUE(got.has_value());
  EXPECT_TRUE(text::EqualsNoCase(*got, long_path + "\\NOT~1")) << *got;
  got = Fs().ResolvePath(short_path + "\\..\\.");
  ASSERT_TRUE(got.has_value());
  EXPECT_TRUE(text::EqualsNoCase(*got, At("Documents and Settings"))) << *got;
}

TEST_F(ResolvePathContract, ARelativePathIsTakenAgainstTheCurrentFolder) {
  const std::string current = Fs().CurrentFolder();
  auto got = Fs().ResolvePath("sub\\.\\x\\..");
  ASSERT_TRUE(got.has_value());
  EXPECT_TRUE(text::EqualsNoCase(*got, text::JoinPath(current, "sub"))) << *got;
}

}  // namespace
}  // namespace contract
