// The shell's context menu merged with a pop-up menu, on fixture files with Wine's real menu.
// A tracked menu is driven by keys queued before its loop starts (from OnShBeforPopup), which
// it reads in order; the place of the wanted command is read from the shell's own menu first.
#include "shell/ShellPopupMenu.h"

#include "common/TempFolder.h"
#include "shell/FakeContextMenu.h"
#include "shell/FakeShellFolder.h"
#include "support/UiTest.h"
#include "ui/Application.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr UINT kExploreFlags = CMF_EXPLORE;

class ShellPopup : public testing::Test {
protected:
  ShellPopup() {
    TempFolder::WriteFile(temp_ / "a.txt", "a");
    form_->Show();
    menu_->SetOwnerControl(form_.get());
    EmptyTheClipboard();
  }

  TMenuItem* OwnItem(const std::string& caption) {
    auto* item = TComponent::Create<TMenuItem>(form_.get());
    item->SetCaption(caption);
    menu_->Items()->Add(item);
    return item;
  }
  // The fixture file, as the list hands it over.
  void FileList(TShellIDList& list) {
    list.ParentIDList.Reset(ListOf(path_).Release());
    list.Add(GetLastItemID(ListOf(temp_ / "a.txt").Get()));
  }
  // Keys that reach the shell's command of that verb (after own entries before it), then
  // Return; queued when the menu is about to show.
  void ChooseVerb(TShellIDList& list, const std::string& verb, UINT flags, int ownBefore = 0) {
    const int presses = PressesTo(list, verb, flags);
    ASSERT_GT(presses, 0) << verb;
    QueueKeys(ownBefore + presses, VK_RETURN);
  }
  void QueueKeys(int downs, WORD last) {
    menu_->OnShBeforPopup = [this, downs, last](TObject*, const TShellIDList&, POINT, bool&) {
      ++popups_;
      HWND window = form_->Handle();
      std::vector<WORD> keys(static_cast<size_t>(downs), VK_DOWN);
      keys.push_back(last);
      for (WORD key : keys) {
        PostMessageA(window, WM_KEYDOWN, key, 1);
        PostMessageA(window, WM_KEYUP, key, 1 | (3u << 30));
      }
    };
  }
  static int PressesTo(TShellIDList& list, const std::string& verb, UINT flags) {
    TComPtr<IShellFolder> parent;
    EXPECT_TRUE(list.GetParentFolder(parent));
    TComPtr<IContextMenu> shell;
    EXPECT_HRESULT_SUCCEEDED(parent->GetUIObjectOf(nullptr, static_cast<UINT>(list.Count()),
                                                   list.GetItemsArray(), IID_IContextMenu,
                                                   nullptr, shell.OutVoid()));
    HMENU scratch = CreatePopupMenu();
    shell->QueryContextMenu(scratch, 0, 1, FirstMenuCommand - 1, flags);
    int presses = 0;
    int found = -1;
    for (int i = 0; i < GetMenuItemCount(scratch) && found < 0; ++i) {
      if (GetMenuState(scratch, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
        continue;
      ++presses;
      const UINT id = GetMenuItemID(scratch, i);
      if (id != static_cast<UINT>(-1) && ReadShellVerb(shell.Get(), id - 1) == verb)
        found = presses;
    }
    DestroyMenu(scratch);
    return found;
  }
  static void EmptyTheClipboard() {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }
  static bool IDListsOnTheClipboard() {
    return IsClipboardFormatAvailable(RegisterClipboardFormatA(CFSTR_SHELLIDLIST));
  }
  POINT At() { return form_->ClientToScreen(POINT{30, 30}); }
  // The application's hints while the next menu is shown.
  std::vector<std::string>& RecordHints() {
    auto* events = TComponent::Create<TApplicationEvents>(form_.get());
    events->OnHint = [this](TObject*) { hints_.push_back(Application->Hint()); };
    return hints_;
  }
  void UseFake(FakeContextMenu& fake) {
    menu_->ContextMenuSource = [&fake](IShellFolder*, HWND, TShellIDList&,
                                       TComPtr<IContextMenu>& menu) {
      *menu.Out() = &fake;
      return S_OK;
    };
  }

  TempFolder temp_{"メニュー"};
  const std::string path_ = temp_.Path().substr(0, temp_.Path().size() - 1);
  TOwned<TForm> form_ = uitest::MakeForm();
  TShellPopupMenu* menu_ = TComponent::Create<TShellPopupMenu>(form_.get());
  int popups_ = 0;
  std::vector<std::string> hints_;
};

TEST_F(ShellPopup, CopyGivesItsCodeAndPutsTheItemsOnTheClipboard) {
  TShellIDList list;
  FileList(list);
  ChooseVerb(list, "copy", kExploreFlags);
  const int code = menu_->Popup(list, At());
  EXPECT_EQ(popups_, 1);
  EXPECT_GT(code, 0);
  EXPECT_NE(code, shcDelete);
  EXPECT_TRUE(IDListsOnTheClipboard());
}

// Menu items are numbered round-robin: after many were made and freed the own numbers still
// lie above the shell's.
TEST_F(ShellPopup, CopyStillWorksAfterManyMenuItemsCameAndWent) {
  for (int i = 0; i < 40000; ++i)
    TComponent::Create<TMenuItem>(nullptr)->Free();
  TMenuItem* own = OwnItem("自分");
  EXPECT_GE(own->Command(), FirstMenuCommand);
  TShellIDList list;
  FileList(list);
  menu_->SetInsertPos(1);
  ChooseVerb(list, "copy", kExploreFlags, 1);
  EXPECT_GT(menu_->Popup(list, At()), 0);
  EXPECT_TRUE(IDListsOnTheClipboard());
}

TEST_F(ShellPopup, AnEmptyListGivesNothingWithoutAMenu) {
  QueueKeys(0, VK_ESCAPE);
  TShellIDList empty;
  EXPECT_EQ(menu_->Popup(empty, At()), shcNone);
  TShellIDList orphan; // an item without a parent list
  orphan.Add(GetLastItemID(ListOf(temp_ / "a.txt").Get()));
  EXPECT_EQ(menu_->Popup(orphan, At()), shcNone);
  EXPECT_EQ(popups_, 0);
}

TEST_F(ShellPopup, OnShBeforPopupMayCancel) {
  TShellIDList list;
  FileList(list);
  POINT told{};
  menu_->OnShBeforPopup = [&](TObject*, const TShellIDList& asked, POINT point, bool& allow) {
    EXPECT_EQ(&asked, &list);
    told = point;
    allow = false;
  };
  EXPECT_EQ(menu_->Popup(list, At()), shcNone);
  EXPECT_EQ(told.x, At().x);
  EXPECT_EQ(told.y, At().y);
  EXPECT_FALSE(IDListsOnTheClipboard());
}

TEST_F(ShellPopup, AnOwnItemIsClickedAndReportedAfterwardsGivingNothing) {
  TMenuItem* own = OwnItem("自分");
  std::vector<std::string> log;
  own->OnClick = [&](TObject*) { log.push_back("click"); };
  TShellIDList list;
  FileList(list);
  menu_->OnShAfterPopup = [&](TObject*, TMenuItem* item, const TShellIDList& shown) {
    EXPECT_EQ(item, own);
    EXPECT_EQ(&shown, &list);
    log.push_back("after");
  };
  menu_->SetInsertPos(1); // the own item first, the shell's after it
  QueueKeys(1, VK_RETURN);
  EXPECT_EQ(menu_->Popup(list, At()), shcNone);
  EXPECT_EQ(log, (std::vector<std::string>{"click", "after"}));
  EXPECT_EQ(menu_->Items()->Count(), 1) << "the own item stays the menu's";
  EXPECT_EQ(GetMenuItemCount(menu_->Handle()), 1);
}

// The default item's place in the tracked menu, read from a timer that the menu's loop runs;
// the menu is closed then.
int trackedDefault = -2;
void CALLBACK ReadTheTrackedMenu(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  HWND tracked = FindWindowA("#32768", nullptr);
  auto menu = reinterpret_cast<HMENU>(SendMessageA(tracked, MN_GETHMENU, 0, 0));
  trackedDefault = static_cast<int>(GetMenuDefaultItem(menu, TRUE, 0));
  PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
}

TEST_F(ShellPopup, TheShellsFirstItemIsTheDefault) {
  OwnItem("自分");
  menu_->SetInsertPos(1);
  TShellIDList list;
  FileList(list);
  trackedDefault = -2;
  menu_->OnShBeforPopup = [this](TObject*, const TShellIDList&, POINT, bool&) {
    SetTimer(form_->Handle(), 1, 1, ReadTheTrackedMenu);
  };
  EXPECT_EQ(menu_->Popup(list, At()), shcNone);
  EXPECT_EQ(trackedDefault, 1) << "the item at the shell's place among the own ones";
}

TEST_F(ShellPopup, InsertPosIsClampedToTheVisibleOwnItems) {
  OwnItem("一");
  TMenuItem* hidden = OwnItem("二");
  hidden->SetVisible(false);
  menu_->SetInsertPos(5);
  EXPECT_EQ(menu_->InsertPos(), 1u);
  hidden->SetVisible(true);
  EXPECT_EQ(menu_->InsertPos(), 2u);
  menu_->SetInsertPos(1);
  EXPECT_EQ(menu_->InsertPos(), 1u);
  EXPECT_TRUE(menu_->ReadOnly);
  EXPECT_EQ(menu_->ContextType, TShellContextType::shctExplore);
}

// Wine offers rename only without CMF_EXPLORE.
TEST_F(ShellPopup, RenameGivesItsCodeAndLeavesTheFileAlone) {
  menu_->ContextType = TShellContextType::shctNormal;
  menu_->ReadOnly = false;
  TShellIDList list;
  FileList(list);
  ChooseVerb(list, "rename", CMF_NORMAL | CMF_CANRENAME);
  EXPECT_EQ(menu_->Popup(list, At()), shcRename);
  EXPECT_EQ(TempFolder::Names(temp_.Path()), (std::vector<std::string>{"a.txt"}));
}

TEST_F(ShellPopup, TheHintOfAnOwnItemBecomesTheApplicationsHint) {
  TMenuItem* own = OwnItem("自分");
  own->Hint = "短い|自分の項目";
  SendMessageA(menu_->MenuWindow(), WM_MENUSELECT, MAKEWPARAM(own->Command(), MF_STRING),
               reinterpret_cast<LPARAM>(menu_->Handle()));
  EXPECT_EQ(Application->Hint(), "自分の項目");
  SendMessageA(menu_->MenuWindow(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(Application->Hint(), "");
}

// The shell's help text of the highlighted command is the hint; its buffer ends in 0 even when
// the menu fills it; Wine's menu has none.
TEST_F(ShellPopup, TheHelpTextOfAShellCommandBecomesTheHint) {
  FakeContextMenu fake;
  fake.commands = {{0, {"一", "one", false, false, "一つ目の説明"}},
                   {1, {"二", "two", false, true, "x"}}};
  UseFake(fake);
  TShellIDList list;
  FileList(list);
  std::vector<std::string>& hints = RecordHints();
  QueueKeys(2, VK_ESCAPE);
  EXPECT_EQ(menu_->Popup(list, At()), shcNone);
  EXPECT_EQ(fake.invoked.size(), 0u);
  ASSERT_GE(hints.size(), 2u);
  EXPECT_EQ(hints[0], "一つ目の説明");
  EXPECT_EQ(hints[1], std::string(200, 'x')) << "201 bytes with the last one 0";

  menu_->ContextMenuSource = nullptr;
  Application->SetHint("前の");
  hints.clear();
  QueueKeys(1, VK_ESCAPE);
  EXPECT_EQ(menu_->Popup(list, At()), shcNone);
  ASSERT_FALSE(hints.empty());
  EXPECT_EQ(hints[0], "") << "Wine's menu gives no help text";
}

// A key no entry's text marks reaches the window: an own entry that marks it is chosen.
TEST_F(ShellPopup, MenuCharChoosesAnOwnEntryByItsMnemonic) {
  OwnItem("最初(&F)");
  TMenuItem* second = OwnItem("二番(&J)");
  HMENU own = menu_->Handle();
  auto menuChar = [&](char key, HMENU menu) {
    return SendMessageA(menu_->MenuWindow(), WM_MENUCHAR, MAKEWPARAM(key, MF_POPUP),
                        reinterpret_cast<LPARAM>(menu));
  };
  EXPECT_EQ(menuChar('j', own), MAKELRESULT(1, MNC_EXECUTE));
  EXPECT_EQ(menuChar('F', own), MAKELRESULT(0, MNC_EXECUTE));
  EXPECT_EQ(HIWORD(menuChar('K', own)), MNC_IGNORE);
  second->SetEnabled(false);
  EXPECT_EQ(HIWORD(menuChar('J', own)), MNC_IGNORE) << "disabled";
  HMENU foreign = CreatePopupMenu();
  AppendMenuA(foreign, MF_STRING, 5, "他(&J)");
  EXPECT_EQ(HIWORD(menuChar('J', foreign)), MNC_IGNORE) << "not an own entry";
  DestroyMenu(foreign);
}

// F1 on a highlighted own entry asks for its help, or its parent's.
TEST_F(ShellPopup, HelpOnAnOwnEntryShowsItsTopic) {
  TMenuItem* own = OwnItem("自分");
  own->HelpContext = 42;
  std::vector<int> topics;
  auto* events = TComponent::Create<TApplicationEvents>(form_.get());
  events->OnHelp = [&](int, int data, bool&) {
    topics.push_back(data);
    return true;
  };
  TShellIDList list;
  FileList(list);
  menu_->SetInsertPos(1);
  menu_->OnShBeforPopup = [this](TObject*, const TShellIDList&, POINT, bool&) {
    HWND window = form_->Handle();
    for (WORD key : {VK_DOWN, VK_F1, VK_ESCAPE}) {
      PostMessageA(window, WM_KEYDOWN, key, 1);
      PostMessageA(window, WM_KEYUP, key, 1 | (3u << 30));
    }
  };
  EXPECT_EQ(menu_->Popup(list, At()), shcNone);
  EXPECT_EQ(topics, std::vector<int>{42});

  TMenuItem* child = TComponent::Create<TMenuItem>(form_.get());
  own->Add(child);
  HELPINFO help{};
  help.cbSize = sizeof help;
  help.iContextType = HELPINFO_MENUITEM;
  help.iCtrlId = static_cast<int>(child->Command());
  EXPECT_TRUE(SendMessageA(menu_->MenuWindow(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help)));
  EXPECT_EQ(topics, (std::vector<int>{42, 42})) << "the parent's topic";
  own->HelpContext = 0;
  EXPECT_FALSE(SendMessageA(menu_->MenuWindow(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help)));
  help.iCtrlId = 3; // a shell command
  EXPECT_FALSE(SendMessageA(menu_->MenuWindow(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help)));
  EXPECT_EQ(topics.size(), 2u);
}

} // namespace
