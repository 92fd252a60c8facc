#include "commands/RecordViews.h"

#include "ui/ListView.h"

#include <cstdint>

namespace quolin {

void FillRecordItem(TListItem& item, const TQuolin_CmdList& record, TRecordCaption caption) {
  item.Caption = caption == TRecordCaption::rcName ? record.Name : record.ListCaption;
  item.ImageIndex = record.ImgIndex;
  item.Data = reinterpret_cast<void*>(static_cast<intptr_t>(record.Id));
}

TListItem* AddRecordItem(TListView& view, const TQuolin_CmdList& record, TRecordCaption caption) {
  TListItem* item = view.AddItem();
  FillRecordItem(*item, record, caption);
  return item;
}

int RecordIdOfItem(const TListItem& item) {
  return static_cast<int>(reinterpret_cast<intptr_t>(item.Data));
}

int IndexOfRecordItem(TListView& view, int id) {
  for (int i = 0; i < view.ItemCount(); ++i)
    if (RecordIdOfItem(*view.Items(i)) == id)
      return i;
  return -1;
}

int SelectedRecordId(TListView& view) {
  int index = view.ItemIndex();
  return index < 0 ? 0 : RecordIdOfItem(*view.Items(index));
}

void SetUpRecordView(TListView& view, TImageList* images, int columnWidth) {
  view.SetViewStyle(TViewStyle::vsReport);
  view.ShowColumnHeaders = false;
  view.SetReadOnly(true);
  view.SmallImages = images;
  view.AddColumn("", columnWidth);
}

} // namespace quolin
