// Text formatting and number conversion in the manner of the class library the program's
// texts were written for: "%d", "%u", "%x" (upper case, 32-bit two's complement), "%s", "%f",
// "%e", "%g", "%n", "%p", with "%1:s" argument indices, "-", width, precision and "*".
// A directive that does not fit its argument, or a missing argument, raises EConvertError.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace quolin {

class FormatArg {
public:
  enum class Kind { Integer, Unsigned, Float, String, Pointer };

  template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>)
  FormatArg(T value) {
    if constexpr (std::is_signed_v<T>) {
      kind_ = Kind::Integer;
      integer_ = value;
    } else {
      kind_ = Kind::Unsigned;
      unsigned_ = value;
    }
  }
  FormatArg(bool value) : kind_(Kind::Integer), integer_(value ? 1 : 0) {}
  FormatArg(char value) : kind_(Kind::String), string_(1, value) {}
  FormatArg(double value) : kind_(Kind::Float), float_(value) {}
  FormatArg(const char* value) : kind_(Kind::String), string_(value ? value : "") {}
  FormatArg(std::string_view value) : kind_(Kind::String), string_(value) {}
  FormatArg(const std::string& value) : kind_(Kind::String), string_(value) {}
  FormatArg(const void* value) : kind_(Kind::Pointer), unsigned_(reinterpret_cast<uintptr_t>(value)) {}

  Kind kind() const { return kind_; }
  int64_t integer() const { return integer_; }
  uint64_t unsignedValue() const { return unsigned_; }
  double floatValue() const { return float_; }
  const std::string& string() const { return string_; }

private:
  Kind kind_;
  int64_t integer_ = 0;
  uint64_t unsigned_ = 0;
  double float_ = 0;
  std::string string_;
};

std::string FormatArgs(std::string_view format, const std::vector<FormatArg>& args);

template <typename... Args> std::string Format(std::string_view format, const Args&... args) {
  return FormatArgs(format, std::vector<FormatArg>{FormatArg(args)...});
}

std::string IntToStr(int64_t value);
// Upper-case hexadecimal of the 32-bit two's complement, at least digits wide.
std::string IntToHex(int64_t value, int digits);
// Decimal, or "$"/"0x" followed by up to 8 hexadecimal digits read as 32 bits ("$FFFFFFFF"
// is -1). Leading blanks are allowed. Raises EConvertError.
int StrToInt(std::string_view text);
int StrToIntDef(std::string_view text, int defaultValue);
bool TryStrToInt(std::string_view text, int& value);

// Remove bytes up to and including the blank (0x20) from both ends, the start or the end.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

} // namespace quolin
