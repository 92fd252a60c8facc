// The option objects of an editor view: caret, margins, marks, colours, brackets, tokenizer
// switches and word-wrap rules. Each tells its owner through OnChange when a value really
// changed, and copies another object of its class with Assign in one notification. Each lists
// its published options in a table (ForEachOption, see core/OptionTable.h), defined at the end.
// Window-free.
#pragma once

#include "core/ControlTypes.h"
#include "core/Font.h"
#include "core/OptionTable.h"
#include "core/Persistent.h"
#include "core/StringList.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace quolin {

class TNotifyPersistent : public TPersistent {
public:
  TNotifyEvent OnChange;

  TNotifyPersistent(const TNotifyPersistent&) = delete;
  TNotifyPersistent& operator=(const TNotifyPersistent&) = delete;

  void BeginUpdate() { ++updateCount_; }
  // Lowers the update count and reports the change (once the count is back at 0).
  void EndUpdate();
  // Fires OnChange with this object as sender, unless an update is running.
  virtual void Changed();
  // The OnChange handler a container gives the objects it owns.
  virtual void ChildChanged(TObject* sender);

protected:
  TNotifyPersistent() = default;

  template <typename T> void Store(T& field, const T& value) {
    if (field == value)
      return;
    field = value;
    Changed();
  }
  // Runs copy between BeginUpdate and EndUpdate, so an assignment notifies once.
  template <typename Copy> void InOneUpdate(Copy copy) {
    BeginUpdate();
    try {
      copy();
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }
  // Wires child's OnChange to ChildChanged.
  void Own(TNotifyPersistent& child);
  // Assign of a class Self with an option table: the options of a source of the same class,
  // copied in one update.
  template <typename Self> void AssignOptions(const TPersistent& source) {
    const auto* other = dynamic_cast<const Self*>(&source);
    if (!other)
      return TPersistent::Assign(source);
    InOneUpdate([&] { CopyOptions(static_cast<Self&>(*this), *other); });
  }

private:
  int updateCount_ = 0;
};

// Cursor numbers of "RightArrow" and "DragSelCopy", registered by the editor's start-up step;
// new TEditorCursors take them as defaults.
struct EditorCursorNumbers {
  TCursor leftMargin = 1;
  TCursor dragSelCopy = 2;
};
EditorCursorNumbers& RegisteredEditorCursors();

class TEditorCursors : public TPersistent {
public:
  TCursor DefaultCursor = crIBeam;
  TCursor DragSelCursor = crDrag;
  TCursor DragSelCopyCursor = RegisteredEditorCursors().dragSelCopy;
  TCursor InSelCursor = crDefault;
  TCursor LeftMarginCursor = RegisteredEditorCursors().leftMargin;

  void Assign(const TPersistent& source) override;
  template <typename Visit> static void ForEachOption(Visit&& visit);
};

enum class TEditorCaretStyle : uint8_t { csDefault, csBrief };

// Only Style and TabSpaceCount notify; the flags are read where they act.
class TEditorCaret : public TNotifyPersistent {
public:
  bool AutoCursor = true;
  bool AutoIndent = true;
  bool FreeCaret = true; // the caret may stand past the row end
  bool InTab = false;    // the caret may stand inside a TAB's fill columns
  bool KeepCaret = false;
  bool LockScroll = false;
  bool NextLine = false;
  bool PrevSpaceIndent = false;
  bool RowSelect = true;
  TDragMode SelDragMode = TDragMode::dmAutomatic;
  bool SelMove = true;
  bool SoftTab = false;
  bool TabIndent = false;

  TEditorCaret() = default;
  void Assign(const TPersistent& source) override;
  template <typename Visit> static void ForEachOption(Visit&& visit);

  TEditorCursors& Cursors() { return cursors_; }
  const TEditorCursors& Cursors() const { return cursors_; }
  void SetCursors(const TEditorCursors& cursors) { cursors_.Assign(cursors); }
  TEditorCaretStyle Style() const { return style_; }
  void SetStyle(TEditorCaretStyle style) { Store(style_, style); }
  int TabSpaceCount() const { return tabSpaceCount_; }
  // Clamped to 2..8, then down to an even number.
  void SetTabSpaceCount(int count);

private:
  TEditorCursors cursors_;
  TEditorCaretStyle style_ = TEditorCaretStyle::csDefault;
  int tabSpaceCount_ = 8;
};

// Pixels.
class TEditorMargin : public TNotifyPersistent {
public:
  TEditorMargin() = default;
  void Assign(const TPersistent& source) override;
  template <typename Visit> static void ForEachOption(Visit&& visit);

