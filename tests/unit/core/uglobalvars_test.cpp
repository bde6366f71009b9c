#include "core/uglobalvars.h"

#include <gtest/gtest.h>

#include "core_fixture.h"
#include "platform/sim/machine.h"
#include "ui/headless/headless.h"

namespace core {
namespace {

using testing::kAppData;
using testing::kDataDir;
using testing::kProgramDir;
using testing::kScanFile;

constexpr const char* kKey = "Software\\Marrowby\\Settings";

class Globals : public ::testing::Test {
 protected:
  sim::Machine m;
  ui::HeadlessWindowSystem ws;
  Uglobalvars g{m.Platform(), ws};

  sim::MachineBuilder Builder() { return m.Builder(); }
  void FormPaths() {
    g.FormBaseFolders();
    g.FormDataPaths();
  }
};

// ---- Settings ----

TEST_F(Globals, FirstStartWritesEveryDefaultAndRunsWithWhatItStored) {
  g.ReadSettings();

  const std::vector<std::pair<const char*, uint32_t>> flags = {
      {"Confirms", 1},  {"Wipe", 1},    {"Tempall", 0},   {"IECache", 1},   {"IECookies", 1},
      {"IEHistory", 1}, {"NSCache", 1}, {"NSCookies", 1}, {"NSHistory", 1}, {"Otherc", 1},
      {"Tempc", 1},     {"Recentc", 1}, {"Recyclec", 1},  {"Otherj", 1},    {"Mediac", 1},
      {"ActiveX", 1},   {"Urls", 1},    {"YourOwn", 1},   {"VistaMsg", 1},  {"Lockedj", 0}};
  for (const auto& [name, value] : flags) {
    EXPECT_EQ(m.RegDword(sim::HKCU, kKey, name), value) << name;
  }
  EXPECT_EQ(m.RegString(sim::HKCU, kKey, "Skin"), "skinsunset");
  auto key = m.Platform().registry.Open(sim::HKCU, kKey, false, platform::Access::kRead);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->ValueNames().size(), 21u);

  const Settings& s = g.settings;
  EXPECT_EQ(s.Skin, "skinsunset");
  EXPECT_TRUE(s.Confirms);
  // Memory agrees with what was stored, so the first run already wipes.
  EXPECT_TRUE(s.Wipe);
  EXPECT_FALSE(s.Tempall);
  EXPECT_TRUE(s.IECache && s.IECookies && s.IEHistory && s.NSCache && s.NSCookies && s.NSHistory &&
              s.Otherc && s.Tempc && s.Recentc && s.Recyclec && s.Otherj && s.Mediac && s.ActiveX &&
              s.Urls && s.YourOwn);
  EXPECT_TRUE(s.VistaMsg);
  EXPECT_FALSE(s.Lockedj);
}

TEST_F(Globals, StoredValuesAreReadAndAnyNonZeroIntegerIsTrue) {
  Builder()
      .RegDword(sim::HKCU, kKey, "Tempall", 2)
      .RegDword(sim::HKCU, kKey, "Lockedj", 0xFFFFFFFF)
      .RegDword(sim::HKCU, kKey, "Confirms", 0)
      .RegDword(sim::HKCU, kKey, "IECookies", 0)
      .RegString(sim::HKCU, kKey, "Skin", "skinblue");
  g.ReadSettings();
  EXPECT_TRUE(g.settings.Tempall);
  EXPECT_TRUE(g.settings.Lockedj);
  EXPECT_FALSE(g.settings.Confirms);
  EXPECT_FALSE(g.settings.IECookies);
  EXPECT_EQ(g.settings.Skin, "skinblue");
  // Present values are not rewritten.
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "Tempall"), 2u);
}

