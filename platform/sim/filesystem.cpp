// The simulated file system: paths, 8.3 names and the FileSystem interface
// with Windows' rules for deleting, moving, writing and listing.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/sim/state.h"
#include "platform/text.h"

namespace sim {

using platform::Error;
using platform::FindData;
using platform::Status;

namespace {

constexpr size_t kMaxPath = 260;  // MAX_PATH, counting the terminating NUL
constexpr int kMaxJunctionDepth = 16;

Status Fail(Error e) { return Status::Fail(e); }

// Characters Windows never allows in a file name (wildcards are checked
// separately).
bool BadNameChar(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' ||
         c == '|';
}

// A name fits 8.3 when it needs no separate short name: ASCII letters,
// digits and the DOS punctuation, one to eight characters, at most one dot
// and at most three after it.
bool Fits83(std::string_view name) {
  static constexpr std::string_view kPunct = "!#$%&'()-@^_`{}~";
  size_t dot = name.find('.');
  std::string_view base = name.substr(0, dot);
  std::string_view ext = dot == std::string_view::npos ? "" : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string_view::npos && ext.empty()) return false;
  for (std::string_view part : {base, ext}) {
    for (char c : part) {
      auto u = static_cast<unsigned char>(c);
      if (u >= 0x80) return false;
      if (!std::isalnum(u) && kPunct.find(c) == std::string_view::npos) return false;
    }
  }
  return true;
}

// Maps a long-name character run to 8.3 characters: upper-case ASCII, and
// "_" for every character DOS names cannot hold (one per code point).
std::string DosChars(std::string_view s) {
  static constexpr std::string_view kPunct = "!#$%&'()-@^_`{}~";
  std::string out;
  for (size_t pos = 0; pos < s.size();) {
    char32_t c = text::DecodeUtf8(s, pos);
    if (c == U' ' || c == U'.') continue;
    if (c < 0x80 && (std::isalnum(static_cast<int>(c)) ||
                     kPunct.find(static_cast<char>(c)) != std::string_view::npos)) {
      out += static_cast<char>(std::toupper(static_cast<int>(c)));
    } else {
      out += '_';
    }
  }
  return out;
}

class SimFindHandle : public platform::FindHandle {
 public:
  explicit SimFindHandle(std::vector<FindData> entries) : entries_(std::move(entries)) {}
  bool Next(FindData& out) override {
    if (next_ >= entries_.size()) return false;
    out = entries_[next_++];
    return true;
  }

 private:
  std::vector<FindData> entries_;
  size_t next_ = 0;
};

}  // namespace

// --- Nodes -----------------------------------------------------------------

Node* Node::Child(std::string_view child_name) const {
  std::string k = text::Upper(child_name);
  auto it = std::lower_bound(
      children.begin(), children.end(), k,
      [](const std::unique_ptr<Node>& n, const std::string& key) { return n->key < key; });
  if (it != children.end() && (*it)->key == k) return it->get();
  if (k.find('~') == std::string::npos) return nullptr;
  for (const auto& c : children)
    if (c->short_name == k) return c.get();
  return nullptr;
}

Node* Node::Add(std::unique_ptr<Node> child) {
  child->key = text::Upper(child->name);
  child->parent = this;
  auto it = std::lower_bound(
      children.begin(), children.end(), child->key,
      [](const std::unique_ptr<Node>& n, const std::string& key) { return n->key < key; });
  return children.insert(it, std::move(child))->get();
}

std::unique_ptr<Node> Node::Detach(Node* child) {
  for (auto it = children.begin(); it != children.end(); ++it) {
    if (it->get() == child) {
      std::unique_ptr<Node> out = std::move(*it);
      children.erase(it);
      out->parent = nullptr;
      return out;
    }
  }
  return nullptr;
}

std::string Node::Contents() const {
  if (size <= data.size()) return data.substr(0, static_cast<size_t>(size));
  std::string out = data;
  out.append(static_cast<size_t>(size) - data.size(), fill);
  return out;
}

