// The shell list view: one shell folder's items in an owner-data list view. Its model is
// TShellFileList, which it hosts; the view adds the columns, the texts, icons and attribute
// images of the rows, type-ahead, opening and renaming items, OLE drags in both directions,
// the clipboard viewer and the selected size.
//
// MouseState: 0 idle, 1 left and 2 right button pressed on an item, 3 dragging out. The
// watchers' reports wait while it is not 0, so it falls back to 0 whenever the button is up.
#pragma once

#include "shell/ShellDbt.h"
#include "shell/ShellDropThunks.h"
#include "shell/ShellFileList.h"
#include "shell/ShellPopupMenu.h"
#include "ui/ListView.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quolin {

// What the list asks of a linked folder tree.
class TShellTreeLink {
public:
  // The tree shows the folder of an absolute list.
  virtual void SelectIDList(LPCITEMIDLIST list) = 0;
  // The absolute list of the tree's selected folder; nil when none.
  virtual LPCITEMIDLIST SelectedIDList() = 0;
  // The list's settings, which the tree shares.
  virtual void SetIncludeHidden(bool includeHidden) = 0;
  virtual void SetShVirtuaItems(TShVirtuaItems virtuals) = 0;
  // Merges the tree's open folders with their content.
  virtual void RefreshTree() = 0;

protected:
  ~TShellTreeLink() = default;
};

using TShFilterEvent = std::function<void(TObject* sender, TShellFileItem* item, bool& accept)>;
using TShExecuteEvent =
    std::function<void(TObject* sender, TShellFileItem* item, TShiftState shift, int subItem,
                       int x, int y, bool& defaultAction)>;
using TShBeginDragEvent = std::function<void(TObject* sender, TShellIDList& ids, const POINT& pt,
                                             int x, int y, bool& canDrag)>;
using TShDragEnterEvent = std::function<void(TObject* sender, const TShellDragObject& drag,
                                             TShiftState shift, POINT pt, bool& accept)>;
using TShDragOverEvent = std::function<void(TObject* sender, const TShellDragObject& drag,
                                            TShellFileItem* item, TShiftState shift, int x, int y)>;
using TShDragDropEvent =
    std::function<void(TObject* sender, const TShellDragObject& drag, TShellFileItem* item,
                       TShiftState shift, int x, int y, bool& defaultAction)>;
using TShClipboardEvent = std::function<void(TObject* sender, bool contented)>;
using TShSelChangeEvent = std::function<void(TObject* sender, uint32_t selSize)>;
using TShListChangeEvent = std::function<void(TObject* sender, TShellFileList* list)>;

// What opening a file item hands ShellExecuteEx: the item's default verb on its absolute list.
SHELLEXECUTEINFOA ItemExecuteInfo(HWND window, LPCITEMIDLIST absolute);
// The shell's drags and copies: the clipboard offers "Shell IDList Array".
bool ClipboardHasShellIDs();

