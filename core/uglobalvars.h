// The program's shared module: one object, owned by the application and
// handed to every window, that holds what the windows share. It keeps the
// persistent settings (the Settings key) in memory, the folder and file
// paths formed once at start-up, the window size memory (in the
// scan-results file), the shared lists and flags, the per-category result
// texts, the locked-file command queue, the busy guard for operations that
// let messages run, and the file-wiping step. It shows no window of its
// own except the one warning of the data-folder creation.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/fixed_list.h"
#include "core/sweep/guard.h"
#include "platform/platform.h"
#include "ui/window.h"
#include "ui/window_system.h"

namespace core {

// HKEY_CURRENT_USER key of every persistent setting except window sizes.
inline constexpr std::string_view kSettingsKey = "Software\\Marrowby\\Settings";
// What the windows that store an option without creating the key (the
// settings and the report) say when it does not open.
inline constexpr std::string_view kSettingsNotSaved =
    "An error occurred while saving the settings. It appears to be a space error or registry "
    "error. You will not be able to use the confirmation settings while this error is "
    "happening.";

// The settings in memory, with their start values.
struct Settings {
  std::string Skin = "skinsunset";
  bool Confirms = true;
  bool Wipe = false;
  bool Tempall = false;
  bool IECache = true;
  bool IECookies = true;
  bool IEHistory = true;
  bool NSCache = true;
  bool NSCookies = true;
  bool NSHistory = true;
  bool Otherc = true;
  bool Tempc = true;
  bool Recentc = true;
  bool Recyclec = true;
  bool Otherj = true;
  bool Mediac = true;
  bool ActiveX = true;
  bool Urls = true;
  bool YourOwn = true;
  bool VistaMsg = true;
  bool Lockedj = false;
};

// The thirteen result slots, one per cleanup category. The statistics
// report shows the first twelve in this order.
enum class Slot {
  kIECache,
  kIECookies,
  kIEHistory,
  kNetCache,
  kNetCookies,
  kNetHistory,
  kDumpFiles,
  kTempFiles,
  kRecentDocs,
  kRecycleBin,
  kActiveX,
  kGarbage,
  kMediaCache,
};
inline constexpr int kSlotCount = 13;
// A longer text is cut to this many characters when stored.
inline constexpr size_t kSlotLength = 125;

// What the automatic-cleanup timer cleans, in this order.
enum class AutoClean {
  kIECache,
  kIECookies,
  kIEHistory,
  kNetCache,
  kNetCookies,
  kNetHistory,
  kDumpFiles,
  kTempFiles,
  kRecentDocs,
};
inline constexpr int kAutoCleanCount = 9;

// Sizes of the shared lists.
inline constexpr int kIEListSize = 600;
inline constexpr int kNetListSize = 100;
inline constexpr int kLockedFilesSize = 50;

class Uglobalvars {
 public:
  Uglobalvars(platform::Platform& platform, ui::WindowSystem& windows);
  Uglobalvars(const Uglobalvars&) = delete;
  Uglobalvars& operator=(const Uglobalvars&) = delete;

  platform::Platform& Platform() const { return platform_; }
  ui::WindowSystem& Windows() const { return windows_; }

  // ---- Settings -------------------------------------------------------

  Settings settings;

  // Resets the in-memory settings to their start values, then opens the
  // Settings key (creating it) and walks every value: one that exists with
  // the right type is read (a DWORD other than 0 is true), a missing one is
  // written with its default and taken into memory, one of another type
  // keeps its start value and is left alone. When the key can neither be
  // opened nor created nothing is read or written.
  void ReadSettings();
  // Opens the Settings key for writing; null when it cannot be opened (or,
  // with `create`, created).
  std::unique_ptr<platform::RegKey> OpenSettingsKey(bool create) const;
  // Writes one boolean value (0 or 1) into the Settings key; false when the
  // key does not open or the write fails.
  bool WriteSetting(std::string_view name, bool value, bool create) const;

  // ---- Paths (formed once at start-up, then read-only) ----------------

  std::string WindowsDir;  // no trailing backslash
  std::string ProgramDir;  // with its trailing backslash
  std::string SystemDir;   // as the system gives it, or the fallback
  std::string DataDir;     // the application-data folder + "\Vostreldata"
  std::string ScanResultsFile;
  std::string OwnListFile;
  std::string SysLogFile;
  std::string BatchFile;
  std::string MyPictures;
  std::string MyVideos;
  std::string Downloads;
  std::string MyDocuments;
  std::string SkinImagePath;

  // GetWindowsDirectory; "c:\windows" when the system gives nothing.
  std::string GetWindowsDir() const;
  // GetSystemDirectory; "c:\windows\system\" when the system gives nothing.
  std::string GetSystemDir() const;
  // Windows directory, then program folder.
  void FormBaseFolders();
  // System directory, data folder (created when missing, with a warning on
  // failure), the special folders and the four data file paths.
  void FormDataPaths();

