// TEditorProp: its stream image, the registry value "Property", and copying the set into views.
#include "EditorPropSamples.h"
#include "SecondProcess.h"
#include "common/Registry.h"
#include "common/RegistryProbe.h"
#include "core/Exceptions.h"
#include "core/PropertyStream.h"
#include "core/ResConst.h"
#include "editor/EditorControl.h"
#include "editor/EditorStartup.h"
#include "ui/Application.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

using namespace quolin;
using namespace editortest;
using test_support::Dword;
using test_support::QueryRaw;
using test_support::SetRaw;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

TOwned<TEditorProp> NewProp(std::string_view name = {}) {
  return TOwned<TEditorProp>(TComponent::Create<TEditorProp>(nullptr, name));
}

TOwned<TEditorProp> NewRichProp(std::string_view name = {}) {
  TOwned<TEditorProp> prop = NewProp(name);
  FillRichProp(*prop);
  return prop;
}

TOwned<TEditorProp> CopyOf(const TEditorProp& prop) {
  TOwned<TEditorProp> copy = NewProp();
  copy->Assign(prop);
  return copy;
}

// A short string of the stream.
std::string Short(std::string_view text) {
  return std::string(1, static_cast<char>(text.size())) + std::string(text);
}

// Settings under a base path of the test's own, removed afterwards.
class EditorProps : public ::testing::Test {
protected:
  test_support::TestKey key;
  std::string base = "\\" + key.Path();

  void SetUp() override { RegSetBase(HKEY_CURRENT_USER, base); }
  void TearDown() override { RegSetBase(HKEY_CURRENT_USER, res::RegBasePathDefault); }

  std::string ValueKey() const { return key.Path() + "\\Editor\\Property"; }
};

// Reads the set the first process wrote under the base path and compares it with the rich
// set: the number of differing properties, 100 when nothing was read.
int CheckPropWrittenByFirstProcess(const std::string& basePath) {
  RegSetBase(HKEY_CURRENT_USER, basePath);
  TOwned<TEditorProp> read = NewProp();
  if (!ReadEditorPropFromRegistry(*read, "Editor", "Property"))
    return 100;
  std::vector<std::string> differences = PropDifferences(*read, *NewRichProp());
  for (const std::string& line : differences)
    std::fprintf(stderr, "%s\n", line.c_str());
  return static_cast<int>(differences.size());
}

const SecondProcessMode kCheckProp("check-editor-prop", CheckPropWrittenByFirstProcess);

