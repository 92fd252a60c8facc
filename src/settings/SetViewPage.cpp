#include "settings/SetViewPage.h"

#include "app/DocOps.h"
#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "common/Registry.h"
#include "core/ResConst.h"
#include "core/SettingsMappings.h"
#include "editor/EditorControl.h"
#include "editor/EditorProps.h"
#include "editor/WhitespaceMarks.h"
#include "ui/MessageBoxes.h"

#include <string>

namespace quolin {

namespace {

constexpr int ViewPageHelpContext = 1304;

// A comment, a reserved word, a URL, a mail address, Japanese text, blanks and a tab. Bytes
// 12-26 are the visible "\documentclass{", the selection shown for the selection colour.
constexpr char SampleText[] = "% コメント\r\n"
                              "\\documentclass{jarticle}\r\n"
                              "\\begin{document}\r\n"
                              "日本語の文章　全角空白 and  blanks\tand a tab.\r\n"
                              "http://www.example.com/\r\n"
                              "mail: user@example.com\r\n"
                              "\\end{document}";
constexpr int SampleSelStart = 12;
constexpr int SampleSelLength = 15;

enum class TTarget : uint8_t { Text, Underline, EditMarks, EditorBack, MainBack, Tree, Log };

struct TCategory {
  const char* Caption;
  TTarget Target;
  TEditorColorIndex Color;
};

constexpr TCategory Categories[] = {
    {"文字列", TTarget::Text, ciAnk},
    {"選択文字列", TTarget::Text, ciSelect},
    {"予約文字列", TTarget::Text, ciReserve},
    {"コメント", TTarget::Text, ciComment},
    {"カーソルライン", TTarget::Underline, ciAnk},
    {"編集記号", TTarget::EditMarks, ciAnk},
    {"URL", TTarget::Text, ciUrl},
    {"メールアドレス", TTarget::Text, ciMail},
    {"エディタ背景", TTarget::EditorBack, ciAnk},
    {"メイン背景", TTarget::MainBack, ciAnk},
    {"エクスプローラ", TTarget::Tree, ciAnk},
    {"ログ", TTarget::Log, ciAnk},
};
constexpr int TreeCategory = 10;
constexpr int LogCategory = 11;
constexpr int MainBackCategory = 9;
// The plain text's colour goes to the other single-byte and double-byte kinds too.
constexpr TEditorColorIndex TextFollowers[] = {ciInt, ciSymbol, ciDBCS, ciStr};

bool ForegroundOnly(TTarget target) {
  return target == TTarget::Underline || target == TTarget::EditMarks ||
         target == TTarget::EditorBack || target == TTarget::MainBack;
}

struct TSwatch {
  TColor Fore = clBlack;
  TColor Back = clBtnFace;
  TFontStyles Style = 0;
};

TSwatch ControlSwatch(TControl& control) {
  return {control.Font().Color(), control.Color(), control.Font().Style()};
}

void SetControlSwatch(TControl& control, const TSwatch& swatch) {
  control.Font().SetColor(swatch.Fore);
  control.Font().SetStyle(swatch.Style);
  control.SetColor(swatch.Back);
}

} // namespace

TFrm_SetView::TFrm_SetView(TComponent* owner, TSettingsChanges& changes)
    : TSettingsPage(owner, changes, ViewPageHelpContext) {
  CreateColorControls();
  NextColumn();
  CreatePreviews();
  NextColumn();
  CreateFontAndMarkControls();
}

void TFrm_SetView::CreateColorControls() {
  AddLabel("強調表示");
  List_Marks1 = Create<TListBox>(this, "List_Marks1");
  for (const TCategory& category : Categories)
    List_Marks1->Items().Add(category.Caption);
  Place(*List_Marks1, 160, 180);
  Panel_FGColor1 = Add<TPanel>("Panel_FGColor1", "", 60);
  Button_FGColor1 = AddButton("Button_FGColor1", "参照(&C)...");
  Panel_BGColor1 = Add<TPanel>("Panel_BGColor1", "", 60);
  Button_BGColor1 = AddButton("Button_BGColor1", "参照(&G)...");
  Button_ColorOr1 = AddButton("Button_ColorOr1", "反転(&X)");
  CB_Bold1 = AddCheck("CB_Bold1", "太字(&B)");
  CB_Italic1 = AddCheck("CB_Italic1", "斜体(&I)");
  CB_UnderLine1 = AddCheck("CB_UnderLine1", "下線(&U)");
  ColorDialog1 = Create<TColorDialog>(this, "ColorDialog1");
  List_Marks1->OnClick = [this](TObject*) { ListClicked(); };
  Button_FGColor1->OnClick = [this](TObject*) { ChooseColor(*Panel_FGColor1); };
  Button_BGColor1->OnClick = [this](TObject*) { ChooseColor(*Panel_BGColor1); };
  Button_ColorOr1->OnClick = [this](TObject*) { SwapColors(); };
  for (TCheckBox* box : {CB_Bold1, CB_Italic1, CB_UnderLine1})
    box->OnClick = [this, box](TObject*) {
      if (box->Focused())
        ApplySampleColor();
    };
}

void TFrm_SetView::CreatePreviews() {
  AddLabel("プレビュー");
  Editor1 = Create<TEditor>(this, "Editor1");
  Place(*Editor1, ColumnWidth - 16, 200);
  Editor1->SetText(SampleText);
  Editor1->SetCursor(crHandPoint);
  Editor1->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { SampleClicked(); };
  Editor1->OnDrawLine = [this](TObject*, const std::string& lineStr, int x, int y, int,
                               const RECT& rect,
                               bool selected) { SampleDrawLine(lineStr, x, y, rect, selected); };
  Panel_MainColor1 = Add<TPanel>("Panel_MainColor1", "", ColumnWidth - 16);
  Panel_MainColor1->SetHeight(150);
  TreeView1 = Create<TTreeView>(this, "TreeView1");
  TreeView1->SetBounds(8, 8, 110, 134);
  TreeView1->SetParent(Panel_MainColor1);
  TTreeNode* document = TreeView1->Items().AddChild(nullptr, "sample.tex");
  TreeView1->Items().AddChild(document, "はじめに");
  ListBox1 = Create<TListBox>(this, "ListBox1");
  ListBox1->SetBounds(124, 8, 110, 134);
  ListBox1->SetParent(Panel_MainColor1);
  ListBox1->Items().Add("This is TeX, C Version ");
  Panel_MainColor1->OnClick = [this](TObject*) { SelectCategory(MainBackCategory); };
  TreeView1->OnClick = [this](TObject*) { SelectCategory(TreeCategory); };
  ListBox1->OnClick = [this](TObject*) { SelectCategory(LogCategory); };
}

void TFrm_SetView::CreateFontAndMarkControls() {
  AddLabel("フォント/編集記号表示");
  Label_Font1 = AddLabel("", "Label_Font1");
  Label_Size1 = AddLabel("", "Label_Size1");
  Label_Size1->SetVisible(false);
  Button_Font1 = AddButton("Button_Font1", "フォント・サイズ(&F)...");
  FontDialog1 = Create<TFontDialog>(this, "FontDialog1");
  Button_Font1->OnClick = [this](TObject*) { ChooseFont(); };
  CB_MarkEof1 = AddCheck("CB_MarkEof1", "&EOF記号");
  CB_MarkRet1 = AddCheck("CB_MarkRet1", "段落記号(&R)");
  CB_MarkLine1 = AddCheck("CB_MarkLine1", "カーソルライン(&L)");
  CB_MarkUrl1 = AddCheck("CB_MarkUrl1", "URL強調(&W)");
  CB_MarkMail1 = AddCheck("CB_MarkMail1", "e-&mail強調");
  CB_MarkTab1 = AddCheck("CB_MarkTab1", "タブ(&T)");
  CB_MarkSp1 = AddCheck("CB_MarkSp1", "半角スペース(&P)");
  CB_MarkDBSp1 = AddCheck("CB_MarkDBSp1", "全角スペース(&D)");
  AddLabel("行間(&N)");
  SpinEdit_Line1 = Add<TSpinEdit>("SpinEdit_Line1", "", 60);
  SpinEdit_Char1 = Add<TSpinEdit>("SpinEdit_Char1", "", 60);
  SpinEdit_Char1->SetVisible(false);
  for (TSpinEdit* spin : {SpinEdit_Line1, SpinEdit_Char1}) {
    spin->SetMinValue(0);
    spin->SetMaxValue(9);
    spin->OnChange = [this, spin](TObject*) { MarkChanged(*spin); };
  }
  for (TCheckBox* box : {CB_MarkEof1, CB_MarkRet1, CB_MarkLine1, CB_MarkUrl1, CB_MarkMail1,
                         CB_MarkTab1, CB_MarkSp1, CB_MarkDBSp1})
    box->OnClick = [this, box](TObject*) { MarkChanged(*box); };
}

void TFrm_SetView::FillControls() {
  TTopForm& top = *TopForm;
  top.EditorProp1->AssignTo(*Editor1);
  ShowFontLabels();
  CB_MarkEof1->SetChecked(Editor1->Marks().EofMark().Visible());
  CB_MarkRet1->SetChecked(Editor1->Marks().RetMark().Visible());
  CB_MarkLine1->SetChecked(Editor1->Marks().Underline().Visible());
  CB_MarkUrl1->SetChecked(Editor1->View().Url());
  CB_MarkMail1->SetChecked(Editor1->View().Mail());
  SpinEdit_Line1->SetValue(Editor1->Margin().Line());
  SpinEdit_Char1->SetValue(Editor1->Margin().Character());
  const TMarkOptions& marks = top.Settings.MarkOptions;
  CB_MarkTab1->SetChecked(marks.TabMark);
  CB_MarkSp1->SetChecked(marks.SpaceMark);
  CB_MarkDBSp1->SetChecked(marks.DBSpaceMark);
  Panel_MainColor1->SetColor(top.Color());
  TreeView1->SetColor(top.TreeView_Section->Color());
  TreeView1->Font().Assign(top.TreeView_Section->Font().Value());
  ListBox1->SetColor(top.LogBGColor);
  ListBox1->Font().Assign(top.LogFont);
  SelectCategory(0);
}

void TFrm_SetView::SelectCategory(int index) {
  List_Marks1->SetItemIndex(index);
  const TCategory& category = Categories[index];
  TSwatch swatch;
  switch (category.Target) {
  case TTarget::Text: {
    const TEditorColor& color = Editor1->View().Colors()[category.Color];
    swatch = {color.Color(), color.BkColor(), color.Style()};
    break;
  }
  case TTarget::Underline:
    swatch.Fore = Editor1->Marks().Underline().Color();
    break;
  case TTarget::EditMarks:
    swatch.Fore = Editor1->Marks().RetMark().Color();
    break;
  case TTarget::EditorBack:
    swatch.Fore = Editor1->Color();
    break;
  case TTarget::MainBack:
    swatch.Fore = Panel_MainColor1->Color();
    break;
  case TTarget::Tree:
    swatch = ControlSwatch(*TreeView1);
    break;
  case TTarget::Log:
    swatch = ControlSwatch(*ListBox1);
    break;
  }
  bool styled = !ForegroundOnly(category.Target);
  Panel_FGColor1->SetColor(swatch.Fore);
  Panel_BGColor1->SetColor(styled ? swatch.Back : clBtnFace);
  CB_Bold1->SetChecked((swatch.Style & fsBold) != 0);
  CB_Italic1->SetChecked((swatch.Style & fsItalic) != 0);
  CB_UnderLine1->SetChecked((swatch.Style & fsUnderline) != 0);
  for (TControl* control : std::initializer_list<TControl*>{CB_Bold1, CB_Italic1, CB_UnderLine1,
                                                            Button_BGColor1, Button_ColorOr1})
    control->SetEnabled(styled);
}

void TFrm_SetView::ApplySampleColor() {
  int index = List_Marks1->ItemIndex();
  if (index < 0)
    return;
  const TCategory& category = Categories[index];
  TSwatch swatch{Panel_FGColor1->Color(), Panel_BGColor1->Color(),
                 static_cast<TFontStyles>((CB_Bold1->Checked() ? fsBold : 0) |
                                          (CB_Italic1->Checked() ? fsItalic : 0) |
                                          (CB_UnderLine1->Checked() ? fsUnderline : 0))};
  TEditorColors& colors = Editor1->View().Colors();
  switch (category.Target) {
  case TTarget::Text:
    colors.SetColor(category.Color, TEditorColor(swatch.Back, swatch.Fore, swatch.Style));
    if (category.Color == ciAnk)
      for (TEditorColorIndex follower : TextFollowers)
        colors.SetColor(follower, colors[ciAnk]);
    break;
  case TTarget::Underline:
    Editor1->Marks().Underline().SetColor(swatch.Fore);
    break;
  case TTarget::EditMarks:
    Editor1->Marks().EofMark().SetColor(swatch.Fore);
    Editor1->Marks().RetMark().SetColor(swatch.Fore);
    break;
  case TTarget::EditorBack:
    Editor1->SetColor(swatch.Fore);
    break;
  case TTarget::MainBack:
    Panel_MainColor1->SetColor(swatch.Fore);
    break;
  case TTarget::Tree:
    SetControlSwatch(*TreeView1, swatch);
    break;
  case TTarget::Log:
    SetControlSwatch(*ListBox1, swatch);
    break;
  }
  Editor1->Invalidate();
}

void TFrm_SetView::ListClicked() {
  int index = List_Marks1->ItemIndex();
  if (index < 0)
    return;
  SelectCategory(index);
  // The selection colour shows on a selection.
  bool selection = index == SampleSelectionCategory;
  Editor1->SetSelStart(selection ? SampleSelStart : 0);
  Editor1->SetSelLength(selection ? SampleSelLength : 0);
}

void TFrm_SetView::SampleClicked() {
  if (Editor1->SelLength() > 0) {
    SelectCategory(SampleSelectionCategory);
    return;
  }
  int kind = Editor1->GetTokenKindFromCaret();
  int found = 0;
  bool reserved = Editor1->ReserveWordList().Find(Editor1->GetTokenFromCaret(), found);
  SelectCategory(SampleCategoryOfToken(kind, reserved));
}

void TFrm_SetView::ChooseColor(TPanel& panel) {
  ColorDialog1->Color = panel.Color();
  if (!ColorDialog1->Execute())
    return;
  panel.SetColor(ColorDialog1->Color);
  ApplySampleColor();
}

void TFrm_SetView::SwapColors() {
  if (!Button_BGColor1->Enabled())
    return;
  TColor fore = Panel_FGColor1->Color();
  Panel_FGColor1->SetColor(Panel_BGColor1->Color());
  Panel_BGColor1->SetColor(fore);
  ApplySampleColor();
}

void TFrm_SetView::ChooseFont() {
  FontDialog1->Font = Editor1->Font().Value();
  if (!FontDialog1->Execute())
    return;
  Editor1->Font().Assign(FontDialog1->Font);
  ShowFontLabels();
}

void TFrm_SetView::ShowFontLabels() {
  const TFont& font = Editor1->Font().Value();
  Label_Font1->SetCaption(font.Name + " / " + std::to_string(font.Size) + " pt");
  Label_Size1->SetCaption(std::to_string(font.Size) + " ポイント");
}

// Loading sets the boxes too: only a change the user makes reaches the sample.
void TFrm_SetView::MarkChanged(TControl& control) {
  if (!control.Focused())
    return;
  Editor1->Marks().EofMark().SetVisible(CB_MarkEof1->Checked());
  Editor1->Marks().RetMark().SetVisible(CB_MarkRet1->Checked());
  Editor1->Marks().Underline().SetVisible(CB_MarkLine1->Checked());
  Editor1->View().SetUrl(CB_MarkUrl1->Checked());
  Editor1->View().SetMail(CB_MarkMail1->Checked());
  Editor1->Margin().SetLine(SpinEdit_Line1->Value());
  Editor1->Margin().SetCharacter(SpinEdit_Char1->Value());
  Editor1->Invalidate();
}

void TFrm_SetView::SampleDrawLine(const std::string& lineStr, int x, int y, const RECT& rect,
                                  bool selected) {
  if (HDC dc = Editor1->Canvas())
    DrawWhitespaceMarks(dc, *Editor1, lineStr, x, y, rect, selected,
                        {CB_MarkSp1->Checked(), CB_MarkDBSp1->Checked(), CB_MarkTab1->Checked()});
}

void TFrm_SetView::StoreControls() {
  TTopForm& top = *TopForm;
  const std::string editorKey = RegKeyPath + "\\" + res::RegSectionEditor + "\\";
  RegWriteInteger(res::RegSectionEditor, res::MainBGColorName, Panel_MainColor1->Color());
  RegWriteInteger(res::RegSectionEditor, res::MainDocExpColorName, TreeView1->Color());
  SaveFontToRegistry(HKEY_CURRENT_USER, editorKey + res::MainDocExpFontKey,
                     TreeView1->Font().Value());
  SaveFontToRegistry(HKEY_CURRENT_USER, editorKey + res::EditLogAreaKey, ListBox1->Font().Value());
  RegWriteInteger(res::RegSectionEditLogArea, res::LogBGColorName, ListBox1->Color());
  top.EditorProp1->Assign(*Editor1);
  TMarkOptions& marks = top.Settings.MarkOptions;
  marks.TabMark = CB_MarkTab1->Checked();
  marks.SpaceMark = CB_MarkSp1->Checked();
  marks.DBSpaceMark = CB_MarkDBSp1->Checked();
  SaveMarkOptions(marks);
  top.SetColor(Panel_MainColor1->Color());
  StoreTreeLook();
  top.LogBGColor = ListBox1->Color();
  top.LogFont = ListBox1->Font().Value();
  top.ApplyCommandEntryColors();
  Changes.EditorChanged = true;
}

// The start reads the tree's colours and style only, and a document's branch keeps its look:
// with documents open the change waits for the next start.
void TFrm_SetView::StoreTreeLook() {
  TTreeView& tree = *TopForm->TreeView_Section;
  TSwatch now = ControlSwatch(tree);
  TSwatch chosen = ControlSwatch(*TreeView1);
  if (now.Fore == chosen.Fore && now.Back == chosen.Back && now.Style == chosen.Style)
    return;
  if (DocCount() > 0) {
    MsgBox("ドキュメントエクスプローラの表示設定は, 再起動後有効になります.", "Io");
    return;
  }
  tree.Items().BeginUpdate();
  SetControlSwatch(tree, chosen);
  tree.Items().EndUpdate();
}

} // namespace quolin
