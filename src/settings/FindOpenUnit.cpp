#include "settings/FindOpenUnit.h"

#include "app/DocOps.h"
#include "app/TopUnit.h"
#include "common/Registry.h"
#include "common/SrgFile.h"
#include "core/DocumentText.h"
#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Paths.h"
#include "core/Platform.h"
#include "core/ResConst.h"
#include "core/Sjis.h"
#include "editor/EditorControl.h"
#include "editor/EditorProps.h"
#include "editor/WhitespaceMarks.h"
#include "shell/ShellDataItem.h"
#include "shell/ShellListView.h"
#include "shell/ShellTreeView.h"
#include "toolbar/TbControls.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Clipboard.h"
#include "ui/ExtCtrls.h"
#include "ui/FormPlacement.h"
#include "ui/Graphics.h"
#include "ui/HourGlass.h"
#include "ui/Menus.h"
#include "ui/Panels.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

namespace quolin {

TFindOpenForm* FindOpenForm = nullptr;

namespace {

constexpr int FindOpenHelpContext = 1212;
constexpr int DesignedTreeWidth = 200;
constexpr int DesignedListHeight = 180;
constexpr int StoredColumns = 5;
constexpr char BackGlyphResource[] = "FINDOPENBACK";
constexpr char ForwardGlyphResource[] = "FINDOPENFORWARD";
// The name and the type column as designed; the others keep the list's own widths.
constexpr std::array<std::pair<int, int>, 2> DesignedColumnWidths{{{0, 160}, {2, 80}}};

template <class T> T* Make(TComponent* owner, const char* name, TControl* parent, TAlign align) {
  T* control = TComponent::Create<T>(owner, name);
  control->SetAlign(align);
  control->SetParent(parent);
  return control;
}

// A borderless panel; size is its width or height by its alignment.
TPanel* MakePanel(TComponent* owner, const char* name, TControl* parent, TAlign align,
                  int size = 0) {
  auto* panel = Make<TPanel>(owner, name, parent, align);
  panel->SetBevelOuter(TBevelCut::bvNone);
  if (align == alLeft)
    panel->SetWidth(size);
  else if (align == alTop || align == alBottom)
    panel->SetHeight(size);
  return panel;
}

TMenuItem* AddMenuItem(TComponent* owner, TPopupMenu& menu, const char* name,
                       const std::string& caption, TNotifyEvent onClick) {
  auto* item = TComponent::Create<TMenuItem>(owner, name);
  item->SetCaption(caption);
  item->OnClick = std::move(onClick);
  menu.Items()->Add(item);
  return item;
}

} // namespace

TFindOpenForm::TFindOpenForm(TComponent* owner) : TForm(owner) {
  SetCaption(res::FindOpenCaption);
  HelpContext = FindOpenHelpContext;
  KeyPreview = true;
  SetBounds(Left(), Top(), 640, 480);
  BuildPanels();
  BuildShellControls();
  BuildCaption();
  BuildEditor();
  BuildButtons();
  SwallowHistoryKeyUps();
  LoadSettings();
  OnCreate = [this](TObject*) { FormCreate(); };
  OnShow = [this](TObject*) { FormShow(); };
  OnClose = [this](TObject*, TCloseAction& action) { FormClose(action); };
  OnDestroy = [this](TObject*) { FormDestroy(); };
  OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
}

TFindOpenForm::~TFindOpenForm() {
  if (FindOpenForm == this)
    FindOpenForm = nullptr;
}

void TFindOpenForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.ExStyle |= WS_EX_APPWINDOW;
}

void TFindOpenForm::BuildPanels() {
  StatusBar1 = Make<TStatusBar>(this, "StatusBar1", this, alBottom);
  StatusBar1->SetSimplePanel(true);
  Panel_Folder = MakePanel(this, "Panel_Folder", this, alLeft, DesignedTreeWidth);
  Splitter1 = Make<TSplitter>(this, "Splitter1", this, alLeft);
  Splitter1->SetLeft(DesignedTreeWidth);
  Panel_ListDoc = MakePanel(this, "Panel_ListDoc", this, alClient);
  Panel_List = MakePanel(this, "Panel_List", Panel_ListDoc, alTop, DesignedListHeight);
  Splitter2 = Make<TSplitter>(this, "Splitter2", Panel_ListDoc, alTop);
  Splitter2->SetBounds(0, DesignedListHeight, Panel_ListDoc->Width(), 3);
  Panel_Doc = MakePanel(this, "Panel_Doc", Panel_ListDoc, alClient);
}

