#include "core/EditorOptions.h"
#include "core/EditorMenuItems.h"
#include "core/Exceptions.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace quolin;

namespace {

// Counts the change notices of an option object that no container watches.
struct NoticeCounter {
  int count = 0;
  explicit NoticeCounter(TNotifyPersistent& option) {
    option.OnChange = [this](TObject*) { ++count; };
  }
};

TEST(EditorOptions, ClampsAndRefusals) {
  TEditorCaret caret;
  for (auto [set, expected] : {std::pair{5, 4}, {1, 2}, {9, 8}, {7, 6}, {3, 2}, {-4, 2}, {6, 6}}) {
    caret.SetTabSpaceCount(set);
    EXPECT_EQ(caret.TabSpaceCount(), expected) << set;
  }
  TEditorWrapOption wrap;
  wrap.SetWrapByte(10);
  EXPECT_EQ(wrap.WrapByte(), 20);
  wrap.SetWrapByte(300);
  EXPECT_EQ(wrap.WrapByte(), 250);
  wrap.SetWrapByte(64);
  EXPECT_EQ(wrap.WrapByte(), 64);
  TEditorMargin margin;
  margin.SetCharacter(-3);
  EXPECT_EQ(margin.Character(), 0);
  margin.SetCharacter(500);
  EXPECT_EQ(margin.Character(), 100);
  TEditorViewInfo view;
  view.SetQuotation("ab");
  EXPECT_EQ(view.Quotation(), "a");
  view.SetQuotation("「x");
  EXPECT_EQ(view.Quotation(), "「");
  // Assigning from another class and a fifteenth bracket pair are refused.
  EXPECT_THROW(margin.Assign(TEditorMark()), EConvertError);
  TEditorBracketCollection brackets;
  for (int i = 0; i < 14; ++i)
    brackets.Add();
  try {
    brackets.Add();
    FAIL() << "a 15th pair was accepted";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "TEditorBracketCollection\r\nYou can not add item over 14");
  }
  EXPECT_EQ(brackets.Count(), 14);
}

TEST(EditorOptions, Defaults) {
  TEditorCaret caret;
  EXPECT_TRUE(caret.AutoIndent && caret.FreeCaret && caret.RowSelect && caret.SelMove);
  EXPECT_FALSE(caret.InTab || caret.KeepCaret || caret.NextLine || caret.SoftTab);
  EXPECT_EQ(caret.TabSpaceCount(), 8);
  EXPECT_EQ(caret.Style(), TEditorCaretStyle::csDefault);
  EXPECT_EQ(caret.Cursors().DefaultCursor, crIBeam);
  EXPECT_EQ(caret.Cursors().DragSelCursor, crDrag);
  EXPECT_EQ(caret.Cursors().LeftMarginCursor, 1);
  EXPECT_EQ(caret.Cursors().DragSelCopyCursor, 2);
  TEditorMargin margin;
  EXPECT_EQ(margin.Left(), 19);
  EXPECT_EQ(margin.Top(), 2);
  TEditorMarks marks;
  EXPECT_EQ(marks.EofMark().Color(), clGray);
  EXPECT_FALSE(marks.Underline().Visible());
  TEditorViewInfo view;
  EXPECT_EQ(view.Colors()[ciSelect].BkColor(), clNavy);
  EXPECT_EQ(view.Colors()[ciSelect].Color(), clWhite);
  EXPECT_EQ(view.Colors()[ciComment].Color(), clWindowText);
  EXPECT_EQ(view.Colors()[ciUrl].BkColor(), clWindow);
  EXPECT_EQ(view.Brackets().Count(), 0);
  EXPECT_FALSE(view.Mail() || view.Url() || view.ControlCode());
  TEditorWrapOption wrap;
  EXPECT_EQ(wrap.WrapByte(), 80);
  EXPECT_FALSE(wrap.WordBreak() || wrap.FollowRetMark() || wrap.Leading());
  EXPECT_STREQ(EditorColorName(ciAnk), "Ank");
  EXPECT_STREQ(EditorColorName(ciUrl), "Url");
  EXPECT_EQ(wrap.FollowStr(),
            "\x81\x41\x81\x42\x81\x43\x81\x44\x81\x45\x81\x48\x81\x49\x81\x4A"
            "\x81\x4B\x81\x52\x81\x53\x81\x54\x81\x55\x81\x58\x81\x5B\x81\x6A"
            "\x81\x6E\x81\x70\x81\x76\x81\x78!),.:;?]}\xA1\xA3\xA4\xA5\xB0\xDE\xDF");
  EXPECT_EQ(wrap.LeadStr(), "\x81\x69\x81\x6D\x81\x6F\x81\x75\x81\x77([{\xA2");
  EXPECT_EQ(wrap.PunctuationStr(), "\x81\x41\x81\x42\x81\x43\x81\x44,.\xA1\xA4");
  // Cursor defaults follow the registered numbers.
  EditorCursorNumbers saved = RegisteredEditorCursors();
  RegisteredEditorCursors() = {7, 9};
  TEditorCursors cursors;
  RegisteredEditorCursors() = saved;
  EXPECT_EQ(cursors.LeftMarginCursor, 7);
  EXPECT_EQ(cursors.DragSelCopyCursor, 9);
}

