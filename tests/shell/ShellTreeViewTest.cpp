// The shell tree on the test prefix's namespace and fixture folders on drive E:, in a shown
// form: the root, selection by path, refreshing, watching, drops, device notices, renaming, the
// linked list and the window made again.
#include "shell/ShellTreeFixture.h"

#include "shell/ShellUtils.h"

#include <gtest/gtest.h>

#include <dbt.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr char kMyComputer[] = "マイ コンピューター";
constexpr char kBin[] = "ごみ箱";

using ShellTreeBuild = ShellTree;
using ShellTreeSelect = ShellTree;
using ShellTreeRefresh = ShellTree;
using ShellTreeWatch = ShellTree;
using ShellTreeRename = ShellTree;
using ShellTreeRecreate = ShellTree;

class ShellTreeList : public ShellTree {
protected:
  ShellTreeList() : ShellTree(true) {}
};

TEST_F(ShellTreeBuild, OneRootWithMyComputerOpenAndSelected) {
  ASSERT_EQ(tree_->Items().GetFirstNode()->GetNextSibling(), nullptr) << "one top node";
  TTreeNode* root = tree_->Items().GetFirstNode();
  EXPECT_TRUE(root->Expanded());
  TTreeNode* computer = root->GetFirstChild();
  ASSERT_NE(computer, nullptr);
  EXPECT_EQ(computer->Text(), kMyComputer);
  EXPECT_TRUE(computer->Expanded());
  EXPECT_EQ(tree_->Selected(), computer);
  EXPECT_NE(NodeOf("E:\\"), nullptr);
  EXPECT_EQ(NodeOf("E:\\")->Parent(), computer);
  EXPECT_EQ(tree_->GetSelectedIDList(), TShellTreeView::ItemOf(computer)->GetAbsoluteIDList());
  std::string path = "left over";
  EXPECT_FALSE(tree_->GetSelectedPath(path)) << "My Computer has no path";
  EXPECT_EQ(path, "");

  auto texts = ChildTexts(root);
  EXPECT_NE(std::find(texts.begin(), texts.end(), kBin), texts.end()) << "named by default";
  tree_->SetShVirtuaItems({});
  texts = ChildTexts(root);
  EXPECT_EQ(std::find(texts.begin(), texts.end(), kBin), texts.end());
  EXPECT_EQ(root->GetFirstChild(), computer) << "the merge keeps the other nodes";

  EXPECT_GE(tree_->WatchedDrives().IndexOf("E:\\"), 0) << "every fixed drive is watched";
}

TEST_F(ShellTreeSelect, SelectPathOpensEachLevel) {
  TempFolder top("sel", "E:\\");
  const std::string deep = top / "a\\b\\c";
  for (const std::string& level : {top / "a", top / "a\\b", deep})
    ASSERT_TRUE(CreateDirectoryA(level.c_str(), nullptr));
  std::vector<std::string> changes;
  tree_->OnChange = [&](TObject*, TTreeNode* node) {
    changes.push_back(TShellTreeView::ItemOf(node)->GetPath());
  };
  ASSERT_TRUE(tree_->SelectPath(deep));
  EXPECT_EQ(SelectedPath(tree_), deep);
  EXPECT_EQ(changes, std::vector<std::string>{deep});
  for (const std::string& level : {std::string("E:\\"), top.Path(), top / "a", top / "a\\b"}) {
    ASSERT_NE(NodeOf(level), nullptr) << level;
    EXPECT_TRUE(NodeOf(level)->Expanded()) << level;
  }
  EXPECT_FALSE(tree_->SelectPath(top / "無い\\x"));
  EXPECT_EQ(SelectedPath(tree_), deep) << "an unparseable path keeps the selection";
  ASSERT_TRUE(tree_->SelectPath(deep));
  EXPECT_EQ(changes.size(), 1u) << "the selected folder again is no change";
}

