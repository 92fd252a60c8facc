// JPEG files for the picture tests, written by libjpeg's compressor into memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace quolin::test {

struct JpegSpec {
  int Width = 1, Height = 1;
  J_COLOR_SPACE ColorSpace = JCS_RGB;
  bool Progressive = false;
  // CMYK files get an Adobe marker (inverted values) unless this is off.
  bool AdobeMarker = true;
  // The sample of a channel at a pixel; a constant grey by default.
  std::function<uint8_t(int x, int y, int channel)> Sample = [](int, int, int) {
    return uint8_t{128};
  };
};

namespace detail {

struct StringDestination {
  jpeg_destination_mgr base;
  std::vector<JOCTET> buffer;
  std::string* out;
};

inline void InitDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<StringDestination*>(info->dest);
  destination->buffer.resize(65536);
  info->dest->next_output_byte = destination->buffer.data();
  info->dest->free_in_buffer = destination->buffer.size();
}

inline boolean EmptyBuffer(j_compress_ptr info) {
  auto* destination = reinterpret_cast<StringDestination*>(info->dest);
  destination->out->append(reinterpret_cast<const char*>(destination->buffer.data()),
                           destination->buffer.size());
  InitDestination(info);
  return TRUE;
}

inline void TermDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<StringDestination*>(info->dest);
  destination->out->append(reinterpret_cast<const char*>(destination->buffer.data()),
                           destination->buffer.size() - info->dest->free_in_buffer);
}

} // namespace detail

// The tests' own pictures are well formed: libjpeg's default error handler is good enough here.
inline std::string WriteJpeg(const JpegSpec& spec) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  std::string out;
  detail::StringDestination destination;
  destination.out = &out;
  destination.base.init_destination = detail::InitDestination;
  destination.base.empty_output_buffer = detail::EmptyBuffer;
  destination.base.term_destination = detail::TermDestination;
  info.dest = &destination.base;
  info.image_width = static_cast<JDIMENSION>(spec.Width);
  info.image_height = static_cast<JDIMENSION>(spec.Height);
  info.input_components = spec.ColorSpace == JCS_GRAYSCALE ? 1 : spec.ColorSpace == JCS_CMYK ? 4 : 3;
  info.in_color_space = spec.ColorSpace;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (spec.ColorSpace == JCS_CMYK)
    info.write_Adobe_marker = spec.AdobeMarker;
  if (spec.Progressive)
    jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(spec.Width) * info.input_components);
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < spec.Width; ++x)
      for (int channel = 0; channel < info.input_components; ++channel)
        row[static_cast<size_t>(x) * info.input_components + channel] = spec.Sample(x, y, channel);
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return out;
}

// The file with the frame header's size replaced.
inline std::string WithFrameSize(std::string jpeg, int width, int height) {
  for (size_t pos = 0; pos + 9 < jpeg.size(); ++pos) {
    const auto marker = static_cast<uint8_t>(jpeg[pos + 1]);
    if (static_cast<uint8_t>(jpeg[pos]) != 0xFF || (marker != 0xC0 && marker != 0xC2))
      continue;
    jpeg[pos + 5] = static_cast<char>(height >> 8);
    jpeg[pos + 6] = static_cast<char>(height & 0xFF);
    jpeg[pos + 7] = static_cast<char>(width >> 8);
    jpeg[pos + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
  }
  throw std::runtime_error("no frame header");
}

// A placeable metafile header over a frame, with its checksum.
inline std::string PlaceableHeaderBytes(int16_t left, int16_t top, int16_t right, int16_t bottom,
                                        uint16_t inch, uint32_t key = 0x9AC6CDD7) {
  const uint16_t words[10] = {static_cast<uint16_t>(key & 0xFFFF), static_cast<uint16_t>(key >> 16),
                              0, static_cast<uint16_t>(left), static_cast<uint16_t>(top),
                              static_cast<uint16_t>(right), static_cast<uint16_t>(bottom),
                              inch, 0, 0};
  std::string bytes;
  uint16_t checksum = 0;
  for (uint16_t word : words) {
    checksum ^= word;
    bytes += static_cast<char>(word & 0xFF);
    bytes += static_cast<char>(word >> 8);
  }
  bytes += static_cast<char>(checksum & 0xFF);
  bytes += static_cast<char>(checksum >> 8);
  return bytes;
}

} // namespace quolin::test
