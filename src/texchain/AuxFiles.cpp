#include "texchain/AuxFiles.h"

#include "common/FileHelpers.h"
#include "core/Format.h"
#include "core/Paths.h"
#include "texchain/UxText.h"
#include "ui/MessageBoxes.h"

#include <windows.h>

#include <deque>

namespace quolin {

namespace {

// The work files that are copied before the first run, and their backups.
struct TBackup {
  const char* Source;
  const char* Backup;
};
constexpr TBackup CopiedBackups[] = {
    {".toc", ".t~c"}, {".lof", ".l~f"}, {".lot", ".l~t"}, {".idx", ".i~x"}};
// The citation lines of ".aux" before and after the first run.
constexpr char AuxExt[] = ".aux";
constexpr char CitationsBefore[] = ".a~x";
constexpr char CitationsAfter[] = ".a~y";
constexpr char LogExt[] = ".log";

constexpr char CitationLine[] = "\\citation{";
constexpr char BibDataLine[] = "\\bibdata";
constexpr char CitationWarning[] = "LaTeX Warning: Citation";
constexpr char LabelsChangedWarning[] =
    "LaTeX Warning: Label(s) may have changed. Rerun to get cross-references right.";
constexpr char LabelWarning[] = "LaTeX Warning: Label";
constexpr char MultiplyDefined[] = "multiply defined.";
// "LaTeX Warning: Label `x' multiply defined.": the label between these two parts.
constexpr size_t LabelStart = 20;
constexpr size_t LabelTailLength = 17;
constexpr char Output[] = "Output";
constexpr char OutputWrittenOn[] = "Output written on";
// A wrapped "Output written on" line spans at most three lines.
constexpr size_t OutputLinesKept = 3;

constexpr char DuplicateLabelQuestion[] =
    "ラベル %s が重複しています.\r\n\r\n"
    "修正のために処理を中断して auxファイルを削除するには「はい」を、"
    "無視して続行するには「いいえ」を選択してください.";

// The work files by flag, in the record's order.
struct TFlaggedExt {
  bool TAuxFileFlags::*Flag;
  const char* Ext;
};
constexpr TFlaggedExt FlaggedExts[] = {
    {&TAuxFileFlags::dvi, ".dvi"}, {&TAuxFileFlags::log, ".log"}, {&TAuxFileFlags::toc, ".toc"},
    {&TAuxFileFlags::lof, ".lof"}, {&TAuxFileFlags::lot, ".lot"}, {&TAuxFileFlags::idx, ".idx"},
    {&TAuxFileFlags::ind, ".ind"}, {&TAuxFileFlags::ilg, ".ilg"}, {&TAuxFileFlags::aux, ".aux"},
    {&TAuxFileFlags::bbl, ".bbl"}, {&TAuxFileFlags::blg, ".blg"},
};

std::string WithExt(const std::string& targetFile, const char* ext) {
  return ChangeFileExt(targetFile, ext);
}

void DeleteUnlessReadOnly(const std::string& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY))
    DeleteFileA(fileName.c_str());
}

// Calls visit with each line until it returns false; false for a missing file.
template <typename Visit> bool ForEachLine(const std::string& fileName, Visit visit) {
  TUxText text(fileName);
  if (!text.Opened())
    return false;
  while (!text.Eof())
    if (!visit(text.ReadLine()))
      break;
  return true;
}

// The last count non-empty lines, the last at the back.
std::deque<std::string> LastLines(const std::string& fileName, size_t count) {
  std::deque<std::string> lines;
  ForEachLine(fileName, [&](const std::string& line) {
    if (!line.empty()) {
      lines.push_back(line);
      if (lines.size() > count)
        lines.pop_front();
    }
    return true;
  });
  return lines;
}

// The citation lines of auxFile into citationsFile; no file is left without one.
void WriteCitations(const std::string& auxFile, const std::string& citationsFile) {
  TUxTextW citations(citationsFile);
  ForEachLine(auxFile, [&](const std::string& line) {
    if (line.find(CitationLine) != std::string::npos)
      citations.WriteLine(line);
    return true;
  });
}

bool Contains(const std::string& line, const char* text) {
  return line.find(text) != std::string::npos;
}

} // namespace

bool TextFileContains(const std::string& fileName, const std::string& text) {
  bool found = false;
  ForEachLine(fileName, [&](const std::string& line) {
    found = line.find(text) != std::string::npos;
    return !found;
  });
  return found;
}

