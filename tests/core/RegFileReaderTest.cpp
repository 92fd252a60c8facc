// The parts of a registry-editor export file: root keys, quoted strings and hex bytes.
#include "core/RegFileReader.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;

namespace {

TEST(RegFileReader, RootPrefixesUnquoteAndHexBytes) {
  struct Case {
    const char* name;
    TRegRoot root;
    const char* path;
  } cases[] = {
      {"HKEY_CURRENT_USER\\Software\\A", rrCurrentUser, "Software\\A"},
      {"HKEY_CLASSES_ROOT\\.tex", rrClassesRoot, ".tex"},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE", rrLocalMachine, "SOFTWARE"},
      {"HKEY_USERS\\.DEFAULT", rrUsers, ".DEFAULT"},
      {"HKEY_PERFORMANCE_DATA\\x", rrPerformanceData, "x"},
      {"HKEY_CURRENT_CONFIG\\x", rrCurrentConfig, "x"},
      {"HKEY_DYN_DATA\\x", rrDynData, "x"},
      {"HKEY_CLASSES_ROOT\\HKEY_CURRENT_USER\\x", rrClassesRoot, "HKEY_CURRENT_USER\\x"},
      {"HKEY_CURRENT_USER\\", rrCurrentUser, ""},
      {"HKEY_CURRENT_USER", rrNone, ""},
      {"hkey_current_user\\x", rrNone, ""},
      {" HKEY_CURRENT_USER\\x", rrNone, ""},
      {"Software\\HKEY_CURRENT_USER\\x", rrNone, ""},
  };
  for (const Case& test : cases) {
    std::string path = "old";
    EXPECT_EQ(ParseRegRootKey(test.name, path), test.root) << test.name;
    EXPECT_EQ(path, test.path) << test.name;
  }
  const std::pair<const char*, const char*> quoted[] = {{"\"a\"", "a"}, {"\"\"", "\"\""},
                                                        {"\"a", "\"a"}, {"a\"", "a\""},
                                                        {"@", "@"},     {"\"表\"", "表"}};
  for (const auto& [text, unquoted] : quoted)
    EXPECT_EQ(UnquoteRegString(text), unquoted) << text;

  std::string bytes = "old";
  EXPECT_TRUE(ParseRegHexBytes("", bytes));
  EXPECT_EQ(bytes, "");
  EXPECT_TRUE(ParseRegHexBytes("0a,FF, 00 ,7", bytes));
  EXPECT_EQ(bytes, std::string("\x0a\xff\x00\x07", 4));
  for (const char* bad : {"0a,,ff", "1g", "100", "0a,", "-1"})
    EXPECT_FALSE(ParseRegHexBytes(bad, bytes)) << bad;
}

TEST(RegFileReader, ContinuedLines) {
  // A "\" left before a last piece that continuations took away whole continues the line; a
  // "\" after a character whose second byte is 5C continues it, the second byte does not; a
  // comment stays one when a line of blanks began it.
  std::string found;
  for (const TRegFileSection& section : ReadRegFile("REGEDIT4\r\n[HKEY_CURRENT_USER\\Q]\r\n"
                                                    "\"F\"=hex:0b,\\\\\r\n\\\r\n\r\n0c\r\n"
                                                    "\"G\"=\"ソ\\\r\n表\"\r\n"
                                                    "\"H\"=\"aソ\r\nb\"\r\n"
                                                    "\"I\"=\"亜\\\r\n \"\r\n"
                                                    "  \\\r\n;x\\\r\n\"K\"=\"k\"\r\n")) {
    for (const TRegFileValue& value : section.values)
      found += value.name + "=" + value.data + ";";
  }
  EXPECT_EQ(found, "F=\x0b\x0c;G=ソ表;I=亜;K=k;");
}

} // namespace