void TFindOpenForm::BuildShellControls() {
  auto* header = MakePanel(this, "Panel_FolderCaption", Panel_Folder, alTop, 20);
  header->Alignment = TAlignment::taLeftJustify;
  header->SetText(" フォルダ");
  ShellListView1 = Make<TShellListView>(this, "ShellListView1", Panel_List, alClient);
  ShellListView1->SetViewStyle(TViewStyle::vsReport);
  ShellListView1->RowSelect = true;
  ShellListView1->SetReadOnly(true);
  ShellListView1->SetShVirtuaItems({});
  ShellTreeView1 = Make<TShellTreeView>(this, "ShellTreeView1", Panel_Folder, alClient);
  ShellTreeView1->SetChangeDelay(256);
  ShellTreeView1->ReadOnly = true;
  ShellTreeView1->SetShVirtuaItems({});
  ShellTreeView1->SetShellListView(ShellListView1);

  ShellListView1->OnShFilter = [this](TObject*, TShellFileItem* item, bool& accept) {
    accept = ShowsInFindOpenList(item->GetPath(), item->HasAttribute(saFolder),
                                 CheckBox1->Checked(), textFiles_);
  };
  ShellListView1->OnShExecute = [](TObject*, TShellFileItem*, TShiftState, int, int, int,
                                   bool& defaultAction) { defaultAction = false; };
  ShellListView1->OnShBeginDrag = [](TObject*, TShellIDList&, const POINT&, int, int,
                                     bool& canDrag) { canDrag = false; };
  ShellTreeView1->OnShBeginDrag = [](TObject*, TTreeNode*, const POINT&, int, int,
                                     bool& canDrag) { canDrag = false; };
  ShellListView1->OnSelectItem = [this](TObject*, int index, bool selected) {
    ListSelected(index, selected);
  };
  ShellListView1->OnDblClick = [this](TObject*) { OpenSelected(); };
}

// The key-ups of Alt+Left and Alt+Right that moved through the history go no further.
void TFindOpenForm::SwallowHistoryKeyUps() {
  auto swallow = [](TObject*, WORD& key, TShiftState shift) {
    if ((shift & ssAlt) && (key == VK_LEFT || key == VK_RIGHT))
      key = 0;
  };
  for (TControl* control : std::initializer_list<TControl*>{this, ShellTreeView1, ShellListView1,
                                                            Editor1})
    control->OnKeyUp = swallow;
}

void TFindOpenForm::BuildCaption() {
  Panel_Caption = MakePanel(this, "Panel_Caption", Panel_Doc, alTop, 40);
  Label_Folder = Make<TLabel>(this, "Label_Folder", Panel_Caption, alNone);
  Label_Folder->SetBounds(4, 4, 340, 14);
  Label_File = Make<TLabel>(this, "Label_File", Panel_Caption, alNone);
  Label_File->SetBounds(4, 22, 340, 14);
  Popup_Prev1 = Create<TPopupMenu>(this, "Popup_Prev1");
  Popup_Next1 = Create<TPopupMenu>(this, "Popup_Next1");
  Popup_Prev1->OnPopup = [this](TObject*) { FillHistoryMenu(*Popup_Prev1, true); };
  Popup_Next1->OnPopup = [this](TObject*) { FillHistoryMenu(*Popup_Next1, false); };
  ToolbarButton1 = Make<TToolbarButton>(this, "ToolbarButton1", Panel_Caption, alNone);
  ToolbarButton2 = Make<TToolbarButton>(this, "ToolbarButton2", Panel_Caption, alNone);
  int left = 350;
  for (auto [button, menu, glyphName] :
       {std::tuple{ToolbarButton1, Popup_Prev1, BackGlyphResource},
        std::tuple{ToolbarButton2, Popup_Next1, ForwardGlyphResource}}) {
    TBitmap glyph;
    glyph.LoadFromResourceName(GetModuleHandleA(nullptr), glyphName);
    button->SetGlyph(glyph);
    button->SetBounds(left, 8, 24, 24);
    button->SetDropdownMenu(menu);
    button->SetDropdownCombo(true);
    button->SetEnabled(false);
    left += button->Width() + 4;
  }
  ToolbarButton1->OnClick = [this](TObject*) { GoBack(0); };
  ToolbarButton2->OnClick = [this](TObject*) { GoForward(0); };
}

