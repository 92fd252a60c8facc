#include "ui/CheckListBox.h"

#include <windowsx.h>

namespace quolin {

TCheckListBox::TCheckListBox(TComponent* owner) : TListBox(owner) {
  SetOwnerDraw(true);
}

bool TCheckListBox::Checked(int index) const {
  return ItemList().Data(index) != 0;
}

void TCheckListBox::SetChecked(int index, bool checked) {
  ItemList().PutData(index, checked ? 1 : 0);
  if (!HandleAllocated())
    return;
  RECT rect;
  if (SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&rect)) != LB_ERR)
    InvalidateRect(Handle(), &rect, TRUE);
}

void TCheckListBox::Toggle(int index) {
  SetChecked(index, !Checked(index));
}

int TCheckListBox::BoxAt(int x, int y) {
  int index = ItemAtPos(POINT{x, y});
  if (index < 0)
    return -1;
  RECT rect;
  SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&rect));
  int boxRight = rect.left + (rect.bottom - rect.top);
  return x >= rect.left && x < boxRight ? index : -1;
}

void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT row = item.rcItem;
  int index = static_cast<int>(item.itemID);
  FillRect(dc, &row, Brush());
  RECT box{row.left, row.top, row.left + (row.bottom - row.top), row.bottom};
  UINT boxState = DFCS_BUTTONCHECK | (Checked(index) ? DFCS_CHECKED : 0) |
                  (Enabled() ? 0 : DFCS_INACTIVE);
  DrawFrameControl(dc, &box, DFC_BUTTON, boxState);

  RECT textRect{box.right, row.top, row.right, row.bottom};
  bool selected = item.itemState & ODS_SELECTED;
  if (selected)
    FillRect(dc, &textRect, GetSysColorBrush(COLOR_HIGHLIGHT));
  COLORREF color = !Enabled() ? GetSysColor(COLOR_GRAYTEXT)
                   : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                              : ColorToRGB(Font().Color());
  SetTextColor(dc, color);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  std::string text = Items()[index];
  RECT inner = textRect;
  inner.left += 2;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inner,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  if (item.itemState & ODS_FOCUS)
    DrawFocusRect(dc, &textRect);
}

void TCheckListBox::WndProc(TMessage& message) {
  switch (message.Msg) {
  case CN_DRAWITEM: {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
    if (item->itemID != static_cast<UINT>(-1))
      DrawItem(*item);
    message.Result = TRUE;
    return;
  }
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    // The press selects the item as the list does; on the box it toggles it too.
    int index = BoxAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    TListBox::WndProc(message);
    if (index >= 0 && Enabled() && index < Items().Count())
      Toggle(index);
    return;
  }
  default:
    TListBox::WndProc(message);
  }
}

void TCheckListBox::KeyPress(char& key) {
  TListBox::KeyPress(key);
  if (key != ' ')
    return;
  int index = ItemIndex();
  if (index >= 0)
    Toggle(index);
  key = 0; // no search for an item beginning with a blank
}

} // namespace quolin
