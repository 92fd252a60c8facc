// The shell combo box in a shown form, on the test prefix's namespace and fixture folders on
// drive E: and the desktop: its permanent and temporary entries, a linked tree, drawing,
// heights, drops and the window made again.
#include "shell/ShellTreeFixture.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <utility>

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr char kMyComputer[] = "マイ コンピューター";

class ProbedCombo : public TShellComboBox {
public:
  explicit ProbedCombo(TComponent* owner) : TShellComboBox(owner) {}
  using TShellComboBox::DragEnter;
  using TShellComboBox::DragLeave;
  using TShellComboBox::DragOver;
  using TShellComboBox::Drop;

  // (index, selection field) of each entry drawn.
  std::vector<std::pair<int, bool>> drawn;

protected:
  void DrawItem(int index, HDC dc, const RECT& rect, UINT state, bool editPart) override {
    drawn.emplace_back(index, editPart);
    TShellComboBox::DrawItem(index, dc, rect, state, editPart);
  }
};

class ComboForm : public TForm {
public:
  ProbedCombo* combo = nullptr;
  TShellTreeView* tree = nullptr;

protected:
  ComboForm(TComponent* owner, bool withTree) : TForm(owner) {
    SetBounds(0, 0, 720, 520);
    combo = Create<ProbedCombo>(this, "ShellComboBox1");
    combo->SetParent(this);
    combo->SetBounds(0, 0, 320, 24);
    if (!withTree)
      return;
    tree = Create<TShellTreeView>(this, "ShellTreeView1");
    tree->SetParent(this);
    tree->SetBounds(0, 40, 320, 440);
    tree->SetShellComboBox(combo);
  }
};

class ShellCombo : public testing::Test {
protected:
  explicit ShellCombo(bool withTree = false) : form_(uitest::MakeForm<ComboForm>(withTree)) {
    form_->Show();
    combo_ = form_->combo;
  }

  TShellComboItem* Entry(int index) { return combo_->List().Items(index); }
  // The entry of a folder's path ("E:\\" for the drive); -1 for none.
  int IndexOf(const std::string& path) {
    std::string wanted = path;
    if (wanted.size() > 3 && wanted.back() == '\\')
      wanted.pop_back();
    for (int i = 1; i < combo_->List().Count(); ++i)
      if (lstrcmpiA(Entry(i)->GetPath().c_str(), wanted.c_str()) == 0)
        return i;
    return -1;
  }
  int IndexOfName(const std::string& name) {
    for (int i = 0; i < combo_->List().Count(); ++i)
      if (Entry(i)->GetDisplayName() == name)
        return i;
    return -1;
  }
  int TemporaryCount() {
    int count = 0;
    for (int i = 0; i < combo_->List().Count(); ++i)
      count += Entry(i)->Temporary;
    return count;
  }
  // The user picks the entry from the drop-down list.
  void Choose(int index) {
    SendMessageA(combo_->Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(form_->Handle(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(combo_->Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo_->Handle()));
  }
  bool Shows(const std::string& path) {
    return CompareIDLists(DesktopShellFolder().Get(), combo_->GetIDList(),
                          ListOf(path).Get()) == ioEqual;
  }
  static std::string Unslashed(const TempFolder& folder) {
    return folder.Path().substr(0, folder.Path().size() - 1);
  }

  TOwned<ComboForm> form_;
  ProbedCombo* combo_ = nullptr;
};

class ShellComboTree : public ShellCombo {
protected:
  ShellComboTree() : ShellCombo(true) {}
};

// Folders made directly on the desktop, removed at the end.
class DesktopFolders {
public:
  explicit DesktopFolders(std::initializer_list<std::string> names) {
    std::string desktop;
    IDListToPath(SpecialFolder(sfDesktopDirectory).Get(), desktop);
    const std::string unique = std::to_string(GetCurrentProcessId()) + "_" +
                               std::to_string(GetTickCount());
    for (const std::string& name : names) {
      paths_.push_back(desktop + "\\" + name + unique);
      EXPECT_TRUE(CreateDirectoryA(paths_.back().c_str(), nullptr)) << paths_.back();
    }
  }
  ~DesktopFolders() {
    for (const std::string& path : paths_)
      RemoveDirectoryA(path.c_str());
  }
  const std::string& operator[](size_t index) const { return paths_[index]; }
  std::string Name(size_t index) const { return paths_[index].substr(paths_[index].rfind('\\') + 1); }

private:
  std::vector<std::string> paths_;
};

void CheckMirroredStrings(TShellComboBox* combo) {
  ASSERT_EQ(combo->Items().Count(), combo->List().Count());
  ASSERT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), combo->List().Count());
  for (int i = 0; i < combo->List().Count(); ++i) {
    EXPECT_EQ(combo->Items().Get(i), "") << i;
    EXPECT_EQ(combo->Items().Objects(i), combo->List().Items(i)) << i;
  }
}

