#include "editor/EditorProps.h"

#include "common/Registry.h"
#include "core/Exceptions.h"
#include "core/PropertyStream.h"
#include "core/Sjis.h"
#include "editor/EditorControl.h"

#include <array>
#include <functional>
#include <utility>

namespace quolin {

namespace {

constexpr char kClassName[] = "TEditorProp";

// Value codecs: Encode gives the stream value, Decode takes one back (false when the value is
// of the wrong kind).

struct BoolCodec {
  using Type = bool;
  TStreamValue Encode(bool value) const { return TStreamValue::Bool(value); }
  bool Decode(const TStreamValue& value, bool& out) const {
    if (value.kind != TStreamValue::Kind::Boolean)
      return false;
    out = value.boolean;
    return true;
  }
};

bool DecodeInteger(const TStreamValue& value, int64_t low, int64_t high, int64_t& out) {
  if (value.kind != TStreamValue::Kind::Integer || value.integer < low || value.integer > high)
    return false;
  out = value.integer;
  return true;
}

struct IntCodec {
  using Type = int;
  TStreamValue Encode(int value) const { return TStreamValue::Int(value); }
  bool Decode(const TStreamValue& value, int& out) const {
    int64_t number = 0;
    if (!DecodeInteger(value, INT32_MIN, INT32_MAX, number))
      return false;
    out = static_cast<int>(number);
    return true;
  }
};

struct StringCodec {
  using Type = std::string;
  TStreamValue Encode(const std::string& value) const { return TStreamValue::Str(value); }
  bool Decode(const TStreamValue& value, std::string& out) const {
    if (value.kind != TStreamValue::Kind::String)
      return false;
    out = value.text;
    return true;
  }
};

struct ColorCodec {
  using Type = TColor;
  TStreamValue Encode(TColor value) const {
    std::string name;
    if (ColorToIdent(value, name))
      return TStreamValue::Identifier(name);
    return TStreamValue::Int(value);
  }
  bool Decode(const TStreamValue& value, TColor& out) const {
    if (value.kind == TStreamValue::Kind::Ident)
      return IdentToColor(value.text, out);
    int64_t number = 0;
    if (!DecodeInteger(value, INT32_MIN, UINT32_MAX, number))
      return false;
    auto bits = static_cast<uint32_t>(number);
    // Other writers mark a system colour with a high byte of 0x80.
    if ((bits >> 24) == 0x80 || (bits >> 24) == 0xFF)
      bits = 0xFF000000u | (bits & 0x00FFFFFFu);
    out = static_cast<TColor>(bits);
    return true;
  }
};

// Names of a small numbering, both ways; other numbers stream as integers.
template <typename T> struct NamedCodec {
  using Type = T;
  using Names = std::vector<std::pair<T, const char*>>;
  const Names* names;
  // Numbers taken besides the names; an enumeration takes its names only (low > high).
  int64_t low = 1;
  int64_t high = 0;

  TStreamValue Encode(T value) const {
    for (const auto& [number, name] : *names) {
      if (number == value)
        return TStreamValue::Identifier(name);
    }
    return TStreamValue::Int(static_cast<int64_t>(value));
  }
  bool Decode(const TStreamValue& value, T& out) const {
    if (value.kind == TStreamValue::Kind::Ident) {
      for (const auto& [number, name] : *names) {
        if (sjis::CompareIgnoreAsciiCase(name, value.text) == 0) {
          out = number;
          return true;
        }
      }
      return false;
    }
    int64_t number = 0;
    if (!DecodeInteger(value, low, high, number))
      return false;
    out = static_cast<T>(number);
    return true;
  }
};

const typename NamedCodec<TCursor>::Names kCursorNames = {
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
};

const typename NamedCodec<uint8_t>::Names kCharsetNames = {
    {0, "ANSI_CHARSET"},      {1, "DEFAULT_CHARSET"},    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},      {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},   {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},   {162, "TURKISH_CHARSET"},  {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},  {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"}, {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};

const typename NamedCodec<TScrollStyle>::Names kScrollStyleNames = {
    {TScrollStyle::ssNone, "ssNone"},
    {TScrollStyle::ssHorizontal, "ssHorizontal"},
    {TScrollStyle::ssVertical, "ssVertical"},
    {TScrollStyle::ssBoth, "ssBoth"},
};

const typename NamedCodec<TEditorCaretStyle>::Names kCaretStyleNames = {
    {TEditorCaretStyle::csDefault, "csDefault"},
    {TEditorCaretStyle::csBrief, "csBrief"},
};

const typename NamedCodec<TDragMode>::Names kDragModeNames = {
    {TDragMode::dmManual, "dmManual"},
    {TDragMode::dmAutomatic, "dmAutomatic"},
};

const typename NamedCodec<TFontPitch>::Names kPitchNames = {
    {TFontPitch::fpDefault, "fpDefault"},
    {TFontPitch::fpVariable, "fpVariable"},
    {TFontPitch::fpFixed, "fpFixed"},
};

constexpr std::array<std::pair<TFontStyle, const char*>, 4> kStyleNames = {{
    {fsBold, "fsBold"},
    {fsItalic, "fsItalic"},
    {fsUnderline, "fsUnderline"},
    {fsStrikeOut, "fsStrikeOut"},
}};

struct StylesCodec {
  using Type = TFontStyles;
  TStreamValue Encode(TFontStyles value) const {
    std::vector<std::string> members;
    for (const auto& [style, name] : kStyleNames) {
      if (value & style)
        members.emplace_back(name);
    }
    return TStreamValue::SetOf(std::move(members));
  }
  bool Decode(const TStreamValue& value, TFontStyles& out) const {
    if (value.kind != TStreamValue::Kind::Set)
      return false;
    TFontStyles styles = 0;
    for (const std::string& member : value.names) {
      bool known = false;
      for (const auto& [style, name] : kStyleNames) {
        if (sjis::CompareIgnoreAsciiCase(name, member) == 0) {
          styles |= style;
          known = true;
        }
      }
      if (!known)
        return false;
    }
    out = styles;
    return true;
  }
};

const NamedCodec<TCursor> kCursorCodec{&kCursorNames, INT16_MIN, INT16_MAX};
const NamedCodec<uint8_t> kCharsetCodec{&kCharsetNames, 0, UINT8_MAX};
const NamedCodec<TScrollStyle> kScrollStyleCodec{&kScrollStyleNames};
const NamedCodec<TEditorCaretStyle> kCaretStyleCodec{&kCaretStyleNames};
const NamedCodec<TDragMode> kDragModeCodec{&kDragModeNames};
const NamedCodec<TFontPitch> kPitchCodec{&kPitchNames};

// One published property: its dotted path and how to read and write it.
struct PropertyLeaf {
  std::string path;
  std::function<TStreamValue()> get;
  std::function<bool(const TStreamValue&)> set; // false for a value of the wrong kind
};
using Leaves = std::vector<PropertyLeaf>;

template <typename Codec, typename Get, typename Set>
PropertyLeaf Leaf(std::string path, Codec codec, Get get, Set set) {
  return {std::move(path), [codec, get] { return codec.Encode(get()); },
          [codec, set](const TStreamValue& value) {
            typename Codec::Type decoded{};
            if (!codec.Decode(value, decoded))
              return false;
            set(decoded);
            return true;
          }};
}

template <typename Codec, typename T>
PropertyLeaf FieldLeaf(std::string path, Codec codec, T& field) {
  return Leaf(
      std::move(path), codec, [&field] { return field; },
      [&field](const T& value) { field = value; });
}

template <typename Codec, typename Object, typename T, typename Arg>
PropertyLeaf MemberLeaf(std::string path, Codec codec, Object& object, T (Object::*get)() const,
                        void (Object::*set)(Arg)) {
  return Leaf(
      std::move(path), codec, [&object, get] { return (object.*get)(); },
      [&object, set](const typename Codec::Type& value) { (object.*set)(value); });
}

template <typename Object, typename Arg>
PropertyLeaf StringLeaf(std::string path, Object& object, const std::string& (Object::*get)() const,
                        void (Object::*set)(Arg)) {
  return Leaf(
      std::move(path), StringCodec{}, [&object, get] { return (object.*get)(); },
      [&object, set](const std::string& value) { (object.*set)(value); });
}

void AddColorLeaves(Leaves& leaves, const std::string& prefix, TEditorColor& color) {
  leaves.push_back(MemberLeaf(prefix + ".BkColor", ColorCodec{}, color, &TEditorColor::BkColor,
                              &TEditorColor::SetBkColor));
  leaves.push_back(MemberLeaf(prefix + ".Color", ColorCodec{}, color, &TEditorColor::Color,
                              &TEditorColor::SetColor));
  leaves.push_back(MemberLeaf(prefix + ".Style", StylesCodec{}, color, &TEditorColor::Style,
                              &TEditorColor::SetStyle));
}

Leaves BracketItemLeaves(TEditorBracketItem& item) {
  Leaves leaves;
  AddColorLeaves(leaves, "ItemColor", item.ItemColor());
  leaves.push_back(StringLeaf("LeftBracket", item, &TEditorBracketItem::LeftBracket,
                              &TEditorBracketItem::SetLeftBracket));
  leaves.push_back(StringLeaf("RightBracket", item, &TEditorBracketItem::RightBracket,
                              &TEditorBracketItem::SetRightBracket));
  return leaves;
}

const PropertyLeaf* FindLeaf(const Leaves& leaves, std::string_view path) {
  for (const PropertyLeaf& leaf : leaves) {
    if (sjis::CompareIgnoreAsciiCase(leaf.path, path) == 0)
      return &leaf;
  }
  return nullptr;
}

// The properties whose values differ from those of defaults (same paths, same order).
std::vector<TStreamProperty> Differences(const Leaves& leaves, const Leaves& defaults) {
  std::vector<TStreamProperty> properties;
  for (size_t index = 0; index < leaves.size(); ++index) {
    TStreamValue value = leaves[index].get();
    if (!(value == defaults[index].get()))
      properties.push_back({leaves[index].path, std::move(value)});
  }
  return properties;
}

// Sets the leaves named by properties; unknown names are skipped. False for a value of the
// wrong kind.
bool ApplyProperties(const Leaves& leaves, const std::vector<TStreamProperty>& properties) {
  for (const TStreamProperty& property : properties) {
    const PropertyLeaf* leaf = FindLeaf(leaves, property.name);
    if (leaf && !leaf->set(property.value))
      return false;
  }
  return true;
}

PropertyLeaf BracketsLeaf(TEditorBracketCollection& brackets) {
  auto get = [&brackets] {
    TStreamValue value;
    value.kind = TStreamValue::Kind::Collection;
    TEditorBracketCollection scratch;
    Leaves defaults = BracketItemLeaves(scratch.Add());
    for (int index = 0; index < brackets.Count(); ++index)
      value.collection.push_back(Differences(BracketItemLeaves(brackets.Items(index)), defaults));
    return value;
  };
  auto set = [&brackets](const TStreamValue& value) {
    if (value.kind != TStreamValue::Kind::Collection)
      return false;
    brackets.BeginUpdate();
    brackets.Clear();
    bool applied = true;
    for (const std::vector<TStreamProperty>& item : value.collection) {
      // A 16th pair raises; the caller takes it for a damaged image.
      if (!ApplyProperties(BracketItemLeaves(brackets.Add()), item)) {
        applied = false;
        break;
      }
    }
    brackets.EndUpdate();
    return applied;
  };
  return {"View.Brackets", get, set};
}

PropertyLeaf StringsLeaf(std::string path, TStringList& list) {
  auto get = [&list] {
    TStreamValue value;
    value.kind = TStreamValue::Kind::List;
    for (int index = 0; index < list.Count(); ++index)
      value.items.push_back(TStreamValue::Str(list.Get(index)));
    return value;
  };
  auto set = [&list](const TStreamValue& value) {
    if (value.kind != TStreamValue::Kind::List)
      return false;
    for (const TStreamValue& item : value.items) {
      if (item.kind != TStreamValue::Kind::String)
        return false;
    }
    list.BeginUpdate();
    list.Clear();
    for (const TStreamValue& item : value.items)
      list.Add(item.text);
    list.EndUpdate();
    return true;
  };
  return {std::move(path), get, set};
}

// Every published property of prop, in declaration order.
Leaves PublishedLeaves(TEditorProp& prop) {
  Leaves leaves;
  auto add = [&leaves](PropertyLeaf leaf) { leaves.push_back(std::move(leaf)); };
  add(MemberLeaf("Color", ColorCodec{}, prop, &TEditorProp::Color, &TEditorProp::SetColor));

  TEditorCaret& caret = prop.Caret();
  TEditorCursors& cursors = caret.Cursors();
  add(FieldLeaf("Caret.AutoCursor", BoolCodec{}, caret.AutoCursor));
  add(FieldLeaf("Caret.AutoIndent", BoolCodec{}, caret.AutoIndent));
  add(FieldLeaf("Caret.Cursors.DefaultCursor", kCursorCodec, cursors.DefaultCursor));
  add(FieldLeaf("Caret.Cursors.DragSelCursor", kCursorCodec, cursors.DragSelCursor));
  add(FieldLeaf("Caret.Cursors.DragSelCopyCursor", kCursorCodec, cursors.DragSelCopyCursor));
  add(FieldLeaf("Caret.Cursors.InSelCursor", kCursorCodec, cursors.InSelCursor));
  add(FieldLeaf("Caret.Cursors.LeftMarginCursor", kCursorCodec, cursors.LeftMarginCursor));
  add(FieldLeaf("Caret.FreeCaret", BoolCodec{}, caret.FreeCaret));
  add(FieldLeaf("Caret.InTab", BoolCodec{}, caret.InTab));
  add(FieldLeaf("Caret.KeepCaret", BoolCodec{}, caret.KeepCaret));
  add(FieldLeaf("Caret.LockScroll", BoolCodec{}, caret.LockScroll));
  add(FieldLeaf("Caret.NextLine", BoolCodec{}, caret.NextLine));
  add(FieldLeaf("Caret.PrevSpaceIndent", BoolCodec{}, caret.PrevSpaceIndent));
  add(FieldLeaf("Caret.RowSelect", BoolCodec{}, caret.RowSelect));
  add(FieldLeaf("Caret.SelDragMode", kDragModeCodec, caret.SelDragMode));
  add(FieldLeaf("Caret.SelMove", BoolCodec{}, caret.SelMove));
  add(FieldLeaf("Caret.SoftTab", BoolCodec{}, caret.SoftTab));
  add(MemberLeaf("Caret.Style", kCaretStyleCodec, caret, &TEditorCaret::Style,
                 &TEditorCaret::SetStyle));
  add(FieldLeaf("Caret.TabIndent", BoolCodec{}, caret.TabIndent));
  add(MemberLeaf("Caret.TabSpaceCount", IntCodec{}, caret, &TEditorCaret::TabSpaceCount,
                 &TEditorCaret::SetTabSpaceCount));

  TFont& font = prop.Font();
  add(FieldLeaf("Font.Charset", kCharsetCodec, font.Charset));
  add(FieldLeaf("Font.Color", ColorCodec{}, font.Color));
  add(Leaf(
      "Font.Height", IntCodec{}, [&font] { return font.PixelHeight(); },
      [&font](int height) { font.SetPixelHeight(height); }));
  add(FieldLeaf("Font.Name", StringCodec{}, font.Name));
  add(FieldLeaf("Font.Pitch", kPitchCodec, font.Pitch));
  add(FieldLeaf("Font.Style", StylesCodec{}, font.Style));

  TEditorMargin& margin = prop.Margin();
  add(MemberLeaf("Margin.Character", IntCodec{}, margin, &TEditorMargin::Character,
                 &TEditorMargin::SetCharacter));
  add(MemberLeaf("Margin.Left", IntCodec{}, margin, &TEditorMargin::Left, &TEditorMargin::SetLeft));
  add(MemberLeaf("Margin.Line", IntCodec{}, margin, &TEditorMargin::Line, &TEditorMargin::SetLine));
  add(MemberLeaf("Margin.Top", IntCodec{}, margin, &TEditorMargin::Top, &TEditorMargin::SetTop));

  TEditorMarks& marks = prop.Marks();
  for (auto [name, mark] : {std::pair<const char*, TEditorMark*>{"EofMark", &marks.EofMark()},
                            {"RetMark", &marks.RetMark()},
                            {"Underline", &marks.Underline()}}) {
    std::string prefix = std::string("Marks.") + name;
    add(MemberLeaf(prefix + ".Color", ColorCodec{}, *mark, &TEditorMark::Color,
                   &TEditorMark::SetColor));
    add(MemberLeaf(prefix + ".Visible", BoolCodec{}, *mark, &TEditorMark::Visible,
                   &TEditorMark::SetVisible));
  }

  add(StringsLeaf("ReserveWordList.Strings", prop.ReserveWordList()));
  add(MemberLeaf("ScrollBars", kScrollStyleCodec, prop, &TEditorProp::ScrollBars,
                 &TEditorProp::SetScrollBars));

  TEditorViewInfo& view = prop.View();
  add(BracketsLeaf(view.Brackets()));
  for (int index = 0; index < kEditorColorCount; ++index) {
    auto color = static_cast<TEditorColorIndex>(index);
    AddColorLeaves(leaves, std::string("View.Colors.") + EditorColorName(color),
                   view.Colors()[color]);
  }
  add(StringLeaf("View.Commenter", view, &TEditorViewInfo::Commenter,
                 &TEditorViewInfo::SetCommenter));
  add(MemberLeaf("View.ControlCode", BoolCodec{}, view, &TEditorViewInfo::ControlCode,
                 &TEditorViewInfo::SetControlCode));
  add(StringLeaf("View.HexPrefix", view, &TEditorViewInfo::HexPrefix,
                 &TEditorViewInfo::SetHexPrefix));
  add(MemberLeaf("View.Mail", BoolCodec{}, view, &TEditorViewInfo::Mail,
                 &TEditorViewInfo::SetMail));
  add(StringLeaf("View.Quotation", view, &TEditorViewInfo::Quotation,
                 &TEditorViewInfo::SetQuotation));
  add(MemberLeaf("View.Url", BoolCodec{}, view, &TEditorViewInfo::Url, &TEditorViewInfo::SetUrl));

  add(MemberLeaf("WordWrap", BoolCodec{}, prop, &TEditorProp::WordWrap, &TEditorProp::SetWordWrap));

  TEditorWrapOption& wrap = prop.WrapOption();
  add(MemberLeaf("WrapOption.FollowRetMark", BoolCodec{}, wrap, &TEditorWrapOption::FollowRetMark,
                 &TEditorWrapOption::SetFollowRetMark));
  add(MemberLeaf("WrapOption.FollowPunctuation", BoolCodec{}, wrap,
                 &TEditorWrapOption::FollowPunctuation, &TEditorWrapOption::SetFollowPunctuation));
  add(StringLeaf("WrapOption.FollowStr", wrap, &TEditorWrapOption::FollowStr,
                 &TEditorWrapOption::SetFollowStr));
  add(MemberLeaf("WrapOption.Leading", BoolCodec{}, wrap, &TEditorWrapOption::Leading,
                 &TEditorWrapOption::SetLeading));
  add(StringLeaf("WrapOption.LeadStr", wrap, &TEditorWrapOption::LeadStr,
                 &TEditorWrapOption::SetLeadStr));
  add(StringLeaf("WrapOption.PunctuationStr", wrap, &TEditorWrapOption::PunctuationStr,
                 &TEditorWrapOption::SetPunctuationStr));
  add(MemberLeaf("WrapOption.WordBreak", BoolCodec{}, wrap, &TEditorWrapOption::WordBreak,
                 &TEditorWrapOption::SetWordBreak));
  add(MemberLeaf("WrapOption.WrapByte", IntCodec{}, wrap, &TEditorWrapOption::WrapByte,
                 &TEditorWrapOption::SetWrapByte));
  return leaves;
}

const TFont& FontValue(const TFont& font) {
  return font;
}

const TFont& FontValue(const TControlFont& font) {
  return font.Value();
}

std::string SettingsKey(const std::string& key, const std::string& valueName) {
  return RegFullKey(key) + "\\" + valueName;
}

} // namespace

// TEditorProp

TEditorProp::TEditorProp(TComponent* owner) : TComponent(owner) {
  font_.Name = "FixedSys";
  font_.Color = clWindowText;
  reserveWordList_.SetSorted(true);
  reserveWordList_.Duplicates = TDuplicates::dupIgnore;
}

template <typename T> void TEditorProp::StoreAndTell(T& field, T value, const TNotifyEvent& event) {
  if (value == field)
    return;
  field = value;
  if (event)
    event(this);
}

void TEditorProp::SetColor(TColor color) {
  StoreAndTell(color_, color, OnColorChange);
}

void TEditorProp::SetScrollBars(TScrollStyle bars) {
  StoreAndTell(scrollBars_, bars, OnScrollBarsChange);
}

void TEditorProp::SetWordWrap(bool value) {
  StoreAndTell(wordWrap_, value, OnWordWrapChange);
}

template <typename Source> void TEditorProp::CopyFrom(Source& source) {
  SetColor(source.Color());
  SetCaret(source.Caret());
  SetFont(FontValue(source.Font()));
  SetMargin(source.Margin());
  SetMarks(source.Marks());
  SetReserveWordList(source.ReserveWordList());
  SetScrollBars(source.ScrollBars());
  SetView(source.View());
  SetWordWrap(source.WordWrap());
  SetWrapOption(source.WrapOption());
}

void TEditorProp::Assign(const TPersistent& source) {
  if (const auto* prop = dynamic_cast<const TEditorProp*>(&source)) {
    if (prop != this)
      CopyFrom(*prop);
    return;
  }
  auto* editor = dynamic_cast<const TEditor*>(&source);
  if (!editor)
    return TComponent::Assign(source);
  // The view's font, list and wrap options are reached through its non-const accessors; they
  // are only read.
  CopyFrom(const_cast<TEditor&>(*editor));
}

void TEditorProp::AssignTo(TPersistent& dest) const {
  if (auto* prop = dynamic_cast<TEditorProp*>(&dest)) {
    prop->Assign(*this);
    return;
  }
  auto* editor = dynamic_cast<TEditor*>(&dest);
  if (!editor)
    throw EConvertError("TEditorProp cannot be assigned to this object");
  // A new TAB width rewraps a wrapped text by itself; unwrapped first, the text is wrapped
  // once at the end instead.
  if (editor->WordWrap() && editor->Caret().TabSpaceCount() != caret_.TabSpaceCount())
    editor->SetWordWrap(false);
  editor->SetColor(color_);
  editor->SetCaret(caret_);
  editor->Font().Assign(font_);
  editor->SetMargin(margin_);
  editor->SetMarks(marks_);
  editor->SetReserveWordList(reserveWordList_);
  editor->SetScrollBars(scrollBars_);
  editor->SetView(view_);
  // The order that rewraps the text at most once.
  if (!wordWrap_) {
    editor->SetWordWrap(false);
    editor->SetWrapOption(wrapOption_);
  } else {
    editor->SetWrapOption(wrapOption_);
    editor->SetWordWrap(true);
  }
}

// The stream image

std::string EditorPropImage(const TEditorProp& prop) {
  TOwned<TEditorProp> defaults(TComponent::Create<TEditorProp>(nullptr));
  // The leaves only read here.
  auto& source = const_cast<TEditorProp&>(prop);
  TComponentImage image;
  image.className = kClassName;
  image.name = prop.Name();
  image.properties = Differences(PublishedLeaves(source), PublishedLeaves(*defaults));
  return WriteComponentImage(image);
}

bool ReadEditorPropImage(TEditorProp& prop, std::string_view bytes) {
  TComponentImage image;
  if (!ReadComponentImage(bytes, image) ||
      sjis::CompareIgnoreAsciiCase(image.className, kClassName) != 0)
    return false;
  // Read into a copy: a value that does not fit leaves the set as it was.
  TOwned<TEditorProp> copy(TComponent::Create<TEditorProp>(nullptr));
  copy->Assign(prop);
  try {
    if (!ApplyProperties(PublishedLeaves(*copy), image.properties))
      return false;
  } catch (const Exception&) {
    return false;
  }
  prop.Assign(*copy);
  return true;
}

bool ReadEditorPropFromRegistry(TEditorProp& prop, const std::string& key,
                                const std::string& valueName) {
  TRegKey reg;
  DWORD type = REG_NONE;
  std::string data;
  if (!reg.Open(HKEY_CURRENT_USER, SettingsKey(key, valueName), KEY_READ) ||
      !reg.ReadRaw(valueName, type, data) || data.empty() || type != REG_BINARY)
    return false;
  return ReadEditorPropImage(prop, data);
}

bool WriteEditorPropToRegistry(const TEditorProp& prop, const std::string& key,
                               const std::string& valueName) {
  std::string image = EditorPropImage(prop);
  TRegKey reg;
  return reg.Create(HKEY_CURRENT_USER, SettingsKey(key, valueName), KEY_WRITE) &&
         reg.WriteBinary(valueName, image.data(), static_cast<uint32_t>(image.size()));
}

} // namespace quolin
