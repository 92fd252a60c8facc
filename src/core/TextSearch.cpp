#include "core/TextSearch.h"

#include "core/SearchTables.h"
#include "core/Sjis.h"

#include <array>
#include <climits>
#include <cstring>
#include <vector>

namespace quolin {

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);
constexpr unsigned char kFullWidthSpace[] = {0x81, 0x40};

unsigned char ByteAt(std::string_view text, size_t pos) {
  return static_cast<unsigned char>(text[pos]);
}

// Tells character starts from second bytes by looking back: a byte is a second byte exactly
// when the run of lead-range bytes before it has odd length and it does not end a character
// itself (0, CR, LF). The last run found is kept, so that a scan in either direction reads each
// byte a bounded number of times.
class TCharStartProbe {
public:
  explicit TCharStartProbe(std::string_view text) : text_(text) {}

  bool IsCharStart(size_t pos) {
    if (pos >= text_.size())
      return true;
    if (pos < runStart_ || pos > runEnd_)
      Rescan(pos);
    return (pos - runStart_) % 2 == 0 || sjis::EndsCharacter(ByteAt(text_, pos));
  }

private:
  std::string_view text_;
  // runStart_ begins a character and every byte in [runStart_, runEnd_) is in the lead range.
  size_t runStart_ = 0;
  size_t runEnd_ = 0;

  void Rescan(size_t pos) {
    bool above = pos > runEnd_;
    // Above the known run a scan that reaches its end joins it.
    size_t floor = above ? runEnd_ : 0;
    size_t from = pos;
    while (from > floor && sjis::IsLeadByte(ByteAt(text_, from - 1)))
      --from;
    if (!(above && from == floor))
      runStart_ = from;
    runEnd_ = pos;
  }
};

// One character as the comparison sees it: widened and case-folded as the flags ask.
struct TFoldedChar {
  unsigned char bytes[2] = {};
  size_t size = 0;     // bytes of the folded form
  size_t consumed = 0; // bytes of the text it stands for

  bool SameForm(const TFoldedChar& other) const {
    return size == other.size && bytes[0] == other.bytes[0] &&
           (size == 1 || bytes[1] == other.bytes[1]);
  }
};

} // namespace

namespace search {

// The pattern is compiled once; Bind hands it the text to search.
class TMatcher {
public:
  TMatcher(std::string_view pattern, int flags)
      : flags_(flags), upper_(search::UpperCaseTable()), probe_(text_) {
    Compile(pattern);
  }

  void Bind(std::string_view text) {
    text_ = text;
    probe_ = TCharStartProbe(text);
  }

  bool IsCharStart(size_t pos) { return probe_.IsCharStart(pos); }

  // The fewest text bytes a match takes: the pattern's bytes, or with widening its characters.
  size_t MinimumBytes() const { return minimumBytes_; }

  // Bytes a match beginning at the character start pos consumes, or -1.
  int LengthAt(size_t pos) const {
    if (exact_)
      return ExactLengthAt(pos);
    size_t at = pos;
    bool matched = false;
    for (size_t index = 0; index < pattern_.size();) {
      if (at >= text_.size())
        return -1;
      TFoldedChar character = FoldText(at);
      if (character.SameForm(pattern_[index])) {
        at += character.consumed;
        ++index;
        matched = true;
        continue;
      }
      size_t skip = matched ? SkippableAt(at) : 0;
      if (skip == 0)
        return -1;
      at += skip;
    }
    return static_cast<int>(at - pos);
  }

  // The highest candidate of a backward search from start: the pattern's length back, with
  // widening as many characters back (a half-width kana with its voicing mark counting one).
  // Candidates are character starts; the scans step over second bytes.
  size_t FirstBackward(size_t start) {
    if (!(flags_ & sfIgnoreWidth)) {
      if (start < minimumBytes_)
        return kNone;
      return start - minimumBytes_;
    }
    size_t pos = start;
    for (size_t count = 0; count < pattern_.size(); ++count) {
      if (pos == 0)
        return kNone;
      size_t previous = probe_.IsCharStart(pos - 1) ? pos - 1 : pos - 2;
      if (previous > 0 && probe_.IsCharStart(previous - 1) &&
          search::CombinedKanaJis(ByteAt(text_, previous - 1), ByteAt(text_, previous)))
        --previous;
      pos = previous;
    }
    return pos;
  }

  // The first match at a candidate in [first, last], upwards.
  bool Forward(size_t first, size_t last, TSearchPos& match) {
    for (size_t pos = first; pos <= last; ++pos) {
      pos = NextStartByte(pos, last);
      if (pos == kNone)
        return false;
      if (Accept(pos, match))
        return true;
    }
    return false;
  }

