// The index entry dialog: builds MakeIndex entries from a word and its reading and inserts them
// into the active document through the command router; lists the entries of a chosen open
// document so that a new entry can reference one or become its sub-entry. Non-modal, owned by
// the main window, shown and closed by its command.
#pragma once

#include "commands/CommandRouter.h"
#include "core/IndexEntry.h"
#include "ui/Forms.h"

#include <string>

namespace quolin {

class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TListBox;
class TRadioButton;
class TSKJSyllabary;

class TIndexForm : public TForm, public TEditCommandTarget {
public:
  TLabel *Label_Name, *Label_Yomi, *Label_KanaAuto, *Label_TyouConv, *Label_Doc;
  TEdit *Edit_Name, *Edit_Yomi;
  TComboBox *Combo_KanaAuto, *Combo_TyouConv, *Combo_Doc;
  TGroupBox* GroupBox1;
  TRadioButton *Radio_New, *Radio_Ref, *Radio_Add;
  TListBox* ListBox1;
  TButton *Button1, *Button2, *Button3;
  TSKJSyllabary* SKJSyllabary1;

  // The command that opened the dialog: its master gives the entry syntax.
  int CommandId = 0;
  TIndexSyntax Syntax;

  // Refills the document choice and lists the chosen document's entries; the file of a closing
  // document (leaveOut) is passed over.
  void RefreshEntryList(const std::string& leaveOut = "");
  // 0 undo, 1 cut, 2 copy, 3 paste, 4 select all on the focused edit box.
  void EditCommand(int command);
  bool RunEditCommand(TEditCommand command) override;
  void Button1Click(TObject* sender);

protected:
  explicit TIndexForm(TComponent* owner);
  void BeforeDestruction() override;

private:
  void BuildControls();
  void LoadSettings();
  void SaveSettings();
  int KanaAuto();
  int InsertType() const;
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void ReadSyntax();
  void ApplyTabOrder();
  void NameEnter(TObject* sender);
  void CompositionStr(TObject* sender, const std::string& value);
  // fillsOther: the mode in which edit's text fills other.
  void EditKeyDown(WORD& key, TEdit& edit, TEdit& other, int fillsOther);
  // Enter and a Backspace that the key-down handling took never reach the edit as characters.
  void SwallowHandledChar(TEdit& edit, char& key);
  TEdit* FocusedEdit() const;
};

extern TIndexForm* IndexForm;

// Shows the dialog for the command (made at first use), or closes it when it is showing.
void ToggleIndexForm(int commandId);

} // namespace quolin
