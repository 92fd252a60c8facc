#include "commands/SetDataAddUnit.h"

#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "core/CommandExpander.h"
#include "core/Format.h"
#include "core/MasterEditRules.h"
#include "core/ResConst.h"
#include "core/ReserveWordList.h"
#include "editor/WhitespaceMarks.h"
#include "settings/DialogLayout.h"
#include "settings/FormLayout.h"
#include "toolbar/TbControls.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <algorithm>
#include <iterator>

namespace quolin {

namespace {

constexpr char FormName[] = "SetDataAddForm";
constexpr int FormWidth = 480;
constexpr int PageWidth = 456;
constexpr int LabelWidth = 120;
constexpr int FieldLeft = 132;
constexpr int FieldWidth = 300;

const char* const ModeNames[] = {"追加", "編集", "インポート"};
const char* const ImageKinds[] = {"なし", "標準", "ユーザー"};

TLabel* AddLabel(TComponent* form, const char* name, TControl* parent, int top,
                 const char* caption) {
  auto* label = PlaceControl<TLabel>(form, name, parent, {8, top + 3, LabelWidth, 16});
  label->SetCaption(caption);
  return label;
}

template <typename T>
T* AddField(TComponent* form, const char* name, TControl* parent, int top, const char* caption) {
  TLabel* label = AddLabel(form, (std::string("Label_") + name).c_str(), parent, top, caption);
  T* field = PlaceControl<T>(form, name, parent, {FieldLeft, top, FieldWidth, 21});
  label->FocusControl = field;
  return field;
}

TComboBox* AddChoice(TComponent* form, const char* name, TControl* parent, int top,
                     const char* caption, const char* const* first, const char* const* last) {
  auto* combo = AddField<TComboBox>(form, name, parent, top, caption);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  for (; first != last; ++first)
    combo->Items().Add(*first);
  return combo;
}

TToolbarButton* AddImageButton(TComponent* form, const char* name, TControl* parent, int left,
                               int width, const char* caption) {
  auto* button = PlaceControl<TToolbarButton>(form, name, parent, {left, 40, width, 25});
  button->SetCaption(caption);
  return button;
}

// The editor gives every line a line end, the last one too: a command that ends with a line
// break is shown with an empty last line.
std::string EditorCommand(const TEditor& editor) {
  std::string text = editor.Text();
  if (text.ends_with("\r\n"))
    text.resize(text.size() - 2);
  return text;
}

void ShowCommand(TEditor& editor, const std::string& text) {
  editor.SetText(text.ends_with("\r\n") ? text + "\r\n" : text);
}

// The clipboard and undo keys of the command editor, with Ctrl.
struct TCommandKey {
  WORD Key;
  bool Shift;
  void (*Run)(TEditor& editor);
};
constexpr TCommandKey CommandKeys[] = {
    {'C', false, [](TEditor& editor) { editor.CopyToClipboard(); }},
    {'X', false,
     [](TEditor& editor) {
       if (editor.SelLength() > 0)
         editor.CutToClipboard();
     }},
    {'V', false, [](TEditor& editor) { editor.PasteFromClipboard(); }},
    {'Z', false, [](TEditor& editor) { editor.Undo(); }},
    {'Z', true, [](TEditor& editor) { editor.Redo(); }},
};

TImageKind KindOfImage(int image) {
  if (image == NoImage)
    return ikNone;
  return image >= FirstUserImage && image < SecondStripImage ? ikUser : ikStandard;
}

int ImageCount() {
  return TopForm && TopForm->ImageList1 ? TopForm->ImageList1->Count() : 0;
}

} // namespace

TSetDataAddForm::TSetDataAddForm(TComponent* owner) : TForm(owner) {
  SetUpDialog(*this, FormWidth, 440);
  InitReserveWordList(ownWords_);
  if (TopForm)
    ownWords_.Assign(TopForm->ReserveList);
  CreateTop();
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", this, {8, 64, PageWidth, 260});
  PageControl1->OnChange = [this](TObject*) { ShowPageHint(); };
  CreateCommandPage();
  CreateMenuPage();
  CreateImagePage();
  TabSheet_Help =
      CreateTextPage("TabSheet_Help", "ヘルプ", Edit_StatusHelp, "Edit_StatusHelp", "ヒント(&H) :");
  CreateVisiblePage();
  TabSheet_Group = CreateTextPage("TabSheet_Group", "グループ", Edit_ListCaption,
                                  "Edit_ListCaption", "リスト表示名(&L) :");
  Label_PageHint = PlaceControl<TLabel>(this, "Label_PageHint", this, {8, 330, PageWidth, 34});
  AddOkCancel(*this, Button_OK, Button_Cancel, 280, 372);
  Edit_StatusHelp->OnChange = [this](TObject*) {
    Button_ImagePreview->SetHint(Edit_StatusHelp->Text());
  };
}

void TSetDataAddForm::CreateTop() {
  Label_Caption = AddLabel(this, "Label_Caption", this, 8, "マスタ名称(&N) :");
  Edit_Caption = PlaceControl<TEdit>(this, "Edit_Caption", this, {FieldLeft, 8, FieldWidth, 21});
  Label_Caption->FocusControl = Edit_Caption;
  Edit_Caption->OnChange = [this](TObject*) { NameChanged(); };
  Edit_Caption->OnExit = [this](TObject*) { NameLeft(); };
  Combo_Type = AddChoice(this, "Combo_Type", this, 36, "分類(&T) :",
                         std::begin(res::CommandCategories), std::end(res::CommandCategories));
}

void TSetDataAddForm::CreateCommandPage() {
  TabSheet_Command = AddSheet(*PageControl1, "TabSheet_Command", "コマンド");
  Memo_Command =
      PlaceControl<TEditor>(this, "Memo_Command", TabSheet_Command, {4, 4, PageWidth - 16, 120});
  Memo_Command->SetReserveWordList(*words_);
  Memo_Command->OnChange = [this](TObject*) {
    Memo_Command->HelpContext = CommandHelpContext(EditorCommand(*Memo_Command));
  };
  Memo_Command->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
    CommandKeyDown(key, shift);
  };
  Memo_Command->OnKeyPress = [this](TObject*, char& key) { CommandKeyPress(key); };
  Memo_Command->OnDblClick = [this](TObject*) { Memo_Command->SelectTokenFromCaret(); };
  Memo_Command->OnDrawLine = [this](TObject*, const std::string& line, int x, int y, int,
                                    const RECT& rect, bool selected) {
    const TMarkOptions& marks = TopForm->Settings.MarkOptions;
    if (HDC dc = Memo_Command->Canvas())
      DrawWhitespaceMarks(dc, *Memo_Command, line, x, y, rect, selected,
                          {marks.SpaceMark, marks.DBSpaceMark, marks.TabMark});
  };
  Memo_Command->HelpContext = CommandHelpContext("");

