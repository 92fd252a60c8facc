// Letter-coded message boxes on the real dialog (a second thread reads and presses it) and on
// the test hook; the hourglass, the clipboard and the two comparisons.
#include "ui/MessageBoxes.h"
#include "core/Exceptions.h"
#include "core/TextCompare.h"
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

namespace {

HICON SystemIcon(LPCSTR id) {
  return LoadIconA(nullptr, id);
}

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
                "Qync", [](const BoxView& box) { box.Press("はい(&Y)"); }, &seen),
            'y');
  EXPECT_EQ(seen.title, "確認");
  EXPECT_EQ(seen.text, "…");
  EXPECT_EQ(seen.icon, SystemIcon(IDI_QUESTION));
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"はい(&Y)", "いいえ(&N)", "キャンセル"}));
  EXPECT_EQ(BoxAnswer("Qync", [](const BoxView& box) { box.Press("いいえ(&N)"); }), 'n');
  EXPECT_EQ(BoxAnswer("Qync", [](const BoxView& box) { box.Press("キャンセル"); }), 'c');
  EXPECT_EQ(BoxAnswer("Qync", [](const BoxView& box) { box.CloseByButton(); }), 'e');
}

TEST(MessageBoxes, ButtonsComeInTheFixedOrderAndHelpDoesNothing) {
  BoxView seen;
  char answer = BoxAnswer(
      "hYNlirac o n y",
      [](const BoxView& box) {
        box.Press("ヘルプ(&H)");
        Sleep(200);
        if (IsWindowVisible(box.window))
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
      char caption[64] = {};
      GetWindowTextA(box.defaultButton, caption, sizeof caption);
      defaultCaption = caption;
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
  uitest::DialogRecorder hook;
  MsgBox("t", "?E");
  MsgBox("t", "E?");
  MsgBox("t", "Wyn");
  MsgBox("t", "");
  MsgBox("t", "xz");
  MessageBoxByLetters("t", "lc");
  MessageBoxByLetters("t", "Yc");
  MessageBoxByLetters("t", "ANc");
  MsgBox("t", "ANYl");
  ASSERT_EQ(hook.calls.size(), 9u);
  EXPECT_EQ(hook.calls[0].type, static_cast<int>(TMsgDlgType::mtConfirmation));
  EXPECT_EQ(hook.calls[1].type, static_cast<int>(TMsgDlgType::mtError));
  EXPECT_EQ(hook.calls[2].type, static_cast<int>(TMsgDlgType::mtWarning));
  EXPECT_EQ(hook.calls[2].buttons, static_cast<unsigned>(mbYes | mbNo));
  EXPECT_EQ(hook.calls[3].type, static_cast<int>(TMsgDlgType::mtCustom));
  EXPECT_EQ(hook.calls[3].buttons, static_cast<unsigned>(mbOK));
  EXPECT_EQ(hook.calls[4].buttons, static_cast<unsigned>(mbOK)) << "unknown letters are ignored";
  EXPECT_EQ(hook.beeps, 0);
  // By letters knows All only as "l", and neither NoToAll nor YesToAll.
  EXPECT_EQ(hook.calls[5].buttons, static_cast<unsigned>(mbAll | mbCancel));
  EXPECT_EQ(hook.calls[6].buttons, static_cast<unsigned>(mbCancel));
  EXPECT_EQ(hook.calls[7].buttons, static_cast<unsigned>(mbCancel));
  EXPECT_EQ(hook.calls[8].buttons, static_cast<unsigned>(mbAll | mbNoToAll | mbYesToAll));
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

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr))
    return "<busy>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
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
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(extra);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(data)), 4), std::string("a\\b\0", 4));
  GlobalUnlock(data);
  CloseClipboard();
  // An empty text is put too, and the other formats are gone.
  ASSERT_TRUE(PutClipboardText(""));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(ClipboardText(), "");
  EXPECT_FALSE(IsClipboardFormatAvailable(extra));

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(GetClipboardText(), "") << "an empty clipboard";
}

TEST(MessageBoxes, ComparisonsFoldOnlyAsciiLettersOfSingleByteCharacters) {
  EXPECT_EQ(CompareStrByFlag("Abc", "aBC", false), 0);
  EXPECT_EQ(CompareStrByFlag("Abc", "aBC", true), -1);
  EXPECT_EQ(CompareStrByFlag("b", "a", true), 1);
  EXPECT_NE(CompareStrByFlag("ア", "ッ", false), 0) << "83 41 and 83 61 differ";
  EXPECT_EQ(CompareStrByFlag("ア", "ッ", false), -1);
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