bool LastLineContains(const std::string& fileName, const std::string& text) {
  std::deque<std::string> last = LastLines(fileName, 1);
  return !last.empty() && last.back().find(text) != std::string::npos;
}

bool TextFilesEqual(const std::string& fileName1, const std::string& fileName2) {
  TUxText text1(fileName1), text2(fileName2);
  if (!text1.Opened() || !text2.Opened())
    return text1.Opened() == text2.Opened();
  if (text1.Size() != text2.Size())
    return false;
  while (!text1.Eof() && !text2.Eof())
    if (text1.ReadLine() != text2.ReadLine())
      return false;
  return text1.Eof() && text2.Eof();
}

void BackupAuxiliaryFiles(const std::string& targetFile) {
  for (const TBackup& backup : CopiedBackups) {
    const std::string source = WithExt(targetFile, backup.Source);
    const std::string copy = WithExt(targetFile, backup.Backup);
    if (FileExists(source))
      CopyFileA(source.c_str(), copy.c_str(), FALSE);
    else
      DeleteFileA(copy.c_str());
  }
  WriteCitations(WithExt(targetFile, AuxExt), WithExt(targetFile, CitationsBefore));
}

TRerunNeeds CheckRerunNeeds(const std::string& targetFile) {
  auto equal = [&](const char* ext, const char* backup) {
    return TextFilesEqual(WithExt(targetFile, ext), WithExt(targetFile, backup));
  };
  TRerunNeeds needs;
  needs.ContentsChanged =
      !equal(".toc", ".t~c") || !equal(".lof", ".l~f") || !equal(".lot", ".l~t");
  needs.MakeIndexNeeded = !equal(".idx", ".i~x");
  const std::string aux = WithExt(targetFile, AuxExt);
  if (TextFileContains(aux, BibDataLine)) {
    needs.BibTeXNeeded = TextFileContains(WithExt(targetFile, LogExt), CitationWarning);
    if (!needs.BibTeXNeeded) {
      WriteCitations(aux, WithExt(targetFile, CitationsAfter));
      needs.BibTeXNeeded = !equal(CitationsBefore, CitationsAfter);
    }
  }
  for (const TBackup& backup : CopiedBackups)
    DeleteUnlessReadOnly(WithExt(targetFile, backup.Backup));
  for (const char* citations : {CitationsBefore, CitationsAfter})
    DeleteUnlessReadOnly(WithExt(targetFile, citations));
  return needs;
}

bool LabelsMayHaveChanged(const std::string& targetFile) {
  return TextFileContains(WithExt(targetFile, LogExt), LabelsChangedWarning);
}

std::string MultiplyDefinedLabel(const std::string& targetFile) {
  std::string label;
  ForEachLine(WithExt(targetFile, LogExt), [&](const std::string& line) {
    if (!Contains(line, LabelWarning) || !Contains(line, MultiplyDefined))
      return true;
    if (line.size() > LabelStart + LabelTailLength)
      label = Trim(
          std::string_view(line).substr(LabelStart, line.size() - LabelStart - LabelTailLength));
    return false;
  });
  return label;
}

int CheckMultiplyDefinedLabels(const std::string& targetFile) {
  std::string label = MultiplyDefinedLabel(targetFile);
  if (label.empty())
    return -1;
  switch (MsgBoxFmt(DuplicateLabelQuestion, {label}, "Iync")) {
  case 'n':
    return 2;
  case 'y':
    DeleteUnlessReadOnly(WithExt(targetFile, AuxExt));
    return 1;
  default:
    return 0;
  }
}

bool NoOutputWritten(const std::string& targetFile) {
  std::deque<std::string> last = LastLines(WithExt(targetFile, LogExt), OutputLinesKept);
  if (!last.empty() && Contains(last.back(), Output))
    return false;
  for (const std::string& line : last)
    if (line.starts_with(OutputWrittenOn))
      return false;
  return true;
}

void DeleteAuxiliaryFiles(const std::string& targetFile, const TAuxFileFlags& flags) {
  if (targetFile.empty())
    return;
  std::string forms[] = {targetFile, GetShortPath(targetFile)};
  for (const std::string& form : forms) {
    if (form.empty())
      continue;
    for (const TFlaggedExt& flagged : FlaggedExts)
      if (flags.*flagged.Flag)
        DeleteUnlessReadOnly(WithExt(form, flagged.Ext));
  }
}

} // namespace quolin
