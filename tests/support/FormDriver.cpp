#include "support/FormDriver.h"

#include "support/UiTest.h"
#include "ui/Timer.h"

#include <commctrl.h>

#include <stdexcept>

namespace uitest {

using namespace quolin;

namespace {

TComponent* FindBelow(TComponent& parent, const std::string& name) {
  for (int i = 0; i < parent.ComponentCount(); ++i) {
    TComponent* child = parent.Components(i);
    if (child->Name() == name)
      return child;
    if (TComponent* found = FindBelow(*child, name))
      return found;
  }
  return nullptr;
}

LPARAM ClientPoint(POINT point) {
  return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

} // namespace

void Later(TComponent* owner, std::function<void()> action, unsigned delay) {
  auto* timer = TComponent::Create<TTimer>(owner);
  timer->SetInterval(delay);
  timer->OnTimer = [timer, action](TObject*) {
    timer->SetEnabled(false);
    action();
  };
}

TComponent& FormDriver::Component(const std::string& path) const {
  TComponent* current = &root_;
  size_t start = 0;
  while (start <= path.size()) {
    size_t dot = path.find('.', start);
    std::string step = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    current = FindBelow(*current, step);
    if (!current)
      throw std::invalid_argument("no component " + path);
    if (dot == std::string::npos)
      break;
    start = dot + 1;
  }
  return *current;
}

void FormDriver::Notify(TControl& control, WORD code) {
  HWND window = control.Handle();
  SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code),
               reinterpret_cast<LPARAM>(window));
}

void FormDriver::Click(TControl& button) {
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
}

void FormDriver::ClickAt(HWND window, POINT point) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(point));
  PostMessageA(window, WM_LBUTTONUP, 0, ClientPoint(point));
  Pump();
}

bool FormDriver::ChooseTab(TCustomTabControl& strip, int tabIndex) {
  RECT rect{};
  if (tabIndex < 0 || !SendMessageA(strip.Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(tabIndex),
                                    reinterpret_cast<LPARAM>(&rect)))
    return false;
  ClickAt(strip.Handle(), POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  return true;
}

bool FormDriver::ChooseSheet(TTabSheet& sheet) {
  return sheet.PageControl() && ChooseTab(*sheet.PageControl(), sheet.TabIndex());
}

} // namespace uitest
