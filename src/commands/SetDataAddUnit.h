// The record dialog of the master and group editor: one master or group edited on pages of
// name and category, command, menu caption and short-cut, image, hint, visibility and list
// caption. Groups have no command or list-caption page.
#pragma once

#include "core/CommandRecords.h"
#include "editor/EditorControl.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/HotKey.h"
#include "ui/Menus.h"
#include "ui/Panels.h"
#include "ui/TabControls.h"

namespace quolin {

class TToolbarButton;

enum class TDataAddMode { dmAdd, dmEdit, dmImport };

class TSetDataAddForm : public TForm {
public:
  TLabel* Label_Caption;
  TEdit* Edit_Caption;
  TComboBox* Combo_Type;
  TPageControl* PageControl1;
  TTabSheet* TabSheet_Command;
  TTabSheet* TabSheet_Menu;
  TTabSheet* TabSheet_Image;
  TTabSheet* TabSheet_Help;
  TTabSheet* TabSheet_Visible;
  TTabSheet* TabSheet_Group;
  TEditor* Memo_Command;
  TPopupMenu* PopupMenu_Command;
  TButton* Button_ReserveAdd;
  TButton* Button_ReserveRemove;
  TButton* Button_AutoInput;
  TCheckBox* Check_ShowList;
  TLabel* Label_Assist;
  TEdit* Edit_Assist;
  TEdit* Edit_MenuCaption;
  THotKey* Edit_ShortCut;
  TComboBox* Combo_ImageType;
  TToolbarButton* Button_ImagePrev;
  TToolbarButton* Button_ImageNext;
  TToolbarButton* Button_ImagePreview;
  TEdit* Edit_Image;
  TEdit* Edit_StatusHelp;
  TComboBox* Combo_Visible;
  TEdit* Edit_ListCaption;
  TLabel* Label_PageHint;
  TButton* Button_OK;
  TButton* Button_Cancel;

  // The reserved words the command editor colours and its buttons change; the caller's list
  // when given, else a copy of the main window's.
  void SetReserveWords(TStringList* words);
  // Fills the controls (cleared in add mode) for a master or a group.
  void Fill(const TQuolin_CmdList& record, TDataAddMode mode, bool isGroup);
  // The controls' values over record; Id and ImageText kept where no control has them.
  void Store(TQuolin_CmdList& record);
  int ImageNumber() const { return image_; }
  void SetImageNumber(int image);

protected:
  explicit TSetDataAddForm(TComponent* owner);

private:
  int image_ = NoImage;
  TStringList ownWords_;
  TStringList* words_ = &ownWords_;

  void CreateTop();
  void CreateCommandPage();
  void CreateMenuPage();
  void CreateImagePage();
  TTabSheet* CreateTextPage(const char* sheetName, const char* caption, TEdit*& edit,
                            const char* name, const char* label);
  void CreateVisiblePage();
  void NameChanged();
  void NameLeft();
  void ShowPageHint();
  void CommandKeyDown(WORD& key, TShiftState shift);
  void CommandKeyPress(char& key);
  void ChangeReserveWord(bool add);
  void AutoInput();
  void AssistChecked();
};

// Edits record in a modal dialog; true on OK, with record changed. reserveWords: the words
// the command editor works on (nullptr: a copy of the main window's).
bool ShowSetDataAddForm(TQuolin_CmdList& record, TDataAddMode mode, bool isGroup,
                        TStringList* reserveWords = nullptr);

} // namespace quolin
