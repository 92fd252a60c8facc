// The work files of TeX runs: line reading, comparisons, backups, the rerun decisions, the
// log's phrases and the deletion by flags.
#include "texchain/AuxFiles.h"
#include "common/FileHelpers.h"
#include "common/TempFolder.h"
#include "core/Paths.h"
#include "support/UiTest.h"
#include "texchain/UxText.h"
#include "ui/Dialogs.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class AuxFiles : public ::testing::Test {
protected:
  TempFolder temp;
  std::string target = temp / "doc.tex";

  std::string File(const char* ext) const { return ChangeFileExt(target, ext); }
  void Write(const char* ext, const std::string& text,
             DWORD attributes = FILE_ATTRIBUTE_NORMAL) const {
    TempFolder::WriteFile(File(ext), text, attributes);
  }
  bool Exists(const char* ext) const { return FileExists(File(ext)); }
  static std::vector<std::string> Lines(const std::string& fileName) {
    std::vector<std::string> lines;
    TUxText text(fileName);
    while (!text.Eof())
      lines.push_back(text.ReadLine());
    return lines;
  }
};

using LineList = std::vector<std::string>;

TEST_F(AuxFiles, LinesEndAtCrLfOrCrLfAndMayBeOfAnyLength) {
  Write(".txt", "a\rb\nc\r\nd\n\re");
  EXPECT_EQ(Lines(File(".txt")), (LineList{"a", "b", "c", "d", "", "e"}));
  // A CR LF across the end of the first 4096-byte block is one line end.
  std::string first(4095, 'x');
  Write(".txt", first + "\r\nnext\r\n");
  EXPECT_EQ(Lines(File(".txt")), (LineList{first, "next"}));
  std::string longLine(5000, 'y');
  Write(".txt", longLine + "\nz");
  EXPECT_EQ(Lines(File(".txt")), (LineList{longLine, "z"}));

  Write(".txt", "");
  TUxText empty(File(".txt"));
  EXPECT_TRUE(empty.Opened());
  EXPECT_TRUE(empty.Eof());
  TUxText missing(File(".none"));
  EXPECT_FALSE(missing.Opened());
  EXPECT_TRUE(missing.Eof());
}

TEST_F(AuxFiles, WriterEndsLinesWithCrLfAndLeavesNoEmptyFile) {
  {
    TUxTextW writer(File(".txt"));
    writer.WriteLine("a");
    writer.WriteLine(std::string(3000, 'b'));
    EXPECT_EQ(writer.Count(), 2);
  }
  EXPECT_EQ(TempFolder::ReadFile(File(".txt")), "a\r\n" + std::string(3000, 'b') + "\r\n");
  { TUxTextW writer(File(".txt")); }
  EXPECT_FALSE(Exists(".txt"));
}

TEST_F(AuxFiles, ContainsAndLastLine) {
  Write(".log", "one\r\nLaTeX Warning: Citation `x'\r\nlast words\r\n\r\n");
  EXPECT_TRUE(TextFileContains(File(".log"), "Citation"));
  EXPECT_FALSE(TextFileContains(File(".log"), "citation")) << "case counts";
  EXPECT_FALSE(TextFileContains(File(".none"), ""));
  EXPECT_TRUE(LastLineContains(File(".log"), "words")) << "the empty line does not count";
  EXPECT_FALSE(LastLineContains(File(".log"), "one"));
  EXPECT_FALSE(LastLineContains(File(".none"), ""));
}

TEST_F(AuxFiles, FilesAreEqualWithTheSameSizeAndLines) {
  EXPECT_TRUE(TextFilesEqual(File(".a"), File(".b"))) << "both missing";
  Write(".a", "x\r\ny\r\n");
  EXPECT_FALSE(TextFilesEqual(File(".a"), File(".b")));
  EXPECT_FALSE(TextFilesEqual(File(".b"), File(".a")));
  Write(".b", "x\r\ny\r\n");
  EXPECT_TRUE(TextFilesEqual(File(".a"), File(".b")));
  Write(".b", "x\r\nz\r\n");
  EXPECT_FALSE(TextFilesEqual(File(".a"), File(".b")));
  Write(".b", "x\n\ny\r\n");
  EXPECT_FALSE(TextFilesEqual(File(".a"), File(".b"))) << "same size, other lines";
  Write(".b", "x\ny\n");
  EXPECT_FALSE(TextFilesEqual(File(".a"), File(".b"))) << "same lines, other size";
}

