// The spell-check window: walks the active document from the caret, selects each word the
// engine does not know and offers suggestions; the user corrects the word from the list or by
// typing, adds words to the user dictionary, rebuilds the dictionaries or opens the spell
// settings. Modeless, owned by the main window's window so that it stays above it; made once
// and hidden when closed.
#pragma once

#include "core/SpellCheck.h"
#include "core/SpellWalk.h"
#include "ui/Forms.h"

#include <memory>
#include <string>

namespace quolin {

class TButton;
class TEdit;
class TEditor;
class TGroupBox;
class TLabel;
class TListBox;
struct TSettingsBlock;

class TSpellForm : public TForm {
public:
  TLabel* Label1;
  TEdit* Edit_NotFoundText1;
  TLabel* Label2;
  TListBox* ListBox1;
  TButton* Button1;
  TButton* Button2;
  TButton* Button3;
  TButton* Button7;
  TButton* Button5;
  TGroupBox* GroupBox1;
  TButton* Button4;
  TButton* Button6;
  TButton* Button8;

  // Set by a key press in the edit box while it still showed exactly the selected text: the
  // change that follows is the user's typing and goes into the document.
  bool Typing = false;
  std::unique_ptr<TQuolinSpellCheck> SpellCheck;

  void FormCreate(TObject* sender);
  void FormDestroy(TObject* sender);
  // Check on to the next unknown word.
  void Button1Click(TObject* sender);
  // Add the edit box's words and check on.
  void Button2Click(TObject* sender);
  // Replace the word by the chosen suggestion and check on.
  void Button3Click(TObject* sender);
  // Rebuild the dictionaries.
  void Button4Click(TObject* sender);
  // Show or hide the group box.
  void Button5Click(TObject* sender);
  // Add every word of the document.
  void Button6Click(TObject* sender);
  void Button7Click(TObject* sender);
  // The spell settings.
  void Button8Click(TObject* sender);
  void ListBox1DblClick(TObject* sender);
  void ListBox1Enter(TObject* sender);
  void Edit_NotFoundText1KeyPress(TObject* sender, char& key);
  void Edit_NotFoundText1Change(TObject* sender);

protected:
  explicit TSpellForm(TComponent* owner);
  ~TSpellForm() override;

private:
  std::string button5Caption_;

  void BuildControls();
  // The dictionary names from the registry and the switches from the settings block; the
  // dictionaries are rebuilt when a name changed.
  void SettingsToEngine();
  void RebuildDictionaries();
  // The status shown and pending messages handled before a long loop; the active view after
  // that, or none (then beeped).
  TEditor* BeginLongWork(const char* status);
  void ShowUnknownWord(TEditor& view, const TUnknownWord& found);
  void ShowFinished();
  static void WarnSaveFailed();
};

// Made by ShowSpellForm; freed with the application.
extern TSpellForm* SpellForm;

// The engine's settings from the settings block; commenter is the default editor options'
// comment opener, passed on when comment lines are skipped.
TSpellEngineSettings EngineSettingsFrom(const TSettingsBlock& settings,
                                        const std::string& commenter);

// Makes the window on first use, then checks on from the active view's caret.
void ShowSpellForm();

} // namespace quolin
