// An in-memory Windows machine for native tests. It implements every
// platform interface (file system, registry, INI files, shell, processes,
// system facts) the way Windows behaves where the program depends on it,
// and lets a test set up the machine in a few lines and inject failures.
//
//   sim::Machine m;
//   m.Builder()
//       .File("C:\\Temp\\a.tmp", "data").ReadOnly()
//       .Folder("C:\\Users\\x")
//       .RegString(sim::HKCU, "Software\\X", "Name", "v")
//       .RegDword(sim::HKCU, "Software\\X", "Count", 3)
//       .Ini("C:\\x.ini", "Section", "Key", "Value")
//       .Version(sim::WinVista)
//       .SpecialFolder(platform::csidl::kAppData, "C:\\Data")
//       .Locked("C:\\Temp\\a.tmp");
//   RunSomething(m.Platform());
//   EXPECT_FALSE(m.Exists("C:\\Temp\\b.tmp"));
//
// The default machine is Windows XP SP3 (5.1.2600) with one fixed drive C:
// labelled "SYSTEM" and:
//   C:\WINDOWS                      WindowsFolder(); holds win.ini, system.ini
//   C:\WINDOWS\system32             SystemFolder(); holds shell32.dll
//   C:\Program Files                csidl::kProgramFiles
//   C:\Program Files\Vostrel\vostrel.exe   ProgramPath()
//   C:\Documents and Settings\User  the user profile (csidl::kProfile) with
//     Desktop, My Documents (My Music, My Pictures, My Videos), Favorites,
//     Cookies, Recent, SendTo, Start Menu\Programs\Startup, Application Data,
//     Local Settings\Application Data, Local Settings\Temp,
//     Local Settings\Temporary Internet Files, Local Settings\History
//   C:\Documents and Settings\All Users\Application Data and
//     ...\All Users\Start Menu\Programs\Startup
//   TempPath() "C:\Documents and Settings\User\Local Settings\Temp\"
//   CurrentFolder() "C:\Program Files\Vostrel"
// Every CSIDL in platform/shell.h maps to its XP folder, and
// HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders
// (REG_SZ) and ...\User Shell Folders (REG_EXPAND_SZ, %USERPROFILE%) name
// the same folders. The process list holds a few XP system processes
// ("[System Process]" 0, "System" 4, smss.exe, csrss.exe, winlogon.exe,
// services.exe, lsass.exe, svchost.exe, explorer.exe). Memory: 512 MiB
// physical, 1 GiB page file, 2 GiB virtual. Formats "M/d/yyyy" and
// "h:mm:ss tt". The clock starts at 2007-06-15 14:30:00 (a Friday) and
// TickCount() at 1000000; both advance 1 ms on every TickCount() call and
// by AdvanceTime().
//
// Windows rules modelled: names compare case-insensitively and keep their
// case; folders list in name order with "." and ".." first (not for drive
// roots); new files get the archive attribute and the clock's time; 8.3
// short names are generated in the PROGRA~1 style, once per entry, and
// names that already fit 8.3 have none; paths of MAX_PATH (260) UTF-16
// units or more fail with kInvalidName; wildcards in a path that is not a
// find pattern fail with kInvalidName; trailing dots and blanks of a path
// component are dropped and '/' counts as '\'. Windows and Wine also match
// find patterns against short names ("*.tmp" lists "a.tmpl" through
// "A~1.TMP"); the simulation does not (see text::WildcardMatch), so code
// that needs long-name matches must filter what the real FindFirst gives. Registry values enumerate
// in insertion order (Wine sorts them) and subkeys in name order. New INI files are UTF-16LE with a
// byte-order mark, as the Win32 backend creates them; on NT versions
// win.ini's [windows] section lives in
// HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows, as
// IniFileMapping puts it (on 9x in the file). HKCR is a view of
// HKLM\Software\Classes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace sim {

inline constexpr platform::Hive HKCU = platform::Hive::kCurrentUser;
inline constexpr platform::Hive HKLM = platform::Hive::kLocalMachine;
inline constexpr platform::Hive HKCR = platform::Hive::kClassesRoot;

// Windows versions with the values GetVersionEx gives on them. An exe
// without a compatibility manifest sees 6.2.9200 on Windows 8.1 and 10 as
// well (use Win8 for that); Win81 and Win10 give what a manifested exe sees.
enum WindowsVersion {
  Win95,     // 4.0, build 0x040003B6, platform 1, ""
  Win98,     // 4.10, build 0x040A08AE (Second Edition), platform 1, " A "
  WinMe,     // 4.90, build 0x045A0BB8, platform 1, " "
  WinNt4,    // 4.0.1381, "Service Pack 6a"
  Win2000,   // 5.0.2195, "Service Pack 4"
  WinXp,     // 5.1.2600, "Service Pack 3"
  Win2003,   // 5.2.3790, "Service Pack 2"
  WinVista,  // 6.0.6002, "Service Pack 2"
  Win7,      // 6.1.7601, "Service Pack 1"
  Win8,      // 6.2.9200, ""
  Win81,     // 6.3.9600, ""
  Win10,     // 10.0.19045, ""
};
platform::VersionInfo VersionOf(WindowsVersion v);

