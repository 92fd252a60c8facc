#include "core/TextEncoding.h"

#include "core/Exceptions.h"
#include "core/Platform.h"
#include "core/ResConst.h"
#include "core/Sjis.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace quolin {

namespace {

// A byte past the end reads as 0, so that no walk leaves the text.
unsigned ByteAt(std::string_view bytes, size_t pos) {
  return pos < bytes.size() ? static_cast<unsigned char>(bytes[pos]) : 0;
}

constexpr bool InRange(unsigned value, unsigned low, unsigned high) {
  return value >= low && value <= high;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// Only three-byte sequences count: Japanese text in UTF-8 is made of them.
bool LooksLikeUtf8(std::string_view bytes) {
  bool seen = false;
  for (size_t pos = 0; pos < kTextExamineLimit && pos + 5 < bytes.size();) {
    unsigned lead = ByteAt(bytes, pos);
    if (lead < 0x80) {
      ++pos;
      continue;
    }
    if (!InRange(lead, 0xE0, 0xEF))
      return false;
    unsigned second = ByteAt(bytes, pos + 1);
    bool secondFits = lead == 0xE0 ? InRange(second, 0xA0, 0xBF) : InRange(second, 0x80, 0xBF);
    if (!secondFits || !InRange(ByteAt(bytes, pos + 2), 0x80, 0xBF))
      return false;
    seen = true;
    pos += 3;
  }
  return seen;
}

// After a lead byte A1-DF followed by E0-EF: later bytes decide until one below 40.
TextEncodingCode DecideAfterAmbiguousPair(std::string_view bytes, size_t& pos) {
  while (pos < bytes.size()) {
    unsigned byte = ByteAt(bytes, pos);
    if (byte < 0x40)
      break;
    if (InRange(byte, 0x81, 0x8D) || InRange(byte, 0x8F, 0x9C))
      return tcShiftJis;
    if (InRange(byte, 0xFD, 0xFE))
      return tcEucJp;
    ++pos;
  }
  return tcEucOrShiftJis;
}

// One step of the Japanese walk at the byte at pos; bytes it consumes advance pos.
TextEncodingCode StepJapanese(std::string_view bytes, size_t& pos, TextEncodingCode code) {
  unsigned c = ByteAt(bytes, pos);
  if (c == 0x1B) {
    if (ByteAt(bytes, ++pos) != 0x24)
      return code;
    unsigned final = ByteAt(bytes, ++pos);
    return final == 0x42 ? tcJis : final == 0x40 ? tcJisOld : code;
  }
  if (c < 0x08 || c == 0xFF)
    return tcBinary;
  if (c <= 0x7F || c == 0x80 || c == 0xA0)
    return code;
  if (InRange(c, 0x81, 0x8D) || InRange(c, 0x8F, 0x9F))
    return tcShiftJis;
  if (InRange(c, 0xF0, 0xFE))
    return tcEucJp;
  unsigned d = ByteAt(bytes, ++pos);
  if (c == 0x8E) {
    if (InRange(d, 0x40, 0x7E) || InRange(d, 0x80, 0xA0) || InRange(d, 0xE0, 0xFC))
      return tcShiftJis;
    return InRange(d, 0xA1, 0xDF) ? tcEucOrShiftJis : code;
  }
  if (InRange(c, 0xA1, 0xDF)) {
    if (InRange(d, 0xF0, 0xFE))
      return tcEucJp;
    if (InRange(d, 0xA1, 0xDF))
      return tcEucOrShiftJis;
    if (d <= 0x9F)
      return tcShiftJis;
    return InRange(d, 0xE0, 0xEF) ? DecideAfterAmbiguousPair(bytes, pos) : code;
  }
  // c is E0-EF.
  if (InRange(d, 0x40, 0x7E) || InRange(d, 0x80, 0xA0))
    return tcShiftJis;
  if (InRange(d, 0xFD, 0xFE))
    return tcEucJp;
  return InRange(d, 0xA1, 0xFC) ? tcEucOrShiftJis : code;
}

// The Japanese walk over the steps that start in [From, to): the first code it decides on, if
// any, whether a step found the text ambiguous, and where the step after the last one starts.
struct TJapaneseWalk {
  size_t From = std::string_view::npos;
  TextEncodingCode Decided = tcAscii;
  bool Ambiguous = false;
  size_t Next = 0;
};

// Each step's answer does not depend on the steps before it, only on where it starts: a walk
// started where another ends continues it exactly.
TJapaneseWalk WalkJapanese(std::string_view bytes, size_t from, size_t to) {
  TJapaneseWalk walk;
  walk.From = from;
  size_t pos = from;
  for (; pos < to && pos + 1 < bytes.size(); ++pos) {
    TextEncodingCode step = StepJapanese(bytes, pos, tcAscii);
    if (step == tcEucOrShiftJis) {
      walk.Ambiguous = true;
    } else if (step != tcAscii) {
      walk.Decided = step;
      break;
    }
  }
  walk.Next = pos;
  return walk;
}

// The first piece is walked alone (most texts decide in it); the rest is walked in pieces at
// once, each from its start. A piece that the walk before it does not end at its start is
// walked again from where it does.
TextEncodingCode WalkJapaneseInPieces(std::string_view bytes, const TPieceLimits& limits) {
  size_t restStart = std::min(bytes.size(), limits.MinBytes);
  TJapaneseWalk first = WalkJapanese(bytes, 0, restStart);
  if (first.Decided != tcAscii)
    return first.Decided;
  std::vector<std::string_view> pieces =
      CutAfterLineFeeds(bytes.substr(restStart), MaxPiecesOf(limits), limits.MinBytes);
  auto startOf = [&](size_t index) {
    return static_cast<size_t>(pieces[index].data() - bytes.data());
  };
  std::vector<TJapaneseWalk> walks(pieces.size());
  if (pieces.size() > 1) {
    RunInParallel(pieces.size(), [&](size_t index) {
      walks[index] = WalkJapanese(bytes, startOf(index), startOf(index) + pieces[index].size());
    });
  }
  bool ambiguous = first.Ambiguous;
  size_t pos = first.Next;
  for (size_t index = 0; index < pieces.size(); ++index) {
    TJapaneseWalk walk = walks[index];
    if (walk.From != pos)
      walk = WalkJapanese(bytes, pos, startOf(index) + pieces[index].size());
    if (walk.Decided != tcAscii)
      return walk.Decided;
    ambiguous = ambiguous || walk.Ambiguous;
    pos = walk.Next;
  }
  return ambiguous ? tcEucOrShiftJis : tcAscii;
}

[[noreturn]] void ConversionFailed() {
  throw EEncodingError(res::Utf8ConvertFailed);
}

void AppendUtf16(std::u16string& out, uint32_t codePoint) {
  if (codePoint < 0x10000) {
    out += static_cast<char16_t>(codePoint);
    return;
  }
  codePoint -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
  out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
}

// One character of strict UTF-8 at pos: no overlong forms, surrogates, values beyond U+10FFFF
// or cut sequences. pos moves past it.
uint32_t DecodeUtf8Char(std::string_view utf8, size_t& pos) {
  unsigned lead = ByteAt(utf8, pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  size_t length = InRange(lead, 0xC2, 0xDF)   ? 2
                  : InRange(lead, 0xE0, 0xEF) ? 3
                  : InRange(lead, 0xF0, 0xF4) ? 4
                                              : 0;
  if (length == 0 || pos + length > utf8.size())
    ConversionFailed();
  uint32_t codePoint = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    unsigned next = ByteAt(utf8, pos + i);
    if ((next & 0xC0) != 0x80)
      ConversionFailed();
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  static constexpr uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < kMinimum[length] || codePoint > 0x10FFFF || InRange(codePoint, 0xD800, 0xDFFF))
    ConversionFailed();
  pos += length;
  return codePoint;
}

std::u16string DecodeUtf8(std::string_view utf8) {
  std::u16string wide;
  wide.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();)
    AppendUtf16(wide, DecodeUtf8Char(utf8, pos));
  return wide;
}

std::string EncodeUtf8(std::u16string_view wide) {
  std::string utf8;
  utf8.reserve(wide.size() * 3);
  for (size_t pos = 0; pos < wide.size(); ++pos) {
    uint32_t unit = static_cast<uint16_t>(wide[pos]);
    uint32_t codePoint = unit;
    if (InRange(unit, 0xD800, 0xDBFF) && pos + 1 < wide.size() &&
        InRange(static_cast<uint16_t>(wide[pos + 1]), 0xDC00, 0xDFFF)) {
      codePoint = 0x10000 + ((unit - 0xD800) << 10) + (static_cast<uint16_t>(wide[++pos]) - 0xDC00);
    }
    if (codePoint < 0x80) {
      utf8 += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
      utf8 += static_cast<char>(0xC0 | (codePoint >> 6));
      utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
      utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (codePoint >> 18));
      utf8 += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
  }
  return utf8;
}

// Characters whose Shift-JIS form Windows gives by best fit (Wine gives "?"): replaced by the
// characters that code page 932 maps to those bytes.
constexpr std::pair<char16_t, char16_t> kBestFit[] = {
    {0x301C, 0xFF5E}, // wave dash -> 81 60
    {0x2016, 0x2225}, // double vertical line -> 81 61
    {0x2212, 0xFF0D}, // minus sign -> 81 7C
    {0x2014, 0x2015}, // em dash -> 81 5C
    {0x203E, 0xFFE3}, // overline -> 81 50
};

char16_t WithBestFit(char16_t ch) {
  for (const auto& [from, to] : kBestFit) {
    if (ch == from)
      return to;
  }
  return ch;
}

std::string WideToShiftJis(std::u16string wide) {
  for (char16_t& ch : wide)
    ch = WithBestFit(ch);
  return Utf16ToAnsi(wide);
}

// The Shift-JIS bytes of every character of the basic plane, made once by the platform from
// one string of them all: the code page converts a character alone as it does within a text.
// An entry below 100 is one byte, else a lead and a trail byte.
class BasicPlaneTable {
public:
  static const BasicPlaneTable& Get() {
    static const BasicPlaneTable table;
    return table;
  }
  // False when the platform's answer could not be cut into characters.
  bool Usable() const { return usable_; }
  // codePoint is below 10000 and no surrogate; out has room for two bytes.
  char* Put(uint32_t codePoint, char* out) const {
    uint16_t code = codes_[codePoint];
    if (code >= 0x100)
      *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
    return out;
  }

private:
  std::vector<uint16_t> codes_ = std::vector<uint16_t>(0x10000);
  bool usable_ = false;

