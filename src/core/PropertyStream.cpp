#include "core/PropertyStream.h"

#include "core/Exceptions.h"
#include "core/Platform.h"
#include "core/TextEncoding.h"

#include <cstring>

namespace quolin {

namespace {

constexpr std::string_view kSignature = "TPF0";
constexpr size_t kShortStringMax = 255;
// Lists inside collections inside lists: deeper than this no option set goes.
constexpr int kMaxDepth = 16;

// Little-endian bytes of an integer.
void PutInteger(std::string& out, uint32_t value, int bytes) {
  for (int index = 0; index < bytes; ++index)
    out += static_cast<char>((value >> (8 * index)) & 0xFF);
}

void PutShortString(std::string& out, std::string_view text) {
  text = text.substr(0, kShortStringMax);
  out += static_cast<char>(text.size());
  out += text;
}

void PutValue(std::string& out, const TStreamValue& value);

void PutProperties(std::string& out, const std::vector<TStreamProperty>& properties) {
  for (const TStreamProperty& property : properties) {
    PutShortString(out, property.name);
    PutValue(out, property.value);
  }
  out += '\0';
}

void PutIntegerValue(std::string& out, int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    out += static_cast<char>(vaInt8);
    PutInteger(out, static_cast<uint32_t>(value), 1);
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    out += static_cast<char>(vaInt16);
    PutInteger(out, static_cast<uint32_t>(value), 2);
  } else {
    out += static_cast<char>(vaInt32);
    PutInteger(out, static_cast<uint32_t>(value), 4);
  }
}

void PutStringValue(std::string& out, const std::string& text) {
  if (text.size() <= kShortStringMax) {
    out += static_cast<char>(vaString);
    PutShortString(out, text);
    return;
  }
  out += static_cast<char>(vaLString);
  PutInteger(out, static_cast<uint32_t>(text.size()), 4);
  out += text;
}

void PutValue(std::string& out, const TStreamValue& value) {
  using Kind = TStreamValue::Kind;
  switch (value.kind) {
  case Kind::Integer:
    return PutIntegerValue(out, value.integer);
  case Kind::String:
    return PutStringValue(out, value.text);
  case Kind::Ident:
    out += static_cast<char>(vaIdent);
    return PutShortString(out, value.text);
  case Kind::Boolean:
    out += static_cast<char>(value.boolean ? vaTrue : vaFalse);
    return;
  case Kind::Set:
    out += static_cast<char>(vaSet);
    for (const std::string& name : value.names)
      PutShortString(out, name);
    out += '\0';
    return;
  case Kind::List:
    out += static_cast<char>(vaList);
    for (const TStreamValue& item : value.items)
      PutValue(out, item);
    out += '\0';
    return;
  case Kind::Collection:
    out += static_cast<char>(vaCollection);
    for (const std::vector<TStreamProperty>& item : value.collection) {
      out += static_cast<char>(vaList);
      PutProperties(out, item);
    }
    out += '\0';
    return;
  }
}

// Reads the image; every way of running out of bytes or meeting an unknown type throws
// Damaged.
class ImageReader {
public:
  struct Damaged {};

  explicit ImageReader(std::string_view bytes) : bytes_(bytes) {}

  TComponentImage Component() {
    if (Take(kSignature.size()) != kSignature)
      throw Damaged{};
    TComponentImage image;
    image.className = ShortString();
    image.name = ShortString();
    image.properties = Properties(0);
    if (Byte() != 0) // the component's children: none in an option set
      throw Damaged{};
    return image;
  }

private:
  std::string_view bytes_;
  size_t pos_ = 0;

  std::string_view Take(size_t count) {
    if (count > bytes_.size() - pos_)
      throw Damaged{};
    std::string_view taken = bytes_.substr(pos_, count);
    pos_ += count;
    return taken;
  }
  uint8_t Byte() { return static_cast<uint8_t>(Take(1)[0]); }
  uint8_t Peek() {
    if (pos_ >= bytes_.size())
      throw Damaged{};
    return static_cast<uint8_t>(bytes_[pos_]);
  }
  uint32_t Unsigned(int bytes) {
    std::string_view raw = Take(static_cast<size_t>(bytes));
    uint32_t value = 0;
    for (int index = bytes - 1; index >= 0; --index)
      value = (value << 8) | static_cast<uint8_t>(raw[static_cast<size_t>(index)]);
    return value;
  }
  std::string ShortString() { return std::string(Take(Byte())); }
  std::string LongBytes(size_t unit) {
    uint32_t length = Unsigned(4);
    if (length > (bytes_.size() - pos_) / unit)
      throw Damaged{};
    return std::string(Take(length * unit));
  }

