// Documents in the real Quolin.exe: files handed over by a second start, typed into by
// messages, saved through the close question in their own form and reopened where they were
// left; the UTF-8 question of a handed-over file; a save that meets a locked file.
#include "common/RegistryProbe.h"
#include "common/TempFolder.h"
#include "support/E2eProcess.h"
#include "support/UiTest.h"
#include "support/WaitLimit.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using quolin::test_support::QueryRaw;
using quolin::test_support::SetRaw;
using quolin::test_support::TempFolder;
using quolin::test_support::WaitLimitMs;

namespace {

constexpr char Yes[] = "はい(&Y)";
constexpr char No[] = "いいえ(&N)";

std::string FileIoSetting(const std::string& name) {
  return QueryRaw(HKEY_CURRENT_USER, std::string(e2e::SettingsKey) + "\\FileIO", name).data;
}

void StoreUtf8Warning(bool on) {
  SetRaw(HKEY_CURRENT_USER, std::string(e2e::SettingsKey) + "\\FileIO", "Utf8Warning", REG_BINARY,
         std::string(1, on ? '\1' : '\0'));
}

struct ViewSearch {
  HWND found = nullptr;
};

// The shown view of the document (the second one stays hidden until the window is split).
BOOL CALLBACK FindShownView(HWND window, LPARAM context) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "TEditor" || !IsWindowVisible(window))
    return TRUE;
  reinterpret_cast<ViewSearch*>(context)->found = window;
  return FALSE;
}

class DocE2E : public ::testing::Test {
protected:
  TempFolder folder{"DocE2E"};
  std::unique_ptr<e2e::QuolinProcess> app;
  HWND main = nullptr;

  void SetUp() override { e2e::ResetUserState(); }
  void TearDown() override { e2e::ResetUserState(); }

