#include "core/SpellCheck.h"
#include "core/SpellWalk.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;

namespace {

TStringList LinesOf(const std::vector<std::string>& texts) {
  TStringList lines;
  for (const std::string& text : texts)
    lines.Add(text);
  return lines;
}

// A string list that notes which lines were read, in order.
class ReadOrder : public TStringList {
public:
  mutable std::vector<int> reads;
  std::string Get(int index) const override {
    reads.push_back(index);
    return TStringList::Get(index);
  }
};

class SpellWalk : public ::testing::Test {
protected:
  TQuolinSpellCheck engine;
  // Offsets:         0    5   9    14
  TStringList lines = LinesOf({"good bda word xyzq", "the qwe", "", "see"});

  void SetUp() override { engine.OtherDic.AddWords({"bad", "good", "see", "the", "word"}); }

  std::string Hit(int line, int offset) {
    auto found = FindNextUnknownWord(engine, lines, line, offset);
    if (!found)
      return "none";
    return std::to_string(found->Line) + ":" + std::to_string(found->Offset) + " " + found->Word;
  }
};

TEST_F(SpellWalk, TheCaretLineFromItsOffsetThenTheFollowingLines) {
  EXPECT_EQ(Hit(0, 0), "0:5 bda");
  // A word starting at the offset is checked; one starting before it is passed.
  EXPECT_EQ(Hit(0, 5), "0:5 bda");
  EXPECT_EQ(Hit(0, 6), "0:14 xyzq");
  // From the end of a shown word (a selection's end) the walk goes on after it.
  EXPECT_EQ(Hit(0, 8), "0:14 xyzq");
  EXPECT_EQ(Hit(0, 18), "1:4 qwe");
  // An offset past the line's end still walks the next lines from their starts.
  EXPECT_EQ(Hit(0, 400), "1:4 qwe");
  // Earlier lines are not walked again.
  EXPECT_EQ(Hit(1, 0), "1:4 qwe");
  EXPECT_EQ(Hit(1, 7), "none");
  EXPECT_EQ(Hit(3, 0), "none");
  EXPECT_EQ(Hit(4, 0), "none");
}

TEST_F(SpellWalk, AHitCarriesItsSuggestionsAndTheEndNone) {
  auto found = FindNextUnknownWord(engine, lines, 0, 0);
  ASSERT_TRUE(found);
  ASSERT_EQ(found->Suggestions.Count(), 1);
  EXPECT_EQ(found->Suggestions[0], "bad");
  EXPECT_FALSE(FindNextUnknownWord(engine, TStringList(), 0, 0));
  // The last line is walked too.
  lines.Add("zzyq");
  EXPECT_EQ(Hit(3, 0), "4:0 zzyq");
}

TEST_F(SpellWalk, AddAllWordsSumsLastLineToFirst) {
  ReadOrder read;
  for (const char* text : {"the qwe", "\\relax ab", "", "word Zorq qwe"})
    read.Add(text);
  // "the qwe" 2, the control sequence and the two-letter word none, "word Zorq qwe" 3; a word
  // already there counts again.
  EXPECT_EQ(AddAllWords(engine, read), 5);
  EXPECT_EQ(read.reads, (std::vector<int>{3, 2, 1, 0}));
  EXPECT_TRUE(engine.UserDic.Find("zorq"));
  EXPECT_FALSE(engine.UserDic.Find("ab"));
  EXPECT_FALSE(engine.UserDic.Find("\\relax"));
  EXPECT_FALSE(FindNextUnknownWord(engine, read, 0, 0));
  EXPECT_EQ(AddAllWords(engine, TStringList()), 0);
}

TEST_F(SpellWalk, EveryEngineSettingReachesTheEngine) {
  TSpellEngineSettings settings;
  settings.MainDic = "C:\\Dic\\Custom.dic";
  settings.DicFolder = "C:\\Dic\\";
  settings.SkipMail = false;
  settings.SkipUrl = false;
  settings.SkipAllUpper = false;
  settings.SkipCapitalized = false;
  settings.SkipWithDigits = true;
  settings.StripSuffixes = true;
  settings.MainDicOnly = true;
  settings.MinWordLen = 6;
  settings.Commenter = "%";
  EXPECT_TRUE(ApplyEngineSettings(engine, settings));
  EXPECT_EQ(engine.MainDic, settings.MainDic);
  EXPECT_EQ(engine.DicFolder, settings.DicFolder);
  EXPECT_FALSE(engine.SkipMail || engine.SkipUrl || engine.SkipAllUpper || engine.SkipCapitalized);
  EXPECT_TRUE(engine.SkipWithDigits && engine.StripSuffixes && engine.MainDicOnly);
  EXPECT_EQ(engine.MinWordLen, 6);
  EXPECT_EQ(engine.Commenter, "%");
  // The engine's own switches stay.
  EXPECT_FALSE(engine.SkipWords);
  EXPECT_TRUE(engine.SkipTeX);

  // And back to the defaults, which differ from the engine's current state in every field.
  TSpellEngineSettings defaults;
  defaults.MainDic = settings.MainDic;
  defaults.DicFolder = settings.DicFolder;
  EXPECT_FALSE(ApplyEngineSettings(engine, defaults));
  EXPECT_TRUE(engine.SkipMail && engine.SkipUrl && engine.SkipAllUpper && engine.SkipCapitalized);
  EXPECT_FALSE(engine.SkipWithDigits || engine.StripSuffixes || engine.MainDicOnly);
  EXPECT_EQ(engine.MinWordLen, 3);
  EXPECT_EQ(engine.Commenter, "");
}

TEST_F(SpellWalk, RebuildOnlyWhenADictionaryNameReallyChanges) {
  TSpellEngineSettings settings;
  settings.MainDic = "C:\\Dic\\Custom.dic";
  settings.DicFolder = "C:\\Dic\\";
  ASSERT_TRUE(ApplyEngineSettings(engine, settings));
  EXPECT_FALSE(ApplyEngineSettings(engine, settings));

  TSpellEngineSettings otherCase = settings;
  otherCase.MainDic = "c:\\DIC\\custom.DIC";
  otherCase.DicFolder = "c:\\dic\\";
  EXPECT_FALSE(ApplyEngineSettings(engine, otherCase));
  EXPECT_EQ(engine.MainDic, settings.MainDic); // the old spelling stays

  TSpellEngineSettings newUser = settings;
  newUser.MainDic = "C:\\Dic\\Custom2.dic";
  EXPECT_TRUE(ApplyEngineSettings(engine, newUser));
  EXPECT_EQ(engine.MainDic, newUser.MainDic);

  TSpellEngineSettings newFolder = newUser;
  newFolder.DicFolder = "C:\\Dic2\\";
  EXPECT_TRUE(ApplyEngineSettings(engine, newFolder));
  EXPECT_EQ(engine.DicFolder, newFolder.DicFolder);
  EXPECT_EQ(engine.MainDic, newUser.MainDic);
}

} // namespace
