// The table command's window-free half: cells of a selection, the placement text, the column
// format and the body, and the dialog's part in them.
#include "core/TabParams.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

using Cells = std::vector<std::vector<std::string>>;

std::string Names(const std::vector<TPlacementItem>& items) {
  std::string names;
  for (const TPlacementItem& item : items)
    names += item.Name + (item.Checked ? "+ " : "- ");
  return names;
}

std::vector<TPlacementItem> Loaded(std::string_view text) {
  auto items = DefaultPlacementItems();
  ApplyPlacementText(items, text);
  return items;
}

} // namespace

TEST(TableCells, CountChar) {
  EXPECT_EQ(CountChar("", ','), 0);
  EXPECT_EQ(CountChar(",a,,", ','), 3);
  EXPECT_EQ(CountChar("abc", ','), 0);
  // "表" is 95 5C: its trail byte is no backslash.
  EXPECT_EQ(CountChar("表\\", '\\'), 1);
}

TEST(TableCells, ExtractSeparatedField) {
  EXPECT_EQ(ExtractSeparatedField("a,,b", ",", 0), "a");
  EXPECT_EQ(ExtractSeparatedField("a,,b", ",", 1), "");
  EXPECT_EQ(ExtractSeparatedField("a,,b", ",", 2), "b");
  EXPECT_EQ(ExtractSeparatedField("a,,b", ",", 3), "");
  EXPECT_EQ(ExtractSeparatedField("a,b", "", 0), "");
  EXPECT_EQ(ExtractSeparatedField("a,b", ",", -1), "");
  EXPECT_EQ(ExtractSeparatedField("abc", ",", 0), "abc");
  EXPECT_EQ(ExtractSeparatedField("a,b,", ",", 2), "");
  EXPECT_EQ(ExtractSeparatedField("表\\x\\y", "\\", 1), "x");
}

TEST(TableCells, DetectCellSeparatorAndChar) {
  EXPECT_EQ(DetectCellSeparator("a,b\tc d"), csTab);
  EXPECT_EQ(DetectCellSeparator("a,b c"), csComma);
  EXPECT_EQ(DetectCellSeparator("a b"), csBlank);
  EXPECT_EQ(DetectCellSeparator("ab"), csTab);
  EXPECT_EQ(DetectCellSeparator(""), csTab);
  EXPECT_EQ(CellSeparatorChar(csComma), ",");
  EXPECT_EQ(CellSeparatorChar(csBlank), " ");
  EXPECT_EQ(CellSeparatorChar(csTab), "\t");
  EXPECT_EQ(CellSeparatorChar(3), "\t");
}

TEST(TableCells, SplitCellsFillsShortRows) {
  EXPECT_EQ(SplitCells("a\tb\r\nc\td\te", csTab), (Cells{{"a", "b", ""}, {"c", "d", "e"}}));
  EXPECT_EQ(SplitCells("a,b\nc\n", csComma), (Cells{{"a", "b"}, {"c", ""}}));
  EXPECT_TRUE(SplitCells("", csTab).empty());
}

TEST(TableCells, PlacementParsedAndBuiltBack) {
  EXPECT_EQ(Names(Loaded("[tp]")), "Top+ Page+ Here- Bottom- ");
  EXPECT_EQ(PlacementText(Loaded("[tp]")), "[tp]");
  EXPECT_EQ(Names(Loaded("[H]")), "Here+ Top- Bottom- Page- ");
  EXPECT_EQ(PlacementText(Loaded("[H]")), "[h]");
  EXPECT_EQ(Names(Loaded("")), "Here- Top- Bottom- Page- ");
  EXPECT_EQ(PlacementText(Loaded("")), "");
  // "!" names no item: it is dropped on the way back.
  EXPECT_EQ(Names(Loaded("[!htbp]")), "Here+ Top+ Bottom+ Page+ ");
  EXPECT_EQ(PlacementText(Loaded("[!htbp]")), "[htbp]");
  EXPECT_EQ(PlacementText(Loaded("[bt]")), "[bt]");
}

TEST(TableCells, PlacementUncheckedGivesEmpty) {
  auto items = Loaded("[tp]");
  items[0].Checked = false;
  EXPECT_EQ(PlacementText(items), "[p]");
  items[1].Checked = false;
  EXPECT_EQ(PlacementText(items), "");
}

TEST(TableCells, ColumnFormat) {
  TTabParams params;
  EXPECT_EQ(ColumnFormat(params, {}), "|c|c|c|c|");
  params.ColumnRules = false;
  EXPECT_EQ(ColumnFormat(params, {}), "cccc");
  params.Alignment = caLeft;
  params.Columns = 1;
  EXPECT_EQ(ColumnFormat(params, {"L", "C", "R", "!"}), "L");
  params.ColumnRules = true;
  params.Alignment = caRight;
  EXPECT_EQ(ColumnFormat(params, {"L", "C", "R", "!"}), "!R!");
}

TEST(TableCells, BodyWithAndWithoutRowRules) {
  TTabParams params;
  params.Rows = 2;
  params.Columns = 2;
  const Cells cells{{"a", "b"}, {"c"}};
  EXPECT_EQ(TableBody(params, {}, cells, "\r\n"),
            " \\hline\r\n a\t& b\t\\\\ \\hline\r\n c\t& \t\\\\ \\hline\r\n");
  params.RowRules = false;
  EXPECT_EQ(TableBody(params, {}, cells, "\n"), "\n a\t& b\t\\\\\n c\t& \n");
  params.Rows = 1;
  EXPECT_EQ(TableBody(params, {"<", "(", ")", "|", ";", "="}, {}, "\n"), "\n<()|()\n");
}

TEST(TableCells, BuildTableTextWithoutSelection) {
  TTabParams seen;
  bool shapeAsked = false;
  TTableText text;
  ASSERT_TRUE(BuildTableText(
      TTabParams{}, "", {}, {}, "\r\n",
      [&](TTabParams& params, bool newShape) {
        seen = params;
        shapeAsked = newShape;
        params.Rows = 1;
        params.Placement = "[h]";
        return true;
      },
      text));
  EXPECT_TRUE(shapeAsked);
  EXPECT_EQ(seen, TTabParams{});
  EXPECT_EQ(text.Format, "|c|c|c|c|");
  EXPECT_EQ(text.Body, " \\hline\r\n \t& \t& \t& \t\\\\ \\hline\r\n");
  EXPECT_EQ(text.Option, "[h]");
}

TEST(TableCells, BuildTableTextRecountsWithChosenSeparator) {
  TTabParams seen;
  TTableText text;
  const auto chooseComma = [&](TTabParams& params, bool newShape) {
    EXPECT_FALSE(newShape);
    seen = params;
    params.Separator = csComma;
    params.RowRules = false;
    return true;
  };
  ASSERT_TRUE(BuildTableText(TTabParams{}, "a\tb,c,e\r\nd", {}, {}, "\n", chooseComma, text));
  EXPECT_EQ(seen.Separator, csTab);
  EXPECT_EQ(seen.Rows, 2);
  EXPECT_EQ(seen.Columns, 2);
  EXPECT_EQ(text.Format, "|c|c|c|");
  EXPECT_EQ(text.Body, "\n a\tb\t& c\t& e\t\\\\\n d\t& \t& \n");
}

TEST(TableCells, BuildTableTextCancelled) {
  TTableText text{"f", "b", "o"};
  EXPECT_FALSE(BuildTableText(TTabParams{}, "", {}, {}, "\n",
                              [](TTabParams&, bool) { return false; }, text));
  EXPECT_EQ(text.Format, "f");
}
