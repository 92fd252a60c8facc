#include "editor/EditorControl.h"

#include "core/EditorUndo.h"
#include "core/ReserveWordList.h"
#include "editor/EditorPopupMenu.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace quolin {

namespace {

std::unique_ptr<TEditorParser> MakeEditorParser(const EditorView& editor, std::string_view text,
                                                int state) {
  return std::make_unique<TEditorParser>(editor, text, state);
}

bool IsButtonPress(const TMessage& message) {
  switch (message.Msg) {
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
    return true;
  case WM_NCLBUTTONDOWN:
  case WM_NCRBUTTONDOWN:
  case WM_NCMBUTTONDOWN:
    return message.WParam == HTCLIENT;
  default:
    return false;
  }
}

} // namespace

TEditor::TEditor(TComponent* owner) : TCustomControl(owner) {
  SetBounds(Left(), Top(), 185, 89);
  SetCursor(crIBeam);
  SetTabStop(true);
}

void TEditor::AfterConstruction() {
  TCustomControl::AfterConstruction();
  delimiters_ = GetDelimiters();
  store_ = CreateScreenStrings();
  store_->AddView(*this);
  lines_ = CreateEditorStrings();
  screen_ = CreateScreen();
  view_ = CreateViewInfo();
  InitReserveWordList(reserveWordList_);
  reserveWordList_.OnChange = [this](TObject*) { reservedCache_.clear(); };
  SetParentColor(false);
  SetColor(clWindow);
  Font().SetColor(clWindowText);
  Font().SetName("FixedSys");
  auto changed = [this](TObject* sender) { OptionChanged(sender); };
  caret_.OnChange = changed;
  marks_.OnChange = changed;
  margin_.OnChange = changed;
  view_->OnChange = changed;
  appliedTabWidth_ = caret_.TabSpaceCount();
  parserClass_ = EditorParserClass();
  selection_.mode = 0;
  SetPopupMenu(CreatePopupMenu());
}

TEditor::~TEditor() {
  ClearStyleFonts();
  screen_.reset();
  view_.reset();
  if (store_)
    store_->RemoveView(*this);
  store_.reset();
  lines_.reset();
}

ByteSet TEditor::GetDelimiters() const {
  return StandardDelimiters();
}

TEditorPopupMenu* TEditor::CreatePopupMenu() {
  return Create<TEditorPopupMenu>(this, {}, this);
}

std::unique_ptr<TEditorStrings> TEditor::CreateEditorStrings() {
  return std::make_unique<TEditorStrings>(*this);
}

std::shared_ptr<TEditorScreenStrings> TEditor::CreateScreenStrings() {
  return std::make_shared<TEditorScreenStrings>();
}

std::unique_ptr<TEditorScreen> TEditor::CreateScreen() {
  return std::make_unique<TEditorScreen>(*this);
}

std::unique_ptr<TEditorViewInfo> TEditor::CreateViewInfo() {
  return std::make_unique<TEditorViewInfo>();
}

TEditorParserClass TEditor::EditorParserClass() const {
  return MakeEditorParser;
}

void TEditor::Loaded() {
  TCustomControl::Loaded();
  if (WordWrap())
    store_->WrapAll();
  store_->InitRowStates();
  modified_ = false;
  UpdateMetrics();
  UpdateScrollBars();
  Invalidate();
}

void TEditor::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  // The text lives in the store; the window has no caption.
  params.Caption.clear();
  params.WinClassName = "TEditor";
  params.ClassStyle = CS_DBLCLKS;
  if (borderStyle_ == TBorderStyle::bsSingle) {
    if (ctl3D_)
      params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      params.Style |= WS_BORDER;
  }
  if (HasBar(SB_HORZ))
    params.Style |= WS_HSCROLL;
  if (HasBar(SB_VERT))
    params.Style |= WS_VSCROLL;
}

