// The tab strip and the page control on the native tab control, driven by clicks posted inside
// the tabs the control reports and by keys.
#include "FormFixture.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Panels.h"
#include "ui/TabControls.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace quolin;
using uitest::FormDriver;

namespace {

int WindowTabCount(TControl& strip) {
  return static_cast<int>(SendMessageA(strip.Handle(), TCM_GETITEMCOUNT, 0, 0));
}

int WindowSelection(TControl& strip) {
  return static_cast<int>(SendMessageA(strip.Handle(), TCM_GETCURSEL, 0, 0));
}

std::string WindowTabText(TControl& strip, int index) {
  char text[64] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(strip.Handle(), TCM_GETITEMA, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
  return text;
}

int TabWidthOf(TCustomTabControl& strip, int index) {
  RECT rect = strip.TabRect(index);
  return rect.right - rect.left;
}

bool SameRect(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

class UiTabControl : public uitest::FormTest {
protected:
  TTabControl* tabs = nullptr;
  int changes = 0;
  int indexSeen = -2;

  void SetUp() override {
    form->SetClientSize(400, 300);
    form->Show();
    tabs = Add<TTabControl>("TabControl1");
    tabs->SetBounds(10, 10, 360, 250);
    for (const char* caption : {"a", "表示", "c"})
      tabs->Tabs().Add(caption);
    tabs->OnChange = [this](TObject*) {
      ++changes;
      indexSeen = tabs->TabIndex();
    };
  }
};

TEST_F(UiTabControl, TabWidthFixesEveryTabsWidthAndZeroSizesThemByCaption) {
  tabs->SetTabWidth(100);
  EXPECT_EQ(TabWidthOf(*tabs, 0), 100);
  EXPECT_EQ(TabWidthOf(*tabs, 2), 100);
  tabs->SetTabWidth(101);
  EXPECT_EQ(TabWidthOf(*tabs, 1), 101);
  tabs->SetTabWidth(0);
  EXPECT_LT(TabWidthOf(*tabs, 0), 100) << "\"a\" is narrower than a fixed tab";
  EXPECT_EQ(WindowTabCount(*tabs), 3) << "a new window gets the tabs back";
}

TEST_F(UiTabControl, AClickOnATabRaisesOnChangeOnceSetTabIndexNone) {
  EXPECT_EQ(tabs->TabIndex(), 0) << "the first tab is chosen once there are tabs";
  tabs->SetTabIndex(2);
  EXPECT_EQ(WindowSelection(*tabs), 2);
  EXPECT_EQ(changes, 0);
  ASSERT_TRUE(FormDriver::ChooseTab(*tabs, 1));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(indexSeen, 1);
  EXPECT_EQ(tabs->TabIndex(), 1);
  ASSERT_TRUE(FormDriver::ChooseTab(*tabs, 1));
  EXPECT_EQ(changes, 1) << "the chosen tab again changes nothing";
  RECT tab = tabs->TabRect(2);
  EXPECT_EQ(tabs->IndexOfTabAt((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2), 2);
  EXPECT_EQ(tabs->IndexOfTabAt(tab.left + 1, tabs->ClientHeight() - 2), -1) << "below the tabs";
  EXPECT_FALSE(FormDriver::ChooseTab(*tabs, 3));
}

TEST_F(UiTabControl, ChildrenSitInTheDisplayRectAndAButtonThereGetsItsClick) {
  auto* panel = Add<TPanel>("Panel1", tabs);
  panel->SetAlign(alClient);
  EXPECT_TRUE(SameRect(panel->BoundsRect(), tabs->DisplayRect()));
  RECT client = tabs->ClientRect();
  EXPECT_GT(tabs->DisplayRect().top, client.top) << "below the tabs";
  EXPECT_TRUE(GetWindowLongA(tabs->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);

  auto* button = Add<TButton>("Button1", panel);
  button->SetBounds(10, 10, 80, 25);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  FormDriver::ClickAt(button->Handle(), POINT{40, 12});
  EXPECT_EQ(clicks, 1);
  auto* onStrip = Add<TButton>("Button2", tabs);
  onStrip->SetBounds(20, 60, 80, 25);
  onStrip->OnClick = [&](TObject*) { clicks += 10; };
  FormDriver::ClickAt(onStrip->Handle(), POINT{40, 12});
  EXPECT_EQ(clicks, 11) << "the strip hands its child's notification back to it";
}

TEST_F(UiTabControl, TabsFollowTheListAndANewWindowKeepsThemAndTheIndex) {
  tabs->SetTabIndex(2);
  tabs->Tabs().Put(1, "編集");
  EXPECT_EQ(WindowTabText(*tabs, 1), "編集");
  tabs->RecreateWnd();
  EXPECT_EQ(WindowTabCount(*tabs), 3);
  EXPECT_EQ(WindowTabText(*tabs, 1), "編集");
  EXPECT_EQ(WindowSelection(*tabs), 2);
  tabs->Tabs().Delete(2);
  EXPECT_EQ(tabs->TabIndex(), 1) << "the index stays within the tabs";
  EXPECT_EQ(WindowSelection(*tabs), 1);
  tabs->Tabs().Clear();
  EXPECT_EQ(tabs->TabIndex(), -1);
  EXPECT_EQ(WindowTabCount(*tabs), 0);
  EXPECT_EQ(changes, 0);
}

class UiPageControl : public uitest::FormTest {
protected:
  TPageControl* pages = nullptr;
  TTabSheet* sheets[3] = {};
  int changes = 0;

  void SetUp() override {
    form->SetClientSize(400, 300);
    form->Show();
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == form->Handle(); }));
    pages = Add<TPageControl>("PageControl1");
    pages->SetBounds(10, 10, 360, 250);
    const char* captions[] = {"表示", "編集", "ファイル"};
    for (int i = 0; i < 3; ++i) {
      sheets[i] = Add<TTabSheet>(("TabSheet" + std::to_string(i + 1)).c_str(), pages);
      sheets[i]->SetCaption(captions[i]);
    }
    pages->OnChange = [this](TObject*) { ++changes; };
  }

  // Which sheets have a visible window, as "100".
  std::string ShownSheets() const {
    std::string shown;
    for (TTabSheet* sheet : sheets)
      shown += IsWindowVisible(sheet->Handle()) ? '1' : '0';
    return shown;
  }
};

TEST_F(UiPageControl, OnlyTheActiveSheetIsVisibleAndFillsTheDisplayRect) {
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  EXPECT_EQ(ShownSheets(), "100");
  EXPECT_EQ(WindowTabText(*pages, 2), "ファイル");
  EXPECT_TRUE(SameRect(sheets[0]->BoundsRect(), pages->DisplayRect()));
  pages->SetBounds(0, 0, 300, 200);
  EXPECT_TRUE(SameRect(sheets[0]->BoundsRect(), pages->DisplayRect())) << "after a resize";
  pages->SetActivePageIndex(2);
  EXPECT_EQ(ShownSheets(), "001");
  EXPECT_TRUE(SameRect(sheets[2]->BoundsRect(), pages->DisplayRect()));
  EXPECT_EQ(sheets[1]->PageIndex(), 1);
  sheets[2]->SetPageIndex(0);
  EXPECT_EQ(pages->Pages(0), sheets[2]);
  EXPECT_EQ(WindowTabText(*pages, 0), "ファイル");
  EXPECT_EQ(WindowSelection(*pages), 0) << "the active sheet's tab moved with it";
}

TEST_F(UiPageControl, ATabClickShowsItsSheetAndRaisesOnChangeSetActivePageNone) {
  pages->SetActivePage(sheets[2]);
  EXPECT_EQ(WindowSelection(*pages), 2);
  EXPECT_EQ(changes, 0);
  ASSERT_TRUE(FormDriver::ChooseSheet(*sheets[1]));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(ShownSheets(), "010");
  pages->SetActivePageIndex(7);
  EXPECT_EQ(pages->ActivePage(), nullptr) << "no such page: none";
  EXPECT_EQ(ShownSheets(), "000");
  EXPECT_EQ(changes, 1);
}

TEST_F(UiPageControl, HiddenTabsAreLeftOutOfEveryMapping) {
  pages->SetActivePage(sheets[1]);
  sheets[0]->SetTabVisible(false);
  EXPECT_EQ(WindowTabCount(*pages), 2);
  EXPECT_EQ(sheets[0]->TabIndex(), -1);
  EXPECT_EQ(sheets[1]->TabIndex(), 0);
  EXPECT_EQ(sheets[2]->TabIndex(), 1);
  EXPECT_EQ(WindowSelection(*pages), 0);
  ASSERT_TRUE(FormDriver::ChooseTab(*pages, 1));
  EXPECT_EQ(pages->ActivePage(), sheets[2]) << "the second tab is the third sheet's";
  EXPECT_EQ(ShownSheets(), "001");
  EXPECT_EQ(changes, 1);

  sheets[2]->SetTabVisible(false);
  EXPECT_EQ(pages->ActivePage(), sheets[1]) << "the first sheet with a visible tab";
  EXPECT_EQ(ShownSheets(), "010");
  sheets[1]->SetTabVisible(false);
  EXPECT_EQ(pages->ActivePage(), nullptr) << "no tab is visible";
  EXPECT_EQ(ShownSheets(), "000");
  sheets[2]->SetTabVisible(true);
  EXPECT_EQ(pages->ActivePage(), nullptr) << "showing a tab activates nothing";
  EXPECT_EQ(WindowSelection(*pages), -1);
  EXPECT_EQ(changes, 1);
}

TEST_F(UiPageControl, RightOnTheFocusedStripMovesOn) {
  pages->SetFocus();
  uitest::PressKey(pages->Handle(), VK_RIGHT);
  EXPECT_EQ(pages->ActivePage(), sheets[1]);
  EXPECT_EQ(ShownSheets(), "010");
  EXPECT_EQ(changes, 1);
}

TEST_F(UiPageControl, TheFocusLeavesASheetThatGoesOutOfSight) {
  auto* left = Add<TEdit>("Edit1", sheets[0]);
  auto* stays = Add<TEdit>("Edit2");
  stays->SetTop(270);
  left->SetFocus();
  ASSERT_TRUE(FormDriver::ChooseSheet(*sheets[1]));
  EXPECT_EQ(GetFocus(), pages->Handle());
  stays->SetFocus();
  pages->SetActivePage(sheets[2]);
  EXPECT_EQ(GetFocus(), stays->Handle()) << "a focus outside the sheet stays";
}

TEST_F(UiPageControl, AMnemonicOnAHiddenSheetDoesNothing) {
  auto* edit = Add<TEdit>("Edit1", sheets[0]);
  auto* hiddenEdit = Add<TEdit>("Edit2", sheets[1]);
  auto* label = Add<TLabel>("Label1", sheets[1]);
  label->SetCaption("名前(&N)");
  label->FocusControl = hiddenEdit;
  label->SetTop(40);
  edit->SetFocus();
  uitest::TypeChar(edit->Handle(), 'n', true);
  EXPECT_EQ(GetFocus(), edit->Handle());
  pages->SetActivePage(sheets[1]);
  uitest::TypeChar(pages->Handle(), 'n', true);
  EXPECT_EQ(GetFocus(), hiddenEdit->Handle()) << "shown, the same mnemonic works";
}

TEST_F(UiPageControl, FreeingASheetRemovesItsTab) {
  sheets[1]->Free();
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(WindowTabCount(*pages), 2);
  EXPECT_EQ(WindowTabText(*pages, 1), "ファイル");
  sheets[0]->Free();
  EXPECT_EQ(pages->ActivePage(), sheets[2]) << "the first sheet with a visible tab";
  EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
  sheets[2]->SetParent(form.get());
  EXPECT_EQ(pages->PageCount(), 0) << "a sheet moved away leaves";
  EXPECT_EQ(pages->ActivePage(), nullptr);
  EXPECT_EQ(changes, 0);
}

TEST_F(UiPageControl, ANewWindowKeepsTheSheetsAndTheActiveOne) {
  pages->SetActivePage(sheets[2]);
  pages->RecreateWnd();
  EXPECT_EQ(WindowTabCount(*pages), 3);
  EXPECT_EQ(WindowSelection(*pages), 2);
  EXPECT_EQ(ShownSheets(), "001");
  EXPECT_TRUE(SameRect(sheets[2]->BoundsRect(), pages->DisplayRect()));
}

} // namespace
