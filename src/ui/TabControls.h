// The tab strip on the native tab control, and the page control whose tabs are its sheets.
// Both are containers: aligned children fill DisplayRect, and the strip never paints over its
// children. OnChange follows a user's click or key only; setting the tab or page in code raises
// nothing, as TCM_SETCURSEL notifies nobody.
#pragma once

#include "core/StringList.h"
#include "ui/Control.h"

#include <string>
#include <vector>

namespace quolin {

// The native strip that both controls stand on.
class TCustomTabControl : public TControl {
public:
  // Fixed tab width in pixels; 0 sizes each tab by its caption.
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int width);
  // The client area below the tabs (TCM_ADJUSTRECT).
  RECT DisplayRect();
  // The tab under a client point (TCM_HITTEST), or -1.
  int IndexOfTabAt(int x, int y);
  // A tab's rectangle (TCM_GETITEMRECT); empty when there is no such tab.
  RECT TabRect(int index);

  TNotifyEvent OnChange;

protected:
  explicit TCustomTabControl(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void AlignControls(RECT& rect) override;

  // The captions of the tabs, in order.
  virtual std::vector<std::string> TabCaptions() const = 0;
  // The tab to select, or -1.
  virtual int CurrentTab() const = 0;
  // The user chose the tab the window now shows.
  virtual void TabChosen(int index) = 0;
  // The tab the window shows (its selection), or -1.
  int WindowTab() const;
  // Puts the captions and the selection into the window again.
  void UpdateTabs();
  void SelectWindowTab(int index);

private:
  int tabWidth_ = 0;
};

class TTabControl;

// The tabs of a TTabControl: kept here, shown by the strip.
class TTabStrings : public TStrings {
public:
  explicit TTabStrings(TTabControl& control) : control_(control) {}

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& text) override;
  TObject* Objects(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;

protected:
  void SetUpdateState(bool updating) override;

private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  TTabControl& control_;
  std::vector<Item> items_;

  void CheckIndex(int index) const;
  void Changed();
};

class TTabControl : public TCustomTabControl {
public:
  TStrings& Tabs() { return tabs_; }
  // -1 without tabs.
  int TabIndex() const;
  void SetTabIndex(int index);

protected:
  explicit TTabControl(TComponent* owner);
  std::vector<std::string> TabCaptions() const override;
  int CurrentTab() const override { return tabIndex_; }
  void TabChosen(int index) override;

private:
  friend class TTabStrings;
  TTabStrings tabs_;
  int tabIndex_ = -1;

  void TabsChanged();
};

class TPageControl;

// A page of a page control: a painted container with a tab that shows its caption.
class TTabSheet : public TCustomControl {
public:
  TPageControl* PageControl() const { return pageControl_; }
  void SetParent(TControl* parent) override;
  void SetText(const std::string& text) override;
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  // The place among the page control's sheets; -1 outside one.
  int PageIndex() const;
  void SetPageIndex(int index);
  // The place of its tab among the visible tabs; -1 when its tab is hidden.
  int TabIndex() const;

protected:
  explicit TTabSheet(TComponent* owner);

private:
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

class TPageControl : public TCustomTabControl {
public:
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
  TTabSheet* ActivePage() const { return activePage_; }
  // A sheet of this control, or nullptr for none.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

protected:
  explicit TPageControl(TComponent* owner);
  std::vector<std::string> TabCaptions() const override;
  int CurrentTab() const override;
  void TabChosen(int index) override;
  void AlignControls(RECT& rect) override;

private:
  friend class TTabSheet;
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;

  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  void PageTabChanged(TTabSheet* page);
  // The sheet of a tab among the visible ones, or nullptr.
  TTabSheet* PageOfTab(int tabIndex) const;
  TTabSheet* FirstVisibleTabPage() const;
  // Shows page alone; the focus leaves a sheet that goes out of sight.
  void ShowPage(TTabSheet* page);
};

} // namespace quolin
