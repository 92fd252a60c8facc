// The fixture of the dialog tests: a shown form whose timer drives the dialog, found by its
// name, once its modal loop is up.
#pragma once

#include "support/FormDriver.h"
#include "support/UiTest.h"
#include "ui/Application.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace uitest {

// The visible form of that name, or nullptr.
inline quolin::TForm* VisibleForm(const std::string& name) {
  for (int i = 0; i < quolin::Screen->FormCount(); ++i) {
    quolin::TForm* form = quolin::Screen->Forms(i);
    if (form->Name() == name && form->HandleAllocated() && IsWindowVisible(form->Handle()))
      return form;
  }
  return nullptr;
}

class DialogTest : public ::testing::Test {
protected:
  quolin::TOwned<quolin::TForm> owner = MakeForm();

  void SetUp() override {
    owner->Show();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == owner->Handle(); }));
  }

  // Once the dialog named name is up: acts on it with its driver.
  void WhenUp(const std::string& name, std::function<void(quolin::TForm&, FormDriver&)> act) {
    Later(owner.get(), [name, act] {
      if (!PumpUntil([&] { return VisibleForm(name) != nullptr; }))
        return;
      quolin::TForm& dialog = *VisibleForm(name);
      FormDriver driver(dialog);
      act(dialog, driver);
    });
  }
};

} // namespace uitest