TEST_F(ShellCombo, ReloadOnAnEmptyComboGivesTheDesktopItsChildrenAndTheDrives) {
  combo_->List().Clear();
  combo_->SetItemIndex(-1);
  combo_->Reload();
  ASSERT_GT(combo_->List().Count(), 3);
  TShellComboItem* desktop = Entry(0);
  EXPECT_EQ(desktop->GetLevel(), 0);
  EXPECT_EQ(desktop->Parent, nullptr);
  EXPECT_EQ(combo_->ItemIndex(), 0) << "nothing was selected: the desktop";
  EXPECT_TRUE(combo_->Building());
  EXPECT_EQ(TemporaryCount(), 0);

  TShellComboItem* computer = Entry(1);
  EXPECT_EQ(computer->GetDisplayName(), kMyComputer);
  EXPECT_EQ(computer->Parent, desktop);
  const int e = IndexOf("E:\\");
  ASSERT_GT(e, 1);
  EXPECT_EQ(Entry(e)->Parent, computer) << "the drives follow My Computer";
  EXPECT_EQ(Entry(e)->GetLevel(), 2);
  EXPECT_EQ(Entry(e)->Indentation(), 24);
  EXPECT_EQ(Entry(2)->Parent, computer);
  // Below the drives, the desktop's other sub-folders; none of the drives is filled.
  bool desktopChildAfterDrives = false;
  for (int i = 2; i < combo_->List().Count(); ++i) {
    EXPECT_LE(Entry(i)->GetLevel(), 2) << i;
    desktopChildAfterDrives |= Entry(i)->Parent == desktop;
  }
  EXPECT_TRUE(desktopChildAfterDrives);
  CheckMirroredStrings(combo_);

  const int count = combo_->List().Count();
  combo_->SetItemIndex(e);
  combo_->Reload();
  EXPECT_EQ(combo_->List().Count(), count) << "merged, not made twice";
  EXPECT_EQ(combo_->ItemIndex(), e) << "a selection stays";
}

