// The main window in the test process with the settings dialog driven from a timer while its
// modal loop runs: the test's action finds the dialog and ends it with OK or Cancel.
#pragma once

#include "MainWindowFixture.h"
#include "settings/SetUnit.h"
#include "support/FormDriver.h"

#include <functional>
#include <string>

namespace quolin::test_support {

class SettingsDialogFixture : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ShowMainWindow();
  }

  // Shows the dialog modally; act drives it and must close it.
  void RunDialog(const std::function<void(TSetForm&, uitest::FormDriver&)>& act,
                 const std::function<void()>& show = ShowSetForm) {
    bool acted = false;
    uitest::Later(top, [&] {
      auto* form = dynamic_cast<TSetForm*>(Application->FindComponent("SetForm"));
      ASSERT_NE(form, nullptr);
      uitest::FormDriver driver(*form);
      acted = true;
      act(*form, driver);
      // A failed assertion inside act leaves the dialog open: end it instead of hanging.
      if (form->ModalResult() == mrNone)
        PressCancel(*form);
    });
    show();
    EXPECT_TRUE(acted);
  }
  static void PressOk(TSetForm& form) { uitest::FormDriver::Click(*form.Button2); }
  static void PressCancel(TSetForm& form) { uitest::FormDriver::Click(*form.Button_Cancel1); }
  // A click on the sheet of that tab caption.
  static void Visit(TSetForm& form, const std::string& caption) {
    for (int i = 0; i < form.PageControl1->PageCount(); ++i)
      if (form.PageControl1->Pages(i)->Caption() == caption) {
        ASSERT_TRUE(uitest::FormDriver::ChooseSheet(*form.PageControl1->Pages(i)));
        uitest::Pump();
        return;
      }
    FAIL() << "no sheet " << caption;
  }
  // Runs a nested modal dialog's action from a timer, then presses the button that opens it.
  static void OpenNested(TControl& opener, const std::string& formName,
                         const std::function<void(TForm&, uitest::FormDriver&)>& act) {
    uitest::Later(&opener, [formName, act] {
      auto* nested = dynamic_cast<TForm*>(Application->FindComponent(formName));
      ASSERT_NE(nested, nullptr) << formName;
      uitest::FormDriver driver(*nested);
      act(*nested, driver);
      if (nested->ModalResult() == mrNone)
        nested->SetModalResult(mrCancel);
    });
    uitest::FormDriver::Click(opener);
  }
};

} // namespace quolin::test_support
