#include "core/IndexEntry.h"

#include "core/CommandExpander.h"
#include "core/KanaConvert.h"
#include "core/Sjis.h"

namespace quolin {

namespace {

constexpr std::string_view IndexWord = "$Sys_EditIndexDialog";
constexpr std::string_view EntryPlace = "$S";

} // namespace

void ReadIndexSyntax(std::string_view command, TIndexSyntax& syntax) {
  std::string_view spelled = command.substr(0, IndexWord.size());
  if (!sjis::EqualIgnoreAsciiCase(spelled, IndexWord))
    spelled = IndexWord;
  const TIndexSyntax defaults;
  auto arg = [&](int index, const std::string& fallback) {
    return GetMacroArg(spelled, command, index, fallback);
  };
  syntax.ScanTemplate = arg(0, defaults.ScanTemplate);
  syntax.InsertTemplate = arg(1, defaults.InsertTemplate);
  syntax.ReadingMark = arg(2, defaults.ReadingMark);
  syntax.SubEntryMark = arg(3, defaults.SubEntryMark);
  syntax.SubEntryPrefix = arg(4, defaults.SubEntryPrefix);
}

std::string CorrectReading(std::string_view reading, int correction) {
  switch (correction) {
  case rcLongToVowel:
    return ReadingSortKey(NormalizeReading(reading));
  case rcLongRemoved:
    return ReadingSortKeyNoLong(NormalizeReading(reading));
  default:
    return std::string(reading);
  }
}

std::string BuildIndexEntry(int insertType, std::string_view reading, std::string_view word,
                            std::string_view selectedEntry, const TIndexSyntax& syntax) {
  const bool subEntry = insertType == itAddToReference && !selectedEntry.empty();
  std::string part(reading);
  if (!reading.empty() && !word.empty())
    part += syntax.ReadingMark;
  if (!word.empty())
    part.append(subEntry ? syntax.SubEntryPrefix : "").append(word);
  switch (insertType) {
  case itNew:
    return part;
  case itReference:
    return std::string(selectedEntry);
  default:
    if (!selectedEntry.empty() && !part.empty())
      return std::string(selectedEntry).append(syntax.SubEntryMark).append(part);
    return std::string(selectedEntry).append(part);
  }
}

std::string IndexInsertCommand(std::string_view insertTemplate, std::string_view entry) {
  // The expander finds "$" by bytes, so doubling by bytes keeps every one literal.
  return ReplaceEvery(insertTemplate, EntryPlace, ReplaceEvery(entry, "$", "$$"));
}

} // namespace quolin