  PopupMenu_Command = Create<TPopupMenu>(this, "PopupMenu_Command");
  for (const TReadyMadeText& text : ReadyMadeTexts) {
    auto* item = Create<TMenuItem>(this);
    item->SetCaption(text.Caption);
    item->OnClick = [this, text](TObject*) { Memo_Command->SetSelText(text.Text); };
    PopupMenu_Command->Items()->Add(item);
  }
  Memo_Command->SetPopupMenu(PopupMenu_Command);

  AddLabel(this, "Label_Reserve", TabSheet_Command, 132, "予約語 :");
  Button_ReserveAdd = PlaceControl<TButton>(this, "Button_ReserveAdd", TabSheet_Command,
                                            {76, 130, 72, 23}, "追加(&R)");
  Button_ReserveRemove = PlaceControl<TButton>(this, "Button_ReserveRemove", TabSheet_Command,
                                               {152, 130, 72, 23}, "解除(&D)");
  Button_AutoInput = PlaceControl<TButton>(this, "Button_AutoInput", TabSheet_Command,
                                           {PageWidth - 124, 130, 108, 23}, "↓自動入力(&A)");
  Check_ShowList = PlaceControl<TCheckBox>(this, "Check_ShowList", TabSheet_Command,
                                           {8, 162, 200, 20}, "入力支援で使用する(&J)");
  Label_Assist = AddLabel(this, "Label_Assist", TabSheet_Command, 188, "キーワード(&W) :");
  Edit_Assist =
      PlaceControl<TEdit>(this, "Edit_Assist", TabSheet_Command, {FieldLeft, 188, FieldWidth, 21});
  Label_Assist->FocusControl = Edit_Assist;
  Button_ReserveAdd->OnClick = [this](TObject*) { ChangeReserveWord(true); };
  Button_ReserveRemove->OnClick = [this](TObject*) { ChangeReserveWord(false); };
  Button_AutoInput->OnClick = [this](TObject*) { AutoInput(); };
  Check_ShowList->OnClick = [this](TObject*) { AssistChecked(); };
}

void TSetDataAddForm::CreateMenuPage() {
  TabSheet_Menu = AddSheet(*PageControl1, "TabSheet_Menu", "メニュー");
  Edit_MenuCaption = AddField<TEdit>(this, "Edit_MenuCaption", TabSheet_Menu, 8, "名称(&M) :");
  Edit_ShortCut = AddField<THotKey>(this, "Edit_ShortCut", TabSheet_Menu, 36, "ショートカット(&S) :");
}

