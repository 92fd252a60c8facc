#include "settings/SetEdit2Page.h"

#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "core/SettingsMappings.h"
#include "settings/OutlineDetailForm.h"

#include <algorithm>

namespace quolin {

namespace {

constexpr int Edit2PageHelpContext = 1303;
constexpr int MouseTypes = 3;

using TE2 = TEdit2Option;
constexpr TCheckField<TE2> Edit2Checks[] = {
    {"Check_CommentPaint1", "折り返し表示で複数行色分け(&W)", &TE2::CommentLineAllPaint},
    {"Check_ExitClose", "Quolin 終了時に閉じる(&X)", &TE2::TexExitClose},
    {"Check_EndClose", "処理終了毎に閉じる(&D)", &TE2::TexNextClose},
    {"Check_Icon", "アイコン表示(&I)", &TE2::SectionViewShowIcon},
    {"Check_BibExp", "&Bibモード有効", &TE2::SectionViewBibMode},
    {"Check_DragDrop", "ドラッグドロップ編集を可能にする(&O)", &TE2::SectionViewDragDropEdit},
    {"Check_CloseDocRemain", "終了時に開いていたファイルを次回起動時に開く(&R)",
     &TE2::WakeupFileOpen},
    {"Check_OpenNew", "起動時に文章を新規作成(&A)", &TE2::OpenNewDocument},
};

struct TTextField {
  TEdit* TFrm_SetEdit2::*Edit;
  std::string TE2::*Field;
};
constexpr TTextField Edit2Texts[] = {
    {&TFrm_SetEdit2::Edit_Enter, &TE2::EnterStr},
    {&TFrm_SetEdit2::Edit_SEnter, &TE2::EnterShiftStr},
    {&TFrm_SetEdit2::Edit_CEnter, &TE2::EnterCtrlStr},
    {&TFrm_SetEdit2::Edit_CSEnter, &TE2::EnterCtrlShiftStr},
    {&TFrm_SetEdit2::Edit_Commenter, &TE2::CommentHeader},
};

} // namespace

TFrm_SetEdit2::TFrm_SetEdit2(TComponent* owner, TSettingsChanges& changes)
    : TSettingsPage(owner, changes, Edit2PageHelpContext) {
  Edit_Enter = AddEdit("Edit_Enter", "&Enter :");
  Edit_SEnter = AddEdit("Edit_SEnter", "&Shift+Enter :");
  Edit_CEnter = AddEdit("Edit_CEnter", "&Ctrl+Enter :");
  Edit_CSEnter = AddEdit("Edit_CSEnter", "C&trl+Shift+Enter :");
  Edit_Commenter = AddEdit("Edit_Commenter", "ヘッダ文字(&L) :");
  RadioButton1 = AddRadio("RadioButton1", "メニュー(&M)");
  RadioButton2 = AddRadio("RadioButton2", "コピー/貼り付け(&P)");
  RadioButton3 = AddRadio("RadioButton3", "使用しない(&N)");
  NextColumn();
  Combo_SectionView =
      AddCombo("Combo_SectionView", "表示深さ(&V) :",
               {"ドキュメントのみ", "パート", "チャプター", "セクション", "サブセクション",
                "サブサブセクション", "パラグラフ", "サブパラグラフ"});
  AddChecks(Edit2Checks);
  Button1 = AddButton("Button1", "詳細(&F)");
  Button1->OnClick = [](TObject*) { ShowSetExpForm(); };
}

TRadioButton* TFrm_SetEdit2::MouseButton(int type) const {
  TRadioButton* const buttons[] = {RadioButton1, RadioButton2, RadioButton3};
  return buttons[type];
}

void TFrm_SetEdit2::FillControls() {
  const TEdit2Option& option = TopForm->Settings.Edit2Option;
  for (const TTextField& text : Edit2Texts)
    (this->*text.Edit)->SetText(option.*text.Field);
  MouseButton(std::clamp(option.MouseSubButtonType, 0, MouseTypes - 1))->SetChecked(true);
  Combo_SectionView->SetItemIndex(SectionViewLevelIndex(option.SectionViewLevel));
  ShowChecks(Edit2Checks, option);
}

void TFrm_SetEdit2::StoreControls() {
  TEdit2Option& option = TopForm->Settings.Edit2Option;
  for (const TTextField& text : Edit2Texts)
    option.*text.Field = (this->*text.Edit)->Text();
  for (int type = 0; type < MouseTypes; ++type)
    if (MouseButton(type)->Checked())
      option.MouseSubButtonType = type;
  option.SectionViewLevel = Combo_SectionView->ItemIndex();
  ReadChecks(Edit2Checks, option);
  option.DoubleBuffer = false;
  Changes.EditorChanged = true;
  SaveEdit2Option(option);
}

} // namespace quolin
