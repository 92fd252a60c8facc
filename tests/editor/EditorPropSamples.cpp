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
  c.Check("Color", left.Color(), right.Color());
  const TEditorCaret& a = left.Caret();
  const TEditorCaret& b = right.Caret();
  c.Check("Caret.AutoCursor", a.AutoCursor, b.AutoCursor);
  c.Check("Caret.AutoIndent", a.AutoIndent, b.AutoIndent);
  c.Check("Caret.Cursors.DefaultCursor", a.Cursors().DefaultCursor, b.Cursors().DefaultCursor);
  c.Check("Caret.Cursors.DragSelCursor", a.Cursors().DragSelCursor, b.Cursors().DragSelCursor);
  c.Check("Caret.Cursors.DragSelCopyCursor", a.Cursors().DragSelCopyCursor,
          b.Cursors().DragSelCopyCursor);
  c.Check("Caret.Cursors.InSelCursor", a.Cursors().InSelCursor, b.Cursors().InSelCursor);
  c.Check("Caret.Cursors.LeftMarginCursor", a.Cursors().LeftMarginCursor,
          b.Cursors().LeftMarginCursor);
  c.Check("Caret.FreeCaret", a.FreeCaret, b.FreeCaret);
  c.Check("Caret.InTab", a.InTab, b.InTab);
  c.Check("Caret.KeepCaret", a.KeepCaret, b.KeepCaret);
  c.Check("Caret.LockScroll", a.LockScroll, b.LockScroll);
  c.Check("Caret.NextLine", a.NextLine, b.NextLine);
  c.Check("Caret.PrevSpaceIndent", a.PrevSpaceIndent, b.PrevSpaceIndent);
  c.Check("Caret.RowSelect", a.RowSelect, b.RowSelect);
  c.Check("Caret.SelDragMode", a.SelDragMode, b.SelDragMode);
  c.Check("Caret.SelMove", a.SelMove, b.SelMove);
  c.Check("Caret.SoftTab", a.SoftTab, b.SoftTab);
  c.Check("Caret.Style", a.Style(), b.Style());
  c.Check("Caret.TabIndent", a.TabIndent, b.TabIndent);
  c.Check("Caret.TabSpaceCount", a.TabSpaceCount(), b.TabSpaceCount());

  const TFont& fa = left.Font();
  const TFont& fb = right.Font();
  c.Check("Font.Charset", fa.Charset, fb.Charset);
  c.Check("Font.Color", fa.Color, fb.Color);
  c.Check("Font.Size", fa.Size, fb.Size);
  c.Check("Font.Name", fa.Name, fb.Name);
  c.Check("Font.Pitch", fa.Pitch, fb.Pitch);
  c.Check("Font.Style", fa.Style, fb.Style);

  c.Check("Margin.Character", left.Margin().Character(), right.Margin().Character());
  c.Check("Margin.Left", left.Margin().Left(), right.Margin().Left());
  c.Check("Margin.Line", left.Margin().Line(), right.Margin().Line());
  c.Check("Margin.Top", left.Margin().Top(), right.Margin().Top());

  c.Mark("Marks.EofMark", left.Marks().EofMark(), right.Marks().EofMark());
  c.Mark("Marks.RetMark", left.Marks().RetMark(), right.Marks().RetMark());
  c.Mark("Marks.Underline", left.Marks().Underline(), right.Marks().Underline());

  c.Check("ReserveWordList.Strings", left.ReserveWordList().Text(), right.ReserveWordList().Text());
  c.Check("ScrollBars", left.ScrollBars(), right.ScrollBars());

  const TEditorViewInfo& va = left.View();
  const TEditorViewInfo& vb = right.View();
  c.Check("View.Brackets.Count", va.Brackets().Count(), vb.Brackets().Count());
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
  c.Check("View.Commenter", va.Commenter(), vb.Commenter());
  c.Check("View.ControlCode", va.ControlCode(), vb.ControlCode());
  c.Check("View.HexPrefix", va.HexPrefix(), vb.HexPrefix());
  c.Check("View.Mail", va.Mail(), vb.Mail());
  c.Check("View.Quotation", va.Quotation(), vb.Quotation());
  c.Check("View.Url", va.Url(), vb.Url());

  c.Check("WordWrap", left.WordWrap(), right.WordWrap());
  const TEditorWrapOption& wa = left.WrapOption();
  const TEditorWrapOption& wb = right.WrapOption();
  c.Check("WrapOption.FollowRetMark", wa.FollowRetMark(), wb.FollowRetMark());
  c.Check("WrapOption.FollowPunctuation", wa.FollowPunctuation(), wb.FollowPunctuation());
  c.Check("WrapOption.FollowStr", wa.FollowStr(), wb.FollowStr());
  c.Check("WrapOption.Leading", wa.Leading(), wb.Leading());
  c.Check("WrapOption.LeadStr", wa.LeadStr(), wb.LeadStr());
  c.Check("WrapOption.PunctuationStr", wa.PunctuationStr(), wb.PunctuationStr());
  c.Check("WrapOption.WordBreak", wa.WordBreak(), wb.WordBreak());
  c.Check("WrapOption.WrapByte", wa.WrapByte(), wb.WrapByte());
  return c.differences;
}

} // namespace editortest