TEST_F(Globals, AValueOfTheWrongTypeKeepsItsStartValueAndIsLeftAlone) {
  Builder()
      .RegString(sim::HKCU, kKey, "Confirms", "0")
      .RegDword(sim::HKCU, kKey, "Skin", 5)
      .RegBinary(sim::HKCU, kKey, "Lockedj", std::string("\x01\x00\x00\x00", 4))
      .RegRaw(sim::HKCU, kKey, "IECache", 11, std::string(8, '\0'));
  g.ReadSettings();
  EXPECT_TRUE(g.settings.Confirms);
  EXPECT_EQ(g.settings.Skin, "skinsunset");
  EXPECT_FALSE(g.settings.Lockedj);
  EXPECT_TRUE(g.settings.IECache);
  EXPECT_EQ(m.RegString(sim::HKCU, kKey, "Confirms"), "0");
  EXPECT_EQ(m.RegDword(sim::HKCU, kKey, "Skin"), 5u);
  EXPECT_FALSE(m.RegDword(sim::HKCU, kKey, "Lockedj").has_value());
}

TEST_F(Globals, AKeyThatCannotBeOpenedGivesTheStartValuesAndWritesNothing) {
  Builder().RegBlocked(sim::HKCU, kKey);
  g.settings.Confirms = false;
  g.ReadSettings();
  EXPECT_TRUE(g.settings.Confirms);
  EXPECT_FALSE(g.settings.Wipe);
  EXPECT_FALSE(m.KeyExists(sim::HKCU, kKey));
  EXPECT_TRUE(ws.Boxes().empty());
  EXPECT_FALSE(g.WriteSetting("VistaMsg", false, true));
}

TEST_F(Globals, AKeyThatOpensOnlyForReadingStillGivesItsValues) {
  Builder().RegDword(sim::HKCU, kKey, "Confirms", 0).RegReadOnly(sim::HKCU, kKey);
  g.ReadSettings();
  EXPECT_FALSE(g.settings.Confirms);
  // Nothing could be stored for the missing values: start values stay.
  EXPECT_FALSE(g.settings.Wipe);
  EXPECT_FALSE(m.RegDword(sim::HKCU, kKey, "Wipe").has_value());
}

// ---- Paths ----

TEST_F(Globals, PathsAreFormedFromTheSystemAndTheShell) {
  FormPaths();
  EXPECT_EQ(g.WindowsDir, "C:\\WINDOWS");
  EXPECT_EQ(g.ProgramDir, kProgramDir);
  EXPECT_EQ(g.SystemDir, "C:\\WINDOWS\\system32");
  EXPECT_EQ(g.DataDir, kDataDir);
  EXPECT_TRUE(m.Exists(kDataDir));
  EXPECT_EQ(g.ScanResultsFile, kScanFile);
  EXPECT_EQ(g.OwnListFile, kDataDir + "\\vostscanyo.ini");
  EXPECT_EQ(g.SysLogFile, kDataDir + "\\SysLog.txt");
  EXPECT_EQ(g.BatchFile, kDataDir + "\\vostind.bat");
  EXPECT_EQ(g.MyDocuments, "C:\\Documents and Settings\\User\\My Documents");
  EXPECT_EQ(g.MyPictures, "C:\\Documents and Settings\\User\\My Documents\\My Pictures");
  EXPECT_EQ(g.MyVideos, "C:\\Documents and Settings\\User\\My Documents\\My Videos");
  EXPECT_EQ(g.Downloads, "C:\\Documents and Settings\\User\\My Documents\\My Downloads");
  EXPECT_TRUE(ws.Boxes().empty());
}

TEST_F(Globals, DownloadsIsTheSiblingOfVideosAndEmptyWithoutVideos) {
  Builder().SpecialFolder(platform::csidl::kMyVideo, "C:\\Users\\Ann\\Videos");
  FormPaths();
  EXPECT_EQ(g.Downloads, "C:\\Users\\Ann\\Downloads");

  Builder().SpecialFolder(platform::csidl::kMyVideo, "C:\\Users\\Ann\\Vid\xC3\xA9os");
  FormPaths();
  EXPECT_EQ(g.Downloads, "C:\\Users\\Ann\\Downloads");

  Builder().NoSpecialFolder(platform::csidl::kMyVideo);
  FormPaths();
  EXPECT_EQ(g.MyVideos, "");
  EXPECT_EQ(g.Downloads, "");
}

