#include "core/TokenScan.h"

#include <array>

namespace quolin {

namespace {

ByteSet MakeSet(std::initializer_list<std::pair<char, char>> ranges) {
  ByteSet set;
  for (auto [first, last] : ranges) {
    for (int byte = static_cast<unsigned char>(first); byte <= static_cast<unsigned char>(last);
         ++byte)
      set.set(static_cast<size_t>(byte));
  }
  return set;
}

bool IsDigit(unsigned char byte) {
  return byte >= '0' && byte <= '9';
}

bool IsLetter(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

bool InRange(unsigned char byte, unsigned char first, unsigned char last) {
  return byte >= first && byte <= last;
}

// "E" or "e", an optional sign, then digits.
size_t SkipExponent(std::string_view text, size_t pos) {
  ++pos;
  if (ByteOf(text, pos) == '+' || ByteOf(text, pos) == '-')
    ++pos;
  return SkipDigits(text, pos);
}

ScannedToken ScanNumber(std::string_view text, size_t pos) {
  pos = SkipDigits(text, pos);
  unsigned char next = ByteOf(text, pos);
  if (next == '.') {
    unsigned char afterDot = ByteOf(text, pos + 1);
    if (IsDigit(afterDot)) {
      pos = SkipDigits(text, pos + 1);
      if (ByteOf(text, pos) == 'E' || ByteOf(text, pos) == 'e')
        pos = SkipExponent(text, pos);
    } else if (afterDot == 'E' || afterDot == 'e') {
      pos = SkipExponent(text, pos + 1);
    }
    return {pos, tkFloat};
  }
  if (next == 'E' || next == 'e')
    return {SkipExponent(text, pos), tkFloat};
  return {pos, tkInteger};
}

// "\" and a TeX special character, or a control word: letters, "@", and double-byte
// characters whose lead byte is not 0x81 and whose second byte is not "@".
size_t ScanControlSequence(std::string_view text, size_t pos) {
  static const ByteSet kSpecials =
      MakeSet({{'#', '&'}, {'\\', '\\'}, {'_', '_'}, {'{', '{'}, {'}', '}'}});
  if (kSpecials.test(ByteOf(text, pos + 1)))
    return pos + 2;
  ++pos;
  for (;;) {
    unsigned char byte = ByteOf(text, pos);
    if (InRange(byte, '@', 'Z') || InRange(byte, 'a', 'z')) {
      ++pos;
    } else if (CharBytes(text, pos) == 2 && byte != 0x81 && ByteOf(text, pos + 1) != '@') {
      pos += 2;
    } else {
      return pos;
    }
  }
}

// A run of double-byte characters each of which passes accept(lead, trail).
template <typename Accept> size_t DoubleByteRun(std::string_view text, size_t pos, Accept accept) {
  while (CharBytes(text, pos) == 2 && accept(ByteOf(text, pos), ByteOf(text, pos + 1)))
    pos += 2;
  return pos;
}

// "ー" and 0x81 0x7C continue kana runs.
bool IsKanaMark(unsigned char lead, unsigned char trail) {
  return lead == 0x81 && (trail == 0x5B || trail == 0x7C);
}

bool IsKanjiLead(unsigned char lead) {
  return InRange(lead, 0x88, 0x9F) || InRange(lead, 0xE0, 0xFC);
}

ScannedToken ScanDoubleByte(std::string_view text, size_t pos) {
  unsigned char lead = ByteOf(text, pos);
  unsigned char trail = ByteOf(text, pos + 1);
  auto run = [&](EditorTokenKind kind, auto accept) {
    return ScannedToken{DoubleByteRun(text, pos, accept), kind};
  };
  if (lead == 0x82) {
    if (InRange(trail, 0x4F, 0x58))
      return run(tkWideNumber, [](unsigned char l, unsigned char t) {
        return (l == 0x82 && InRange(t, 0x4F, 0x58)) || (l == 0x81 && (t == 0x43 || t == 0x44));
      });
    if (InRange(trail, 0x60, 0x9A))
      return run(tkWideLetters, [](unsigned char l, unsigned char t) {
        return l == 0x82 && InRange(t, 0x60, 0x9A);
      });
    if (InRange(trail, 0x9F, 0xF1))
      return run(tkHiragana, [](unsigned char l, unsigned char t) {
        return (l == 0x82 && InRange(t, 0x9F, 0xF1)) || IsKanaMark(l, t);
      });
  } else if (lead == 0x83) {
    if (InRange(trail, 0x40, 0x96))
      return run(tkKatakana, [](unsigned char l, unsigned char t) {
        return (l == 0x83 && InRange(t, 0x40, 0x96)) || IsKanaMark(l, t);
      });
    if (InRange(trail, 0x9F, 0xF0))
      return run(tkDbcsSymbol, [](unsigned char l, unsigned char t) {
        return l == 0x83 && InRange(t, 0x9F, 0xF0);
      });
  } else if (InRange(lead, 0x84, 0x87)) {
    return run(tkDbcsSymbol, [](unsigned char l, unsigned char) { return InRange(l, 0x84, 0x87); });
  } else if (IsKanjiLead(lead)) {
    return run(tkKanji, [](unsigned char l, unsigned char) { return IsKanjiLead(l); });
  }
  // 0x81, and the codes of 0x82 and 0x83 that Shift-JIS leaves unassigned: one character.
  return {pos + 2, tkDbcsSymbol};
}

} // namespace

size_t SkipDigits(std::string_view text, size_t pos) {
  while (IsDigit(ByteOf(text, pos)))
    ++pos;
  return pos;
}

size_t SkipHexDigits(std::string_view text, size_t pos) {
  for (unsigned char byte; IsDigit(byte = ByteOf(text, pos)) || InRange(byte | 0x20, 'a', 'f');)
    ++pos;
  return pos;
}

size_t SkipBlanks(std::string_view text, size_t pos) {
  for (;;) {
    unsigned char byte = ByteOf(text, pos);
    if (byte == 0 || byte == '\t' || byte >= 33)
      return pos;
    ++pos;
  }
}

size_t RowEnd(std::string_view text, size_t pos) {
  while (!AtRowEnd(text, pos))
    ++pos;
  return pos;
}

const ByteSet& MailChars() {
  static const ByteSet set = MakeSet({{'!', '!'},
                                      {'$', '&'},
                                      {'*', '*'},
                                      {',', '9'},
                                      {';', ';'},
                                      {'=', '='},
                                      {'?', 'Z'},
                                      {'^', '_'},
                                      {'a', 'z'},
                                      {'~', '~'}});
  return set;
}

const ByteSet& EditorUrlChars() {
  static const ByteSet set = MakeSet({{'#', '#'},
                                      {'%', '&'},
                                      {'+', '+'},
                                      {'-', ':'},
                                      {'=', '='},
                                      {'?', '?'},
                                      {'A', 'Z'},
                                      {'_', '_'},
                                      {'a', 'z'},
                                      {'~', '~'}});
  return set;
}

size_t ScanUrl(std::string_view text, size_t pos, const ByteSet& urlChars) {
  static constexpr std::array<std::string_view, 4> kPrefixes = {"ftp:", "http:", "https:", "www."};
  std::string_view rest = text.substr(std::min(pos, text.size()));
  for (std::string_view prefix : kPrefixes) {
    if (!rest.starts_with(prefix))
      continue;
    size_t end = pos + prefix.size();
    while (urlChars.test(ByteOf(text, end)))
      ++end;
    return end;
  }
  return pos;
}

size_t MailScanner::Scan(std::string_view text, size_t pos) {
  const ByteSet& mail = MailChars();
  if (pos < failedRunEnd_ || !mail.test(ByteOf(text, pos)))
    return pos;
  bool at = false, dot = false;
  size_t end = pos + 1;
  for (unsigned char byte; mail.test(byte = ByteOf(text, end)); ++end) {
    if (byte == '@')
      at = true;
    else if (byte == '.' && at)
      dot = true;
  }
  if (at && dot)
    return end;
  failedRunEnd_ = end;
  return pos;
}

bool CommentStartsAt(std::string_view text, size_t pos, std::string_view commenter,
                     bool afterLoneBackslash) {
  return !commenter.empty() && !afterLoneBackslash &&
         text.substr(std::min(pos, text.size())).starts_with(commenter);
}

ScannedToken ScanByFirstByte(std::string_view text, size_t pos) {
  unsigned char byte = ByteOf(text, pos);
  if (byte == '\\')
    return {ScanControlSequence(text, pos), tkWord};
  if (byte == '\t')
    return {pos + 1, tkTab};
  if (IsDigit(byte))
    return ScanNumber(text, pos);
  if (IsLetter(byte)) {
    size_t end = pos + 1;
    while (IsLetter(ByteOf(text, end)) || IsDigit(ByteOf(text, end)))
      ++end;
    return {end, tkWord};
  }
  if (CharBytes(text, pos) == 2)
    return ScanDoubleByte(text, pos);
  if (InRange(byte, 0xA1, 0xA5))
    return {pos + 1, tkHalfPunctuation};
  if (InRange(byte, 0xA6, 0xDF)) {
    size_t end = pos + 1;
    while (InRange(ByteOf(text, end), 0xA6, 0xDF))
      ++end;
    return {end, tkHalfKatakana};
  }
  return {pos + 1, tkSymbol};
}

} // namespace quolin
