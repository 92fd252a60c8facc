// Building the dialogs' controls in code: each made by its form, placed and captioned at once.
#pragma once

#include "ui/Control.h"
#include "ui/TabControls.h"

#include <windows.h>

#include <string>

namespace quolin {

// A control named name, owned by form, on parent at (left, top) with the size (width, height)
// that bounds holds in its right and bottom; text is its caption when not empty.
template <typename T>
T* PlaceControl(TComponent* form, const char* name, TControl* parent, RECT bounds,
                const std::string& text = "") {
  T* control = TComponent::Create<T>(form, name);
  control->SetBounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
  if (!text.empty())
    control->SetText(text);
  control->SetParent(parent);
  return control;
}

// A page of pages named name with the tab caption.
inline TTabSheet* AddSheet(TPageControl& pages, const char* name, const char* caption) {
  auto* sheet = TComponent::Create<TTabSheet>(pages.Owner(), name);
  sheet->SetCaption(caption);
  sheet->SetParent(&pages);
  return sheet;
}

} // namespace quolin
