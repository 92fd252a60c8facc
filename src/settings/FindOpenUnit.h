// The find-and-open browser: a folder tree, the folder's text files and a read-only preview of
// the chosen one, converted as documents are, with a back and forward history of the previewed
// files. Made once on first use, then shown or hidden by its command; never freed before the
// program ends.
#pragma once

#include "core/FindOpenBrowser.h"
#include "ui/Forms.h"

#include <string>

namespace quolin {

class TButton;
class TCheckBox;
class TEditor;
class TLabel;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TShellListView;
class TShellTreeView;
class TSplitter;
class TStatusBar;
class TToolbarButton;

class TFindOpenForm : public TForm {
public:
  TPanel* Panel_Folder;
  TShellTreeView* ShellTreeView1;
  TSplitter* Splitter1;
  TPanel* Panel_ListDoc;
  TPanel* Panel_List;
  TShellListView* ShellListView1;
  TSplitter* Splitter2;
  TPanel* Panel_Doc;
  TPanel* Panel_Caption;
  TLabel* Label_Folder;
  TLabel* Label_File;
  TToolbarButton* ToolbarButton1;
  TToolbarButton* ToolbarButton2;
  TPopupMenu* Popup_Prev1;
  TPopupMenu* Popup_Next1;
  TEditor* Editor1;
  TPopupMenu* PopupMenu1;
  TMenuItem* mn_Copy;
  TMenuItem* mn_CopyFileName;
  TMenuItem* mn_SelectAll;
  TPanel* Panel_Button;
  TCheckBox* CheckBox1;
  TButton* Button1;
  TButton* Button2;
  TStatusBar* StatusBar1;

  // True when the file's text is shown.
  bool PreviewFile(const std::string& path);
  void PushPreviewHistory(const std::string& path);
  // By steps + 1 files, as the menus' entry steps does.
  void GoBack(int steps);
  void GoForward(int steps);
  // The list shows the file's folder with the file selected, the tree that folder.
  void SelectFileInBrowser(const std::string& path);
  // Opens the selected list item as a document while Button1 is enabled.
  void OpenSelected();

  const std::string& CurrentFile() const { return currentFile_; }
  const TPreviewHistory& History() const { return history_; }
  int CommandId() const { return commandId_; }
  void SetCommandId(int id) { commandId_ = id; }

protected:
  explicit TFindOpenForm(TComponent* owner);
  ~TFindOpenForm() override;
  void CreateParams(TCreateParams& params) override;

private:
  std::string textFiles_;
  std::string currentFile_;
  int commandId_ = 0;
  TPreviewHistory history_;
  // Set while the form selects a list item itself: no preview, no history.
  bool suppressPreview_ = false;

  void BuildPanels();
  void BuildShellControls();
  void BuildCaption();
  void BuildEditor();
  void BuildButtons();
  void SwallowHistoryKeyUps();
  void LoadSettings();
  void FormCreate();
  void FormDestroy();
  void FormShow();
  void FormClose(TCloseAction& action);
  void FormKeyDown(WORD& key, TShiftState shift);
  void ListSelected(int index, bool selected);
  void ShowHistoryEntry(const std::string& path);
  void UpdateHistoryButtons();
  void FillHistoryMenu(TPopupMenu& menu, bool back);
  void ClearPreview();
  void SetStatus(const std::string& text);
  void PopupMenu1Popup();
};

// None until first shown.
extern TFindOpenForm* FindOpenForm;

// Shows the browser (made on first use) and checks the command's items, or closes it when it is
// shown. Always true.
bool ToggleFindOpenForm(int commandId);

} // namespace quolin
