// TEditorPopupMenu: the default context menu of an editor view. Its items come from the
// editor menu table; each opening enables them by the view's state, and each item's click
// handler acts on the view that made the menu.
#pragma once

#include "core/EditorMenuItems.h"
#include "ui/Menus.h"

#include <array>

namespace quolin {

class TEditor;

class TEditorPopupMenu : public TPopupMenu {
public:
  TEditor* Editor() const { return editor_; }
  // The item of a table entry (separators included), in table order.
  TMenuItem* MenuItem(int index) const { return items_.at(static_cast<size_t>(index)); }
  TMenuItem* ItemFor(EditorMenuAction action) const;

  // Enables and checks every item by the view's state now; runs each time the menu opens.
  virtual void UpdateItems();
  // The items are brought up to date first: a shortcut acts on the view's state now.
  bool IsShortCut(TShortCut shortCut) override;

protected:
  TEditorPopupMenu(TComponent* owner, TEditor* editor);

  void AfterConstruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Makes the items of the table, all disabled.
  virtual void CreateItems();

  virtual void UndoClick();
  virtual void RedoClick();
  virtual void CutClick();
  virtual void CopyClick();
  virtual void PasteClick();
  virtual void BoxPasteClick();
  virtual void DeleteClick();
  virtual void SelectAllClick();
  virtual void BoxModeClick();

private:
  TEditor* editor_;
  std::array<TMenuItem*, kEditorMenuItemCount> items_{};

  void ItemClick(EditorMenuAction action);
  EditorMenuState ViewState() const;
};

} // namespace quolin