TEST(EditorOptions, ChangesNotifyOnceAndOnlyWhenReal) {
  TEditorMargin margin;
  NoticeCounter notices(margin);
  margin.SetLeft(19);
  margin.SetCharacter(0);
  margin.SetCharacter(-5); // clamps to the value it has
  EXPECT_EQ(notices.count, 0);
  margin.SetLeft(8);
  EXPECT_EQ(notices.count, 1);

  TEditorCaret caret;
  NoticeCounter caretNotices(caret);
  caret.SetTabSpaceCount(9); // clamps to 8, the current value
  caret.SetStyle(TEditorCaretStyle::csDefault);
  EXPECT_EQ(caretNotices.count, 0);
  caret.SetTabSpaceCount(4);
  caret.SetStyle(TEditorCaretStyle::csBrief);
  EXPECT_EQ(caretNotices.count, 2);

  TEditorWrapOption wrap;
  NoticeCounter wrapNotices(wrap);
  wrap.SetFollowStr(wrap.FollowStr());
  wrap.SetWrapByte(80);
  EXPECT_EQ(wrapNotices.count, 0);
  wrap.SetWordBreak(true);
  EXPECT_EQ(wrapNotices.count, 1);
  TEditorColors source;
  source.SetAllColor(clRed);
  source.SetAllBkColor(clYellow);
  source.SetAllStyle(fsBold);
  EXPECT_EQ(source[ciSelect].Color(), clWhite); // Select is left alone
  EXPECT_EQ(source[ciStr].Color(), clRed);

  TEditorColors colors;
  NoticeCounter colorNotices(colors);
  colors.Assign(source);
  EXPECT_EQ(colorNotices.count, 1);
  EXPECT_EQ(colors[ciAnk].BkColor(), clYellow);
  EXPECT_EQ(colors[ciMail].Style(), fsBold);

  TEditorViewInfo view;
  NoticeCounter viewNotices(view);
  view.SetColors(source);
  EXPECT_EQ(viewNotices.count, 1);
  view.Colors()[ciUrl].SetColor(clBlue); // a single colour reaches the view too
  EXPECT_EQ(viewNotices.count, 2);

  TEditorBracketCollection brackets;
  for (const char* pair : {"{}", "[]", "()"}) {
    TEditorBracketItem& item = brackets.Add();
    item.SetLeftBracket(std::string(1, pair[0]));
    item.SetRightBracket(std::string(1, pair[1]));
  }
  TEditorBracketCollection copied;
  NoticeCounter bracketNotices(copied);
  copied.Assign(brackets);
  EXPECT_EQ(bracketNotices.count, 1);
  ASSERT_EQ(copied.Count(), 3);
  EXPECT_EQ(copied.Items(2).RightBracket(), ")");
  copied.Items(0).ItemColor().SetColor(clGreen); // an item's colour notifies
  EXPECT_EQ(bracketNotices.count, 2);

  view.SetBrackets(copied);
  EXPECT_EQ(viewNotices.count, 3);
  TEditorViewInfo copy;
  NoticeCounter copyNotices(copy);
  copy.Assign(view);
  EXPECT_EQ(copyNotices.count, 1);
  EXPECT_EQ(copy.Brackets().Items(0).ItemColor().Color(), clGreen);
  EXPECT_EQ(copy.Colors()[ciUrl].Color(), clBlue);
}

