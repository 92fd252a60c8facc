#include "EditorPropSamples.h"

#include "core/Format.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <type_traits>

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
  font.Charset = DEFAULT_CHARSET_VALUE;
  font.Color = clBlack;
  font.Style = fsBold | fsUnderline;
  font.Pitch = TFontPitch::fpFixed;
  prop.SetFont(font);

  prop.Margin().SetCharacter(3);
  prop.Margin().SetLeft(-3);
  prop.Margin().SetLine(200);
  prop.Margin().SetTop(70000);

  prop.Marks().EofMark().SetVisible(true);
  prop.Marks().EofMark().SetColor(static_cast<TColor>(0x00010203));
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
  // Each colour its own: named, system and RGB colours, every style.
  constexpr std::array<TColor, kEditorColorCount> kColors = {
      clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray, clInfoText, clRed, clBlue};
  for (int index = 0; index < kEditorColorCount; ++index) {
    TEditorColor& color = view.Colors()[static_cast<TEditorColorIndex>(index)];
    color.SetBkColor(static_cast<TColor>(0x00ABCDE0 + index));
    color.SetColor(kColors[static_cast<size_t>(index)]);
    color.SetStyle(static_cast<TFontStyles>(index % 15 + 1));
  }
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

// Walks the option tables of two objects side by side: every value is compared, and named
// in differences or in same.
class Comparison {
public:
  std::vector<std::string> differences;
  std::vector<std::string> same;

  template <typename Object>
  void Options(const std::string& prefix, const Object& left, const Object& right);

  template <typename T> void Check(const std::string& name, const T& left, const T& right) {
    if (left == right) {
      same.push_back(name);
      return;
    }
    std::ostringstream line;
    line << name << ": " << Show(left) << " / " << Show(right);
    differences.push_back(line.str());
  }

  void Whole(const std::string& name, const TStringList& left, const TStringList& right) {
    Check(name, left.Text(), right.Text());
  }

  void Whole(const std::string& name, const TEditorBracketCollection& left,
             const TEditorBracketCollection& right) {
    Check(name + ".Count", left.Count(), right.Count());
    for (int index = 0; index < std::min(left.Count(), right.Count()); ++index)
      Options(name + "[" + std::to_string(index) + "].", left.Items(index), right.Items(index));
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

template <typename Object> struct CompareEach {
  Comparison& comparison;
  const std::string& prefix;
  const Object& left;
  const Object& right;

  template <TOptionKind Kind, typename Get, typename Set>
  void operator()(const TValueOption<Kind, Get, Set>& option) const {
    comparison.Check(prefix + option.name, option.get(left), option.get(right));
  }
  template <typename Access> void operator()(const TPartOption<Access>& part) const {
    comparison.Options(prefix + part.name + ".", *part.of(left), *part.of(right));
  }
  template <typename Access> void operator()(const TWholeOption<Access>& whole) const {
    comparison.Whole(prefix + whole.name, *whole.of(left), *whole.of(right));
  }
};

template <typename Object>
void Comparison::Options(const std::string& prefix, const Object& left, const Object& right) {
  Object::ForEachOption(CompareEach<Object>{*this, prefix, left, right});
}

Comparison Compare(const TEditorProp& left, const TEditorProp& right) {
  Comparison comparison;
  comparison.Options("", left, right);
  return comparison;
}

} // namespace

std::vector<std::string> PropDifferences(const TEditorProp& left, const TEditorProp& right) {
  return Compare(left, right).differences;
}

std::vector<std::string> PropSameValues(const TEditorProp& left, const TEditorProp& right) {
  return Compare(left, right).same;
}

} // namespace editortest