TEST_F(Globals, WithoutTheShellFunctionTheDataFolderLivesInTheProgramFolder) {
  Builder().NoSpecialFolderFunction();
  FormPaths();
  EXPECT_EQ(g.DataDir, "C:\\Program Files\\Vostrel\\Vostreldata");
  EXPECT_TRUE(m.Exists(g.DataDir));
  EXPECT_EQ(g.MyPictures, "");
  EXPECT_EQ(g.MyVideos, "");
  EXPECT_EQ(g.MyDocuments, "");
  EXPECT_EQ(g.Downloads, "");
}

TEST_F(Globals, AFailedApplicationDataLookupAlsoUsesTheProgramFolder) {
  Builder().NoSpecialFolder(platform::csidl::kAppData);
  FormPaths();
  EXPECT_EQ(g.DataDir, "C:\\Program Files\\Vostrel\\Vostreldata");
  EXPECT_EQ(g.MyDocuments, "C:\\Documents and Settings\\User\\My Documents");
}

TEST_F(Globals, ADataFolderThatCannotBeCreatedIsReportedAndTheStartGoesOn) {
  Builder().FailWrites(kAppData);
  FormPaths();
  ASSERT_EQ(ws.Boxes().size(), 1u);
  EXPECT_EQ(ws.Boxes()[0].kind, ui::BoxKind::kWarning);
  EXPECT_EQ(ws.Boxes()[0].text,
            "Could not create a folder. Please right click this software and choose the option "
            "to \"Run as Admin\" (only needs to be done one time), as you currently do not have "
            "authority to create a temp folder.");
  EXPECT_EQ(g.ScanResultsFile, kScanFile);
  EXPECT_EQ(g.ReadWindowWidth("Frminit"), 0);
}

TEST_F(Globals, AnExistingDataFolderIsUsedAsItIs) {
  Builder().File(kDataDir + "\\vostscan6.ini", "[Frminit]\r\nW=640\r\n");
  FormPaths();
  EXPECT_TRUE(ws.Boxes().empty());
  EXPECT_EQ(m.ReadFile(kScanFile), "[Frminit]\r\nW=640\r\n");
}

// The Windows and system directory lookups fail; everything else is the
// simulated machine's.
class NoDirectoriesFileSystem : public platform::FileSystem {
 public:
  explicit NoDirectoriesFileSystem(platform::FileSystem& fs) : fs_(fs) {}
  std::unique_ptr<platform::FindHandle> FindFirst(std::string_view p, uint32_t a,
                                                  platform::Error* e) override {
    return fs_.FindFirst(p, a, e);
  }
  std::optional<uint32_t> GetAttributes(std::string_view p) override {
    return fs_.GetAttributes(p);
  }
  platform::Status SetAttributes(std::string_view p, uint32_t a) override {
    return fs_.SetAttributes(p, a);
  }
  std::optional<uint64_t> GetSize(std::string_view p) override { return fs_.GetSize(p); }
  platform::Status SetLastWriteTime(std::string_view p, platform::FileTime t) override {
    return fs_.SetLastWriteTime(p, t);
  }
  platform::Status DeleteFile(std::string_view p) override { return fs_.DeleteFile(p); }
  platform::Status RemoveFolder(std::string_view p) override { return fs_.RemoveFolder(p); }
  platform::Status MoveFile(std::string_view a, std::string_view b) override {
    return fs_.MoveFile(a, b);
  }
  platform::Status ReplaceFile(std::string_view a, std::string_view b) override {
    return fs_.ReplaceFile(a, b);
  }
  platform::Status CreateFolder(std::string_view p) override { return fs_.CreateFolder(p); }
  std::optional<std::string> ReadBytes(std::string_view p) override { return fs_.ReadBytes(p); }
  std::unique_ptr<platform::FileReader> OpenRead(std::string_view p) override {
    return fs_.OpenRead(p);
  }
  platform::Status CreateHardLink(std::string_view p, std::string_view t) override {
    return fs_.CreateHardLink(p, t);
  }
  platform::Status SetLength(std::string_view p, uint64_t n) override {
    return fs_.SetLength(p, n);
  }
  std::optional<platform::FileIdentity> Identity(std::string_view p) override {
    return fs_.Identity(p);
  }
  platform::Status WriteBytes(std::string_view p, std::string_view b) override {
    return fs_.WriteBytes(p, b);
  }
  platform::Status OverwriteInPlace(std::string_view p, uint8_t f) override {
    return fs_.OverwriteInPlace(p, f);
  }
  std::string ShortPath(std::string_view p) override { return fs_.ShortPath(p); }
  std::optional<std::string> ResolvePath(std::string_view p) override { return fs_.ResolvePath(p); }
  std::string TempPath() override { return fs_.TempPath(); }
  std::string WindowsFolder() override { return ""; }
  std::string SystemFolder() override { return ""; }
  std::string CurrentFolder() override { return fs_.CurrentFolder(); }
  std::vector<platform::DriveInfo> Drives() override { return fs_.Drives(); }

