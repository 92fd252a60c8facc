#include "core/AutoIndent.h"

#include "core/Sjis.h"

namespace quolin {

namespace {

constexpr std::string_view NoIndentMarker = "$NoIndent";
constexpr std::string_view SpIndentMarker = "$SpIndent";
constexpr std::string_view LineBreak = "\r\n";

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t';
}

std::string_view LeadingBlanks(std::string_view text) {
  size_t end = 0;
  while (end < text.size() && IsBlank(text[end]))
    ++end;
  return text.substr(0, end);
}

std::string_view CommonBeginning(std::string_view text, std::string_view other) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t length = sjis::CharLength(text, pos);
    if (text.substr(pos, length) != other.substr(pos, length) ||
        sjis::CharLength(other, pos) != length)
      break;
    pos += length;
  }
  return text.substr(0, pos);
}

std::string MatchingListEntry(std::string_view text, const std::vector<std::string>& list) {
  std::string_view body = text.substr(LeadingBlanks(text).size());
  for (auto entry = list.rbegin(); entry != list.rend(); ++entry)
    if (!entry->empty() && body.starts_with(*entry))
      return *entry;
  return {};
}

std::string RemoveAll(std::string_view text, std::string_view marker) {
  std::string result;
  size_t pos = 0;
  for (size_t found; (found = text.find(marker, pos)) != std::string_view::npos;
       pos = found + marker.size())
    result.append(text.substr(pos, found - pos));
  result.append(text.substr(pos));
  return result;
}

std::string AsBlanks(std::string_view indent) {
  std::string blanks;
  for (size_t pos = 0; pos < indent.size();) {
    size_t length = sjis::CharLength(indent, pos);
    blanks.append(length, IsBlank(indent[pos]) ? indent[pos] : ' ');
    pos += length;
  }
  return blanks;
}

} // namespace

std::string AutoIndentText(int indentType, std::string_view text,
                           std::optional<std::string_view> previousLine,
                           const std::vector<std::string>& indentList) {
  std::string indent;
  switch (indentType) {
  case 1:
    indent = LeadingBlanks(text);
    break;
  case 2:
    indent = previousLine ? CommonBeginning(text, *previousLine) : std::string_view();
    if (indent.empty())
      indent = LeadingBlanks(text);
    break;
  case 3:
    indent = std::string(LeadingBlanks(text)) + MatchingListEntry(text, indentList);
    break;
  default:
    break;
  }
  return indent == "\\" ? std::string() : indent;
}

std::string ExpandEnterTemplate(std::string_view enterText, std::string_view indent) {
  std::string body;
  std::string lineIndent;
  if (enterText.find(NoIndentMarker) != std::string_view::npos) {
    body = RemoveAll(RemoveAll(enterText, NoIndentMarker), SpIndentMarker);
  } else if (enterText.find(SpIndentMarker) != std::string_view::npos) {
    body = RemoveAll(enterText, SpIndentMarker);
    lineIndent = AsBlanks(indent);
  } else {
    body = enterText;
    lineIndent = indent;
  }
  std::string result;
  size_t pos = 0;
  for (size_t found; (found = body.find(LineBreak, pos)) != std::string::npos;
       pos = found + LineBreak.size())
    result.append(body, pos, found + LineBreak.size() - pos).append(lineIndent);
  result.append(body, pos);
  return result;
}

} // namespace quolin
