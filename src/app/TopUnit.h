// The main window: the MDI frame that holds the document windows and is the hub of the
// program. It keeps the settings, the user data lists, the reopen list, the tool component,
// the DDE server topic, the outline panel, the command entry, the status bar and the command
// images; it runs start-up, the command lines handed to it, and the orders of closing.
#pragma once

#include "app/CommandLine.h"
#include "app/SettingsBlock.h"
#include "core/Font.h"
#include "core/StringList.h"
#include "editor/EditorProps.h"
#include "texchain/TexCtrl.h"
#include "toolbar/TBHints.h"
#include "toolbar/TbControls.h"
#include "toolbar/TbDock.h"
#include "ui/Application.h"
#include "ui/DdeConv.h"
#include "ui/Edits.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/Panels.h"
#include "ui/Timer.h"
#include "ui/TreeView.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace quolin {

class TSpForm;

class TTopForm : public TForm {
public:
  // Components, in the order of the form.
  TMainMenu* MainMenu1;
  TStatusBar* StatusBar1;
  TPopupMenu* PopupMenu_Edit;
  TDock* TopDock;
  TDock* BottomDock;
  TDock* LeftDock;
  TDock* RightDock;
  TApplicationEvents* ApplicationEvents1;
  // Empties the status message 6400 ms after it was shown.
  TTimer* Timer1;
  TPopupMenu* PopupMenu_Main;
  // The editor options of every document view.
  TEditorProp* EditorProp1;
  // The DDE topic "Quolin" under the program's service.
  TDdeServerConv* Quolin;
  // Runs the process's own command line 256 ms after the window has become visible.
  TTimer* CmdLineTimer1;
  // The command images: the built-in strip, the user's images, padding to 1000, the second
  // strip.
  TImageList* ImageList1;
  TPopupMenu* PopupMenu_RemainOpen;
  TPopupMenu* PopupMenu_ToolBar;
  TTBHint* TBHint1;
  TTexCtrl* TexCtrl1;
  // Stands in for the editor's own context menu.
  TPopupMenu* PopupMenu_Dummy;
  TMenuItem* mn_Option0;
  TMenuItem* mn_Set0;
  TPanel* Panel_Section;
  TSplitter* Splitter1;
  TPanel* Panel_SectionCaption;
  TTreeView* TreeView_Section;
  TPanel* Panel1;
  TToolbarButton* ToolbarButton1;
  TMenuItem* mn_SetOption1;
  TMenuItem* mn_SetMaster1;
  TMenuItem* mn_SetMenu1;
  // The outline images: documents 0-2, ".bib" entries 3-4, headings 5-12.
  TImageList* ImageList2;
  TPanel* Panel_ExHelper1;
  TEdit* Edit_ExCmd1;
  TStringGrid* StringGrid_Cmd1;
  TImageList* ImageList3;
  TPopupMenu* PopupMenu_Group;

  TSettingsBlock Settings;
  TSettingsFolders Folders;
  // The log pane's font and colour.
  TFont LogFont;
  TColor LogBGColor = clWindow;
  // The reopen list, most recent first.
  TStringList RemainFiles;
  // The user data: one record line per entry.
  TStringList MasterList;
  TStringList GroupList;
  TStringList MenuList;
  TStringList ToolBarList;
  TStringList ReserveList;
  // The outline node being dragged.
  TTreeNode* DragSourceNode = nullptr;
  // The commands whose checked state follows the outline panel and the status bar.
  int OutlineCommandId = 0;
  int StatusBarCommandId = 0;
  int WordWrapCommandId = 0;
  // The running count of group drop-down item names: incremented before use, 65535 wraps to 0.
  int GroupDropdownCount = 0;
  // The process's command line with full paths, run once the window is visible.
  std::string CommandLine;

  // Operations for the other units.
  // The checked mark of every item of the three menus, at every depth, and the down state of
  // every toolbar button whose name carries the command number.
  void SetCommandChecked(int commandId, bool checked);
  // Shows, hides or makes the list tool window of a group (negative number).
  void ToggleGroupToolWindow(int commandId);
  void FillGroupDropdown(int commandId);
  void ShowOutlinePanel(bool visible, int commandId);
  void ShowStatusBar(bool visible, int commandId);
  // The outline splitter right of the panel, the status bar at the very bottom.
  void ArrangePanels();
  void RefreshToolWindowLists();
  void CheckToolWindowCommands();
  // The entry and the grid take the background, font and text colour of the editor options.
  void ApplyCommandEntryColors();
  void WMDropFiles(HDROP drop);
  void OpenStartupDocuments();
  void RunPendingMacros();
  void SaveWakeupFiles();
  // What command lines ask for goes to the documents and the command router.
  CommandLineActions Actions();
  void BringApplicationToFront();

