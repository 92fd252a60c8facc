#include "toolbar/GlyphCache.h"

#include <algorithm>

namespace quolin {

namespace {

HBITMAP MonochromeBitmap(int width, int height) {
  return CreateBitmap(width, height, 1, 1, nullptr);
}

// The strip's mask: bits set where a pixel has the colour of the lower-left one. Read from the
// device-independent bits, so a palette bitmap is compared by its colours.
HBITMAP MaskOfLowerLeftColour(const TBitmap& strip) {
  const int width = strip.Width();
  const int height = strip.Height();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, strip.Handle(), 0, static_cast<UINT>(height), pixels.data(), &info,
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  const uint32_t transparent = pixels[static_cast<size_t>(height - 1) * static_cast<size_t>(width)];
  const size_t stride = static_cast<size_t>((width + 15) / 16 * 2); // rows of whole words
  std::vector<uint8_t> bits(stride * static_cast<size_t>(height));
  for (size_t y = 0; y < static_cast<size_t>(height); ++y)
    for (size_t x = 0; x < static_cast<size_t>(width); ++x)
      if (pixels[y * static_cast<size_t>(width) + x] == transparent)
        bits[y * stride + x / 8] = static_cast<uint8_t>(bits[y * stride + x / 8] | (0x80 >> (x % 8)));
  return CreateBitmap(width, height, 1, 1, bits.data());
}

void CopyPart(HDC target, const TBitmap& source, int x, int width, int height) {
  TMemoryDC dc(source.Handle());
  BitBlt(target, 0, 0, width, height, dc.Get(), x, 0, SRCCOPY);
}

} // namespace

void PaintSilhouette(HDC dc, HBITMAP mask, int x, int y, int width, int height, TColor color) {
  TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
  TSelected selected(dc, brush.get());
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  TMemoryDC source(mask);
  // PSDPxax: the brush where the source is clear, the target where it is set.
  BitBlt(dc, x, y, width, height, source.Get(), 0, 0, 0x00B8074A);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

TGlyphList::TGlyphList(int width, int height)
    : handle_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4)), width_(width),
      height_(height) {}

TGlyphList::~TGlyphList() {
  ImageList_Destroy(handle_);
}

int TGlyphList::Add(HBITMAP image, HBITMAP mask) {
  auto free = std::find(used_.begin(), used_.end(), false);
  if (free != used_.end()) {
    int index = static_cast<int>(free - used_.begin());
    ImageList_Replace(handle_, index, image, mask);
    *free = true;
    return index;
  }
  used_.push_back(true);
  return ImageList_Add(handle_, image, mask);
}

void TGlyphList::Delete(int index) {
  if (index >= 0 && index < static_cast<int>(used_.size()))
    used_[static_cast<size_t>(index)] = false;
}

int TGlyphList::UsedCount() const {
  return static_cast<int>(std::count(used_.begin(), used_.end(), true));
}

TGlyphList* TGlyphCache::GetList(int width, int height) {
  for (const auto& list : lists_)
    if (list->Width() == width && list->Height() == height)
      return list.get();
  lists_.push_back(std::make_unique<TGlyphList>(width, height));
  return lists_.back().get();
}

void TGlyphCache::ReturnSlot(TGlyphList* list, int index) {
  list->Delete(index);
  if (list->UsedCount() == 0)
    std::erase_if(lists_, [list](const auto& owned) { return owned.get() == list; });
}

int TGlyphCache::UsedSlots() const {
  int used = 0;
  for (const auto& list : lists_)
    used += list->UsedCount();
  return used;
}

TGlyphCache& GlyphCache() {
  static TGlyphCache cache;
  return cache;
}

void TButtonGlyph::SetGlyph(const TBitmap& glyph) {
  Release();
  glyph_.Assign(glyph);
}

void TButtonGlyph::SetGlyphMask(const TBitmap& mask) {
  Release();
  mask_.Assign(mask);
}

void TButtonGlyph::SetImages(TImageList* images, int imageIndex) {
  Release();
  images_ = images;
  imageIndex_ = imageIndex;
}

void TButtonGlyph::SetNumGlyphs(int count) {
  Release();
  numGlyphs_ = std::clamp(count, 1, ButtonStateCount);
}

