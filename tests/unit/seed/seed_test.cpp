#include "tools/seed/seed.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/machine.h"

namespace seed {
namespace {

using platform::csidl::kAppData;
using platform::csidl::kCookies;
using platform::csidl::kHistory;
using platform::csidl::kInternetCache;
using platform::csidl::kLocalAppData;
using platform::csidl::kMyPictures;
using platform::csidl::kPersonal;
using platform::csidl::kProfile;
using platform::csidl::kRecent;
using platform::csidl::kStartup;

constexpr char kXpProfile[] = "C:\\Documents and Settings\\User";
constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::string Xp(std::string_view relative) {
  return std::string(kXpProfile) + "\\" + std::string(relative);
}

// The folders Wine 8 reports for a user named "root".
void WineLayout(sim::Machine& m) {
  const std::string home = "C:\\users\\root";
  m.Builder()
      .SpecialFolder(kProfile, home)
      .SpecialFolder(kAppData, home + "\\AppData\\Roaming")
      .SpecialFolder(kLocalAppData, home + "\\AppData\\Local")
      .SpecialFolder(kInternetCache, home + "\\AppData\\Local\\Microsoft\\Windows\\INetCache")
      .SpecialFolder(kCookies, home + "\\AppData\\Local\\Microsoft\\Windows\\INetCookies")
      .SpecialFolder(kHistory, home + "\\AppData\\Local\\Microsoft\\Windows\\History")
      .SpecialFolder(kRecent, home + "\\AppData\\Roaming\\Microsoft\\Windows\\Recent")
      .SpecialFolder(kStartup,
                     home + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp")
      .SpecialFolder(kPersonal, home + "\\Documents")
      .SpecialFolder(kMyPictures, home + "\\Pictures")
      .TempPath(home + "\\Temp\\");
}

TEST(SeedDirtyProfile, FillsTheFoldersTheSystemReports) {
  sim::Machine m;
  const SeedReport report = SeedDirtyProfile(m.Platform(), {});
  EXPECT_TRUE(report.Ok()) << report.problems.front();
  EXPECT_EQ(report.skipped, 0);

  auto cookie = m.ReadFile(Xp("Cookies\\user@search[1].txt"));
  ASSERT_TRUE(cookie);
  EXPECT_NE(cookie->find("\nsearch.example/\n"), std::string::npos);
  EXPECT_EQ(cookie->back(), '\n');

  auto gif = m.ReadFile(
      Xp("Local Settings\\Temporary Internet Files\\Content.IE5\\0B7Q9XZ3\\logo[1].gif"));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->size(), 3412u);
  EXPECT_EQ(gif->substr(0, 6), "GIF89a");

  // The history survey takes History.IE5 only when it is exactly a system
  // folder, and its period folders by their MSHIST names.
  EXPECT_EQ(m.Attributes(Xp("Local Settings\\History\\History.IE5")),
            platform::kAttrDirectory | platform::kAttrSystem);
  EXPECT_TRUE(
      m.Exists(Xp("Local Settings\\History\\History.IE5\\MSHIST012007061520070616\\index.dat")));

  EXPECT_TRUE(m.Exists(
      Xp("Application Data\\Mozilla\\Firefox\\Profiles\\x8k2m4q1.default\\cookies.sqlite")));
  EXPECT_TRUE(
      m.Exists(Xp("Local Settings\\Application "
                  "Data\\Mozilla\\Firefox\\Profiles\\x8k2m4q1.default\\Cache\\1F\\7788AA99d01")));
  // prefs.js stores paths with doubled backslashes.
  auto prefs =
      m.ReadText(Xp("Application Data\\Mozilla\\Profiles\\default\\k3j2x8a1.slt\\prefs.js"));
  ASSERT_TRUE(prefs);
  EXPECT_NE(prefs->find("\"C:\\\\Documents and Settings\\\\User\\\\Application Data\\\\Mozilla\\\\"
                        "Profiles\\\\default\\\\k3j2x8a1.slt\\\\Cache\");\r\n"),
            std::string::npos);

  EXPECT_EQ(m.ReadFile(Xp("Local Settings\\Temp\\~DF3A21.tmp"))->size(), 16384u);
  EXPECT_TRUE(
      m.Exists(Xp("Local Settings\\Temp\\{5A1C3E2B-77D0-4F1A-9C2E-0B8D6F4A1E37}.tmp\\data1.cab")));
  EXPECT_TRUE(m.Exists("C:\\WINDOWS\\Minidump\\Mini061507-01.dmp"));
  EXPECT_TRUE(m.Exists("C:\\FILE0000.CHK"));
  EXPECT_TRUE(m.Exists(Xp("Recent\\resume.doc.lnk")));
  EXPECT_TRUE(m.Exists(Xp("Start Menu\\Programs\\Startup\\Notes Reminder.lnk")));
  EXPECT_TRUE(m.Exists("C:\\WINDOWS\\Downloaded Program Files\\pixupload.ocx"));

  EXPECT_EQ(m.RegString(sim::HKCU, "Software\\Microsoft\\Internet Explorer\\TypedURLs", "url1"),
            "http://www.search.example/");
  EXPECT_EQ(
      m.RegString(sim::HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "SyncHelper"),
      "\"C:\\Program Files\\SyncHelper\\synchelper.exe\" /background");
  EXPECT_EQ(m.RegString(sim::HKCU,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\"
                        "OpenSaveMRU\\doc",
                        "a"),
            Xp("My Documents\\resume.doc"));
  // Value names name places too (QuickTime keeps its movies as names).
  EXPECT_EQ(m.RegString(sim::HKLM, "Software\\Apple Computer, Inc.\\QuickTime\\Recent Movies",
                        Xp("My Documents\\Downloads\\trailer.mov")),
            "");
  EXPECT_EQ(
      m.RegString(sim::HKLM, "SOFTWARE\\Netscape\\Netscape Navigator\\Users\\user", "DirRoot"),
      "C:\\Program Files\\Netscape\\Users\\user");

  EXPECT_EQ(report.recycled, 3);
  EXPECT_EQ(m.RecycleBin().size(), 3u);
  // The XP layout already has Temporary Internet Files: nothing redirected.
  EXPECT_EQ(m.RegString(sim::HKCU, kShellFolders, "Cache"),
            Xp("Local Settings\\Temporary Internet Files"));
}

TEST(SeedDirtyProfile, SecondRunChangesNothingAndARepeatRestoresWhatWasCleaned) {
  sim::Machine m;
  const SeedReport first = SeedDirtyProfile(m.Platform(), {});
  ASSERT_TRUE(first.Ok());
  const auto files = m.Files();

  const SeedReport second = SeedDirtyProfile(m.Platform(), {});
  EXPECT_TRUE(second.Ok());
  EXPECT_EQ(second.written, 0);
  EXPECT_EQ(second.recycled, 0);
  EXPECT_GT(second.unchanged, 100);
  EXPECT_EQ(m.Files(), files);
  EXPECT_EQ(m.RecycleBin().size(), 3u);

  // A cleanup removes a cookie, a typed URL and the attributes of a folder.
  auto& p = m.Platform();
  ASSERT_TRUE(p.fs.DeleteFile(Xp("Cookies\\user@news[1].txt")));
  ASSERT_TRUE(p.fs.WriteBytes(Xp("Local Settings\\Temp\\~DFB7C4.tmp"), "x"));
  p.registry
      .Open(sim::HKCU, "Software\\Microsoft\\Internet Explorer\\TypedURLs", false,
            platform::Access::kFull)
      ->DeleteValue("url3");
  ASSERT_TRUE(
      p.fs.SetAttributes(Xp("Local Settings\\History\\History.IE5"), platform::kAttrNormal));

  const SeedReport third = SeedDirtyProfile(m.Platform(), {});
  EXPECT_TRUE(third.Ok());
  EXPECT_EQ(third.written, 4);
  EXPECT_EQ(m.Files(), files);
  EXPECT_EQ(m.ReadFile(Xp("Local Settings\\Temp\\~DFB7C4.tmp"))->size(), 32768u);
  EXPECT_EQ(m.RegString(sim::HKCU, "Software\\Microsoft\\Internet Explorer\\TypedURLs", "url3"),
            "http://www.auction.example/item/4471");
  EXPECT_EQ(m.Attributes(Xp("Local Settings\\History\\History.IE5")),
            platform::kAttrDirectory | platform::kAttrSystem);
}

TEST(SeedDirtyProfile, WineLayoutGetsAnIe5CacheFolderAndTheUsersName) {
  sim::Machine m;
  WineLayout(m);
  const SeedReport report = SeedDirtyProfile(m.Platform(), {});
  EXPECT_TRUE(report.Ok()) << report.problems.front();

  const std::string tif =
      "C:\\users\\root\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files";
  EXPECT_TRUE(m.Exists(tif + "\\Content.IE5\\4HJK2LMN\\banner_728x90[1].jpg"));
  EXPECT_FALSE(
      m.Exists("C:\\users\\root\\AppData\\Local\\Microsoft\\Windows\\INetCache\\Content.IE5"));
  EXPECT_EQ(m.RegString(sim::HKCU, kShellFolders, "Cache"), tif);
  EXPECT_EQ(m.RegString(sim::HKCU, kUserShellFolders, "Cache"), tif);
  EXPECT_TRUE(m.Exists(
      "C:\\users\\root\\AppData\\Local\\Microsoft\\Windows\\INetCookies\\root@search[1].txt"));
  EXPECT_TRUE(m.Exists("C:\\users\\root\\Temp\\~DF3A21.tmp"));
  EXPECT_TRUE(m.Exists("C:\\users\\root\\AppData\\Roaming\\Mozilla\\Firefox\\profiles.ini"));

  // The shell keeps reporting INetCache here, yet a second run agrees with
  // the first.
  EXPECT_EQ(SeedDirtyProfile(m.Platform(), {}).written, 0);
}

TEST(SeedDirtyProfile, KeepsTheReportedCacheFolderWhenAskedTo) {
  sim::Machine m;
  WineLayout(m);
  SeedOptions options;
  options.ie5_cache_layout = false;
  options.user_name = "Demo";
  ASSERT_TRUE(SeedDirtyProfile(m.Platform(), options).Ok());
  const std::string cache = "C:\\users\\root\\AppData\\Local\\Microsoft\\Windows\\INetCache";
  EXPECT_TRUE(m.Exists(cache + "\\Content.IE5\\index.dat"));
  EXPECT_EQ(m.RegString(sim::HKCU, kUserShellFolders, "Cache"), cache);
  EXPECT_TRUE(m.Exists(
      "C:\\users\\root\\AppData\\Local\\Microsoft\\Windows\\INetCookies\\demo@search[1].txt"));
}

TEST(SeedDirtyProfile, AFolderTheSystemDoesNotReportSkipsOnlyItsEntries) {
  sim::Machine m;
  m.Builder().NoSpecialFolder(kCookies);
  const SeedReport report = SeedDirtyProfile(m.Platform(), {});
  EXPECT_TRUE(report.Ok());
  EXPECT_EQ(report.skipped, 11);  // the cookie index and ten cookies
  EXPECT_FALSE(m.Exists(Xp("Cookies\\user@search[1].txt")));
  EXPECT_TRUE(m.Exists(Xp("Local Settings\\Temp\\~DF3A21.tmp")));
}

TEST(SeedDirtyProfile, WriteFailuresAreReportedAndTheRestIsStillSeeded) {
  sim::Machine m;
  m.Builder()
      .FailWrites(Xp("Local Settings\\Temp"))
      .File(Xp("Cookies\\user@news[1].txt"), "old")
      .Locked()
      .RegBlocked(sim::HKCU, "Software\\Microsoft\\Internet Explorer\\TypedURLs");
  const SeedReport report = SeedDirtyProfile(m.Platform(), {});
  EXPECT_FALSE(report.Ok());
  bool temp_reported = false, locked_reported = false, key_reported = false;
  for (const std::string& problem : report.problems) {
    temp_reported |= problem.find("~DF3A21.tmp") != std::string::npos;
    locked_reported |= problem.find("user@news[1].txt: in use") != std::string::npos;
    key_reported |= problem.find("TypedURLs [url1]: key refused") != std::string::npos;
  }
  EXPECT_TRUE(temp_reported);
  EXPECT_TRUE(locked_reported);
  EXPECT_TRUE(key_reported);
  EXPECT_EQ(m.ReadFile(Xp("Cookies\\user@news[1].txt")), "old");
  EXPECT_TRUE(m.Exists(Xp("Cookies\\user@search[1].txt")));
  EXPECT_TRUE(m.Exists("C:\\WINDOWS\\Minidump\\Mini061507-01.dmp"));
}

TEST(SeedDirtyProfile, UsesAnActiveXFolderAlreadySetAndLeavesItsValue) {
  sim::Machine m;
  const char kSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
  m.Builder().RegExpand(sim::HKLM, kSettings, "ActiveXCache", "%SystemRoot%\\Controls");
  ASSERT_TRUE(SeedDirtyProfile(m.Platform(), {}).Ok());
  EXPECT_TRUE(m.Exists("C:\\WINDOWS\\Controls\\pixupload.ocx"));
  EXPECT_EQ(m.RegString(sim::HKLM, kSettings, "ActiveXCache"), "%SystemRoot%\\Controls");
}

TEST(SeedDirtyProfile, ARecycleBinWithItemsIsLeftAlone) {
  sim::Machine m;
  m.Builder().Recycled("C:\\old.txt", 10);
  SeedReport report = SeedDirtyProfile(m.Platform(), {});
  EXPECT_EQ(report.recycled, 0);
  EXPECT_EQ(m.RecycleBin().size(), 1u);
  EXPECT_FALSE(m.Exists(Xp("My Documents\\draft 2.doc")));

  sim::Machine failing;
  failing.Builder().RecycleResult(5);
  report = SeedDirtyProfile(failing.Platform(), {});
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_NE(report.problems[0].find("shell result 5"), std::string::npos);
}

}  // namespace
}  // namespace seed
