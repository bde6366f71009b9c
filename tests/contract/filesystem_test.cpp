// What the file system operations do, on every backend.
#include <gmock/gmock.h>

#include <algorithm>
#include <iterator>

#include "platform/text.h"
#include "tests/contract/contract.h"

namespace contract {
namespace {

using platform::Error;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

class FileSystemContract : public ContractTest {};

// --- Wildcards -------------------------------------------------------------

TEST_F(FileSystemContract, StarDotStarMatchesNamesWithAndWithoutExtension) {
  Make("a.tmp");
  Make("noext");
  Make("b.c.d");
  EXPECT_EQ(List("*.*", 0), (Names{"a.tmp", "b.c.d", "noext"}));
  EXPECT_EQ(List("*", 0), (Names{"a.tmp", "b.c.d", "noext"}));
}

TEST_F(FileSystemContract, ExtensionPatternMatchesThatExtensionByLongName) {
  Make("a.tmp");
  Make("a.tmpl");
  Make("b.TMP");
  Make("tmp");
  Names got = List("*.tmp", 0);
  EXPECT_THAT(got, Contains("a.tmp"));
  EXPECT_THAT(got, Contains("b.TMP"));
  EXPECT_THAT(got, Not(Contains("tmp")));
  // FindFirstFile alone would also list "a.tmpl" through its 8.3 name
  // ("A~1.TMP"); the backend lists only what the long name matches, so a
  // cleanup by pattern deletes nothing more.
  EXPECT_THAT(got, Not(Contains("a.tmpl")));
}

TEST_F(FileSystemContract, QuestionMarkMatchesExactlyOneCharacter) {
  Make("abc.txt");
  Make("ac.txt");
  Make("abbc.txt");
  Make("aXc.txt");
  EXPECT_EQ(List("a?c.txt", 0), (Names{"aXc.txt", "abc.txt"}));
}

TEST_F(FileSystemContract, PatternWithoutWildcardsFindsTheOneNameCaseInsensitively) {
  Make("Readme.Txt");
  EXPECT_EQ(List("README.TXT", 0), (Names{"Readme.Txt"}));
}

TEST_F(FileSystemContract, NoMatchAndMissingFolderFailWithTheirReasons) {
  Make("a.tmp");
  Error e = Error::kNone;
  EXPECT_EQ(Fs().FindFirst(At("*.none"), platform::kFindAnyFile, &e), nullptr);
  EXPECT_EQ(e, Error::kNotFound);
  EXPECT_EQ(Fs().FindFirst(At("missing\\*.*"), platform::kFindAnyFile, &e), nullptr);
  EXPECT_EQ(e, Error::kPathNotFound);
}

// --- Names -----------------------------------------------------------------

TEST_F(FileSystemContract, NamesCompareCaseInsensitivelyAndKeepTheirCase) {
  Make("MixedCase.TXT", "abc");
  EXPECT_TRUE(Fs().Exists(At("mixedcase.txt")));
  EXPECT_EQ(Fs().ReadBytes(At("MIXEDCASE.txt")), "abc");
  EXPECT_TRUE(Fs().WriteBytes(At("mixedCASE.txt"), "new"));
  EXPECT_EQ(List("*", 0), (Names{"MixedCase.TXT"}));
  EXPECT_EQ(Fs().ReadBytes(At("MixedCase.TXT")), "new");
}

TEST_F(FileSystemContract, NonAsciiNamesRoundTripAndCompareCaseInsensitively) {
  for (const char* name : {"café.txt", "файл.txt", "文件.txt"}) {
    SCOPED_TRACE(name);
    Make(name, name);
    EXPECT_EQ(Fs().ReadBytes(At(name)), name);
    EXPECT_THAT(List("*.txt", 0), Contains(name));
  }
  EXPECT_TRUE(Fs().Exists(At("CAFÉ.TXT")));
  EXPECT_TRUE(Fs().Exists(At("ФАЙЛ.TXT")));
  for (const char* name : {"café.txt", "файл.txt", "文件.txt"}) {
    EXPECT_TRUE(Fs().DeleteFile(At(name))) << name;
  }
  EXPECT_THAT(List("*", 0), IsEmpty());
}

// --- Attributes and the find filter ------------------------------------------

TEST_F(FileSystemContract, NewFileHasArchiveAndNewFolderHasDirectory) {
  Make("f.txt");
  ASSERT_TRUE(Fs().CreateFolder(At("sub")));
  EXPECT_EQ(Fs().GetAttributes(At("f.txt")), platform::kAttrArchive);
  EXPECT_EQ(Fs().GetAttributes(At("sub")), platform::kAttrDirectory);
  EXPECT_TRUE(Fs().IsFolder(At("sub")));
  EXPECT_FALSE(Fs().IsFolder(At("f.txt")));
  EXPECT_EQ(Fs().GetAttributes(At("missing")), std::nullopt);
}

TEST_F(FileSystemContract, AttributesRoundTripAndClear) {
  Make("f.txt");
  using platform::kAttrHidden, platform::kAttrReadOnly, platform::kAttrSystem;
  for (uint32_t a :
       std::vector<uint32_t>{kAttrHidden, kAttrSystem, kAttrReadOnly, kAttrHidden | kAttrSystem}) {
    ASSERT_TRUE(Fs().SetAttributes(At("f.txt"), a));
    auto got = Fs().GetAttributes(At("f.txt"));
    ASSERT_TRUE(got);
    EXPECT_EQ(*got & (kAttrHidden | kAttrSystem | kAttrReadOnly), a);
  }
  // "Normal" clears them (Windows then reads 0x80, Wine 0x20).
  ASSERT_TRUE(Fs().SetAttributes(At("f.txt"), platform::kAttrNormal));
  EXPECT_EQ(*Fs().GetAttributes(At("f.txt")) & (kAttrHidden | kAttrSystem | kAttrReadOnly), 0u);
}

TEST_F(FileSystemContract, FindListsHiddenSystemAndFoldersOnlyWhenAllowed) {
  Make("plain.txt");
  Make("hidden.txt");
  Make("system.txt");
  Make("ro.txt");
  ASSERT_TRUE(Fs().SetAttributes(At("hidden.txt"), platform::kAttrHidden));
  ASSERT_TRUE(Fs().SetAttributes(At("system.txt"), platform::kAttrSystem));
  ASSERT_TRUE(Fs().SetAttributes(At("ro.txt"), platform::kAttrReadOnly));
  ASSERT_TRUE(Fs().CreateFolder(At("sub")));

  EXPECT_EQ(List("*", 0), (Names{"plain.txt", "ro.txt"}));
  EXPECT_EQ(List("*", platform::kAttrHidden), (Names{"hidden.txt", "plain.txt", "ro.txt"}));
  EXPECT_EQ(List("*", platform::kAttrSystem), (Names{"plain.txt", "ro.txt", "system.txt"}));
  EXPECT_EQ(List("*", platform::kAttrDirectory), (Names{".", "..", "plain.txt", "ro.txt", "sub"}));
  EXPECT_EQ(List("*", platform::kFindAnyFile),
            (Names{".", "..", "hidden.txt", "plain.txt", "ro.txt", "sub", "system.txt"}));
  // A hidden folder needs both bits.
  ASSERT_TRUE(Fs().SetAttributes(At("sub"), platform::kAttrHidden));
  EXPECT_THAT(List("*", platform::kAttrDirectory), Not(Contains("sub")));
  EXPECT_THAT(List("*", platform::kAttrDirectory | platform::kAttrHidden), Contains("sub"));
}

TEST_F(FileSystemContract, DotEntriesComeWithFolderPatternsAsDirectories) {
  Make("a.txt");
  auto entries = Entries("*", platform::kFindAnyFile);
  int dots = 0;
  for (const auto& d : entries) {
    if (d.name != "." && d.name != "..") continue;
    ++dots;
    EXPECT_TRUE(d.attributes & platform::kAttrDirectory) << d.name;
  }
  EXPECT_EQ(dots, 2);
  EXPECT_THAT(List("*.txt", platform::kFindAnyFile), (Names{"a.txt"}));
}

TEST_F(FileSystemContract, FindDataCarriesSizeAndTimes) {
  Make("f.bin", std::string(1000, 'z'));
  const platform::FileTime t = 132000000000000000ull;  // 2019-04-14, whole seconds
  ASSERT_TRUE(Fs().SetLastWriteTime(At("f.bin"), t));
  auto entries = Entries("f.bin");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].size, 1000u);
  EXPECT_EQ(entries[0].last_write_time, t);
  EXPECT_EQ(Fs().GetSize(At("f.bin")), 1000u);
  ASSERT_TRUE(Fs().CreateFolder(At("sub")));
  EXPECT_EQ(Fs().GetSize(At("sub")), std::nullopt);
  EXPECT_EQ(Fs().GetSize(At("missing")), std::nullopt);
}