// The rerun decisions after a first run, from what the run left against the backups.
TEST_F(AuxFiles, RerunNeedsByWhatTheFirstRunChanged) {
  struct Case {
    const char* name;
    // Before the run (backed up), after it.
    std::vector<std::pair<const char*, std::string>> before, after;
    bool contents, bibtex, makeindex;
  };
  const std::string cite = "\\citation{a}\r\n", bib = "\\bibdata{refs}\r\n";
  const Case cases[] = {
      {"nothing", {}, {}, false, false, false},
      {"unchanged", {{".toc", "t"}, {".lof", "f"}, {".idx", "i"}}, {}, false, false, false},
      {"new contents", {}, {{".toc", "t"}}, true, false, false},
      {"figures", {{".toc", "t"}, {".lof", "f"}}, {{".lof", "g"}}, true, false, false},
      {"tables", {{".lot", "t"}}, {{".lot", "u"}}, true, false, false},
      {"index", {{".idx", "i"}}, {{".idx", "j"}}, false, false, true},
      {"citation added",
       {{".aux", bib + cite}},
       {{".aux", bib + cite + "\\citation{b}\r\n"}},
       false,
       true,
       false},
      {"citations kept",
       {{".aux", bib + cite}},
       {{".aux", "\\relax\r\n" + bib + cite}},
       false,
       false,
       false},
      {"no citations", {{".aux", bib}}, {{".aux", bib + "\\relax\r\n"}}, false, false, false},
      {"citation warning",
       {{".aux", bib + cite}},
       {{".log", "LaTeX Warning: Citation `a'"}},
       false,
       true,
       false},
      {"no bibliography", {{".aux", cite}}, {{".aux", "\\citation{b}\r\n"}}, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* ext : {".toc", ".lof", ".lot", ".idx", ".aux", ".log"})
      DeleteFileA(File(ext).c_str());
    for (const auto& [ext, text] : c.before)
      Write(ext, text);
    BackupAuxiliaryFiles(target);
    for (const auto& [ext, text] : c.after)
      Write(ext, text);
    TRerunNeeds needs = CheckRerunNeeds(target);
    EXPECT_EQ(needs.ContentsChanged, c.contents);
    EXPECT_EQ(needs.BibTeXNeeded, c.bibtex);
    EXPECT_EQ(needs.MakeIndexNeeded, c.makeindex);
    for (const char* backup : {".t~c", ".l~f", ".l~t", ".i~x", ".a~x", ".a~y"})
      EXPECT_FALSE(Exists(backup)) << backup;
  }
}

TEST_F(AuxFiles, BackupsCopyTheFilesAndKeepOnlyCitations) {
  Write(".toc", "contents\r\n");
  Write(".aux", "\\relax\r\n\\citation{a}\r\n\\bibdata{x}\r\n\\citation{b,c}\r\n");
  BackupAuxiliaryFiles(target);
  EXPECT_EQ(TempFolder::ReadFile(File(".t~c")), "contents\r\n");
  EXPECT_EQ(TempFolder::ReadFile(File(".a~x")), "\\citation{a}\r\n\\citation{b,c}\r\n");
  Write(".aux", "\\relax\r\n");
  BackupAuxiliaryFiles(target);
  EXPECT_FALSE(Exists(".a~x")) << "no citation, no file";
}

TEST_F(AuxFiles, StaleBackupsOfMissingFilesAreDeleted) {
  // Left by a sequence that was broken off.
  Write(".t~c", "old contents\r\n");
  Write(".i~x", "old index\r\n");
  BackupAuxiliaryFiles(target);
  EXPECT_FALSE(Exists(".t~c"));
  EXPECT_FALSE(Exists(".i~x"));
  TRerunNeeds needs = CheckRerunNeeds(target);
  EXPECT_FALSE(needs.ContentsChanged);
  EXPECT_FALSE(needs.MakeIndexNeeded);
}

TEST_F(AuxFiles, ReadOnlyBackupsStay) {
  Write(".toc", "t");
  BackupAuxiliaryFiles(target);
  SetFileAttributesA(File(".t~c").c_str(), FILE_ATTRIBUTE_READONLY);
  CheckRerunNeeds(target);
  EXPECT_TRUE(Exists(".t~c"));
}

TEST_F(AuxFiles, LabelsChangedAndMultiplyDefinedLabelsFromTheLog) {
  EXPECT_FALSE(LabelsMayHaveChanged(target));
  Write(".log", "(./doc.aux)\r\n"
                "LaTeX Warning: Label `sec:a' multiply defined.\r\n"
                "LaTeX Warning: Label `sec:b' multiply defined.\r\n"
                "LaTeX Warning: Label(s) may have changed. Rerun to get cross-references right."
                "\r\n");
  EXPECT_TRUE(LabelsMayHaveChanged(target));
  EXPECT_EQ(MultiplyDefinedLabel(target), "`sec:a'") << "the first one";
  Write(".log", "LaTeX Warning: There were multiply-defined labels.\r\n");
  EXPECT_EQ(MultiplyDefinedLabel(target), "");
  Write(".log", TempFolder::ReadFile(QUOLIN_LABELS_LOG));
  EXPECT_EQ(MultiplyDefinedLabel(target), "`x'") << "from latex's own log";
}

