#include "common/FileHelpers.h"
#include "TempFolder.h"
#include "common/CodePage.h"
#include "common/ComPtr.h"
#include "common/StringHelpers.h"
#include "core/Exceptions.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quolin;
using quolin::test_support::TempFolder;

namespace {

std::string LongPath(const std::string& path) {
  char buffer[1025] = {};
  DWORD length = GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  return std::string(buffer, length);
}

void MakeShortcut(const std::string& linkPath, const std::string& target) {
  TComInit com;
  TComPtr<IShellLinkA> link;
  TComPtr<IPersistFile> file;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IShellLinkA, link.OutVoid()));
  ASSERT_HRESULT_SUCCEEDED(link->SetPath(target.c_str()));
  ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.OutVoid()));
  ASSERT_HRESULT_SUCCEEDED(file->Save(AnsiToWide(linkPath).c_str(), TRUE));
}

TEST(FileHelpers, FileExistsNoWildcardRefusesFoldersAndWildcards) {
  TempFolder folder;
  const std::string file = folder / "a.tex";
  TempFolder::WriteFile(file, "x");
  EXPECT_TRUE(FileExistsNoWildcard(file));
  EXPECT_FALSE(FileExistsNoWildcard(folder / "*.tex"));
  EXPECT_FALSE(FileExistsNoWildcard(folder / "a.te?"));
  EXPECT_FALSE(FileExistsNoWildcard(folder.Path() + "."));
  CreateDirectoryA((folder / "sub").c_str(), nullptr);
  EXPECT_FALSE(FileExistsNoWildcard(folder / "sub"));
  EXPECT_FALSE(FileExistsNoWildcard(folder / "missing.tex"));
}

TEST(FileHelpers, LongNameOfAShortJapanesePathKeepsItsLetterCaseAndMissingParts) {
  TempFolder folder;
  const std::string base = LongPath(folder.Path());
  ASSERT_FALSE(base.empty());
  const std::string longFolder = base + "Long Folder 長い名前のフォルダ";
  const std::string longFile = longFolder + "\\Mixed Case 表示ファイル.TeX";
  CreateDirectoryA(longFolder.c_str(), nullptr);
  TempFolder::WriteFile(longFile, "x");
  const std::string shortPath = GetShortPath(longFile);
  ASSERT_FALSE(shortPath.empty());
  EXPECT_NE(shortPath, longFile);
  EXPECT_EQ(BuildLongFileName(shortPath), longFile);
  EXPECT_EQ(GetLongFileName(shortPath), longFile);
  EXPECT_EQ(GetLongFileName(longFolder + "\\MIXED CASE 表示ファイル.tex"), longFile);

  // Missing parts stay as given.
  EXPECT_EQ(BuildLongFileName(base + "Missing\\Sub\\x.tex"), base + "Missing\\Sub\\x.tex");
  EXPECT_EQ(GetLongFileName(base + "Missing\\x.tex"), "");
  EXPECT_EQ(GetLongFileName(folder.Path()), "") << "a folder is no file";
  EXPECT_EQ(BuildLongFileName("relative\\x.tex"), "relative\\x.tex");
  EXPECT_EQ(GetShortPath(base + "Missing\\x.tex"), "");
}

TEST(FileHelpers, CopyFileIfDifferentSkipsTheSameFileInAnotherCase) {
  TempFolder folder;
  const std::string source = folder / "Source.dat";
  TempFolder::WriteFile(source, "content");
  EXPECT_FALSE(CopyFileIfDifferent(source, folder / "SOURCE.DAT"));
  EXPECT_EQ(TempFolder::ReadFile(source), "content");
  EXPECT_TRUE(CopyFileIfDifferent(source, folder / "標準.dat"));
  EXPECT_EQ(TempFolder::ReadFile(folder / "標準.dat"), "content");
  TempFolder::WriteFile(source, "newer");
  EXPECT_TRUE(CopyFileIfDifferent(source, folder / "標準.dat"));
  EXPECT_EQ(TempFolder::ReadFile(folder / "標準.dat"), "newer");
  EXPECT_FALSE(CopyFileIfDifferent(folder / "missing.dat", folder / "x.dat"));
  EXPECT_FALSE(FileExistsNoWildcard(folder / "x.dat"));
}