TEST_F(ShellTreeSelect, AHiddenFolderWithoutIncludeHiddenGivesTheRoot) {
  TempFolder top("hid", "E:\\");
  for (const char* name : {"!a", ".h", "0z"})
    ASSERT_TRUE(CreateDirectoryA((top / name).c_str(), nullptr));
  tree_->SetIncludeHidden(false);
  OpenDriveE();
  TTreeNode* node = NodeOf(top.Path());
  ASSERT_NE(node, nullptr);
  node->Expand(false);
  auto texts = ChildTexts(node);
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::string>{"!a", "0z"}));
  EXPECT_EQ(tree_->FindNode(ListOf(top / ".h").Get()), tree_->Items().GetFirstNode());
  EXPECT_EQ(tree_->FindNode(ListOf(top / "0z").Get()), NodeOf(top / "0z"));
  tree_->SetIncludeHidden(true);
  EXPECT_EQ(node->Count(), 3) << "the open branch takes the hidden folder in";
}

TEST_F(ShellTreeRefresh, OutsideChangesMergeIntoOpenBranches) {
  TempFolder top("ref", "E:\\");
  for (const char* name : {"b", "d", "d\\inner"})
    ASSERT_TRUE(CreateDirectoryA((top / name).c_str(), nullptr));
  tree_->StopWatching();
  ASSERT_TRUE(tree_->SelectPath(top / "d\\inner"));
  TTreeNode* branch = NodeOf(top.Path());
  TTreeNode* d = NodeOf(top / "d");
  ASSERT_TRUE(d && d->Expanded());
  ASSERT_TRUE(MoveFileA((top / "b").c_str(), (top / "e").c_str()));
  ASSERT_TRUE(CreateDirectoryA((top / "a").c_str(), nullptr));
  tree_->RefreshTree();
  EXPECT_EQ(ChildTexts(branch), (std::vector<std::string>{"a", "d", "e"}));
  EXPECT_EQ(NodeOf(top / "d"), d) << "kept with its branch";
  EXPECT_TRUE(d->Expanded());
  EXPECT_EQ(SelectedPath(tree_), top / "d\\inner");
  EXPECT_EQ(NodeOf(top / "b"), nullptr);
}

TEST_F(ShellTreeWatch, FolderNoticesAndTheButtonsThatHoldThemBack) {
  TempFolder first("first", "E:\\"); // an empty drive does not open
  TTreeNode* e = OpenDriveE();
  ASSERT_NE(e, nullptr);
  TShDirWatcher* watcher = tree_->DirWatcher();
  ASSERT_NE(watcher, nullptr);
  // A notice is delivered once the watcher's quiet period ends; Wine may miss a change made
  // while the watcher re-arms, so each attempt makes one of its own.
  std::vector<std::unique_ptr<TempFolder>> made;
  auto shown = [&] { return !made.empty() && NodeOf(made.back()->Path()); };
  for (const char* tag : {"w0", "w1", "w2"}) {
    if (shown())
      break;
    made.push_back(std::make_unique<TempFolder>(tag, "E:\\"));
    uitest::PumpUntil(shown, TShDirWatcher::DefaultChangeQuietMs + 10000);
  }
  ASSERT_TRUE(shown()) << "made directly in E:\\, shown without a call";

  // The left button held on a node: a notice changes nothing.
  const RECT rect = ItemRect(e);
  SendMessageA(tree_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(rect.left + 2, (rect.top + rect.bottom) / 2));
  ASSERT_EQ(tree_->MouseState(), 1);
  TempFolder held("held", "E:\\");
  EXPECT_TRUE(uitest::PumpUntil([&] { return watcher->Changing(); }));
  EXPECT_TRUE(uitest::PumpUntil([&] { return !watcher->Changing(); }));
  EXPECT_EQ(NodeOf(held.Path()), nullptr) << "held back while the button is down";
  ReleaseCapture();
  EXPECT_EQ(tree_->MouseState(), 0) << "a lost capture ends the press";

  // The right button pressed and released without a menu: the next notice is applied and keys
  // move the selection.
  PostMessageA(tree_->Handle(), WM_RBUTTONDOWN, MK_RBUTTON,
               MAKELPARAM(rect.left + 2, (rect.top + rect.bottom) / 2));
  PostMessageA(tree_->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(rect.left + 2, rect.top + 2));
  uitest::Pump();
  EXPECT_EQ(tree_->MouseState(), 0);
  TempFolder after("after", "E:\\");
  EXPECT_TRUE(uitest::PumpUntil([&] { return NodeOf(after.Path()) != nullptr; },
                                TShDirWatcher::DefaultChangeQuietMs + 10000));
  TTreeNode* before = tree_->Selected();
  tree_->SetFocus();
  uitest::PressKey(tree_->Handle(), VK_DOWN);
  EXPECT_NE(tree_->Selected(), before);
}

