#include "ui/Graphics.h"

#include <algorithm>

namespace quolin {

namespace {

HBITMAP CreateScreenBitmap(int width, int height) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, std::max(width, 1), std::max(height, 1));
  ReleaseDC(nullptr, screen);
  return bitmap;
}

} // namespace

TControlFont::~TControlFont() {
  if (handle_)
    DeleteObject(handle_);
}

void TControlFont::Assign(const TFont& value) {
  if (value == value_)
    return;
  value_ = value;
  Changed();
}

void TControlFont::SetName(const std::string& name) {
  Change([&](TFont& value) { value.Name = name; });
}

void TControlFont::SetSize(int size) {
  Change([&](TFont& value) { value.Size = size; });
}

void TControlFont::SetColor(TColor color) {
  Change([&](TFont& value) { value.Color = color; });
}

void TControlFont::SetStyle(TFontStyles style) {
  Change([&](TFont& value) { value.Style = style; });
}

void TControlFont::SetCharset(uint8_t charset) {
  Change([&](TFont& value) { value.Charset = charset; });
}

void TControlFont::SetHeight(int pixels) {
  Change([&](TFont& value) { value.SetPixelHeight(-pixels); });
}

SIZE TextExtent(HFONT font, const std::string& text) {
  SIZE size{};
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return size;
}

HFONT TControlFont::Handle() const {
  if (!handle_)
    handle_ = static_cast<HFONT>(value_.CreateHandle());
  return handle_;
}

void TControlFont::Changed() {
  if (handle_) {
    DeleteObject(handle_);
    handle_ = nullptr;
  }
  if (OnChange)
    OnChange(nullptr);
}

TBitmap::~TBitmap() {
  SetHandle(nullptr);
}

void TBitmap::SetHandle(HBITMAP handle) {
  if (handle_ && handle_ != handle)
    DeleteObject(handle_);
  handle_ = handle;
  BITMAP info{};
  if (handle_ && GetObjectA(handle_, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  } else {
    width_ = height_ = 0;
  }
}

HBITMAP TBitmap::ReleaseHandle() {
  HBITMAP handle = handle_;
  handle_ = nullptr;
  width_ = height_ = 0;
  return handle;
}

void TBitmap::SetSize(int width, int height, TColor color) {
  HBITMAP bitmap = CreateScreenBitmap(width, height);
  {
    TMemoryDC dc(bitmap);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    RECT rect{0, 0, width, height};
    FillRect(dc.Get(), &rect, brush);
    DeleteObject(brush);
  }
  SetHandle(bitmap);
}

bool TBitmap::LoadFromFile(const std::string& fileName) {
  HANDLE image = LoadImageA(nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  if (!image)
    return false;
  SetHandle(static_cast<HBITMAP>(image));
  return true;
}

bool TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HANDLE image = LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, 0);
  if (!image)
    return false;
  SetHandle(static_cast<HBITMAP>(image));
  return true;
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this)
    return;
  SetHandle(source.handle_
                ? static_cast<HBITMAP>(CopyImage(source.handle_, IMAGE_BITMAP, 0, 0, 0))
                : nullptr);
}

HIMAGELIST TImageList::Handle() {
  if (!handle_)
    handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 16, 16);
  return handle_;
}

void TImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_)
    return;
  if (handle_) {
    ImageList_Destroy(handle_);
    handle_ = nullptr;
  }
  width_ = width;
  height_ = height;
  Changed();
}

int TImageList::Count() const {
  return handle_ ? ImageList_GetImageCount(handle_) : 0;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
  if (image.Empty())
    return -1;
  // ImageList_Add may keep neither handle, but reads the bitmaps; pass copies it can select.
  TBitmap copy;
  copy.Assign(image);
  TBitmap maskCopy;
  if (mask)
    maskCopy.Assign(*mask);
  int index = ImageList_Add(Handle(), copy.Handle(), mask ? maskCopy.Handle() : nullptr);
  Changed();
  return index;
}

int TImageList::AddMasked(const TBitmap& image, TColor transparent) {
  if (image.Empty())
    return -1;
  TBitmap copy;
  copy.Assign(image);
  int index = ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(transparent));
  Changed();
  return index;
}

void TImageList::AddImages(TImageList& source) {
  for (int i = 0; i < source.Count(); ++i) {
    TBitmap image;
    image.SetSize(width_, height_, clBlack);
    TBitmap mask;
    mask.SetHandle(CreateBitmap(width_, height_, 1, 1, nullptr));
    {
      TMemoryDC imageDC(image.Handle());
      ImageList_Draw(source.Handle(), i, imageDC.Get(), 0, 0, ILD_NORMAL);
      TMemoryDC maskDC(mask.Handle());
      source.DrawMask(maskDC.Get(), i);
    }
    ImageList_Add(Handle(), image.Handle(), mask.Handle());
  }
  Changed();
}

void TImageList::DrawMask(HDC target, int index) {
  // Drawn on black and on white: the pixels that differ are the transparent ones. (ILD_MASK
  // draws an opaque mask under Wine.)
  TBitmap onBlack;
  onBlack.SetSize(width_, height_, clBlack);
  TBitmap onWhite;
  onWhite.SetSize(width_, height_, clWhite);
  TMemoryDC blackDC(onBlack.Handle());
  TMemoryDC whiteDC(onWhite.Handle());
  ImageList_Draw(Handle(), index, blackDC.Get(), 0, 0, ILD_NORMAL);
  ImageList_Draw(Handle(), index, whiteDC.Get(), 0, 0, ILD_NORMAL);
  // White where they differ, the colour a monochrome target takes as set: transparent.
  BitBlt(whiteDC.Get(), 0, 0, width_, height_, blackDC.Get(), 0, 0, SRCINVERT);
  SetBkColor(whiteDC.Get(), RGB(255, 255, 255));
  BitBlt(target, 0, 0, width_, height_, whiteDC.Get(), 0, 0, SRCCOPY);
}

void TImageList::Delete(int index) {
  if (handle_ && ImageList_Remove(handle_, index))
    Changed();
}

void TImageList::Clear() {
  if (handle_ && ImageList_RemoveAll(handle_))
    Changed();
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) {
  if (!handle_ || index < 0 || index >= Count())
    return;
  if (enabled) {
    ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT);
    return;
  }
  IMAGELISTDRAWPARAMS params{};
  params.cbSize = sizeof params;
  params.himl = handle_;
  params.i = index;
  params.hdcDst = dc;
  params.x = x;
  params.y = y;
  params.rgbBk = CLR_NONE;
  params.rgbFg = CLR_NONE;
  params.fStyle = ILD_TRANSPARENT;
  params.fState = ILS_SATURATE;
  ImageList_DrawIndirect(&params);
}

void TImageList::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (handle_) {
    ImageList_Destroy(handle_);
    handle_ = nullptr;
  }
}

void TImageList::Changed() {
  if (OnChange && !Destroying())
    OnChange(this);
}

} // namespace quolin
