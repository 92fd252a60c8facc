// List items made from master and group records: the caption, the image and the Id as the
// item's data, for the list windows and the editors of the user data. The editors' views show
// the main window's command images (a shared image list, which the view never frees).
#pragma once

#include "core/CommandRecords.h"

namespace quolin {

class TImageList;
class TListItem;
class TListView;

enum class TRecordCaption { rcName, rcListCaption };

void FillRecordItem(TListItem& item, const TQuolin_CmdList& record,
                    TRecordCaption caption = TRecordCaption::rcName);
TListItem* AddRecordItem(TListView& view, const TQuolin_CmdList& record,
                         TRecordCaption caption = TRecordCaption::rcName);
// The Id an item was filled with.
int RecordIdOfItem(const TListItem& item);
// The row of the item filled with that Id; -1 when none.
int IndexOfRecordItem(TListView& view, int id);
// The Id of the selected row; 0 when none is selected.
int SelectedRecordId(TListView& view);
// A view of small images and one column, showing images.
void SetUpRecordView(TListView& view, TImageList* images, int columnWidth);

} // namespace quolin
