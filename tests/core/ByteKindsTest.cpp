#include "core/ByteKinds.h"
#include "JoinedStrings.h"
#include "core/StringList.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

TEST(ByteKinds, DelimiterAndLeadTables) {
  const ByteSet& delimiters = StandardDelimiters();
  EXPECT_EQ(delimiters.count(), 75u);
  for (unsigned char byte : {'\t', ' ', '/', ':', '@', '[', '^', '`', '{', '\x7F'})
    EXPECT_TRUE(delimiters.test(byte)) << int(byte);
  for (unsigned char byte : {'_', 'a', 'Z', '0', '9'})
    EXPECT_FALSE(delimiters.test(byte)) << int(byte);
  for (int byte : {0x80, 0xA0, 0xA5, 0xFD, 0xFF})
    EXPECT_TRUE(delimiters.test(static_cast<size_t>(byte))) << byte;
  for (int byte : {0x81, 0xA6, 0xDF, 0xE0, 0xFC})
    EXPECT_FALSE(delimiters.test(static_cast<size_t>(byte))) << byte;
  for (int byte : {0x81, 0x9F, 0xE0, 0xFC})
    EXPECT_TRUE(kLeadBytes[static_cast<size_t>(byte)]) << byte;
  for (int byte : {0x40, 0x80, 0xA0, 0xA1, 0xDF, 0xFD})
    EXPECT_FALSE(kLeadBytes[static_cast<size_t>(byte)]) << byte;
}

TEST(ByteKinds, Maps) {
  ByteKindMapper plain(StandardDelimiters(), 8);
  EXPECT_EQ(plain.Map("a\tb"), "123333331");
  EXPECT_EQ(plain.Map("\t"), "23333333");
  EXPECT_EQ(plain.Map("abcdefg\tx"), "111111121"); // a TAB at a stop's last column fills none
  EXPECT_EQ(plain.Map("あa_,"), "4511"
                                "2");
  EXPECT_EQ(plain.Map("a\x82"), "11");  // a lone lead byte at the end
  EXPECT_EQ(plain.Map("\x82\r"), "12"); // and before CR
  EXPECT_EQ(plain.Width("a\tb"), 9u);
  EXPECT_EQ(plain.Width("あいう"), 6u);
  EXPECT_EQ(plain.Width("\x81\tx"), 3u); // 0x81 0x09 is one character: its 0x09 is no TAB

  ByteKindMapper four(StandardDelimiters(), 4);
  EXPECT_EQ(four.Map("ab\tc"), "11231");

  // With wrap at 20 a TAB never fills past the wrap column.
  ByteKindMapper wrapped(StandardDelimiters(), 8, 20);
  std::string line = std::string(18, 'a') + "\tb";
  EXPECT_EQ(wrapped.Map(line), std::string(18, '1') + "231");
  EXPECT_EQ(wrapped.Width(line), 21u);
  EXPECT_EQ(plain.Map(line), std::string(18, '1') + "2" + std::string(5, '3') + "1");

  ByteSet custom;
  custom.set(0x82);
  EXPECT_EQ(ByteKindMapper(custom, 8).Map("a\x82"), "12");
  // First and last lead byte of each range and the bytes beside them; a lead byte pairs with
  // any byte but 0, CR and LF; the delimiter ranges' first and last bytes.
  const std::pair<std::string, std::string> cases[] = {
      {"\x80\x40", "22"}, {"\x81\x40", "45"}, {"\x9F\xFC", "45"}, {"\xA0\x41", "21"},
      {"\xDF\x41", "11"}, {"\xE0\x3F", "45"}, {"\xFC\x7F", "45"}, {"\xFD\x41", "21"},
      {"\x81\x0B", "45"}, {"\x81\x0C", "45"}, {"\x81\x0A", "12"}, {"\x81\x0D", "12"},
      {"x\xFC", "11"},    {"/0", "21"},       {"9:", "12"},       {"@A", "21"},
      {"Z[", "12"},       {"^_", "21"},       {"`a", "21"},       {"z{", "12"},
      {"\x7F\x80", "22"}, {"\xA5\xA6", "21"}, {"\xDF\xFD", "12"},
  };
  ByteKindMapper mapper(StandardDelimiters(), 8);
  for (const auto& [text, map] : cases) {
    EXPECT_EQ(mapper.Map(text), map) << testing::PrintToString(text);
    EXPECT_EQ(CharBytes(text, 0), map[0] == kMapLead ? 2u : 1u) << testing::PrintToString(text);
  }
  EXPECT_EQ(mapper.Map(std::string("\x81\0", 2)), "12");
}

