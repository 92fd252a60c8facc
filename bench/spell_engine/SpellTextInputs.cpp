#include "spell_engine/SpellTextInputs.h"

#include "core/Platform.h"
#include "core/Sjis.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace quolin::spell_support {

namespace {

// Draws an index with probability counts[i] / sum of counts; -1 when all are 0.
template <size_t N> int Draw(const std::array<uint32_t, N>& counts, SeededRandom& random) {
  uint64_t sum = 0;
  for (uint32_t count : counts)
    sum += count;
  if (sum == 0)
    return -1;
  uint64_t pick = random.Below(static_cast<size_t>(sum));
  for (size_t i = 0; i < N; ++i) {
    if (pick < counts[i])
      return static_cast<int>(i);
    pick -= counts[i];
  }
  return -1;
}

// Lower-case words in the style of a word list: the first letter as often as words begin with
// it, each next one as often as it follows the one before.
class LetterPairs {
public:
  explicit LetterPairs(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
      std::string lower = sjis::LowerAscii(word);
      if (lower.empty() || !IsLowerWord(lower))
        continue;
      ++starts_[static_cast<size_t>(lower[0] - 'a')];
      for (size_t i = 1; i < lower.size(); ++i)
        ++follows_[static_cast<size_t>(lower[i - 1] - 'a')][static_cast<size_t>(lower[i] - 'a')];
    }
  }

  std::string Make(size_t length, SeededRandom& random) const {
    std::string word;
    int letter = Draw(starts_, random);
    while (word.size() < length) {
      if (letter < 0)
        letter = static_cast<int>(random.Below(26));
      word += static_cast<char>('a' + letter);
      letter = Draw(follows_[static_cast<size_t>(letter)], random);
    }
    return word;
  }

private:
  std::array<uint32_t, 26> starts_{};
  std::array<std::array<uint32_t, 26>, 26> follows_{};
};

// Words drawn with weight 1 / (rank + 10) by their place in a list.
class RankedWords {
public:
  explicit RankedWords(const std::vector<std::string>& words) : words_(words) {
    double sum = 0;
    for (size_t rank = 0; rank < words.size(); ++rank) {
      sum += 1.0 / static_cast<double>(rank + 10);
      cumulative_.push_back(sum);
    }
  }

  const std::string& Draw(SeededRandom& random) const {
    double pick = random.Fraction() * cumulative_.back();
    size_t rank = static_cast<size_t>(
        std::upper_bound(cumulative_.begin(), cumulative_.end(), pick) - cumulative_.begin());
    return words_[std::min(rank, words_.size() - 1)];
  }

private:
  const std::vector<std::string>& words_;
  std::vector<double> cumulative_;
};

// Builds the text line by line, remembering where misspellings went.
class TextBuilder {
public:
  TextBuilder(const std::vector<std::string>& words, const std::vector<Misspelling>& misspellings,
              double rate, uint32_t seed)
      : ranked_(words), misspellings_(misspellings), rate_(rate), random_(seed) {}

  SpellText Build(size_t bytes) {
    line_ = "\\documentclass{article}";
    EndLine();
    line_ = "\\begin{document}";
    EndLine();
    while (result_.text.size() < bytes) {
      size_t kind = random_.Below(100);
      if (kind < 4)
        Section();
      else if (kind < 9)
        CommentLine();
      else
        Paragraph();
      EndLine();
    }
    return std::move(result_);
  }

private:
  RankedWords ranked_;
  const std::vector<Misspelling>& misspellings_;
  double rate_;
  SeededRandom random_;
  SpellText result_;
  std::string line_;
  size_t lineIndex_ = 0;

  void EndLine() {
    result_.text.append(line_).append("\r\n");
    line_.clear();
    ++lineIndex_;
  }

  // Letters no dictionary holds, for comments.
  std::string MadeUpWord() {
    std::string word;
    for (size_t i = random_.Between(4, 9); i > 0; --i)
      word += "qxzjvkw"[random_.Below(7)];
    return word;
  }

  std::string LowerWord() { return sjis::LowerAscii(ranked_.Draw(random_)); }

  void Section() {
    static const char* const kCommands[] = {"\\section{", "\\subsection{", "\\chapter{"};
    line_ += kCommands[random_.Below(3)];
    line_ += Capitalized(ranked_.Draw(random_));
    for (size_t i = random_.Between(1, 4); i > 0; --i)
      line_.append(" ").append(ranked_.Draw(random_));
    line_ += "}\\label{" + LowerWord() + "-" + LowerWord() + "}";
  }

