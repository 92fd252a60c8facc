// The flat combo box on the native COMBOBOX of a shown form: the kept native settings, the
// dropped list closed before a width change, the frame's rule and its pixels while another
// thread's window is active, the tooltip text and the disabled colours.
#include "support/UiTest.h"
#include "toolbar/EnhCBox.h"
#include "toolbar/TbCommon.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace quolin;

namespace {

// The styles combo box windows are created with: the native class drops the scroll bar and
// client edge bits from its window afterwards.
std::vector<std::pair<DWORD, DWORD>> createdStyles;

LRESULT CALLBACK RecordComboCreation(int code, WPARAM wParam, LPARAM lParam) {
  char name[16] = {};
  if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
      lstrcmpiA(name, "ComboBox") == 0) {
    const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    createdStyles.emplace_back(create.style, create.dwExStyle);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class EnhComboBox : public ::testing::Test {
protected:
  TOwned<TForm> form = uitest::MakeForm();
  TEnhComboBox* combo = TComponent::Create<TEnhComboBox>(form.get(), "Combo");

  void SetUp() override {
    form->SetPosition(TPosition::poDesigned);
    form->SetBounds(100, 100, 300, 200);
    for (const char* item : {"alpha", "beta", "gamma"})
      combo->Items().Add(item);
    combo->SetBounds(10, 10, 120, 21);
    combo->SetParent(form.get());
    form->Show();
    uitest::Pump();
  }

  void MouseAt(int x, int y) { SendMessageA(combo->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
  // The frame's top-left pixel after a full repaint.
  COLORREF Corner() {
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetWindowDC(combo->Handle());
    COLORREF pixel = GetPixel(dc, 0, 0);
    ReleaseDC(combo->Handle(), dc);
    return pixel;
  }
};

TEST_F(EnhComboBox, NativeSettingsSurviveANewWindowAndFlatOffGivesTheClientEdge) {
  EXPECT_TRUE(combo->Flat());
  EXPECT_FALSE(combo->Ctl3D());
  EXPECT_EQ(combo->DropDownWidth(), 120) << "the system's: the box's width";
  HHOOK hook = SetWindowsHookExA(WH_CBT, RecordComboCreation, nullptr, GetCurrentThreadId());
  combo->SetDropDownWidth(300);
  combo->SetHorizontalExtent(500);
  combo->SetExtendedInterface(true);
  combo->RecreateWnd();
  combo->SetFlat(false);
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(combo->Ctl3D());
  ASSERT_EQ(createdStyles.size(), 2u);
  EXPECT_TRUE(createdStyles[0].first & WS_HSCROLL);
  EXPECT_FALSE(createdStyles[0].second & WS_EX_CLIENTEDGE) << "flat";
  EXPECT_TRUE(createdStyles[1].second & WS_EX_CLIENTEDGE);
  // Kept through both new windows.
  EXPECT_EQ(combo->DropDownWidth(), 300);
  EXPECT_EQ(combo->HorizontalExtent(), 500);
  EXPECT_TRUE(combo->ExtendedInterface());
}

TEST_F(EnhComboBox, WidthSetWhileDroppedClosesTheListFirst) {
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  int closes = 0;
  combo->OnCloseUp = [&](TObject*) {
    ++closes;
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_FALSE(combo->ButtonPressed()) << "the pressed look is gone first";
    EXPECT_EQ(combo->DropDownWidth(), 120) << "the old width while it closes";
  };
  RECT window;
  GetWindowRect(combo->Handle(), &window);
  LPARAM button = MAKELPARAM(window.right - window.left - 8, 8);
  SendMessageA(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, button);
  EXPECT_TRUE(combo->ButtonPressed());
  SendMessageA(combo->Handle(), WM_LBUTTONUP, 0, button);
  ASSERT_TRUE(combo->DroppedDown());
  combo->SetDropDownWidth(250);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(combo->DropDownWidth(), 250);
}

TEST(EnhComboBoxBorder, RuleTable) {
  struct Row {
    TFlatBorderState state;
    bool shown;
  };
  // always, when inactive, mouse inside, focused, application active
  const Row rows[] = {
      {{false, false, false, false, true}, false}, {{false, false, true, false, true}, true},
      {{false, false, false, true, true}, true},   {{false, false, true, true, false}, false},
      {{false, true, true, false, false}, true},   {{false, true, false, false, false}, false},
      {{true, false, false, false, false}, true},
  };
  for (const Row& row : rows)
    EXPECT_EQ(FlatBorderShown(row.state), row.shown)
        << row.state.alwaysShowBorder << row.state.showBorderWhenInactive << row.state.mouseInside
        << row.state.focused << row.state.applicationActive;
}

TEST_F(EnhComboBox, HoverWhileAnotherApplicationIsActiveRaisesNoFrameUnlessAsked) {
  const COLORREF sunken = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF flat = GetSysColor(COLOR_BTNFACE);
  ASSERT_NE(sunken, flat);
  SetFocus(form->Handle());
  uitest::ForeignActiveWindow other;
  ASSERT_TRUE(uitest::PumpUntil([] { return !ApplicationIsActive(); }));
  MouseAt(20, 8);
  EXPECT_TRUE(combo->MouseInside());
  EXPECT_EQ(GetCapture(), combo->Handle()) << "captured to notice the leaving";
  EXPECT_EQ(Corner(), flat);
  combo->ShowBorderWhenInactive = true;
  EXPECT_EQ(Corner(), sunken);
  combo->ShowBorderWhenInactive = false;
  combo->SetAlwaysShowBorder(true);
  EXPECT_EQ(Corner(), sunken);
  combo->SetAlwaysShowBorder(false);

  MouseAt(-5, 8);
  EXPECT_FALSE(combo->MouseInside());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EnhComboBox, TooltipHintOnlyWhenTheTextDoesNotFit) {
  combo->Tooltip = true;
  combo->SetText("ab");
  MouseAt(20, 8);
  EXPECT_EQ(combo->Hint(), "");
  MouseAt(-5, 8);
  std::string text(40, 'W');
  combo->SetText(text);
  MouseAt(20, 8);
  EXPECT_EQ(combo->Hint(), text);
  MouseAt(-5, 8);
}

TEST_F(EnhComboBox, DisabledTakesTheParentsColourAndEnabledItsOwnBack) {
  form->SetColor(clAqua);
  combo->SetColor(clYellow);
  combo->SetEnabled(false);
  EXPECT_TRUE(combo->ParentColor());
  EXPECT_EQ(combo->Color(), clAqua);
  combo->SetEnabled(true);
  EXPECT_FALSE(combo->ParentColor());
  EXPECT_EQ(combo->Color(), clYellow);
}

} // namespace
