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

} // namespace quolin
