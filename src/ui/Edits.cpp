#include "ui/Edits.h"

#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Sjis.h"
#include "ui/Application.h"
#include "ui/Forms.h"

#include <algorithm>

namespace quolin {

std::string TControlStrings::Get(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].text;
}

void TControlStrings::Put(int index, const std::string& text) {
  CheckIndex(index);
  Item item = items_[static_cast<size_t>(index)];
  item.text = text;
  Replace(index, item);
}

void TControlStrings::Replace(int index, const Item& item) {
  Delete(index);
  Insert(index, item.text);
  items_[static_cast<size_t>(index)] = item;
}

void TControlStrings::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Item first = items_[static_cast<size_t>(index1)];
  Item second = items_[static_cast<size_t>(index2)];
  BeginUpdate();
  Replace(index1, second);
  Replace(index2, first);
  EndUpdate();
}

void TControlStrings::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex)
    return;
  CheckIndex(currentIndex);
  CheckIndex(newIndex);
  Item item = items_[static_cast<size_t>(currentIndex)];
  BeginUpdate();
  Delete(currentIndex);
  Insert(newIndex, item.text);
  items_[static_cast<size_t>(newIndex)] = item;
  EndUpdate();
}

int TControlStrings::Data(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].data;
}

void TControlStrings::PutData(int index, int data) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].data = data;
}

TObject* TControlStrings::Objects(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].object;
}

void TControlStrings::PutObject(int index, TObject* object) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].object = object;
}

void TControlStrings::Insert(int index, const std::string& text) {
  if (index < 0 || index > Count())
    IndexError(index);
  items_.insert(items_.begin() + index, Item{text, nullptr});
  if (control_.HandleAllocated())
    SendMessageA(control_.Handle(), messages_.insert, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void TControlStrings::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  if (control_.HandleAllocated())
    SendMessageA(control_.Handle(), messages_.remove, static_cast<WPARAM>(index), 0);
}

void TControlStrings::Clear() {
  items_.clear();
  if (control_.HandleAllocated())
    SendMessageA(control_.Handle(), messages_.reset, 0, 0);
}

void TControlStrings::Reload() {
  HWND window = control_.Handle();
  SendMessageA(window, messages_.reset, 0, 0);
  for (size_t i = 0; i < items_.size(); ++i)
    SendMessageA(window, messages_.insert, i, reinterpret_cast<LPARAM>(items_[i].text.c_str()));
}

void TControlStrings::SetUpdateState(bool updating) {
  if (!control_.HandleAllocated())
    return;
  SendMessageA(control_.Handle(), WM_SETREDRAW, updating ? FALSE : TRUE, 0);
  if (!updating)
    control_.Invalidate();
}

void TControlStrings::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    IndexError(index);
}

TEdit::TEdit(TComponent* owner) : TControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

void TEdit::CreateParams(TCreateParams& params) {
  params.WinClassName = "EDIT";
  params.Native = true;
  params.Style |= ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateWnd() {
  SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE) {
    if (OnChange && EventsAllowed())
      OnChange(this);
    return;
  }
  TControl::WndProc(message);
}

void TEdit::DefaultHandler(TMessage& message) {
  // Wine's edit of an ANSI window takes each byte of a typed double-byte character as a
  // character of its own: the two bytes go in together.
  if (message.Msg == WM_CHAR && HandleAllocated() && !readOnly_) {
    char byte = static_cast<char>(message.WParam);
    if (leadByte_) {
      char pair[3] = {leadByte_, byte, '\0'};
      leadByte_ = 0;
      SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pair));
      message.Result = 0;
      return;
    }
    if (sjis::IsLeadByte(static_cast<unsigned char>(byte))) {
      leadByte_ = byte;
      message.Result = 0;
      return;
    }
  }
  TControl::DefaultHandler(message);
}

void TEdit::SetMaxLength(int length) {
  maxLength_ = std::max(length, 0);
  if (HandleAllocated())
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (HandleAllocated())
    SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
}

