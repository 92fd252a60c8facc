// A TeX run from the main window with Debian's platex through the launcher: its error in the
// active document's log pane.
#include "MainWindowFixture.h"

#include "app/LogPane.h"

using namespace quolin;
using namespace quolin::test_support;

namespace {

class MainWindowRealTex : public MainWindowFixture {};

TEST_F(MainWindowRealTex, AnErrorRunListsItsErrorLine) {
  ShowMainWindow();
  std::string target = files / "bad.tex";
  TempFolder::WriteFile(target, "\\documentclass{jarticle}\r\n\\begin{document}\r\n"
                                "日本語\\undefinedcommand\r\n\\end{document}\r\n");
  ASSERT_TRUE(OpenDocument(target, "", false, -1, false, true));
  TDocForm& doc = *ActiveDoc();
  doc.Panel_Log->SetHeight(80);

  TTexCtrl& tex = *top->TexCtrl1;
  TModule& platex = tex.Module(mtTeX);
  platex.ExeName = std::string(QUOLIN_HOSTTEX) + "\\platex.exe";
  platex.UseDDE = false;
  platex.DosCallBack = true;
  platex.DosOption = "%nofilespace -kanji=sjis -interaction=nonstopmode %file.-n%";
  tex.TargetFile = target;
  tex.EditFileName = target;
  tex.OwnerFileName.clear();
  tex.ExeType = etTeX;
  ASSERT_TRUE(tex.Execute());

  std::vector<std::string> listed;
  for (int i = 0; i < doc.LogListBox1->Items().Count(); ++i)
    listed.push_back(doc.LogListBox1->Items()[i]);
  ASSERT_GE(listed.size(), 2u);
  EXPECT_EQ(listed[0], "! Undefined control sequence.");
  EXPECT_TRUE(listed[1].starts_with("l.3 ")) << listed[1];
  EXPECT_EQ(doc.LogListBox1->ItemIndex(), 1) << "the line after the error";
}

} // namespace