  // Event handlers.
  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormDestroy(TObject* sender);
  void FormActivate(TObject* sender);
  void ApplicationEvents1Activate(TObject* sender);
  void ApplicationEvents1Deactivate(TObject* sender);
  bool ApplicationEvents1Help(int command, int data, bool& callHelp);
  void ApplicationEvents1Hint(TObject* sender);
  void Timer1Timer(TObject* sender);
  void CmdLineTimer1Timer(TObject* sender);
  void QuolinExecuteMacro(TObject* sender, TStrings& lines);
  void TexCtrl1EndProcess(TModuleType moduleType, bool succeeded, const std::string& ddeValue);
  void TBHint1Hint(TObject* sender, bool& canShow);
  void mn_DefaultClick(TObject* sender);
  void mnb_DefaultClick(TObject* sender);
  void tbn_DefaultDropdown(TObject* sender, bool& showMenu, bool& removeClicks);
  void mn_FileRemainClick(TObject* sender);
  void ToolWin_DefaultClose(TObject* sender);
  void ToolWin_DefaultDockChanged(TObject* sender);
  void PopupMenu_ToolBarPopup(TObject* sender);
  void ToolbarButton1Click(TObject* sender);
  void Splitter1CanResize(TObject* sender, int& newSize, bool& accept);
  void Splitter1Moved(TObject* sender);
  void mn_SetOption1Click(TObject* sender);
  void mn_SetMenu1Click(TObject* sender);
  void mn_SetMaster1Click(TObject* sender);
  void Edit_ExCmd1KeyDown(TObject* sender, WORD& key, TShiftState shift);
  void Edit_ExCmd1KeyPress(TObject* sender, char& key);
  void Edit_ExCmd1Change(TObject* sender);
  void StringGrid_Cmd1KeyDown(TObject* sender, WORD& key, TShiftState shift);
  void StringGrid_Cmd1SelectCell(TObject* sender, int column, int row, bool& canSelect);
  void StringGrid_Cmd1DblClick(TObject* sender);
  void TreeView_SectionChange(TObject* sender, TTreeNode* node);
  void TreeView_SectionCompare(TObject* sender, TTreeNode* node1, TTreeNode* node2, int data,
                               int& compare);
  void TreeView_SectionStartDrag(TObject* sender);
  void TreeView_SectionEndDrag(TObject* sender, TObject* target, int x, int y);
  void TreeView_SectionDragOver(TObject* sender, TObject* source, int x, int y, TDragState state,
                                bool& accept);

protected:
  explicit TTopForm(TComponent* owner);
  ~TTopForm() override;
  void CreateParams(TCreateParams& params) override;
  void Notification(TComponent* component, TOperation operation) override;
  void BeforeDestruction() override;
  void WndProc(TMessage& message) override;
  void AfterShow() override;

private:
  TSpForm* splash_ = nullptr;
  bool shown_ = false;
  // Macros that came before the window was visible, run in order once it is.
  // DDE macros not run yet: they wait for the first show, and each client for its answer.
  std::vector<std::string> pendingMacros_;
  // The find-and-open browser had the focus when the application lost the activation.
  bool browserHadFocus_ = false;
  // The grid's selection is being moved to follow the entry: the entry keeps its text.
  bool followingEntry_ = false;

  void CreateMenus();
  void CreateOutlinePanel();
  void CreateCommandEntry();
  void LoadColorsAndFonts();
  void LoadSettingsGroups();
  void RunCommandEntry(TShiftState shift);
  void ShowSelectedRowName();
};

extern TTopForm* TopForm;

// The data file to use: the configured one when it is a valid user data file; otherwise, after
// a message, the program folder's "default.dat" (after a second message when that is not valid
// either).
std::string ValidateDataFile(const std::string& configured, const std::string& programFolder);
// The user's images "img\1.bmp", "img\2.bmp"... of the user data folder up to the first missing
// number, while the list holds fewer than 1000 images; then empty images up to 1000.
void LoadCommandImages(TImageList& images, const std::string& userDataFolder);
// All command images: the built-in strip "TOOLBTN" of module (117 empty images without it),
// the user's images, the second strip "TOOLBTN2" (none without it) loaded through loading.
void LoadCommandImageList(TImageList& images, TImageList& loading,
                          const std::string& userDataFolder, HMODULE module);
// The strip of a bitmap resource with clFuchsia transparent; false when there is none.
bool AddResourceStrip(TImageList& images, HMODULE module, const char* name);

} // namespace quolin