void TEditor::CreateWnd() {
  // A window destroyed along with its parent never heard its focus go.
  hasFocus_ = false;
  TCustomControl::CreateWnd();
  ForgetBarSettings();
  UpdateMetrics();
  UpdateScrollBars();
}

void TEditor::DestroyWnd() {
  DestroyEditCaret();
  TCustomControl::DestroyWnd();
}

void TEditor::WndProc(TMessage& message) {
  if (FilterDuringDrag(message)) {
    message.Result = 0;
    return;
  }
  switch (message.Msg) {
  case WM_NCPAINT:
    // The frame and bars of a window not shown yet are drawn when it shows; the platform
    // would draw them now too, at the cost of the themed bars.
    if (!IsWindowVisible(WindowHandle())) {
      message.Result = 0;
      return;
    }
    break;
  case WM_SETFOCUS:
    hasFocus_ = true;
    TCustomControl::WndProc(message);
    UpdateCaret(true);
    return;
  case WM_KILLFOCUS:
    hasFocus_ = false;
    TCustomControl::WndProc(message);
    DestroyEditCaret();
    return;
  case WM_VSCROLL:
  case WM_HSCROLL:
    if (message.LParam == 0) {
      HandleScroll(message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, message.WParam);
      message.Result = 0;
      return;
    }
    break;
  case WM_KEYDOWN:
    autoRepeat_ = (message.LParam & (1 << 30)) != 0;
    // A count left over from a result whose characters never came would eat typed keys.
    if (message.WParam != VK_PROCESSKEY)
      imeBytes_ = 0;
    break;
  case WM_KEYUP:
    TCustomControl::WndProc(message);
    autoRepeat_ = false;
    if (imePending_)
      UpdateImeWindow();
    return;
  case WM_CHAR:
    if (imeBytes_ > 0) {
      --imeBytes_;
      message.Result = 0;
      return;
    }
    break;
  case WM_LBUTTONUP:
    ReleaseLeft(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam),
                MouseShiftState(message.WParam));
    break;
  case WM_CAPTURECHANGED:
    // The capture went elsewhere with the button still held: nothing more comes to finish.
    if (leftHeld_ && reinterpret_cast<HWND>(message.LParam) != WindowHandle()) {
      leftHeld_ = false;
      if (selection_.dragState != 0)
        CancelDrag();
      selection_.rowSelecting = false;
    }
    break;
  case WM_IME_COMPOSITION:
    ImeComposition(message);
    return;
  case WM_IME_NOTIFY:
    ImeNotify(message);
    return;
  default:
    if (EditMessage(message))
      return;
    break;
  }
  TCustomControl::WndProc(message);
}

void TEditor::DefaultHandler(TMessage& message) {
  TCustomControl::DefaultHandler(message);
  if (IsButtonPress(message) && HandleAllocated() && !Focused() && CanFocus())
    ::SetFocus(WindowHandle());
}

std::string TEditor::Text() const {
  return lines_ ? lines_->Text() : std::string();
}

void TEditor::SetText(const std::string& text) {
  if (!readOnly_)
    lines_->SetText(text);
}

// Properties

void TEditor::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_)
    return;
  borderStyle_ = style;
  RecreateWnd();
}

void TEditor::SetCtl3D(bool ctl3D) {
  if (ctl3D == ctl3D_)
    return;
  ctl3D_ = ctl3D;
  if (borderStyle_ == TBorderStyle::bsSingle)
    RecreateWnd();
}

void TEditor::SetScrollBars(TScrollStyle bars) {
  if (bars == scrollBars_)
    return;
  scrollBars_ = bars;
  // Shown or hidden in place: a new window would cost more than the whole text's paint.
  if (HandleAllocated()) {
    ForgetBarSettings();
    ShowScrollBar(WindowHandle(), SB_HORZ, HasBar(SB_HORZ));
    ShowScrollBar(WindowHandle(), SB_VERT, HasBar(SB_VERT));
  }
  UpdateMetrics();
  UpdateScrollBars();
  Invalidate();
}

