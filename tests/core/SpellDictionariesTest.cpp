#include "SpellTestFiles.h"
#include "core/Paths.h"
#include "core/Sjis.h"
#include "core/SpellCheck.h"
#include "core/spell_support/SpellInputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_set>
#include <vector>

using namespace quolin;
using namespace quolin::spell_test;

namespace {

std::vector<std::string> FileNames(const TempFolder& folder) {
  std::vector<std::string> names = FindFileNames(folder / "*");
  std::sort(names.begin(), names.end());
  return names;
}

using core_test::CurrentFolder;

class SpellDictionaries : public ::testing::Test {
protected:
  TempFolder folder{"dic"};
  TQuolinSpellCheck check;

  // Files of the folder: {name, content}.
  void Write(std::initializer_list<std::pair<const char*, const char*>> files) {
    for (auto [name, content] : files)
      ASSERT_NE(folder.Write(name, content), "") << name;
  }

  // A user dictionary in the folder and the folder as the dictionary folder, named without
  // its final separator.
  void UseFolder(const std::string& userDictionary = "Custom.dic") {
    check.MainDic = folder / userDictionary;
    check.DicFolder = ExcludeTrailingPathDelimiter(folder.Path());
  }
};

TEST_F(SpellDictionaries, DebianListsMergeIgnoringCase) {
  DebianDictionaries lists;
  ASSERT_EQ(lists.Error(), "");
  ASSERT_TRUE(lists.CopyBritishBesideAmerican());
  // The folder's name ends in ソ (83 5C): its separator must still be added.
  check.DicFolder = lists.AmericanFolder();
  check.MainDic = lists.AmericanFolder() + "\\user.dic";
  EXPECT_FALSE(check.LoadDictionaries()); // no user dictionary
  EXPECT_FALSE(check.UserDicUnreadable());

  std::unordered_set<std::string> distinct;
  size_t lines = 0;
  for (const std::string& path : {lists.American(), lists.British()}) {
    std::vector<std::string> words = spell_support::ReadWords(path);
    lines += words.size();
    for (const std::string& word : words)
      distinct.insert(sjis::LowerAscii(word));
  }
  EXPECT_GT(lines, distinct.size()); // the lists share most words
  EXPECT_EQ(static_cast<size_t>(check.OtherDic.Count()), distinct.size());
  EXPECT_TRUE(check.OtherDic.Find("color"));
  EXPECT_TRUE(check.OtherDic.Find("Colour"));
  EXPECT_EQ(check.UserDic.Count(), 0);
}

TEST_F(SpellDictionaries, MissingWordListNamesItsPackage) {
  const spell_support::DebianWordList missing{"no-such-english", "wnosuch"};
  std::string error = spell_support::MakeDictionaryFromWordList(missing, folder / "x.dic");
  EXPECT_NE(error.find("wnosuch"), std::string::npos) << error;
  EXPECT_FALSE(FileExists(folder / "x.dic"));
}

TEST_F(SpellDictionaries, UserDictionaryIsLeftOutOfTheOthers) {
  Write({{"Custom.dic", "mine\r\nshared\r\n"}, {"other.dic", "theirs\r\nshared\r\n"}});
  UseFolder();
  EXPECT_TRUE(check.LoadDictionaries());
  EXPECT_EQ(Words(check.UserDic), (std::vector<std::string>{"mine", "shared"}));
  EXPECT_EQ(Words(check.OtherDic), (std::vector<std::string>{"shared", "theirs"}));
  // Named in another case it is the same file on Windows: still left out.
  check.MainDic = folder / "CUSTOM.DIC";
  check.LoadDictionaries();
  EXPECT_EQ(Words(check.OtherDic), (std::vector<std::string>{"shared", "theirs"}));

  // A relative name is made absolute before the comparison.
  CurrentFolder current(folder.Path());
  check.MainDic = "Custom.dic";
  EXPECT_TRUE(check.LoadDictionaries());
  EXPECT_EQ(Words(check.UserDic), (std::vector<std::string>{"mine", "shared"}));
  EXPECT_EQ(Words(check.OtherDic), (std::vector<std::string>{"shared", "theirs"}));
}

TEST_F(SpellDictionaries, OnlyDicFilesAreReadWithEveryLineEnd) {
  Write({
      {"a.dic", "alpha\r\n"},
      {"B.DIC", "beta\r\n"},
      {"x.dicx", "chi\r\n"},
      {"y.dic~", "upsilon\r\n"},
      {"z.dic.bak", "zeta\r\n"},
      {"crlf.dic", "\r\none\r\n\r\ntwo words\r\n"},
      {"lf.dic", "three\n\nfour"},
      {"cr.dic", "five\r\rsix\r"},
      {"blank.dic", " seven \r\n"},
      {"user.dic", "\r\n\r\n"},
  });
  ForceDirectories(folder / "sub.dic");
  UseFolder("user.dic");
  EXPECT_TRUE(check.LoadDictionaries());
  EXPECT_EQ(check.UserDic.Count(), 0);
  EXPECT_EQ(Words(check.OtherDic),
            (std::vector<std::string>{" seven ", "alpha", "beta", "five", "four", "one", "six",
                                      "three", "two words"}));
}

TEST_F(SpellDictionaries, EmptyFolderNameReadsNoOtherDictionaries) {
  // Neither the current folder nor the root of its drive is searched.
  Write({{"here.dic", "here\r\n"}, {"there.dic", "there\r\n"}});
  std::string root = ExtractFileDrive(folder.Path()) + "\\quolin_spell_root_test.dic";
  TempFolder::WriteFile(root, "root\r\n");
  CurrentFolder current(folder.Path());
  check.MainDic = folder / "here.dic";
  check.DicFolder = "";
  EXPECT_TRUE(check.LoadDictionaries());
  TempFolder::RemoveFile(root);
  EXPECT_EQ(check.OtherDic.Count(), 0);
  EXPECT_EQ(Words(check.UserDic), std::vector<std::string>{"here"});
}

TEST_F(SpellDictionaries, MissingOrUnreadableFilesAreSkipped) {
  Write({{"a.dic", "alpha\r\n"}, {"b.dic", "beta\r\n"}});
  UseFolder("missing.dic");
  EXPECT_FALSE(check.LoadDictionaries());
  EXPECT_FALSE(check.UserDicUnreadable()); // a missing one may be created
  EXPECT_EQ(Words(check.OtherDic), (std::vector<std::string>{"alpha", "beta"}));
  EXPECT_EQ(check.AddWordsToUserDictionary("newword", true), 1);
  EXPECT_EQ(TempFolder::ReadFile(check.MainDic), "newword\r\n");

  HeldFile held(folder / "a.dic");
  ASSERT_TRUE(held.Held());
  EXPECT_FALSE(check.LoadDictionaries());
  EXPECT_EQ(Words(check.OtherDic), std::vector<std::string>{"beta"});
  EXPECT_EQ(Words(check.UserDic), std::vector<std::string>{"newword"});
  held.Release();
  EXPECT_TRUE(check.LoadDictionaries());
  EXPECT_EQ(Words(check.OtherDic), (std::vector<std::string>{"alpha", "beta"}));

  check.DicFolder = folder / "no such folder";
  EXPECT_TRUE(check.LoadDictionaries());
  EXPECT_EQ(check.OtherDic.Count(), 0);
}

TEST_F(SpellDictionaries, UnreadableUserDictionaryIsNeverOverwritten) {
  UseFolder();
  const std::string saved = "alpha\r\nbeta\r\n";
  TempFolder::WriteFile(check.MainDic, saved);
  HeldFile held(check.MainDic);
  ASSERT_TRUE(held.Held());
  EXPECT_FALSE(check.LoadDictionaries());
  EXPECT_TRUE(check.UserDicUnreadable());
  EXPECT_EQ(check.UserDic.Count(), 0);
  EXPECT_EQ(check.AddWordsToUserDictionary("gamma", true), 1);
  EXPECT_FALSE(check.SaveUserDictionary());
  held.Release();
  EXPECT_EQ(TempFolder::ReadFile(check.MainDic), saved);
  EXPECT_FALSE(check.SaveUserDictionary()); // until a load has read it

  EXPECT_TRUE(check.LoadDictionaries());
  EXPECT_FALSE(check.UserDicUnreadable());
  EXPECT_EQ(check.AddWordsToUserDictionary("Gamma delta", true), 2);
  EXPECT_EQ(TempFolder::ReadFile(check.MainDic), "alpha\r\nbeta\r\ndelta\r\nGamma\r\n");
  EXPECT_EQ(FileNames(folder), std::vector<std::string>{"Custom.dic"});
}

TEST_F(SpellDictionaries, FailedSaveKeepsTheFile) {
  UseFolder();
  TempFolder::WriteFile(check.MainDic, "alpha\r\n");
  ASSERT_TRUE(check.LoadDictionaries());
  check.UserDic.Add("beta");
  {
    HeldFile held(check.MainDic);
    ASSERT_TRUE(held.Held());
    EXPECT_FALSE(check.SaveUserDictionary());
  }
  EXPECT_EQ(TempFolder::ReadFile(check.MainDic), "alpha\r\n");
  EXPECT_EQ(FileNames(folder), std::vector<std::string>{"Custom.dic"});
  EXPECT_TRUE(check.SaveUserDictionary());
  EXPECT_EQ(TempFolder::ReadFile(check.MainDic), "alpha\r\nbeta\r\n");
  EXPECT_EQ(FileNames(folder), std::vector<std::string>{"Custom.dic"});

  check.MainDic = folder / "missing folder\\Custom.dic";
  EXPECT_FALSE(check.SaveUserDictionary());
}

} // namespace
