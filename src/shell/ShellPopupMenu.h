// The shell's context menu for a set of items, merged with the menu's own items. Popup answers
// which shell command ran (codes of core/ShellVerbs.h), so that the tree and the list follow
// up. Own items keep their numbers (FirstMenuCommand and above); the shell numbers its
// commands from 1 to FirstMenuCommand - 1, so a chosen number is the menu's own exactly when
// FindItem knows it.
#pragma once

#include "common/ComPtr.h"
#include "shell/ShellDataItem.h"
#include "shell/ShellVerbs.h"
#include "ui/Menus.h"

#include <windows.h>

#include <shlobj.h>

#include <functional>
#include <vector>

namespace quolin {

class TControl;

enum class TShellContextType { shctExplore, shctNormal, shctDefaultOnly };

using TShellBeforPopupEvent = std::function<void(TObject* sender, const TShellIDList& list,
                                                 POINT point, bool& allowPopup)>;
using TShellAfterPopupEvent =
    std::function<void(TObject* sender, TMenuItem* item, const TShellIDList& list)>;
// Where the shell's menu for the items comes from: the parent folder's GetUIObjectOf unless a
// source is set.
using TShellContextMenuSource = std::function<HRESULT(
    IShellFolder* parent, HWND owner, TShellIDList& list, TComPtr<IContextMenu>& menu)>;

class TShellPopupMenu : public TPopupMenu {
public:
  // Where the shell's items go among the own visible items; read clamped to their count.
  unsigned InsertPos() const;
  void SetInsertPos(unsigned position) { insertPos_ = position; }
  bool ReadOnly = true;
  TShellContextType ContextType = TShellContextType::shctExplore;
  TShellBeforPopupEvent OnShBeforPopup;
  TShellAfterPopupEvent OnShAfterPopup;
  TShellContextMenuSource ContextMenuSource;

  // The control the next popup is for; the tree and the list set themselves.
  TControl* OwnerControl() const { return ownerControl_; }
  void SetOwnerControl(TControl* control);
  // The number before the first shell command.
  static constexpr UINT FirstShellCommand = 0;
  // The hidden window that owns the tracked menu.
  HWND MenuWindow() const { return window_; }

  using TPopupMenu::Popup;
  // Shows the shell's menu for the items at the screen point; the code of the command that
  // ran, 0 when none ran, an own item was clicked or the command failed.
  int Popup(TShellIDList& list, POINT point);

protected:
  explicit TShellPopupMenu(TComponent* owner);
  ~TShellPopupMenu() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  LRESULT MenuMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool IsOwnEntry(UINT message, WPARAM wParam, LPARAM lParam) const;
  void ShowShellHint(UINT command);
  HWND OwnerWindow();
  UINT QueryFlags() const;
  // Appends the own visible items; those appended.
  std::vector<TMenuItem*> AppendOwnItems(HMENU menu);
  IContextMenu* Richest() const;
  int Track(TShellIDList& list, POINT point, HWND owner);

  unsigned insertPos_ = 0;
  TControl* ownerControl_ = nullptr;
  HWND window_ = nullptr;
  // The shell's menu of the popup being tracked, and its richer forms.
  TComPtr<IContextMenu> contextMenu_;
  TComPtr<IContextMenu2> contextMenu2_;
  TComPtr<IContextMenu3> contextMenu3_;
};

// Sets a control's link to its menu (free notification both ways), and points the menu at the
// control.
void LinkShellPopupMenu(TControl* control, TShellPopupMenu*& link, TShellPopupMenu* menu);

} // namespace quolin
