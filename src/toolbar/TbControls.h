// The flat toolbar button.
//
// Stand-in until the toolbar library exists: a speed button with a caption, a hint, a click,
// a group that stays down, an image of a list and a drop-down menu that nothing opens yet.
#pragma once

#include "ui/Buttons.h"

#include <functional>

namespace quolin {

class TPopupMenu;

// ShowMenu false keeps the menu closed; RemoveClicks false lets the press click as well.
using TButtonDropdownEvent =
    std::function<void(TObject* sender, bool& showMenu, bool& removeClicks)>;

class TToolbarButton : public TSpeedButton {
public:
  TPopupMenu* DropdownMenu = nullptr;
  TButtonDropdownEvent OnDropdown;

protected:
  explicit TToolbarButton(TComponent* owner);
};

} // namespace quolin
