// Shell items of the desktop, My Computer, drive E: and fixtures from the real shell; the
// icon and overlay answers Wine's folders never give come from a fake parent folder.
#include "shell/ShellDataItem.h"

#include "common/TempFolder.h"
#include "core/Exceptions.h"
#include "shell/FakeShellFolder.h"
#include "shell/ShellCst.h"

#include <gtest/gtest.h>

#include <set>

using namespace quolin;
using namespace quolin::test_support;
using enum TShItemIDType;

namespace {

// An item known by its absolute list; the desktop item's own list is the desktop directory.
class TPlainItem final : public TShellDataItem {
public:
  explicit TPlainItem(LPCITEMIDLIST absolute)
      : TShellDataItem(nullptr), level_(GetIDListLevel(absolute)) {
    AbsIDList.Reset(CopyIDList(absolute));
    ParentIDList.Reset(GetIDListParent(absolute));
    if (level_ == 0)
      GetSpecialFolderIDList(sfDesktopDirectory, IDList.Out());
    else
      IDList.Reset(GetLastItemID(absolute));
  }
  int GetIndex() override { return 0; }
  int GetLevel() override { return level_; }
  LPCITEMIDLIST GetParentIDList() override { return ParentIDList.Get(); }
  LPCITEMIDLIST GetAbsoluteIDList() override { return AbsIDList.Get(); }
  bool IsValid() override { return true; }

private:
  int level_;
};

class ShellItem : public testing::Test {
protected:
  ShellItem() {
    CreateDirectoryA(folder_.c_str(), nullptr);
    TempFolder::WriteFile(file_, "text");
  }

  TempFolder temp_;
  const std::string folder_ = temp_ / "フォルダ";
  const std::string file_ = temp_ / "表.txt";
};

TEST_F(ShellItem, TypesOfTheNamespace) {
  constexpr int kControlPanel = 3;
  const std::pair<TOwnedIDList, TShItemIDType> cases[] = {
      {SpecialFolder(sfDesktop), itDeskTop},
      {SpecialFolder(sfMyComputer), itMyComputer},
      {SpecialFolder(sfBitBucket), itBitBucket},
      {SpecialFolder(kControlPanel), itVirtual},
      {ListOf("E:\\"), itRootDrive},
      {ListOf(folder_), itFolder},
      {ListOf(file_), itFile}};
  for (const auto& [list, type] : cases) {
    TPlainItem item(list.Get());
    EXPECT_EQ(item.GetItemType(), type) << static_cast<int>(type);
  }
  EXPECT_EQ(TPlainItem(SpecialFolder(kControlPanel).Get()).GetLevel(), 2);

  // The test prefix's desktop: My Computer, Documents and the recycle bin, not the Unix root.
  TComPtr<IEnumIDList> children;
  ASSERT_EQ(DesktopShellFolder()->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS,
                                              children.Out()),
            S_OK);
  std::multiset<TShItemIDType> types;
  for (TOwnedIDList child; children->Next(1, &child.Out(), nullptr) == S_OK;) {
    types.insert(TPlainItem(child.Get()).GetItemType());
    EXPECT_NE(TPlainItem(child.Get()).GetPath(), "Z:\\");
  }
  EXPECT_EQ(types.count(itMyComputer), 1u);
  EXPECT_EQ(types.count(itBitBucket), 1u);
  EXPECT_GE(types.count(itFolder), 1u);
}

TEST_F(ShellItem, AttributesPathsNamesAndLevels) {
  TPlainItem file(ListOf(file_).Get());
  TPlainItem drive(ListOf("E:\\").Get());
  EXPECT_TRUE(file.HasAttribute(saCapabilities));
  EXPECT_FALSE(drive.HasAttribute(saCapabilities)) << "a drive cannot be moved or deleted";
  EXPECT_TRUE(drive.HasAttribute(25));
  EXPECT_TRUE(file.HasAttribute(25));
  // Every bit of the mask counts: mingw's display mask (0xFC000) has a bit more.
  EXPECT_FALSE(HasShellAttribute(0x176, saCapabilities) || HasShellAttribute(0x70000, 13));
  EXPECT_TRUE(HasShellAttribute(0xF0000, 13) && HasShellAttribute(0x80000, 12));
  EXPECT_EQ(file.GetPath(), file_);
  EXPECT_EQ(file.GetDisplayName(), "表.txt");
  EXPECT_EQ(file.GetLevel(), GetIDListLevel(ListOf(temp_.Path()).Get()) + 1);

  TPlainItem desktopItem(SpecialFolder(sfDesktop).Get());
  std::string desktopDirectory;
  IDListToPath(SpecialFolder(sfDesktopDirectory).Get(), desktopDirectory);
  EXPECT_EQ(desktopItem.GetLevel(), 0);
  EXPECT_EQ(desktopItem.GetPath(), desktopDirectory);
  std::string name;
  GetDisplayName(DesktopShellFolder().Get(), SpecialFolder(sfDesktop).Get(), name, SHGDN_INFOLDER);
  EXPECT_EQ(desktopItem.GetDisplayName(), name);
  EXPECT_NE(name, "");
}

