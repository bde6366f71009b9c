// The simulated machine's state and the platform objects over it. Internal
// to platform/sim: tests use machine.h.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/machine.h"

namespace sim {

// Largest logical size ReadBytes hands out; sparse files above it (the
// 64-bit size fixtures) read as unreadable, as a file too big for memory.
inline constexpr uint64_t kMaxReadSize = 64ull << 20;

// One file or folder. Children are kept sorted by upper-cased name, the
// order NTFS lists them in.
struct Node {
  std::string name;
  std::string key;          // upper-cased name, the sort key
  std::string short_name;   // empty when the name already fits 8.3
  std::string listed_name;  // what listings show instead of `name`, if set
  bool folder = false;
  uint32_t attributes = 0;
  std::string data;   // stored bytes; the logical size may be larger
  uint64_t size = 0;  // logical size: bytes past `data` read as `fill`
  char fill = 0;
  platform::FileTime created = 0, accessed = 0, written = 0;
  bool locked = false;
  bool unlistable = false;
  bool fail_writes = false;
  std::string junction;  // target path of a junction
  uint64_t file_id = 0;  // shared by the hard links of one file
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;

  Node* Child(std::string_view child_name) const;  // by long or short name
  Node* Add(std::unique_ptr<Node> child);          // keeps the sort order
  std::unique_ptr<Node> Detach(Node* child);
  std::string Contents() const;  // data padded to size
  // Up to `count` bytes of the contents from `offset` (sparse files too).
  size_t ReadAt(uint64_t offset, char* out, size_t count) const;
};

struct Drive {
  char letter = 'C';
  platform::DriveType type = platform::DriveType::kFixed;
  std::string label;
  std::unique_ptr<Node> root;
};

// A parsed path: drive letter plus components, already normalised.
struct ParsedPath {
  char drive = 0;
  std::vector<std::string> parts;
};

// Registry.
struct RegValue {
  std::string name;
  uint32_t type = 0;
  std::string data;  // string types hold UTF-8 text without a NUL
};

struct RegNode {
  std::string name;
  std::vector<RegValue> values;                   // insertion order
  std::vector<std::shared_ptr<RegNode>> subkeys;  // sorted by upper-cased name
  bool deleted = false;

  RegValue* Value(std::string_view value_name);
  std::shared_ptr<RegNode> Subkey(std::string_view key_name) const;
};

struct RegRule {
  platform::Hive hive;
  std::vector<std::string> parts;
};

struct ProcessRecord {
  platform::ProcessEntry entry;
  std::string module_path;
  bool unkillable = false;
};

struct Machine::State {
  State();
  ~State();

  // File system.
  std::vector<Drive> drives;
  std::string current_folder = "C:\\";
  std::string temp_path;
  std::string windows_folder = "C:\\WINDOWS";
  std::string system_folder = "C:\\WINDOWS\\system32";
  bool short_names = true;
  uint64_t next_file_id = 1;

  // Registry.
  std::shared_ptr<RegNode> hkcu, hklm;
  std::vector<RegRule> blocked, read_only;

  // Shell.
  std::map<int, std::string> special_folders;
  bool special_folder_function = true;
  std::vector<RecycledItem> bin;
  std::vector<std::unique_ptr<Node>> bin_nodes;  // what was moved in, by item
  std::optional<int> recycle_result;
  bool empty_bin_fails = false;
  std::optional<int> open_result;
  std::vector<ShellOpen> opens;

  // Credential Manager: generic credentials by target name; those in
  // `kept_credentials` cannot be deleted.
  bool credential_manager = true;
  std::vector<std::string> credentials;
  std::vector<std::string> kept_credentials;

  // Processes.
  std::vector<ProcessRecord> processes;
  bool toolhelp = true;
  bool psapi = true;
  bool memory_ex = true;  // GlobalMemoryStatusEx exists
  std::vector<uint32_t> terminated;

  // System facts.
  platform::VersionInfo version;
  platform::MemoryStatus memory;
  std::string short_date = "M/d/yyyy";
  std::string long_time = "h:mm:ss tt";
  platform::FileTime clock = 0;
  uint64_t ticks = 1000000;
  std::string program_path;

