// Special folders, paths, levels, comparisons, display names and icons from the real shell,
// on fixture folders; the answers the real shell never gives come from a small fake folder.
#include "shell/ShellIDFunc.h"

#include "common/ComPtr.h"
#include "common/TempFolder.h"
#include "core/Paths.h"
#include "core/Sjis.h"
#include "shell/FakeShellFolder.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace quolin;
using namespace quolin::test_support;

namespace {

using TFakeFolder = FakeShellFolder;

constexpr auto& kName = TFakeFolder::kName;

// A folder named kName inside a temporary folder, and the desktop folder.
class ShellNamespace : public testing::Test {
protected:
  ShellNamespace() {
    CreateDirectoryA(path_.c_str(), nullptr);
    EXPECT_EQ(SHGetDesktopFolder(desktop_.Out()), S_OK);
  }

  TempFolder temp_;
  const std::string path_ = temp_ / kName;
  TComPtr<IShellFolder> desktop_;
};

TEST_F(ShellNamespace, SpecialFoldersAndPathsResolve) {
  for (int index : {sfDesktop, sfBitBucket, sfDesktopDirectory, sfMyComputer, sfNetwork})
    EXPECT_TRUE(SpecialFolder(index)) << index;
  EXPECT_EQ(IDListSize(SpecialFolder(sfDesktop).Get()), 2) << "the desktop is the empty list";
  for (int index : {-1, SpecialFolderCount}) {
    TOwnedIDList list;
    EXPECT_FALSE(GetSpecialFolderIDList(index, list.Out()) || list) << index;
  }

  std::string path = "left over";
  EXPECT_TRUE(IDListToPath(ListOf(path_).Get(), path));
  EXPECT_EQ(path, path_);
  TOwnedIDList missing;
  EXPECT_FALSE(PathToIDList(temp_ / "無い", missing.Out()) || missing);
  EXPECT_FALSE(IDListToPath(SpecialFolder(sfMyComputer).Get(), path)) << "My Computer";
  EXPECT_EQ(path, "");
  EXPECT_FALSE(IDListToPath(nullptr, path));
}

TEST_F(ShellNamespace, LevelsCountTheItemsBelowTheDesktop) {
  // My Computer and the drive, then one item per name after the drive.
  int names = 0;
  for (std::string at = path_; ExtractFileDir(at) != at; at = ExtractFileDir(at))
    ++names;
  EXPECT_EQ(GetIDListLevel(ListOf(path_).Get()), names + 2) << path_;
  EXPECT_EQ(GetIDListLevel(SpecialFolder(sfDesktop).Get()), 0);
  EXPECT_EQ(GetIDListLevel(nullptr), -1);

  EXPECT_TRUE(IsDesktopIDList(desktop_.Get(), SpecialFolder(sfDesktop).Get()));
  EXPECT_FALSE(IsDesktopIDList(desktop_.Get(), ListOf(path_).Get()));
  EXPECT_FALSE(IsDesktopIDList(desktop_.Get(), nullptr));
  EXPECT_FALSE(IsDesktopIDList(nullptr, SpecialFolder(sfDesktop).Get()));
}

TEST_F(ShellNamespace, CompareIDListsReadsTheLow16BitsSigned) {
  TOwnedIDList list = ListOf(path_);
  TOwnedIDList parent = ListOf(temp_.Path());
  EXPECT_EQ(CompareIDLists(desktop_.Get(), list.Get(), ListOf(sjis::UpperAscii(path_)).Get()),
            ioEqual)
      << "one path in two spellings";
  int order = CompareIDLists(desktop_.Get(), list.Get(), parent.Get());
  EXPECT_TRUE(order == ioFirstGreater || order == ioFirstLess) << order;
  EXPECT_EQ(CompareIDLists(desktop_.Get(), parent.Get(), list.Get()),
            ioFirstGreater + ioFirstLess - order);
  EXPECT_EQ(CompareIDLists(nullptr, list.Get(), list.Get()), ioError);
  EXPECT_EQ(CompareIDLists(desktop_.Get(), nullptr, list.Get()), ioError);
  EXPECT_EQ(CompareIDLists(desktop_.Get(), list.Get(), nullptr), ioError);

  const std::pair<HRESULT, int> answers[] = {
      {0x0000FFFF, ioFirstLess},    {0x00008000, ioFirstLess}, {0x00007FFF, ioFirstGreater},
      {0x00000001, ioFirstGreater}, {0x00010000, ioEqual},     {E_FAIL, ioError}};
  TFakeFolder fake;
  for (auto [answer, expected] : answers) {
    fake.compareAnswer = answer;
    EXPECT_EQ(CompareIDLists(&fake, list.Get(), list.Get()), expected) << std::hex << answer;
  }
}

TEST_F(ShellNamespace, GetDisplayNameReadsEachKindOfAnswer) {
  // One item: its count, two bytes of its own, then the text with its NUL.
  constexpr UINT kTextOffset = 4;
  constexpr USHORT kCount = kTextOffset + sizeof kName;
  TOwnedIDList item(AllocIDList(kCount + sizeof(USHORT)));
  std::memcpy(item.Get(), &kCount, sizeof kCount);
  std::memcpy(reinterpret_cast<BYTE*>(item.Get()) + kTextOffset, kName, sizeof kName);

  struct Case {
    UINT kind;
    HRESULT answer;
    bool read;
  };
  const Case cases[] = {{STRRET_WSTR, S_OK, true},
                        {STRRET_OFFSET, S_OK, true},
                        {STRRET_CSTR, S_OK, true},
                        {STRRET_CSTR + 1, S_OK, false},
                        {STRRET_WSTR, E_FAIL, false}};
  TFakeFolder fake;
  fake.nameOffset = kTextOffset;
  std::string name;
  for (const Case& c : cases) {
    fake.nameKind = c.kind;
    fake.nameAnswer = c.answer;
    name = "left over";
    EXPECT_EQ(GetDisplayName(&fake, item.Get(), name, SHGDN_NORMAL), c.read) << c.kind;
    EXPECT_EQ(name, c.read ? kName : "") << c.kind;
  }
  name = "left over";
  EXPECT_FALSE(GetDisplayName(nullptr, item.Get(), name, SHGDN_NORMAL));
  EXPECT_EQ(name, "");
  EXPECT_FALSE(GetDisplayName(&fake, nullptr, name, SHGDN_NORMAL));

  EXPECT_TRUE(GetDisplayName(desktop_.Get(), ListOf(path_).Get(), name, SHGDN_FORPARSING));
  EXPECT_EQ(name, path_) << "the real shell's answer";
}

TEST_F(ShellNamespace, SystemIconsOfFixtures) {
  std::string file = path_ + ".txt";
  TempFolder::WriteFile(file, "text");
  int fileIcon = GetSysIconIndex(ListOf(file).Get(), false, false);
  int folderIcon = GetSysIconIndex(ListOf(path_).Get(), false, false);
  EXPECT_GE(fileIcon, 0);
  EXPECT_GE(folderIcon, 0);
  EXPECT_NE(fileIcon, folderIcon) << "a text file does not look like a folder";
  EXPECT_GE(GetSysIconIndex(ListOf(path_).Get(), true, true), 0);
  EXPECT_EQ(GetSysIconIndex(nullptr, true, true), 0);
}

} // namespace
