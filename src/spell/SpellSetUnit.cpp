#include "spell/SpellSetUnit.h"

#include "settings/DialogLayout.h"
#include "settings/SpellCheckPage.h"
#include "ui/Application.h"

#include <algorithm>

namespace quolin {

TSpellSetForm* SpellSetForm = nullptr;

namespace {
constexpr int PageWidth = 536;
constexpr int PageHeight = 240;
} // namespace

TSpellSetForm::TSpellSetForm(TComponent* owner) : TForm(owner) {
  SetCaption("設定 - スペルチェック");
  Frm_SpellCheck = Create<TFrm_SpellCheck>(this, "Frm_SpellCheck", Changes);
  // Wider when the captions are, so that none is cut.
  const int width = std::max(PageWidth, Frm_SpellCheck->ContentWidth());
  SetUpDialog(*this, width, PageHeight);
  Frm_SpellCheck->SetAlign(alNone);
  Frm_SpellCheck->SetBounds(0, 0, width, PageHeight);
  Frm_SpellCheck->SetParent(this);
  AddOkCancel(*this, Button_OK, Button_Cancel, width - 192, PageHeight + 4);
  // The client size needs the window's frame, known once the window is made.
  OnCreate = [this, width](TObject*) { SetClientSize(width, PageHeight + 37); };
}

TSpellSetForm::~TSpellSetForm() {
  if (SpellSetForm == this)
    SpellSetForm = nullptr;
}

bool ShowSpellSetForm() {
  if (!SpellSetForm)
    SpellSetForm = TComponent::Create<TSpellSetForm>(Application, "SpellSetForm");
  TFrm_SpellCheck& page = *SpellSetForm->Frm_SpellCheck;
  page.LoadSettings();
  const bool ok = SpellSetForm->ShowModal() == mrOk;
  if (ok)
    page.SaveSettings();
  else
    page.CancelSettings();
  return ok;
}

} // namespace quolin
