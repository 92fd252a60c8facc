#include "ui/Menus.h"

#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Sjis.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"

#include <algorithm>
#include <unordered_map>

namespace quolin {

namespace {

// Command numbers stay clear of IDOK and its kin (edit controls send them to their parent),
// of a merged shell menu's numbers (below FirstMenuCommand) and below the numbers MDI frames
// give their window list.
constexpr UINT kFirstCommand = FirstMenuCommand;
constexpr UINT kLastCommand = 0xEFFF;

std::unordered_map<UINT, TMenuItem*>& Commands() {
  static std::unordered_map<UINT, TMenuItem*> commands;
  return commands;
}

UINT AllocateCommand(TMenuItem* item) {
  static UINT next = kFirstCommand;
  auto& commands = Commands();
  if (commands.size() > kLastCommand - kFirstCommand)
    throw EInvalidOperation("Too many menu items");
  while (commands.count(next))
    next = next >= kLastCommand ? kFirstCommand : next + 1;
  UINT command = next;
  next = next >= kLastCommand ? kFirstCommand : next + 1;
  commands[command] = item;
  return command;
}

struct TKeyName {
  WORD key;
  const char* name;
};

constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
    {VK_HOME, "Home"},  {VK_LEFT, "Left"},   {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},
};

constexpr struct {
  TShortCut bit;
  const char* prefix;
} kModifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

std::string KeyName(WORD key) {
  for (const TKeyName& entry : kKeyNames)
    if (entry.key == key)
      return entry.name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24)
    return Format("F%d", key - VK_F1 + 1);
  UINT character = MapVirtualKeyA(key, MAPVK_VK_TO_CHAR) & 0x7FFF;
  if (character > ' ' && character < 0x7F)
    return std::string(1, static_cast<char>(character));
  return {};
}

} // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
  TShortCut shortCut = key & 0xFF;
  if (shift & ssShift)
    shortCut |= scShift;
  if (shift & ssCtrl)
    shortCut |= scCtrl;
  if (shift & ssAlt)
    shortCut |= scAlt;
  return shortCut;
}

std::string ShortCutToText(TShortCut shortCut) {
  std::string name = KeyName(shortCut & 0xFF);
  if (name.empty())
    return {};
  std::string text;
  for (const auto& modifier : kModifiers)
    if (shortCut & modifier.bit)
      text += modifier.prefix;
  return text + name;
}

TShortCut TextToShortCut(const std::string& text) {
  TShortCut modifiers = 0;
  std::string_view rest = text;
  for (bool found = true; found;) {
    found = false;
    for (const auto& modifier : kModifiers) {
      std::string_view prefix = modifier.prefix;
      if (rest.size() > prefix.size() &&
          sjis::EqualIgnoreAsciiCase(rest.substr(0, prefix.size()), prefix)) {
        modifiers |= modifier.bit;
        rest.remove_prefix(prefix.size());
        found = true;
      }
    }
  }
  for (WORD key = 1; key < 0x100; ++key) {
    std::string name = KeyName(key);
    if (!name.empty() && sjis::EqualIgnoreAsciiCase(name, rest))
      return static_cast<TShortCut>(key | modifiers);
  }
  return 0;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
  Commands().erase(command_);
}

void TMenuItem::BeforeDestruction() {
  TComponent::BeforeDestruction();
  std::vector<TMenuItem*> children = items_;
  for (auto child = children.rbegin(); child != children.rend(); ++child)
    if ((*child)->parent_ == this)
      (*child)->Free();
  if (parent_)
    parent_->Remove(this);
  if (handle_ && ownsHandle_)
    DestroyMenu(handle_);
  handle_ = nullptr;
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == caption_)
    return;
  caption_ = caption;
  UpdateEntry();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == shortCut_)
    return;
  shortCut_ = shortCut;
  UpdateEntry();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_)
    return;
  checked_ = checked;
  UpdateEntry();
}

void TMenuItem::SetRadioItem(bool radioItem) {
  if (radioItem == radioItem_)
    return;
  radioItem_ = radioItem;
  UpdateEntry();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  UpdateEntry();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  if (!parent_) {
    visible_ = visible;
    return;
  }
  if (visible) {
    visible_ = true;
    parent_->InsertEntry(this);
  } else {
    parent_->RemoveEntry(this);
    visible_ = false;
  }
}

void TMenuItem::SetImageIndex(int index) {
  if (index == imageIndex_)
    return;
  imageIndex_ = index;
  UpdateEntry();
}

