// The module setup wizard: sets up the five tool modules from an entry of the module
// definition file (an INI file beside the program, named like it with ".twz"), and stores the
// current modules as an entry, replaces one with them or deletes one. The steps work on a
// definition file and a copy of the modules; their boxes and dialogs answer through the
// layer's test hooks.
#pragma once

#include "core/Module.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/Panels.h"

#include <functional>
#include <string>
#include <vector>

namespace quolin {

class TIniFile;
class TTexCtrl;

// The running program's path with ".twz", unless a path was set; an empty one restores that.
std::string ModuleDefinitionFile();
void SetModuleDefinitionFile(const std::string& path);

// The first candidate under folder that is an existing file, by its long name. When none is
// and quiet is off, offers to choose the program with the open dialog in folder. True with
// program when one was found or chosen.
bool FindToolFile(const std::string& folder, const std::vector<std::string>& candidates, bool quiet,
                  std::string& program);
// Sets up modules from the entry, asking for the installation folder when the entry names one,
// and tells the user how it went. True when at least one program was found; otherwise modules
// are left as they were.
bool RunModuleSetup(const std::string& definitionFile, const std::string& entry, TModules& modules);
// Writes the modules as the entry, replacing it. Raises EIniFileException when the file
// refuses.
void WriteModuleEntry(const std::string& definitionFile, const std::string& entry,
                      const TModules& modules);
void EraseModuleEntry(const std::string& definitionFile, const std::string& entry);

class TWizForm : public TForm {
public:
  TLabel* Label1;
  TListBox* ListBox1;
  TButton* Button1;
  TButton* Button2;
  TButton* Button3;
  TGroupBox* GroupBox1;
  TButton* Button4;
  TButton* Button5;
  TButton* Button6;

  std::string DefinitionFile;

  void FormShow(TObject* sender);
  // Sets up the tool component from the selected entry, stores the modules and closes.
  void Button1Click(TObject* sender);
  // Shows or hides the edit group, widening or narrowing the form.
  void Button3Click(TObject* sender);
  // Add, replace and delete an entry.
  void Button4Click(TObject* sender);
  void Button5Click(TObject* sender);
  void Button6Click(TObject* sender);

protected:
  TWizForm(TComponent* owner, TTexCtrl& texCtrl);

private:
  TTexCtrl& texCtrl_;

  void ListEntries();
  // The selected entry's name; empty when none is selected.
  std::string SelectedEntry();
  // Runs the change of the file and lists the entries again; a refused write is reported and
  // leaves the list as it is.
  void Rewrite(const std::function<void()>& change);
};

// Makes the wizard for the main window's tool component, shows it modally and frees it.
void ShowWizForm();

} // namespace quolin
