// Menus: entries of the native menus, hidden items, pop-ups chosen by keys, shortcuts, images
// and the hints of menu items.
#include "ui/Menus.h"
#include "FormFixture.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"
#include "ui/Timer.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

// A form with a pop-up menu.
class UiMenus : public uitest::FormTest {
protected:
  TPopupMenu* popup = TComponent::Create<TPopupMenu>(form.get(), "Popup");

  TMenuItem* NewItem(TMenuItem* parent, const std::string& caption) {
    auto* item = TComponent::Create<TMenuItem>(form.get());
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
};

// Zeroed for a position the menu does not have.
MENUITEMINFOA EntryInfo(HMENU menu, int position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_BITMAP | MIIM_DATA;
  GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
  return info;
}

TMenuItem* EntryAt(HMENU menu, int position) {
  return reinterpret_cast<TMenuItem*>(EntryInfo(menu, position).dwItemData);
}

std::string EntryText(HMENU menu, int position) {
  char text[128] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST_F(UiMenus, PopupItemChosenByKeysClicksAfterOnPopupWithTheItemAsSender) {
  form->Show();
  TMenuItem* one = NewItem(popup->Items(), "One");
  TMenuItem* two = NewItem(popup->Items(), "Two");
  uitest::EventLog log;
  TObject* sender = nullptr;
  // The keys are queued before the menu's loop starts, which reads them in order; a timer
  // could fire before the loop runs under load and lose a key.
  HWND window = form->Handle();
  popup->OnPopup = [&log, window](TObject*) {
    log.entries.push_back("popup");
    for (WORD key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
      PostMessageA(window, WM_KEYDOWN, key, 1);
      PostMessageA(window, WM_KEYUP, key, 1 | (3u << 30));
    }
  };
  one->OnClick = log.Notify("one");
  two->OnClick = [&](TObject* item) {
    sender = item;
    log.entries.push_back("two");
  };
  POINT at = form->ClientToScreen(POINT{20, 20});
  popup->Popup(at.x, at.y);
  EXPECT_EQ(log.Joined(), "popup,two");
  EXPECT_EQ(sender, two);
}

TEST_F(UiMenus, ContextMenuOpensThePopupOfTheControlOrOfItsParent) {
  form->Show();
  NewItem(popup->Items(), "Only");
  int popups = 0;
  popup->OnPopup = [&](TObject*) { ++popups; };
  form->SetPopupMenu(popup);
  auto* inner = Add<TCustomControl>("Inner");
  auto* closer = TComponent::Create<TTimer>(form.get());
  closer->SetInterval(50);
  HWND window = form->Handle();
  closer->OnTimer = [&](TObject*) { PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1); };
  SendMessageA(inner->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(inner->Handle()),
               MAKELPARAM(10, 10));
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(popup->PopupComponent(), form.get()) << "the parent's menu, opened for the parent";
  inner->SetPopupMenu(popup);
  SendMessageA(inner->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(inner->Handle()),
               MAKELPARAM(10, 10));
  EXPECT_EQ(popups, 2);
  EXPECT_EQ(popup->PopupComponent(), inner);
  inner->Free();
  EXPECT_EQ(popup->PopupComponent(), nullptr);
  popup->AutoPopup = false;
  SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(10, 10));
  EXPECT_EQ(popups, 2);
}

TEST_F(UiMenus, HiddenItemLeavesTheMenuAndComesBackAtItsPlace) {
  TMenuItem* a = NewItem(popup->Items(), "A");
  TMenuItem* b = NewItem(popup->Items(), "B");
  TMenuItem* c = NewItem(popup->Items(), "C");
  HMENU menu = popup->Handle();
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  b->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_EQ(EntryAt(menu, 1), c);
  a->SetVisible(false);
  EXPECT_EQ(EntryAt(menu, 0), c);
  b->SetVisible(true);
  EXPECT_EQ(EntryAt(menu, 0), b);
  EXPECT_EQ(EntryAt(menu, 1), c);
  a->SetVisible(true);
  EXPECT_EQ(EntryAt(menu, 0), a);
  EXPECT_EQ(EntryAt(menu, 1), b);
  EXPECT_EQ(popup->Items()->Count(), 3);

  TMenuItem* hiddenFromStart = TComponent::Create<TMenuItem>(form.get());
  hiddenFromStart->SetVisible(false);
  popup->Items()->Insert(1, hiddenFromStart);
  EXPECT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_EQ(popup->Items()->Items(1), hiddenFromStart);
  b->Free();
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_EQ(EntryAt(menu, 1), c);
}

