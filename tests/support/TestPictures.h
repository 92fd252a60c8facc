// Picture files for the picture tests: JPEGs from libjpeg's compressor, and a bitmap, an
// enhanced metafile and a placeable Windows metafile from the platform.
#pragma once

#include "common/TempFolder.h"
#include "core/JpegWriter.h"
#include "core/WmfHeader.h"

#include <windows.h>

#include <string>

namespace quolin::test_support {

// A 24-bit bottom-up bitmap file of one colour.
inline void WriteBmp(const std::string& path, int width, int height) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  bytes.append(static_cast<size_t>(stride) * height, '\x40');
  TempFolder::WriteFile(path, bytes);
}

// An enhanced metafile whose frame is width × height in 0.01 mm, with a rectangle in it.
inline void WriteEmf(const std::string& path, int width, int height) {
  const RECT frame{0, 0, width, height};
  HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr);
  Rectangle(dc, 0, 0, 50, 25);
  DeleteEnhMetaFile(CloseEnhMetaFile(dc));
}

// A Windows metafile with a placeable header whose frame is right × bottom units at inch units
// per inch.
inline void WritePlaceableWmf(const std::string& path, int16_t right, int16_t bottom,
                              uint16_t inch) {
  HDC dc = CreateMetaFileA(nullptr);
  SetWindowExtEx(dc, right, bottom, nullptr);
  Rectangle(dc, 0, 0, right, bottom);
  HMETAFILE metafile = CloseMetaFile(dc);
  std::string records(GetMetaFileBitsEx(metafile, 0, nullptr), '\0');
  GetMetaFileBitsEx(metafile, static_cast<UINT>(records.size()), records.data());
  DeleteMetaFile(metafile);
  TempFolder::WriteFile(path, quolin::test::PlaceableHeaderBytes(0, 0, right, bottom, inch) + records);
}

inline void WriteJpegFile(const std::string& path, const quolin::test::JpegSpec& spec) {
  TempFolder::WriteFile(path, quolin::test::WriteJpeg(spec));
}

} // namespace quolin::test_support
