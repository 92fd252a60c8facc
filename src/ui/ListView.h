// The list view (stored items, or owner data fetched when a row is drawn) and, on it,
// TStringGrid: rows of cells selected a whole row at a time, asking OnSelectCell.
#pragma once

#include "core/StringList.h"
#include "ui/Control.h"
#include "ui/Panels.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

namespace quolin {

class TImageList;
class TListView;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// What an owner-data fetch is asked for.
enum TItemRequest : unsigned { irText = 1, irImage = 2, irState = 4 };
// How an owner-data find compares: the row's data, a name containing the text, a name
// beginning with it.
enum class TItemFind { ifData, ifPartialString, ifExactString };
// CDIS_ flags of the item being drawn.
using TCustomDrawState = UINT;

// The drawing context a custom-draw event gets: the stage's DC with the control's font and
// colours. A handler's change marks it changed; the list then draws with its colours.
class TListCanvas {
public:
  HDC Handle() const { return dc_; }
  HFONT Font() const { return font_; }
  COLORREF TextColor() const { return textColor_; }
  COLORREF BackColor() const { return backColor_; }
  void SetFont(HFONT font);
  void SetTextColor(COLORREF color);
  void SetBackColor(COLORREF color);
  bool Changed() const { return changed_; }

private:
  friend class TListView;
  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  COLORREF textColor_ = 0;
  COLORREF backColor_ = 0;
  bool changed_ = false;
};

using TLVColumnClickEvent = std::function<void(TObject* sender, int column)>;
using TLVCustomDrawItemEvent = std::function<void(TListView* sender, int item, TCustomDrawState state,
                                                  bool& defaultDraw, bool& subItemDraw)>;
using TLVCustomDrawSubItemEvent = std::function<void(TListView* sender, int item, int subItem,
                                                     TCustomDrawState state, bool& defaultDraw)>;

class TListItem : public TObject {
public:
  std::string Caption;
  TStringList SubItems;
  void* Data = nullptr;
  int ImageIndex = -1;
  // LVIS_ bits the fetch gives (overlay image and the like), under StateMask.
  UINT State = 0;
  UINT StateMask = 0;
  int Index() const { return index_; }

private:
  friend class TListView;
  int index_ = -1;
};

class TListView : public TControl {
public:
  void AddColumn(const std::string& caption, int width,
                 TAlignment alignment = TAlignment::taLeftJustify);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  int ColumnWidth(int index);
  void SetColumnWidth(int index, int width);
  void DeleteColumn(int index);
  void ClearColumns();
  // The columns' display order (LVM_GETCOLUMNORDERARRAY), kept when the window is made again.
  std::vector<int> ColumnOrder();
  void SetColumnOrder(const std::vector<int>& order);

  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle style);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool multiSelect);
  // Without it the labels can be edited in place.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);

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

  // LVIS_ states of a row; index -1 is every row.
  UINT ItemState(int index, UINT mask);
  void SetItemState(int index, UINT state, UINT mask);
  bool Selected(int index) { return ItemState(index, LVIS_SELECTED) != 0; }
  void SetSelected(int index, bool selected);
  int SelectedCount();
  // Ascending.
  std::vector<int> SelectedIndexes();
  // -1 when none.
  int FocusedIndex();
  void SetFocusedIndex(int index);
  // The row at a client point, -1 when none; flags gets the LVHT_ bits.
  int HitTest(POINT point, UINT* flags = nullptr);
  RECT ItemRect(int index, int code);
  RECT SubItemRect(int index, int subItem, int code);
  // Drawing stops until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateDepth() const { return updateDepth_; }
  // Edits the row's label (LVM_EDITLABEL); the edit window or nil.
  HWND EditLabel(int index);
  // Shows the row (LVM_ENSUREVISIBLE).
  void MakeVisible(int index);

  // The drawing context of the custom-draw stage being handled.
  TListCanvas& Canvas() { return canvas_; }
  // Changed by a custom-draw handler during the current stage.
  bool CanvasChanged() const { return canvas_.changed_; }

  std::function<void(TObject* sender, TListItem& item)> OnData;
  std::function<void(TObject* sender, int index, bool selected)> OnSelectItem;
  TLVColumnClickEvent OnColumnClick;

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

  // Owner data: fills item (its Index set) with what request asks; by default raises OnData.
  virtual void OwnerDataFetch(TListItem& item, unsigned request);
  // The row matching text (or data) from start on; -1 when none.
  virtual int OwnerDataFind(TItemFind find, const std::string& text, void* data, int start,
                            bool wrap);
  // Rows first..last are about to be drawn; true when prepared.
  virtual bool OwnerDataHint(int first, int last);
  // The state of rows first..last changed at once.
  virtual bool OwnerDataStateChange(int first, int last, UINT oldState, UINT newState);
  // LVN_GETDISPINFO: fills what the list asks of a row.
  virtual void GetDispInfo(LVITEMA& item);
  // Label editing may start on the row; by default when not ReadOnly.
  virtual bool CanEdit(int index);
  // The edited label of the row; false keeps the old one.
  virtual bool Edit(int index, const std::string& text);
  // A header click; by default raises OnColumnClick.
  virtual void ColumnClick(int column);
  // A row was activated (double click, Enter).
  virtual void ItemActivate(const NMITEMACTIVATE& activate);
  // Any change of a row (LVN_ITEMCHANGED), row -1 for all.
  virtual void ItemChanged(const NMLISTVIEW& change);
  // The item and sub-item pre-paint stages of custom drawing; the CDRF_ answer. Canvas() is
  // the stage's context.
  virtual LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);

private:
  struct TColumn {
    std::string caption;
    int width;
    TAlignment alignment;
  };
  std::vector<TColumn> columns_;
  std::vector<int> columnOrder_;
  std::vector<std::unique_ptr<TListItem>> items_;
  TViewStyle viewStyle_ = TViewStyle::vsReport;
  bool multiSelect_ = false;
  bool readOnly_ = true;
  int rows_ = 0;
  int itemIndex_ = -1;
  int lastSelected_ = -1;
  int approvedRow_ = -1; // a row being selected in code, not to be asked about again
  int updateDepth_ = 0;
  TListItem scratch_;
  std::string textBuffer_;
  TListCanvas canvas_;

  TListItem* ItemForRow(int row, unsigned request);
  void InsertColumnWindow(int index);
  void ApplyColors();
  void ApplyStyles();
  bool HandleNotify(TMessage& message);
  LRESULT FindItem(const NMLVFINDITEMA& find, const std::string& text);
  LRESULT HandleCustomDraw(NMLVCUSTOMDRAW& draw);
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

// Clears the list and adds one item per non-empty string, the string as its caption.
void FillListViewCaptions(TListView& listView, const std::vector<std::string>& strings);

} // namespace quolin
