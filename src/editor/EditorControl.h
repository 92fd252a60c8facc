// TEditor: the editor control. A window that shows the rows of a row store in a fixed grid of
// cells with token colours, keeps the system caret and the caret-row underline, scrolls, and
// answers the edit-control messages so that outside code can treat it as an edit box. Several
// views may share one store; an edit made through one repaints all of them.
//
// The implementation is split by subject: EditorControl.cpp (construction, properties,
// notifications, the window procedure), EditorMessages.cpp (the edit-control messages),
// EditorMetrics.cpp (metrics, scroll ranges, scrolling), EditorCaret.cpp (caret position and
// the system caret, the underline, the input-method window), EditorPaint.cpp (painting),
// EditorSelPaint.cpp (painting the selection), EditorSelection.cpp (the selection and the
// edits on it), EditorClipboard.cpp, EditorMaps.cpp (rows, lines, offsets and tokens),
// EditorKeys.cpp, EditorMouse.cpp and EditorIme.cpp (input).
//
// Without a window the text, caret and selection logic still work; only painting, the system
// caret and the input method wait for the window.
#pragma once

#include "core/EditorLines.h"
#include "core/EditorOptions.h"
#include "core/EditorParser.h"
#include "core/EditorView.h"
#include "core/RowStore.h"
#include "ui/Control.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quolin {

class TEditor;
class TEditorPopupMenu;
class TEditorScreen;

using TDrawLineEvent = std::function<void(TObject* sender, const std::string& lineStr, int x, int y,
                                          int index, const RECT& rect, bool selected)>;
using TSelectionChangeEvent = std::function<void(TObject* sender, bool selected)>;
// Makes the tokenizer a view colours its rows with.
using TEditorParserClass = std::unique_ptr<TEditorParser> (*)(const EditorView& editor,
                                                              std::string_view text, int state);

// A row as the grid shows it: the text with every TAB and its fill cells as blanks (one byte
// per cell) and the byte-kind map of the row's own bytes.
struct TRowLayout {
  std::string text;
  std::string map;
};

// The selection in screen rows; columns are display cells, indices bytes of a row.
struct TEditorSelection {
  int state = 0;     // 0 none, 1 anchored, 2 selected
  int mode = 0;      // 0 normal, 1 box
  int dragState = 0; // 1 pending, 2 while a selection drag runs
  bool removing = false;
  // The column range, as painted: in normal mode from startCol on startRow to endCol on
  // endRow; in box mode the cells startCol..endCol-1 of every row between.
  int startRow = 0, endRow = 0;
  int startCol = 0, endCol = 0;
  // The selected bytes, from startIndex on startRow through endIndex on endRow (so an empty
  // range has endIndex = startIndex - 1).
  int startIndex = 0, endIndex = -1;
  // Where the selection began.
  int anchorRow = 0, anchorIndex = 0, anchorCol = 0;
  // Whole rows selected in the left margin: the anchor row stays selected both ways; a last
  // row without line end is selected from its end back.
  bool rowSelecting = false;
  int rowAnchor = 0, rowEnd = 0;
  bool lastRowOpenEnd = false;
};

// A token found at a point: its text and kind (0 when none), and where it starts.
struct TEditorToken {
  std::string text;
  int kind = 0;
  int lineFirstRow = 0; // the first row of its logical line
  int offset = 0;       // its first byte in that line
};

class TEditor : public TCustomControl, public EditorView {
public:
  static constexpr int kMaxCol = 1000;