// --- Deleting ----------------------------------------------------------------

TEST_F(FileSystemContract, DeleteRefusesReadOnlyFilesUntilTheBitIsCleared) {
  Make("ro.txt");
  ASSERT_TRUE(Fs().SetAttributes(At("ro.txt"), platform::kAttrReadOnly));
  EXPECT_EQ(Fs().DeleteFile(At("ro.txt")).error, Error::kAccessDenied);
  EXPECT_TRUE(Fs().Exists(At("ro.txt")));
  ASSERT_TRUE(Fs().SetAttributes(At("ro.txt"), platform::kAttrNormal));
  EXPECT_TRUE(Fs().DeleteFile(At("ro.txt")));
  EXPECT_FALSE(Fs().Exists(At("ro.txt")));
}

TEST_F(FileSystemContract, HiddenAndSystemFilesDeleteNormally) {
  Make("hs.txt");
  ASSERT_TRUE(Fs().SetAttributes(At("hs.txt"), platform::kAttrHidden | platform::kAttrSystem));
  EXPECT_TRUE(Fs().DeleteFile(At("hs.txt")));
}

TEST_F(FileSystemContract, LockedFileListsButCannotBeDeletedReadWrittenOrMoved) {
  Make("locked.dat", "keep");
  Backend().LockFile(At("locked.dat"));
  EXPECT_EQ(Fs().DeleteFile(At("locked.dat")).error, Error::kSharingViolation);
  EXPECT_EQ(Fs().ReadBytes(At("locked.dat")), std::nullopt);
  EXPECT_EQ(Fs().WriteBytes(At("locked.dat"), "new").error, Error::kSharingViolation);
  EXPECT_EQ(Fs().OverwriteInPlace(At("locked.dat"), 0).error, Error::kSharingViolation);
  EXPECT_FALSE(Fs().MoveFile(At("locked.dat"), At("moved.dat")));
  EXPECT_TRUE(Fs().Exists(At("locked.dat")));
  EXPECT_EQ(List("*", 0), (Names{"locked.dat"}));
  Backend().UnlockAll();
  EXPECT_EQ(Fs().ReadBytes(At("locked.dat")), "keep");
  EXPECT_TRUE(Fs().DeleteFile(At("locked.dat")));
}

