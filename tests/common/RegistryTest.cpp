#include "common/Registry.h"
#include "RegistryProbe.h"
#include "core/ResConst.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

using namespace quolin;
using namespace quolin::test_support;

namespace {

class Registry : public ::testing::Test {
protected:
  TestKey testKey;
  const std::string& base = testKey.Path();

  void SetUp() override { RegSetBase(HKEY_CURRENT_USER, "\\" + base + "\\Quolin\\4.2"); }
  void TearDown() override { RegSetBase(HKEY_CURRENT_USER, res::RegBasePathDefault); }

  std::string Section(const std::string& name) const { return base + "\\Quolin\\4.2\\" + name; }
  RawValue Stored(const std::string& section, const std::string& name) const {
    return QueryRaw(HKEY_CURRENT_USER, Section(section), name);
  }
};

TEST_F(Registry, TypedWritesStoreTheirTypesAndSizes) {
  TStringList lines;
  lines.SetText("a\r\n\r\n");
  const unsigned char block[3] = {1, 2, 0};
  ASSERT_TRUE(RegWriteInteger("Editor", "Width", -2));
  ASSERT_TRUE(RegWriteString("Editor", "Name", "表示"));
  ASSERT_TRUE(RegWriteBool("Editor", "On", true));
  ASSERT_TRUE(RegWriteBool("Editor", "Off", false));
  ASSERT_TRUE(RegWriteText("Editor", "Text", "AB"));
  ASSERT_TRUE(RegWriteText("Editor", "Empty", ""));
  ASSERT_TRUE(RegWriteStrings("Editor", "Lines", lines));
  ASSERT_TRUE(RegWriteBinary("Editor", "Block", block, 3));
  const std::pair<const char*, RawValue> stored[] = {
      {"Width", DwordValue(0xFFFFFFFE)},
      {"Name", SzValue("表示")},
      {"On", BoolValue(true)},
      {"Off", BoolValue(false)},
      {"Text", BinaryValue("\xBE\xBD")}, // inverted
      {"Empty", BinaryValue("")},
      {"Lines", BinaryValue("\x9E\xF2\xF5\xF2\xF5")}, // "a\r\n\r\n" inverted
      {"Block", BinaryValue(std::string("\x01\x02\x00", 3))},
  };
  for (const auto& [name, value] : stored)
    EXPECT_EQ(Stored("Editor", name), value) << name;
}

TEST_F(Registry, TypedReadsRoundTripAndGiveDefaultsWhenMissing) {
  EXPECT_EQ(RegReadInteger("Editor", "Width", 7), 7);
  EXPECT_EQ(RegReadString("Editor", "Name", "none"), "none");
  EXPECT_TRUE(RegReadBool("Editor", "On", true));
  EXPECT_EQ(RegReadText("Editor", "Text", "dflt"), "dflt");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Section("Editor"))) << "a read created the key";

  RegWriteInteger("Editor", "Width", INT32_MIN);
  RegWriteString("Editor", "Name", "表\\ソ");
  RegWriteBool("Editor", "On", false);
  const std::string text("一\r\n\0二\r\n", 10);
  RegWriteText("Editor", "Text", text);
  EXPECT_EQ(RegReadInteger("Editor", "Width", 7), INT32_MIN);
  EXPECT_EQ(RegReadString("Editor", "Name", ""), "表\\ソ");
  EXPECT_FALSE(RegReadBool("Editor", "On", true));
  EXPECT_EQ(RegReadText("Editor", "Text", ""), text);

  TStringList lines;
  lines.SetText("keep");
  EXPECT_FALSE(RegReadStrings("Editor", "Missing", lines));
  EXPECT_EQ(lines.Text(), "keep\r\n");
  TStringList stored;
  stored.SetText("x\r\ny\r\n");
  RegWriteStrings("Editor", "Lines", stored);
  EXPECT_TRUE(RegReadStrings("Editor", "Lines", lines));
  EXPECT_TRUE(lines.Equals(stored));
}

