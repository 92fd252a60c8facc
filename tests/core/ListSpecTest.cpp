#include "core/HelperPanel.h"
#include "core/ListSpec.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

std::string Captions(const std::vector<TListEntry>& entries) {
  std::string text;
  for (const TListEntry& entry : entries)
    text += "[" + entry.Caption + "|" + entry.Template + "]";
  return text;
}

TEST(ListSpec, KindByNumberAndCommandWord) {
  EXPECT_EQ(ListKindOf(-1, "$List(a)"), lkGroup);
  EXPECT_EQ(ListKindOf(0, "$List"), lkLabels);
  EXPECT_EQ(ListKindOf(5, "$list(a)"), lkLabels);
  EXPECT_EQ(ListKindOf(5, "$FONTS"), lkFont);
  EXPECT_EQ(ListKindOf(5, "$Lis"), lkGroup);
  EXPECT_EQ(ListKindOf(5, " $List"), lkGroup);
  EXPECT_EQ(ListKindOf(5, "\\section{$S}"), lkGroup);
}

TEST(ListSpec, LabelListArgumentsAsSpelled) {
  TLabelListArgs args =
      ReadLabelListArgs("$list(ラベル:\\label{$S},\"\\ref{$Label},(p.\\pageref{$Label})\",参照)");
  EXPECT_EQ(args.Labels, "ラベル:\\label{$S}");
  EXPECT_EQ(args.References, "\\ref{$Label},(p.\\pageref{$Label})");
  EXPECT_EQ(args.InsertCaption, "参照");
  EXPECT_TRUE(args.FixedStyle);

  TLabelListArgs defaults = ReadLabelListArgs("$LIST(\\label{$S})");
  EXPECT_EQ(defaults.Labels, "\\label{$S}");
  EXPECT_EQ(defaults.References, "");
  EXPECT_EQ(defaults.InsertCaption, "挿入");
  EXPECT_TRUE(defaults.FixedStyle);
  EXPECT_FALSE(ReadLabelListArgs("$List(a,False)").FixedStyle);
  EXPECT_FALSE(ReadLabelListArgs("$List(a,0)").FixedStyle);
}

TEST(ListSpec, LabelEntriesQuotedBlankAndJapanese) {
  EXPECT_EQ(Captions(LabelEntries("ラベル:\\label{$S}")), "[ラベル|\\label{$S}]");
  EXPECT_EQ(Captions(LabelEntries("\"式 :\\label{eq:$S}\",,\"  \",\\label{$S}")),
            "[式 |\\label{eq:$S}][\\label{$S}|\\label{$S}]");
  EXPECT_TRUE(LabelEntries("").empty());
  EXPECT_TRUE(LabelEntries("\"\" , \" \"").empty());
}

TEST(ListSpec, ReferenceEntriesCutOutsideParentheses) {
  EXPECT_EQ(Captions(ReferenceEntries("\\ref{$Label},(p.\\pageref{$Label})")),
            "[\\ref{$Label}|\\ref{$Label}][(p.\\pageref{$Label})|(p.\\pageref{$Label})]");
  EXPECT_EQ(Captions(ReferenceEntries(" 図:\\ref{$Label} ,, (a,(b,c)) ,")),
            "[図|\\ref{$Label}][(a,(b,c))|(a,(b,c))]");
  // A closing parenthesis without an opening one does not hide the next comma.
  EXPECT_EQ(Captions(ReferenceEntries("a),b")), "[a)|a)][b|b]");
}

TEST(ListSpec, ColonSplitsOnlyAfterTheFirstCharacter) {
  EXPECT_EQ(SplitListEntry(":x"), (TListEntry{":x", ":x"}));
  EXPECT_EQ(SplitListEntry("a:x"), (TListEntry{"a", "x"}));
  EXPECT_EQ(SplitListEntry("a::x"), (TListEntry{"a", ":x"}));
  EXPECT_EQ(SplitListEntry("マ:\\ref{$Label}"), (TListEntry{"マ", "\\ref{$Label}"}));
  EXPECT_EQ(SplitListEntry("表"), (TListEntry{"表", "表"}));
}

TEST(ListSpec, ReferenceInsertDoublesDollars) {
  EXPECT_EQ(ReferenceInsertText("\\ref{$Label}", "eq:a", "a.tex"), "\\ref{eq:a}");
  EXPECT_EQ(ReferenceInsertText("\\ref{$Label} in $Owner", "a$Sb", "C:\\$d\\a.tex"),
            "\\ref{a$$Sb} in C:\\$$d\\a.tex");
  // A label that spells a placeholder is put in once, not filled again.
  EXPECT_EQ(ReferenceInsertText("$Label/$Owner", "$Owner", "o"), "$$Owner/o");
  EXPECT_EQ(ReferenceInsertText("$$Label $Labe", "x", "o"), "$$Label $Labe");
  EXPECT_EQ(DocumentComboHint("a.tex"), "参照文章(a.tex)|");
}