TEST_F(AuxFiles, TheDuplicateLabelQuestionAndItsThreeAnswers) {
  uitest::DialogRecorder dialogs;
  EXPECT_EQ(CheckMultiplyDefinedLabels(target), -1) << "no log";
  EXPECT_TRUE(dialogs.calls.empty());
  Write(".log", "LaTeX Warning: Label `x' multiply defined.\r\n");
  Write(".aux", "\\relax\r\n");

  dialogs.answer = mrNo;
  EXPECT_EQ(CheckMultiplyDefinedLabels(target), 2);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text,
            "ラベル `x' が重複しています.\r\n\r\n修正のために処理を中断して auxファイルを削除"
            "するには「はい」を、無視して続行するには「いいえ」を選択してください.");
  EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtInformation));
  EXPECT_EQ(dialogs.calls[0].buttons, mbYes | mbNo | mbCancel);
  EXPECT_TRUE(Exists(".aux"));

  dialogs.answer = mrCancel;
  EXPECT_EQ(CheckMultiplyDefinedLabels(target), 0);
  dialogs.answer = mrNone;
  EXPECT_EQ(CheckMultiplyDefinedLabels(target), 0) << "closed without an answer";
  EXPECT_TRUE(Exists(".aux"));

  dialogs.answer = mrYes;
  SetFileAttributesA(File(".aux").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(CheckMultiplyDefinedLabels(target), 1);
  EXPECT_TRUE(Exists(".aux")) << "read-only";
  SetFileAttributesA(File(".aux").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(CheckMultiplyDefinedLabels(target), 1);
  EXPECT_FALSE(Exists(".aux"));
}

TEST_F(AuxFiles, OutputWrittenEvenWhenTheLogWrappedItsLine) {
  EXPECT_TRUE(NoOutputWritten(target)) << "no log";
  Write(".log", "Output written on doc.dvi (1 page, 248 bytes).\r\n");
  EXPECT_FALSE(NoOutputWritten(target));
  Write(".log", " )\r\nNo pages of output.\r\nTranscript written on doc.log.\r\n");
  EXPECT_TRUE(NoOutputWritten(target));
  // A job name of 60 characters: the log wraps at 79 columns.
  std::string job(60, 'j');
  std::string line = "Output written on " + job + ".dvi (1 page, 248 bytes).";
  Write(".log", "\r\n" + line.substr(0, 79) + "\r\n" + line.substr(79) + "\r\n");
  EXPECT_FALSE(NoOutputWritten(target));
  std::string wrapped = TempFolder::ReadFile(QUOLIN_WRAPPED_LOG);
  ASSERT_NE(wrapped.find("\ndvi (1 page"), std::string::npos) << "latex wrapped the line";
  Write(".log", wrapped);
  EXPECT_FALSE(NoOutputWritten(target)) << "latex's own log";
  // The beginning three lines up still counts; four lines up no more.
  Write(".log", line.substr(0, 79) + "\r\nb\r\n\r\nc\r\n");
  EXPECT_FALSE(NoOutputWritten(target));
  Write(".log", line.substr(0, 79) + "\r\nb\r\nc\r\nd\r\n");
  EXPECT_TRUE(NoOutputWritten(target));
  Write(".log", "x Output written on a\r\ny\r\n");
  EXPECT_TRUE(NoOutputWritten(target)) << "only at the beginning of a line";
}

TEST_F(AuxFiles, DeletesTheFlaggedFilesButNotReadOnlyOnes) {
  const char* all[] = {".dvi", ".log", ".toc", ".lof", ".lot", ".idx",
                       ".ind", ".ilg", ".aux", ".bbl", ".blg", ".tex"};
  for (const char* ext : all)
    Write(ext, "x");
  SetFileAttributesA(File(".dvi").c_str(), FILE_ATTRIBUTE_READONLY);
  TAuxFileFlags flags;
  flags.dvi = flags.log = flags.toc = flags.ind = flags.blg = true;
  DeleteAuxiliaryFiles(target, flags);
  std::vector<std::string> left;
  for (const char* ext : all)
    if (Exists(ext))
      left.push_back(ext);
  EXPECT_EQ(left, (std::vector<std::string>{".dvi", ".lof", ".lot", ".idx", ".ilg", ".aux", ".bbl",
                                            ".tex"}));
  DeleteAuxiliaryFiles("", flags);
}

TEST_F(AuxFiles, DeletesTheFilesOfTheShortFormToo) {
  std::string longTarget = temp / "a long document name.tex";
  TempFolder::WriteFile(longTarget, "x");
  std::string shortTarget = GetShortPath(longTarget);
  ASSERT_FALSE(shortTarget.empty());
  ASSERT_NE(ExtractFileName(shortTarget), ExtractFileName(longTarget));
  // A file named after the short form only.
  std::string shortLog = ChangeFileExt(shortTarget, ".log");
  TempFolder::WriteFile(shortLog, "x");
  ASSERT_TRUE(FileExists(shortLog));
  ASSERT_FALSE(FileExists(ChangeFileExt(longTarget, ".log")));
  TAuxFileFlags flags;
  flags.log = true;
  DeleteAuxiliaryFiles(longTarget, flags);
  EXPECT_FALSE(FileExists(shortLog));
  EXPECT_TRUE(FileExists(longTarget));
}

} // namespace
