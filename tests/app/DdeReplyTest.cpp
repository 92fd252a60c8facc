// The reply of a tool run and what the main window does at the end of a run.
#include "MainWindowFixture.h"

#include "common/StringHelpers.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr char Target[] = "C:\\doc\\main.tex";

TEST(DdeReply, RepliesWithoutABlank) {
  struct Case {
    const char* reply;
    bool error;
    const char* format;
  };
  const Case cases[] = {
      {"IOK", false, "%s 処理が完了しました."},
      {"0", false, "%s 処理が完了しました."},
      {"0\r\n", false, "%s 処理が完了しました."},
      {"ERROR", true, "%s 処理でエラーが報告されました."},
      {"", true, "%s 処理でエラーが報告されました."},
      {"DDE Error", true, "DDE 接続に失敗しました. %s モジュールを確認してください"},
  };
  for (const Case& c : cases) {
    TDdeReply reply = InterpretDdeReply(c.reply, Target);
    EXPECT_EQ(reply.Error, c.error) << c.reply;
    EXPECT_EQ(reply.MessageFormat, c.format) << c.reply;
    EXPECT_EQ(reply.FileName, Target) << c.reply;
    EXPECT_EQ(reply.Line, -1) << c.reply;
    EXPECT_FALSE(reply.FileFromReply) << c.reply;
  }
}

TEST(DdeReply, RepliesWithABlankNameAFileAndALine) {
  TDdeReply reply = InterpretDdeReply("c:/doc/a.tex 12", Target);
  EXPECT_TRUE(reply.Error);
  EXPECT_TRUE(reply.FileFromReply);
  EXPECT_EQ(reply.FileName, "c:\\doc\\a.tex");
  EXPECT_EQ(reply.Line, 12);
  EXPECT_EQ(reply.MessageFormat, "%s 処理で \"c:\\doc\\a.tex\" 12行目にエラーが報告されました.");

  // The last blank splits: a name with blanks keeps them.
  reply = InterpretDdeReply("C:/my docs/表.tex 3", Target);
  EXPECT_EQ(reply.FileName, "C:\\my docs\\表.tex");
  EXPECT_EQ(reply.Line, 3);

  // " 0 " has blanks, so it is no "0": the file " 0" without a line.
  reply = InterpretDdeReply(" 0 ", Target);
  EXPECT_TRUE(reply.Error);
  EXPECT_EQ(reply.FileName, " 0");
  EXPECT_EQ(reply.Line, -1);

  // Too short to name anything, and still a failure.
  reply = InterpretDdeReply("x ", Target);
  EXPECT_TRUE(reply.Error);
  EXPECT_FALSE(reply.FileFromReply);
  EXPECT_EQ(reply.FileName, Target);
  EXPECT_EQ(reply.MessageFormat, "%s 処理でエラーが報告されました.");
}

class DdeReplyRun : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ShowMainWindow();
    top->TexCtrl1->TargetFile = Target;
  }
  std::string Message() { return top->StatusBar1->WindowPanelText(spMessage); }
  // The reply that names a file of the test with "/" separators.
  static std::string ReplyFor(const std::string& file, int line) {
    return ReplaceAll(file, "\\", "/", true) + " " + std::to_string(line);
  }
  std::vector<std::string> CloseCalls() {
    std::vector<std::string> calls;
    for (const std::string& call : top->TexCtrl1->Calls())
      if (call.starts_with("close"))
        calls.push_back(call);
    return calls;
  }
};

