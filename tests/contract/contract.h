// Shared set-up for the contract cases: every test gets a fresh scratch
// folder and registry path of the backend it runs on, and small helpers
// that say what a listing or a file holds.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "tests/contract/backend.h"

namespace contract {

class ContractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = Backend().ScratchFolder();
    key_ = Backend().ScratchKey();
  }
  void TearDown() override { Backend().UnlockAll(); }

  platform::Platform& P() { return Backend().Get(); }
  platform::FileSystem& Fs() { return P().fs; }
  platform::Registry& Reg() { return P().registry; }
  platform::Ini& Ini() { return P().ini; }

  // A path in this test's scratch folder.
  std::string At(std::string_view name) const { return dir_ + "\\" + std::string(name); }

  void Make(std::string_view name, std::string_view contents = "x") {
    ASSERT_TRUE(Fs().WriteBytes(At(name), contents)) << name;
  }

  // The names FindFirst yields for `pattern` in the scratch folder, sorted.
  // A failed FindFirst lists nothing.
  std::vector<std::string> List(std::string_view pattern,
                                uint32_t allowed = platform::kFindAnyFile) {
    std::vector<std::string> names;
    auto h = Fs().FindFirst(At(pattern), allowed);
    platform::FindData d;
    while (h && h->Next(d)) names.push_back(d.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  // All entries of a pattern with their find data.
  std::vector<platform::FindData> Entries(std::string_view pattern,
                                          uint32_t allowed = platform::kFindAnyFile) {
    std::vector<platform::FindData> out;
    auto h = Fs().FindFirst(At(pattern), allowed);
    platform::FindData d;
    while (h && h->Next(d)) out.push_back(d);
    return out;
  }

  std::string dir_;
  std::string key_;
};

using Names = std::vector<std::string>;

}  // namespace contract
