#include "core/SpellCheck.h"

#include "core/Paths.h"
#include "core/Platform.h"
#include "core/Sjis.h"
#include "core/SpellParser.h"
#include "core/StringList.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quolin {

namespace {

// Letter-group pairs whose groups are spelt for one another; variants go both ways.
constexpr std::pair<std::string_view, std::string_view> kSpellingPairs[] = {
    {"c", "k"},  {"r", "l"},  {"v", "b"},    {"y", "i"},  {"t", "ght"}, {"te", "ght"},
    {"f", "ph"}, {"h", "ph"}, {"gh", "ght"}, {"n", "kn"}, {"k", "ck"},  {"c", "ck"},
    {"l", "ll"}, {"r", "rr"}, {"s", "ss"},   {"t", "tt"}, {"n", "nn"},  {"m", "mm"},
};

// A word holding a group this often gets no variants for it.
constexpr int kMaxReplacedGroups = 7;

// One bin per character "0" to "Z" (codes 48 to 90), letters counted in upper case.
constexpr int kFirstBinCode = '0';
constexpr int kBinCount = 'Z' - '0' + 1;
using LetterBins = std::array<int, kBinCount>;

bool IsUpperLetter(unsigned char byte) {
  return byte >= 'A' && byte <= 'Z';
}

bool IsLowerLetter(unsigned char byte) {
  return byte >= 'a' && byte <= 'z';
}

// Calls visit(byte) for every single-byte character of word (double-byte ones are stepped
// over); stops and answers true when visit does.
template <typename Visit> bool AnySingleByte(std::string_view word, Visit visit) {
  for (size_t i = 0; i < word.size(); i += sjis::CharLength(word, i)) {
    if (sjis::CharLength(word, i) == 1 && visit(static_cast<unsigned char>(word[i])))
      return true;
  }
  return false;
}

bool HasLowerLetter(std::string_view word) {
  return AnySingleByte(word, IsLowerLetter);
}

bool HasUpperLetter(std::string_view word) {
  return AnySingleByte(word, IsUpperLetter);
}

bool HasDigit(std::string_view word) {
  return std::any_of(word.begin(), word.end(),
                     [](char byte) { return byte >= '0' && byte <= '9'; });
}

// Adds (step 1) or removes (step -1) the bins of word's characters.
void CountBins(std::string_view word, LetterBins& bins, int step) {
  AnySingleByte(word, [&](unsigned char byte) {
    if (IsLowerLetter(byte))
      byte = static_cast<unsigned char>(byte - 'a' + 'A');
    if (byte >= kFirstBinCode && byte < kFirstBinCode + kBinCount)
      bins[static_cast<size_t>(byte - kFirstBinCode)] += step;
    return false;
  });
}

// A checked word, ready to be compared with many candidates.
class SimilarityTest {
public:
  explicit SimilarityTest(std::string_view word)
      : length_(word.size()), tolerance_(length_ <= 3   ? 0
                                         : length_ <= 8 ? 1
                                                        : 2),
        maxDifferentBins_(length_ >= 9 ? 3 : 2) {
    CountBins(word, bins_, 1);
  }