 private:
  platform::FileSystem& fs_;
};

TEST_F(Globals, FailedDirectoryLookupsFallBackWithTheirOwnBackslashRules) {
  NoDirectoriesFileSystem fs(m.Platform().fs);
  platform::Platform& real = m.Platform();
  platform::Platform p{fs, real.registry, real.ini, real.shell, real.processes, real.system};
  Uglobalvars fallback(p, ws);
  EXPECT_EQ(fallback.GetWindowsDir(), "c:\\windows");
  EXPECT_EQ(fallback.GetSystemDir(), "c:\\windows\\system\\");
  fallback.FormBaseFolders();
  fallback.FormDataPaths();
  EXPECT_EQ(fallback.WindowsDir, "c:\\windows");
  EXPECT_EQ(fallback.SystemDir, "c:\\windows\\system\\");
  EXPECT_FALSE(fallback.DataDir.empty());
  EXPECT_NE(fallback.DataDir.front(), '\\');
}

// ---- Window size memory ----

class SizedWindow : public ui::Window {
 public:
  explicit SizedWindow(ui::WindowSystem& ws) : ui::Window(ws, "Frmtest", "Test", 300, 200) {}
};

TEST_F(Globals, AStoredWidthWithoutHeightRestoresOnlyTheWidth) {
  FormPaths();
  Builder().Ini(kScanFile, "Frmtest", "W", "640");
  EXPECT_EQ(g.ReadWindowWidth("Frmtest"), 640);
  EXPECT_EQ(g.ReadWindowHeight("Frmtest"), 0);
  SizedWindow w(ws);
  int designed_height = w.Height();
  g.RememberSize(w);
  EXPECT_EQ(w.Width(), 640);
  EXPECT_EQ(w.Height(), designed_height);
}

TEST_F(Globals, AMissingScanResultsFileReadsAsNoSize) {
  FormPaths();
  EXPECT_FALSE(m.Exists(kScanFile));
  EXPECT_EQ(g.ReadWindowWidth("Frminit"), 0);
  EXPECT_EQ(g.ReadWindowHeight("Frminit"), 0);
}

TEST_F(Globals, ClosingAWindowStoresItsRestoredSizeNotTheMinimisedOne) {
  FormPaths();
  SizedWindow w(ws);
  g.RememberSize(w);
  w.Show();
  w.SizeChangedByUser(520, 410);
  w.SetState(ui::WindowState::kMinimised);
  w.SizeChangedByUser(160, 31);
  ASSERT_TRUE(w.Close());
  EXPECT_EQ(g.ReadWindowWidth("Frmtest"), 520);
  EXPECT_EQ(g.ReadWindowHeight("Frmtest"), 410);
  EXPECT_TRUE(m.Exists(kScanFile));
}

// ---- Result slots, wiping, lists, busy guard ----

