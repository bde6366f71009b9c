#include "review/startup.h"

#include <algorithm>
#include <array>

#include "core/sweep/sweep.h"
#include "platform/text.h"
#include "review/regbackup.h"
#include "review/syslog.h"

namespace review {

namespace {

using platform::Access;
using platform::Hive;

// ---- The window's texts ----

constexpr std::string_view kCaption = "BHO and System Startup Programs or Services";
constexpr std::string_view kIntro1 =
    "This section allows you to cleanup background services, BHO browser objects, and programs "
    "that run automatically whenever you reboot. This section is for advanced users, as you must "
    "know which programs you want to cleanup to use this section.  You can also disable BHO's "
    "that run in your browser without actually deleting any of them.";
constexpr std::string_view kIntro2 =
    "This section may also be used for your spyware or system review, as you may be instructed "
    "to remove some items from these lists if necessary.  Each tab below shows you different "
    "program types.";
constexpr std::array<std::string_view, 4> kTabs = {"System Startup", "BHO Objects",
                                                   "View All Processes", "View All Services"};

constexpr std::string_view kRemoveHint = "Remove highlighted item from your startup list";
constexpr std::string_view kRemoveServiceHint = "Do not run service anymore at startup";
constexpr std::string_view kConfirmRemove =
    "You have requested to remove the highlighted program above from your startup list.(This "
    "will remove it from your startup, so when you reboot this program will not automatically "
    "begin running anymore in the background). Do you wish to continue?";
constexpr std::string_view kNothingRemoved = "Nothing removed from your system startup list";
constexpr std::string_view kMustEdit =
    "This value must be edited rather then deleted. You should click cancel on the next screen "
    "if you are not sure of what you are editing. (This editing option is mostly likely used "
    "during your system review, if you are instructed to edit and change this value by "
    "Marrowby support.)";
constexpr std::string_view kDeleted = "This value has been successfully deleted from your startup.";
constexpr std::string_view kFileNotDeleted =
    "This value could not be deleted! You may have already removed it or you may not have "
    "authority on your system to delete this.";
constexpr std::string_view kNoAuthority =
    "You do not have authority on your system to delete this. If you are running Windows Vista, "
    "you need to right click the Vostrel icon on your desktop, and choose the option that says "
    "\"Run as Admin\". Then you will have authority on your system to go in and delete this "
    "entry.";
constexpr std::string_view kValueMissing =
    "This value does not exist! You may have already removed it.";
constexpr std::string_view kEdited = "This value has been successfully edited in your startup.";
constexpr std::string_view kIniMissing =
    "This value does not exist! It could not be found in any of your INI files, you may have "
    "already removed it.";
constexpr std::string_view kChooseService =
    "You must choose a service to remove from your listbox first";
constexpr std::string_view kNoBhoLines =
    "There are no BHO entries in your list above. There is nothing to remove.";
constexpr std::string_view kBhoRemoved =
    "This BHO entry was successfully removed. It will no longer run in your browser.";
constexpr std::string_view kBhoNotRemoved =
    "This BHO entry could not be removed. If you are running Windows Vista, you need to right "
    "click the Vostrel icon on your desktop, and choose the option that says \"Run as Admin\". "
    "Then you will have authority on your system to go in and delete this entry.try again.";
constexpr std::string_view kBhoCancelled = "You chose cancel, nothing was removed.";
constexpr std::string_view kNoBhos =
    "There are no browser helper objects identified on your pc. You may ignore this option.";
constexpr std::string_view kBhosDisabled =
    "BHO objects on your computer are now disabled. BHOs can be things like search boxes or "
    "toolbars on your browser, and can also be bad things like hidden spyware or adware which "
    "does not show on your browser. These are now disabled, and you can re-enable at any time "
    "again by clicking this same button.";
constexpr std::string_view kBhosEnabled =
    "BHO objects on your computer are now enabled. BHOs can be things like search boxes or "
    "toolbars on your browser, and can also be bad things like hidden spyware or adware which "
    "does not show on your browser. These are now enabled, and you can disable and block them "
    "again at any time by clicking this same button.";
constexpr std::string_view kBackupFailed =
    "Nothing was changed: the registry backup could not be written to \"{}\". The program backs "
    "up every registry entry before it changes it, and changes nothing it could not back up.";
constexpr std::string_view kBhoMissingFile =
    "NOT FOUND : Entry was found, but file is missing (this is ok)";

constexpr std::string_view kBhoKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr std::string_view kIEMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr std::string_view kBhoSwitchValue = "Enable Browser Extensions";
constexpr std::string_view kServicesKey = "SYSTEM\\CurrentControlSet\\Services";
constexpr std::string_view kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::string_view kUserShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

constexpr std::string_view kCaptionBhoEnable = "Enable BHOs";
constexpr std::string_view kCaptionBhoDisable = "Disable BHOs";

// Added to the widest startup line for the list's horizontal extent.
constexpr int kExtentMargin = 200;

// The values of a Notify entry that its line shows, in this order.
constexpr auto kNotifyValues = std::to_array<std::string_view>(
    {"Lock", "Unlock", "Logon", "Logoff", "Startup", "Shutdown", "Screensaver", "StartScreenSaver",
     "StopScreenSaver", "Reconnect", "Disconnect", "StartShell", "PostShell"});
static_assert(kNotifyValues.size() == 13);

// The upper-cased fragments that make a shell command worth reporting.
constexpr auto kCommandTypes =
    std::to_array<std::string_view>({".EXE", ".DLL", ".BAT", ".OCX", ".HTM", ".HTML"});

std::string Fill(std::string_view text, std::string_view with) {
  std::string out(text);
  size_t at = out.find("{}");
  if (at != std::string::npos) out.replace(at, 2, with);
  return out;
}

// "HKCU" is the current user; any other root the machine (the removals
// also know "HKCR").
Hive HiveOf(std::string_view root) {
  if (root == "HKCU") return Hive::kCurrentUser;
  if (root == "HKCR") return Hive::kClassesRoot;
  return Hive::kLocalMachine;
}

// A registry string as text; values of other types count as empty.
std::string ReadText(platform::RegKey& key, std::string_view name) {
  return key.ReadString(name).value_or("");
}

// Removes every "\??\" (in any letter case) from a module path.
std::string ReplaceAll(std::string path) {
  for (size_t at = 0; (at = text::Upper(path).find("\\??\\", at)) != std::string::npos;)
    path.erase(at, 4);
  return path;
}

}  // namespace

// ---- Descriptor lines ------------------------------------------------------

std::string MakeDescriptor(std::string_view root, std::string_view key, std::string_view value,
                           std::string_view action) {
  std::string out(root);
  out += " RegKey:";
  out += key;
  out += " RegValue:";
  out += value;
  out += " Action:";
  out += action;
  return out;
}

Descriptor ParseDescriptor(std::string_view line) {
  Descriptor d;
  if (line.substr(0, 4) == "HKCU" || line.substr(0, 4) == "HKLM") d.root = line.substr(0, 4);
  constexpr std::string_view kKey = "RegKey:", kValue = "RegValue:", kAction = "Action:";
  const size_t key = line.find(kKey);
  const size_t value = line.find(kValue, key == std::string_view::npos ? 0 : key);
  const size_t action = line.find(kAction, value == std::string_view::npos ? 0 : value);
  auto between = [&](size_t from, size_t marker_size, size_t to) {
    if (from == std::string_view::npos) return std::string();
    from += marker_size;
    if (to == std::string_view::npos || to < from) to = line.size();
    return text::Trim(line.substr(from, to - from));
  };
  d.key = between(key, kKey.size(), value);
  d.value = between(value, kValue.size(), action);
  d.action = between(action, kAction.size(), line.size());
  return d;
}

// ---- The section table -----------------------------------------------------

enum class Reader {
  kRunValues,
  kSingleValue,
  kIniValue,
  kStartupFolder,
  kClsidFromData,
  kClsidFromName,
  kShellCommand,
  kSubkeyValues,
  kNotify,
};

// One startup location: its caption, reader, root ("HKLM", "HKCU",
// "HKCR"; empty for an INI file), key path (an INI file's name), value
// name (an INI key; the Shell Folders value naming a startup folder),
// INI section, and the action of its removal pair.
struct TFrmstartup::Section {
  std::string_view caption;
  Reader reader;
  std::string_view root;
  std::string_view key;
  std::string_view value;
  std::string_view ini_section;
  std::string_view action;
};

namespace {

#define VOST_WINVER "Software\\Microsoft\\Windows\\CurrentVersion\\"
constexpr std::string_view kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr std::string_view kNtWindows = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr std::string_view kActiveSetup = "Software\\Microsoft\\Active Setup\\Installed Components";

using S = TFrmstartup::Section;
using R = Reader;
// clang-format off
constexpr auto kSections = std::to_array<S>({
    {"SECTION 1:  ", R::kRunValues, "HKLM", VOST_WINVER "Run", "", "", "DELREG"},
    {"SECTION 2:  ", R::kRunValues, "HKCU", VOST_WINVER "Run", "", "", "DELREG"},
    {"SECTION 3:  ", R::kRunValues, "HKLM", VOST_WINVER "RunServices", "", "", "DELREG"},
    {"SECTION 4:  ", R::kRunValues, "HKCU", VOST_WINVER "RunServices", "", "", "DELREG"},
    {"SECTION 5:  ", R::kRunValues, "HKLM", VOST_WINVER "RunOnce", "", "", "DELREG"},
    {"SECTION 6:  ", R::kRunValues, "HKCU", VOST_WINVER "RunOnce", "", "", "DELREG"},
    {"SECTION 7:  ", R::kRunValues, "HKLM", VOST_WINVER "RunOnce\\Setup", "", "", "DELREG"},
    {"SECTION 8:  ", R::kRunValues, "HKCU", VOST_WINVER "RunOnce\\Setup", "", "", "DELREG"},
    {"SECTION 9:  ", R::kRunValues, "HKLM", VOST_WINVER "RunOnceEx", "", "", "DELREG"},
    {"SECTION 10: ", R::kRunValues, "HKCU", VOST_WINVER "RunOnceEx", "", "", "DELREG"},
    {"SECTION 11: ", R::kRunValues, "HKLM", VOST_WINVER "RunServicesOnce", "", "", "DELREG"},
    {"SECTION 12: ", R::kRunValues, "HKCU", VOST_WINVER "RunServicesOnce", "", "", "DELREG"},
    {"SECTION 13: ", R::kRunValues, "HKLM", VOST_WINVER "Policies\\Explorer\\Run", "", "", "DELREG"},
    {"SECTION 14: ", R::kRunValues, "HKCU", VOST_WINVER "Policies\\Explorer\\Run", "", "", "DELREG"},
    {"SECTION 15: ", R::kSingleValue, "HKLM", kWinlogon, "Userinit", "", "EDITREG"},
    {"SECTION 15: ", R::kSingleValue, "HKLM", kWinlogon, "System", "", "DELREG"},
    {"SECTION 15: ", R::kSingleValue, "HKLM", kWinlogon, "Shell", "", "EDITREG"},
    {"SECTION 16: ", R::kSingleValue, "HKLM", kNtWindows, "AppInit_DLLs", "", "EDITREG"},
    {"SECTION 17: ", R::kSingleValue, "HKCU", kNtWindows, "load", "", "DELREG"},
    {"SECTION 18: ", R::kClsidFromData, "HKLM",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad", "", "", ""},
    {"SECTION 19: ", R::kClsidFromName, "HKLM",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler", "", "", ""},
    {"SECTION 20: ", R::kIniValue, "", "win.ini", "run", "windows", ""},
    {"SECTION 21: ", R::kIniValue, "", "win.ini", "load", "windows", ""},
    {"SECTION 22: ", R::kIniValue, "", "system.ini", "shell", "boot", ""},
    {"SECTION 23: ", R::kStartupFolder, "HKCU", "", "Startup", "", "DELFILE"},
    {"SECTION 24: ", R::kStartupFolder, "HKCU", "", "Common Startup", "", "DELFILE"},
    {"SECTION 25: ", R::kStartupFolder, "HKLM", "", "Startup", "", "DELFILE"},
    {"SECTION 26: ", R::kStartupFolder, "HKLM", "", "Common Startup", "", "DELFILE"},
    {"SECTION 27: ", R::kShellCommand, "HKCR", "exefile\\shell\\open\\command", "", "", ""},
    {"SECTION 28: ", R::kShellCommand, "HKCR", "comfile\\shell\\open\\command", "", "", ""},
    {"SECTION 29: ", R::kShellCommand, "HKCR", "batfile\\shell\\open\\command", "", "", ""},
    {"SECTION 30: ", R::kShellCommand, "HKCR", "htafile\\Shell\\Open\\Command", "", "", ""},
    {"SECTION 31: ", R::kShellCommand, "HKCR", "piffile\\shell\\open\\command", "", "", ""},
    {"SECTION 32: ", R::kShellCommand, "HKCR", "scrfile\\shell\\open\\command", "", "", ""},
    {"SECTION 33: ", R::kShellCommand, "HKCR", "dllfile\\shell\\open\\command", "", "", ""},
    {"SECTION 34: ", R::kShellCommand, "HKLM", "exefile\\shell\\open\\command", "", "", ""},
    {"SECTION 35: ", R::kShellCommand, "HKLM", "comfile\\shell\\open\\command", "", "", ""},
    {"SECTION 36: ", R::kShellCommand, "HKLM", "batfile\\shell\\open\\command", "", "", ""},
    {"SECTION 37: ", R::kShellCommand, "HKLM", "htafile\\Shell\\Open\\Command", "", "", ""},
    {"SECTION 38: ", R::kShellCommand, "HKLM", "scrfile\\shell\\open\\command", "", "", ""},
    {"SECTION 39: ", R::kShellCommand, "HKLM", "dllfile\\shell\\open\\command", "", "", ""},
    {"SECTION 40: ", R::kShellCommand, "HKLM", "piffile\\shell\\open\\command", "", "", ""},
    {"SECTION 41: ", R::kSubkeyValues, "HKLM", kActiveSetup, "StubPath", "", ""},
    {"SECTION 42: ", R::kSubkeyValues, "HKLM", kActiveSetup, "KeyFileName", "", ""},
    {"SECTION 50: ", R::kNotify, "HKLM",
     "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify", "", "", ""},
    {"SECTION 51 - Service Running: ", R::kSubkeyValues, "HKLM", kServicesKey, "ImagePath", "", ""},
});
// clang-format on
#undef VOST_WINVER
// Sections 1 to 42 (section 15 has three rows), 50 and 51.
static_assert(kSections.size() == 46);

}  // namespace

// ---- The window ------------------------------------------------------------

TFrmstartup::TFrmstartup(core::Uglobalvars& g)
    : core::StartupReview(g.Windows(), std::string(core::kStartupReviewWindow),
                          std::string(kCaption), 640, 443),
      g_(g) {
  SetPositionRule(ui::Position::kScreenCenter);
  Label1.SetCaption(std::string(kIntro1));
  Label1.SetWordWrap(true);
  Label2.SetCaption(std::string(kIntro2));
  Label2.SetWordWrap(true);
  TabControl1.SetTabs({kTabs.begin(), kTabs.end()});
  CmdRemove.SetHint(std::string(kRemoveHint));
  CmdRemoveService.SetHint(std::string(kRemoveServiceHint));

  OnCreate = [this] { FormCreate(); };
  CmdRemove.OnClick = [this] { CmdRemoveClick(); };
  CmdRemoveService.OnClick = [this] { CmdRemoveServiceClick(); };
  CmdBHORem.OnClick = [this] { CmdBHORemClick(); };
  CmdBHO.OnClick = [this] { CmdBHOClick(); };
  EdFilter.OnChange = [this] { EdFilterChange(); };
  TabControl1.OnChange = [this] { TabControl1Change(); };
  BitBtn4.OnClick = [this] { BitBtn4Click(); };
}

// Runs once, at program start: the BHO switch's caption, the process list
// and the first tab.
void TFrmstartup::FormCreate() {
  LayOutIntro();
  g_.RememberSize(*this);
  if (auto key =
          g_.Platform().registry.Open(Hive::kCurrentUser, kIEMainKey, false, Access::kRead)) {
    const bool on = text::Upper(ReadText(*key, kBhoSwitchValue)) == "YES";
    CmdBHO.SetCaption(std::string(on ? kCaptionBhoDisable : kCaptionBhoEnable));
  }
  Load_Running_Tasks();
  if (TabControl1.TabIndex() < 0) TabControl1.SetTabIndex(0);
  ShowTab(TabControl1.TabIndex());
  if (ListRunningTasks.Count() > 0) ListRunningTasks.SetItemIndex(0);
}

// The two texts take the height their lines need in the machine's font;
// the tabs and "Return" move down by what they need beyond the design.
void TFrmstartup::LayOutIntro() {
  ui::Rect first = Label1.Bounds();
  first.height = std::max(first.height, Label1.TextHeight());
  Label1.SetBounds(first);
  ui::Rect second = Label2.Bounds();
  const int designed_bottom = second.top + second.height;
  second.top = first.top + first.height + 4;
  second.height = std::max(second.height, Label2.TextHeight());
  Label2.SetBounds(second);
  const int shift = std::max(0, second.top + second.height - designed_bottom);
  if (shift == 0) return;
  for (ui::Control* c :
       {static_cast<ui::Control*>(&TabControl1), static_cast<ui::Control*>(&BitBtn4)}) {
    ui::Rect r = c->Bounds();
    r.top += shift;
    c->SetBounds(r);
  }
  SetClientSize(ClientWidth(), ClientHeight() + shift);
}

void TFrmstartup::PrepareToShow() {
  LoadStartupLists();
  LoadBhoList();
}

void TFrmstartup::WriteSystemLog() { SystemLog(g_, *this).Write(); }

void TFrmstartup::TabControl1Change() { ShowTab(TabControl1.TabIndex()); }

void TFrmstartup::ShowTab(int index) {
  auto show = [index](int tab, std::initializer_list<ui::Control*> controls) {
    for (ui::Control* c : controls) c->SetVisible(index == tab);
  };
  show(0, {&LblStartup, &ListStartup, &CmdRemove});
  show(1, {&LblBHO, &ListBHO, &CmdBHORem, &CmdBHO});
  show(2, {&LblTasks, &ListRunningTasks});
  show(3, {&LblServices, &ListServices, &CmdRemoveService, &LblFilter, &EdFilter});
}

void TFrmstartup::BitBtn4Click() { Close(); }

// ---- Loading ---------------------------------------------------------------

void TFrmstartup::LoadStartupLists() {
  ListStartup.Clear();
  ListLog.clear();
  ListServices.Clear();
  ListSaveServices.clear();
  ListSaveDelete.clear();
  startup_pairs_.clear();
  service_keys_.clear();
  for (const Section& s : kSections) ReadSection(s);
  System().ProcessMessages();
  if (ListStartup.Count() > 0) ListStartup.SetItemIndex(0);
  SetListExtent();
}

void TFrmstartup::ReadSection(const Section& s) {
  switch (s.reader) {
    case Reader::kRunValues:
      return ReadRunValues(s);
    case Reader::kSingleValue:
      return ReadSingleValue(s);
    case Reader::kIniValue:
      return ReadIniValue(s);
    case Reader::kStartupFolder:
      return ReadStartupFolder(s);
    case Reader::kClsidFromData:
    case Reader::kClsidFromName:
      return ReadClsidServers(s);
    case Reader::kShellCommand:
      return ReadShellCommand(s);
    case Reader::kSubkeyValues:
      return ReadSubkeyValues(s);
    case Reader::kNotify:
      return ReadNotifyEntries(s);
  }
}

void TFrmstartup::AddStartup(std::string_view caption, const std::string& text,
                             const std::string* descriptor) {
  ListStartup.Add(text);
  ListLog.push_back(std::string(caption) + text);
  if (!descriptor) {
    startup_pairs_.push_back(-1);
    return;
  }
  startup_pairs_.push_back(static_cast<int>(ListSaveDelete.size()));
  ListSaveDelete.push_back(text);
  ListSaveDelete.push_back(*descriptor);
}

// Readers open their keys for reading only, so a limited account still
// sees the machine's entries.
void TFrmstartup::ReadRunValues(const Section& s) {
  auto key = g_.Platform().registry.Open(HiveOf(s.root), s.key, false, Access::kRead);
  if (!key) return;
  for (const std::string& name : key->ValueNames()) {
    const std::string text = text::Trim(ReadText(*key, name));
    if (text.empty()) continue;
    const std::string d = MakeDescriptor(s.root, s.key, name, s.action);
    AddStartup(s.caption, text, &d);
  }
}

void TFrmstartup::ReadSingleValue(const Section& s) {
  auto key = g_.Platform().registry.Open(HiveOf(s.root), s.key, false, Access::kRead);
  if (!key) return;
  const std::string text = text::Trim(ReadText(*key, s.value));
  if (text.empty()) return;
  const std::string d = MakeDescriptor(s.root, s.key, s.value, s.action);
  AddStartup(s.caption, text, &d);
}

void TFrmstartup::ReadIniValue(const Section& s) {
  const std::string file = g_.WindowsDir + "\\" + std::string(s.key);
  if (!g_.Platform().fs.Exists(file)) return;
  const std::string value = g_.Platform().ini.ReadString(file, s.ini_section, s.value, "");
  if (value.empty()) return;
  AddStartup(s.caption, value, nullptr);
}

void TFrmstartup::ReadStartupFolder(const Section& s) {
  auto& registry = g_.Platform().registry;
  for (std::string_view folders_key : {kShellFolders, kUserShellFolders}) {
    auto key = registry.Open(HiveOf(s.root), folders_key, false, Access::kRead);
    if (!key) continue;
    const std::string folder = ReadText(*key, s.value);
    if (text::Trim(folder).empty()) continue;
    auto find = g_.Platform().fs.FindFirst(folder + "\\*.*", platform::kFindAnyFile);
    if (!find) continue;
    platform::FindData entry;
    while (find->Next(entry)) {
      if (entry.attributes & platform::kAttrDirectory) continue;
      if (text::Upper(entry.name) == "DESKTOP.INI") continue;
      // A name that only stands for another (it holds a wildcard) is
      // listed by its short name, or not at all.
      const std::optional<std::string> name = sweep::SafeName(entry);
      if (!name) continue;
      const std::string path = folder + "\\" + *name;
      const std::string d = MakeDescriptor(" ", " ", " ", s.action);
      AddStartup(s.caption, path, &d);
    }
  }
}

void TFrmstartup::ReadClsidServers(const Section& s) {
  auto& registry = g_.Platform().registry;
  std::vector<std::string> server_keys;
  {
    auto key = registry.Open(HiveOf(s.root), s.key, false, Access::kRead);
    if (!key) return;
    for (const std::string& name : key->ValueNames()) {
      if (server_keys.size() >= kMaxClsids) break;
      const std::string id =
          text::Trim(s.reader == Reader::kClsidFromData ? ReadText(*key, name) : name);
      if (s.reader == Reader::kClsidFromName && id.empty()) continue;
      server_keys.push_back("CLSID\\" + id + "\\InprocServer32");
    }
  }
  for (const std::string& path : server_keys) {
    auto server = registry.Open(Hive::kClassesRoot, path, false, Access::kRead);
    if (!server) continue;
    const std::string module = ReadText(*server, "");
    if (!module.empty()) ListLog.push_back(std::string(s.caption) + module);
  }
}

void TFrmstartup::ReadShellCommand(const Section& s) {
  const Hive hive = s.root == "HKCU"   ? Hive::kCurrentUser
                    : s.root == "HKLM" ? Hive::kLocalMachine
                                       : Hive::kClassesRoot;
  auto key = g_.Platform().registry.Open(hive, s.key, false, Access::kRead);
  if (!key) return;
  const std::string command = text::Trim(ReadText(*key, ""));
  const std::string upper = text::Upper(command);
  for (std::string_view type : kCommandTypes) {
    if (upper.find(type) != std::string::npos) {
      ListLog.push_back(std::string(s.caption) + command);
      return;
    }
  }
}

void TFrmstartup::ReadSubkeyValues(const Section& s) {
  auto& registry = g_.Platform().registry;
  const Hive hive = HiveOf(s.root);
  std::vector<std::string> subkeys;
  {
    auto key = registry.Open(hive, s.key, false, Access::kRead);
    if (!key) return;
    subkeys = key->SubkeyNames();
    if (subkeys.size() > kMaxSubkeys) subkeys.resize(kMaxSubkeys);
  }
  const bool services = text::Upper(s.caption).find("SECTION 51") != std::string::npos;
  for (const std::string& name : subkeys) {
    const std::string path = std::string(s.key) + "\\" + name;
    auto sub = registry.Open(hive, path, false, Access::kRead);
    if (!sub) continue;
    const std::string value = ReadText(*sub, s.value);
    if (value.empty()) continue;
    ListLog.push_back(std::string(s.caption) + value);
    if (!services) continue;
    ListServices.Add(value);
    ListSaveServices.push_back(path);
    ListSaveServices.push_back(value);
    service_keys_.push_back(path);
  }
}

void TFrmstartup::ReadNotifyEntries(const Section& s) {
  auto& registry = g_.Platform().registry;
  const Hive hive = HiveOf(s.root);
  auto key = registry.Open(hive, s.key, false, Access::kRead);
  if (!key) return;
  for (const std::string& name : key->SubkeyNames()) {
    auto sub = registry.Open(hive, std::string(s.key) + "\\" + name, false, Access::kRead);
    if (!sub) continue;
    const std::string dll = ReadText(*sub, "DLLName");
    if (dll.empty()) continue;
    std::string line = "DLL: " + dll + " ";
    for (std::string_view value : kNotifyValues) {
      const std::string v = ReadText(*sub, value);
      if (!v.empty()) line += std::string(value) + ": " + v + " ";
    }
    ListLog.push_back(std::string(s.caption) + line);
  }
}

void TFrmstartup::SetListExtent() { ListStartup.FitHorizontalExtent(kExtentMargin); }

void TFrmstartup::LoadBhoList() {
  ListBHO.Clear();
  ListBHOHidden.clear();
  auto& registry = g_.Platform().registry;
  std::vector<std::string> clsids;
  if (auto key = registry.Open(Hive::kLocalMachine, kBhoKey, false, Access::kRead)) {
    for (const std::string& name : key->SubkeyNames()) {
      if (clsids.size() >= kMaxBhos) break;
      clsids.push_back(text::Upper(text::Trim(name)));
    }
  }
  for (const std::string& clsid : clsids) {
    auto server = registry.Open(Hive::kClassesRoot, "CLSID\\" + clsid + "\\InprocServer32", false,
                                Access::kRead);
    std::string line;
    if (server) {
      line = ReadText(*server, "");
      if (line.empty()) continue;
    } else {
      line = kBhoMissingFile;
    }
    ListBHO.Add(line);
    ListBHOHidden.push_back(clsid);
  }
  if (ListBHO.Count() > 0) ListBHO.SetItemIndex(0);
}

void TFrmstartup::Load_Running_Tasks() {
  ListRunningTasks.Clear();
  auto& processes = g_.Platform().processes;
  const auto snapshot = processes.Snapshot();
  if (!snapshot) return;
  for (const platform::ProcessEntry& p : *snapshot) {
    // A process whose module cannot be read (another user's, or a 64-bit
    // one seen from a 32-bit program) is listed by its executable name.
    const std::optional<std::string> module = processes.MainModulePath(p.pid);
    std::string line = module ? ReplaceAll(*module) : p.exe_name;
    if (!line.empty()) ListRunningTasks.Add(std::move(line));
  }
}

// ---- Backups ---------------------------------------------------------------

bool TFrmstartup::BackUp(Hive hive, std::string_view key, std::string_view value_name,
                         bool whole_key) {
  RegBackup backup(g_.Platform(), g_.DataDir);
  const bool saved =
      whole_key ? backup.SaveKey(hive, key) : backup.SaveValue(hive, key, value_name);
  if (!saved) System().ShowMessage(Fill(kBackupFailed, backup.File()));
  return saved;
}

// ---- Startup removal -------------------------------------------------------

void TFrmstartup::CmdRemoveClick() {
  const auto answer =
      System().MessageBox(ui::BoxKind::kConfirmation, ui::Buttons::kYesNoCancel, kConfirmRemove);
  if (answer != ui::Answer::kYes || ListStartup.ItemIndex() < 0) {
    System().ShowMessage(kNothingRemoved);
    return;
  }
  RemoveStartupEntry();
}

void TFrmstartup::RemoveStartupEntry() {
  const int index = ListStartup.ItemIndex();
  if (index < 0 || static_cast<size_t>(index) >= startup_pairs_.size()) return;
  const std::string line = ListStartup.Item(index);
  // Each line has its own pair, in the order the lines were added; an INI
  // line has none and goes to the INI removal.
  const int pair = startup_pairs_[static_cast<size_t>(index)];
  if (pair < 0) {
    RemoveIniStartupEntry(line);
    return;
  }
  const std::string& text = ListSaveDelete[static_cast<size_t>(pair)];
  const Descriptor d = ParseDescriptor(ListSaveDelete[static_cast<size_t>(pair) + 1]);
  if (!d.root.empty()) {
    if (d.action == "DELREG") {
      DeleteStartupValue(d.root, d.key, d.value);
    } else if (d.action == "EDITREG") {
      System().ShowMessage(kMustEdit);
      if (auto entered = System().InputBox("Input Box", "Prompt", text))
        EditStartupValue(d.root, d.key, d.value, *entered);
    }
    return;
  }
  if (d.action == "DELFILE") {
    System().ShowMessage(g_.Platform().fs.DeleteFile(text) ? kDeleted : kFileNotDeleted);
  }
}

// The key holding a startup value, opened for a change once the value is
// known to exist and its backup is written; null (the user told) otherwise.
std::unique_ptr<platform::RegKey> TFrmstartup::OpenForChange(std::string_view root,
                                                             const std::string& key,
                                                             const std::string& value_name) {
  const Hive hive = HiveOf(root);
  auto k = g_.Platform().registry.Open(hive, key, false, Access::kFull);
  if (!k) return nullptr;
  if (!k->ValueExists(value_name)) {
    System().ShowMessage(kValueMissing);
    return nullptr;
  }
  if (!BackUp(hive, key, value_name, false)) return nullptr;
  return k;
}

void TFrmstartup::DeleteStartupValue(std::string_view root, const std::string& key,
                                     const std::string& value_name) {
  if (auto k = OpenForChange(root, key, value_name)) {
    System().ShowMessage(k->DeleteValue(value_name) ? kDeleted : kNoAuthority);
  }
}

void TFrmstartup::EditStartupValue(std::string_view root, const std::string& key,
                                   const std::string& value_name, std::string_view entered) {
  // An emptied box would leave Windows without its logon program or shell.
  const std::string text = text::Trim(entered);
  if (text.empty()) {
    System().ShowMessage(kNothingRemoved);
    return;
  }
  auto k = OpenForChange(root, key, value_name);
  if (k && k->WriteString(value_name, text)) System().ShowMessage(kEdited);
}

void TFrmstartup::RemoveIniStartupEntry(const std::string& line) {
  auto& fs = g_.Platform().fs;
  auto& ini = g_.Platform().ini;
  bool matched = false;
  auto clear = [&](const std::string& file, std::string_view section, std::string_view key) {
    if (ini.ReadString(file, section, key, "") != line) return;
    ini.WriteString(file, section, key, "");
    System().ShowMessage(kDeleted);
    matched = true;
  };
  const std::string win_ini = g_.WindowsDir + "\\win.ini";
  if (fs.Exists(win_ini)) {
    clear(win_ini, "windows", "run");
    clear(win_ini, "windows", "load");
  }
  const std::string system_ini = g_.WindowsDir + "\\system.ini";
  if (!matched && fs.Exists(system_ini)) clear(system_ini, "boot", "shell");
  if (!matched) System().ShowMessage(kIniMissing);
}

// ---- Services --------------------------------------------------------------

void TFrmstartup::CmdRemoveServiceClick() {
  const int index = ListServices.ItemIndex();
  if (index < 0) {
    System().ShowMessage(kChooseService);
    return;
  }
  // Only the selected line's own service: services sharing one image path
  // (every svchost group) stay untouched.
  if (static_cast<size_t>(index) >= service_keys_.size()) return;
  DeleteStartupValue("HKLM", service_keys_[static_cast<size_t>(index)], "ImagePath");
}

void TFrmstartup::EdFilterChange() {
  const std::string filter = text::Upper(text::Trim(EdFilter.Caption()));
  if (filter.empty()) return;
  std::vector<std::string> lines, keys;
  for (int i = 0; i < ListServices.Count(); ++i) {
    if (text::Upper(ListServices.Item(i)).find(filter) == std::string::npos) continue;
    lines.push_back(ListServices.Item(i));
    if (static_cast<size_t>(i) < service_keys_.size())
      keys.push_back(service_keys_[static_cast<size_t>(i)]);
  }
  ListServices.SetItems(std::move(lines));
  service_keys_ = std::move(keys);
  if (ListServices.Count() > 0) ListServices.SetItemIndex(0);
}

// ---- BHOs ------------------------------------------------------------------

void TFrmstartup::CmdBHORemClick() {
  if (ListBHO.Count() == 0) {
    System().ShowMessage(kNoBhoLines);
    return;
  }
  const int index = ListBHO.ItemIndex();
  if (index < 0 || static_cast<size_t>(index) >= ListBHOHidden.size()) return;
  auto& registry = g_.Platform().registry;
  if (!registry.Open(Hive::kLocalMachine, kBhoKey, false, Access::kFull)) return;
  const std::string question =
      "Are you sure you want to remove this BHO entry (" + ListBHO.Item(index) + ")?";
  if (System().MessageBox(ui::BoxKind::kConfirmation, ui::Buttons::kYesNo, question) !=
      ui::Answer::kYes) {
    System().ShowMessage(kBhoCancelled);
    return;
  }
  const std::string path = std::string(kBhoKey) + "\\" + ListBHOHidden[static_cast<size_t>(index)];
  if (!BackUp(Hive::kLocalMachine, path, "", true)) return;
  if (!registry.DeleteTree(Hive::kLocalMachine, path)) {
    System().ShowMessage(kBhoNotRemoved);
    return;
  }
  System().ShowMessage(kBhoRemoved);
  ListBHO.Delete(index);
  ListBHOHidden.erase(ListBHOHidden.begin() + index);
  if (ListBHO.Count() > 0) ListBHO.SetItemIndex(0);
}

void TFrmstartup::CmdBHOClick() {
  auto key = g_.Platform().registry.Open(Hive::kCurrentUser, kIEMainKey, false, Access::kFull);
  if (!key) {
    System().ShowMessage(kNoBhos);
    return;
  }
  const bool disable = CmdBHO.Caption() != kCaptionBhoEnable;
  if (!BackUp(Hive::kCurrentUser, kIEMainKey, kBhoSwitchValue, false)) return;
  if (!key->WriteString(kBhoSwitchValue, disable ? "no" : "yes")) return;
  CmdBHO.SetCaption(std::string(disable ? kCaptionBhoEnable : kCaptionBhoDisable));
  System().ShowMessage(disable ? kBhosDisabled : kBhosEnabled);
}

}  // namespace review