void TEditor::SetCommentLineAllPaint(bool value) {
  if (value == commentLineAllPaint_)
    return;
  commentLineAllPaint_ = value;
  InvalidateTextArea();
}

void TEditor::SetReserveWordList(const TStringList& list) {
  if (list.Text() == reserveWordList_.Text())
    return;
  reserveWordList_.Assign(list);
  InvalidateTextArea();
}

void TEditor::SetReadOnly(bool value) {
  if (selection_.dragState == 2)
    return;
  readOnly_ = value;
  if (value && Selected())
    SetCursor(caret_.Cursors().DefaultCursor);
}

void TEditor::SetOverWrite(bool value) {
  if (value == overWrite_)
    return;
  overWrite_ = value;
  UpdateCaret(true);
}

int TEditor::UndoListMax() const {
  return store_->UndoObj().UndoListMax();
}

void TEditor::SetUndoListMax(int value) {
  store_->UndoObj().SetUndoListMax(value);
}

// Rows

std::string TEditor::GetRowText(int row) const {
  if (row < 0 || row >= RowCount())
    return {};
  return store_->Get(row);
}

int TEditor::RowAttribute(int row) const {
  if (row < 0 || row >= RowCount())
    return raTextEnd;
  return store_->GetRowAttribute(row);
}

int TEditor::RowEndColumn(int row) const {
  return static_cast<int>(RowLayout(row).map.size());
}

std::string TEditor::TextMap(std::string_view text) const {
  ByteKindMapper mapper(delimiters_, caret_.TabSpaceCount(),
                        WordWrap() ? store_->WrapOption().WrapByte() : 0);
  return mapper.Map(text);
}

TRowLayout TEditor::RowLayout(int row) const {
  TRowLayout layout;
  if (row < 0 || row >= RowCount())
    return layout;
  std::string_view bytes = store_->RowView(row);
  layout.map = TextMap(bytes);
  layout.text.resize(layout.map.size());
  size_t byte = 0;
  for (size_t cell = 0; cell < layout.map.size(); ++cell) {
    if (layout.map[cell] == kMapFill) {
      layout.text[cell] = ' ';
      continue;
    }
    char value = bytes[byte++];
    layout.text[cell] = value == '\t' ? ' ' : value;
  }
  return layout;
}

int TEditor::ColumnOfByte(int row, size_t offset) const {
  std::string map = RowLayout(row).map;
  size_t bytes = 0;
  for (size_t cell = 0; cell < map.size(); ++cell) {
    if (map[cell] == kMapFill)
      continue;
    if (bytes++ == offset)
      return static_cast<int>(cell);
  }
  return static_cast<int>(map.size());
}

int TEditor::LastCaretRow() const {
  int last = RowCount();
  if (last > 0 && store_->GetRowAttribute(last - 1) == raTextEnd)
    --last;
  return last;
}

// Views and undo

void TEditor::ShareScreenStrings(TEditor* other) {
  if (!other || other == this || other->store_ == store_)
    return;
  RemoveSelection();
  store_->RemoveView(*this);
  store_ = other->store_;
  store_->AddView(*this);
  row_ = std::min(row_, LastCaretRow());
  topRow_ = std::min(topRow_, RowCount());
  UpdateMetrics();
  UpdateScrollBars();
  InvalidateTextArea();
  UpdateCaret(true);
}

bool TEditor::CanUndo() const {
  return store_->UndoObj().CanUndo();
}

bool TEditor::CanRedo() const {
  return store_->UndoObj().CanRedo();
}

// Both draw the caret-row underline once, where the caret ends.
void TEditor::Undo() {
  BeginCaretMove();
  store_->ClearViewSelections();
  store_->Undo();
  EndCaretMove();
}

void TEditor::Redo() {
  BeginCaretMove();
  store_->ClearViewSelections();
  store_->Redo();
  EndCaretMove();
}

// Notifications