// Where Windows keeps the user's folders. Layout9x: Windows 98 without user
// profiles (C:\WINDOWS\Application Data, C:\My Documents, system folder
// C:\WINDOWS\SYSTEM, temp C:\WINDOWS\TEMP\; no kProfile, no kLocalAppData).
// LayoutXp: the default machine's "Documents and Settings". LayoutVista:
// C:\Users\User\AppData\Roaming and ...\Local, C:\ProgramData, C:\Windows.
enum ProfileLayout { Layout9x, LayoutXp, LayoutVista };

// FILETIME <-> calendar time (the machine treats local time as UTC).
platform::FileTime ToFileTime(const platform::DateTime& t);
platform::FileTime ToFileTime(int year, int month, int day, int hour = 0, int minute = 0,
                              int second = 0);
platform::DateTime ToDateTime(platform::FileTime t);

// One item in the Recycle Bin.
struct RecycledItem {
  std::string original_path;
  bool folder = false;
  uint64_t bytes = 0;  // a folder counts the sizes of all files inside
};

// One ShellExecute "open" call as the program made it, and what it got.
struct ShellOpen {
  std::string target;
  std::string parameters;
  std::string folder;
  int result = 0;
  platform::ShowCommand show = platform::ShowCommand::kNormal;
};

class Machine;

// Sets up or changes a machine. Methods chain; File() and Folder() make
// their path the current entry, which the argument-less modifiers
// (ReadOnly(), Hidden(), Size(), Locked(), ...) then change. Parents are
// created as needed. A step that cannot be done (a bad path, a modifier
// without a current entry) throws std::invalid_argument, which fails the
// test that made the mistake.
class MachineBuilder {
 public:
  explicit MachineBuilder(Machine& m) : m_(m) {}

  // Files and folders.
  MachineBuilder& File(std::string_view path, std::string_view contents = "");
  // A file of `size` bytes held sparsely (zero bytes), for 64-bit sizes.
  MachineBuilder& BigFile(std::string_view path, uint64_t size);
  MachineBuilder& Folder(std::string_view path);
  // A folder with the reparse-point attribute that leads to `target`, as a
  // junction does (a walk that follows it can loop).
  MachineBuilder& Junction(std::string_view path, std::string_view target);
  // A second name for the file at `target` (a hard link): the same
  // identity, contents, size, times and attributes. The simulation copies
  // the contents, so a later write through one name is not seen through
  // the other.
  MachineBuilder& HardLink(std::string_view path, std::string_view target);
  MachineBuilder& ReadOnly();
  // Listings show the entry under `name` instead of its own (its short name
  // stays), as an 8-bit listing under Wine shows a name outside the code
  // page ("????.txt"); paths still reach it only by its own or short name.
  MachineBuilder& ListedAs(std::string_view name);
  MachineBuilder& Hidden();
  MachineBuilder& System();
  MachineBuilder& Attributes(uint32_t attributes);  // replaces all but directory
  MachineBuilder& Size(uint64_t size);              // grows sparsely with zero bytes or cuts
  MachineBuilder& Modified(platform::FileTime t);
  MachineBuilder& Created(platform::FileTime t);
  MachineBuilder& Accessed(platform::FileTime t);
  MachineBuilder& Drive(std::string_view root, platform::DriveType type,
                        std::string_view label = "");
  MachineBuilder& CurrentFolder(std::string_view path);
  // GetTempPath gives this text (the folder is made when the text names
  // one).
  MachineBuilder& TempPath(std::string_view path_with_backslash);
  // GetShortPathName then returns long paths unchanged and listings carry
  // no short names, as with 8.3 name creation turned off.
  MachineBuilder& NoShortNames();

  // File-system failures. A locked file is held open by another program
  // without sharing: it lists and has attributes but cannot be read,
  // written, moved, recycled or deleted (kSharingViolation); a locked folder
  // cannot be removed or moved. An unlistable folder fails FindFirst with
  // kAccessDenied. FailWrites on a file or a folder (and all below it)
  // makes writing contents, creating entries and changing attributes or
  // times fail with kWriteFault; a failed WriteBytes leaves an existing
  // file empty, as a truncating open followed by a failed write does.
  // Deleting still works.
  MachineBuilder& Locked();
  MachineBuilder& Locked(std::string_view path);
  MachineBuilder& Unlistable();
  MachineBuilder& Unlistable(std::string_view path);
  MachineBuilder& FailWrites();
  MachineBuilder& FailWrites(std::string_view path);

