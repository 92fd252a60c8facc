#include "common/KanaConvert.h"

#include "common/CodePage.h"
#include "common/KanaRows.h"
#include "common/Sjis.h"

#include <algorithm>
#include <unordered_map>

namespace quolin {

namespace {

constexpr wchar_t kLongVowel = L'ー';
constexpr wchar_t kFirstHalfKana = 0xFF66; // ｦ; ｡｢｣､･ before it are punctuation
constexpr wchar_t kLastHalfKana = 0xFF9F;  // ﾟ

std::wstring Joined(std::wstring_view first, std::wstring_view second) {
  std::wstring joined(first);
  joined += second;
  return joined;
}

// MapDbcsChars over wide text. Only the runs of characters of the from-row pass through code
// page 932, so that characters it cannot hold are kept as they are.
std::wstring MapWidePairs(std::wstring_view text, std::wstring_view fromRowWide,
                          std::string_view fromRow, std::string_view toRow) {
  std::wstring result;
  result.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    size_t end = pos;
    while (end < text.size() && fromRowWide.find(text[end]) != std::wstring_view::npos)
      ++end;
    if (end == pos) {
      result += text[pos++];
      continue;
    }
    result += AnsiToWide(MapDbcsChars(WideToAnsi(text.substr(pos, end - pos)), fromRow, toRow));
    pos = end;
  }
  return result;
}

// Adds a class's row pair in the direction its mode asks for.
void AddRows(int mode, std::wstring_view fullRow, std::wstring_view halfRow, std::wstring& from,
             std::wstring& to) {
  if (mode == cwHalfWidth) {
    from += fullRow;
    to += halfRow;
  } else if (mode == cwFullWidth) {
    from += halfRow;
    to += fullRow;
  }
}

// A hiragana reading with small kana made normal and voiced kana unvoiced.
std::wstring PlainKana(std::string_view reading) {
  return MapWideChars(AnsiToWide(reading), Joined(kana::kSmallKana, kana::kVoicedHiraganaWide),
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

std::wstring MapWideChars(std::wstring_view text, std::wstring_view fromRow,
                          std::wstring_view toRow) {
  std::unordered_map<wchar_t, wchar_t> map;
  // Later entries overwrite earlier ones: the last occurrence in the from-row wins.
  for (size_t index = 0; index < std::min(fromRow.size(), toRow.size()); ++index)
    map[fromRow[index]] = toRow[index];
  std::wstring result(text);
  for (wchar_t& character : result) {
    auto found = map.find(character);
    if (found != map.end())
      character = found->second;
  }
  return result;
}

std::wstring ConvertWidth(std::wstring_view text, int letterMode, int digitMode, int kanaMode,
                          std::wstring_view extraTo, std::wstring_view extraFrom) {
  std::wstring converted(text);
  if (kanaMode == cwHalfWidth)
    converted = MapWidePairs(converted, kana::kFullVoicedKatakanaWide,
                             kana::kFullVoicedKatakanaAnsi, kana::kHalfVoicedPairsAnsi);
  else if (kanaMode == cwFullWidth)
    converted = MapWidePairs(converted, kana::kHalfVoicedPairsWide, kana::kHalfVoicedPairsAnsi,
                             kana::kFullVoicedKatakanaAnsi);
  std::wstring from;
  std::wstring to;
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
  std::wstring half =
      MapWideChars(AnsiToWide(unvoiced), Joined(kana::kFullKatakana, kana::kHiragana),
                   Joined(kana::kHalfKatakana, kana::kHalfKatakana));
  std::erase_if(half, [](wchar_t character) {
    return character < kFirstHalfKana || character > kLastHalfKana;
  });
  return WideToAnsi(half);
}

std::string NormalizeReading(std::string_view reading) {
  std::string voiced =
      MapDbcsChars(MapDbcsChars(reading, kana::kHalfVoicedPairsAnsi, kana::kVoicedHiraganaAnsi),
                   kana::kFullVoicedKatakanaAnsi, kana::kVoicedHiraganaAnsi);
  return WideToAnsi(MapWideChars(AnsiToWide(voiced),
                                 Joined(kana::kHalfKatakana, kana::kFullKatakana),
                                 Joined(kana::kHiragana, kana::kHiragana)));
}

std::string ReadingSortKey(std::string_view reading) {
  std::wstring key = PlainKana(reading);
  // From the end back, so that a mark after a mark stays a mark ("かーー" gives "かあー").
  for (size_t pos = key.size(); pos-- > 1;) {
    size_t row = kana::kHiragana.find(key[pos - 1]);
    if (key[pos] == kLongVowel && row != std::wstring_view::npos)
      key[pos] = kana::kHiraganaVowels[row];
  }
  return WideToAnsi(key);
}

std::string ReadingSortKeyNoLong(std::string_view reading) {
  std::wstring key = PlainKana(reading);
  std::erase(key, kLongVowel);
  return WideToAnsi(key);
}

} // namespace quolin