  BasicPlaneTable() {
    std::u16string all;
    for (uint32_t ch = 0; ch < 0x10000; ++ch) {
      if (!InRange(ch, 0xD800, 0xDFFF))
        all += WithBestFit(static_cast<char16_t>(ch));
    }
    std::string bytes = Utf16ToAnsi(all);
    size_t pos = 0;
    for (uint32_t ch = 0; ch < 0x10000; ++ch) {
      if (InRange(ch, 0xD800, 0xDFFF))
        continue;
      if (pos >= bytes.size())
        return;
      auto lead = static_cast<unsigned char>(bytes[pos++]);
      codes_[ch] = lead;
      if (!sjis::IsLeadByte(lead))
        continue;
      if (pos >= bytes.size())
        return;
      codes_[ch] = static_cast<uint16_t>(lead << 8 | static_cast<unsigned char>(bytes[pos++]));
    }
    // ASCII is taken without the table.
    for (uint32_t ch = 0; ch < 0x80; ++ch) {
      if (codes_[ch] != ch)
        return;
    }
    usable_ = pos == bytes.size();
  }
};

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0)
    ConversionFailed();
  std::u16string wide;
  wide.reserve(bytes.size() / 2);
  for (size_t pos = 0; pos < bytes.size(); pos += 2) {
    unsigned first = ByteAt(bytes, pos), second = ByteAt(bytes, pos + 1);
    wide += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  for (size_t pos = 0; pos < wide.size(); ++pos) {
    unsigned unit = static_cast<uint16_t>(wide[pos]);
    if (InRange(unit, 0xDC00, 0xDFFF))
      ConversionFailed();
    if (InRange(unit, 0xD800, 0xDBFF) &&
        (++pos >= wide.size() || !InRange(static_cast<uint16_t>(wide[pos]), 0xDC00, 0xDFFF)))
      ConversionFailed();
  }
  return wide;
}

} // namespace

