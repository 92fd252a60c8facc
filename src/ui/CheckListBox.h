// A list box with a check box before each item. The checks are kept with their items, through
// every change of Items() and a new window; the items' objects stay the caller's.
#pragma once

#include "ui/Edits.h"

namespace quolin {

class TCheckListBox : public TListBox {
public:
  bool Checked(int index) const;
  void SetChecked(int index, bool checked);

protected:
  explicit TCheckListBox(TComponent* owner);
  void WndProc(TMessage& message) override;
  // Space toggles the selected item.
  void KeyPress(char& key) override;

private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  // The item whose box lies under a client point, or -1.
  int BoxAt(int x, int y);
  void Toggle(int index);
};

} // namespace quolin