  // The platform objects (defined in their own files).
  std::unique_ptr<platform::FileSystem> fs;
  std::unique_ptr<platform::Registry> registry;
  std::unique_ptr<platform::Ini> ini;
  std::unique_ptr<platform::Shell> shell;
  std::unique_ptr<platform::Processes> process_list;
  std::unique_ptr<platform::SystemInfo> system;
  std::unique_ptr<platform::Credentials> credential_store;
  std::unique_ptr<platform::Platform> platform;

  // Paths. Parse accepts "C:\\a", "c:/a", "\\a" (current drive), relative
  // names (current folder) and drops ".", "..", empty components and
  // trailing dots and blanks. Errors: kInvalidName for wildcards, bad
  // characters or paths of MAX_PATH or more; kPathNotFound for an empty
  // path, an unknown drive or a UNC path.
  std::optional<ParsedPath> Parse(std::string_view path, platform::Error* error) const;
  Drive* FindDrive(char letter);
  // Walks to the node, following junctions on the way (and at the end with
  // `follow_last`); null when missing. `error` tells kNotFound (only the
  // last component missing) from kPathNotFound.
  Node* Find(const ParsedPath& p, platform::Error* error = nullptr, bool follow_last = false,
             int depth = 0);
  Node* Find(std::string_view path, platform::Error* error = nullptr);
  // The folder that holds (or would hold) the path's last component.
  Node* ParentOf(const ParsedPath& p, platform::Error* error);
  static std::string PathOf(const Node* n);
  // Creates the folder and its missing parents (set-up only: no checks).
  Node* MakeFolders(const ParsedPath& p);
  // A new entry in `folder` with its short name.
  Node* AddEntry(Node* folder, std::string name, bool is_folder);
  std::string ShortNameFor(const Node* folder, std::string_view name) const;
  static bool WritesFail(const Node* n);
  static bool HasLocked(const Node* n);
  static uint64_t TreeBytes(const Node* n);

  // Writes a whole file as WriteBytes does: creates it or truncates it,
  // keeping its attributes; read-only files and folders refuse.
  platform::Status WriteFile(std::string_view path, std::string_view bytes);

  // Registry access.
  std::shared_ptr<RegNode> RootOf(platform::Hive hive) const;
  static std::vector<std::string> KeyParts(platform::Hive& hive, std::string_view path);
  bool Matches(const std::vector<RegRule>& rules, platform::Hive hive,
               const std::vector<std::string>& parts) const;
  std::shared_ptr<RegNode> FindKey(platform::Hive hive,
                                   const std::vector<std::string>& parts) const;
  std::shared_ptr<RegNode> MakeKey(platform::Hive hive, const std::vector<std::string>& parts);
  void SetValue(platform::Hive hive, std::string_view key, std::string_view name, uint32_t type,
                std::string_view data);

  platform::FileTime Now() const { return clock; }
};

std::unique_ptr<platform::FileSystem> MakeFileSystem(Machine::State& s);
std::unique_ptr<platform::Registry> MakeRegistry(Machine::State& s);
std::unique_ptr<platform::Ini> MakeIni(Machine::State& s);
std::unique_ptr<platform::Shell> MakeShell(Machine::State& s);
std::unique_ptr<platform::Processes> MakeProcesses(Machine::State& s);
std::unique_ptr<platform::SystemInfo> MakeSystemInfo(Machine::State& s);
std::unique_ptr<platform::Credentials> MakeCredentials(Machine::State& s);

// INI text in and out, shared with the inspection helpers: a file that
// starts with the UTF-16LE byte-order mark is UTF-16, one with the UTF-8
// mark UTF-8, others 8-bit (taken as UTF-8).
enum class TextEncoding { k8Bit, kUtf8Bom, kUtf16 };
std::string DecodeText(std::string_view bytes, TextEncoding* encoding = nullptr);
std::string EncodeText(std::string_view text, TextEncoding encoding);

}  // namespace sim
