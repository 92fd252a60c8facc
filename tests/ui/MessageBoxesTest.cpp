// Letter-coded message boxes on the real dialog (a second thread reads and presses it) and on
// the test hook; the hourglass, the clipboard and the two comparisons.
#include "ui/MessageBoxes.h"
#include "core/Exceptions.h"
#include "core/TextCompare.h"
#include "support/DialogDriver.h"
#include "support/UiTest.h"
#include "ui/Application.h"
#include "ui/Clipboard.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/HourGlass.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace quolin;
using uitest::BoxDriver;
using uitest::BoxView;
using uitest::ClipboardText;

namespace {

// Shows MsgBox with the style while a driver does what act says; returns the answer.
char BoxAnswer(const std::string& style, const std::function<void(const BoxView&)>& act,
               BoxView* seen = nullptr, const std::string& text = "…") {
  BoxDriver driver(act);
  char answer = MsgBox(text, style);
  if (seen)
    *seen = driver.Seen();
  return answer;
}

void PressEachKey(HWND window, WORD key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 1 | (3u << 30));
}

TEST(MessageBoxes, QyncAnswersEachButtonAndTheCloseButton) {
  BoxView seen;
  EXPECT_EQ(BoxAnswer(
                "Qync", [](const BoxView& box) { box.CloseByButton(); }, &seen),
            'e');
  EXPECT_EQ(seen.title, "確認");
  EXPECT_EQ(seen.text, "…");
  EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_QUESTION));
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"はい(&Y)", "いいえ(&N)", "キャンセル"}));
  for (auto [button, answer] :
       {std::pair{"はい(&Y)", 'y'}, {"いいえ(&N)", 'n'}, {"キャンセル", 'c'}})
    EXPECT_EQ(BoxAnswer("Qync", [&](const BoxView& box) { box.Press(button); }), answer);
}

TEST(MessageBoxes, ButtonsComeInTheFixedOrderAndHelpDoesNothing) {
  BoxView seen;
  char answer = BoxAnswer(
      "hYNlirac o n y",
      [](const BoxView& box) {
        // Handled in order: had help closed the box, its answer would come before 'e'.
        box.Press("ヘルプ(&H)");
        box.CloseByButton();
      },
      &seen);
  EXPECT_EQ(answer, 'e');
  EXPECT_EQ(seen.buttons,
            (std::vector<std::string>{"はい(&Y)", "いいえ(&N)", "OK", "キャンセル", "中止(&A)",
                                      "再試行(&R)", "無視(&I)", "すべて(&L)", "すべていいえ(&O)",
                                      "すべてはい(&T)", "ヘルプ(&H)"}));
  EXPECT_EQ(seen.icon, nullptr);
  EXPECT_EQ(seen.title, Application->Title());
}

TEST(MessageBoxes, DefaultButtonIsOkThenYesThenRetryThenTheFirstAndEnterPressesIt) {
  struct Case {
    const char* style;
    const char* defaultCaption;
    char answer;
  };
  for (const Case& test : {Case{"ync", "はい(&Y)", 'y'}, Case{"oyn", "OK", 'o'},
                           Case{"cr", "再試行(&R)", 'r'}, Case{"ca", "キャンセル", 'c'}}) {
    std::string defaultCaption;
    char answer = BoxAnswer(test.style, [&](const BoxView& box) {
      defaultCaption = test_support::DialogDriver::WindowText(box.defaultButton);
      PressEachKey(box.defaultButton, VK_RETURN);
    });
    EXPECT_EQ(defaultCaption, test.defaultCaption) << test.style;
    EXPECT_EQ(answer, test.answer) << test.style;
  }
}

TEST(MessageBoxes, EscapePressesCancelThenNoThenOkElseClosesAndMnemonicsPressTheirButtons) {
  struct Case {
    const char* style;
    char answer;
  };
  for (const Case& test : {Case{"ync", 'c'}, Case{"yn", 'n'}, Case{"o", 'o'}, Case{"ar", 'e'}}) {
    char answer = BoxAnswer(test.style, [](const BoxView& box) {
      PressEachKey(box.defaultButton ? box.defaultButton : box.buttonWindows.front(), VK_ESCAPE);
    });
    EXPECT_EQ(answer, test.answer) << test.style;
  }
  // A mnemonic letter presses its button.
  EXPECT_EQ(BoxAnswer("Wyn",
                      [](const BoxView& box) { PostMessageA(box.defaultButton, WM_CHAR, 'n', 1); }),
            'n');
}

