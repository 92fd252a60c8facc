// The main window with one real document for the find tests; the find dialog, made on first
// use into its global, goes before the main window, as the program frees its forms.
#pragma once

#include "app/MainWindowFixture.h"
#include "commands/ViewText.h"
#include "settings/FindUnit.h"

#include <string>

namespace quolin::test_support {

class FindFixture : public MainWindowFixture {
protected:
  void SetUp() override { ShowMainWindow(); }
  void TearDown() override {
    if (FindForm)
      FindForm->Free();
    MainWindowFixture::TearDown();
  }

  void OpenWith(const std::string& text) {
    ASSERT_TRUE(OpenDocument(File("a.tex"), "", false, -1, false, true));
    View().SetText(text);
  }
  static TEditor& View() { return *ActiveDoc()->ActiveEditor; }
  static std::string Body() { return WithoutFinalLineEnd(View().Text()); }
  static void Caret(int offset) { View().SetSelStart(offset); }
  static void Select(int start, int length) {
    View().SetSelStart(start);
    View().SetSelLength(length);
  }
  static bool Run(const std::string& command, int id = 0) {
    return ExecuteCommand(nullptr, command, id);
  }
  std::string StatusMessage() const { return top->StatusBar1->Panels(spMessage).Text(); }
};

} // namespace quolin::test_support
