#include "app/RegFile.h"
#include "common/RegistryProbe.h"
#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <shlwapi.h>
#include <windows.h>

#include <cstdint>
#include <string>

using namespace quolin;
using namespace quolin::test_support;

namespace {

// The bytes of a REG_SZ value: the text and its terminating zero.
std::string Sz(const std::string& text) {
  return text + std::string(1, '\0');
}

RawValue QueryRaw(const std::string& key, const std::string& name) {
  return test_support::QueryRaw(HKEY_CURRENT_USER, key, name);
}

std::string Utf16LeWithBom(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t ch : text) {
    bytes += static_cast<char>(ch & 0xFF);
    bytes += static_cast<char>(ch >> 8);
  }
  return bytes;
}

// Imports go below a key of this test process, removed afterwards; the files into a temporary
// folder.
class RegFile : public ::testing::Test {
protected:
  const std::string key = "Software\\QuolinRegFileTest" + std::to_string(GetCurrentProcessId());
  TempFolder temp;
  const std::string file = temp / "表示.reg";

  void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str()); }

  void Write(const std::string& content) const { TempFolder::WriteFile(file, content); }

  std::string Section(const std::string& subkey = "") const {
    return "[HKEY_CURRENT_USER\\" + key + subkey + "]\r\n";
  }
};

