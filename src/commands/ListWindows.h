// The list frame of a list tool window, and the state of the list windows.
//
// The frame shows, by its kind, a group's commands, the labels of an open document for a
// "$List" master (inserting references to them) or the font tool of a "$Font" master. Its
// options live under "Toolbar\Button\" and the command number; which list windows are shown
// is saved at shut-down and shown again after the next start with the same data file.
#pragma once

#include "core/ListSpec.h"
#include "toolbar/EnhCBox.h"
#include "toolbar/TbControls.h"
#include "ui/Buttons.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/Panels.h"
#include "ui/Timer.h"

#include <string>
#include <vector>

namespace quolin {

class TToolWindow;

// A list window is the main window's tool window "twd_" + the 8 hexadecimal digits of its
// command number, holding one frame of this name.
inline constexpr char ToolWindowPrefix[] = "twd_";
inline constexpr char ListFrameName[] = "Frm_CmdList";

class TFrm_List : public TPanel {
public:
  // Components, in the order of the frame.
  TPanel* Panel_Base;
  TPanel* ButtonPanel1;
  TButton* Button_Refresh1;
  TButton* Button_Insert1;
  TButton* Button_Close1;
  TPanel* Panel_Doc;
  TEnhComboBox* ComboBox_Doc;
  TPanel* Panel_Ref;
  TEnhComboBox* ComboBox_Ref;
  TPanel* Panel_Label;
  TEnhComboBox* ComboBox_Label;
  TListView* ListView_Cmd;
  TPanel* Panel_FontBase;
  TEnhComboBox* Combo_FontName;
  TEnhComboBox* Combo_FontSize;
  // Apply, series, shape.
  TToolbarButton* ToolbarButton1;
  TToolbarButton* ToolbarButton2;
  TToolbarButton* ToolbarButton3;
  TPopupMenu* PopupMenu1;
  TPopupMenu* Popup_Series;
  TPopupMenu* Popup_Shape;
  // One shot after a resize: fits the list's column.
  TTimer* Timer1;
  // PopupMenu1's items.
  TMenuItem* mn_Insert;
  TMenuItem* mn_ShowButton;
  TMenuItem* mn_ShowIcon;
  TMenuItem* mn_ShowList;
  TMenuItem* mn_Refresh;
  TMenuItem* mn_MasterEdit;
  TMenuItem* mn_Close;

  // Negative: a group.
  int CommandNumber() const { return commandNumber_; }
  TListKind Kind() const { return kind_; }
  void SetGroup(int commandNumber);
  // Lays out and fills the frame again after the user data changed; a master edited into
  // another kind frees its tool window instead (later, by a posted message).
  void RefreshContent();
  // The document combo lists the open named documents without leaveOut.
  void ListDocuments(const std::string& leaveOut);
  // The tool window the frame stands in.
  TToolWindow* ToolWindow() const;

  // Handlers.
  void InsertClick(TObject* sender);
  void RefreshClick(TObject* sender);
  void CloseClick(TObject* sender);
  void MasterEditClick(TObject* sender);
  void OptionClick(TObject* sender);
  void ComboBox_DocChange(TObject* sender);
  void ComboBox_LabelChange(TObject* sender);
  void FontChange(TObject* sender);
  void ApplyFontClick(TObject* sender);
  void FontEntryClick(TObject* sender);
  void FrameResize(TObject* sender);
  void Timer1Timer(TObject* sender);

protected:
  explicit TFrm_List(TComponent* owner);
  void WndProc(TMessage& message) override;

private:
  int commandNumber_ = 0;
  TListKind kind_ = lkGroup;
  std::vector<TListEntry> labels_;
  std::vector<TListEntry> references_;
  std::vector<std::string> seriesEntries_;
  std::vector<std::string> shapeEntries_;
  std::string fontTemplate_;
  // A "$List" master whose reference argument reads as true: no icon or list-style choice.
  bool fixedStyle_ = false;

  void CreateBasePanel();
  TEnhComboBox* AddComboPanel(TPanel*& panel, const char* panelName, const char* comboName,
                              int top);
  void CreateFontPanel();
  void CreatePopupMenus();
  void LayOut();
  void FillGroup();
  void FillLabelList();
  void FillLabelItems();
  void FillFontTool();
  void FillEntryPopup(TPopupMenu& menu, const std::vector<std::string>& entries);
  void ApplyOptions();
  void WriteOptions();
  void UpdateApplyButton();
  void ListStyleChanged();
  std::string OptionsKey() const;
};

// Which list windows are shown, the outline panel's and the status bar's command.
void SaveListWindowState();
// Shows the list windows that were shown when the state was saved with the same data file.
void LoadListWindowState();
// Gives every list window the open documents, leaving out the named one (a closing document).
void RefreshListWindows(const std::string& leaveOut);

} // namespace quolin
