#include "shell/ShellPopupMenu.h"

#include "shell/ShellUtils.h"
#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Forms.h"

#include <algorithm>
#include <vector>

namespace quolin {

namespace {

constexpr char kWindowClass[] = "TQuolinShellMenuWindow";
constexpr UINT kLastShellCommand = FirstMenuCommand - 1;
constexpr UINT kHintSize = 201;

// Own entries carry their item as data.
void RemoveOwnEntries(HMENU menu, const std::vector<TMenuItem*>& own) {
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) &&
        std::count(own.begin(), own.end(), reinterpret_cast<TMenuItem*>(info.dwItemData)))
      RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
  }
}

// Own sub-menus name their item as menu data.
bool HasOwnerItem(HMENU menu) {
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_MENUDATA;
  return menu && GetMenuInfo(menu, &info) && info.dwMenuData;
}

bool IsOwnSubMenu(HMENU menu, UINT position) {
  return HasOwnerItem(GetSubMenu(menu, static_cast<int>(position)));
}

bool IsShellCommand(UINT command) {
  return command > TShellPopupMenu::FirstShellCommand && command <= kLastShellCommand;
}

HRESULT ParentsContextMenu(IShellFolder* parent, HWND owner, TShellIDList& list,
                           TComPtr<IContextMenu>& menu) {
  return parent->GetUIObjectOf(owner, static_cast<UINT>(list.Count()), list.GetItemsArray(),
                               IID_IContextMenu, nullptr, menu.OutVoid());
}

} // namespace

TShellPopupMenu::TShellPopupMenu(TComponent* owner)
    : TPopupMenu(owner), window_(CreateHiddenWindow(kWindowClass, WindowProcedure)) {
  if (window_)
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TShellPopupMenu::~TShellPopupMenu() {
  if (window_)
    DestroyWindow(window_);
}

void LinkShellPopupMenu(TControl* control, TShellPopupMenu*& link, TShellPopupMenu* menu) {
  if (link == menu)
    return;
  if (link)
    control->RemoveFreeNotification(link);
  link = menu;
  if (menu) {
    control->FreeNotification(menu);
    menu->SetOwnerControl(control);
  }
}

unsigned TShellPopupMenu::InsertPos() const {
  unsigned visible = 0;
  for (int i = 0; i < Items()->Count(); ++i)
    visible += Items()->Items(i)->Visible();
  return std::min(insertPos_, visible);
}

void TShellPopupMenu::SetOwnerControl(TControl* control) {
  if (ownerControl_ == control)
    return;
  if (ownerControl_)
    RemoveFreeNotification(ownerControl_);
  ownerControl_ = control;
  if (control)
    FreeNotification(control);
}

void TShellPopupMenu::Notification(TComponent* component, TOperation operation) {
  TPopupMenu::Notification(component, operation);
  if (operation == TOperation::opRemove && component == ownerControl_)
    ownerControl_ = nullptr;
}

HWND TShellPopupMenu::OwnerWindow() {
  if (ownerControl_ && ownerControl_->HandleAllocated())
    return ownerControl_->Handle();
  TForm* main = Application->MainForm();
  return main && main->HandleAllocated() ? main->Handle() : Application->Handle();
}

UINT TShellPopupMenu::QueryFlags() const {
  UINT flags = ContextType == TShellContextType::shctExplore  ? CMF_EXPLORE
               : ContextType == TShellContextType::shctNormal ? CMF_NORMAL
                                                              : CMF_DEFAULTONLY;
  return ReadOnly ? flags : flags | CMF_CANRENAME;
}

std::vector<TMenuItem*> TShellPopupMenu::AppendOwnItems(HMENU menu) {
  std::vector<TMenuItem*> appended;
  for (int i = 0; i < Items()->Count(); ++i) {
    TMenuItem* item = Items()->Items(i);
    if (!item->Visible())
      continue;
    std::string text;
    MENUITEMINFOA info = item->EntryInfo(text);
    InsertMenuItemA(menu, static_cast<UINT>(appended.size()), TRUE, &info);
    appended.push_back(item);
  }
  return appended;
}

int TShellPopupMenu::Popup(TShellIDList& list, POINT point) {
  TComPtr<IShellFolder> parent;
  if (list.Count() == 0 || !list.GetParentFolder(parent))
    return shcNone;
  const HWND owner = OwnerWindow();
  bool allowPopup = true;
  if (OnShBeforPopup)
    OnShBeforPopup(this, list, point, allowPopup);
  if (!allowPopup)
    return shcNone;
  const TShellContextMenuSource& source =
      ContextMenuSource ? ContextMenuSource : TShellContextMenuSource(ParentsContextMenu);
  if (FAILED(source(parent.Get(), owner, list, contextMenu_)) || !contextMenu_)
    return shcNone;
  contextMenu_->QueryInterface(IID_IContextMenu2, contextMenu2_.OutVoid());
  contextMenu_->QueryInterface(IID_IContextMenu3, contextMenu3_.OutVoid());
  const int code = Track(list, point, owner);
  contextMenu3_.Reset();
  contextMenu2_.Reset();
  contextMenu_.Reset();
  return code;
}

// The own entries leave the merged menu before it goes: their sub-menus are theirs.
int TShellPopupMenu::Track(TShellIDList& list, POINT point, HWND owner) {
  HMENU menu = CreatePopupMenu();
  if (!menu)
    return shcNone;
  const std::vector<TMenuItem*> own = AppendOwnItems(menu);
  const UINT position = InsertPos();
  if (SUCCEEDED(contextMenu_->QueryContextMenu(menu, position, FirstShellCommand + 1,
                                               kLastShellCommand, QueryFlags())))
    SetMenuDefaultItem(menu, position, TRUE);
  const UINT command = TrackPopupMenuEx(menu, TrackFlags(), point.x, point.y, window_, nullptr);
  RemoveOwnEntries(menu, own);
  DestroyMenu(menu);
  if (command == 0)
    return shcNone;
  if (TMenuItem* item = FindItem(command)) {
    item->Click();
    if (OnShAfterPopup)
      OnShAfterPopup(this, item, list);
    return shcNone;
  }
  if (!IsShellCommand(command))
    return shcNone;
  return RunShellCommand(Richest(), owner, command - FirstShellCommand - 1);
}

IContextMenu* TShellPopupMenu::Richest() const {
  if (contextMenu3_)
    return contextMenu3_.Get();
  if (contextMenu2_)
    return contextMenu2_.Get();
  return contextMenu_.Get();
}

LRESULT CALLBACK TShellPopupMenu::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
  auto* menu = reinterpret_cast<TShellPopupMenu*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!menu)
    return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  if (!Guard(menu, [&] { result = menu->MenuMessage(message, wParam, lParam); }))
    return 0;
  return result;
}

