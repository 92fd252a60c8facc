#include "app/DocUnit.h"

#include "app/DocOps.h"
#include "app/TopUnit.h"
#include "core/Paths.h"

namespace quolin {

namespace {

constexpr char OwnerJoin[] = " in ";

} // namespace

TDocForm::TDocForm(TComponent* owner) : TForm(owner) {
  SetFormStyle(TFormStyle::fsMDIChild);
  OnShow = [this](TObject* sender) { FormShow(sender); };
}

void TDocForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.WinClassName = "TDocForm";
}

void TDocForm::FormShow(TObject*) {
  UntitledName = NextUntitledName();
  UpdateCaption();
}

std::string TDocForm::TargetFileName() const {
  return OwnerFile.empty() ? FileName : OwnerFile;
}

std::string TDocForm::GetTitleText() const {
  if (FileName.empty())
    return "";
  return OwnerFile.empty() ? FileName : FileName + OwnerJoin + OwnerFile;
}

void TDocForm::UpdateCaption() {
  if (FileName.empty()) {
    SetCaption(UntitledName);
    return;
  }
  bool fullPath = TopForm && TopForm->Settings.FileIOOption.FullPathFileName;
  std::string caption = fullPath ? FileName : ExtractFileName(FileName);
  if (!OwnerFile.empty())
    caption += OwnerJoin + ExtractFileName(OwnerFile);
  SetCaption(caption);
}

void TDocForm::GoToLine(int line, int, bool) {
  caretLine_ = line;
}

void TDocForm::SaveDocState() {
}

void TDocForm::CloseCommandHelper() {
}

} // namespace quolin