size_t Node::ReadAt(uint64_t offset, char* out, size_t count) const {
  if (offset >= size) return 0;
  size_t n = static_cast<size_t>(std::min<uint64_t>(count, size - offset));
  size_t stored = offset < data.size() ? std::min(n, data.size() - static_cast<size_t>(offset)) : 0;
  if (stored) std::memcpy(out, data.data() + offset, stored);
  std::memset(out + stored, fill, n - stored);
  return n;
}

// --- Paths -----------------------------------------------------------------

std::optional<ParsedPath> Machine::State::Parse(std::string_view path, Error* error) const {
  auto fail = [error](Error e) -> std::optional<ParsedPath> {
    if (error) *error = e;
    return std::nullopt;
  };
  if (path.empty()) return fail(Error::kPathNotFound);
  if (path.find('\0') != std::string_view::npos) return fail(Error::kInvalidName);
  if (text::Utf16Length(path) >= kMaxPath) return fail(Error::kInvalidName);
  std::string p(path);
  std::replace(p.begin(), p.end(), '/', '\\');
  if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') return fail(Error::kPathNotFound);

  ParsedPath out;
  std::string_view rest = p;
  if (p.size() >= 2 && p[1] == ':') {
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(p[0])));
    if (letter < 'A' || letter > 'Z') return fail(Error::kInvalidName);
    out.drive = letter;
    rest.remove_prefix(2);
  } else {
    // Relative to the current folder, or to its drive's root with "\\".
    Error ignored;
    auto current = Parse(current_folder, &ignored);
    if (!current) return fail(Error::kPathNotFound);
    out.drive = current->drive;
    if (rest.empty() || rest.front() != '\\') out.parts = current->parts;
  }

  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find('\\', start);
    if (end == std::string_view::npos) end = rest.size();
    std::string_view raw = rest.substr(start, end - start);
    start = end + 1;
    if (raw == "..") {
      if (!out.parts.empty()) out.parts.pop_back();
      continue;
    }
    // Win32 drops trailing dots and blanks of every component.
    while (!raw.empty() && (raw.back() == '.' || raw.back() == ' ')) raw.remove_suffix(1);
    if (raw.empty()) continue;
    for (char c : raw) {
      if (BadNameChar(c) || c == '*' || c == '?') return fail(Error::kInvalidName);
    }
    out.parts.emplace_back(raw);
  }

  size_t length = out.parts.empty() ? 3 : 2;  // "C:\\" or "C:" before "\\name"...
  for (const auto& part : out.parts) length += 1 + text::Utf16Length(part);
  if (length >= kMaxPath) return fail(Error::kInvalidName);
  return out;
}

Drive* Machine::State::FindDrive(char letter) {
  for (auto& d : drives)
    if (d.letter == letter) return &d;
  return nullptr;
}

Node* Machine::State::Find(const ParsedPath& p, Error* error, bool follow_last, int depth) {
  auto fail = [error](Error e) -> Node* {
    if (error) *error = e;
    return nullptr;
  };
  Drive* drive = FindDrive(p.drive);
  if (!drive) return fail(Error::kPathNotFound);
  Node* node = drive->root.get();
  for (size_t i = 0; i < p.parts.size(); ++i) {
    bool last = i + 1 == p.parts.size();
    if (!node->folder) return fail(Error::kPathNotFound);
    Node* child = node->Child(p.parts[i]);
    if (!child) return fail(last ? Error::kNotFound : Error::kPathNotFound);
    if (!child->junction.empty() && (!last || follow_last)) {
      if (depth >= kMaxJunctionDepth) return fail(Error::kPathNotFound);
      Error ignored;
      auto target = Parse(child->junction, &ignored);
      child = target ? Find(*target, &ignored, true, depth + 1) : nullptr;
      if (!child) return fail(Error::kPathNotFound);
    }
    node = child;
  }
  if (error) *error = Error::kNone;
  return node;
}

Node* Machine::State::Find(std::string_view path, Error* error) {
  auto p = Parse(path, error);
  return p ? Find(*p, error) : nullptr;
}

Node* Machine::State::ParentOf(const ParsedPath& p, Error* error) {
  ParsedPath parent = p;
  if (!parent.parts.empty()) parent.parts.pop_back();
  Node* folder = Find(parent, error, true);
  if (!folder || !folder->folder) {
    if (error) *error = Error::kPathNotFound;
    return nullptr;
  }
  return folder;
}