TEST(MessageBoxes, TextStandsAsGivenAndWrapsAtTwoThirdsOfTheWorkArea) {
  std::string text = "A&B ";
  for (int i = 0; i < 120; ++i)
    text += "wrapping words ";
  LONG style = 0;
  RECT label{};
  RECT boxRect{};
  char answer = BoxAnswer(
      "I",
      [&](const BoxView& box) {
        GetWindowRect(box.window, &boxRect);
        HWND child = nullptr;
        while ((child = FindWindowExA(box.window, child, "Static", nullptr)))
          if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            style = GetWindowLongA(child, GWL_STYLE);
            GetWindowRect(child, &label);
          }
        box.Press("OK");
      },
      nullptr, text);
  EXPECT_EQ(answer, 'o');
  EXPECT_TRUE(style & SS_NOPREFIX);
  RECT area = Screen->WorkAreaRect();
  EXPECT_LE(label.right - label.left, (area.right - area.left) * 2 / 3);
  EXPECT_GT(label.bottom - label.top, 40) << "the text is wrapped onto several lines";
  EXPECT_NEAR((boxRect.left + boxRect.right) / 2, (area.left + area.right) / 2, 2);
  EXPECT_NEAR((boxRect.top + boxRect.bottom) / 2, (area.top + area.bottom) / 2, 2);
}

