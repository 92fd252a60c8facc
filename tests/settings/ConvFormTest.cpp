// The width conversion dialog over real documents, opened by its word through the router and
// driven from a timer of its modal loop.
#include "app/MainWindowFixture.h"
#include "common/Registry.h"
#include "core/ResConst.h"
#include "settings/ConvUnit.h"
#include "settings/DialogFixture.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"

#include <functional>
#include <string>

namespace {

using namespace quolin;
using namespace quolin::test_support;
using uitest::FormDriver;

constexpr char ConvWord[] = "$Sys_EditCharConv";

class ConvForm : public MainWindowFixture {
protected:
  void SetUp() override { ShowMainWindow(); }

  TEditor& OpenWith(const std::string& text) {
    std::string path = files / "a.tex";
    TempFolder::WriteFile(path, text);
    EXPECT_TRUE(OpenDocument(path, "", false, -1, false, true));
    return *ActiveDoc()->ActiveEditor;
  }
  // Opens the dialog (by its word unless told otherwise); act drives it once it is up.
  void RunWith(
      std::function<void(TForm&, FormDriver&)> act,
      std::function<void()> open = [] { ExecuteCommand(nullptr, ConvWord, 0); }) {
    bool acted = false;
    uitest::Later(top, [&] {
      if (!uitest::PumpUntil([] { return uitest::VisibleForm("ConvForm") != nullptr; }))
        return;
      TForm& dialog = *uitest::VisibleForm("ConvForm");
      FormDriver driver(dialog);
      act(dialog, driver);
      acted = true;
      // A dialog that would stay open fails the test instead of holding it.
      if (dialog.ModalResult() == mrNone) {
        ADD_FAILURE() << "the dialog stays open";
        dialog.SetModalResult(mrCancel);
      }
    });
    open();
    EXPECT_TRUE(acted);
  }
  // Sets combos by name and presses OK.
  void Convert(std::initializer_list<std::pair<const char*, int>> choices) {
    RunWith([&](TForm&, FormDriver& driver) {
      for (auto [name, choice] : choices)
        driver.Get<TComboBox>(name).SetItemIndex(choice);
      FormDriver::Click(driver.Control("Button1"));
    });
  }
  static void Select(TEditor& view, int start, int length) {
    view.SetSelStart(start);
    view.SetSelLength(length);
  }
};

TEST_F(ConvForm, RangeOnlyWithASelection) {
  TEditor& view = OpenWith("ＡＢ");
  struct Seen {
    bool enabled = true, labelEnabled = true;
    int range = -1;
    std::string caption;
  } seen;
  auto look = [&](TForm& dialog, FormDriver& driver) {
    seen = {driver.Control("CB_Select").Enabled(), driver.Control("Label_Select").Enabled(),
            driver.Get<TComboBox>("CB_Select").ItemIndex(), dialog.Caption()};
    FormDriver::Click(driver.Control("Button2"));
  };
  RunWith(look);
  EXPECT_FALSE(seen.enabled);
  EXPECT_FALSE(seen.labelEnabled);
  EXPECT_EQ(seen.range, 0);
  EXPECT_EQ(seen.caption, "全角/半角変換");
  Select(view, 0, 2);
  RunWith(look);
  EXPECT_TRUE(seen.enabled);
  EXPECT_TRUE(seen.labelEnabled);
  EXPECT_EQ(seen.range, 1);
  EXPECT_EQ(view.Text(), "ＡＢ") << "cancelled";
}

TEST_F(ConvForm, SelectionIsReselectedByBytes) {
  TEditor& view = OpenWith("xＡＢ（１）y");
  Select(view, 1, 10);
  Convert({{"CB_Alpha", 1}, {"CB_Num", 1}, {"CB_13", 1}});
  EXPECT_EQ(view.Text(), "xAB(1)y");
  EXPECT_EQ(view.SelStart(), 1);
  EXPECT_EQ(view.SelLength(), 5);
  EXPECT_EQ(view.SelText(), "AB(1)");
  Convert({{"CB_Alpha", 2}, {"CB_Num", 0}, {"CB_13", 0}});
  EXPECT_EQ(view.Text(), "xＡＢ(1)y") << "the selection only";
  EXPECT_EQ(view.SelLength(), 7);
}

TEST_F(ConvForm, WholeDocumentRestoresTheCaretInsideTheText) {
  TEditor& view = OpenWith("Ａ表表ａ\r\nｶﾞ");
  view.SetSelStart(4);
  Convert({{"CB_Alpha", 1}, {"CB_Kata", 2}});
  EXPECT_EQ(view.Text(), "A表表a\r\nガ");
  EXPECT_FALSE(view.Selected());
  EXPECT_EQ(view.SelStart(), 3) << "off the second byte of 表";
  Convert({{"CB_Alpha", 2}, {"CB_Kata", 0}});
  EXPECT_EQ(view.Text(), "Ａ表表ａ\r\nガ");
  EXPECT_EQ(view.SelStart(), 2);
  view.SetSelStart(view.TextLength());
  ASSERT_EQ(view.SelStart(), 12);
  Convert({{"CB_Alpha", 1}});
  EXPECT_EQ(view.SelStart(), 10) << "kept to the shorter text";
}

TEST_F(ConvForm, NothingChosenLeavesTheDocumentAlone) {
  TEditor& view = OpenWith("ＡＢ 12 ｶﾞ\x87\x90");
  ASSERT_FALSE(view.CanUndo());
  Select(view, 2, 4);
  std::initializer_list<std::pair<const char*, int>> none = {
      {"CB_Num", 0}, {"CB_Alpha", 0}, {"CB_Kata", 0}, {"CB_Space", 0}, {"CB_Select", 0}};
  Convert(none);
  EXPECT_EQ(view.Text(), "ＡＢ 12 ｶﾞ\x87\x90");
  EXPECT_FALSE(view.Modified());
  EXPECT_FALSE(view.CanUndo());
  EXPECT_FALSE(view.Selected());
  EXPECT_EQ(view.SelStart(), 2) << "the caret at the remembered start";
  // A kept character alone changes nothing either.
  Convert({{"CB_Alpha", 1}, {"CB_Space", 2}});
  EXPECT_EQ(view.Text(), "AB　12　ｶﾞ\x87\x90");
  EXPECT_TRUE(view.Modified());
}

TEST_F(ConvForm, StatesAreKeptInTheirSection) {
  OpenWith("a");
  Convert({{"CB_1", 2}, {"CB_28", 1}, {"CB_Kata", 2}});
  EXPECT_EQ(RegReadInteger(res::RegSectionCharConvForm, "CB_1_Index", -1), 2);
  EXPECT_EQ(RegReadInteger(res::RegSectionCharConvForm, "CB_28_Index", -1), 1);
  EXPECT_EQ(RegReadInteger(res::RegSectionCharConvForm, "CB_Kata_Index", -1), 2);
  int restored = -1;
  RunWith([&](TForm&, FormDriver& driver) {
    restored = driver.Get<TComboBox>("CB_28").ItemIndex();
    EXPECT_EQ(driver.Get<TComboBox>("CB_28").Items().Count(), 3);
    EXPECT_EQ(driver.Get<TComboBox>("CB_28").Style(), TComboBoxStyle::csDropDownList);
    FormDriver::Click(driver.Control("Button2"));
  });
  EXPECT_EQ(restored, 1);
}

TEST_F(ConvForm, OkWithoutDocumentKeepsTheDialogOpen) {
  TModalResult afterOk = mrCancel;
  RunWith(
      [&](TForm& dialog, FormDriver& driver) {
        FormDriver::Click(driver.Control("Button1"));
        afterOk = dialog.ModalResult();
        FormDriver::Click(driver.Control("Button2"));
      },
      ShowConvForm);
  EXPECT_EQ(afterOk, mrNone) << "OK did nothing and the dialog stayed";
}

} // namespace
