#include "app/DocUnit.h"

#include "app/CommandHelper.h"
#include "app/DocOps.h"
#include "app/LogPane.h"
#include "app/Outline.h"
#include "app/SecUpdate.h"
#include "app/TopUnit.h"
#include "commands/CommandRouter.h"
#include "commands/MenuBuilder.h"
#include "commands/UserCommand.h"
#include "common/StringHelpers.h"
#include "core/AutoIndent.h"
#include "core/HelperPanel.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/Sjis.h"
#include "core/TokenScan.h"
#include "editor/WhitespaceMarks.h"
#include "toolbar/TBHints.h"
#include "ui/Buttons.h"
#include "ui/FormPlacement.h"
#include "ui/MessageBoxes.h"
#include "ui/TreeView.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <array>

namespace quolin {

namespace {

constexpr char OwnerJoin[] = " in ";
constexpr char PlacementName[] = "Document";
constexpr int HelpContextDocument = 1210;
constexpr int SplitMinimum = 40;
constexpr int MinWrapColumns = 20;
constexpr WORD VK_JapaneseBackslash = 226;
constexpr WORD VK_Backslash = 220;
constexpr char NewNodeText[] = "Now Create...";
constexpr int LogBandWidth = 20;
constexpr char ReloadHint[] = "再読込";
enum : int { imgUntitled, imgNamed, imgWithOwner };

// The line buffer of CutCaretLine, shared by all documents.
std::string cutLineBuffer;

bool NoModifier(TShiftState shift) {
  return !(shift & (ssShift | ssCtrl | ssAlt));
}

bool Only(TShiftState shift, TShiftState wanted) {
  return (shift & (ssShift | ssCtrl | ssAlt)) == wanted;
}

const TSettingsBlock& Settings() {
  return TopForm->Settings;
}

// Holds Shift and Ctrl as given in the thread's keyboard state, and restores it.
class KeyboardStateGuard {
public:
  KeyboardStateGuard(bool shift, bool ctrl) {
    GetKeyboardState(saved_.data());
    std::array<BYTE, 256> state = saved_;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state.data());
  }
  ~KeyboardStateGuard() { SetKeyboardState(saved_.data()); }
  KeyboardStateGuard(const KeyboardStateGuard&) = delete;
  KeyboardStateGuard& operator=(const KeyboardStateGuard&) = delete;

private:
  std::array<BYTE, 256> saved_{};
};

// With its redraw off the frame's client counts as hidden, without the focus and layout
// messages of hiding it.
void HideClient(HWND client) {
  SendMessageA(client, WM_SETREDRAW, FALSE, 0);
}

// Drawn afresh with every window in it, as a window that shows is.
void ShowClient(HWND client) {
  SendMessageA(client, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(client, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace

std::string DoubleClickTarget(const std::string& token, int kind) {
  if (kind == tkMail)
    return "mailto:" + token;
  if (kind != tkUrl)
    return {};
  // A bare "www." name is a web address, never a local file.
  if (token.rfind("www.", 0) == 0)
    return "http://" + token;
  return token;
}

TDocForm::TDocForm(TComponent* owner, const TFileState& fileState,
                   const TLogPaneState& logPaneState, std::function<void(TDocForm&)> fill)
    : TForm(owner), remembered_(RememberedState{fileState, logPaneState}), fill_(std::move(fill)) {
  // The frame's client stays hidden until the window first shows, so it does not flash and
  // nothing is drawn for windows that are not seen yet.
  if (HWND client = TopForm->ClientHandle())
    HideClient(client);
  SetFormStyle(TFormStyle::fsMDIChild);
  HelpContext = HelpContextDocument;
  CreateViews();
  // The views' windows are made with the bars that the remembered wrap gives them.
  Editor1->SetWordWrap(fileState.WordWrap);
  for (TEditor* view : {Editor1, Editor2})
    view->SetScrollBars(fileState.WordWrap ? TScrollStyle::ssVertical : TScrollStyle::ssBoth);
  CreateTimers();
  CreateLogPane();
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
  OnResize = [this](TObject* sender) { FormResize(sender); };
  OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
  OnDeactivate = [this](TObject*) { CloseCommandHelper(); };
}

TDocForm::~TDocForm() = default;

void TDocForm::SetDocumentViewDefaults(TEditor& view) {
  view.SetUndoListMax(512);
  view.SetScrollBars(TScrollStyle::ssBoth);
  view.Margin().SetLeft(8);
  TEditorCaret& caret = view.Caret();
  caret.AutoIndent = false;
  caret.FreeCaret = false;
  caret.KeepCaret = true;
  caret.NextLine = true;
  view.Marks().RetMark().SetColor(clSilver);
  view.View().SetCommenter("%");
  view.View().SetControlCode(true);
  view.WrapOption().SetWordBreak(true);
}

void TDocForm::CreateViews() {
  Editor1 = Create<TEditor>(this, "Editor1");
  Editor1->SetAlign(alClient);
  Editor1->SetParent(this);
  Timer_Selected = Create<TTimer>(this, "Timer_Selected");
  Timer_Selected->SetEnabled(false);
  Timer_Selected->SetInterval(192);
  Timer_Selected->OnTimer = [this](TObject* sender) { Timer_SelectedTimer(sender); };
  TBHint1 = Create<TTBHint>(this, "TBHint1");
  TBHint1->OnHint = [this](TObject* sender, bool& canShow) { TBHint1Hint(sender, canShow); };

  Panel_Editor = Create<TPanel>(this, "Panel_Editor");
  Panel_Editor->SetBevelOuter(TBevelCut::bvNone);
  Panel_Editor->SetBounds(0, 0, 400, 1);
  Panel_Editor->SetAlign(alTop);
  Panel_Editor->SetParent(this);
  Splitter1 = Create<TSplitter>(this, "Splitter1");
  Splitter1->SetBounds(0, 1, 400, 3);
  Splitter1->SetAlign(alTop);
  Splitter1->SetParent(this);
  Splitter1->MinSize = 1;
  Splitter1->OnMoved = [this](TObject* sender) { Splitter1Moved(sender); };
  Editor2 = Create<TEditor>(this, "Editor2");
  Editor2->SetVisible(false);
  Editor2->SetAlign(alClient);
  Editor2->SetParent(Panel_Editor);

  for (TEditor* view : {Editor1, Editor2}) {
    SetDocumentViewDefaults(*view);
    view->OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) {
      Editor1KeyDown(s, key, shift);
    };
    view->OnKeyPress = [this](TObject* s, char& key) { Editor1KeyPress(s, key); };
    view->OnKeyUp = [this](TObject* s, WORD& key, TShiftState shift) {
      Editor1KeyUp(s, key, shift);
    };
    view->OnMouseDown = [this](TObject* s, TMouseButton button, TShiftState shift, int x, int y) {
      Editor1MouseDown(s, button, shift, x, y);
    };
    view->OnDblClick = [this](TObject* s) { Editor1DblClick(s); };
    view->OnSelectionChange = [this](TObject* s, bool selected) {
      Editor1SelectionChange(s, selected);
    };
    view->OnCaretMoved = [this](TObject* s) { Editor1CaretMoved(s); };
    view->OnChange = [this](TObject* s) { Editor1Change(s); };
    view->OnEnter = [this](TObject* s) { Editor1Enter(s); };
    view->OnTopRowChange = [this](TObject*) { CloseCommandHelper(); };
    view->OnDrawLine = [this](TObject* s, const std::string& line, int x, int y, int index,
                              const RECT& rect, bool selected) {
      Editor1DrawLine(s, line, x, y, index, rect, selected);
    };
  }
  Editor2->ShareScreenStrings(Editor1);
  ActiveEditor = Editor1;
}

void TDocForm::CreateTimers() {
  Timer_Section = Create<TTimer>(this, "Timer_Section");
  Timer_Section->SetEnabled(false);
  Timer_Section->SetInterval(1024);
  Timer_Section->OnTimer = [this](TObject*) { OutlineSectionTick(*this); };
  Timer_TreeSelect = Create<TTimer>(this, "Timer_TreeSelect");
  Timer_TreeSelect->SetEnabled(false);
  Timer_TreeSelect->SetInterval(256);
  Timer_TreeSelect->OnTimer = [this](TObject*) { OutlineTreeSelectTick(*this); };
}

void TDocForm::CreateLogPane() {
  Panel_Log = Create<TPanel>(this, "Panel_Log");
  Panel_Log->SetBevelOuter(TBevelCut::bvNone);
  Panel_Log->SetBounds(0, 300, 400, 1);
  Panel_Log->SetAlign(alBottom);
  Panel_Log->SetParent(this);
  Splitter2 = Create<TSplitter>(this, "Splitter2");
  Splitter2->SetBounds(0, 296, 400, 3);
  Splitter2->SetAlign(alBottom);
  Splitter2->SetParent(this);
  Splitter2->MinSize = 1;
  Splitter2->OnMoved = [this](TObject* sender) { Splitter2Moved(sender); };
  LogListBox1 = Create<TListBox>(this, "LogListBox1");
  LogListBox1->SetEnabled(false);

  PopupLogMenu1 = Create<TPopupMenu>(this, "PopupLogMenu1");
  auto item = [this](const char* name, const char* caption, bool radio) {
    auto* menuItem = Create<TMenuItem>(this, name);
    menuItem->SetCaption(caption);
    menuItem->SetRadioItem(radio);
    PopupLogMenu1->Items()->Add(menuItem);
    return menuItem;
  };
  pop_LogViewAll = item("pop_LogViewAll", "全て表示(&A)", true);
  pop_LogViewError = item("pop_LogViewError", "エラーのみ(&E)", true);
  pop_LogViewWanning = item("pop_LogViewWanning", "警告以上(&W)", true);
  N1 = item("N1", "-", false);
  pop_LogPopup = item("pop_LogPopup", "表示を自動切り替え(&C)", false);
  pop_LogPopup->SetEnabled(false);
  pop_LogPopup->SetVisible(false);
  N2 = item("N2", "-", false);
  pop_LogReload = item("pop_LogReload", "再読込(&R)", false);
  pop_LogViewWanning->SetChecked(true);
  pop_LogReload->OnClick = [this](TObject*) { LoadLog(this, ""); };

  // The pane: a band at the left with the reload button, the list beside it.
  Panel1 = Create<TPanel>(this, "Panel1");
  Panel1->SetBevelOuter(TBevelCut::bvNone);
  Panel1->SetBounds(0, 0, LogBandWidth, 1);
  Panel1->SetAlign(alLeft);
  Panel1->SetParent(Panel_Log);
  Panel_LogLeftBand = Create<TPanel>(this, "Panel_LogLeftBand");
  Panel_LogLeftBand->SetBevelOuter(TBevelCut::bvNone);
  Panel_LogLeftBand->SetAlign(alClient);
  Panel_LogLeftBand->SetParent(Panel1);
  Panel3 = Create<TPanel>(this, "Panel3");
  Panel3->SetBevelOuter(TBevelCut::bvNone);
  Panel3->SetAlign(alClient);
  Panel3->SetParent(Panel_Log);
  LogListBox1->SetAlign(alClient);
  LogListBox1->SetParent(Panel3);
  SpeedButton1 = Create<TSpeedButton>(this, "SpeedButton1");
  SpeedButton1->Flat = true;
  SpeedButton1->SetBounds(1, 1, LogBandWidth - 2, LogBandWidth - 2);
  SpeedButton1->SetHint(ReloadHint);
  SpeedButton1->SetShowHint(true);
  SpeedButton1->SetParent(Panel_LogLeftBand);
  SpeedButton1->OnClick = [this](TObject*) { LoadLog(this, ""); };
  pop_debug1 = item("pop_debug1", "UpdateWrapWidth", false);
  pop_debug1->SetVisible(false);
  pop_debug1->OnClick = [this](TObject*) { UpdateWrapWidth(); };

  ResizeTimer = Create<TTimer>(this, "ResizeTimer");
  ResizeTimer->SetEnabled(false);
  ResizeTimer->SetInterval(100);
  ResizeTimer->OnTimer = [this](TObject* sender) { ResizeTimerTimer(sender); };
  ConnectLogPane(*this);
}

void TDocForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.WinClassName = "TDocForm";
}

void TDocForm::FormCreate(TObject*) {
  bool doubleBuffer = Settings().Edit2Option.DoubleBuffer;
  Editor1->SetDoubleBuffered(doubleBuffer);
  Editor2->SetDoubleBuffered(doubleBuffer);
  TTreeNodes& nodes = TopForm->TreeView_Section->Items();
  OutlineNode = nodes.Add(nullptr, NewNodeText);
  OutlineNode->SetImageIndex(imgUntitled);
  OutlineNode->SetSelectedIndex(imgUntitled);
  UpdateDocumentMenuState(true);
  OpenTime = FileTime = NowDateTime();
}

void TDocForm::AfterShow() {
  if (HWND client = TopForm->ClientHandle())
    ShowClient(client);
  if (fill_) {
    Fill();
    UpdateCaption();
  }
}

void TDocForm::Fill() {
  auto fill = std::exchange(fill_, nullptr);
  fill(*this);
}

void TDocForm::BeforeDestruction() {
  if (TopForm && HelperPanelDoc() == this)
    ReleaseCommandHelperPanel();
  StopOutlineScan(*this);
  if (OutlineNode && TopForm)
    OutlineNode->Delete();
  OutlineNode = nullptr;
  TForm::BeforeDestruction();
}

void TDocForm::FormShow(TObject*) {
  LoadFormPlacement(res::RegSectionForms, PlacementName, *this);
  UntitledName = NextUntitledName();
  for (TEditor* view : {Editor1, Editor2})
    view->SetReserveWordList(TopForm->EditorProp1->ReserveWordList());
  ApplySettings();
  if (remembered_) {
    ApplyFileState(remembered_->file, false);
    RestoreDocState(remembered_->logPane);
    remembered_.reset();
  }
  // A window that shows maximised changes its size as it shows: its text waits for that.
  if (fill_ && WindowState() == TWindowState::wsNormal && !AnyDocMaximized())
    Fill();
  if (Settings().EditOption.AutoImeOn)
    for (TEditor* view : {Editor1, Editor2})
      ImmAssociateContextEx(view->Handle(), nullptr, IACE_DEFAULT);
  ResizeTimer->SetEnabled(true);
  UpdateCaption();
}

void TDocForm::ApplySettings() {
  bool wrap = Editor1->WordWrap();
  // The views' bars follow the document's wrap (SetWordWrap below), never the settings' own:
  // given the bars the views have, the settings show no bar that is hidden again at once.
  TOwned<TEditorProp> viewProps(TComponent::Create<TEditorProp>(nullptr));
  viewProps->Assign(*TopForm->EditorProp1);
  for (TEditor* view : {Editor1, Editor2}) {
    viewProps->SetScrollBars(view->ScrollBars());
    viewProps->AssignTo(*view);
  }
  SetWordWrap(wrap);
  LogListBox1->SetColor(TopForm->LogBGColor);
  Panel_LogLeftBand->SetColor(TopForm->LogBGColor);
  LogListBox1->Font().Assign(TopForm->LogFont);
  const TSettingsBlock& settings = Settings();
  TPopupMenu* menu = settings.Edit2Option.MouseSubButtonType != 0 ? TopForm->PopupMenu_Dummy
                                                                  : TopForm->PopupMenu_Edit;
  const TEdit2Option& enter = settings.Edit2Option;
  EnterText = ExpandTemplateText(enter.EnterStr, false);
  EnterShiftText = ExpandTemplateText(enter.EnterShiftStr, false);
  EnterCtrlText = ExpandTemplateText(enter.EnterCtrlStr, false);
  EnterCtrlShiftText = ExpandTemplateText(enter.EnterCtrlShiftStr, false);
  for (TEditor* view : {Editor1, Editor2}) {
    view->SetPopupMenu(menu);
    view->SetCommentLineAllPaint(enter.CommentLineAllPaint);
  }
  if (enter.SectionViewLevel != OutlineLevel) {
    OutlineLevel = enter.SectionViewLevel;
    if (SecUpdate)
      SecUpdate->Terminate();
    if (OutlineNode)
      OutlineNode->DeleteChildren();
    Timer_Section->SetEnabled(true);
  }
}

std::string TDocForm::TargetFileName() const {
  return OwnerFile.empty() ? FileName : OwnerFile;
}

std::string TDocForm::GetTitleText() const {
  if (FileName.empty())
    return "";
  return OwnerFile.empty() ? FileName : FileName + OwnerJoin + OwnerFile;
}

void TDocForm::UpdateCaption() {
  int image = imgUntitled;
  if (FileName.empty()) {
    SetCaption(UntitledName);
    if (OutlineNode)
      OutlineNode->SetText(UntitledName);
  } else {
    bool fullPath = Settings().FileIOOption.FullPathFileName;
    std::string caption = fullPath ? FileName : ExtractFileName(FileName);
    std::string nodeText = ExtractFileName(FileName);
    if (OutlineNode && OutlineNode->Text() != nodeText)
      OutlineNode->SetText(nodeText);
    image = imgNamed;
    if (!OwnerFile.empty()) {
      caption += OwnerJoin + ExtractFileName(OwnerFile);
      image = imgWithOwner;
    }
    SetCaption(caption);
  }
  if (OutlineNode) {
    OutlineNode->SetImageIndex(image);
    OutlineNode->SetSelectedIndex(image);
  }
  ShowEditMode(Editor1->OverWrite(), Editor1->ReadOnly());
  SetAppTitle();
  LoadLog(this, "");
}

void TDocForm::SetWordWrap(bool on) {
  Editor1->SetWordWrap(on);
  if (on) {
    UpdateWrapWidth();
    CheckCommandItems(TopForm->WordWrapCommandId);
    return;
  }
  Editor1->SetScrollBars(TScrollStyle::ssBoth);
  Editor2->SetScrollBars(TScrollStyle::ssBoth);
  UncheckCommandItems(TopForm->WordWrapCommandId);
}

void TDocForm::UpdateWrapWidth() {
  CharWidth = std::max(1, Editor1->CharPitch());
  if (!Editor1->WordWrap())
    return;
  int width = Editor1->Width() - 2 * Editor1->Margin().Left() - GetSystemMetrics(SM_CXVSCROLL);
  int columns = width / CharWidth;
  TScrollStyle bars = TScrollStyle::ssVertical;
  if (columns < MinWrapColumns) {
    columns = MinWrapColumns;
    bars = TScrollStyle::ssBoth;
  }
  for (TEditor* view : {Editor1, Editor2})
    view->SetScrollBars(bars);
  if (Editor1->WrapOption().WrapByte() != columns)
    Editor1->WrapOption().SetWrapByte(columns);
}

void TDocForm::CenterCaretRow(TEditor& view) {
  int rowHeight = std::max(1, view.RowHeight());
  view.SetTopRow(std::max(0, view.Row() - (view.ClientHeight() / rowHeight) / 2));
}

void TDocForm::SetCharCode(TextEncodingCode code) {
  CharCode = code;
}

void TDocForm::ShowCharCode() {
  static constexpr std::pair<TextEncodingCode, const char*> names[] = {
      {tcUtf16Le, "UTF16LE"}, {tcUtf16Be, "UTF16BE"}, {tcUtf8Bom, "UTF8B"}, {tcUtf8, "UTF8N"}};
  std::string text;
  for (const auto& [code, name] : names)
    if (code == CharCode)
      text = name;
  SetStatusPanel(spCharCode, text);
}

void TDocForm::ShowModified() {
  SetStatusPanel(spModified, Editor1->Modified() ? res::ModifiedMark : "");
}

void TDocForm::GoToLine(int line, int column, bool centre) {
  TEditor& view = *ActiveEditor;
  int row = view.Lines().LinesToRow(std::clamp(line, 0, std::max(0, view.Lines().Count() - 1)));
  view.SetRowCol(row, column);
  if (centre)
    CenterCaretRow(view);
  else
    view.SetTopRow(std::max(0, view.Row() - 1));
}

int TDocForm::CaretLine() const {
  return ActiveEditor->RowToLines(ActiveEditor->Row());
}

bool TDocForm::SelectOwnerFile(const std::string& fileName) {
  if (FileName.empty())
    return false;
  std::string owner = fileName;
  if (owner.empty() && !ChooseOwnerFile(OwnerFile.empty() ? FileName : OwnerFile, owner))
    return false;
  OwnerFile = IsSameText(owner, FileName) ? "" : owner;
  UpdateCaption();
  return !OwnerFile.empty();
}

void TDocForm::ClearOwnerFile() {
  OwnerFile.clear();
  UpdateCaption();
}

std::string TDocForm::GetTextBeforeCaret() const {
  const TEditor& view = *ActiveEditor;
  int line = view.RowToLines(view.Row());
  int offset = view.RowColToLineOffset(view.Row(), view.Col());
  std::string text = line < view.Lines().Count() ? view.Lines()[line] : "";
  return text.substr(0, static_cast<size_t>(std::max(0, offset)));
}

void TDocForm::CutCaretLine() {
  TEditor& view = *ActiveEditor;
  int line = view.RowToLines(view.Row());
  if (line >= view.Lines().Count())
    return;
  cutLineBuffer = view.Lines()[line];
  view.RemoveSelection();
  view.Lines().Delete(line);
  view.SetRowCol(view.Lines().LinesToRow(std::min(line, view.Lines().Count())), 0);
}

void TDocForm::PasteCutLine() {
  if (cutLineBuffer.empty())
    return;
  TEditor& view = *ActiveEditor;
  view.RemoveSelection();
  view.SetRowCol(view.Row(), 0);
  bool lineStart = view.Row() == 0 || view.RowAttribute(view.Row() - 1) != raWrapped;
  view.SetSelTextBuf((cutLineBuffer + (lineStart ? "\r\n" : "")).c_str());
}

POINT TDocForm::CaretPixelPos() const {
  const TEditor& view = *ActiveEditor;
  return {view.Col() * CharWidth + view.Margin().Left(),
          (view.Row() - view.TopRow()) * view.RowHeight() + view.Margin().Top() + 1};
}

void TDocForm::PopupMenuAtCaret() {
  TEditor& view = *ActiveEditor;
  TPopupMenu* menu = view.PopupMenu();
  if (!menu)
    return;
  POINT point = CaretPixelPos();
  ::ClientToScreen(view.Handle(), &point);
  menu->Popup(point.x, point.y);
}

void TDocForm::OpenCommandHelper() {
  if (TDocForm* other = HelperPanelDoc(); other && other != this)
    other->CloseCommandHelper();
  TEditor& view = *ActiveEditor;
  AssistImeOpen = SetImeOpen(view, false);
  TPanel* panel = TopForm->Panel_ExHelper1;
  TEdit* entry = TopForm->Edit_ExCmd1;
  panel->SetParent(this);
  POINT caret = CaretPixelPos();
  ::ClientToScreen(view.Handle(), &caret);
  ::ScreenToClient(Handle(), &caret);
  THelperPlacement place = PlaceHelperPanel(caret.x, caret.y, view.RowHeight(), panel->Width(),
                                            panel->Height(), ClientWidth(), ClientHeight());
  entry->SetAlign(place.GridOnTop ? alBottom : alTop);
  panel->SetBounds(place.Left, place.Top, panel->Width(), panel->Height());
  panel->Show();
  panel->BringToFront();
  entry->SetFocus();
  const std::string text = entry->Text();
  if (text.empty()) {
    entry->SetText("\\");
    entry->SetSelStart(1);
  } else if (text.starts_with('\\')) {
    entry->SetSelStart(1);
    entry->SetSelLength(static_cast<int>(text.size()) - 1);
  } else {
    entry->SelectAll();
  }
  AssistShown = true;
}

void TDocForm::CloseCommandHelper() {
  if (!AssistShown)
    return;
  AssistShown = false;
  quolin::CloseCommandHelper();
}

void TDocForm::FormActivate(TObject*) {
  ShowEditMode(Editor1->OverWrite(), Editor1->ReadOnly());
  if (Editor1->WordWrap())
    CheckCommandItems(TopForm->WordWrapCommandId);
  else
    UncheckCommandItems(TopForm->WordWrapCommandId);
  TTreeView* tree = TopForm->TreeView_Section;
  if (OutlineNode && tree->Selected() && tree->Selected() != OutlineNode)
    tree->SetSelected(OutlineNode);
  if (!AnyDocMaximized())
    UpdateWrapWidth();
  TopForm->ArrangePanels();
  SetAppTitle();
  ShowModified();
  ShowCharCode();
}

void TDocForm::FormResize(TObject*) {
  if (AnyDocMaximized() && WindowState() != TWindowState::wsMaximized) {
    Splitter1Moved(Splitter1);
    return;
  }
  UpdateWrapWidth();
  if (WindowState() != TWindowState::wsMaximized)
    Splitter1Moved(Splitter1);
}

void TDocForm::ResizeTimerTimer(TObject*) {
  ResizeTimer->SetEnabled(false);
  UpdateWrapWidth();
}

void TDocForm::Splitter1Moved(TObject*) {
  CloseCommandHelper();
  int room = Panel_Log->Top() - (Panel_Editor->Top() + Panel_Editor->Height()) -
             Splitter1->Height() - Splitter2->Height();
  if (Panel_Editor->Height() >= SplitMinimum && room >= SplitMinimum) {
    Editor2->SetVisible(true);
    SplitView = true;
    return;
  }
  Panel_Editor->SetHeight(1);
  Editor2->SetVisible(false);
  SplitView = false;
  ActiveEditor = Editor1;
  if (Showing())
    Editor1->SetFocus();
}

void TDocForm::Splitter2Moved(TObject*) {
  CloseCommandHelper();
  if (Panel_Log->Height() >= SplitMinimum) {
    LogListBox1->SetEnabled(true);
    if (LogListBox1->Items().Count() == 0)
      LoadLog(this, "");
    return;
  }
  Panel_Log->SetHeight(1);
  if (LogListBox1->Focused() && Editor1->Showing())
    Editor1->SetFocus();
  LogListBox1->Items().Clear();
  LogListBox1->SetEnabled(false);
}

void TDocForm::Editor1KeyDown(TObject* sender, WORD& key, TShiftState shift) {
  auto* view = static_cast<TEditor*>(sender);
  const TEditOption& edit = Settings().EditOption;
  if (key == VK_JapaneseBackslash && NoModifier(shift))
    key = VK_Backslash;
  switch (key) {
  case VK_INSERT:
    if (NoModifier(shift)) {
      key = 0;
      if (edit.InsertKeyDisable)
        return;
      Editor1->SetOverWrite(!Editor1->OverWrite());
      Editor2->SetOverWrite(Editor1->OverWrite());
      ShowEditMode(Editor1->OverWrite(), Editor1->ReadOnly());
    } else if (Only(shift, ssCtrl)) {
      key = 0;
      if (view->Selected())
        view->CopyToClipboard();
    } else if (Only(shift, ssShift)) {
      key = 0;
      view->PasteFromClipboard();
    }
    return;
  case VK_Backslash:
    if (NoModifier(shift) && edit.AutoCommand) {
      key = 0;
      if (edit.AutoCommandType != 1)
        ShowCommandHelper();
    }
    return;
  case VK_BACK:
    if (Only(shift, ssShift)) {
      key = 0;
      SimulateKey(VK_LEFT, true, true);
    } else if (Only(shift, ssCtrl)) {
      key = 0;
      SimulateKey(VK_HOME, true, false);
      view->ClearSelection();
    }
    return;
  case VK_DELETE:
    if (Only(shift, ssCtrl | ssShift)) {
      key = 0;
      if (view->SelectTokenFromCaret())
        view->ClearSelection();
    } else if (Only(shift, ssShift)) {
      key = 0;
      if (view->Selected()) {
        view->CutToClipboard();
        return;
      }
      SimulateKey(VK_RIGHT, true, true);
      view->ClearSelection();
    } else if (Only(shift, ssCtrl)) {
      key = 0;
      SimulateKey(VK_END, true, false);
      view->ClearSelection();
    }
    return;
  case VK_RETURN: {
    const std::string* texts[] = {&EnterText, &EnterShiftText, &EnterCtrlText,
                                  &EnterCtrlShiftText};
    if (shift & ssAlt)
      return;
    int index = ((shift & ssShift) ? 1 : 0) + ((shift & ssCtrl) ? 2 : 0);
    key = 0;
    InsertEnterTemplate(*texts[index]);
    return;
  }
  default:
    return;
  }
}

void TDocForm::SimulateKey(WORD key, bool shift, bool ctrl) {
  KeyboardStateGuard guard(shift, ctrl);
  SendMessageA(ActiveEditor->Handle(), WM_KEYDOWN, key, 0);
}

void TDocForm::InsertEnterTemplate(const std::string& enterText) {
  TEditor& view = *ActiveEditor;
  if (view.ReadOnly())
    return;
  int line = view.RowToLines(view.Row());
  std::optional<std::string> previous;
  std::string text;
  if (line == 0) {
    text = line < view.Lines().Count() ? view.Lines()[0] : "";
  } else {
    text = GetTextBeforeCaret();
    previous = view.Lines()[line - 1];
  }
  std::vector<std::string> indentList;
  const TStringList& list = Settings().EditOption.IndentList;
  for (int i = 0; i < list.Count(); ++i)
    indentList.push_back(list[i]);
  std::optional<std::string_view> previousView;
  if (previous)
    previousView = *previous;
  std::string indent =
      AutoIndentText(Settings().EditOption.IndentType, text, previousView, indentList);
  view.SetSelText(ExpandEnterTemplate(enterText, indent));
}

void TDocForm::Editor1KeyPress(TObject*, char& key) {
  const TSettingsBlock& settings = Settings();
  if (key == '\r' || key == '\n') {
    key = 0;
    return;
  }
  if (key == '\\' && settings.EditOption.AutoCommand) {
    key = 0;
    return;
  }
  if (!settings.EditOption.AutoKakko || key == 0)
    return;
  const std::string& openers = settings.BracketOpeners;
  size_t index = openers.rfind(key);
  if (index == std::string::npos)
    return;
  key = 0;
  ExecuteUserCommand(settings.BracketList[static_cast<int>(index)].substr(1));
}

void TDocForm::Editor1KeyUp(TObject*, WORD& key, TShiftState shift) {
  const TEditOption& edit = Settings().EditOption;
  if ((key == VK_Backslash || key == VK_JapaneseBackslash) && NoModifier(shift) &&
      edit.AutoCommand && edit.AutoCommandType == 1)
    PopupMenuAtCaret();
}

void TDocForm::Editor1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int,
                                int) {
  auto* view = static_cast<TEditor*>(sender);
  if (button == TMouseButton::mbLeft && (shift & ssAlt)) {
    view->SetSelectionMode(1);
    BoxSelectByAlt = true;
    return;
  }
  if (button != TMouseButton::mbRight || Settings().Edit2Option.MouseSubButtonType != 1)
    return;
  if (shift & ssShift)
    view->CutToClipboard();
  else if (view->Selected())
    view->CopyToClipboard();
  else
    view->PasteFromClipboard();
}

void TDocForm::Editor1DblClick(TObject* sender) {
  auto* view = static_cast<TEditor*>(sender);
  std::string target = DoubleClickTarget(view->GetTokenFromCaret(), view->GetTokenKindFromCaret());
  if (!target.empty())
    ShellExecuteA(nullptr, "OPEN", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  view->SelectTokenFromCaret();
}

void TDocForm::Editor1SelectionChange(TObject* sender, bool selected) {
  auto* view = static_cast<TEditor*>(sender);
  if (!selected && BoxSelectByAlt) {
    view->SetSelectionMode(0);
    BoxSelectByAlt = false;
  }
  Timer_Selected->Restart();
}

void TDocForm::TBHint1Hint(TObject*, bool& canShow) {
  TBHint1->HintString = GetTitleText();
  canShow = !TBHint1->HintString.empty();
}

bool TDocForm::DialogKey(WORD key, TShiftState shift) {
  if (key == VK_TAB && TopForm->Panel_ExHelper1->Visible()) {
    WORD enter = VK_RETURN;
    TopForm->StringGrid_Cmd1KeyDown(TopForm->StringGrid_Cmd1, enter, shift);
    return true;
  }
  return TForm::DialogKey(key, shift);
}

void TDocForm::Timer_SelectedTimer(TObject*) {
  Timer_Selected->SetEnabled(false);
  bool selected = ActiveEditor->Selected();
  UpdateSelectionMenuState(selected,
                           selected && ActiveEditor->SelText().find('\r') != std::string::npos);
}

void TDocForm::Editor1CaretMoved(TObject* sender) {
  auto* view = static_cast<TEditor*>(sender);
  int line = view->RowToLines(view->Row());
  ShowCaretPosition(std::max(0, view->RowColToLineOffset(view->Row(), view->Col())), line + 1);
  Timer_TreeSelect->Restart();
}

void TDocForm::Editor1Change(TObject*) {
  OutlineDocumentEdited(*this);
  ShowModified();
}

void TDocForm::Editor1Enter(TObject* sender) {
  ActiveEditor = TrackActiveView ? static_cast<TEditor*>(sender) : Editor1;
  CloseCommandHelper();
}

void TDocForm::Editor1DrawLine(TObject* sender, const std::string& lineStr, int x, int y, int,
                               const RECT& rect, bool selected) {
  auto* view = static_cast<TEditor*>(sender);
  if (view == Editor2 && !SplitView)
    return;
  const TMarkOptions& marks = Settings().MarkOptions;
  if (HDC dc = view->Canvas())
    DrawWhitespaceMarks(dc, *view, lineStr, x, y, rect, selected,
                        {marks.SpaceMark, marks.DBSpaceMark, marks.TabMark});
}

void TDocForm::MouseWheel(int delta, POINT screenPoint) {
  TEditor* target = nullptr;
  for (TEditor* view : {Editor1, Editor2}) {
    if (target || !view->Showing())
      continue;
    RECT rect;
    GetWindowRect(view->Handle(), &rect);
    if (PtInRect(&rect, screenPoint))
      target = view;
  }
  if (target)
    SendMessageA(target->Handle(), WM_VSCROLL, delta >= 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}

void TDocForm::WndProc(TMessage& message) {
  if (message.Msg == WM_MOUSEWHEEL) {
    MouseWheel(GET_WHEEL_DELTA_WPARAM(message.WParam),
               POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
    message.Result = 0;
    return;
  }
  TForm::WndProc(message);
}

void TDocForm::FormCloseQuery(TObject*, bool& canClose) {
  CloseCommandHelper();
  if (Editor1->Modified()) {
    bool untitled = FileName.empty();
    char answer = MsgBoxFmt(untitled ? res::ModifiedUntitled : res::ModifiedNamed,
                            {untitled ? UntitledName : FileName}, "Qync");
    if (answer == 'c' || answer == 'e' || answer == 0) {
      canClose = false;
      return;
    }
    if (answer == 'y' && !SaveFile(FileName)) {
      canClose = false;
      return;
    }
  }
  if (Settings().AutoDeleteOptions.AutoDelete &&
      sjis::LowerAscii(ExtractFileExt(TargetFileName())) == ".tex")
    DeleteTexOutputFiles(TargetFileName());
  if (WindowState() == TWindowState::wsMaximized || !AnyDocMaximized())
    SaveFormPlacement(res::RegSectionForms, PlacementName, *this);
}

void TDocForm::FormClose(TObject*, TCloseAction& action) {
  if (Settings().FileIOOption.UseEditInfo)
    SaveDocState();
  AddRemainFile(this, true);
  bool othersRemain = DocCount() > 1;
  // The last document's close puts the groups back to the no-document state.
  UpdateDocumentMenuState(othersRemain);
  UncheckCommandItems(TopForm->WordWrapCommandId);
  ClearStatusPanels();
  StopOutlineScan(*this);
  if (OutlineNode) {
    TTreeNodes& nodes = TopForm->TreeView_Section->Items();
    nodes.BeginUpdate();
    OutlineNode->Delete();
    OutlineNode = nullptr;
    nodes.EndUpdate();
  }
  if (!othersRemain)
    ResetAppTitle();
  action = TCloseAction::caFree;
}

} // namespace quolin