TEST_F(Registry, BooleanIsTrueOnlyForByteOneOrNonZeroDword) {
  // Each stored value with what it reads as: "true", "false" or the default.
  const std::pair<RawValue, std::string> cases[] = {
      {BinaryValue("\x02"), "false"}, {BinaryValue(std::string("\x01\x00\x00", 3)), "true"},
      {BinaryValue(""), "default"},   {DwordValue(1), "true"},
      {DwordValue(0), "false"},       {SzValue("1"), "default"}};
  for (const auto& [value, reads] : cases) {
    SetRaw(HKEY_CURRENT_USER, Section("B"), "V", value);
    for (bool fallback : {false, true})
      EXPECT_EQ(RegReadBool("B", "V", fallback), reads == "default" ? fallback : reads == "true")
          << ::testing::PrintToString(value) << " default " << fallback;
  }
}

TEST_F(Registry, WrongTypesGiveTheDefaultButTextTakesAPlainString) {
  SetRaw(HKEY_CURRENT_USER, Section("W"), "Str", SzValue("12"));
  SetRaw(HKEY_CURRENT_USER, Section("W"), "Num", DwordValue(12));
  SetRaw(HKEY_CURRENT_USER, Section("W"), "Short", BinaryValue("\x01\x02"));
  SetRaw(HKEY_CURRENT_USER, Section("W"), "List", SzValue("p\r\nq"));
  EXPECT_EQ(RegReadInteger("W", "Str", -1), -1);
  EXPECT_EQ(RegReadString("W", "Num", "d"), "d");
  EXPECT_EQ(RegReadText("W", "Num", "d"), "d");
  EXPECT_EQ(RegReadText("W", "Str", ""), "12");
  TStringList lines;
  EXPECT_TRUE(RegReadStrings("W", "List", lines));
  EXPECT_EQ(lines.Text(), "p\r\nq\r\n");
  uint32_t buffer = 0xAAAAAAAA;
  EXPECT_FALSE(RegReadBinary("W", "Short", &buffer, sizeof buffer));
  EXPECT_EQ(buffer, 0xAAAAAAAAu) << "a refused read must not fill the buffer";
  EXPECT_FALSE(RegReadBinary("W", "Num", &buffer, sizeof buffer));
  uint16_t exact = 0;
  EXPECT_TRUE(RegReadBinary("W", "Short", &exact, sizeof exact));
  EXPECT_EQ(exact, 0x0201);
}

TEST_F(Registry, OneKeyByThreeSpellings) {
  const std::string fullBase = RegBase();
  EXPECT_EQ(RegFullKey("Editor"), fullBase + "\\Editor");
  EXPECT_EQ(RegFullKey("\\Editor"), fullBase + "\\Editor");
  std::string lower = fullBase;
  for (char& ch : lower)
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  EXPECT_EQ(RegFullKey(lower + "\\Editor"), lower + "\\Editor");
  // A longer name that merely begins like the base path is a section of its own.
  EXPECT_EQ(RegFullKey(fullBase + "X\\Editor"), fullBase + fullBase + "X\\Editor");

  RegWriteInteger("Editor", "A", 1);
  RegWriteInteger("\\Editor", "B", 2);
  RegWriteInteger(lower + "\\Editor", "C", 3);
  EXPECT_EQ(RegReadInteger(lower + "\\EDITOR", "A", 0), 1);
  EXPECT_EQ(RegReadInteger("Editor", "B", 0), 2);
  EXPECT_EQ(RegReadInteger("\\Editor", "C", 0), 3);
  EXPECT_EQ(Stored("Editor", "C"), DwordValue(3));
}