  // Options.
  TEditorCaret& Caret() { return caret_; }
  const TEditorCaret& Caret() const override { return caret_; }
  void SetCaret(const TEditorCaret& caret) { caret_.Assign(caret); }
  TEditorMarks& Marks() { return marks_; }
  const TEditorMarks& Marks() const { return marks_; }
  void SetMarks(const TEditorMarks& marks) { marks_.Assign(marks); }
  TEditorMargin& Margin() { return margin_; }
  const TEditorMargin& Margin() const { return margin_; }
  void SetMargin(const TEditorMargin& margin) { margin_.Assign(margin); }
  TEditorViewInfo& View() { return *view_; }
  const TEditorViewInfo& View() const override { return *view_; }
  void SetView(const TEditorViewInfo& view) { view_->Assign(view); }
  TEditorWrapOption& WrapOption() { return store_->WrapOption(); }
  void SetWrapOption(const TEditorWrapOption& option) { store_->WrapOption().Assign(option); }
  const ByteSet& Delimiters() const override { return delimiters_; }

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool ctl3D);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle bars);
  // Paint into an off-screen bitmap and copy it in one piece.
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
  // With word wrap, every row of a line is tokenized from the line's start, so a comment
  // keeps its colour on all its rows.
  bool CommentLineAllPaint() const { return commentLineAllPaint_; }
  void SetCommentLineAllPaint(bool value);

  // Text.
  TEditorStrings& Lines() { return *lines_; }
  const TEditorStrings& Lines() const { return *lines_; }
  void SetLines(const TStrings& lines) { lines_->Assign(lines); }
  std::string Text() const override;
  void SetText(const std::string& text) override;
  TStringList& ReserveWordList() { return reserveWordList_; }
  void SetReserveWordList(const TStringList& list);
  bool Modified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // Typing replaces; the caret shows it as a block.
  bool OverWrite() const { return overWrite_; }
  void SetOverWrite(bool value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  bool WordWrap() const { return store_->WordWrap(); }
  void SetWordWrap(bool value) { store_->SetWordWrap(value); }
  int UndoListMax() const;
  void SetUndoListMax(int value);

  // Rows.
  int RowCount() const { return store_->Count(); }
  // Empty for a row outside the store.
  std::string GetRowText(int row) const;
  // raLineEnd, raWrapped or raTextEnd; raTextEnd for a row outside the store.
  int RowAttribute(int row) const;
  // The row's width in cells; 0 outside the store.
  int RowEndColumn(int row) const;
  // The cell of byte offset in row (past the row's bytes, its end column).
  int ColumnOfByte(int row, size_t offset) const;
  TRowLayout RowLayout(int row) const;
  // The last row the caret may stand on: the row count, one less when the text ends without
  // a line end.
  int LastCaretRow() const;

  // Caret and view.
  int Row() const override { return row_; }
  void SetRow(int row) override;
  int Col() const override { return col_; }
  void SetCol(int col) override;
  void SetRowThenCol(int row, int col) override;
  // Both at once with one caret update; a column on TAB fill cells goes to the TAB.
  void SetRowCol(int row, int col);
  int TopRow() const override { return topRow_; }
  void SetTopRow(int row) override;
  int TopCol() const { return topCol_; }
  void SetTopCol(int col);
  int RowHeight() const override { return rowHeight_; }
  int CharHeight() const { return charHeight_; }
  int CharPitch() const { return pitch_; }
  int VisibleRows() const { return visibleRows_; }
  int VisibleCols() const { return visibleCols_; }
  // The scroll range's end as SB_VERT gets it; the view itself stops at the last row.
  int MaxTopRow() const { return maxTopRow_; }
  // How many times the view has handed scroll information to its window.
  int ScrollInfoSets() const { return scrollInfoSets_; }
  int MaxTopCol() const { return kMaxCol - visibleCols_ / 2; }
  // The cell under a client point; rounded to the nearest cell boundary when asked.
  POINT PointToCell(int x, int y, bool rounded) const;

  // Selection. Offsets count bytes with CR LF as 2 after each row that ends a line.
  bool Selected() const override { return selection_.state == 2; }
  // 0 normal, 1 box; kept while a selection drag runs.
  int SelectionMode() const { return selection_.mode; }
  void SetSelectionMode(int mode);
  void RemoveSelection() override;
  // The selection's first byte, or the caret's offset without a selection.
  int SelStart() const;
  // Removes the selection and puts the caret at an offset (past the end: at the end).
  void SetSelStart(int value);
  // In box mode each row's slice plus 2.
  int SelLength() const;
  // Selects value bytes from the caret (from the selection's start when there is one).
  void SetSelLength(int value);
  // Box slices are joined with CR LF.
  std::string SelText() const;
  void SetSelText(const std::string& text) { SetSelTextBuf(text.c_str()); }

  // Editing and clipboard; nothing changes the text when ReadOnly.
  // Replaces the selection by text, or inserts it at the caret; the caret goes behind it.
  void SetSelTextBuf(const char* text);
  // The lines of text as a column block at the caret or over the box selection.
  void SetBoxSelTextBuf(const char* text);
  // Deletes the selected text.
  void ClearSelection();
  // Deletes the whole text.
  void Clear();
  void DeleteRow(int row);
  void SelectAll();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  // The left button is held or a selection drag runs: keys wait until it is over.
  bool PointerBusy() const { return leftHeld_ || selection_.dragState != 0; }
  // Not ReadOnly, a normal-mode selection and Caret.SelMove.
  virtual bool CanSelDrag() const;
  // Copies the selected text to the caret (the drop cell).
  virtual void DropSelection();

  // Tokens of the logical line under a client point; with useStoredState the tokenizer starts
  // from the line's stored bracket state.
  virtual TEditorToken TokenFromPos(POINT pos, bool useStoredState = true);
  // Selects the token at the point; false when there is none.
  virtual bool SelectTokenFromPos(POINT pos);
  bool SelectTokenFromCaret();
  int GetTokenKindFromCaret();
  std::string GetTokenFromCaret();

  // Position maps.
  // The logical line of a row (the row itself without word wrap).
  int RowToLines(int row) const;
  // The byte offset of a cell in its logical line; -1 outside the store.
  int RowColToLineOffset(int row, int col) const;
  // The whole text's length with CR LF counted as 2.
  int TextLength() const;

  // Views.
  TEditorScreenStrings& ScreenStrings() override { return *store_; }
  std::shared_ptr<TEditorScreenStrings> SharedScreenStrings() const { return store_; }
  // This view leaves its store and shows other's.
  virtual void ShareScreenStrings(TEditor* other);

  virtual bool CanUndo() const;
  virtual bool CanRedo() const;
  virtual void Undo();
  virtual void Redo();

  // While painting, the paint DC (the line-drawing event draws on it); else none.
  HDC Canvas() const { return canvas_; }
  // Paints the rows that meet clip into dc, which has the client's coordinates.
  void PaintTo(HDC dc, const RECT& clip);
  // Invalidates rows first..last (only those in view) and, with paintNow, paints them at once.
  void InvalidateRows(int first, int last, bool paintNow = true);
  void InvalidateRow(int row);
  // Everything from Margin.Left and Margin.Top on.
  void InvalidateTextArea();
  // Moves the pixels of the rows from row on by delta rows.
  void ScrollRows(int row, int delta);

  // The system caret is shown (this view has the focus, no hide is pending and the caret
  // lies in the view).
  bool CaretVisible() const { return caretShown_; }
  // The caret: hidden while the count is above 0.
  void CaretHide() override;
  void CaretShow() override;
  // Brackets a caret move: the underline is erased at the outermost begin and drawn at the
  // outermost end.
  void BeginCaretMove() override;
  void EndCaretMove() override;

  // What the store asks of a view.
  bool Loading() const override { return TComponent::Loading(); }
  // Followed from the focus messages: asking the system costs a round trip, and every edit of
  // the store asks.
  bool Focused() const override { return HandleAllocated() && hasFocus_; }
  bool Showing() const override { return TControl::Showing(); }
  int ScreenHeight() const override { return Height(); }
  // Painted with the next paint, not in the middle of the store's edit: gathered and
  // invalidated once with the rows of the change that follows.
  void RepaintRow(int row) override;
  void UpdateView() override;
  void SetRedraw(bool on) override;
  void SetLinesUpdating(bool updating) override;
  void StoreUpdateEnded() override;

  TNotifyEvent OnCaretMoved;
  TNotifyEvent OnChange;
  TDrawLineEvent OnDrawLine;
  TSelectionChangeEvent OnSelectionChange;
  TNotifyEvent OnSelectionModeChange;
  TNotifyEvent OnTopColChange;
  TNotifyEvent OnTopRowChange;

protected:
  explicit TEditor(TComponent* owner);
  ~TEditor() override;

  // The parts the virtual factories make are built here, after the constructor.
  void AfterConstruction() override;
  void Loaded() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void Paint(HDC dc) override;
  void Resize() override;
  void FontChanged() override;

  virtual ByteSet GetDelimiters() const;
  virtual TEditorPopupMenu* CreatePopupMenu();
  virtual std::unique_ptr<TEditorStrings> CreateEditorStrings();
  virtual std::shared_ptr<TEditorScreenStrings> CreateScreenStrings();
  virtual std::unique_ptr<TEditorScreen> CreateScreen();
  virtual std::unique_ptr<TEditorViewInfo> CreateViewInfo();
  virtual TEditorParserClass EditorParserClass() const;

  void DoChange() override;
  virtual void DoDrawLine(const std::string& lineStr, int x, int y, int index, const RECT& rect,
                          bool selected);
  virtual void DoSelectionChange(bool selected);
  virtual void DoSelectionModeChange();
  virtual void DoTopColChange();
  virtual void DoTopRowChange();
  virtual void DoCaretMoved();
  // Scrolls clip by dx, dy pixels and paints what was uncovered; with update, paints what is
  // pending first.
  virtual void ScrollClient(int dx, int dy, const RECT& clip, bool update);

  // Marks, drawn on the canvas (the paint DC while painting, else the window's).
  virtual void DrawEof(int x, int y);
  virtual void DrawRetMark(int x, int y);
  // The line-end mark inside the selection, in the Select colour.
  virtual void DrawSelectedRetMark(int x, int y);
  virtual void DrawUnderline(int row);
  virtual void EraseUnderline(int row);
  virtual int GetUnderlineY(int row) const;

  virtual void CreateEditCaret();
  virtual POINT GetCaretPixelPos() const;
  virtual void OptionChanged(TObject* sender);

  // Measures the font and fills the cell, row and visible counts (only with a window).
  void UpdateMetrics();
  // The scroll ranges and the bars; TopRow and TopCol are brought into them.
  void UpdateScrollBars();
  // After a caret move: with create, a new system caret; then scrolled into view and placed,
  // with the input-method window and OnCaretMoved. Only with the window and the focus.
  void UpdateCaret(bool create);
  void ScrollCaretIntoView();
  bool CaretInView() const;
  // Places the input-method composition window at the caret, or marks it pending while a key
  // repeats.
  void UpdateImeWindow();
  // The rectangle that holds rows: from Margin.Left and Margin.Top to the client's edges.
  RECT TextArea();
  // The part of the text area that shows rows first..last; empty when none is in view.
  RECT RowsRect(int first, int last);
  // False when nothing is painted now: no window, or the store's update repaints at its end.
  bool RepaintsNow();
  // Invalidates the rows gathered by RepaintRow.
  void InvalidatePendingRows();

  // Keys, characters and the mouse, after the inherited events.
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;

  TEditorSelection selection_;
  // The last key message repeated; the input-method window then waits for the key-up.
  bool autoRepeat_ = false;
  bool imePending_ = false;

private:
  friend class TEditorScreen;

  std::shared_ptr<TEditorScreenStrings> store_;
  std::unique_ptr<TEditorStrings> lines_;
  std::unique_ptr<TEditorScreen> screen_;
  std::unique_ptr<TEditorViewInfo> view_;
  TStringList reserveWordList_;
  TEditorCaret caret_;
  TEditorMarks marks_;
  TEditorMargin margin_;
  TEditorParserClass parserClass_ = nullptr;
  ByteSet delimiters_;

  int row_ = 0, col_ = 0;
  int topRow_ = 0, topCol_ = 0;
  int charHeight_ = 16, pitch_ = 8, rowHeight_ = 16, underlineExtra_ = 0;
  int visibleRows_ = 0, visibleCols_ = 0;
  int maxTopRow_ = 0;
  // What each bar (SB_HORZ, SB_VERT) was last given, so an unchanged bar is not redrawn.
  struct BarSetting {
    int max = -1, page = -1, pos = -1;
    bool operator==(const BarSetting&) const = default;
  };
  std::array<BarSetting, 2> barSettings_{};
  int scrollInfoSets_ = 0;
  bool italic_ = false;
  int appliedTabWidth_ = 8;

  bool modified_ = false, readOnly_ = false, overWrite_ = false;
  bool wantReturns_ = true, wantTabs_ = true;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool ctl3D_ = true;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool doubleBuffered_ = false;
  bool commentLineAllPaint_ = false;

  // What waits for the end of the store's update: a window call per edit of a replace all
  // costs more than the edit itself.
  struct TDeferred {
    bool repaint = false, bars = false, caret = false, createCaret = false;
    bool caretMoved = false, change = false, selection = false;
  };
  TDeferred deferred_;
  bool Deferring() const;

  int caretHideCount_ = 0;
  int caretMoveCount_ = 0;
  bool caretCreated_ = false, caretShown_ = false;
  bool hasFocus_ = false;
  SIZE caretSize_{}; // of the caret last made
  // Where the system caret was last put, while valid: a caret placed again where it is costs a
  // round trip for nothing.
  POINT caretPos_{};
  bool caretPosValid_ = false;
  RECT pendingRows_{}; // rows to repaint, not yet invalidated
  bool caretBatch_ = false;
  int rememberedCol_ = 0;
  bool rememberedValid_ = false;

  // Input.
  POINT pressPoint_{};
  bool leftHeld_ = false;
  bool pressMoved_ = false; // the pointer left the press point by half a pitch
  int pointerState_ = 0;
  int imeBytes_ = 0; // result bytes whose character messages are still to come

  // While painting, the paint DC; the marks draw on it.
  HDC canvas_ = nullptr;
  std::vector<int> spacing_;           // the pitch, once per byte of a text output
  std::array<HFONT, 16> styleFonts_{}; // the font in each style, made on demand
  // Tokens looked up in the reserved words: the lookup compares in the locale's order, which
  // costs more than a whole row's drawing. Emptied whenever the list changes.
  mutable std::unordered_map<std::string, bool> reservedCache_;

  // Metrics and scrolling.
  bool HasBar(int bar) const;
  int LastScrollTopRow() const;
  void SetBar(int bar, int max, int page, int pos);
  void SetBarPos(int bar, int pos);
  BOOL BarRedraw() const;
  void ForgetBarSettings() { barSettings_ = {}; }
  void HandleScroll(int bar, WPARAM wParam);
  void ClearStyleFonts();
  void RewrapForTabWidth();

  // Caret position.
  void AdjustCol(int wanted, bool vertical);
  int LeaveSplitCells(const std::string& map, int col, int direction) const;
  bool LeadByteAtCaret() const;
  void ShowCaretInView();
  void PlaceSystemCaret(POINT point);
  void DestroyEditCaret();

  // Painting.
  void OnCanvas(const std::function<void(HDC dc)>& draw);
  void PaintRow(HDC dc, int row, int x0, int y, const RECT& rect);
  // The row's text and marks without OnDrawLine, in the Select colours when selected.
  void PaintRowText(HDC dc, int row, int x0, int y, const RECT& rect, bool selected);
  void PaintPastEnd(HDC dc, int row, int x0, int y, const RECT& rect);
  void PaintTokens(HDC dc, int row, int x0, int y, const RECT& rect, const TRowLayout& layout,
                   bool selected);
  const TEditorColor* TokenColor(const TEditorParser& parser) const;
  bool IsReserved(std::string_view token) const;
  HFONT StyledFont(TFontStyles style);
  // Writes the cells of text that meet clip, each byte on its cell, from x.
  void OutputText(HDC dc, int x, int y, std::string_view text, std::string_view map,
                  const RECT& clip, bool opaque);
  const int* Spacing(size_t count);
  void DrawHorizontalLine(int y, TColor color);
  bool ComputeItalic();
  void PaintDoubleBuffered(HDC dc, const RECT& clip);

  // Selection bookkeeping and text operations (EditorSelection.cpp).
  struct ByteSpan {
    int first = 0; // the first byte
    int end = 0;   // behind the last byte
  };
  // The byte a cell belongs to, fill cells not counted; at most the row's length.
  int ByteIndexAt(int row, int col) const;
  int CaretIndex() const { return ByteIndexAt(row_, col_); }
  // A selection begins at the caret (nothing shown yet).
  void AnchorSelection();
  // After a caret move while selecting: shows an anchored selection, or follows the caret.
  void ExtendSelection();
  // The ranges from the anchor and the caret, repainted where they changed.
  void UpdateSelection();
  void ComputeSelection();
  // The byte-kind map of any text as this view lays out rows.
  std::string TextMap(std::string_view text) const;
  // The bytes of a row between the box columns.
  ByteSpan BoxSlice(int row) const;
  // The cell lies inside the selection (for drag starts and drops).
  bool InSelection(int row, int col) const;
  // Bytes from the start of baseRow to byte index of row.
  int OffsetFrom(int baseRow, int row, int index) const;
  // The cell offset bytes after the start of baseRow (x column, y row); a walk that passes the
  // last row stops on it, unless pastLastRow lets it reach the row after a final line end.
  POINT PositionAt(int baseRow, int offset, bool pastLastRow) const;
  // Row and column with one caret update.
  void PlaceCaret(int row, int col);
  // Rows first..first+count-1 (their line ends included) become text in one step; the caret
  // goes caretOffset bytes into text.
  void ReplaceRowRange(int first, int count, const std::string& text, int caretOffset);
  // Row bytes, and its CR LF when it ends a line.
  std::string RowWithLineEnd(int row) const;
  // Inserts text into row bytes at a column (padding a shorter row with spaces, never into
  // a character or a TAB); gives the offset behind it.
  int InsertAtColumn(std::string& bytes, std::string_view text, int column) const;
  // The selected text replaced by text in one step (box mode: each slice removed and text
  // put at the box's start); the caret goes behind text.
  void ReplaceSelection(std::string_view text);
  // The typing insert: replaces the selection, pads past the row end, overwrites in OverWrite
  // mode.
  void InsertTyped(std::string_view text);
  // The selection moved to the drop cell (the caret).
  void MoveSelection();
  // The tokens of the logical line of a cell.
  TEditorToken TokenAt(int row, int col, bool useStoredState);

  // Painting of the selection (EditorSelPaint.cpp).
  // The cells a selection paints selected on a row: [first, end).
  bool SelectedCells(const TEditorSelection& selection, int row, int& first, int& end) const;
  // Repaints, row by row, the cells where old and the current selection differ.
  void RepaintSelectionChange(const TEditorSelection& old);
  void InvalidateCells(int row, int first, int end);
  void PaintSelectedRow(HDC dc, int row, int x0, int y, const RECT& rect);
  void DrawLineEndArrow(int x, int y, TColor color);

  // Keys (EditorKeys.cpp).
  bool CursorKey(WORD key, TShiftState shift);
  void MoveByKey(WORD key, bool ctrl);
  void PageMove(int delta);
  void WordLeft();
  void WordRight();
  void DeleteKey();
  void TypeChar(char key);
  void TypeEnter();
  void TypeTab();
  void TypeBackspace();
  std::string IndentFor(int row, int col) const;
  // Replaces the bytes [first, end) of a row (end may pass into following rows) by text and
  // puts the caret behind it, less its last kept bytes.
  void ReplaceBytes(int row, int first, int end, const std::string& text, int kept = 0);

  // The mouse (EditorMouse.cpp).
  // Swallows input while the left button is held or a selection drag runs; true when the
  // message went no further.
  bool FilterDuringDrag(TMessage& message);
  void SetPointerState(int state);
  void SelectRows(int row, bool extend);
  void StartRowSelection(int y);
  // With the button down: the caret follows, the selection once the pointer moved half a pitch.
  void FollowPointer(int x, int y);
  // The button went up: a drag drops, a pending drag is cancelled, a row selection ends.
  void ReleaseLeft(int x, int y, TShiftState shift);
  void Drop(int x, int y, bool copy);
  void CancelDrag();

  // The input method (EditorIme.cpp).
  void ImeComposition(TMessage& message);
  void ImeNotify(TMessage& message);

  // Edit-control messages; false for a message that is not one of them.
  bool EditMessage(TMessage& message);
  // EM_SETSEL: (0, -1) selects all, (-1, x) removes the selection.
  void SetSelection(int start, int end);
  LRESULT CharIndexOfRow(int row) const;
  int RowOfCharIndex(LRESULT index, LRESULT& rowStart) const;
  LRESULT CharFromPos(int x, int y);
  LRESULT PosFromChar(LRESULT index) const;
  LRESULT LineText(int row, char* buffer) const;
  LRESULT WholeTextInto(size_t size, char* buffer) const;
  LRESULT DialogCode(TMessage& message);
};

// Turns the store's record of the last change into invalidations and scrolls of one view.
class TEditorScreen : public TObject {
public:
  explicit TEditorScreen(TEditor& editor) : editor_(editor) {}
  virtual void Update();

private:
  TEditor& editor_;
};

} // namespace quolin
