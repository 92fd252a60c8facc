#include "core/Paths.h"
#include "CoreTempFolder.h"

#include <gtest/gtest.h>

using namespace quolin;
using quolin::core_test::CurrentFolder;
using quolin::core_test::TempFolder;

namespace {

// 表 is 95 5C and ソ 83 5C: their second bytes are those of "\".
TEST(Paths, NamePartsOfAPath) {
  const std::string name = "C:\\文書\\表.ソ\\report.tex";
  EXPECT_EQ(ExtractFilePath(name), "C:\\文書\\表.ソ\\");
  EXPECT_EQ(ExtractFileDir(name), "C:\\文書\\表.ソ");
  EXPECT_EQ(ExtractFileName(name), "report.tex");
  EXPECT_EQ(ExtractFileExt(name), ".tex");
  EXPECT_EQ(ExtractFileDrive(name), "C:");
  EXPECT_EQ(ChangeFileExt(name, ".dvi"), "C:\\文書\\表.ソ\\report.dvi");
}

TEST(Paths, SecondBytesAreNoDelimiters) {
  EXPECT_EQ(ExtractFileName("C:\\a\\表"), "表");
  EXPECT_EQ(ExtractFilePath("C:\\a\\ソ"), "C:\\a\\");
  EXPECT_EQ(ExtractFileDir("C:\\ソ\\表"), "C:\\ソ");
  EXPECT_EQ(ExtractFileExt("C:\\x.y\\表"), "");
  EXPECT_EQ(ChangeFileExt("C:\\x.y\\表", ".tex"), "C:\\x.y\\表.tex");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\表"), "C:\\表\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\表\\"), "C:\\表\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\表"), "C:\\表");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\表\\"), "C:\\表");
  EXPECT_EQ(LastDelimiter("\\", "a\\表"), 1u);
  EXPECT_EQ(LastDelimiter("\\", "表"), std::string::npos);
}

TEST(Paths, RootsDrivesAndNamesWithoutFolders) {
  EXPECT_EQ(ExtractFileDir("C:\\x.tex"), "C:\\");
  EXPECT_EQ(ExtractFileDir("\\x.tex"), "\\");
  EXPECT_EQ(ExtractFileDir("C:x.tex"), "C:");
  EXPECT_EQ(ExtractFileName("C:x.tex"), "x.tex");
  EXPECT_EQ(ExtractFilePath("x.tex"), "");
  EXPECT_EQ(ExtractFileDrive("\\\\server\\share\\a\\b.tex"), "\\\\server\\share");
  EXPECT_EQ(ExtractFileDrive("\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(ExtractFileDrive("\\a\\b"), "");
  EXPECT_EQ(ExtractFileDrive("表:"), "");
  EXPECT_EQ(ChangeFileExt("noext", ".bak"), "noext.bak");
  EXPECT_EQ(ChangeFileExt("a.b.c", ""), "a.b");
  EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "\\");
}

TEST(Paths, FilesFoldersAndCreation) {
  TempFolder folder;
  const std::string file = folder / "ソース.tex";
  TempFolder::WriteFile(file, "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DirectoryExists(folder.Path()));
  EXPECT_FALSE(FileExists(ExcludeTrailingPathDelimiter(folder.Path())));
  EXPECT_FALSE(FileExists(folder / "missing.tex"));

  const std::string deep = folder / "表\\ソ\\img";
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep + "\\"));
  EXPECT_FALSE(ForceDirectories(file + "\\sub"));
}

TEST(Paths, ExpandFileNameUsesTheCurrentFolder) {
  TempFolder folder;
  CurrentFolder current(folder.Path());
  ASSERT_TRUE(current.Changed());
  EXPECT_EQ(ExpandFileName("sub\\..\\表.tex"), folder / "表.tex");
}

} // namespace
