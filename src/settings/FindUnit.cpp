#include "settings/FindUnit.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "common/Registry.h"
#include "common/StringHelpers.h"
#include "core/FindReplace.h"
#include "core/Format.h"
#include "core/ResConst.h"
#include "core/TextSearch.h"
#include "editor/EditorControl.h"
#include "settings/EditorTarget.h"
#include "settings/FormLayout.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Clipboard.h"
#include "ui/Dialogs.h"
#include "ui/Edits.h"
#include "ui/FormPlacement.h"
#include "ui/Graphics.h"
#include "ui/HourGlass.h"
#include "ui/Panels.h"
#include "ui/TabControls.h"
#include "ui/Timer.h"

#include <windows.h>

namespace quolin {

namespace {

constexpr char PlacementName[] = "FindForm";
constexpr char PageName[] = "Page";
constexpr char PinResource[] = "FINDPIN";
constexpr char ReplacedMessage[] = "%d 箇所を置換しました.";
constexpr int HistoryKept = 16;
constexpr int FindHelpContext = 1203;
constexpr unsigned IncrementalDelayMs = 300;
constexpr int FindTab = 0;
constexpr int ReplaceTab = 1;

TEditor& ActiveView() {
  return *ActiveDoc()->ActiveEditor;
}

void CenterActiveCaretRow() {
  TDocForm& doc = *ActiveDoc();
  doc.CenterCaretRow(*doc.ActiveEditor);
}

// Puts text at the top of the box's history and selects it there.
void ToHistoryTop(TComboBox& box, const std::string& text) {
  MruInsert(box.Items(), text, true);
  box.SetItemIndex(0);
}

} // namespace

TFindForm* FindForm = nullptr;

int FindInEditor(TEditor& view, std::string_view pattern, int flags) {
  TEditorTarget target(view);
  return FindInEditor(target, pattern, flags);
}

bool FindTextInActiveDoc(const std::string& pattern, bool forward, bool matchCase, bool wholeWord) {
  int flags = SearchFlagsFromDialog({forward, matchCase, wholeWord, false});
  if (!pattern.empty() && HasDoc()) {
    if (FindInEditor(ActiveView(), pattern, flags) >= 0) {
      CenterActiveCaretRow();
      return true;
    }
  }
  Beep();
  return false;
}

TFindForm::TFindForm(TComponent* owner) : TForm(owner) {
  SetCaption("検索と置換");
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(TPosition::poDesigned);
  SetBounds(160, 120, 0, 0);
  KeyPreview = true;
  HelpContext = FindHelpContext;
  // Owned by the main window, which takes the activation back when the dialog closes.
  if (TForm* main = Application->MainForm())
    SetPopupParent(main);
  BuildControls();
  BuildOptions();
  BuildButtons();
  SetClientSize(488, 204);

  Timer1 = Create<TTimer>(this, "Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(IncrementalDelayMs);
  Timer1->OnTimer = [this](TObject*) { Timer1Timer(); };

  OnCreate = [this](TObject*) { FormCreate(); };
  OnActivate = [this](TObject*) { FormActivate(); };
  OnShow = [this](TObject*) { FormShow(); };
  OnClose = [this](TObject*, TCloseAction&) { FormClose(); };
  OnDestroy = [this](TObject*) { FormDestroy(); };
  OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
}

void TFindForm::BuildControls() {
  TabControl1 = PlaceControl<TTabControl>(this, "TabControl1", this, {8, 8, 376, 188});
  TabControl1->Tabs().Add("検索");
  TabControl1->Tabs().Add("置換");
  TabControl1->SetTabWidth(100);
  TabControl1->SetTabIndex(FindTab);
  TabControl1->OnChange = [this](TObject*) { TabControl1Change(); };

  Label1 = PlaceControl<TLabel>(this, "Label1", TabControl1, {12, 40, 104, 13}, "検索文字列(&N) :");
  FindComboBox = PlaceControl<TComboBox>(this, "FindComboBox", TabControl1, {120, 36, 244, 21});
  FindComboBox->OnChange = [this](TObject*) { FindComboBoxChange(); };
  Label1->FocusControl = FindComboBox;
  Label2 = PlaceControl<TLabel>(this, "Label2", TabControl1, {12, 68, 104, 13}, "置換文字列(&E) :");
  ReplaceComboBox =
      PlaceControl<TComboBox>(this, "ReplaceComboBox", TabControl1, {120, 64, 244, 21});
  Label2->FocusControl = ReplaceComboBox;
}

void TFindForm::BuildOptions() {
  CaseCheck = PlaceControl<TCheckBox>(this, "CaseCheck", TabControl1, {12, 96, 200, 18},
                                      "大文字と小文字を区別(&C)");
  WordCheck = PlaceControl<TCheckBox>(this, "WordCheck", TabControl1, {12, 116, 200, 18},
                                      "単語単位で検索(&W)");
  NoZenCheck = PlaceControl<TCheckBox>(this, "NoZenCheck", TabControl1, {12, 136, 200, 18},
                                       "全角と半角を区別しない(&Z)");
  IncCheck = PlaceControl<TCheckBox>(this, "IncCheck", TabControl1, {12, 156, 200, 18},
                                     "インクリメンタル(&I)");

  GroupBox1 =
      PlaceControl<TGroupBox>(this, "GroupBox1", TabControl1, {220, 96, 144, 46}, "検索方向");
  UpSearchRadio =
      PlaceControl<TRadioButton>(this, "UpSearchRadio", GroupBox1, {10, 20, 60, 18}, "上へ(&U)");
  DownSearchRadio =
      PlaceControl<TRadioButton>(this, "DownSearchRadio", GroupBox1, {74, 20, 64, 18}, "下へ(&D)");
  DownSearchRadio->SetChecked(true);

  Panel1 = PlaceControl<TPanel>(this, "Panel1", TabControl1, {220, 150, 28, 28});
  Panel1->SetBevelOuter(TBevelCut::bvNone);
  PinImages = Create<TImageList>(this, "PinImages");
  AddResourceStrip(*PinImages, GetModuleHandleA(nullptr), PinResource);
  FindCloseButton = PlaceControl<TSpeedButton>(this, "FindCloseButton", Panel1, {2, 2, 24, 24});
  FindCloseButton->SetGroupIndex(1);
  FindCloseButton->SetAllowAllUp(true);
  FindCloseButton->Flat = true;
  FindCloseButton->Images = PinImages;
  FindCloseButton->ImageIndex = 0;
  FindCloseButton->SetHint("検索後ウィンドウを閉じない|");
  FindCloseButton->SetShowHint(true);
}

void TFindForm::BuildButtons() {
  Button1 = PlaceControl<TButton>(this, "Button1", this, {392, 8, 88, 25}, "検索(&F)");
  Button1->SetDefault(true);
  Button1->OnClick = [this](TObject*) { Button1Click(); };
  Button2 = PlaceControl<TButton>(this, "Button2", this, {392, 40, 88, 25}, "置換(&R)");
  Button2->OnClick = [this](TObject*) { Button2Click(); };
  Button3 = PlaceControl<TButton>(this, "Button3", this, {392, 72, 88, 25}, "全て置換(&A)");
  Button3->OnClick = [this](TObject*) { Button3Click(); };
  Button4 = PlaceControl<TButton>(this, "Button4", this, {392, 104, 88, 25}, "閉じる");
  Button4->SetCancel(true);
  Button4->OnClick = [this](TObject*) { Button4Click(); };
}

void TFindForm::FormCreate() {
  LoadFormPlacement(res::RegSectionFindReplace, PlacementName, *this);
  TabControl1->SetTabIndex(RegReadInteger(res::RegSectionFindReplace, PageName, FindTab));
  LoadControlStates(res::RegSectionFindReplace, *this);
}

void TFindForm::FormActivate() {
  if (!HasDoc())
    return;
  TEditorTarget target(ActiveView());
  savedSelStart_ = target.SelStart();
  savedSelLength_ = target.SelLength();
}

void TFindForm::FormShow() {
  CheckCommandItems(CommandId);
  TabControl1Change();
  SetActiveControl(FindComboBox);
}

void TFindForm::FormClose() {
  Timer1->SetEnabled(false);
  UncheckCommandItems(CommandId);
}

void TFindForm::FormDestroy() {
  LimitStringsCount(FindComboBox->Items(), HistoryKept);
  LimitStringsCount(ReplaceComboBox->Items(), HistoryKept);
  SaveControlStates(res::RegSectionFindReplace, *this);
  RegWriteInteger(res::RegSectionFindReplace, PageName, TabControl1->TabIndex());
  SaveFormPlacement(res::RegSectionFindReplace, PlacementName, *this);
  if (FindForm == this)
    FindForm = nullptr;
}

void TFindForm::FormKeyDown(WORD& key, TShiftState shift) {
  if (key != VK_TAB || !(shift & ssCtrl))
    return;
  TabControl1->SetTabIndex(TabControl1->TabIndex() == FindTab ? ReplaceTab : FindTab);
  TabControl1Change();
  key = 0;
}

TFindOptions TFindForm::Options() const {
  return {DownSearchRadio->Checked(), CaseCheck->Checked(), WordCheck->Checked(),
          NoZenCheck->Checked()};
}

int TFindForm::SearchFlags() const {
  return SearchFlagsFromDialog(Options());
}

void TFindForm::FindComboBoxChange() {
  Button1->SetEnabled(!FindComboBox->Text().empty());
  if (!Visible() || !FindComboBox->Focused() || !IncCheck->Checked())
    return;
  // Typing restarts the delay.
  Timer1->SetEnabled(false);
  Timer1->SetEnabled(true);
}

void TFindForm::TabControl1Change() {
  FindComboBoxChange();
  bool replacing = TabControl1->TabIndex() == ReplaceTab;
  for (TControl* control :
       {static_cast<TControl*>(ReplaceComboBox), static_cast<TControl*>(Button2),
        static_cast<TControl*>(Button3), static_cast<TControl*>(Label2)})
    control->SetEnabled(replacing);
}

bool TFindForm::FindNext(bool beep) {
  std::string search = FindComboBox->Text();
  if (search.empty() || !HasDoc())
    return false;
  if (FindInEditor(ActiveView(), search, SearchFlags()) >= 0) {
    CenterActiveCaretRow();
    return true;
  }
  if (beep)
    Beep();
  return false;
}

bool TFindForm::FindNextFromDialog() {
  return FindNext(true);
}

bool TFindForm::FindIncremental() {
  if (FindNext(false))
    return true;
  if (!HasDoc())
    return false;
  TEditorTarget target(ActiveView());
  target.SetSelection(savedSelStart_, savedSelLength_);
  CenterActiveCaretRow();
  return false;
}

void TFindForm::Button1Click() {
  std::string search = FindComboBox->Text();
  if (!HasDoc() || search.empty())
    return;
  bool found = false;
  {
    TBusyCursor busy;
    ToHistoryTop(*FindComboBox, search);
    found = FindNextFromDialog();
  }
  if (found && Visible() && !FindCloseButton->Down() && TabControl1->TabIndex() == FindTab)
    Close();
}

void TFindForm::Button2Click() {
  if (!HasDoc())
    return;
  std::string search = FindComboBox->Text();
  std::string replacement = ReplaceComboBox->Text();
  // An empty replacement still replaces; it only stays out of the history.
  if (!replacement.empty())
    ToHistoryTop(*ReplaceComboBox, replacement);
  if (search.empty())
    return;
  TEditorTarget target(ActiveView());
  TFindSession(target).ReplaceIfMatching(search, replacement, SearchFlags());
  Button1Click();
}

void TFindForm::Button3Click() {
  std::string search = FindComboBox->Text();
  std::string replacement = ReplaceComboBox->Text();
  if (!HasDoc() || search.empty())
    return;
  ToHistoryTop(*FindComboBox, search);
  // An empty replacement is never put into the history, so selecting item 0 would bring back
  // the previous one and insert it.
  if (replacement.empty())
    ReplaceComboBox->SetItemIndex(-1);
  else
    ToHistoryTop(*ReplaceComboBox, replacement);
  TBusyCursor busy;
  TEditorTarget target(ActiveView());
  int count = 0;
  {
    // The centring joins the replacements' update: the view and its bars move once.
    TUpdateBracket update(target);
    count = TFindSession(target).ReplaceAll(search, replacement, SearchFlags());
    if (count > 0)
      CenterActiveCaretRow();
  }
  // The search that ended it found nothing.
  Beep();
  ShowTimedStatusMessage(Format(ReplacedMessage, count));
}

void TFindForm::Button4Click() {
  Close();
}

void TFindForm::Timer1Timer() {
  Timer1->SetEnabled(false);
  if (!HasDoc())
    return;
  TBusyCursor busy;
  FindIncremental();
}

void TFindForm::EditCommand(int command) {
  TComboBox* box = FindComboBox->Focused()      ? FindComboBox
                   : ReplaceComboBox->Focused() ? ReplaceComboBox
                                                : nullptr;
  if (!box)
    return;
  switch (command) {
  case ecUndo:
    box->Undo();
    break;
  case ecCut:
  case ecCopy:
    if (box->Text().empty())
      break;
    SetClipboardText(box->SelText());
    if (command == ecCut)
      box->SetSelText("");
    break;
  case ecPaste:
    if (IsClipboardFormatAvailable(CF_TEXT))
      box->SetSelText(GetClipboardText());
    break;
  case ecSelectAll:
    box->SelectAll();
    break;
  default:
    break;
  }
}

bool TFindForm::RunEditCommand(TEditCommand command) {
  EditCommand(command);
  return true;
}

TFindForm& EnsureFindForm() {
  if (!FindForm)
    FindForm = TComponent::Create<TFindForm>(Application, "FindForm");
  return *FindForm;
}

void ToggleFindForm(int commandId) {
  TFindForm& form = EnsureFindForm();
  if (form.Visible()) {
    form.Close();
    return;
  }
  form.CommandId = commandId;
  form.Show();
}

void FindAgainFromDialog(bool forward) {
  TFindForm& form = EnsureFindForm();
  form.DownSearchRadio->SetChecked(forward);
  form.UpSearchRadio->SetChecked(!forward);
  form.Button1Click();
}

} // namespace quolin
