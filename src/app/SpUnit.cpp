#include "app/SpUnit.h"

namespace quolin {

namespace {

constexpr char VersionText[] = "4.2.2.0";
constexpr char PictureResource[] = "SPLASH";

} // namespace

TSpForm::TSpForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetPosition(TPosition::poScreenCenter);
  SetColor(clWhite);
  SetBounds(Left(), Top(), 421, 231);
  picture_.LoadFromResourceName(GetModuleHandleA(nullptr), PictureResource);

  Label1 = Create<TLabel>(this, "Label1");
  Label1->SetParent(this);
  Label1->SetParentColor(true);
  Label1->Font().SetColor(clOlive);
  Label1->SetBounds(356, 196, 48, 14);

  Timer1 = Create<TTimer>(this, "Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(256);
  Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };

  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TSpForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.Style |= WS_DLGFRAME;
  params.WinClassName = "TSpForm";
}

void TSpForm::Paint(HDC dc) {
  if (picture_.Empty())
    return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, picture_.Handle());
  BitBlt(dc, 0, 0, picture_.Width(), picture_.Height(), source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

void TSpForm::FormCreate(TObject*) {
  Label1->SetCaption(VersionText);
}

void TSpForm::FormClose(TObject*, TCloseAction& action) {
  action = TCloseAction::caFree;
}

void TSpForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  Close();
}

} // namespace quolin