TEST_F(FileSystemContract, DeleteFileFailsOnFoldersAndMissingFiles) {
  ASSERT_TRUE(Fs().CreateFolder(At("sub")));
  EXPECT_FALSE(Fs().DeleteFile(At("sub")));
  EXPECT_TRUE(Fs().IsFolder(At("sub")));
  EXPECT_EQ(Fs().DeleteFile(At("missing.txt")).error, Error::kNotFound);
  EXPECT_EQ(Fs().DeleteFile(At("nodir\\missing.txt")).error, Error::kPathNotFound);
}

TEST_F(FileSystemContract, DeleteFileNeverExpandsWildcards) {
  Make("a.tmp");
  Make("b.tmp");
  EXPECT_FALSE(Fs().DeleteFile(At("*.tmp")));
  EXPECT_FALSE(Fs().DeleteFile(At("?.tmp")));
  EXPECT_EQ(List("*.tmp", 0), (Names{"a.tmp", "b.tmp"}));
  EXPECT_EQ(Fs().GetAttributes(At("*.tmp")), std::nullopt);
}

TEST_F(FileSystemContract, RemoveFolderOnlyWhenEmpty) {
  ASSERT_TRUE(Fs().CreateFolder(At("sub")));
  Make("sub\\f.txt");
  EXPECT_EQ(Fs().RemoveFolder(At("sub")).error, Error::kNotEmpty);
  ASSERT_TRUE(Fs().DeleteFile(At("sub\\f.txt")));
  EXPECT_TRUE(Fs().RemoveFolder(At("sub")));
  EXPECT_FALSE(Fs().Exists(At("sub")));
  EXPECT_FALSE(Fs().RemoveFolder(At("sub")));
}

