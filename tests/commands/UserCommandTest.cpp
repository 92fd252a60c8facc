// User commands on the active view of a real document: where the result goes, the caret and
// selection it leaves, the line break of "$Ret", box selections, read-only views, the file
// dialog, and placeholders whose dialogs are not there yet.
#include "commands/UserCommand.h"
#include "ViewText.h"
#include "app/MainWindowFixture.h"
#include "common/FileDialogs.h"
#include "core/CommandExpander.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;

class UserCommand : public MainWindowFixture {
protected:
  TEditor* view = nullptr;

  void SetUp() override {
    ShowMainWindow();
    ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
    view = ActiveDoc()->ActiveEditor;
  }
  void TearDown() override {
    SetFileDialogHook(nullptr);
    MainWindowFixture::TearDown();
  }
  void Text(const std::string& text, int selStart, int selLength) {
    view->SetText(text);
    view->SetSelStart(selStart);
    view->SetSelLength(selLength);
  }
  std::string Body() const { return WithoutFinalLineEnd(view->Text()); }
  std::string StatusMessage() const { return top->StatusBar1->Panels(spMessage).Text(); }
};

TEST_F(UserCommand, TrailingLineBreakStaysAfterTheResult) {
  Text("ab\r\ncd", 0, 4);
  ASSERT_EQ(view->SelText(), "ab\r\n");
  ASSERT_TRUE(ExecuteUserCommand("[$S]"));
  EXPECT_EQ(Body(), "[ab]\r\ncd");
  EXPECT_EQ(view->SelStart(), 0);
  EXPECT_EQ(view->SelLength(), 4);
  // A line break alone is kept too: nothing is left selected.
  Text("x\r\ny", 1, 2);
  ASSERT_TRUE(ExecuteUserCommand("[$S]"));
  EXPECT_EQ(Body(), "x[]\r\ny");
}

TEST_F(UserCommand, FilledAndEmptiedPlaceholdersPlaceTheCaret) {
  Text("abc", 0, 3);
  ASSERT_TRUE(ExecuteUserCommand("\\section{$S}"));
  EXPECT_EQ(Body(), "\\section{abc}");
  EXPECT_EQ(view->SelStart(), 0);
  EXPECT_EQ(view->SelLength(), 13);

  Text("12", 2, 0);
  ASSERT_TRUE(ExecuteUserCommand("\\section{$S}"));
  EXPECT_EQ(Body(), "12\\section{}");
  EXPECT_EQ(view->SelStart(), 2 + 9);
  EXPECT_EQ(view->SelLength(), 0);

  Text("a//b", 0, 4);
  ASSERT_TRUE(ExecuteUserCommand("\\frac{$FracA}{$FracB}"));
  EXPECT_EQ(Body(), "\\frac{a}{b}");
  EXPECT_EQ(view->SelLength(), 11);
  Text("ab", 0, 2);
  ASSERT_TRUE(ExecuteUserCommand("\\frac{$FracA}{$FracB}"));
  EXPECT_EQ(Body(), "\\frac{ab}{}");
  EXPECT_EQ(view->SelStart(), 10);
  EXPECT_EQ(view->SelLength(), 0);

  Text("", 0, 0);
  ASSERT_TRUE(ExecuteUserCommand("a$Tab"));
  EXPECT_EQ(Body(), "a\t");
  EXPECT_EQ(view->SelStart(), 2);
}

TEST_F(UserCommand, CommandIndentContinuesAtTheCaretColumn) {
  top->Settings.EditOption.CommandIndent = true;
  Text("\t表a b", 6, 0);
  ASSERT_TRUE(ExecuteUserCommand("x$Rety$Rtnz"));
  EXPECT_EQ(Body(), "\t表a bx\r\n\t     y\r\nz");

  top->Settings.EditOption.CommandIndent = false;
  Text("\t表a b", 6, 0);
  ASSERT_TRUE(ExecuteUserCommand("x$Rety"));
  EXPECT_EQ(Body(), "\t表a bx\r\ny");

  // With a selection the line break is plain.
  top->Settings.EditOption.CommandIndent = true;
  Text("  ab", 2, 2);
  ASSERT_TRUE(ExecuteUserCommand("$S$Ret"));
  EXPECT_EQ(Body(), "  ab\r\n");
}

TEST_F(UserCommand, BoxSelectionGetsOneResultPerRow) {
  view->SetText("abcd\r\nwxyz\r\nlast");
  view->SetSelectionMode(1);
  view->SetRowCol(0, 1);
  uitest::PressKey(view->Handle(), VK_DOWN, ssShift);
  uitest::PressKey(view->Handle(), VK_RIGHT, ssShift);
  uitest::PressKey(view->Handle(), VK_RIGHT, ssShift);
  ASSERT_EQ(view->SelText(), "bc\r\nxy");
  ASSERT_TRUE(ExecuteUserCommand("[$S]$Ret"));
  EXPECT_EQ(view->Text().substr(0, 20), "a[bc]d\r\nw[xy]z\r\nlast");
  EXPECT_EQ(view->SelStart(), 1);
}

TEST_F(UserCommand, ReadOnlyViewReceivesNothing) {
  Text("abc", 0, 3);
  view->SetReadOnly(true);
  EXPECT_TRUE(ExecuteUserCommand("[$S]"));
  EXPECT_EQ(Body(), "abc");
}

TEST_F(UserCommand, WaitingPlaceholdersCancel) {
  ASSERT_TRUE(ExecuteUserCommand("kept"));
  Text("abc", 0, 3);
  for (const char* word : {"$PicFile", "$MatrixFmt", "$MatrixBody", "$FigEnvOpt"}) {
    EXPECT_FALSE(ExecuteUserCommand(std::string("[") + word + "]")) << word;
    EXPECT_EQ(StatusMessage(), std::string(" この機能はまだ使用できません (") + word + ")");
  }
  EXPECT_EQ(Body(), "abc");
  EXPECT_EQ(RepeatableCommand(), "kept");
}

TEST_F(UserCommand, FileComesFromTheOpenDialog) {
  std::vector<TFileDialogFields> asked;
  const std::string chosen = files / "表\\my$Stuff.tex";
  bool confirm = true;
  SetFileDialogHook([&](const TFileDialogFields& fields) {
    asked.push_back(fields);
    return TFileDialogAnswer{confirm, {chosen}, false, 1};
  });
  Text("", 0, 0);
  ASSERT_TRUE(ExecuteUserCommand("\\input{$File(F,F,Pick,\"TeX|*.tex\",pick)}$S"));
  EXPECT_EQ(Body(), "\\input{表/my$Stuff.tex}");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Title, "Pick");
  EXPECT_EQ(asked[0].HistoryKey, "pick");
  EXPECT_EQ(asked[0].Filter, "TeX|*.tex");
  confirm = false;
  Text("", 0, 0);
  EXPECT_FALSE(ExecuteUserCommand("$File"));
  EXPECT_EQ(Body(), "");
}

TEST_F(UserCommand, TemplateTextAsSelection) {
  Text("ab", 1, 0);
  EXPECT_EQ(ExpandTemplateText("$noREPEATx$Tab$$y", true), "x\t$y");
  EXPECT_EQ(Body(), "ax\t$yb");
  EXPECT_EQ(ExpandTemplateText("z", false), "z");
  EXPECT_EQ(Body(), "ax\t$yb");
}

} // namespace
