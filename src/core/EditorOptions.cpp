#include "core/EditorOptions.h"

#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Sjis.h"

#include <algorithm>

namespace quolin {

namespace {

// The object of class T that source is, or nullptr.
template <typename T> const T* Same(const TPersistent& source) {
  return dynamic_cast<const T*>(&source);
}

} // namespace

// TNotifyPersistent

void TNotifyPersistent::EndUpdate() {
  if (updateCount_ > 0)
    --updateCount_;
  Changed();
}

void TNotifyPersistent::Changed() {
  if (updateCount_ == 0 && OnChange)
    OnChange(this);
}

void TNotifyPersistent::ChildChanged(TObject* sender) {
  if (sender != this)
    Changed();
}

void TNotifyPersistent::Own(TNotifyPersistent& child) {
  child.OnChange = [this](TObject* sender) { ChildChanged(sender); };
}

// TEditorCursors

EditorCursorNumbers& RegisteredEditorCursors() {
  static EditorCursorNumbers numbers;
  return numbers;
}

void TEditorCursors::Assign(const TPersistent& source) {
  const auto* other = Same<TEditorCursors>(source);
  if (!other)
    return TPersistent::Assign(source);
  CopyOptions(*this, *other);
}

// TEditorCaret

void TEditorCaret::Assign(const TPersistent& source) {
  AssignOptions<TEditorCaret>(source);
}

void TEditorCaret::SetTabSpaceCount(int count) {
  Store(tabSpaceCount_, std::clamp(count, 2, 8) & ~1);
}

// TEditorMargin

void TEditorMargin::Assign(const TPersistent& source) {
  AssignOptions<TEditorMargin>(source);
}

void TEditorMargin::SetCharacter(int value) {
  Store(character_, std::clamp(value, 0, 100));
}

// TEditorColor

void TEditorColor::Assign(const TPersistent& source) {
  AssignOptions<TEditorColor>(source);
}

// TEditorMark

void TEditorMark::Assign(const TPersistent& source) {
  AssignOptions<TEditorMark>(source);
}

// TEditorMarks

TEditorMarks::TEditorMarks() {
  Own(eofMark_);
  Own(retMark_);
  Own(underline_);
}

void TEditorMarks::Assign(const TPersistent& source) {
  AssignOptions<TEditorMarks>(source);
}

// TEditorColors

const char* EditorColorName(TEditorColorIndex index) {
  static constexpr std::array<const char*, kEditorColorCount> kNames = {
      "Ank", "Comment", "DBCS", "Int", "Mail", "Reserve", "Select", "Str", "Symbol", "Url"};
  return kNames[index];
}

TEditorColors::TEditorColors() {
  colors_[ciSelect].SetBkColor(clNavy);
  colors_[ciSelect].SetColor(clWhite);
  for (TEditorColor& color : colors_)
    Own(color);
}

void TEditorColors::Assign(const TPersistent& source) {
  AssignOptions<TEditorColors>(source);
}

template <typename Set> void TEditorColors::SetAll(Set set) {
  InOneUpdate([&] {
    for (size_t i = 0; i < colors_.size(); ++i) {
      if (i != ciSelect)
        set(colors_[i]);
    }
  });
}

void TEditorColors::SetAllBkColor(TColor value) {
  SetAll([value](TEditorColor& color) { color.SetBkColor(value); });
}

void TEditorColors::SetAllColor(TColor value) {
  SetAll([value](TEditorColor& color) { color.SetColor(value); });
}

void TEditorColors::SetAllStyle(TFontStyles value) {
  SetAll([value](TEditorColor& color) { color.SetStyle(value); });
}

// TEditorBracketItem

TEditorBracketItem::TEditorBracketItem(TEditorBracketCollection& collection)
    : collection_(collection) {
  itemColor_.OnChange = [this](TObject*) { collection_.Changed(); };
}

void TEditorBracketItem::Assign(const TPersistent& source) {
  const auto* other = Same<TEditorBracketItem>(source);
  if (!other)
    return TPersistent::Assign(source);
  collection_.BeginUpdate();
  CopyOptions(*this, *other);
  collection_.EndUpdate();
}

void TEditorBracketItem::SetLeftBracket(const std::string& text) {
  if (leftBracket_ == text)
    return;
  leftBracket_ = text;
  collection_.Changed();
}

void TEditorBracketItem::SetRightBracket(const std::string& text) {
  if (rightBracket_ == text)
    return;
  rightBracket_ = text;
  collection_.Changed();
}

// TEditorBracketCollection

void TEditorBracketCollection::Assign(const TPersistent& source) {
  const auto* other = Same<TEditorBracketCollection>(source);
  if (!other)
    return TPersistent::Assign(source);
  if (other == this)
    return;
  InOneUpdate([&] {
    Clear();
    for (const auto& item : other->items_)
      Add().Assign(*item);
  });
}

TEditorBracketItem& TEditorBracketCollection::Add() {
  if (Count() >= kMaxCount)
    throw Exception(Format("TEditorBracketCollection\r\nYou can not add item over %d", kMaxCount));
  items_.push_back(std::make_unique<TEditorBracketItem>(*this));
  Changed();
  return *items_.back();
}

void TEditorBracketCollection::Delete(int index) {
  Items(index); // range check
  items_.erase(items_.begin() + index);
  Changed();
}

void TEditorBracketCollection::Clear() {
  if (items_.empty())
    return;
  items_.clear();
  Changed();
}

template <typename Set> void TEditorBracketCollection::SetAll(Set set) {
  InOneUpdate([&] {
    for (const auto& item : items_)
      set(item->ItemColor());
  });
}

void TEditorBracketCollection::SetAllBkColor(TColor value) {
  SetAll([value](TEditorColor& color) { color.SetBkColor(value); });
}

void TEditorBracketCollection::SetAllColor(TColor value) {
  SetAll([value](TEditorColor& color) { color.SetColor(value); });
}

void TEditorBracketCollection::SetAllStyle(TFontStyles value) {
  SetAll([value](TEditorColor& color) { color.SetStyle(value); });
}

// TEditorViewInfo

TEditorViewInfo::TEditorViewInfo() {
  Own(brackets_);
  Own(colors_);
}

void TEditorViewInfo::Assign(const TPersistent& source) {
  AssignOptions<TEditorViewInfo>(source);
}

void TEditorViewInfo::SetQuotation(const std::string& value) {
  Store(quotation_, value.substr(0, sjis::CharLength(value, 0)));
}

// TEditorWrapOption

WrapRules::WrapRules()
    : followStr("、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ"),
      leadStr("（［｛「『([{｢"), punctuationStr("、。，．,.｡､") {
}

void TEditorWrapOption::Assign(const TPersistent& source) {
  AssignOptions<TEditorWrapOption>(source);
}

void TEditorWrapOption::SetWrapByte(int value) {
  Store(rules_.wrapByte, std::clamp(value, kMinWrapByte, kMaxWrapByte));
}

} // namespace quolin
