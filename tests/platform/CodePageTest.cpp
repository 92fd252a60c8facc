// The runner's Wine session must behave like a Japanese Windows: code page 932 and file names
// in Shift-JIS that survive a round trip through the file system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Platform, AnsiCodePageIs932) {
  EXPECT_EQ(GetACP(), 932u);
}

TEST(Platform, LiteralsAreShiftJis) {
  const std::string text = "表";
  ASSERT_EQ(text.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(text[0]), 0x95);
  EXPECT_EQ(static_cast<unsigned char>(text[1]), 0x5C);
}

TEST(Platform, JapaneseFileNameRoundTrip) {
  char temp[MAX_PATH] = {};
  const std::string folder(temp, GetTempPathA(MAX_PATH, temp));
  const std::string name = "表示テスト.tex";
  const std::string path = folder + name;
  const std::string content = "\\section{表示}\r\n";

  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "error " << GetLastError();
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, content.size());

  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "表示*.tex").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(std::string(found.cFileName), name);

  file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  std::string back(64, '\0');
  DWORD read = 0;
  ReadFile(file, back.data(), static_cast<DWORD>(back.size()), &read, nullptr);
  CloseHandle(file);
  back.resize(read);
  EXPECT_EQ(back, content);
  EXPECT_TRUE(DeleteFileA(path.c_str()));
}

} // namespace