void TFindOpenForm::BuildEditor() {
  Panel_Button = MakePanel(this, "Panel_Button", Panel_Doc, alBottom, 34);
  Editor1 = Make<TEditor>(this, "Editor1", Panel_Doc, alClient);
  Editor1->SetScrollBars(TScrollStyle::ssBoth);
  Editor1->SetReadOnly(true);
  PopupMenu1 = Create<TPopupMenu>(this, "PopupMenu1");
  mn_Copy = AddMenuItem(this, *PopupMenu1, "mn_Copy", "コピー(&C)",
                        [this](TObject*) { Editor1->CopyToClipboard(); });
  mn_CopyFileName = AddMenuItem(this, *PopupMenu1, "mn_CopyFileName", "ファイル名をコピー(&F)",
                                [this](TObject*) { SetClipboardText(currentFile_); });
  mn_SelectAll = AddMenuItem(this, *PopupMenu1, "mn_SelectAll", "全て選択(&A)",
                             [this](TObject*) { Editor1->SelectAll(); });
  PopupMenu1->OnPopup = [this](TObject*) { PopupMenu1Popup(); };
  Editor1->SetPopupMenu(PopupMenu1);
  Editor1->OnDblClick = [this](TObject*) { Editor1->SelectTokenFromCaret(); };
  Editor1->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
    const bool control = (shift & ssCtrl) && !(shift & (ssAlt | ssShift));
    if (control && key == 'A')
      Editor1->SelectAll();
    else if (control && key == 'C')
      Editor1->CopyToClipboard();
    else if (key == VK_ESCAPE && shift == 0)
      Close();
    else
      return;
    key = 0;
  };
  Editor1->OnDrawLine = [this](TObject*, const std::string& row, int x, int y, int,
                               const RECT& rect, bool selected) {
    if (!TopForm)
      return;
    const auto& marks = TopForm->Settings.MarkOptions;
    if (HDC dc = Editor1->Canvas())
      DrawWhitespaceMarks(dc, *Editor1, row, x, y, rect, selected,
                          {marks.SpaceMark, marks.DBSpaceMark, marks.TabMark});
  };
}

void TFindOpenForm::BuildButtons() {
  CheckBox1 = Make<TCheckBox>(this, "CheckBox1", Panel_Button, alNone);
  CheckBox1->SetBounds(8, 8, 200, 18);
  CheckBox1->SetText("全てのファイルを表示(&A)");
  CheckBox1->OnClick = [this](TObject*) { ShellListView1->UpdateItemCount(); };
  Button1 = Make<TButton>(this, "Button1", Panel_Button, alNone);
  Button1->SetBounds(240, 4, 75, 25);
  Button1->SetText("開く(&O)");
  Button1->SetDefault(true);
  Button1->SetEnabled(false);
  Button1->OnClick = [this](TObject*) { OpenSelected(); };
  Button2 = Make<TButton>(this, "Button2", Panel_Button, alNone);
  Button2->SetBounds(322, 4, 75, 25);
  Button2->SetText("閉じる");
  Button2->SetCancel(true);
  Button2->OnClick = [this](TObject*) { Close(); };
}

void TFindOpenForm::LoadSettings() {
  using namespace res;
  LoadFormPlacement(RegSectionForms, FindOpenPlacementName, *this);
  textFiles_ = RegReadString(RegSectionForms, FindOpenTextFileName, FindOpenTextFileDefault);
  Panel_Folder->SetWidth(RegReadInteger(RegSectionForms, FindOpenTreeWidthName,
                                        DesignedTreeWidth));
  Panel_List->SetHeight(RegReadInteger(RegSectionForms, FindOpenListHeightName,
                                       DesignedListHeight));
  if (ShellListView1->ColumnCount() >= StoredColumns) {
    for (auto [column, width] : DesignedColumnWidths)
      ShellListView1->SetColumnWidth(column, width);
    uint8_t stored[StoredColumns * 4];
    if (RegReadBinary(RegSectionForms, FindOpenHeaderWidthName, stored, sizeof stored))
      for (int column = 0; column < StoredColumns; ++column) {
        int32_t width;
        std::memcpy(&width, stored + column * 4, 4);
        if (width > 0)
          ShellListView1->SetColumnWidth(column, width);
      }
  }
  CheckBox1->SetChecked(RegReadBool(RegSectionForms, FindOpenTextOnlyName, false));
  Label_Folder->SetText(Format(FindOpenFolderLabel, ""));
  Label_File->SetText(Format(FindOpenFileLabel, ""));
}

