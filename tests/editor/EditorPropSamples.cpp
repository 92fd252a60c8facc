#include "EditorPropSamples.h"

#include "core/Format.h"

#include <sstream>

namespace editortest {

using namespace quolin;

void FillRichProp(TEditorProp& prop) {
  prop.SetColor(static_cast<TColor>(0x00123456));
  TEditorCaret& caret = prop.Caret();
  caret.AutoCursor = false;
  caret.AutoIndent = false;
  caret.FreeCaret = false;
  caret.InTab = true;
  caret.KeepCaret = true;
  caret.LockScroll = true;
  caret.NextLine = true;
  caret.PrevSpaceIndent = true;
  caret.RowSelect = false;
  caret.SelDragMode = TDragMode::dmManual;
  caret.SelMove = false;
  caret.SoftTab = true;
  caret.TabIndent = true;
  caret.SetStyle(TEditorCaretStyle::csBrief);
  caret.SetTabSpaceCount(4);
  caret.Cursors().DefaultCursor = crArrow;
  caret.Cursors().DragSelCursor = 300;
  caret.Cursors().DragSelCopyCursor = crHandPoint;
  caret.Cursors().InSelCursor = crDrag;
  caret.Cursors().LeftMarginCursor = 7;

  TFont font = prop.Font();
  font.Name = "ＭＳ ゴシック";
  font.SetPixelHeight(-13);
  font.Charset = SHIFTJIS_CHARSET_VALUE;
  font.Color = clBlack;
  font.Style = fsBold | fsUnderline;
  font.Pitch = TFontPitch::fpFixed;
  prop.SetFont(font);

  prop.Margin().SetCharacter(3);
  prop.Margin().SetLeft(-3);
  prop.Margin().SetLine(200);
  prop.Margin().SetTop(70000);

  prop.Marks().EofMark().SetVisible(true);
  prop.Marks().RetMark().SetVisible(true);
  prop.Marks().RetMark().SetColor(clSilver);
  prop.Marks().Underline().SetVisible(true);
  prop.Marks().Underline().SetColor(clRed);

  for (int word = 0; word < 500; ++word)
    prop.ReserveWordList().Add(Format("\\word%d", word));
  prop.SetScrollBars(TScrollStyle::ssBoth);

  TEditorViewInfo& view = prop.View();
  TEditorBracketItem& round = view.Brackets().Add();
  round.SetLeftBracket("(");
  round.SetRightBracket(")");
  round.ItemColor().SetColor(clMaroon);
  round.ItemColor().SetBkColor(clInfoBk);
  TEditorBracketItem& quote = view.Brackets().Add();
  quote.SetLeftBracket("「");
  quote.SetRightBracket("」");
  quote.ItemColor().SetStyle(fsItalic | fsStrikeOut);
  view.Brackets().Add(); // a pair with nothing but defaults
  view.Colors()[ciComment].SetColor(clGreen);
  view.Colors()[ciComment].SetBkColor(clWhite);
  view.Colors()[ciUrl].SetStyle(fsUnderline);
  view.Colors()[ciSelect].SetBkColor(static_cast<TColor>(0x00ABCDEF));
  view.SetCommenter("%");
  view.SetControlCode(true);
  view.SetHexPrefix("0x");
  view.SetMail(true);
  view.SetQuotation("\"");
  view.SetUrl(true);

  prop.SetWordWrap(true);
  TEditorWrapOption& wrap = prop.WrapOption();
  wrap.SetFollowRetMark(true);
  wrap.SetFollowPunctuation(true);
  wrap.SetFollowStr(std::string(300, '!') + "、。");
  wrap.SetLeading(true);
  wrap.SetLeadStr("（［\\");
  wrap.SetPunctuationStr("");
  wrap.SetWordBreak(true);
  wrap.SetWrapByte(200);
}

namespace {

class Comparison {
public:
  std::vector<std::string> differences;

  template <typename T> void Check(const std::string& name, const T& left, const T& right) {
    if (left == right)
      return;
    std::ostringstream line;
    line << name << ": " << Show(left) << " / " << Show(right);
    differences.push_back(line.str());
  }