  // The first match at a candidate in [0, first], downwards.
  bool Backward(size_t first, TSearchPos& match) {
    for (size_t pos = first;; --pos) {
      pos = PreviousStartByte(pos);
      if (pos == kNone)
        return false;
      if (Accept(pos, match))
        return true;
      if (pos == 0)
        return false;
    }
  }

private:
  std::string_view text_;
  int flags_;
  const std::array<unsigned char, 256>& upper_;
  TCharStartProbe probe_;
  std::vector<TFoldedChar> pattern_;
  size_t minimumBytes_ = 0;
  // Matching case without widening or stepping over compares bytes as they are.
  bool exact_ = false;
  std::string exactBytes_;
  // The bytes that begin a text character equal to the pattern's first: single bytes (with
  // a voicing mark after them, for widening) and, when the first is double-byte, its lead
  // byte before the second bytes that fold into it. memchr finds the one single start byte
  // when there is no other (-1 otherwise).
  std::array<unsigned char, 256> singleStarts_{};
  int pairLead_ = -1;
  std::array<unsigned char, 256> pairSeconds_{};
  int onlyStartByte_ = -1;
  // Each byte's folded form as a single-byte character.
  std::array<TFoldedChar, 256> singleForms_;

  void Compile(std::string_view pattern) {
    std::string widened(flags_ & sfIgnoreWidth ? ConvertHalfKanaToFull(pattern) : pattern);
    for (size_t pos = 0; pos < widened.size();) {
      pattern_.push_back(Fold(widened, pos, flags_ & ~sfIgnoreWidth));
      pos += pattern_.back().consumed;
    }
    minimumBytes_ = flags_ & sfIgnoreWidth ? pattern_.size() : pattern.size();
    exact_ =
        (flags_ & sfMatchCase) && !(flags_ & (sfIgnoreWidth | sfSkipLineBreaks | sfSkipBlanks));
    if (exact_)
      exactBytes_ = pattern;
    for (unsigned byte = 0; byte < singleForms_.size(); ++byte) {
      const char sample = static_cast<char>(byte);
      singleForms_[byte] = Fold(std::string_view(&sample, 1), 0, flags_);
    }
    if (!pattern_.empty())
      CollectStartBytes();
  }

  // A quick look at the second byte: most candidates fail there.
  bool ExactBytesDiffer(size_t pos) const {
    size_t size = exactBytes_.size();
    return size > text_.size() - pos || (size > 1 && text_[pos + 1] != exactBytes_[1]);
  }

  int ExactLengthAt(size_t pos) const {
    size_t size = exactBytes_.size();
    if (size > text_.size() - pos || text_.compare(pos, size, exactBytes_) != 0)
      return -1;
    // Equal bytes from one character start split alike, up to the last character, which in
    // the text may take the byte after the pattern.
    size_t last = size - pattern_.back().consumed;
    return sjis::CharLength(text_, pos + last) == pattern_.back().consumed ? static_cast<int>(size)
                                                                           : -1;
  }

  void CollectStartBytes() {
    const TFoldedChar& first = pattern_.front();
    // Folding keeps the lead byte of a double-byte character.
    if (first.size == 2) {
      pairLead_ = first.bytes[0];
      for (unsigned byte = 0; byte < pairSeconds_.size(); ++byte) {
        const char sample[] = {static_cast<char>(pairLead_), static_cast<char>(byte)};
        pairSeconds_[byte] = Fold(std::string_view(sample, 2), 0, flags_).SameForm(first);
      }
    }
    int singles = 0;
    for (unsigned byte = 0; byte < singleStarts_.size(); ++byte) {
      for (char mark : {'\0', static_cast<char>(search::kVoicedMark),
                        static_cast<char>(search::kSemiVoicedMark)}) {
        const char sample[] = {static_cast<char>(byte), mark};
        std::string_view text(sample, mark ? 2 : 1);
        if (sjis::CharLength(text, 0) == 1 && Fold(text, 0, flags_).SameForm(first))
          singleStarts_[byte] = 1;
      }
      if (singleStarts_[byte]) {
        ++singles;
        onlyStartByte_ = static_cast<int>(byte);
      }
    }
    if (singles != 1 || pairLead_ >= 0)
      onlyStartByte_ = -1;
  }

  // Whether the character at pos (which may still turn out to be a second byte) can fold into
  // the pattern's first.
  bool MayStartAt(size_t pos) const {
    unsigned char byte = ByteAt(text_, pos);
    return singleStarts_[byte] ||
           (byte == pairLead_ && pos + 1 < text_.size() && pairSeconds_[ByteAt(text_, pos + 1)]);
  }

  // Fold for the text: a single-byte character that combines with nothing comes from the
  // table of single forms.
  TFoldedChar FoldText(size_t pos) const {
    unsigned char byte = ByteAt(text_, pos);
    bool combines = (flags_ & sfIgnoreWidth) && pos + 1 < text_.size() &&
                    search::CombinedKanaJis(byte, ByteAt(text_, pos + 1));
    return sjis::CharLength(text_, pos) == 1 && !combines ? singleForms_[byte]
                                                          : Fold(text_, pos, flags_);
  }