void TButtonGlyph::SetOldDisabledStyle(bool old) {
  Release();
  oldDisabledStyle_ = old;
}

SIZE TButtonGlyph::Size() const {
  if (images_)
    return imageIndex_ >= 0 && imageIndex_ < images_->Count()
               ? SIZE{images_->Width(), images_->Height()}
               : SIZE{0, 0};
  if (glyph_.Empty())
    return {0, 0};
  return {glyph_.Width() / numGlyphs_, glyph_.Height()};
}

void TButtonGlyph::Release() {
  for (int& index : indexes_) {
    if (index >= 0)
      GlyphCache().ReturnSlot(list_, index);
    index = -1;
  }
  list_ = nullptr;
}

void TButtonGlyph::Draw(HDC dc, int x, int y, TButtonState state) {
  int index = Build(state);
  if (index >= 0)
    ImageList_Draw(list_->Handle(), index, dc, x, y, ILD_TRANSPARENT);
}

int TButtonGlyph::Build(TButtonState state) {
  if (indexes_[state] >= 0)
    return indexes_[state];
  const SIZE size = Size();
  if (size.cx <= 0 || size.cy <= 0)
    return -1;
  TBitmap image;
  TBitmap mask;
  if (state < NumGlyphs()) {
    SourceImage(state, image, mask);
  } else {
    TBitmap upImage;
    TBitmap upMask;
    SourceImage(bsUp, upImage, upMask);
    if (state == bsDisabled) {
      Embossed(upMask, image, mask);
    } else {
      image.SetHandle(upImage.ReleaseHandle());
      mask.SetHandle(upMask.ReleaseHandle());
    }
  }
  {
    // Transparent pixels black, as the list draws the image over the masked background.
    TMemoryDC imageDC(image.Handle());
    TMemoryDC maskDC(mask.Handle());
    BitBlt(imageDC.Get(), 0, 0, size.cx, size.cy, maskDC.Get(), 0, 0, 0x00220326); // DSna
  }
  if (!list_)
    list_ = GlyphCache().GetList(size.cx, size.cy);
  indexes_[state] = list_->Add(image.Handle(), mask.Handle());
  return indexes_[state];
}

void TButtonGlyph::SourceImage(int number, TBitmap& image, TBitmap& mask) const {
  const SIZE size = Size();
  image.SetSize(size.cx, size.cy, clBtnFace);
  mask.SetHandle(MonochromeBitmap(size.cx, size.cy));
  TMemoryDC imageDC(image.Handle());
  TMemoryDC maskDC(mask.Handle());
  if (images_) {
    ImageList_Draw(images_->Handle(), imageIndex_, imageDC.Get(), 0, 0, ILD_NORMAL);
    images_->DrawMask(maskDC.Get(), imageIndex_);
    return;
  }
  const int x = number * size.cx;
  CopyPart(imageDC.Get(), glyph_, x, size.cx, size.cy);
  if (!mask_.Empty()) {
    CopyPart(maskDC.Get(), mask_, x, size.cx, size.cy);
    return;
  }
  TBitmap whole;
  whole.SetHandle(MaskOfLowerLeftColour(glyph_));
  CopyPart(maskDC.Get(), whole, x, size.cx, size.cy);
}

// The up image's shape in the shadow colour, in the newer style over itself in the highlight
// colour 1 pixel down and right.
void TButtonGlyph::Embossed(const TBitmap& upMask, TBitmap& image, TBitmap& mask) const {
  const int width = upMask.Width();
  const int height = upMask.Height();
  image.SetSize(width, height, clBtnFace);
  mask.SetHandle(MonochromeBitmap(width, height));
  {
    TMemoryDC target(mask.Handle());
    TMemoryDC source(upMask.Handle());
    BitBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
    if (!oldDisabledStyle_)
      BitBlt(target.Get(), 1, 1, width, height, source.Get(), 0, 0, SRCAND);
  }
  TMemoryDC dc(image.Handle());
  if (!oldDisabledStyle_)
    PaintSilhouette(dc.Get(), upMask.Handle(), 1, 1, width, height, clBtnHighlight);
  PaintSilhouette(dc.Get(), upMask.Handle(), 0, 0, width, height, clBtnShadow);
}

} // namespace quolin