void TEditor::DoChange() {
  if (Deferring()) {
    deferred_.repaint = deferred_.bars = true;
    if (store_->ChangeNotice().changed) {
      modified_ = true;
      deferred_.change = true;
    }
    return;
  }
  CaretHide();
  BeginCaretMove();
  screen_->Update();
  InvalidatePendingRows();
  UpdateScrollBars();
  EndCaretMove();
  CaretShow();
  if (!store_->ChangeNotice().changed)
    return;
  modified_ = true;
  if (OnChange && EventsAllowed())
    OnChange(this);
}

void TEditor::UpdateView() {
  UpdateScrollBars();
  InvalidateTextArea();
}

void TEditor::SetRedraw(bool on) {
  if (HandleAllocated())
    SendMessageA(WindowHandle(), WM_SETREDRAW, on, 0);
}

bool TEditor::Deferring() const {
  return store_ && store_->LinesUpdating();
}

void TEditor::StoreUpdateEnded() {
  TDeferred pending = std::exchange(deferred_, {});
  if (pending.bars)
    UpdateScrollBars();
  if (pending.repaint)
    InvalidateTextArea();
  if (pending.caret)
    UpdateCaret(pending.createCaret);
  else if (pending.caretMoved)
    DoCaretMoved();
  if (pending.change && OnChange && EventsAllowed())
    OnChange(this);
  if (pending.selection)
    DoSelectionChange(Selected());
}

void TEditor::SetLinesUpdating(bool updating) {
  if (updating)
    return;
  UpdateMetrics();
  UpdateScrollBars();
  UpdateCaret(true);
}

void TEditor::OptionChanged(TObject* sender) {
  if (sender == &marks_)
    underlineExtra_ = marks_.Underline().Visible() ? 1 : 0;
  if (sender == view_.get())
    store_->InitRowStates();
  if (sender == &caret_)
    RewrapForTabWidth();
  UpdateMetrics();
  UpdateScrollBars();
  Invalidate();
  UpdateCaret(sender == &caret_);
}

void TEditor::RewrapForTabWidth() {
  int width = caret_.TabSpaceCount();
  if (width == appliedTabWidth_)
    return;
  appliedTabWidth_ = width;
  // The store wraps with its first view's TAB width; rows made with the old width would let
  // a TAB reach past the wrap column.
  if (!WordWrap() || store_->FirstView() != this || Loading())
    return;
  store_->UndoObj().Clear();
  store_->WrapAll();
  store_->InitRowStates();
  store_->UpdateViews();
  store_->ClampViewRows();
  store_->ResetViewCols();
}

void TEditor::DoDrawLine(const std::string& lineStr, int x, int y, int index, const RECT& rect,
                         bool selected) {
  if (OnDrawLine && EventsAllowed())
    OnDrawLine(this, lineStr, x, y, index, rect, selected);
}

void TEditor::DoTopColChange() {
  if (OnTopColChange && EventsAllowed())
    OnTopColChange(this);
}

void TEditor::DoTopRowChange() {
  if (OnTopRowChange && EventsAllowed())
    OnTopRowChange(this);
}

void TEditor::DoCaretMoved() {
  if (Deferring()) {
    deferred_.caretMoved = true;
    return;
  }
  if (OnCaretMoved && EventsAllowed())
    OnCaretMoved(this);
}

// TEditorScreen

void TEditorScreen::Update() {
  const TChangeNotice& notice = editor_.ScreenStrings().ChangeNotice();
  if (!notice.changed)
    return;
  int difference = notice.newRowCount - notice.oldRowCount;
  if (std::abs(difference) > editor_.VisibleRows()) {
    editor_.InvalidateTextArea();
    return;
  }
  int below =
      notice.firstRow + notice.newRowCount + std::max(0, notice.changedStates - notice.newRowCount);
  editor_.InvalidateRows(notice.firstRow, below - 1);
  if (difference != 0)
    editor_.ScrollRows(below, difference);
  if (below >= editor_.RowCount())
    editor_.InvalidateRow(below);
}

} // namespace quolin