  TFoldedChar Fold(std::string_view text, size_t pos, int flags) const {
    TFoldedChar folded;
    folded.size = folded.consumed = sjis::CharLength(text, pos);
    folded.bytes[0] = ByteAt(text, pos);
    if (folded.size == 2) {
      folded.bytes[1] = ByteAt(text, pos + 1);
    } else if (flags & sfIgnoreWidth) {
      search::TWideForm wide = search::WidenSingleByte(text, pos);
      folded.consumed = wide.consumed;
      if (wide.code > 0xFF) {
        folded.size = 2;
        folded.bytes[0] = static_cast<unsigned char>(wide.code >> 8);
        folded.bytes[1] = static_cast<unsigned char>(wide.code & 0xFF);
      }
    }
    if (flags & sfMatchCase)
      return folded;
    if (folded.size == 1)
      folded.bytes[0] = upper_[folded.bytes[0]];
    else if (folded.bytes[0] == 0x82)
      folded.bytes[1] = search::FoldFullWidthTrail(folded.bytes[1]);
    return folded;
  }

  // Bytes of a line break or blank at pos that a match may step over, or 0.
  size_t SkippableAt(size_t pos) const {
    unsigned char byte = ByteAt(text_, pos);
    if ((flags_ & sfSkipLineBreaks) && (byte == '\r' || byte == '\n'))
      return 1;
    if (!(flags_ & sfSkipBlanks))
      return 0;
    if (byte == '\t' || byte == ' ')
      return 1;
    bool fullWidthSpace = byte == kFullWidthSpace[0] && pos + 1 < text_.size() &&
                          ByteAt(text_, pos + 1) == kFullWidthSpace[1];
    return fullWidthSpace ? 2 : 0;
  }

  // Cheap tests first: the character at pos (which may still turn out to be a second byte)
  // must be able to equal the pattern's first and to begin a word.
  bool Accept(size_t pos, TSearchPos& match) {
    if (exact_ && ExactBytesDiffer(pos))
      return false;
    bool wholeWord = flags_ & sfWholeWord;
    if (wholeWord && !IsWordStart(pos))
      return false;
    if (!probe_.IsCharStart(pos))
      return false;
    int length = LengthAt(pos);
    if (length < 0 || (wholeWord && !IsWordEnd(pos + static_cast<size_t>(length))))
      return false;
    match = {static_cast<int>(pos), length};
    return true;
  }

  // A word character at pos, after the text's start or a delimiter. A double-byte character
  // is a word character; a single byte counts by the delimiter set.
  bool IsWordStart(size_t pos) {
    if (search::IsDelimiter(ByteAt(text_, pos)))
      return false;
    if (pos == 0)
      return true;
    // A delimiter byte may still be the second byte of a lead byte before it.
    return search::IsDelimiter(ByteAt(text_, pos - 1)) && probe_.IsCharStart(pos - 1);
  }

  // The text's end or a delimiter follows (a delimiter byte is never a lead byte).
  bool IsWordEnd(size_t pos) const {
    return pos >= text_.size() || search::IsDelimiter(ByteAt(text_, pos));
  }

  size_t NextStartByte(size_t from, size_t last) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text_.data());
    if (onlyStartByte_ >= 0) {
      // Exact patterns are tested at their second byte here already: most hits fail there,
      // and leaving memchr's loop less often pays.
      for (size_t pos = from;; ++pos) {
        const void* hit = std::memchr(bytes + pos, onlyStartByte_, last + 1 - pos);
        if (!hit)
          return kNone;
        pos = static_cast<size_t>(static_cast<const unsigned char*>(hit) - bytes);
        if (!exact_ || !ExactBytesDiffer(pos))
          return pos;
      }
    }
    size_t pos = from;
    if (pairLead_ < 0) {
      while (pos <= last && !singleStarts_[bytes[pos]])
        ++pos;
      return pos <= last ? pos : kNone;
    }
    // Without branches on the lead byte, which is frequent in Japanese text; the last byte of
    // the text, which has none after it, is tested on its own.
    for (size_t end = std::min(last + 1, text_.size() - 1); pos < end; ++pos) {
      if (singleStarts_[bytes[pos]] | (pairSeconds_[bytes[pos + 1]] & (bytes[pos] == pairLead_)))
        return pos;
    }
    return pos <= last && MayStartAt(pos) ? pos : kNone;
  }

  size_t PreviousStartByte(size_t from) const {
    for (size_t pos = from + 1; pos-- > 0;) {
      if (MayStartAt(pos))
        return pos;
    }
    return kNone;
  }
};

} // namespace search