TEST(MessageBoxes, BoxIsOwnedByTheActiveFormAndStayOnTopFormsStepBack) {
  auto owner = uitest::MakeForm();
  owner->SetCaption("owner");
  owner->Show();
  auto onTop = uitest::MakeForm();
  onTop->SetFormStyle(TFormStyle::fsStayOnTop);
  onTop->Show();
  owner->Show();
  ASSERT_TRUE(uitest::PumpUntil([&] { return Screen->ActiveForm() == owner.get(); }));
  HWND ownerWindow = nullptr;
  LONG topmostWhileUp = -1;
  HWND onTopWindow = onTop->Handle();
  char answer = BoxAnswer("o", [&](const BoxView& box) {
    ownerWindow = GetWindow(box.window, GW_OWNER);
    topmostWhileUp = GetWindowLongA(onTopWindow, GWL_EXSTYLE) & WS_EX_TOPMOST;
    box.Press("OK");
  });
  EXPECT_EQ(answer, 'o');
  EXPECT_EQ(ownerWindow, owner->Handle());
  EXPECT_EQ(topmostWhileUp, 0);
  EXPECT_TRUE(GetWindowLongA(onTopWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// The style scan and the answer letters, on the test hook.
TEST(MessageBoxes, StyleIsScannedFromTheLastLetterTheLeftmostIconWinsAndByLettersKnowsFewer) {
  using enum TMsgDlgType;
  struct Case {
    const char* style;
    bool byLetters;
    TMsgDlgType type;
    unsigned buttons;
  };
  // Unknown letters are ignored. By letters knows All only as "l", and neither NoToAll nor
  // YesToAll.
  for (const Case& test :
       {Case{"?E", false, mtConfirmation, mbOK}, Case{"E?", false, mtError, mbOK},
        Case{"Wyn", false, mtWarning, mbYes | mbNo}, Case{"", false, mtCustom, mbOK},
        Case{"xz", false, mtCustom, mbOK}, Case{"lc", true, mtCustom, mbAll | mbCancel},
        Case{"Yc", true, mtCustom, mbCancel}, Case{"ANc", true, mtCustom, mbCancel},
        Case{"ANYl", false, mtCustom, mbAll | mbNoToAll | mbYesToAll}}) {
    uitest::DialogRecorder hook;
    test.byLetters ? MessageBoxByLetters("t", test.style) : MsgBox("t", test.style);
    ASSERT_EQ(hook.calls.size(), 1u) << test.style;
    EXPECT_EQ(hook.calls[0].type, static_cast<int>(test.type)) << test.style;
    EXPECT_EQ(hook.calls[0].buttons, test.buttons) << test.style;
    EXPECT_EQ(hook.beeps, 0) << test.style;
  }
}

TEST(MessageBoxes, BeepLettersBeepAtOnceBeforeTheBox) {
  std::vector<std::string> order;
  SetDialogHook({[&](const std::string&, TMsgDlgType, TMsgDlgButtons) {
                   order.push_back("box");
                   return mrOk;
                 },
                 [&] { order.push_back("beep"); }});
  MsgBox("t", "B");
  EXPECT_EQ(order, (std::vector<std::string>{"beep", "box"}));
  order.clear();
  MsgBox("t", "BbW");
  EXPECT_EQ(order, (std::vector<std::string>{"beep", "beep", "box"}));
  order.clear();
  MessageBoxByLetters("t", "Bb");
  EXPECT_EQ(order, (std::vector<std::string>{"beep", "box"})) << "\"b\" does not beep here";
  SetDialogHook({});
}

TEST(MessageBoxes, AnswerLettersOfBothRoutines) {
  uitest::DialogRecorder hook;
  struct Case {
    TModalResult result;
    char msgBox;
    char byLetters;
  };
  for (const Case& test : {Case{mrOk, 'o', 'o'}, Case{mrCancel, 'c', 'c'}, Case{mrAbort, 'a', 'a'},
                           Case{mrRetry, 'r', 'r'}, Case{mrIgnore, 'i', 'i'}, Case{mrYes, 'y', 'y'},
                           Case{mrNo, 'n', 'n'}, Case{mrAll, 'A', 'l'}, Case{mrNoToAll, 'N', 0},
                           Case{mrYesToAll, 'Y', 0}, Case{mrNone, 'e', 'e'}, Case{99, 0, 0}}) {
    hook.answer = test.result;
    EXPECT_EQ(MsgBox("t", "o"), test.msgBox) << test.result;
    EXPECT_EQ(MessageBoxByLetters("t", "o"), test.byLetters) << test.result;
  }
}

TEST(MessageBoxes, FormattingVariantsFormatFirst) {
  uitest::DialogRecorder hook;
  hook.answer = mrYes;
  EXPECT_EQ(MsgBoxFmt("文章 \"%s\" は変更されています.", {"a.tex"}, "Qync"), 'y');
  EXPECT_EQ(MessageBoxByLettersFmt("%d : %d", {3, 7}, "Io"), 'y');
  ASSERT_EQ(hook.calls.size(), 2u);
  EXPECT_EQ(hook.calls[0].text, "文章 \"a.tex\" は変更されています.");
  EXPECT_EQ(hook.calls[1].text, "3 : 7");
  EXPECT_THROW(MsgBoxFmt("%d", {"text"}, "o"), EConvertError);
  EXPECT_EQ(hook.calls.size(), 2u) << "no box for a format that fails";
}

TEST(MessageBoxes, HourGlassDoesNotNest) {
  HourGlassOn();
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  HourGlassOn();
  HourGlassOff();
  EXPECT_EQ(Screen->Cursor(), crDefault);
  HourGlassOff();
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(MessageBoxes, ClipboardTakesTextAloneOrUnderFurtherFormats) {
  ASSERT_TRUE(SetClipboardText("表示 \\ keep"));
  EXPECT_EQ(ClipboardText(), "表示 \\ keep");
  EXPECT_FALSE(SetClipboardText("")) << "an empty text leaves the clipboard alone";
  EXPECT_EQ(ClipboardText(), "表示 \\ keep");
  EXPECT_EQ(GetClipboardText(), "表示 \\ keep");

  UINT extra = RegisterClipboardFormatA("Quolin Test Format");
  ASSERT_TRUE(PutClipboardText("a\\b", {extra}));
  EXPECT_EQ(ClipboardText(), "a\\b");
  EXPECT_EQ(uitest::ClipboardBytes(extra).value_or("").substr(0, 4), std::string("a\\b\0", 4));
  // An empty text is put too, and the other formats are gone.
  ASSERT_TRUE(PutClipboardText(""));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(ClipboardText(), "");
  EXPECT_FALSE(IsClipboardFormatAvailable(extra));

  ASSERT_TRUE(uitest::EmptyTheClipboard());
  EXPECT_EQ(GetClipboardText(), "") << "an empty clipboard";
}

TEST(MessageBoxes, ComparisonsFoldOnlyAsciiLettersOfSingleByteCharacters) {
  EXPECT_EQ(CompareStrByFlag("Abc", "aBC", false), 0);
  EXPECT_EQ(CompareStrByFlag("Abc", "aBC", true), -1);
  EXPECT_EQ(CompareStrByFlag("b", "a", true), 1);
  EXPECT_EQ(CompareStrByFlag("ア", "ッ", false), -1) << "83 41 and 83 61 differ";
  EXPECT_EQ(CompareStrByFlag("", "", true), 0);

  EXPECT_EQ(ComparePrefix("$Sys_FileOpen(a)", "$sys_fileopen(", false), 0);
  EXPECT_EQ(ComparePrefix("$Sys_FileOpen(a)", "$sys_fileopen(", true), -1);
  EXPECT_EQ(ComparePrefix("abc", "", true), 0);
  EXPECT_EQ(ComparePrefix("ab", "abc", false), -1) << "a text shorter than the prefix";
  EXPECT_NE(ComparePrefix("アイ", "ッ", false), 0);
  EXPECT_EQ(ComparePrefix("アイ", "ア", false), 0);
  EXPECT_EQ(ComparePrefix("zz", "a", false), 1);
}

} // namespace
