// A TeX run from the main window, with the fake TeX as a real child process: its log in the
// active document's pane and its failure in the status bar.
#include "MainWindowFixture.h"

#include "app/LogPane.h"
#include "texchain/FakeTools.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class MainWindowTexRun : public MainWindowFixture {
protected:
  FakeTools tools{files};

  std::vector<std::string> Listed(TDocForm& doc) {
    std::vector<std::string> lines;
    for (int i = 0; i < doc.LogListBox1->Items().Count(); ++i)
      lines.push_back(doc.LogListBox1->Items()[i]);
    return lines;
  }
};

TEST_F(MainWindowTexRun, AFailingRunListsItsErrorAndReportsIt) {
  ShowMainWindow();
  std::string target = files / "doc.tex";
  TempFolder::WriteFile(target, "\\documentclass{article}\r\n\\begin{document}\r\n\\foo\r\n"
                                "\\end{document}\r\n");
  ASSERT_TRUE(OpenDocument(target, "", false, -1, false, true));
  TDocForm& doc = *ActiveDoc();
  doc.Panel_Log->SetHeight(80);
  tools.Script("tex * write .log\n"
               "> This is pdfTeX, Version 3.141592653\n"
               "> ! Undefined control sequence.\n"
               "> l.3 \\foo\n"
               ">\n"
               "> Overfull \\hbox (1.0pt too wide) in paragraph at lines 3--3\n"
               "> No pages of output.\n"
               "tex * exit 1\n");

  TTexCtrl& tex = *top->TexCtrl1;
  tex.Module(mtTeX).ExeName = FakeTools::Program("tex");
  tex.Module(mtTeX).UseDDE = false;
  tex.TargetFile = target;
  tex.EditFileName = target;
  tex.ExeType = etTeX;
  ASSERT_TRUE(tex.Execute());
  EXPECT_EQ(Listed(doc), (std::vector<std::string>{
                             "! Undefined control sequence.", "l.3 \\foo",
                             "Overfull \\hbox (1.0pt too wide) in paragraph at lines 3--3"}))
      << "errors and warnings";
  EXPECT_EQ(doc.LogListBox1->ItemIndex(), 1) << "the line after the error";
  EXPECT_EQ(top->StatusBar1->WindowPanelText(spMessage), " TeX 処理でエラーが報告されました.");
  EXPECT_EQ(tools.Journal().size(), 1u);
}

} // namespace
