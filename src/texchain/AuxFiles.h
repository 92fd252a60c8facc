// The work files TeX, BibTeX and MakeIndex leave next to a target file: their backups before
// the first run of a sequence, the comparisons that decide the reruns, the phrases of the log,
// and their deletion. Missing files are no errors: a missing file contains nothing, and two
// missing files are equal.
#pragma once

#include <string>

namespace quolin {

// Which work files to delete, in this order.
struct TAuxFileFlags {
  bool dvi = false;
  bool log = false;
  bool toc = false;
  bool lof = false;
  bool lot = false;
  bool idx = false;
  bool ind = false;
  bool ilg = false;
  bool aux = false;
  bool bbl = false;
  bool blg = false;
};

// What the first TeX run of a sequence asks for.
struct TRerunNeeds {
  // The contents, figure or table lists changed.
  bool ContentsChanged = false;
  bool BibTeXNeeded = false;
  bool MakeIndexNeeded = false;
};

// Some line holds text (case-sensitive).
bool TextFileContains(const std::string& fileName, const std::string& text);
// The last line that is not empty holds text.
bool LastLineContains(const std::string& fileName, const std::string& text);
// Both missing, or both there with the same size and the same lines.
bool TextFilesEqual(const std::string& fileName1, const std::string& fileName2);

// Before the first run: ".toc", ".lof", ".lot" and ".idx" copied to ".t~c", ".l~f", ".l~t" and
// ".i~x", and the citation lines of ".aux" to ".a~x". A backup whose source is missing is
// deleted, so that one left by an aborted sequence cannot pass for it.
void BackupAuxiliaryFiles(const std::string& targetFile);
// After the first run: what changed against the backups; then the backups are deleted
// (read-only ones stay).
TRerunNeeds CheckRerunNeeds(const std::string& targetFile);
// The log asks to rerun for changed labels.
bool LabelsMayHaveChanged(const std::string& targetFile);
// The label of the log's first multiply-defined-label warning, with its quotes; empty when
// there is none.
std::string MultiplyDefinedLabel(const std::string& targetFile);
// -1 no duplicate label; otherwise the user's answer to the question: 0 stop, 1 stop after
// ".aux" was deleted (unless read-only), 2 go on.
int CheckMultiplyDefinedLabels(const std::string& targetFile);
// The log tells of no output file. A log wraps at 79 columns, so output counts as written when
// its last non-empty line holds "Output" or one of its last three non-empty lines begins
// "Output written on".
bool NoOutputWritten(const std::string& targetFile);
// The flagged work files of the target, and of its 8.3 form when it has one; read-only files
// stay.
void DeleteAuxiliaryFiles(const std::string& targetFile, const TAuxFileFlags& flags);

} // namespace quolin
