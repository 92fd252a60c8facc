// The input query's real modal form, driven from a timer of its modal loop, and its test hook.
#include "FormFixture.h"
#include "support/WindowSearch.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/Panels.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quolin;
using uitest::FormDriver;

namespace {

// The input query's form while it is up.
TForm* QueryForm() {
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TForm* form = Screen->Forms(i);
    if (form->HandleAllocated() && IsWindowVisible(form->Handle()) &&
        test_support::ClassNameOf(form->Handle()) == "TInputQueryForm")
      return form;
  }
  return nullptr;
}

// What the form showed when the test acted on it.
struct QueryView {
  std::string caption;
  std::string prompt;
  std::string text;
  bool editFocused = false;
  bool allSelected = false;
  bool promptFocusesEdit = false;
  HWND owner = nullptr;
};

class UiInputQuery : public uitest::FormTest {
protected:
  QueryView view;
  const std::string caption = "追加";
  const std::string prompt = "文字列を入力してください";

  void SetUp() override {
    form->Show();
    ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == form->Handle(); }));
  }

  // Once the form is up: reads it, then acts on it with its driver.
  void WhenUp(std::function<void(TForm& query, FormDriver& driver)> act) {
    uitest::Later(form.get(), [this, act] {
      if (!uitest::PumpUntil([] { return QueryForm() != nullptr; }))
        return;
      TForm& query = *QueryForm();
      FormDriver driver(query);
      auto& edit = driver.Get<TEdit>("Edit");
      auto& label = driver.Get<TLabel>("Prompt");
      view.caption = query.Caption();
      view.prompt = label.Caption();
      view.text = edit.Text();
      view.editFocused = GetFocus() == edit.Handle();
      view.allSelected = edit.SelStart() == 0 && edit.SelLength() == static_cast<int>(view.text.size());
      view.promptFocusesEdit = label.FocusControl == &edit;
      view.owner = GetWindow(query.Handle(), GW_OWNER);
      act(query, driver);
    });
  }

  bool Ask(std::string& value) { return InputQuery(caption, prompt, value); }
};

TEST_F(UiInputQuery, TheFormShowsCaptionPromptAndTheDefaultSelected) {
  WhenUp([](TForm&, FormDriver& driver) { FormDriver::Click(driver.Control("OK")); });
  std::string value = "default";
  EXPECT_TRUE(Ask(value));
  EXPECT_EQ(value, "default");
  EXPECT_EQ(view.caption, caption);
  EXPECT_EQ(view.prompt, prompt);
  EXPECT_EQ(view.text, "default");
  EXPECT_TRUE(view.editFocused);
  EXPECT_TRUE(view.allSelected);
  EXPECT_TRUE(view.promptFocusesEdit);
  EXPECT_EQ(view.owner, form->Handle()) << "owned by the active form";
}

TEST_F(UiInputQuery, TypedJapaneseTextAndEnterGiveTheAnswer) {
  const std::string typed = "表示ab";
  WhenUp([&](TForm&, FormDriver& driver) {
    HWND edit = driver.Control("Edit").Handle();
    for (char byte : typed)
      uitest::TypeChar(edit, byte);
    uitest::PressKey(edit, VK_RETURN);
  });
  std::string value = "old";
  EXPECT_TRUE(Ask(value));
  EXPECT_EQ(value, typed) << "lead and trail bytes as typed";
}

TEST_F(UiInputQuery, EscapeCancelAndTheCloseBoxAnswerFalseAndKeepTheValue) {
  using Action = std::function<void(TForm&, FormDriver&)>;
  const Action actions[] = {
      [](TForm&, FormDriver& driver) {
        HWND edit = driver.Control("Edit").Handle();
        uitest::TypeChar(edit, 'x');
        uitest::PressKey(edit, VK_ESCAPE);
      },
      [](TForm&, FormDriver& driver) {
        auto& cancel = driver.Get<TButton>("Cancel");
        EXPECT_EQ(cancel.Caption(), "キャンセル");
        uitest::TypeChar(driver.Control("Edit").Handle(), 'x');
        FormDriver::Click(cancel);
      },
      [](TForm& query, FormDriver& driver) {
        uitest::TypeChar(driver.Control("Edit").Handle(), 'x');
        PostMessageA(query.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
      },
  };
  for (const Action& action : actions) {
    WhenUp(action);
    std::string value = "kept";
    EXPECT_FALSE(Ask(value));
    EXPECT_EQ(value, "kept");
    EXPECT_EQ(view.text, "kept") << "the form came up";
  }
  WhenUp([](TForm&, FormDriver& driver) { FormDriver::Click(driver.Control("Cancel")); });
  EXPECT_EQ(InputBox(caption, prompt, "既定"), "既定") << "InputBox gives the default on Cancel";
  WhenUp([](TForm&, FormDriver& driver) {
    auto& edit = driver.Get<TEdit>("Edit");
    uitest::TypeChar(edit.Handle(), 'y');
    FormDriver::Click(driver.Control("OK"));
  });
  EXPECT_EQ(InputBox(caption, prompt, "既定"), "y");
}

TEST(UiInputQueryHook, TheHookSeesTheQueryAndTheRecorderAnswersInOrder) {
  uitest::InputRecorder recorder;
  recorder.Answer("一つ目");
  recorder.Cancel();
  recorder.Answer("");
  std::string value = "既定";
  EXPECT_TRUE(InputQuery("編集", "文字列を入力してください", value));
  EXPECT_EQ(value, "一つ目");
  EXPECT_FALSE(InputQuery("追加", "p", value));
  EXPECT_EQ(value, "一つ目") << "kept on Cancel";
  EXPECT_EQ(InputBox("c", "p", "d"), "") << "an empty answer is an answer";
  EXPECT_EQ(InputBox("c", "p", "d"), "d") << "Cancel once the answers are used up";
  ASSERT_EQ(recorder.calls.size(), 4u);
  EXPECT_EQ(recorder.calls[0].caption, "編集");
  EXPECT_EQ(recorder.calls[0].prompt, "文字列を入力してください");
  EXPECT_EQ(recorder.calls[0].value, "既定");
  EXPECT_EQ(recorder.calls[1].value, "一つ目");
  EXPECT_EQ(recorder.calls[3].value, "d");
}

} // namespace