  // The rule every cleanup asks before it empties a folder it took from
  // outside (sweep/guard.h), made on first use from the machine and the
  // paths above; so the paths must be formed first.
  const sweep::FolderGuard& Guard();

  // ---- Window size memory (sections of the scan-results file) ---------

  // Key "W" / "H" of the section; 0 when missing or unreadable.
  int ReadWindowWidth(std::string_view section) const;
  int ReadWindowHeight(std::string_view section) const;
  void WriteWindowSize(std::string_view section, int width, int height) const;
  // The size memory every window gets through ui::Window::UseSizeMemory.
  ui::SizeMemory& SizeMemory() { return sizes_; }
  // Restores the window's stored size now and stores its restored size
  // whenever it closes.
  void RememberSize(ui::Window& window) { window.UseSizeMemory(&sizes_); }

  // ---- Shared lists and texts -----------------------------------------

  FixedList<kIEListSize> IECacheList;
  FixedList<kIEListSize> IECookieList;
  FixedList<kIEListSize> IEHistoryList;
  FixedList<kNetListSize> NetPrefsFiles;
  FixedList<kNetListSize> NetHistoryFiles;
  FixedList<kNetListSize> NetCookieFiles;
  FixedList<kNetListSize> FFLocalStoreFiles;
  FixedList<kNetListSize> FFCacheDirs;
  std::string FFFormHistoryFile;
  std::string FFCookieFile;
  std::string FFPlacesFile;

  // The boot-cleanup command lines ("Del ..."), filled by the IE cleanups
  // and written out as the batch file when the main window closes. It lives
  // here, not in a window, so it outlives the modules released at close.
  FixedList<kLockedFilesSize> LockedFiles;

  // ---- Flags ----------------------------------------------------------

  int VersionCode = 0;                // GetWindowsVersionCode at start-up
  bool WindowsXP = false;             // version code 7
  bool SpecialFolderMissing = false;  // set by the IE survey
  bool AutoCleanup = false;           // true while automatic cleanup runs
  std::array<bool, kAutoCleanCount> Automation{};
  int AutoCleanupInterval = 0;
  bool& AutomationFlag(AutoClean which) { return Automation[static_cast<size_t>(which)]; }

  // ---- Result slots ---------------------------------------------------

  // Stores the text, cut to kSlotLength characters.
  void SetResult(Slot slot, std::string_view text);
  const std::string& Result(Slot slot) const { return results_[static_cast<size_t>(slot)]; }

  // ---- Wiping ---------------------------------------------------------

  // Overwrites the whole file in place (zeros, then 0xFF) and flushes it,
  // so a file recovery tool finds nothing of the old contents once the
  // caller deletes it. Fails silently: a file that cannot be opened for
  // exclusive writing (in use, read-only, missing) is left as it is.
  void WipeFile(std::string_view path) const;

  // ---- Busy guard -----------------------------------------------------

  // While an operation that lets messages run is in progress, closing the
  // main window is deferred and the main window ignores further buttons.
  bool Busy() const { return busy_depth_ > 0; }
  // Whether a close of the main window must wait: an operation is busy, or
  // a window is shown modally (its loop runs below the close and it may be
  // one of the windows the close releases).
  bool CloseMustWait() const;
  // Asks for `close` to run once nothing makes it wait (the last request
  // wins).
  void DeferClose(std::function<void()> close) { deferred_close_ = std::move(close); }
  bool ClosePending() const { return static_cast<bool>(deferred_close_); }
  // Runs the deferred close when there is one and nothing makes it wait.
  // Called where a busy operation ends and by the main window's handlers
  // once they return (a modal showing has then ended too).
  void RunDeferredClose();

  // Marks one busy operation for its lifetime. Take it in the handler that
  // starts the operation (a button or the timer), so that the deferred
  // close runs when that handler is about to return.
  class BusyScope {
   public:
    explicit BusyScope(Uglobalvars& g);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

   private:
    Uglobalvars& g_;
  };

 private:
  // Window sizes kept in the scan-results file.
  class WindowSizes : public ui::SizeMemory {
   public:
    explicit WindowSizes(Uglobalvars& g) : g_(g) {}
    int ReadWidth(const std::string& section) override { return g_.ReadWindowWidth(section); }
    int ReadHeight(const std::string& section) override { return g_.ReadWindowHeight(section); }
    void Write(const std::string& section, int width, int height) override {
      g_.WriteWindowSize(section, width, height);
    }

   private:
    Uglobalvars& g_;
  };

  std::string SpecialFolder(int csidl) const;

  platform::Platform& platform_;
  ui::WindowSystem& windows_;
  WindowSizes sizes_{*this};
  std::array<std::string, kSlotCount> results_;
  std::unique_ptr<sweep::FolderGuard> guard_;
  int busy_depth_ = 0;
  std::function<void()> deferred_close_;
};

}  // namespace core
