// The splash window, shown while the main window loads and closed 256 ms after the main
// window has become visible.
#pragma once

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Graphics.h"
#include "ui/Panels.h"
#include "ui/Timer.h"

namespace quolin {

class TSpForm : public TForm {
public:
  TLabel* Label1;
  // Disabled at creation; the main window enables it once it is visible.
  TTimer* Timer1;

protected:
  explicit TSpForm(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void Paint(HDC dc) override;

private:
  TBitmap picture_;

  void FormCreate(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void Timer1Timer(TObject* sender);
};

} // namespace quolin
