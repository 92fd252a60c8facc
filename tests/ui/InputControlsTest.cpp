// The spin edit, the hot-key control and the check list, driven by clicks posted where the
// controls report their parts, by keys with the keyboard state held, and by typed characters.
#include "FormFixture.h"
#include "ui/CheckListBox.h"
#include "ui/Clipboard.h"
#include "ui/HotKey.h"
#include "ui/Panels.h"
#include "ui/SpinEdit.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quolin;
using uitest::FormDriver;

namespace {

class UiSpinEdit : public uitest::FormTest {
protected:
  TSpinEdit* spin = nullptr;
  TEdit* other = nullptr;
  int changes = 0;

  void SetUp() override {
    form->Show();
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == form->Handle(); }));
    spin = Add<TSpinEdit>("SpinEdit1");
    spin->SetMinValue(1);
    spin->SetMaxValue(99);
    spin->SetValue(5);
    other = Add<TEdit>("Edit1");
    other->SetTop(40);
    spin->OnChange = [this](TObject*) { ++changes; };
  }

  // A click on the upper (up) or lower (down) arrow.
  void ClickArrow(bool up) {
    RECT rect;
    GetClientRect(spin->UpDownHandle(), &rect);
    FormDriver::ClickAt(spin->UpDownHandle(),
                        POINT{rect.right / 2, up ? rect.bottom / 4 : rect.bottom * 3 / 4});
  }

  void Type(const std::string& text) {
    for (char c : text)
      uitest::TypeChar(spin->Handle(), c);
  }
};

TEST_F(UiSpinEdit, ArrowsStepByOneWithOneOnChangeWithinTheLimits) {
  ClickArrow(true);
  EXPECT_EQ(spin->Value(), 6);
  EXPECT_EQ(spin->Text(), "6");
  EXPECT_EQ(changes, 1);
  ClickArrow(false);
  EXPECT_EQ(spin->Value(), 5);
  EXPECT_EQ(changes, 2);
  spin->SetFocus();
  uitest::PressKey(spin->Handle(), VK_UP);
  EXPECT_EQ(spin->Value(), 6);
  uitest::PressKey(spin->Handle(), VK_DOWN);
  uitest::PressKey(spin->Handle(), VK_DOWN);
  EXPECT_EQ(spin->Value(), 4);
  EXPECT_EQ(changes, 5);

  spin->SetValue(99);
  changes = 0;
  ClickArrow(true);
  uitest::PressKey(spin->Handle(), VK_UP);
  EXPECT_EQ(spin->Text(), "99");
  EXPECT_EQ(changes, 0) << "nothing at MaxValue";
  spin->SetValue(1);
  changes = 0;
  ClickArrow(false);
  EXPECT_EQ(spin->Value(), 1);
  EXPECT_EQ(changes, 0) << "nothing at MinValue";
}

TEST_F(UiSpinEdit, ATypedNumberIsClampedAndWrittenBackOnLeaving) {
  spin->SetFocus();
  spin->SelectAll();
  Type("150");
  EXPECT_EQ(spin->Text(), "150");
  EXPECT_EQ(spin->Value(), 99);
  ClickArrow(false);
  EXPECT_EQ(spin->Value(), 98) << "the arrows step on from the clamped value";
  spin->SelectAll();
  Type("150");
  other->SetFocus();
  EXPECT_EQ(spin->Text(), "99");
  spin->SetFocus();
  spin->SelectAll();
  Type("0");
  EXPECT_EQ(spin->Value(), 1) << "below MinValue";
  spin->SelectAll();
  Type("a");
  EXPECT_EQ(spin->Text(), "0") << "a typed letter is dropped";
}

TEST_F(UiSpinEdit, NoNumberReadsMinValueAndTheTextIsKept) {
  spin->SetText("");
  EXPECT_EQ(spin->Value(), 1);
  EXPECT_EQ(spin->Text(), "");
  ASSERT_TRUE(PutClipboardText("x"));
  spin->SetFocus();
  spin->PasteFromClipboard();
  EXPECT_EQ(spin->Text(), "x");
  EXPECT_EQ(spin->Value(), 1);
  spin->SetText("-7");
  EXPECT_EQ(spin->Value(), 1);
  spin->SetText("12345678901234567890");
  EXPECT_EQ(spin->Value(), 99) << "a huge number is above every limit";
}

