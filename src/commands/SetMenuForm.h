// The menu and toolbar editor ("メニュー/ツールバー設定"), made right after the main window; its
// creation builds the generated toolbars and menus from the user data. Shown modally, it edits
// the three menu trees and the user toolbars: OK rebuilds and saves them, Cancel puts the
// lists back as they were at showing.
#pragma once

#include "commands/MenuTreeView.h"
#include "core/MenuTree.h"
#include "core/StringList.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/ListView.h"
#include "ui/TabControls.h"
#include "ui/TreeView.h"

namespace quolin {

class TSetMenuForm : public TForm {
public:
  // The menus as the user data holds them; the generated menus are built from it.
  TMenuTree MenuTree;

  TPageControl* PageControl_Target;
  TTabSheet* TabSheet_Menu;
  TTabSheet* TabSheet_ToolBar;
  TTreeView* TreeView_Menu;
  TButton* Button_MenuEdit;
  TComboBox* Combo_ToolBar;
  TListView* ListView_ToolBar;
  TButton* Button_ToolBarAdd;
  TButton* Button_ToolBarEdit;
  TButton* Button_ToolBarDelete;
  TButton* Button_Up;
  TButton* Button_Down;
  TButton* Button_Add;
  TButton* Button_ChildAdd;
  TButton* Button_Remove;
  TPageControl* PageControl_Source;
  TTabSheet* TabSheet_Master;
  TTabSheet* TabSheet_Group;
  TComboBox* ComboBox_Category;
  TListView* ListView_Master;
  TListView* ListView_Group;
  TButton* Button_OK;
  TButton* Button_Cancel;

  bool MenusChanged = false;
  bool ToolbarsChanged = false;
  // The records of TreeView_Menu's nodes.
  TMenuRecords MenuRecords;

  // Showing's work: flags cleared, copies of the lists kept, pages filled; page 1 is the
  // toolbar page, else the menu page.
  void Prepare(int page);
  // OK's work: toolbars and menus rebuilt as changed, the lists saved.
  void Apply();
  // Cancel's work: the lists as they were at showing.
  void Restore();
  // A drop of dragged on target; true when the node moved.
  bool MoveMenuNode(TTreeNode* dragged, TTreeNode* target);

protected:
  explicit TSetMenuForm(TComponent* owner);
  ~TSetMenuForm() override;

private:
  TStringList shownMenus_;
  TStringList shownToolbars_;

  void FormCreate();
  void CreateTargetPages();
  void CreateSourcePages();
  void ReloadMenuTree();
  void ShowMasters();
  void ShowGroups();
  // The signed number of the master or group chosen on the source page shown; 0 when none.
  int ChosenSource(TQuolin_CmdList& source);
  void AddSource(bool asChild);
  void RemoveEntry();
  void AddMenuNode(bool asChild);
  void EditMenuNode();
  void RemoveMenuNode();
  void FillToolbarCombo(int select);
  int ChosenToolbar() const;
  TQuolin_ButtonList ToolbarAt(int index) const;
  void ShowToolbarEntries(int select);
  void PutToolbar(int index, const TQuolin_ButtonList& toolbar, int select);
  void AddToolbarEntry();
  void RemoveToolbarEntry();
  void MoveToolbarEntry(int delta);
  void AddToolbar();
  void RenameToolbar();
  void DeleteToolbar();
  bool MenuPageShown() const { return PageControl_Target->ActivePage() == TabSheet_Menu; }
};

extern TSetMenuForm* SetMenuForm;

// Shows the editor made at start-up, on the toolbar page for page 1.
void ShowSetMenuForm(int page);

} // namespace quolin
