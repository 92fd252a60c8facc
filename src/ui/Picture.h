// A picture loaded from a file for previews: a DIB section (bitmaps, JPEG files) or an
// enhanced metafile (".emf", and ".wmf" with a placeable header).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quolin {

class TPicture {
public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;
  ~TPicture();

  // The picture's size in pixels (a JPEG's by its header, a metafile's at the screen's
  // resolution); 0 when empty.
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return !bitmap_ && !metafile_; }
  // Chosen by the extension, case ignored: ".bmp", ".jpg", ".jpeg", ".emf", ".wmf". False, and
  // empty, for any other, and for a file that cannot be read or decoded.
  bool LoadFromFile(const std::string& fileName);
  void Clear();
  // Draws the picture stretched into rect.
  void Draw(HDC dc, const RECT& rect) const;

  // After every load and clear.
  std::function<void()> OnChange;

private:
  HBITMAP bitmap_ = nullptr;
  HENHMETAFILE metafile_ = nullptr;
  int width_ = 0, height_ = 0;

  bool LoadByExtension(const std::string& fileName);
  void Changed() const;
  bool LoadBitmap(const std::string& fileName);
  bool LoadJpeg(const std::string& fileName);
  bool LoadEnhancedMetafile(const std::string& fileName);
  bool LoadWindowsMetafile(const std::string& fileName);
  void TakeMetafile(HENHMETAFILE metafile, int width, int height);
};

} // namespace quolin