namespace {

// Windows' "A" edit control counts its positions in bytes of the code page; Wine's keeps
// Unicode and counts characters. A hidden edit holding one double-byte character tells, once,
// which this one does.
bool EditCountsCharacters() {
  static const bool characters = [] {
    HWND probe = CreateWindowExA(0, "EDIT", "表", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (!probe)
      return false;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(probe, EM_SETSEL, 0, -1);
    SendMessageA(probe, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    DestroyWindow(probe);
    return end == 1;
  }();
  return characters;
}

std::string WindowTextOf(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The selection of an edit window in bytes, as an edit control and a combo box's edit share it.
struct TByteSelection {
  int start;
  int end;
};

TByteSelection EditSelection(HWND edit) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (!EditCountsCharacters())
    return {static_cast<int>(start), static_cast<int>(end)};
  std::string text = WindowTextOf(edit);
  return {static_cast<int>(sjis::ByteOfCharIndex(text, start)),
          static_cast<int>(sjis::ByteOfCharIndex(text, end))};
}

// Selects the bytes from start to end (-1: the end of the text).
void SetEditSelection(HWND edit, int start, int end) {
  if (!EditCountsCharacters() || (start == 0 && end == -1)) {
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), end);
    return;
  }
  std::string text = WindowTextOf(edit);
  auto position = [&](int bytes) {
    return sjis::CharIndexOfByte(text, static_cast<size_t>(std::max(bytes, 0)));
  };
  SendMessageA(edit, EM_SETSEL, position(start), static_cast<LPARAM>(position(end)));
}

int EditSelStart(HWND edit) {
  return EditSelection(edit).start;
}

int EditSelLength(HWND edit) {
  TByteSelection selection = EditSelection(edit);
  return selection.end - selection.start;
}

std::string EditSelText(HWND edit, const std::string& text) {
  TByteSelection selection = EditSelection(edit);
  size_t start = std::min(static_cast<size_t>(selection.start), text.size());
  return text.substr(start, static_cast<size_t>(selection.end - selection.start));
}

void EditReplaceSel(HWND edit, const std::string& text) {
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void EditSelectAll(HWND edit) {
  SetEditSelection(edit, 0, -1);
}

void EditUndo(HWND edit) {
  SendMessageA(edit, WM_UNDO, 0, 0);
}

} // namespace

int TEdit::SelStart() {
  return EditSelStart(Handle());
}

void TEdit::SetSelStart(int start) {
  SetEditSelection(Handle(), start, start);
}

int TEdit::SelLength() {
  return EditSelLength(Handle());
}

void TEdit::SetSelLength(int length) {
  int start = SelStart();
  SetEditSelection(Handle(), start, start + length);
}

std::string TEdit::SelText() {
  return EditSelText(Handle(), Text());
}

void TEdit::SetSelText(const std::string& text) {
  EditReplaceSel(Handle(), text);
}

void TEdit::SelectAll() {
  EditSelectAll(Handle());
}

bool TEdit::Modified() {
  return SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

void TEdit::SetModified(bool modified) {
  SendMessageA(Handle(), EM_SETMODIFY, modified, 0);
}

void TEdit::Undo() {
  EditUndo(Handle());
}

void TEdit::CutToClipboard() {
  SendMessageA(Handle(), WM_CUT, 0, 0);
}

void TEdit::CopyToClipboard() {
  SendMessageA(Handle(), WM_COPY, 0, 0);
}

void TEdit::PasteFromClipboard() {
  SendMessageA(Handle(), WM_PASTE, 0, 0);
}

void TEdit::ClearSelection() {
  SendMessageA(Handle(), WM_CLEAR, 0, 0);
}

TComboBox::TComboBox(TComponent* owner)
    : TControl(owner), items_(*this, {CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT}) {
  clickEvents_ = false;
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_)
    return;
  style_ = style;
  RecreateWnd();
}

void TComboBox::CreateParams(TCreateParams& params) {
  params.WinClassName = "COMBOBOX";
  params.Native = true;
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  if (OwnerDrawVariable) {
    params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
    return;
  }
  switch (style_) {
  case TComboBoxStyle::csDropDown:
    params.Style |= CBS_DROPDOWN;
    break;
  case TComboBoxStyle::csSimple:
    params.Style |= CBS_SIMPLE;
    break;
  case TComboBoxStyle::csDropDownList:
    params.Style |= CBS_DROPDOWNLIST;
    break;
  }
}

int TComboBox::WindowHeight(int height) const {
  if (style_ == TComboBoxStyle::csSimple)
    return height;
  // The window's height is that of the dropped list; the box itself keeps the font's.
  return height + std::max(DropDownCount, 1) * (height > 0 ? height - 6 : 15);
}

void TComboBox::CreateWnd() {
  HWND window = Handle();
  // The selection field's WM_MEASUREITEM came inside CreateWindowEx, before the window was
  // known to be this control's.
  if (OwnerDrawVariable)
    SendMessageA(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), MeasureItem(-1));
  items_.Reload();
  if (itemIndex_ >= 0 && itemIndex_ < items_.Count())
    SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  edit_ = nullptr;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (style_ != TComboBoxStyle::csDropDownList && GetComboBoxInfo(window, &info) && info.hwndItem &&
      info.hwndItem != window) {
    edit_ = info.hwndItem;
    editProcedure_.Replace(edit_, EditProc);
  }
}

