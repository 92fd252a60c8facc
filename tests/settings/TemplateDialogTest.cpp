// The template dialog over a real template folder: what it lists, its buttons, opening a
// template and making one the standard.
#include "common/Registry.h"
#include "core/ResConst.h"
#include "settings/InfoDialogFixture.h"
#include "ui/Buttons.h"
#include "ui/ListView.h"

#include <algorithm>
#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;

using Names = std::vector<std::string>;

class TemplateDialog : public InfoDialogFixture {
protected:
  std::string folder;

  void SetUp() override {
    InfoDialogFixture::SetUp();
    folder = files / "tpl";
    CreateDirectoryA(folder.c_str(), nullptr);
    top->Settings.FileIOOption.TemplateFolder = folder;
  }
  std::string Path(const std::string& name) const { return folder + "\\" + name; }
  void Write(const std::string& name, const std::string& text = "x") const {
    TempFolder::WriteFile(Path(name), text);
  }

  static Names Listed(TTplForm& form) {
    Names names;
    for (int i = 0; i < form.ListView1->ItemCount(); ++i)
      names.push_back(form.ListView1->Items(i)->Caption);
    std::sort(names.begin(), names.end());
    return names;
  }
  static bool ButtonsEnabled(TTplForm& form) {
    EXPECT_EQ(form.Button1->Enabled(), form.Button3->Enabled());
    return form.Button1->Enabled();
  }
  // Runs the word with act on the dialog; true when act was reached.
  bool Show(std::function<void(TTplForm&)> act) {
    bool reached = false;
    WhenUp<TTplForm>("TplForm", act, &reached);
    EXPECT_TRUE(Run("$Sys_FileTemplate"));
    return reached;
  }
  static int IndexOf(TTplForm& form, const std::string& caption) {
    for (int i = 0; i < form.ListView1->ItemCount(); ++i)
      if (form.ListView1->Items(i)->Caption == caption)
        return i;
    return -1;
  }
  static void Cancel(TTplForm& form) { uitest::FormDriver::Click(*form.Button2); }
};

TEST_F(TemplateDialog, ListsFilesOfTheExtensionOnly) {
  for (const char* name : {"a.tex", "B.TEX", "a.b.tex", "foo.texinfo", "x.tex~", "h.tex", "c.sty"})
    Write(name);
  SetFileAttributesA(Path("h.tex").c_str(), FILE_ATTRIBUTE_HIDDEN);
  CreateDirectoryA(Path("d.tex").c_str(), nullptr);
  Names listed, styles;
  bool enabledAtFirst = true, enabledOnSelection = false, enabledAfter = true;
  ASSERT_TRUE(Show([&](TTplForm& form) {
    listed = Listed(form);
    enabledAtFirst = ButtonsEnabled(form);
    form.ListView1->SetItemIndex(0);
    enabledOnSelection = ButtonsEnabled(form);
    form.ListView1->SetItemIndex(-1);
    enabledAfter = ButtonsEnabled(form);
    Cancel(form);
  }));
  EXPECT_EQ(listed, (Names{"B", "a", "a.b"}));
  EXPECT_FALSE(enabledAtFirst);
  EXPECT_TRUE(enabledOnSelection);
  EXPECT_FALSE(enabledAfter);

  RegWriteString(res::RegSectionFileIO, res::TemplateListFileExtName, "sty");
  ASSERT_TRUE(Show([&](TTplForm& form) {
    styles = Listed(form);
    Cancel(form);
  }));
  EXPECT_EQ(styles, (Names{"c"}));
}

TEST_F(TemplateDialog, EmptyFolderDisablesBothButtons) {
  int count = -1;
  bool enabled = true;
  ASSERT_TRUE(Show([&](TTplForm& form) {
    count = form.ListView1->ItemCount();
    enabled = ButtonsEnabled(form);
    Cancel(form);
  }));
  EXPECT_EQ(count, 0);
  EXPECT_FALSE(enabled);
}

TEST_F(TemplateDialog, UseOpensAnUntitledDocumentWithTheCaretAtTheMark) {
  Write("a.b.tex", "\\begin{document}\r\n$S\r\n\\end{document}");
  ASSERT_TRUE(Show([&](TTplForm& form) {
    form.ListView1->SetItemIndex(IndexOf(form, "a.b"));
    uitest::FormDriver::Click(*form.Button1);
  }));
  EXPECT_EQ(uitest::VisibleForm("TplForm"), nullptr);
  ASSERT_EQ(DocCount(), 1);
  TDocForm& doc = *ActiveDoc();
  EXPECT_EQ(doc.FileName, "");
  EXPECT_EQ(doc.Editor1->Lines().Text(), "\\begin{document}\r\n\r\n\\end{document}");
  EXPECT_EQ(doc.ActiveEditor->SelStart(), 18);
}

TEST_F(TemplateDialog, StandardIsStoredAtOnce) {
  Write("std.tex");
  ASSERT_TRUE(Show([&](TTplForm& form) {
    form.ListView1->SetItemIndex(0);
    uitest::FormDriver::Click(*form.Button3);
    Cancel(form);
  }));
  EXPECT_EQ(top->Settings.FileIOOption.DefaultTemplateFile, Path("std.tex"));
  EXPECT_EQ(RegReadString(res::RegSectionFileIO, "DefaultTemplateFile", ""), Path("std.tex"));
  EXPECT_EQ(DocCount(), 0);
}

TEST_F(TemplateDialog, VanishedFileRebuildsTheListAndOpensNothing) {
  Write("a.tex");
  Write("gone.tex");
  Names after;
  bool stillUp = false;
  ASSERT_TRUE(Show([&](TTplForm& form) {
    form.ListView1->SetItemIndex(IndexOf(form, "gone"));
    DeleteFileA(Path("gone.tex").c_str());
    uitest::FormDriver::Click(*form.Button1);
    after = Listed(form);
    stillUp = form.Visible();
    Cancel(form);
  }));
  EXPECT_EQ(after, (Names{"a"}));
  EXPECT_TRUE(stillUp);
  EXPECT_EQ(DocCount(), 0);
  EXPECT_TRUE(dialogs.calls.empty());
}

} // namespace