TEST_F(FileSystemContract, RemoveFolderFailsOnAFile) {
  Make("f.txt");
  EXPECT_FALSE(Fs().RemoveFolder(At("f.txt")));
  EXPECT_TRUE(Fs().Exists(At("f.txt")));
}

// --- Moving and replacing ------------------------------------------------------

TEST_F(FileSystemContract, MoveRenamesAndFailsWhenTheTargetExists) {
  Make("a.txt", "A");
  Make("b.txt", "B");
  EXPECT_EQ(Fs().MoveFile(At("a.txt"), At("b.txt")).error, Error::kAlreadyExists);
  EXPECT_EQ(Fs().ReadBytes(At("b.txt")), "B");
  EXPECT_TRUE(Fs().MoveFile(At("a.txt"), At("c.txt")));
  EXPECT_FALSE(Fs().Exists(At("a.txt")));
  EXPECT_EQ(Fs().ReadBytes(At("c.txt")), "A");
}

// Windows then lists the new spelling; Wine keeps the old one.
TEST_F(FileSystemContract, MoveToTheSameNameInOtherCaseSucceeds) {
  Make("lower.txt", "L");
  EXPECT_TRUE(Fs().MoveFile(At("lower.txt"), At("LOWER.TXT")));
  Names names = List("*", 0);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_TRUE(text::EqualsNoCase(names[0], "lower.txt")) << names[0];
  EXPECT_EQ(Fs().ReadBytes(At("Lower.Txt")), "L");
}

TEST_F(FileSystemContract, MoveCarriesAFolderWithItsContents) {
  ASSERT_TRUE(Fs().CreateFolder(At("from")));
  Make("from\\f.txt", "F");
  ASSERT_TRUE(Fs().CreateFolder(At("into")));
  EXPECT_TRUE(Fs().MoveFile(At("from"), At("into\\to")));
  EXPECT_EQ(Fs().ReadBytes(At("into\\to\\f.txt")), "F");
  EXPECT_FALSE(Fs().Exists(At("from")));
  EXPECT_EQ(Fs().MoveFile(At("missing"), At("x")).error, Error::kNotFound);
  EXPECT_EQ(Fs().MoveFile(At("into\\to"), At("nodir\\to")).error, Error::kPathNotFound);
}