// The tree has its nodes once the windows are made.
void TFindOpenForm::FormCreate() {
  if (TTreeNode* first = ShellTreeView1->Items().GetFirstNode())
    first->Expand(false);
  std::string lastFolder = RegReadString(res::RegSectionForms, res::FindOpenLastDirName, "");
  if (lastFolder.empty())
    return;
  ShellTreeView1->Items().BeginUpdate();
  ShellTreeView1->SelectPath(lastFolder);
  ShellTreeView1->Items().EndUpdate();
}

void TFindOpenForm::FormDestroy() {
  using namespace res;
  SaveFormPlacement(RegSectionForms, FindOpenPlacementName, *this);
  RegWriteInteger(RegSectionForms, FindOpenTreeWidthName, Panel_Folder->Width());
  RegWriteInteger(RegSectionForms, FindOpenListHeightName, Panel_List->Height());
  // A virtual folder shows the name column only: its width is not the stored five.
  if (ShellListView1->HandleAllocated() && ShellListView1->ColumnCount() == StoredColumns) {
    uint8_t widths[StoredColumns * 4];
    for (int column = 0; column < StoredColumns; ++column) {
      int32_t width = ShellListView1->ColumnWidth(column);
      std::memcpy(widths + column * 4, &width, 4);
    }
    RegWriteBinary(RegSectionForms, FindOpenHeaderWidthName, widths, sizeof widths);
  }
  std::string folder;
  if (ShellTreeView1->GetSelectedPath(folder))
    RegWriteString(RegSectionForms, FindOpenLastDirName, folder);
  RegWriteBool(RegSectionForms, FindOpenTextOnlyName, CheckBox1->Checked());
}

void TFindOpenForm::FormShow() {
  TBusyCursor busy;
  if (!TopForm)
    return;
  TopForm->EditorProp1->AssignTo(*Editor1);
  Editor1->SetScrollBars(TScrollStyle::ssBoth);
  Editor1->SetReadOnly(true);
  Editor1->SetReserveWordList(TopForm->EditorProp1->ReserveWordList());
}

void TFindOpenForm::FormClose(TCloseAction& action) {
  action = TCloseAction::caHide;
  UncheckCommandItems(commandId_);
}

void TFindOpenForm::FormKeyDown(WORD& key, TShiftState shift) {
  if (!(shift & ssAlt) || (shift & (ssCtrl | ssShift)))
    return;
  if (key == VK_LEFT && ToolbarButton1->Enabled())
    GoBack(0);
  else if (key == VK_RIGHT && ToolbarButton2->Enabled())
    GoForward(0);
  else
    return;
  key = 0;
}

bool TFindOpenForm::PreviewFile(const std::string& path) {
  Label_Folder->SetText(
      Format(res::FindOpenFolderLabel, ExcludeTrailingPathDelimiter(ExtractFilePath(path))));
  Label_File->SetText(Format(res::FindOpenFileLabel, ExtractFileName(path)));
  currentFile_ = path;
  std::string status;
  bool previewed = false;
  if (path.empty() || !FileExists(path)) {
    ClearPreview();
  } else if (IsBinaryFileName(path) || IsStorageFile(path)) {
    status = res::FindOpenNotText;
    ClearPreview();
  } else {
    TBusyCursor busy;
    if (FindDocByFileName(path))
      status = res::FindOpenAlreadyOpen;
    try {
      TDocumentText text = DecodeDocumentBytes(ReadFileBytes(path), HasUtf8Marker(path));
      Editor1->Lines().LoadFromText(std::move(text.Text));
      Editor1->SetTopRow(0);
      previewed = true;
    } catch (const EFileError&) {
      status = res::FindOpenFailed;
    } catch (const EEncodingError&) {
      status = res::FindOpenFailed;
    }
    if (!previewed)
      ClearPreview();
  }
  SetStatus(status);
  return previewed;
}

