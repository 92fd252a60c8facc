// Program entry: the main window of the running instance.
#include "ui/Application.h"
#include "ui/Forms.h"

#include <windows.h>

using namespace quolin;

namespace {

class TMainWindow : public TForm {
protected:
  explicit TMainWindow(TComponent* owner) : TForm(owner) {
    SetFormStyle(TFormStyle::fsMDIForm);
    SetCaption("Quolin");
    SetBounds(Left(), Top(), 800, 600);
  }

  void CreateParams(TCreateParams& params) override {
    TForm::CreateParams(params);
    params.WinClassName = "TTopForm";
  }
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  bool ran = Guard(Application, [] {
    Application->SetTitle("Quolin");
    Application->CreateForm<TMainWindow>("TopForm");
    Application->Run();
  });
  return ran ? 0 : 1;
}
