#include "settings/IndexUnit.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "commands/TopFormData.h"
#include "common/Registry.h"
#include "core/CommandRecords.h"
#include "core/Format.h"
#include "core/KanaConvert.h"
#include "core/ResConst.h"
#include "core/TemplateMatch.h"
#include "settings/DialogLayout.h"
#include "settings/FormLayout.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/FormPlacement.h"
#include "ui/ImeText.h"
#include "ui/Panels.h"
#include "ui/SKJSyllabary.h"

#include <cstdlib>
#include <initializer_list>

namespace quolin {

TIndexForm* IndexForm = nullptr;

namespace {

constexpr int IndexFormHelpContext = 1206;
constexpr char PlacementName[] = "IndexForm";
constexpr char KanaAutoName[] = "KanaAuto";
constexpr char LongConvName[] = "LongConv";
constexpr char InsertTypeName[] = "InsertType";

// Automatic filling modes.
enum TKanaAuto : int { kaOff, kaReadingToWord, kaWordToReading };
constexpr int KanaAutoCount = 3;
constexpr int CorrectionCount = 4;

TComboBox* AddChoice(TForm& form, const char* name, RECT bounds,
                     std::initializer_list<const char*> items) {
  auto* combo = PlaceControl<TComboBox>(&form, name, &form, bounds);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  for (const char* item : items)
    combo->Items().Add(item);
  return combo;
}

// The caption left of a control, on its row.
TLabel* AddLabel(TForm& form, const char* name, const char* caption, TControl* control) {
  auto* label = PlaceControl<TLabel>(&form, name, &form, {8, control->Top() + 4, 100, 16}, caption);
  label->FocusControl = control;
  return label;
}

// A stored choice outside the list reads as the first item.
int StoredChoice(const char* name, int count) {
  int value = RegReadInteger(res::RegSectionIndexForm, name, 0);
  return value >= 0 && value < count ? value : 0;
}

} // namespace

TIndexForm::TIndexForm(TComponent* owner) : TForm(owner) {
  SetCaption("インデックス挿入/参照");
  HelpContext = IndexFormHelpContext;
  SetUpDialog(*this, 432, 380);
  SetIcon(Application->Icon());
  BuildControls();
  LoadSettings();
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TIndexForm::BuildControls() {
  Edit_Yomi = PlaceControl<TEdit>(this, "Edit_Yomi", this, {112, 8, 200, 21});
  Label_Yomi = AddLabel(*this, "Label_Yomi", "よみがな(&Y) :", Edit_Yomi);
  Edit_Name = PlaceControl<TEdit>(this, "Edit_Name", this, {112, 36, 200, 21});
  Label_Name = AddLabel(*this, "Label_Name", "インデックス(&I) :", Edit_Name);
  Combo_KanaAuto =
      AddChoice(*this, "Combo_KanaAuto", {112, 64, 130, 21}, {"オフ", "よみ>漢字", "漢字>よみ"});
  Label_KanaAuto = AddLabel(*this, "Label_KanaAuto", "自動入力(&E) :", Combo_KanaAuto);
  Combo_TyouConv = AddChoice(*this, "Combo_TyouConv", {112, 92, 130, 21},
                             {"しない", "長音>母音", "長音>削除", ""});
  Label_TyouConv = AddLabel(*this, "Label_TyouConv", "よみ補正(&B) :", Combo_TyouConv);
  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", this, {8, 120, 304, 48}, "種類");
  Radio_New =
      PlaceControl<TRadioButton>(this, "Radio_New", GroupBox1, {10, 20, 84, 18}, "新規(&N)");
  Radio_Ref =
      PlaceControl<TRadioButton>(this, "Radio_Ref", GroupBox1, {98, 20, 84, 18}, "参照(&F)");
  Radio_Add =
      PlaceControl<TRadioButton>(this, "Radio_Add", GroupBox1, {186, 20, 110, 18}, "参照に追加(T)");
  Combo_Doc = AddChoice(*this, "Combo_Doc", {112, 178, 200, 21}, {});
  Label_Doc = AddLabel(*this, "Label_Doc", "参照(&D) :", Combo_Doc);
  ListBox1 = PlaceControl<TListBox>(this, "ListBox1", this, {8, 206, 304, 130});
  Button1 = AddDialogButton(*this, "Button1", "挿入(&A)", 324, 8);
  Button3 = AddDialogButton(*this, "Button3", "更新(&R)", 324, 40);
  Button2 = AddDialogButton(*this, "Button2", "閉じる", 324, 72);
  Button2->SetCancel(true);
  SKJSyllabary1 = Create<TSKJSyllabary>(this, "SKJSyllabary1");
  SKJSyllabary1->SetControl(Edit_Name);
  SKJSyllabary1->OnCompositionStr = [this](TObject* sender, const std::string& value) {
    CompositionStr(sender, value);
  };
  Edit_Name->OnEnter = [this](TObject* sender) { NameEnter(sender); };
  Edit_Yomi->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
    EditKeyDown(key, *Edit_Yomi, *Edit_Name, kaReadingToWord);
  };
  Edit_Name->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
    EditKeyDown(key, *Edit_Name, *Edit_Yomi, kaWordToReading);
  };
  for (TEdit* edit : {Edit_Yomi, Edit_Name}) {
    edit->OnKeyPress = [this, edit](TObject*, char& key) { SwallowHandledChar(*edit, key); };
    // Enter is the edits' own, not the default button's.
    edit->AddAfterMessageObserver([](TMessage& message) {
      if (message.Msg == WM_GETDLGCODE && message.WParam == VK_RETURN)
        message.Result |= DLGC_WANTALLKEYS;
    });
  }
  Combo_KanaAuto->OnChange = [this](TObject*) { ApplyTabOrder(); };
  Combo_Doc->OnChange = [this](TObject*) { RefreshEntryList(); };
  Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
  Button3->OnClick = [this](TObject*) { RefreshEntryList(); };
  Button2->OnClick = [this](TObject*) { Close(); };
}

