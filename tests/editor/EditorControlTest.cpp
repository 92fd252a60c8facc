// The editor control as a component: defaults, the window it makes, views sharing a store,
// loading, options and notifications.
#include "EditorWindow.h"
#include "core/EditorUndo.h"
#include "editor/EditorPopupMenu.h"

#include <gtest/gtest.h>

#include <memory>

using namespace quolin;
using namespace editortest;

namespace {

DWORD StyleOf(TEditor& editor) {
  return static_cast<DWORD>(GetWindowLongA(editor.Handle(), GWL_STYLE));
}

DWORD ExStyleOf(TEditor& editor) {
  return static_cast<DWORD>(GetWindowLongA(editor.Handle(), GWL_EXSTYLE));
}

TEST(EditorControl, ConstructionGivesTheDefaultsAndTextAndCaretWorkWithoutAWindow) {
  TOwned<TEditor> editor(TComponent::Create<TEditor>(nullptr));
  EXPECT_EQ(editor->Width(), 185);
  EXPECT_EQ(editor->Height(), 89);
  EXPECT_EQ(editor->Cursor(), crIBeam);
  EXPECT_TRUE(editor->TabStop());
  EXPECT_FALSE(editor->ParentColor());
  EXPECT_EQ(editor->Color(), clWindow);
  EXPECT_EQ(editor->Font().Name(), "FixedSys");
  EXPECT_EQ(editor->Font().Color(), clWindowText);
  EXPECT_EQ(editor->ScrollBars(), TScrollStyle::ssNone);
  EXPECT_FALSE(editor->WordWrap());
  EXPECT_FALSE(editor->DoubleBuffered());
  EXPECT_EQ(editor->Margin().Left(), 19);
  // The list keeps the order its owner sorted it in, repeats too.
  EXPECT_FALSE(editor->ReserveWordList().Sorted());
  EXPECT_EQ(editor->ReserveWordList().Duplicates, TDuplicates::dupAccept);
  EXPECT_EQ(editor->Delimiters().count(), 75u);

  auto* menu = dynamic_cast<TEditorPopupMenu*>(editor->PopupMenu());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Editor(), editor.get());
  EXPECT_EQ(menu->Owner(), editor.get());

  // No window yet: a cell of 8 by 16 and nothing visible, and no division by zero anywhere.
  EXPECT_FALSE(editor->HandleAllocated());
  EXPECT_EQ(editor->CharPitch(), 8);
  EXPECT_EQ(editor->RowHeight(), 16);
  EXPECT_EQ(editor->VisibleRows(), 0);
  EXPECT_EQ(editor->VisibleCols(), 0);

  // UndoListMax never falls below 64.
  EXPECT_EQ(editor->UndoListMax(), 64);
  editor->SetUndoListMax(10);
  EXPECT_EQ(editor->UndoListMax(), 64);
  editor->SetUndoListMax(512);
  EXPECT_EQ(editor->UndoListMax(), 512);

  // Without a window text and caret still work.
  editor->Lines().SetText("abc\r\n\tx\r\nlast");
  EXPECT_EQ(editor->RowCount(), 3);
  editor->SetRow(9);
  EXPECT_EQ(editor->Row(), 3) << "the row after the last line end";
  editor->SetRow(1);
  editor->SetCol(3);
  EXPECT_EQ(editor->Col(), 8) << "off the TAB's fill cells in the direction of the move";
  editor->SetTopRow(2);
  EXPECT_EQ(editor->TopRow(), 2);
  editor->Lines().Add("more");
  EXPECT_TRUE(editor->Modified());
  EXPECT_EQ(editor->GetRowText(3), "more");
  EXPECT_EQ(editor->GetRowText(7), "");
  EXPECT_FALSE(editor->HandleAllocated());
}