  void Colors(const std::string& name, const TEditorColor& left, const TEditorColor& right) {
    Check(name + ".BkColor", left.BkColor(), right.BkColor());
    Check(name + ".Color", left.Color(), right.Color());
    Check(name + ".Style", left.Style(), right.Style());
  }

  void Mark(const std::string& name, const TEditorMark& left, const TEditorMark& right) {
    Check(name + ".Color", left.Color(), right.Color());
    Check(name + ".Visible", left.Visible(), right.Visible());
  }

private:
  template <typename T> static std::string Show(const T& value) {
    if constexpr (std::is_enum_v<T>)
      return std::to_string(static_cast<int>(value));
    else if constexpr (std::is_arithmetic_v<T>)
      return std::to_string(static_cast<long long>(value));
    else
      return std::string(value);
  }
};

} // namespace

std::vector<std::string> PropDifferences(const TEditorProp& left, const TEditorProp& right) {
  Comparison c;
// Compares the property at path on both sides, named by its path.
#define SAME(path) c.Check(#path, left.path, right.path)
  SAME(Color());
  SAME(Caret().AutoCursor);
  SAME(Caret().AutoIndent);
  SAME(Caret().Cursors().DefaultCursor);
  SAME(Caret().Cursors().DragSelCursor);
  SAME(Caret().Cursors().DragSelCopyCursor);
  SAME(Caret().Cursors().InSelCursor);
  SAME(Caret().Cursors().LeftMarginCursor);
  SAME(Caret().FreeCaret);
  SAME(Caret().InTab);
  SAME(Caret().KeepCaret);
  SAME(Caret().LockScroll);
  SAME(Caret().NextLine);
  SAME(Caret().PrevSpaceIndent);
  SAME(Caret().RowSelect);
  SAME(Caret().SelDragMode);
  SAME(Caret().SelMove);
  SAME(Caret().SoftTab);
  SAME(Caret().Style());
  SAME(Caret().TabIndent);
  SAME(Caret().TabSpaceCount());
  SAME(Font().Charset);
  SAME(Font().Color);
  SAME(Font().Size);
  SAME(Font().Name);
  SAME(Font().Pitch);
  SAME(Font().Style);
  SAME(Margin().Character());
  SAME(Margin().Left());
  SAME(Margin().Line());
  SAME(Margin().Top());
  c.Mark("Marks.EofMark", left.Marks().EofMark(), right.Marks().EofMark());
  c.Mark("Marks.RetMark", left.Marks().RetMark(), right.Marks().RetMark());
  c.Mark("Marks.Underline", left.Marks().Underline(), right.Marks().Underline());
  SAME(ReserveWordList().Text());
  SAME(ScrollBars());
  SAME(View().Brackets().Count());
  const TEditorViewInfo& va = left.View();
  const TEditorViewInfo& vb = right.View();
  for (int index = 0; index < std::min(va.Brackets().Count(), vb.Brackets().Count()); ++index) {
    const TEditorBracketItem& ia = va.Brackets().Items(index);
    const TEditorBracketItem& ib = vb.Brackets().Items(index);
    std::string name = "View.Brackets[" + std::to_string(index) + "]";
    c.Colors(name + ".ItemColor", ia.ItemColor(), ib.ItemColor());
    c.Check(name + ".LeftBracket", ia.LeftBracket(), ib.LeftBracket());
    c.Check(name + ".RightBracket", ia.RightBracket(), ib.RightBracket());
  }
  for (int index = 0; index < kEditorColorCount; ++index) {
    auto color = static_cast<TEditorColorIndex>(index);
    c.Colors(std::string("View.Colors.") + EditorColorName(color), va.Colors()[color],
             vb.Colors()[color]);
  }
  SAME(View().Commenter());
  SAME(View().ControlCode());
  SAME(View().HexPrefix());
  SAME(View().Mail());
  SAME(View().Quotation());
  SAME(View().Url());
  SAME(WordWrap());
  SAME(WrapOption().FollowRetMark());
  SAME(WrapOption().FollowPunctuation());
  SAME(WrapOption().FollowStr());
  SAME(WrapOption().Leading());
  SAME(WrapOption().LeadStr());
  SAME(WrapOption().PunctuationStr());
  SAME(WrapOption().WordBreak());
  SAME(WrapOption().WrapByte());
#undef SAME
  return c.differences;
}

} // namespace editortest