void TSetDataAddForm::CreateImagePage() {
  TabSheet_Image = AddSheet(*PageControl1, "TabSheet_Image", "画像");
  Combo_ImageType = AddChoice(this, "Combo_ImageType", TabSheet_Image, 8, "種類(&I) :",
                              std::begin(ImageKinds), std::end(ImageKinds));
  Combo_ImageType->OnSelect = [this](TObject*) {
    SetImageNumber(FirstImageOfKind(static_cast<TImageKind>(Combo_ImageType->ItemIndex())));
  };
  Button_ImagePrev = AddImageButton(this, "Button_ImagePrev", TabSheet_Image, FieldLeft, 72,
                                    "戻る(&K)");
  Button_ImagePreview = AddImageButton(this, "Button_ImagePreview", TabSheet_Image,
                                       FieldLeft + 80, 40, "");
  Button_ImageNext = AddImageButton(this, "Button_ImageNext", TabSheet_Image, FieldLeft + 128,
                                    72, "進む(&J)");
  Button_ImagePreview->SetImages(TopForm ? TopForm->ImageList1 : nullptr);
  Button_ImagePreview->SetShowHint(true);
  for (TToolbarButton* step : {Button_ImagePrev, Button_ImageNext})
    step->Repeating = true;
  Button_ImagePrev->OnClick = [this](TObject*) { SetImageNumber(StepImageBack(image_)); };
  Button_ImageNext->OnClick = [this](TObject*) {
    SetImageNumber(StepImageForward(image_, ImageCount()));
  };
  Edit_Image = PlaceControl<TEdit>(this, "Edit_Image", TabSheet_Image, {8, 80, 100, 21});
  Edit_Image->SetVisible(false);
}

TTabSheet* TSetDataAddForm::CreateTextPage(const char* sheetName, const char* caption,
                                           TEdit*& edit, const char* name, const char* label) {
  TTabSheet* sheet = AddSheet(*PageControl1, sheetName, caption);
  edit = AddField<TEdit>(this, name, sheet, 8, label);
  return sheet;
}

void TSetDataAddForm::CreateVisiblePage() {
  TabSheet_Visible = AddSheet(*PageControl1, "TabSheet_Visible", "表示");
  Combo_Visible = AddChoice(this, "Combo_Visible", TabSheet_Visible, 8, "有効/表示(&V) :",
                            std::begin(res::VisibilityRules), std::end(res::VisibilityRules));
}

void TSetDataAddForm::SetReserveWords(TStringList* words) {
  words_ = words ? words : &ownWords_;
  Memo_Command->SetReserveWordList(*words_);
}

void TSetDataAddForm::SetImageNumber(int image) {
  image_ = image;
  Combo_ImageType->SetItemIndex(KindOfImage(image));
  Button_ImagePreview->SetImageIndex(image);
}

void TSetDataAddForm::Fill(const TQuolin_CmdList& record, TDataAddMode mode, bool isGroup) {
  SetCaption(std::string(isGroup ? "グループ" : "マスタ") + ModeNames[static_cast<int>(mode)]);
  Label_Caption->SetCaption(isGroup ? "グループ名称(&N) :" : "マスタ名称(&N) :");
  TabSheet_Command->SetTabVisible(!isGroup);
  TabSheet_Group->SetTabVisible(!isGroup);
  TQuolin_CmdList shown;
  if (mode != TDataAddMode::dmAdd)
    shown = record;
  Edit_Caption->SetText(shown.Name);
  Combo_Type->SetItemIndex(shown.CommandType);
  Edit_MenuCaption->SetText(shown.MenuCaption);
  Edit_ShortCut->SetHotKey(shown.ShortCut);
  Edit_StatusHelp->SetText(shown.Hint);
  Button_ImagePreview->SetHint(shown.Hint);
  SetImageNumber(shown.ImgIndex);
  Edit_Image->SetText(shown.ImageText);
  Combo_Visible->SetItemIndex(shown.VisibleType);
  Edit_ListCaption->SetText(shown.ListCaption);
  ShowCommand(*Memo_Command, DecodeCommandForEdit(shown.Command, "\r\n"));
  Edit_Assist->SetText(shown.AssistCaption);
  Check_ShowList->SetChecked(mode != TDataAddMode::dmAdd && shown.ShowList);
  AssistChecked();
  NameChanged();
  for (int i = 0; i < PageControl1->PageCount(); ++i)
    if (PageControl1->Pages(i)->TabVisible()) {
      PageControl1->SetActivePage(PageControl1->Pages(i));
      break;
    }
  ShowPageHint();
}

