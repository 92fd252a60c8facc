#include "toolbar/TbToolWindow.h"

#include <algorithm>

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

void TToolWindow::WritePositionData(TPositionWriteIntProc writeInt,
                                    TPositionWriteStringProc writeString, void* extra) {
  TCustomToolWindow::WritePositionData(writeInt, writeString, extra);
  writeInt(Name(), "ClientWidth", clientWidth_, extra);
  writeInt(Name(), "ClientHeight", clientHeight_, extra);
}

// A stored size below the minimums (or below 0) would give a window the user cannot reach.
void TToolWindow::ReadPositionData(TPositionReadIntProc readInt, TPositionReadStringProc readString,
                                   void* extra) {
  TCustomToolWindow::ReadPositionData(readInt, readString, extra);
  if (!Resizable())
    return;
  const int height = readInt(Name(), "ClientHeight", clientHeight_, extra);
  const int width = readInt(Name(), "ClientWidth", clientWidth_, extra);
  SetClientSize(std::max(width, minClientWidth_), std::max(height, minClientHeight_));
}

} // namespace quolin
