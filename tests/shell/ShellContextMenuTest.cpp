// What the list does after a command of its context menu ran, with fake shell menus through
// the menu's source: each command acts on the fixture folder as the real one would.
#include "shell/ShellListView.h"

#include "shell/ShellTreeFixture.h"

#include "shell/FakeContextMenu.h"
#include "support/UiTest.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

// Keys for the fake's only command, queued before the menu's loop starts.
void QueueChoice(TShellPopupMenu* menu, HWND window) {
  menu->OnShBeforPopup = [window](TObject*, const TShellIDList&, POINT, bool&) {
    for (WORD key : {VK_DOWN, VK_RETURN}) {
      PostMessageA(window, WM_KEYDOWN, key, 1);
      PostMessageA(window, WM_KEYUP, key, 1 | (3u << 30));
    }
  };
}

class ShellContextMenu : public testing::Test {
protected:
  ShellContextMenu() {
    GetCurrentDirectoryA(MAX_PATH, savedFolder_);
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
      TempFolder::WriteFile(temp_ / name, "x");
    form_->SetBounds(0, 0, 640, 480);
    form_->Show();
    list_ = TComponent::Create<TShellListView>(form_.get(), "ShellListView1");
    list_->SetParent(form_.get());
    list_->SetViewStyle(TViewStyle::vsReport);
    list_->SetBounds(0, 0, 600, 400);
    list_->HandleNeeded();
    EXPECT_TRUE(list_->SetFolderPath(path_));
    menu_->ContextMenuSource = [this](IShellFolder*, HWND, TShellIDList&,
                                      TComPtr<IContextMenu>& menu) {
      *menu.Out() = &shell_;
      return S_OK;
    };
    list_->SetShellPopupMenu(menu_);
  }
  ~ShellContextMenu() override {
    form_.reset();
    SetCurrentDirectoryA(savedFolder_);
  }

  int RowOf(const std::string& name) {
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = name.c_str();
    return static_cast<int>(SendMessageA(list_->Handle(), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&find)));
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < list_->FileList().Count(); ++i)
      names.push_back(list_->FileList().GetItem(i)->GetFindData().cFileName);
    return names;
  }
  // The fake's only command, chosen by keys queued before the menu's loop, on a right click
  // of the row.
  void ChooseOn(int row, UINT offset, const std::string& verb) {
    shell_.commands = {{offset, {"コマンド(&X)", verb}}};
    HWND window = list_->Handle();
    QueueChoice(menu_, window);
    RECT rect{};
    rect.left = LVIR_LABEL;
    SendMessageA(window, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM(rect.left + 3, rect.top + 3);
    PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(window, WM_RBUTTONUP, 0, at);
    uitest::Pump();
    EXPECT_EQ(shell_.invoked.size() + (verb == "rename"), 1u) << "the command ran";
    EXPECT_EQ(list_->MouseState(), 0);
  }
  // The watchers watch again: an outside change is shown.
  void ExpectOutsideChangesShown() {
    for (int attempt = 0; attempt < 3 && RowOf("外.txt") < 0; ++attempt) {
      TempFolder::WriteFile(temp_ / "外.txt", std::to_string(attempt));
      uitest::PumpUntil([&] { return RowOf("外.txt") >= 0; },
                        TShFilesWatcher::DefaultQuietMs + 10000);
    }
    EXPECT_GE(RowOf("外.txt"), 0);
  }

  char savedFolder_[MAX_PATH] = {};
  TempFolder temp_{"文脈"};
  const std::string path_ = temp_.Path().substr(0, temp_.Path().size() - 1);
  TOwned<TForm> form_ = uitest::MakeForm();
  TShellListView* list_ = nullptr;
  TShellPopupMenu* menu_ = TComponent::Create<TShellPopupMenu>(form_.get());
  FakeContextMenu shell_;
};

// The shell deleted one of the two selected files; the other failed to go and stays.
TEST_F(ShellContextMenu, DeleteInTheListRemovesOnlyTheItemsThatWent) {
  list_->SetMultiSelect(true);
  list_->SetSelected(RowOf("a.txt"), true);
  list_->SetSelected(RowOf("b.txt"), true);
  shell_.onInvoke = [&](UINT) { DeleteFileA((temp_ / "a.txt").c_str()); };
  ChooseOn(RowOf("b.txt"), 17, "delete");
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.txt", "c.txt"}));
  ExpectOutsideChangesShown();
}

TEST_F(ShellContextMenu, ALinkInTheListShowsTheNewItemAtOnce) {
  list_->SetSelected(RowOf("c.txt"), true);
  shell_.onInvoke = [&](UINT) { TempFolder::WriteFile(temp_ / "リンク.lnk", ""); };
  ChooseOn(RowOf("c.txt"), 81, "link");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "リンク.lnk"}))
      << "listed before any watcher reports";
  ExpectOutsideChangesShown();
}

