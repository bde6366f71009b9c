// The machine: its default Windows XP set-up, the builder and the
// inspection helpers.
#include "platform/sim/machine.h"

#include <cctype>
#include <iterator>
#include <stdexcept>

#include "platform/sim/state.h"
#include "platform/text.h"

namespace sim {

using platform::Hive;
namespace csidl = platform::csidl;

namespace {

constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// The folders of each profile layout, one column per layout in the order of
// ProfileLayout. An empty path: that Windows has no such folder. `shell_value`
// names the folder under Explorer's Shell Folders keys (HKCU for the user's
// folders, HKLM for the common ones).
struct SpecialFolderRow {
  int csidl;
  const char* shell_value;  // nullptr: not listed under Shell Folders
  bool common;
  const char* path[3];
};
#define SIM_XP_USER "C:\\Documents and Settings\\User"
#define SIM_XP_ALL "C:\\Documents and Settings\\All Users"
#define SIM_VISTA_USER "C:\\Users\\User"
#define SIM_VISTA_ROAMING SIM_VISTA_USER "\\AppData\\Roaming"
#define SIM_VISTA_LOCAL SIM_VISTA_USER "\\AppData\\Local"
constexpr SpecialFolderRow kSpecialFolders[] = {
    {csidl::kDesktop,
     "Desktop",
     false,
     {"C:\\WINDOWS\\Desktop", SIM_XP_USER "\\Desktop", SIM_VISTA_USER "\\Desktop"}},
    {csidl::kDesktopDirectory,
     nullptr,
     false,
     {"C:\\WINDOWS\\Desktop", SIM_XP_USER "\\Desktop", SIM_VISTA_USER "\\Desktop"}},
    {csidl::kPrograms,
     "Programs",
     false,
     {"C:\\WINDOWS\\Start Menu\\Programs", SIM_XP_USER "\\Start Menu\\Programs",
      SIM_VISTA_ROAMING "\\Microsoft\\Windows\\Start Menu\\Programs"}},
    {csidl::kPersonal,
     "Personal",
     false,
     {"C:\\My Documents", SIM_XP_USER "\\My Documents", SIM_VISTA_USER "\\Documents"}},
    {csidl::kFavorites,
     "Favorites",
     false,
     {"C:\\WINDOWS\\Favorites", SIM_XP_USER "\\Favorites", SIM_VISTA_USER "\\Favorites"}},
    {csidl::kStartup,
     "Startup",
     false,
     {"C:\\WINDOWS\\Start Menu\\Programs\\StartUp", SIM_XP_USER "\\Start Menu\\Programs\\Startup",
      SIM_VISTA_ROAMING "\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"}},
    {csidl::kRecent,
     "Recent",
     false,
     {"C:\\WINDOWS\\Recent", SIM_XP_USER "\\Recent",
      SIM_VISTA_ROAMING "\\Microsoft\\Windows\\Recent"}},
    {csidl::kSendTo,
     "SendTo",
     false,
     {"C:\\WINDOWS\\SendTo", SIM_XP_USER "\\SendTo",
      SIM_VISTA_ROAMING "\\Microsoft\\Windows\\SendTo"}},
    {csidl::kStartMenu,
     "Start Menu",
     false,
     {"C:\\WINDOWS\\Start Menu", SIM_XP_USER "\\Start Menu",
      SIM_VISTA_ROAMING "\\Microsoft\\Windows\\Start Menu"}},
    {csidl::kMyMusic,
     "My Music",
     false,
     {"C:\\My Documents\\My Music", SIM_XP_USER "\\My Documents\\My Music",
      SIM_VISTA_USER "\\Music"}},
    {csidl::kMyVideo,
     "My Video",
     false,
     {"C:\\My Documents\\My Videos", SIM_XP_USER "\\My Documents\\My Videos",
      SIM_VISTA_USER "\\Videos"}},
    {csidl::kMyPictures,
     "My Pictures",
     false,
     {"C:\\My Documents\\My Pictures", SIM_XP_USER "\\My Documents\\My Pictures",
      SIM_VISTA_USER "\\Pictures"}},
    {csidl::kAppData,
     "AppData",
     false,
     {"C:\\WINDOWS\\Application Data", SIM_XP_USER "\\Application Data", SIM_VISTA_ROAMING}},
    {csidl::kLocalAppData,
     "Local AppData",
     false,
     {"", SIM_XP_USER "\\Local Settings\\Application Data", SIM_VISTA_LOCAL}},
    {csidl::kInternetCache,
     "Cache",
     false,
     {"C:\\WINDOWS\\Temporary Internet Files",
      SIM_XP_USER "\\Local Settings\\Temporary Internet Files",
      SIM_VISTA_LOCAL "\\Microsoft\\Windows\\Temporary Internet Files"}},
    {csidl::kCookies,
     "Cookies",
     false,
     {"C:\\WINDOWS\\Cookies", SIM_XP_USER "\\Cookies",
      SIM_VISTA_ROAMING "\\Microsoft\\Windows\\Cookies"}},
    {csidl::kHistory,
     "History",
     false,
     {"C:\\WINDOWS\\History", SIM_XP_USER "\\Local Settings\\History",
      SIM_VISTA_LOCAL "\\Microsoft\\Windows\\History"}},
    {csidl::kProfile, nullptr, false, {"", SIM_XP_USER, SIM_VISTA_USER}},
    {csidl::kCommonStartup,
     "Common Startup",
     true,
     {"C:\\WINDOWS\\All Users\\Start Menu\\Programs\\StartUp",
      SIM_XP_ALL "\\Start Menu\\Programs\\Startup",
      "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"}},
    {csidl::kCommonAppData,
     "Common AppData",
     true,
     {"C:\\WINDOWS\\All Users\\Application Data", SIM_XP_ALL "\\Application Data",
      "C:\\ProgramData"}},
    {csidl::kWindows, nullptr, false, {"C:\\WINDOWS", "C:\\WINDOWS", "C:\\Windows"}},
    {csidl::kSystem,
     nullptr,
     false,
     {"C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\system32", "C:\\Windows\\system32"}},
    {csidl::kProgramFiles,
     nullptr,
     false,
     {"C:\\Program Files", "C:\\Program Files", "C:\\Program Files"}},
};

// The rest of each layout: system folders, the temporary folder and what
// %USERPROFILE% and %ALLUSERSPROFILE% stand for in User Shell Folders
// (Windows 9x without user profiles has neither).
struct LayoutRow {
  const char* windows;
  const char* system;
  const char* temp;
  const char* profile;
  const char* all_users;
};
constexpr LayoutRow kLayouts[] = {
    {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\TEMP\\", "", ""},
    {"C:\\WINDOWS", "C:\\WINDOWS\\system32", SIM_XP_USER "\\Local Settings\\Temp\\", SIM_XP_USER,
     SIM_XP_ALL},
    {"C:\\Windows", "C:\\Windows\\system32", SIM_VISTA_LOCAL "\\Temp\\", SIM_VISTA_USER,
     "C:\\ProgramData"},
};
static_assert(std::size(kLayouts) == LayoutVista + 1);
#undef SIM_XP_USER
#undef SIM_XP_ALL
#undef SIM_VISTA_USER
#undef SIM_VISTA_ROAMING
#undef SIM_VISTA_LOCAL

const SpecialFolderRow* SpecialFolderRowOf(int id) {
  for (const auto& row : kSpecialFolders)
    if (row.csidl == id) return &row;
  return nullptr;
}

// "%USERPROFILE%\\Application Data" for a folder inside the profile (or the
// all-users profile); the path itself otherwise.
std::string Unexpanded(std::string_view path, const LayoutRow& layout) {
  struct Var {
    const char* root;
    const char* name;
  };
  for (Var v : {Var{layout.profile, "%USERPROFILE%"}, Var{layout.all_users, "%ALLUSERSPROFILE%"}}) {
    std::string_view root = v.root;
    if (root.empty() || !text::StartsWithNoCase(path, root)) continue;
    if (path.size() == root.size() || path[root.size()] == '\\')
      return v.name + std::string(path.substr(root.size()));
  }
  return std::string(path);
}

struct VersionRow {
  WindowsVersion v;
  uint32_t major, minor, build, platform_id;
  const char* csd;
};
constexpr VersionRow kVersions[] = {
    {Win95, 4, 0, 0x040003B6, 1, ""},
    {Win98, 4, 10, 0x040A08AE, 1, " A "},  // Second Edition, as Wine reports it
    {WinMe, 4, 90, 0x045A0BB8, 1, " "},
    {WinNt4, 4, 0, 1381, 2, "Service Pack 6a"},
    {Win2000, 5, 0, 2195, 2, "Service Pack 4"},
    {WinXp, 5, 1, 2600, 2, "Service Pack 3"},
    {Win2003, 5, 2, 3790, 2, "Service Pack 2"},
    {WinVista, 6, 0, 6002, 2, "Service Pack 2"},
    {Win7, 6, 1, 7601, 2, "Service Pack 1"},
    {Win8, 6, 2, 9200, 2, ""},
    {Win81, 6, 3, 9600, 2, ""},
    {Win10, 10, 0, 19045, 2, ""},
};
static_assert(std::size(kVersions) == Win10 + 1);

constexpr char kWinIni[] =
    "; for 16-bit app support\r\n[fonts]\r\n[extensions]\r\n[mci extensions]\r\n[files]\r\n"
    "[Mail]\r\nMAPI=1\r\n";
constexpr char kSystemIni[] =
    "; for 16-bit app support\r\n[386Enh]\r\nwoafont=dosapp.fon\r\n\r\n[drivers]\r\n"
    "wave=mmdrv.dll\r\ntimer=timer.drv\r\n\r\n[mci]\r\n";

struct ProcessRow {
  uint32_t pid, parent, threads;
  const char* exe;
  const char* module;  // as GetModuleFileNameEx gives it; "" when it cannot be opened
  bool unkillable;
};
constexpr ProcessRow kDefaultProcesses[] = {
    {0, 0, 1, "[System Process]", "", true},
    {4, 0, 60, "System", "", true},
    {368, 4, 3, "smss.exe", "\\SystemRoot\\System32\\smss.exe", false},
    {584, 368, 12, "csrss.exe", "\\??\\C:\\WINDOWS\\system32\\csrss.exe", false},
    {608, 368, 20, "winlogon.exe", "\\??\\C:\\WINDOWS\\system32\\winlogon.exe", false},
    {652, 608, 16, "services.exe", "C:\\WINDOWS\\system32\\services.exe", false},
    {664, 608, 21, "lsass.exe", "C:\\WINDOWS\\system32\\lsass.exe", false},
    {828, 652, 18, "svchost.exe", "C:\\WINDOWS\\system32\\svchost.exe", false},
    {1528, 1492, 14, "explorer.exe", "C:\\WINDOWS\\Explorer.EXE", false},
};

[[noreturn]] void SetupError(const std::string& what) {
  throw std::invalid_argument("sim::Machine set-up: " + what);
}

int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;  // days since 1970-01-01
}

constexpr int64_t kDays1601To1970 = 134774;
constexpr uint64_t kTicksPerDay = 864000000000ull;

}  // namespace

platform::VersionInfo VersionOf(WindowsVersion v) {
  const VersionRow& r = kVersions[v];
  return {r.major, r.minor, r.build, r.platform_id, r.csd};
}

platform::FileTime ToFileTime(const platform::DateTime& t) {
  int64_t days = DaysFromCivil(t.year, t.month, t.day) + kDays1601To1970;
  if (days < 0) return 0;
  uint64_t ms =
      ((static_cast<uint64_t>(t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
  return static_cast<uint64_t>(days) * kTicksPerDay + ms * 10000;
}

platform::FileTime ToFileTime(int year, int month, int day, int hour, int minute, int second) {
  return ToFileTime({year, month, day, 0, hour, minute, second, 0});
}

platform::DateTime ToDateTime(platform::FileTime t) {
  int64_t z = static_cast<int64_t>(t / kTicksPerDay) - kDays1601To1970 + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  platform::DateTime out;
  out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  out.year = static_cast<int>(yoe + era * 400 + (out.month <= 2));
  int64_t days1970 = static_cast<int64_t>(t / kTicksPerDay) - kDays1601To1970;
  out.day_of_week = static_cast<int>(((days1970 % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  uint64_t ms = (t % kTicksPerDay) / 10000;
  out.millisecond = static_cast<int>(ms % 1000);
  out.second = static_cast<int>(ms / 1000 % 60);
  out.minute = static_cast<int>(ms / 60000 % 60);
  out.hour = static_cast<int>(ms / 3600000);
  return out;
}

// --- The default machine ---------------------------------------------------

Machine::State::State() {
  clock = ToFileTime(2007, 6, 15, 14, 30, 0);
  version = VersionOf(WinXp);
  memory = {50, 512ull << 20, 256ull << 20, 1ull << 30, 768ull << 20, 0x7FFE0000ull, 0x7F000000ull};

  Drive c;
  c.letter = 'C';
  c.type = platform::DriveType::kFixed;
  c.label = "SYSTEM";
  c.root = std::make_unique<Node>();
  c.root->name = "C:";
  c.root->folder = true;
  c.root->attributes = platform::kAttrDirectory | platform::kAttrHidden | platform::kAttrSystem;
  c.root->created = c.root->accessed = c.root->written = clock;
  drives.push_back(std::move(c));

  hkcu = std::make_shared<RegNode>();
  hklm = std::make_shared<RegNode>();

  fs = MakeFileSystem(*this);
  registry = MakeRegistry(*this);
  ini = MakeIni(*this);
  shell = MakeShell(*this);
  process_list = MakeProcesses(*this);
  system = MakeSystemInfo(*this);
  credential_store = MakeCredentials(*this);
  platform = std::make_unique<platform::Platform>(platform::Platform{
      *fs, *registry, *ini, *shell, *process_list, *system, credential_store.get()});
}

Machine::State::~State() = default;

Machine::Machine() : state_(std::make_unique<State>()) {
  auto b = Builder();
  b.Layout(LayoutXp)
      .Folder("C:\\WINDOWS\\Temp")
      .ProgramPath("C:\\Program Files\\Vostrel\\vostrel.exe")
      .CurrentFolder("C:\\Program Files\\Vostrel")
      .RegString(HKLM, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                 "C:\\Program Files")
      .RegKey(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Run")
      .RegKey(HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Run")
      .RegKey(HKLM, "Software\\Classes");
  for (const auto& row : kDefaultProcesses) {
    b.Process(row.pid, row.exe, row.module, row.parent, row.threads);
    if (row.unkillable) b.Unkillable(row.pid);
  }
}

Machine::~Machine() = default;

platform::Platform& Machine::Platform() { return *state_->platform; }

// --- Inspection --------------------------------------------------------------

bool Machine::Exists(std::string_view path) const { return Attributes(path).has_value(); }

std::optional<uint32_t> Machine::Attributes(std::string_view path) const {
  Node* n = state_->Find(path);
  if (!n) return std::nullopt;
  return n->attributes;
}

std::optional<std::string> Machine::ReadFile(std::string_view path) const {
  Node* n = state_->Find(path);
  if (!n || n->folder) return std::nullopt;
  return n->Contents();
}

std::optional<std::string> Machine::ReadText(std::string_view path) const {
  auto bytes = ReadFile(path);
  if (!bytes) return std::nullopt;
  return DecodeText(*bytes);
}

namespace {
void Walk(const Node* n, bool folders, std::vector<std::string>& out) {
  for (const auto& c : n->children) {
    if (c->folder == folders) out.push_back(Machine::State::PathOf(c.get()));
    if (c->folder) Walk(c.get(), folders, out);
  }
}
}  // namespace

std::vector<std::string> Machine::Files(std::string_view folder) const {
  std::vector<std::string> out;
  if (folder.empty()) {
    for (const auto& d : state_->drives) Walk(d.root.get(), false, out);
  } else if (Node* n = state_->Find(folder)) {
    Walk(n, false, out);
  }
  return out;
}

std::vector<std::string> Machine::Folders(std::string_view folder) const {
  std::vector<std::string> out;
  if (folder.empty()) {
    for (const auto& d : state_->drives) Walk(d.root.get(), true, out);
  } else if (Node* n = state_->Find(folder)) {
    Walk(n, true, out);
  }
  return out;
}

const std::vector<RecycledItem>& Machine::RecycleBin() const { return state_->bin; }
const std::vector<ShellOpen>& Machine::ShellOpens() const { return state_->opens; }
const std::vector<std::string>& Machine::Credentials() const { return state_->credentials; }

const std::vector<uint32_t>& Machine::Terminated() const { return state_->terminated; }

bool Machine::KeyExists(Hive hive, std::string_view key) const {
  auto parts = State::KeyParts(hive, key);
  return state_->FindKey(hive, parts) != nullptr;
}

std::optional<std::string> Machine::RegString(Hive hive, std::string_view key,
                                              std::string_view name) const {
  auto parts = State::KeyParts(hive, key);
  auto node = state_->FindKey(hive, parts);
  RegValue* v = node ? node->Value(name) : nullptr;
  if (!v || (v->type != 1 && v->type != 2)) return std::nullopt;
  return v->data;
}

std::optional<uint32_t> Machine::RegDword(Hive hive, std::string_view key,
                                          std::string_view name) const {
  auto parts = State::KeyParts(hive, key);
  auto node = state_->FindKey(hive, parts);
  RegValue* v = node ? node->Value(name) : nullptr;
  if (!v || v->type != 4 || v->data.size() != 4) return std::nullopt;
  uint32_t out = 0;
  for (int i = 3; i >= 0; --i) out = (out << 8) | static_cast<unsigned char>(v->data[i]);
  return out;
}

void Machine::Lock(std::string_view path) {
  if (Node* n = state_->Find(path)) n->locked = true;
}

namespace {
void Unlock(Node* n) {
  n->locked = false;
  for (auto& c : n->children) Unlock(c.get());
}
}  // namespace

void Machine::UnlockAll() {
  for (auto& d : state_->drives) Unlock(d.root.get());
}

void Machine::AdvanceTime(uint64_t ms) {
  state_->ticks += ms;
  state_->clock += ms * 10000;
}

// --- Builder -----------------------------------------------------------------

namespace {
ParsedPath ParseOrThrow(const Machine::State& s, std::string_view path) {
  platform::Error e;
  auto p = s.Parse(path, &e);
  if (!p) SetupError("bad path \"" + std::string(path) + "\"");
  return *p;
}

Node* ParentOrThrow(Machine::State& s, const ParsedPath& p, std::string_view path) {
  if (p.parts.empty()) SetupError("\"" + std::string(path) + "\" is a drive root");
  ParsedPath parent = p;
  parent.parts.pop_back();
  if (!s.FindDrive(p.drive)) SetupError("no drive for \"" + std::string(path) + "\"");
  Node* folder = s.MakeFolders(parent);
  if (!folder) SetupError("cannot make the folders of \"" + std::string(path) + "\"");
  return folder;
}

Node* NodeOrThrow(Machine::State& s, std::string_view path) {
  if (path.empty()) SetupError("no current file or folder");
  Node* n = s.Find(path);
  if (!n) SetupError("\"" + std::string(path) + "\" does not exist");
  return n;
}
}  // namespace

MachineBuilder& MachineBuilder::File(std::string_view path, std::string_view contents) {
  Machine::State& s = m_.state();
  ParsedPath p = ParseOrThrow(s, path);
  Node* folder = ParentOrThrow(s, p, path);
  Node* n = folder->Child(p.parts.back());
  if (n && n->folder) SetupError("\"" + std::string(path) + "\" is a folder");
  if (!n) n = s.AddEntry(folder, p.parts.back(), false);
  n->data.assign(contents);
  n->size = contents.size();
  n->fill = 0;
  current_ = Machine::State::PathOf(n);
  return *this;
}

MachineBuilder& MachineBuilder::BigFile(std::string_view path, uint64_t size) {
  return File(path).Size(size);
}

MachineBuilder& MachineBuilder::Folder(std::string_view path) {
  Machine::State& s = m_.state();
  Node* n = s.MakeFolders(ParseOrThrow(s, path));
  if (!n) SetupError("cannot make folder \"" + std::string(path) + "\"");
  current_ = Machine::State::PathOf(n);
  return *this;
}

MachineBuilder& MachineBuilder::Junction(std::string_view path, std::string_view target) {
  Machine::State& s = m_.state();
  Node* t = NodeOrThrow(s, target);
  if (!t->folder) SetupError("junction target \"" + std::string(target) + "\" is no folder");
  ParsedPath p = ParseOrThrow(s, path);
  Node* folder = ParentOrThrow(s, p, path);
  if (folder->Child(p.parts.back())) SetupError("\"" + std::string(path) + "\" exists");
  Node* n = s.AddEntry(folder, p.parts.back(), true);
  n->attributes |= platform::kAttrReparsePoint;
  n->junction = Machine::State::PathOf(t);
  current_ = Machine::State::PathOf(n);
  return *this;
}

MachineBuilder& MachineBuilder::HardLink(std::string_view path, std::string_view target) {
  Machine::State& s = m_.state();
  ParsedPath p = ParseOrThrow(s, path);
  p.parts.pop_back();
  s.MakeFolders(p);
  if (!m_.Platform().fs.CreateHardLink(path, target))
    SetupError("cannot link \"" + std::string(path) + "\" to \"" + std::string(target) + "\"");
  current_ = Machine::State::PathOf(s.Find(path));
  return *this;
}

MachineBuilder& MachineBuilder::ReadOnly() {
  NodeOrThrow(m_.state(), current_)->attributes |= platform::kAttrReadOnly;
  return *this;
}

MachineBuilder& MachineBuilder::ListedAs(std::string_view name) {
  NodeOrThrow(m_.state(), current_)->listed_name = name;
  return *this;
}

MachineBuilder& MachineBuilder::Hidden() {
  NodeOrThrow(m_.state(), current_)->attributes |= platform::kAttrHidden;
  return *this;
}

MachineBuilder& MachineBuilder::System() {
  NodeOrThrow(m_.state(), current_)->attributes |= platform::kAttrSystem;
  return *this;
}

MachineBuilder& MachineBuilder::Attributes(uint32_t attributes) {
  Node* n = NodeOrThrow(m_.state(), current_);
  constexpr uint32_t kFixed = platform::kAttrDirectory | platform::kAttrReparsePoint;
  n->attributes = (n->attributes & kFixed) | (attributes & ~kFixed);
  return *this;
}

MachineBuilder& MachineBuilder::Size(uint64_t size) {
  Node* n = NodeOrThrow(m_.state(), current_);
  if (n->folder) SetupError("Size() on folder \"" + current_ + "\"");
  if (size < n->data.size()) n->data.resize(static_cast<size_t>(size));
  n->size = size;
  return *this;
}

MachineBuilder& MachineBuilder::Modified(platform::FileTime t) {
  NodeOrThrow(m_.state(), current_)->written = t;
  return *this;
}

MachineBuilder& MachineBuilder::Created(platform::FileTime t) {
  NodeOrThrow(m_.state(), current_)->created = t;
  return *this;
}

MachineBuilder& MachineBuilder::Accessed(platform::FileTime t) {
  NodeOrThrow(m_.state(), current_)->accessed = t;
  return *this;
}

MachineBuilder& MachineBuilder::Drive(std::string_view root, platform::DriveType type,
                                      std::string_view label) {
  Machine::State& s = m_.state();
  if (root.size() < 2 || root[1] != ':') SetupError("bad drive \"" + std::string(root) + "\"");
  char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
  if (letter < 'A' || letter > 'Z') SetupError("bad drive \"" + std::string(root) + "\"");
  sim::Drive* d = s.FindDrive(letter);
  if (!d) {
    sim::Drive nd;
    nd.letter = letter;
    nd.root = std::make_unique<Node>();
    nd.root->name = std::string(1, letter) + ":";
    nd.root->folder = true;
    nd.root->attributes = platform::kAttrDirectory;
    nd.root->created = nd.root->accessed = nd.root->written = s.clock;
    auto it = s.drives.begin();
    while (it != s.drives.end() && it->letter < letter) ++it;
    d = &*s.drives.insert(it, std::move(nd));
  }
  d->type = type;
  d->label = std::string(label);
  current_ = std::string(1, letter) + ":\\";
  return *this;
}

MachineBuilder& MachineBuilder::CurrentFolder(std::string_view path) {
  Folder(path);
  m_.state().current_folder = current_;
  return *this;
}

MachineBuilder& MachineBuilder::TempPath(std::string_view path_with_backslash) {
  platform::Error ignored;
  if (m_.state().Parse(path_with_backslash, &ignored)) Folder(path_with_backslash);
  m_.state().temp_path = text::AddTrailingBackslash(path_with_backslash);
  return *this;
}

MachineBuilder& MachineBuilder::NoShortNames() {
  m_.state().short_names = false;
  return *this;
}

MachineBuilder& MachineBuilder::Locked() {
  NodeOrThrow(m_.state(), current_)->locked = true;
  return *this;
}

MachineBuilder& MachineBuilder::Locked(std::string_view path) {
  current_ = std::string(path);
  return Locked();
}

MachineBuilder& MachineBuilder::Unlistable() {
  Node* n = NodeOrThrow(m_.state(), current_);
  if (!n->folder) SetupError("Unlistable() on file \"" + current_ + "\"");
  n->unlistable = true;
  return *this;
}

MachineBuilder& MachineBuilder::Unlistable(std::string_view path) {
  current_ = std::string(path);
  return Unlistable();
}

MachineBuilder& MachineBuilder::FailWrites() {
  NodeOrThrow(m_.state(), current_)->fail_writes = true;
  return *this;
}

MachineBuilder& MachineBuilder::FailWrites(std::string_view path) {
  current_ = std::string(path);
  return FailWrites();
}

MachineBuilder& MachineBuilder::RegKey(Hive hive, std::string_view key) {
  m_.state().MakeKey(hive, Machine::State::KeyParts(hive, key));
  return *this;
}

MachineBuilder& MachineBuilder::RegString(Hive hive, std::string_view key, std::string_view name,
                                          std::string_view value) {
  return RegRaw(hive, key, name, 1, value);
}

MachineBuilder& MachineBuilder::RegExpand(Hive hive, std::string_view key, std::string_view name,
                                          std::string_view value) {
  return RegRaw(hive, key, name, 2, value);
}

MachineBuilder& MachineBuilder::RegDword(Hive hive, std::string_view key, std::string_view name,
                                         uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return RegRaw(hive, key, name, 4, bytes);
}

MachineBuilder& MachineBuilder::RegBinary(Hive hive, std::string_view key, std::string_view name,
                                          std::string_view bytes) {
  return RegRaw(hive, key, name, 3, bytes);
}

MachineBuilder& MachineBuilder::RegRaw(Hive hive, std::string_view key, std::string_view name,
                                       uint32_t type, std::string_view bytes) {
  m_.state().SetValue(hive, key, name, type, bytes);
  return *this;
}

MachineBuilder& MachineBuilder::RegBlocked(Hive hive, std::string_view key) {
  auto parts = Machine::State::KeyParts(hive, key);
  m_.state().blocked.push_back({hive, parts});
  return *this;
}

MachineBuilder& MachineBuilder::RegReadOnly(Hive hive, std::string_view key) {
  auto parts = Machine::State::KeyParts(hive, key);
  m_.state().read_only.push_back({hive, parts});
  return *this;
}

MachineBuilder& MachineBuilder::Ini(std::string_view file, std::string_view section,
                                    std::string_view key, std::string_view value) {
  Machine::State& s = m_.state();
  std::string full = file.find_first_of("\\/:") == std::string_view::npos
                         ? text::JoinPath(s.windows_folder, file)
                         : std::string(file);
  ParentOrThrow(s, ParseOrThrow(s, full), full);
  if (!s.ini->WriteString(full, section, key, value))
    SetupError("cannot write INI file \"" + full + "\"");
  current_ = full;
  return *this;
}

MachineBuilder& MachineBuilder::Layout(ProfileLayout layout) {
  Machine::State& s = m_.state();
  const LayoutRow& roots = kLayouts[layout];
  // The Windows and system folders take the layout's spelling.
  for (const char* path : {roots.windows, roots.system}) {
    Node* n = s.MakeFolders(ParseOrThrow(s, path));
    n->name = text::FileName(path);
  }
  s.windows_folder = roots.windows;
  s.system_folder = roots.system;
  for (Hive hive : {HKCU, HKLM}) {
    for (const char* key : {kShellFolders, kUserShellFolders}) {
      Hive h = hive;
      if (auto node = s.FindKey(h, Machine::State::KeyParts(h, key))) node->values.clear();
    }
  }
  for (const auto& row : kSpecialFolders) {
    std::string_view path = row.path[layout];
    if (path.empty()) {
      NoSpecialFolder(row.csidl);
      continue;
    }
    SpecialFolder(row.csidl, path);
    if (row.shell_value && layout != Layout9x)
      RegExpand(row.common ? HKLM : HKCU, kUserShellFolders, row.shell_value,
                Unexpanded(path, roots));
  }
  std::string windows = roots.windows;
  if (!s.Find(windows + "\\win.ini")) File(windows + "\\win.ini", kWinIni);
  if (!s.Find(windows + "\\system.ini")) File(windows + "\\system.ini", kSystemIni);
  File(text::JoinPath(roots.system, "shell32.dll"), "MZ");
  TempPath(roots.temp);
  RegString(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot", roots.windows);
  current_.clear();
  return *this;
}

MachineBuilder& MachineBuilder::SpecialFolder(int id, std::string_view path) {
  Machine::State& s = m_.state();
  Folder(path);
  s.special_folders[id] = current_;
  const SpecialFolderRow* row = SpecialFolderRowOf(id);
  if (row && row->shell_value) {
    Hive hive = row->common ? HKLM : HKCU;
    s.SetValue(hive, kShellFolders, row->shell_value, 1, current_);
    auto user = s.FindKey(hive, Machine::State::KeyParts(hive, kUserShellFolders));
    if (user && user->Value(row->shell_value))
      s.SetValue(hive, kUserShellFolders, row->shell_value, 2, current_);
  }
  return *this;
}

MachineBuilder& MachineBuilder::NoSpecialFolder(int id) {
  m_.state().special_folders.erase(id);
  return *this;
}

MachineBuilder& MachineBuilder::NoSpecialFolderFunction() {
  m_.state().special_folder_function = false;
  return *this;
}

MachineBuilder& MachineBuilder::Recycled(std::string_view original_path, uint64_t bytes,
                                         bool folder) {
  Machine::State& s = m_.state();
  s.bin.push_back({std::string(original_path), folder, bytes});
  s.bin_nodes.push_back(nullptr);
  return *this;
}

MachineBuilder& MachineBuilder::RecycleResult(int result) {
  m_.state().recycle_result = result;
  return *this;
}

MachineBuilder& MachineBuilder::EmptyRecycleBinFails() {
  m_.state().empty_bin_fails = true;
  return *this;
}

MachineBuilder& MachineBuilder::Credential(std::string_view target, bool deletable) {
  m_.state().credentials.emplace_back(target);
  if (!deletable) m_.state().kept_credentials.emplace_back(target);
  return *this;
}

MachineBuilder& MachineBuilder::NoCredentialManager() {
  m_.state().credential_manager = false;
  return *this;
}

MachineBuilder& MachineBuilder::OpenResult(int result) {
  m_.state().open_result = result;
  return *this;
}

MachineBuilder& MachineBuilder::Process(uint32_t pid, std::string_view exe_name,
                                        std::string_view module_path, uint32_t parent_pid,
                                        uint32_t threads) {
  auto& list = m_.state().processes;
  ProcessRecord record{
      {pid, parent_pid, threads, std::string(exe_name)}, std::string(module_path), false};
  for (auto& p : list) {
    if (p.entry.pid == pid) {
      p = record;
      return *this;
    }
  }
  list.push_back(record);
  return *this;
}

MachineBuilder& MachineBuilder::NoProcesses() {
  m_.state().processes.clear();
  return *this;
}

MachineBuilder& MachineBuilder::NoToolhelp() {
  m_.state().toolhelp = false;
  return *this;
}

MachineBuilder& MachineBuilder::NoMemoryStatusEx() {
  m_.state().memory_ex = false;
  return *this;
}

MachineBuilder& MachineBuilder::NoPsapi() {
  m_.state().psapi = false;
  return *this;
}

MachineBuilder& MachineBuilder::Unkillable(uint32_t pid) {
  for (auto& p : m_.state().processes)
    if (p.entry.pid == pid) p.unkillable = true;
  return *this;
}

MachineBuilder& MachineBuilder::Version(WindowsVersion v) { return Version(VersionOf(v)); }

MachineBuilder& MachineBuilder::Version(const platform::VersionInfo& v) {
  m_.state().version = v;
  return *this;
}

MachineBuilder& MachineBuilder::Memory(const platform::MemoryStatus& status) {
  m_.state().memory = status;
  return *this;
}

MachineBuilder& MachineBuilder::Memory(uint64_t total_phys, uint64_t avail_phys) {
  platform::MemoryStatus& m = m_.state().memory;
  m.total_phys = total_phys;
  m.avail_phys = avail_phys < total_phys ? avail_phys : total_phys;
  m.memory_load = total_phys ? static_cast<uint32_t>(100 - m.avail_phys * 100 / total_phys) : 0;
  m.total_page_file = total_phys * 2;
  m.avail_page_file = m.avail_phys + total_phys;
  return *this;
}

MachineBuilder& MachineBuilder::Clock(const platform::DateTime& now) {
  m_.state().clock = ToFileTime(now);
  return *this;
}

MachineBuilder& MachineBuilder::Ticks(uint64_t ms) {
  m_.state().ticks = ms;
  return *this;
}

MachineBuilder& MachineBuilder::DateFormats(std::string_view short_date,
                                            std::string_view long_time) {
  m_.state().short_date = std::string(short_date);
  m_.state().long_time = std::string(long_time);
  return *this;
}

MachineBuilder& MachineBuilder::ProgramPath(std::string_view path) {
  Machine::State& s = m_.state();
  if (!s.Find(path)) File(path, "MZ");
  s.program_path = Machine::State::PathOf(NodeOrThrow(s, path));
  current_ = s.program_path;
  return *this;
}

}  // namespace sim
