// Placements, control states and fonts of forms in Wine's registry, below a key of the test's
// own; values are checked straight from the registry.
#include "ui/FormPlacement.h"
#include "FormFixture.h"
#include "common/Registry.h"
#include "common/RegistryProbe.h"
#include "core/ResConst.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"

#include <gtest/gtest.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class RegistryFixture : public ::testing::Test {
protected:
  TestKey testKey;

  void SetUp() override { RegSetBase(HKEY_CURRENT_USER, "\\" + testKey.Path()); }
  void TearDown() override { RegSetBase(HKEY_CURRENT_USER, res::RegBasePathDefault); }

  RawValue Stored(const std::string& section, const std::string& name) const {
    return QueryRaw(HKEY_CURRENT_USER, testKey.Path() + "\\" + section, name);
  }
  std::string StoredText(const std::string& section, const std::string& name) const {
    RawValue value = Stored(section, name);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    return value.data.empty() ? std::string() : std::string(value.data.c_str());
  }
  void Store(const std::string& section, const std::string& name, const std::string& text) const {
    SetRaw(HKEY_CURRENT_USER, testKey.Path() + "\\" + section, name, REG_SZ,
           std::string(text.c_str(), text.size() + 1));
  }
};

using FormPlacement = RegistryFixture;
using ControlStates = RegistryFixture;
using FontValues = RegistryFixture;

using uitest::Bounds;

TOwned<TForm> PlacedForm(TPosition position = TPosition::poDesigned,
                         TFormBorderStyle border = TFormBorderStyle::bsSizeable) {
  auto form = uitest::MakeForm();
  form->SetPosition(position);
  form->SetBorderStyle(border);
  form->SetBounds(100, 120, 300, 200);
  return form;
}

TEST_F(FormPlacement, NormalFormStoresAllFivePairsInOrderOtherwiseOnlyItsState) {
  auto form = PlacedForm();
  ASSERT_TRUE(SaveFormPlacement("Forms", "Main", *form));
  EXPECT_EQ(StoredText("Forms", "Main"), "Left=100;Top=120;Width=300;Height=200;WindowState=0");
  form->Show();
  form->SetWindowState(TWindowState::wsMaximized);
  ASSERT_TRUE(SaveFormPlacement("Forms", "Max", *form));
  EXPECT_EQ(StoredText("Forms", "Max"), "WindowState=2");
  form->SetWindowState(TWindowState::wsMinimized);
  ASSERT_TRUE(SaveFormPlacement("Forms", "Min", *form));
  EXPECT_EQ(StoredText("Forms", "Min"), "WindowState=1");
}

TEST_F(FormPlacement, MainFormCountsAsMinimisedWhileTheApplicationWindowIs) {
  TForm* main = Application->CreateForm<TForm>("PlacedMain");
  ASSERT_EQ(Application->MainForm(), main);
  main->Show();
  Application->Minimize();
  EXPECT_EQ(main->WindowState(), TWindowState::wsNormal);
  ASSERT_TRUE(SaveFormPlacement("Forms", "Main", *main));
  EXPECT_EQ(StoredText("Forms", "Main"), "WindowState=1");
  Application->Restore();
  main->Free();
}

TEST_F(FormPlacement, StoredBoundsApplyInOneStepAndLoadingWritesNothing) {
  Store("Forms", "Doc", "Left=40;Top=50;Width=350;Height=250;WindowState=0");
  auto form = PlacedForm();
  int moves = 0;
  form->AddMessageObserver([&](TMessage& message) {
    moves += message.Msg == WM_WINDOWPOSCHANGED;
    return false;
  });
  EXPECT_TRUE(LoadFormPlacement("Forms", "Doc", *form));
  EXPECT_EQ(Bounds(*form), "40,50 350x250");
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(StoredText("Forms", "Doc"), "Left=40;Top=50;Width=350;Height=250;WindowState=0");
  LoadFormPlacement("Forms", "Nothing", *form);
  EXPECT_EQ(Bounds(*form), "40,50 350x250") << "a missing entry keeps the current values";
  EXPECT_FALSE(Stored("Forms", "Nothing").found);
}

