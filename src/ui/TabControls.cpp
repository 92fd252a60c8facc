#include "ui/TabControls.h"

#include <commctrl.h>

#include <algorithm>

namespace quolin {

TCustomTabControl::TCustomTabControl(TComponent* owner) : TControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
  params.WinClassName = WC_TABCONTROLA;
  params.Native = true;
  // The strip paints its whole client area: never over its children.
  params.Style |= WS_CLIPCHILDREN | (tabWidth_ > 0 ? TCS_FIXEDWIDTH : 0);
}

void TCustomTabControl::CreateWnd() {
  if (tabWidth_ > 0)
    SendMessageA(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth_, 0));
  UpdateTabs();
}

void TCustomTabControl::SetTabWidth(int width) {
  width = std::max(width, 0);
  if (width == tabWidth_)
    return;
  bool styleChanges = (width > 0) != (tabWidth_ > 0);
  tabWidth_ = width;
  if (styleChanges) {
    RecreateWnd();
    return;
  }
  if (HandleAllocated()) {
    SendMessageA(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth_, 0));
    Realign();
  }
}

RECT TCustomTabControl::DisplayRect() {
  RECT rect = ClientRect();
  if (HandleAllocated())
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

int TCustomTabControl::IndexOfTabAt(int x, int y) {
  TCHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  return static_cast<int>(SendMessageA(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

RECT TCustomTabControl::TabRect(int index) {
  RECT rect{};
  if (!SendMessageA(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&rect)))
    return RECT{};
  return rect;
}

int TCustomTabControl::WindowTab() const {
  HWND window = WindowHandle();
  return window ? static_cast<int>(SendMessageA(window, TCM_GETCURSEL, 0, 0)) : -1;
}

void TCustomTabControl::SelectWindowTab(int index) {
  if (HandleAllocated())
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomTabControl::UpdateTabs() {
  if (!HandleAllocated() || Destroying())
    return;
  HWND window = Handle();
  SendMessageA(window, TCM_DELETEALLITEMS, 0, 0);
  std::vector<std::string> captions = TabCaptions();
  for (size_t i = 0; i < captions.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = captions[i].data();
    SendMessageA(window, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SelectWindowTab(CurrentTab());
  Realign(); // the tabs may take more or fewer rows
}

void TCustomTabControl::WndProc(TMessage& message) {
  if (message.Msg == CN_NOTIFY &&
      reinterpret_cast<NMHDR*>(message.LParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
    TabChosen(WindowTab());
    message.Result = 0;
    return;
  }
  TControl::WndProc(message);
}

void TCustomTabControl::AlignControls(RECT& rect) {
  rect = DisplayRect();
  TControl::AlignControls(rect);
}

std::string TTabStrings::Get(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].text;
}

void TTabStrings::Put(int index, const std::string& text) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].text = text;
  Changed();
}

TObject* TTabStrings::Objects(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].object;
}

void TTabStrings::PutObject(int index, TObject* object) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].object = object;
}

void TTabStrings::Insert(int index, const std::string& text) {
  if (index < 0 || index > Count())
    IndexError(index);
  items_.insert(items_.begin() + index, Item{text, nullptr});
  Changed();
}

void TTabStrings::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  Changed();
}

void TTabStrings::Clear() {
  items_.clear();
  Changed();
}

void TTabStrings::SetUpdateState(bool updating) {
  if (!updating)
    control_.TabsChanged();
}

void TTabStrings::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    IndexError(index);
}

void TTabStrings::Changed() {
  if (!Updating())
    control_.TabsChanged();
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner), tabs_(*this) {}

int TTabControl::TabIndex() const {
  return tabIndex_;
}

void TTabControl::SetTabIndex(int index) {
  if (index < 0 || index >= tabs_.Count())
    index = -1;
  tabIndex_ = index;
  SelectWindowTab(index);
}

std::vector<std::string> TTabControl::TabCaptions() const {
  std::vector<std::string> captions;
  for (int i = 0; i < tabs_.Count(); ++i)
    captions.push_back(tabs_.Get(i));
  return captions;
}

