// The binary image of a component's published properties, in the class library's stream
// format: "TPF0", the class and component names, then each property as a dotted path and a
// typed value, ended by 0 and by 0 for the empty child list. Only the value types an option
// set needs are written; the reader also takes wide and UTF-8 strings. Window-free.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

struct TStreamProperty;

// One property value as it stands in the stream.
struct TStreamValue {
  enum class Kind : uint8_t {
    Integer,
    String, // in the program's code page
    Ident,  // a name such as clWindow or ssBoth
    Boolean,
    Set,        // names
    List,       // values
    Collection, // items, each a list of properties
  };

  Kind kind = Kind::Integer;
  int64_t integer = 0;
  bool boolean = false;
  std::string text;                // String and Ident
  std::vector<std::string> names;  // Set
  std::vector<TStreamValue> items; // List
  std::vector<std::vector<TStreamProperty>> collection;

  static TStreamValue Int(int64_t value);
  static TStreamValue Str(std::string value);
  static TStreamValue Identifier(std::string name);
  static TStreamValue Bool(bool value);
  static TStreamValue SetOf(std::vector<std::string> members);

  bool operator==(const TStreamValue& other) const;
};

struct TStreamProperty {
  std::string name; // a dotted path: "Caret.SoftTab", "View.Colors.Comment.Color"
  TStreamValue value;

  bool operator==(const TStreamProperty& other) const = default;
};

struct TComponentImage {
  std::string className;
  std::string name;
  std::vector<TStreamProperty> properties;
};

// Value type bytes of the stream.
enum TStreamValueType : uint8_t {
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaSet = 11,
  vaLString = 12,
  vaCollection = 14,
  vaWString = 18,
  vaUTF8String = 20,
};

// The image as bytes: integers in the smallest type that holds them, strings over 255 bytes
// as long strings. Names longer than 255 bytes are cut (a short string holds no more).
std::string WriteComponentImage(const TComponentImage& image);

// False for a damaged image: a wrong signature, an unknown value type, a truncated image or
// values nested deeper than any option set nests them. image is filled only on success; bytes
// after the end of the component are not read.
bool ReadComponentImage(std::string_view bytes, TComponentImage& image);

} // namespace quolin