TEST_F(Registry, SetBaseDefaultsRootAddsLeadingBackslashAndEmptyNamesDoNothing) {
  RegSetBase(nullptr, base + "\\Other");
  EXPECT_EQ(RegRoot(), HKEY_CURRENT_USER);
  EXPECT_EQ(RegBase(), "\\" + base + "\\Other");
  EXPECT_TRUE(RegWriteInteger("S", "V", 5));
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, base + "\\Other\\S", "V"), DwordValue(5));
  RegSetBase(HKEY_CURRENT_USER, "");
  EXPECT_EQ(RegBase(), "");
  EXPECT_EQ(RegFullKey("Editor"), "\\Editor");
  RegSetBase(HKEY_CURRENT_USER, "\\" + base + "\\Quolin\\4.2");
  EXPECT_FALSE(RegWriteInteger("", "V", 1));
  EXPECT_FALSE(RegWriteInteger("Editor", "", 1));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Section("Editor")));
  int value = 9;
  std::string text;
  EXPECT_FALSE(RegReadValue(nullptr, "", "V", rkInteger, text, sizeof value, &value));
  EXPECT_EQ(value, 9);
  EXPECT_FALSE(RegDeleteValue(nullptr, "", "V"));
  EXPECT_FALSE(RegDeleteKey(nullptr, ""));
  EXPECT_FALSE(RegDeleteKey(nullptr, "\\"));
}

TEST_F(Registry, GenericKindsReadAndWrite) {
  int one = 7;
  ASSERT_TRUE(RegWriteValue(nullptr, "G", "Flag", rkBoolDword, sizeof one, &one));
  EXPECT_EQ(Stored("G", "Flag"), DwordValue(1));
  int flag = 0;
  std::string unused;
  EXPECT_TRUE(RegReadValue(nullptr, "G", "Flag", rkBoolDword, unused, sizeof flag, &flag));
  EXPECT_EQ(flag, 1);

  const std::string text("x\0y", 3);
  ASSERT_TRUE(RegWriteValue(nullptr, "G", "Inv", rkInvertedText, static_cast<uint32_t>(text.size()),
                            text.data()));
  std::string back;
  EXPECT_TRUE(RegReadValue(nullptr, "G", "Inv", rkInvertedText, back, 0, nullptr));
  EXPECT_EQ(back, text);
  EXPECT_FALSE(RegReadValue(nullptr, "G", "Missing", rkString, back, 0, nullptr));
}

TEST_F(Registry, DeletesReportWhatTheyRemoved) {
  const std::string key = RegFullKey("D");
  EXPECT_FALSE(RegDeleteValue(nullptr, key, "V"));
  RegWriteInteger("D", "V", 1);
  RegWriteInteger("D\\Sub\\Deeper", "W", 2);
  EXPECT_TRUE(RegDeleteValue(nullptr, key, "V"));
  EXPECT_FALSE(Stored("D", "V").found);
  EXPECT_FALSE(RegDeleteValue(HKEY_CURRENT_USER, key, "V"));
  EXPECT_TRUE(RegDeleteKey(nullptr, key));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Section("D")));
  EXPECT_FALSE(RegDeleteKey(nullptr, key));
}

TEST_F(Registry, ExplicitRootIgnoresBaseAndChecksTypes) {
  const std::string key = "\\" + base + "\\Direct";
  RegWriteIntegerRoot(nullptr, key, "N", 42);
  EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, base + "\\Direct", "N").data, Dword(42));
  EXPECT_EQ(RegReadDwordRoot(HKEY_CURRENT_USER, key, "N", -1), 42);
  EXPECT_EQ(RegReadStringRoot(HKEY_CURRENT_USER, key, "N", "d"), "d");
  SetRaw(HKEY_CURRENT_USER, base + "\\Direct", "S", SzValue("17"));
  EXPECT_EQ(RegReadDwordRoot(nullptr, key, "S", -1), -1);
  EXPECT_EQ(RegReadStringRoot(nullptr, key, "S", "d"), "17");
  EXPECT_EQ(RegReadStringRoot(nullptr, key + "\\Missing", "S", "d"), "d");
  EXPECT_TRUE(RegDeleteValueRoot(nullptr, key, "S"));
  EXPECT_FALSE(RegDeleteValueRoot(nullptr, key, "S"));
  EXPECT_FALSE(RegDeleteValueRoot(nullptr, key, ""));
}