  // Registry. Values keep their insertion order, as Windows does.
  MachineBuilder& RegKey(platform::Hive hive, std::string_view key);
  MachineBuilder& RegString(platform::Hive hive, std::string_view key, std::string_view name,
                            std::string_view value);
  MachineBuilder& RegExpand(platform::Hive hive, std::string_view key, std::string_view name,
                            std::string_view value);
  MachineBuilder& RegDword(platform::Hive hive, std::string_view key, std::string_view name,
                           uint32_t value);
  MachineBuilder& RegBinary(platform::Hive hive, std::string_view key, std::string_view name,
                            std::string_view bytes);
  // A value of any raw type number (7 = REG_MULTI_SZ, 11 = REG_QWORD, ...).
  MachineBuilder& RegRaw(platform::Hive hive, std::string_view key, std::string_view name,
                         uint32_t type, std::string_view bytes);
  // The key (and everything below it) cannot be opened or created.
  MachineBuilder& RegBlocked(platform::Hive hive, std::string_view key);
  // The key (and everything below it) opens for reading only.
  MachineBuilder& RegReadOnly(platform::Hive hive, std::string_view key);

  // Writes an INI value as WritePrivateProfileString would.
  MachineBuilder& Ini(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value);

  // Moves the special folders, the Windows, system and temporary folders
  // and Explorer's Shell Folders values to a layout (creating the folders;
  // what was there stays). Version() does not change the layout.
  MachineBuilder& Layout(ProfileLayout layout);

  // Shell.
  MachineBuilder& SpecialFolder(int csidl, std::string_view path);  // creates it
  MachineBuilder& NoSpecialFolder(int csidl);
  MachineBuilder& NoSpecialFolderFunction();
  MachineBuilder& Recycled(std::string_view original_path, uint64_t bytes, bool folder = false);
  // SendToRecycleBin returns `result` for every call and moves nothing.
  MachineBuilder& RecycleResult(int result);
  MachineBuilder& EmptyRecycleBinFails();
  // Every Open returns `result`. By default a local target that does not
  // exist gives 2 and anything else 42.
  MachineBuilder& OpenResult(int result);

  // Credential Manager: a generic credential (one that is not `deletable`
  // refuses CredDelete), or no Credential Manager at all (before XP).
  MachineBuilder& Credential(std::string_view target, bool deletable = true);
  MachineBuilder& NoCredentialManager();

  // Processes.
  MachineBuilder& Process(uint32_t pid, std::string_view exe_name,
                          std::string_view module_path = "", uint32_t parent_pid = 0,
                          uint32_t threads = 1);
  MachineBuilder& NoProcesses();
  MachineBuilder& NoToolhelp();  // Snapshot() gives nullopt
  MachineBuilder& NoPsapi();     // MainModulePath() gives nullopt
  MachineBuilder& Unkillable(uint32_t pid);

  // System facts.
  MachineBuilder& Version(WindowsVersion v);
  MachineBuilder& Version(const platform::VersionInfo& v);
  // The true (64-bit) figures; Memory() clamps them as the 32-bit call does.
  MachineBuilder& Memory(const platform::MemoryStatus& status);
  MachineBuilder& Memory(uint64_t total_phys, uint64_t avail_phys);
  // No GlobalMemoryStatusEx (Windows 95, 98, NT 4): MemoryEx() gives nullopt.
  MachineBuilder& NoMemoryStatusEx();
  MachineBuilder& Clock(const platform::DateTime& now);
  MachineBuilder& Ticks(uint64_t ms);
  MachineBuilder& DateFormats(std::string_view short_date, std::string_view long_time);
  MachineBuilder& ProgramPath(std::string_view path);  // creates the file

 private:
  Machine& m_;
  std::string current_;
};

class Machine {
 public:
  Machine();
  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  // What the program under test gets.
  platform::Platform& Platform();

  // Sets up or changes the machine (at any time, also mid-test).
  MachineBuilder Builder() { return MachineBuilder(*this); }

  // Inspection, bypassing locks and injected failures.
  bool Exists(std::string_view path) const;
  std::optional<uint32_t> Attributes(std::string_view path) const;
  std::optional<std::string> ReadFile(std::string_view path) const;
  // The file as text: UTF-16LE files (with their byte-order mark, as new
  // INI files are written) come back as UTF-8, others as they are.
  std::optional<std::string> ReadText(std::string_view path) const;
  // Full paths of all files (or folders) below `folder` (everything when
  // empty), in listing order, depth first.
  std::vector<std::string> Files(std::string_view folder = "") const;
  std::vector<std::string> Folders(std::string_view folder = "") const;
  const std::vector<RecycledItem>& RecycleBin() const;
  const std::vector<ShellOpen>& ShellOpens() const;
  const std::vector<uint32_t>& Terminated() const;
  const std::vector<std::string>& Credentials() const;
  bool KeyExists(platform::Hive hive, std::string_view key) const;
  std::optional<std::string> RegString(platform::Hive hive, std::string_view key,
                                       std::string_view name) const;
  std::optional<uint32_t> RegDword(platform::Hive hive, std::string_view key,
                                   std::string_view name) const;

  // Runtime changes.
  void Lock(std::string_view path);
  void UnlockAll();
  void AdvanceTime(uint64_t ms);

  struct State;
  State& state() { return *state_; }
  const State& state() const { return *state_; }

 private:
  std::unique_ptr<State> state_;
};

}  // namespace sim
