#include "core/WidthConvert.h"

#include "core/KanaConvert.h"
#include "core/Platform.h"
#include "core/Sjis.h"

#include <cstdint>
#include <vector>

namespace quolin {

const std::array<TWidthPair, WidthPairCount> WidthPairs = {{
    {"CB_Space", "　", " "}, {"CB_1", "！", "!"},     {"CB_2", "＃", "#"},
    {"CB_3", "＄", "$"},     {"CB_4", "％", "%"},     {"CB_5", "＆", "&"},
    {"CB_6", "￥", "\\"},    {"CB_7", "＿", "_"},     {"CB_8", "？", "?"},
    {"CB_9", "｜", "|"},     {"CB_10", "＠", "@"},    {"CB_11", "［］", "[]"},
    {"CB_12", "「」", "｢｣"}, {"CB_13", "（）", "()"}, {"CB_14", "＜＞", "<>"},
    {"CB_15", "｛｝", "{}"}, {"CB_16", "＋", "+"},    {"CB_17", "－", "-"},
    {"CB_18", "＊", "*"},    {"CB_19", "／", "/"},    {"CB_20", "＾", "^"},
    {"CB_21", "；", ";"},    {"CB_22", "：", ":"},    {"CB_23", "，", ","},
    {"CB_24", "．", "."},    {"CB_25", "～", "~"},    {"CB_26", "”", "\""},
    {"CB_27", "’", "'"},     {"CB_28", "｀", "`"},
}};

namespace {

constexpr char Placeholder = '?';

struct TCharSpan {
  uint32_t Start;
  uint8_t Length;
  // Its bytes stay as they are: the platform's round trip would change them.
  bool Kept;
};

constexpr bool IsTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The characters of text, each either passed to the platform as it is or, when the platform
// might read it together with its neighbour (a lone lead byte, a lead byte with a byte that is
// no second byte), held back as a placeholder and kept. Appends what to convert to probe.
std::vector<TCharSpan> SplitCharacters(std::string_view text, std::string& probe) {
  std::vector<TCharSpan> spans;
  probe.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    size_t length = sjis::CharLength(text, pos);
    auto first = static_cast<unsigned char>(text[pos]);
    bool broken = length == 1 ? sjis::IsLeadByte(first)
                              : !IsTrailByte(static_cast<unsigned char>(text[pos + 1]));
    spans.push_back({static_cast<uint32_t>(pos), static_cast<uint8_t>(length), broken});
    if (broken)
      probe += Placeholder;
    else
      probe.append(text.substr(pos, length));
    pos += length;
  }
  return spans;
}

// Visits the characters of platform output, one per UTF-16 unit it came from; false when the
// count is not units (then nothing can be matched by position).
template <typename Visit>
bool ForEachOutputChar(std::string_view bytes, size_t units, Visit visit) {
  size_t index = 0;
  for (size_t pos = 0; pos < bytes.size(); ++index) {
    size_t length = sjis::CharLength(bytes, pos);
    if (index >= units)
      return false;
    visit(index, bytes.substr(pos, length));
    pos += length;
  }
  return index == units;
}

} // namespace

TWidthLists BuildSymbolLists(const std::array<int, WidthPairCount>& choices) {
  TWidthLists lists;
  for (size_t i = 0; i < WidthPairs.size(); ++i) {
    std::u16string full = AnsiToUtf16(WidthPairs[i].Full);
    std::u16string half = AnsiToUtf16(WidthPairs[i].Half);
    if (choices[i] == wcHalf) {
      lists.From += full;
      lists.To += half;
    } else if (choices[i] == wcFull) {
      lists.From += half;
      lists.To += full;
    }
  }
  return lists;
}

std::string ConvertTextWidth(std::string_view text, int letterMode, int digitMode, int kanaMode,
                             const TWidthLists& lists) {
  if (letterMode + digitMode + kanaMode + static_cast<int64_t>(lists.From.size()) +
          static_cast<int64_t>(lists.To.size()) <
      1)
    return std::string(text);
  // The text goes through the platform once each way; its characters are then matched by
  // position, one UTF-16 unit each. Any count that does not match leaves the text alone.
  std::string probe;
  std::vector<TCharSpan> spans = SplitCharacters(text, probe);
  std::u16string wide = AnsiToUtf16(probe);
  if (wide.size() != spans.size())
    return std::string(text);
  bool matched =
      ForEachOutputChar(Utf16ToAnsi(wide), spans.size(), [&](size_t i, std::string_view back) {
        spans[i].Kept = spans[i].Kept || back != text.substr(spans[i].Start, spans[i].Length);
      });
  if (!matched)
    return std::string(text);

  // Runs between kept characters are converted on their own; a kept character stands as one
  // placeholder unit whose place in the result is remembered.
  std::u16string converted;
  converted.reserve(wide.size());
  std::vector<size_t> keptPlaces;
  for (size_t i = 0; i < spans.size();) {
    if (spans[i].Kept) {
      keptPlaces.push_back(converted.size());
      converted += char16_t(Placeholder);
      ++i;
      continue;
    }
    size_t end = i;
    while (end < spans.size() && !spans[end].Kept)
      ++end;
    converted += ConvertWidth(std::u16string_view(wide).substr(i, end - i), letterMode, digitMode,
                              kanaMode, lists.To, lists.From);
    i = end;
  }

  std::string result;
  result.reserve(text.size() + text.size() / 2);
  size_t nextKept = 0, keptSpan = 0;
  matched = ForEachOutputChar(
      Utf16ToAnsi(converted), converted.size(), [&](size_t i, std::string_view bytes) {
        if (nextKept < keptPlaces.size() && keptPlaces[nextKept] == i) {
          while (!spans[keptSpan].Kept)
            ++keptSpan;
          result.append(text.substr(spans[keptSpan].Start, spans[keptSpan].Length));
          ++keptSpan;
          ++nextKept;
        } else {
          result.append(bytes);
        }
      });
  return matched ? result : std::string(text);
}

} // namespace quolin