std::string Machine::State::PathOf(const Node* n) {
  std::vector<const Node*> chain;
  for (; n; n = n->parent) chain.push_back(n);
  std::string out = chain.back()->name + "\\";  // "C:\\"
  for (size_t i = chain.size() - 1; i-- > 0;) {
    out += chain[i]->name;
    if (i > 0) out += '\\';
  }
  return out;
}

std::string Machine::State::ShortNameFor(const Node* folder, std::string_view name) const {
  if (!short_names || Fits83(name)) return "";
  size_t dot = name.rfind('.');
  std::string base = DosChars(dot == std::string_view::npos ? name : name.substr(0, dot));
  std::string ext =
      dot == std::string_view::npos ? "" : DosChars(name.substr(dot + 1)).substr(0, 3);
  for (int n = 1;; ++n) {
    std::string tail = "~" + std::to_string(n);
    size_t keep = std::min<size_t>({base.size(), 6, 8 - tail.size()});
    std::string candidate = base.substr(0, keep) + tail + (ext.empty() ? "" : "." + ext);
    bool taken = false;
    for (const auto& c : folder->children)
      if (c->short_name == candidate || c->key == candidate) taken = true;
    if (!taken) return candidate;
  }
}

Node* Machine::State::AddEntry(Node* folder, std::string name, bool is_folder) {
  auto n = std::make_unique<Node>();
  n->short_name = ShortNameFor(folder, name);
  n->name = std::move(name);
  n->folder = is_folder;
  n->attributes = is_folder ? platform::kAttrDirectory : platform::kAttrArchive;
  n->created = n->accessed = n->written = clock;
  n->file_id = next_file_id++;
  return folder->Add(std::move(n));
}

Node* Machine::State::MakeFolders(const ParsedPath& p) {
  Drive* drive = FindDrive(p.drive);
  if (!drive) return nullptr;
  Node* node = drive->root.get();
  for (const auto& part : p.parts) {
    Node* child = node->Child(part);
    if (!child) child = AddEntry(node, part, true);
    if (!child->junction.empty()) child = Find(child->junction);
    if (!child || !child->folder) return nullptr;
    node = child;
  }
  return node;
}

bool Machine::State::WritesFail(const Node* n) {
  for (; n; n = n->parent)
    if (n->fail_writes) return true;
  return false;
}

bool Machine::State::HasLocked(const Node* n) {
  if (n->locked) return true;
  for (const auto& c : n->children)
    if (HasLocked(c.get())) return true;
  return false;
}

uint64_t Machine::State::TreeBytes(const Node* n) {
  if (!n->folder) return n->size;
  uint64_t total = 0;
  for (const auto& c : n->children) total += TreeBytes(c.get());
  return total;
}

Status Machine::State::WriteFile(std::string_view path, std::string_view bytes) {
  Error e = Error::kNone;
  auto p = Parse(path, &e);
  if (!p) return Fail(e);
  if (p->parts.empty()) return Fail(Error::kAccessDenied);
  Node* folder = ParentOf(*p, &e);
  if (!folder) return Fail(e);
  Node* n = folder->Child(p->parts.back());
  if (n) {
    if (n->folder) return Fail(Error::kAccessDenied);
    if (n->attributes & platform::kAttrReadOnly) return Fail(Error::kAccessDenied);
    if (n->locked) return Fail(Error::kSharingViolation);
    // The truncating open succeeds; the write itself then fails.
    n->data.clear();
    n->size = 0;
    n->fill = 0;
    n->written = clock;
    if (WritesFail(n)) return Fail(Error::kWriteFault);
    n->attributes = (n->attributes & ~platform::kAttrNormal) | platform::kAttrArchive;
  } else {
    if (WritesFail(folder)) return Fail(Error::kWriteFault);
    n = AddEntry(folder, p->parts.back(), false);
  }
  n->data.assign(bytes);
  n->size = bytes.size();
  return Status::Ok();
}

// --- FileSystem ------------------------------------------------------------

