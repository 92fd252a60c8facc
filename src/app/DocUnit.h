// The window of one open document, an MDI child of the main window: two views of one text
// (the second one shown while the window is split), the TeX log pane below them and the
// document's node in the outline tree. It knows its file, owner file and character code,
// turns keys into the editing conveniences of the settings, saves its file and asks before a
// modified document is closed.
#pragma once

#include "core/FileStateRecord.h"
#include "core/TextEncoding.h"
#include "editor/EditorControl.h"
#include "ui/Edits.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Panels.h"
#include "ui/Timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quolin {

class TSecUpdate;
class TSpeedButton;
class TTBHint;
class TTreeNode;

// What the document-information dialog shows; counts are of the whole text, then of the
// selection. A line break counts as 2 bytes and 1 character; characters are UTF-16 units.
struct TDocumentInfo {
  std::string FileName, ShortFileName;
  std::string OwnerFile, ShortOwnerFile;
  uint8_t Modified = 0;
  double OpenTime = 0, FileTime = 0;
  int32_t Bytes = 0, Chars = 0, Lines = 0, CharsWithoutBreaks = 0;
  int32_t SelBytes = 0, SelChars = 0, SelLines = 0, SelCharsWithoutBreaks = 0;
};

class TDocForm : public TForm {
public:
  // Components, in the order of the form.
  TEditor* Editor1;
  TTimer* Timer_Selected;
  TTBHint* TBHint1;
  TSplitter* Splitter1;
  TPanel* Panel_Editor;
  TEditor* Editor2;
  TTimer* Timer_Section;
  TTimer* Timer_TreeSelect;
  TSplitter* Splitter2;
  TPanel* Panel_Log;
  TListBox* LogListBox1;
  TPopupMenu* PopupLogMenu1;
  TMenuItem* pop_LogViewAll;
  TMenuItem* pop_LogViewError;
  TMenuItem* pop_LogViewWanning;
  TMenuItem* pop_LogPopup;
  TMenuItem* N1;
  TMenuItem* N2;
  TMenuItem* pop_LogReload;
  TPanel* Panel1;
  TPanel* Panel_LogLeftBand;
  TPanel* Panel3;
  TSpeedButton* SpeedButton1;
  TMenuItem* pop_debug1;
  TTimer* ResizeTimer;

  // Full path; empty for an untitled document.
  std::string FileName;
  // The main file of a multi-file document; empty when none.
  std::string OwnerFile;
  // What an untitled document is called ("Noname1"), given when the window is shown.
  std::string UntitledName;
  TextEncodingCode CharCode = tcAscii;
  // One clock reading at creation; FileTime moves at every save.
  double OpenTime = 0, FileTime = 0;
  // The first save's backup has not been made yet.
  bool BackupPending = true;
  // The view that last had the focus; commands act on it.
  TEditor* ActiveEditor = nullptr;
  bool TrackActiveView = true;
  bool SplitView = false;
  int OutlineLevel = 0;
  TTreeNode* OutlineNode = nullptr;
  // The running or finished scan of the outline; at most one.
  std::unique_ptr<TSecUpdate> SecUpdate;
  // The Enter templates with their line breaks.
  std::string EnterText, EnterShiftText, EnterCtrlText, EnterCtrlShiftText;
  int CharWidth = 8;
  bool AssistShown = false;
  // The input method of the active view was open when the input-assistance panel opened.
  bool AssistImeOpen = false;
  bool BoxSelectByAlt = false;
  // The log pane's second size value, kept for the per-file state.
  int LogSize2 = 40;

