#include "common/SrgFile.h"
#include "TempFolder.h"
#include "core/Paths.h"

#include <gtest/gtest.h>

using namespace quolin;
using quolin::test_support::TempFolder;

namespace {

class SrgFile : public ::testing::Test {
protected:
  TempFolder folder{"srg"};
  const std::string file = folder / "ユーザー表.dat";
};

TEST_F(SrgFile, ThreeNestedStoragesAreCreatedAndReadBack) {
  EXPECT_TRUE(WriteStreamString(file, "Quolin\\4\\UserData", "Master", "line 1\r\nライン"));
  EXPECT_TRUE(IsStorageFile(file));
  EXPECT_EQ(ReadStreamString(file, "Quolin\\4\\UserData", "Master", "dflt"), "line 1\r\nライン");

  TStorageFile storage;
  ASSERT_TRUE(storage.Open(file, false));
  IStorage* deepest = nullptr;
  TIStorage chain(storage.RootStorage(), "Quolin\\4", false, kStorageModeDefault, deepest);
  EXPECT_TRUE(chain.IsOpen());
  EXPECT_NE(deepest, nullptr);
  TIStorage data(deepest, "UserData", false, kStorageModeDefault, deepest);
  EXPECT_TRUE(data.IsOpen());
}

TEST_F(SrgFile, MissingMiddleStorageGivesTheDefaultAndCreatesNothing) {
  ASSERT_TRUE(WriteStreamString(file, "a\\b\\c", "s", "x"));
  EXPECT_EQ(ReadStreamString(file, "a\\x\\c", "s", "dflt"), "dflt");
  EXPECT_EQ(ReadStreamString(file, "a\\b\\c", "t", "dflt"), "dflt");
  TStorageFile storage;
  ASSERT_TRUE(storage.Open(file, false));
  IStorage* deepest = nullptr;
  TIStorage chain(storage.RootStorage(), "a\\x", false, kStorageModeDefault, deepest);
  EXPECT_FALSE(chain.IsOpen());
  EXPECT_EQ(deepest, nullptr);
  auto stream = storage.OpenStream("a\\b\\c", "t", false, kStorageModeDefault);
  ASSERT_NE(stream, nullptr);
  EXPECT_FALSE(stream->IsOpen());
}

TEST_F(SrgFile, AReadCreatesNoFile) {
  EXPECT_EQ(ReadStreamString(file, "a", "s", "dflt"), "dflt");
  EXPECT_FALSE(FileExists(file));
  TStorageFile storage;
  EXPECT_FALSE(storage.Open(file, false));
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(storage.OpenStream("", "s", true, kStorageModeDefault), nullptr);
}

TEST_F(SrgFile, ShorterTextReplacesLongerWhole) {
  ASSERT_TRUE(WriteStreamString(file, "a", "s", std::string(5000, 'x')));
  ASSERT_TRUE(WriteStreamString(file, "a", "s", "short"));
  EXPECT_EQ(ReadStreamString(file, "a", "s", ""), "short");
  TStorageFile storage;
  ASSERT_TRUE(storage.Open(file));
  auto stream = storage.OpenStream("a", "s", false, kStorageModeDefault);
  ASSERT_TRUE(stream->IsOpen());
  EXPECT_EQ(GetStreamSize(stream->Stream()), 5u);
}

TEST_F(SrgFile, ReadStopsAtAZeroByte) {
  ASSERT_TRUE(WriteStreamString(file, "", "s", std::string("ab\0cd", 5)));
  EXPECT_EQ(ReadStreamString(file, "", "s", "dflt"), "ab");
  ASSERT_TRUE(WriteStreamString(file, "", "empty", ""));
  EXPECT_EQ(ReadStreamString(file, "", "empty", "dflt"), "");
}

TEST_F(SrgFile, EmptyPathPartsAndBackslashNamesAreRefusedBothWays) {
  ASSERT_TRUE(WriteStreamString(file, "a", "s", "x"));
  for (const char* path : {"\\a", "a\\\\b", "a\\"}) {
    EXPECT_FALSE(WriteStreamString(file, path, "s", "y")) << path;
    EXPECT_EQ(ReadStreamString(file, path, "s", "dflt"), "dflt") << path;
  }
  EXPECT_FALSE(WriteStreamString(file, "a", "s\\t", "y"));
  EXPECT_FALSE(WriteStreamString(file, "a", "", "y"));
  EXPECT_EQ(ReadStreamString(file, "a", "s\\t", "dflt"), "dflt");
  EXPECT_EQ(ReadStreamString(file, "a", "s", "dflt"), "x");

  const std::string fresh = folder / "fresh.dat";
  EXPECT_FALSE(WriteStreamString(fresh, "\\a", "s", "y"));
  EXPECT_FALSE(FileExists(fresh));
}

TEST_F(SrgFile, JapaneseNamesWithBackslashSecondBytes) {
  // 表 and ソ end in the byte of "\": they are names, not separators.
  ASSERT_TRUE(WriteStreamString(file, "表\\ソ", "表示", "内容"));
  EXPECT_EQ(ReadStreamString(file, "表\\ソ", "表示", ""), "内容");
  std::string first, rest;
  EXPECT_TRUE(SplitStoragePath("表\\ソ\\x", first, rest));
  EXPECT_EQ(first, "表");
  EXPECT_EQ(rest, "ソ\\x");
  EXPECT_FALSE(SplitStoragePath("ソ", first, rest));
  EXPECT_EQ(first, "ソ");
  EXPECT_TRUE(IsValidStreamName("表"));
}

TEST_F(SrgFile, APlainTextFileIsLeftUnchanged) {
  TempFolder::WriteFile(file, "plain text");
  EXPECT_FALSE(IsStorageFile(file));
  EXPECT_FALSE(WriteStreamString(file, "a", "s", "x"));
  EXPECT_EQ(ReadStreamString(file, "a", "s", "dflt"), "dflt");
  EXPECT_EQ(TempFolder::ReadFile(file), "plain text");
  EXPECT_FALSE(IsStorageFile(folder / "missing.dat"));
}

TEST_F(SrgFile, ASecondOpenFails) {
  TStorageFile first;
  ASSERT_TRUE(first.Open(file));
  TStorageFile second;
  EXPECT_FALSE(second.Open(file));
  EXPECT_FALSE(WriteStreamString(file, "a", "s", "x"));
  first.Close();
  EXPECT_FALSE(first.IsOpen());
  EXPECT_TRUE(second.Open(file));
}

TEST_F(SrgFile, ReadersShareTheFileAndAWriterWaitsForThem) {
  ASSERT_TRUE(WriteStreamString(file, "a", "s", "shared"));
  TStorageFile reader;
  reader.Mode = STGM_READ | STGM_SHARE_DENY_WRITE;
  ASSERT_TRUE(reader.Open(file, false));
  EXPECT_EQ(ReadStreamString(file, "a", "s", "dflt"), "shared") << "a second reader";
  EXPECT_FALSE(WriteStreamString(file, "a", "s", "x")) << "no write under a reader";
  reader.Close();
  TStorageFile writer;
  ASSERT_TRUE(writer.Open(file));
  EXPECT_EQ(ReadStreamString(file, "a", "s", "dflt"), "dflt") << "no read under a writer";
}

TEST_F(SrgFile, StreamObjectsWriteAndRead) {
  TStorageFile storage;
  ASSERT_TRUE(storage.Open(file));
  {
    auto stream = storage.OpenStream("", "Version", true, kStorageModeDefault);
    ASSERT_TRUE(stream->IsOpen());
    EXPECT_TRUE(WriteWholeStream(stream->Stream(), "Quolin Version4.00 DataFile"));
    EXPECT_EQ(GetStreamSize(stream->Stream()), 27u);
    EXPECT_EQ(ReadWholeStream(stream->Stream()), "Quolin Version4.00 DataFile");
  }
  storage.Close();
  EXPECT_EQ(ReadStreamString(file, "", "Version", ""), "Quolin Version4.00 DataFile");
}

} // namespace
