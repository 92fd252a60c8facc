#include "commands/MenuBuilder.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "commands/SetMenuForm.h"
#include "commands/ToolbarBuilder.h"
#include "common/StringHelpers.h"
#include "core/CommandLookup.h"
#include "core/Format.h"
#include "core/GeneratedNames.h"
#include "core/MenuTree.h"
#include "core/Sjis.h"
#include "toolbar/TbControls.h"
#include "ui/Menus.h"

#include <string_view>

namespace quolin {

namespace {

constexpr char RemainCommand[] = "$Sys_FileRemain";
constexpr char ToolbarListCommand[] = "$Sys_ViewToolBarList";
constexpr char WordWrapCommand[] = "$Sys_ViewWordWrap";
constexpr int CopyCountMask = 0xFFF;
constexpr int CopyCountDigits = 3;

std::array<TMenuVisiSet, VisiSetCount> menuGroups;
std::array<TButtonVisiSet, VisiSetCount> buttonGroups;
// Never reset, so that names stay unique across rebuilds.
int menuItemCount = 0;
int copyCount = 0;

// The items of one generated menu that receive copies; refound by every refresh.
struct TSpecialItems {
  TMenuItem* Remain = nullptr;
  TMenuItem* ToolbarList = nullptr;
};
std::array<TSpecialItems, MenuKindCount> specialItems;

bool ValidGroup(int group) { return group >= 1 && group <= VisiSetCount; }

bool SameCommand(std::string_view command, std::string_view wanted) {
  return sjis::CompareIgnoreAsciiCase(command, wanted) == 0;
}

TMenu* GeneratedMenu(int kind) {
  switch (kind) {
  case mkMainMenu:
    return TopForm->MainMenu1;
  case mkMainPopup:
    return TopForm->PopupMenu_Main;
  default:
    return TopForm->PopupMenu_Edit;
  }
}

void BuildItems(TMenuItem& parent, const TMenuNode& node, int kind) {
  for (const auto& child : node.Children) {
    const TQuolin_MenuList& record = child->Record;
    auto* item = TComponent::Create<TMenuItem>(
        TopForm, MenuItemName(kind, record.CommandId, true, ++menuItemCount));
    item->OnClick = [](TObject* sender) { TopForm->mn_DefaultClick(sender); };
    item->SetCaption(record.Caption);
    if (kind == mkMainMenu && !item->IsLine())
      item->SetShortCut(record.ShortCut);
    parent.Add(item);
    BuildItems(*item, *child, kind);
  }
}

void BuildMenus(const TMenuTree& tree) {
  TDocForm* doc = ActiveDoc();
  bool maximised = doc && doc->WindowState() == TWindowState::wsMaximized;
  if (maximised)
    doc->SetWindowState(TWindowState::wsNormal);
  for (int kind = 0; kind < MenuKindCount; ++kind) {
    const TMenuNode& root = tree.Root(kind);
    // An empty main root keeps the settings menu the main window starts with.
    if (kind == mkMainMenu && root.Children.empty())
      continue;
    TMenuItem& items = *GeneratedMenu(kind)->Items();
    items.Clear();
    BuildItems(items, root, kind);
  }
  if (maximised)
    doc->SetWindowState(TWindowState::wsMaximized);
}

// Children before their parent, the last child first: the first special item in display
// order is the one kept.
void RefreshItem(TMenuItem& item, int kind) {
  for (int i = item.Count() - 1; i >= 0; --i)
    RefreshItem(*item.Items(i), kind);
  // Settings items and copies carry no command number.
  if (!IsGeneratedMenuItemName(item.Name()))
    return;
  int number = HexIdFromName(item.Name());
  TQuolin_CmdList master = SignedCommandOf(number);
  if (SameCommand(master.Command, RemainCommand))
    specialItems[kind].Remain = &item;
  if (SameCommand(master.Command, ToolbarListCommand))
    specialItems[kind].ToolbarList = &item;
  item.SetImageIndex(master.ImgIndex);
  item.Hint = master.Hint;
  item.SetVisible(master.VisibleType != HiddenVisibleType);
  item.SetName(WithMenuFlag(item.Name(), !master.Command.empty()));
  if (number != 0)
    AddMenuToGroup(master.VisibleType, &item);
}

void RefreshMenus() {
  ClearMenuGroups();
  for (int kind = 0; kind < MenuKindCount; ++kind) {
    specialItems[kind] = {};
    TMenuItem& items = *GeneratedMenu(kind)->Items();
    for (int i = items.Count() - 1; i >= 0; --i)
      RefreshItem(*items.Items(i), kind);
  }
  CopyToolbarListIntoGeneratedMenus();
  RefreshRemainMenus();
  TopForm->WordWrapCommandId = FindMasterIdByCommand(TopForm->MasterList, WordWrapCommand);
}

std::string CopyName(const std::string& name) {
  if (name.empty())
    return name;
  copyCount = (copyCount + 1) & CopyCountMask;
  return name + IntToHex(copyCount, CopyCountDigits);
}

} // namespace

TQuolin_CmdList SignedCommandOf(int number) {
  TQuolin_CmdList record;
  if (!GetSignedCommandRecord(TopForm->MasterList, TopForm->GroupList, number, record))
    ClearMasterRecord(record);
  return record;
}

void CreateVisiSets() {
  ClearMenuGroups();
  ClearButtonGroups();
  specialItems = {};
}

void FreeVisiSets() {
  CreateVisiSets();
  UserToolbars().clear();
}

void AddMenuToGroup(int group, TMenuItem* item) {
  if (ValidGroup(group))
    menuGroups[static_cast<size_t>(group - 1)].Items.push_back(item);
}

void AddButtonToGroup(int group, TToolbarButton* button) {
  if (ValidGroup(group))
    buttonGroups[static_cast<size_t>(group - 1)].Buttons.push_back(button);
}

void ClearMenuGroups() {
  for (TMenuVisiSet& group : menuGroups)
    group.Items.clear();
}

void ClearButtonGroups() {
  for (TButtonVisiSet& group : buttonGroups)
    group.Buttons.clear();
}

const TMenuVisiSet& MenuGroup(int group) { return menuGroups.at(static_cast<size_t>(group - 1)); }

const TButtonVisiSet& ButtonGroup(int group) {
  return buttonGroups.at(static_cast<size_t>(group - 1));
}

namespace {

// Every member is compared: a master moved to another group keeps no stale state.
void SetButtonsEnabled(int group, bool value) {
  for (TToolbarButton* button : ButtonGroup(group).Buttons)
    if (button->Enabled() != value)
      button->SetEnabled(value);
}

} // namespace

void SetMenuGroupEnabled(int group, bool value) {
  for (TMenuItem* item : MenuGroup(group).Items)
    if (item->Enabled() != value)
      item->SetEnabled(value);
  SetButtonsEnabled(group, value);
}

void SetMenuGroupVisible(int group, bool value) {
  for (TMenuItem* item : MenuGroup(group).Items)
    if (item->Visible() != value)
      item->SetVisible(value);
  SetButtonsEnabled(group, value);
}

void UpdateDocumentMenuState(bool documentOpen) {
  SetMenuGroupEnabled(1, documentOpen);
  SetMenuGroupVisible(2, documentOpen);
  SetMenuGroupEnabled(3, !documentOpen);
  SetMenuGroupVisible(4, !documentOpen);
  UpdateSelectionMenuState(false, false);
}

void UpdateSelectionMenuState(bool selected, bool lineBreakSelected) {
  SetMenuGroupEnabled(5, selected);
  SetMenuGroupEnabled(6, !selected);
  SetMenuGroupEnabled(7, selected && lineBreakSelected);
  SetMenuGroupEnabled(8, selected && !lineBreakSelected);
}

void RebuildMenus(bool rebuild) {
  if (!TopForm)
    return;
  if (rebuild && SetMenuForm)
    BuildMenus(SetMenuForm->MenuTree);
  RefreshMenus();
}

void CopyMenuItems(const TMenuItem& source, TMenuItem& target) {
  target.Clear();
  for (int i = 0; i < source.Count(); ++i) {
    const TMenuItem& original = *source.Items(i);
    auto* copy = TComponent::Create<TMenuItem>(TopForm, CopyName(original.Name()));
    copy->SetCaption(original.Caption());
    copy->Hint = original.Hint;
    copy->OnClick = original.OnClick;
    copy->SetImageIndex(original.ImageIndex());
    copy->SetEnabled(original.Enabled());
    target.Add(copy);
  }
}

void CopyRemainMenuIntoGeneratedMenus(TPopupMenu& remainMenu) {
  for (const TSpecialItems& special : specialItems)
    if (special.Remain)
      CopyMenuItems(*remainMenu.Items(), *special.Remain);
}

void CopyToolbarListIntoGeneratedMenus() {
  if (!TopForm)
    return;
  for (const TSpecialItems& special : specialItems)
    if (special.ToolbarList)
      CopyMenuItems(*TopForm->PopupMenu_ToolBar->Items(), *special.ToolbarList);
}

} // namespace quolin