void TComboBox::DestroyWnd() {
  itemIndex_ = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
  if (edit_)
    editProcedure_.Restore(edit_);
  edit_ = nullptr;
}

HWND TComboBox::EditHandle() {
  HandleNeeded();
  return edit_;
}

bool TComboBox::Focused() const {
  HWND focus = GetFocus();
  return focus && (focus == WindowHandle() || focus == edit_);
}

int TComboBox::SelStart() {
  HWND edit = EditHandle();
  return edit ? EditSelStart(edit) : 0;
}

int TComboBox::SelLength() {
  HWND edit = EditHandle();
  return edit ? EditSelLength(edit) : 0;
}

std::string TComboBox::SelText() {
  HWND edit = EditHandle();
  return edit ? EditSelText(edit, Text()) : std::string();
}

void TComboBox::SetSelText(const std::string& text) {
  if (HWND edit = EditHandle())
    EditReplaceSel(edit, text);
}

void TComboBox::SelectAll() {
  if (HWND edit = EditHandle())
    EditSelectAll(edit);
}

void TComboBox::Undo() {
  if (HWND edit = EditHandle())
    EditUndo(edit);
}

int TComboBox::ItemIndex() {
  if (HandleAllocated())
    itemIndex_ = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TComboBox::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < items_.Count() ? index : -1;
  if (HandleAllocated())
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

std::string TComboBox::Text() const {
  if (style_ == TComboBoxStyle::csDropDownList && !WindowHandle())
    return itemIndex_ >= 0 && itemIndex_ < items_.Count() ? items_.Get(itemIndex_) : std::string();
  return TControl::Text();
}

void TComboBox::SetText(const std::string& text) {
  if (style_ == TComboBoxStyle::csDropDownList) {
    int index = -1;
    for (int i = 0; i < items_.Count() && index < 0; ++i)
      if (items_.Get(i) == text)
        index = i;
    SetItemIndex(index);
    return;
  }
  TControl::SetText(text);
}

bool TComboBox::DroppedDown() {
  return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::SetDroppedDown(bool dropped) {
  SendMessageA(Handle(), CB_SHOWDROPDOWN, dropped, 0);
}

void TComboBox::Change() {
  if (OnChange && EventsAllowed())
    OnChange(this);
}

void TComboBox::Select() {
  if (OnSelect && EventsAllowed())
    OnSelect(this);
  else
    Change();
}

void TComboBox::DrawItem(int, HDC dc, const RECT& rect, UINT state, bool) {
  FillRect(dc, &rect, GetSysColorBrush(state & ODS_SELECTED ? COLOR_HIGHLIGHT : COLOR_WINDOW));
}

int TComboBox::MeasureItem(int) {
  return static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, 0, 0));
}

void TComboBox::WndProc(TMessage& message) {
  if (message.Msg == CN_MEASUREITEM) {
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    measure.itemHeight = static_cast<UINT>(MeasureItem(static_cast<int>(measure.itemID)));
    message.Result = TRUE;
    return;
  }
  if (message.Msg == CN_DRAWITEM) {
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    DrawItem(static_cast<int>(draw.itemID), draw.hDC, draw.rcItem, draw.itemState,
             (draw.itemState & ODS_COMBOBOXEDIT) != 0);
    message.Result = TRUE;
    return;
  }
  if (message.Msg != CN_COMMAND) {
    TControl::WndProc(message);
    return;
  }
  switch (HIWORD(message.WParam)) {
  case CBN_SELCHANGE: {
    int index = ItemIndex();
    if (style_ != TComboBoxStyle::csDropDownList && !OwnerDrawVariable && index >= 0)
      SetWindowTextA(Handle(), items_.Get(index).c_str());
    Click();
    Select();
    break;
  }
  case CBN_EDITCHANGE:
    Change();
    break;
  case CBN_DROPDOWN:
    if (OnDropDown && EventsAllowed())
      OnDropDown(this);
    break;
  case CBN_CLOSEUP:
    if (OnCloseUp && EventsAllowed())
      OnCloseUp(this);
    break;
  default:
    break;
  }
}