  int Character() const { return character_; }
  void SetCharacter(int value); // clamped to 0..100
  int Left() const { return left_; }
  void SetLeft(int value) { Store(left_, value); }
  int Line() const { return line_; }
  void SetLine(int value) { Store(line_, value); }
  int Top() const { return top_; }
  void SetTop(int value) { Store(top_, value); }

private:
  int character_ = 0;
  int left_ = 19;
  int line_ = 0;
  int top_ = 2;
};

class TEditorColor : public TNotifyPersistent {
public:
  TEditorColor() = default;
  TEditorColor(TColor bkColor, TColor color, TFontStyles style = 0)
      : bkColor_(bkColor), color_(color), style_(style) {}
  void Assign(const TPersistent& source) override;
  template <typename Visit> static void ForEachOption(Visit&& visit);

  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor value) { Store(bkColor_, value); }
  TColor Color() const { return color_; }
  void SetColor(TColor value) { Store(color_, value); }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value) { Store(style_, value); }

private:
  TColor bkColor_ = clWindow;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
};

class TEditorMark : public TNotifyPersistent {
public:
  TEditorMark() = default;
  void Assign(const TPersistent& source) override;
  template <typename Visit> static void ForEachOption(Visit&& visit);

  TColor Color() const { return color_; }
  void SetColor(TColor value) { Store(color_, value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Store(visible_, value); }

private:
  TColor color_ = clGray;
  bool visible_ = false;
};

class TEditorMarks : public TNotifyPersistent {
public:
  TEditorMarks();
  void Assign(const TPersistent& source) override;
  template <typename Visit> static void ForEachOption(Visit&& visit);

  TEditorMark& EofMark() { return eofMark_; } // the end-of-text mark
  const TEditorMark& EofMark() const { return eofMark_; }
  void SetEofMark(const TEditorMark& mark) { eofMark_.Assign(mark); }
  TEditorMark& RetMark() { return retMark_; } // the line-end mark
  const TEditorMark& RetMark() const { return retMark_; }
  void SetRetMark(const TEditorMark& mark) { retMark_.Assign(mark); }
  TEditorMark& Underline() { return underline_; } // the caret-row underline
  const TEditorMark& Underline() const { return underline_; }
  void SetUnderline(const TEditorMark& mark) { underline_.Assign(mark); }

private:
  TEditorMark eofMark_, retMark_, underline_;
};

// The colours of TEditorColors, in their published order.
enum TEditorColorIndex : uint8_t {
  ciAnk, // single-byte text
  ciComment,
  ciDBCS, // double-byte text
  ciInt,  // numbers
  ciMail,
  ciReserve, // reserved words
  ciSelect,  // the selection
  ciStr,     // strings
  ciSymbol,
  ciUrl,
};
inline constexpr int kEditorColorCount = 10;
// "Ank", "Comment", ... by index.
const char* EditorColorName(TEditorColorIndex index);

class TEditorColors : public TNotifyPersistent {
public:
  TEditorColors();
  void Assign(const TPersistent& source) override;
  template <typename Visit> static void ForEachOption(Visit&& visit);

  TEditorColor& operator[](TEditorColorIndex index) { return colors_[index]; }
  const TEditorColor& operator[](TEditorColorIndex index) const { return colors_[index]; }
  void SetColor(TEditorColorIndex index, const TEditorColor& color) {
    colors_[index].Assign(color);
  }

  // Every colour except Select, in one update.
  virtual void SetAllBkColor(TColor value);
  virtual void SetAllColor(TColor value);
  virtual void SetAllStyle(TFontStyles value);

private:
  std::array<TEditorColor, kEditorColorCount> colors_;

  template <typename Set> void SetAll(Set set);
};

class TEditorBracketCollection;

class TEditorBracketItem : public TPersistent {
public:
  explicit TEditorBracketItem(TEditorBracketCollection& collection);
  TEditorBracketItem(const TEditorBracketItem&) = delete;
  TEditorBracketItem& operator=(const TEditorBracketItem&) = delete;
  void Assign(const TPersistent& source) override;
  template <typename Visit> static void ForEachOption(Visit&& visit);

