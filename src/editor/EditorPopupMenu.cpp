#include "editor/EditorPopupMenu.h"

#include "editor/EditorControl.h"
#include "ui/Clipboard.h"

namespace quolin {

TEditorPopupMenu::TEditorPopupMenu(TComponent* owner, TEditor* editor)
    : TPopupMenu(owner), editor_(editor) {
  if (editor_)
    FreeNotification(editor_);
}

void TEditorPopupMenu::AfterConstruction() {
  TPopupMenu::AfterConstruction();
  CreateItems();
  OnPopup = [this](TObject*) { UpdateItems(); };
}

void TEditorPopupMenu::Notification(TComponent* component, TOperation operation) {
  TPopupMenu::Notification(component, operation);
  if (operation == TOperation::opRemove && component == editor_)
    editor_ = nullptr;
}

void TEditorPopupMenu::CreateItems() {
  const auto& table = EditorMenuItems();
  for (size_t index = 0; index < table.size(); ++index) {
    const EditorMenuItem& entry = table[index];
    TMenuItem* item = Create<TMenuItem>(this);
    item->SetCaption(entry.caption);
    if (entry.shortcutKey)
      item->SetShortCut(ShortCut(static_cast<WORD>(entry.shortcutKey), ssCtrl));
    item->SetEnabled(false);
    EditorMenuAction action = entry.action;
    if (action != EditorMenuAction::None)
      item->OnClick = [this, action](TObject*) { ItemClick(action); };
    Items()->Add(item);
    items_[index] = item;
  }
}

EditorMenuState TEditorPopupMenu::ViewState() const {
  EditorMenuState state;
  state.canUndo = editor_->CanUndo();
  state.canRedo = editor_->CanRedo();
  state.readOnly = editor_->ReadOnly();
  state.selected = editor_->Selected();
  state.clipboardHasText = IsClipboardFormatAvailable(CF_TEXT) != 0;
  state.textEmpty = editor_->RowCount() == 0;
  state.boxMode = editor_->SelectionMode() == 1;
  return state;
}

void TEditorPopupMenu::UpdateItems() {
  if (!editor_)
    return;
  EditorMenuState state = ViewState();
  const auto& table = EditorMenuItems();
  for (size_t index = 0; index < table.size(); ++index) {
    if (table[index].action == EditorMenuAction::None)
      continue;
    items_[index]->SetEnabled(EditorMenuItemEnabled(table[index].action, state));
    items_[index]->SetChecked(EditorMenuItemChecked(table[index].action, state));
  }
}

bool TEditorPopupMenu::IsShortCut(TShortCut shortCut) {
  // Shortcut keys wait with the other keys while the mouse works on the view.
  if (editor_ && editor_->PointerBusy())
    return false;
  UpdateItems();
  return TPopupMenu::IsShortCut(shortCut);
}

TMenuItem* TEditorPopupMenu::ItemFor(EditorMenuAction action) const {
  const auto& table = EditorMenuItems();
  for (size_t index = 0; index < table.size(); ++index) {
    if (table[index].action == action)
      return items_[index];
  }
  return nullptr;
}

void TEditorPopupMenu::ItemClick(EditorMenuAction action) {
  if (!editor_)
    return;
  switch (action) {
  case EditorMenuAction::None:
    return;
  case EditorMenuAction::Undo:
    return UndoClick();
  case EditorMenuAction::Redo:
    return RedoClick();
  case EditorMenuAction::Cut:
    return CutClick();
  case EditorMenuAction::Copy:
    return CopyClick();
  case EditorMenuAction::Paste:
    return PasteClick();
  case EditorMenuAction::BoxPaste:
    return BoxPasteClick();
  case EditorMenuAction::Delete:
    return DeleteClick();
  case EditorMenuAction::SelectAll:
    return SelectAllClick();
  case EditorMenuAction::BoxMode:
    return BoxModeClick();
  }
}

void TEditorPopupMenu::UndoClick() {
  editor_->Undo();
}

void TEditorPopupMenu::RedoClick() {
  editor_->Redo();
}

void TEditorPopupMenu::CutClick() {
  editor_->CutToClipboard();
}

void TEditorPopupMenu::CopyClick() {
  editor_->CopyToClipboard();
}

void TEditorPopupMenu::PasteClick() {
  editor_->PasteFromClipboard();
}

void TEditorPopupMenu::BoxPasteClick() {
  std::string text = GetClipboardText();
  editor_->SetBoxSelTextBuf(text.c_str());
}

void TEditorPopupMenu::DeleteClick() {
  editor_->ClearSelection();
}

void TEditorPopupMenu::SelectAllClick() {
  editor_->SelectAll();
}

void TEditorPopupMenu::BoxModeClick() {
  TMenuItem* item = ItemFor(EditorMenuAction::BoxMode);
  item->SetChecked(!item->Checked());
  editor_->SetSelectionMode(item->Checked() ? 1 : 0);
}

} // namespace quolin
