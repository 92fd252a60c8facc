#include "spell/SpellUnit.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "common/FileHelpers.h"
#include "common/StringHelpers.h"
#include "core/ResConst.h"
#include "editor/EditorControl.h"
#include "settings/FormLayout.h"
#include "spell/SpellSetUnit.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/FormPlacement.h"
#include "ui/HourGlass.h"
#include "ui/MessageBoxes.h"
#include "ui/Panels.h"

#include <exception>
#include <optional>

namespace quolin {

TSpellForm* SpellForm = nullptr;

namespace {

constexpr int SpellFormHelpContext = 1215;
constexpr char PlacementName[] = "SpellForm";
constexpr int FormWidth = 432;

} // namespace

TSpellEngineSettings EngineSettingsFrom(const TSettingsBlock& settings,
                                        const std::string& commenter) {
  const TSpellCheckOptions& options = settings.SpellCheckOptions;
  TSpellEngineSettings engine;
  engine.MainDic = settings.SpellCheckDics.MainDic;
  engine.DicFolder = settings.SpellCheckDics.DicFolder;
  engine.SkipMail = options.nfMail;
  engine.SkipUrl = options.nfUrl;
  engine.SkipAllUpper = options.nfAllUpCase;
  engine.SkipCapitalized = options.nfTopUpCase;
  engine.SkipWithDigits = options.nfNum;
  engine.StripSuffixes = options.SEDing;
  engine.MainDicOnly = options.MainDicOnly;
  engine.MinWordLen = options.MinWordLen;
  // Control sequences are always skipped: nfTeX is not passed on.
  engine.Commenter = options.nfCommentLine ? commenter : "";
  return engine;
}

TSpellForm::TSpellForm(TComponent* owner) : TForm(owner) {
  SetCaption("スペルチェック");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  if (TopForm)
    SetPopupParent(TopForm);
  BuildControls();
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
}

TSpellForm::~TSpellForm() {
  if (SpellForm == this)
    SpellForm = nullptr;
}

void TSpellForm::BuildControls() {
  Label1 = PlaceControl<TLabel>(this, "Label1", this, {8, 8, 200, 13},
                                "辞書にない単語/修正入力(&N) :");
  Edit_NotFoundText1 = PlaceControl<TEdit>(this, "Edit_NotFoundText1", this, {8, 24, 184, 21});
  Label1->FocusControl = Edit_NotFoundText1;
  Label2 = PlaceControl<TLabel>(this, "Label2", this, {200, 8, 120, 13}, "修正候補(&F) :");
  ListBox1 = PlaceControl<TListBox>(this, "ListBox1", this, {200, 24, 120, 130});
  Label2->FocusControl = ListBox1;

  Button1 = PlaceControl<TButton>(this, "Button1", this, {328, 24, 96, 25}, "次をチェック(&S)");
  Button1->SetDefault(true);
  Button2 = PlaceControl<TButton>(this, "Button2", this, {328, 56, 96, 25}, "辞書に追加(&A)");
  Button3 = PlaceControl<TButton>(this, "Button3", this, {328, 88, 96, 25}, "修正(&C)");
  Button7 = PlaceControl<TButton>(this, "Button7", this, {328, 120, 96, 25}, "閉じる");
  Button7->SetCancel(true);
  Button5 = PlaceControl<TButton>(this, "Button5", this, {328, 160, 96, 25}, "その他(&O)");

  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", this, {8, 192, 416, 56}, "その他");
  Button4 = PlaceControl<TButton>(this, "Button4", GroupBox1, {8, 20, 96, 25}, "辞書の更新(&R)");
  Button6 = PlaceControl<TButton>(this, "Button6", GroupBox1, {112, 20, 96, 25}, "一括追加(&L)");
  Button8 = PlaceControl<TButton>(this, "Button8", GroupBox1, {312, 20, 96, 25}, "設定(&T)...");

  Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
  Button2->OnClick = [this](TObject* sender) { Button2Click(sender); };
  Button3->OnClick = [this](TObject* sender) { Button3Click(sender); };
  Button4->OnClick = [this](TObject* sender) { Button4Click(sender); };
  Button5->OnClick = [this](TObject* sender) { Button5Click(sender); };
  Button6->OnClick = [this](TObject* sender) { Button6Click(sender); };
  Button7->OnClick = [this](TObject* sender) { Button7Click(sender); };
  Button8->OnClick = [this](TObject* sender) { Button8Click(sender); };
  ListBox1->OnDblClick = [this](TObject* sender) { ListBox1DblClick(sender); };
  ListBox1->OnEnter = [this](TObject* sender) { ListBox1Enter(sender); };
  Edit_NotFoundText1->OnKeyPress = [this](TObject* sender, char& key) {
    Edit_NotFoundText1KeyPress(sender, key);
  };
  Edit_NotFoundText1->OnChange = [this](TObject* sender) { Edit_NotFoundText1Change(sender); };
}

void TSpellForm::FormCreate(TObject*) {
  // The dictionaries are loaded by the first check, once the settings have named them.
  SpellCheck = std::make_unique<TQuolinSpellCheck>();
  button5Caption_ = Button5->Caption();
  // Also gives the form its size, now that the window's frame is known.
  Button5Click(this);
  LoadFormPlacement(res::RegSectionForms, PlacementName, *this);
  HelpContext = SpellFormHelpContext;
}

void TSpellForm::FormDestroy(TObject*) {
  if (TopForm)
    SaveSpellCheckOptions(TopForm->Settings.SpellCheckOptions);
  SpellCheck.reset();
  // The short form is the one remembered.
  if (GroupBox1->Visible())
    Button5Click(this);
  SaveFormPlacement(res::RegSectionForms, PlacementName, *this);
}

void TSpellForm::SettingsToEngine() {
  TTopForm& top = *TopForm;
  LoadSpellCheckDics(top.Settings.SpellCheckDics, top.Folders);
  if (ApplyEngineSettings(*SpellCheck,
                          EngineSettingsFrom(top.Settings, top.EditorProp1->View().Commenter())))
    RebuildDictionaries();
}

void TSpellForm::RebuildDictionaries() {
  SetStatusMessage(res::SpellBuildingDictionaries);
  ProcessPendingMessages();
  {
    TBusyCursor busy;
    SpellCheck->LoadDictionaries();
  }
  ClearStatusMessage();
}

TEditor* TSpellForm::BeginLongWork(const char* status) {
  SetStatusMessage(status);
  // Handled before the loop, never inside it: a command handled here may close the document.
  ProcessPendingMessages();
  if (TDocForm* doc = ActiveDoc())
    return doc->ActiveEditor;
  ClearStatusMessage();
  Beep();
  return nullptr;
}

void TSpellForm::Button1Click(TObject*) {
  if (!HasDoc()) {
    Beep();
    return;
  }
  SettingsToEngine();
  ListBox1->Items().Clear();
  TEditor* view = BeginLongWork(res::SpellChecking);
  if (!view)
    return;
  // From the selection's end: a word just shown is passed.
  view->SetSelStart(view->SelStart() + view->SelLength());
  std::optional<TUnknownWord> found;
  {
    TBusyCursor busy;
    found = FindNextUnknownWord(*SpellCheck, view->Lines(), view->RowToLines(view->Row()),
                                view->RowColToLineOffset(view->Row(), view->Col()));
  }
  ClearStatusMessage();
  if (found)
    ShowUnknownWord(*view, *found);
  else
    ShowFinished();
  Button3->SetEnabled(ListBox1->Items().Count() > 0);
  if (Button3->Enabled())
    ListBox1->SetItemIndex(0);
}

void TSpellForm::ShowUnknownWord(TEditor& view, const TUnknownWord& found) {
  view.SetRow(view.Lines().LinesToRow(found.Line));
  view.SetCol(0);
  view.SetSelStart(view.SelStart() + found.Offset);
  view.SetSelLength(static_cast<int>(found.Word.size()));
  ActiveDoc()->CenterCaretRow(view);
  Edit_NotFoundText1->SetText(found.Word);
  ListBox1->Items().AddStrings(found.Suggestions);
  Show();
  ListBox1->SetFocus();
}

void TSpellForm::ShowFinished() {
  Edit_NotFoundText1->SetText("");
  Beep();
  ShowTimedStatusMessage(res::SpellCheckFinished);
  FocusActiveEditor();
  if (Visible() && TopForm->Settings.SpellCheckOptions.AutoClose)
    Close();
}

void TSpellForm::Button3Click(TObject*) {
  TDocForm* doc = ActiveDoc();
  if (!doc) {
    Beep();
    return;
  }
  TEditor& view = *doc->ActiveEditor;
  const std::string text = Edit_NotFoundText1->Text();
  const int chosen = ListBox1->ItemIndex();
  if (chosen < 0 || !IsSameText(view.SelText(), text))
    return;
  view.SetSelText(TQuolinSpellCheck::MatchWordCase(text, ListBox1->Items()[chosen]));
  Button1Click(this);
}

void TSpellForm::ListBox1DblClick(TObject* sender) {
  Button3Click(sender);
}

void TSpellForm::ListBox1Enter(TObject*) {
  Button1->SetDefault(false);
  Button3->SetDefault(true);
}

void TSpellForm::Edit_NotFoundText1KeyPress(TObject*, char&) {
  TDocForm* doc = ActiveDoc();
  Typing = doc && Edit_NotFoundText1->Text() == doc->ActiveEditor->SelText();
}

void TSpellForm::Edit_NotFoundText1Change(TObject*) {
  const std::string text = Edit_NotFoundText1->Text();
  Button2->SetEnabled(!text.empty());
  TDocForm* doc = ActiveDoc();
  if (doc && Edit_NotFoundText1->Focused() && Typing && doc->ActiveEditor->SelText() != text) {
    TEditor& view = *doc->ActiveEditor;
    const int start = view.SelStart();
    view.SetSelText(text);
    view.SetSelStart(start);
    view.SetSelLength(static_cast<int>(text.size()));
  }
  Typing = false;
}

void TSpellForm::Button2Click(TObject*) {
  SpellCheck->AddWordsToUserDictionary(Edit_NotFoundText1->Text(), false);
  // Reported, unlike the engine's own save: the user must not believe the word was stored.
  if (!SpellCheck->SaveUserDictionary())
    WarnSaveFailed();
  Button1Click(this);
}

void TSpellForm::Button4Click(TObject*) {
  RebuildDictionaries();
}

void TSpellForm::Button5Click(TObject*) {
  const bool shown = !GroupBox1->Visible();
  GroupBox1->SetVisible(shown);
  Button5->SetCaption(button5Caption_ + (shown ? " <<" : " >>"));
  const TControl& bottom = shown ? static_cast<const TControl&>(*GroupBox1) : *Button5;
  SetClientSize(FormWidth, bottom.Top() + bottom.Height() + ListBox1->Top());
}

void TSpellForm::Button6Click(TObject*) {
  if (!HasDoc()) {
    Beep();
    return;
  }
  if (MsgBox(res::SpellAddAllWords, "Qyc") != 'y')
    return;
  try {
    SettingsToEngine();
    TEditor* view = BeginLongWork(res::SpellSearchingWords);
    if (!view)
      return;
    int sum = 0;
    {
      TBusyCursor busy;
      sum = AddAllWords(*SpellCheck, view->Lines());
    }
    ClearStatusMessage();
    if (MsgBoxFmt(res::SpellAddAllCount, {sum}, "Qoc") != 'o')
      RebuildDictionaries();
    else if (!SpellCheck->SaveUserDictionary())
      WarnSaveFailed();
  } catch (const std::exception&) {
    ClearStatusMessage();
    WarnSaveFailed();
  }
}

void TSpellForm::Button7Click(TObject*) {
  Close();
}

void TSpellForm::Button8Click(TObject*) {
  // The settings to the engine at once: new dictionary names rebuild the dictionaries.
  if (ShowSpellSetForm())
    SettingsToEngine();
}

void TSpellForm::WarnSaveFailed() {
  MsgBox(res::SpellDicSaveFailed, "WoB");
}

void ShowSpellForm() {
  if (!SpellForm)
    SpellForm = TComponent::Create<TSpellForm>(Application, "SpellForm");
  SpellForm->Button1Click(SpellForm);
}

} // namespace quolin