void TFindOpenForm::ClearPreview() {
  Editor1->Lines().Clear();
}

void TFindOpenForm::SetStatus(const std::string& text) {
  StatusBar1->SetSimpleText(text);
  Button1->SetEnabled(text.empty());
}

void TFindOpenForm::PushPreviewHistory(const std::string& path) {
  history_.Push(path);
  UpdateHistoryButtons();
}

void TFindOpenForm::UpdateHistoryButtons() {
  ToolbarButton1->SetEnabled(history_.CanGoBack());
  ToolbarButton2->SetEnabled(history_.CanGoForward());
}

void TFindOpenForm::GoBack(int steps) {
  if (steps < 0)
    return;
  if (auto path = history_.GoBack(static_cast<std::size_t>(steps)))
    ShowHistoryEntry(*path);
}

void TFindOpenForm::GoForward(int steps) {
  if (steps < 0)
    return;
  if (auto path = history_.GoForward(static_cast<std::size_t>(steps)))
    ShowHistoryEntry(*path);
}

void TFindOpenForm::ShowHistoryEntry(const std::string& path) {
  UpdateHistoryButtons();
  PreviewFile(path);
  SelectFileInBrowser(path);
}

void TFindOpenForm::FillHistoryMenu(TPopupMenu& menu, bool back) {
  menu.Items()->Clear();
  const auto entries = back ? history_.BackMenu() : history_.ForwardMenu();
  for (std::size_t k = 0; k < entries.size(); ++k) {
    auto* item = TComponent::Create<TMenuItem>(&menu);
    item->SetCaption(LiteralCaption(entries[k]));
    const int steps = static_cast<int>(k);
    item->OnClick = [this, back, steps](TObject*) { back ? GoBack(steps) : GoForward(steps); };
    menu.Items()->Add(item);
  }
}

void TFindOpenForm::SelectFileInBrowser(const std::string& path) {
  const std::string folder = ExtractFilePath(path);
  ShellListView1->SetFolderPath(folder);
  ShellTreeView1->SelectPath(folder);
  TShellFileList& files = ShellListView1->FileList();
  for (int index = 0; index < files.Count(); ++index) {
    if (!sjis::EqualIgnoreAsciiCase(files.GetItem(index)->GetPath(), path))
      continue;
    suppressPreview_ = true;
    ShellListView1->SetSelected(-1, false);
    ShellListView1->SetSelected(index, true);
    ShellListView1->SetFocusedIndex(index);
    ShellListView1->MakeVisible(index);
    suppressPreview_ = false;
    return;
  }
}

void TFindOpenForm::ListSelected(int index, bool selected) {
  if (!selected || suppressPreview_ || index < 0 || index >= ShellListView1->FileList().Count())
    return;
  const std::string path = ShellListView1->FileList().GetItem(index)->GetPath();
  PreviewFile(path);
  PushPreviewHistory(path);
}

void TFindOpenForm::OpenSelected() {
  if (!Button1->Enabled())
    return;
  const std::vector<int> selected = ShellListView1->SelectedIndexes();
  if (selected.empty() || selected.front() >= ShellListView1->FileList().Count())
    return;
  Button1->SetEnabled(false);
  OpenDocument(ShellListView1->FileList().GetItem(selected.front())->GetPath(), "", false, -1,
               false, false);
}

void TFindOpenForm::PopupMenu1Popup() {
  mn_Copy->SetEnabled(Editor1->SelLength() > 0);
  mn_CopyFileName->SetEnabled(!currentFile_.empty());
}

bool ToggleFindOpenForm(int commandId) {
  if (!FindOpenForm) {
    TBusyCursor busy;
    FindOpenForm = TComponent::Create<TFindOpenForm>(Application, "FindOpenForm");
  }
  if (FindOpenForm->Visible()) {
    FindOpenForm->Close();
    return true;
  }
  FindOpenForm->SetCommandId(commandId);
  CheckCommandItems(commandId);
  FindOpenForm->Show();
  return true;
}

} // namespace quolin
