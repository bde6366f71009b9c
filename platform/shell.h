// Shell services: special folders, the Recycle Bin and "open".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform {

// CSIDL numbers the program asks for.
namespace csidl {
inline constexpr int kDesktop = 0x0000;
inline constexpr int kPrograms = 0x0002;
inline constexpr int kPersonal = 0x0005;
inline constexpr int kFavorites = 0x0006;
inline constexpr int kStartup = 0x0007;
inline constexpr int kRecent = 0x0008;
inline constexpr int kSendTo = 0x0009;
inline constexpr int kStartMenu = 0x000B;
inline constexpr int kMyMusic = 0x000D;
inline constexpr int kMyVideo = 0x000E;
inline constexpr int kDesktopDirectory = 0x0010;
inline constexpr int kAppData = 0x001A;
inline constexpr int kLocalAppData = 0x001C;
inline constexpr int kCommonStartup = 0x0018;
inline constexpr int kInternetCache = 0x0020;
inline constexpr int kCookies = 0x0021;
inline constexpr int kHistory = 0x0022;
inline constexpr int kCommonAppData = 0x0023;
inline constexpr int kWindows = 0x0024;
inline constexpr int kSystem = 0x0025;
inline constexpr int kProgramFiles = 0x0026;
inline constexpr int kMyPictures = 0x0027;
inline constexpr int kProfile = 0x0028;
}  // namespace csidl

// How "open" shows the window of the program it starts (SW_SHOWNORMAL,
// SW_SHOWMAXIMIZED).
enum class ShowCommand { kNormal, kMaximised };

struct RecycleBinInfo {
  uint64_t items = 0;
  uint64_t bytes = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;

  // Whether SHELL32.DLL in `system_folder` loads and exports
  // SHGetSpecialFolderPathA (looked up at run time, as on old Windows).
  virtual bool HasSpecialFolderFunction(std::string_view system_folder) = 0;
  // The folder for a CSIDL; nullopt when the function is missing or the
  // call fails.
  virtual std::optional<std::string> SpecialFolder(std::string_view system_folder, int csidl,
                                                   bool create) = 0;

  // SHFileOperation FO_DELETE with FOF_ALLOWUNDO | FOF_NOCONFIRMATION |
  // FOF_SILENT: moves files or folders to the Recycle Bin. Returns the
  // operation's own result (0 is success).
  virtual int SendToRecycleBin(const std::vector<std::string>& paths) = 0;
  // SHFileOperation FO_DELETE of one file or folder with FOF_ALLOWUNDO and
  // FOF_WANTNUKEWARNING, plus FOF_NOCONFIRMATION unless `ask`: to the
  // Recycle Bin, and where the item would be deleted for good instead (a
  // drive without a Recycle Bin, a network folder) the shell asks the user
  // first whatever `ask` says. A declined question is a failure. Returns
  // the operation's own result (0 is success).
  virtual int RecycleItem(std::string_view path, bool ask) = 0;
  // SHEmptyRecycleBin of every drive without confirmation; the shell shows
  // its progress and plays its sound, in a window owned by `owner` (0:
  // none). An already empty bin counts as emptied.
  virtual bool EmptyRecycleBin(WindowHandle owner) = 0;
  virtual RecycleBinInfo QueryRecycleBin() = 0;

  // ShellExecute with the verb "open": the numeric result, above 32 on
  // success.
  virtual int Open(std::string_view target, std::string_view parameters, std::string_view folder,
                   ShowCommand show) = 0;
};

}  // namespace platform