  TEditorColor& ItemColor() { return itemColor_; }
  const TEditorColor& ItemColor() const { return itemColor_; }
  void SetItemColor(const TEditorColor& color) { itemColor_.Assign(color); }
  const std::string& LeftBracket() const { return leftBracket_; }
  void SetLeftBracket(const std::string& text);
  const std::string& RightBracket() const { return rightBracket_; }
  void SetRightBracket(const std::string& text);

private:
  TEditorBracketCollection& collection_;
  TEditorColor itemColor_;
  std::string leftBracket_, rightBracket_;
};

// At most 14 pairs; a state of the tokenizer is an index into this collection.
class TEditorBracketCollection : public TNotifyPersistent {
public:
  static constexpr int kMaxCount = 14;

  TEditorBracketCollection() = default;
  void Assign(const TPersistent& source) override;

  int Count() const { return static_cast<int>(items_.size()); }
  TEditorBracketItem& Items(int index) { return *items_.at(static_cast<size_t>(index)); }
  const TEditorBracketItem& Items(int index) const {
    return *items_.at(static_cast<size_t>(index));
  }
  // A new empty pair; raises Exception beyond kMaxCount.
  TEditorBracketItem& Add();
  void Delete(int index);
  void Clear();

  virtual void SetAllBkColor(TColor value);
  virtual void SetAllColor(TColor value);
  virtual void SetAllStyle(TFontStyles value);

private:
  std::vector<std::unique_ptr<TEditorBracketItem>> items_;

  template <typename Set> void SetAll(Set set);
};

class TEditorViewInfo : public TNotifyPersistent {
public:
  TEditorViewInfo();
  void Assign(const TPersistent& source) override;
  template <typename Visit> static void ForEachOption(Visit&& visit);

  TEditorBracketCollection& Brackets() { return brackets_; }
  const TEditorBracketCollection& Brackets() const { return brackets_; }
  void SetBrackets(const TEditorBracketCollection& brackets) { brackets_.Assign(brackets); }
  TEditorColors& Colors() { return colors_; }
  const TEditorColors& Colors() const { return colors_; }
  void SetColors(const TEditorColors& colors) { colors_.Assign(colors); }
  // The line-comment opener.
  const std::string& Commenter() const { return commenter_; }
  void SetCommenter(const std::string& value) { Store(commenter_, value); }
  bool ControlCode() const { return controlCode_; }
  void SetControlCode(bool value) { Store(controlCode_, value); }
  const std::string& HexPrefix() const { return hexPrefix_; }
  void SetHexPrefix(const std::string& value) { Store(hexPrefix_, value); }
  bool Mail() const { return mail_; }
  void SetMail(bool value) { Store(mail_, value); }
  // Only the first character of the value is kept.
  const std::string& Quotation() const { return quotation_; }
  void SetQuotation(const std::string& value);
  bool Url() const { return url_; }
  void SetUrl(bool value) { Store(url_, value); }

private:
  TEditorBracketCollection brackets_;
  TEditorColors colors_;
  std::string commenter_, hexPrefix_, quotation_;
  bool controlCode_ = false, mail_ = false, url_ = false;
};

// The word-wrap rules of a text (the row store owns one).
struct WrapRules {
  bool followRetMark = false;
  bool followPunctuation = false;
  std::string followStr; // characters that may not begin a row
  bool leading = false;
  std::string leadStr;        // characters that may not end a row
  std::string punctuationStr; // punctuation that may hang past the wrap column
  bool wordBreak = false;
  int wrapByte = 80;

  WrapRules();
  bool operator==(const WrapRules&) const = default;
};

class TEditorWrapOption : public TNotifyPersistent {
public:
  static constexpr int kMinWrapByte = 20;
  static constexpr int kMaxWrapByte = 250;

  TEditorWrapOption() = default;
  void Assign(const TPersistent& source) override;
  template <typename Visit> static void ForEachOption(Visit&& visit);

  const WrapRules& Rules() const { return rules_; }