TEST_F(UiSpinEdit, SetValueClampsAndWritesOnlyADifferingText) {
  spin->SetValue(5);
  EXPECT_EQ(changes, 0) << "the shown value";
  spin->SetValue(500);
  EXPECT_EQ(spin->Text(), "99");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(SendMessageA(spin->UpDownHandle(), UDM_GETPOS32, 0, 0), 99);
  spin->SetMaxValue(10000);
  spin->SetValue(9998);
  ClickArrow(true);
  EXPECT_EQ(spin->Text(), "9999");

  // Two boxes that copy each other's value come to rest.
  auto* mirror = Add<TSpinEdit>("SpinEdit2");
  mirror->SetMaxValue(10000);
  mirror->SetTop(80);
  int mirrorChanges = 0;
  spin->OnChange = [&](TObject*) { mirror->SetValue(spin->Value()); };
  mirror->OnChange = [&](TObject*) {
    ++mirrorChanges;
    spin->SetValue(mirror->Value());
  };
  ClickArrow(false);
  EXPECT_EQ(mirror->Text(), "9998");
  EXPECT_EQ(mirrorChanges, 1);
}

TEST_F(UiSpinEdit, DisabledArrowsAndANewWindowKeepValueAndLimits) {
  int arrowWidth = GetSystemMetrics(SM_CXVSCROLL);
  LRESULT margins = SendMessageA(spin->Handle(), EM_GETMARGINS, 0, 0);
  EXPECT_GE(HIWORD(margins), arrowWidth) << "the text never runs under the arrows";
  spin->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(spin->UpDownHandle()));
  ClickArrow(true);
  EXPECT_EQ(spin->Value(), 5);
  spin->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(spin->UpDownHandle()));

  spin->RecreateWnd();
  EXPECT_EQ(spin->Text(), "5");
  int low = 0;
  int high = 0;
  SendMessageA(spin->UpDownHandle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
               reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, 99);
  ClickArrow(true);
  EXPECT_EQ(spin->Value(), 6);
}

class UiHotKey : public uitest::FormTest {
protected:
  THotKey* hotKey = nullptr;

  void SetUp() override {
    form->Show();
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == form->Handle(); }));
    hotKey = Add<THotKey>("Edit_ShortCut");
  }
};

TEST_F(UiHotKey, AShortCutReadsBackAsTheControlsHotKey) {
  hotKey->SetHotKey(scCtrl | 'S');
  EXPECT_EQ(SendMessageA(hotKey->Handle(), HKM_GETHOTKEY, 0, 0), 0x0253);
  EXPECT_EQ(hotKey->HotKey(), scCtrl | 'S');
  hotKey->RecreateWnd();
  EXPECT_EQ(SendMessageA(hotKey->Handle(), HKM_GETHOTKEY, 0, 0), 0x0253);
  hotKey->SetHotKey(0);
  EXPECT_EQ(hotKey->HotKey(), 0);
}

TEST_F(UiHotKey, TypedKeysReadBackAsShortCuts) {
  hotKey->SetFocus();
  struct Typed {
    WORD key;
    TShiftState shift;
    TShortCut expected;
  };
  for (const Typed& typed :
       {Typed{'K', ssCtrl, 0x404B}, Typed{VK_F3, ssShift, 0x2072},
        Typed{'A', ssAlt | ssCtrl | ssShift, 0xE041}, Typed{VK_F5, ssCtrl | ssShift, 0x6074}}) {
    uitest::PressShortCut(hotKey->Handle(), typed.key, typed.shift);
    EXPECT_EQ(hotKey->HotKey(), typed.expected) << std::hex << typed.expected;
  }
}

