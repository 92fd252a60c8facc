// Pictures loaded from files by extension, and the image that shows them.
#include "FormFixture.h"
#include "core/PictureSizes.h"
#include "support/TestPictures.h"
#include "ui/Panels.h"
#include "ui/Picture.h"

#include <gtest/gtest.h>

using namespace quolin;
using namespace quolin::test_support;

namespace {

struct ScreenDpi {
  int x, y;
};

ScreenDpi Dpi() {
  HDC screen = GetDC(nullptr);
  ScreenDpi dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  return dpi;
}

void ExpectSize(const std::string& path, int width, int height) {
  TPicture picture;
  ASSERT_TRUE(picture.LoadFromFile(path)) << path;
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(picture.Width(), width) << path;
  EXPECT_EQ(picture.Height(), height) << path;
}

// The colour the image's bitmap shows at a point.
COLORREF ShownAt(HWND image, int x, int y) {
  auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(image, STM_GETIMAGE, IMAGE_BITMAP, 0));
  TMemoryDC dc(bitmap);
  return GetPixel(dc.Get(), x, y);
}

bool Red(COLORREF colour) { return GetRValue(colour) > 200 && GetGValue(colour) < 60; }

} // namespace

TEST(PictureLoad, EachFormatByExtension) {
  TempFolder folder("pic");
  WriteBmp(folder / "a.BMP", 40, 30);
  ExpectSize(folder / "a.BMP", 40, 30);
  WriteJpegFile(folder / "b.Jpg", {379, 190});
  ExpectSize(folder / "b.Jpg", 379, 190);
  WriteJpegFile(folder / "c.jpeg", {4000, 3000, JCS_GRAYSCALE});
  ExpectSize(folder / "c.jpeg", 4000, 3000);
  const ScreenDpi dpi = Dpi();
  WriteEmf(folder / "d.Emf", 10000, 5000);
  ExpectSize(folder / "d.Emf", FrameToPixels(10000, dpi.x), FrameToPixels(5000, dpi.y));
  WritePlaceableWmf(folder / "e.WMF", 1440, 720, 1440);
  ExpectSize(folder / "e.WMF", dpi.x, dpi.y / 2);
}

TEST(PictureLoad, OtherAndBrokenFilesFail) {
  TempFolder folder("pic");
  TempFolder::WriteFile(folder / "a.ps", "%!PS-Adobe-3.0 EPSF-3.0\n");
  TempFolder::WriteFile(folder / "b.jpg", "not a picture");
  TempFolder::WriteFile(folder / "c.wmf", std::string(40, '\x01'));
  TempFolder::WriteFile(folder / "d.bmp", "BM garbage");
  WriteBmp(folder / "e.gif", 4, 4);
  WriteBmp(folder / "loaded.bmp", 4, 4);
  TPicture picture;
  ASSERT_TRUE(picture.LoadFromFile(folder / "loaded.bmp"));
  for (const char* name : {"a.ps", "b.jpg", "c.wmf", "d.bmp", "e.gif", "missing.jpg"}) {
    EXPECT_FALSE(picture.LoadFromFile(folder / name)) << name;
    EXPECT_TRUE(picture.Empty()) << name;
    EXPECT_EQ(picture.Width(), 0) << name;
  }
}

using PictureImage = uitest::FormTest;

TEST_F(PictureImage, AutoSizeTakesThePictureStretchFillsTheImage) {
  TempFolder folder("pic");
  WriteJpegFile(folder / "red.jpg", {60, 20, JCS_RGB, false, true, [](int, int, int channel) {
                                       return uint8_t(channel == 0 ? 255 : 0);
                                     }});
  form->Show();
  auto* image = Add<TImage>("Image1");
  image->SetAutoSize(true);
  ASSERT_TRUE(image->Picture().LoadFromFile(folder / "red.jpg"));
  EXPECT_EQ(uitest::Bounds(*image), "0,0 60x20");
  EXPECT_TRUE(Red(ShownAt(image->Handle(), 30, 10)));

  image->SetAutoSize(false);
  image->SetBounds(0, 0, 100, 100);
  EXPECT_FALSE(Red(ShownAt(image->Handle(), 50, 10))) << "centred at its size";
  EXPECT_TRUE(Red(ShownAt(image->Handle(), 50, 50)));
  image->SetStretch(true);
  EXPECT_TRUE(Red(ShownAt(image->Handle(), 50, 10)));
  image->Picture().Clear();
  EXPECT_EQ(SendMessageA(image->Handle(), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(PictureImage, AnIconSetAfterAPictureStaysThroughResizing) {
  TempFolder folder("pic");
  WriteBmp(folder / "a.bmp", 8, 8);
  form->Show();
  auto* image = Add<TImage>("Image1");
  ASSERT_TRUE(image->Picture().LoadFromFile(folder / "a.bmp"));
  HICON icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_WARNING));
  image->SetIcon(icon);
  image->SetBounds(0, 0, 64, 64);
  image->SetStretch(true);
  EXPECT_EQ(image->Icon(), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(image->Handle(), STM_GETICON, 0, 0)), icon);
}
