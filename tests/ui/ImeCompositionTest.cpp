// The composition text put into a real edit's input method context (Wine's imm32): read back
// as the input method holds it, then cancelled.
#include "FormFixture.h"
#include "ui/Edits.h"
#include "ui/ImeText.h"

#include <gtest/gtest.h>

#include <imm.h>

#include <string>
#include <vector>

using namespace quolin;

namespace {

class ImeComposition : public uitest::FormTest {
protected:
  TEdit* edit = Add<TEdit>("Edit1");
  TEdit* other = Add<TEdit>("Edit2");

  void SetUp() override {
    other->SetTop(40);
    form->Show();
    other->SetFocus();
  }

  std::string Composition() {
    HIMC context = ImmGetContext(edit->Handle());
    std::string text;
    LONG size = ImmGetCompositionStringA(context, GCS_COMPSTR, nullptr, 0);
    if (size > 0) {
      std::vector<char> buffer(static_cast<size_t>(size));
      size = ImmGetCompositionStringA(context, GCS_COMPSTR, buffer.data(), size);
      text.assign(buffer.data(), static_cast<size_t>(std::max<LONG>(size, 0)));
    }
    ImmReleaseContext(edit->Handle(), context);
    return text;
  }
  void Cancel() {
    HIMC context = ImmGetContext(edit->Handle());
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
    ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(edit->Handle(), context);
  }
};

TEST_F(ImeComposition, TextReadsBackAsSet) {
  for (std::string text : {"漢字かな", "ｶﾝｼﾞ", "a表"}) {
    ASSERT_TRUE(SetImeCompositionText(text, *edit)) << text;
    EXPECT_TRUE(edit->Focused()) << text;
    EXPECT_EQ(Composition(), text);
    Cancel();
    EXPECT_EQ(Composition(), "") << text;
    other->SetFocus();
  }
}

TEST_F(ImeComposition, EmptyTextSetsNothing) {
  EXPECT_FALSE(SetImeCompositionText("", *edit));
  EXPECT_FALSE(edit->Focused());
  EXPECT_EQ(Composition(), "");
}

TEST_F(ImeComposition, OpensAClosedInputMethod) {
  HIMC context = ImmGetContext(edit->Handle());
  ImmSetOpenStatus(context, FALSE);
  ASSERT_TRUE(SetImeCompositionText("かな", *edit));
  EXPECT_TRUE(ImmGetOpenStatus(context));
  ImmReleaseContext(edit->Handle(), context);
  EXPECT_EQ(Composition(), "かな");
  Cancel();
}

} // namespace