  std::vector<TStreamProperty> Properties(int depth) {
    std::vector<TStreamProperty> properties;
    while (Peek() != 0) {
      TStreamProperty property;
      property.name = ShortString();
      property.value = Value(depth);
      properties.push_back(std::move(property));
    }
    Byte();
    return properties;
  }

  TStreamValue Value(int depth) {
    if (depth > kMaxDepth)
      throw Damaged{};
    switch (Byte()) {
    case vaInt8:
      return TStreamValue::Int(static_cast<int8_t>(Unsigned(1)));
    case vaInt16:
      return TStreamValue::Int(static_cast<int16_t>(Unsigned(2)));
    case vaInt32:
      return TStreamValue::Int(static_cast<int32_t>(Unsigned(4)));
    case vaString:
      return TStreamValue::Str(ShortString());
    case vaLString:
      return TStreamValue::Str(LongBytes(1));
    case vaWString:
      return TStreamValue::Str(FromWide(LongBytes(2)));
    case vaUTF8String:
      return TStreamValue::Str(FromUtf8(LongBytes(1)));
    case vaIdent:
      return TStreamValue::Identifier(ShortString());
    case vaFalse:
      return TStreamValue::Bool(false);
    case vaTrue:
      return TStreamValue::Bool(true);
    case vaSet:
      return SetValue();
    case vaList:
      return ListValue(depth);
    case vaCollection:
      return CollectionValue(depth);
    default:
      throw Damaged{};
    }
  }

  TStreamValue SetValue() {
    std::vector<std::string> names;
    for (std::string name = ShortString(); !name.empty(); name = ShortString())
      names.push_back(std::move(name));
    return TStreamValue::SetOf(std::move(names));
  }

  TStreamValue ListValue(int depth) {
    TStreamValue list;
    list.kind = TStreamValue::Kind::List;
    while (Peek() != 0)
      list.items.push_back(Value(depth + 1));
    Byte();
    return list;
  }

  TStreamValue CollectionValue(int depth) {
    TStreamValue collection;
    collection.kind = TStreamValue::Kind::Collection;
    while (Peek() != 0) {
      // An item may carry its order number before its list.
      if (Peek() == vaInt8 || Peek() == vaInt16 || Peek() == vaInt32)
        Value(depth + 1);
      if (Byte() != vaList)
        throw Damaged{};
      collection.collection.push_back(Properties(depth + 1));
    }
    Byte();
    return collection;
  }

  static std::string FromWide(std::string_view raw) {
    std::u16string wide(raw.size() / 2, u'\0');
    std::memcpy(wide.data(), raw.data(), wide.size() * 2);
    return Utf16ToAnsi(wide);
  }

  static std::string FromUtf8(std::string_view raw) {
    try {
      return ConvertUtf8ToAnsi(raw);
    } catch (const EEncodingError&) {
      throw Damaged{};
    }
  }
};

} // namespace

TStreamValue TStreamValue::Int(int64_t value) {
  TStreamValue result;
  result.integer = value;
  return result;
}

TStreamValue TStreamValue::Str(std::string value) {
  TStreamValue result;
  result.kind = Kind::String;
  result.text = std::move(value);
  return result;
}

TStreamValue TStreamValue::Identifier(std::string name) {
  TStreamValue result;
  result.kind = Kind::Ident;
  result.text = std::move(name);
  return result;
}

TStreamValue TStreamValue::Bool(bool value) {
  TStreamValue result;
  result.kind = Kind::Boolean;
  result.boolean = value;
  return result;
}

TStreamValue TStreamValue::SetOf(std::vector<std::string> members) {
  TStreamValue result;
  result.kind = Kind::Set;
  result.names = std::move(members);
  return result;
}

bool TStreamValue::operator==(const TStreamValue& other) const {
  return kind == other.kind && integer == other.integer && boolean == other.boolean &&
         text == other.text && names == other.names && items == other.items &&
         collection == other.collection;
}

std::string WriteComponentImage(const TComponentImage& image) {
  std::string out(kSignature);
  PutShortString(out, image.className);
  PutShortString(out, image.name);
  PutProperties(out, image.properties);
  out += '\0';
  return out;
}

bool ReadComponentImage(std::string_view bytes, TComponentImage& image) {
  try {
    image = ImageReader(bytes).Component();
    return true;
  } catch (const ImageReader::Damaged&) {
    return false;
  }
}

} // namespace quolin