TEST_F(ShellCombo, SetIDListAddsTheLevelsBelowADriveAsTemporaryEntries) {
  TempFolder top("cmb", "E:\\");
  ASSERT_TRUE(CreateDirectoryA((top / "a").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((top / "a\\b").c_str(), nullptr));
  const int e = IndexOf("E:\\");
  ASSERT_GT(e, 0);
  const int count = combo_->List().Count();
  const int level = Entry(e)->GetLevel();

  combo_->SetIDList(ListOf(top / "a\\b").Get());
  ASSERT_EQ(combo_->List().Count(), count + 3);
  EXPECT_EQ(combo_->ItemIndex(), e + 3);
  EXPECT_TRUE(Shows(top / "a\\b"));
  const std::string paths[] = {Unslashed(top), top / "a", top / "a\\b"};
  for (int step = 1; step <= 3; ++step) {
    TShellComboItem* entry = Entry(e + step);
    EXPECT_TRUE(entry->Temporary) << step;
    EXPECT_EQ(entry->Parent, Entry(e + step - 1)) << step;
    EXPECT_EQ(entry->GetLevel(), level + step);
    EXPECT_EQ(entry->Indentation(), 12 * (level + step));
    EXPECT_EQ(entry->GetPath(), paths[step - 1]);
  }
  EXPECT_FALSE(Entry(e)->Temporary);
  CheckMirroredStrings(combo_);

  combo_->SetIDList(ListOf(top / "a\\b").Get());
  combo_->SetIDList(nullptr);
  EXPECT_EQ(combo_->List().Count(), count + 3) << "the same folder again, or none: no change";

  // A temporary entry under a temporary one loses its children; one under a permanent entry
  // keeps them.
  Choose(e + 2);
  EXPECT_EQ(combo_->List().Count(), count + 2);
  EXPECT_TRUE(Shows(top / "a"));
  Choose(e + 1);
  EXPECT_EQ(combo_->List().Count(), count + 2);
  EXPECT_EQ(combo_->ItemIndex(), e + 1);

  Choose(e);
  EXPECT_EQ(TemporaryCount(), 0) << "a permanent entry chosen";
  EXPECT_EQ(combo_->List().Count(), count);
  EXPECT_EQ(combo_->ItemIndex(), e);
  CheckMirroredStrings(combo_);
}

TEST_F(ShellComboTree, TheTreeAndTheComboFollowEachOther) {
  TempFolder top("fol", "E:\\");
  ASSERT_TRUE(CreateDirectoryA((top / "a").c_str(), nullptr));
  TShellTreeView* tree = form_->tree;
  EXPECT_EQ(tree->ShellComboBox(), combo_);
  EXPECT_EQ(combo_->ShellTreeView(), tree);
  EXPECT_EQ(CompareIDLists(DesktopShellFolder().Get(), combo_->GetIDList(),
                           tree->GetSelectedIDList()),
            ioEqual)
      << "linked in the form's constructor, the combo shows the tree's selection";

  ASSERT_TRUE(tree->SelectPath(top / "a"));
  EXPECT_TRUE(Shows(top / "a"));
  EXPECT_EQ(TemporaryCount(), 2);

  std::vector<std::string> log;
  combo_->OnChange = [&](TObject*) { log.push_back("combo"); };
  tree->OnChange = [&](TObject*, TTreeNode*) { log.push_back("tree"); };
  Choose(IndexOf("E:\\"));
  std::string path;
  ASSERT_TRUE(tree->GetSelectedPath(path));
  EXPECT_EQ(path, "E:\\");
  EXPECT_EQ(log, (std::vector<std::string>{"combo", "tree"}));
  EXPECT_EQ(TemporaryCount(), 0);

  tree->SetShellComboBox(nullptr);
  EXPECT_EQ(combo_->ShellTreeView(), nullptr);
  Choose(0);
  ASSERT_TRUE(tree->GetSelectedPath(path));
  EXPECT_EQ(path, "E:\\") << "unlinked";
}

// Wine hides dot-folders. One between a lesser and a greater sibling is not among the
// desktop's entries without IncludeHidden: the search ends instead of stepping to and fro.
// (A path's list reaches the desktop folder through My Computer: the lists are the entries'.)
TEST_F(ShellCombo, FindItemForAHiddenFolderAmongTheDesktopsEntriesReturns) {
  DesktopFolders folders({"!cmb", ".cmb", "0cmb"});
  combo_->Reload();
  std::vector<TOwnedIDList> lists;
  for (size_t i = 0; i < 3; ++i) {
    const int index = IndexOfName(folders.Name(i));
    ASSERT_GT(index, 0) << i;
    EXPECT_EQ(Entry(index)->GetLevel(), 1);
    lists.emplace_back(CopyIDList(Entry(index)->GetAbsoluteIDList()));
  }
  EXPECT_EQ(combo_->FindItem(lists[1].Get()), IndexOfName(folders.Name(1)));

  combo_->SetIncludeHidden(false);
  combo_->Reload();
  EXPECT_EQ(IndexOfName(folders.Name(1)), -1);
  const int count = combo_->List().Count();
  EXPECT_EQ(combo_->FindItem(lists[2].Get()), IndexOfName(folders.Name(2)));
  EXPECT_EQ(combo_->FindItem(lists[1].Get()), 0);
  EXPECT_EQ(combo_->List().Count(), count);
  EXPECT_EQ(combo_->FindItem(nullptr), 0);
  EXPECT_EQ(combo_->FindItem(SpecialFolder(sfDesktop).Get()), 0);
}

TEST_F(ShellCombo, TheSelectionFieldShowsThePathOrTheDesktopsName) {
  const int e = IndexOf("E:\\");
  ASSERT_GT(e, 0);
  EXPECT_EQ(combo_->EntryText(e, true), "E:\\");
  EXPECT_EQ(combo_->EntryText(e, false), Entry(e)->GetDisplayName());
  EXPECT_NE(Entry(e)->GetDisplayName(), "E:\\");
  ASSERT_NE(Entry(0)->GetPath(), "") << "the desktop has a path of its own";
  EXPECT_EQ(combo_->EntryText(0, true), Entry(0)->GetDisplayName());
  EXPECT_EQ(combo_->EntryText(1, true), kMyComputer) << "no path";
  EXPECT_EQ(combo_->EntryText(-1, true), "");

  combo_->SetItemIndex(e);
  combo_->drawn.clear();
  RedrawWindow(combo_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NE(std::find(combo_->drawn.begin(), combo_->drawn.end(), std::pair{e, true}),
            combo_->drawn.end())
      << "the selection field is drawn as such";
  EXPECT_FALSE(combo_->DrawingEdit());
}

TEST_F(ShellCombo, EntriesAndTheSelectionFieldAreAtLeastEighteenPixelsHigh) {
  auto height = [&](int index) {
    return static_cast<int>(
        SendMessageA(combo_->Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(index), 0));
  };
  EXPECT_GE(height(-1), TShellComboBox::MinItemHeight);
  EXPECT_GE(height(0), TShellComboBox::MinItemHeight);
  // Wine counts the selection field's frame in: it is never lower than an entry.
  combo_->Font().SetHeight(6);
  combo_->RecreateWnd();
  EXPECT_EQ(height(1), TShellComboBox::MinItemHeight);
  EXPECT_GE(height(-1), TShellComboBox::MinItemHeight);
  combo_->Font().SetHeight(30);
  combo_->RecreateWnd();
  EXPECT_GT(height(1), TShellComboBox::MinItemHeight);
  EXPECT_GE(height(-1), height(1));
}

TEST_F(ShellCombo, TheDesktopFontFollowsTheIconTitlesFontsSize) {
  auto settingsChanged = [&] {
    combo_->Perform(CM_WININICHANGE, SPI_SETICONTITLELOGFONT, 0);
    uitest::Pump();
  };
  EXPECT_FALSE(combo_->DesktopFont());
  combo_->Font().SetHeight(40);
  HWND window = combo_->Handle();
  settingsChanged();
  EXPECT_EQ(combo_->Handle(), window) << "off";
  const int big = combo_->Font().Value().PixelHeight();

  combo_->SetDesktopFont(true);
  EXPECT_NE(combo_->Handle(), window) << "a font of another size";
  window = combo_->Handle();
  const TFont icon = combo_->Font().Value();
  EXPECT_NE(icon.PixelHeight(), big);
  settingsChanged();
  EXPECT_EQ(combo_->Handle(), window) << "the same size";
  combo_->Font().SetHeight(40);
  settingsChanged();
  EXPECT_TRUE(uitest::PumpUntil([&] { return combo_->Handle() != window; }));
  EXPECT_EQ(combo_->Font().Value(), icon);
}

TEST_F(ShellCombo, TheSelectedFolderTakesDrops) {
  TempFolder target("dst", "E:\\");
  TempFolder source("src", "E:\\");
  TempFolder::WriteFile(source / "f.txt", "f");
  ASSERT_TRUE(CreateDirectoryA((target / "sub").c_str(), nullptr));
  combo_->SetIDList(ListOf(target / "sub").Get());
  const std::string sub = Entry(combo_->ItemIndex())->GetDisplayName();
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(combo_->DragEnter(nullptr, 0, {}, &effect), E_INVALIDARG);

  std::vector<std::string> events;
  combo_->OnShDragOver = [&](TObject*, const TShellDragObject&, TShellComboItem* item,
                             TShiftState, int, int) {
    events.push_back(item ? "over " + item->GetDisplayName() : "over none");
  };
  combo_->OnShDragDrop = [&](TObject*, const TShellDragObject&, TShellComboItem* item,
                             TShiftState, int, int, bool& defaultAction) {
    events.push_back("drop " + item->GetDisplayName());
    defaultAction = false;
  };
  combo_->OnShDragLeave = [&](TObject*) { events.push_back("leave"); };
  TComPtr<IDataObject> data = ShellData(Unslashed(source), "f.txt");
  const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  effect = all;
  ASSERT_EQ(combo_->DragEnter(data.Get(), MK_LBUTTON, {5, 5}, &effect), S_OK);
  EXPECT_NE(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "a folder of the file system";
  effect = all;
  combo_->Drop(data.Get(), MK_LBUTTON, {5, 5}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "refused by OnShDragDrop";

  // My Computer takes no drops: no target, no effect.
  Choose(1);
  effect = all;
  combo_->DragEnter(data.Get(), MK_LBUTTON, {5, 5}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  combo_->DragLeave();

  combo_->OnShDragEnter = [&](TObject*, const TShellDragObject&, TShiftState, POINT,
                              bool& accept) { accept = false; };
  effect = all;
  combo_->DragEnter(data.Get(), MK_LBUTTON, {5, 5}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = all;
  combo_->DragOver(MK_LBUTTON, {5, 5}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "refused on entering";
  EXPECT_EQ(events,
            (std::vector<std::string>{"over " + sub, "drop " + sub, "over none", "leave"}));
  EXPECT_EQ(TempFolder::Names(target / "sub\\"), std::vector<std::string>{});
}

TEST_F(ShellCombo, MadeAgainTheWindowKeepsTheSelection) {
  TempFolder top("again", "E:\\");
  ASSERT_TRUE(CreateDirectoryA((top / "a").c_str(), nullptr));
  combo_->SetIDList(ListOf(top / "a").Get());
  const int count = combo_->List().Count();
  HWND before = combo_->Handle();
  combo_->RecreateWnd();
  EXPECT_NE(combo_->Handle(), before);
  EXPECT_TRUE(Shows(top / "a"));
  EXPECT_EQ(combo_->List().Count(), count);
  CheckMirroredStrings(combo_);
}

} // namespace
