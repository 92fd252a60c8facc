// The row arithmetic of a dock panel, window-free.
//
// A dock holds windows in rows. Each entry has a row (from 0) and a position along it: x on top
// and bottom docks, y on left and right ("vertical") docks. A row is as thick as the largest
// row extent of its shown entries (parented on the dock and visible), at least 8 pixels, plus
// the 4 pixels of the docked frame; a row without shown entries takes no room. The entry list
// is the dock list: it also holds windows that only remember the dock, which keep their row
// numbers consistent with the others but take no room.
#pragma once

#include "core/DockGeometry.h"

#include <utility>
#include <vector>

namespace quolin {

struct DockEntry {
  int row = 0;
  int position = -1;
  int width = 0;
  int height = 0;
  // The thickness the entry wants across its row.
  int rowExtent = 0;
  bool fullSize = false;
  bool shown = false;
  // Set by ArrangeToolbars for shown entries, in the dock's client coordinates.
  DockRect placement;
  // The caller's own mark, carried along.
  int id = 0;
  // Of two entries at the same row and position, the one made first goes first.
  unsigned creation = 0;
};

struct DockArrangeParams {
  bool vertical = false;
  int outerWidth = 0;
  int outerHeight = 0;
  // Bound lines on the left and right, and on the top and bottom; each takes 1 pixel.
  int linesHorizontal = 0;
  int linesVertical = 0;
  bool limitToOneRow = false;
  bool fixAlign = false;
  // Stores the positions clipped into the row; otherwise only the placements use them.
  bool clip = false;
};

struct DockRowHit {
  int row = 0;
  // A new row is to be inserted in front of row.
  bool before = false;
  bool operator==(const DockRowHit&) const = default;
};

// The entries are the caller's; the layout orders pointers to them.
class DockLayout {
public:
  DockLayout(std::vector<DockEntry*> entries, std::vector<int> rowSizes)
      : entries_(std::move(entries)), rowSizes_(std::move(rowSizes)) {}

  const std::vector<DockEntry*>& Entries() const { return entries_; }
  const std::vector<int>& RowSizes() const { return rowSizes_; }

  // The largest row of any entry; -1 without entries.
  int GetHighestRow() const;
  // The row's stored size; for a row beyond the list or of size 0, fallbackExtent.
  int GetRowSize(int row, int fallbackExtent = 0) const;
  // The row at a position across the rows (from the dock's client origin). Within 5 pixels of
  // a row's start the answer asks for a new row before it; past the last row, the highest row
  // plus one.
  DockRowHit GetRowOf(int position) const;
  // Every entry on row or below moves down one.
  void InsertRowBefore(int row);
  // Closes the gaps: rows that no entry uses are removed.
  void RemoveBlankRows();
  // The entries on row other than notThis.
  int GetNumberOfToolbarsOnRow(int row, const DockEntry* notThis) const;

  // Orders the entries by row, then position, then creation, puts them into rows and places the
  // shown ones.
  // Returns the dock's thickness: the bound lines plus the rows, or without shown entries 0
  // (1 with fixAlign).
  int ArrangeToolbars(const DockArrangeParams& params);

private:
  std::vector<DockEntry*> entries_;
  std::vector<int> rowSizes_;

  std::vector<DockEntry*> ShownOnRow(int row) const;
  void SortByRowAndPosition();
  void GiveFullSizeEntriesTheirRows();
  void RebuildRowSizes();
  // Places the shown entries of one row; returns its thickness.
  int PlaceRow(int row, int rowOffset, const DockArrangeParams& params);
};

} // namespace quolin
