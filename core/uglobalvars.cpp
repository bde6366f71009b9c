#include "core/uglobalvars.h"

#include <algorithm>
#include <array>
#include <optional>

namespace core {

namespace {

using platform::Hive;
using platform::ValueType;

// One value of the Settings key: a boolean (stored as a DWORD 0 or 1) or
// the skin name (a string), with the default written when it is missing.
struct SettingValue {
  std::string_view name;
  bool Settings::*flag;
  std::string Settings::*text;
  bool default_flag;
  std::string_view default_text;
};

constexpr SettingValue Flag(std::string_view name, bool Settings::*flag, bool written_default) {
  return {name, flag, nullptr, written_default, {}};
}

// In the order the start-up reads them.
constexpr auto kSettingValues = std::to_array<SettingValue>({
    {"Skin", nullptr, &Settings::Skin, false, "skinsunset"},
    Flag("Confirms", &Settings::Confirms, true),
    Flag("Wipe", &Settings::Wipe, true),
    Flag("Tempall", &Settings::Tempall, false),
    Flag("IECache", &Settings::IECache, true),
    Flag("IECookies", &Settings::IECookies, true),
    Flag("IEHistory", &Settings::IEHistory, true),
    Flag("NSCache", &Settings::NSCache, true),
    Flag("NSCookies", &Settings::NSCookies, true),
    Flag("NSHistory", &Settings::NSHistory, true),
    Flag("Otherc", &Settings::Otherc, true),
    Flag("Tempc", &Settings::Tempc, true),
    Flag("Recentc", &Settings::Recentc, true),
    Flag("Recyclec", &Settings::Recyclec, true),
    Flag("Otherj", &Settings::Otherj, true),
    Flag("Mediac", &Settings::Mediac, true),
    Flag("ActiveX", &Settings::ActiveX, true),
    Flag("Urls", &Settings::Urls, true),
    Flag("YourOwn", &Settings::YourOwn, true),
    Flag("VistaMsg", &Settings::VistaMsg, true),
    Flag("Lockedj", &Settings::Lockedj, false),
});
static_assert(kSettingValues.size() == 21);

constexpr std::string_view kWindowsDirFallback = "c:\\windows";
constexpr std::string_view kSystemDirFallback = "c:\\windows\\system\\";
constexpr std::string_view kDataFolderName = "\\Vostreldata";

constexpr std::string_view kCreateFolderWarning =
    "Could not create a folder. Please right click this software and choose the option to "
    "\"Run as Admin\" (only needs to be done one time), as you currently do not have authority "
    "to create a temp folder.";

bool IsBlank(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte length of the first `chars` characters of a UTF-8 text.
size_t PrefixOfChars(std::string_view s, size_t chars) {
  size_t pos = 0;
  for (size_t n = 0; n < chars && pos < s.size(); ++n) {
    ++pos;
    while (pos < s.size() && IsContinuationByte(s[pos])) ++pos;
  }
  return pos;
}

// `s` without its last `chars` characters; nullopt when it has fewer.
std::optional<std::string> DropLastChars(std::string_view s, size_t chars) {
  size_t end = s.size();
  for (size_t n = 0; n < chars; ++n) {
    if (end == 0) return std::nullopt;
    --end;
    while (end > 0 && IsContinuationByte(s[end])) --end;
  }
  return std::string(s.substr(0, end));
}

// The folder part of a path, with its trailing backslash.
std::string FolderOf(std::string_view path) {
  size_t cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string WithoutTrailingBackslash(std::string_view path) {
  if (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
  return std::string(path);
}

}  // namespace

Uglobalvars::Uglobalvars(platform::Platform& platform, ui::WindowSystem& windows)
    : platform_(platform), windows_(windows) {}

// ---- Settings ---------------------------------------------------------

std::unique_ptr<platform::RegKey> Uglobalvars::OpenSettingsKey(bool create) const {
  return platform_.registry.Open(Hive::kCurrentUser, kSettingsKey, create, platform::Access::kFull);
}

bool Uglobalvars::WriteSetting(std::string_view name, bool value, bool create) const {
  auto key = OpenSettingsKey(create);
  return key && key->WriteDword(name, value ? 1 : 0);
}

void Uglobalvars::ReadSettings() {
  settings = Settings{};
  auto key = OpenSettingsKey(true);
  // A key that may be read but not written still gives its stored values.
  if (!key)
    key = platform_.registry.Open(Hive::kCurrentUser, kSettingsKey, false, platform::Access::kRead);
  if (!key) return;
  for (const SettingValue& v : kSettingValues) {
    std::optional<ValueType> type = key->GetValueType(v.name);
    if (!type) {
      // Missing: store the default and run with what is now stored.
      if (v.flag) {
        if (key->WriteDword(v.name, v.default_flag ? 1 : 0)) settings.*v.flag = v.default_flag;
      } else if (key->WriteString(v.name, v.default_text)) {
        settings.*v.text = std::string(v.default_text);
      }
      continue;
    }
    // Present: a value of another type or size keeps the start value.
    if (v.flag) {
      if (*type != ValueType::kDword) continue;
      if (auto value = key->ReadDword(v.name)) settings.*v.flag = *value != 0;
    } else {
      if (*type != ValueType::kString && *type != ValueType::kExpandString) continue;
      if (auto value = key->ReadString(v.name)) settings.*v.text = *value;
    }
  }
}

// ---- Paths ------------------------------------------------------------

std::string Uglobalvars::GetWindowsDir() const {
  std::string dir = platform_.fs.WindowsFolder();
  return IsBlank(dir) ? std::string(kWindowsDirFallback) : dir;
}

std::string Uglobalvars::GetSystemDir() const {
  std::string dir = platform_.fs.SystemFolder();
  return IsBlank(dir) ? std::string(kSystemDirFallback) : dir;
}

void Uglobalvars::FormBaseFolders() {
  WindowsDir = GetWindowsDir();
  ProgramDir = FolderOf(platform_.system.ProgramPath());
}

std::string Uglobalvars::SpecialFolder(int csidl) const {
  auto& shell = platform_.shell;
  if (!shell.HasSpecialFolderFunction(SystemDir)) return {};
  auto folder = shell.SpecialFolder(SystemDir, csidl, false);
  if (!folder || IsBlank(*folder)) return {};
  return *folder;
}

void Uglobalvars::FormDataPaths() {
  SystemDir = GetSystemDir();

  // The application-data folder; the program folder when the shell cannot
  // say (no shell library, no function, or the call failed), so the data
  // folder never becomes the drive-relative "\Vostreldata".
  std::string base = SpecialFolder(platform::csidl::kAppData);
  if (base.empty()) base = ProgramDir;
  DataDir = WithoutTrailingBackslash(base) + std::string(kDataFolderName);

  MyPictures = SpecialFolder(platform::csidl::kMyPictures);
  MyVideos = SpecialFolder(platform::csidl::kMyVideo);
  Downloads.clear();
  if (!IsBlank(MyVideos)) {
    // "...\Videos" gives the sibling "...\Downloads", "...\My Videos" gives
    // "...\My Downloads". A path too short to leave a folder keeps it empty
    // (never a bare relative "Downloads").
    auto stem = DropLastChars(MyVideos, 6);
    if (stem && !IsBlank(*stem)) Downloads = *stem + "Downloads";
  }
  MyDocuments = SpecialFolder(platform::csidl::kPersonal);

  auto& fs = platform_.fs;
  if (!fs.Exists(DataDir) && !fs.CreateFolder(DataDir)) windows_.Warning(kCreateFolderWarning);

  SysLogFile = DataDir + "\\SysLog.txt";
  ScanResultsFile = DataDir + "\\vostscan6.ini";
  OwnListFile = DataDir + "\\vostscanyo.ini";
  BatchFile = DataDir + "\\vostind.bat";
}

const sweep::FolderGuard& Uglobalvars::Guard() {
  if (!guard_) {
    guard_ = std::make_unique<sweep::FolderGuard>(
        platform_, SystemDir.empty() ? GetSystemDir() : SystemDir,
        std::vector<std::string>{WindowsDir, SystemDir, ProgramDir, MyDocuments});
  }
  return *guard_;
}

// ---- Window size memory -----------------------------------------------

int Uglobalvars::ReadWindowWidth(std::string_view section) const {
  if (ScanResultsFile.empty()) return 0;
  return platform_.ini.ReadInt(ScanResultsFile, section, "W", 0);
}

int Uglobalvars::ReadWindowHeight(std::string_view section) const {
  if (ScanResultsFile.empty()) return 0;
  return platform_.ini.ReadInt(ScanResultsFile, section, "H", 0);
}

void Uglobalvars::WriteWindowSize(std::string_view section, int width, int height) const {
  if (ScanResultsFile.empty()) return;
  platform_.ini.WriteInt(ScanResultsFile, section, "W", width);
  platform_.ini.WriteInt(ScanResultsFile, section, "H", height);
}

// ---- Result slots -----------------------------------------------------

void Uglobalvars::SetResult(Slot slot, std::string_view text) {
  results_[static_cast<size_t>(slot)] =
      std::string(text.substr(0, PrefixOfChars(text, kSlotLength)));
}

// ---- Wiping -----------------------------------------------------------

void Uglobalvars::WipeFile(std::string_view path) const {
  auto& fs = platform_.fs;
  if (!fs.OverwriteInPlace(path, 0x00)) return;
  fs.OverwriteInPlace(path, 0xFF);
}

// ---- Busy guard -------------------------------------------------------

Uglobalvars::BusyScope::BusyScope(Uglobalvars& g) : g_(g) { ++g_.busy_depth_; }

Uglobalvars::BusyScope::~BusyScope() {
  --g_.busy_depth_;
  g_.RunDeferredClose();
}

bool Uglobalvars::CloseMustWait() const { return Busy() || windows_.ModalDepth() > 0; }

void Uglobalvars::RunDeferredClose() {
  if (CloseMustWait() || !deferred_close_) return;
  auto close = std::move(deferred_close_);
  deferred_close_ = nullptr;
  close();
}

}  // namespace core
