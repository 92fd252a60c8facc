// The report list view (stored items, or owner data filled by OnData when a row is drawn) and,
// on it, TStringGrid: rows of cells selected a whole row at a time, asking OnSelectCell.
#pragma once

#include "core/StringList.h"
#include "ui/Control.h"

#include <memory>
#include <vector>

namespace quolin {

class TImageList;

class TListItem : public TObject {
public:
  std::string Caption;
  TStringList SubItems;
  void* Data = nullptr;
  int ImageIndex = -1;
  int Index() const { return index_; }

private:
  friend class TListView;
  int index_ = -1;
};

class TListView : public TControl {
public:
  void AddColumn(const std::string& caption, int width);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  int ColumnWidth(int index);
  void SetColumnWidth(int index, int width);

  // Window styles: set them before the window is made.
  bool OwnerData = false;
  bool RowSelect = true;
  bool GridLines = false;
  bool ShowColumnHeaders = true;
  bool HideSelection = true;
  TImageList* SmallImages = nullptr;

  int ItemCount() const { return rows_; }
  // Owner data: the number of rows OnData describes.
  void SetItemCount(int count);
  // Stored items (not owner data).
  TListItem* AddItem();
  TListItem* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  void ClearItems();
  // Redraws rows whose texts changed.
  void UpdateItems(int first, int last);

  int ItemIndex();
  void SetItemIndex(int index);

  std::function<void(TObject* sender, TListItem& item)> OnData;
  std::function<void(TObject* sender, int index, bool selected)> OnSelectItem;

protected:
  explicit TListView(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  void ColorChanged() override;
  void FontChanged() override;

  // The text of a cell (column 0 is the caption).
  virtual std::string CellText(int row, int column);
  // Asked before a row becomes the selected one; false keeps the selection where it is.
  virtual bool CanSelectRow(int row);
  // Makes the window hold count rows whose texts come from CellText.
  void SetRows(int count);

private:
  std::vector<std::pair<std::string, int>> columns_;
  std::vector<std::unique_ptr<TListItem>> items_;
  int rows_ = 0;
  int itemIndex_ = -1;
  int lastSelected_ = -1;
  int approvedRow_ = -1; // a row being selected in code, not to be asked about again
  TListItem scratch_;
  std::string textBuffer_;

  TListItem* ItemForRow(int row);
  void ApplyColors();
  bool HandleNotify(TMessage& message);
  void SelectRow(int row);
};

class TStringGrid : public TListView {
public:
  int ColCount() const { return ColumnCount(); }
  void SetColCount(int count);
  int RowCount() const { return ItemCount(); }
  void SetRowCount(int count);
  std::string Cells(int column, int row) const;
  void SetCells(int column, int row, const std::string& text);
  // The selected row; setting it asks OnSelectCell first.
  int Row();
  void SetRow(int row);
  int Col() const { return 0; }
  int DefaultColWidth = 64;

  std::function<void(TObject* sender, int column, int row, bool& canSelect)> OnSelectCell;

protected:
  explicit TStringGrid(TComponent* owner);
  std::string CellText(int row, int column) override;
  bool CanSelectRow(int row) override;

private:
  std::vector<std::vector<std::string>> cells_; // [row][column]
};

} // namespace quolin
