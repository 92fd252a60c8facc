// The shared open-file and save-file dialogs. Each call passes its texts and flags in one
// record; per history key the dialogs remember the last folder and filter index in the
// registry section "FileDialogs". A call runs in window-free steps around the dialog itself:
// the fields are prepared from the record and the history, the dialog (or the test hook)
// answers, and the answer is turned into the results and the history. Window-free header.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

class TStrings;

enum class TFileDialogKind { fdOpen, fdSave };

struct TFileDialogParams {
  std::string Title;
  std::string FileName;
  // Description and pattern pairs separated by "|": "TeX (*.tex)|*.tex|All (*.*)|*.*".
  std::string Filter;
  std::string DefaultExt;
  std::string InitialDir;
  // 1 is the first filter; below 0 means the remembered one (open dialog).
  int FilterIndex = 0;
  bool ShowReadOnly = false;
  bool ReadOnly = false;
  // Open dialog only.
  bool AllowMultiSelect = false;
  // Empty: no history.
  std::string HistoryKey;

  bool operator==(const TFileDialogParams&) const = default;
};

// The record as the dialog is opened with it: file name, folder, filter index and options
// resolved from the record and the history.
struct TFileDialogFields : TFileDialogParams {
  TFileDialogKind Kind = TFileDialogKind::fdOpen;

  bool operator==(const TFileDialogFields&) const = default;
};

// What the dialog answered.
struct TFileDialogAnswer {
  bool Confirmed = false;
  // Full paths, in the order given.
  std::vector<std::string> FileNames;
  bool ReadOnly = false;
  int FilterIndex = 0;
};

// Replaces the dialogs while set (tests); an empty function restores them.
using TFileDialogHook = std::function<TFileDialogAnswer(const TFileDialogFields&)>;
void SetFileDialogHook(TFileDialogHook hook);

// files receives every chosen name when the record allows several and files is given;
// fileName is the (first) chosen name. The outputs change only when confirmed.
bool ShowOpenDialog(const TFileDialogParams& params, TStrings* files, std::string& fileName,
                    bool& readOnly);
bool ShowSaveDialog(const TFileDialogParams& params, std::string& fileName, bool& readOnly);

// The window-free steps.
TFileDialogFields PrepareOpenDialog(const TFileDialogParams& params, bool filesGiven);
TFileDialogFields PrepareSaveDialog(const TFileDialogParams& params);
bool FinishOpenDialog(const TFileDialogFields& fields, const TFileDialogAnswer& answer,
                      TStrings* files, std::string& fileName, bool& readOnly);
bool FinishSaveDialog(const TFileDialogFields& fields, const TFileDialogAnswer& answer,
                      std::string& fileName, bool& readOnly);

// "a|b|c|d" as the platform's "a\0b\0c\0d\0\0"; "|" is found only as a whole character.
std::string ConvertDialogFilter(std::string_view filter);
// The platform's answer "folder\0name\0name\0\0" (several files) or "path\0\0" as full paths.
std::vector<std::string> ParseSelectedFiles(std::string_view buffer);

} // namespace quolin
