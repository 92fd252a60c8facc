// The automatic sequence on Debian's TeX through the launcher's copies (build/hosttex): platex,
// pbibtex and mendex on Shift-JIS Japanese documents, and latex, bibtex and makeindex on ASCII
// ones. The runs are recorded from the component's end events.
#include "common/TempFolder.h"
#include "core/Paths.h"
#include "support/UiTest.h"
#include "texchain/TexCtrl.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

using namespace quolin;
using namespace quolin::test_support;

namespace {

using End = std::tuple<TModuleType, bool, std::string>;
using Runs = std::vector<TModuleType>;

// A tool set with its documents.
struct TToolSet {
  const char* name;
  const char* tex;
  const char* bibtex;
  const char* makeindex;
  // Options before the file names.
  const char* texOptions;
  const char* bibOptions;
  const char* indexOptions;
  const char* documentClass;
  const char* bibStyle;
  // A section title, a sentence, an index entry and a book title in the documents' language.
  const char* section;
  const char* sentence;
  const char* indexEntry;
  const char* bookTitle;
};

const TToolSet Japanese = {
    "platex", "platex", "pbibtex", "mendex", "-kanji=sjis -interaction=nonstopmode",
    "-kanji=sjis", "-S", "jarticle", "jplain", "はじめに", "日本語の文書です。",
    "ようご@用語", "日本語の本"};
const TToolSet Ascii = {"latex", "latex", "bibtex", "makeindex", "-interaction=nonstopmode", "",
                        "", "article", "plain", "Introduction", "An English document.",
                        "term", "The Book"};

void PrintTo(const TToolSet& set, std::ostream* out) {
  *out << set.name;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

class RealTex : public ::testing::TestWithParam<TToolSet> {
protected:
  TempFolder temp;
  TOwned<TTexCtrl> ctrl{TComponent::Create<TTexCtrl>(nullptr)};
  std::vector<End> ends;

  void SetUp() override {
    const TToolSet& set = GetParam();
    const std::string tools = std::string(QUOLIN_HOSTTEX) + "\\";
    SetTool(mtTeX, tools + set.tex + ".exe", set.texOptions, "%file.-n%");
    SetTool(mtBibTeX, tools + set.bibtex + ".exe", set.bibOptions, "%file.-n%");
    SetTool(mtMakeIndex, tools + set.makeindex + ".exe", set.indexOptions, "%file.idx-n%");
    ctrl->OnEndProcess = [this](TModuleType type, bool succeeded, const std::string& reply) {
      ends.emplace_back(type, succeeded, reply);
    };
  }

  void SetTool(TModuleType type, const std::string& program, const std::string& options,
               const std::string& file) {
    TModule& module = ctrl->Module(type);
    module.ExeName = program;
    module.UseDDE = false;
    module.DosCallBack = true;
    module.DosOption = "%nofilespace " + (options.empty() ? "" : options + " ") + file;
  }

  // Writes the document and its bibliography into folder: the target's path.
  std::string Write(const std::string& folder, const std::string& name,
                    const std::vector<std::string>& body) const {
    const TToolSet& set = GetParam();
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<std::string> lines = {std::string("\\documentclass{") + set.documentClass + "}"};
    lines.insert(lines.end(), body.begin(), body.end());
    TempFolder::WriteFile(folder + name + ".tex", Lines(lines));
    TempFolder::WriteFile(folder + "refs.bib",
                          Lines({"@book{knuth,", "  author = {Donald E. Knuth},",
                                 std::string("  title = {") + set.bookTitle + "},",
                                 "  publisher = {Addison-Wesley},", "  year = {1984}", "}"}));
    return folder + name + ".tex";
  }
  std::vector<std::string> CitingBody() const {
    const TToolSet& set = GetParam();
    return {"\\begin{document}",
            "\\tableofcontents",
            std::string("\\section{") + set.section + "}\\label{sec:first}",
            std::string(set.sentence) + " \\ref{sec:first} \\cite{knuth}",
            std::string("\\bibliographystyle{") + set.bibStyle + "}",
            "\\bibliography{refs}",
            "\\end{document}"};
  }
  std::vector<std::string> IndexBody() const {
    const TToolSet& set = GetParam();
    return {"\\usepackage{makeidx}",
            "\\makeindex",
            "\\begin{document}",
            "\\tableofcontents",
            std::string("\\section{") + set.section + "}",
            std::string(set.sentence) + "\\index{" + set.indexEntry + "}",
            "\\printindex",
            "\\end{document}"};
  }

  // Runs the sequence on target as the command router sets it up: the runs, in order.
  Runs Sequence(const std::string& target) {
    ctrl->TargetFile = target;
    ctrl->EditFileName = target;
    ctrl->OwnerFileName.clear();
    ctrl->ExeType = etAuto;
    ends.clear();
    if (!ctrl->Execute())
      return {};
    EXPECT_TRUE(uitest::PumpUntil([&] { return !ctrl->Sequence().Running(); }, 10 * WaitLimitMs))
        << "the sequence reached its end";
    Runs runs;
    for (const auto& [type, succeeded, reply] : ends) {
      EXPECT_TRUE(succeeded) << reply;
      runs.push_back(type);
    }
    return runs;
  }
};

const Runs CitationOrder = {mtTeX, mtBibTeX, mtTeX, mtTeX};
const Runs IndexOrder = {mtTeX, mtTeX, mtMakeIndex, mtTeX};

TEST_P(RealTex, ContentsReferenceAndCitation) {
  std::string target = Write(temp.Path(), "cite", CitingBody());
  EXPECT_EQ(Sequence(target), CitationOrder);
  EXPECT_TRUE(FileExists(ChangeFileExt(target, ".dvi")));
  EXPECT_NE(TempFolder::ReadFile(ChangeFileExt(target, ".bbl")).find(GetParam().bookTitle),
            std::string::npos);
  EXPECT_EQ(Sequence(target), Runs{mtTeX}) << "nothing changed";
}

TEST_P(RealTex, IndexAndContents) {
  std::string target = Write(temp.Path(), "index", IndexBody());
  EXPECT_EQ(Sequence(target), IndexOrder);
  EXPECT_TRUE(FileExists(ChangeFileExt(target, ".ind")));
  EXPECT_EQ(Sequence(target), Runs{mtTeX}) << "nothing changed";
}

TEST_P(RealTex, ALongJobNameGoesPastItsFirstRun) {
  // Its "Output written on" line wraps in the log.
  std::string target =
      Write(temp.Path(), std::string(60, 'j'),
            {"\\begin{document}", "\\tableofcontents", "\\section{A}", "\\end{document}"});
  EXPECT_EQ(Sequence(target), (Runs{mtTeX, mtTeX}));
}

TEST_P(RealTex, ATargetInAJapaneseNamedFolder) {
  std::string target = Write(temp / "日本語の表\\", "cite", CitingBody());
  EXPECT_EQ(Sequence(target), CitationOrder);
}

TEST_P(RealTex, AnErrorEndsTheSequenceAfterTeX) {
  std::string target =
      Write(temp.Path(), "bad", {"\\begin{document}", "\\undefinedcommand", "\\end{document}"});
  ctrl->TargetFile = target;
  ctrl->EditFileName = target;
  ctrl->ExeType = etAuto;
  ASSERT_TRUE(ctrl->Execute());
  ASSERT_TRUE(uitest::PumpUntil([&] { return !ctrl->Sequence().Running(); }, 10 * WaitLimitMs));
  EXPECT_EQ(ends, (std::vector<End>{{mtTeX, false, "1"}}));
}

INSTANTIATE_TEST_SUITE_P(Sets, RealTex, ::testing::Values(Japanese, Ascii),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