  // The file tool runs and the log refer to: the owner file when set, else the file.
  std::string TargetFileName() const;
  // The file name, with " in " and the owner file when set; empty for an untitled document.
  std::string GetTitleText() const;
  void UpdateCaption();
  void ApplySettings();
  void SetWordWrap(bool on);
  void UpdateWrapWidth();
  void CenterCaretRow(TEditor& view);
  void SetCharCode(TextEncodingCode code);
  void ShowCharCode();
  void ShowModified();
  // Puts the active view's caret on line (from 0) at column, centred or one row below the top.
  void GoToLine(int line, int column, bool centre);
  // The active view's caret line, from 0.
  int CaretLine() const;
  // Saves under fileName, or asks for a name when it is empty; true when saved.
  bool SaveFile(const std::string& fileName);
  // The owner file: a given one as it is, or chosen by a dialog; true when one is set.
  bool SelectOwnerFile(const std::string& fileName);
  void ClearOwnerFile();
  // Remembers and restores the file's editing state.
  void SaveDocState();
  TFileState CurrentFileState() const;
  void ApplyFileState(const TFileState& state, bool carets);
  void RestoreDocState(const TLogPaneState& state);
  TLogPaneState CurrentLogPaneState() const;
  // The caret line goes to the line buffer shared by all windows and is deleted; pasting puts
  // the buffer at the start of the caret line.
  void CutCaretLine();
  void PasteCutLine();
  TDocumentInfo GetDocumentInfo() const;
  // The caret line's text from its start to the caret.
  std::string GetTextBeforeCaret() const;
  // The caret's top left in the active view's client area.
  POINT CaretPixelPos() const;
  // The view's context menu, opened at the caret.
  void PopupMenuAtCaret();
  // Shows the main window's input-assistance panel in this window at the caret.
  void OpenCommandHelper();
  // Closes the input-assistance pop-up of this window.
  void CloseCommandHelper();

  // Handlers.
  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormActivate(TObject* sender);
  void FormResize(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void FormClose(TObject* sender, TCloseAction& action);
  void Editor1KeyDown(TObject* sender, WORD& key, TShiftState shift);
  void Editor1KeyPress(TObject* sender, char& key);
  void Editor1KeyUp(TObject* sender, WORD& key, TShiftState shift);
  void Editor1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Editor1DblClick(TObject* sender);
  void Editor1SelectionChange(TObject* sender, bool selected);
  void Editor1CaretMoved(TObject* sender);
  void Editor1Change(TObject* sender);
  void Editor1Enter(TObject* sender);
  void Editor1DrawLine(TObject* sender, const std::string& lineStr, int x, int y, int index,
                       const RECT& rect, bool selected);
  // One WM_VSCROLL to the view under the screen point per wheel message.
  void MouseWheel(int delta, POINT screenPoint);
  void Splitter1Moved(TObject* sender);
  void Splitter2Moved(TObject* sender);
  void TBHint1Hint(TObject* sender, bool& canShow);
  void Timer_SelectedTimer(TObject* sender);
  void ResizeTimerTimer(TObject* sender);
  // Tab while the command-entry box is open goes to its list as Enter.
  bool DialogKey(WORD key, TShiftState shift) override;

  ~TDocForm() override;

protected:
  // The file's remembered state is applied before the window first shows and before any
  // text arrives, so nothing is wrapped twice. fill then gives the views their text, name and
  // carets: before the window shows when it shows at the size it has, so that nothing of it is
  // drawn before the window's first paint; once it has its final size when it shows maximised.
  // Either way it runs before the construction returns.
  TDocForm(TComponent* owner, const TFileState& fileState, const TLogPaneState& logPaneState,
           std::function<void(TDocForm&)> fill);
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void AfterShow() override;
  // A window freed without closing (the main window frees them) still removes its node.
  void BeforeDestruction() override;

private:
  bool backupMade_ = false;
  struct RememberedState {
    TFileState file;
    TLogPaneState logPane;
  };
  std::optional<RememberedState> remembered_; // until the first show applies it
  std::function<void(TDocForm&)> fill_;       // until it has run

  void Fill();
  void CreateViews();
  void CreateLogPane();
  void CreateTimers();
  static void SetDocumentViewDefaults(TEditor& view);
  // Enter with its modifiers: the template with the new line's indentation.
  void InsertEnterTemplate(const std::string& enterText);
  // The key sent to the active view with Shift and Ctrl held as given.
  void SimulateKey(WORD key, bool shift, bool ctrl);
  bool SaveAs();
  bool WriteFile(const std::string& fileName);
  void MakeBackups(const std::string& fileName);
};

// The target of a double click on a token of kind (URL or mail address), or empty.
std::string DoubleClickTarget(const std::string& token, int kind);

} // namespace quolin