namespace {

using search::TMatcher;

bool RecordFits(std::string_view text, const TSearchPos& position) {
  return text.size() <= INT_MAX && position.Start >= 0 &&
         static_cast<size_t>(position.Start) <= text.size() && position.Length >= 0;
}

// The search of MatchPattern with a matcher bound to text.
const char* MatchWith(TMatcher& matcher, std::string_view text, TSearchPos& position, int flags) {
  if (!RecordFits(text, position))
    return nullptr;
  matcher.Bind(text);
  auto start = static_cast<size_t>(position.Start);
  TSearchPos match;
  bool found = false;
  if (flags & sfForward) {
    size_t first = start + static_cast<size_t>(position.Length);
    size_t minimum = matcher.MinimumBytes();
    found = minimum <= text.size() && first <= text.size() - minimum &&
            matcher.Forward(first, text.size() - minimum, match);
  } else {
    size_t first = matcher.FirstBackward(start);
    found = first != kNone && matcher.Backward(first, match);
  }
  if (!found)
    return nullptr;
  position = match;
  return text.data() + match.Start;
}

int LengthWith(TMatcher& matcher, std::string_view text, int position) {
  if (text.size() > INT_MAX || position < 0 || static_cast<size_t>(position) >= text.size())
    return -1;
  matcher.Bind(text);
  auto pos = static_cast<size_t>(position);
  return matcher.IsCharStart(pos) ? matcher.LengthAt(pos) : -1;
}

} // namespace

const char* MatchPattern(std::string_view text, TSearchPos& position, std::string_view pattern,
                         int flags) {
  if (pattern.empty())
    return nullptr;
  TMatcher matcher(pattern, flags);
  return MatchWith(matcher, text, position, flags);
}

bool FindTextMatch(std::string_view text, TSearchPos& position, std::string_view pattern,
                   int flags) {
  if (text.empty() || pattern.empty())
    return false;
  return MatchPattern(text, position, pattern, flags) != nullptr;
}

int MatchLengthAt(std::string_view text, int position, std::string_view pattern, int flags) {
  if (pattern.empty())
    return -1;
  TMatcher matcher(pattern, flags);
  return LengthWith(matcher, text, position);
}

TPreparedSearch::TPreparedSearch(std::string_view pattern, int flags)
    : flags_(flags),
      matcher_(pattern.empty() ? nullptr : std::make_unique<TMatcher>(pattern, flags)) {
}

TPreparedSearch::~TPreparedSearch() = default;

bool TPreparedSearch::Find(std::string_view text, TSearchPos& position) {
  return matcher_ && !text.empty() && MatchWith(*matcher_, text, position, flags_) != nullptr;
}

int TPreparedSearch::LengthAt(std::string_view text, int position) {
  return matcher_ ? LengthWith(*matcher_, text, position) : -1;
}

size_t ForwardSearchLookBehind(std::string_view before) {
  // The search reads from the byte before its start on; telling whether that byte starts a
  // character walks back over the lead-range bytes before it.
  if (before.empty())
    return 0;
  size_t from = before.size() - 1;
  while (from > 0 && sjis::IsLeadByte(ByteAt(before, from - 1)))
    --from;
  return before.size() - from;
}

namespace {

// A match attempt reads, past the byte it begins at, at most two bytes for each pattern
// character (one pattern byte at least), besides the line breaks and blanks it steps over, and
// the byte after the last: so no more than this many other bytes.
size_t ReadAheadBytes(std::string_view pattern) {
  return 2 * pattern.size() + 2;
}

// Whether a match may step over byte (either byte of a full-width space counts).
bool MayStepOver(unsigned char byte, int flags) {
  bool lineBreak = byte == '\r' || byte == '\n';
  bool blank =
      byte == '\t' || byte == ' ' || byte == kFullWidthSpace[0] || byte == kFullWidthSpace[1];
  return ((flags & sfSkipLineBreaks) && lineBreak) || ((flags & sfSkipBlanks) && blank);
}

} // namespace

size_t BackwardSearchLookAhead(std::string_view after, std::string_view pattern, int flags) {
  size_t others = ReadAheadBytes(pattern);
  size_t pos = 0;
  for (; pos < after.size() && others > 0; ++pos)
    others -= MayStepOver(ByteAt(after, pos), flags) ? 0 : 1;
  return pos;
}

size_t ForwardSearchLookAhead(std::string_view text, std::string_view pattern, int flags) {
  size_t others = ReadAheadBytes(pattern);
  size_t pos = text.size();
  for (; pos > 0 && others > 0; --pos)
    others -= MayStepOver(ByteAt(text, pos - 1), flags) ? 0 : 1;
  return others > 0 ? text.size() : text.size() - pos;
}

} // namespace quolin
