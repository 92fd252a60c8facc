#include "core/IndexEntry.h"
#include "NoCommandDialogs.h"
#include "core/CommandExpander.h"

#include <gtest/gtest.h>

#include <random>

using namespace quolin;

namespace {

std::string Expanded(const std::string& command, const std::string& selected = "SEL") {
  test_support::NoCommandDialogs dialogs;
  TExpansion expansion;
  EXPECT_TRUE(ExpandCommandText(dialogs, command, selected, "", false, "\r\n", expansion));
  return expansion.Result;
}

// What the dialog inserts for a reading, a word and a selected entry.
std::string Inserted(int type, const std::string& reading, const std::string& word,
                     const std::string& selected = "") {
  TIndexSyntax syntax;
  std::string entry = BuildIndexEntry(type, reading, word, selected, syntax);
  return entry.empty() ? "" : Expanded(IndexInsertCommand(syntax.InsertTemplate, entry));
}

TEST(IndexEntry, ExamplesAndEdgeCases) {
  EXPECT_EQ(Inserted(itNew, "てすと", "テスト"), "\\index{てすと@テスト}");
  EXPECT_EQ(Inserted(itAddToReference, "てすと", "テスト", "おや@親"),
            "\\index{おや@親!てすと@---テスト}");
  EXPECT_EQ(Inserted(itNew, "", "テスト"), "\\index{テスト}") << "no reading mark";
  EXPECT_EQ(Inserted(itNew, "てすと", ""), "\\index{てすと}");
  EXPECT_EQ(Inserted(itNew, "", ""), "");
  EXPECT_EQ(Inserted(itReference, "てすと", "テスト"), "") << "a reference needs a selection";
  EXPECT_EQ(Inserted(itReference, "てすと", "テスト", "おや@親"), "\\index{おや@親}");
  EXPECT_EQ(Inserted(itAddToReference, "てすと", "テスト"), "\\index{てすと@テスト}")
      << "without a selection: as a new entry, no prefix and no sub-entry mark";
  EXPECT_EQ(Inserted(itAddToReference, "", "", "おや@親"), "\\index{おや@親}") << "no mark";
  EXPECT_EQ(Inserted(itAddToReference, "", "子", "おや@親"), "\\index{おや@親!---子}");
  EXPECT_EQ(Inserted(itAddToReference, "こ", "", "おや@親"), "\\index{おや@親!こ}");
  // "長音>母音": the corrected reading is what the entry holds.
  EXPECT_EQ(Inserted(itNew, CorrectReading("ぱーてぃー", rcLongToVowel), "パーティー"),
            "\\index{はあていい@パーティー}");
}

TEST(IndexEntry, ReadingCorrections) {
  EXPECT_EQ(CorrectReading("ぱーてぃー", rcLongToVowel), "はあていい");
  EXPECT_EQ(CorrectReading("ぱーてぃー", rcLongRemoved), "はてい");
  EXPECT_EQ(CorrectReading("ﾊﾟｰﾃｨｰ", rcLongToVowel), "はあていい");
  EXPECT_EQ(CorrectReading("ﾊﾟｰﾃｨｰ", rcLongRemoved), "はてい");
  EXPECT_EQ(CorrectReading("パーティー", rcLongToVowel), "はあていい");
  for (int none : {0, 3, -1})
    EXPECT_EQ(CorrectReading("ﾊﾟｰﾃｨｰ", none), "ﾊﾟｰﾃｨｰ") << none;
}

TEST(IndexEntry, DollarsOfTheEntryStayLiteral) {
  const std::string insert = "\\index{$S}";
  EXPECT_EQ(Expanded(IndexInsertCommand(insert, "$\\alpha$")), "\\index{$\\alpha$}");
  EXPECT_EQ(Expanded(IndexInsertCommand(insert, "$_i$")), "\\index{$_i$}");
  EXPECT_EQ(Expanded(IndexInsertCommand(insert, "$S")), "\\index{$S}") << "not the selection";
  EXPECT_EQ(Expanded(IndexInsertCommand(insert, "a$$b$")), "\\index{a$$b$}");
  // The template's own placeholders still expand, and "$S" is matched with case.
  EXPECT_EQ(Expanded(IndexInsertCommand("$S$_$S", "x$")), "x$ x$");
  EXPECT_EQ(IndexInsertCommand("$s|$S", "$"), "$s|$$");
}

TEST(IndexEntry, RandomEntriesComeBackByteForByte) {
  std::mt19937 random(41);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 12);
  // "$" and the placeholder letters come often, so that every pairing is met.
  const std::string frequent = "$$$STR_C\\{}";
  auto piece = [&] {
    std::string text;
    for (int i = length(random); i > 0; --i) {
      int value = byte(random);
      char ch = value < 96 ? frequent[value % frequent.size()] : static_cast<char>(value);
      text += ch == ProtectionMark ? 'x' : ch;
    }
    return text;
  };
  const TIndexSyntax syntax;
  for (int round = 0; round < 10000; ++round) {
    std::string reading = piece(), word = piece();
    std::string entry = BuildIndexEntry(itNew, reading, word, "", syntax);
    ASSERT_EQ(Expanded(IndexInsertCommand(syntax.InsertTemplate, entry)), "\\index{" + entry + "}")
        << "reading " << reading << " word " << word;
  }
}

TEST(IndexEntry, SyntaxFromTheCommandAsSpelled) {
  TIndexSyntax syntax;
  ReadIndexSyntax("$sys_editindexdialog(\"\\idx{$S}\",\"\\idx[$S]\",\"#\",\"|\",\"a,b\")", syntax);
  EXPECT_EQ(syntax.ScanTemplate, "\\idx{$S}");
  EXPECT_EQ(syntax.InsertTemplate, "\\idx[$S]");
  EXPECT_EQ(syntax.ReadingMark, "#");
  EXPECT_EQ(syntax.SubEntryMark, "|");
  EXPECT_EQ(syntax.SubEntryPrefix, "a,b");

  ReadIndexSyntax("$Sys_EditIndexDialog(\\see{$S},,=)", syntax);
  EXPECT_EQ(syntax.ScanTemplate, "\\see{$S}");
  EXPECT_EQ(syntax.InsertTemplate, "") << "given empty";
  EXPECT_EQ(syntax.ReadingMark, "=");
  EXPECT_EQ(syntax.SubEntryMark, "!") << "missing: the default";
  EXPECT_EQ(syntax.SubEntryPrefix, "---");

  for (const char* command : {"$Sys_EditIndexDialog", "$SYS_EDITINDEXDIALOG()"}) {
    ReadIndexSyntax(command, syntax);
    EXPECT_EQ(syntax.ScanTemplate, "\\index{$S}") << command;
    EXPECT_EQ(syntax.InsertTemplate, "\\index{$S}") << command;
    EXPECT_EQ(syntax.ReadingMark, "@") << command;
    EXPECT_EQ(syntax.SubEntryMark, "!") << command;
    EXPECT_EQ(syntax.SubEntryPrefix, "---") << command;
  }
}

} // namespace
