// The dockable tool window that holds controls of its own.
//
// Stand-in until the toolbar library exists: placed on a form, it floats as a small owned
// pop-up window with a caption and a close button; placed on a dock, it is a plain child of
// the dock. Closing hides it and raises OnClose.
#pragma once

#include "ui/Control.h"

namespace quolin {

enum class TDragHandleStyle { dhDouble, dhNone, dhSingle };

class TToolWindow : public TCustomControl {
public:
  TDragHandleStyle DragHandleStyle = TDragHandleStyle::dhDouble;
  TNotifyEvent OnClose;
  TNotifyEvent OnDockChanged;

  // On a dock (otherwise it floats over its form).
  bool Docked() const;
  // A form floats it; a dock docks it.
  void SetParent(TControl* parent) override;

  int ClientAreaWidth();
  int ClientAreaHeight();
  void SetClientAreaWidth(int width) { SetClientSize(width, ClientAreaHeight()); }
  void SetClientAreaHeight(int height) { SetClientSize(ClientAreaWidth(), height); }

protected:
  explicit TToolWindow(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
};

} // namespace quolin
