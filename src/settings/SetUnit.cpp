#include "settings/SetUnit.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "core/ResConst.h"
#include "settings/DialogLayout.h"
#include "settings/SetEdit2Page.h"
#include "settings/SetEditPage.h"
#include "settings/SetFilePage.h"
#include "settings/SetLogPage.h"
#include "settings/SetViewPage.h"
#include "settings/SpellCheckPage.h"
#include "settings/ToolPages.h"

#include <string>

namespace quolin {

namespace {

constexpr int SetFormHelpContext = 1300;

template <typename Page>
Page* AddSheet(TPageControl& pages, int number, const char* caption, const char* frameName,
               TSettingsChanges& changes) {
  auto* sheet = TComponent::Create<TTabSheet>(pages.Owner(), "TabSheet" + std::to_string(number));
  sheet->SetCaption(caption);
  sheet->SetParent(&pages);
  Page* page = TComponent::Create<Page>(pages.Owner(), frameName, changes);
  page->SetParent(sheet);
  return page;
}

} // namespace

TSetForm::TSetForm(TComponent* owner) : TForm(owner) {
  SetCaption("設定");
  HelpContext = SetFormHelpContext;
  SetUpDialog(*this, 800, 560);
  OnShow = [this](TObject* sender) { FormShow(sender); };

  PageControl1 = Create<TPageControl>(this, "PageControl1");
  PageControl1->SetBounds(4, 4, 784, 480);
  PageControl1->SetParent(this);
  PageControl1->OnChange = [this](TObject* sender) { PageControl1Change(sender); };
  TPageControl& pages = *PageControl1;
  Frm_SetView = AddSheet<TFrm_SetView>(pages, 1, "表示", "Frm_SetView", Changes);
  Frm_SetEdit = AddSheet<TFrm_SetEdit>(pages, 2, "編集1", "Frm_SetEdit", Changes);
  Frm_SetEdit2 = AddSheet<TFrm_SetEdit2>(pages, 3, "編集2", "Frm_SetEdit2", Changes);
  Frm_SetFile = AddSheet<TFrm_SetFile>(pages, 4, "ファイル", "Frm_SetFile", Changes);
  Frm_SetLogDel = AddSheet<TFrm_SetLogDel>(pages, 5, "ログ/処理", "Frm_SetLogDel", Changes);
  Frm_SpellCheck = AddSheet<TFrm_SpellCheck>(pages, 6, "スペルチェック", "Frm_SpellCheck", Changes);
  Frm_TeX = AddSheet<TFrm_TeX>(pages, 7, "TeX", "Frm_TeX", Changes);
  Frm_View = AddSheet<TFrm_View>(pages, 8, "DviPreview", "Frm_View", Changes);
  Frm_Print = AddSheet<TFrm_Print>(pages, 9, "DviPrint", "Frm_Print", Changes);
  Frm_MakeIdx = AddSheet<TFrm_MakeIdx>(pages, 10, "MakeIndex", "Frm_MakeIdx", Changes);
  Frm_Bib = AddSheet<TFrm_Bib>(pages, 11, "BibTeX", "Frm_Bib", Changes);
  sheetPages_ = {Frm_SetView, Frm_SetEdit, Frm_SetEdit2, Frm_SetFile, Frm_SetLogDel, Frm_SpellCheck,
                 Frm_TeX,     Frm_View,    Frm_Print,    Frm_MakeIdx, Frm_Bib};

  Button2 = Create<TButton>(this, "Button2");
  Button2->SetCaption("OK");
  Button2->SetDefault(true);
  Button2->ModalResult = mrOk;
  Button2->SetBounds(600, 494, 88, 25);
  Button2->SetParent(this);
  Button2->OnClick = [this](TObject* sender) { Button2Click(sender); };
  Button_Cancel1 = Create<TButton>(this, "Button_Cancel1");
  Button_Cancel1->SetCaption("キャンセル");
  Button_Cancel1->SetCancel(true);
  Button_Cancel1->ModalResult = mrCancel;
  Button_Cancel1->SetBounds(696, 494, 88, 25);
  Button_Cancel1->SetParent(this);
  Button_Cancel1->OnClick = [this](TObject* sender) { Button_Cancel1Click(sender); };
}

TSettingsPage* TSetForm::ActivePage() const {
  TTabSheet* sheet = PageControl1->ActivePage();
  return sheet ? sheetPages_.at(static_cast<size_t>(sheet->PageIndex())) : nullptr;
}

// Setting the page in code raises no change: the first page is loaded here.
void TSetForm::FormShow(TObject*) {
  PageControl1->SetActivePage(PageControl1->Pages(0));
  EnterActivePage();
}

void TSetForm::PageControl1Change(TObject*) {
  EnterActivePage();
}

void TSetForm::EnterActivePage() {
  TSettingsPage* page = ActivePage();
  if (!page)
    return;
  HelpContext = page->HelpContext;
  page->LoadSettings();
}

void TSetForm::Button2Click(TObject*) {
  // The order of the saves, not the tab order: the tool pages last.
  for (TSettingsPage* page : std::initializer_list<TSettingsPage*>{
           Frm_SetView, Frm_SetEdit, Frm_SetEdit2, Frm_SetFile, Frm_SetLogDel, Frm_SpellCheck,
           Frm_TeX, Frm_Bib, Frm_MakeIdx, Frm_Print, Frm_View})
    page->SaveSettings();
  ApplyModuleChanges();
  ApplyEditorChanges();
}

void TSetForm::Button_Cancel1Click(TObject*) {
  for (TSettingsPage* page : sheetPages_)
    page->CancelSettings();
}

void TSetForm::ApplyModuleChanges() {
  if (!Changes.ModulesChanged)
    return;
  Changes.ModulesChanged = false;
  SaveTexModules(TopForm->TexCtrl1->Modules());
}

void TSetForm::ApplyEditorChanges() {
  if (!Changes.EditorChanged)
    return;
  TTopForm& top = *TopForm;
  TImageList* icons = top.Settings.Edit2Option.SectionViewShowIcon ? top.ImageList2 : nullptr;
  top.TreeView_Section->SetImages(icons);
  top.TreeView_Section->SetStateImages(icons);
  top.EditorProp1->View().SetCommenter(top.Settings.Edit2Option.CommentHeader);
  WriteEditorPropToRegistry(*top.EditorProp1, res::RegSectionEditor, res::EditorPropName);
  for (int i = DocCount() - 1; i >= 0; --i)
    DocAt(i)->ApplySettings();
  Changes.EditorChanged = false;
}

void ShowSetForm() {
  TOwned<TSetForm> form(TComponent::Create<TSetForm>(Application, "SetForm"));
  form->ShowModal();
}

} // namespace quolin