void TIndexForm::LoadSettings() {
  LoadFormPlacement(res::RegSectionIndexForm, PlacementName, *this);
  Combo_KanaAuto->SetItemIndex(StoredChoice(KanaAutoName, KanaAutoCount));
  Combo_TyouConv->SetItemIndex(StoredChoice(LongConvName, CorrectionCount));
  switch (RegReadInteger(res::RegSectionIndexForm, InsertTypeName, itNew)) {
  case itReference:
    Radio_Ref->SetChecked(true);
    break;
  case itAddToReference:
    Radio_Add->SetChecked(true);
    break;
  default:
    Radio_New->SetChecked(true);
  }
}

void TIndexForm::SaveSettings() {
  SaveFormPlacement(res::RegSectionIndexForm, PlacementName, *this);
  RegWriteInteger(res::RegSectionIndexForm, KanaAutoName, Combo_KanaAuto->ItemIndex());
  RegWriteInteger(res::RegSectionIndexForm, LongConvName, Combo_TyouConv->ItemIndex());
  RegWriteInteger(res::RegSectionIndexForm, InsertTypeName, InsertType());
}

void TIndexForm::BeforeDestruction() {
  SaveSettings();
  if (IndexForm == this)
    IndexForm = nullptr;
  TForm::BeforeDestruction();
}

int TIndexForm::KanaAuto() {
  return Combo_KanaAuto->ItemIndex();
}

int TIndexForm::InsertType() const {
  if (Radio_Ref->Checked())
    return itReference;
  return Radio_Add->Checked() ? itAddToReference : itNew;
}

void TIndexForm::FormShow(TObject*) {
  CheckCommandItems(CommandId);
  ReadSyntax();
  RefreshEntryList();
  ApplyTabOrder();
}

void TIndexForm::FormClose(TObject*, TCloseAction&) {
  UncheckCommandItems(CommandId);
}

// "/m" and unknown masters leave the syntax as it was (the defaults at first).
void TIndexForm::ReadSyntax() {
  TQuolin_CmdList record;
  if (CommandId == 0 || !GetCommandRecord(false, std::abs(CommandId), record))
    return;
  ReadIndexSyntax(record.Command, Syntax);
}

void TIndexForm::ApplyTabOrder() {
  TEdit* first = KanaAuto() == kaWordToReading ? Edit_Name : Edit_Yomi;
  first->SetTabOrder(0);
  SetActiveControl(first);
}

