// Helpers of the text tests: the plain references of the search and of replace all, which the
// random tests and the fuzz targets hold the matcher and the find session to, random texts and
// patterns full of traps, the search flags by number, and bytes in hex for failure messages.
#pragma once

#include "core/FindReplace.h"
#include "core/Format.h"
#include "core/SearchTables.h"
#include "core/TextSearch.h"

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quolin::texttest {

inline std::string Hex(std::string_view bytes) {
  std::string hex;
  for (unsigned char byte : bytes)
    hex += IntToHex(byte, 2) + " ";
  return hex;
}

inline std::string Single(unsigned byte) {
  return std::string(1, static_cast<char>(byte));
}

// A double-byte code as its two bytes.
inline std::string CodeText(uint16_t code) {
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// The rules of the search written out plainly: characters found by walking from the text's
// start, every candidate tried in order. Widens single characters with ConvertHalfKanaToFull
// but shares no other code with the matcher.
class Reference {
public:
  Reference(std::string_view text, std::string_view pattern, int flags)
      : text_(text), flags_(flags) {
    for (size_t pos = 0; pos < text_.size(); pos += Length(text_, pos))
      starts_.push_back(pos);
    starts_.push_back(text_.size());
    std::string widened(flags_ & sfIgnoreWidth ? ConvertHalfKanaToFull(pattern) : pattern);
    for (size_t pos = 0; pos < widened.size(); pos += Length(widened, pos))
      pattern_.push_back(Folded(widened.substr(pos, Length(widened, pos))));
    minimum_ = flags_ & sfIgnoreWidth ? pattern_.size() : pattern.size();
  }

  std::optional<TSearchPos> Search(TSearchPos record) const {
    long long size = static_cast<long long>(text_.size());
    if (text_.empty() || pattern_.empty() || record.Start < 0 || record.Start > size ||
        record.Length < 0)
      return std::nullopt;
    std::vector<size_t> candidates;
    if (flags_ & sfForward) {
      long long first = static_cast<long long>(record.Start) + record.Length;
      for (size_t start : starts_) {
        if (static_cast<long long>(start) >= first &&
            static_cast<long long>(start) + static_cast<long long>(minimum_) <= size)
          candidates.push_back(start);
      }
    } else {
      std::optional<size_t> first = FirstBackward(static_cast<size_t>(record.Start));
      for (size_t index = starts_.size(); first && index-- > 0;) {
        if (starts_[index] <= *first)
          candidates.push_back(starts_[index]);
      }
    }
    for (size_t candidate : candidates) {
      if (std::optional<size_t> length = Accepted(candidate))
        return TSearchPos{static_cast<int>(candidate), static_cast<int>(*length)};
    }
    return std::nullopt;
  }

private:
  std::string_view text_;
  int flags_;
  std::vector<size_t> starts_;
  std::vector<std::string> pattern_;
  size_t minimum_ = 0;

  static bool Lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
  static size_t Length(std::string_view text, size_t pos) {
    auto next = [&] { return static_cast<unsigned char>(text[pos + 1]); };
    bool pair = Lead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
                next() != 0 && next() != '\r' && next() != '\n';
    return pair ? 2 : 1;
  }
  static bool Delimiter(unsigned char byte) {
    return byte <= 0x2F || (byte >= 0x3A && byte <= 0x40) || (byte >= 0x5B && byte <= 0x60) ||
           (byte >= 0x7B && byte <= 0x80) || (byte >= 0xA0 && byte <= 0xA5) || byte >= 0xFD;
  }
  bool IsStart(size_t pos) const {
    for (size_t start : starts_) {
      if (start == pos)
        return true;
    }
    return false;
  }
  size_t PreviousStart(size_t pos) const {
    size_t previous = 0;
    for (size_t start : starts_) {
      if (start < pos)
        previous = start;
    }
    return previous;
  }
  bool Combines(size_t letter) const {
    return ConvertHalfKanaToFull(text_.substr(letter, 2)).size() == 2;
  }

  std::string Folded(std::string character) const {
    if (flags_ & sfMatchCase)
      return character;
    auto first = static_cast<unsigned char>(character[0]);
    if (character.size() == 1 && first >= 'a' && first <= 'z')
      character[0] = static_cast<char>(first - 'a' + 'A');
    auto second = character.size() == 2 ? static_cast<unsigned char>(character[1]) : 0;
    if (first == 0x82 && second >= 0x81 && second <= 0x9A)
      character[1] = static_cast<char>(second - 0x21);
    return character;
  }

  // The text's character at pos as the comparison sees it, and the bytes it takes.
  std::pair<std::string, size_t> TextCharacter(size_t pos) const {
    size_t length = Length(text_, pos);
    if (length == 2 || !(flags_ & sfIgnoreWidth))
      return {Folded(std::string(text_.substr(pos, length))), length};
    auto next = pos + 1 < text_.size() ? static_cast<unsigned char>(text_[pos + 1]) : 0;
    if ((next == 0xDE || next == 0xDF) && Combines(pos))
      return {Folded(ConvertHalfKanaToFull(text_.substr(pos, 2))), 2};
    return {Folded(ConvertHalfKanaToFull(text_.substr(pos, 1))), 1};
  }

  size_t Skippable(size_t pos) const {
    auto byte = static_cast<unsigned char>(text_[pos]);
    if ((flags_ & sfSkipLineBreaks) && (byte == '\r' || byte == '\n'))
      return 1;
    if ((flags_ & sfSkipBlanks) && (byte == '\t' || byte == ' '))
      return 1;
    if ((flags_ & sfSkipBlanks) && text_.substr(pos, 2) == "\x81\x40")
      return 2;
    return 0;
  }

  std::optional<size_t> Compared(size_t start) const {
    size_t at = start;
    for (size_t index = 0; index < pattern_.size();) {
      if (at >= text_.size())
        return std::nullopt;
      auto [character, length] = TextCharacter(at);
      if (character == pattern_[index]) {
        at += length;
        ++index;
      } else if (index > 0 && Skippable(at)) {
        at += Skippable(at);
      } else {
        return std::nullopt;
      }
    }
    return at - start;
  }

  bool WordCharacter(size_t pos) const {
    return Length(text_, pos) == 2 || !Delimiter(static_cast<unsigned char>(text_[pos]));
  }

  std::optional<size_t> Accepted(size_t candidate) const {
    bool whole = flags_ & sfWholeWord;
    if (whole &&
        (!WordCharacter(candidate) || (candidate > 0 && WordCharacter(PreviousStart(candidate)))))
      return std::nullopt;
    std::optional<size_t> length = Compared(candidate);
    if (!length ||
        (whole && candidate + *length < text_.size() && WordCharacter(candidate + *length)))
      return std::nullopt;
    return length;
  }

  std::optional<size_t> FirstBackward(size_t start) const {
    if (!(flags_ & sfIgnoreWidth)) {
      if (start < minimum_)
        return std::nullopt;
      return IsStart(start - minimum_) ? start - minimum_ : PreviousStart(start - minimum_);
    }
    size_t pos = start;
    for (size_t count = 0; count < pattern_.size(); ++count) {
      if (pos == 0)
        return std::nullopt;
      size_t previous = PreviousStart(pos);
      auto byte = static_cast<unsigned char>(text_[previous]);
      if ((byte == 0xDE || byte == 0xDF) && previous > 0 && IsStart(previous - 1) &&
          Combines(previous - 1))
        --previous;
      pos = previous;
    }
    return pos;
  }
};

// Text pieces chosen to sit close to each other under folding and to trap byte-wise matching.
inline const std::vector<std::string> kAlphabet = {
    "a",  "A",    "b",  "ａ", "Ａ",       "ゃ", "ア",
    "ソ", "あ",   "か", "ｶ",  "ﾊ",        "ｳ",  "ﾞ",
    "ﾟ",  "･",    "ガ", "．", "・",       " ",  "\t",
    "　", "\r\n", "_",  ".",  "\x82\r\n", "表", std::string(1, '\0')};

// Characters at the edges of the byte ranges: the first and last lead byte of each range (81,
// 9F, E0, FC) with the first and last second bytes (40, 7E, 80, FC), bytes just outside the lead
// ranges, the half-width kana's edges, delimiter edges, lone line ends, and a lead byte before
// a delimiter byte below 40 (no Shift-JIS text holds one, yet it is one character). One piece in
// five is drawn from these.
inline const std::vector<std::string> kEdgeCharacters = {
    "\x81\x40", "\x9F\x7E", "\xE0\x80", "\xFC\xFC", "\x81\xFC", "\xFC\x40", "\x9F\t",
    "\xE0 ",    "\x80",     "\xA0",     "\xFD",     "\x7F",     "\xA1",     "\xA5",
    "\xA6",     "\xDF",     "\x5C",     "\r",       "\n",       "/",        "0",
    "9",        ":",        "[",        "`",        "{"};

// A pattern character in another width or case, as a user might type it.
inline std::string Disguised(const std::string& character, std::mt19937& random) {
  static const std::vector<std::pair<std::string, std::string>> kTwins = {
      {"a", "A"},  {"a", "ａ"}, {"A", "Ａ"}, {"ａ", "Ａ"}, {"ｶﾞ", "ガ"}, {"･", "・"},
      {".", "．"}, {" ", "　"}, {"ｶ", "カ"}, {"ﾊﾟ", "パ"}, {"b", "ｂ"}};
  std::vector<std::string> choices = {character};
  for (const auto& [one, other] : kTwins) {
    if (character == one)
      choices.push_back(other);
    if (character == other)
      choices.push_back(one);
  }
  return choices[random() % choices.size()];
}

struct Trial {
  std::string text;
  std::string pattern;
  TSearchPos record;
  int flags;
};

class TrialMaker {
public:
  explicit TrialMaker(uint32_t seed) : random_(seed) {}

  std::string Text() {
    std::string text;
    pieces_.clear();
    for (int count = static_cast<int>(random_() % 40); count > 0; --count) {
      pieces_.push_back(Pick(random_() % 5 == 0 ? kEdgeCharacters : kAlphabet));
      if (pieces_.back() == "ｶ" && random_() % 2)
        pieces_.back() += random_() % 2 ? "ﾞ" : "ﾟ";
      text += pieces_.back();
    }
    if (random_() % 8 == 0)
      text += "\x83"; // a lead byte at the end
    return text;
  }

  std::string Pattern(const std::string& text) {
    unsigned kind = random_() % 8;
    std::string pattern;
    if (kind < 5 && !pieces_.empty()) {
      size_t first = random_() % pieces_.size();
      size_t count = 1 + random_() % 5;
      for (size_t index = first; index < std::min(pieces_.size(), first + count); ++index)
        pattern += Disguised(pieces_[index], random_);
    } else if (kind < 6 && !text.empty()) {
      // Raw bytes, which may cut a character.
      size_t first = random_() % text.size();
      pattern = text.substr(first, 1 + random_() % 4);
    } else {
      for (int count = 1 + static_cast<int>(random_() % 3); count > 0; --count)
        pattern += Pick(kAlphabet);
    }
    return pattern;
  }

  TSearchPos Record(const std::string& text) {
    int size = static_cast<int>(text.size());
    if (random_() % 10 == 0)
      return {static_cast<int>(random_() % (size + 5)) - 2, static_cast<int>(random_() % 8) - 1};
    int start = static_cast<int>(random_() % (size + 1));
    int length = static_cast<int>(random_() % (size - start + 1));
    return {start, random_() % 3 ? length : 0};
  }

private:
  std::mt19937 random_;
  std::vector<std::string> pieces_;

  const std::string& Pick(const std::vector<std::string>& pool) {
    return pool[random_() % pool.size()];
  }
};

// Replace all as the dialog's loop reads it: the whole text read again before every search.
struct TReplaceOutcome {
  std::string Text;
  int Count = 0;
  TSearchPos Selection;
  bool Ended = true;
};

inline TReplaceOutcome ReferenceReplaceAll(std::string text, TSearchPos selection,
                                           std::string_view search, std::string_view replacement,
                                           int flags, bool readOnly) {
  TReplaceOutcome outcome;
  // Every replacement moves the caret past the replaced text: far fewer rounds than this.
  size_t rounds = 2 * (text.size() + 2);
  while (true) {
    if (rounds-- == 0) {
      outcome.Ended = false;
      break;
    }
    std::string selected = text.substr(selection.Start, selection.Length);
    if (!readOnly &&
        MatchesSelection(selected, search, flags & sfMatchCase, flags & sfIgnoreWidth)) {
      text.replace(selection.Start, selection.Length, replacement);
      ++outcome.Count;
      int end = selection.Start + static_cast<int>(replacement.size());
      selection = {(flags & sfForward) ? end : selection.Start, 0};
    }
    std::string current = text;
    if (!FindTextMatch(current, selection, search, flags))
      break;
  }
  outcome.Text = text;
  outcome.Selection = selection;
  return outcome;
}

// One of the 64 combinations of the six search flags, by the bits of combination.
inline int FlagsOf(int combination) {
  constexpr int kFlagBits[] = {sfForward,     sfMatchCase,      sfWholeWord,
                               sfIgnoreWidth, sfSkipLineBreaks, sfSkipBlanks};
  int flags = 0;
  for (int bit = 0; bit < 6; ++bit) {
    if (combination & (1 << bit))
      flags |= kFlagBits[bit];
  }
  return flags;
}

} // namespace quolin::texttest
