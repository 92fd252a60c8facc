// Drives live forms of the test's thread as a user does: controls found by name or by a dotted
// path into frames, notifications raised as Windows raises them, buttons clicked, and tabs or
// sheets chosen by a click inside the tab the strip reports (TCM_SETCURSEL would notify
// nobody). Later runs an action from a timer while a modal loop or a menu is busy. Keys and
// typing are PressKey, HeldKeys and TypeChar (UiTest.h).
#pragma once

#include "ui/Component.h"
#include "ui/Control.h"
#include "ui/TabControls.h"

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace uitest {

// Runs action once from a timer of owner, while a modal loop or a menu is busy.
void Later(quolin::TComponent* owner, std::function<void()> action, unsigned delay = 50);

class FormDriver {
public:
  explicit FormDriver(quolin::TComponent& root) : root_(root) {}

  // The component of that name, or of a dotted path ("Frm_TeX.Edit_ExeName"): each step is
  // searched depth first among the components owned below the previous one. Raises
  // std::invalid_argument when there is none.
  quolin::TComponent& Component(const std::string& path) const;
  quolin::TControl& Control(const std::string& path) const { return Get<quolin::TControl>(path); }
  // The component of the path as a T; raises std::invalid_argument when it is not one.
  template <typename T> T& Get(const std::string& path) const {
    auto* found = dynamic_cast<T*>(&Component(path));
    if (!found)
      throw std::invalid_argument("not of the asked class: " + path);
    return *found;
  }

  // WM_COMMAND with the control's id and code, sent to its parent window.
  static void Notify(quolin::TControl& control, WORD code);
  // BM_CLICK, as a button's click by the user.
  static void Click(quolin::TControl& button);
  // A left press and release posted at a client point of window, then handled.
  static void ClickAt(HWND window, POINT point);
  // A click in the middle of the tab (TCM_GETITEMRECT); false when the strip has no such tab.
  static bool ChooseTab(quolin::TCustomTabControl& strip, int tabIndex);
  // A click on the sheet's tab; false when the tab is hidden.
  static bool ChooseSheet(quolin::TTabSheet& sheet);

private:
  quolin::TComponent& root_;
};

} // namespace uitest