  void CommentLine() {
    line_ += "%";
    for (size_t i = random_.Between(2, 8); i > 0; --i)
      line_.append(" ").append(MadeUpWord());
  }

  void Paragraph() {
    for (size_t i = random_.Between(1, 3); i > 0; --i) {
      if (!line_.empty())
        line_ += ' ';
      Sentence();
    }
    size_t ending = random_.Below(20);
    if (ending == 0)
      line_.append(" \\\\% ").append(MadeUpWord()); // a comment after a line break
    else if (ending == 1)
      line_.append(" 表% ").append(MadeUpWord()); // a comment after a character ending in 5C
    else if (ending == 2)
      line_ += " \\\\";
  }

  static std::string Capitalized(std::string_view word) {
    size_t first = sjis::CharLength(word, 0);
    return sjis::UpperAscii(word.substr(0, first)) + std::string(word.substr(first));
  }

  void Sentence() {
    line_ += Capitalized(ranked_.Draw(random_));
    for (size_t i = random_.Between(5, 15); i > 0; --i) {
      line_ += ' ';
      Insertion();
      if (!misspellings_.empty() && random_.Chance(rate_)) {
        const Misspelling& planted = misspellings_[random_.Below(misspellings_.size())];
        result_.planted.push_back({lineIndex_, line_.size(), planted.word});
        line_ += planted.word;
      } else {
        line_ += ranked_.Draw(random_);
      }
      if (random_.Chance(0.08))
        line_ += ',';
    }
    line_ += '.';
  }

  // Now and then something else before a word: LaTeX, math, a URL, a mail address, Japanese.
  void Insertion() {
    switch (random_.Below(60)) {
    case 0:
      line_ += "\\emph{" + ranked_.Draw(random_) + "} ";
      break;
    case 1:
      line_ += "\\cite{" + LowerWord() + std::to_string(1990 + random_.Below(35)) + "} ";
      break;
    case 2:
      line_ += "$x_{" + std::to_string(random_.Below(9)) + "} + " +
               std::to_string(random_.Below(100)) + ".5 y^{2}$ ";
      break;
    case 3:
      line_ += "\\url{https://www." + LowerWord() + ".org/" + LowerWord() + "} ";
      break;
    case 4:
      line_ += "http://" + LowerWord() + ".example.com/" + LowerWord() + "?q=" + LowerWord() + " ";
      break;
    case 5:
      line_ += LowerWord() + "." + LowerWord() + "@example.org ";
      break;
    case 6:
      line_ += "（日本語の説明とカタカナ、ｶﾀｶﾅ、１２３） ";
      break;
    case 7:
      line_ += std::to_string(random_.Below(100)) + "\\% ";
      break;
    default:
      break;
    }
  }
};

} // namespace

bool WriteWords(const std::string& fileName, const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words)
    text.append(word).append("\r\n");
  return SaveFileReplacing(fileName, text);
}

std::vector<std::string> MakeBigDictionary(const std::vector<std::string>& words, size_t total,
                                           uint32_t seed) {
  std::vector<std::string> result = words;
  std::unordered_set<std::string> seen;
  for (const std::string& word : words)
    seen.insert(sjis::LowerAscii(word));
  LetterPairs pairs(words);
  SeededRandom random(seed);
  while (seen.size() < total) {
    std::string word = pairs.Make(random.Between(5, 12), random);
    if (seen.insert(word).second)
      result.push_back(std::move(word));
  }
  random.Shuffle(result);
  return result;
}

std::vector<std::string> PickWordsMissingFrom(const std::vector<std::string>& from,
                                              const std::vector<std::string>& without, size_t count,
                                              uint32_t seed) {
  std::unordered_set<std::string> excluded;
  for (const std::string& word : without)
    excluded.insert(sjis::LowerAscii(word));
  std::vector<std::string> candidates;
  for (const std::string& word : from) {
    if (excluded.insert(sjis::LowerAscii(word)).second)
      candidates.push_back(word);
  }
  SeededRandom random(seed);
  random.Shuffle(candidates);
  candidates.resize(std::min(count, candidates.size()));
  return candidates;
}

SpellText MakeSpellText(const std::vector<std::string>& words,
                        const std::vector<Misspelling>& misspellings, size_t bytes, double rate,
                        uint32_t seed) {
  return TextBuilder(words, misspellings, rate, seed).Build(bytes);
}

void ForEachTextLine(std::string_view text,
                     const std::function<void(std::string_view, size_t)>& line) {
  size_t index = 0;
  for (size_t start = 0; start < text.size(); ++index) {
    size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos)
      end = text.size();
    line(text.substr(start, end - start), index);
    start = end + 2;
  }
}

} // namespace quolin::spell_support
