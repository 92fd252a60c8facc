// GDI objects of the layer: a control's font (a TFont value with its HFONT and a change
// event), bitmaps and image lists. Handles are owned and released here.
#pragma once

#include "core/Font.h"
#include "ui/Component.h"
#include "ui/Types.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace quolin {

// The font of a control: setting a different value drops the HFONT and raises OnChange.
class TControlFont {
public:
  TControlFont() = default;
  explicit TControlFont(const TFont& value) : value_(value) {}
  TControlFont(const TControlFont&) = delete;
  TControlFont& operator=(const TControlFont&) = delete;
  ~TControlFont();

  const TFont& Value() const { return value_; }
  void Assign(const TFont& value);

  const std::string& Name() const { return value_.Name; }
  int Size() const { return value_.Size; }
  TColor Color() const { return value_.Color; }
  TFontStyles Style() const { return value_.Style; }
  void SetName(const std::string& name);
  void SetSize(int size);
  void SetColor(TColor color);
  void SetStyle(TFontStyles style);
  void SetCharset(uint8_t charset);
  // Character height in pixels (the negative of TFont's height convention is handled there).
  void SetHeight(int pixels);

  // Made when first asked for; valid until the value changes.
  HFONT Handle() const;

  TNotifyEvent OnChange;

private:
  TFont value_;
  mutable HFONT handle_ = nullptr;

  void Changed();
  template <typename Edit> void Change(Edit edit) {
    TFont value = value_;
    edit(value);
    Assign(value);
  }
};

// The size of a line of text in a font on the screen.
SIZE TextExtent(HFONT font, const std::string& text);

// A memory DC that selects a bitmap for its lifetime.
class TMemoryDC {
public:
  explicit TMemoryDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
    old_ = SelectObject(dc_, bitmap);
  }
  ~TMemoryDC() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_; }

private:
  HDC dc_;
  HGDIOBJ old_;
};

// A device-dependent bitmap owned by this object.
class TBitmap {
public:
  TBitmap() = default;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap();

  HBITMAP Handle() const { return handle_; }
  // Takes ownership of handle (nullptr empties).
  void SetHandle(HBITMAP handle);
  HBITMAP ReleaseHandle();
  bool Empty() const { return handle_ == nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // A blank bitmap of that size, compatible with the screen, filled with color.
  void SetSize(int width, int height, TColor color = clWhite);
  // False when the file cannot be read as a bitmap.
  bool LoadFromFile(const std::string& fileName);
  // False when the module has no bitmap resource of that name.
  bool LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void Assign(const TBitmap& source);

private:
  HBITMAP handle_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// A list of same-sized images with masks.
class TImageList : public TComponent {
public:
  HIMAGELIST Handle();
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size empties the list.
  void SetSize(int width, int height);
  int Count() const;

  // Adds every image of the strip (its width divided by the image width, at least one);
  // returns the index of the first. mask may be nullptr.
  int Add(const TBitmap& image, const TBitmap* mask);
  // Pixels of the transparent colour become transparent.
  int AddMasked(const TBitmap& image, TColor transparent);
  // Appends copies of every image of source (same size).
  void AddImages(TImageList& source);
  void Delete(int index);
  void Clear();
  void Draw(HDC dc, int x, int y, int index, bool enabled = true);
  // The image's mask into a monochrome DC at 0, 0: set where the image is transparent.
  void DrawMask(HDC target, int index);

  TNotifyEvent OnChange;

protected:
  using TComponent::TComponent;
  void BeforeDestruction() override;

private:
  HIMAGELIST handle_ = nullptr;
  int width_ = 16;
  int height_ = 16;

  void Changed();
};

} // namespace quolin
