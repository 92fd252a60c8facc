// The "TPF0" image of a component's properties: the writer's smallest forms, what the reader
// takes, and damaged images that leave the image unchanged.
#include "core/PropertyStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace quolin;

namespace {

// A short string of the stream.
std::string Short(std::string_view text) {
  return std::string(1, static_cast<char>(text.size())) + std::string(text);
}

std::string LittleEndian(uint32_t value, int count = 4) {
  std::string bytes;
  for (int index = 0; index < count; ++index)
    bytes += static_cast<char>((value >> (8 * index)) & 0xFF);
  return bytes;
}

const std::string kHead = "TPF0" + Short("TEditorProp") + Short("P");
const std::string kEnd(2, '\0');

TComponentImage RichImage() {
  TStreamValue list;
  list.kind = TStreamValue::Kind::List;
  list.items = {TStreamValue::Str(std::string(300, 'w')), TStreamValue::Str("\\表")};
  TStreamValue brackets;
  brackets.kind = TStreamValue::Kind::Collection;
  brackets.collection = {{{"LeftBracket", TStreamValue::Str("{")}},
                         {{"ItemColor.Color", TStreamValue::Identifier("clRed")}}};
  return {"TEditorProp",
          "EditorProp1",
          {{"Margin.Left", TStreamValue::Int(70000)},
           {"Margin.Top", TStreamValue::Int(-300)},
           {"Caret.TabSpaceCount", TStreamValue::Int(4)},
           {"Caret.SoftTab", TStreamValue::Bool(true)},
           {"WordWrap", TStreamValue::Bool(false)},
           {"Font.Style", TStreamValue::SetOf({"fsBold", "fsItalic"})},
           {"ReserveWordList.Strings", list},
           {"View.Brackets", brackets}}};
}

TEST(PropertyStream, SmallestFormsAndReadBack) {
  TComponentImage image{"TEditorProp",
                        "P",
                        {{"A", TStreamValue::Int(4)},
                         {"B", TStreamValue::Int(300)},
                         {"C", TStreamValue::Int(70000)},
                         {"D", TStreamValue::Str(std::string(256, 'x'))}}};
  EXPECT_EQ(WriteComponentImage(image), kHead + Short("A") + std::string("\x02\x04", 2) +
                                            Short("B") + "\x03\x2C\x01" + Short("C") + "\x04" +
                                            LittleEndian(70000) + Short("D") + "\x0C" +
                                            LittleEndian(256) + std::string(256, 'x') + kEnd);
  EXPECT_EQ(WriteComponentImage({"TEditorProp", "P", {}}), kHead + kEnd);
  TComponentImage written = RichImage(), read;
  ASSERT_TRUE(ReadComponentImage(WriteComponentImage(written), read));
  EXPECT_EQ(read.className, written.className);
  EXPECT_EQ(read.name, written.name);
  EXPECT_EQ(read.properties, written.properties);
  // Bytes behind the component are not read.
  EXPECT_TRUE(ReadComponentImage(WriteComponentImage(written) + "garbage", read));
}

TEST(PropertyStream, IntegersTakeTheNextFormJustPastEachEdge) {
  const struct {
    int64_t value;
    TStreamValueType type;
    int bytes;
  } cases[] = {
      {127, vaInt8, 1},        {-128, vaInt8, 1},       {128, vaInt16, 2},   {-129, vaInt16, 2},
      {32767, vaInt16, 2},     {-32768, vaInt16, 2},    {32768, vaInt32, 4}, {-32769, vaInt32, 4},
      {INT32_MAX, vaInt32, 4}, {INT32_MIN, vaInt32, 4},
  };
  for (const auto& c : cases) {
    const TComponentImage image{"TEditorProp", "P", {{"V", TStreamValue::Int(c.value)}}};
    const std::string bytes = WriteComponentImage(image);
    EXPECT_EQ(bytes, kHead + Short("V") + static_cast<char>(c.type) +
                         LittleEndian(static_cast<uint32_t>(c.value), c.bytes) + kEnd)
        << c.value;
    TComponentImage read;
    ASSERT_TRUE(ReadComponentImage(bytes, read)) << c.value;
    EXPECT_EQ(read.properties, image.properties) << c.value;
  }
}

TEST(PropertyStream, CollectionItemsWithOrderNumbersOfEachSize) {
  // Order numbers as one, two and four bytes, each before its item's list; a property follows.
  const std::string items = "\x02\x05\x01" + Short("Left") + "\x06" + Short("{") + '\0' + "\x03" +
                            LittleEndian(300, 2) + "\x01" + Short("Size") + "\x02\x07" + '\0' +
                            "\x04" + LittleEndian(70000) + "\x01" + Short("Bold") + "\x09" + '\0';
  TComponentImage read;
  ASSERT_TRUE(ReadComponentImage(kHead + Short("View.Brackets") + "\x0E" + items + '\0' +
                                     Short("After") + "\x08" + kEnd,
                                 read));
  TStreamValue brackets;
  brackets.kind = TStreamValue::Kind::Collection;
  brackets.collection = {{{"Left", TStreamValue::Str("{")}},
                         {{"Size", TStreamValue::Int(7)}},
                         {{"Bold", TStreamValue::Bool(true)}}};
  EXPECT_EQ(read.properties, (std::vector<TStreamProperty>{{"View.Brackets", brackets},
                                                           {"After", TStreamValue::Bool(false)}}));
}

TEST(PropertyStream, WideAndUtf8StringsAndOrderNumbersAreRead) {
  std::string wide = "\x2D\xFF\x33\xFF"; // ＭＳ in UTF-16LE
  TComponentImage read;
  ASSERT_TRUE(ReadComponentImage(kHead + Short("Font.Name") + "\x12" + LittleEndian(2) + wide +
                                     Short("View.Commenter") + "\x14" + LittleEndian(3) +
                                     "\xEF\xBC\x85" + Short("View.Brackets") + "\x0E" +
                                     std::string("\x02\x00\x01", 3) + kEnd + kEnd,
                                 read));
  ASSERT_EQ(read.properties.size(), 3u);
  EXPECT_EQ(read.properties[0].value, TStreamValue::Str("ＭＳ"));
  EXPECT_EQ(read.properties[1].value, TStreamValue::Str("％"));
  EXPECT_EQ(read.properties[2].value.collection.size(), 1u);
}

TEST(PropertyStream, DamagedImagesLeaveTheImageUnchanged) {
  const TComponentImage before = RichImage();
  TComponentImage image = before;
  auto expectRefused = [&](const std::string& bytes, const std::string& why) {
    EXPECT_FALSE(ReadComponentImage(bytes, image)) << why;
    EXPECT_EQ(image.properties, before.properties) << why;
  };
  std::string good = WriteComponentImage(before);
  for (size_t length = 0; length < good.size(); ++length)
    expectRefused(good.substr(0, length), "cut after " + std::to_string(length) + " bytes");
  expectRefused("TPF1" + good.substr(4), "signature");
  expectRefused(kHead + Short("Color") + "\x05" + std::string(10, 0) + kEnd, "extended value");
  expectRefused(kHead + Short("Unknown") + "\x10" + std::string(8, 0) + kEnd, "unknown type");
  expectRefused(kHead + Short("Font.Name") + "\x12" + LittleEndian(0x40000000) + kEnd,
                "wide string longer than the image");
  expectRefused(kHead + Short("View.Commenter") + "\x14" + LittleEndian(2) + "\xC3\x28" + kEnd,
                "malformed UTF-8");
  expectRefused(kHead + Short("Unknown") + std::string(100, '\x01') + std::string(100, 0) + kEnd,
                "lists nested too deep");
  expectRefused(kHead + Short("View.Brackets") + "\x0E\x06" + Short("x") + kEnd + kEnd,
                "collection item without its list");
}

} // namespace
