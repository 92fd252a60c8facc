#include "core/StringList.h"
#include "CoreTempFolder.h"
#include "core/Exceptions.h"
#include "core/JoinedStrings.h"

#include <gtest/gtest.h>

using namespace quolin;
using quolin::test_support::Joined;

namespace {

TEST(StringList, TextAndCommaText) {
  TStringList list;
  list.SetText("a\rb\nc\r\nd");
  EXPECT_EQ(Joined(list), "[a][b][c][d]");
  list.SetText("a\r\n");
  EXPECT_EQ(Joined(list), "[a]");
  list.SetText("a\r\n\r\n");
  EXPECT_EQ(Joined(list), "[a][]");
  list.SetText(std::string("x\0y\r\nz", 6));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], std::string("x\0y", 3));
  EXPECT_EQ(list.Text(), std::string("x\0y\r\nz\r\n", 8));
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
  list.SetCommaText("a,,b");
  EXPECT_EQ(Joined(list), "[a][][b]");
  list.SetCommaText("a,b,");
  EXPECT_EQ(Joined(list), "[a][b]");
  list.SetCommaText("\"x y\", \"say \"\"hi\"\"\" plain");
  EXPECT_EQ(Joined(list), "[x y][say \"hi\"][plain]");

  list.Clear();
  list.Add("");
  EXPECT_EQ(list.CommaText(), "\"\"");
  list.Clear();
  for (const char* item : {"a b", "c,d", "e\"f", "g\th", "表示"})
    list.Add(item);
  EXPECT_EQ(list.CommaText(), "\"a b\",\"c,d\",\"e\"\"f\",\"g\th\",表示");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_TRUE(back.Equals(list));
  list.Clear();
  list.Add("a");
  list.Add("");
  EXPECT_EQ(list.CommaText(), "a,\"\"");
  list.Add("");
  EXPECT_EQ(list.CommaText(), "a,,\"\"");
  list.Add(std::string("x\0y", 3));
  EXPECT_EQ(list.CommaText(), std::string("a,,,\"x\0y\"", 9));
  back.SetCommaText(list.CommaText());
  EXPECT_TRUE(back.Equals(list));
}

TEST(StringList, DelimitedText) {
  // ポ is 83 7C, its second byte that of "|"; 表 is 95 5C.
  TStringList list;
  list.Delimiter = '|';
  list.SetDelimitedText("ポ|表|a");
  EXPECT_EQ(Joined(list), "[ポ][表][a]");
  EXPECT_EQ(list.DelimitedText(), "ポ|表|a");
  list.Delimiter = '\\';
  list.QuoteChar = '|';
  list.SetDelimitedText("|ポ||x|\\表");
  EXPECT_EQ(Joined(list), "[ポ|x][表]");
  EXPECT_EQ(list.DelimitedText(), "|ポ||x|\\表");
  TStringList strict;
  strict.Delimiter = ';';
  strict.StrictDelimiter = true;
  strict.SetDelimitedText("a b;c");
  EXPECT_EQ(Joined(strict), "[a b][c]");
  EXPECT_EQ(strict.DelimitedText(), "a b;c");
}

TEST(StringList, ValuesObjectsAndEvents) {
  TStringList list;
  list.SetText("Left=10\r\nTop=20\r\n");
  EXPECT_EQ(list.Values("left"), "10");
  EXPECT_EQ(list.Values("TOP"), "20");
  EXPECT_EQ(list.Values("Width"), "");
  list.SetValue("top", "30");
  EXPECT_EQ(list[1], "top=30");
  list.SetValue("Left", "");
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Names(0), "top");
  EXPECT_EQ(list.ValueFromIndex(0), "30");
  TStringList objects;
  TObject first, second;
  objects.AddObject("x", &first);
  objects.AddObject("y", &second);
  objects.Move(1, 0);
  EXPECT_EQ(objects[0], "y");
  EXPECT_EQ(objects.Objects(0), &second);
  objects.Exchange(0, 1);
  EXPECT_EQ(objects.Objects(1), &second);
  EXPECT_EQ(objects.IndexOfObject(&first), 0);
  EXPECT_THROW(objects.Get(2), EStringListError);
  EXPECT_THROW(objects.Delete(-1), EStringListError);
  TStringList events;
  int changing = 0, changed = 0;
  events.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &events);
    ++changing;
  };
  events.OnChange = [&](TObject*) { ++changed; };
  events.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  events.SetText("a\r\nb\r\nc\r\n");
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
}

TEST(StringList, SortedListsHonourDuplicates) {
  TStringList list;
  list.SetSorted(true);
  list.Add("b");
  list.Add("a");
  list.Add("c");
  list.Add("b");
  EXPECT_EQ(Joined(list), "[a][b][c]");

  list.Duplicates = TDuplicates::dupAccept;
  list.Add("b");
  EXPECT_EQ(Joined(list), "[a][b][b][c]");
  int index = -1;
  EXPECT_TRUE(list.Find("b", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("bb", index));
  EXPECT_EQ(index, 3);

  list.Duplicates = TDuplicates::dupError;
  EXPECT_THROW(list.Add("c"), EStringListError);
  EXPECT_THROW(list.Insert(0, "z"), EStringListError);
  EXPECT_EQ(list.IndexOf("C"), 3);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("C"), -1);
}

TEST(StringList, AssigningToASortedListEndsAsAddingOneByOne) {
  TStringList target;
  target.SetSorted(true);
  int changes = 0;
  target.OnChange = [&](TObject*) { ++changes; };
  // The source's strings in its order, assigned and added one by one to a list like target.
  auto expectSame = [&](std::initializer_list<const char*> strings, bool sorted,
                        bool caseSensitive) {
    TStringList source;
    source.Duplicates = TDuplicates::dupAccept;
    source.SetCaseSensitive(caseSensitive);
    for (const char* text : strings)
      source.Add(text);
    source.SetSorted(sorted);
    TStringList oneByOne;
    oneByOne.SetSorted(true);
    oneByOne.SetCaseSensitive(target.CaseSensitive());
    for (int i = 0; i < source.Count(); ++i)
      oneByOne.Add(source[i]);
    target.Assign(source);
    EXPECT_EQ(Joined(target), Joined(oneByOne)) << Joined(source);
  };
  expectSame({"a", "b", "c"}, true, false);
  EXPECT_EQ(Joined(target), "[a][b][c]");
  EXPECT_EQ(changes, 1) << "one change for the whole list";
  expectSame({"c", "a", "b"}, false, false);
  expectSame({"b", "a", "b"}, true, false); // a sorted source's duplicate
  EXPECT_EQ(Joined(target), "[a][b]");
  expectSame({"A", "a", "b"}, true, true); // in order for the source, equal for the target
  EXPECT_EQ(target.Count(), 2);
  target.SetCaseSensitive(true);
  expectSame({"A", "a", "b"}, true, true);
  EXPECT_EQ(target.Count(), 3);
}

TEST(StringList, FileRoundTripAndMissingFile) {
  core_test::TempFolder folder;
  std::string path = folder / "リスト表.txt";
  TStringList list;
  list.SetText("一\r\n二\r\n");
  list.SaveToFile(path);
  TStringList back;
  back.LoadFromFile(path);
  EXPECT_TRUE(back.Equals(list));
  core_test::TempFolder::RemoveFile(path);
  EXPECT_THROW(back.LoadFromFile(path), EFileError);
  EXPECT_EQ(back.Count(), 2);
}

} // namespace
