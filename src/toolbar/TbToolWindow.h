// The dockable tool window that holds controls of its own.
//
// It does not lay out its children: its size is a stored client size, which the user changes
// by sizing the floating window and which it keeps docked and floating. On a left or right dock
// its row is as wide as its client, on a top or bottom dock as high.
#pragma once

#include "toolbar/TbDock.h"

namespace quolin {

class TToolWindow : public TCustomToolWindow {
public:
  // The present client size; the outer size while the window has no parent.
  int ClientAreaWidth() const;
  int ClientAreaHeight() const;
  void SetClientAreaWidth(int width) { SetClientSize(width, ClientAreaHeight()); }
  void SetClientAreaHeight(int height) { SetClientSize(ClientAreaWidth(), height); }
  // Both in one size change, keeping the window's left and top.
  void SetClientSize(int width, int height);
  // The smallest client size the user may size the floating window to.
  int MinClientWidth() const { return minClientWidth_; }
  void SetMinClientWidth(int width) { minClientWidth_ = width; }
  int MinClientHeight() const { return minClientHeight_; }
  void SetMinClientHeight(int height) { minClientHeight_ = height; }
  // A floating window has a sizing frame.
  using TCustomToolWindow::Resizable;
  using TCustomToolWindow::SetResizable;

  // "ClientWidth" and "ClientHeight"; read back only while Resizable, never below the minimums.
  void WritePositionData(TPositionWriteIntProc writeInt, TPositionWriteStringProc writeString,
                         void* extra) override;
  void ReadPositionData(TPositionReadIntProc readInt, TPositionReadStringProc readString,
                        void* extra) override;

protected:
  explicit TToolWindow(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  int GetRowExtent(bool verticalDock) override;
  SIZE GetMinimumClientSize() override;
  SIZE GetSizeForDock(TDock* dock, bool moveChildren) override;
  void SizeChanging(int width, int height) override;

private:
  int clientWidth_ = 32;
  int clientHeight_ = 32;
  int minClientWidth_ = 32;
  int minClientHeight_ = 32;
};

} // namespace quolin
