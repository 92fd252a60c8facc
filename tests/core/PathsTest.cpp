#include "core/Paths.h"
#include "CoreTempFolder.h"
#include "core/Sjis.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <vector>

using namespace quolin;
using quolin::core_test::CurrentFolder;
using quolin::core_test::TempFolder;

namespace {

// 表 is 95 5C and ソ 83 5C: their second bytes are those of "\".
TEST(Paths, NameParts) {
  const std::string name = "C:\\文書\\表.ソ\\report.tex";
  EXPECT_EQ(ExtractFilePath(name), "C:\\文書\\表.ソ\\");
  EXPECT_EQ(ExtractFileDir(name), "C:\\文書\\表.ソ");
  EXPECT_EQ(ExtractFileName(name), "report.tex");
  EXPECT_EQ(ExtractFileExt(name), ".tex");
  EXPECT_EQ(ExtractFileDrive(name), "C:");
  EXPECT_EQ(ChangeFileExt(name, ".dvi"), "C:\\文書\\表.ソ\\report.dvi");
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

TEST(Paths, FilesFoldersCreationAndExpansion) {
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
  CurrentFolder current(folder.Path());
  ASSERT_TRUE(current.Changed());
  EXPECT_EQ(ExpandFileName("sub\\..\\表.tex"), folder / "表.tex");
}

TEST(Sjis, CharacterAndByteIndexes) {
  const std::string text = "a表b"; // 61, 95 5C, 62
  const size_t bytes[] = {0, 1, 3, 4, 4};
  for (size_t index = 0; index < std::size(bytes); ++index)
    EXPECT_EQ(sjis::ByteOfCharIndex(text, index), bytes[index]) << index;
  const size_t characters[] = {0, 1, 2, 2, 3, 3};
  for (size_t pos = 0; pos < std::size(characters); ++pos)
    EXPECT_EQ(sjis::CharIndexOfByte(text, pos), characters[pos]) << pos;
  // A lead byte at the end is a character of its own.
  EXPECT_EQ(sjis::CharIndexOfByte("\x95", 1), 1u);
  EXPECT_EQ(sjis::ByteOfCharIndex("\x95", 1), 1u);
}

TEST(Sjis, CharactersAndCaseFolding) {
  const std::string text = "表\\ソa"; // 95 5C, 5C, 83 5C, 61
  EXPECT_EQ(sjis::CharLength(text, 0), 2u);
  EXPECT_TRUE(sjis::IsTrailByteAt(text, 1));
  EXPECT_EQ(sjis::FindChar(text, '\\'), 2u);
  EXPECT_EQ(sjis::FindLastChar(text, '\\'), 2u);
  EXPECT_EQ(sjis::FindChar("ソ", '\\'), std::string::npos);
  EXPECT_EQ(sjis::CharStart(text, 4), 3u);
  EXPECT_EQ(sjis::CharLength("\x82", 0), 1u);
  EXPECT_EQ(sjis::CharLength("\x82\r\n", 0), 1u);
  EXPECT_EQ(sjis::CharLength(std::string("\x82\0", 2), 0), 1u);
  EXPECT_EQ(sjis::CharLength("\x82\xA0", 0), 2u);
  EXPECT_EQ(sjis::UpperAscii("aア"), "Aア"); // ア is 83 41
  EXPECT_EQ(sjis::LowerAscii("ッAア"), "ッaア");
  EXPECT_TRUE(sjis::EqualIgnoreAsciiCase("abcア", "ABCア"));
  EXPECT_FALSE(sjis::EqualIgnoreAsciiCase("ア", "ァ"));
  EXPECT_EQ(sjis::FindText("アA", "A"), 2u);
  EXPECT_EQ(sjis::FindText("ア", "A"), std::string::npos);
}

// The bytes at the edges of the lead ranges (81-9F, E0-FC), just outside them, and the bytes
// that end a character.
const std::vector<char> kEdgeBytes = {'\x80', '\x81', '\x9F', '\xA0', '\xDF', '\xE0',
                                      '\xFC', '\xFD', '\x40', '\x7E', '\x7F', '\x5C',
                                      '\0',   '\r',   '\n',   'a'};

TEST(Sjis, LeadRangeEdges) {
  struct Case {
    std::string text;
    size_t charLength; // of the character at 0
  };
  const Case cases[] = {
      {"\x80\x40", 1}, {"\x81\x40", 2}, {"\x9F\x40", 2}, {"\xA0\x40", 1}, {"\xDF\x40", 1},
      {"\xE0\x40", 2}, {"\xFC\xFC", 2}, {"\xFD\x40", 1}, {"\x81\x0B", 2}, {"\x81\x0C", 2},
      {"\x81\x0A", 1}, {"\x81\x0D", 1}, {"\xFC", 1},     {"\x81\x01", 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sjis::CharLength(c.text, 0), c.charLength)
        << int(static_cast<unsigned char>(c.text[0]));
    EXPECT_EQ(sjis::IsTrailByteAt(c.text, 1), c.charLength == 2 && c.text.size() > 1)
        << int(static_cast<unsigned char>(c.text[0]));
  }
}

// CharStart looks back from pos; walking the characters from the start must agree, on texts
// made of edge bytes, where runs of lead-range bytes are long and line ends break pairs.
TEST(Sjis, CharStartAgreesWithAWalkFromTheStart) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (size_t length = random() % 24; length > 0; --length)
      text += kEdgeBytes[random() % kEdgeBytes.size()];
    std::vector<size_t> starts(text.size());
    for (size_t pos = 0; pos < text.size(); pos += sjis::CharLength(text, pos)) {
      starts[pos] = pos;
      if (sjis::CharLength(text, pos) == 2)
        starts[pos + 1] = pos;
    }
    for (size_t pos = 0; pos < text.size(); ++pos)
      ASSERT_EQ(sjis::CharStart(text, pos), starts[pos]) << "round " << round << " pos " << pos;
    EXPECT_EQ(sjis::CharStart(text, text.size()), text.size());
  }
}

TEST(Paths, RelativePaths) {
  EXPECT_EQ(GetRelativePath("C:\\a\\c\\y.tex", "C:\\a\\b\\x.tex"), "..\\c\\y.tex");
  EXPECT_EQ(GetRelativePath("C:\\a\\b\\sub\\y.tex", "C:\\a\\b\\x.tex"), "sub\\y.tex");
  EXPECT_EQ(GetRelativePath("c:\\A\\B\\y.tex", "C:\\a\\b\\x.tex"), "y.tex");
  EXPECT_EQ(GetRelativePath("C:\\y.tex", "C:\\a\\b\\x.tex"), "..\\..\\y.tex");
  EXPECT_EQ(GetRelativePath("D:\\a\\y.tex", "C:\\a\\x.tex"), "D:\\a\\y.tex");
  EXPECT_EQ(GetRelativePath("C:\\表\\y.tex", "C:\\ソ\\x.tex"), "..\\表\\y.tex");
}

} // namespace
