#include "ui/Panels.h"

#include "ui/Graphics.h"

#include <algorithm>

namespace quolin {

namespace {

void DrawBevel(HDC dc, RECT& rect, TBevelCut bevel) {
  if (bevel == TBevelCut::bvNone)
    return;
  DrawEdge(dc, &rect, bevel == TBevelCut::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
           BF_RECT | BF_ADJUST);
}

} // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  bevelOuter_ = bevel;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
  bevelInner_ = bevel;
  Invalidate();
}

void TPanel::SetText(const std::string& text) {
  TCustomControl::SetText(text);
  Invalidate();
}

void TPanel::Paint(HDC dc) {
  RECT rect = ClientRect();
  DrawBevel(dc, rect, bevelOuter_);
  DrawBevel(dc, rect, bevelInner_);
  std::string caption = Caption();
  if (!caption.empty()) {
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    UINT align = Alignment == TAlignment::taCenter        ? DT_CENTER
                 : Alignment == TAlignment::taRightJustify ? DT_RIGHT
                                                           : DT_LEFT;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &rect,
              align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
  }
  TCustomControl::Paint(dc);
}

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::CreateParams(TCreateParams& params) {
  params.WinClassName = "TGroupBox";
  params.Style |= WS_CLIPCHILDREN;
}

void TGroupBox::SetText(const std::string& text) {
  TCustomControl::SetText(text);
  Invalidate();
}

SIZE TGroupBox::CaptionExtent() {
  std::string caption = Caption();
  RECT rect{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  DrawTextA(dc, caption.empty() ? " " : caption.c_str(),
            caption.empty() ? 1 : static_cast<int>(caption.size()), &rect,
            DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  ReleaseDC(nullptr, dc);
  return SIZE{caption.empty() ? 0 : rect.right - rect.left, rect.bottom - rect.top};
}

void TGroupBox::Paint(HDC dc) {
  constexpr int kCaptionLeft = 8;
  RECT client = ClientRect();
  SIZE caption = CaptionExtent();
  RECT frame{client.left, client.top + caption.cy / 2, client.right, client.bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  std::string text = Caption();
  if (!text.empty()) {
    RECT textRect{kCaptionLeft, 0, kCaptionLeft + caption.cx + 4, caption.cy};
    FillRect(dc, &textRect, Brush());
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ColorToRGB(Font().Color()) : GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_CENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
  }
  TCustomControl::Paint(dc);
}

void TGroupBox::AlignControls(RECT& rect) {
  rect.top += CaptionExtent().cy;
  InflateRect(&rect, -2, -2);
  rect.top = std::min(rect.top, rect.bottom);
  TCustomControl::AlignControls(rect);
}

TFrame::TFrame(TComponent* owner) : TCustomControl(owner), loadsItself_(!Loading()) {
  BeginLoading();
  SetParentColor(true);
  SetBounds(0, 0, 320, 240);
}

void TFrame::AfterConstruction() {
  TCustomControl::AfterConstruction();
  if (loadsItself_)
    EndLoading();
}

void TFrame::Loaded() {
  EndLoadingComponents();
  TCustomControl::Loaded();
}

TLabel::TLabel(TComponent* owner) : TControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

UINT TLabel::DrawFlags() const {
  return DT_CALCRECT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) |
         (showAccelChar_ ? 0 : DT_NOPREFIX);
}

SIZE TLabel::TextExtent(int maxWidth) {
  std::string text = Caption();
  RECT rect{0, 0, maxWidth, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  DrawTextA(dc, text.empty() ? " " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()),
            &rect, DrawFlags());
  SelectObject(dc, oldFont);
  ReleaseDC(nullptr, dc);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void TLabel::AdjustSize() {
  if (!autoSize_)
    return;
  SIZE size = TextExtent(wordWrap_ ? Width() : 0x7FFF);
  SetBounds(Left(), Top(), wordWrap_ ? Width() : static_cast<int>(size.cx),
            static_cast<int>(size.cy));
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustSize();
}

void TLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_)
    return;
  wordWrap_ = wordWrap;
  RecreateWnd();
  AdjustSize();
}

void TLabel::SetShowAccelChar(bool show) {
  if (show == showAccelChar_)
    return;
  showAccelChar_ = show;
  RecreateWnd();
  AdjustSize();
}

void TLabel::SetText(const std::string& text) {
  TControl::SetText(text);
  AdjustSize();
}

void TLabel::FontChanged() {
  TControl::FontChanged();
  AdjustSize();
}

bool TLabel::AcceleratorKey(char key) {
  if (!showAccelChar_ || !FocusControl || !IsAccel(key, Caption()) || !FocusControl->CanFocus())
    return false;
  FocusControl->SetFocus();
  return true;
}

void TLabel::CreateParams(TCreateParams& params) {
  params.WinClassName = "STATIC";
  params.Native = true;
  params.Style |= (wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP) | (showAccelChar_ ? 0 : SS_NOPREFIX);
}

TImage::TImage(TComponent* owner) : TControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 105, 105);
  picture_.OnChange = [this] {
    showsPicture_ = true;
    if (autoSize_ && !picture_.Empty())
      TControl::SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    RenderPicture();
  };
}

