#include "commands/SetMenuForm.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "commands/ListWindows.h"
#include "commands/MenuBuilder.h"
#include "commands/RecordViews.h"
#include "commands/SetMenuAddUnit.h"
#include "commands/ToolbarBuilder.h"
#include "commands/TopFormData.h"
#include "common/RedrawLock.h"
#include "core/CommandLookup.h"
#include "core/IndexList.h"
#include "core/ResConst.h"
#include "settings/DialogLayout.h"
#include "settings/FormLayout.h"
#include "ui/Dialogs.h"
#include "ui/HourGlass.h"
#include "ui/MessageBoxes.h"

#include <algorithm>

namespace quolin {

TSetMenuForm* SetMenuForm = nullptr;

namespace {

constexpr int PageWidth = 330;
constexpr int PageHeight = 400;
constexpr int SourceLeft = 450;
constexpr int ListWidth = 220;

TImageList* CommandImages() {
  return TopForm ? TopForm->ImageList1 : nullptr;
}

TListView* AddRecordView(TComponent* form, const char* name, TControl* parent, RECT bounds) {
  auto* view = PlaceControl<TListView>(form, name, parent, bounds);
  SetUpRecordView(*view, CommandImages(), bounds.right - 24);
  return view;
}

// Rebuilt items come unchecked: the outline panel, the status bar, the active document's wrap
// and the list windows check theirs again.
void CheckShownCommands() {
  if (TopForm->Panel_Section->Visible())
    CheckCommandItems(TopForm->OutlineCommandId);
  if (TopForm->StatusBar1->Visible())
    CheckCommandItems(TopForm->StatusBarCommandId);
  if (TDocForm* doc = ActiveDoc(); doc && doc->Editor1->WordWrap())
    CheckCommandItems(TopForm->WordWrapCommandId);
  TopForm->CheckToolWindowCommands();
}

// A TAB would end the name in its line and turn the rest into button entries.
std::string ToolbarName(std::string answer) {
  std::replace(answer.begin(), answer.end(), '\t', ' ');
  return answer;
}

} // namespace

TSetMenuForm::TSetMenuForm(TComponent* owner) : TForm(owner) {
  SetMenuForm = this;
  SetCaption("メニュー/ツールバー設定");
  SetUpDialog(*this, SourceLeft + ListWidth + 40, PageHeight + 90);
  CreateTargetPages();
  CreateSourcePages();
  Button_Add = AddDialogButton(*this, "Button_Add", "<< 追加", PageWidth + 18, 120);
  Button_ChildAdd = AddDialogButton(*this, "Button_ChildAdd", "<< 子追加", PageWidth + 18, 152);
  Button_Remove = AddDialogButton(*this, "Button_Remove", "解除 >>", PageWidth + 18, 200);
  AddOkCancel(*this, Button_OK, Button_Cancel, SourceLeft + ListWidth + 24 - 180,
              PageHeight + 20);
  Button_Add->OnClick = [this](TObject*) { AddSource(false); };
  Button_ChildAdd->OnClick = [this](TObject*) { AddSource(true); };
  Button_Remove->OnClick = [this](TObject*) { RemoveEntry(); };
  OnCreate = [this](TObject*) { FormCreate(); };
}

TSetMenuForm::~TSetMenuForm() {
  if (SetMenuForm == this)
    SetMenuForm = nullptr;
}

void TSetMenuForm::CreateTargetPages() {
  PageControl_Target = PlaceControl<TPageControl>(this, "PageControl_Target", this,
                                                  {8, 8, PageWidth, PageHeight});
  TabSheet_Menu = AddSheet(*PageControl_Target, "TabSheet_Menu", "メニュー");
  TreeView_Menu = PlaceControl<TTreeView>(this, "TreeView_Menu", TabSheet_Menu,
                                          {4, 4, PageWidth - 16, PageHeight - 70});
  TreeView_Menu->ReadOnly = true;
  TreeView_Menu->HideSelection = false;
  TreeView_Menu->DragMode = TDragMode::dmAutomatic;
  TreeView_Menu->SetImages(CommandImages());
  Button_MenuEdit = PlaceControl<TButton>(this, "Button_MenuEdit", TabSheet_Menu,
                                          {4, PageHeight - 60, 88, 25}, "修正(&E)");
  Button_MenuEdit->OnClick = [this](TObject*) { EditMenuNode(); };
  TreeView_Menu->OnDblClick = Button_MenuEdit->OnClick;
  TreeView_Menu->OnStartDrag = [this](TObject*) {
    if (!TreeView_Menu->DragNode() || !TreeView_Menu->DragNode()->Parent())
      TreeView_Menu->EndDrag(false);
  };
  TreeView_Menu->OnDragOver = [this](TObject*, TObject* source, int x, int y, TDragState,
                                     bool& accept) {
    accept = source == TreeView_Menu &&
             CanDropMenuNode(TreeView_Menu->DragNode(), TreeView_Menu->GetNodeAt(x, y));
  };
  TreeView_Menu->OnDragDrop = [this](TObject*, TObject*, int x, int y) {
    MoveMenuNode(TreeView_Menu->DragNode(), TreeView_Menu->GetNodeAt(x, y));
  };

  TabSheet_ToolBar = AddSheet(*PageControl_Target, "TabSheet_ToolBar", "ツールバー");
  constexpr int ButtonLeft = ListWidth + 12;
  Combo_ToolBar =
      PlaceControl<TComboBox>(this, "Combo_ToolBar", TabSheet_ToolBar, {4, 4, ListWidth, 21});
  Combo_ToolBar->SetStyle(TComboBoxStyle::csDropDownList);
  Combo_ToolBar->OnSelect = [this](TObject*) { ShowToolbarEntries(0); };
  ListView_ToolBar = AddRecordView(this, "ListView_ToolBar", TabSheet_ToolBar,
                                   {4, 32, ListWidth, PageHeight - 72});
  const auto addButton = [&](const char* name, const char* caption, int top) {
    return PlaceControl<TButton>(this, name, TabSheet_ToolBar, {ButtonLeft, top, 80, 25}, caption);
  };
  Button_ToolBarAdd = addButton("Button_ToolBarAdd", "追加", 4);
  Button_ToolBarEdit = addButton("Button_ToolBarEdit", "編集", 34);
  Button_ToolBarDelete = addButton("Button_ToolBarDelete", "削除", 64);
  Button_Up = addButton("Button_Up", "上へ(&H)", 140);
  Button_Down = addButton("Button_Down", "下へ(&L)", 170);
  Button_ToolBarAdd->OnClick = [this](TObject*) { AddToolbar(); };
  Button_ToolBarEdit->OnClick = [this](TObject*) { RenameToolbar(); };
  Button_ToolBarDelete->OnClick = [this](TObject*) { DeleteToolbar(); };
  Button_Up->OnClick = [this](TObject*) { MoveToolbarEntry(-1); };
  Button_Down->OnClick = [this](TObject*) { MoveToolbarEntry(1); };
  ListView_ToolBar->OnDblClick = [this](TObject*) { RemoveToolbarEntry(); };
}

void TSetMenuForm::CreateSourcePages() {
  PageControl_Source = PlaceControl<TPageControl>(this, "PageControl_Source", this,
                                                  {SourceLeft, 8, ListWidth + 24, PageHeight});
  TabSheet_Master = AddSheet(*PageControl_Source, "TabSheet_Master", "マスタ");
  ComboBox_Category =
      PlaceControl<TComboBox>(this, "ComboBox_Category", TabSheet_Master, {4, 4, ListWidth, 21});
  ComboBox_Category->SetStyle(TComboBoxStyle::csDropDownList);
  ComboBox_Category->OnSelect = [this](TObject*) { ShowMasters(); };
  ListView_Master = AddRecordView(this, "ListView_Master", TabSheet_Master,
                                  {4, 32, ListWidth, PageHeight - 72});
  TabSheet_Group = AddSheet(*PageControl_Source, "TabSheet_Group", "グループ");
  ListView_Group = AddRecordView(this, "ListView_Group", TabSheet_Group,
                                 {4, 4, ListWidth, PageHeight - 44});
}

void TSetMenuForm::FormCreate() {
  if (!TopForm)
    return;
  FillToolbarCombo(0);
  RebuildUserToolbars();
  MenuTree.LoadLines(TopForm->MenuList);
  LoadMenuTreeView(*TreeView_Menu, MenuRecords, MenuTree);
  RebuildMenus(true);
  UpdateDocumentMenuState(false);
  LoadListWindowState();
  for (const char* category : res::CommandCategories)
    ComboBox_Category->Items().Add(category);
  ComboBox_Category->SetItemIndex(0);
}

void TSetMenuForm::Prepare(int page) {
  MenusChanged = ToolbarsChanged = false;
  shownMenus_.Assign(TopForm->MenuList);
  shownToolbars_.Assign(TopForm->ToolBarList);
  {
    TBusyCursor busy;
    FillToolbarCombo(0);
    ReloadMenuTree();
  }
  ShowMasters();
  ShowGroups();
  PageControl_Target->SetActivePage(page == 1 ? TabSheet_ToolBar : TabSheet_Menu);
}

void TSetMenuForm::ReloadMenuTree() {
  TMenuTree menus;
  menus.LoadLines(TopForm->MenuList);
  LoadMenuTreeView(*TreeView_Menu, MenuRecords, menus);
}

void TSetMenuForm::Apply() {
  TBusyCursor busy;
  TRedrawLock locked(TopForm->Handle());
  if (ToolbarsChanged)
    RebuildUserToolbars();
  if (MenusChanged) {
    WriteMenuTreeView(*TreeView_Menu, TopForm->MenuList);
    MenuTree.LoadLines(TopForm->MenuList);
    RebuildMenus(true);
    UpdateDocumentMenuState(HasDoc());
  }
  // A failed save is reported; menus and toolbars stay as rebuilt.
  SaveMenuData();
  CheckShownCommands();
}

void TSetMenuForm::Restore() {
  // The copies, not the data file: an unreadable file would leave the edits in the lists.
  TopForm->MenuList.Assign(shownMenus_);
  TopForm->ToolBarList.Assign(shownToolbars_);
}

void TSetMenuForm::ShowMasters() {
  const int category = ComboBox_Category->ItemIndex();
  ListView_Master->BeginUpdate();
  ListView_Master->ClearItems();
  TQuolin_CmdList record;
  for (int i = 0; i < TopForm->MasterList.Count(); ++i) {
    ParseMasterRecord(TopForm->MasterList[i], record);
    if (record.CommandType == category)
      AddRecordItem(*ListView_Master, record);
  }
  ListView_Master->EndUpdate();
}

void TSetMenuForm::ShowGroups() {
  ListView_Group->BeginUpdate();
  ListView_Group->ClearItems();
  TQuolin_CmdList record;
  for (int i = 0; i < TopForm->GroupList.Count(); ++i) {
    ParseMasterRecord(TopForm->GroupList[i], record);
    AddRecordItem(*ListView_Group, record);
  }
  ListView_Group->EndUpdate();
}

int TSetMenuForm::ChosenSource(TQuolin_CmdList& source) {
  const bool isGroup = PageControl_Source->ActivePage() == TabSheet_Group;
  const int id = SelectedRecordId(isGroup ? *ListView_Group : *ListView_Master);
  if (id == 0 || !GetCommandRecord(isGroup, id, source))
    return 0;
  return isGroup ? -id : id;
}

void TSetMenuForm::AddSource(bool asChild) {
  if (MenuPageShown())
    AddMenuNode(asChild);
  else if (!asChild)
    AddToolbarEntry();
}

void TSetMenuForm::RemoveEntry() {
  if (MenuPageShown())
    RemoveMenuNode();
  else
    RemoveToolbarEntry();
}

// --- Menu page ---

void TSetMenuForm::AddMenuNode(bool asChild) {
  TTreeNode* selected = TreeView_Menu->Selected();
  TQuolin_CmdList source;
  const int number = ChosenSource(source);
  if (!selected || number == 0)
    return;
  TQuolin_MenuList record;
  record.Caption = source.MenuCaption;
  record.CommandId = number;
  record.ShortCut = source.ShortCut;
  const bool child = asChild || !selected->Parent();
  TTreeNode* node =
      quolin::AddMenuNode(*TreeView_Menu, MenuRecords, record, selected, child);
  if (child)
    selected->Expand(false);
  TreeView_Menu->SetSelected(node);
  MenusChanged = true;
}

void TSetMenuForm::EditMenuNode() {
  TTreeNode* node = TreeView_Menu->Selected();
  TQuolin_MenuList* record = MenuRecordOf(node);
  if (!record)
    return;
  TQuolin_MenuList edited = *record;
  if (!ShowSetMenuAddForm(edited))
    return;
  record->Caption = edited.Caption;
  record->ShortCut = edited.ShortCut;
  node->SetText(edited.Caption);
  MenusChanged = true;
}

void TSetMenuForm::RemoveMenuNode() {
  TTreeNode* node = TreeView_Menu->Selected();
  if (!MenuRecordOf(node))
    return;
  DeleteMenuNode(node, MenuRecords);
  MenusChanged = true;
}

bool TSetMenuForm::MoveMenuNode(TTreeNode* dragged, TTreeNode* target) {
  if (!DropMenuNode(dragged, target))
    return false;
  TreeView_Menu->SetSelected(dragged);
  MenusChanged = true;
  return true;
}

// --- Toolbar page ---

void TSetMenuForm::FillToolbarCombo(int select) {
  Combo_ToolBar->Items().BeginUpdate();
  Combo_ToolBar->Items().Clear();
  for (int i = 0; i < TopForm->ToolBarList.Count(); ++i)
    Combo_ToolBar->Items().Add(ToolbarAt(i).Name);
  Combo_ToolBar->Items().EndUpdate();
  Combo_ToolBar->SetItemIndex(std::min(select, TopForm->ToolBarList.Count() - 1));
  ShowToolbarEntries(-1);
}

int TSetMenuForm::ChosenToolbar() const {
  const int index = Combo_ToolBar->ItemIndex();
  return index >= 0 && index < TopForm->ToolBarList.Count() ? index : -1;
}

TQuolin_ButtonList TSetMenuForm::ToolbarAt(int index) const {
  TQuolin_ButtonList toolbar;
  ParseToolbarLine(TopForm->ToolBarList[index], toolbar);
  return toolbar;
}

void TSetMenuForm::ShowToolbarEntries(int select) {
  ListView_ToolBar->BeginUpdate();
  ListView_ToolBar->ClearItems();
  if (const int index = ChosenToolbar(); index >= 0) {
    const TIndexList entries(ToolbarAt(index).Buttons);
    for (int i = 0; i < entries.GetCount(); ++i) {
      TQuolin_CmdList record;
      const int number = entries.GetItem(i);
      GetSignedCommandRecord(TopForm->MasterList, TopForm->GroupList, number, record);
      if (number == 0)
        record.Name.assign(1, '-');
      record.Id = number;
      AddRecordItem(*ListView_ToolBar, record);
    }
  }
  ListView_ToolBar->EndUpdate();
  ListView_ToolBar->SetItemIndex(select);
}

void TSetMenuForm::PutToolbar(int index, const TQuolin_ButtonList& toolbar, int select) {
  TopForm->ToolBarList.Put(index, BuildToolbarLine(toolbar));
  ToolbarsChanged = true;
  ShowToolbarEntries(select);
}

void TSetMenuForm::AddToolbarEntry() {
  const int index = ChosenToolbar();
  TQuolin_CmdList source;
  const int number = ChosenSource(source);
  if (index < 0 || number == 0)
    return;
  TQuolin_ButtonList toolbar = ToolbarAt(index);
  TIndexList entries(toolbar.Buttons);
  int at = ListView_ToolBar->ItemIndex();
  if (at < 0 || at >= entries.GetCount())
    at = entries.GetCount();
  entries.Insert(at, number);
  toolbar.Buttons = entries.Text;
  PutToolbar(index, toolbar, at);
}

void TSetMenuForm::RemoveToolbarEntry() {
  const int index = ChosenToolbar();
  const int entry = ListView_ToolBar->ItemIndex();
  if (index < 0 || entry < 0)
    return;
  TQuolin_ButtonList toolbar = ToolbarAt(index);
  toolbar.Buttons = DeleteIndexEntry(toolbar.Buttons, entry);
  PutToolbar(index, toolbar, std::min(entry, TIndexList(toolbar.Buttons).GetCount() - 1));
}

void TSetMenuForm::MoveToolbarEntry(int delta) {
  const int index = ChosenToolbar();
  const int entry = ListView_ToolBar->ItemIndex();
  if (index < 0 || entry < 0)
    return;
  TQuolin_ButtonList toolbar = ToolbarAt(index);
  TIndexList entries(toolbar.Buttons);
  if (!entries.Move(entry, delta))
    return;
  toolbar.Buttons = entries.Text;
  PutToolbar(index, toolbar, entry + delta);
}

void TSetMenuForm::AddToolbar() {
  std::string answer;
  if (!InputQuery(res::ToolbarQueryTitle, res::ToolbarAddPrompt, answer) || answer.empty())
    return;
  const int id = NewRecordId(TopForm->ToolBarList);
  if (id == 0) {
    MsgBox(res::RecordIdsExhausted, "WoB");
    return;
  }
  TopForm->ToolBarList.Add(BuildToolbarLine({id, ToolbarName(answer), ""}));
  ToolbarsChanged = MenusChanged = true;
  FillToolbarCombo(TopForm->ToolBarList.Count() - 1);
}

void TSetMenuForm::RenameToolbar() {
  const int index = ChosenToolbar();
  if (index < 0)
    return;
  TQuolin_ButtonList toolbar = ToolbarAt(index);
  std::string answer = toolbar.Name;
  if (!InputQuery(res::ToolbarQueryTitle, res::ToolbarRenamePrompt, answer))
    return;
  answer = ToolbarName(answer);
  if (answer.empty() || answer == toolbar.Name)
    return;
  toolbar.Name = answer;
  TopForm->ToolBarList.Put(index, BuildToolbarLine(toolbar));
  ToolbarsChanged = MenusChanged = true;
  FillToolbarCombo(index);
}

void TSetMenuForm::DeleteToolbar() {
  const int index = ChosenToolbar();
  if (index < 0 || MsgBox(res::ToolbarDeleteQuestion, "QynB") != 'y')
    return;
  TopForm->ToolBarList.Delete(index);
  ToolbarsChanged = MenusChanged = true;
  // The next toolbar, else the previous.
  FillToolbarCombo(std::min(index, TopForm->ToolBarList.Count() - 1));
}

void ShowSetMenuForm(int page) {
  if (!SetMenuForm || !TopForm)
    return;
  SetMenuForm->Prepare(page);
  if (SetMenuForm->ShowModal() == mrOk)
    SetMenuForm->Apply();
  else
    SetMenuForm->Restore();
}

} // namespace quolin
