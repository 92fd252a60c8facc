// The title-bar hints of the real main window and document windows: what each shows, with the
// hint's clock and pointer in the test's hands, then once with the real timer and pointer.
#include "MainWindowFixture.h"
#include "support/TitleHintDriver.h"
#include "toolbar/TBHints.h"

#include <string>

namespace {

using namespace quolin;
using namespace quolin::test_support;

class TitleHintForms : public MainWindowFixture {
protected:
  void SetUp() override { ShowMainWindow(); }

  static std::string Rest(TForm& form, TTBHint& hint) {
    return uitest::TitleHintDriver(form, hint).Rest();
  }
  TDocForm* Open(const std::string& path, const std::string& owner = "") {
    EXPECT_TRUE(OpenDocument(path, owner, false, -1, false, true));
    return ActiveDoc();
  }
};

TEST_F(TitleHintForms, MainWindowShowsTheMaximisedDocumentsTitle) {
  EXPECT_EQ(Rest(*top, *top->TBHint1), "") << "no document";
  TDocForm* doc = Open(File("a.tex"), File("main.tex"));
  EXPECT_EQ(Rest(*top, *top->TBHint1), "") << "not maximised";
  doc->SetWindowState(TWindowState::wsMaximized);
  EXPECT_EQ(Rest(*top, *top->TBHint1), doc->GetTitleText());
  EXPECT_EQ(top->TBHint1->Color, clInfoBk);
}

TEST_F(TitleHintForms, DocumentWindowShowsItsFullPathAndAnUntitledOneNothing) {
  std::string path = File("b.tex");
  TDocForm* doc = Open(path);
  EXPECT_EQ(Rest(*doc, *doc->TBHint1), path);
  SysFileNew();
  TDocForm* untitled = ActiveDoc();
  ASSERT_NE(untitled, doc);
  EXPECT_EQ(Rest(*untitled, *untitled->TBHint1), "");
}

TEST_F(TitleHintForms, RealTimerAndPointerShowTheHintAndTakeItAway) {
  Open(File("c.tex"))->SetWindowState(TWindowState::wsMaximized);
  TTBHint& hint = *top->TBHint1;
  hint.WaitTime = 50;
  hint.ShowTime = 200;
  SetForegroundWindow(top->Handle());
  ASSERT_TRUE(uitest::PumpUntil([&] { return GetForegroundWindow() == top->Handle(); }));
  POINT caption = uitest::CaptionPoint(top->Handle());
  ASSERT_EQ(WindowFromPoint(caption), top->Handle());
  POINT client = top->ClientToScreen({200, 200});
  SetCursorPos(client.x, client.y);
  uitest::Pump();
  SetCursorPos(caption.x, caption.y);
  ASSERT_TRUE(uitest::PumpUntil([&] { return hint.HintWindow() != nullptr; }, 5000));
  EXPECT_EQ(TControl::FromHandle(hint.HintWindow())->Text(), ActiveDoc()->GetTitleText());
  EXPECT_TRUE(uitest::PumpUntil([&] { return hint.HintWindow() == nullptr; }, 5000));
}

} // namespace