TextEncodingCode DetectTextEncoding(std::string_view bytes, const TPieceLimits& limits) {
  if (bytes.empty())
    return tcBinary;
  if (StartsWith(bytes, "\xFF\xFE"))
    return tcUtf16Le;
  if (StartsWith(bytes, "\xFE\xFF"))
    return tcUtf16Be;
  if (bytes.size() >= 4 && StartsWith(bytes, "\xEF\xBB\xBF"))
    return tcUtf8Bom;
  if (LooksLikeUtf8(bytes))
    return tcUtf8;
  return DetectJapaneseEncoding(bytes, limits);
}

TextEncodingCode DetectJapaneseEncoding(std::string_view bytes, const TPieceLimits& limits) {
  // The last byte is left out of both walks.
  for (size_t pos = 0; pos < kTextExamineLimit && pos + 1 < bytes.size(); ++pos) {
    unsigned byte = ByteAt(bytes, pos);
    if (byte < 0x08 || byte == 0xFF)
      return tcBinary;
  }
  return WalkJapaneseInPieces(bytes, limits);
}

// Straight to Shift-JIS by the table: ASCII is taken as it stands, no wide string is made.
// Characters beyond the basic plane (rare) take the platform's way for the whole text.
std::string ConvertUtf8ToAnsi(std::string_view utf8) {
  const BasicPlaneTable& table = BasicPlaneTable::Get();
  if (!table.Usable())
    return WideToShiftJis(DecodeUtf8(utf8));
  // No character takes more bytes in Shift-JIS than in UTF-8.
  std::string ansi(utf8.size(), '\0');
  char* out = ansi.data();
  for (size_t pos = 0; pos < utf8.size();) {
    auto byte = static_cast<unsigned char>(utf8[pos]);
    if (byte < 0x80) {
      *out++ = static_cast<char>(byte);
      ++pos;
      continue;
    }
    uint32_t codePoint = DecodeUtf8Char(utf8, pos);
    if (codePoint >= 0x10000)
      return WideToShiftJis(DecodeUtf8(utf8));
    out = table.Put(codePoint, out);
  }
  ansi.resize(static_cast<size_t>(out - ansi.data()));
  return ansi;
}