int TMenuItem::MenuIndex() const {
  return parent_ ? parent_->IndexOf(this) : -1;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item)
    return;
  if (item->parent_)
    throw EInvalidOperation("Menu inserted twice");
  index = std::clamp(index, 0, Count());
  bool hadItems = !items_.empty();
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (!handle_) {
    handle_ = CreatePopupMenu();
    // WM_INITMENUPOPUP names the opening sub-menu only by its handle.
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = reinterpret_cast<ULONG_PTR>(this);
    SetMenuInfo(handle_, &info);
  }
  InsertEntry(item);
  if (!hadItems)
    UpdateEntry(); // this entry now opens a sub-menu
}

void TMenuItem::Remove(TMenuItem* item) {
  int index = IndexOf(item);
  if (index < 0)
    throw EInvalidOperation("Sub-menu is not in menu");
  RemoveEntry(item);
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  if (items_.empty())
    UpdateEntry();
}

void TMenuItem::Clear() {
  while (!items_.empty())
    items_.back()->Free();
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  for (TMenuItem* item : items_)
    if (sjis::EqualIgnoreAsciiCase(item->caption_, caption))
      return item;
  return nullptr;
}

TMenu* TMenuItem::ParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_)
    root = root->parent_;
  return root->menu_;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick && !Destroying())
    OnClick(this);
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
  auto found = Commands().find(command);
  return found == Commands().end() ? nullptr : found->second;
}

int TMenuItem::VisiblePosition(const TMenuItem* item) const {
  int position = 0;
  for (const TMenuItem* sibling : items_) {
    if (sibling == item)
      break;
    if (sibling->visible_)
      ++position;
  }
  return position;
}

MENUITEMINFOA TMenuItem::EntryInfo(std::string& text) const {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
  if (IsLine()) {
    info.fType = MFT_SEPARATOR;
  } else {
    info.fMask |= MIIM_STRING | MIIM_BITMAP;
    info.fType = radioItem_ ? MFT_RADIOCHECK : 0;
    text = caption_;
    if (shortCut_)
      text += Format("\t%s", ShortCutToText(shortCut_));
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    TMenu* menu = ParentMenu();
    info.hbmpItem = imageIndex_ >= 0 && menu && menu->Images() ? HBMMENU_CALLBACK : nullptr;
  }
  info.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_GRAYED);
  info.wID = command_;
  info.hSubMenu = items_.empty() ? nullptr : handle_;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  return info;
}

void TMenuItem::InsertEntry(TMenuItem* item) {
  if (!handle_ || !item->visible_)
    return;
  std::string text;
  MENUITEMINFOA info = item->EntryInfo(text);
  InsertMenuItemA(handle_, static_cast<UINT>(VisiblePosition(item)), TRUE, &info);
  Changed();
}

void TMenuItem::RemoveEntry(TMenuItem* item) {
  if (!handle_ || !item->visible_)
    return;
  RemoveMenu(handle_, static_cast<UINT>(VisiblePosition(item)), MF_BYPOSITION);
  Changed();
}

void TMenuItem::UpdateEntry() {
  if (!parent_ || !visible_ || !parent_->handle_)
    return;
  std::string text;
  MENUITEMINFOA info = EntryInfo(text);
  SetMenuItemInfoA(parent_->handle_, static_cast<UINT>(parent_->VisiblePosition(this)), TRUE, &info);
  parent_->Changed();
}

void TMenuItem::Changed() {
  if (TMenu* menu = ParentMenu())
    menu->MenuChanged();
}

const TMenuItem* TMenuItem::ShortCutItem(TShortCut shortCut) const {
  for (const TMenuItem* item : items_) {
    if (item->shortCut_ == shortCut)
      return item;
    if (const TMenuItem* found = item->ShortCutItem(shortCut))
      return found;
  }
  return nullptr;
}

LRESULT TMenuItem::MeasureMenuImage(MEASUREITEMSTRUCT& measure) {
  auto* item = reinterpret_cast<TMenuItem*>(measure.itemData);
  TMenu* menu = item ? item->ParentMenu() : nullptr;
  if (!menu || !menu->Images())
    return FALSE;
  measure.itemWidth = static_cast<UINT>(menu->Images()->Width());
  measure.itemHeight = static_cast<UINT>(menu->Images()->Height());
  return TRUE;
}

LRESULT TMenuItem::DrawMenuImage(const DRAWITEMSTRUCT& draw) {
  auto* item = reinterpret_cast<TMenuItem*>(draw.itemData);
  TMenu* menu = item ? item->ParentMenu() : nullptr;
  if (!menu || !menu->Images())
    return FALSE;
  TImageList* images = menu->Images();
  int top = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - images->Height()) / 2;
  images->Draw(draw.hDC, draw.rcItem.left, top, item->imageIndex_,
               !(draw.itemState & (ODS_GRAYED | ODS_DISABLED)));
  return TRUE;
}