TEST_F(UiMenus, EntriesCarryCaptionShortcutStatesAndSubmenus) {
  auto* menu = TComponent::Create<TMainMenu>(form.get(), "MainMenu1");
  form->SetMenu(menu);
  TMenuItem* file = NewItem(menu->Items(), "ファイル(&F)");
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  EXPECT_EQ(EntryInfo(menu->Handle(), 0).hSubMenu, nullptr) << "no sub-items yet";
  TMenuItem* save = NewItem(file, "保存(&S)");
  save->SetShortCut(ShortCut('S', ssCtrl));
  NewItem(file, "-");
  TMenuItem* wrap = NewItem(file, "折り返し");
  wrap->SetRadioItem(true);
  wrap->SetChecked(true);
  wrap->SetEnabled(false);

  HMENU sub = EntryInfo(menu->Handle(), 0).hSubMenu;
  ASSERT_EQ(sub, file->Handle());
  EXPECT_EQ(EntryText(sub, 0), "保存(&S)\tCtrl+S");
  EXPECT_EQ(EntryInfo(sub, 1).fType & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
  MENUITEMINFOA wrapInfo = EntryInfo(sub, 2);
  EXPECT_TRUE(wrapInfo.fType & MFT_RADIOCHECK);
  EXPECT_TRUE(wrapInfo.fState & MFS_CHECKED);
  EXPECT_TRUE(wrapInfo.fState & MFS_GRAYED);
  save->SetCaption("上書き保存(&S)");
  EXPECT_EQ(EntryText(sub, 0), "上書き保存(&S)\tCtrl+S");

  int clicks = 0;
  TObject* sender = nullptr;
  save->OnClick = [&](TObject* item) {
    ++clicks;
    sender = item;
  };
  SendMessageA(form->Handle(), WM_COMMAND, save->Command(), 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(sender, save);

  UINT saveCommand = save->Command();
  while (file->Count() > 0)
    file->Items(0)->Free();
  EXPECT_EQ(EntryInfo(menu->Handle(), 0).hSubMenu, nullptr);
  EXPECT_EQ(TMenuItem::FromCommand(saveCommand), nullptr);
}

TEST_F(UiMenus, ShortCutValuesAndTheirTexts) {
  EXPECT_EQ(ShortCut('S', ssCtrl), 0x4053);
  EXPECT_EQ(ShortCut(VK_F3, ssShift), 0x2072);
  EXPECT_EQ(ShortCut(VK_DELETE, ssAlt | ssCtrl), 0xC02E);
  EXPECT_EQ(ShortCutToText(0x4053), "Ctrl+S");
  EXPECT_EQ(ShortCutToText(0x2072), "Shift+F3");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssShift | ssCtrl)), "Shift+Ctrl+Del");
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(TextToShortCut("ctrl+s"), 0x4053);
  EXPECT_EQ(TextToShortCut("Shift+Ctrl+Del"), ShortCut(VK_DELETE, ssShift | ssCtrl));
  EXPECT_EQ(TextToShortCut("F12"), VK_F12);
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
}

TEST_F(UiMenus, MenuSelectSetsTheApplicationHintAndOnHintRunsOnChange) {
  auto* menu = TComponent::Create<TMainMenu>(form.get(), "MainMenu1");
  form->SetMenu(menu);
  TMenuItem* file = NewItem(menu->Items(), "File");
  file->Hint = "File commands";
  TMenuItem* save = NewItem(file, "Save");
  save->Hint = "Save|Saves the document";
  auto* events = TComponent::Create<TApplicationEvents>(form.get(), "Events");
  int hints = 0;
  events->OnHint = [&](TObject*) { ++hints; };
  Application->SetHint("");
  hints = 0;

  SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(save->Command(), MF_STRING),
               reinterpret_cast<LPARAM>(file->Handle()));
  EXPECT_EQ(Application->Hint(), "Saves the document");
  SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(save->Command(), MF_STRING),
               reinterpret_cast<LPARAM>(file->Handle()));
  EXPECT_EQ(hints, 1) << "no event without a change";
  SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP),
               reinterpret_cast<LPARAM>(menu->Handle()));
  EXPECT_EQ(Application->Hint(), "File commands");
  SendMessageA(form->Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(Application->Hint(), "");
  EXPECT_EQ(hints, 3);
}

TEST_F(UiMenus, ImagesAreDrawnThroughTheCallbackBitmap) {
  auto* images = TComponent::Create<TImageList>(form.get(), "ImageList1");
  TBitmap strip;
  strip.SetSize(32, 16, clFuchsia);
  ASSERT_EQ(images->AddMasked(strip, clFuchsia), 0);
  TMenuItem* pictured = NewItem(popup->Items(), "Pictured");
  NewItem(popup->Items(), "Plain");
  pictured->SetImageIndex(1);
  EXPECT_EQ(EntryInfo(popup->Handle(), 0).hbmpItem, nullptr) << "no image list yet";
  popup->SetImages(images);
  EXPECT_EQ(EntryInfo(popup->Handle(), 0).hbmpItem, HBMMENU_CALLBACK);
  EXPECT_EQ(EntryInfo(popup->Handle(), 1).hbmpItem, nullptr);
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = pictured->Command();
  measure.itemData = reinterpret_cast<ULONG_PTR>(pictured);
  EXPECT_TRUE(
      SendMessageA(Application->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  EXPECT_EQ(measure.itemWidth, 16u);
  EXPECT_EQ(measure.itemHeight, 16u);
  images->Free();
  EXPECT_EQ(popup->Images(), nullptr);
  EXPECT_EQ(EntryInfo(popup->Handle(), 0).hbmpItem, nullptr);
}

} // namespace