using Action = EditorMenuAction;

// What the menu builder relies on: separators carry no action, every action appears once with
// an access key, and the key letter agrees with the shortcut text it shows.
TEST(EditorMenuItems, EntriesAreConsistent) {
  std::set<Action> seen;
  for (const EditorMenuItem& item : EditorMenuItems()) {
    std::string caption = item.caption, shortcut = item.shortcut;
    SCOPED_TRACE(caption);
    EXPECT_EQ(caption == "-", item.action == Action::None);
    EXPECT_EQ(item.shortcutKey, shortcut.empty() ? 0 : shortcut.back());
    if (item.action == Action::None)
      continue;
    EXPECT_TRUE(seen.insert(item.action).second);
    EXPECT_NE(caption.find("(&"), std::string::npos);
    EXPECT_TRUE(shortcut.empty() || shortcut.rfind("Ctrl+", 0) == 0);
  }
  EXPECT_EQ(seen.size(), 9u);
  EXPECT_EQ(std::string(EditorMenuItems()[0].caption), "\x8C\xB3\x82\xC9\x96\xDF\x82\xB7(&U)");
  EXPECT_EQ(EditorMenuItems()[0].shortcutKey, 'Z'); // CP932 "元に戻す", undo on Ctrl+Z
}

// The enabled actions of a state, in menu order.
std::string Enabled(const EditorMenuState& state) {
  std::string names;
  for (const EditorMenuItem& item : EditorMenuItems()) {
    if (EditorMenuItemEnabled(item.action, state))
      names += std::to_string(static_cast<int>(item.action)) + " ";
  }
  return names;
}

std::string Names(std::initializer_list<Action> actions) {
  std::string names;
  for (Action action : actions)
    names += std::to_string(static_cast<int>(action)) + " ";
  return names;
}

TEST(EditorMenuItems, EnabledAndCheckedStates) {
  using A = Action;
  EditorMenuState everything{true, true, false, true, true, false, true};
  EditorMenuState readOnly = everything;
  readOnly.readOnly = true;
  const struct {
    EditorMenuState state;
    std::string enabled;
  } cases[] = {
      {{}, Names({A::BoxMode})},
      {everything, Names({A::Undo, A::Redo, A::Cut, A::Copy, A::Paste, A::BoxPaste, A::Delete,
                          A::SelectAll, A::BoxMode})},
      {readOnly, Names({A::Copy, A::SelectAll, A::BoxMode})},
      {{.selected = true}, Names({A::Cut, A::Copy, A::Delete, A::BoxMode})},
      {{.clipboardHasText = true}, Names({A::Paste, A::BoxPaste, A::BoxMode})},
      {{.canUndo = true}, Names({A::Undo, A::BoxMode})},
      {{.canRedo = true}, Names({A::Redo, A::BoxMode})},
      {{.textEmpty = false}, Names({A::SelectAll, A::BoxMode})},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Enabled(c.state), c.enabled) << &c - cases;
  for (const EditorMenuItem& item : EditorMenuItems()) {
    EXPECT_EQ(EditorMenuItemChecked(item.action, {.boxMode = true}),
              item.action == Action::BoxMode);
    EXPECT_FALSE(EditorMenuItemChecked(item.action, EditorMenuState()));
  }
}

} // namespace