// A hand-made image: every integer size, idents, a system colour as an integer, wide and
// UTF-8 strings, a set, a string list, a collection with order numbers, and unknown properties
// that must be skipped.
std::string HandBuiltImage() {
  std::string wideName;
  for (wchar_t unit : std::wstring(L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF")) {
    wideName += static_cast<char>(unit & 0xFF);
    wideName += static_cast<char>(unit >> 8);
  }
  std::string image = "TPF0" + Short("TEditorProp") + Short("EditorProp1");
  image += Short("Color") + "\x07" + Short("clInfoBk");
  image += Short("Caret.SoftTab") + "\x09";
  image += Short("Caret.TabSpaceCount") + std::string("\x02\x04", 2);
  image += Short("Caret.Cursors.DragSelCursor") + std::string("\x03\x2C\x01", 3);
  image += Short("Caret.Cursors.InSelCursor") + "\x07" + Short("crHandPoint");
  image += Short("Caret.Blink") + "\x09";
  image += Short("Font.Name") + "\x12" + Dword(7) + wideName;
  image += Short("Font.Color") + "\x04" + Dword(0x80000008);
  image += Short("Font.Style") + "\x0B" + Short("fsBold") + Short("fsItalic") + std::string(1, 0);
  image += Short("Margin.Left") + "\x04" + Dword(70000);
  image += Short("ReserveWordList.Strings") + "\x01" + "\x06" + Short("\\begin") + "\x0C" +
           Dword(300) + std::string(300, 'w') + "\x14" + Dword(4) + "\\\xE7\xB5\x82" +
           std::string(1, 0);
  image += Short("ScrollBars") + "\x07" + Short("ssVertical");
  image += Short("View.Brackets") + "\x0E";
  image += std::string("\x02\x00\x01", 3) + Short("LeftBracket") + "\x06" + Short("{") +
           Short("ItemColor.Color") + "\x07" + Short("clRed") + std::string(1, 0);
  image += std::string("\x01", 1) + Short("RightBracket") + "\x06" + Short("]") + std::string(1, 0);
  image += std::string(1, 0);
  image += Short("View.Commenter") + "\x14" + Dword(3) + "\xEF\xBC\x85";
  image += Short("Unknown.Nested") + "\x01" + "\x02\x05" + "\x06" + Short("x") +
           std::string("\x0E\x01\x00\x00", 4) + std::string(1, 0);
  image += Short("WordWrap") + "\x09";
  image += Short("WrapOption.WrapByte") + std::string("\x03\xC8\x00", 3);
  image += std::string(2, 0);
  return image;
}

TEST_F(EditorProps, OnlyChangedPropertiesAreWrittenInTheirSmallestForm) {
  TOwned<TEditorProp> prop = NewProp("P");
  std::string head = "TPF0" + Short("TEditorProp") + Short("P");
  std::string end(2, 0);
  EXPECT_EQ(EditorPropImage(*prop), head + end) << "a new set writes no property";
  prop->Caret().SetTabSpaceCount(4);
  prop->Caret().SetTabSpaceCount(8);
  EXPECT_EQ(EditorPropImage(*prop), head + end) << "changed back: still the default";

  prop->Caret().SoftTab = true;
  prop->Margin().SetTop(300);
  prop->View().Colors()[ciComment].SetColor(clGreen);
  prop->View().Colors()[ciUrl].SetStyle(fsUnderline);
  std::string expected = head + Short("Caret.SoftTab") + "\x09";
  expected += Short("Margin.Top") + std::string("\x03\x2C\x01", 3);
  expected += Short("View.Colors.Comment.Color") + "\x07" + Short("clGreen");
  expected += Short("View.Colors.Url.Style") + "\x0B" + Short("fsUnderline") + std::string(1, 0);
  EXPECT_EQ(EditorPropImage(*prop), expected + end);
}

TEST_F(EditorProps, AHandBuiltImageIsReadRight) {
  TOwned<TEditorProp> prop = NewProp();
  prop->Margin().SetTop(9); // absent from the image: stays
  ASSERT_TRUE(ReadEditorPropImage(*prop, HandBuiltImage()));
  EXPECT_EQ(prop->Color(), clInfoBk);
  EXPECT_TRUE(prop->Caret().SoftTab);
  EXPECT_EQ(prop->Caret().TabSpaceCount(), 4);
  EXPECT_EQ(prop->Caret().Cursors().DragSelCursor, 300);
  EXPECT_EQ(prop->Caret().Cursors().InSelCursor, crHandPoint);
  EXPECT_EQ(prop->Font().Name, "ＭＳ ゴシック");
  EXPECT_EQ(prop->Font().Color, clWindowText);
  EXPECT_EQ(prop->Font().Style, fsBold | fsItalic);
  EXPECT_EQ(prop->Margin().Left(), 70000);
  EXPECT_EQ(prop->Margin().Top(), 9);
  ASSERT_EQ(prop->ReserveWordList().Count(), 3);
  EXPECT_EQ(prop->ReserveWordList().IndexOf("\\begin") >= 0, true);
  EXPECT_GE(prop->ReserveWordList().IndexOf(std::string(300, 'w')), 0);
  EXPECT_GE(prop->ReserveWordList().IndexOf("\\終"), 0);
  EXPECT_EQ(prop->ScrollBars(), TScrollStyle::ssVertical);
  ASSERT_EQ(prop->View().Brackets().Count(), 2);
  EXPECT_EQ(prop->View().Brackets().Items(0).LeftBracket(), "{");
  EXPECT_EQ(prop->View().Brackets().Items(0).ItemColor().Color(), clRed);
  EXPECT_EQ(prop->View().Brackets().Items(1).RightBracket(), "]");
  EXPECT_EQ(prop->View().Brackets().Items(1).ItemColor().Color(), clWindowText);
  EXPECT_EQ(prop->View().Commenter(), "％");
  EXPECT_TRUE(prop->WordWrap());
  EXPECT_EQ(prop->WrapOption().WrapByte(), 200);
}

// The round trips below compare a value of the rich set's own for every option of the tables,
// so an option added to a table is checked by them as soon as the rich set changes it.
TEST_F(EditorProps, TheRichSetChangesEveryOption) {
  TOwned<TEditorProp> rich = NewProp();
  FillRichProp(*rich);
  EXPECT_THAT(PropSameValues(*rich, *NewProp()), IsEmpty());
  EXPECT_THAT(PropSameValues(*rich, *rich), Not(IsEmpty())) << "the walk reaches the options";
}

TEST_F(EditorProps, WhatIsWrittenIsReadBack) {
  TOwned<TEditorProp> written = NewRichProp("EditorProp1");
  TOwned<TEditorProp> read = NewProp();
  ASSERT_TRUE(ReadEditorPropImage(*read, EditorPropImage(*written)));
  EXPECT_THAT(PropDifferences(*read, *written), IsEmpty());

  // And a set read over a changed one becomes the written one again: the image holds every
  // property that differs from a new set.
  TOwned<TEditorProp> other = NewProp();
  other->Caret().SoftTab = false;
  other->View().Brackets().Add().SetLeftBracket("<");
  ASSERT_TRUE(ReadEditorPropImage(*other, EditorPropImage(*written)));
  EXPECT_THAT(PropDifferences(*other, *written), IsEmpty());
}

TEST_F(EditorProps, DamagedImagesLeaveTheSetUnchanged) {
  TOwned<TEditorProp> prop = NewRichProp();
  TOwned<TEditorProp> before = CopyOf(*prop);
  auto expectRefused = [&](const std::string& image, const std::string& why) {
    EXPECT_FALSE(ReadEditorPropImage(*prop, image)) << why;
    EXPECT_THAT(PropDifferences(*prop, *before), IsEmpty()) << why;
  };

  std::string good = HandBuiltImage();
  ASSERT_TRUE(ReadEditorPropImage(*NewProp(), good)) << "whole, the image is good";
  for (size_t length = 0; length < good.size(); ++length)
    expectRefused(good.substr(0, length), "cut after " + std::to_string(length) + " bytes");
  std::string head = "TPF0" + Short("TEditorProp") + Short("X");
  std::string end(2, 0);
  expectRefused("TPF0" + Short("TEditor") + Short("X") + end, "class");
  expectRefused(head + Short("Color") + "\x06" + Short("red") + end, "colour as a string");
  expectRefused(head + Short("ScrollBars") + "\x02\x03" + end, "enumeration as a number");
  expectRefused(head + Short("Caret.Style") + "\x07" + Short("csBlink") + end, "unknown name");
  expectRefused(head + Short("Font.Style") + "\x0B" + Short("fsBlink") + std::string(1, 0) + end,
                "unknown set member");
  std::string brackets = head + Short("View.Brackets") + "\x0E";
  for (int item = 0; item < 15; ++item)
    brackets += std::string(1, 1) + Short("LeftBracket") + "\x06" + Short("(") + std::string(1, 0);
  expectRefused(brackets + std::string(1, 0) + end, "15 bracket pairs");

  // Bytes behind the component are not read.
  EXPECT_TRUE(ReadEditorPropImage(*prop, EditorPropImage(*before) + "garbage"));
}

TEST_F(EditorProps, OnlyAWholeRegistryValueIsReadAndWhatIsWrittenIsReadBackEverywhere) {
  TOwned<TEditorProp> prop = NewRichProp("EditorProp1");
  TOwned<TEditorProp> before = CopyOf(*prop);
  auto read = [](TEditorProp& into, const std::string& section = "Editor") {
    return ReadEditorPropFromRegistry(into, section, "Property");
  };
  EXPECT_FALSE(read(*prop)) << "no key";
  SetRaw(HKEY_CURRENT_USER, ValueKey(), "Other", REG_BINARY, "TPF0");
  EXPECT_FALSE(read(*prop)) << "no value";
  SetRaw(HKEY_CURRENT_USER, ValueKey(), "Property", REG_BINARY, "");
  EXPECT_FALSE(read(*prop)) << "empty value";
  SetRaw(HKEY_CURRENT_USER, ValueKey(), "Property", REG_BINARY, "TPF0\x0BTEditorProp");
  EXPECT_FALSE(read(*prop)) << "damaged value";
  EXPECT_THAT(PropDifferences(*prop, *before), IsEmpty());

  // The next save writes a good value again: the stream image as binary data.
  ASSERT_TRUE(WriteEditorPropToRegistry(*prop, "Editor", "Property"));
  test_support::RawValue raw = QueryRaw(HKEY_CURRENT_USER, ValueKey(), "Property");
  ASSERT_TRUE(raw.found);
  EXPECT_EQ(raw.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(raw.data, EditorPropImage(*prop));
  for (const std::string& section : {std::string("Editor"), RegFullKey("Editor")}) {
    TOwned<TEditorProp> again = NewProp();
    ASSERT_TRUE(read(*again, section)) << "the full key names the same place: " << section;
    EXPECT_THAT(PropDifferences(*again, *before), IsEmpty()) << section;
  }
  EXPECT_EQ(RunSecondProcess("check-editor-prop", base), 0u)
      << "the second process lists the differing properties on its error output";
}

TEST_F(EditorProps, ChangeEventsFireForNewValuesOnly) {
  TOwned<TEditorProp> prop = NewProp();
  std::vector<std::string> events;
  prop->OnColorChange = [&](TObject* sender) {
    EXPECT_EQ(sender, prop.get());
    events.push_back("Color");
  };
  prop->OnScrollBarsChange = [&](TObject*) { events.push_back("ScrollBars"); };
  prop->OnWordWrapChange = [&](TObject*) { events.push_back("WordWrap"); };
  prop->SetColor(clWindow);
  prop->SetScrollBars(TScrollStyle::ssNone);
  prop->SetWordWrap(false);
  EXPECT_THAT(events, IsEmpty());
  prop->SetColor(clWhite);
  prop->SetScrollBars(TScrollStyle::ssBoth);
  prop->SetWordWrap(true);
  EXPECT_THAT(events, ::testing::ElementsAre("Color", "ScrollBars", "WordWrap"));
}

// A view that counts how often its store rewrapped or unwrapped its rows.
class CountingEditor : public TEditor {
public:
  int rowRebuilds = 0;
  void UpdateView() override {
    ++rowRebuilds;
    TEditor::UpdateView();
  }

protected:
  using TEditor::TEditor;
};

TOwned<CountingEditor> WrappedView(int wrapByte) {
  TOwned<CountingEditor> editor(TComponent::Create<CountingEditor>(nullptr));
  editor->WrapOption().SetWrapByte(wrapByte);
  editor->SetWordWrap(true);
  editor->Lines().SetText(std::string(100, 'a') + "\r\n" + std::string(30, 'b') + "\r\n");
  editor->rowRebuilds = 0;
  return editor;
}

TEST_F(EditorProps, AssignToRewrapsAViewAtMostOnceAlsoForANewTabWidth) {
  TOwned<TEditorProp> prop = NewProp();
  prop->SetWordWrap(true);
  prop->WrapOption().SetWrapByte(30);
  TOwned<CountingEditor> view = WrappedView(40);
  ASSERT_EQ(view->RowCount(), 4);
  prop->AssignTo(*view);
  EXPECT_EQ(view->rowRebuilds, 1);
  EXPECT_EQ(view->WrapOption().WrapByte(), 30);
  EXPECT_EQ(view->RowCount(), 6)
      << "100 bytes in four rows of at most 30; 30 bytes in a full row and an empty one";

  prop->SetWordWrap(false);
  prop->WrapOption().SetWrapByte(50);
  view = WrappedView(40);
  prop->AssignTo(*view);
  EXPECT_EQ(view->rowRebuilds, 1) << "unwrapped, and not rewrapped at 50 on the way";
  EXPECT_FALSE(view->WordWrap());
  EXPECT_EQ(view->RowCount(), 2);
  EXPECT_EQ(view->WrapOption().WrapByte(), 50);

  // A view without wrap that receives a wrapping set is wrapped once.
  TOwned<CountingEditor> plain(TComponent::Create<CountingEditor>(nullptr));
  plain->Lines().SetText(std::string(90, 'a'));
  plain->rowRebuilds = 0;
  prop->SetWordWrap(true);
  prop->AssignTo(*plain);
  EXPECT_EQ(plain->rowRebuilds, 1);
  EXPECT_EQ(plain->RowCount(), 2);

  // A new tab width still rewraps the text once.
  prop->WrapOption().SetWrapByte(40);
  prop->Caret().SetTabSpaceCount(4);
  view = WrappedView(40);
  view->Lines().SetText("\t" + std::string(40, 'x'));
  ASSERT_EQ(view->GetRowText(0).size(), 33u) << "a TAB of 8 cells and 32 bytes";
  view->rowRebuilds = 0;
  prop->AssignTo(*view);
  EXPECT_EQ(view->GetRowText(0).size(), 37u) << "a TAB of 4 cells and 36 bytes";
  EXPECT_LE(view->rowRebuilds, 2) << "unwrapped and wrapped, never wrapped twice";
}

TEST_F(EditorProps, AViewsOptionsCopyIntoTheSetAndBack) {
  TOwned<TEditorProp> rich = NewRichProp();
  TOwned<TEditor> first(TComponent::Create<TEditor>(nullptr));
  rich->AssignTo(*first);
  EXPECT_EQ(first->Font().Name(), "ＭＳ ゴシック");
  EXPECT_EQ(first->Margin().Top(), 70000);
  EXPECT_EQ(first->ReserveWordList().Count(), 500);
  EXPECT_TRUE(first->WordWrap());
  // Reserved words go over as given, case variants and repeats too: their owner sorts them.
  TStringList cases;
  cases.SetText("\\delta\r\n\\Delta\r\n\\delta\r\n");
  rich->SetReserveWordList(cases);
  rich->AssignTo(*first);
  for (const TStringList* words : {&rich->ReserveWordList(), &first->ReserveWordList()})
    EXPECT_EQ(words->Text(), cases.Text());
  FillRichProp(*rich);
  rich->AssignTo(*first);

  TOwned<TEditorProp> copied = NewProp();
  copied->Assign(*first);
  EXPECT_THAT(PropDifferences(*copied, *rich), IsEmpty());

  TOwned<TEditorProp> other = NewProp();
  rich->AssignTo(*other);
  EXPECT_THAT(PropDifferences(*other, *rich), IsEmpty());
  EXPECT_THROW(rich->AssignTo(first->Margin()), EConvertError);
}

TEST_F(EditorProps, StartUpRegistersTheBoxFormatAndTwoCursorsOnce) {
  // The test main ran the start-up step, as the program's start-up does.
  EXPECT_EQ(RegisteredEditorCursors().leftMargin, 1);
  EXPECT_EQ(RegisteredEditorCursors().dragSelCopy, 2);
  HCURSOR standard = Screen->CursorHandle(crDefault);
  HCURSOR rightArrow = Screen->CursorHandle(1);
  HCURSOR dragCopy = Screen->CursorHandle(2);
  EXPECT_NE(rightArrow, standard);
  EXPECT_NE(dragCopy, standard);
  EXPECT_NE(rightArrow, dragCopy);
  EXPECT_EQ(rightArrow, LoadCursorA(GetModuleHandleA(nullptr), "RightArrow")) << "the resource";
  EXPECT_EQ(FindFreeCursorSlot(), 3);
  EXPECT_EQ(BoxClipboardFormat(), RegisterClipboardFormatA("TEditor Box Type"));

  EditorUnitStartup();
  EXPECT_EQ(FindFreeCursorSlot(), 3) << "a second call registers nothing";
  EXPECT_EQ(RegisteredEditorCursors().leftMargin, 1);
  EXPECT_EQ(NewProp()->Caret().Cursors().DragSelCopyCursor, 2);
}

} // namespace