TEST_F(FileSystemContract, ReplaceOverwritesTheTargetButNotAReadOnlyOne) {
  Make("new.txt", "NEW");
  Make("old.txt", "OLD");
  EXPECT_TRUE(Fs().ReplaceFile(At("new.txt"), At("old.txt")));
  EXPECT_EQ(Fs().ReadBytes(At("old.txt")), "NEW");
  EXPECT_FALSE(Fs().Exists(At("new.txt")));

  Make("next.txt", "NEXT");
  ASSERT_TRUE(Fs().SetAttributes(At("old.txt"), platform::kAttrReadOnly));
  EXPECT_EQ(Fs().ReplaceFile(At("next.txt"), At("old.txt")).error, Error::kAccessDenied);
  EXPECT_EQ(Fs().ReadBytes(At("old.txt")), "NEW");
  EXPECT_TRUE(Fs().Exists(At("next.txt")));
  // With no target it is a plain move.
  EXPECT_TRUE(Fs().ReplaceFile(At("next.txt"), At("fresh.txt")));
  EXPECT_EQ(Fs().ReadBytes(At("fresh.txt")), "NEXT");
}

// --- Folders -------------------------------------------------------------------

TEST_F(FileSystemContract, CreateFolderMakesOneLevel) {
  EXPECT_EQ(Fs().CreateFolder(At("a\\b")).error, Error::kPathNotFound);
  EXPECT_FALSE(Fs().Exists(At("a")));
  EXPECT_TRUE(Fs().CreateFolder(At("a")));
  EXPECT_TRUE(Fs().CreateFolder(At("a\\b")));
  EXPECT_EQ(Fs().CreateFolder(At("a\\b")).error, Error::kAlreadyExists);
  Make("file");
  EXPECT_EQ(Fs().CreateFolder(At("file")).error, Error::kAlreadyExists);
}

// --- Contents ------------------------------------------------------------------

TEST_F(FileSystemContract, BytesRoundTripIncludingNulsAndEmptyFiles) {
  std::string bytes("a\0b\r\n\xff\x80", 7);
  ASSERT_TRUE(Fs().WriteBytes(At("bin"), bytes));
  EXPECT_EQ(Fs().ReadBytes(At("bin")), bytes);
  ASSERT_TRUE(Fs().WriteBytes(At("bin"), ""));
  EXPECT_EQ(Fs().ReadBytes(At("bin")), "");
  EXPECT_EQ(Fs().GetSize(At("bin")), 0u);
  EXPECT_EQ(Fs().ReadBytes(At("missing")), std::nullopt);
  EXPECT_EQ(Fs().WriteBytes(At("nodir\\f"), "x").error, Error::kPathNotFound);
}

TEST_F(FileSystemContract, WriteKeepsHiddenAndRefusesReadOnly) {
  Make("h.txt", "old");
  ASSERT_TRUE(Fs().SetAttributes(At("h.txt"), platform::kAttrHidden));
  EXPECT_TRUE(Fs().WriteBytes(At("h.txt"), "new"));
  EXPECT_EQ(Fs().ReadBytes(At("h.txt")), "new");
  EXPECT_TRUE(*Fs().GetAttributes(At("h.txt")) & platform::kAttrHidden);

  ASSERT_TRUE(Fs().SetAttributes(At("h.txt"), platform::kAttrReadOnly));
  EXPECT_EQ(Fs().WriteBytes(At("h.txt"), "newer").error, Error::kAccessDenied);
  EXPECT_EQ(Fs().OverwriteInPlace(At("h.txt"), 0).error, Error::kAccessDenied);
  EXPECT_EQ(Fs().ReadBytes(At("h.txt")), "new");
  ASSERT_TRUE(Fs().CreateFolder(At("sub")));
  EXPECT_FALSE(Fs().WriteBytes(At("sub"), "x"));
}

TEST_F(FileSystemContract, LinesAreWrittenWithCrLfAndReadWithAnyEnding) {
  ASSERT_TRUE(Fs().WriteLines(At("l.txt"), {"one", "", "three"}));
  EXPECT_EQ(Fs().ReadBytes(At("l.txt")), "one\r\n\r\nthree\r\n");
  ASSERT_TRUE(Fs().WriteBytes(At("m.txt"), "a\nb\r\nc\rd"));
  EXPECT_EQ(Fs().ReadLines(At("m.txt")), (Names{"a", "b", "c", "d"}));
  EXPECT_EQ(Fs().ReadLines(At("missing")), std::nullopt);
}

