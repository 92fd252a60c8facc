#include "commands/ListWindows.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "commands/CommandRouter.h"
#include "commands/RecordViews.h"
#include "commands/TopFormData.h"
#include "common/Registry.h"
#include "common/StringHelpers.h"
#include "core/CommandLookup.h"
#include "core/CommandRecords.h"
#include "core/IndexList.h"
#include "core/ResConst.h"
#include "core/StringList.h"
#include "core/TemplateMatch.h"
#include "toolbar/TbToolWindow.h"
#include "ui/Graphics.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <tuple>

namespace quolin {

namespace {

// Posted to the frame: its master became another kind, so its tool window goes. The change
// may come from the frame's own pop-up or from a walk over the main window's components.
constexpr UINT WM_FreeToolWindow = WM_APP + 0x120;

constexpr char OptionsSection[] = "Toolbar\\Button\\";
constexpr char ShowButtonName[] = "ShowButton";
constexpr char ShowIconName[] = "ShowIconEx";
constexpr char ShowListName[] = "ShowList";

constexpr char LastDataFileName[] = "LastDataFile";
constexpr char VisibleToolName[] = "VisibleTool";
constexpr char SecPanelIndexName[] = "SecPanelIndex";
constexpr char StatusBarIndexName[] = "StatusBarIndex";
constexpr char DefaultVisibleTool[] = "00000081";
constexpr char MasterEditWord[] = "$Sys_OptMaster";

constexpr int FontHelpContext = 1202;
constexpr unsigned FitDelayMs = 100;
constexpr int PanelHeight = 25;
constexpr int ButtonWidth = 48;
constexpr int GlyphButtonSize = 23;
constexpr int NameComboWidth = 96;
constexpr int SizeComboWidth = 72;
constexpr int ComboMargin = 2;

// The font panel's buttons and their pictures, drawn at build time.
struct TFontButton {
  TToolbarButton* TFrm_List::*Button;
  const char* Name;
  const char* Glyph;
};
constexpr TFontButton FontButtons[] = {
    {&TFrm_List::ToolbarButton1, "ToolbarButton1", "FONTAPPLY"},
    {&TFrm_List::ToolbarButton2, "ToolbarButton2", "FONTSERIES"},
    {&TFrm_List::ToolbarButton3, "ToolbarButton3", "FONTSHAPE"},
};

void SetItemImages(TListView& view, TImageList* images) {
  if (view.SmallImages == images)
    return;
  view.SmallImages = images;
  if (view.HandleAllocated())
    view.RecreateWnd();
}

// The entry of a series or shape pop-up's checked item; empty when none is checked.
std::string CheckedEntry(const TPopupMenu& menu, const std::vector<std::string>& entries) {
  for (int i = 0; i < menu.Items()->Count(); ++i)
    if (TMenuItem* item = menu.Items()->Items(i); item->Checked())
      return entries.at(static_cast<size_t>(item->Tag));
  return {};
}

bool IsSetEntry(const std::string& entry) {
  return !entry.empty() && entry != res::FontNoChange;
}

TToolWindow* ToolWindowOf(const TComponent* component) {
  auto* window = dynamic_cast<TToolWindow*>(component->Owner());
  return window && window->Name().starts_with(ToolWindowPrefix) ? window : nullptr;
}

template <typename Visit> void ForEachListFrame(Visit visit) {
  if (!TopForm)
    return;
  for (int i = 0; i < TopForm->ComponentCount(); ++i)
    if (auto* window = dynamic_cast<TToolWindow*>(TopForm->Components(i));
        window && window->Name().starts_with(ToolWindowPrefix))
      if (auto* frame = dynamic_cast<TFrm_List*>(window->FindComponent(ListFrameName)))
        visit(*window, *frame);
}

} // namespace

TFrm_List::TFrm_List(TComponent* owner) : TPanel(owner) {
  SetBevelOuter(TBevelCut::bvNone);
  CreateBasePanel();
  CreateFontPanel();
  CreatePopupMenus();
  Timer1 = Create<TTimer>(this, "Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(FitDelayMs);
  Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
  OnResize = [this](TObject* sender) { FrameResize(sender); };
}

void TFrm_List::CreateBasePanel() {
  Panel_Base = Create<TPanel>(this, "Panel_Base");
  Panel_Base->SetBevelOuter(TBevelCut::bvNone);
  Panel_Base->SetAlign(alClient);
  Panel_Base->SetParent(this);

  ButtonPanel1 = Create<TPanel>(this, "ButtonPanel1");
  ButtonPanel1->SetBevelOuter(TBevelCut::bvNone);
  ButtonPanel1->SetBounds(0, 0, 3 * ButtonWidth, PanelHeight);
  ButtonPanel1->SetAlign(alTop);
  ButtonPanel1->SetParent(Panel_Base);
  struct TButtonSpec {
    TButton* TFrm_List::*Button;
    const char* Name;
    const char* Caption;
    void (TFrm_List::*Click)(TObject* sender);
  };
  const TButtonSpec buttons[] = {
      {&TFrm_List::Button_Refresh1, "Button_Refresh1", res::ListRefresh, &TFrm_List::RefreshClick},
      {&TFrm_List::Button_Insert1, "Button_Insert1", res::ListInsert, &TFrm_List::InsertClick},
      {&TFrm_List::Button_Close1, "Button_Close1", res::ListClose, &TFrm_List::CloseClick},
  };
  int left = 0;
  for (const TButtonSpec& spec : buttons) {
    TButton* button = Create<TButton>(this, spec.Name);
    button->SetCaption(spec.Caption);
    button->SetBounds(left, 1, ButtonWidth, PanelHeight - 2);
    button->SetParent(ButtonPanel1);
    button->OnClick = [this, click = spec.Click](TObject* sender) { (this->*click)(sender); };
    this->*spec.Button = button;
    left += ButtonWidth;
  }

  ComboBox_Doc = AddComboPanel(Panel_Doc, "Panel_Doc", "ComboBox_Doc", PanelHeight);
  ComboBox_Doc->OnChange = [this](TObject* sender) { ComboBox_DocChange(sender); };
  ComboBox_Ref = AddComboPanel(Panel_Ref, "Panel_Ref", "ComboBox_Ref", 2 * PanelHeight);
  ComboBox_Label = AddComboPanel(Panel_Label, "Panel_Label", "ComboBox_Label", 3 * PanelHeight);
  ComboBox_Label->OnChange = [this](TObject* sender) { ComboBox_LabelChange(sender); };

  ListView_Cmd = Create<TListView>(this, "ListView_Cmd");
  ListView_Cmd->ShowColumnHeaders = false;
  ListView_Cmd->HideSelection = false;
  ListView_Cmd->SetReadOnly(true);
  ListView_Cmd->AddColumn("", 100);
  ListView_Cmd->SetViewStyle(TViewStyle::vsList);
  ListView_Cmd->SetAlign(alClient);
  ListView_Cmd->SetParent(Panel_Base);
  ListView_Cmd->OnDblClick = [this](TObject* sender) { InsertClick(sender); };
}

TEnhComboBox* TFrm_List::AddComboPanel(TPanel*& panel, const char* panelName,
                                       const char* comboName, int top) {
  panel = Create<TPanel>(this, panelName);
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetBounds(0, top, 3 * ButtonWidth, PanelHeight);
  panel->SetAlign(alTop);
  panel->SetParent(Panel_Base);
  auto* combo = Create<TEnhComboBox>(this, comboName);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  combo->SetBounds(ComboMargin, ComboMargin, panel->Width() - 2 * ComboMargin, PanelHeight);
  combo->SetParent(panel);
  return combo;
}

void TFrm_List::CreateFontPanel() {
  Panel_FontBase = Create<TPanel>(this, "Panel_FontBase");
  Panel_FontBase->SetBevelOuter(TBevelCut::bvNone);
  Panel_FontBase->SetParent(this);
  Combo_FontName = Create<TEnhComboBox>(this, "Combo_FontName");
  Combo_FontSize = Create<TEnhComboBox>(this, "Combo_FontSize");
  int left = ComboMargin;
  for (auto [combo, width] : {std::pair{Combo_FontName, NameComboWidth},
                              std::pair{Combo_FontSize, SizeComboWidth}}) {
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->SetBounds(left, ComboMargin, width, PanelHeight);
    combo->SetParent(Panel_FontBase);
    combo->OnChange = [this](TObject* sender) { FontChange(sender); };
    left += width + ComboMargin;
  }
  for (const TFontButton& spec : FontButtons) {
    TToolbarButton* button = Create<TToolbarButton>(this, spec.Name);
    TBitmap glyph;
    if (glyph.LoadFromResourceName(GetModuleHandleA(nullptr), spec.Glyph))
      button->SetGlyph(glyph);
    button->SetBounds(left, ComboMargin, GlyphButtonSize, GlyphButtonSize - 1);
    button->SetParent(Panel_FontBase);
    this->*spec.Button = button;
    left += GlyphButtonSize;
  }
  ToolbarButton1->OnClick = [this](TObject* sender) { ApplyFontClick(sender); };
  Panel_FontBase->SetBounds(0, 0, left + ComboMargin, PanelHeight + ComboMargin);
}

void TFrm_List::CreatePopupMenus() {
  PopupMenu1 = Create<TPopupMenu>(this, "PopupMenu1");
  Popup_Series = Create<TPopupMenu>(this, "Popup_Series");
  Popup_Shape = Create<TPopupMenu>(this, "Popup_Shape");
  ToolbarButton2->SetDropdownMenu(Popup_Series);
  ToolbarButton3->SetDropdownMenu(Popup_Shape);
  // Each stays down while its pop-up's checked entry changes something.
  for (TToolbarButton* button : {ToolbarButton2, ToolbarButton3}) {
    button->SetDropdownAlways(true);
    button->SetGroupIndex(button == ToolbarButton2 ? 1 : 2);
    button->SetAllowAllUp(true);
  }
  struct TItemSpec {
    TMenuItem* TFrm_List::*Item;
    const char* Name;
    const char* Caption;
    void (TFrm_List::*Click)(TObject* sender);
  };
  const TItemSpec items[] = {
      {&TFrm_List::mn_Insert, "mn_Insert", res::ListInsert, &TFrm_List::InsertClick},
      {&TFrm_List::mn_ShowButton, "mn_ShowButton", res::ListShowButtons, &TFrm_List::OptionClick},
      {&TFrm_List::mn_ShowIcon, "mn_ShowIcon", res::ListShowIcons, &TFrm_List::OptionClick},
      {&TFrm_List::mn_ShowList, "mn_ShowList", res::ListShowList, &TFrm_List::OptionClick},
      {&TFrm_List::mn_Refresh, "mn_Refresh", res::ListRefreshItem, &TFrm_List::RefreshClick},
      {&TFrm_List::mn_MasterEdit, "mn_MasterEdit", res::ListMasterEdit,
       &TFrm_List::MasterEditClick},
      {&TFrm_List::mn_Close, "mn_Close", res::ListCloseItem, &TFrm_List::CloseClick},
  };
  for (const TItemSpec& spec : items) {
    TMenuItem* item = Create<TMenuItem>(this, spec.Name);
    item->SetCaption(spec.Caption);
    item->OnClick = [this, click = spec.Click](TObject* sender) { (this->*click)(sender); };
    PopupMenu1->Items()->Add(item);
    this->*spec.Item = item;
  }
  for (TControl* control : {static_cast<TControl*>(this), static_cast<TControl*>(ListView_Cmd),
                            static_cast<TControl*>(Panel_Base)})
    control->SetPopupMenu(PopupMenu1);
}

TToolWindow* TFrm_List::ToolWindow() const {
  return ToolWindowOf(this);
}

void TFrm_List::WndProc(TMessage& message) {
  if (message.Msg == WM_FreeToolWindow) {
    message.Result = 0;
    if (TToolWindow* window = ToolWindow())
      window->Free();
    return;
  }
  TPanel::WndProc(message);
}

void TFrm_List::SetGroup(int commandNumber) {
  commandNumber_ = commandNumber;
  TQuolin_CmdList master;
  GetCommandRecord(false, commandNumber, master);
  kind_ = ListKindOf(commandNumber, master.Command);
  RefreshContent();
}

void TFrm_List::RefreshContent() {
  TQuolin_CmdList master;
  GetCommandRecord(false, commandNumber_, master);
  if (ListKindOf(commandNumber_, master.Command) != kind_) {
    UncheckCommandItems(commandNumber_);
    if (TToolWindow* window = ToolWindow()) {
      window->Hide();
      PostMessageA(Handle(), WM_FreeToolWindow, 0, 0);
    }
    return;
  }
  LayOut();
  switch (kind_) {
  case lkGroup:
    FillGroup();
    break;
  case lkLabels:
    FillLabelList();
    break;
  case lkFont:
    FillFontTool();
    break;
  }
  ApplyOptions();
}

void TFrm_List::LayOut() {
  const bool font = kind_ == lkFont;
  Panel_Base->SetVisible(!font);
  Panel_FontBase->SetVisible(font);
  HelpContext = font ? FontHelpContext : 0;
  mn_Insert->SetVisible(!font);
  TToolWindow* window = ToolWindow();
  if (!window)
    return;
  window->SetResizable(!font);
  if (font)
    window->SetClientSize(Panel_FontBase->Width(), Panel_FontBase->Height());
}

void TFrm_List::FillGroup() {
  fixedStyle_ = false;
  for (TPanel* panel : {Panel_Doc, Panel_Ref, Panel_Label})
    panel->Hide();
  Button_Insert1->SetCaption(res::ListInsert);
  mn_Insert->SetCaption(std::string(res::ListInsert) + res::ListItemAccel);
  ListView_Cmd->BeginUpdate();
  ListView_Cmd->ClearItems();
  TQuolin_CmdList group;
  if (commandNumber_ < 0 && GetCommandRecord(true, -commandNumber_, group)) {
    if (TToolWindow* window = ToolWindow()) {
      window->SetCaption(group.Name);
      window->SetHint(group.Name + "|");
      window->SetShowHint(false);
    }
    TIndexList members(group.Command);
    for (int i = 0; i < members.GetCount(); ++i) {
      TQuolin_CmdList master;
      int member = members.GetItem(i);
      if (member != 0 && GetCommandRecord(false, member, master))
        AddRecordItem(*ListView_Cmd, master, TRecordCaption::rcListCaption);
    }
  }
  ListView_Cmd->EndUpdate();
}

void TFrm_List::FillLabelList() {
  TQuolin_CmdList master;
  GetCommandRecord(false, commandNumber_, master);
  if (TToolWindow* window = ToolWindow())
    window->SetCaption(master.Name);
  TLabelListArgs args = ReadLabelListArgs(master.Command);
  fixedStyle_ = args.FixedStyle;
  Button_Insert1->SetCaption(args.InsertCaption);
  mn_Insert->SetCaption(args.InsertCaption + res::ListItemAccel);
  labels_ = LabelEntries(args.Labels);
  references_ = ReferenceEntries(args.References);
  for (auto [combo, panel, entries] :
       {std::tuple{ComboBox_Label, Panel_Label, &labels_},
        std::tuple{ComboBox_Ref, Panel_Ref, &references_}}) {
    const int chosen = combo->ItemIndex();
    combo->Items().Clear();
    for (const TListEntry& entry : *entries)
      combo->Items().Add(entry.Caption);
    combo->SetItemIndex(chosen >= 0 && chosen < combo->Items().Count() ? chosen : 0);
    panel->SetVisible(entries->size() > 1);
  }
  Panel_Doc->Show();
  ListDocuments("");
}

void TFrm_List::ListDocuments(const std::string& leaveOut) {
  if (kind_ != lkLabels)
    return;
  FillOpenDocCombo(*ComboBox_Doc, leaveOut);
  FillLabelItems();
}

void TFrm_List::FillLabelItems() {
  ComboBox_Doc->SetHint(DocumentComboHint(ComboBox_Doc->Text()));
  ListView_Cmd->BeginUpdate();
  ListView_Cmd->ClearItems();
  const int label = ComboBox_Label->ItemIndex();
  TDocForm* doc = FindDocByFileName(ComboBox_Doc->Text());
  if (doc && label >= 0 && label < static_cast<int>(labels_.size())) {
    TStringList found;
    CollectTemplateMatches(labels_[static_cast<size_t>(label)].Template,
                           TopForm->Settings.Edit2Option.CommentHeader, doc->Editor1->Lines(),
                           found);
    for (int i = 0; i < found.Count(); ++i)
      if (!found[i].empty())
        ListView_Cmd->AddItem()->Caption = found[i];
  }
  ListView_Cmd->EndUpdate();
}

void TFrm_List::FillFontTool() {
  TQuolin_CmdList master;
  GetCommandRecord(false, commandNumber_, master);
  if (TToolWindow* window = ToolWindow())
    window->SetCaption(master.Name);
  fixedStyle_ = false;
  TFontToolArgs args = ReadFontToolArgs(master.Command);
  for (auto [combo, entries] : {std::pair{Combo_FontName, &args.Names},
                                std::pair{Combo_FontSize, &args.Sizes}}) {
    combo->Items().Clear();
    for (const std::string& entry : FontEntries(*entries))
      combo->Items().Add(entry);
    combo->SetItemIndex(combo->Items().Count() > 0 ? 0 : -1);
  }
  seriesEntries_ = FontEntries(args.Series);
  shapeEntries_ = FontEntries(args.Shapes);
  FillEntryPopup(*Popup_Series, seriesEntries_);
  FillEntryPopup(*Popup_Shape, shapeEntries_);
  fontTemplate_ = args.Template;
  UpdateApplyButton();
}

void TFrm_List::FillEntryPopup(TPopupMenu& menu, const std::vector<std::string>& list) {
  menu.Items()->Clear();
  for (size_t i = 0; i < list.size(); ++i) {
    auto* item = Create<TMenuItem>(&menu);
    item->SetCaption(NumberedEntryCaption(list[i], static_cast<int>(i) + 1));
    item->Tag = static_cast<int>(i);
    item->SetRadioItem(true);
    item->OnClick = [this](TObject* sender) { FontEntryClick(sender); };
    menu.Items()->Add(item);
  }
}

void TFrm_List::ApplyOptions() {
  const std::string key = OptionsKey();
  const bool showButton = RegReadBool(key, ShowButtonName, true);
  const bool showIcon = RegReadBool(key, ShowIconName, true);
  const bool showList = RegReadBool(key, ShowListName, true);
  ButtonPanel1->SetVisible(showButton);
  mn_ShowButton->SetChecked(showButton);
  mn_ShowIcon->SetChecked(showIcon);
  mn_ShowList->SetChecked(showList);
  mn_ShowIcon->SetEnabled(!fixedStyle_);
  mn_ShowList->SetEnabled(!fixedStyle_);
  if (kind_ == lkLabels) {
    SetItemImages(*ListView_Cmd, nullptr);
    ListView_Cmd->SetViewStyle(TViewStyle::vsReport);
    return;
  }
  SetItemImages(*ListView_Cmd, showIcon && TopForm ? TopForm->ImageList1 : nullptr);
  ListView_Cmd->SetViewStyle(showList ? TViewStyle::vsList : TViewStyle::vsReport);
}

void TFrm_List::WriteOptions() {
  const std::string key = OptionsKey();
  RegWriteBool(key, ShowButtonName, mn_ShowButton->Checked());
  RegWriteBool(key, ShowIconName, mn_ShowIcon->Checked());
  RegWriteBool(key, ShowListName, mn_ShowList->Checked());
}

std::string TFrm_List::OptionsKey() const {
  return OptionsSection + HexField(commandNumber_);
}

void TFrm_List::OptionClick(TObject* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item)
    return;
  item->SetChecked(!item->Checked());
  WriteOptions();
  ApplyOptions();
  if (item == mn_ShowList)
    FrameResize(this);
}

void TFrm_List::InsertClick(TObject* sender) {
  const int index = ListView_Cmd->ItemIndex();
  if (index < 0 || index >= ListView_Cmd->ItemCount())
    return;
  const TListItem& item = *ListView_Cmd->Items(index);
  if (kind_ == lkGroup) {
    TQuolin_CmdList master;
    const int number = RecordIdOfItem(item);
    if (number != 0 && GetCommandRecord(false, number, master))
      ExecuteCommand(sender, master.Command, number);
    return;
  }
  const int reference = ComboBox_Ref->ItemIndex();
  if (kind_ != lkLabels || reference < 0 || reference >= static_cast<int>(references_.size()))
    return;
  const std::string documentName = ComboBox_Doc->Text();
  TDocForm* doc = FindDocByFileName(documentName);
  const std::string owner = doc ? doc->TargetFileName() : documentName;
  ExecuteCommand(sender,
                 ReferenceInsertText(references_[static_cast<size_t>(reference)].Template,
                                     item.Caption, owner),
                 0);
}

void TFrm_List::RefreshClick(TObject*) {
  if (kind_ == lkLabels)
    FillLabelItems();
  else
    RefreshContent();
}

void TFrm_List::CloseClick(TObject*) {
  UncheckCommandItems(commandNumber_);
  if (TToolWindow* window = ToolWindow())
    window->Hide();
}

void TFrm_List::MasterEditClick(TObject*) {
  ShowNotAvailable(MasterEditWord);
}

void TFrm_List::ComboBox_DocChange(TObject*) {
  FillLabelItems();
}

void TFrm_List::ComboBox_LabelChange(TObject*) {
  FillLabelItems();
}

void TFrm_List::FontChange(TObject*) {
  UpdateApplyButton();
}

void TFrm_List::UpdateApplyButton() {
  ToolbarButton1->SetEnabled(
      FontApplyEnabled(Combo_FontName->ItemIndex(), Combo_FontSize->ItemIndex(),
                       IsSetEntry(CheckedEntry(*Popup_Series, seriesEntries_)),
                       IsSetEntry(CheckedEntry(*Popup_Shape, shapeEntries_))));
}

void TFrm_List::ApplyFontClick(TObject* sender) {
  ExecuteCommand(sender,
                 FillFontTemplate(fontTemplate_, Combo_FontName->Text(), Combo_FontSize->Text(),
                                  CheckedEntry(*Popup_Series, seriesEntries_),
                                  CheckedEntry(*Popup_Shape, shapeEntries_)),
                 0);
}

void TFrm_List::FontEntryClick(TObject* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item)
    return;
  const bool series = Popup_Series->Items()->IndexOf(item) >= 0;
  TPopupMenu& menu = series ? *Popup_Series : *Popup_Shape;
  for (int i = 0; i < menu.Items()->Count(); ++i)
    menu.Items()->Items(i)->SetChecked(menu.Items()->Items(i) == item);
  const std::vector<std::string>& entries = series ? seriesEntries_ : shapeEntries_;
  (series ? ToolbarButton2 : ToolbarButton3)
      ->SetDown(IsSetEntry(entries.at(static_cast<size_t>(item->Tag))));
  UpdateApplyButton();
}