void TImage::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_ && !picture_.Empty())
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

void TImage::SetStretch(bool stretch) {
  stretch_ = stretch;
  RenderPicture();
}

void TImage::SetBounds(int left, int top, int width, int height) {
  const bool resized = width != Width() || height != Height();
  TControl::SetBounds(left, top, width, height);
  if (resized)
    RenderPicture();
}

void TImage::RenderPicture() {
  if (!showsPicture_)
    return;
  TBitmap bitmap;
  if (!picture_.Empty() && Width() > 0 && Height() > 0) {
    bitmap.SetSize(Width(), Height(), Color());
    TMemoryDC canvas(bitmap.Handle());
    RECT place{0, 0, Width(), Height()};
    if (!stretch_) {
      place.left = (Width() - picture_.Width()) / 2;
      place.top = (Height() - picture_.Height()) / 2;
      place.right = place.left + picture_.Width();
      place.bottom = place.top + picture_.Height();
    }
    picture_.Draw(canvas.Get(), place);
  }
  CopyBitmap(bitmap);
}

TImage::~TImage() {
  if (bitmap_)
    DeleteObject(bitmap_);
}

void TImage::SetBitmap(const TBitmap& bitmap) {
  showsPicture_ = false;
  CopyBitmap(bitmap);
}

void TImage::CopyBitmap(const TBitmap& bitmap) {
  if (bitmap_)
    DeleteObject(bitmap_);
  bitmap_ = bitmap.Empty()
                ? nullptr
                : static_cast<HBITMAP>(CopyImage(bitmap.Handle(), IMAGE_BITMAP, 0, 0, 0));
  icon_ = nullptr;
  ApplyPicture();
}

void TImage::SetIcon(HICON icon) {
  showsPicture_ = false;
  icon_ = icon;
  if (bitmap_) {
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
  }
  ApplyPicture();
}

void TImage::CreateParams(TCreateParams& params) {
  params.WinClassName = "STATIC";
  params.Native = true;
  params.Style |= SS_CENTERIMAGE | (bitmap_ ? SS_BITMAP : SS_ICON);
}

void TImage::CreateWnd() {
  ApplyPicture();
}

void TImage::ApplyPicture() {
  if (!HandleAllocated())
    return;
  HWND window = Handle();
  LONG style = GetWindowLongA(window, GWL_STYLE) & ~SS_TYPEMASK;
  SetWindowLongA(window, GWL_STYLE, style | (bitmap_ ? SS_BITMAP : SS_ICON));
  if (bitmap_)
    SendMessageA(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
  else
    SendMessageA(window, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
  Invalidate();
}

} // namespace quolin
