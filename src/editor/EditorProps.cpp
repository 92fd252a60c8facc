#include "editor/EditorProps.h"

#include "common/Registry.h"
#include "core/Exceptions.h"
#include "core/PropertyStream.h"
#include "core/ReserveWordList.h"
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

// Objects that stream as one property (defined below).
PropertyLeaf WholeLeaf(std::string path, TEditorBracketCollection& brackets);
PropertyLeaf WholeLeaf(std::string path, TStringList& list);

// How a value of the kind streams.
template <TOptionKind Kind> auto CodecOf() {
  using K = TOptionKind;
  if constexpr (Kind == K::Bool)
    return BoolCodec{};
  else if constexpr (Kind == K::Int)
    return IntCodec{};
  else if constexpr (Kind == K::String)
    return StringCodec{};
  else if constexpr (Kind == K::Color)
    return ColorCodec{};
  else if constexpr (Kind == K::FontStyles)
    return StylesCodec{};
  else if constexpr (Kind == K::Charset)
    return kCharsetCodec;
  else if constexpr (Kind == K::Pitch)
    return kPitchCodec;
  else if constexpr (Kind == K::Cursor)
    return kCursorCodec;
  else if constexpr (Kind == K::DragMode)
    return kDragModeCodec;
  else if constexpr (Kind == K::CaretStyle)
    return kCaretStyleCodec;
  else
    return kScrollStyleCodec;
}

template <typename Object>
void AddLeaves(Leaves& leaves, const std::string& prefix, Object& object);

// Adds a leaf for each option of an object's table, a part's leaves under the part's name.
template <typename Object> struct LeafAdder {
  Leaves& leaves;
  const std::string& prefix;
  Object& object;

  template <TOptionKind Kind, typename Get, typename Set>
  void operator()(const TValueOption<Kind, Get, Set>& option) const {
    leaves.push_back(Leaf(
        prefix + option.name, CodecOf<Kind>(),
        [&target = object, get = option.get] { return get(target); },
        [&target = object, set = option.set](const auto& value) { set(target, value); }));
  }
  template <typename Access> void operator()(const TPartOption<Access>& part) const {
    AddLeaves(leaves, prefix + part.name + ".", *part.of(object));
  }
  template <typename Access> void operator()(const TWholeOption<Access>& whole) const {
    leaves.push_back(WholeLeaf(prefix + whole.name, *whole.of(object)));
  }
};

template <typename Object>
void AddLeaves(Leaves& leaves, const std::string& prefix, Object& object) {
  Object::ForEachOption(LeafAdder<Object>{leaves, prefix, object});
}

// Every published property of object (a TEditorProp, a bracket pair), in table order.
template <typename Object> Leaves PublishedLeaves(Object& object) {
  Leaves leaves;
  AddLeaves(leaves, "", object);
  return leaves;
}

// The bracket pairs: a collection of the items' leaves that differ from a new item's.
PropertyLeaf WholeLeaf(std::string path, TEditorBracketCollection& brackets) {
  auto get = [&brackets] {
    TStreamValue value;
    value.kind = TStreamValue::Kind::Collection;
    TEditorBracketCollection scratch;
    Leaves defaults = PublishedLeaves(scratch.Add());
    for (int index = 0; index < brackets.Count(); ++index)
      value.collection.push_back(Differences(PublishedLeaves(brackets.Items(index)), defaults));
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
      if (!ApplyProperties(PublishedLeaves(brackets.Add()), item)) {
        applied = false;
        break;
      }
    }
    brackets.EndUpdate();
    return applied;
  };
  return {std::move(path), get, set};
}

// A word list: a list of strings.
PropertyLeaf WholeLeaf(std::string path, TStringList& list) {
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

std::string SettingsKey(const std::string& key, const std::string& valueName) {
  return RegFullKey(key) + "\\" + valueName;
}

} // namespace

// TEditorProp

TEditorProp::TEditorProp(TComponent* owner) : TComponent(owner) {
  font_.Name = "FixedSys";
  font_.Color = clWindowText;
  InitReserveWordList(reserveWordList_);
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

void TEditorProp::CopyFrom(TEditor& view) {
  SetColor(view.Color());
  SetCaret(view.Caret());
  SetFont(view.Font().Value());
  SetMargin(view.Margin());
  SetMarks(view.Marks());
  SetReserveWordList(view.ReserveWordList());
  SetScrollBars(view.ScrollBars());
  SetView(view.View());
  SetWordWrap(view.WordWrap());
  SetWrapOption(view.WrapOption());
}

void TEditorProp::Assign(const TPersistent& source) {
  if (const auto* prop = dynamic_cast<const TEditorProp*>(&source)) {
    if (prop != this)
      CopyOptions(*this, *prop);
    return;
  }
  auto* editor = dynamic_cast<const TEditor*>(&source);
  if (!editor)
    return TComponent::Assign(source);
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