// The names of what a folder holds, as its own folder parses them.
std::set<std::string> ChildNames(IShellFolder* folder) {
  std::set<std::string> names;
  TComPtr<IEnumIDList> children;
  if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, children.Out()) != S_OK)
    return names;
  for (TOwnedIDList child; children->Next(1, &child.Out(), nullptr) == S_OK;) {
    std::string name;
    GetDisplayName(folder, child.Get(), name, SHGDN_INFOLDER | SHGDN_FORPARSING);
    names.insert(name);
  }
  return names;
}

TEST_F(ShellItem, BindFolderGivesTheItemsOwnFolder) {
  TComPtr<IShellFolder> folder;
  ASSERT_TRUE(TPlainItem(ListOf(temp_.Path()).Get()).BindFolder(folder));
  EXPECT_EQ(ChildNames(folder.Get()), (std::set<std::string>{"フォルダ", "表.txt"}));
  ASSERT_TRUE(TPlainItem(ListOf(folder_).Get()).BindFolder(folder));
  EXPECT_TRUE(ChildNames(folder.Get()).empty());
  // The desktop is its own folder: no parent binds it.
  ASSERT_TRUE(TPlainItem(SpecialFolder(sfDesktop).Get()).BindFolder(folder));
  EXPECT_EQ(ChildNames(folder.Get()), ChildNames(DesktopShellFolder().Get()));
  EXPECT_FALSE(ChildNames(folder.Get()).empty());
}

TEST_F(ShellItem, IconsAndOverlaysFallBackToTheSystemAndTheAttributes) {
  TOwnedIDList list = ListOf(file_);
  const int systemIcon = GetSysIconIndex(list.Get(), false, false);
  struct Case {
    bool offers;
    HRESULT answer;
    int given;
    int icon;
  };
  const Case icons[] = {{true, S_OK, 7, 7},
                        {true, E_FAIL, 7, systemIcon},
                        {true, S_OK, -2, systemIcon},
                        {false, S_OK, 7, systemIcon}};
  for (const Case& c : icons) {
    FakeShellFolder fake;
    fake.offersIcon = c.offers;
    fake.iconAnswer = c.answer;
    fake.icon = c.given;
    TPlainItem item(list.Get());
    *item.ParentFolder.Out() = &fake;
    EXPECT_EQ(item.GetIconIndex(), c.icon) << c.offers << " " << c.given;
  }

  const Case overlays[] = {{true, S_OK, 3, 2},
                           {true, E_FAIL, 3, -1},
                           {false, SFGAO_SHARE, 0, 0},
                           {false, SFGAO_LINK, 0, 1},
                           {false, SFGAO_SHARE | SFGAO_LINK, 0, 0},
                           {false, 0, 0, -1}};
  for (const Case& c : overlays) {
    FakeShellFolder fake;
    fake.offersOverlay = c.offers;
    fake.overlayAnswer = c.offers ? c.answer : S_OK;
    fake.attributes = c.offers ? 0 : static_cast<ULONG>(c.answer);
    fake.overlay = c.given;
    TPlainItem item(list.Get());
    *item.ParentFolder.Out() = &fake;
    EXPECT_EQ(item.GetOverlayIndex(), c.icon) << c.offers << " " << std::hex << c.answer;
  }
}

TEST_F(ShellItem, IDListsGivePathsAndCapabilities) {
  TShellIDList lists;
  EXPECT_EQ(lists.GetItemsArray(), nullptr);
  EXPECT_EQ(lists.GetCapabilities(), 0u) << "no items";
  lists.ParentIDList.Reset(ListOf(temp_.Path()).Release());
  lists.Add(GetLastItemID(ListOf(file_).Get()));
  lists.Add(GetLastItemID(ListOf(folder_).Get()));
  std::string path;
  EXPECT_TRUE(lists.GetItemPath(0, path));
  EXPECT_EQ(path, file_);
  EXPECT_TRUE(lists.GetItemPath(1, path));
  EXPECT_EQ(path, folder_);
  EXPECT_EQ(lists.GetItem(2), nullptr);
  EXPECT_EQ(lists.GetItem(-1), nullptr);
  EXPECT_EQ(lists.GetItemsArray()[1], lists.GetItem(1));
  EXPECT_EQ(lists.GetCapabilities(), 0x177u);
  EXPECT_TRUE(lists.HasAttribute(saFileSystem));
  EXPECT_FALSE(lists.HasAttribute(saLink));

  TShellIDList drives;
  drives.ParentIDList.Reset(SpecialFolder(sfMyComputer).Release());
  drives.Add(GetLastItemID(ListOf("E:\\").Get()));
  EXPECT_EQ(drives.GetCapabilities() & (DROPEFFECT_COPY | DROPEFFECT_MOVE), 0u);
}

TEST_F(ShellItem, DragObjectNeedsData) {
  try {
    TShellDragObject drag(nullptr);
    FAIL() << "made without data";
  } catch (const EInvalidOperation& error) {
    EXPECT_EQ(error.Message(), shellcst::InvalidParameter);
  }
}

} // namespace