  bool Passes(std::string_view candidate) const {
    if (candidate.size() + tolerance_ < length_ || candidate.size() > length_ + tolerance_)
      return false;
    LetterBins difference = bins_;
    CountBins(candidate, difference, -1);
    return std::count_if(difference.begin(), difference.end(), [](int count) { return count; }) <=
           maxDifferentBins_;
  }

private:
  size_t length_;
  size_t tolerance_;
  long maxDifferentBins_;
  LetterBins bins_{};
};

// Occurrences of group in word, without overlaps, whole characters only.
template <typename Visit>
void ForEachOccurrence(std::string_view word, std::string_view group, Visit visit) {
  for (size_t at = sjis::FindText(word, group); at != std::string_view::npos;
       at = sjis::FindText(word, group, at + group.size()))
    visit(at);
}

// The variants of word with from replaced by to; made keeps each variant once, so that one
// reached again is not explored again.
void ReplaceEveryCombination(std::string_view word, std::string_view from, std::string_view to,
                             std::set<std::string>& made) {
  int occurrences = 0;
  ForEachOccurrence(word, from, [&](size_t) { ++occurrences; });
  if (occurrences >= kMaxReplacedGroups)
    return;
  // A replacement that holds from again would go on for ever.
  bool again = to.find(from) == std::string_view::npos;
  ForEachOccurrence(word, from, [&](size_t at) {
    std::string variant(word.substr(0, at));
    variant.append(to).append(word.substr(at + from.size()));
    auto [place, added] = made.insert(std::move(variant));
    if (added && again)
      ReplaceEveryCombination(*place, from, to, made);
  });
}

// "s", "ed", "ing", "er" or "est" dropped, from words of 3 letters or more.
std::string StemWithoutEnding(std::string_view word) {
  if (word.size() < 3)
    return {};
  for (std::string_view ending : {"s", "ed", "ing", "er", "est"}) {
    if (word.ends_with(ending))
      return std::string(word.substr(0, word.size() - ending.size()));
  }
  return {};
}

// The stems of "-e" words: "baked" to "bake", "larger" to "large", "largest" to "large".
std::string StemKeepingE(std::string_view word) {
  if (word.ends_with("ed") || word.ends_with("es") || word.ends_with("er"))
    return std::string(word.substr(0, word.size() - 1));
  if (word.ends_with("est"))
    return std::string(word.substr(0, word.size() - 2));
  return {};
}

// "flies" to "fly", "happier" and "happiest" to "happy"; not after a, e, i, n, o or u
// ("ponies" is no form of "pony" here).
std::string StemEndingInY(std::string_view word) {
  auto stem = [word](size_t endingLength) -> std::string {
    std::string_view rest = word.substr(0, word.size() - endingLength);
    if (std::string_view("aeinou").find(rest.back()) != std::string_view::npos)
      return {};
    return std::string(rest) + "y";
  };
  if (word.size() > 4 && (word.ends_with("ies") || word.ends_with("ier")))
    return stem(3);
  if (word.size() > 6 && word.ends_with("iest"))
    return stem(4);
  return {};
}

// Whether the engine looks at tokens of kind at all.
bool LooksAt(const TQuolinSpellCheck& check, EditorTokenKind kind) {
  switch (kind) {
  case tkWord:
    return !check.SkipWords;
  case tkUrl:
    return !check.SkipUrl;
  case tkMail:
    return !check.SkipMail;
  case tkControlSequence:
    return !check.SkipTeX;
  default:
    return false;
  }
}

} // namespace

bool TQuolinSpellCheck::LoadDictionaries() {
  UserDic.Clear();
  std::vector<std::string> words;
  bool userExists = FileExists(MainDic);
  bool userRead = userExists && ReadDictionaryFile(MainDic, words);
  userDicUnreadable_ = userExists && !userRead;
  UserDic.AddWords(std::move(words));
  OtherDic.Clear();
  bool othersRead = LoadOtherDictionaries();
  return userRead && othersRead;
}

bool TQuolinSpellCheck::LoadOtherDictionaries() {
  // An empty folder names no dictionaries (not the root of the drive).
  if (DicFolder.empty())
    return true;
  std::string folder = IncludeTrailingPathDelimiter(DicFolder);
  std::string userPath = MainDic.empty() ? std::string() : ExpandFileName(MainDic);
  std::vector<std::string> words;
  bool allRead = true;
  for (const std::string& name : FindFileNames(folder + "*.dic")) {
    // The search matches short names too ("x.dicx", "y.dic~").
    if (!sjis::EqualIgnoreAsciiCase(ExtractFileExt(name), ".dic"))
      continue;
    std::string path = folder + name;
    if (sjis::EqualIgnoreAsciiCase(ExpandFileName(path), userPath))
      continue;
    allRead = ReadDictionaryFile(path, words) && allRead;
  }
  OtherDic.AddWords(std::move(words));
  return allRead;
}

bool TQuolinSpellCheck::SaveUserDictionary() {
  return !userDicUnreadable_ && UserDic.SaveToFile(MainDic);
}

int TQuolinSpellCheck::FindMisspelledWord(std::string_view text, int startOffset,
                                          TStringList* suggestions, std::string& word) {
  if (suggestions) {
    suggestions->Clear();
    suggestions->SetCaseSensitive(false);
    suggestions->Duplicates = TDuplicates::dupIgnore;
    suggestions->SetSorted(true);
  }
  word.clear();
  for (TSpellParser parser(text, true, true, Commenter); parser.TokenKind() != tkEnd;
       parser.NextToken()) {
    EditorTokenKind kind = parser.TokenKind();
    if (parser.SourcePos() < startOffset || !LooksAt(*this, kind))
      continue;
    std::string_view token = parser.TokenString();
    if (kind == tkWord &&
        ((SkipWithDigits && HasDigit(token)) || (SkipCapitalized && IsCapitalized(token))))
      continue;
    if (IsMisspelled(token, kind == tkWord && SkipAllUpper, suggestions)) {
      word = token;
      return parser.SourcePos();
    }
  }
  if (suggestions)
    suggestions->Clear();
  return -1;
}

int TQuolinSpellCheck::AddWordsToUserDictionary(std::string_view text, bool save) {
  int added = 0;
  for (TSpellParser parser(text, true, true, ""); parser.TokenKind() != tkEnd; parser.NextToken()) {
    EditorTokenKind kind = parser.TokenKind();
    std::string_view token = parser.TokenString();
    if (!LooksAt(*this, kind) || static_cast<int64_t>(token.size()) < MinWordLen)
      continue;
    if (kind == tkWord && SkipAllUpper && !HasLowerLetter(token))
      continue;
    UserDic.Add(token);
    ++added;
  }
  if (save)
    SaveUserDictionary();
  return added;
}

