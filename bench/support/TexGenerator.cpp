#include "support/TexGenerator.h"

#include <algorithm>
#include <random>
#include <string_view>
#include <vector>

namespace bench {

namespace {

const std::vector<std::string_view> kKanji = {"日本語", "文書", "組版", "数式", "定理", "証明",
                                              "図表", "参考文献", "索引", "章", "節", "段落",
                                              "表示", "変換", "設定", "構造"};
const std::vector<std::string_view> kKana = {"これは", "です", "ます", "について", "として",
                                             "では", "また", "しかし", "なお", "および", "の",
                                             "を", "に", "が"};
const std::vector<std::string_view> kKatakana = {"テキスト", "ファイル", "コマンド", "システム",
                                                 "データ", "ソース", "マクロ"};
const std::vector<std::string_view> kHalfKana = {"ｶﾀｶﾅ", "ﾃﾞｰﾀ", "ﾊﾟｽ", "ｼｽﾃﾑ", "ｶﾞｲﾄﾞ"};
const std::vector<std::string_view> kDigits = {"１２３", "４５", "２０２６", "７"};
const std::vector<std::string_view> kPunctuation = {"、", "。"};
const std::vector<std::string_view> kMath = {"$x^{2}+y_{i}=z$", "\\(a+b\\)", "$\\frac{1}{2}$",
                                             "$[0,1]$"};
const std::vector<std::string_view> kCommands = {"\\emph{強調}", "\\textbf{太字}",
                                                 "\\ref{sec:intro}", "\\cite{knuth}"};
const std::vector<std::string_view> kHeadingCommands = {
    "\\part", "\\chapter", "\\section", "\\subsection", "\\subsubsection", "\\paragraph",
    "\\subparagraph"};
const std::vector<std::string_view> kSearchWords = {"section", "Section", "ｓｅｃｔｉｏｎ",
                                                    "ＳＥＣＴＩＯＮ", "ＡＢＣ", "ａｂｃ"};

class Generator {
public:
  explicit Generator(const TexOptions& options) : options_(options), random_(options.seed) {}

  GeneratedTex Run() {
    result_.text.reserve(options_.bytes + 1024);
    while (result_.text.size() < options_.bytes)
      Line();
    result_.text.resize(options_.bytes);
    // End on a whole line: cut back to the last line end.
    size_t lastBreak = result_.text.rfind("\r\n");
    if (lastBreak != std::string::npos)
      result_.text.resize(lastBreak + 2);
    return std::move(result_);
  }

private:
  TexOptions options_;
  std::mt19937 random_;
  GeneratedTex result_;
  int sectionNumber_ = 0;
  int lineNumber_ = 0;
  int headingLevel_ = 1;

  int Below(int limit) { return static_cast<int>(random_() % static_cast<uint32_t>(limit)); }

  void Put(std::string_view word) {
    result_.firstOffset.try_emplace(std::string(word), result_.text.size());
    result_.text += word;
  }

  std::string_view Pick(const std::vector<std::string_view>& pool) {
    return pool[static_cast<size_t>(Below(static_cast<int>(pool.size())))];
  }

  void Line() {
    int kind = Below(100);
    if (HeadingDue())
      Heading();
    else if (kind < 3 && options_.headings == 0)
      Section();
    else if (kind < 9)
      Comment();
    else if (kind < 18)
      Item();
    else if (kind < 22)
      DisplayMath();
    else
      Paragraph(0);
    result_.text += "\r\n";
    ++lineNumber_;
  }

  // Heading i goes on the first line starting at or after i / headings of the text.
  bool HeadingDue() const {
    size_t placed = result_.headings.size();
    return placed < static_cast<size_t>(options_.headings) &&
           result_.text.size() >=
               placed * (options_.bytes / static_cast<size_t>(options_.headings));
  }

  // The title holds a kanji pair such as 表示, whose second byte is 5C, a backslash.
  void Heading() {
    headingLevel_ = 1 + Below(std::min(headingLevel_ + 2, 7));
    std::string title = "見出し" + std::to_string(result_.headings.size() + 1) + " ";
    title += Pick(kKanji);
    Put(kHeadingCommands[static_cast<size_t>(headingLevel_ - 1)]);
    result_.text += (result_.headings.size() % 4 == 3 ? "*{" : "{") + title + "}";
    result_.headings.push_back({lineNumber_, headingLevel_, title});
  }

  void Section() {
    Put("\\section");
    result_.text += "{見出し" + std::to_string(++sectionNumber_) + "}";
  }

  void Comment() {
    Put("%");
    result_.text += " ";
    Words(20 + Below(20));
  }

  void Item() {
    result_.text += "\t";
    Put("\\item");
    result_.text += " ";
    Words(20 + Below(30));
  }

  void DisplayMath() { result_.text += "\\[ \\sum_{k=1}^{n} k = \\frac{n(n+1)}{2} \\]"; }

  void Paragraph(int) {
    int length = options_.shape == TexShape::ShortLines ? 25 + Below(20) : 100 + Below(501);
    Words(length);
  }

  void Words(int length) {
    size_t end = result_.text.size() + static_cast<size_t>(length);
    while (result_.text.size() < end)
      Word();
  }

  // Between spaces, so that every search word stands as a whole word.
  void SearchWord() {
    result_.text += " ";
    Put(Pick(kSearchWords));
    result_.text += " ";
  }

  void Word() {
    int kind = Below(100);
    if (kind < 30)
      Put(Pick(kKanji));
    else if (kind < 55)
      Put(Pick(kKana));
    else if (kind < 65)
      Put(Pick(kKatakana));
    else if (kind < 70)
      Put(Pick(kHalfKana));
    else if (kind < 74)
      Put(Pick(kDigits));
    else if (kind < 82)
      Put(Pick(kPunctuation));
    else if (kind < 86)
      Put(Pick(kMath));
    else if (kind < 90)
      Put(Pick(kCommands));
    else if (kind < 94 && options_.searchWords)
      SearchWord();
    else
      result_.text += " ";
  }
};

} // namespace

GeneratedTex GenerateTex(const TexOptions& options) {
  return Generator(options).Run();
}

} // namespace bench
