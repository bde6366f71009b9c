// The simulated shell: special folders, the Recycle Bin and "open".
#include "platform/sim/state.h"
#include "platform/text.h"

namespace sim {

namespace {

// SHFileOperation's results for the cases the simulation tells apart.
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kSharingViolation = 32;
constexpr int kInvalidName = 123;

class SimShell : public platform::Shell {
 public:
  explicit SimShell(Machine::State& s) : s_(s) {}

  bool HasSpecialFolderFunction(std::string_view system_folder) override {
    if (!s_.special_folder_function) return false;
    Node* dll = s_.Find(text::JoinPath(system_folder, "SHELL32.DLL"));
    return dll && !dll->folder;
  }

  std::optional<std::string> SpecialFolder(std::string_view system_folder, int csidl,
                                           bool create) override {
    if (!HasSpecialFolderFunction(system_folder)) return std::nullopt;
    auto it = s_.special_folders.find(csidl);
    if (it == s_.special_folders.end()) return std::nullopt;
    Node* n = s_.Find(it->second);
    if (n && n->folder) return it->second;
    if (n || !create) return std::nullopt;
    platform::Error e;
    auto p = s_.Parse(it->second, &e);
    if (!p || !s_.MakeFolders(*p)) return std::nullopt;
    return it->second;
  }

  int SendToRecycleBin(const std::vector<std::string>& paths) override {
    if (s_.recycle_result) return *s_.recycle_result;
    // Items go one after the other; the first failure ends the operation
    // and the items before it stay in the bin.
    for (const std::string& path : paths) {
      std::vector<Node*> targets;
      if (int rc = Expand(path, targets)) return rc;
      for (Node* n : targets)
        if (Machine::State::HasLocked(n)) return kSharingViolation;
      for (Node* n : targets) {
        RecycledItem item{Machine::State::PathOf(n), n->folder, Machine::State::TreeBytes(n)};
        s_.bin.push_back(item);
        s_.bin_nodes.push_back(n->parent->Detach(n));
      }
    }
    return 0;
  }

  // Every simulated drive has a Recycle Bin, so the shell never asks.
  int RecycleItem(std::string_view path, bool) override {
    return SendToRecycleBin({std::string(path)});
  }

  bool EmptyRecycleBin(platform::WindowHandle) override {
    if (s_.empty_bin_fails) return false;
    s_.bin.clear();
    s_.bin_nodes.clear();
    return true;
  }

  platform::RecycleBinInfo QueryRecycleBin() override {
    platform::RecycleBinInfo info;
    for (const auto& item : s_.bin) {
      ++info.items;
      info.bytes += item.bytes;
    }
    return info;
  }

  int Open(std::string_view target, std::string_view parameters, std::string_view folder,
           platform::ShowCommand show) override {
    int result = 42;
    if (s_.open_result) {
      result = *s_.open_result;
    } else if (target.size() >= 3 && target[1] == ':' && text::IsSeparator(target[2]) &&
               !s_.Find(target)) {
      result = kFileNotFound;
    }
    s_.opens.push_back(
        {std::string(target), std::string(parameters), std::string(folder), result, show});
    return result;
  }

 private:
  // The entries one name of the list stands for: itself, or every match of
  // a wildcard last component (SHFileOperation expands them). Returns the
  // operation's error, or 0.
  int Expand(const std::string& path, std::vector<Node*>& out) {
    platform::Error e = platform::Error::kNone;
    std::string name = text::FileName(path);
    if (!text::HasWildcards(name)) {
      Node* n = s_.Find(path, &e);
      if (n && n->parent) {
        out.push_back(n);
        return 0;
      }
      if (e == platform::Error::kInvalidName) return kInvalidName;
      return e == platform::Error::kNotFound ? kFileNotFound : kPathNotFound;
    }
    auto p = s_.Parse(text::ExtractFilePath(path), &e);
    if (!p) return e == platform::Error::kInvalidName ? kInvalidName : kPathNotFound;
    Node* folder = s_.Find(*p, &e, true);
    if (!folder || !folder->folder) return kPathNotFound;
    for (const auto& c : folder->children)
      if (text::WildcardMatch(name, c->name)) out.push_back(c.get());
    return out.empty() ? kFileNotFound : 0;
  }

  Machine::State& s_;
};

}  // namespace

std::unique_ptr<platform::Shell> MakeShell(Machine::State& s) {
  return std::make_unique<SimShell>(s);
}

}  // namespace sim
