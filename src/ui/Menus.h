// Menus: items are components in a tree under a main or pop-up menu. Every visible item is an
// entry of its parent's HMENU; a hidden item is taken out and put back at its place. Images
// come from the menu's image list through HBMMENU_CALLBACK.
#pragma once

#include "ui/Component.h"
#include "ui/Types.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quolin {

class TImageList;
class TMenu;

// Virtual key in the low byte, plus the modifier bits.
using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// Menu items are numbered from here on: a shell context menu merged into a pop-up menu numbers
// its commands below.
inline constexpr UINT FirstMenuCommand = 0x8000;

TShortCut ShortCut(WORD key, TShiftState shift);
// "Ctrl+S", "Shift+F3"; empty for 0.
std::string ShortCutToText(TShortCut shortCut);
// The other way; 0 when the text is not a shortcut.
TShortCut TextToShortCut(const std::string& text);

class TMenuItem : public TComponent {
public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // A caption of "-" makes a separator.
  bool IsLine() const { return caption_ == "-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radioItem);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  std::string Hint;
  // The help topic F1 shows while the item is highlighted; 0 asks its parent.
  int HelpContext = 0;

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item) { Insert(Count(), item); }
  // Raises EInvalidOperation for an item that already has a parent.
  void Insert(int index, TMenuItem* item);
  // Takes the item out without freeing it.
  void Remove(TMenuItem* item);
  void Delete(int index) { Remove(Items(index)); }
  // Frees every sub-item.
  void Clear();
  // The sub-item with that caption (case ignored), or nullptr.
  TMenuItem* Find(const std::string& caption) const;
  // The menu this item belongs to, through its parents.
  TMenu* ParentMenu() const;

  // The sub-menu of an item with sub-items (nullptr without).
  HMENU Handle() const { return handle_; }
  // At least FirstMenuCommand.
  UINT Command() const { return command_; }
  // The item's entry in its parent's menu; text holds the caption the entry points at. A
  // merged menu shows the item through it too (its sub-menu stays the item's).
  MENUITEMINFOA EntryInfo(std::string& text) const;

  virtual void Click();
  TNotifyEvent OnClick;

  // The item with that command number, or nullptr.
  static TMenuItem* FromCommand(UINT command);
  // WM_MEASUREITEM and WM_DRAWITEM of an item's image (ODT_MENU).
  static LRESULT MeasureMenuImage(MEASUREITEMSTRUCT& measure);
  static LRESULT DrawMenuImage(const DRAWITEMSTRUCT& draw);
  // WM_INITMENUPOPUP: the item whose sub-menu opens is clicked, so it can fill or check its
  // sub-items first.
  static void InitMenuPopup(HMENU menu);
  // WM_MENUSELECT: the long hint of the item becomes the application's hint.
  static void MenuSelect(WPARAM wParam, LPARAM lParam);
  // WM_MENUCHAR: the enabled own entry of menu whose caption marks key, chosen
  // (MAKELRESULT(position, MNC_EXECUTE)); MNC_IGNORE when no own entry marks it.
  static LRESULT MenuChar(char key, HMENU menu);
  // WM_HELP of a menu item: OnHelp with the context of the item or of its nearest parent that
  // has one; false when the item is not one of ours or no context is set.
  static bool Help(const HELPINFO& info);

protected:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  void BeforeDestruction() override;

private:
  friend class TMenu;

  std::string caption_;
  TShortCut shortCut_ = 0;
  bool checked_ = false;
  bool radioItem_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  int imageIndex_ = -1;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  HMENU handle_ = nullptr;
  bool ownsHandle_ = true;
  UINT command_ = 0;
  TMenu* menu_ = nullptr; // set on a menu's root item

  int VisiblePosition(const TMenuItem* item) const;
  void InsertEntry(TMenuItem* item);
  void RemoveEntry(TMenuItem* item);
  void UpdateEntry();
  void Changed();
  const TMenuItem* ShortCutItem(TShortCut shortCut) const;
};

class TMenu : public TComponent {
public:
  TMenuItem* Items() const { return items_; }
  HMENU Handle() const { return items_->Handle(); }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // Clicks the enabled item with that shortcut; true when there was one.
  virtual bool IsShortCut(TShortCut shortCut);
  // The item with that command number within this menu, or nullptr.
  TMenuItem* FindItem(UINT command) const;

protected:
  TMenu(TComponent* owner, bool menuBar);
  void Notification(TComponent* component, TOperation operation) override;
  // An entry of the menu changed.
  virtual void MenuChanged() {}

private:
  friend class TMenuItem;
  TMenuItem* items_;
  TImageList* images_ = nullptr;
};

// The menu bar of a form.
class TMainMenu : public TMenu {
public:
  // The window whose bar shows this menu (set by TForm).
  void SetWindow(HWND window) { window_ = window; }

protected:
  explicit TMainMenu(TComponent* owner) : TMenu(owner, true) {}
  void MenuChanged() override;

private:
  HWND window_ = nullptr;
};

enum class TPopupAlignment { paLeft, paRight, paCenter };
enum class TTrackButton { tbRightButton, tbLeftButton };

class TPopupMenu : public TMenu {
public:
  bool AutoPopup = true;
  // Which side of the menu the point of Popup gives, and the button that picks an item.
  TPopupAlignment Alignment = TPopupAlignment::paLeft;
  TTrackButton TrackButton = TTrackButton::tbRightButton;
  TNotifyEvent OnPopup;
  // The control the menu was last opened for.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component);
  // Raises OnPopup, shows the menu at the screen point and clicks the chosen item.
  virtual void Popup(int x, int y);

protected:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner, false) {}
  // TrackPopupMenuEx's flags: the returned command, Alignment and TrackButton.
  UINT TrackFlags() const;
  void Notification(TComponent* component, TOperation operation) override;

private:
  TComponent* popupComponent_ = nullptr;
};

} // namespace quolin