class TShellListView : public TListView,
                       public TShellListHost,
                       protected TShellDropTargetHandler,
                       protected TShellDropSourceHandler,
                       private TShellDeviceClient {
public:
  // The message that makes the window again after a settings change.
  static constexpr UINT WM_RECREATE = WM_USER + 1;

  TAttributesImage& AttributesImage() { return attributesImage_; }
  // Takes the images and their indexes; a freed image list is forgotten.
  void SetAttributesImage(const TAttributesImage& image);
  bool IncludeHidden() override { return includeHidden_; }
  void SetIncludeHidden(bool includeHidden);
  TShVirtuaItems ShVirtuaItems() override { return virtuals_; }
  void SetShVirtuaItems(TShVirtuaItems virtuals);
  TViewStyle ViewStyle() override { return TListView::ViewStyle(); }
  void SetViewStyle(TViewStyle style) override;
  void SetTreeLink(TShellTreeLink* tree) { tree_ = tree; }
  // The shell's context menu on a right click; nil for none.
  TShellPopupMenu* ShellPopupMenu() const { return shellPopupMenu_; }
  void SetShellPopupMenu(TShellPopupMenu* menu);

  // False when the folder does not exist.
  bool SetFolderPath(const std::string& path);
  // Nothing without a list or a window; the same folder is not shown again.
  void SetFolderIDList(LPCITEMIDLIST list);
  void UpdateItemCount();
  // Not a copy; nil while no folder is shown.
  LPCITEMIDLIST GetFolderIDList() const { return fileList_->FolderIDList.Get(); }
  // "" for folders outside the file system.
  std::string GetFolderPath() const { return fileList_->FolderPath(); }
  void RestartWatching() { fileList_->RestartWatching(); }
  void StopWatching() { fileList_->StopWatching(); }

  TShellFileList& FileList() { return *fileList_; }
  int MouseState() const { return mouseState_; }
  uint64_t SelectedSize() const { return selectedSize_; }
  int DropHighlight() const { return dropHighlight_; }
  bool Recreating() const { return recreating_; }

  TShFilterEvent OnShFilter;
  TShExecuteEvent OnShExecute;
  TShBeginDragEvent OnShBeginDrag;
  TShDragEnterEvent OnShDragEnter;
  TShDragOverEvent OnShDragOver;
  TShDragDropEvent OnShDragDrop;
  TNotifyEvent OnShDragLeave;
  TShClipboardEvent OnShClipboard;
  TShSelChangeEvent OnShSelChange;
  TShListChangeEvent OnShListChange;
  TLVCustomDrawItemEvent OnCustomDrawItem;
  TLVCustomDrawSubItemEvent OnCustomDrawSubItem;

  // The file list's view.
  HWND ListWindow() override { return HandleAllocated() ? Handle() : nullptr; }
  bool DoShFilter(TShellFileItem* item) override;
  void ShListChange(TShellFileList* list) override;
  int ItemCount() override { return TListView::ItemCount(); }
  void SetItemCount(int count) override { TListView::SetItemCount(count); }
  std::vector<int> SelectedIndexes() override { return TListView::SelectedIndexes(); }
  int FocusedIndex() override { return TListView::FocusedIndex(); }
  void SetSelected(int index, bool selected) override { TListView::SetSelected(index, selected); }
  void SetFocused(int index) override { SetFocusedIndex(index); }
  void BeginUpdate() override { TListView::BeginUpdate(); }
  void EndUpdate() override { TListView::EndUpdate(); }
  void Repaint() override { Invalidate(); }
  void ScrollToTop() override;
  bool ColumnsShown() override { return HandleAllocated() && !recreating_; }
  int ColumnCount() override { return TListView::ColumnCount(); }
  std::vector<int> ColumnOrder() override { return TListView::ColumnOrder(); }
  int ColumnWidth(int index) override { return TListView::ColumnWidth(index); }
  void ClearColumns() override { TListView::ClearColumns(); }
  void AddColumn(const std::string& caption, int width, bool rightAligned) override;
  void SetColumnOrder(const std::vector<int>& order) override {
    TListView::SetColumnOrder(order);
  }
  int ClientWidth() override { return TControl::ClientWidth(); }
  void BeginSelectionUpdate() override { ++updateCount_; }
  void EndSelectionUpdate() override;
  // Only while no button is pressed on the list.
  void WatcherChanged(TShFilesWatcher* sender, const std::string& folder) override;

protected:
  explicit TShellListView(TComponent* owner);
  ~TShellListView() override;

  virtual void DoShDragOver(TShellFileItem* item, TShiftState shift, int x, int y);
  // False skips the default drawing; subItemDraw asks for the sub-item stage.
  virtual bool DoCustomDrawItem(int index, TCustomDrawState state, bool& subItemDraw);
  virtual bool DoCustomDrawSubItem(int index, int subItem, TCustomDrawState state);
  // A folder is shown in place; a file goes to OnShExecute, then to the shell.
  virtual void ExecuteItem(int index, int subItem, int x, int y, TShiftState shift);

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void WndProc(TMessage& message) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void OwnerDataFetch(TListItem& item, unsigned request) override;
  int OwnerDataFind(TItemFind find, const std::string& text, void* data, int start,
                    bool wrap) override;
  bool OwnerDataHint(int first, int last) override;
  bool OwnerDataStateChange(int first, int last, UINT oldState, UINT newState) override;
  void GetDispInfo(LVITEMA& item) override;
  bool CanEdit(int index) override;
  bool Edit(int index, const std::string& text) override;
  void ColumnClick(int column) override;
  void ItemActivate(const NMITEMACTIVATE& activate) override;
  void ItemChanged(const NMLISTVIEW& change) override;
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) override;
  void DoContextPopup(POINT point, bool& handled) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

private:
  std::unique_ptr<TShellFileList> fileList_;
  TAttributesImage attributesImage_;
  bool includeHidden_ = true;
  TShVirtuaItems virtuals_{TShItemIDType::itBitBucket, TShItemIDType::itNetWork};
  TShellTreeLink* tree_ = nullptr;
  TShellPopupMenu* shellPopupMenu_ = nullptr;
  HWND nextViewer_ = nullptr;
  int mouseState_ = 0;
  POINT pressPoint_{};
  uint64_t selectedSize_ = 0;
  int updateCount_ = 0;
  int dropHighlight_ = -1;
  std::unique_ptr<TShellDragObject> dragObject_;
  bool rightDrag_ = false;
  bool recreating_ = false;
  bool registered_ = false;
  TComPtr<TShellDropTarget> dropTarget_;
  TComPtr<TShellDropSource> dropSource_;

  void ShowFolder(LPCITEMIDLIST list);
  void SelChange();
  void SetDropHighlight(int index);
  void ButtonReleased();
  bool ButtonDown(int state) const;
  void FollowShellCommand(int code);
  bool DoShBeginDrag(TShellIDList& ids, int x, int y);
  void BeginDragOut(int x, int y);
  TShellFileItem* DropTargetAt(POINTL screen, TComPtr<IDropTarget>& target);
  void DrawClipboard(TMessage& message);
  void ChangeClipboardChain(TMessage& message);
  void LeaveWindow();

protected:
  // OLE's side.
  HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT DragLeave() override;
  HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT GiveFeedback(DWORD effect) override;

private:
  void DeviceChange(const TDeviceChangeData&) override {}
};

} // namespace quolin