  bool FollowRetMark() const { return rules_.followRetMark; }
  void SetFollowRetMark(bool value) { Store(rules_.followRetMark, value); }
  bool FollowPunctuation() const { return rules_.followPunctuation; }
  void SetFollowPunctuation(bool value) { Store(rules_.followPunctuation, value); }
  const std::string& FollowStr() const { return rules_.followStr; }
  void SetFollowStr(const std::string& value) { Store(rules_.followStr, value); }
  bool Leading() const { return rules_.leading; }
  void SetLeading(bool value) { Store(rules_.leading, value); }
  const std::string& LeadStr() const { return rules_.leadStr; }
  void SetLeadStr(const std::string& value) { Store(rules_.leadStr, value); }
  const std::string& PunctuationStr() const { return rules_.punctuationStr; }
  void SetPunctuationStr(const std::string& value) { Store(rules_.punctuationStr, value); }
  bool WordBreak() const { return rules_.wordBreak; }
  void SetWordBreak(bool value) { Store(rules_.wordBreak, value); }
  int WrapByte() const { return rules_.wrapByte; }
  void SetWrapByte(int value); // clamped to kMinWrapByte..kMaxWrapByte

private:
  WrapRules rules_;
};

// The option tables, in published order.

template <typename Visit> void TEditorCursors::ForEachOption(Visit&& visit) {
  using K = TOptionKind;
  visit(FieldOption<K::Cursor>("DefaultCursor", &TEditorCursors::DefaultCursor));
  visit(FieldOption<K::Cursor>("DragSelCursor", &TEditorCursors::DragSelCursor));
  visit(FieldOption<K::Cursor>("DragSelCopyCursor", &TEditorCursors::DragSelCopyCursor));
  visit(FieldOption<K::Cursor>("InSelCursor", &TEditorCursors::InSelCursor));
  visit(FieldOption<K::Cursor>("LeftMarginCursor", &TEditorCursors::LeftMarginCursor));
}

template <typename Visit> void TEditorCaret::ForEachOption(Visit&& visit) {
  using K = TOptionKind;
  visit(FieldOption<K::Bool>("AutoCursor", &TEditorCaret::AutoCursor));
  visit(FieldOption<K::Bool>("AutoIndent", &TEditorCaret::AutoIndent));
  visit(PartOption("Cursors", [](auto& caret) { return &caret.Cursors(); }));
  visit(FieldOption<K::Bool>("FreeCaret", &TEditorCaret::FreeCaret));
  visit(FieldOption<K::Bool>("InTab", &TEditorCaret::InTab));
  visit(FieldOption<K::Bool>("KeepCaret", &TEditorCaret::KeepCaret));
  visit(FieldOption<K::Bool>("LockScroll", &TEditorCaret::LockScroll));
  visit(FieldOption<K::Bool>("NextLine", &TEditorCaret::NextLine));
  visit(FieldOption<K::Bool>("PrevSpaceIndent", &TEditorCaret::PrevSpaceIndent));
  visit(FieldOption<K::Bool>("RowSelect", &TEditorCaret::RowSelect));
  visit(FieldOption<K::DragMode>("SelDragMode", &TEditorCaret::SelDragMode));
  visit(FieldOption<K::Bool>("SelMove", &TEditorCaret::SelMove));
  visit(FieldOption<K::Bool>("SoftTab", &TEditorCaret::SoftTab));
  visit(AccessorOption<K::CaretStyle>("Style", &TEditorCaret::Style, &TEditorCaret::SetStyle));
  visit(FieldOption<K::Bool>("TabIndent", &TEditorCaret::TabIndent));
  visit(AccessorOption<K::Int>("TabSpaceCount", &TEditorCaret::TabSpaceCount,
                               &TEditorCaret::SetTabSpaceCount));
}

template <typename Visit> void TEditorMargin::ForEachOption(Visit&& visit) {
  using K = TOptionKind;
  visit(
      AccessorOption<K::Int>("Character", &TEditorMargin::Character, &TEditorMargin::SetCharacter));
  visit(AccessorOption<K::Int>("Left", &TEditorMargin::Left, &TEditorMargin::SetLeft));
  visit(AccessorOption<K::Int>("Line", &TEditorMargin::Line, &TEditorMargin::SetLine));
  visit(AccessorOption<K::Int>("Top", &TEditorMargin::Top, &TEditorMargin::SetTop));
}

template <typename Visit> void TEditorColor::ForEachOption(Visit&& visit) {
  using K = TOptionKind;
  visit(AccessorOption<K::Color>("BkColor", &TEditorColor::BkColor, &TEditorColor::SetBkColor));
  visit(AccessorOption<K::Color>("Color", &TEditorColor::Color, &TEditorColor::SetColor));
  visit(AccessorOption<K::FontStyles>("Style", &TEditorColor::Style, &TEditorColor::SetStyle));
}

template <typename Visit> void TEditorMark::ForEachOption(Visit&& visit) {
  using K = TOptionKind;
  visit(AccessorOption<K::Color>("Color", &TEditorMark::Color, &TEditorMark::SetColor));
  visit(AccessorOption<K::Bool>("Visible", &TEditorMark::Visible, &TEditorMark::SetVisible));
}

template <typename Visit> void TEditorMarks::ForEachOption(Visit&& visit) {
  visit(PartOption("EofMark", [](auto& marks) { return &marks.EofMark(); }));
  visit(PartOption("RetMark", [](auto& marks) { return &marks.RetMark(); }));
  visit(PartOption("Underline", [](auto& marks) { return &marks.Underline(); }));
}

template <typename Visit> void TEditorColors::ForEachOption(Visit&& visit) {
  for (int index = 0; index < kEditorColorCount; ++index) {
    auto color = static_cast<TEditorColorIndex>(index);
    visit(PartOption(EditorColorName(color), [color](auto& colors) { return &colors[color]; }));
  }
}

template <typename Visit> void TEditorBracketItem::ForEachOption(Visit&& visit) {
  using K = TOptionKind;
  visit(PartOption("ItemColor", [](auto& item) { return &item.ItemColor(); }));
  visit(AccessorOption<K::String>("LeftBracket", &TEditorBracketItem::LeftBracket,
                                  &TEditorBracketItem::SetLeftBracket));
  visit(AccessorOption<K::String>("RightBracket", &TEditorBracketItem::RightBracket,
                                  &TEditorBracketItem::SetRightBracket));
}

template <typename Visit> void TEditorViewInfo::ForEachOption(Visit&& visit) {
  using K = TOptionKind;
  visit(WholeOption("Brackets", [](auto& view) { return &view.Brackets(); }));
  visit(PartOption("Colors", [](auto& view) { return &view.Colors(); }));
  visit(AccessorOption<K::String>("Commenter", &TEditorViewInfo::Commenter,
                                  &TEditorViewInfo::SetCommenter));
  visit(AccessorOption<K::Bool>("ControlCode", &TEditorViewInfo::ControlCode,
                                &TEditorViewInfo::SetControlCode));
  visit(AccessorOption<K::String>("HexPrefix", &TEditorViewInfo::HexPrefix,
                                  &TEditorViewInfo::SetHexPrefix));
  visit(AccessorOption<K::Bool>("Mail", &TEditorViewInfo::Mail, &TEditorViewInfo::SetMail));
  visit(AccessorOption<K::String>("Quotation", &TEditorViewInfo::Quotation,
                                  &TEditorViewInfo::SetQuotation));
  visit(AccessorOption<K::Bool>("Url", &TEditorViewInfo::Url, &TEditorViewInfo::SetUrl));
}

template <typename Visit> void TEditorWrapOption::ForEachOption(Visit&& visit) {
  using K = TOptionKind;
  using W = TEditorWrapOption;
  visit(AccessorOption<K::Bool>("FollowRetMark", &W::FollowRetMark, &W::SetFollowRetMark));
  visit(AccessorOption<K::Bool>("FollowPunctuation", &W::FollowPunctuation,
                                &W::SetFollowPunctuation));
  visit(AccessorOption<K::String>("FollowStr", &W::FollowStr, &W::SetFollowStr));
  visit(AccessorOption<K::Bool>("Leading", &W::Leading, &W::SetLeading));
  visit(AccessorOption<K::String>("LeadStr", &W::LeadStr, &W::SetLeadStr));
  visit(AccessorOption<K::String>("PunctuationStr", &W::PunctuationStr, &W::SetPunctuationStr));
  visit(AccessorOption<K::Bool>("WordBreak", &W::WordBreak, &W::SetWordBreak));
  visit(AccessorOption<K::Int>("WrapByte", &W::WrapByte, &W::SetWrapByte));
}

} // namespace quolin