bool TShellPopupMenu::IsOwnEntry(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (message == WM_INITMENUPOPUP)
    return HasOwnerItem(reinterpret_cast<HMENU>(wParam));
  if (message == WM_MEASUREITEM) {
    const auto& measure = *reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
    return measure.CtlType == ODT_MENU && FindItem(measure.itemID);
  }
  const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  return draw.CtlType == ODT_MENU && FindItem(draw.itemID);
}

LRESULT TShellPopupMenu::MenuMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITMENUPOPUP:
  case WM_DRAWITEM:
  case WM_MEASUREITEM:
    if (IsOwnEntry(message, wParam, lParam)) {
      if (message == WM_INITMENUPOPUP)
        TMenuItem::InitMenuPopup(reinterpret_cast<HMENU>(wParam));
      else if (message == WM_MEASUREITEM)
        return TMenuItem::MeasureMenuImage(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      else
        return TMenuItem::DrawMenuImage(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return 0;
    }
    if (!contextMenu_)
      return DefWindowProcA(window_, message, wParam, lParam);
    if (contextMenu3_) {
      LRESULT ignored = 0;
      contextMenu3_->HandleMenuMsg2(message, wParam, lParam, &ignored);
    } else if (contextMenu2_) {
      contextMenu2_->HandleMenuMsg(message, wParam, lParam);
    }
    return message == WM_INITMENUPOPUP ? 0 : 1;
  case WM_MENUSELECT:
    if (contextMenu_ && HIWORD(wParam) != 0xFFFF && !(HIWORD(wParam) & MF_POPUP) &&
        IsShellCommand(LOWORD(wParam))) {
      ShowShellHint(LOWORD(wParam));
    } else if (HIWORD(wParam) != 0xFFFF && (HIWORD(wParam) & MF_POPUP) &&
               !IsOwnSubMenu(reinterpret_cast<HMENU>(lParam), LOWORD(wParam))) {
      Application->SetHint(""); // the shell's sub-menus carry data of their own
    } else {
      TMenuItem::MenuSelect(wParam, lParam);
    }
    return 0;
  case WM_MENUCHAR:
    if (const LRESULT chosen =
            TMenuItem::MenuChar(static_cast<char>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
        HIWORD(chosen) != MNC_IGNORE)
      return chosen;
    return DefWindowProcA(window_, message, wParam, lParam);
  case WM_HELP:
    if (TMenuItem::Help(*reinterpret_cast<const HELPINFO*>(lParam)))
      return TRUE;
    return DefWindowProcA(window_, message, wParam, lParam);
  default:
    return DefWindowProcA(window_, message, wParam, lParam);
  }
}

// The help text buffer is zero-filled and ends in 0 after the call: a handler may fill it
// without a terminator.
void TShellPopupMenu::ShowShellHint(UINT command) {
  std::vector<char> hint(kHintSize, '\0');
  if (FAILED(Richest()->GetCommandString(command - FirstShellCommand - 1, GCS_HELPTEXTA, nullptr,
                                       hint.data(), kHintSize)))
    hint.front() = '\0';
  hint.back() = '\0';
  Application->SetHint(hint.data());
}

} // namespace quolin