TEST(ByteKinds, AttributeArrayAndSharedRoutines) {
  TEditorAttributeArray cursor("a\tb", "123333331");
  EXPECT_EQ(cursor.Count(), 9);
  EXPECT_EQ(cursor.Kind(), '1');
  EXPECT_EQ(cursor.CurrentChar(), "a");
  cursor.Next();
  EXPECT_EQ(cursor.TextPosition(), 2);
  cursor.MoveTo(5);
  EXPECT_EQ(cursor.Kind(), '3');
  EXPECT_EQ(cursor.TextPosition(), 2); // a fill cell belongs to its TAB
  EXPECT_EQ(cursor.CurrentChar(), "\t");
  EXPECT_EQ(cursor.NextChar(), "\t");
  cursor.MoveTo(9);
  EXPECT_EQ(cursor.CurrentChar(), "b");
  EXPECT_EQ(cursor.TextPosition(), 3);
  cursor.Prev();
  EXPECT_EQ(cursor.Position(), 8);
  EXPECT_EQ(cursor.TextPosition(), 2);
  cursor.MoveTo(100);
  EXPECT_EQ(cursor.Kind(), '0');
  EXPECT_EQ(cursor.Position(), 10);
  EXPECT_EQ(cursor.CurrentChar(), "");
  EXPECT_EQ(cursor.NextChar(), "");
  EXPECT_EQ(cursor.Position(), 10); // asking for the next character does not move
  cursor.MoveTo(-3);
  EXPECT_EQ(cursor.Position(), 1);
  EXPECT_EQ(cursor.TextPosition(), 1);

  TEditorAttributeArray wide("aあ", "145");
  EXPECT_EQ(wide.NextChar(), "あ");
  wide.MoveTo(3);
  EXPECT_EQ(wide.CurrentChar(), "あ");
  EXPECT_EQ(wide.TextPosition(), 3);
  for (auto [limit, count] : {std::pair{3, 1}, {99, 2}, {-1, 0}})
    EXPECT_EQ(CountByteKind("1233", '3', limit), count) << limit;
  for (int position : {1, 2, 3, 9})
    EXPECT_EQ(IsDbcsTrailAt("あa", position), position == 2) << position;
  for (auto [position, byte] : {std::pair{2, 'b'}, {0, '\0'}, {3, '\0'}})
    EXPECT_EQ(ByteAt("ab", position), byte) << position;
  // "　" is the full-width blank.
  const std::pair<const char*, int> blanks[] = {
      {"", -1}, {"a", 0}, {"  a", 2}, {"　 a", 3}, {"\t a", 0}};
  for (auto [text, width] : blanks)
    EXPECT_EQ(LeadingBlankWidth(text), width) << text;
  EXPECT_FALSE(ContainsChar("\\", "ソ")); // ソ is 83 5C
  EXPECT_TRUE(ContainsChar("\\", "ソ\\"));
  EXPECT_FALSE(ContainsChar("[", "ー")); // ー is 81 5B
  EXPECT_TRUE(ContainsChar("ー", "、ー"));
  EXPECT_FALSE(ContainsChar("", "abc"));
  EXPECT_FALSE(ContainsChar("\x81", "ー")); // half a character matches nothing
  // Line ends next to lone lead bytes, and in an order that makes no CR LF; no text is one
  // empty line.
  const std::pair<const char*, const char*> texts[] = {
      {"a\r\nb\rc\nd", "[a][b][c][d]"},
      {"a\r\n", "[a]"},
      {"\r\n\r\n", "[][]"},
      {"a\r", "[a]"},
      {"a\r\rb", "[a][][b]"},
      {"\r", "[]"},
      {"", "[]"},
      {"\x81\r\x81\n\n\r\x81", "[\x81][\x81][][][\x81]"}};
  TStringList list;
  for (auto [text, lines] : texts) {
    SetStringsFromText(text, list);
    EXPECT_EQ(test_support::Joined(list), lines) << testing::PrintToString(text);
  }
}

} // namespace
