// The simulated Credential Manager: generic credentials by target name.
#include <algorithm>

#include "platform/sim/state.h"
#include "platform/text.h"

namespace sim {
namespace {

class SimCredentials : public platform::Credentials {
 public:
  explicit SimCredentials(Machine::State& s) : s_(s) {}

  std::optional<std::vector<std::string>> List(std::string_view filter) override {
    if (!s_.credential_manager) return std::nullopt;
    std::vector<std::string> names;
    for (const std::string& target : s_.credentials) {
      if (filter.empty() || text::WildcardMatch(filter, target)) names.push_back(target);
    }
    return names;
  }

  platform::Status DeleteGeneric(std::string_view target) override {
    if (!s_.credential_manager) return platform::Status::Fail(platform::Error::kNotFound);
    auto same = [target](const std::string& t) { return text::EqualsNoCase(t, target); };
    if (std::any_of(s_.kept_credentials.begin(), s_.kept_credentials.end(), same))
      return platform::Status::Fail(platform::Error::kAccessDenied);
    auto it = std::find_if(s_.credentials.begin(), s_.credentials.end(), same);
    if (it == s_.credentials.end()) return platform::Status::Fail(platform::Error::kNotFound);
    s_.credentials.erase(it);
    return platform::Status::Ok();
  }

 private:
  Machine::State& s_;
};

}  // namespace

std::unique_ptr<platform::Credentials> MakeCredentials(Machine::State& s) {
  return std::make_unique<SimCredentials>(s);
}

}  // namespace sim
