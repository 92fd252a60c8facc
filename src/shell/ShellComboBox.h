// The shell combo box: an owner-drawn drop-down of the namespace path. The desktop, its
// sub-folders and those of its first one (My Computer: the drives) are permanent entries; the
// levels down to the folder shown are added as temporary entries, each indented by its level.
// A linked tree and the combo follow each other.
//
// Entries are kept in display order, a parent followed by its children depth first; the
// combo's strings mirror them one empty string per entry at the same index, and drawing uses
// the entries alone.
#pragma once

#include "shell/ShellDropThunks.h"
#include "shell/ShellListView.h"
#include "ui/Edits.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace quolin {

class TShellComboList;
class TShellTreeView;

class TShellComboItem : public TShellAbsoluteItem {
public:
  // Takes both lists.
  TShellComboItem(TShellComboList& owner, TShellComboItem* parent, LPITEMIDLIST relative,
                  LPITEMIDLIST absolute, bool temporary);

  TShellComboList& Owner;
  // The entry it hangs under; nil for the desktop.
  TShellComboItem* const Parent;
  // Made on the way to a folder, not as one of the permanent entries.
  const bool Temporary;

  int GetIndex() override;

  // Pixels the entry is moved right in the drop-down list.
  int Indentation() { return 12 * GetLevel(); }
  bool IsBelow(const TShellComboItem* ancestor) const;
};

// The entries, owned, with the combo's strings kept beside them.
class TShellComboList {
public:
  explicit TShellComboList(TStrings& strings) : strings_(strings) {}
  TShellComboList(const TShellComboList&) = delete;
  TShellComboList& operator=(const TShellComboList&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // Nil out of range.
  TShellComboItem* Items(int index) const;
  int IndexOf(const TShellComboItem* item) const;
  TShellComboItem* Insert(int index, std::unique_ptr<TShellComboItem> item);
  // The entry and everything below it.
  void DeleteBranch(int index);
  void DeleteChildren(int index);
  void DeleteTemporary();
  void Clear();
  // The index after the entry's last descendant.
  int EndOfBranch(int index) const;
  // The entry's next and previous siblings; -1 for none.
  int NextSibling(int index) const;
  int PreviousSibling(int index) const;

private:
  TStrings& strings_;
  std::vector<std::unique_ptr<TShellComboItem>> items_;
};

using TShComboDragOverEvent =
    std::function<void(TObject* sender, const TShellDragObject& drag, TShellComboItem* item,
                       TShiftState shift, int x, int y)>;
using TShComboDragDropEvent =
    std::function<void(TObject* sender, const TShellDragObject& drag, TShellComboItem* item,
                       TShiftState shift, int x, int y, bool& defaultAction)>;

class TShellComboBox : public TComboBox, protected TShellDropTargetHandler {
public:
  // Entries are never shorter than this.
  static constexpr int MinItemHeight = 18;

  TShVirtuaItems ShVirtuaItems() const { return virtuals_; }
  void SetShVirtuaItems(TShVirtuaItems virtuals) { virtuals_ = virtuals; }
  bool IncludeHidden() const { return includeHidden_; }
  void SetIncludeHidden(bool includeHidden) { includeHidden_ = includeHidden; }
  // The icon titles' font, followed when the system's changes; the window is made again when
  // its size changes, so that the entries' heights follow.
  bool DesktopFont() const { return desktopFont_; }
  void SetDesktopFont(bool desktopFont);

  TShDragEnterEvent OnShDragEnter;
  TShComboDragOverEvent OnShDragOver;
  TShComboDragDropEvent OnShDragDrop;
  TNotifyEvent OnShDragLeave;

  // Rebuilds the permanent entries: the temporary ones go, the desktop and its first
  // sub-folder are merged with their folders; the desktop is selected when nothing is.
  void Reload();
  // Merges the entry's children with its folder's current sub-folders.
  void FillItem(TShellComboItem* item);
  // Selects the entry of an absolute list, adding temporary entries on the way.
  void SetIDList(LPCITEMIDLIST list);
  // The entry of an absolute list, adding temporary entries for the levels it lacks; where the
  // search cannot go on, the deepest entry found so far (0, the desktop, at first).
  int FindItem(LPCITEMIDLIST list);
  // The selected entry's absolute list; nil without one.
  LPCITEMIDLIST GetIDList();
  // The entry whose absolute list equals list; nil for none.
  TShellComboItem* ItemOfIDList(LPCITEMIDLIST list);

  TShellComboList& List() { return list_; }
  bool Building() const { return building_; }
  bool DrawingEdit() const { return drawingEdit_; }
  TShellTreeView* ShellTreeView() const { return tree_; }
  // Set by the tree it is linked to.
  void SetTreeLink(TShellTreeView* tree);
  // The text an entry shows: in the selection field its path, unless it is the desktop or has
  // none; else its display name.
  std::string EntryText(int index, bool editPart);

protected:
  explicit TShellComboBox(TComponent* owner);
  ~TShellComboBox() override;

  virtual void DoShDragOver(TShellComboItem* item, TShiftState shift, int x, int y);

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  void DrawItem(int index, HDC dc, const RECT& rect, UINT state, bool editPart) override;
  int MeasureItem(int index) override;
  void Select() override;

  HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT DragLeave() override;
  HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
  TShellComboList list_;
  TShVirtuaItems virtuals_{TShItemIDType::itBitBucket, TShItemIDType::itNetWork};
  bool includeHidden_ = true;
  bool desktopFont_ = false;
  TShellTreeView* tree_ = nullptr;
  bool building_ = false;
  bool drawingEdit_ = false;
  // The selection kept while the window is made again.
  TOwnedIDList savedIDList_;
  bool rightDrag_ = false;
  std::unique_ptr<TShellDragObject> dragObject_;
  TComPtr<TShellDropTarget> dropTarget_;

  bool HasFirstChild(int index) const;
  TShellComboItem* InsertTemporary(int index, TShellComboItem* parent, LPCITEMIDLIST item);
  // The selected entry when its folder takes drops, with its target.
  TShellComboItem* DropEntry(TComPtr<IDropTarget>& target);
  void DrawEntry(TShellComboItem& item, HDC dc, const RECT& rect, UINT state, bool editPart);
  bool TakeIconFont();
};

} // namespace quolin