TEST_F(Globals, ResultTextsAreCutTo125CharactersWithoutSplittingACharacter) {
  g.SetResult(Slot::kIECache, std::string(200, 'x'));
  EXPECT_EQ(g.Result(Slot::kIECache), std::string(125, 'x'));
  g.SetResult(Slot::kMediaCache, "12 files out of 12 files have been deleted.");
  EXPECT_EQ(g.Result(Slot::kMediaCache), "12 files out of 12 files have been deleted.");
  std::string accented;
  for (int i = 0; i < 130; ++i) accented += "\xC3\xA9";
  g.SetResult(Slot::kGarbage, accented);
  EXPECT_EQ(g.Result(Slot::kGarbage), accented.substr(0, 250));
  EXPECT_EQ(g.Result(Slot::kIECookies), "");
}

TEST_F(Globals, WipingOverwritesTheWholeFileInPlace) {
  Builder().File("C:\\Cache\\a.htm", "secret page");
  g.WipeFile("C:\\Cache\\a.htm");
  EXPECT_EQ(m.ReadFile("C:\\Cache\\a.htm"), std::string(11, '\xFF'));
}

TEST_F(Globals, WipingAFileInUseOrMissingChangesNothingAndSaysNothing) {
  Builder().File("C:\\Cache\\index.dat", "in use").Locked();
  Builder().File("C:\\Cache\\ro.txt", "kept").ReadOnly();
  g.WipeFile("C:\\Cache\\index.dat");
  g.WipeFile("C:\\Cache\\ro.txt");
  g.WipeFile("C:\\Cache\\gone.txt");
  EXPECT_EQ(m.ReadFile("C:\\Cache\\index.dat"), "in use");
  EXPECT_EQ(m.ReadFile("C:\\Cache\\ro.txt"), "kept");
  EXPECT_FALSE(m.Exists("C:\\Cache\\gone.txt"));
  EXPECT_TRUE(ws.Boxes().empty());
}

TEST(FixedList, EntriesAreNumberedFromOneAndTheFirstEmptyOneEndsTheList) {
  FixedList<4> list;
  EXPECT_TRUE(list.IsEmpty());
  list.Set(1, "a");
  list.Set(2, "b");
  list.Set(4, "d");
  EXPECT_EQ(list[1], "a");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(list.Contains("d"));
  list.Set(0, "x");
  list.Set(5, "x");
  EXPECT_EQ(list[0], "");
  EXPECT_EQ(list[5], "");
}

TEST(FixedList, AFullListSilentlyDropsNewTexts) {
  FixedList<3> list;
  EXPECT_TRUE(list.Add("a"));
  EXPECT_TRUE(list.Add("b"));
  EXPECT_TRUE(list.Add("c"));
  EXPECT_FALSE(list.Add("d"));
  EXPECT_FALSE(list.Add(""));
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(FixedList, AddUniqueStopsAtAnEqualEntry) {
  FixedList<5> list;
  EXPECT_TRUE(list.AddUnique("Del C:\\A"));
  EXPECT_FALSE(list.AddUnique("Del C:\\A"));
  EXPECT_TRUE(list.AddUnique("del c:\\a"));
  EXPECT_EQ(list.Count(), 2);
  auto no_case = [](const std::string& e) { return e == "Del C:\\A" || e == "del c:\\a"; };
  EXPECT_FALSE(list.AddUnique("DEL C:\\A", no_case));
  EXPECT_EQ(list.Count(), 2);
  list.Clear();
  EXPECT_TRUE(list.IsEmpty());
}

TEST_F(Globals, ADeferredCloseRunsWhenTheOutermostBusyOperationEnds) {
  int closes = 0;
  {
    Uglobalvars::BusyScope outer(g);
    {
      Uglobalvars::BusyScope inner(g);
      g.DeferClose([&] { ++closes; });
    }
    EXPECT_TRUE(g.Busy());
    EXPECT_EQ(closes, 0);
  }
  EXPECT_FALSE(g.Busy());
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(g.ClosePending());
}

}  // namespace
}  // namespace core