std::string ConvertUtf8BomToAnsi(std::string_view utf8) {
  return ConvertUtf8ToAnsi(utf8.substr(std::min<size_t>(3, utf8.size())));
}

std::string ConvertAnsiToUtf8(std::string_view ansi) {
  return EncodeUtf8(AnsiToUtf16(ansi));
}

std::string ConvertAnsiToUtf8Bom(std::string_view ansi) {
  return "\xEF\xBB\xBF" + ConvertAnsiToUtf8(ansi);
}

std::string ConvertUtf16BomToAnsi(std::string_view utf16) {
  bool bigEndian = StartsWith(utf16, "\xFE\xFF");
  if (!bigEndian && !StartsWith(utf16, "\xFF\xFE"))
    ConversionFailed();
  return ConvertUtf16ToAnsi(utf16.substr(2), bigEndian);
}

std::string ConvertUtf16ToAnsi(std::string_view utf16, bool bigEndian) {
  return WideToShiftJis(DecodeUtf16(utf16, bigEndian));
}

std::string ConvertAnsiToUtf16Bom(std::string_view ansi, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : AnsiToUtf16(ansi)) {
    char high = static_cast<char>((static_cast<uint16_t>(unit) >> 8) & 0xFF);
    char low = static_cast<char>(static_cast<uint16_t>(unit) & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

} // namespace quolin
