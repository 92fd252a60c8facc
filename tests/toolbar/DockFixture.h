// A shown form with a dock on each edge ("Top", "Bottom", "Left", "Right"), tool windows made on
// it, and what the tests read off real windows: the frame around the client area, printed
// pixels and the errors of misuse.
#pragma once

#include "core/Exceptions.h"
#include "support/UiTest.h"
#include "toolbar/TbToolWindow.h"

#include <gtest/gtest.h>

#include <string>

namespace docktest {

using namespace quolin;

class DockedForm : public ::testing::Test {
protected:
  TOwned<TForm> form = uitest::MakeForm();
  TDock* top = AddDock(dpTop, "Top");
  TDock* bottom = AddDock(dpBottom, "Bottom");
  TDock* left = AddDock(dpLeft, "Left");
  TDock* right = AddDock(dpRight, "Right");

  void SetUp() override {
    // As the program's main form does: floating windows show only while it shows.
    Application->MainFormShown();
    form->SetPosition(TPosition::poDesigned);
    form->SetBounds(120, 120, 500, 400);
    form->Show();
    uitest::Pump();
  }

  TDock* AddDock(TDockPosition position, const char* name) {
    auto* dock = TComponent::Create<TDock>(form.get(), name);
    dock->SetPosition(position);
    dock->SetParent(form.get());
    return dock;
  }

  // A shown tool window of that client size, on dock or floating over the form (nullptr).
  TToolWindow* Window(int clientWidth, int clientHeight, TDock* dock, const char* name = "") {
    auto* window = TComponent::Create<TToolWindow>(form.get(), name);
    window->SetClientSize(clientWidth, clientHeight);
    window->SetParent(dock ? static_cast<TControl*>(dock) : form.get());
    window->Show();
    return window;
  }

  // Where the client area starts inside the window.
  static POINT ClientOffset(TControl& control) {
    RECT window;
    GetWindowRect(control.Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(control.Handle(), &origin);
    return {origin.x - window.left, origin.y - window.top};
  }

  // The text of the EInvalidOperation that action raises ("" when none).
  template <typename Action> static std::string ErrorOf(Action action) {
    try {
      action();
    } catch (const EInvalidOperation& error) {
      return error.Message();
    }
    return "";
  }
};

// The window as WM_PRINT draws it, frame, client and children.
class Printed {
public:
  explicit Printed(TControl& control) {
    RECT rect;
    GetWindowRect(control.Handle(), &rect);
    bitmap_.SetSize(rect.right - rect.left, rect.bottom - rect.top, clBlack);
    TMemoryDC dc(bitmap_.Handle());
    SendMessageA(control.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc.Get()),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  }
  COLORREF At(int x, int y) const {
    TMemoryDC dc(bitmap_.Handle());
    return GetPixel(dc.Get(), x, y);
  }

private:
  TBitmap bitmap_;
};

} // namespace docktest
