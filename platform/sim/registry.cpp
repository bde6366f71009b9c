// The simulated registry: HKCU and HKLM trees, HKCR as a view of
// HKLM\Software\Classes (the merged view Wine 8 gives too), values in
// insertion order and subkeys in name order as Windows enumerates them.
#include <algorithm>

#include "platform/sim/state.h"
#include "platform/text.h"

namespace sim {

using platform::Access;
using platform::Error;
using platform::Hive;
using platform::Status;
using platform::ValueType;

namespace {

constexpr uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4;

Status Fail(Error e) { return Status::Fail(e); }

class SimRegKey : public platform::RegKey {
 public:
  SimRegKey(std::shared_ptr<RegNode> node, bool writable)
      : node_(std::move(node)), writable_(writable) {}

  bool ValueExists(std::string_view name) override { return Get(name) != nullptr; }

  std::optional<ValueType> GetValueType(std::string_view name) override {
    const RegValue* v = Get(name);
    if (!v) return std::nullopt;
    if (v->type <= kRegDword) return static_cast<ValueType>(v->type);
    return ValueType::kOther;
  }

  std::optional<std::string> ReadString(std::string_view name) override {
    const RegValue* v = Get(name);
    if (!v || (v->type != kRegSz && v->type != kRegExpandSz)) return std::nullopt;
    // A C-string reader stops at the first NUL.
    return v->data.substr(0, v->data.find('\0'));
  }

  std::optional<uint32_t> ReadDword(std::string_view name) override {
    const RegValue* v = Get(name);
    if (!v || v->type != kRegDword || v->data.size() != 4) return std::nullopt;
    uint32_t out = 0;
    for (int i = 3; i >= 0; --i) out = (out << 8) | static_cast<unsigned char>(v->data[i]);
    return out;
  }

  std::optional<std::string> ReadBinary(std::string_view name) override {
    const RegValue* v = Get(name);
    if (!v || v->type != kRegBinary) return std::nullopt;
    return v->data;
  }

  std::optional<platform::RawValue> ReadRaw(std::string_view name) override {
    const RegValue* v = Get(name);
    if (!v) return std::nullopt;
    if (v->type != kRegSz && v->type != kRegExpandSz) return platform::RawValue{v->type, v->data};
    // String types are kept as UTF-8 text; the wide call gives UTF-16LE
    // with a terminating NUL.
    std::string bytes = text::Utf16LeBytes(v->data);
    bytes.append(2, '\0');
    return platform::RawValue{v->type, bytes};
  }

  Status WriteString(std::string_view name, std::string_view value) override {
    return Set(name, kRegSz, value);
  }
  Status WriteExpandString(std::string_view name, std::string_view value) override {
    return Set(name, kRegExpandSz, value);
  }
  Status WriteDword(std::string_view name, uint32_t value) override {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return Set(name, kRegDword, bytes);
  }
  Status WriteBinary(std::string_view name, std::string_view bytes) override {
    return Set(name, kRegBinary, bytes);
  }

  std::vector<std::string> ValueNames() override {
    std::vector<std::string> out;
    if (node_->deleted) return out;
    for (const auto& v : node_->values) out.push_back(v.name);
    return out;
  }

  std::vector<std::string> SubkeyNames() override {
    std::vector<std::string> out;
    if (node_->deleted) return out;
    for (const auto& k : node_->subkeys) out.push_back(k->name);
    return out;
  }

  Status DeleteValue(std::string_view name) override {
    if (node_->deleted) return Fail(Error::kOther);  // ERROR_KEY_DELETED
    if (!writable_) return Fail(Error::kAccessDenied);
    auto& values = node_->values;
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const RegValue& v) { return text::EqualsNoCase(v.name, name); });
    if (it == values.end()) return Fail(Error::kNotFound);
    values.erase(it);
    return Status::Ok();
  }

 private:
  const RegValue* Get(std::string_view name) {
    if (node_->deleted || name.find('\0') != std::string_view::npos) return nullptr;
    return node_->Value(name);
  }

  Status Set(std::string_view name, uint32_t type, std::string_view data) {
    if (node_->deleted) return Fail(Error::kOther);
    if (!writable_) return Fail(Error::kAccessDenied);
    if (name.find('\0') != std::string_view::npos) return Fail(Error::kInvalidName);
    if (RegValue* v = node_->Value(name)) {
      v->type = type;
      v->data.assign(data);
    } else {
      node_->values.push_back({std::string(name), type, std::string(data)});
    }
    return Status::Ok();
  }

  std::shared_ptr<RegNode> node_;
  bool writable_;
};

void MarkDeleted(RegNode& n) {
  n.deleted = true;
  for (auto& k : n.subkeys) MarkDeleted(*k);
}

class SimRegistry : public platform::Registry {
 public:
  explicit SimRegistry(Machine::State& s) : s_(s) {}

