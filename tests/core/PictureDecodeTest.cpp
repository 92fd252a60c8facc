// JPEG decoding for the preview, the placeable metafile header and the picture dialog's sizes.
#include "core/JpegDecode.h"
#include "core/PictureSizes.h"
#include "core/WmfHeader.h"
#include "core/JpegWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace quolin;
using namespace quolin::test;

namespace {

const std::string& Baseline() {
  static const std::string jpeg = WriteJpeg({379, 190, JCS_RGB, false, true,
                                             [](int x, int, int channel) {
                                               return uint8_t(channel == 2 ? 200 : x < 190 ? 0 : 90);
                                             }});
  return jpeg;
}

// Blue, green, red of a decoded pixel.
std::vector<int> PixelAt(const TJpegImage& image, int x, int y) {
  const uint8_t* pixel = image.Pixels.data() + static_cast<size_t>(y) * image.Stride + x * 3;
  return {pixel[0], pixel[1], pixel[2]};
}

void ExpectNear(const std::vector<int>& bgr, const std::vector<int>& expected) {
  for (size_t channel = 0; channel < 3; ++channel)
    EXPECT_LE(std::abs(bgr[channel] - expected[channel]), 4) << "channel " << channel;
}

std::string Cmyk(bool adobe, std::vector<uint8_t> stored) {
  return WriteJpeg({32, 16, JCS_CMYK, false, adobe,
                    [stored](int, int, int channel) { return stored[channel]; }});
}

} // namespace

TEST(PictureDecode, BaselineSizeAndColours) {
  int width = 0, height = 0;
  ASSERT_TRUE(ReadJpegSize(Baseline(), width, height));
  EXPECT_EQ(width, 379);
  EXPECT_EQ(height, 190);
  TJpegImage image;
  ASSERT_TRUE(DecodeJpeg(Baseline(), image));
  EXPECT_EQ(image.HeaderWidth, 379);
  EXPECT_EQ(image.Width, 379);
  EXPECT_EQ(image.Height, 190);
  EXPECT_EQ(image.Stride, 1140);
  EXPECT_EQ(image.Pixels.size(), 1140u * 190);
  ExpectNear(PixelAt(image, 10, 10), {200, 0, 0});
  ExpectNear(PixelAt(image, 300, 100), {200, 90, 90});
}

TEST(PictureDecode, ProgressiveGrey) {
  const std::string jpeg = WriteJpeg({200, 160, JCS_GRAYSCALE, true, true,
                                      [](int, int, int) { return uint8_t{77}; }});
  TJpegImage image;
  ASSERT_TRUE(DecodeJpeg(jpeg, image));
  EXPECT_EQ(image.Width, 200);
  EXPECT_EQ(image.Height, 160);
  EXPECT_EQ(image.Stride, 600);
  ExpectNear(PixelAt(image, 199, 159), {77, 77, 77});
}

TEST(PictureDecode, CmykColours) {
  TJpegImage image;
  // Adobe files store inverted inks: full C and K values mean no cyan and no black ink.
  ASSERT_TRUE(DecodeJpeg(Cmyk(true, {255, 0, 0, 255}), image));
  ExpectNear(PixelAt(image, 5, 5), {0, 0, 255});
  ASSERT_TRUE(DecodeJpeg(Cmyk(true, {255, 255, 255, 128}), image));
  ExpectNear(PixelAt(image, 5, 5), {128, 128, 128});
  ASSERT_TRUE(DecodeJpeg(Cmyk(false, {0, 255, 255, 0}), image));
  ExpectNear(PixelAt(image, 5, 5), {0, 0, 255});
}

TEST(PictureDecode, GarbageAndCutHeaderFail) {
  TJpegImage image;
  int width = 0, height = 0;
  EXPECT_FALSE(DecodeJpeg("not a picture", image));
  EXPECT_FALSE(ReadJpegSize("not a picture", width, height));
  EXPECT_FALSE(DecodeJpeg("", image));
  const std::string cut = Baseline().substr(0, 30);
  EXPECT_FALSE(ReadJpegSize(cut, width, height));
  EXPECT_FALSE(DecodeJpeg(cut, image));
  EXPECT_TRUE(image.Pixels.empty());
}

TEST(PictureDecode, CutInBodyKeepsWhatWasDecoded) {
  const std::string& jpeg = Baseline();
  TJpegImage image;
  ASSERT_TRUE(DecodeJpeg(jpeg.substr(0, jpeg.size() * 2 / 3), image));
  EXPECT_EQ(image.Pixels.size(), 1140u * 190);
  ExpectNear(PixelAt(image, 10, 10), {200, 0, 0});
}

TEST(PictureDecode, LargePicturesDecodedReduced) {
  const std::string jpeg = WriteJpeg({4000, 3000, JCS_GRAYSCALE});
  TJpegImage image;
  ASSERT_TRUE(DecodeJpeg(jpeg, image));
  EXPECT_EQ(image.HeaderWidth, 4000);
  EXPECT_EQ(image.HeaderHeight, 3000);
  EXPECT_EQ(image.Width, 500);
  EXPECT_EQ(image.Height, 375);
  EXPECT_EQ(image.Pixels.size(), 1500u * 375);
}