TEST(EditorControl, WindowClassAndStylesFollowThePropertiesAndNewWindowsKeepTheText) {
  EditorWindow window(300, 200, TScrollStyle::ssVertical);
  TEditor& editor = window.Editor();
  HWND handle = editor.Handle();
  UINT classStyle = static_cast<UINT>(GetClassLongA(handle, GCL_STYLE));
  EXPECT_TRUE(classStyle & CS_DBLCLKS);
  EXPECT_FALSE(classStyle & (CS_HREDRAW | CS_VREDRAW));
  EXPECT_TRUE(ExStyleOf(editor) & WS_EX_CLIENTEDGE) << "Ctl3D and bsSingle";
  EXPECT_FALSE(StyleOf(editor) & WS_BORDER);
  EXPECT_TRUE(StyleOf(editor) & WS_VSCROLL);
  EXPECT_FALSE(StyleOf(editor) & WS_HSCROLL);

  editor.SetCtl3D(false);
  EXPECT_NE(editor.Handle(), handle) << "a Ctl3D change with bsSingle makes a new window";
  EXPECT_TRUE(StyleOf(editor) & WS_BORDER);
  EXPECT_FALSE(ExStyleOf(editor) & WS_EX_CLIENTEDGE);

  handle = editor.Handle();
  editor.SetBorderStyle(TBorderStyle::bsNone);
  EXPECT_NE(editor.Handle(), handle);
  EXPECT_FALSE(StyleOf(editor) & WS_BORDER);
  handle = editor.Handle();
  editor.SetCtl3D(true);
  EXPECT_EQ(editor.Handle(), handle) << "without a border Ctl3D changes nothing";
  EXPECT_FALSE(ExStyleOf(editor) & WS_EX_CLIENTEDGE);

  editor.SetScrollBars(TScrollStyle::ssBoth);
  EXPECT_TRUE(StyleOf(editor) & WS_HSCROLL);
  EXPECT_TRUE(StyleOf(editor) & WS_VSCROLL);

  // A new window keeps the text and the caret.
  editor.Lines().SetText("first\r\nsecond line\r\n");
  editor.SetRowCol(1, 4);
  HWND before = editor.Handle();
  editor.SetBorderStyle(TBorderStyle::bsSingle);
  EXPECT_NE(editor.Handle(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(editor.Lines().Text(), "first\r\nsecond line\r\n");
  EXPECT_EQ(editor.RowCount(), 2);
  EXPECT_EQ(CaretAt(editor), std::pair(1, 4));
  char caption[16] = "x";
  EXPECT_EQ(GetWindowTextA(editor.Handle(), caption, sizeof caption), 15)
      << "the window text is the editor's text, cut to the buffer";
  EXPECT_STREQ(caption, "first\r\nsecond l");
}

TEST(EditorControl, TwoViewsShareOneStoreAndTheLastViewTakesItAlong) {
  EditorWindow window(300, 120);
  TEditor* first = window.AddEditor(300, 120);
  TEditor* second = window.AddEditor(300, 120);
  first->Lines().SetText("one\r\ntwo\r\nthree\r\n");
  second->ShareScreenStrings(first);
  EXPECT_EQ(&second->ScreenStrings(), &first->ScreenStrings());
  EXPECT_EQ(second->Lines().Text(), "one\r\ntwo\r\nthree\r\n");
  uitest::Pump();
  {
    DrawnRows drawnFirst(*first);
    DrawnRows drawnSecond(*second);
    second->Lines().Put(1, "TWO!");
    // The store rewrites the following line with the edited one.
    EXPECT_EQ(drawnFirst.rows, (std::vector<int>{1, 2})) << "the other view repaints the rows";
    EXPECT_EQ(drawnSecond.rows, (std::vector<int>{1, 2}));
  }
  EXPECT_TRUE(first->Modified());
  EXPECT_TRUE(second->Modified());
  EXPECT_EQ(first->GetRowText(1), "TWO!");

  std::weak_ptr<TEditorScreenStrings> store = first->SharedScreenStrings();
  first->Free();
  ASSERT_FALSE(store.expired());
  EXPECT_EQ(store.lock()->Views().size(), 1u);
  EXPECT_EQ(second->Lines().Text(), "one\r\nTWO!\r\nthree\r\n");
  second->Lines().Add("four");
  EXPECT_EQ(second->RowCount(), 4);
  second->Free();
  EXPECT_TRUE(store.expired()) << "the store goes with its last view";

  // Sharing frees the view's own store and brings the caret into the new text.
  TOwned<TEditor> shared(TComponent::Create<TEditor>(nullptr));
  TOwned<TEditor> own(TComponent::Create<TEditor>(nullptr));
  shared->Lines().SetText("shared\r\n");
  own->Lines().SetText("own 1\r\nown 2\r\nown 3\r\n");
  own->SetRow(3);
  std::weak_ptr<TEditorScreenStrings> old = own->SharedScreenStrings();
  own->ShareScreenStrings(shared.get());
  EXPECT_TRUE(old.expired());
  EXPECT_EQ(own->Lines().Text(), "shared\r\n");
  EXPECT_EQ(own->Row(), 1);
  own->ShareScreenStrings(nullptr);
  EXPECT_EQ(&own->ScreenStrings(), &shared->ScreenStrings());
}

// A form that builds an editor in its constructor, as a streamed form would.
class LoadedForm : public TForm {
public:
  TEditor* editor;

protected:
  explicit LoadedForm(TComponent* owner) : TForm(owner) {
    editor = Create<TEditor>(this, "Editor1");
    editor->SetParent(this);
    editor->WrapOption().SetWrapByte(20);
    editor->SetWordWrap(true);
    editor->Lines().SetText(std::string(50, 'w'));
    loadingRows = editor->RowCount();
  }

public:
  int loadingRows = 0;
};

TEST(EditorControl, LoadedWrapsParsesAndClearsModified) {
  auto form = uitest::MakeForm<LoadedForm>();
  EXPECT_EQ(form->loadingRows, 1) << "no wrapping while loading";
  EXPECT_EQ(form->editor->RowCount(), 3);
  EXPECT_EQ(form->editor->GetRowText(2), std::string(10, 'w'));
  EXPECT_FALSE(form->editor->Modified());
  EXPECT_EQ(form->editor->ScreenStrings().GetRowState(2), TEditorParser::kNoBracket);
}

TEST(EditorControl, OptionChangesRemeasureReparseAndRewrap) {
  EditorWindow window;
  TEditor& editor = window.Editor();
  UseGothic(editor, 16);
  int rowHeight = editor.RowHeight();
  editor.Marks().Underline().SetVisible(true);
  EXPECT_EQ(editor.RowHeight(), rowHeight + 1) << "room for the underline";
  editor.Margin().SetLine(3);
  EXPECT_EQ(editor.RowHeight(), rowHeight + 4);
  int pitch = editor.CharPitch();
  editor.Margin().SetCharacter(2);
  EXPECT_EQ(editor.CharPitch(), pitch + 2);

  editor.Lines().SetText("{open\r\nstill\r\n");
  EXPECT_EQ(editor.ScreenStrings().GetRowState(1), TEditorParser::kNoBracket);
  TEditorBracketItem& pair = editor.View().Brackets().Add();
  pair.SetLeftBracket("{");
  pair.SetRightBracket("}");
  EXPECT_EQ(editor.ScreenStrings().GetRowState(1), 0) << "rows are parsed again with the pair";

  editor.WrapOption().SetWrapByte(20);
  editor.SetWordWrap(true);
  editor.Lines().SetText("\t\tabcdefghij");
  ASSERT_EQ(editor.RowCount(), 2) << "16 cells of TABs and 10 letters";
  editor.Caret().SetTabSpaceCount(2);
  EXPECT_EQ(editor.RowCount(), 1) << "a new TAB width rewraps: 4 cells of TABs and 10 letters";
  EXPECT_EQ(editor.RowEndColumn(0), 14);
}

TEST(EditorControl, ChangesRaiseOnChangeAndSetModified) {
  TOwned<TEditor> editor(TComponent::Create<TEditor>(nullptr));
  int changes = 0;
  editor->OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, editor.get());
    ++changes;
  };
  editor->Lines().SetText("a\r\n");
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(editor->Modified());
  editor->SetModified(false);
  editor->Lines().Add("b");
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(editor->Modified());
}

TEST(EditorControl, ButtonPressTakesTheFocus) {
  EditorWindow window;
  TEditor& editor = window.Editor();
  SetForegroundWindow(window.Form().Handle());
  window.Unfocus();
  ASSERT_FALSE(editor.Focused());
  SendMessageA(editor.Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(30, 10));
  SendMessageA(editor.Handle(), WM_MBUTTONUP, 0, MAKELPARAM(30, 10));
  EXPECT_TRUE(editor.Focused());
}

} // namespace
