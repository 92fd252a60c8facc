// What the row store, its Lines, the tokenizer and the undo object need from a view of the
// text. The editor control implements it; the core never sees a window. Window-free.
#pragma once

#include "core/ByteKinds.h"

namespace quolin {

class TEditorCaret;
class TEditorScreenStrings;
class TEditorViewInfo;

class EditorView {
public:
  virtual ~EditorView() = default;

  // The row store this view shows.
  virtual TEditorScreenStrings& ScreenStrings() = 0;

  // Options: the tokenizer's View, the TAB width of Caret, the word delimiters.
  virtual const TEditorViewInfo& View() const = 0;
  virtual const TEditorCaret& Caret() const = 0;
  virtual const ByteSet& Delimiters() const = 0;

  // Still reading its stored properties: no rewrap or re-tokenising yet.
  virtual bool Loading() const = 0;
  virtual bool Focused() const = 0;
  virtual bool Showing() const = 0;

  virtual int TopRow() const = 0;
  virtual void SetTopRow(int row) = 0;
  // Pixels.
  virtual int RowHeight() const = 0;
  virtual int ScreenHeight() const = 0;

  // The caret: screen row and display column.
  virtual int Row() const = 0;
  virtual int Col() const = 0;
  virtual void SetRow(int row) = 0;
  virtual void SetCol(int col) = 0;
  // SetRow then SetCol; a view may place its caret once for both.
  virtual void SetRowThenCol(int row, int col) {
    SetRow(row);
    SetCol(col);
  }
  virtual void CaretHide() = 0;
  virtual void CaretShow() = 0;
  virtual void BeginCaretMove() = 0;
  virtual void EndCaretMove() = 0;

  virtual bool Selected() const = 0;
  // Drops the selection; the text stays.
  virtual void RemoveSelection() = 0;

  // The store changed; its change notice tells what.
  virtual void DoChange() = 0;
  // A row's tokenizer state changed.
  virtual void RepaintRow(int row) = 0;
  // Recompute the scroll ranges and repaint.
  virtual void UpdateView() = 0;
  // Window redrawing off and on around a bulk change of Lines.
  virtual void SetRedraw(bool on) = 0;
  // Lines begins or ends an update; at its end the view recreates its caret and recomputes
  // its metrics and scroll bars.
  virtual void SetLinesUpdating(bool updating) = 0;
  // The store's update ended: the view does what it put off while a Lines update was open.
  virtual void StoreUpdateEnded() = 0;
};

} // namespace quolin
