// Toolbars for the windowed tests: a toolbar that counts the layouts that move its controls,
// and the buttons and separators put on it.
#pragma once

#include "toolbar/TbControls.h"
#include "toolbar/TbToolbar.h"

namespace docktest {

using namespace quolin;

class CountingToolbar : public TToolbar {
public:
  int layouts = 0;

protected:
  using TToolbar::TToolbar;
  SIZE GetSizeForDock(TDock* dock, bool moveChildren) override {
    if (moveChildren)
      ++layouts;
    return TToolbar::GetSizeForDock(dock, moveChildren);
  }
};

// A toolbar of owner on dock, floating over owner for nullptr.
inline CountingToolbar* MakeToolbar(TForm* owner, TDock* dock, const char* name = "") {
  auto* toolbar = TComponent::Create<CountingToolbar>(owner, name);
  toolbar->SetParent(dock ? static_cast<TControl*>(dock) : owner);
  return toolbar;
}

inline TToolbarButton* AddButton(TCustomToolbar* toolbar, int width = 23, int height = 22) {
  auto* button = TComponent::Create<TToolbarButton>(toolbar->Owner());
  button->SetBounds(0, 0, width, height);
  button->SetParent(toolbar);
  return button;
}

inline TToolbarSep* AddSeparator(TCustomToolbar* toolbar) {
  auto* separator = TComponent::Create<TToolbarSep>(toolbar->Owner());
  separator->SetParent(toolbar);
  return separator;
}

} // namespace docktest
