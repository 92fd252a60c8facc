// List items made from master and group records: the caption, the image and the Id as the
// item's data, for the list windows and the editors of the user data.
#pragma once

#include "core/CommandRecords.h"

namespace quolin {

class TListItem;
class TListView;

enum class TRecordCaption { rcName, rcListCaption };

void FillRecordItem(TListItem& item, const TQuolin_CmdList& record, TRecordCaption caption);
TListItem* AddRecordItem(TListView& view, const TQuolin_CmdList& record, TRecordCaption caption);
// The Id an item was filled with.
int RecordIdOfItem(const TListItem& item);

} // namespace quolin
