// A shown form for toolbar buttons, mouse messages sent straight to a button, and the button
// as it paints itself.
#pragma once

#include "support/UiTest.h"
#include "toolbar/TbControls.h"
#include "ui/Timer.h"

#include <gtest/gtest.h>

#include <map>

namespace buttontest {

using namespace quolin;

class ButtonForm : public ::testing::Test {
protected:
  TOwned<TForm> form = uitest::MakeForm();

  void SetUp() override {
    form->SetPosition(TPosition::poDesigned);
    form->SetBounds(150, 150, 400, 300);
    form->Show();
    uitest::Pump();
  }

  // A button on the form counting its clicks in clicks[button].
  TToolbarButton* Add(int left = 10, TControl* parent = nullptr) {
    auto* button = TComponent::Create<TToolbarButton>(form.get());
    button->SetLeft(left);
    button->SetTop(10);
    button->SetParent(parent ? parent : form.get());
    button->OnClick = [this](TObject* sender) { ++clicks[sender]; };
    return button;
  }
  std::map<TObject*, int> clicks;

  static void Mouse(TToolbarButton* button, UINT message, int x, int y, WPARAM keys = 0) {
    SendMessageA(button->Handle(), message, keys, MAKELPARAM(x, y));
  }
  static void Press(TToolbarButton* button, int x = 5, int y = 5) {
    Mouse(button, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  }
  static void MoveHeld(TToolbarButton* button, int x, int y = 5) {
    Mouse(button, WM_MOUSEMOVE, x, y, MK_LBUTTON);
  }
  static void Release(TToolbarButton* button, int x = 5, int y = 5) {
    Mouse(button, WM_LBUTTONUP, x, y);
  }
  static void FireTimer(TTimer* timer) { timer->OnTimer(timer); }
};

// The button erased and painted into a bitmap, each pixel as its RGB value.
class Painted {
public:
  explicit Painted(TToolbarButton& button) {
    bitmap_.SetSize(button.Width(), button.Height(), clFuchsia);
    TMemoryDC dc(bitmap_.Handle());
    SendMessageA(button.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    SendMessageA(button.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
  }
  COLORREF At(int x, int y) const {
    TMemoryDC dc(bitmap_.Handle());
    return GetPixel(dc.Get(), x, y);
  }
  int Count(TColor color) const {
    const COLORREF rgb = ColorToRGB(color);
    int count = 0;
    TMemoryDC dc(bitmap_.Handle());
    for (int y = 0; y < bitmap_.Height(); ++y)
      for (int x = 0; x < bitmap_.Width(); ++x)
        count += GetPixel(dc.Get(), x, y) == rgb;
    return count;
  }

private:
  TBitmap bitmap_;
};

inline COLORREF Rgb(TColor color) {
  return ColorToRGB(color);
}

} // namespace buttontest