class ShellTreeDrop : public ShellTree {
protected:
  POINTL CentreOf(TTreeNode* node) {
    const RECT rect = ItemRect(node);
    const POINT screen =
        tree_->ClientToScreen(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    return POINTL{screen.x, screen.y};
  }
};

TEST_F(ShellTreeDrop, DragOverAFolderHighlightsAndOpensIt) {
  TempFolder top("drop", "E:\\");
  TempFolder source("src");
  TempFolder::WriteFile(source / "f.txt", "x");
  ASSERT_TRUE(CreateDirectoryA((top / "sub").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((top / "sub\\inner").c_str(), nullptr));
  tree_->StopWatching();
  OpenDriveE();
  TTreeNode* node = NodeOf(top.Path());
  ASSERT_TRUE(node && node->HasChildren() && !node->Expanded());
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(tree_->DragEnter(nullptr, 0, {}, &effect), E_INVALIDARG);

  TComPtr<IDataObject> text;
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 6);
  memcpy(GlobalLock(memory), "plain", 6);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  ASSERT_HRESULT_SUCCEEDED(OleGetClipboard(text.Out()));
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(tree_->DragEnter(text.Get(), MK_LBUTTON, CentreOf(node), &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "text only";
  EXPECT_EQ(tree_->MouseState(), 0);

  TComPtr<IDataObject> data = ShellData(source.Path(), "f.txt");
  std::vector<std::string> events;
  tree_->OnShDragOver = [&](TObject*, const TShellDragObject&, TTreeNode* over, TShiftState, int,
                            int) { events.push_back(over ? over->Text() : "none"); };
  tree_->OnShDragLeave = [&](TObject*) { events.push_back("leave"); };
  tree_->OnShDragDrop = [&](TObject*, const TShellDragObject&, TTreeNode* on, TShiftState, int,
                            int, bool& defaultAction) {
    events.push_back("drop " + on->Text());
    defaultAction = false;
  };
  const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  const POINTL over = CentreOf(node);
  effect = all;
  ASSERT_EQ(tree_->DragEnter(data.Get(), MK_LBUTTON, over, &effect), S_OK);
  EXPECT_EQ(tree_->MouseState(), 3);
  EXPECT_EQ(tree_->DropTarget(), node);
  EXPECT_TRUE(SendMessageA(tree_->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->ItemId()),
                           TVIS_DROPHILITED) &
              TVIS_DROPHILITED);
  for (int call = 1; call <= 30; ++call) {
    effect = all;
    tree_->DragOver(MK_LBUTTON, over, &effect);
  }
  EXPECT_FALSE(node->Expanded()) << "30 calls on the same node";
  EXPECT_EQ(tree_->HoverCount(), 30);
  effect = all;
  tree_->DragOver(MK_LBUTTON, over, &effect);
  EXPECT_TRUE(node->Expanded()) << "the 31st opens it";
  EXPECT_EQ(tree_->HoverCount(), 0);
  EXPECT_EQ(ChildTexts(node), std::vector<std::string>{"sub"});

  effect = all;
  tree_->Drop(data.Get(), MK_LBUTTON, over, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "refused by OnShDragDrop";
  EXPECT_EQ(tree_->DropTarget(), nullptr);
  EXPECT_EQ(tree_->MouseState(), 0) << "a drop ends the drag";
  EXPECT_EQ(TempFolder::Names(top / "sub\\"), std::vector<std::string>{"inner"});

  effect = all;
  tree_->DragEnter(data.Get(), MK_LBUTTON, over, &effect);
  tree_->DragLeave();
  EXPECT_EQ(tree_->DropTarget(), nullptr);
  EXPECT_EQ(tree_->MouseState(), 0);
  ASSERT_EQ(events.size(), 35u);
  EXPECT_EQ(events[32], "drop " + node->Text());
  EXPECT_EQ(events.back(), "leave");
}

class ShellTreeDevice : public ShellTree {
protected:
  // Sends the notice to the device window and waits until the tree's watcher delivered it.
  void Send(WPARAM event, DEV_BROADCAST_VOLUME volume) {
    SendMessageA(ShellCtrlList()->Window(), WM_DEVICECHANGE, event,
                 reinterpret_cast<LPARAM>(&volume));
    TShDirWatcher* watcher = tree_->DirWatcher();
    ASSERT_NE(watcher->PendingNotice(), nullptr);
    ASSERT_TRUE(uitest::PumpUntil([&] { return watcher->PendingNotice() == nullptr; }));
  }
  static constexpr DWORD kDriveE = 1u << 4;
  static constexpr DWORD kDriveY = 1u << 24;
};

TEST_F(ShellTreeDevice, MediaAndNetworkVolumes) {
  tree_->StopWatching();
  TempFolder child("dev", "E:\\");
  TTreeNode* e = OpenDriveE();
  ASSERT_NE(e, nullptr);
  ASSERT_GT(e->Count(), 0);
  std::vector<std::string> texts;
  for (TTreeNode* node = tree_->Items().GetFirstNode(); node; node = node->GetNext())
    texts.push_back(node->Text());

  Send(DBT_DEVICEARRIVAL, Volume(kDriveY, DBTF_MEDIA));
  std::vector<std::string> after;
  for (TTreeNode* node = tree_->Items().GetFirstNode(); node; node = node->GetNext())
    after.push_back(node->Text());
  EXPECT_EQ(after, texts) << "a drive without a list changes no node";

  Send(DBT_DEVICEARRIVAL, Volume(kDriveE, DBTF_MEDIA));
  EXPECT_EQ(e->Text(), "Data disk (E:)");
  ASSERT_GT(e->Count(), 0);

  Send(DBT_DEVICEREMOVECOMPLETE, Volume(kDriveE, DBTF_MEDIA));
  EXPECT_EQ(e->Text(), " (E:)");
  EXPECT_EQ(e->Count(), 0);
  EXPECT_TRUE(e->HasChildren()) << "it opens again when the medium is back";
  EXPECT_EQ(tree_->Selected(), e->Parent());

  e->Expand(false);
  TempFolder made("net", "E:\\");
  EXPECT_EQ(NodeOf(made.Path()), nullptr);
  Send(DBT_DEVICEARRIVAL, Volume(kDriveE, DBTF_NET));
  EXPECT_NE(NodeOf(made.Path()), nullptr) << "a network volume refreshes";
}

TEST_F(ShellTreeRename, LabelEditRenamesAndResorts) {
  TempFolder top("ren", "E:\\");
  for (const char* name : {"b", "c"})
    ASSERT_TRUE(CreateDirectoryA((top / name).c_str(), nullptr));
  tree_->StopWatching();
  ASSERT_TRUE(tree_->SelectPath(top / "c"));
  TTreeNode* c = NodeOf(top / "c");
  ASSERT_NE(c, nullptr);
  tree_->SetFocus();
  ASSERT_TRUE(c->EditText());
  HWND edit = reinterpret_cast<HWND>(SendMessageA(tree_->Handle(), TVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "a");
  SendMessageA(tree_->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
  uitest::Pump();
  EXPECT_EQ(TempFolder::Names(top.Path()), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(ChildTexts(NodeOf(top.Path())), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(NodeOf(top / "a"), c) << "renamed in place";

  TTreeNode* root = tree_->Items().GetFirstNode();
  EXPECT_FALSE(TShellTreeView::ItemOf(root)->HasAttribute(saCanRename));
  EXPECT_FALSE(root->EditText()) << "the desktop cannot be renamed";
  tree_->ReadOnly = true;
  tree_->RecreateWnd();
  TTreeNode* b = NodeOf(top / "b");
  ASSERT_NE(b, nullptr);
  EXPECT_FALSE(b->EditText()) << "read only";
}

TEST_F(ShellTreeRecreate, CheckboxesOffKeepsTheSelectionAndSettingsResetImages) {
  TempFolder top("rec", "E:\\");
  ASSERT_TRUE(tree_->SelectPath(top.Path()));
  tree_->SetCheckboxes(true);
  EXPECT_TRUE(GetWindowLongA(tree_->Handle(), GWL_STYLE) & TVS_CHECKBOXES);
  HWND before = tree_->Handle();
  tree_->SetCheckboxes(false);
  EXPECT_NE(tree_->Handle(), before) << "made again without them";
  EXPECT_FALSE(GetWindowLongA(tree_->Handle(), GWL_STYLE) & TVS_CHECKBOXES);
  EXPECT_EQ(SelectedPath(tree_), top.Path().substr(0, top.Path().size() - 1));
  EXPECT_FALSE(tree_->Recreating());

  SendMessageA(tree_->Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
  SendMessageA(form_->Handle(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_TRUE(uitest::PumpUntil([&] {
    return reinterpret_cast<HIMAGELIST>(
               SendMessageA(tree_->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0)) ==
           GetSysImageList(false);
  }));
}

TEST_F(ShellTreeList, TheListFollowsAfterTheChangeDelay) {
  TempFolder top("list", "E:\\");
  ASSERT_TRUE(CreateDirectoryA((top / "sub").c_str(), nullptr));
  TempFolder::WriteFile(top / "file.txt", "x");
  TShellListView* list = form_->list;
  EXPECT_EQ(CompareIDLists(DesktopShellFolder().Get(), list->GetFolderIDList(),
                           tree_->GetSelectedIDList()),
            ioEqual)
      << "made in the form's constructor, the list shows the tree's selection";
  tree_->SetChangeDelay(256);
  const std::string folder = top.Path().substr(0, top.Path().size() - 1);
  ASSERT_TRUE(tree_->SelectPath(folder));
  EXPECT_NE(list->GetFolderPath(), folder) << "not before the delay";
  EXPECT_TRUE(uitest::PumpUntil([&] { return list->GetFolderPath() == folder; }));
  EXPECT_EQ(list->FileList().Count(), 2);

  // The list opens its sub-folder: the tree selects it.
  int sub = -1;
  for (int i = 0; i < list->FileList().Count(); ++i)
    if (list->FileList().GetItem(i)->GetDisplayName() == "sub")
      sub = i;
  ASSERT_GE(sub, 0);
  NMITEMACTIVATE activate{};
  activate.hdr.hwndFrom = list->Handle();
  activate.hdr.code = LVN_ITEMACTIVATE;
  activate.iItem = sub;
  list->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&activate));
  EXPECT_EQ(SelectedPath(tree_), top / "sub");

  // With AutoExpand the release of a press on a node shows its folder at once.
  tree_->AutoExpand = true;
  TTreeNode* parent = NodeOf(top.Path());
  const RECT rect = ItemRect(parent);
  const LPARAM at = MAKELPARAM(rect.left + 2, (rect.top + rect.bottom) / 2);
  SendMessageA(tree_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  EXPECT_EQ(tree_->MouseState(), 1);
  EXPECT_EQ(tree_->DropTarget(), parent) << "shown until the release";
  SendMessageA(tree_->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(tree_->Selected(), parent);
  EXPECT_EQ(list->GetFolderPath(), folder);

  // The list's settings reach the tree.
  list->SetIncludeHidden(false);
  EXPECT_FALSE(tree_->IncludeHidden());
}

TEST_F(ShellTreeList, ARemovedFolderGivesTheListTheTreesNewSelection) {
  TempFolder top("gone", "E:\\");
  TempFolder::WriteFile(top / "held.txt", "x");
  TShellListView* list = form_->list;
  const std::string folder = top.Path().substr(0, top.Path().size() - 1);
  ASSERT_TRUE(tree_->SelectPath(folder));
  ASSERT_EQ(list->GetFolderPath(), folder);
  SetCurrentDirectoryA(savedFolder_); // a current folder cannot be removed
  // Wine keeps a folder that a watcher holds open: the list lets go of it first.
  list->StopWatching();
  ASSERT_TRUE(DeleteFileA((top / "held.txt").c_str()));
  ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
  EXPECT_TRUE(uitest::PumpUntil(
      [&] {
        const std::string selected = SelectedPath(tree_);
        return selected != folder && list->GetFolderPath() == selected;
      },
      TShDirWatcher::DefaultChangeQuietMs + TShFilesWatcher::DefaultQuietMs + 10000));
  EXPECT_EQ(NodeOf(folder), nullptr);
}

} // namespace
