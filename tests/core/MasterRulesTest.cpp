// The master editor's window-free rules: image stepping, the input-assistance rule, the
// automatic keyword, the "\begin{name}" before the caret and the help contexts.
#include "core/CommandRecords.h"
#include "core/MasterEditRules.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;

namespace {

// The built-in strip, 3 user images, padding to 1000, a second strip of 20 and the spare.
constexpr int kImageCount = SecondStripImage + 20 + 1;

TEST(MasterRules, ImageKindsAndSteppingBack) {
  EXPECT_EQ(FirstImageOfKind(ikNone), -1);
  EXPECT_EQ(FirstImageOfKind(ikStandard), 0);
  EXPECT_EQ(FirstImageOfKind(ikUser), 117);
  EXPECT_EQ(StepImageBack(-1), -1);
  EXPECT_EQ(StepImageBack(0), 0);
  EXPECT_EQ(StepImageBack(1), 0);
  EXPECT_EQ(StepImageBack(116), 115);
  EXPECT_EQ(StepImageBack(117), 117) << "the user images do not run into the built-in ones";
  EXPECT_EQ(StepImageBack(118), 117);
  EXPECT_EQ(StepImageBack(1000), 116);
  EXPECT_EQ(StepImageBack(1001), 1000);
}

TEST(MasterRules, SteppingForward) {
  EXPECT_EQ(StepImageForward(-1, kImageCount), -1);
  EXPECT_EQ(StepImageForward(0, kImageCount), 1);
  EXPECT_EQ(StepImageForward(115, kImageCount), 116);
  EXPECT_EQ(StepImageForward(116, kImageCount), 1000);
  EXPECT_EQ(StepImageForward(117, kImageCount), 118);
  EXPECT_EQ(StepImageForward(998, kImageCount), 999);
  EXPECT_EQ(StepImageForward(999, kImageCount), 999);
  // The second-to-last image is the end: the last is the blank spare.
  EXPECT_EQ(StepImageForward(kImageCount - 3, kImageCount), kImageCount - 2);
  EXPECT_EQ(StepImageForward(kImageCount - 2, kImageCount), kImageCount - 2);
  // A short list stops the built-in strip as well.
  EXPECT_EQ(StepImageForward(10, 13), 11);
  EXPECT_EQ(StepImageForward(11, 13), 11);
}

TEST(MasterRules, ShowListNeedsTheBoxAKeywordAndACommand) {
  EXPECT_TRUE(ShowListOf(true, "sec", "\\section{$S}"));
  EXPECT_FALSE(ShowListOf(false, "sec", "\\section{$S}"));
  EXPECT_FALSE(ShowListOf(true, "", "\\section{$S}"));
  EXPECT_FALSE(ShowListOf(true, "sec", ""));
}

TEST(MasterRules, AutomaticKeywords) {
  struct Case {
    const char* command;
    bool checked;
    const char* keyword;
  } cases[] = {
      {"\\begin{itemize}\r\n\\item $S\r\n\\end{itemize}", true, "itemize"},
      {"\\section{$S}", true, "section"},
      {"{\\bf $S}", true, "{bf $S"},
      // The second byte of "表" is a backslash, and stays.
      {"\\表{x}", true, "表"},
      {"$sys_FileNew", false, ""},
      {"$LIST(1)", false, ""},
      {"$font:x", false, ""},
      {"\r\n\r\n  \\frac{a}{b}", true, "frac"},
      {"abcde", true, "abcde"},
      {"abcd", false, ""},
      {" abcd ", false, ""},
      {"表示設定表", true, "表示設定表"},
      {"表示設定", false, ""},
      {"a\tb", true, "a$Tabb"},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    TAutoKeyword result = AutoKeyword(c.command);
    EXPECT_EQ(result.Checked, c.checked) << c.command;
    if (c.checked)
      EXPECT_EQ(result.Keyword, c.keyword) << c.command;
    else
      EXPECT_EQ(result.Keyword, "") << c.command;
  }
  // "マ" ends in "}" and "ソ" in "\": neither is cut or removed.
  EXPECT_EQ(KeywordOfLine("\\begin{マソ}"), "マソ");
  EXPECT_EQ(KeywordOfLine("}a{b}"), "a");
}

TEST(MasterRules, BeginNameBeforeTheCaret) {
  const std::string line = "x \\begin{マ} y \\begin{list}{z}";
  auto found = BeginNameBeforeCaret(line, line.size());
  ASSERT_TRUE(found);
  EXPECT_EQ(found->Name, "list") << "the last complete one";
  EXPECT_EQ(line.substr(found->Start, 4), "list");
  // Just before the closing brace of "list" only the first is complete; its "}" is the
  // second byte of "マ" and does not close it.
  size_t close = line.find("list}") + 4;
  found = BeginNameBeforeCaret(line, close);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->Name, "マ");
  found = BeginNameBeforeCaret(line, close + 1);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->Name, "list");
  // "\begin{マ" without its own brace is not complete.
  EXPECT_FALSE(BeginNameBeforeCaret("\\begin{マ", 9));
  EXPECT_FALSE(BeginNameBeforeCaret("\\begin{}", 8)) << "no name";
  // Only the caret's line counts.
  const std::string twoLines = "\\begin{a}\r\nb";
  EXPECT_FALSE(BeginNameBeforeCaret(twoLines, twoLines.size()));
  EXPECT_TRUE(BeginNameBeforeCaret(twoLines, 9));
  EXPECT_EQ(EndOfEnvironment("itemize"), "\r\n\r\n\\end{itemize}");
}

TEST(MasterRules, HelpContexts) {
  EXPECT_EQ(CommandHelpContext(""), 1401);
  EXPECT_EQ(CommandHelpContext("$sYS_FileNew"), 1403);
  EXPECT_EQ(CommandHelpContext("$Sys"), 1402);
  EXPECT_EQ(CommandHelpContext(" $Sys_FileNew"), 1402);
  EXPECT_EQ(CommandHelpContext("\\section{$S}"), 1402);
}

TEST(MasterRules, ReadyMadeTexts) {
  EXPECT_STREQ(ReadyMadeTexts[0].Text, "$S");
  EXPECT_STREQ(ReadyMadeTexts[7].Text, "\\special[$PicHeight, $PicWidth]{imgfile=$PicFile}\r\n"
                                       "\\caption{$PicCaption}\r\n\\label{$PicLabel}");
  EXPECT_STREQ(ReadyMadeTexts[8].Caption, "分数");
}

} // namespace
