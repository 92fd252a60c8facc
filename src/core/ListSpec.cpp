#include "core/ListSpec.h"

#include "core/CommandExpander.h"
#include "core/CommandRecords.h"
#include "core/Format.h"
#include "core/ResConst.h"
#include "core/Sjis.h"
#include "core/StringList.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace quolin {

namespace {

constexpr size_t WordLength = 5;
constexpr std::string_view LabelListWord = "$List";
constexpr std::string_view FontToolWord = "$Font";
constexpr char DefaultFontTemplate[] = "{$FontName$FontSize$FontSeries$FontShape $S}";
constexpr size_t VisibleToolDigits = 8;

// The word as the command spells it: the arguments follow that spelling.
std::string SpelledWord(std::string_view command) {
  return std::string(command.substr(0, WordLength));
}

bool HasWord(std::string_view command, std::string_view word) {
  return command.size() >= WordLength && sjis::EqualIgnoreAsciiCase(command.substr(0, WordLength), word);
}

std::vector<TListEntry> EntriesOf(const std::vector<std::string>& pieces) {
  std::vector<TListEntry> entries;
  for (const std::string& piece : pieces)
    if (std::string trimmed = Trim(piece); !trimmed.empty())
      entries.push_back(SplitListEntry(trimmed));
  return entries;
}

std::string DoubledDollars(std::string_view text) {
  std::string doubled;
  for (char ch : text) {
    doubled += ch;
    if (ch == '$')
      doubled += '$';
  }
  return doubled;
}

struct TFill {
  std::string_view Placeholder;
  std::string_view Value;
};

// One pass over the text, so that a value is never searched for placeholders again; "$$"
// stays as it is for the expander.
std::string FillPlaceholders(std::string_view text, std::initializer_list<TFill> fills) {
  std::string result;
  size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] != '$') {
      size_t length = sjis::CharLength(text, pos);
      result.append(text.substr(pos, length));
      pos += length;
      continue;
    }
    if (text.substr(pos, 2) == "$$") {
      result += "$$";
      pos += 2;
      continue;
    }
    auto fill = std::find_if(fills.begin(), fills.end(), [&](const TFill& candidate) {
      return text.substr(pos, candidate.Placeholder.size()) == candidate.Placeholder;
    });
    if (fill == fills.end()) {
      result += '$';
      ++pos;
      continue;
    }
    result.append(fill->Value);
    pos += fill->Placeholder.size();
  }
  return result;
}

std::string_view UnlessNoChange(std::string_view entry) {
  return entry == res::FontNoChange ? std::string_view() : entry;
}

int StrictHex(std::string_view digits) {
  uint32_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc() || end != digits.data() + digits.size())
    return 0;
  return static_cast<int>(value);
}

} // namespace

TListKind ListKindOf(int commandNumber, std::string_view command) {
  if (commandNumber < 0)
    return lkGroup;
  if (HasWord(command, LabelListWord))
    return lkLabels;
  if (HasWord(command, FontToolWord))
    return lkFont;
  return lkGroup;
}

TLabelListArgs ReadLabelListArgs(std::string_view command) {
  const std::string word = SpelledWord(command);
  TLabelListArgs args;
  args.Labels = GetMacroArg(word, command, 0, "");
  args.References = GetMacroArg(word, command, 1, "");
  args.InsertCaption = GetMacroArg(word, command, 2, res::ListInsert);
  args.FixedStyle = IsTrueArg(GetMacroArg(word, command, 1, "True"));
  return args;
}

TFontToolArgs ReadFontToolArgs(std::string_view command) {
  const std::string word = SpelledWord(command);
  return {GetMacroArg(word, command, 0, ""), GetMacroArg(word, command, 1, ""),
          GetMacroArg(word, command, 2, ""), GetMacroArg(word, command, 3, ""),
          GetMacroArg(word, command, 4, DefaultFontTemplate)};
}

TListEntry SplitListEntry(std::string_view entry) {
  // ":" is never the second byte of a double-byte character.
  size_t colon = entry.find(':', 1);
  if (colon == std::string_view::npos)
    return {std::string(entry), std::string(entry)};
  return {std::string(entry.substr(0, colon)), std::string(entry.substr(colon + 1))};
}

std::vector<TListEntry> LabelEntries(std::string_view spec) {
  return EntriesOf(CommaTextItems(spec));
}

std::vector<TListEntry> ReferenceEntries(std::string_view spec) {
  // Commas and parentheses are never second bytes either.
  std::vector<std::string> pieces(1);
  int depth = 0;
  for (char ch : spec) {
    if (ch == ',' && depth == 0) {
      pieces.emplace_back();
      continue;
    }
    if (ch == '(')
      ++depth;
    else if (ch == ')' && depth > 0)
      --depth;
    pieces.back() += ch;
  }
  return EntriesOf(pieces);
}

std::vector<std::string> FontEntries(std::string_view commaText) {
  return CommaTextItems(commaText);
}

std::string FillFontTemplate(std::string_view templateText, std::string_view name,
                             std::string_view size, std::string_view series,
                             std::string_view shape) {
  return FillPlaceholders(templateText, {{"$FontName", UnlessNoChange(name)},
                                         {"$FontSize", UnlessNoChange(size)},
                                         {"$FontSeries", UnlessNoChange(series)},
                                         {"$FontShape", UnlessNoChange(shape)}});
}

bool FontApplyEnabled(int nameIndex, int sizeIndex, bool seriesSet, bool shapeSet) {
  return nameIndex > 0 || sizeIndex > 0 || seriesSet || shapeSet;
}

std::string NumberedEntryCaption(std::string_view entry, int number) {
  return std::string(entry) + Format(res::FontEntryNumber, number);
}

std::string ReferenceInsertText(std::string_view templateText, std::string_view label,
                                std::string_view owner) {
  const std::string doubledLabel = DoubledDollars(label);
  const std::string doubledOwner = DoubledDollars(owner);
  return FillPlaceholders(templateText, {{"$Label", doubledLabel}, {"$Owner", doubledOwner}});
}

std::string DocumentComboHint(std::string_view documentName) {
  std::string named = "(";
  named.append(documentName).append(")");
  std::string hint = res::ListDocumentHint;
  hint.replace(hint.find("%s"), 2, named);
  return hint;
}

std::vector<int> ParseVisibleTool(std::string_view text) {
  std::vector<int> numbers;
  for (size_t pos = 0; pos + VisibleToolDigits <= text.size(); pos += VisibleToolDigits)
    numbers.push_back(StrictHex(text.substr(pos, VisibleToolDigits)));
  return numbers;
}

std::string BuildVisibleTool(const std::vector<int>& commandNumbers) {
  std::string text;
  for (int number : commandNumbers)
    text += HexField(number);
  return text;
}

} // namespace quolin