// Each entry is loaded into a shown form placed at 100,120 300x200; the bounds are those of
// the normal state.
TEST_F(FormPlacement, EntriesChangeOnlyWhatTheFormLetsThemAndStayStored) {
  RECT area = Screen->WorkAreaRect();
  std::string areaCorner = std::to_string(area.left) + "," + std::to_string(area.top);
  struct Case {
    std::string stored;
    TPosition position;
    TFormBorderStyle border;
    TWindowState state;
    std::string bounds;
  };
  using enum TPosition;
  using enum TFormBorderStyle;
  using enum TWindowState;
  const Case cases[] = {
      {"WindowState=2", poDesigned, bsSizeable, wsMaximized, "100,120 300x200"},
      {"WindowState=1", poDesigned, bsSizeable, wsMinimized, "100,120 300x200"},
      // A fixed border keeps the size, a centred form the position.
      {"Left=10;Top=20;Width=500;Height=400;WindowState=0", poDesigned, bsDialog, wsNormal,
       "10,20 300x200"},
      {"Left=10;Top=20;Width=500;Height=400;WindowState=0", poScreenCenter, bsSizeable, wsNormal,
       "100,120 500x400"},
      // Unreadable values keep the current ones; a state out of range reads as normal.
      {"Left=abc;Top=5;Height= 7x;WindowState=-1", poDesigned, bsSizeable, wsNormal,
       "100,5 300x200"},
      // A window wholly off the work areas comes onto the nearest; one partly on stays.
      {"Left=-5000;Top=-4000;Width=300;Height=200;WindowState=0", poDesigned, bsSizeable, wsNormal,
       areaCorner + " 300x200"},
      {"Left=-250;Top=10;Width=300;Height=200;WindowState=0", poDesigned, bsSizeable, wsNormal,
       "-250,10 300x200"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.stored);
    Store("Forms", "Entry", test.stored);
    auto form = PlacedForm(test.position, test.border);
    if (test.position == poDesigned) // showing would centre the other
      form->Show();
    LoadFormPlacement("Forms", "Entry", *form);
    EXPECT_EQ(form->WindowState(), test.state);
    form->SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(Bounds(*form), test.bounds);
    EXPECT_EQ(StoredText("Forms", "Entry"), test.stored);
  }
}

TEST_F(FormPlacement, MdiChildTakesTheStateOnlyAsItsFramesOnlyChild) {
  auto frame = uitest::MakeForm();
  frame->SetFormStyle(TFormStyle::fsMDIForm);
  frame->Show();
  auto newChild = [&] {
    TForm* child = TComponent::Create<TForm>(frame.get());
    child->SetFormStyle(TFormStyle::fsMDIChild);
    child->Show();
    return child;
  };
  TForm* first = newChild();
  Store("Forms", "Document", "WindowState=2");
  LoadFormPlacement("Forms", "Document", *first);
  EXPECT_EQ(first->WindowState(), TWindowState::wsMaximized);
  first->SetWindowState(TWindowState::wsNormal);

  TForm* second = newChild();
  ASSERT_EQ(frame->MDIChildCount(), 2);
  int left = second->Left();
  Store("Forms", "Document", "Left=1;Top=2;Width=222;Height=111;WindowState=2");
  LoadFormPlacement("Forms", "Document", *second);
  EXPECT_EQ(second->WindowState(), TWindowState::wsNormal);
  EXPECT_EQ(second->Left(), left) << "an MDI child keeps its position";
  EXPECT_EQ(second->Width(), 222);
}

