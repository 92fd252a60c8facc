#include "core/KanaConvert.h"

#include "core/KanaRows.h"
#include "core/Platform.h"
#include "core/Sjis.h"

#include <algorithm>
#include <unordered_map>

namespace quolin {

namespace {

constexpr char16_t kLongVowel = u'ー';
constexpr char16_t kFirstHalfKana = 0xFF66; // ｦ; ｡｢｣､･ before it are punctuation
constexpr char16_t kLastHalfKana = 0xFF9F;  // ﾟ

std::u16string Joined(std::u16string_view first, std::u16string_view second) {
  std::u16string joined(first);
  joined += second;
  return joined;
}

// MapDbcsChars over wide text. Only the runs of characters of the from-row pass through code
// page 932, so that characters it cannot hold are kept as they are.
std::u16string MapWidePairs(std::u16string_view text, std::u16string_view fromRowWide,
                          std::string_view fromRow, std::string_view toRow) {
  std::u16string result;
  result.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    size_t end = pos;
    while (end < text.size() && fromRowWide.find(text[end]) != std::u16string_view::npos)
      ++end;
    if (end == pos) {
      result += text[pos++];
      continue;
    }
    result += AnsiToUtf16(MapDbcsChars(Utf16ToAnsi(text.substr(pos, end - pos)), fromRow, toRow));
    pos = end;
  }
  return result;
}

// Adds a class's row pair in the direction its mode asks for.
void AddRows(int mode, std::u16string_view fullRow, std::u16string_view halfRow, std::u16string& from,
             std::u16string& to) {
  if (mode == cwHalfWidth) {
    from += fullRow;
    to += halfRow;
  } else if (mode == cwFullWidth) {
    from += halfRow;
    to += fullRow;
  }
}

// A hiragana reading with small kana made normal and voiced kana unvoiced.
std::u16string PlainKana(std::string_view reading) {
  return MapWideChars(AnsiToUtf16(reading), Joined(kana::kSmallKana, kana::kVoicedHiraganaWide),
                      Joined(kana::kSmallKanaNormal, kana::kUnvoicedHiraganaWide));
}

} // namespace

int FindDbcsPair(std::string_view row, char first, char second) {
  for (size_t pos = 0; pos + 1 < row.size(); pos += 2) {
    if (row[pos] == first && row[pos + 1] == second)
      return static_cast<int>(pos + 1);
  }
  return 0;
}

std::string MapDbcsChars(std::string_view text, std::string_view fromRow, std::string_view toRow) {
  std::string result;
  result.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    int found = pos + 1 < text.size() ? FindDbcsPair(fromRow, text[pos], text[pos + 1]) : 0;
    if (found && static_cast<size_t>(found) + 1 <= toRow.size()) {
      result += toRow.substr(static_cast<size_t>(found) - 1, 2);
      pos += 2;
      continue;
    }
    size_t length = sjis::CharLength(text, pos);
    result += text.substr(pos, length);
    pos += length;
  }
  return result;
}

std::u16string MapWideChars(std::u16string_view text, std::u16string_view fromRow,
                          std::u16string_view toRow) {
  std::unordered_map<char16_t, char16_t> map;
  // Later entries overwrite earlier ones: the last occurrence in the from-row wins.
  for (size_t index = 0; index < std::min(fromRow.size(), toRow.size()); ++index)
    map[fromRow[index]] = toRow[index];
  std::u16string result(text);
  for (char16_t& character : result) {
    auto found = map.find(character);
    if (found != map.end())
      character = found->second;
  }
  return result;
}

std::u16string ConvertWidth(std::u16string_view text, int letterMode, int digitMode, int kanaMode,
                          std::u16string_view extraTo, std::u16string_view extraFrom) {
  std::u16string converted(text);
  if (kanaMode == cwHalfWidth)
    converted = MapWidePairs(converted, kana::kFullVoicedKatakanaWide,
                             kana::kFullVoicedKatakanaAnsi, kana::kHalfVoicedPairsAnsi);
  else if (kanaMode == cwFullWidth)
    converted = MapWidePairs(converted, kana::kHalfVoicedPairsWide, kana::kHalfVoicedPairsAnsi,
                             kana::kFullVoicedKatakanaAnsi);
  std::u16string from;
  std::u16string to;
  AddRows(kanaMode, kana::kFullKatakana, kana::kHalfKatakana, from, to);
  AddRows(letterMode, kana::kFullLetters, kana::kHalfLetters, from, to);
  AddRows(digitMode, kana::kFullDigits, kana::kHalfDigits, from, to);
  if (!extraTo.empty() && extraTo.size() == extraFrom.size()) {
    from += extraFrom;
    to += extraTo;
  }
  return MapWideChars(converted, from, to);
}

std::string ExtractHalfWidthKana(std::string_view reading) {
  std::string unvoiced =
      MapDbcsChars(MapDbcsChars(reading, kana::kFullVoicedKatakanaAnsi, kana::kHalfVoicedPairsAnsi),
                   kana::kVoicedHiraganaAnsi, kana::kHalfVoicedPairsAnsi);
  std::u16string half =
      MapWideChars(AnsiToUtf16(unvoiced), Joined(kana::kFullKatakana, kana::kHiragana),
                   Joined(kana::kHalfKatakana, kana::kHalfKatakana));
  std::erase_if(half, [](char16_t character) {
    return character < kFirstHalfKana || character > kLastHalfKana;
  });
  return Utf16ToAnsi(half);
}

std::string NormalizeReading(std::string_view reading) {
  std::string voiced =
      MapDbcsChars(MapDbcsChars(reading, kana::kHalfVoicedPairsAnsi, kana::kVoicedHiraganaAnsi),
                   kana::kFullVoicedKatakanaAnsi, kana::kVoicedHiraganaAnsi);
  return Utf16ToAnsi(MapWideChars(AnsiToUtf16(voiced),
                                 Joined(kana::kHalfKatakana, kana::kFullKatakana),
                                 Joined(kana::kHiragana, kana::kHiragana)));
}

std::string ReadingSortKey(std::string_view reading) {
  std::u16string key = PlainKana(reading);
  // From the end back, so that a mark after a mark stays a mark ("かーー" gives "かあー").
  for (size_t pos = key.size(); pos-- > 1;) {
    size_t row = kana::kHiragana.find(key[pos - 1]);
    if (key[pos] == kLongVowel && row != std::u16string_view::npos)
      key[pos] = kana::kHiraganaVowels[row];
  }
  return Utf16ToAnsi(key);
}

std::string ReadingSortKeyNoLong(std::string_view reading) {
  std::u16string key = PlainKana(reading);
  std::erase(key, kLongVowel);
  return Utf16ToAnsi(key);
}

} // namespace quolin
