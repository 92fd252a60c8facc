// Document operations that every subsystem calls: the open documents, opening a file, the
// reopen list and its menus, the main window's status panels, the checked state of command
// items and the interpretation of a tool's reply.
#pragma once

#include <string>

namespace quolin {

class TComboBox;
class TDocForm;
class TStrings;

// Status bar panels of the main window.
enum TStatusPanelIndex : int {
  spCaret,    // "line : column"
  spModified, // "変更"
  spEditMode, // "挿入", "上書", "書込禁止"
  spCharCode, // "UTF8B", "UTF8N" or empty
  spMessage,  // messages and hints
  StatusPanelCount
};

// At least one document window exists.
bool HasDoc();
// The main window's active document; none when no document is open.
TDocForm* ActiveDoc();
// The document windows in the main window's order, the topmost first.
int DocCount();
TDocForm* DocAt(int index);
bool AnyDocMaximized();
// The document of that file, compared without regard to case by the user's locale.
TDocForm* FindDocByFileName(const std::string& fileName);

// Opens a file (or a template, as an untitled document) into a new document window; line
// from 0, negative for the remembered place; quiet: no messages (the UTF-8 question and a
// refused encoding are shown even then). True when a window was made; an already open file
// is only brought to the front.
bool OpenDocument(const std::string& fileName, const std::string& ownerFile, bool asTemplate,
                  int line, bool readOnly, bool quiet);
// The open dialog, for one file or several: each chosen file, read-only as the dialog's box
// says.
void OpenDocumentsByDialog(bool multiSelect);
// Asks, unless the settings save without asking, before saving the modified documents: all of
// them, or only those with a file name. False when cancelled or a save failed.
bool SaveAllModified(bool all);
bool SaveAllDocs();
bool SaveNamedDocs();
// Closes every document, last to first; false when one refused.
bool CloseAllDocs();
void FocusActiveEditor();
// The document's active view to a line from 0, centred.
void GoToDocLine(TDocForm* doc, int line);
void GoToActiveDocLine(int line);
// The combo box lists the named documents' files, topmost first, without leaveOut (case
// ignored), with the selected name kept when it is still listed, else the last one selected;
// true when the selection was kept.
bool FillOpenDocCombo(TComboBox& combo, const std::string& leaveOut = "");
// Extension in the binary list (a name without extension is not binary).
bool IsBinaryFileName(const std::string& fileName);
// A ".doc" name of a compound file.
bool IsWordFileName(const std::string& fileName);
bool IsReadOnlyFile(const std::string& fileName);
bool ClearReadOnlyAttr(const std::string& fileName);
// The file's lines joined with CR LF, decoded as documents are; empty when unreadable.
std::string ReadFileText(const std::string& fileName);
// The file (chosen by a dialog when the name is empty) replaces the active view's selection
// and is selected.
void InsertFileIntoActiveDoc(const std::string& fileName);
// The owner-file dialog, starting at start; false when cancelled.
bool ChooseOwnerFile(const std::string& start, std::string& chosen);
// Runs the program of a "$Sys_OptExecuteFile" command with its parameters.
bool ExecuteFile(const std::string& program, const std::string& parameters);
// The parameters with "$$", the document placeholders and "%file" tokens replaced; false when
// a placeholder cannot be filled.
bool ExpandExecuteParameters(const std::string& parameters, std::string& expanded,
                             std::string& folder);
bool RunProgram(const std::string& program, const std::string& parameters,
                const std::string& folder);
// The clock reading documents stamp their open and save times with.
double NowDateTime();
// "Noname1", "Noname2"... for the run.
std::string NextUntitledName();

// The checked mark of every menu item and the down state of every button of the command.
void CheckCommandItems(int commandId);
void UncheckCommandItems(int commandId);

void ClearStatusPanels();
void SetStatusPanel(int index, const std::string& text);
// Panel 0: "line : column" (line from 1, column a byte offset).
void ShowCaretPosition(int column, int line);
void ShowEditMode(bool overwrite, bool readOnly);
// The application's title (the taskbar's text): the active document's name, or "Quolin".
void SetAppTitle();
void ResetAppTitle();
void SetStatusMessage(const std::string& text);
void ClearStatusMessage();
// Shown until the main window's message timer empties the panel; hints do not replace it.
void ShowTimedStatusMessage(const std::string& text);

// Puts the name first, removing every equal entry (case ignored); an empty name changes
// nothing.
void MruInsertFile(TStrings& list, const std::string& fileName);
void RemoveFileFromList(TStrings& list, const std::string& fileName);
// The document's file goes to the top of the reopen list, or out of it; rebuild: the reopen
// menus too. A none document changes nothing.
void AddRemainFile(TDocForm* doc, bool rebuild);
void RemoveRemainFile(TDocForm* doc, bool rebuild);
// The reopen menu: the first 16 entries, or a disabled "なし".
void BuildRemainMenu();
// The reopen menu and its copies in the generated menus.
void RefreshRemainMenus();

// What a tool's reply says.
struct TDdeReply {
  bool Error = false;
  // The file the reply names, or the tool's target file.
  std::string FileName;
  // From 1; -1 when the reply names none.
  int Line = -1;
  // "%s" stands for the tool's kind name.
  std::string MessageFormat;
  // The reply named the file itself.
  bool FileFromReply = false;
};
TDdeReply InterpretDdeReply(const std::string& reply, const std::string& targetFile);
// InterpretDdeReply with the tool component's target file; the open document of a file the
// reply named, else none.
TDocForm* ParseDdeReply(const std::string& reply, TDdeReply& result);

} // namespace quolin
