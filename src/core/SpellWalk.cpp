#include "core/SpellWalk.h"

#include "core/Platform.h"
#include "core/SpellCheck.h"

#include <algorithm>

namespace quolin {

namespace {

bool SameName(const std::string& left, const std::string& right) {
  return CompareLocale(left, right, false) == 0;
}

} // namespace

bool ApplyEngineSettings(TQuolinSpellCheck& engine, const TSpellEngineSettings& settings) {
  bool rebuild =
      !SameName(engine.MainDic, settings.MainDic) || !SameName(engine.DicFolder, settings.DicFolder);
  if (rebuild) {
    engine.MainDic = settings.MainDic;
    engine.DicFolder = settings.DicFolder;
  }
  engine.SkipMail = settings.SkipMail;
  engine.SkipUrl = settings.SkipUrl;
  engine.SkipAllUpper = settings.SkipAllUpper;
  engine.SkipCapitalized = settings.SkipCapitalized;
  engine.SkipWithDigits = settings.SkipWithDigits;
  engine.StripSuffixes = settings.StripSuffixes;
  engine.MainDicOnly = settings.MainDicOnly;
  engine.MinWordLen = settings.MinWordLen;
  engine.Commenter = settings.Commenter;
  return rebuild;
}

std::optional<TUnknownWord> FindNextUnknownWord(TQuolinSpellCheck& engine, const TStrings& lines,
                                                int line, int offset) {
  TUnknownWord found;
  for (int index = std::max(line, 0); index < lines.Count(); ++index) {
    int start = index == line ? offset : 0;
    found.Offset = engine.FindMisspelledWord(lines[index], start, &found.Suggestions, found.Word);
    if (found.Offset >= 0) {
      found.Line = index;
      return found;
    }
  }
  return std::nullopt;
}

int AddAllWords(TQuolinSpellCheck& engine, const TStrings& lines) {
  int sum = 0;
  for (int index = lines.Count() - 1; index >= 0; --index)
    sum += engine.AddWordsToUserDictionary(lines[index], false);
  return sum;
}

} // namespace quolin
