#include "core/sweep/guard.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browsers/ie.h"
#include "browsers/net.h"
#include "core/uglobalvars.h"
#include "desktop/non.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace sweep {
namespace {

const std::string kUser = "C:\\Documents and Settings\\User";

// Spellings of C:\, C:\WINDOWS, the profile and Program Files that the
// cleanups once took for other folders.
constexpr std::array<const char*, 24> kRefusedSpellings{{
    "C:/",
    "C:\\.",
    "C:\\x\\..",
    "C:\\..",
    "C:/.",
    "C:\\.\\",
    "C:\\\\",
    "C:\\ ",
    " C:\\ ",
    "C:\\WINDOWS\\.",
    "C:/WINDOWS",
    "C:\\WINDOWS.",
    "C:\\WINDOWS\\\\",
    "C:\\x\\..\\WINDOWS",
    "C:\\WINDOWS",
    "c:\\windows",
    "C:\\DOCUME~1\\User",
    "C:\\Documents and Settings\\User\\.",
    "C:\\Documents and Settings",
    "C:\\Program Files",
    "C:\\PROGRA~1\\.",
    "\\\\?\\C:\\",
    "\\\\.\\C:\\",
    "\\\\?\\C:\\WINDOWS",
}};

TEST(FolderGuard, RefusesRootsAndTheFoldersOfWindowsTheUserAndTheProgramHoweverSpelled) {
  sim::Machine m;
  const FolderGuard guard(m.Platform(), "C:\\WINDOWS\\system32", {});
  for (const char* spelling : kRefusedSpellings) EXPECT_TRUE(guard.Refused(spelling)) << spelling;
  for (const char* spelling :
       {"//srv/share/", "\\\\srv\\share\\.", "\\\\srv\\share\\x\\..", "\\\\?\\UNC\\srv\\share",
        "C:\\WINDOWS\\system32\\.", "C:\\Program Files\\Vostrel", "C:\\DOCUME~1\\User\\MYDOCU~1",
        "C:\\Documents and Settings\\User\\Desktop\\", "relative\\folder", "\\WINDOWS\\Temp",
        "C:WINDOWS\\Temp", "C:\\WINDOWS\\a*", ""}) {
    EXPECT_TRUE(guard.Refused(spelling)) << spelling;
  }
  for (const char* folder :
       {"C:\\WINDOWS\\Temp", "C:\\DOCUME~1\\User\\LOCALS~1\\Temp\\", kUser.c_str(),
        "\\\\srv\\share\\cache", "C:\\Program Files\\Netscape\\Users\\anna\\Cache\\"}) {
    EXPECT_EQ(guard.Refused(folder), folder == kUser) << folder;
  }
}

// One guard of a cleanup: how a spelling reaches it, and the cleanup that
// follows the survey, giving what the survey counted there.
struct Module {
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  std::unique_ptr<core::Uglobalvars> g;
  void Globals() {
    g = std::make_unique<core::Uglobalvars>(m.Platform(), ws);
    g->FormBaseFolders();
    g->FormDataPaths();
    g->settings.Tempall = true;
  }
};

// For every refused spelling, on a fresh machine: the survey counts
// nothing there, and the cleanup removes and recycles no file of C:\,
// C:\WINDOWS, the profile or Program Files.
void ExpectEverySpellingLeftAlone(
    const std::function<void(sim::Machine&, const std::string&)>& plant,
    const std::function<int64_t(Module&)>& survey_and_clean) {
  const std::vector<std::string> kept{"C:\\boot.ini", "C:\\WINDOWS\\explorer.exe",
                                      kUser + "\\ntuser.dat", "C:\\Program Files\\setup.log"};
  for (const char* spelling : kRefusedSpellings) {
    Module t;
    for (const std::string& file : kept) t.m.Builder().File(file, "keep");
    plant(t.m, spelling);
    t.Globals();
    EXPECT_EQ(survey_and_clean(t), 0) << spelling;
    for (const std::string& file : kept) EXPECT_TRUE(t.m.Exists(file)) << spelling << ": " << file;
    EXPECT_TRUE(t.m.RecycleBin().empty()) << spelling;
  }
}

std::string JsEscaped(const std::string& path) {
  std::string out;
  for (char c : path) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

int64_t NetscapeCache(Module& t) {
  browsers::TFrmnet w(*t.g);
  w.Create();
  const int64_t counted = w.CacheFigures().files;
  w.CleanNetCache();
  return counted;
}

TEST(FolderGuard, NetscapeCacheFolderFromTheRegistry) {
  ExpectEverySpellingLeftAlone(
      [](sim::Machine& m, const std::string& spelling) {
        m.Builder().RegString(sim::HKCU, "Software\\Netscape\\Netscape Navigator\\Cache",
                              "Cache Dir", spelling);
      },
      NetscapeCache);
}

TEST(FolderGuard, NetscapeCacheFolderFromPrefsJs) {
  ExpectEverySpellingLeftAlone(
      [](sim::Machine& m, const std::string& spelling) {
        const std::string profile = "D:\\NS\\anna";
        m.Builder()
            .Drive("D:\\", platform::DriveType::kFixed)
            .RegString(sim::HKLM, "SOFTWARE\\Netscape\\Netscape Navigator\\Users\\anna", "DirRoot",
                       profile)
            .File(profile + "\\prefs.js",
                  "user_pref(\"browser.cache.directory\", \"" + JsEscaped(spelling) + "\");\n");
      },
      NetscapeCache);
}

TEST(FolderGuard, TempFolderWithTheWholeFolderOption) {
  ExpectEverySpellingLeftAlone(
      [](sim::Machine& m, const std::string& spelling) { m.Builder().TempPath(spelling); },
      [](Module& t) {
        desktop::TFrmnon w(*t.g);
        w.Create();
        const int64_t counted = w.Count(desktop::NonCategory::kTemp);
        w.CleanTempFiles();
        return counted;
      });
}

TEST(FolderGuard, ActiveXFolderFromTheRegistry) {
  ExpectEverySpellingLeftAlone(
      [](sim::Machine& m, const std::string& spelling) {
        m.Builder().RegString(sim::HKLM,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                              "ActiveXCache", spelling);
      },
      [](Module& t) {
        desktop::TFrmnon w(*t.g);
        w.Create();
        const int64_t counted = w.Count(desktop::NonCategory::kActiveX);
        w.CleanActiveX();
        return counted;
      });
}

TEST(FolderGuard, InternetExplorerFoldersFromTheRegistry) {
  ExpectEverySpellingLeftAlone(
      [](sim::Machine& m, const std::string& spelling) {
        const std::string shell_folders =
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
        m.Builder()
            .RegString(sim::HKCU, shell_folders, "Cookies", spelling)
            .RegString(sim::HKCU, shell_folders, "Cache", spelling)
            .RegString(sim::HKCU, shell_folders, "History", spelling)
            .RegString(sim::HKLM,
                       "Software\\Microsoft\\Windows\\CurrentVersion\\Internet "
                       "Settings\\Cache\\Paths",
                       "Directory", spelling);
      },
      [](Module& t) {
        browsers::TFrmie w(*t.g);
        w.Create();
        const int64_t counted = w.TotalFigures().files;
        w.CleanIECookies();
        w.CleanIEHistory();
        w.CleanIECache();
        return counted;
      });
}

}  // namespace
}  // namespace sweep