// The edit box of the combo box: its keys and focus count as the combo box's.
LRESULT CALLBACK TComboBox::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The procedure is put back before the combo box's window goes, so its control is known.
  auto* combo = static_cast<TComboBox*>(TControl::FromHandle(GetParent(window)));
  if (!combo || combo->edit_ != window || !combo->editProcedure_.Replaced())
    return DefWindowProcA(window, message, wParam, lParam);
  bool swallow = false;
  Guard(combo, [&] {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(wParam);
      swallow = combo->DoKeyDown(key, KeyboardShiftState());
      wParam = key;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(wParam);
      combo->KeyUp(key, KeyboardShiftState());
      swallow = key == 0;
      wParam = key;
      break;
    }
    case WM_CHAR: {
      char key = static_cast<char>(wParam);
      swallow = combo->DoKeyPress(key);
      wParam = static_cast<unsigned char>(key);
      break;
    }
    case WM_SETFOCUS:
      if (TForm* form = combo->ParentForm())
        form->FocusedControlChanged(combo);
      break;
    default:
      break;
    }
  });
  if (swallow)
    return 0;
  // Put back before the last message, which still goes to the edit's own procedure.
  TReplacedProcedure procedure = combo->editProcedure_;
  if (message == WM_NCDESTROY)
    combo->editProcedure_.Restore(window);
  return procedure.CallPrevious(window, message, wParam, lParam);
}

TListBox::TListBox(TComponent* owner)
    : TControl(owner), items_(*this, {LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT}) {
  clickEvents_ = false;
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
}

void TListBox::SetOwnerDraw(bool ownerDraw) {
  if (ownerDraw == ownerDraw_)
    return;
  ownerDraw_ = ownerDraw;
  RecreateWnd();
}

void TListBox::CreateParams(TCreateParams& params) {
  params.WinClassName = "LISTBOX";
  params.Native = true;
  params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                  (ownerDraw_ ? LBS_OWNERDRAWFIXED | LBS_HASSTRINGS : 0);
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
  HWND window = Handle();
  if (ownerDraw_)
    SendMessageA(window, LB_SETITEMHEIGHT, 0, ItemHeight);
  items_.Reload();
  if (itemIndex_ >= 0 && itemIndex_ < items_.Count())
    SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  SendMessageA(window, LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_), 0);
}

void TListBox::DestroyWnd() {
  itemIndex_ = ItemIndex();
  topIndex_ = TopIndex();
}

int TListBox::ItemIndex() {
  if (HandleAllocated())
    itemIndex_ = static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TListBox::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < items_.Count() ? index : -1;
  if (HandleAllocated())
    SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

int TListBox::TopIndex() {
  if (HandleAllocated())
    topIndex_ = static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0));
  return topIndex_;
}

void TListBox::SetTopIndex(int index) {
  topIndex_ = std::max(index, 0);
  if (HandleAllocated())
    SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_), 0);
}

int TListBox::ItemAtPos(POINT point) {
  LRESULT result = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  if (HIWORD(result))
    return -1;
  int index = LOWORD(result);
  return index < items_.Count() ? index : -1;
}

void TListBox::WndProc(TMessage& message) {
  switch (message.Msg) {
  case CN_COMMAND:
    if (HIWORD(message.WParam) == LBN_SELCHANGE)
      Click();
    else if (HIWORD(message.WParam) == LBN_DBLCLK)
      DblClick();
    return;
  case CN_MEASUREITEM:
    reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->itemHeight =
        static_cast<UINT>(ItemHeight);
    message.Result = TRUE;
    return;
  case CN_DRAWITEM: {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
    if (draw->itemID != static_cast<UINT>(-1) && OnDrawItem && EventsAllowed())
      OnDrawItem(this, static_cast<int>(draw->itemID), draw->hDC, draw->rcItem, draw->itemState);
    message.Result = TRUE;
    return;
  }
  default:
    TControl::WndProc(message);
  }
}

} // namespace quolin
