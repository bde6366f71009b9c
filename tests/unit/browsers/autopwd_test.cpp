#include "browsers/autopwd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/window_test.h"

namespace browsers {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kForms = "Software\\Microsoft\\Internet Explorer\\IntelliForms";
const std::string kStorage1 = std::string(kForms) + "\\Storage1";
const std::string kStorage2 = std::string(kForms) + "\\Storage2";
const std::string kSpw = std::string(kForms) + "\\SPW";
constexpr const char* kTyped = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

class AutoPwdTest : public unit::WindowTest<TFrmAutoPwd> {
 protected:
  void Seed() {
    m.Builder()
        .RegBinary(sim::HKCU, kStorage1, "E1A2", "\x01\x02")
        .RegBinary(sim::HKCU, kStorage1, "F3B4", "\x03")
        .RegBinary(sim::HKCU, kStorage2, "9C0D", "\x04")
        .RegString(sim::HKCU, kSpw, "http://old.example/", "")
        .RegString(sim::HKCU, kForms, "AskUser", "no")
        .RegString(sim::HKCU, kTyped, "url1", "http://typed.example/")
        .Credential("Microsoft_WinInet_intranet:80/realm")
        .Credential("TERMSRV/server");
  }
};

TEST_F(AutoPwdTest, NoLeavesEverythingAndYesClearsTheFormAndPasswordStoresOnly) {
  Seed();
  Start();
  ws.Answer(ui::Answer::kNo);
  w->CmdClear.Click();
  EXPECT_TRUE(m.KeyExists(sim::HKCU, kStorage1));
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].buttons, ui::Buttons::kYesNo);

  ws.Answer(ui::Answer::kYes);
  w->CmdClear.Click();
  EXPECT_FALSE(m.KeyExists(sim::HKCU, kStorage1));
  EXPECT_FALSE(m.KeyExists(sim::HKCU, kStorage2));
  EXPECT_FALSE(m.KeyExists(sim::HKCU, kSpw));
  EXPECT_EQ(m.RegString(sim::HKCU, kForms, "AskUser"), "no");
  EXPECT_EQ(m.RegString(sim::HKCU, kTyped, "url1"), "http://typed.example/");
  EXPECT_EQ(m.Credentials(), Strings{"TERMSRV/server"});
  EXPECT_EQ(ws.Boxes().back().kind, ui::BoxKind::kInformation);
  EXPECT_EQ(ws.Boxes().back().text,
            "Removed: 2 remembered search or form entries, 2 saved form passwords, 1 saved web "
            "site log-in.");
}

TEST_F(AutoPwdTest, WhatCouldNotBeRemovedIsReportedNotClaimed) {
  Seed();
  m.Builder().RegReadOnly(sim::HKCU, kStorage2).Credential("Microsoft_WinInet_a", false);
  Start();
  FormsCleared cleared = ClearFormsAndPasswords(m.Platform());
  EXPECT_EQ(cleared.form_entries, 2);
  EXPECT_EQ(cleared.passwords, 1);
  EXPECT_EQ(cleared.logins, 1);
  EXPECT_EQ(cleared.left, 2);
  EXPECT_TRUE(m.KeyExists(sim::HKCU, kStorage2));
  EXPECT_NE(FormsClearedText(cleared).find("2 entries could not be removed."), std::string::npos);
}

TEST_F(AutoPwdTest, NothingStoredAndNoCredentialManagerSaysSo) {
  m.Builder().NoCredentialManager();
  Start();
  FormsCleared cleared = ClearFormsAndPasswords(m.Platform());
  EXPECT_TRUE(cleared.Nothing());
  EXPECT_EQ(FormsClearedText(cleared).rfind("Internet Explorer has no remembered", 0), 0u);
}

}  // namespace
}  // namespace browsers
