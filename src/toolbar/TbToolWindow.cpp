#include "toolbar/TbToolWindow.h"

namespace quolin {

TToolWindow::TToolWindow(TComponent* owner) : TCustomToolWindow(owner) {
  SetVisible(false);
  SetBounds(Left(), Top(), 32, 32);
}

void TToolWindow::CreateParams(TCreateParams& params) {
  TCustomToolWindow::CreateParams(params);
  params.WinClassName = "TToolWindow";
}

int TToolWindow::ClientAreaWidth() const {
  return Width() - FrameInsets().Horizontal();
}

int TToolWindow::ClientAreaHeight() const {
  return Height() - FrameInsets().Vertical();
}

void TToolWindow::SetClientSize(int width, int height) {
  DockInsets insets = FrameInsets();
  SetBounds(Left(), Top(), width + insets.Horizontal(), height + insets.Vertical());
}

int TToolWindow::GetRowExtent(bool verticalDock) {
  return verticalDock ? clientWidth_ : clientHeight_;
}

SIZE TToolWindow::GetMinimumClientSize() {
  return {minClientWidth_, minClientHeight_};
}

SIZE TToolWindow::GetSizeForDock(TDock*, bool) {
  return {clientWidth_, clientHeight_};
}

// The frame is the present one, none without a parent.
void TToolWindow::SizeChanging(int width, int height) {
  DockInsets insets = FrameInsets();
  clientWidth_ = width - insets.Horizontal();
  clientHeight_ = height - insets.Vertical();
}

} // namespace quolin
