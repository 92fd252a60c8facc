#include "core/AboutSteps.h"
#include "core/TemplateNames.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quolin;

namespace {

using Names = std::vector<std::string>;

const Names FoundByPattern = {"a.tex",  "B.TEX", "a.b.tex", "foo.texinfo",
                              "x.tex~", "c.sty", ".tex",    "d.te"};

TEST(DialogTexts, TemplateNamesKeepOnlyTheWantedExtension) {
  EXPECT_EQ(TemplateNames(FoundByPattern, "tex"), (Names{"a", "B", "a.b"}));
  EXPECT_EQ(TemplateNames(FoundByPattern, "TeX"), (Names{"a", "B", "a.b"}));
  EXPECT_EQ(TemplateNames(FoundByPattern, "sty"), (Names{"c"}));
  EXPECT_EQ(TemplateNames(FoundByPattern, "texinfo"), (Names{"foo"}));
  EXPECT_TRUE(TemplateNames({}, "tex").empty());
  EXPECT_TRUE(TemplateNames({"noext"}, "tex").empty());
  // Double-byte names keep their bytes.
  EXPECT_EQ(TemplateNames({"表.tex"}, "tex"), (Names{"表"}));
}

void Type(TAboutKeys& keys, std::string_view letters) {
  for (char letter : letters) {
    TAboutKeyResult result = keys.KeyDown(static_cast<uint16_t>(letter), true);
    EXPECT_TRUE(result.Consumed) << letter;
    EXPECT_FALSE(result.Beep) << letter;
  }
}

TEST(DialogTexts, KeySequenceNeedsOnlyCtrl) {
  TAboutKeys keys;
  EXPECT_FALSE(keys.DiscardsChars());
  for (char letter : std::string_view("VRIM")) {
    TAboutKeyResult result = keys.KeyDown(static_cast<uint16_t>(letter), false);
    EXPECT_TRUE(result.Beep);
    EXPECT_FALSE(result.Consumed);
  }
  EXPECT_EQ(keys.Index(), 0);

  Type(keys, "VR");
  EXPECT_TRUE(keys.DiscardsChars());
  TAboutKeyResult wrong = keys.KeyDown('X', true);
  EXPECT_TRUE(wrong.Beep);
  EXPECT_FALSE(wrong.Consumed);
  // A right letter out of turn is wrong too, and nothing resets.
  EXPECT_TRUE(keys.KeyDown('M', true).Beep);
  EXPECT_EQ(keys.Index(), 2);
  Type(keys, "I");
  TAboutKeyResult last = keys.KeyDown('M', true);
  EXPECT_TRUE(last.Consumed && last.Start);
  EXPECT_EQ(keys.Index(), 4);
}

TEST(DialogTexts, CtrlAloneIsQuietOtherModifiersBeep) {
  TAboutKeys keys;
  TAboutKeyResult ctrl = keys.KeyDown(AboutCtrlKey, true);
  EXPECT_FALSE(ctrl.Beep || ctrl.Consumed);
  // Ctrl+Shift: the Ctrl key itself beeps then, and so does a letter.
  EXPECT_TRUE(keys.KeyDown(AboutCtrlKey, false).Beep);
  EXPECT_TRUE(keys.KeyDown('V', false).Beep);
  EXPECT_EQ(keys.Index(), 0);
  Type(keys, "V");
  EXPECT_EQ(keys.Index(), 1);
}

TEST(DialogTexts, KeysAfterTheSequenceOnlyBeep) {
  TAboutKeys keys;
  Type(keys, "VRIM");
  // While it plays, even the first letter again is no part of a sequence.
  TAboutKeyResult during = keys.KeyDown('V', true);
  EXPECT_TRUE(during.Beep);
  EXPECT_FALSE(during.Consumed || during.Start);
  EXPECT_TRUE(keys.DiscardsChars());
  keys.AnimationDone();
  EXPECT_EQ(keys.Index(), -1);
  EXPECT_FALSE(keys.DiscardsChars());
  TAboutKeyResult after = keys.KeyDown('V', true);
  EXPECT_TRUE(after.Beep);
  EXPECT_FALSE(after.Consumed || after.Start);
  EXPECT_FALSE(keys.KeyDown(AboutCtrlKey, true).Beep);
  keys.Reset();
  Type(keys, "V");
}

TEST(DialogTexts, AnimationMovesPausesAndTypesWholeCharacters) {
  TAboutAnimation animation("a表b");
  std::vector<int> tops;
  TAboutStep step = animation.Next();
  while (step.Action == TAboutAction::aaMoveImage) {
    EXPECT_EQ(step.Pause, 50);
    tops.push_back(step.ImageTop);
    step = animation.Next();
  }
  ASSERT_EQ(tops.size(), 22u);
  EXPECT_EQ(tops.front(), 306);
  EXPECT_EQ(tops.back(), 180);
  EXPECT_EQ(step.Action, TAboutAction::aaWait);
  EXPECT_EQ(step.Pause, 1000);

  step = animation.Next();
  EXPECT_EQ(step.Action, TAboutAction::aaShowText);
  EXPECT_EQ(step.Text, "");
  std::vector<std::string> texts;
  for (step = animation.Next(); step.Action == TAboutAction::aaTypeText; step = animation.Next()) {
    EXPECT_EQ(step.Pause, 100);
    texts.push_back(step.Text);
  }
  EXPECT_EQ(texts, (Names{"a", "a表", "a表b"}));
  EXPECT_EQ(step.Action, TAboutAction::aaDone);
  EXPECT_EQ(step.Pause, 0);
  EXPECT_EQ(animation.Next().Action, TAboutAction::aaDone);
}

TEST(DialogTexts, AnimationStopsAtTheTopLimit) {
  // Just above the limit one step moves past it; at the limit nothing moves.
  TAboutAnimation above("", 181);
  TAboutStep step = above.Next();
  EXPECT_EQ(step.Action, TAboutAction::aaMoveImage);
  EXPECT_EQ(step.ImageTop, 175);
  EXPECT_EQ(above.Next().Action, TAboutAction::aaWait);
  TAboutAnimation at("", 180);
  EXPECT_EQ(at.Next().Action, TAboutAction::aaWait);
  EXPECT_EQ(at.Next().Action, TAboutAction::aaShowText);
  EXPECT_EQ(at.Next().Action, TAboutAction::aaDone);
}

} // namespace