TEST_F(ShellContextMenu, RenameInTheListEditsTheSelectedItem) {
  list_->SetSelected(RowOf("b.txt"), true);
  ChooseOn(RowOf("b.txt"), 80, "rename");
  EXPECT_NE(ListView_GetEditControl(list_->Handle()), nullptr);
  SendMessageA(list_->Handle(), LVM_CANCELEDITLABEL, 0, 0);
  EXPECT_EQ(TempFolder::Names(temp_.Path()),
            (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
  ExpectOutsideChangesShown();
}

class ShellContextMenuTree : public ShellTree {
protected:
  ShellContextMenuTree() : ShellTree(true) {
    TempFolder::WriteFile(top_ / "f.txt", "x");
    CreateDirectoryA((top_ / "sub").c_str(), nullptr);
    menu_->ContextMenuSource = [this](IShellFolder*, HWND, TShellIDList& items,
                                      TComPtr<IContextMenu>& menu) {
      asked_ = items.Count();
      *menu.Out() = &shell_;
      return S_OK;
    };
    tree_->SetShellPopupMenu(menu_);
    OpenDriveE();
    if (TTreeNode* top = NodeOf(top_.Path()))
      top->Expand(false);
  }

  void ChooseOn(TTreeNode* node, UINT offset, const std::string& verb) {
    shell_.commands = {{offset, {"コマンド(&X)", verb}}};
    QueueChoice(menu_, tree_->Handle());
    const RECT rect = ItemRect(node);
    const POINT client{rect.left + 2, (rect.top + rect.bottom) / 2};
    // The native tree's own tracking of the press reads the pointer: a pointer elsewhere
    // would make the press a drag and bring no context menu.
    const POINT screen = tree_->ClientToScreen(client);
    SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(client.x, client.y);
    PostMessageA(tree_->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(tree_->Handle(), WM_RBUTTONUP, 0, at);
    uitest::Pump();
    EXPECT_EQ(asked_, 1) << "the menu was asked for the node's folder";
    EXPECT_EQ(tree_->MouseState(), 0);
    EXPECT_EQ(tree_->DropTarget(), nullptr) << "the highlight is cleared";
  }

  TempFolder top_{"文脈", "E:\\"};
  TShellPopupMenu* menu_ = TComponent::Create<TShellPopupMenu>(form_.get());
  FakeContextMenu shell_;
  int asked_ = 0;
};

TEST_F(ShellContextMenuTree, DeleteShowsTheParentAndRefreshes) {
  TTreeNode* sub = NodeOf(top_ / "sub");
  ASSERT_NE(sub, nullptr);
  // The list shows another folder: its current folder could not be removed.
  sub->Parent()->Parent()->SetSelected(true);
  shell_.onInvoke = [&](UINT) { RemoveDirectoryA((top_ / "sub").c_str()); };
  ChooseOn(sub, 17, "delete");
  ASSERT_EQ(GetFileAttributesA((top_ / "sub").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(NodeOf(top_ / "sub"), nullptr) << "refreshed";
  EXPECT_EQ(SelectedPath(tree_), top_.Path().substr(0, top_.Path().size() - 1));
  EXPECT_EQ(form_->list->GetFolderPath(), SelectedPath(tree_));
  // Both watch again: an outside change is shown.
  std::vector<std::unique_ptr<TempFolder>> made;
  auto shown = [&] { return !made.empty() && NodeOf(made.back()->Path()); };
  for (const char* tag : {"o0", "o1", "o2"}) {
    if (shown())
      break;
    made.push_back(std::make_unique<TempFolder>(tag, "E:\\"));
    uitest::PumpUntil(shown, TShDirWatcher::DefaultChangeQuietMs + 10000);
  }
  EXPECT_TRUE(shown());
}

// With a combo linked, it shows the parent too, the deleted folder's entry gone.
TEST_F(ShellContextMenuTree, DeleteWithAComboShowsTheParentInIt) {
  auto* combo = TComponent::Create<TShellComboBox>(form_.get());
  combo->SetParent(form_.get());
  combo->SetBounds(330, 490, 300, 24);
  tree_->SetShellComboBox(combo);
  combo->SetIDList(ListOf(top_ / "sub").Get());
  auto entryOf = [&](const std::string& path) {
    for (int i = 0; i < combo->List().Count(); ++i)
      if (lstrcmpiA(combo->List().Items(i)->GetPath().c_str(), path.c_str()) == 0)
        return i;
    return -1;
  };
  ASSERT_EQ(combo->ItemIndex(), entryOf(top_ / "sub"));
  TTreeNode* sub = NodeOf(top_ / "sub");
  ASSERT_NE(sub, nullptr);
  sub->Parent()->Parent()->SetSelected(true);
  shell_.onInvoke = [&](UINT) { RemoveDirectoryA((top_ / "sub").c_str()); };
  ChooseOn(sub, 17, "delete");
  ASSERT_EQ(GetFileAttributesA((top_ / "sub").c_str()), INVALID_FILE_ATTRIBUTES);
  const std::string parent = top_.Path().substr(0, top_.Path().size() - 1);
  EXPECT_EQ(SelectedPath(tree_), parent);
  EXPECT_EQ(entryOf(top_ / "sub"), -1);
  EXPECT_EQ(combo->ItemIndex(), entryOf(parent));
  EXPECT_EQ(combo->Items().Count(), combo->List().Count());
}

TEST_F(ShellContextMenuTree, RenameEditsTheNodeAndCutMarksIt) {
  TTreeNode* sub = NodeOf(top_ / "sub");
  ASSERT_NE(sub, nullptr);
  ChooseOn(sub, 80, "rename");
  EXPECT_NE(TreeView_GetEditControl(tree_->Handle()), nullptr);
  SendMessageA(tree_->Handle(), TVM_ENDEDITLABELNOW, TRUE, 0);
  EXPECT_TRUE(shell_.invoked.empty()) << "rename is never invoked";

  EXPECT_FALSE(sub->Cut());
  ChooseOn(sub, 24, "cut");
  EXPECT_TRUE(sub->Cut());
  EXPECT_EQ(shell_.invoked, (std::vector<UINT>{24}));
}

} // namespace