  void Start(const std::string& arguments = "") {
    app = std::make_unique<e2e::QuolinProcess>(e2e::StartOptions{arguments, folder.Path()});
    ASSERT_TRUE(app->Started());
    main = app->WaitForWindow("TTopForm", "Quolin", WaitLimitMs);
    ASSERT_NE(main, nullptr) << "no main window";
  }
  // Hands the file to the running program as a second start does; the second start ends.
  void HandOver(const std::string& name) {
    e2e::QuolinProcess second({"\"" + name + "\"", folder.Path()});
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.WaitForExit(WaitLimitMs));
  }
  HWND Document() const { return e2e::FindChild(main, "TDocForm"); }
  HWND View() const {
    ViewSearch search;
    if (HWND doc = Document())
      EnumChildWindows(doc, FindShownView, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  // Panel 0 of the status bar, "line : column", after the tab that centres it.
  std::string CaretPanel(const std::string& expected) const {
    return e2e::WaitForChildText(
        main, "msctls_statusbar32", [&](const std::string& text) { return text == expected; },
        WaitLimitMs);
  }
  // Presses a button of the program's next message box; the box's text.
  std::string Answer(const std::function<void()>& ask, const std::string& button) {
    uitest::BoxDriver driver([&](const uitest::BoxView& box) { box.Press(button); }, app->Id());
    ask();
    return driver.Seen().text;
  }
  std::string CloseDocument(const std::string& button) {
    return Answer([&] { PostMessageA(Document(), WM_CLOSE, 0, 0); }, button);
  }
  void Quit() {
    ASSERT_TRUE(app->Close(main, WaitLimitMs));
    EXPECT_EQ(app->ExitCode(), 0u);
  }
};

// Moves the caret two lines down and types "x" as the keyboard would.
void TypeOnThirdLine(HWND view) {
  for (int i = 0; i < 2; ++i)
    SendMessageA(view, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(view, WM_KEYDOWN, 'X', 0);
  SendMessageA(view, WM_CHAR, 'x', 0);
}

TEST_F(DocE2E, ATypedCharacterIsSavedInTheFilesOwnFormAndTheCaretComesBack) {
  StoreUtf8Warning(false);
  struct Case {
    const char* name;
    std::string before, after;
  };
  const std::string le = "\xFF\xFE" + std::string("a\0\r\0\n\0b\0\r\0\n\0\x22\x6F\r\0\n\0", 18);
  const Case cases[] = {
      {"sjis.tex", "a\r\nb\r\n\x8A\xBF\x8E\x9A\r\n", "a\r\nb\r\nx\x8A\xBF\x8E\x9A\r\n"},
      {"utf8.tex", "a\r\nb\r\n\xE6\xBC\xA2\xE5\xAD\x97\r\n",
       "a\r\nb\r\nx\xE6\xBC\xA2\xE5\xAD\x97\r\n"},
      {"utf16.tex", le, le.substr(0, 14) + std::string("x\0", 2) + le.substr(14)},
  };
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = folder / c.name;
    TempFolder::WriteFile(path, c.before);
    HandOver(path);
    ASSERT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
    HWND view = View();
    ASSERT_NE(view, nullptr);
    TypeOnThirdLine(view);
    EXPECT_EQ(CaretPanel("\t3 : 1"), "\t3 : 1");
    EXPECT_NE(CloseDocument(Yes).find("上書き保存していいですか"), std::string::npos);
    ASSERT_TRUE(e2e::WaitForDocuments(
                    main, [](const auto& docs) { return docs.empty(); }, WaitLimitMs)
                    .empty());
    EXPECT_EQ(TempFolder::ReadFile(path), c.after);

    HandOver(path);
    ASSERT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
    EXPECT_EQ(CaretPanel("\t3 : 1"), "\t3 : 1") << "the caret where it was left";
    PostMessageA(Document(), WM_CLOSE, 0, 0);
    e2e::WaitForDocuments(
        main, [](const auto& docs) { return docs.empty(); }, WaitLimitMs);
  }
  Quit();
}

TEST_F(DocE2E, AHandedOverUtf8FileIsOpenedOnceItsQuestionIsAnswered) {
  std::string path = folder / "u.tex";
  TempFolder::WriteFile(path, "abc\xE6\xBC\xA2\xE5\xAD\x97\r\n");
  Start();
  e2e::QuolinProcess second({"u.tex", folder.Path()});
  ASSERT_TRUE(second.Started());
  bool secondEnded = false, openedBeforeAnswer = true;
  uitest::BoxDriver driver(
      [&](const uitest::BoxView& box) {
        secondEnded = second.WaitForExit(WaitLimitMs);
        openedBeforeAnswer = !e2e::DocumentCaptions(main).empty();
        box.Press(No);
      },
      app->Id());
  EXPECT_NE(driver.Seen().text.find("UTF8ファイルを読み込んでいます."), std::string::npos);
  EXPECT_TRUE(secondEnded) << "the second start ends while the question shows";
  EXPECT_FALSE(openedBeforeAnswer);
  EXPECT_EQ(e2e::WaitForDocumentCount(main, 1), std::vector<std::string>{"u.tex"});
  EXPECT_EQ(FileIoSetting("Utf8Warning"), std::string(1, '\0')) << "no asks no more";
  Quit();
}

TEST_F(DocE2E, ClosingWithTheFileLockedKeepsTheFileAndTheWindow) {
  std::string path = folder / "held.tex";
  TempFolder::WriteFile(path, "a\r\nb\r\nc\r\n");
  Start("held.tex");
  ASSERT_EQ(e2e::WaitForDocumentCount(main, 1).size(), 1u);
  TypeOnThirdLine(View());
  e2e::UniqueHandle lock(
      CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
  CloseDocument(Yes);
  // The failed save's box; OK is its only button.
  uitest::BoxDriver failure([](const uitest::BoxView& box) { box.Press("OK"); }, app->Id());
  EXPECT_NE(failure.Seen().text.find("の保存に失敗しました."), std::string::npos);
  EXPECT_EQ(e2e::DocumentCaptions(main), std::vector<std::string>{"held.tex"});
  lock.reset();
  EXPECT_EQ(TempFolder::ReadFile(path), "a\r\nb\r\nc\r\n");
  CloseDocument(No);
  Quit();
}

} // namespace