namespace {

class SimFileSystem : public platform::FileSystem {
 public:
  explicit SimFileSystem(Machine::State& s) : s_(s) {}

  std::unique_ptr<platform::FindHandle> FindFirst(std::string_view pattern, uint32_t allowed,
                                                  Error* error) override {
    Error e = Error::kNone;
    auto entries = List(pattern, allowed, &e);
    if (error) *error = e;
    if (!entries) return nullptr;
    return std::make_unique<SimFindHandle>(std::move(*entries));
  }

  std::optional<uint32_t> GetAttributes(std::string_view path) override {
    Node* n = s_.Find(path);
    if (!n) return std::nullopt;
    return n->attributes;
  }

  Status SetAttributes(std::string_view path, uint32_t attributes) override {
    Error e = Error::kNone;
    Node* n = s_.Find(path, &e);
    if (!n) return Fail(e);
    if (Machine::State::WritesFail(n)) return Fail(Error::kWriteFault);
    // SetFileAttributes changes only these bits; directory and reparse
    // point stay as they are, and no bit at all means "normal".
    constexpr uint32_t kSettable = platform::kAttrReadOnly | platform::kAttrHidden |
                                   platform::kAttrSystem | platform::kAttrArchive | 0x100 | 0x1000 |
                                   0x2000;
    uint32_t kept = n->attributes & (platform::kAttrDirectory | platform::kAttrReparsePoint);
    uint32_t set = attributes & kSettable;
    if (set == 0 && kept == 0) set = platform::kAttrNormal;
    n->attributes = kept | set;
    return Status::Ok();
  }

  std::optional<uint64_t> GetSize(std::string_view path) override {
    Node* n = s_.Find(path);
    if (!n || n->folder) return std::nullopt;
    return n->size;
  }

  Status SetLastWriteTime(std::string_view path, platform::FileTime time) override {
    Error e = Error::kNone;
    Node* n = s_.Find(path, &e);
    if (!n) return Fail(e);
    if (Machine::State::WritesFail(n)) return Fail(Error::kWriteFault);
    n->written = time;
    return Status::Ok();
  }

  Status DeleteFile(std::string_view path) override {
    Error e = Error::kNone;
    Node* n = s_.Find(path, &e);
    if (!n) return Fail(e);
    if (n->folder) return Fail(Error::kAccessDenied);
    if (n->attributes & platform::kAttrReadOnly) return Fail(Error::kAccessDenied);
    if (n->locked) return Fail(Error::kSharingViolation);
    n->parent->Detach(n);
    return Status::Ok();
  }

  Status RemoveFolder(std::string_view path) override {
    Error e = Error::kNone;
    Node* n = s_.Find(path, &e);
    if (!n) return Fail(e);
    if (!n->folder) return Fail(Error::kInvalidName);  // ERROR_DIRECTORY
    if (!n->parent) return Fail(Error::kAccessDenied);
    if (!n->children.empty()) return Fail(Error::kNotEmpty);
    if (n->attributes & platform::kAttrReadOnly) return Fail(Error::kAccessDenied);
    // A folder some program has open, or that is this program's current
    // folder, cannot go.
    if (n->locked || s_.Find(s_.current_folder) == n) return Fail(Error::kSharingViolation);
    n->parent->Detach(n);
    return Status::Ok();
  }

  Status MoveFile(std::string_view from, std::string_view to) override {
    return Move(from, to, false);
  }

  Status ReplaceFile(std::string_view from, std::string_view to) override {
    return Move(from, to, true);
  }

  Status CreateFolder(std::string_view path) override {
    Error e = Error::kNone;
    auto p = s_.Parse(path, &e);
    if (!p) return Fail(e);
    if (p->parts.empty())
      return Fail(s_.FindDrive(p->drive) ? Error::kAlreadyExists : Error::kPathNotFound);
    Node* folder = s_.ParentOf(*p, &e);
    if (!folder) return Fail(e);
    if (folder->Child(p->parts.back())) return Fail(Error::kAlreadyExists);
    if (Machine::State::WritesFail(folder)) return Fail(Error::kWriteFault);
    s_.AddEntry(folder, p->parts.back(), true);
    return Status::Ok();
  }

