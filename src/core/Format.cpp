#include "core/Format.h"

#include "core/Exceptions.h"
#include "core/Sjis.h"

#include <cmath>
#include <cstdio>

namespace quolin {

namespace {

struct Directive {
  bool leftAlign = false;
  int width = -1;
  int precision = -1;
  char type = 0;
};

[[noreturn]] void InvalidFormat(std::string_view format) {
  throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

std::string Pad(std::string text, const Directive& directive) {
  if (directive.width < 0 || static_cast<int>(text.size()) >= directive.width)
    return text;
  std::string fill(static_cast<size_t>(directive.width) - text.size(), ' ');
  return directive.leftAlign ? text + fill : fill + text;
}

std::string ZeroExtend(std::string digits, int precision) {
  if (precision > static_cast<int>(digits.size()))
    digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
  return digits;
}

std::string Hex32(uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%lX", static_cast<unsigned long>(value));
  return buffer;
}

std::string Thousands(const std::string& number) {
  size_t digitsStart = (number[0] == '-') ? 1 : 0;
  size_t point = number.find('.');
  if (point == std::string::npos)
    point = number.size();
  std::string result = number.substr(point);
  int count = 0;
  for (size_t i = point; i > digitsStart; --i) {
    if (count == 3) {
      result.insert(0, 1, ',');
      count = 0;
    }
    result.insert(0, 1, number[i - 1]);
    ++count;
  }
  return number.substr(0, digitsStart) + result;
}

// Exponents are written with a sign and at least three digits ("1.5E+003").
std::string ScientificExponent(std::string text) {
  size_t e = text.find_first_of("eE");
  if (e == std::string::npos)
    return text;
  std::string mantissa = text.substr(0, e);
  char sign = text[e + 1];
  std::string digits = text.substr(e + 2);
  while (digits.size() > 3 && digits[0] == '0')
    digits.erase(0, 1);
  return mantissa + "E" + sign + ZeroExtend(digits, 3);
}

std::string FormatFloat(double value, const Directive& directive) {
  char buffer[512];
  switch (directive.type) {
  case 'f':
  case 'n':
  case 'm': {
    int precision = directive.precision < 0 ? 2 : directive.precision;
    std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
    return directive.type == 'f' ? std::string(buffer) : Thousands(buffer);
  }
  case 'e': {
    int precision = directive.precision < 0 ? 15 : directive.precision;
    std::snprintf(buffer, sizeof buffer, "%.*e", std::max(precision - 1, 0), value);
    return ScientificExponent(buffer);
  }
  default: {
    int precision = directive.precision < 0 ? 15 : directive.precision;
    std::snprintf(buffer, sizeof buffer, "%.*G", precision, value);
    return ScientificExponent(buffer);
  }
  }
}

std::string FormatOne(const Directive& directive, const FormatArg& arg, std::string_view format) {
  using Kind = FormatArg::Kind;
  switch (directive.type) {
  case 'd': {
    if (arg.kind() != Kind::Integer && arg.kind() != Kind::Unsigned)
      InvalidFormat(format);
    int64_t value = arg.kind() == Kind::Integer ? arg.integer() : static_cast<int64_t>(arg.unsignedValue());
    std::string digits = std::to_string(value < 0 ? -static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
    std::string text = ZeroExtend(digits, directive.precision);
    if (value < 0)
      text.insert(text.begin(), '-');
    return Pad(text, directive);
  }
  case 'u': {
    if (arg.kind() != Kind::Integer && arg.kind() != Kind::Unsigned)
      InvalidFormat(format);
    uint64_t value = arg.kind() == Kind::Integer ? static_cast<uint32_t>(arg.integer()) : arg.unsignedValue();
    return Pad(ZeroExtend(std::to_string(value), directive.precision), directive);
  }
  case 'x': {
    if (arg.kind() != Kind::Integer && arg.kind() != Kind::Unsigned)
      InvalidFormat(format);
    uint64_t bits = arg.kind() == Kind::Integer ? static_cast<uint64_t>(arg.integer()) : arg.unsignedValue();
    return Pad(ZeroExtend(Hex32(static_cast<uint32_t>(bits)), directive.precision), directive);
  }
  case 'p':
    if (arg.kind() != Kind::Pointer)
      InvalidFormat(format);
    return Pad(ZeroExtend(Hex32(static_cast<uint32_t>(arg.unsignedValue())), 8), directive);
  case 's': {
    if (arg.kind() != Kind::String)
      InvalidFormat(format);
    std::string text = arg.string();
    // The precision cuts between characters, never inside one.
    if (directive.precision >= 0 && static_cast<size_t>(directive.precision) < text.size())
      text.resize(sjis::CharStart(text, static_cast<size_t>(directive.precision)));
    return Pad(text, directive);
  }
  case 'e':
  case 'f':
  case 'g':
  case 'n':
  case 'm':
    if (arg.kind() != Kind::Float)
      InvalidFormat(format);
    return Pad(FormatFloat(arg.floatValue(), directive), directive);
  default:
    InvalidFormat(format);
  }
}

class DirectiveReader {
public:
  DirectiveReader(std::string_view format, const std::vector<FormatArg>& args)
      : format_(format), args_(args) {}

  std::string Run() {
    std::string result;
    while (pos_ < format_.size()) {
      char ch = format_[pos_++];
      if (ch != '%') {
        result += ch;
        continue;
      }
      if (pos_ < format_.size() && format_[pos_] == '%') {
        result += '%';
        ++pos_;
        continue;
      }
      Directive directive = ReadDirective();
      result += FormatOne(directive, NextArg(), format_);
    }
    return result;
  }

private:
  std::string_view format_;
  const std::vector<FormatArg>& args_;
  size_t pos_ = 0;
  size_t argIndex_ = 0;

  const FormatArg& NextArg() {
    if (argIndex_ >= args_.size())
      InvalidFormat(format_);
    return args_[argIndex_++];
  }

  // Digits, or "*" taking an integer argument; -1 when neither is there.
  int ReadNumber() {
    if (pos_ < format_.size() && format_[pos_] == '*') {
      ++pos_;
      const FormatArg& arg = NextArg();
      if (arg.kind() != FormatArg::Kind::Integer)
        InvalidFormat(format_);
      return static_cast<int>(arg.integer());
    }
    int value = -1;
    while (pos_ < format_.size() && format_[pos_] >= '0' && format_[pos_] <= '9') {
      value = (value < 0 ? 0 : value) * 10 + (format_[pos_++] - '0');
      if (value > 100000)
        InvalidFormat(format_);
    }
    return value;
  }

  Directive ReadDirective() {
    Directive directive;
    int number = ReadNumber();
    if (pos_ < format_.size() && format_[pos_] == ':') {
      ++pos_;
      if (number < 0)
        number = 0;
      argIndex_ = static_cast<size_t>(number);
      number = -1;
    }
    if (number < 0 && pos_ < format_.size() && format_[pos_] == '-') {
      directive.leftAlign = true;
      ++pos_;
    }
    directive.width = number >= 0 ? number : ReadNumber();
    if (pos_ < format_.size() && format_[pos_] == '.') {
      ++pos_;
      directive.precision = ReadNumber();
      if (directive.precision < 0)
        directive.precision = 0;
    }
    if (pos_ >= format_.size())
      InvalidFormat(format_);
    char type = format_[pos_++];
    directive.type = (type >= 'A' && type <= 'Z') ? static_cast<char>(type - 'A' + 'a') : type;
    return directive;
  }
};

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9')
    return ch - '0';
  if (ch >= 'a' && ch <= 'f')
    return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F')
    return ch - 'A' + 10;
  return -1;
}

} // namespace

std::string FormatArgs(std::string_view format, const std::vector<FormatArg>& args) {
  return DirectiveReader(format, args).Run();
}

std::string IntToStr(int64_t value) {
  return std::to_string(value);
}

std::string IntToHex(int64_t value, int digits) {
  return ZeroExtend(Hex32(static_cast<uint32_t>(value)), digits);
}

bool TryStrToInt(std::string_view text, int& value) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ')
    ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  bool hex = false;
  if (pos < text.size() && text[pos] == '$') {
    hex = true;
    ++pos;
  } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    hex = true;
    pos += 2;
  }
  if (pos >= text.size())
    return false;
  uint64_t magnitude = 0;
  size_t digits = 0;
  for (; pos < text.size(); ++pos, ++digits) {
    int digit = hex ? HexDigit(text[pos]) : ((text[pos] >= '0' && text[pos] <= '9') ? text[pos] - '0' : -1);
    if (digit < 0)
      return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if ((hex && digits >= 8) || (!hex && magnitude > 2147483648ULL))
      return false;
  }
  if (hex) {
    uint32_t bits = static_cast<uint32_t>(magnitude);
    value = static_cast<int>(negative ? 0u - bits : bits);
    return true;
  }
  if (!negative && magnitude > 2147483647ULL)
    return false;
  value = negative ? static_cast<int>(-static_cast<int64_t>(magnitude)) : static_cast<int>(magnitude);
  return true;
}

int StrToInt(std::string_view text) {
  int value = 0;
  if (!TryStrToInt(text, value))
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  return value;
}

int StrToIntDef(std::string_view text, int defaultValue) {
  int value = 0;
  return TryStrToInt(text, value) ? value : defaultValue;
}

namespace {
bool IsTrimmed(char ch) {
  return static_cast<unsigned char>(ch) <= ' ';
}
} // namespace

std::string TrimLeft(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && IsTrimmed(text[start]))
    ++start;
  return std::string(text.substr(start));
}

std::string TrimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsTrimmed(text[end - 1]))
    --end;
  return std::string(text.substr(0, end));
}

std::string Trim(std::string_view text) {
  return TrimLeft(TrimRight(text));
}

} // namespace quolin
