// The command image strips inside Quolin.exe: the script's output, loaded as start-up loads
// them, and drawing wherever a master of the shipped data points.
#include "app/TopUnit.h"
#include "common/TempFolder.h"
#include "common/UserDataFile.h"
#include "core/CommandRecords.h"
#include "core/StringList.h"
#include "ui/Graphics.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

using namespace quolin;
using quolin::test_support::TempFolder;

namespace {

constexpr int ImageSize = 16;
constexpr int FirstStripImages = 117;
constexpr TColor Ground = 0x123456; // in no picture's palette

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes of a bitmap resource: its header and bits, as in the file after its file header.
std::string ResourceBytes(HMODULE module, const char* name) {
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(2)); // RT_BITMAP
  if (!found)
    return {};
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  return bytes ? std::string(bytes, SizeofResource(module, found)) : std::string();
}

class CommandImages : public ::testing::Test {
protected:
  HMODULE program = nullptr;
  TempFolder userData{"CommandImages"};
  TOwned<TImageList> images{TComponent::Create<TImageList>(nullptr)};

  void SetUp() override {
    program = LoadLibraryExA((ProgramFolder() + "Quolin.exe").c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
  }
  void TearDown() override {
    if (program)
      FreeLibrary(program);
  }

  void LoadList() {
    TOwned<TImageList> loading(TComponent::Create<TImageList>(nullptr));
    LoadCommandImageList(*images, *loading, userData.Path(), program);
  }
  int SecondStripImages() {
    const std::string bits = ResourceBytes(program, "TOOLBTN2");
    return bits.size() < sizeof(BITMAPINFOHEADER)
               ? 0
               : reinterpret_cast<const BITMAPINFOHEADER*>(bits.data())->biWidth / ImageSize;
  }
  // Whether drawing the image changes any pixel of a plain ground.
  bool Draws(int index) {
    TBitmap canvas;
    canvas.SetSize(ImageSize, ImageSize, Ground);
    TMemoryDC dc(canvas.Handle());
    images->Draw(dc.Get(), 0, 0, index);
    for (int y = 0; y < ImageSize; ++y)
      for (int x = 0; x < ImageSize; ++x)
        if (GetPixel(dc.Get(), x, y) != static_cast<COLORREF>(Ground))
          return true;
    return false;
  }
};

TEST_F(CommandImages, ProgramCarriesTheDrawnStrips) {
  for (const char* name : {"TOOLBTN", "TOOLBTN2"}) {
    SCOPED_TRACE(name);
    std::string file = ReadBytes(std::string(QUOLIN_GENERATED "\\") +
                                 (name == std::string("TOOLBTN") ? "toolbtn.bmp" : "toolbtn2.bmp"));
    ASSERT_GT(file.size(), sizeof(BITMAPFILEHEADER));
    std::string resource = ResourceBytes(program, name);
    ASSERT_GT(resource.size(), sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(resource, file.substr(sizeof(BITMAPFILEHEADER)));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(resource.data());
    EXPECT_EQ(header->biHeight, ImageSize);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header->biWidth % ImageSize, 0);
  }
  const std::string first = ResourceBytes(program, "TOOLBTN");
  EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(first.data())->biWidth,
            FirstStripImages * ImageSize);
  EXPECT_GE(SecondStripImages(), 2);
}

TEST_F(CommandImages, StartupListPadsTheFirstStripToTheSecond) {
  LoadList();
  ASSERT_EQ(images->Count(), SecondStripImage + SecondStripImages());
  EXPECT_TRUE(Draws(0));
  EXPECT_TRUE(Draws(FirstUserImage - 1));
  EXPECT_FALSE(Draws(FirstUserImage));
  EXPECT_FALSE(Draws(SecondStripImage - 1));
  EXPECT_TRUE(Draws(SecondStripImage));
  // The last image is the blank spare; the one before it is drawn.
  EXPECT_TRUE(Draws(images->Count() - 2));
  EXPECT_FALSE(Draws(images->Count() - 1));
}

TEST_F(CommandImages, EveryImageTheShippedDataNamesDraws) {
  LoadList();
  TStringList masters, groups;
  ASSERT_TRUE(LoadMasterData(ProgramFolder() + "default.dat", masters, groups));
  int named = 0;
  for (const TStringList* list : {&masters, &groups})
    for (int i = 0; i < list->Count(); ++i) {
      TQuolin_CmdList record;
      ParseMasterRecord((*list)[i], record);
      if (record.ImgIndex == NoImage)
        continue;
      ++named;
      ASSERT_LT(record.ImgIndex, images->Count()) << record.Id;
      EXPECT_TRUE(Draws(record.ImgIndex)) << record.Id << " image " << record.ImgIndex;
    }
  EXPECT_GT(named, 100);
}

} // namespace