  std::optional<std::string> ReadBytes(std::string_view path) override {
    Node* n = s_.Find(path);
    if (!n || n->folder || n->locked || n->size > kMaxReadSize) return std::nullopt;
    return n->Contents();
  }

  Status WriteBytes(std::string_view path, std::string_view bytes) override {
    return s_.WriteFile(path, bytes);
  }

  // A reader holds the file's node; the tests that use it do not remove
  // the file while it is open.
  class SimReader : public platform::FileReader {
   public:
    SimReader(const Node& n, platform::FileIdentity id) : n_(n), id_(id) {}
    std::optional<size_t> ReadAt(uint64_t offset, char* buffer, size_t size) override {
      if (n_.locked) return std::nullopt;
      return n_.ReadAt(offset, buffer, size);
    }
    std::optional<uint64_t> Index() override { return id_.index; }

   private:
    const Node& n_;
    platform::FileIdentity id_;
  };

  std::unique_ptr<platform::FileReader> OpenRead(std::string_view path) override {
    Node* n = s_.Find(path);
    if (!n || n->folder || n->locked) return nullptr;
    return std::make_unique<SimReader>(*n, *Identity(path));
  }

  Status CreateHardLink(std::string_view path, std::string_view target) override {
    Error e = Error::kNone;
    Node* t = s_.Find(target, &e);
    if (!t) return Fail(e);
    if (t->folder) return Fail(Error::kAccessDenied);
    auto p = s_.Parse(path, &e);
    auto tp = s_.Parse(target, &e);
    if (!p || !tp || p->parts.empty()) return Fail(Error::kInvalidName);
    if (std::toupper(static_cast<unsigned char>(p->drive)) !=
        std::toupper(static_cast<unsigned char>(tp->drive)))
      return Fail(Error::kOther);  // ERROR_NOT_SAME_DEVICE
    Node* folder = s_.ParentOf(*p, &e);
    if (!folder) return Fail(e);
    if (folder->Child(p->parts.back())) return Fail(Error::kAlreadyExists);
    if (Machine::State::WritesFail(folder)) return Fail(Error::kWriteFault);
    Node* n = s_.AddEntry(folder, p->parts.back(), false);
    n->data = t->data;
    n->size = t->size;
    n->fill = t->fill;
    n->attributes = t->attributes;
    n->created = t->created;
    n->accessed = t->accessed;
    n->written = t->written;
    n->file_id = t->file_id;
    return Status::Ok();
  }

  Status SetLength(std::string_view path, uint64_t length) override {
    Node* n = nullptr;
    if (Status st = OpenForRewrite(path, n); !st) return st;
    if (length < n->data.size()) n->data.resize(static_cast<size_t>(length));
    n->fill = 0;
    n->size = length;
    n->written = s_.clock;
    return Status::Ok();
  }

