// The "%" placeholders of the tools' command lines, macros and topics.
#include "texchain/ToolPlaceholders.h"
#include "common/FileHelpers.h"
#include "common/StringHelpers.h"
#include "common/TempFolder.h"
#include "core/Paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class ToolPlaceholders : public ::testing::Test {
protected:
  TempFolder temp;
  // "表" and "ソ" end in the byte of "\".
  std::string folder = temp / "表ソ\\";
  std::string target = folder + "doc.tex";
  std::string edited = folder + "chap 1.tex";
  TPlaceholderFiles files{edited, target, 12};

  void SetUp() override {
    CreateDirectoryA(folder.c_str(), nullptr);
    TempFolder::WriteFile(target, "x");
  }
  static std::string Slashed(const std::string& path) { return ReplaceAll(path, "\\", "/", true); }
  std::string Expand(const std::string& text, bool slashes, const std::string& extension = "") {
    return ExpandModuleMacros(files, text, target, slashes, extension);
  }
};

TEST_F(ToolPlaceholders, CommandLinesTakeSlashesAndNoExtensionMacrosTheModulesExtension) {
  const std::string base = folder + "doc";
  ASSERT_NE(Slashed(base).find("表ソ/doc"), std::string::npos) << "whole characters only";
  EXPECT_EQ(Expand("-x %longfilename", true), "-x " + Slashed(base));
  EXPECT_EQ(Expand("%file.dvi%", true), Slashed(base) + ".dvi") << "the main file, slashed";
  EXPECT_EQ(Expand("[open(%longfilename)]", false, ".dvi"), "[open(" + base + ".dvi)]");
  EXPECT_EQ(Expand("%file-e%", false), edited);
  EXPECT_EQ(SlashPath("C:\\表\\ソ\\a"), "C:/表/ソ/a");
}

TEST_F(ToolPlaceholders, NamesAreQuotedWhenTheyHoldABlank) {
  files.OwnerFileName.clear();
  target = edited;
  const std::string quoted = std::string(1, '"').append(Slashed(folder)).append("chap 1\"");
  EXPECT_EQ(Expand("%filename", true), quoted);
  EXPECT_EQ(Expand("%quotefilename", true), quoted);
  EXPECT_EQ(Expand("%longfilename", true), Slashed(folder) + "chap 1") << "never quoted";
  EXPECT_EQ(QuoteIfSpace("  a b "), "\"a b\"");
  EXPECT_EQ(QuoteIfSpace(" ab "), "ab");
}

TEST_F(ToolPlaceholders, FileNamesInAnyCaseTheRowOnlyExactly) {
  const std::string base = folder + "doc";
  EXPECT_EQ(Expand("%FILENAME|%LongFileName|%row%|%ROW%|%Row%", false),
            base + "|" + base + "|12|%ROW%|%Row%");
}

TEST_F(ToolPlaceholders, FormatPlaceholdersInAnyCase) {
  const TFormatDefaults& formats = FormatDefaults();
  EXPECT_EQ(Expand("%fmtnum_wintex,%FMTNAME_KARVETEX,%FmtNum_KarveTeX", false),
            formats.FmtNum_WinTeX + "," + formats.FmtName_KarveTeX + "," + formats.FmtNum_KarveTeX);
}

TEST_F(ToolPlaceholders, TokenLettersAndExtensionParts) {
  const std::string chap = folder + "chap 1", doc = folder + "doc";
  struct Case {
    const char* text;
    std::string expected;
  };
  const Case cases[] = {
      {"%file%", target},
      {"%file.%", doc},
      {"%file.log%", doc + ".log"},
      {"%file.dvi-e%", chap + ".dvi"},
      {"%file-en%", "chap 1.tex"},
      // Letters run to the closing "%": "tex" holds an "e", so this is the edited file.
      {"%file-n.tex%", "chap 1.tex"},
      {"%file-n.bbl%", "doc.bbl"},
      {"%file.-n%", "doc"},
      {"%file-eq%", "\"" + edited + "\""},
      {"%file-a%", edited},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Expand(c.text, false), c.expected) << c.text;
  // The name part is found after slashes went back to "\".
  EXPECT_EQ(Expand("%file-en%", true), "chap 1.tex");
  files.OwnerFileName.clear();
  EXPECT_EQ(Expand("%file-a%", false), "*");
  EXPECT_EQ(Expand("%file.%", false), chap) << "the edited file without a main file";
}

TEST_F(ToolPlaceholders, LongAndUnclosedTokensEndTheSearchAndSixPassesAtMost) {
  EXPECT_EQ(ExpandFileTokens("%file.abcdefghijklmn% %file%", "a.tex", "", 0),
            "%file.abcdefghijklmn% %file%")
      << "21 characters";
  EXPECT_EQ(ExpandFileTokens("%file.abcdefghijklm% %file%", "a.tex", "", 0),
            "a.abcdefghijklm a.tex")
      << "20 characters";
  EXPECT_EQ(ExpandFileTokens("x %file", "a.tex", "", 0), "x %file");
  std::string seven;
  for (const char* ext : {".a", ".b", ".c", ".d", ".e", ".f", ".g"})
    seven += std::string("%file") + ext + "% ";
  EXPECT_EQ(ExpandFileTokens(seven, "a.tex", "", 0), "a.a a.b a.c a.d a.e a.f %file.g% ");
}

TEST_F(ToolPlaceholders, ShortNamesOfMissingFilesAreTheirLongNames) {
  std::string shortForm = GetShortPath(target);
  ASSERT_FALSE(shortForm.empty());
  EXPECT_EQ(Expand("%shortfilename", false), ChangeFileExt(shortForm, ""));
  EXPECT_EQ(Expand("%file-s%", false), shortForm);
  target = folder + "missing.tex";
  files.OwnerFileName = target;
  EXPECT_EQ(Expand("%shortfilename", true, ".dvi"), Slashed(folder) + "missing.dvi");
  EXPECT_EQ(Expand("%file-s%", false), target);
}

} // namespace
