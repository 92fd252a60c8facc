#include "ui/Picture.h"

#include "core/Exceptions.h"
#include "core/JpegDecode.h"
#include "core/Paths.h"
#include "core/PictureSizes.h"
#include "core/Platform.h"
#include "core/Sjis.h"
#include "core/WmfHeader.h"
#include "ui/Graphics.h"

#include <cstring>

namespace quolin {

namespace {

// Larger files are not read for a preview: a stray huge file must not take the editor's memory.
constexpr long long MaxPictureFileSize = 64LL * 1024 * 1024;

bool ReadPictureFile(const std::string& fileName, std::string& bytes) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  const long long size = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  if (size > MaxPictureFileSize)
    return false;
  try {
    bytes = ReadFileBytes(fileName);
    return true;
  } catch (const EFileError&) {
    return false;
  }
}

struct ScreenResolution {
  int x = 96, y = 96;
  ScreenResolution() {
    if (HDC screen = GetDC(nullptr)) {
      x = GetDeviceCaps(screen, LOGPIXELSX);
      y = GetDeviceCaps(screen, LOGPIXELSY);
      ReleaseDC(nullptr, screen);
    }
  }
};

} // namespace

TPicture::~TPicture() { Clear(); }

void TPicture::Clear() {
  if (bitmap_)
    DeleteObject(bitmap_);
  if (metafile_)
    DeleteEnhMetaFile(metafile_);
  bitmap_ = nullptr;
  metafile_ = nullptr;
  width_ = height_ = 0;
  Changed();
}

void TPicture::Changed() const {
  if (OnChange)
    OnChange();
}

bool TPicture::LoadFromFile(const std::string& fileName) {
  Clear();
  if (!LoadByExtension(fileName))
    return false;
  Changed();
  return true;
}

bool TPicture::LoadByExtension(const std::string& fileName) {
  const std::string extension = sjis::LowerAscii(ExtractFileExt(fileName));
  if (extension == ".bmp")
    return LoadBitmap(fileName);
  if (extension == ".jpg" || extension == ".jpeg")
    return LoadJpeg(fileName);
  if (extension == ".emf")
    return LoadEnhancedMetafile(fileName);
  if (extension == ".wmf")
    return LoadWindowsMetafile(fileName);
  return false;
}

bool TPicture::LoadBitmap(const std::string& fileName) {
  bitmap_ = static_cast<HBITMAP>(
      LoadImageA(nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  BITMAP info;
  if (!bitmap_ || !GetObjectA(bitmap_, sizeof info, &info)) {
    Clear();
    return false;
  }
  width_ = info.bmWidth;
  height_ = info.bmHeight;
  return true;
}

bool TPicture::LoadJpeg(const std::string& fileName) {
  std::string bytes;
  TJpegImage image;
  if (!ReadPictureFile(fileName, bytes) || !DecodeJpeg(bytes, image))
    return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.Width;
  info.bmiHeader.biHeight = -image.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_ || !bits) {
    Clear();
    return false;
  }
  std::memcpy(bits, image.Pixels.data(), image.Pixels.size());
  width_ = image.HeaderWidth;
  height_ = image.HeaderHeight;
  return true;
}

bool TPicture::LoadEnhancedMetafile(const std::string& fileName) {
  HENHMETAFILE metafile = GetEnhMetaFileA(fileName.c_str());
  ENHMETAHEADER header;
  if (!metafile || !GetEnhMetaFileHeader(metafile, sizeof header, &header)) {
    if (metafile)
      DeleteEnhMetaFile(metafile);
    return false;
  }
  const ScreenResolution screen;
  TakeMetafile(metafile, FrameToPixels(header.rclFrame.right - header.rclFrame.left, screen.x),
               FrameToPixels(header.rclFrame.bottom - header.rclFrame.top, screen.y));
  return !Empty();
}

bool TPicture::LoadWindowsMetafile(const std::string& fileName) {
  std::string bytes;
  TPlaceableHeader header;
  const ScreenResolution screen;
  int width = 0, height = 0;
  if (!ReadPictureFile(fileName, bytes) || !ReadPlaceableHeader(bytes, header) ||
      !PlaceableSizeInPixels(header, screen.x, screen.y, width, height))
    return false;
  // The suggested size, in 0.01 mm.
  METAFILEPICT picture{MM_ANISOTROPIC, (header.Right - header.Left) * 2540 / header.Inch,
                       (header.Bottom - header.Top) * 2540 / header.Inch, nullptr};
  const std::string_view records = std::string_view(bytes).substr(PlaceableHeaderSize);
  TakeMetafile(SetWinMetaFileBits(static_cast<UINT>(records.size()),
                                  reinterpret_cast<const BYTE*>(records.data()), nullptr, &picture),
               width, height);
  return !Empty();
}

// A metafile of no size is no picture.
void TPicture::TakeMetafile(HENHMETAFILE metafile, int width, int height) {
  if (!metafile)
    return;
  if (width <= 0 || height <= 0) {
    DeleteEnhMetaFile(metafile);
    return;
  }
  metafile_ = metafile;
  width_ = width;
  height_ = height;
}

void TPicture::Draw(HDC dc, const RECT& rect) const {
  if (metafile_) {
    PlayEnhMetaFile(dc, metafile_, &rect);
    return;
  }
  if (!bitmap_)
    return;
  BITMAP info;
  GetObjectA(bitmap_, sizeof info, &info);
  TMemoryDC source(bitmap_);
  SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source.Get(),
             0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

} // namespace quolin
