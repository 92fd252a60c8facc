#include "texchain/FilePattern.h"
#include "common/FileHelpers.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace quolin;

namespace {

TEST(FilePattern, TokensAndTheirExpansions) {
  const std::string file = "C:\\doc\\a.tex", owner = "C:\\doc\\main.tex";
  struct Case {
    std::string text, fileName, ownerName, expected;
  };
  const std::vector<Case> cases = {
      {"%file.dvi%", file, owner, "C:\\doc\\main.dvi"},
      {"%file.dvi-e%", file, owner, "C:\\doc\\a.dvi"},
      {"%file-e%", file, owner, file},
      {"%file.%", file, "", "C:\\doc\\a"},
      {"%file.log-n%", file, "", "a.log"},
      {"%file-a%", file, "", "*"},
      {"%file-a%", file, owner, file},
      {"x %file-q% y", "C:\\my doc\\a.tex", "", "x \"C:\\my doc\\a.tex\" y"},
      {"%file-q%", file, "", file},
      {"%file.pdf-nq%", "C:\\my doc\\b c.tex", "", "\"b c.pdf\""},
      {"%file% and %file.aux%", file, "", "C:\\doc\\a.tex and C:\\doc\\a.aux"},
      {"%file.toolongextension%", file, "", "%file.toolongextension%"},
      {"%file", file, "", "%file"},
      {"100% %file%", file, "", "100% C:\\doc\\a.tex"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExpandFilePattern(c.text, c.fileName, c.ownerName), c.expected) << c.text;
}

TEST(FilePattern, TokensAtMostTwentyLongAndPassesEndAtSix) {
  size_t position = 0;
  EXPECT_EQ(FindFileToken("a %file.abcdefghijklmn% %file-n%", 0, position), "")
      << "a token too long ends the search";
  EXPECT_EQ(FindFileToken("a %file.abcdefghijklmn% %file-n%", 3, position), "%file-n%");
  EXPECT_EQ(position, 24u);
  EXPECT_EQ(FindFileToken("%file.abcdefghijk%", 0, position), "%file.abcdefghijk%")
      << "20 characters";
  EXPECT_EQ(FindFileToken("x %fil%", 0, position), "");
  // A file name that brings a token of its own is expanded again, six times in all.
  EXPECT_EQ(ExpandFilePattern("%file%", "%file%x", ""), "%file%xxxxxx");
}

TEST(FilePattern, ShortFormOfTheFile) {
  char module[260];
  std::string self(module, GetModuleFileNameA(nullptr, module, sizeof module));
  std::string expected = GetShortPath(self);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(ExpandFilePattern("%file-s%", self, ""), expected);
  EXPECT_EQ(ExpandFilePattern("%file-sn%", self, ""), expected.substr(expected.rfind('\\') + 1));
}

} // namespace
