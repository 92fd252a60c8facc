// The shell tree view: the shell's namespace as a folder tree rooted at the desktop. Nodes are
// made when a node opens, kept in the shell's own order and merged, not rebuilt, when the tree
// is refreshed, so that open branches stay open. It drives a linked shell list view, drags
// nodes out and takes drops in, watches the roots of the fixed drives for folders made or
// removed, and hears of media and network volumes coming and going.
//
// MouseState: 0 idle, 1 left and 2 right button pressed on a node, 3 dragging in or out. No
// selection is taken at 1 or 2 (the left press selects on release), and folder notices wait
// while it is not 0, so it falls back to 0 whenever the button is up or a drag ends.
#pragma once

#include "shell/ShellComboBox.h"
#include "shell/ShellDbt.h"
#include "shell/ShellDropThunks.h"
#include "shell/ShellListView.h"
#include "shell/ShellNotify.h"
#include "ui/TreeView.h"

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quolin {

class TShellTreeView;

// The data of one node: its list relative to the parent folder and its absolute list.
class TShellFolderItem : public TShellAbsoluteItem {
public:
  // Takes both lists.
  TShellFolderItem(LPITEMIDLIST relative, LPITEMIDLIST absolute);

  // The node that shows the item; nil before it is attached.
  TTreeNode* Node = nullptr;

  int GetIndex() override;

  // The node shows the item: its data, expand button and overlay.
  void AttachTo(TTreeNode* node);
  // Renames the folder in the shell and refreshes its node; the caption is read again in any
  // case. False when the shell refused.
  bool Rename(const std::string& newName);

private:
  void Renamed(TShellTreeView& tree, IShellFolder* parentFolder, LPITEMIDLIST relative);
};

using TShTreeBeginDragEvent = std::function<void(TObject* sender, TTreeNode* node, const POINT& pt,
                                                 int x, int y, bool& canDrag)>;
using TShTreeDragOverEvent = std::function<void(TObject* sender, const TShellDragObject& drag,
                                                TTreeNode* node, TShiftState shift, int x, int y)>;
using TShTreeDragDropEvent =
    std::function<void(TObject* sender, const TShellDragObject& drag, TTreeNode* node,
                       TShiftState shift, int x, int y, bool& defaultAction)>;

class TShellTreeView : public TTreeView,
                       public TShellTreeLink,
                       protected TShellDropTargetHandler,
                       protected TShellDropSourceHandler,
                       private TShellDeviceClient {
public:
  // The message that sets the system images again after a settings change.
  static constexpr UINT WM_RESETIMAGES = WM_USER + 1;

  bool IncludeHidden() const { return includeHidden_; }
  void SetIncludeHidden(bool includeHidden) override;
  TShVirtuaItems ShVirtuaItems() const { return virtuals_; }
  void SetShVirtuaItems(TShVirtuaItems virtuals) override;
  bool Checkboxes() const { return checkboxes_; }
  // Turning them off makes the window again.
  void SetCheckboxes(bool checkboxes);
  TShellListView* ShellListView() const { return list_; }
  void SetShellListView(TShellListView* list);
  // The combo box that shows the selected folder's path and selects what is chosen in it.
  TShellComboBox* ShellComboBox() const { return combo_; }
  void SetShellComboBox(TShellComboBox* combo);
  // The shell's context menu on a right click; nil for none.
  TShellPopupMenu* ShellPopupMenu() const { return shellPopupMenu_; }
  void SetShellPopupMenu(TShellPopupMenu* menu);

  // False when the path cannot be parsed.
  bool SelectPath(const std::string& path);
  // The node of the list's folder becomes the selection, unless it is already.
  void SelectIDList(LPCITEMIDLIST list) override;
  // The node of an absolute list, each level on the way opened; the root when it cannot be
  // found.
  TTreeNode* FindNode(LPCITEMIDLIST list);
  // The selected folder's path; false without a valid selection or a path.
  bool GetSelectedPath(std::string& path);
  // The selected node's absolute list, else the root's; not a copy.
  LPCITEMIDLIST GetSelectedIDList();
  LPCITEMIDLIST SelectedIDList() override { return GetSelectedIDList(); }
  // Merges every open node (and every node with child nodes) with its folder.
  void RefreshTree() override;
  // Merges the node's children with its folder's current content.
  void FillNode(TTreeNode* node);
  // The parent's sub-folders, filtered by its level and in the folder's order.
  int EnumerateChildren(IShellFolder* folder, TShellFolderItem& parent,
                        std::vector<std::unique_ptr<TShellFolderItem>>& items);
  // The desktop as the only top node, its first child open and selected.
  void BuildRoot();
  void StartWatching();
  void StopWatching();
  bool IsShellNode(TTreeNode* node) const;
  // Nil for a node without a shell item.
  static TShellFolderItem* ItemOf(TTreeNode* node);

  int MouseState() const { return mouseState_; }
  bool Recreating() const { return recreating_; }
  int HoverCount() const { return hoverCount_; }
  // The roots of the fixed drives, each with "\".
  const TStringList& WatchedDrives() const { return watchedDrives_; }
  // Nil once the thread ended.
  TShDirWatcher* DirWatcher() const { return dirWatcher_; }

  TShTreeBeginDragEvent OnShBeginDrag;
  TShDragEnterEvent OnShDragEnter;
  TShTreeDragOverEvent OnShDragOver;
  TShTreeDragDropEvent OnShDragDrop;
  TNotifyEvent OnShDragLeave;

protected:
  explicit TShellTreeView(TComponent* owner);
  ~TShellTreeView() override;

  virtual void DoShDragOver(TTreeNode* node, TShiftState shift, int x, int y);

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  int GetImageIndex(TTreeNode* node) override;
  int GetSelectedIndex(TTreeNode* node) override;
  bool CanExpand(TTreeNode* node) override;
  bool CanChange(TTreeNode* node) override;
  bool CanEdit(TTreeNode* node) override;
  void Change(TTreeNode* node) override;
  void Delete(TTreeNode* node) override;
  void Edit(TTreeNode* node, const std::string& text) override;
  void DoContextPopup(POINT point, bool& handled) override;

  // OLE's side.
  HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT DragLeave() override;
  HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT GiveFeedback(DWORD effect) override;

private:
  bool includeHidden_ = true;
  TShVirtuaItems virtuals_{TShItemIDType::itBitBucket, TShItemIDType::itNetWork};
  bool checkboxes_ = false;
  TShellListView* list_ = nullptr;
  TShellComboBox* combo_ = nullptr;
  TShellPopupMenu* shellPopupMenu_ = nullptr;
  // The items of the context menu's popup.
  TShellIDList selectedIDs_;
  int mouseState_ = 0;
  POINT pressPoint_{};
  bool recreating_ = false;
  // The selection kept while the window is made again.
  TOwnedIDList savedIDList_;
  bool rightDrag_ = false;
  std::unique_ptr<TShellDragObject> dragObject_;
  int hoverCount_ = 0;
  TStringList watchedDrives_;
  TShDirWatcher* dirWatcher_ = nullptr;
  // Cleared when the tree goes: a watcher that ends later finds no tree.
  std::shared_ptr<TShellTreeView*> self_;
  bool registered_ = false;
  TComPtr<TShellDropTarget> dropTarget_;
  TComPtr<TShellDropSource> dropSource_;
  std::unordered_map<TTreeNode*, std::unique_ptr<TShellFolderItem>> items_;

  TTreeNode* AddNode(TTreeNode* parent, TTreeNode* before, std::unique_ptr<TShellFolderItem> item);
  bool ExpandDuringDrag(TShellFolderItem& item);
  void ShowSelectedInList();
  // The combo's permanent entries again, and the selected folder in it.
  void ReloadCombo();
  // Refreshes the tree; a linked combo is reloaded around it without redrawing between.
  void RefreshWithCombo();
  TTreeNode* HitNode(POINT client, UINT& flags);
  void ClearHighlight();
  void ButtonReleased();
  void LeftPressed(TMessage& message);
  void LeftReleased();
  bool RightPressed(TMessage& message);
  void FollowShellCommand(TTreeNode* node, int code);
  bool DoShBeginDrag(TTreeNode* node, int x, int y);
  void BeginDragOut(int x, int y);
  TTreeNode* DropNodeAt(POINTL screen);
  void ResetImages();
  void FolderChanged();
  void DeviceNotice(const TDeviceChangeData& notice);
  TTreeNode* NodeOfIDList(LPCITEMIDLIST list);
  void DeviceChange(const TDeviceChangeData& notice) override;
};

} // namespace quolin