TEST_F(UiHotKey, AltAndALetterIsTheControlsNotAMnemonic) {
  auto* edit = Add<TEdit>("Edit1");
  edit->SetTop(40);
  auto* label = Add<TLabel>("Label1");
  label->SetTop(70);
  label->SetCaption("名前(&N)");
  label->FocusControl = edit;
  hotKey->SetFocus();
  uitest::PressShortCut(hotKey->Handle(), 'N', ssAlt);
  uitest::TypeChar(hotKey->Handle(), 'n', true);
  EXPECT_EQ(hotKey->HotKey(), scAlt | 'N');
  EXPECT_EQ(GetFocus(), hotKey->Handle());
  auto* other = Add<TEdit>("Edit2");
  other->SetTop(100);
  other->SetFocus();
  uitest::TypeChar(other->Handle(), 'n', true);
  EXPECT_EQ(GetFocus(), edit->Handle()) << "elsewhere the mnemonic works";
}

class UiCheckListBox : public uitest::FormTest {
protected:
  TCheckListBox* list = nullptr;
  TObject objects[4];

  void SetUp() override {
    form->Show();
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == form->Handle(); }));
    list = Add<TCheckListBox>("CheckListBox1");
    list->SetBounds(10, 10, 160, 120);
    const char* items[] = {"Here", "Top", "Bottom", "Page"};
    for (int i = 0; i < 4; ++i)
      list->Items().AddObject(items[i], &objects[i]);
  }

  RECT ItemRect(int index) {
    RECT rect{};
    SendMessageA(list->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&rect));
    return rect;
  }

  // A click at an offset from the item's left edge, in its middle height.
  void ClickItem(int index, int x) {
    RECT rect = ItemRect(index);
    FormDriver::ClickAt(list->Handle(), POINT{rect.left + x, (rect.top + rect.bottom) / 2});
  }

  std::string Checks() const {
    std::string checks;
    for (int i = 0; i < list->Items().Count(); ++i)
      checks += list->Checked(i) ? '1' : '0';
    return checks;
  }
};

TEST_F(UiCheckListBox, APressOnTheBoxTogglesOnTheTextOnlySelects) {
  int height = ItemRect(2).bottom - ItemRect(2).top;
  ClickItem(2, height / 2);
  EXPECT_EQ(Checks(), "0010");
  EXPECT_EQ(list->ItemIndex(), 2);
  ClickItem(1, height + 20);
  EXPECT_EQ(Checks(), "0010");
  EXPECT_EQ(list->ItemIndex(), 1);
  ClickItem(1, height - 1);
  EXPECT_EQ(Checks(), "0110") << "the box's last pixel column";
  ClickItem(1, height);
  EXPECT_EQ(Checks(), "0110") << "the first pixel after the box";
  ClickItem(2, 2);
  EXPECT_EQ(Checks(), "0100");
}

TEST_F(UiCheckListBox, SpaceTogglesTheSelectedItem) {
  list->SetItemIndex(3);
  list->SetFocus();
  uitest::PressKey(list->Handle(), VK_SPACE);
  EXPECT_EQ(Checks(), "0001");
  EXPECT_EQ(list->ItemIndex(), 3);
  uitest::PressKey(list->Handle(), VK_SPACE);
  EXPECT_EQ(Checks(), "0000");
}

TEST_F(UiCheckListBox, ChecksFollowTheirItemsAndObjects) {
  list->SetChecked(2, true);
  list->Items().Move(2, 0);
  EXPECT_EQ(Checks(), "1000");
  EXPECT_EQ(list->Items()[0], "Bottom");
  EXPECT_EQ(list->Items().Objects(0), &objects[2]);
  list->Items().Insert(0, "New");
  EXPECT_EQ(Checks(), "01000");
  list->Items().Delete(0);
  EXPECT_EQ(Checks(), "1000");
  list->Items().Exchange(0, 3);
  EXPECT_EQ(Checks(), "0001");
  EXPECT_EQ(list->Items().Objects(3), &objects[2]);
  EXPECT_EQ(list->Items().Objects(0), &objects[3]);
  list->Items().Put(3, "Bottom!");
  EXPECT_EQ(Checks(), "0001");
  EXPECT_EQ(list->Items().Objects(3), &objects[2]);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 4);
  list->RecreateWnd();
  EXPECT_EQ(Checks(), "0001");
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 4);
}

} // namespace
