#include "core/SearchTables.h"

#include "core/Platform.h"
#include "core/Sjis.h"

namespace quolin::search {

const std::array<unsigned char, 256>& UpperCaseTable() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> upper{};
    for (size_t byte = 0; byte < upper.size(); ++byte) {
      auto single = static_cast<unsigned char>(byte);
      upper[byte] = sjis::IsLeadByte(single) ? single : UpperSingleByte(single);
    }
    return upper;
  }();
  return table;
}

TWideForm WidenSingleByte(std::string_view text, size_t pos) {
  auto letter = static_cast<unsigned char>(text[pos]);
  if (pos + 1 < text.size()) {
    uint16_t combined = CombinedKanaJis(letter, static_cast<unsigned char>(text[pos + 1]));
    if (combined)
      return {JisToShiftJis(combined), 2};
  }
  uint16_t full = HalfToFull(letter);
  return {full ? full : static_cast<uint16_t>(letter), 1};
}

} // namespace quolin::search

namespace quolin {

std::string ConvertHalfKanaToFull(std::string_view text) {
  std::string result;
  result.reserve(text.size() * 2);
  for (size_t pos = 0; pos < text.size();) {
    size_t length = sjis::CharLength(text, pos);
    if (length == 2) {
      result.append(text.substr(pos, 2));
      pos += 2;
      continue;
    }
    search::TWideForm wide = search::WidenSingleByte(text, pos);
    if (wide.code > 0xFF)
      result += static_cast<char>(wide.code >> 8);
    result += static_cast<char>(wide.code & 0xFF);
    pos += wide.consumed;
  }
  return result;
}

} // namespace quolin