TEST_F(FileSystemContract, OverwriteInPlaceKeepsTheLength) {
  Make("secret.txt", "password123");
  ASSERT_TRUE(Fs().OverwriteInPlace(At("secret.txt"), 0));
  EXPECT_EQ(Fs().ReadBytes(At("secret.txt")), std::string(11, '\0'));
  ASSERT_TRUE(Fs().OverwriteInPlace(At("secret.txt"), 0xFF));
  EXPECT_EQ(Fs().ReadBytes(At("secret.txt")), std::string(11, '\xff'));
  EXPECT_EQ(Fs().GetSize(At("secret.txt")), 11u);
  EXPECT_EQ(Fs().OverwriteInPlace(At("missing"), 0).error, Error::kNotFound);
}

TEST_F(FileSystemContract, SizesAboveFourGigabytesAreReported) {
  const uint64_t size = (5ull << 30) + 123;
  if (!Backend().MakeBigFile(At("big.bin"), size)) GTEST_SKIP() << "no cheap sparse files here";
  EXPECT_EQ(Fs().GetSize(At("big.bin")), size);
  auto entries = Entries("big.bin");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].size, size);
  EXPECT_TRUE(Fs().DeleteFile(At("big.bin")));
}

TEST_F(FileSystemContract, ReadAtReadsPiecesAnywhereAndStopsAtTheEnd) {
  Make("r.bin", "0123456789");
  auto reader = Fs().OpenRead(At("r.bin"));
  ASSERT_NE(reader, nullptr);
  char buffer[8] = {};
  EXPECT_EQ(reader->ReadAt(7, buffer, 8), 3u);
  EXPECT_EQ(std::string(buffer, 3), "789");
  EXPECT_EQ(reader->ReadAt(2, buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "2345");
  EXPECT_EQ(reader->ReadAt(10, buffer, 8), 0u);
  EXPECT_EQ(reader->ReadAt(1000, buffer, 8), 0u);
  EXPECT_EQ(Fs().OpenRead(At("missing")), nullptr);
  ASSERT_TRUE(Fs().CreateFolder(At("dir")));
  EXPECT_EQ(Fs().OpenRead(At("dir")), nullptr);
}

TEST_F(FileSystemContract, ALockedFileCannotBeOpenedForReadingButKeepsItsIdentity) {
  Make("held.bin", "abc");
  auto id = Fs().Identity(At("held.bin"));
  ASSERT_TRUE(id);
  Backend().LockFile(At("held.bin"));
  EXPECT_EQ(Fs().OpenRead(At("held.bin")), nullptr);
  EXPECT_EQ(Fs().Identity(At("held.bin")), id);
  Backend().UnlockAll();
}

TEST_F(FileSystemContract, HardLinksShareOneIdentityAndCopiesDoNot) {
  Make("a.bin", "same");
  Make("copy.bin", "same");
  auto a = Fs().Identity(At("a.bin"));
  ASSERT_TRUE(a);
  EXPECT_NE(Fs().Identity(At("copy.bin")), a);
  EXPECT_EQ(Fs().Identity(At("A.BIN")), a);
  EXPECT_EQ(Fs().Identity(At("missing")), std::nullopt);
  ASSERT_TRUE(Fs().CreateHardLink(At("link.bin"), At("a.bin")));
  EXPECT_EQ(Fs().Identity(At("link.bin")), a);
  auto reader = Fs().OpenRead(At("link.bin"));
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->Index(), a->index);
  reader.reset();
  EXPECT_EQ(Fs().ReadBytes(At("link.bin")), "same");
  EXPECT_EQ(Fs().CreateHardLink(At("link.bin"), At("copy.bin")).error, Error::kAlreadyExists);
  EXPECT_FALSE(Fs().CreateHardLink(At("link2.bin"), At("missing")));
}

