// Finding the built-in word of a command text: table order, whole and prefix words, case.
#include "core/SysWords.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;

namespace {

int Number(const std::string& text) {
  return FindSysWord(text).Number;
}

TEST(SysWords, CaseAndOrder) {
  EXPECT_EQ(Number("$sys_filenew"), SysWordNumber("$Sys_FileNew"));
  EXPECT_EQ(FindSysWord("$SYS_FILENEW").Spelled, "$SYS_FILENEW");
  // The prefix word comes first in the table, so an argument list never reaches the dialog.
  EXPECT_EQ(Number("$Sys_FileOpen(a.tex)"), SysWordNumber("$Sys_FileOpen("));
  EXPECT_EQ(FindSysWord("$sys_fileopen(a.tex)").Spelled, "$sys_fileopen");
  EXPECT_EQ(Number("$Sys_FileOpen"), SysWordNumber("$Sys_FileOpen"));
  EXPECT_EQ(Number("$Sys_EditJump(9)"), SysWordNumber("$Sys_EditJump("));
  EXPECT_EQ(Number("$Sys_EditJump"), SysWordNumber("$Sys_EditJump"));
}

TEST(SysWords, PrefixAndWholeWords) {
  EXPECT_EQ(Number("$Sys_FileInsertXYZ"), SysWordNumber("$Sys_FileInsert"));
  EXPECT_EQ(FindSysWord("$Sys_FileInsertXYZ").Spelled, "$Sys_FileInsert");
  EXPECT_EQ(Number("$Sys_EditSelFind(T,F)"), SysWordNumber("$Sys_EditSelFind"));
  // Whole words: one letter more or less is no word.
  EXPECT_EQ(Number("$Sys_FileSaveX"), 0);
  EXPECT_EQ(Number("$Sys_FileSav"), 0);
  EXPECT_EQ(Number("$Sys_FileSaveAs"), SysWordNumber("$Sys_FileSaveAs"));
  EXPECT_EQ(Number("$Sys_Foo"), 0);
  EXPECT_EQ(Number("$Lis"), 0);
  EXPECT_EQ(Number("$List(1)"), 0);
  EXPECT_EQ(Number(""), 0);
}

TEST(SysWords, EveryWordIsFound) {
  for (int number = 1; number <= SysWordCount; ++number) {
    std::string word = SysWords[number - 1].Word;
    EXPECT_EQ(Number(word), number) << word;
    EXPECT_EQ(SysWordNumber(word), number) << word;
  }
}

} // namespace
