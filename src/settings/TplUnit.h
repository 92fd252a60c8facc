// The template dialog: starts an untitled document from a file of the template folder, or
// makes one the standard template. Modal, made on first use and kept.
#pragma once

#include "ui/Forms.h"
#include "ui/ListView.h"

#include <functional>
#include <string>

namespace quolin {

class TButton;
class TLabel;

// The list of templates; a double click (or Enter) on a row uses it.
class TTemplateList : public TListView {
public:
  std::function<void()> OnActivateItem;

protected:
  explicit TTemplateList(TComponent* owner);
  void ItemActivate(const NMITEMACTIVATE& activate) override;
};

class TTplForm : public TForm {
public:
  TLabel* Label1;
  TTemplateList* ListView1;
  TButton* Button1;
  TButton* Button2;
  TButton* Button3;

  // The folder's files of the extension setting, by their names without it.
  void FillList();
  // Opens the selected template and closes; a file gone meanwhile rebuilds the list.
  void UseSelected();
  // The selected template becomes the standard one, stored at once.
  void SetStandard();
  // The selected template's file; empty without a selection.
  std::string SelectedFile();

protected:
  explicit TTplForm(TComponent* owner);
  void DoShow() override;

private:
  std::string extension_;
  std::string folder_;

  void SelectionChanged();
};

// None until first shown.
extern TTplForm* TplForm;

void ShowTplForm();

} // namespace quolin