TEST_F(Registry, FontsStoreStylesAsDwords) {
  const std::string key = "\\" + base + "\\Font";
  TFont font;
  font.Name = "ＭＳ ゴシック";
  font.Size = 12;
  font.Color = clRed;
  font.Style = fsBold | fsStrikeOut;
  SaveFontToRegistry(nullptr, key, font);
  const std::pair<const char*, RawValue> stored[] = {
      {"FontName", SzValue(font.Name)},    {"FontSize", DwordValue(12)},
      {"FontColor", DwordValue(0x0000FF)}, {"FontBold", DwordValue(1)},
      {"FontItalic", DwordValue(0)},       {"FontStrikeout", DwordValue(1)}};
  for (const auto& [name, value] : stored)
    EXPECT_EQ(QueryRaw(HKEY_CURRENT_USER, base + "\\Font", name), value) << name;

  // The charset is not stored: it comes from the font given.
  TFont other;
  other.Style = fsItalic | fsUnderline;
  other.Charset = font.Charset = 1;
  EXPECT_EQ(LoadFontFromRegistry(nullptr, key, other), font);
}

TEST_F(Registry, FontLoadKeepsWhatIsNotStored) {
  const std::string raw = base + "\\Partial";
  SetRaw(HKEY_CURRENT_USER, raw, "FontName", SzValue("Courier"));
  SetRaw(HKEY_CURRENT_USER, raw, "FontItalic", DwordValue(5));
  TFont font;
  font.Size = 20;
  font.Style = fsBold;
  TFont expected = font;
  expected.Name = "Courier";
  expected.Style = fsItalic;
  EXPECT_EQ(LoadFontFromRegistry(HKEY_CURRENT_USER, "\\" + raw, font), expected);
  EXPECT_EQ(LoadFontFromRegistry(nullptr, raw + "\\Missing", font), font);
}

TEST_F(Registry, FileTypesGoOnAndOff) {
  const std::string extension = "quolintest" + std::to_string(GetCurrentProcessId());
  const std::string dotted = "." + extension;
  EXPECT_FALSE(RegisterFileType("Quolin.Test", ""));
  EXPECT_FALSE(IsFileTypeAssociated("Quolin.Test", extension));
  EXPECT_EQ(GetFileTypeOfExt(extension), "");

  ASSERT_TRUE(RegisterFileType("Quolin.Test", extension));
  EXPECT_EQ(QueryRaw(HKEY_CLASSES_ROOT, dotted, ""), SzValue("Quolin.Test"));
  EXPECT_EQ(GetFileTypeOfExt(dotted), "Quolin.Test");
  EXPECT_TRUE(IsFileTypeAssociated("Quolin.Test", extension));
  EXPECT_TRUE(IsFileTypeAssociated("Quolin.Test", dotted));
  EXPECT_FALSE(IsFileTypeAssociated("quolin.test", dotted));
  EXPECT_FALSE(IsFileTypeAssociated("", dotted));
  EXPECT_FALSE(IsFileTypeAssociated("Quolin.Test", ""));

  EXPECT_TRUE(RegDeleteKey(HKEY_CLASSES_ROOT, dotted));
  EXPECT_FALSE(IsFileTypeAssociated("Quolin.Test", extension));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, dotted));
}

TEST_F(Registry, KeyObjectEnumeratesAndMoves) {
  TRegKey key;
  ASSERT_TRUE(key.Create(nullptr, "\\" + Section("K")));
  EXPECT_TRUE(key.WriteDword("One", 1));
  EXPECT_TRUE(key.WriteString("Two", "2"));
  EXPECT_TRUE(key.WriteString("表示ソ", "3"));
  TRegKey child;
  ASSERT_TRUE(child.Create(key.Handle(), "子キー表"));
  child.Close();
  std::vector<std::string> names = key.ValueNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"One", "Two", "表示ソ"}));
  EXPECT_EQ(key.SubKeyNames(), std::vector<std::string>{"子キー表"});

  TRegKey moved = std::move(key);
  EXPECT_FALSE(key.IsOpen());
  EXPECT_TRUE(moved.ValueExists("Two"));
  uint32_t number = 0;
  EXPECT_FALSE(moved.ReadDword("Two", number));
  EXPECT_TRUE(moved.DeleteValue("Two"));
  EXPECT_FALSE(moved.ValueExists("Two"));
  EXPECT_FALSE(TRegKey().Open(nullptr, Section("Nowhere")));
}

} // namespace
