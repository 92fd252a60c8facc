// The reading capture on real edit windows. Wine's input method gives no result reading, so
// the reading is injected and the composition message sent as the input method sends it.
#include "FormFixture.h"
#include "ui/Edits.h"
#include "ui/SKJSyllabary.h"

#include <gtest/gtest.h>

#include <imm.h>

#include <string>
#include <vector>

using namespace quolin;

namespace {

class SKJSyllabary : public uitest::FormTest {
protected:
  TEdit* edit = Add<TEdit>("Edit1");
  TSKJSyllabary* syllabary = TComponent::Create<TSKJSyllabary>(form.get(), "SKJSyllabary1");
  std::vector<std::string> readings;
  std::vector<HWND> asked;
  TResultReadingReader previous;
  int reached = 0; // composition messages the edit's own procedure handled

  void SetUp() override {
    previous = SetResultReadingReader([this](HWND window) {
      asked.push_back(window);
      return std::string("よみ");
    });
    syllabary->OnCompositionStr = [this](TObject* sender, const std::string& value) {
      EXPECT_EQ(sender, syllabary);
      readings.push_back(value);
    };
    form->Show();
    WatchReached(*edit);
    syllabary->SetControl(edit);
  }
  void TearDown() override { SetResultReadingReader(previous); }

  void WatchReached(TControl& control) {
    control.AddAfterMessageObserver([this](TMessage& message) {
      if (message.Msg == WM_IME_COMPOSITION)
        ++reached;
    });
  }
  static void Compose(TControl& control, LPARAM flags) {
    SendMessageA(control.Handle(), WM_IME_COMPOSITION, 0, flags);
  }
};

TEST_F(SKJSyllabary, InjectedReadingArrives) {
  EXPECT_EQ(syllabary->Control(), edit);
  Compose(*edit, GCS_RESULTSTR | GCS_RESULTREADSTR);
  ASSERT_EQ(readings, std::vector<std::string>{"よみ"});
  EXPECT_EQ(asked, std::vector<HWND>{edit->Handle()});
  EXPECT_EQ(reached, 1) << "the edit's own handling runs after the capture";
}

TEST_F(SKJSyllabary, NoEventWithoutTheFlagOrAHandler) {
  Compose(*edit, GCS_RESULTSTR | GCS_COMPSTR);
  Compose(*edit, GCS_RESULTREADSTR - 1);
  SendMessageA(edit->Handle(), WM_IME_STARTCOMPOSITION, 0, GCS_RESULTREADSTR);
  EXPECT_TRUE(readings.empty());
  syllabary->OnCompositionStr = nullptr;
  Compose(*edit, GCS_RESULTREADSTR);
  EXPECT_TRUE(asked.empty()) << "nothing is read without a handler";
  EXPECT_EQ(reached, 3) << "every composition message reaches the edit";
}

TEST_F(SKJSyllabary, ChangingTheControlMovesTheWatch) {
  auto* other = Add<TEdit>("Edit2");
  WatchReached(*other);
  syllabary->SetControl(other);
  Compose(*edit, GCS_RESULTREADSTR);
  EXPECT_TRUE(readings.empty()) << "the old control is no longer watched";
  Compose(*other, GCS_RESULTREADSTR);
  EXPECT_EQ(readings.size(), 1u);
  syllabary->SetControl(nullptr);
  Compose(*other, GCS_RESULTREADSTR);
  EXPECT_EQ(readings.size(), 1u);
  EXPECT_EQ(reached, 3);
}

TEST_F(SKJSyllabary, FreedControlEmptiesTheProperty) {
  edit->Free();
  EXPECT_EQ(syllabary->Control(), nullptr);
  auto* other = Add<TEdit>("Edit2");
  syllabary->SetControl(other);
  Compose(*other, GCS_RESULTREADSTR);
  EXPECT_EQ(readings.size(), 1u);
}

TEST_F(SKJSyllabary, DestroyedComponentLeavesTheControlAlone) {
  syllabary->Free();
  Compose(*edit, GCS_RESULTREADSTR);
  EXPECT_TRUE(readings.empty());
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(reached, 1);
}

TEST_F(SKJSyllabary, WatchSurvivesRecreateWnd) {
  HWND old = edit->Handle();
  edit->RecreateWnd();
  ASSERT_NE(edit->Handle(), old);
  Compose(*edit, GCS_RESULTREADSTR);
  EXPECT_EQ(readings.size(), 1u);
  EXPECT_EQ(asked, std::vector<HWND>{edit->Handle()});
}

TEST_F(SKJSyllabary, RealReadingIsEmptyWithoutComposition) {
  EXPECT_EQ(ReadResultReading(edit->Handle()), "");
}

} // namespace