TEST_F(RegFile, Regedit4ValuesKeepTheirTypesAndBytes) {
  Write("REGEDIT4\r\n\r\n" + Section("\\Forms") +
        "\"Main\"=\"Left=40;Top=40;Width=800;Height=600;WindowState=0\"\r\n"
        "\"Count\"=dword:0000002a\r\n"
        "\"All\"=dword:ffffffff\r\n"
        "\"Flag\"=hex:01\r\n"
        "\"Empty\"=hex:\r\n"
        "\"EmptyText\"=\"\"\r\n"
        "@=\"at sign\"\r\n"
        "\"Wrapped\"=hex:00,01,02,\\\r\n"
        "  fe,ff\r\n");
  ASSERT_TRUE(ImportRegFile(file));
  std::string forms = key + "\\Forms";
  RawValue main = QueryRaw(forms, "Main");
  EXPECT_EQ(main.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(main.data, Sz("Left=40;Top=40;Width=800;Height=600;WindowState=0"));
  EXPECT_EQ(QueryRaw(forms, "Count").data, Dword(42));
  EXPECT_EQ(QueryRaw(forms, "Count").type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(QueryRaw(forms, "All").data, Dword(0xFFFFFFFF));
  EXPECT_EQ(QueryRaw(forms, "Flag").type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(QueryRaw(forms, "Flag").data, "\x01");
  EXPECT_TRUE(QueryRaw(forms, "Empty").found);
  EXPECT_EQ(QueryRaw(forms, "Empty").data, "");
  EXPECT_EQ(QueryRaw(forms, "EmptyText").data, Sz(""));
  EXPECT_EQ(QueryRaw(forms, "@").data, Sz("at sign"));
  EXPECT_FALSE(QueryRaw(forms, "").found);
  EXPECT_EQ(QueryRaw(forms, "Wrapped").data, std::string("\x00\x01\x02\xfe\xff", 5));
}

TEST_F(RegFile, EscapesAreReadByCharacter) {
  // 表 is 95 5C and ソ 83 5C: their second byte is no escape.
  Write("REGEDIT4\r\n" + Section() +
        "\"Path\"=\"C:\\\\TeX\\\\bin\\\\\"\r\n"
        "\"Quote\"=\"say \\\"hi\\\" \\n\"\r\n"
        "\"表示\"=\"表\"\r\n"
        "\"ソ\\\"名\"=\"ソ\\\\表\\\\\"\r\n"
        "\"a=b\"=\"c=d\"\r\n");
  ASSERT_TRUE(ImportRegFile(file));
  EXPECT_EQ(QueryRaw(key, "Path").data, Sz("C:\\TeX\\bin\\"));
  EXPECT_EQ(QueryRaw(key, "Quote").data, Sz("say \"hi\" \\n"));
  EXPECT_EQ(QueryRaw(key, "表示").data, Sz("表"));
  EXPECT_EQ(QueryRaw(key, "ソ\"名").data, Sz("ソ\\表\\"));
  EXPECT_EQ(QueryRaw(key, "a=b").data, Sz("c=d"));
}

TEST_F(RegFile, Version5FileInUtf16) {
  Write(Utf16LeWithBom(L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\" +
                       std::wstring(key.begin(), key.end()) +
                       L"\\\u65e5\u672c]\r\n\"\u540d\u524d\"=\"\u8868\u793a\u30bd\"\r\n"
                       L"\"N\"=dword:00000010\r\n"));
  ASSERT_TRUE(ImportRegFile(file));
  EXPECT_EQ(QueryRaw(key + "\\日本", "名前").data, Sz("表示ソ"));
  EXPECT_EQ(QueryRaw(key + "\\日本", "N").data, Dword(16));
}

TEST_F(RegFile, CommentsDeletionsAndOtherKindsAreSkipped) {
  Write("REGEDIT4\r\n"
        "\"BeforeSection\"=\"x\"\r\n" +
        Section() +
        "; a comment ending in a backslash \\\r\n"
        "\"Kept\"=\"1\"\r\n"
        "\"Deleted\"=-\r\n"
        "\"Expand\"=hex(2):41,00\r\n"
        "\"Multi\"=hex(7):41,00,00,00\r\n"
        "\"Number64\"=hex(b):01,00,00,00,00,00,00,00\r\n"
        "\"BadDword\"=dword:xyz\r\n"
        "\"LongDword\"=dword:123456789\r\n"
        "\"BadHex\"=hex:01,zz\r\n"
        "\"BigHex\"=hex:100\r\n"
        "\"GapHex\"=hex:01,,02\r\n"
        "\"Bare\"=bare text\r\n"
        "\"Unclosed\"=\"abc\r\n"
        "NoEquals\r\n"
        "\"Last\"=\"2\"\r\n" +
        "[-HKEY_CURRENT_USER\\" + key + "\\Gone]\r\n\"InDeleted\"=\"x\"\r\n");
  ASSERT_TRUE(ImportRegFile(file));
  HKEY handle = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle), ERROR_SUCCESS);
  DWORD count = 0;
  RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(handle);
  EXPECT_EQ(count, 2u) << "only Kept and Last";
  EXPECT_EQ(QueryRaw(key, "Kept").data, Sz("1"));
  EXPECT_EQ(QueryRaw(key, "Last").data, Sz("2"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key + "\\Gone"));
}

TEST_F(RegFile, SectionsWithoutRootPrefixAreSkipped) {
  std::string stray = "QuolinStray" + std::to_string(GetCurrentProcessId());
  Write("REGEDIT4\r\n[" + stray + "]\r\n\"A\"=\"1\"\r\n[HKEY_CURRENT_USER]\r\n\"B\"=\"2\"\r\n" +
        Section() + "\"C\"=\"3\"\r\n");
  ASSERT_TRUE(ImportRegFile(file));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, stray));
  EXPECT_FALSE(QueryRaw("", "B").found);
  EXPECT_FALSE(QueryRaw(key, "A").found);
  EXPECT_EQ(QueryRaw(key, "C").data, Sz("3"));
}

TEST_F(RegFile, TheFirstOfTwiceGivenValuesWins) {
  Write("REGEDIT4\r\n" + Section() + "\"V\"=\"first\"\r\n\"V\"=\"second\"\r\n\"W\"=dword:1\r\n" +
        Section() + "\"W\"=\"later section\"\r\n\"X\"=\"x\"\r\n");
  ASSERT_TRUE(ImportRegFile(file));
  EXPECT_EQ(QueryRaw(key, "V").data, Sz("first"));
  EXPECT_EQ(QueryRaw(key, "W").data, Dword(1));
  EXPECT_EQ(QueryRaw(key, "X").data, Sz("x"));
}

TEST_F(RegFile, MissingFileImportsNothing) {
  EXPECT_FALSE(ImportRegFile(file + ".missing"));
}

} // namespace
