// libjpeg is C: an exception thrown through it ends the process, and its default error handler
// calls exit(). Its errors longjmp back here instead, and nothing with a destructor lives in the
// frames between setjmp and longjmp.
#include "core/JpegDecode.h"

#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>

namespace quolin {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void JumpBack(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void SayNothing(j_common_ptr) {}

// A source over bytes in memory; at their end it feeds an end-of-image marker, so a file cut
// short ends its picture where the bytes end (libjpeg fills the rest) and one cut in its
// header has no image.
const JOCTET EndOfImage[] = {0xFF, JPEG_EOI};

void InitSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info) {
  info->src->next_input_byte = EndOfImage;
  info->src->bytes_in_buffer = sizeof EndOfImage;
  return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
  if (count <= 0)
    return;
  while (static_cast<unsigned long>(count) > info->src->bytes_in_buffer) {
    count -= static_cast<long>(info->src->bytes_in_buffer);
    FillInput(info);
  }
  info->src->next_input_byte += count;
  info->src->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

struct MemorySource {
  jpeg_source_mgr base;
};

void UseMemorySource(j_decompress_ptr info, MemorySource& source, std::string_view bytes) {
  source.base.next_input_byte = reinterpret_cast<const JOCTET*>(bytes.data());
  source.base.bytes_in_buffer = bytes.size();
  source.base.init_source = InitSource;
  source.base.fill_input_buffer = FillInput;
  source.base.skip_input_data = SkipInput;
  source.base.resync_to_restart = jpeg_resync_to_restart;
  source.base.term_source = TermSource;
  info->src = &source.base;
}

void StartDecompressor(jpeg_decompress_struct& info, ErrorManager& errors, MemorySource& source,
                       std::string_view bytes) {
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpBack;
  errors.base.output_message = SayNothing;
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = JpegMaxWorkMemory;
  UseMemorySource(&info, source, bytes);
}

uint8_t Clamp(int value) { return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value); }

// One decoded row to blue, green, red. Files with an Adobe marker store CMYK inverted.
void ConvertRow(const jpeg_decompress_struct& info, const JSAMPLE* row, uint8_t* out) {
  for (JDIMENSION x = 0; x < info.output_width; ++x, out += 3) {
    if (info.out_color_space == JCS_GRAYSCALE) {
      out[0] = out[1] = out[2] = row[x];
    } else if (info.out_color_space == JCS_CMYK) {
      const JSAMPLE* cmyk = row + x * 4;
      const int key = info.saw_Adobe_marker ? cmyk[3] : 255 - cmyk[3];
      for (int channel = 0; channel < 3; ++channel) {
        const int ink = info.saw_Adobe_marker ? cmyk[2 - channel] : 255 - cmyk[2 - channel];
        out[channel] = Clamp(ink * key / 255);
      }
    } else {
      const JSAMPLE* rgb = row + x * 3;
      out[0] = rgb[2];
      out[1] = rgb[1];
      out[2] = rgb[0];
    }
  }
}

bool TakeBuffer(TJpegImage& image) {
  try {
    image.Pixels.assign(static_cast<size_t>(image.Stride) * static_cast<size_t>(image.Height), 0);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

} // namespace

int JpegScaleDenominator(int width, int height) {
  for (int denominator : {8, 4, 2})
    if (JpegScaledSide(width, denominator) >= JpegPreviewBox &&
        JpegScaledSide(height, denominator) >= JpegPreviewBox)
      return denominator;
  return 1;
}

int JpegScaledSide(int side, int denominator) { return (side + denominator - 1) / denominator; }

bool ReadJpegSize(std::string_view bytes, int& width, int& height) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  MemorySource source;
  StartDecompressor(info, errors, source, bytes);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_read_header(&info, TRUE);
  width = static_cast<int>(info.image_width);
  height = static_cast<int>(info.image_height);
  jpeg_destroy_decompress(&info);
  return true;
}

bool DecodeJpeg(std::string_view bytes, TJpegImage& image) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  MemorySource source;
  StartDecompressor(info, errors, source, bytes);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    image.Pixels.clear();
    return false;
  }
  jpeg_read_header(&info, TRUE);
  image.HeaderWidth = static_cast<int>(info.image_width);
  image.HeaderHeight = static_cast<int>(info.image_height);
  info.scale_num = 1;
  info.scale_denom = static_cast<unsigned>(JpegScaleDenominator(image.HeaderWidth, image.HeaderHeight));
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  const bool gray = info.jpeg_color_space == JCS_GRAYSCALE;
  info.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_calc_output_dimensions(&info);
  image.Width = static_cast<int>(info.output_width);
  image.Height = static_cast<int>(info.output_height);
  image.Stride = (image.Width * 3 + 3) & ~3;
  if (image.Width > JpegMaxDecodedSide || image.Height > JpegMaxDecodedSide || !TakeBuffer(image)) {
    jpeg_destroy_decompress(&info);
    image.Pixels.clear();
    return false;
  }
  jpeg_start_decompress(&info);
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * info.output_components, 1);
  while (info.output_scanline < info.output_height) {
    uint8_t* out = image.Pixels.data() + static_cast<size_t>(info.output_scanline) * image.Stride;
    if (jpeg_read_scanlines(&info, row, 1) != 1)
      break;
    ConvertRow(info, row[0], out);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

} // namespace quolin
