// The reply of a tool run and what the main window does at the end of a run.
#include "MainWindowFixture.h"

#include "common/StringHelpers.h"
#include "support/ToolWindows.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

constexpr char Target[] = "C:\\doc\\main.tex";

TEST(DdeReply, RepliesAndWhatTheyName) {
  constexpr char Done[] = "%s 処理が完了しました.", Failed[] = "%s 処理でエラーが報告されました.";
  struct Case {
    const char* reply;
    bool error, fileFromReply;
    const char* fileName;
    int line;
    const char* format; // nullptr: not checked
  };
  const Case cases[] = {
      {"IOK", false, false, Target, -1, Done},
      {"0", false, false, Target, -1, Done},
      {"0\r\n", false, false, Target, -1, Done},
      {"ERROR", true, false, Target, -1, Failed},
      {"", true, false, Target, -1, Failed},
      {"DDE Error", true, false, Target, -1,
       "DDE 接続に失敗しました. %s モジュールを確認してください"},
      {"c:/doc/a.tex 12", true, true, "c:\\doc\\a.tex", 12,
       "%s 処理で \"c:\\doc\\a.tex\" 12行目にエラーが報告されました."},
      // The last blank splits: a name with blanks keeps them.
      {"C:/my docs/表.tex 3", true, true, "C:\\my docs\\表.tex", 3, nullptr},
      // " 0 " has blanks, so it is no "0": the file " 0" without a line.
      {" 0 ", true, true, " 0", -1, nullptr},
      // Too short to name anything, and still a failure.
      {"x ", true, false, Target, -1, Failed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.reply));
    TDdeReply reply = InterpretDdeReply(c.reply, Target);
    EXPECT_EQ(reply.Error, c.error);
    EXPECT_EQ(reply.FileFromReply, c.fileFromReply);
    EXPECT_EQ(reply.FileName, c.fileName);
    EXPECT_EQ(reply.Line, c.line);
    if (c.format) {
      EXPECT_EQ(reply.MessageFormat, c.format);
    }
  }
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
};

TEST_F(DdeReplyRun, FailuresAreReportedWithTheKindExceptThePrinters) {
  top->TexCtrl1->OnEndProcess(mtTeX, true, "c:/doc/a.tex 12");
  EXPECT_EQ(Message(), "") << "success shows nothing";
  EXPECT_FALSE(top->Timer1->Enabled());
  const std::tuple<TModuleType, const char*, const char*> failures[] = {
      {mtBibTeX, "DDE Error", " DDE 接続に失敗しました. BibTeX モジュールを確認してください"},
      {mtPreview, "ERROR", " Preview 処理でエラーが報告されました."},
      {mtMakeIndex, "ERROR", " MakeIndex 処理でエラーが報告されました."},
      {mtPrint, "DDE Error", ""},
  };
  for (const auto& [kind, replied, message] : failures) {
    ClearStatusMessage();
    top->TexCtrl1->OnEndProcess(kind, false, replied);
    EXPECT_EQ(Message(), message) << kind;
    if (*message) {
      EXPECT_TRUE(top->Timer1->Enabled()) << kind;
    }
  }
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(DdeReplyRun, ErrorInAClosedFileAsksToOpenItAndInAnOpenFileMovesItsCaret) {
  // A "%s" in the file name stays as it is: only the format's own place takes the kind.
  std::string a = File("a%s.tex");
  const std::string reported = "TeX 処理で \"" + a + "\" 12行目にエラーが報告されました.";
  dialogs.answer = mrNo;
  top->TexCtrl1->OnEndProcess(mtTeX, false, ReplyFor(a, 12));
  EXPECT_EQ(dialogs.calls.size(), 1u);
  EXPECT_FALSE(HasDoc());
  // Without a line there is nothing to open at.
  dialogs.calls.clear();
  top->TexCtrl1->OnEndProcess(mtTeX, false, ReplaceAll(a, "\\", "/", true) + " x");
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_FALSE(HasDoc());

  dialogs.answer = mrYes;
  top->TexCtrl1->OnEndProcess(mtTeX, false, ReplyFor(a, 12));
  ASSERT_EQ(dialogs.calls.size(), 1u) << "opened quietly";
  EXPECT_EQ(dialogs.calls[0].text, reported + "\r\nファイルを開きますか?");
  EXPECT_EQ(dialogs.calls[0].type, static_cast<int>(TMsgDlgType::mtConfirmation));
  EXPECT_EQ(dialogs.calls[0].buttons, mbYes | mbNo);
  ASSERT_TRUE(HasDoc());
  EXPECT_EQ(ActiveDoc()->FileName, a);
  EXPECT_EQ(ActiveDoc()->CaretLine(), 11) << "line 12 counted from 1";
  EXPECT_EQ(Message(), " " + reported);

  // Once open, it is brought to the front without asking.
  dialogs.calls.clear();
  ASSERT_TRUE(OpenDocument(File("b.tex"), "", false, -1, false, true));
  top->TexCtrl1->OnEndProcess(mtTeX, false, ReplyFor(a, 5));
  ASSERT_EQ(ActiveDoc()->FileName, a);
  EXPECT_EQ(ActiveDoc()->CaretLine(), 4);
  EXPECT_EQ(Message(), " TeX 処理で \"" + a + "\" 5行目にエラーが報告されました.");
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(DdeReplyRun, NextCloseClosesTheToolAfterItsRun) {
  using Captions = std::vector<std::string>;
  ToolWindows tools({"bwpvtex", "winmkidx", "wbibtex", "JBibTeX", "dviout"});
  top->TexCtrl1->OnEndProcess(mtTeX, true, "0");
  EXPECT_EQ(tools.Closed(), Captions{"bwpvtex"});
  top->TexCtrl1->OnEndProcess(mtBibTeX, false, "ERROR");
  EXPECT_EQ(tools.Closed(), (Captions{"wbibtex", "JBibTeX"}));
  top->TexCtrl1->OnEndProcess(mtMakeIndex, true, "0");
  EXPECT_EQ(tools.Closed(), Captions{"winmkidx"});
  top->TexCtrl1->OnEndProcess(mtPreview, true, "0");
  top->TexCtrl1->OnEndProcess(mtPrint, true, "0");
  EXPECT_EQ(tools.Closed(), Captions{});

  top->Settings.Edit2Option.TexNextClose = false;
  top->TexCtrl1->OnEndProcess(mtTeX, true, "0");
  EXPECT_EQ(tools.Closed(), Captions{});
}

} // namespace