void TTabControl::TabChosen(int index) {
  tabIndex_ = index;
  if (OnChange && EventsAllowed())
    OnChange(this);
}

// The first tab is chosen once there are tabs; the index stays within them.
void TTabControl::TabsChanged() {
  int count = tabs_.Count();
  if (count == 0)
    tabIndex_ = -1;
  else
    tabIndex_ = std::clamp(tabIndex_, 0, count - 1);
  UpdateTabs();
}

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 200, 150);
}

void TTabSheet::SetParent(TControl* parent) {
  TPageControl* old = pageControl_;
  TCustomControl::SetParent(parent);
  auto* next = dynamic_cast<TPageControl*>(parent);
  if (next == old)
    return;
  pageControl_ = next;
  if (old)
    old->RemovePage(this);
  if (next)
    next->InsertPage(this);
}

void TTabSheet::SetText(const std::string& text) {
  TCustomControl::SetText(text);
  if (pageControl_)
    pageControl_->PageTabChanged(this);
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == tabVisible_)
    return;
  tabVisible_ = visible;
  if (pageControl_)
    pageControl_->PageTabChanged(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_)
    return -1;
  auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
  if (pageControl_)
    pageControl_->MovePage(this, index);
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_)
    return -1;
  int index = 0;
  for (TTabSheet* page : pageControl_->pages_) {
    if (page == this)
      return index;
    if (page->TabVisible())
      ++index;
  }
  return -1;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

int TPageControl::ActivePageIndex() const {
  return activePage_ ? activePage_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this)
    return;
  if (page == activePage_)
    return;
  ShowPage(page);
  SelectWindowTab(CurrentTab());
}

std::vector<std::string> TPageControl::TabCaptions() const {
  std::vector<std::string> captions;
  for (TTabSheet* page : pages_)
    if (page->TabVisible())
      captions.push_back(page->Caption());
  return captions;
}

int TPageControl::CurrentTab() const {
  return activePage_ ? activePage_->TabIndex() : -1;
}

void TPageControl::TabChosen(int index) {
  ShowPage(PageOfTab(index));
  if (OnChange && EventsAllowed())
    OnChange(this);
}

void TPageControl::AlignControls(RECT& rect) {
  RECT display = DisplayRect();
  for (TTabSheet* page : pages_)
    page->SetBounds(display.left, display.top, display.right - display.left,
                    display.bottom - display.top);
  TCustomTabControl::AlignControls(rect);
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  if (!activePage_ && page->TabVisible())
    activePage_ = page;
  page->SetVisible(page == activePage_);
  UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
  std::erase(pages_, page);
  if (Destroying()) {
    activePage_ = nullptr;
    return;
  }
  if (page == activePage_)
    ShowPage(FirstVisibleTabPage());
  UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  std::erase(pages_, page);
  index = std::clamp(index, 0, PageCount());
  pages_.insert(pages_.begin() + index, page);
  UpdateTabs();
}

void TPageControl::PageTabChanged(TTabSheet* page) {
  if (page == activePage_ && !page->TabVisible())
    ShowPage(FirstVisibleTabPage());
  UpdateTabs();
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const {
  if (tabIndex < 0)
    return nullptr;
  for (TTabSheet* page : pages_)
    if (page->TabVisible() && tabIndex-- == 0)
      return page;
  return nullptr;
}

TTabSheet* TPageControl::FirstVisibleTabPage() const {
  return PageOfTab(0);
}

void TPageControl::ShowPage(TTabSheet* page) {
  TTabSheet* old = activePage_;
  activePage_ = page;
  if (page) {
    RECT display = DisplayRect();
    page->SetBounds(display.left, display.top, display.right - display.left,
                    display.bottom - display.top);
    page->SetVisible(true);
  }
  if (old && old != page && old->HandleAllocated()) {
    // No key may go to a window out of sight.
    HWND focus = GetFocus();
    bool focusLeaves = focus == old->Handle() || IsChild(old->Handle(), focus);
    if (focusLeaves && HandleAllocated() && CanFocus())
      ::SetFocus(Handle());
  }
  for (TTabSheet* other : pages_)
    if (other != page)
      other->SetVisible(false);
}

} // namespace quolin