void TFrm_List::FrameResize(TObject*) {
  for (TEnhComboBox* combo : {ComboBox_Doc, ComboBox_Ref, ComboBox_Label}) {
    const int width = std::max(combo->Parent()->Width() - 2 * ComboMargin, 0);
    combo->SetWidth(width);
    combo->SetDropDownWidth(width);
  }
  Timer1->SetEnabled(false);
  Timer1->SetEnabled(true);
}

void TFrm_List::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  if (ListView_Cmd->ViewStyle() == TViewStyle::vsReport)
    ListView_Cmd->SetColumnWidth(0, ListView_Cmd->ClientWidth() - GetSystemMetrics(SM_CXVSCROLL));
}

void SaveListWindowState() {
  if (!TopForm)
    return;
  RegWriteString(res::RegSectionForms, LastDataFileName, DataFileName);
  std::vector<int> shown;
  ForEachListFrame([&](TToolWindow& window, TFrm_List& frame) {
    if (window.Visible())
      shown.push_back(frame.CommandNumber());
  });
  RegWriteString(res::RegSectionForms, VisibleToolName, BuildVisibleTool(shown));
  RegWriteInteger(res::RegSectionForms, SecPanelIndexName,
                  TopForm->Panel_Section->Visible() ? TopForm->OutlineCommandId : 0);
  RegWriteInteger(res::RegSectionForms, StatusBarIndexName,
                  TopForm->StatusBar1->Visible() ? TopForm->StatusBarCommandId : 0);
}

