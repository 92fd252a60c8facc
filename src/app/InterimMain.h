// The main window until the full one takes its place: it runs the start-up, answers the
// DDE hand-off of a second start, and lists what command lines ask for, one line each,
// where documents would open:
//   open "<file>" line=<n> template=<0|1>
//   command "<text>"
#pragma once

#include "ui/DdeConv.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/Timer.h"

#include <string>
#include <vector>

namespace quolin {

class TSpForm;
struct CommandLineActions;

class TInterimMainForm : public TForm {
public:
  // The DDE topic "Quolin" under the program's service.
  TDdeServerConv* Quolin;
  // Runs the process's own command line 256 ms after the window has become visible.
  TTimer* CmdLineTimer1;
  TEdit* Edit_Listing;

protected:
  explicit TInterimMainForm(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void Notification(TComponent* component, TOperation operation) override;
  void AfterShow() override;

private:
  TSpForm* splash_ = nullptr;
  bool shown_ = false;
  // Macros that came before the window was visible, run in order once it is.
  std::vector<std::string> pendingMacros_;

  void FormCreate(TObject* sender);
  void CmdLineTimer1Timer(TObject* sender);
  void QuolinExecuteMacro(TObject* sender, TStrings& lines);
  CommandLineActions Actions();
  void AppendLine(const std::string& line);
  void BringApplicationToFront();
};

} // namespace quolin
