// Text and list controls on the native EDIT, COMBOBOX and LISTBOX classes. Their item lists
// implement TStrings and keep a copy of the items, so that a new window gets them back.
#pragma once

#include "core/StringList.h"
#include "ui/Control.h"

#include <vector>

namespace quolin {

// The items of a native list: kept here and in the window.
class TControlStrings : public TStrings {
public:
  struct TMessages {
    UINT insert;
    UINT remove;
    UINT reset;
  };

  TControlStrings(TControl& control, TMessages messages) : control_(control), messages_(messages) {}

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& text) override;
  TObject* Objects(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  void Move(int currentIndex, int newIndex) override;

  // A number of the control's own kept with each item through every change of the list (a
  // check list's checks); 0 for a new item.
  int Data(int index) const;
  void PutData(int index, int data);

  // Puts every item into a new window.
  void Reload();

protected:
  void SetUpdateState(bool updating) override;

private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
    int data = 0;
  };
  TControl& control_;
  TMessages messages_;
  std::vector<Item> items_;

  void CheckIndex(int index) const;
  // Puts item in the place of the one at index, in the window too.
  void Replace(int index, const Item& item);
};

class TEdit : public TControl {
public:
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int length);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  int SelStart();
  void SetSelStart(int start);
  int SelLength();
  void SetSelLength(int length);
  std::string SelText();
  void SetSelText(const std::string& text);
  void SelectAll();
  bool Modified();
  void SetModified(bool modified);
  void Undo();
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();
  void ClearSelection();

  TNotifyEvent OnChange;

protected:
  explicit TEdit(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  // The first byte of a double-byte character typed as two WM_CHAR messages.
  char leadByte_ = 0;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TControl {
public:
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  TStrings& Items() { return items_; }
  int ItemIndex();
  void SetItemIndex(int index);
  // A drop-down list's text is its selected item; setting it selects the item of that text.
  std::string Text() const override;
  void SetText(const std::string& text) override;
  int DropDownCount = 8;
  bool DroppedDown();
  void SetDroppedDown(bool dropped);
  // The edit box inside a drop-down or simple combo box.
  HWND EditHandle();
  // True also while the edit box has the focus.
  bool Focused() const override;
  // The edit box's selection; nothing for a drop-down list, which has none.
  int SelStart();
  int SelLength();
  std::string SelText();
  // Replaces the edit box's selection (undoable) by text.
  void SetSelText(const std::string& text);
  void SelectAll();
  void Undo();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  explicit TComboBox(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  int WindowHeight(int height) const override;

  // An owner-drawn drop-down list whose entries are measured one by one; set before the
  // window is made.
  bool OwnerDrawVariable = false;
  // Entry index (-1 for the selection field when the list is empty), whether it is the
  // selection field, and the DRAWITEMSTRUCT's state bits.
  virtual void DrawItem(int index, HDC dc, const RECT& rect, UINT state, bool editPart);
  // The height of an entry; -1 asks for the selection field's.
  virtual int MeasureItem(int index);
  // Every choice of an entry: OnSelect when set, else the change.
  virtual void Select();
  virtual void Change();

private:
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  TControlStrings items_;
  int itemIndex_ = -1;
  HWND edit_ = nullptr;

  // Takes the edit part's keys and focus before its own procedure.
  static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  TReplacedProcedure editProcedure_;
};

class TListBox : public TControl {
public:
  TStrings& Items() { return items_; }
  int ItemIndex();
  void SetItemIndex(int index);
  int TopIndex();
  void SetTopIndex(int index);
  // The item under a client point, or -1.
  int ItemAtPos(POINT point);
  // Owner-drawn rows of ItemHeight pixels, painted by OnDrawItem.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw);
  int ItemHeight = 16;

  std::function<void(TObject* sender, int index, HDC dc, RECT rect, UINT state)> OnDrawItem;

protected:
  explicit TListBox(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  TControlStrings& ItemList() { return items_; }
  const TControlStrings& ItemList() const { return items_; }

private:
  TControlStrings items_;
  int itemIndex_ = -1;
  int topIndex_ = 0;
  bool ownerDraw_ = false;
};

} // namespace quolin