namespace {

// A number the state may show: a group that exists, or a master with a list of its own.
bool IsListWindowNumber(int number) {
  TQuolin_CmdList record;
  if (number < 0)
    return GetCommandRecord(true, -number, record);
  return number > 0 && GetCommandRecord(false, number, record) &&
         ListKindOf(number, record.Command) != lkGroup;
}

bool IsListWindowShown(int number) {
  auto* window =
      dynamic_cast<TToolWindow*>(TopForm->FindComponent(ToolWindowPrefix + HexField(number)));
  return window && window->Visible();
}

// Shows or hides by a stored command number; a missing value leaves it as it is.
template <typename Show>
void RestoreShownByNumber(const char* name, int currentNumber, Show show) {
  constexpr int Missing = INT32_MIN;
  const int number = RegReadInteger(res::RegSectionForms, name, Missing);
  if (number == Missing)
    return;
  if (number >= 1)
    show(true, number);
  else
    show(false, currentNumber);
}

} // namespace

void LoadListWindowState() {
  if (!TopForm)
    return;
  const std::string last = RegReadString(res::RegSectionForms, LastDataFileName, "");
  if (last.empty() || !IsSameText(last, DataFileName))
    return;
  const std::string visible =
      RegReadString(res::RegSectionForms, VisibleToolName, DefaultVisibleTool);
  for (int number : ParseVisibleTool(visible))
    if (IsListWindowNumber(number) && !IsListWindowShown(number))
      TopForm->ToggleGroupToolWindow(number);
  RestoreShownByNumber(SecPanelIndexName, TopForm->OutlineCommandId,
                       [](bool shown, int number) { TopForm->ShowOutlinePanel(shown, number); });
  RestoreShownByNumber(StatusBarIndexName, TopForm->StatusBarCommandId,
                       [](bool shown, int number) { TopForm->ShowStatusBar(shown, number); });
}

void RefreshListWindows(const std::string& leaveOut) {
  ForEachListFrame([&](TToolWindow&, TFrm_List& frame) { frame.ListDocuments(leaveOut); });
}

} // namespace quolin