std::string TQuolinSpellCheck::MatchWordCase(std::string_view word, std::string_view suggestion) {
  if (word.empty())
    return {};
  if (!HasUpperLetter(word))
    return sjis::LowerAscii(suggestion);
  if (!HasLowerLetter(word))
    return sjis::UpperAscii(suggestion);
  if (word.size() == suggestion.size()) {
    std::string result = sjis::LowerAscii(suggestion);
    bool wordTrail = false, resultTrail = false;
    for (size_t i = 0; i < result.size(); ++i) {
      unsigned char capital = static_cast<unsigned char>(word[i]);
      if (!wordTrail && !resultTrail && IsUpperLetter(capital) &&
          static_cast<unsigned char>(result[i]) == capital - 'A' + 'a')
        result[i] = static_cast<char>(capital);
      wordTrail = !wordTrail && sjis::CharLength(word, i) == 2;
      resultTrail = !resultTrail && sjis::CharLength(result, i) == 2;
    }
    return result;
  }
  if (IsCapitalized(word)) {
    size_t first = sjis::CharLength(suggestion, 0);
    return sjis::UpperAscii(suggestion.substr(0, first)) +
           sjis::LowerAscii(suggestion.substr(first));
  }
  return std::string(suggestion);
}

bool TQuolinSpellCheck::LookupWord(std::string_view word) const {
  return UserDic.Find(word) || (!MainDicOnly && OtherDic.Find(word));
}

bool TQuolinSpellCheck::LookupWordStem(std::string_view word) const {
  if (LookupWord(word))
    return true;
  if (!StripSuffixes)
    return false;
  for (auto stripper : {StemWithoutEnding, StemKeepingE, StemEndingInY}) {
    std::string stem = stripper(word);
    if (!stem.empty() && LookupWord(stem))
      return true;
  }
  return false;
}

bool TQuolinSpellCheck::CheckWord(std::string_view word, TStringList* suggestions) const {
  if (LookupWordStem(sjis::LowerAscii(word)))
    return true;
  if (!suggestions)
    return false;
  TSpellSuggestions found;
  AddPhoneticVariants(word, found);
  std::erase_if(found, [this](const std::string& variant) { return !CheckWord(variant, nullptr); });
  AddSimilarWords(word, found);
  suggestions->BeginUpdate();
  for (const std::string& suggestion : found)
    suggestions->Add(suggestion);
  suggestions->EndUpdate();
  return false;
}

bool TQuolinSpellCheck::IsMisspelled(std::string_view word, bool skipCaps,
                                     TStringList* suggestions) const {
  if (suggestions)
    suggestions->Clear();
  if (static_cast<int64_t>(word.size()) < MinWordLen || (skipCaps && !HasLowerLetter(word)))
    return false;
  return !CheckWord(word, suggestions);
}

void TQuolinSpellCheck::AddPhoneticVariants(std::string_view word, TSpellSuggestions& variants) {
  for (auto [first, second] : kSpellingPairs) {
    AddReplacements(word, first, second, variants);
    AddReplacements(word, second, first, variants);
  }
}

void TQuolinSpellCheck::AddReplacements(std::string_view word, std::string_view from,
                                        std::string_view to, TSpellSuggestions& variants) {
  std::set<std::string> made;
  ReplaceEveryCombination(word, from, to, made);
  variants.insert(made.begin(), made.end());
}

void TQuolinSpellCheck::AddSimilarWords(std::string_view word,
                                        TSpellSuggestions& suggestions) const {
  if (word.empty())
    return;
  SimilarityTest test(word);
  auto addFrom = [&](const TSpellWordList& list) {
    for (const std::string& candidate : list.FirstLetterRange(static_cast<unsigned char>(word[0])))
      if (test.Passes(candidate))
        suggestions.insert(candidate);
  };
  addFrom(UserDic);
  if (!MainDicOnly)
    addFrom(OtherDic);
}

bool TQuolinSpellCheck::IsSimilarWord(std::string_view word, std::string_view candidate) {
  return SimilarityTest(word).Passes(candidate);
}

bool TQuolinSpellCheck::IsCapitalized(std::string_view word) {
  if (word.empty() || !IsUpperLetter(static_cast<unsigned char>(word[0])))
    return false;
  // The last character is not examined.
  for (size_t i = 1; i < word.size(); i += sjis::CharLength(word, i)) {
    size_t length = sjis::CharLength(word, i);
    if (i + length >= word.size())
      break;
    if (length == 1 && IsUpperLetter(static_cast<unsigned char>(word[i])))
      return false;
  }
  return true;
}

} // namespace quolin