TEST_F(DdeReplyRun, SuccessShowsNothing) {
  top->TexCtrl1->OnEndProcess(mtTeX, true, "c:/doc/a.tex 12");
  EXPECT_EQ(Message(), "");
  EXPECT_FALSE(top->Timer1->Enabled());
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(DdeReplyRun, FailedConnectionIsReportedWithTheKind) {
  top->TexCtrl1->OnEndProcess(mtBibTeX, false, "DDE Error");
  EXPECT_EQ(Message(), " DDE 接続に失敗しました. BibTeX モジュールを確認してください");
  EXPECT_TRUE(top->Timer1->Enabled());
  top->TexCtrl1->OnEndProcess(mtPreview, false, "ERROR");
  EXPECT_EQ(Message(), " Preview 処理でエラーが報告されました.");
  top->TexCtrl1->OnEndProcess(mtMakeIndex, false, "ERROR");
  EXPECT_EQ(Message(), " MakeIndex 処理でエラーが報告されました.");
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(DdeReplyRun, PrinterFailureShowsNothing) {
  top->TexCtrl1->OnEndProcess(mtPrint, false, "DDE Error");
  EXPECT_EQ(Message(), "");
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(DdeReplyRun, ErrorInAnOpenFileMovesItsCaret) {
  std::string a = File("a.tex");
  ASSERT_TRUE(OpenDocument(a, "", false, -1, false, true));
  ASSERT_TRUE(OpenDocument(File("b.tex"), "", false, -1, false, true));
  top->TexCtrl1->OnEndProcess(mtTeX, false, ReplyFor(a, 12));
  ASSERT_EQ(ActiveDoc()->FileName, a) << "brought to the front";
  EXPECT_EQ(ActiveDoc()->CaretLine(), 11) << "line 12 counted from 1";
  EXPECT_EQ(Message(), " TeX 処理で \"" + a + "\" 12行目にエラーが報告されました.");
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(DdeReplyRun, ErrorInAClosedFileAsksToOpenIt) {
  // A "%s" in the file name stays as it is: only the format's own place takes the kind.
  std::string a = File("a%s.tex");
  dialogs.answer = mrYes;
  top->TexCtrl1->OnEndProcess(mtTeX, false, ReplyFor(a, 12));
  ASSERT_EQ(dialogs.calls.size(), 1u) << "opened quietly";
  EXPECT_EQ(dialogs.calls[0].text,
            "TeX 処理で \"" + a + "\" 12行目にエラーが報告されました.\r\nファイルを開きますか?");
  EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtConfirmation));
  EXPECT_EQ(dialogs.calls[0].buttons, mbYes | mbNo);
  ASSERT_TRUE(HasDoc());
  EXPECT_EQ(ActiveDoc()->FileName, a);
  EXPECT_EQ(ActiveDoc()->CaretLine(), 11);
  EXPECT_EQ(Message(), " TeX 処理で \"" + a + "\" 12行目にエラーが報告されました.");

  FreeMainWindow();
  ShowMainWindow();
  dialogs.calls.clear();
  dialogs.answer = mrNo;
  top->TexCtrl1->OnEndProcess(mtTeX, false, ReplyFor(a, 12));
  EXPECT_EQ(dialogs.calls.size(), 1u);
  EXPECT_FALSE(HasDoc());

  // Without a line there is nothing to open at.
  dialogs.calls.clear();
  top->TexCtrl1->OnEndProcess(mtTeX, false, ReplaceAll(a, "\\", "/", true) + " x");
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_FALSE(HasDoc());
}

TEST_F(DdeReplyRun, NextCloseClosesTheToolAfterItsRun) {
  top->TexCtrl1->OnEndProcess(mtTeX, true, "0");
  top->TexCtrl1->OnEndProcess(mtBibTeX, false, "ERROR");
  top->TexCtrl1->OnEndProcess(mtMakeIndex, true, "0");
  top->TexCtrl1->OnEndProcess(mtPreview, true, "0");
  top->TexCtrl1->OnEndProcess(mtPrint, true, "0");
  EXPECT_EQ(CloseCalls(), (std::vector<std::string>{"close 0", "close 2", "close 1"}));

  top->Settings.Edit2Option.TexNextClose = false;
  top->TexCtrl1->OnEndProcess(mtTeX, true, "0");
  EXPECT_EQ(CloseCalls().size(), 3u);
}

} // namespace
