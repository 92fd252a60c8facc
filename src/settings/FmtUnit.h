// The format dialog of the two outside TeX front ends: lists the formats one of them knows and
// writes the chosen one back as its default, in its own registry key or INI file. Modal, made
// on first use and kept; the list is read again at each showing.
#pragma once

#include "ui/Forms.h"

namespace quolin {

class TButton;
class TComboBox;
class TLabel;

class TFmtForm : public TForm {
public:
  TLabel* Label1;
  TComboBox* ComboBox1;
  TButton* Button1;
  TButton* Button2;

  // The caption, the front end's formats and its stored default (selected only when listed).
  void Prepare(bool registryMode);
  // The selected index as the front end's default; nothing when none is selected.
  void WriteChoice();

protected:
  explicit TFmtForm(TComponent* owner);

private:
  bool registryMode_ = false;
};

// None until first shown.
extern TFmtForm* FmtForm;

// Registry mode: the pLaTeX2e front end's key; otherwise the TeX front end's INI file.
void ShowFmtForm(bool registryMode);

} // namespace quolin
