// The find and replace dialog, and searching the active document: the entry the built-in
// search words use without the dialog.
#pragma once

#include "commands/CommandRouter.h"
#include "ui/Forms.h"

#include <string>
#include <string_view>

namespace quolin {

class TButton;
class TCheckBox;
class TComboBox;
class TEditor;
class TGroupBox;
class TImageList;
class TLabel;
class TPanel;
class TRadioButton;
class TSpeedButton;
class TTabControl;
class TTimer;
struct TFindOptions;

// Selects the next match of pattern from the view's selection: its start, or -1 with the
// selection left alone.
int FindInEditor(TEditor& view, std::string_view pattern, int flags);

// Searches the active document's active view and centres the caret row on a match; beeps and
// gives false for an empty pattern, without a document, or when nothing is found.
bool FindTextInActiveDoc(const std::string& pattern, bool forward, bool matchCase,
                         bool wholeWord);

// The modeless find and replace dialog over the active document's active view. Made once,
// then shown and closed (hidden); it saves its histories, options, tab and placement when
// freed.
class TFindForm : public TForm, public TEditCommandTarget {
public:
  TTabControl* TabControl1;
  TLabel *Label1, *Label2;
  TComboBox *FindComboBox, *ReplaceComboBox;
  TButton *Button1, *Button2, *Button3, *Button4;
  TCheckBox *CaseCheck, *WordCheck, *NoZenCheck, *IncCheck;
  TGroupBox* GroupBox1;
  TRadioButton *UpSearchRadio, *DownSearchRadio;
  TPanel* Panel1;
  TSpeedButton* FindCloseButton;
  TTimer* Timer1;

  // The command that opened the dialog: its items show checked while it is open.
  int CommandId = 0;

  void FindComboBoxChange();
  void TabControl1Change();
  // Find next.
  void Button1Click();
  // Replace, then find next.
  void Button2Click();
  // Replace all.
  void Button3Click();
  void Button4Click();
  void Timer1Timer();
  // Find next with the dialog's text and options; beeps when nothing is found.
  bool FindNextFromDialog();
  // Find next without a beep; on failure the selection saved at activation comes back.
  bool FindIncremental();
  // 0 undo, 1 cut, 2 copy, 3 paste, 4 select all on the focused combo box.
  void EditCommand(int command);
  // Every edit command goes to the dialog while it is the active form.
  bool RunEditCommand(TEditCommand command) override;

protected:
  explicit TFindForm(TComponent* owner);

private:
  TImageList* PinImages;
  int savedSelStart_ = 0;
  int savedSelLength_ = 0;

  void BuildControls();
  void BuildOptions();
  void BuildButtons();
  void FormCreate();
  void FormActivate();
  void FormShow();
  void FormClose();
  void FormDestroy();
  void FormKeyDown(WORD& key, TShiftState shift);
  TFindOptions Options() const;
  int SearchFlags() const;
  // Searches the active view; centres the caret row on a match.
  bool FindNext(bool beep);
};

// None until first used.
extern TFindForm* FindForm;

// The dialog, made (not shown) on first use.
TFindForm& EnsureFindForm();
// Shows the dialog for the command, or closes it when it is showing.
void ToggleFindForm(int commandId);
// Searches again with the dialog's text, downward or upward.
void FindAgainFromDialog(bool forward);

} // namespace quolin
