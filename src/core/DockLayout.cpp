#include "core/DockLayout.h"

#include <algorithm>
#include <tuple>

namespace quolin {

namespace {

// The docked frame: 2 pixels on each side of a row.
constexpr int RowFrame = 4;
constexpr int MinimumRowSize = 8;
// A position this close to a row's start asks for a new row before it.
constexpr int NewRowZone = 5;

int LengthAlong(const DockEntry& entry, bool vertical) {
  return vertical ? entry.height : entry.width;
}

} // namespace

int DockLayout::GetHighestRow() const {
  int highest = -1;
  for (const DockEntry* entry : entries_)
    highest = std::max(highest, entry->row);
  return highest;
}

int DockLayout::GetRowSize(int row, int fallbackExtent) const {
  if (row < 0 || row >= static_cast<int>(rowSizes_.size()) || rowSizes_[row] == 0)
    return fallbackExtent;
  return rowSizes_[row];
}

DockRowHit DockLayout::GetRowOf(int position) const {
  const int highest = GetHighestRow();
  int start = 0;
  for (int row = 0; row <= highest; ++row) {
    int size = GetRowSize(row);
    if (size == 0)
      continue;
    int next = start + size + RowFrame;
    if (position < start + NewRowZone)
      return {row, true};
    if (position < next - NewRowZone)
      return {row, false};
    start = next;
  }
  return {highest + 1, false};
}

void DockLayout::InsertRowBefore(int row) {
  for (DockEntry* entry : entries_)
    if (entry->row >= row)
      ++entry->row;
}

void DockLayout::RemoveBlankRows() {
  int row = 0;
  while (row <= GetHighestRow()) {
    if (GetNumberOfToolbarsOnRow(row, nullptr) > 0) {
      ++row;
      continue;
    }
    for (DockEntry* entry : entries_)
      if (entry->row > row)
        --entry->row;
  }
}

int DockLayout::GetNumberOfToolbarsOnRow(int row, const DockEntry* notThis) const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [&](const DockEntry* e) {
    return e->row == row && e != notThis;
  }));
}

std::vector<DockEntry*> DockLayout::ShownOnRow(int row) const {
  std::vector<DockEntry*> list;
  for (DockEntry* entry : entries_)
    if (entry->row == row && entry->shown)
      list.push_back(entry);
  return list;
}

void DockLayout::SortByRowAndPosition() {
  std::sort(entries_.begin(), entries_.end(), [](const DockEntry* a, const DockEntry* b) {
    return std::tie(a->row, a->position, a->creation) < std::tie(b->row, b->position, b->creation);
  });
}

void DockLayout::GiveFullSizeEntriesTheirRows() {
  for (int row = 0; row <= GetHighestRow(); ++row)
    for (DockEntry* entry : std::vector<DockEntry*>(entries_)) {
      if (entry->row != row || !entry->fullSize || GetNumberOfToolbarsOnRow(row, entry) == 0)
        continue;
      for (DockEntry* other : entries_)
        if (other != entry && other->row >= row)
          ++other->row;
    }
}

void DockLayout::RebuildRowSizes() {
  rowSizes_.assign(static_cast<size_t>(GetHighestRow() + 1), 0);
  for (const DockEntry* entry : entries_)
    if (entry->shown)
      rowSizes_[entry->row] = std::max({rowSizes_[entry->row], entry->rowExtent, MinimumRowSize});
}

int DockLayout::ArrangeToolbars(const DockArrangeParams& params) {
  if (std::none_of(entries_.begin(), entries_.end(), [](const DockEntry* e) { return e->shown; })) {
    rowSizes_.clear(); // every row is empty
    return params.fixAlign ? 1 : 0;
  }
  for (DockEntry* entry : entries_)
    entry->row = params.limitToOneRow ? 0 : std::max(entry->row, 0);
  RemoveBlankRows();
  SortByRowAndPosition();
  GiveFullSizeEntriesTheirRows();
  RebuildRowSizes();
  int rowOffset = 0;
  for (int row = 0; row < static_cast<int>(rowSizes_.size()); ++row)
    rowOffset += PlaceRow(row, rowOffset, params);
  return (params.vertical ? params.linesHorizontal : params.linesVertical) + rowOffset;
}

int DockLayout::PlaceRow(int row, int rowOffset, const DockArrangeParams& params) {
  const int clientWidth = std::max(0, params.outerWidth - params.linesHorizontal);
  const int clientHeight = std::max(0, params.outerHeight - params.linesVertical);
  const bool vertical = params.vertical;
  std::vector<DockEntry*> list = ShownOnRow(row);
  // Side by side: a window overlapping the one before moves up to its end.
  for (size_t i = 0; i < list.size(); ++i) {
    DockEntry& entry = *list[i];
    if (entry.fullSize)
      entry.position = 0;
    else if (i > 0)
      entry.position =
          std::max(entry.position, list[i - 1]->position + LengthAlong(*list[i - 1], vertical));
  }
  // Into the row: back from its end, then forwards from 0, so that windows that do not fit
  // overflow past the end, never before the start.
  std::vector<int> clipped(list.size());
  int limit = vertical ? clientHeight : clientWidth;
  for (size_t i = list.size(); i-- > 0;) {
    clipped[i] = std::min(list[i]->position, limit - LengthAlong(*list[i], vertical));
    limit = clipped[i];
  }
  int end = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    clipped[i] = std::max(clipped[i], end);
    end = clipped[i] + LengthAlong(*list[i], vertical);
  }
  const int thickness = rowSizes_[row] == 0 ? 0 : rowSizes_[row] + RowFrame;
  for (size_t i = 0; i < list.size(); ++i) {
    DockEntry& entry = *list[i];
    if (params.clip)
      entry.position = clipped[i];
    if (vertical) {
      int height = entry.fullSize ? clientHeight : entry.height;
      entry.placement = {rowOffset, clipped[i], rowOffset + thickness, clipped[i] + height};
    } else {
      int width = entry.fullSize ? clientWidth : entry.width;
      entry.placement = {clipped[i], rowOffset, clipped[i] + width, rowOffset + thickness};
    }
  }
  return thickness;
}

} // namespace quolin