TEST(ListSpec, FontArgumentsAndFill) {
  TFontToolArgs args = ReadFontToolArgs("$font(\"変更なし,\\rmfamily\",\"変更なし,\\large\","
                                        "\"\\bfseries,\\mdseries\",\"\\itshape\")");
  EXPECT_EQ(FontEntries(args.Names), (std::vector<std::string>{"変更なし", "\\rmfamily"}));
  EXPECT_EQ(FontEntries(args.Sizes), (std::vector<std::string>{"変更なし", "\\large"}));
  EXPECT_EQ(FontEntries(args.Series), (std::vector<std::string>{"\\bfseries", "\\mdseries"}));
  EXPECT_EQ(args.Template, "{$FontName$FontSize$FontSeries$FontShape $S}");
  EXPECT_EQ(FillFontTemplate(args.Template, "変更なし", "\\large", "\\bfseries", "変更なし"),
            "{\\large\\bfseries $S}");
  EXPECT_EQ(FillFontTemplate("[$FontShape|$FontName]", "$FontShape", "", "", "\\it"),
            "[\\it|$FontShape]");
  EXPECT_EQ(ReadFontToolArgs("$Font(a,b,c,d,<$FontName>)").Template, "<$FontName>");
  EXPECT_EQ(NumberedEntryCaption("\\bfseries", 1), "\\bfseries(1)");
}

TEST(ListSpec, FontApplyNeedsAChange) {
  EXPECT_FALSE(FontApplyEnabled(0, 0, false, false));
  EXPECT_TRUE(FontApplyEnabled(1, 0, false, false));
  EXPECT_TRUE(FontApplyEnabled(0, 1, false, false));
  EXPECT_TRUE(FontApplyEnabled(0, 0, true, false));
  EXPECT_TRUE(FontApplyEnabled(0, 0, false, true));
  EXPECT_FALSE(FontApplyEnabled(-1, -1, false, false));
}

TEST(ListSpec, VisibleToolGroupsOfEight) {
  EXPECT_EQ(ParseVisibleTool("00000081FFFF"), (std::vector<int>{0x81}));
  EXPECT_EQ(ParseVisibleTool("0000008"), (std::vector<int>{}));
  EXPECT_EQ(ParseVisibleTool("0000000G00000081"), (std::vector<int>{0, 0x81}));
  EXPECT_EQ(ParseVisibleTool("fffffffe00000081 0000081"), (std::vector<int>{-2, 0x81, 0}));
  EXPECT_EQ(ParseVisibleTool("-0000001+0000001"), (std::vector<int>{0, 0}));
  EXPECT_EQ(ParseVisibleTool("0000008100000081"), (std::vector<int>{0x81, 0x81}));
  EXPECT_EQ(BuildVisibleTool({0x81, -2, 0x1A}), "00000081FFFFFFFE0000001A");
  EXPECT_EQ(BuildVisibleTool({}), "");
}

// A 100 x 50 panel in a 400 x 300 client, rows 16 pixels high.
THelperPlacement Place(int x, int y) {
  return PlaceHelperPanel(x, y, 16, 100, 50, 400, 300);
}

TEST(ListSpec, HelperPanelAtEachEdge) {
  THelperPlacement inside = Place(40, 20);
  EXPECT_EQ(inside.Left, 39);
  EXPECT_EQ(inside.Top, 36);
  EXPECT_FALSE(inside.GridOnTop);
  EXPECT_EQ(Place(301, 20).Left, 300);
  EXPECT_EQ(Place(302, 20).Left, 300);
  EXPECT_EQ(Place(0, 20).Left, 0);
  EXPECT_EQ(Place(234, 234).Top, 250);
  EXPECT_FALSE(Place(234, 234).GridOnTop);
  THelperPlacement bottom = Place(40, 235);
  EXPECT_EQ(bottom.Top, 185);
  EXPECT_TRUE(bottom.GridOnTop);
  // Too small a window: placed at its top left.
  THelperPlacement cramped = PlaceHelperPanel(30, 20, 16, 100, 50, 60, 40);
  EXPECT_EQ(cramped.Left, 0);
  EXPECT_EQ(cramped.Top, 0);
  EXPECT_TRUE(cramped.GridOnTop);
}

TEST(ListSpec, HelperMasterFromTypedText) {
  std::optional<TQuolin_CmdList> alpha = NewHelperMaster(" \\alpha", 0x1A3);
  ASSERT_TRUE(alpha);
  EXPECT_EQ(alpha->Id, 0x1A3);
  EXPECT_EQ(alpha->Name, "+支援から追加(419)");
  EXPECT_EQ(alpha->AssistCaption, "alpha");
  EXPECT_EQ(alpha->Command, " \\alpha");
  EXPECT_EQ(alpha->ImgIndex, -1);
  EXPECT_EQ(alpha->CommandType, 13);
  EXPECT_TRUE(alpha->ShowList);
  EXPECT_EQ(alpha->ShortCut, 0);

  std::optional<TQuolin_CmdList> tab = NewHelperMaster("a\tb", 7);
  ASSERT_TRUE(tab);
  EXPECT_EQ(tab->Command, "a$Tab" "b");
  EXPECT_EQ(tab->AssistCaption, "a\tb");

  EXPECT_FALSE(NewHelperMaster("\\a", 7));
  EXPECT_FALSE(NewHelperMaster("マス", 7));
  EXPECT_TRUE(NewHelperMaster("マスタ", 7));
  EXPECT_TRUE(NewHelperMaster("\\ab", 7));
}

} // namespace
