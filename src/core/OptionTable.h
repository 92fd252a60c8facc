// Option tables. An option class lists its published options once, in published order, in a
// static ForEachOption(visit) that calls visit with one entry per option:
//   TValueOption  a value read and written through the object (a flag, a number, a colour);
//   TPartOption   an option object inside, whose own options follow under its name;
//   TWholeOption  an object that is one option as a whole (a word list, the bracket pairs).
// Assign, the stream image and the tests' comparison all walk these tables, so an option
// added to a table is copied, stored and compared everywhere. Window-free.
#pragma once

#include <cstdint>

namespace quolin {

// What a value means, beyond its C++ type: a colour, a count and a cursor number are all
// integers, but they are stored differently.
enum class TOptionKind : uint8_t {
  Bool,
  Int,
  String,
  Color,
  FontStyles,
  Charset,
  Pitch,
  Cursor,
  DragMode,
  CaretStyle,
  ScrollStyle,
};

// get(const Object&) gives the value; set(Object&, value) stores it.
template <TOptionKind Kind, typename Get, typename Set> struct TValueOption {
  const char* name;
  Get get;
  Set set;
};

// of(object) points to the part, const or not as the object is.
template <typename Access> struct TPartOption {
  const char* name;
  Access of;
};

// of(object) points to the object, const or not as the holder is.
template <typename Access> struct TWholeOption {
  const char* name;
  Access of;
};

// A public field.
template <TOptionKind Kind, typename Object, typename T>
auto FieldOption(const char* name, T Object::*field) {
  auto get = [field](const Object& object) { return object.*field; };
  auto set = [field](Object& object, const T& value) { object.*field = value; };
  return TValueOption<Kind, decltype(get), decltype(set)>{name, get, set};
}

// A getter and a setter.
template <TOptionKind Kind, typename Object, typename T, typename Arg>
auto AccessorOption(const char* name, T (Object::*getter)() const, void (Object::*setter)(Arg)) {
  auto get = [getter](const Object& object) { return (object.*getter)(); };
  auto set = [setter](Object& object, const auto& value) { (object.*setter)(value); };
  return TValueOption<Kind, decltype(get), decltype(set)>{name, get, set};
}

template <typename Access> TPartOption<Access> PartOption(const char* name, Access of) {
  return {name, of};
}

template <typename Access> TWholeOption<Access> WholeOption(const char* name, Access of) {
  return {name, of};
}

// Copies one object as a whole: with its Assign (one notification), or as a plain value.
template <typename T> void CopyWhole(T& to, const T& from) {
  if constexpr (requires { to.Assign(from); })
    to.Assign(from);
  else
    to = from;
}

template <typename Object> struct TOptionCopy {
  Object& to;
  const Object& from;

  template <TOptionKind Kind, typename Get, typename Set>
  void operator()(const TValueOption<Kind, Get, Set>& option) const {
    option.set(to, option.get(from));
  }
  template <typename Access> void operator()(const TPartOption<Access>& part) const {
    CopyWhole(*part.of(to), *part.of(from));
  }
  template <typename Access> void operator()(const TWholeOption<Access>& whole) const {
    CopyWhole(*whole.of(to), *whole.of(from));
  }
};

// Copies every option of from into to, in table order: values through their setters, parts
// and whole objects with CopyWhole.
template <typename Object> void CopyOptions(Object& to, const Object& from) {
  Object::ForEachOption(TOptionCopy<Object>{to, from});
}

} // namespace quolin
