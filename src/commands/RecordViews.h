// Masters and groups as list-view items, for the editors of masters, groups, menus and
// toolbars: caption Name or ListCaption, image ImgIndex, the Id as item data. The views show
// the main window's command images (a shared image list, which the view never frees).
#pragma once

#include "core/CommandRecords.h"

namespace quolin {

class TImageList;
class TListItem;
class TListView;
class TStrings;

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
