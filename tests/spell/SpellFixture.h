// The main window in the test process with a document and the spell-check window over it:
// Debian's American word list as the dictionary folder (made once for the suite), a user
// dictionary of the test's own, and the settings block's spell switches as the test sets them.
#pragma once

#include "MainWindowFixture.h"
#include "SpellTestFiles.h"
#include "app/SettingsBlock.h"
#include "editor/EditorControl.h"
#include "spell/SpellSetUnit.h"
#include "spell/SpellUnit.h"
#include "support/FormDriver.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Panels.h"

#include <memory>
#include <string>
#include <vector>

namespace quolin::test_support {

class SpellFixture : public MainWindowFixture {
protected:
  static inline std::unique_ptr<spell_test::DebianDictionaries> debian;
  std::string userDic = files / "user.dic";

  static void SetUpTestSuite() { debian = std::make_unique<spell_test::DebianDictionaries>(); }
  static void TearDownTestSuite() { debian.reset(); }

  void SetUp() override {
    ASSERT_EQ(debian->Error(), "");
    ShowMainWindow();
    UseDictionaries(userDic, debian->AmericanFolder() + "\\");
    TempFolder::WriteFile(userDic, "quolin\r\n");
  }
  // The spell windows first: they stand on the main window.
  void TearDown() override {
    if (SpellForm)
      SpellForm->Free();
    if (SpellSetForm)
      SpellSetForm->Free();
    MainWindowFixture::TearDown();
  }

  // Stored as the settings page stores them.
  void UseDictionaries(const std::string& user, const std::string& folder) {
    top->Settings.SpellCheckDics = {user, folder};
    SaveSpellCheckDics(top->Settings.SpellCheckDics);
  }
  TSpellCheckOptions& Options() { return top->Settings.SpellCheckOptions; }

  // A document of the lines (CR LF after each), caret at its start.
  TEditor& Open(const std::vector<std::string>& lines, const std::string& name = "doc.tex") {
    std::string text;
    for (const std::string& line : lines)
      text += line + "\r\n";
    std::string path = files / name;
    TempFolder::WriteFile(path, text);
    EXPECT_TRUE(OpenDocument(path, "", false, -1, false, true));
    uitest::Pump();
    TEditor& view = *ActiveDoc()->ActiveEditor;
    view.SetSelStart(0);
    return view;
  }
  static TEditor& View() { return *ActiveDoc()->ActiveEditor; }
  static std::string Line(int index) { return View().Lines()[index]; }
  // The logical line of the caret.
  static int CaretLine() { return View().RowToLines(View().Row()); }

  static TSpellForm& Form() { return *SpellForm; }
  static std::string EditText() { return SpellForm->Edit_NotFoundText1->Text(); }
  static std::vector<std::string> Suggestions() {
    std::vector<std::string> items;
    for (int i = 0; i < SpellForm->ListBox1->Items().Count(); ++i)
      items.push_back(SpellForm->ListBox1->Items()[i]);
    return items;
  }
  // Selects the suggestion; false when the list lacks it.
  static bool Choose(const std::string& suggestion) {
    auto items = Suggestions();
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i] == suggestion) {
        SpellForm->ListBox1->SetItemIndex(static_cast<int>(i));
        return true;
      }
    return false;
  }
  static void Click(TButton* button) {
    uitest::FormDriver::Click(*button);
    uitest::Pump();
  }
  std::string StatusMessage() const { return top->StatusBar1->Panels(spMessage).Text(); }

  // Answers the message boxes in turn (then Cancel), recording them in the fixture's recorder,
  // which keeps counting beeps.
  void AnswerInTurn(std::vector<TModalResult> answers) {
    SetDialogHook({[this, answers, next = size_t{0}](const std::string& text, TMsgDlgType type,
                                                     TMsgDlgButtons buttons) mutable {
                     dialogs.calls.push_back({text, static_cast<int>(type), buttons});
                     return next < answers.size() ? answers[next++] : mrCancel;
                   },
                   [this] { ++dialogs.beeps; }});
  }
};

} // namespace quolin::test_support
