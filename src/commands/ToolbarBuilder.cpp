#include "commands/ToolbarBuilder.h"

#include "app/TopUnit.h"
#include "commands/MenuBuilder.h"
#include "common/Registry.h"
#include "common/StringHelpers.h"
#include "core/CommandLookup.h"
#include "core/GeneratedNames.h"
#include "core/IndexList.h"
#include "core/ResConst.h"
#include "core/Sjis.h"
#include "toolbar/TbControls.h"
#include "toolbar/TbToolbar.h"
#include "toolbar/ToolWindowLayout.h"
#include "ui/Menus.h"

namespace quolin {

namespace {

constexpr char FileOpenCommand[] = "$Sys_FileOpen";
constexpr char FilesOpenCommand[] = "$Sys_FilesOpen";
constexpr char ToolbarSettingsCaption[] = "ツールバーの設定(&T)";
// Shorter names are no generated buttons.
constexpr size_t ButtonNameMinLength = 13;

bool OpensFiles(const std::string& command) {
  return sjis::CompareIgnoreAsciiCase(command, FileOpenCommand) == 0 ||
         sjis::CompareIgnoreAsciiCase(command, FilesOpenCommand) == 0;
}

void SetDropdown(TToolbarButton& button, TPopupMenu* menu, TButtonDropdownEvent onDropdown) {
  button.SetDropdownMenu(menu);
  button.SetDropdownCombo(menu != nullptr);
  button.SetDropdownAlways(menu != nullptr);
  button.OnDropdown = std::move(onDropdown);
}

void RefreshButton(TToolbarButton& button) {
  int number = HexIdFromName(button.Name());
  TQuolin_CmdList master = SignedCommandOf(number);
  button.SetImageIndex(master.ImgIndex);
  button.SetHint(master.Hint);
  button.SetShowHint(!master.Hint.empty());
  AddButtonToGroup(master.VisibleType, &button);
  if (OpensFiles(master.Command)) {
    SetDropdown(button, TopForm->PopupMenu_RemainOpen, nullptr);
  } else if (number < 0) {
    SetDropdown(button, TopForm->PopupMenu_Group,
                [](TObject* sender, bool& showMenu, bool& removeClicks) {
                  TopForm->tbn_DefaultDropdown(sender, showMenu, removeClicks);
                });
  } else {
    SetDropdown(button, nullptr, nullptr);
  }
}

void AddEntry(TToolbar& toolbar, int toolbarId, int commandId, int& buttonCount) {
  TQuolin_CmdList master = SignedCommandOf(commandId);
  if (master.Command.empty() && master.ImgIndex < 0) {
    TComponent::Create<TToolbarSep>(TopForm)->SetParent(&toolbar);
    return;
  }
  auto* button =
      TComponent::Create<TToolbarButton>(TopForm, ButtonName(commandId, toolbarId, ++buttonCount));
  button->OnClick = [](TObject* sender) { TopForm->mn_DefaultClick(sender); };
  button->SetImages(TopForm->ImageList1);
  button->SetParent(&toolbar);
}

TMenuItem* NewToolbarListItem(const std::string& name, const std::string& caption) {
  auto* item = TComponent::Create<TMenuItem>(TopForm, name);
  item->SetCaption(caption);
  TopForm->PopupMenu_ToolBar->Items()->Add(item);
  return item;
}

} // namespace

std::vector<TToolbar*>& UserToolbars() {
  static std::vector<TToolbar*> toolbars;
  return toolbars;
}

void SaveToolbarLayout() {
  if (TopForm)
    SaveToolWindowLayoutToRegistry(TopForm, HKEY_CURRENT_USER,
                                   RegFullKey(res::RegSectionToolbar));
}

void LoadToolbarLayout() {
  if (TopForm)
    LoadToolWindowLayoutFromRegistry(TopForm, HKEY_CURRENT_USER,
                                     RegFullKey(res::RegSectionToolbar));
}

TToolbar* CreateUserToolbar(int index) {
  if (!TopForm || index < 0 || index >= TopForm->ToolBarList.Count())
    return nullptr;
  TQuolin_ButtonList line;
  ParseToolbarLine(TopForm->ToolBarList[index], line);
  std::string name = ToolbarName(line.Id);
  // A hand-made file may repeat an Id; names must stay unique.
  if (TopForm->FindComponent(name))
    return nullptr;
  auto* toolbar = TComponent::Create<TToolbar>(TopForm, name);
  toolbar->SetCaption(line.Name);
  toolbar->SetDragHandleStyle(TDragHandleStyle::dhSingle);
  toolbar->SetDockedTo(TopForm->TopDock);
  toolbar->BeginUpdate();
  TIndexList buttons(line.Buttons);
  int buttonCount = 0;
  for (int i = 0; i < buttons.GetCount(); ++i)
    AddEntry(*toolbar, line.Id, buttons.GetItem(i), buttonCount);
  toolbar->EndUpdate();
  return toolbar;
}

void RebuildUserToolbars() {
  if (!TopForm)
    return;
  SaveToolbarLayout();
  std::vector<TToolbar*>& toolbars = UserToolbars();
  for (TToolbar* toolbar : toolbars)
    toolbar->Free();
  toolbars.clear();
  // Docked in one go, so that those at the same place keep the list's order.
  TopForm->TopDock->Batch([&toolbars] {
    for (int i = 0; i < TopForm->ToolBarList.Count(); ++i)
      if (TToolbar* toolbar = CreateUserToolbar(i))
        toolbars.push_back(toolbar);
  });
  RefreshUserToolbarButtons();
  LoadToolbarLayout();
  FillToolbarListMenu();
  CopyToolbarListIntoGeneratedMenus();
}

void RefreshUserToolbarButtons() {
  if (!TopForm)
    return;
  ClearButtonGroups();
  for (int i = 0; i < TopForm->ComponentCount(); ++i) {
    auto* toolbar = dynamic_cast<TToolbar*>(TopForm->Components(i));
    for (int j = 0; toolbar && j < toolbar->ControlCount(); ++j) {
      auto* button = dynamic_cast<TToolbarButton*>(toolbar->Controls(j));
      if (button && button->Name().size() >= ButtonNameMinLength)
        RefreshButton(*button);
    }
  }
}

void FillToolbarListMenu() {
  if (!TopForm)
    return;
  TopForm->PopupMenu_ToolBar->Items()->Clear();
  const std::vector<TToolbar*>& toolbars = UserToolbars();
  auto onClick = [](TObject* sender) { TopForm->mnb_DefaultClick(sender); };
  for (size_t i = 0; i < toolbars.size(); ++i) {
    int index = static_cast<int>(i);
    TMenuItem* item = NewToolbarListItem(ToolbarListItemName(index),
                                         ToolbarListCaption(toolbars[i]->Caption(), index));
    item->SetChecked(toolbars[i]->Visible());
    item->OnClick = onClick;
  }
  if (!toolbars.empty())
    NewToolbarListItem("", "-");
  NewToolbarListItem("", ToolbarSettingsCaption)->OnClick = onClick;
}

} // namespace quolin
