// The glyphs of toolbar buttons. Every state image a button draws is built once into a shared
// image list of its size (TGlyphCache holds one TGlyphList per glyph size); a button's
// TButtonGlyph keeps the index of each state it has built (-1 = not built) and gives the
// indices back when its source, its enabled state or the system colours change. A list whose
// last slot is given back is freed; freed slots are reused before a list grows.
//
// An own glyph is a strip of NumGlyphs images (up, disabled, down, exclusive, mouse-in); its
// lower-left pixel is the transparent colour unless a GlyphMask gives the mask. States the
// strip lacks are drawn from the up image and its mask: the disabled one embossed, the others
// as the up image.
#pragma once

#include "ui/Graphics.h"

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

namespace quolin {

enum TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive, bsMouseIn };
inline constexpr int ButtonStateCount = 5;

// Deletes a GDI object when it goes.
struct GdiObjectDelete {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
template <typename Handle>
using TGdiHandle = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDelete>;

// Selects a GDI object into a DC while it lives.
class TSelected {
public:
  TSelected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~TSelected() { SelectObject(dc_, old_); }
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

// Paints color into dc at (x, y) where the monochrome mask has clear (opaque) bits.
void PaintSilhouette(HDC dc, HBITMAP mask, int x, int y, int width, int height, TColor color);

class TGlyphList {
public:
  TGlyphList(int width, int height);
  ~TGlyphList();
  TGlyphList(const TGlyphList&) = delete;
  TGlyphList& operator=(const TGlyphList&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  HIMAGELIST Handle() const { return handle_; }
  // Stores the image with its mask (set bits transparent) in the first free slot.
  int Add(HBITMAP image, HBITMAP mask);
  void Delete(int index);
  int UsedCount() const;

private:
  HIMAGELIST handle_;
  int width_;
  int height_;
  std::vector<bool> used_;
};

class TGlyphCache {
public:
  // The list of that size, made when there is none.
  TGlyphList* GetList(int width, int height);
  // Frees the slot, and the list with its last slot.
  void ReturnSlot(TGlyphList* list, int index);
  int ListCount() const { return static_cast<int>(lists_.size()); }
  // Used slots over every list.
  int UsedSlots() const;

private:
  std::vector<std::unique_ptr<TGlyphList>> lists_;
};

// The one cache of the process.
TGlyphCache& GlyphCache();

class TButtonGlyph {
public:
  TButtonGlyph() { indexes_.fill(-1); }
  ~TButtonGlyph() { Release(); }
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  const TBitmap& Glyph() const { return glyph_; }
  void SetGlyph(const TBitmap& glyph);
  const TBitmap& GlyphMask() const { return mask_; }
  void SetGlyphMask(const TBitmap& mask);
  // The glyph comes from the list's image of that index while the list is set.
  void SetImages(TImageList* images, int imageIndex);
  // 1 to 5; always 1 with an image list.
  int NumGlyphs() const { return images_ ? 1 : numGlyphs_; }
  void SetNumGlyphs(int count);
  void SetOldDisabledStyle(bool old);

  // The size of one image; 0 x 0 without a glyph.
  SIZE Size() const;
  // Gives every built state back to the cache.
  void Release();
  // Draws the state's image, building it first.
  void Draw(HDC dc, int x, int y, TButtonState state);
  // The cache index of a state, -1 when not built.
  int Index(TButtonState state) const { return indexes_[state]; }

private:
  TBitmap glyph_;
  TBitmap mask_;
  TImageList* images_ = nullptr;
  int imageIndex_ = -1;
  int numGlyphs_ = 1;
  bool oldDisabledStyle_ = false;
  TGlyphList* list_ = nullptr;
  std::array<int, ButtonStateCount> indexes_;

  int Build(TButtonState state);
  // The strip's image number (or the list's image) with its mask.
  void SourceImage(int number, TBitmap& image, TBitmap& mask) const;
  void Embossed(const TBitmap& upMask, TBitmap& image, TBitmap& mask) const;
};

} // namespace quolin