void TIndexForm::RefreshEntryList(const std::string& leaveOut) {
  FillOpenDocCombo(*Combo_Doc, leaveOut);
  TStrings& entries = ListBox1->Items();
  entries.BeginUpdate();
  entries.Clear();
  std::string chosen = Combo_Doc->Text();
  TDocForm* doc = chosen.empty() ? nullptr : FindDocByFileName(chosen);
  if (doc && TopForm)
    CollectTemplateMatches(Syntax.ScanTemplate, TopForm->Settings.Edit2Option.CommentHeader,
                           doc->Editor1->Lines(), entries);
  entries.EndUpdate();
}

void TIndexForm::Button1Click(TObject*) {
  int correction = Combo_TyouConv->ItemIndex();
  std::string reading = CorrectReading(Edit_Yomi->Text(), correction);
  if (correction == rcLongToVowel || correction == rcLongRemoved)
    Edit_Yomi->SetText(reading);
  int selected = ListBox1->ItemIndex();
  std::string entry =
      BuildIndexEntry(InsertType(), reading, Edit_Name->Text(),
                      selected >= 0 ? ListBox1->Items()[selected] : std::string(), Syntax);
  if (!HasDoc() || entry.empty())
    return;
  ExecuteCommand(this, IndexInsertCommand(Syntax.InsertTemplate, entry), 0);
  Edit_Yomi->SetText("");
  Edit_Name->SetText("");
  RefreshEntryList();
}

void TIndexForm::NameEnter(TObject*) {
  if (KanaAuto() != kaReadingToWord || !Edit_Name->Text().empty())
    return;
  std::string reading = Trim(Edit_Yomi->Text());
  if (!reading.empty())
    SetImeCompositionText(ExtractHalfWidthKana(NormalizeReading(reading)), *Edit_Name);
}

void TIndexForm::CompositionStr(TObject*, const std::string& value) {
  if (KanaAuto() != kaWordToReading)
    return;
  // An empty reading would only delete the selection.
  std::string reading = NormalizeReading(value);
  if (!reading.empty())
    Edit_Yomi->SetSelText(reading);
}

// Enter moves on to the other edit in the mode that fills that one from this one, else to the
// insert button. Backspace in an empty edit clears the other, which takes the focus in the
// mode that fills this one from it.
void TIndexForm::EditKeyDown(WORD& key, TEdit& edit, TEdit& other, int fillsOther) {
  const int mode = KanaAuto();
  if (key == VK_RETURN) {
    key = 0;
    if (mode == fillsOther)
      other.SetFocus();
    else
      Button1->SetFocus();
  } else if (key == VK_BACK && edit.Text().empty()) {
    key = 0;
    other.SetText("");
    if (mode != kaOff && mode != fillsOther)
      other.SetFocus();
  }
}

void TIndexForm::SwallowHandledChar(TEdit& edit, char& key) {
  if (key == '\r' || (key == '\b' && edit.Text().empty()))
    key = 0;
}

TEdit* TIndexForm::FocusedEdit() const {
  if (Edit_Yomi->Focused())
    return Edit_Yomi;
  return Edit_Name->Focused() ? Edit_Name : nullptr;
}

void TIndexForm::EditCommand(int command) {
  TEdit* edit = FocusedEdit();
  if (!edit)
    return;
  switch (command) {
  case ecUndo:
    edit->Undo();
    break;
  case ecCut:
    edit->CutToClipboard();
    break;
  case ecCopy:
    edit->CopyToClipboard();
    break;
  case ecPaste:
    edit->PasteFromClipboard();
    break;
  case ecSelectAll:
    edit->SelectAll();
    break;
  default:
    break;
  }
}

bool TIndexForm::RunEditCommand(TEditCommand command) {
  if (!FocusedEdit())
    return false;
  EditCommand(command);
  return true;
}

void ToggleIndexForm(int commandId) {
  if (!IndexForm) {
    TComponent* owner = TopForm ? static_cast<TComponent*>(TopForm) : Application;
    IndexForm = TComponent::Create<TIndexForm>(owner, "IndexForm");
    if (TopForm)
      IndexForm->SetPopupParent(TopForm);
  }
  if (IndexForm->Visible()) {
    IndexForm->Close();
    return;
  }
  IndexForm->CommandId = commandId;
  IndexForm->Show();
}

} // namespace quolin
