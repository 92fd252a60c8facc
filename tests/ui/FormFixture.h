// The fixture of the windowed ui tests: a form freed with the test, controls added to it,
// bounds as text, and the form driver (with Later, actions run from a timer).
#pragma once

#include "support/FormDriver.h"
#include "support/UiTest.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace uitest {

// "left,top widthxheight".
inline std::string Bounds(const quolin::TControl& control) {
  return std::to_string(control.Left()) + "," + std::to_string(control.Top()) + " " +
         std::to_string(control.Width()) + "x" + std::to_string(control.Height());
}

// A control named name made by form, placed on parent (the form when none).
template <typename T>
T* AddTo(quolin::TForm& form, const char* name, quolin::TControl* parent = nullptr) {
  T* control = quolin::TComponent::Create<T>(&form, name);
  control->SetParent(parent ? parent : &form);
  return control;
}

class FormTest : public ::testing::Test {
protected:
  quolin::TOwned<quolin::TForm> form = MakeForm();

  template <typename T> T* Add(const char* name, quolin::TControl* parent = nullptr) {
    return AddTo<T>(*form, name, parent);
  }
};

} // namespace uitest