TEST(PictureDecode, ForgedHeadersGiveNoBuffer) {
  const std::string small = WriteJpeg({16, 16});
  TJpegImage image;
  EXPECT_FALSE(DecodeJpeg(WithFrameSize(small, 60000, 60000), image));
  EXPECT_TRUE(image.Pixels.empty());
  int width = 0, height = 0;
  ASSERT_TRUE(ReadJpegSize(WithFrameSize(small, 60000, 60000), width, height));
  EXPECT_EQ(width, 60000);
  // 32768 / 8 is the longest side decoded; one more eighth is refused.
  EXPECT_TRUE(DecodeJpeg(WithFrameSize(small, 32768, 1200), image));
  EXPECT_EQ(image.Width, 4096);
  EXPECT_FALSE(DecodeJpeg(WithFrameSize(small, 32769, 1200), image));
}

TEST(PictureDecode, ScaleKeepsBothSidesInTheBox) {
  EXPECT_EQ(JpegScaleDenominator(149, 149), 1);
  EXPECT_EQ(JpegScaleDenominator(298, 400), 1);
  EXPECT_EQ(JpegScaleDenominator(299, 400), 2);
  EXPECT_EQ(JpegScaleDenominator(596, 1000), 2);
  EXPECT_EQ(JpegScaleDenominator(597, 1000), 4);
  EXPECT_EQ(JpegScaleDenominator(1192, 1200), 4);
  EXPECT_EQ(JpegScaleDenominator(1193, 1200), 8);
  EXPECT_EQ(JpegScaledSide(1193, 8), 150);
}

TEST(PictureDecode, PlaceableHeader) {
  TPlaceableHeader header;
  ASSERT_TRUE(ReadPlaceableHeader(PlaceableHeaderBytes(0, 0, 1440, 720, 1440), header));
  int width = 0, height = 0;
  ASSERT_TRUE(PlaceableSizeInPixels(header, 96, 120, width, height));
  EXPECT_EQ(width, 96);
  EXPECT_EQ(height, 60);
  ASSERT_TRUE(ReadPlaceableHeader(PlaceableHeaderBytes(-10, 5, -9, 6, 1000), header));
  EXPECT_FALSE(PlaceableSizeInPixels(header, 96, 96, width, height));
  ASSERT_TRUE(ReadPlaceableHeader(PlaceableHeaderBytes(0, 0, 6, 6, 1000), header));
  EXPECT_TRUE(PlaceableSizeInPixels(header, 96, 96, width, height));
  EXPECT_EQ(width, 1);
  ASSERT_TRUE(ReadPlaceableHeader(PlaceableHeaderBytes(10, 0, 10, 6, 1000), header));
  EXPECT_FALSE(PlaceableSizeInPixels(header, 96, 96, width, height));
}

TEST(PictureDecode, NonPlaceableHeadersRefused) {
  TPlaceableHeader header;
  const std::string good = PlaceableHeaderBytes(0, 0, 100, 100, 1440);
  EXPECT_FALSE(ReadPlaceableHeader(good.substr(0, 21), header));
  EXPECT_FALSE(ReadPlaceableHeader(PlaceableHeaderBytes(0, 0, 100, 100, 1440, 0x9AC6CDD6), header));
  EXPECT_FALSE(ReadPlaceableHeader(PlaceableHeaderBytes(0, 0, 100, 100, 0), header));
  std::string badSum = good;
  badSum[20] = static_cast<char>(badSum[20] ^ 1);
  EXPECT_FALSE(ReadPlaceableHeader(badSum, header));
}

TEST(PictureSizes, CentimetresAndScales) {
  EXPECT_EQ(PictureCentimetres(379, 100), "10.00");
  EXPECT_EQ(PictureCentimetres(190, 100), "5.01");
  EXPECT_EQ(PictureCentimetres(379, 50), "4.99");
  EXPECT_EQ(PictureCentimetres(190, 50), "2.51");
  EXPECT_EQ(PictureCentimetres(0, 100), "0.00");
  EXPECT_EQ(ScaleFactorText(100), "1.00");
  EXPECT_EQ(ScaleFactorText(5), "0.05");
  EXPECT_EQ(ScaleFactorText(9999), "99.99");
}

TEST(PictureSizes, PreviewBox) {
  auto same = [](TPreviewSize size, int width, int height, bool stretched) {
    EXPECT_EQ(size.Width, width);
    EXPECT_EQ(size.Height, height);
    EXPECT_EQ(size.Stretched, stretched);
  };
  same(PreviewSize(100, 100), 100, 100, false);
  same(PreviewSize(150, 150), 150, 150, false);
  same(PreviewSize(151, 100), 150, 99, true);
  same(PreviewSize(100, 151), 99, 150, true);
  same(PreviewSize(300, 150), 150, 75, true);
  same(PreviewSize(200, 200), 150, 150, true);
  same(PreviewSize(198, 200), 148, 150, true);
  EXPECT_EQ(AspectRatio(379, 190), 199);
  EXPECT_EQ(AspectRatio(5, 0), 0);
}

TEST(PictureSizes, MetafileFrames) {
  EXPECT_EQ(FrameToPixels(10000, 96), 378);
  EXPECT_EQ(FrameToPixels(2540, 96), 96);
  EXPECT_EQ(FrameToPixels(13, 96), 0);
  EXPECT_EQ(FrameToPixels(14, 96), 1);
}