TEST(FileHelpers, ResolveShortcutFollowsLinksOfAnyCase) {
  TempFolder folder;
  const std::string target = folder / "目標.tex";
  TempFolder::WriteFile(target, "x");
  const std::string link = folder / "Link.LNK";
  MakeShortcut(link, target);
  EXPECT_TRUE(IsSameText(ResolveShortcut(link), target));
  EXPECT_EQ(ResolveShortcut(target), target);
  const std::string broken = folder / "broken.lnk";
  TempFolder::WriteFile(broken, "not a link");
  EXPECT_EQ(ResolveShortcut(broken), broken);
  EXPECT_EQ(ResolveShortcut(folder / "missing.lnk"), folder / "missing.lnk");
}

TEST(FileHelpers, ReadFileBytesReadsEveryByte) {
  TempFolder folder;
  const std::string file = folder / "辞書ソ.dic";
  std::string content(200000, 'a');
  content[5] = '\0';
  content[70000] = '\x1A';
  content.back() = '\r';
  TempFolder::WriteFile(file, content);
  EXPECT_EQ(ReadFileBytes(file), content);
  TempFolder::WriteFile(file, "");
  EXPECT_EQ(ReadFileBytes(file), "");
  EXPECT_THROW(ReadFileBytes(folder / "missing.dic"), EFileError);
  HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_THROW(ReadFileBytes(file), EFileError);
  CloseHandle(held);
}

TEST(FileHelpers, SaveFileReplacingWritesWholeFiles) {
  TempFolder folder;
  const std::string file = folder / "辞書ソ.dic";
  std::string big(3 << 20, 'x'); // more than one write call
  big[12345] = 'y';
  ASSERT_TRUE(SaveFileReplacing(file, "first\r\n"));
  EXPECT_EQ(TempFolder::ReadFile(file), "first\r\n");
  ASSERT_TRUE(SaveFileReplacing(file, big));
  EXPECT_EQ(TempFolder::ReadFile(file), big);
  ASSERT_TRUE(SaveFileReplacing(file, ""));
  EXPECT_EQ(TempFolder::ReadFile(file), "");
  EXPECT_EQ(TempFolder::Names(folder.Path()), std::vector<std::string>{"辞書ソ.dic"});
}

TEST(FileHelpers, SaveFileReplacingKeepsTheTargetWhenItFails) {
  TempFolder folder;
  const std::string file = folder / "user.dic";
  TempFolder::WriteFile(file, "old\r\n");
  {
    // Held open without sharing, the target can be neither written nor replaced.
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveFileReplacing(file, "new\r\n"));
    CloseHandle(held);
  }
  EXPECT_EQ(TempFolder::ReadFile(file), "old\r\n");
  EXPECT_EQ(TempFolder::Names(folder.Path()), std::vector<std::string>{"user.dic"});
  EXPECT_FALSE(SaveFileReplacing(folder / "missing\\user.dic", "new"));
  EXPECT_FALSE(SaveFileReplacing("", "new"));
  EXPECT_EQ(TempFolder::Names(folder.Path()), std::vector<std::string>{"user.dic"});
}

TEST(FileHelpers, FindFileNamesListsFilesOnly) {
  TempFolder folder;
  TempFolder::WriteFile(folder / "a.dic", "");
  TempFolder::WriteFile(folder / "表.dic", "");
  TempFolder::WriteFile(folder / "b.txt", "");
  CreateDirectoryA((folder / "sub.dic").c_str(), nullptr);
  std::vector<std::string> names = FindFileNames(folder / "*.dic");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.dic", "表.dic"}));
  EXPECT_TRUE(FindFileNames(folder / "*.none").empty());
  EXPECT_TRUE(FindFileNames(folder / "missing\\*.dic").empty());
}

TEST(FileHelpers, FontMetricsGrowWithTheFont) {
  TFont small;
  small.Name = "Arial";
  small.Size = 8;
  TFont large = small;
  large.Size = 24;
  EXPECT_GT(GetFontCharWidth(small), 0);
  EXPECT_GT(GetFontCharHeight(small), 0);
  EXPECT_GT(GetFontCharWidth(large), GetFontCharWidth(small) * 2);
  EXPECT_GT(GetFontCharHeight(large), GetFontCharHeight(small) * 2);
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP)
    ++*reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(FileHelpers, ProcessPendingMessagesDispatchesAndKeepsQuit) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CountingProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "QuolinPumpTest";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA("QuolinPumpTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  int received = 0;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received));

  PostMessageA(window, WM_APP, 0, 0);
  PostMessageA(window, WM_APP, 0, 0);
  ProcessPendingMessages();
  EXPECT_EQ(received, 2);

  PostQuitMessage(7);
  ProcessPendingMessages();
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
  DestroyWindow(window);
}

} // namespace