  std::unique_ptr<platform::RegKey> Open(Hive hive, std::string_view path, bool create,
                                         Access access) override {
    if (path.find('\0') != std::string_view::npos) return nullptr;
    std::vector<std::string> parts = Machine::State::KeyParts(hive, path);
    if (s_.Matches(s_.blocked, hive, parts)) return nullptr;
    bool read_only = s_.Matches(s_.read_only, hive, parts);
    if (read_only && access == Access::kFull) return nullptr;
    std::shared_ptr<RegNode> node = s_.FindKey(hive, parts);
    if (!node && create && !read_only) node = s_.MakeKey(hive, parts);
    if (!node) return nullptr;
    return std::make_unique<SimRegKey>(node, access == Access::kFull);
  }

  Status DeleteTree(Hive hive, std::string_view path) override {
    if (path.find_first_not_of('\\') == std::string_view::npos) return Fail(Error::kInvalidName);
    if (path.find('\0') != std::string_view::npos) return Fail(Error::kInvalidName);
    std::vector<std::string> parts = Machine::State::KeyParts(hive, path);
    if (s_.Matches(s_.blocked, hive, parts) || s_.Matches(s_.read_only, hive, parts))
      return Fail(Error::kAccessDenied);
    std::vector<std::string> parent_parts(parts.begin(), parts.end() - 1);
    std::shared_ptr<RegNode> parent = s_.FindKey(hive, parent_parts);
    std::shared_ptr<RegNode> node = parent ? parent->Subkey(parts.back()) : nullptr;
    if (!node) return Fail(Error::kNotFound);
    MarkDeleted(*node);
    auto& subs = parent->subkeys;
    subs.erase(std::remove(subs.begin(), subs.end(), node), subs.end());
    return Status::Ok();
  }

 private:
  Machine::State& s_;
};

}  // namespace

RegValue* RegNode::Value(std::string_view value_name) {
  for (auto& v : values)
    if (text::EqualsNoCase(v.name, value_name)) return &v;
  return nullptr;
}

std::shared_ptr<RegNode> RegNode::Subkey(std::string_view key_name) const {
  for (const auto& k : subkeys)
    if (text::EqualsNoCase(k->name, key_name)) return k;
  return nullptr;
}

std::shared_ptr<RegNode> Machine::State::RootOf(Hive hive) const {
  return hive == Hive::kCurrentUser ? hkcu : hklm;
}

// Splits a key path; HKCR becomes HKLM\Software\Classes. Empty components
// (doubled or surrounding backslashes) are skipped.
std::vector<std::string> Machine::State::KeyParts(Hive& hive, std::string_view path) {
  std::vector<std::string> parts;
  if (hive == Hive::kClassesRoot) {
    hive = Hive::kLocalMachine;
    parts = {"Software", "Classes"};
  }
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

bool Machine::State::Matches(const std::vector<RegRule>& rules, Hive hive,
                             const std::vector<std::string>& parts) const {
  for (const auto& rule : rules) {
    if (rule.hive != hive || rule.parts.size() > parts.size()) continue;
    bool prefix = true;
    for (size_t i = 0; i < rule.parts.size() && prefix; ++i)
      prefix = text::EqualsNoCase(rule.parts[i], parts[i]);
    if (prefix) return true;
  }
  return false;
}

std::shared_ptr<RegNode> Machine::State::FindKey(Hive hive,
                                                 const std::vector<std::string>& parts) const {
  std::shared_ptr<RegNode> node = RootOf(hive);
  for (const auto& part : parts) {
    node = node->Subkey(part);
    if (!node) return nullptr;
  }
  return node;
}

std::shared_ptr<RegNode> Machine::State::MakeKey(Hive hive, const std::vector<std::string>& parts) {
  std::shared_ptr<RegNode> node = RootOf(hive);
  for (const auto& part : parts) {
    std::shared_ptr<RegNode> next = node->Subkey(part);
    if (!next) {
      next = std::make_shared<RegNode>();
      next->name = part;
      auto& subs = node->subkeys;
      std::string key = text::Upper(part);
      auto it = std::find_if(subs.begin(), subs.end(), [&](const std::shared_ptr<RegNode>& k) {
        return text::Upper(k->name) > key;
      });
      subs.insert(it, next);
    }
    node = next;
  }
  return node;
}

void Machine::State::SetValue(Hive hive, std::string_view key, std::string_view name, uint32_t type,
                              std::string_view data) {
  std::shared_ptr<RegNode> node = MakeKey(hive, KeyParts(hive, key));
  if (RegValue* v = node->Value(name)) {
    v->type = type;
    v->data.assign(data);
  } else {
    node->values.push_back({std::string(name), type, std::string(data)});
  }
}

std::unique_ptr<platform::Registry> MakeRegistry(Machine::State& s) {
  return std::make_unique<SimRegistry>(s);
}

}  // namespace sim