void TMenuItem::InitMenuPopup(HMENU menu) {
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_MENUDATA;
  if (GetMenuInfo(menu, &info) && info.dwMenuData)
    reinterpret_cast<TMenuItem*>(info.dwMenuData)->Click();
}

void TMenuItem::MenuSelect(WPARAM wParam, LPARAM lParam) {
  UINT flags = HIWORD(wParam);
  TMenuItem* item = nullptr;
  if (flags == 0xFFFF && lParam == 0) {
    item = nullptr; // the menu closed
  } else if (flags & MF_SYSMENU) {
    item = nullptr;
  } else if (flags & MF_POPUP) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (GetMenuItemInfoA(reinterpret_cast<HMENU>(lParam), LOWORD(wParam), TRUE, &info))
      item = reinterpret_cast<TMenuItem*>(info.dwItemData);
  } else {
    item = FromCommand(LOWORD(wParam));
  }
  Application->SetHint(item ? GetLongHint(item->Hint) : std::string());
}

namespace {

// The item an entry of a native menu shows: own entries carry it as data, under its number.
TMenuItem* OwnEntryItem(HMENU menu, UINT position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA | MIIM_ID;
  if (!GetMenuItemInfoA(menu, position, TRUE, &info) || !info.dwItemData)
    return nullptr;
  TMenuItem* item = TMenuItem::FromCommand(info.wID);
  return item == reinterpret_cast<TMenuItem*>(info.dwItemData) ? item : nullptr;
}

} // namespace

LRESULT TMenuItem::MenuChar(char key, HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    TMenuItem* item = OwnEntryItem(menu, static_cast<UINT>(position));
    if (item && item->Enabled() && !item->IsLine() && IsAccel(key, item->Caption()))
      return MAKELRESULT(position, MNC_EXECUTE);
  }
  return MAKELRESULT(0, MNC_IGNORE);
}

bool TMenuItem::Help(const HELPINFO& info) {
  if (info.iContextType != HELPINFO_MENUITEM)
    return false;
  TMenuItem* item = FromCommand(static_cast<UINT>(info.iCtrlId));
  while (item && item->HelpContext == 0)
    item = item->Parent();
  return item && Application->HelpContext(item->HelpContext);
}

TMenu::TMenu(TComponent* owner, bool menuBar) : TComponent(owner) {
  items_ = Create<TMenuItem>(this);
  items_->menu_ = this;
  items_->handle_ = menuBar ? CreateMenu() : CreatePopupMenu();
}

void TMenu::SetImages(TImageList* images) {
  if (images_ == images)
    return;
  if (images_)
    RemoveFreeNotification(images_);
  images_ = images;
  if (images)
    FreeNotification(images);
  // Every entry's image callback depends on the list.
  std::vector<TMenuItem*> pending(items_->items_.begin(), items_->items_.end());
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    item->UpdateEntry();
    pending.insert(pending.end(), item->items_.begin(), item->items_.end());
  }
}

bool TMenu::IsShortCut(TShortCut shortCut) {
  if (shortCut == 0)
    return false;
  auto* item = const_cast<TMenuItem*>(items_->ShortCutItem(shortCut));
  if (!item || !item->Enabled())
    return false;
  item->Click();
  return true;
}

TMenuItem* TMenu::FindItem(UINT command) const {
  TMenuItem* item = TMenuItem::FromCommand(command);
  return item && item->ParentMenu() == this ? item : nullptr;
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_)
    SetImages(nullptr);
}

void TMainMenu::MenuChanged() {
  if (window_ && IsWindow(window_))
    DrawMenuBar(window_);
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (popupComponent_ == component)
    return;
  if (popupComponent_)
    RemoveFreeNotification(popupComponent_);
  popupComponent_ = component;
  if (component)
    FreeNotification(component);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == TOperation::opRemove && component == popupComponent_)
    popupComponent_ = nullptr;
}

UINT TPopupMenu::TrackFlags() const {
  UINT flags = TPM_RETURNCMD;
  flags |= TrackButton == TTrackButton::tbLeftButton ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON;
  flags |= Alignment == TPopupAlignment::paRight    ? TPM_RIGHTALIGN
           : Alignment == TPopupAlignment::paCenter ? TPM_CENTERALIGN
                                                     : TPM_LEFTALIGN;
  return flags;
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup && !Destroying())
    OnPopup(this);
  TForm* active = Screen->ActiveForm();
  HWND owner = active && active->HandleAllocated() ? active->Handle() : Application->Handle();
  UINT command = TrackPopupMenuEx(Handle(), TrackFlags(), x, y, owner, nullptr);
  if (TMenuItem* item = FindItem(command))
    item->Click();
}

} // namespace quolin