  std::optional<platform::FileIdentity> Identity(std::string_view path) override {
    platform::Error e = Error::kNone;
    auto p = s_.Parse(path, &e);
    if (!p) return std::nullopt;
    Node* n = s_.Find(*p);
    if (!n) return std::nullopt;
    // Each drive is a volume of its own with a serial made from its letter.
    return platform::FileIdentity{
        0x5EED0000u | static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(p->drive))),
        n->file_id};
  }

  // The checks of opening an existing file for writing in place.
  Status OpenForRewrite(std::string_view path, Node*& n) {
    Error e = Error::kNone;
    n = s_.Find(path, &e);
    if (!n) return Fail(e);
    if (n->folder || (n->attributes & platform::kAttrReadOnly)) return Fail(Error::kAccessDenied);
    if (n->locked) return Fail(Error::kSharingViolation);
    if (Machine::State::WritesFail(n)) return Fail(Error::kWriteFault);
    return Status::Ok();
  }

  Status OverwriteInPlace(std::string_view path, uint8_t fill) override {
    Node* n = nullptr;
    if (Status st = OpenForRewrite(path, n); !st) return st;
    n->fill = static_cast<char>(fill);
    if (n->size <= kMaxReadSize)
      n->data.assign(static_cast<size_t>(n->size), n->fill);
    else
      n->data.clear();
    n->written = s_.clock;
    return Status::Ok();
  }

  std::string ShortPath(std::string_view path) override {
    Error e = Error::kNone;
    auto p = s_.Parse(path, &e);
    if (!p || !s_.Find(*p)) return "";
    // Walk component by component so each keeps its own short name, also
    // behind a junction.
    std::string out;
    out += path.size() >= 2 && path[1] == ':' ? path[0] : p->drive;
    out += ":\\";
    ParsedPath walked{p->drive, {}};
    for (size_t i = 0; i < p->parts.size(); ++i) {
      walked.parts.push_back(p->parts[i]);
      Node* n = s_.Find(walked);
      if (!n) return "";
      if (i > 0) out += '\\';
      out += !s_.short_names || n->short_name.empty() ? n->name : n->short_name;
    }
    return out;
  }

  std::optional<std::string> ResolvePath(std::string_view path) override {
    auto text = platform::ResolvablePathText(path);
    if (!text) return std::nullopt;
    if (text->size() >= 2 && (*text)[0] == '\\' && (*text)[1] == '\\') return ResolveShare(*text);
    Error e = Error::kNone;
    auto p = s_.Parse(*text, &e);
    if (!p) return std::nullopt;
    // Short names give way to the long names of what exists.
    ParsedPath walked{p->drive, {}};
    for (const std::string& part : p->parts) {
      walked.parts.push_back(part);
      if (part.find('~') == std::string::npos) continue;
      Node* n = s_.Find(walked);
      if (!n) break;
      walked.parts.back() = n->name;
    }
    for (size_t i = walked.parts.size(); i < p->parts.size(); ++i)
      walked.parts.push_back(p->parts[i]);
    std::string out = std::string(1, p->drive) + ":\\";
    for (size_t i = 0; i < walked.parts.size(); ++i) {
      if (i > 0) out += '\\';
      out += walked.parts[i];
    }
    return platform::FinishResolvedPath(std::move(out));
  }

  std::string TempPath() override { return s_.temp_path; }
  std::string WindowsFolder() override { return s_.windows_folder; }
  std::string SystemFolder() override { return s_.system_folder; }
  std::string CurrentFolder() override { return s_.current_folder; }

  std::vector<platform::DriveInfo> Drives() override {
    std::vector<platform::DriveInfo> out;
    for (const auto& d : s_.drives)
      out.push_back({std::string(1, d.letter) + ":\\", d.type, d.label});
    return out;
  }

 private:
  // The entries FindFirst yields, or nullopt with the reason.
  std::optional<std::vector<FindData>> List(std::string_view pattern, uint32_t allowed, Error* e) {
    if (pattern.empty()) {
      *e = Error::kPathNotFound;
      return std::nullopt;
    }
    if (pattern.find('\0') != std::string_view::npos || text::Utf16Length(pattern) >= kMaxPath) {
      *e = Error::kInvalidName;
      return std::nullopt;
    }
    size_t cut = pattern.find_last_of("\\/");
    std::string folder_part, name;
    if (cut != std::string_view::npos) {
      folder_part = pattern.substr(0, cut + 1);
      name = pattern.substr(cut + 1);
    } else if (pattern.size() >= 2 && pattern[1] == ':') {
      folder_part = std::string(pattern.substr(0, 2)) + "\\";
      name = pattern.substr(2);
    } else {
      folder_part = s_.current_folder;
      name = pattern;
    }
    if (std::any_of(name.begin(), name.end(), BadNameChar)) {
      *e = Error::kInvalidName;
      return std::nullopt;
    }
    auto p = s_.Parse(folder_part, e);
    if (!p) return std::nullopt;
    Node* folder = s_.Find(*p, e, true);
    if (!folder || !folder->folder) {
      *e = Error::kPathNotFound;
      return std::nullopt;
    }
    if (folder->unlistable) {
      *e = Error::kAccessDenied;
      return std::nullopt;
    }

    bool exact = !text::HasWildcards(name);
    std::vector<FindData> out;
    bool any = false;
    auto consider = [&](const Node& n, const std::string& own_name, bool dots) {
      const std::string& shown_name = n.listed_name.empty() || dots ? own_name : n.listed_name;
      bool match =
          text::WildcardMatch(name, own_name) ||
          (exact && !dots && !n.short_name.empty() && text::EqualsNoCase(name, n.short_name));
      if (!match) return;
      any = true;
      constexpr uint32_t kFiltered = platform::kAttrHidden | platform::kAttrSystem |
                                     platform::kAttrDirectory | platform::kAttrVolume;
      if (n.attributes & kFiltered & ~allowed) return;
      FindData d;
      d.name = shown_name;
      if (!dots && s_.short_names) d.short_name = n.short_name;
      d.attributes = n.attributes;
      d.size = n.folder ? 0 : n.size;
      d.creation_time = n.created;
      d.last_access_time = n.accessed;
      d.last_write_time = n.written;
      out.push_back(std::move(d));
    };
    // Every folder but a drive root lists "." and ".." first; both carry
    // the listed folder's own attributes and times.
    if (folder->parent) {
      consider(*folder, ".", true);
      consider(*folder, "..", true);
    }
    for (const auto& c : folder->children) consider(*c, c->name, false);
    if (!any) {
      *e = Error::kNotFound;
      return std::nullopt;
    }
    *e = Error::kNone;
    return out;
  }

  // A share path: the simulated machine has no network, so only the text
  // is resolved, never above "\\server\share".
  static std::optional<std::string> ResolveShare(std::string_view text) {
    std::vector<std::string> parts;
    size_t start = 2;
    while (start <= text.size()) {
      size_t end = std::min(text.find('\\', start), text.size());
      std::string_view raw = text.substr(start, end - start);
      start = end + 1;
      if (parts.size() >= 2 && raw == "..") {
        if (parts.size() > 2) parts.pop_back();
        continue;
      }
      if (parts.size() >= 2) {
        while (!raw.empty() && (raw.back() == '.' || raw.back() == ' ')) raw.remove_suffix(1);
      }
      if (raw.empty()) continue;
      parts.emplace_back(raw);
    }
    std::string out = "\\";
    for (const std::string& part : parts) out += "\\" + part;
    return platform::FinishResolvedPath(std::move(out));
  }

  Status Move(std::string_view from, std::string_view to, bool replace) {
    Error e = Error::kNone;
    auto pf = s_.Parse(from, &e);
    if (!pf) return Fail(e);
    auto pt = s_.Parse(to, &e);
    if (!pt) return Fail(e);
    Node* src = s_.Find(*pf, &e);
    if (!src) return Fail(e);
    if (!src->parent || pt->parts.empty()) return Fail(Error::kAccessDenied);
    Node* folder = s_.ParentOf(*pt, &e);
    if (!folder) return Fail(e);
    Node* existing = folder->Child(pt->parts.back());
    if (existing && existing != src) {
      if (!replace) return Fail(Error::kAlreadyExists);
      if (existing->folder || (existing->attributes & platform::kAttrReadOnly) || existing->locked)
        return Fail(Error::kAccessDenied);
    }
    if (src->locked) return Fail(Error::kSharingViolation);
    if (src->folder) {
      if (Machine::State::HasLocked(src)) return Fail(Error::kAccessDenied);
      for (const Node* up = folder; up; up = up->parent)
        if (up == src) return Fail(Error::kOther);             // into itself
      if (pf->drive != pt->drive) return Fail(Error::kOther);  // ERROR_NOT_SAME_DEVICE
    }
    if (Machine::State::WritesFail(folder)) return Fail(Error::kWriteFault);

    bool same_name = existing == src;
    if (existing && existing != src) folder->Detach(existing);
    std::unique_ptr<Node> moved = src->parent->Detach(src);
    moved->name = pt->parts.back();
    // A rename gets a new short name; a change of case keeps the old one.
    if (!same_name) moved->short_name = s_.ShortNameFor(folder, moved->name);
    folder->Add(std::move(moved));
    return Status::Ok();
  }

  Machine::State& s_;
};

}  // namespace

std::unique_ptr<platform::FileSystem> MakeFileSystem(Machine::State& s) {
  return std::make_unique<SimFileSystem>(s);
}

}  // namespace sim