// A dialog with one control of each kind that keeps a state, and two that do not.
struct StatesForm {
  TOwned<TForm> form = uitest::MakeForm();
  TCheckBox* check = Add<TCheckBox>("CheckBox1");
  TRadioButton* radio1 = Add<TRadioButton>("Radio1");
  TRadioButton* radio2 = Add<TRadioButton>("Radio2");
  TSpeedButton* grouped = Add<TSpeedButton>("SpeedGrouped");
  TSpeedButton* plain = Add<TSpeedButton>("SpeedPlain");
  TComboBox* editable = Add<TComboBox>("Combo1");
  TComboBox* list = Add<TComboBox>("List1");
  TComboBox* simple = Add<TComboBox>("Simple1");
  TEdit* edit = Add<TEdit>("Edit1");

  template <typename T> T* Add(const char* name) { return uitest::AddTo<T>(*form, name); }

  StatesForm() {
    grouped->SetGroupIndex(1);
    grouped->SetAllowAllUp(true);
    list->SetStyle(TComboBoxStyle::csDropDownList);
    simple->SetStyle(TComboBoxStyle::csSimple);
    for (TComboBox* combo : {editable, list, simple})
      combo->Items().SetText("a\r\n表示\r\nc\r\n");
  }
};

TEST_F(ControlStates, SaveWritesEachKindUnderItsNameWithItsType) {
  StatesForm states;
  states.check->SetChecked(true);
  states.radio2->SetChecked(true);
  states.grouped->SetDown(true);
  states.editable->SetText("typed");
  states.list->SetItemIndex(2);
  SaveControlStates("Find", *states.form);

  EXPECT_EQ(Stored("Find", "CheckBox1").type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(Stored("Find", "CheckBox1").data, std::string("\x01", 1));
  EXPECT_EQ(Stored("Find", "Radio1").data, std::string("\0", 1));
  EXPECT_EQ(Stored("Find", "Radio2").data, std::string("\x01", 1));
  EXPECT_EQ(Stored("Find", "SpeedGrouped").data, std::string("\x01", 1));
  RawValue items = Stored("Find", "Combo1_List");
  EXPECT_EQ(items.type, static_cast<DWORD>(REG_BINARY));
  auto inverted = [](std::string text) {
    for (char& byte : text)
      byte = static_cast<char>(~byte);
    return text;
  };
  EXPECT_EQ(items.data, inverted("a\r\n表示\r\nc\r\n"));
  EXPECT_EQ(Stored("Find", "Combo1_Text").data, inverted("typed"));
  EXPECT_EQ(Stored("Find", "List1_Index").type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(Stored("Find", "List1_Index").data, Dword(2));
  // Group index 0, a drop-down list's items, simple combo boxes and edits are skipped.
  for (const char* skipped : {"SpeedPlain", "List1_List", "Simple1_List", "Simple1_Index", "Edit1"})
    EXPECT_FALSE(Stored("Find", skipped).found) << skipped;
}

TEST_F(ControlStates, LoadRestoresWhatSaveWrote) {
  {
    StatesForm states;
    states.check->SetChecked(true);
    states.radio2->SetChecked(true);
    states.grouped->SetDown(true);
    states.editable->Items().Add("added");
    states.editable->SetText("表示 text");
    states.list->SetItemIndex(1);
    SaveControlStates("Find", *states.form);
  }
  StatesForm fresh;
  fresh.radio1->SetChecked(true);
  int clicks = 0;
  fresh.check->OnClick = [&](TObject*) { ++clicks; };
  LoadControlStates("Find", *fresh.form);
  EXPECT_TRUE(fresh.check->Checked());
  EXPECT_EQ(clicks, 1) << "a state that changes raises OnClick";
  EXPECT_FALSE(fresh.radio1->Checked());
  EXPECT_TRUE(fresh.radio2->Checked());
  EXPECT_TRUE(fresh.grouped->Down());
  ASSERT_EQ(fresh.editable->Items().Count(), 4);
  EXPECT_EQ(fresh.editable->Items()[3], "added");
  EXPECT_EQ(fresh.editable->Text(), "表示 text");
  EXPECT_EQ(fresh.list->ItemIndex(), 1);
  EXPECT_EQ(fresh.list->Text(), "表示");
}

TEST_F(ControlStates, MissingValuesKeepStatesButADropDownListGoesToItsFirstItem) {
  StatesForm states;
  states.check->SetChecked(true);
  states.editable->SetText("kept");
  states.list->SetItemIndex(2);
  LoadControlStates("Empty", *states.form);
  EXPECT_TRUE(states.check->Checked());
  EXPECT_EQ(states.editable->Items().Count(), 3);
  EXPECT_EQ(states.editable->Text(), "kept");
  EXPECT_EQ(states.list->ItemIndex(), 0);
}

TEST_F(FontValues, SaveWritesSevenValuesWithTheirTypes) {
  TFont font;
  font.Name = "ＭＳ ゴシック";
  font.Size = 12;
  font.Color = clRed;
  font.Style = fsBold | fsStrikeOut;
  std::string key = testKey.Path() + "\\Editor\\EditLogArea";
  SaveFontToRegistry(nullptr, key, font);
  auto raw = [&](const char* name) { return QueryRaw(HKEY_CURRENT_USER, key, name); };
  EXPECT_EQ(raw("FontName").type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(raw("FontName").data, std::string("ＭＳ ゴシック\0", 14));
  EXPECT_EQ(raw("FontSize").data, Dword(12));
  EXPECT_EQ(raw("FontColor").type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(raw("FontColor").data, Dword(0x0000FF));
  std::pair<const char*, DWORD> flags[] = {
      {"FontBold", 1}, {"FontItalic", 0}, {"FontUnderline", 0}, {"FontStrikeout", 1}};
  for (auto [name, value] : flags) {
    EXPECT_EQ(raw(name).type, static_cast<DWORD>(REG_DWORD)) << name;
    EXPECT_EQ(raw(name).data, Dword(value)) << name;
  }
}

TEST_F(FontValues, LoadTakesOnlyWhatIsPresentAndRebuildsTheStyle) {
  std::string key = testKey.Path() + "\\Editor\\MainDocExpFont";
  SetRaw(HKEY_CURRENT_USER, key, "FontColor", REG_DWORD, Dword(0x00FF00));
  SetRaw(HKEY_CURRENT_USER, key, "FontBold", REG_DWORD, Dword(1));
  SetRaw(HKEY_CURRENT_USER, key, "FontItalic", REG_DWORD, Dword(0));
  TFont start;
  start.Style = fsUnderline | fsItalic;
  TFont loaded = LoadFontFromRegistry(HKEY_CURRENT_USER, key, start);
  EXPECT_EQ(loaded.Name, start.Name);
  EXPECT_EQ(loaded.Size, start.Size);
  EXPECT_EQ(loaded.Color, clLime);
  EXPECT_EQ(loaded.Style, fsBold);

  TFont missing = LoadFontFromRegistry(HKEY_CURRENT_USER, key + "\\None", start);
  EXPECT_EQ(missing, start) << "a missing key changes nothing";
}

TEST_F(FontValues, KeyWithLeadingBackslashRoundTripsIntoAControlFont) {
  TFont font;
  font.Name = "IPAゴシック";
  font.Size = 10;
  font.Style = fsItalic;
  std::string key = "\\" + testKey.Path() + "\\Font";
  SaveFontToRegistry(HKEY_CURRENT_USER, key, font);
  ASSERT_TRUE(QueryRaw(HKEY_CURRENT_USER, testKey.Path() + "\\Font", "FontName").found);

  auto form = uitest::MakeForm();
  auto* edit = uitest::AddTo<TEdit>(*form, "Edit");
  edit->Font().Assign(LoadFontFromRegistry(nullptr, key, edit->Font().Value()));
  EXPECT_EQ(edit->Font().Value(), font);
  EXPECT_FALSE(edit->ParentFont());
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit->Handle(), WM_GETFONT, 0, 0)),
            edit->Font().Handle());
}

} // namespace
