// The window of one open document, an MDI child of the main window.
//
// Stand-in until documents can be edited: a bare window that knows its file, its owner file
// and its untitled name, shows the caption the full window shows with default settings, and
// keeps the line its caret was last sent to.
#pragma once

#include "ui/Forms.h"

#include <string>

namespace quolin {

class TDocForm : public TForm {
public:
  // Full path; empty for an untitled document.
  std::string FileName;
  // The main file of a multi-file document; empty when none.
  std::string OwnerFile;
  // What an untitled document is called ("Noname1"), given when the window is shown.
  std::string UntitledName;

  // The file tool runs and the log refer to: the owner file when set, else the file.
  std::string TargetFileName() const;
  // The file name, with " in " and the owner file when set; empty for an untitled document.
  std::string GetTitleText() const;
  void UpdateCaption();
  // Puts the caret on line (from 0) at column.
  void GoToLine(int line, int column, bool centre);
  int CaretLine() const { return caretLine_; }
  // Remembers the file's editing state.
  void SaveDocState();
  // Closes the input-assistance pop-up of this window.
  void CloseCommandHelper();

protected:
  explicit TDocForm(TComponent* owner);
  void CreateParams(TCreateParams& params) override;

private:
  int caretLine_ = 0;

  void FormShow(TObject* sender);
};

} // namespace quolin