void TSetDataAddForm::Store(TQuolin_CmdList& record) {
  record.Name = Edit_Caption->Text();
  record.CommandType = std::max(Combo_Type->ItemIndex(), 0);
  record.MenuCaption = Edit_MenuCaption->Text();
  record.ShortCut = Edit_ShortCut->HotKey();
  record.Hint = Edit_StatusHelp->Text();
  record.ImgIndex = image_;
  record.ImageText = Edit_Image->Text();
  record.VisibleType = std::max(Combo_Visible->ItemIndex(), 0);
  record.ListCaption = Edit_ListCaption->Text();
  record.Command = EncodeControlChars(EditorCommand(*Memo_Command));
  record.AssistCaption = Edit_Assist->Text();
  record.ShowList = ShowListOf(Check_ShowList->Checked(), record.AssistCaption, record.Command);
}

void TSetDataAddForm::NameChanged() {
  Button_OK->SetEnabled(!Edit_Caption->Text().empty());
}

void TSetDataAddForm::NameLeft() {
  const std::string name = Edit_Caption->Text();
  if (name.empty())
    return;
  for (TEdit* field : {Edit_MenuCaption, Edit_ListCaption, Edit_StatusHelp})
    if (Trim(field->Text()).empty())
      field->SetText(name);
}

void TSetDataAddForm::ShowPageHint() {
  struct PageHint {
    TTabSheet* sheet;
    const char* hint;
  };
  const PageHint hints[] = {{TabSheet_Menu, res::MenuPageHint},
                            {TabSheet_Image, res::ImagePageHint},
                            {TabSheet_Help, res::HelpPageHint},
                            {TabSheet_Visible, res::VisiblePageHint},
                            {TabSheet_Group, res::GroupPageHint}};
  std::string text;
  for (const PageHint& page : hints)
    if (page.sheet == PageControl1->ActivePage())
      text = page.hint;
  Label_PageHint->SetCaption(text);
}

void TSetDataAddForm::CommandKeyDown(WORD& key, TShiftState shift) {
  if (key == VK_ESCAPE && shift == 0) {
    key = 0;
    SetModalResult(mrCancel);
    return;
  }
  if ((shift & (ssCtrl | ssAlt)) != ssCtrl)
    return;
  const bool withShift = (shift & ssShift) != 0;
  for (const TCommandKey& command : CommandKeys)
    if (command.Key == key && command.Shift == withShift) {
      key = 0;
      command.Run(*Memo_Command);
      return;
    }
}

void TSetDataAddForm::CommandKeyPress(char& key) {
  if (key != '\r' || Memo_Command->ReadOnly())
    return;
  const std::string text = Memo_Command->Text();
  const int caret = Memo_Command->SelStart();
  auto found = BeginNameBeforeCaret(text, static_cast<size_t>(caret));
  if (!found || Memo_Command->SelLength() > 0)
    return;
  key = 0;
  Memo_Command->SetSelText(EndOfEnvironment(found->Name));
  Memo_Command->SetSelStart(caret + 2);
}

void TSetDataAddForm::ChangeReserveWord(bool add) {
  const std::string word = Memo_Command->SelText();
  if (!IsSingleToken(word))
    return;
  int index = words_->IndexOf(word);
  if (add == (index >= 0))
    return;
  if (add) {
    words_->Add(word);
    SortReserveList(*words_);
  } else {
    for (; index >= 0; index = words_->IndexOf(word))
      words_->Delete(index);
  }
  Memo_Command->SetReserveWordList(*words_);
}

void TSetDataAddForm::AutoInput() {
  TAutoKeyword keyword = AutoKeyword(EditorCommand(*Memo_Command));
  Check_ShowList->SetChecked(keyword.Checked);
  if (keyword.Checked)
    Edit_Assist->SetText(keyword.Keyword);
  AssistChecked();
}

void TSetDataAddForm::AssistChecked() {
  Edit_Assist->SetEnabled(Check_ShowList->Checked());
  Label_Assist->SetEnabled(Check_ShowList->Checked());
}

bool ShowSetDataAddForm(TQuolin_CmdList& record, TDataAddMode mode, bool isGroup,
                        TStringList* reserveWords) {
  TOwned<TSetDataAddForm> form(TComponent::Create<TSetDataAddForm>(Application, FormName));
  form->SetReserveWords(reserveWords);
  form->Fill(record, mode, isGroup);
  if (form->ShowModal() != mrOk)
    return false;
  form->Store(record);
  return true;
}

} // namespace quolin
