// Temporary stub: compiles and links while the simulation is filled in.
#include "platform/sim/machine.h"

namespace sim {

namespace {
class StubFs : public platform::FileSystem {
 public:
  std::unique_ptr<platform::FindHandle> FindFirst(std::string_view, uint32_t,
                                                  platform::Error* e) override {
    if (e) *e = platform::Error::kNotFound;
    return nullptr;
  }
  std::optional<uint32_t> GetAttributes(std::string_view) override { return std::nullopt; }
  platform::Status SetAttributes(std::string_view, uint32_t) override { return Fail(); }
  std::optional<uint64_t> GetSize(std::string_view) override { return std::nullopt; }
  platform::Status SetLastWriteTime(std::string_view, platform::FileTime) override {
    return Fail();
  }
  platform::Status DeleteFile(std::string_view) override { return Fail(); }
  platform::Status RemoveFolder(std::string_view) override { return Fail(); }
  platform::Status MoveFile(std::string_view, std::string_view) override { return Fail(); }
  platform::Status ReplaceFile(std::string_view, std::string_view) override { return Fail(); }
  platform::Status CreateFolder(std::string_view) override { return Fail(); }
  std::optional<std::string> ReadBytes(std::string_view) override { return std::nullopt; }
  platform::Status WriteBytes(std::string_view, std::string_view) override { return Fail(); }
  platform::Status OverwriteInPlace(std::string_view, uint8_t) override { return Fail(); }
  std::string ShortPath(std::string_view) override { return ""; }
  std::string TempPath() override { return "C:\\Temp\\"; }
  std::string WindowsFolder() override { return "C:\\WINDOWS"; }
  std::string SystemFolder() override { return "C:\\WINDOWS\\system32"; }
  std::string CurrentFolder() override { return "C:\\"; }
  std::vector<platform::DriveInfo> Drives() override { return {}; }
  static platform::Status Fail() { return platform::Status::Fail(platform::Error::kOther); }
};
class StubKey {};
class StubRegistry : public platform::Registry {
 public:
  std::unique_ptr<platform::RegKey> Open(platform::Hive, std::string_view, bool,
                                         platform::Access) override {
    return nullptr;
  }
  platform::Status DeleteTree(platform::Hive, std::string_view) override {
    return platform::Status::Fail(platform::Error::kOther);
  }
};
class StubIni : public platform::Ini {
 public:
  std::string ReadString(std::string_view, std::string_view, std::string_view,
                         std::string_view def) override {
    return std::string(def);
  }
  platform::Status WriteString(std::string_view, std::string_view, std::string_view,
                               std::string_view) override {
    return platform::Status::Fail(platform::Error::kOther);
  }
  platform::Status DeleteKey(std::string_view, std::string_view, std::string_view) override {
    return platform::Status::Fail(platform::Error::kOther);
  }
  platform::Status DeleteSection(std::string_view, std::string_view) override {
    return platform::Status::Fail(platform::Error::kOther);
  }
  std::vector<std::string> KeyNames(std::string_view, std::string_view) override { return {}; }
};
class StubShell : public platform::Shell {
 public:
  bool HasSpecialFolderFunction(std::string_view) override { return false; }
  std::optional<std::string> SpecialFolder(std::string_view, int, bool) override {
    return std::nullopt;
  }
  int SendToRecycleBin(const std::vector<std::string>&) override { return 2; }
  bool EmptyRecycleBin() override { return true; }
  platform::RecycleBinInfo QueryRecycleBin() override { return {}; }
  int Open(std::string_view, std::string_view, std::string_view) override { return 42; }
};
class StubProcesses : public platform::Processes {
 public:
  std::optional<std::vector<platform::ProcessEntry>> Snapshot() override {
    return std::vector<platform::ProcessEntry>{};
  }
  std::optional<std::string> MainModulePath(uint32_t) override { return std::nullopt; }
  platform::Status Terminate(uint32_t) override {
    return platform::Status::Fail(platform::Error::kNotFound);
  }
};
class StubSystem : public platform::SystemInfo {
 public:
  platform::VersionInfo Version() override { return VersionOf(WinXp); }
  platform::MemoryStatus Memory() override { return {}; }
  platform::MemoryStatus MemoryEx() override { return {}; }
  std::string ShortDateFormat() override { return "M/d/yyyy"; }
  std::string LongTimeFormat() override { return "h:mm:ss tt"; }
  platform::DateTime Now() override { return {2007, 6, 15, 5, 14, 30, 0, 0}; }
  uint64_t TickCount() override { return 1000000; }
  std::string ProgramPath() override { return "C:\\Program Files\\Vostrel\\vostrel.exe"; }
};
}  // namespace

struct Machine::State {
  StubFs fs;
  StubRegistry registry;
  StubIni ini;
  StubShell shell;
  StubProcesses processes;
  StubSystem system;
  platform::Platform platform{fs, registry, ini, shell, processes, system};
  std::vector<RecycledItem> bin;
  std::vector<ShellOpen> opens;
  std::vector<uint32_t> terminated;
};

platform::VersionInfo VersionOf(WindowsVersion) { return {5, 1, 2600, 2, "Service Pack 3"}; }
platform::FileTime ToFileTime(const platform::DateTime&) { return 0; }
platform::FileTime ToFileTime(int, int, int, int, int, int) { return 0; }
platform::DateTime ToDateTime(platform::FileTime) { return {}; }

Machine::Machine() : state_(std::make_unique<State>()) {}
Machine::~Machine() = default;
platform::Platform& Machine::Platform() { return state_->platform; }
bool Machine::Exists(std::string_view) const { return false; }
std::optional<uint32_t> Machine::Attributes(std::string_view) const { return std::nullopt; }
std::optional<std::string> Machine::ReadFile(std::string_view) const { return std::nullopt; }
std::vector<std::string> Machine::Files(std::string_view) const { return {}; }
std::vector<std::string> Machine::Folders(std::string_view) const { return {}; }
const std::vector<RecycledItem>& Machine::RecycleBin() const { return state_->bin; }
const std::vector<ShellOpen>& Machine::ShellOpens() const { return state_->opens; }
const std::vector<uint32_t>& Machine::Terminated() const { return state_->terminated; }
bool Machine::KeyExists(platform::Hive, std::string_view) const { return false; }
std::optional<std::string> Machine::RegString(platform::Hive, std::string_view,
                                              std::string_view) const {
  return std::nullopt;
}
std::optional<uint32_t> Machine::RegDword(platform::Hive, std::string_view,
                                          std::string_view) const {
  return std::nullopt;
}
void Machine::Lock(std::string_view) {}
void Machine::UnlockAll() {}
void Machine::AdvanceTime(uint64_t) {}

#define SIM_STUB(sig) \
  MachineBuilder& MachineBuilder::sig { return *this; }
SIM_STUB(File(std::string_view, std::string_view))
SIM_STUB(BigFile(std::string_view, uint64_t))
SIM_STUB(Folder(std::string_view))
SIM_STUB(Junction(std::string_view, std::string_view))
SIM_STUB(ReadOnly())
SIM_STUB(Hidden())
SIM_STUB(System())
SIM_STUB(Attributes(uint32_t))
SIM_STUB(Size(uint64_t))
SIM_STUB(Modified(platform::FileTime))
SIM_STUB(Created(platform::FileTime))
SIM_STUB(Accessed(platform::FileTime))
SIM_STUB(Drive(std::string_view, platform::DriveType, std::string_view))
SIM_STUB(CurrentFolder(std::string_view))
SIM_STUB(TempPath(std::string_view))
SIM_STUB(NoShortNames())
SIM_STUB(Locked())
SIM_STUB(Locked(std::string_view))
SIM_STUB(Unlistable())
SIM_STUB(Unlistable(std::string_view))
SIM_STUB(FailWrites())
SIM_STUB(FailWrites(std::string_view))
SIM_STUB(RegKey(platform::Hive, std::string_view))
SIM_STUB(RegString(platform::Hive, std::string_view, std::string_view, std::string_view))
SIM_STUB(RegExpand(platform::Hive, std::string_view, std::string_view, std::string_view))
SIM_STUB(RegDword(platform::Hive, std::string_view, std::string_view, uint32_t))
SIM_STUB(RegBinary(platform::Hive, std::string_view, std::string_view, std::string_view))
SIM_STUB(RegRaw(platform::Hive, std::string_view, std::string_view, uint32_t, std::string_view))
SIM_STUB(RegBlocked(platform::Hive, std::string_view))
SIM_STUB(RegReadOnly(platform::Hive, std::string_view))
SIM_STUB(Ini(std::string_view, std::string_view, std::string_view, std::string_view))
SIM_STUB(SpecialFolder(int, std::string_view))
SIM_STUB(NoSpecialFolder(int))
SIM_STUB(NoSpecialFolderFunction())
SIM_STUB(Recycled(std::string_view, uint64_t, bool))
SIM_STUB(RecycleResult(int))
SIM_STUB(EmptyRecycleBinFails())
SIM_STUB(OpenResult(int))
SIM_STUB(Process(uint32_t, std::string_view, std::string_view, uint32_t, uint32_t))
SIM_STUB(NoProcesses())
SIM_STUB(NoToolhelp())
SIM_STUB(NoPsapi())
SIM_STUB(Unkillable(uint32_t))
SIM_STUB(Version(WindowsVersion))
SIM_STUB(Version(const platform::VersionInfo&))
SIM_STUB(Memory(const platform::MemoryStatus&))
SIM_STUB(Memory(uint64_t, uint64_t))
SIM_STUB(Clock(const platform::DateTime&))
SIM_STUB(Ticks(uint64_t))
SIM_STUB(DateFormats(std::string_view, std::string_view))
SIM_STUB(ProgramPath(std::string_view))

}  // namespace sim
