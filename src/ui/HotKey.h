// The native hot-key control: the user presses a key combination, the control shows and keeps
// it. Its value is a menu short-cut.
#pragma once

#include "ui/Control.h"
#include "ui/Menus.h"

namespace quolin {

class THotKey : public TControl {
public:
  TShortCut HotKey() const;
  void SetHotKey(TShortCut shortCut);

protected:
  explicit THotKey(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;

private:
  TShortCut hotKey_ = 0;
};

} // namespace quolin