TEST_F(FileSystemContract, SetLengthGrowsWithZerosAndCuts) {
  Make("len.bin", "abcdef");
  ASSERT_TRUE(Fs().SetLength(At("len.bin"), 3));
  EXPECT_EQ(Fs().ReadBytes(At("len.bin")), "abc");
  ASSERT_TRUE(Fs().SetLength(At("len.bin"), 5));
  EXPECT_EQ(Fs().ReadBytes(At("len.bin")), std::string("abc\0\0", 5));
  EXPECT_FALSE(Fs().SetLength(At("missing"), 5));
}

TEST_F(FileSystemContract, ASparseFileReadsAsZerosBeyondTwoGigabytes) {
  const uint64_t size = (2ull << 30) + 10;
  if (!Backend().MakeBigFile(At("big.bin"), size)) GTEST_SKIP() << "no cheap sparse files here";
  auto reader = Fs().OpenRead(At("big.bin"));
  ASSERT_NE(reader, nullptr);
  char buffer[16];
  std::fill(std::begin(buffer), std::end(buffer), 'x');
  EXPECT_EQ(reader->ReadAt(size - 4, buffer, 16), 4u);
  EXPECT_EQ(std::string(buffer, 4), std::string(4, '\0'));
  reader.reset();
  EXPECT_TRUE(Fs().DeleteFile(At("big.bin")));
}

// --- Short names -----------------------------------------------------------------

TEST_F(FileSystemContract, ShortPathLeadsToTheSameFile) {
  ASSERT_TRUE(Fs().CreateFolder(At("A Long Folder Name")));
  Make("A Long Folder Name\\a file with a long name.text", "content");
  std::string long_path = At("A Long Folder Name\\a file with a long name.text");
  std::string short_path = Fs().ShortPath(long_path);
  ASSERT_FALSE(short_path.empty());
  EXPECT_EQ(Fs().ReadBytes(short_path), "content");
  EXPECT_EQ(Fs().GetAttributes(short_path), Fs().GetAttributes(long_path));
  // Each component of the result has no blanks (8.3 names never do), or
  // the whole path came back unchanged (8.3 names turned off).
  if (!text::EqualsNoCase(short_path, long_path)) {
    EXPECT_EQ(text::FileName(short_path).find(' '), std::string::npos) << short_path;
  }
  EXPECT_EQ(Fs().ShortPath(At("missing.txt")), "");
}

TEST_F(FileSystemContract, ShortNamesInFindDataFitEightDotThree) {
  Make("a rather long file name.html");
  Make("short.txt");
  for (const auto& d : Entries("*", 0)) {
    if (d.short_name.empty()) continue;
    std::string base = text::StripExtension(d.short_name);
    std::string ext = text::Extension(d.short_name);
    EXPECT_LE(base.size(), 8u) << d.short_name;
    EXPECT_LE(ext.size(), 4u) << d.short_name;
    EXPECT_NE(d.short_name, d.name);
  }
}

// --- System folders ------------------------------------------------------------------

TEST_F(FileSystemContract, SystemFoldersExistInTheirDocumentedForm) {
  std::string temp = Fs().TempPath();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(Fs().IsFolder(temp));
  for (const std::string& folder :
       {Fs().WindowsFolder(), Fs().SystemFolder(), Fs().CurrentFolder()}) {
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(Fs().IsFolder(folder)) << folder;
  }
  EXPECT_NE(Fs().WindowsFolder().back(), '\\');
  EXPECT_TRUE(text::StartsWithNoCase(Fs().SystemFolder(), Fs().WindowsFolder()));
}

TEST_F(FileSystemContract, DrivesIncludeTheFixedSystemDrive) {
  bool found = false;
  for (const auto& d : Fs().Drives()) {
    if (text::EqualsNoCase(d.root, "C:\\")) {
      found = true;
      EXPECT_EQ(d.type, platform::DriveType::kFixed);
    }
  }
  EXPECT_TRUE(found);
  EXPECT_TRUE(Fs().IsFolder("C:\\"));
}

}  // namespace
}  // namespace contract
