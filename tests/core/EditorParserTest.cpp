#include "core/EditorParser.h"
#include "RecordingView.h"
#include "TokenList.h"

#include <gtest/gtest.h>

#include <string>

using namespace quolin;
using quolin::test_support::TokenList;

namespace {

std::string PlainTokens(std::string_view text) {
  TEditorParser parser(text);
  return TokenList(parser);
}

class EditorParser : public ::testing::Test {
protected:
  RecordingView view;

  void SetUp() override {
    view.viewInfo.SetCommenter("%");
    for (const char* pair : {"{}", "[]"}) {
      TEditorBracketItem& item = view.viewInfo.Brackets().Add();
      item.SetLeftBracket(std::string(1, pair[0]));
      item.SetRightBracket(std::string(1, pair[1]));
    }
  }

  std::string ViewTokens(std::string_view text, int state = TEditorParser::kNoBracket) {
    TEditorParser parser(view, text, state);
    return TokenList(parser);
  }
};

TEST_F(EditorParser, PlainTokenKinds) {
  const std::pair<std::string, std::string> cases[] = {
      // Control sequences; lead byte 0x81, and second byte "@", end a control word.
      {"\\%a", "\\%:8 a:8"},
      {"\\@foo{x}", "\\@foo:8 {:1 x:8 }:1"},
      {"\\section*", "\\section:8 *:1"},
      {"\\\\a", "\\\\:8 a:8"},
      {"\\ a", "\\:8 a:8"},
      {"\\日本語{", "\\日本語:8 {:1"},
      {"\\a、", "\\a:8 、:11"},
      {"\\院", "\\:8 院:17"},    // 院 is 89 40
      {"\\\x88", "\\:8 \x88:1"}, // a lone lead byte is no character
      // Numbers.
      {"12.5e-3 x", "12.5e-3:4 x:8"},
      {"12.a", "12:4 .:1 a:8"},
      {"12e x", "12e:4 x:8"},
      {"12E+", "12E+:4"},
      {"1.e5", "1.e5:4"},
      {"42", "42:3"},
      {"a1b_c", "a1b:8 _:1 c:8"},
      // Japanese classes; a run must start with kana.
      {"ひらがなー", "ひらがなー:15"},
      {"カタカナー漢字", "カタカナー:16 漢字:17"},
      {"１２．５，３", "１２．５，３:12"},
      {"ＡＢｃ", "ＡＢｃ:14"},
      {"ΑΒΓ", "ΑΒΓ:11"},
      {"、。", "、:11 。:11"},
      {"①②", "①②:11"},
      {"ｶﾀｶﾅ｡", "ｶﾀｶﾅ:19 ｡:18"},
      {"ーあ", "ー:11 あ:15"},
      // The first and last byte of each class, and the bytes just outside it. Blanks are the
      // bytes below "!" but 0 and TAB.
      {"\x01\x1F!", "!:1"},
      {"\t\x7F", "\t:9 \x7F:1"},
      {"/09:", "/:1 09:3 ::1"},
      {"@AZ[`az{", "@:1 AZ:8 [:1 `:1 az:8 {:1"},
      // Kanji: lead bytes 88-9F and E0-FC; 84-87 make symbol runs.
      {"\x88\x40\x9F\xFC\xE0\x40\xFC\xFC", "\x88\x40\x9F\xFC\xE0\x40\xFC\xFC:17"},
      {"\x9F\x40", "\x9F\x40:17"},
      {"\x84\x40\x87\x9F\x88\x9F", "\x84\x40\x87\x9F:11 \x88\x9F:17"},
      {"\x80\xFD\xFC", "\x80:1 \xFD:1 \xFC:1"},
      // Hiragana 82 9F-F1, wide digits 82 4F-58, wide letters 82 60-9A.
      {"ぁん", "ぁん:15"},
      {"ん", "ん:15"},
      {"\x82\x9E\x82\xF2", "\x82\x9E:11 \x82\xF2:11"},
      {"０９\x82\x59", "０９:12 \x82\x59:11"},
      {"\x82\x4E", "\x82\x4E:11"},
      {"Ａｚ\x82\x9B", "Ａｚ:14 \x82\x9B:11"},
      {"\x82\x5F", "\x82\x5F:11"},
      {"１\x81\x43\x81\x44\x81\x45", "１\x81\x43\x81\x44:12 \x81\x45:11"},
      // Katakana 83 40-96; 83 9F-F0 make symbol runs; the kana marks 81 5B and 81 7C.
      {"ァヶ\x83\x97", "ァヶ:16 \x83\x97:11"},
      {"\x83\x3F", "\x83\x3F:11"},
      {"\x83\x9F\x83\xF0\x83\xF1", "\x83\x9F\x83\xF0:11 \x83\xF1:11"},
      {"ア\x81\x7Cー\x81\x5A", "ア\x81\x7Cー:16 \x81\x5A:11"},
      // Half-width: A1-A5 punctuation, A6-DF katakana.
      {"\xA0\xA1\xA5\xA6\xDF\xE0", "\xA0:1 \xA1:18 \xA5:18 \xA6\xDF:19 \xE0:1"},
      // A lone lead byte; codes that Shift-JIS leaves unassigned are one double-byte symbol.
      {"a\x82", "a:8 \x82:1"},
      {"\x82\x40\x82\x40", "\x82\x40:11 \x82\x40:11"},
      {"\x83\x97\x83\x9E", "\x83\x97:11 \x83\x9E:11"},
      {"あ\x82\xF2", "あ:15 \x82\xF2:11"},
      {std::string("a\0b", 3), "a:8"}};
  for (const auto& [text, tokens] : cases)
    EXPECT_EQ(PlainTokens(text), tokens) << testing::PrintToString(text);
  TEditorParser beforeLineEnd("\x82\r\nb");
  EXPECT_EQ(beforeLineEnd.TokenString(), "\x82");
  EXPECT_EQ(beforeLineEnd.TokenKind(), tkSymbol);
}

TEST_F(EditorParser, PositionsQuotationHexPrefixAndControlCodes) {
  TEditorParser parser("  a\r\n\tb");
  EXPECT_EQ(parser.SourcePos(), 2);
  parser.NextToken(); // CR and LF are blanks inside a longer text
  EXPECT_EQ(parser.TokenKind(), tkTab);
  EXPECT_EQ(parser.SourcePos(), 5);
  parser.NextToken();
  EXPECT_EQ(parser.TokenString(), "b");
  parser.NextToken();
  EXPECT_EQ(parser.TokenKind(), tkEnd);
  parser.NextToken();
  EXPECT_EQ(parser.TokenKind(), tkEnd);
  EXPECT_EQ(parser.SourcePos(), 7);
  view.viewInfo.SetQuotation("'");
  view.viewInfo.SetHexPrefix("$");
  view.viewInfo.SetControlCode(true);
  EXPECT_EQ(ViewTokens("'it''s' x"), "'it''s':2 x:8");
  EXPECT_EQ(ViewTokens("'open"), "'open:2");
  EXPECT_EQ(ViewTokens("$1Fg"), "$1F:3 g:8");
  EXPECT_EQ(ViewTokens("#$1F #12 # x"), "#$1F:2 #12:2 #:2 x:8");
  view.viewInfo.SetControlCode(false);
  EXPECT_EQ(ViewTokens("#1"), "#:1 1:3");
}

TEST_F(EditorParser, CommentsAndEscapedPercent) {
  const struct {
    const char* commenter;
    std::string text, tokens;
  } cases[] = {{"%", "a %b c", "a:8 %b c:7"},
               {"%", "\\%a", "\\%:8 a:8"},
               {"%", "%", "%:7"},
               // After "\\" (a TeX line break) a comment begins, with or without a blank between.
               {"%", "\\\\%x", "\\\\:8 %x:7"},
               {"%", "\\\\% x", "\\\\:8 % x:7"},
               // A trail byte 0x5C is no backslash: the comment after 表 (95 5C) is a comment.
               {"%", "表%x", "表:17 %x:7"},
               {"%", "表% x", "表:17 % x:7"},
               // "\;" is a control symbol, so the opener ";" right after a lone "\" opens nothing;
               // after a blank it does.
               {";", "\\;x", "\\:8 ;:1 x:8"},
               {";", "\\ ;x", "\\:8 ;x:7"},
               {";", "\\\\;x", "\\\\:8 ;x:7"}};
  for (const auto& c : cases) {
    view.viewInfo.SetCommenter(c.commenter);
    EXPECT_EQ(ViewTokens(c.text), c.tokens) << c.text;
  }
}

TEST_F(EditorParser, BracketsCarriedAcrossRowsUnlessNotComputed) {
  TEditorParser first(view, "a{b", TEditorParser::kNoBracket);
  EXPECT_EQ(TokenList(first), "a:8 {b:6");
  EXPECT_EQ(first.State(), 0);
  TEditorParser second(view, "c}d [e] f", first.State());
  EXPECT_EQ(second.TokenString(), "c}");
  EXPECT_EQ(second.TokenKind(), tkBracket);
  EXPECT_EQ(second.BracketIndex(), 0);
  second.NextToken();
  EXPECT_EQ(second.TokenString(), "d");
  second.NextToken();
  EXPECT_EQ(second.TokenString(), "[e]");
  EXPECT_EQ(second.BracketIndex(), 1);
  second.NextToken();
  EXPECT_EQ(second.TokenString(), "f");
  EXPECT_EQ(second.State(), TEditorParser::kNoBracket);
  // No nesting: the first right bracket closes.
  EXPECT_EQ(ViewTokens("{a{b}c}"), "{a{b}:6 c:8 }:1");
  // A right bracket inside a double-byte character does not close: ー is 81 5B, ソ 83 5C.
  TEditorParser wide(view, "[ソー", TEditorParser::kNoBracket);
  EXPECT_EQ(wide.TokenString(), "[ソー");
  EXPECT_EQ(wide.State(), 1);
  // Escaped braces are control symbols, not brackets.
  EXPECT_EQ(ViewTokens("\\{a\\}"), "\\{:8 a:8 \\}:8");
  EXPECT_EQ(ViewTokens("{a}", TEditorParser::kNotComputed), "{:1 a:8 }:1");
  TEditorParser parser(view, "{a", TEditorParser::kNotComputed);
  EXPECT_EQ(parser.BracketIndex(), TEditorParser::kNotComputed);
  EXPECT_EQ(parser.State(), TEditorParser::kNotComputed);
  // A state beyond the pairs counts as no bracket open.
  EXPECT_EQ(ViewTokens("x{y", 9), "x:8 {y:6");
}

TEST_F(EditorParser, UrlsAndMail) {
  const struct {
    bool on;
    std::string text, tokens;
  } cases[] = {{true, "see https://x.org/a?b=1+2#c) x", "see:8 https://x.org/a?b=1+2#c:20 ):1 x:8"},
               {true, "www.tex.ac", "www.tex.ac:20"},
               {true, "Http://x", "Http:8 ::1 /:1 /:1 x:8"}, // prefixes are case-sensitive
               {true, "mail a@b.c) d", "mail:8 a@b.c:21 ):1 d:8"},
               {true, "a%b@c.d e", "a%b@c.d:21 e:8"}, // "%" is a mail character
               {true, "a@b c", "a:8 @:1 b:8 c:8"},
               {true, "a@b x@y.z", "a:8 @:1 b:8 x@y.z:21"},
               {false, "https://x", "https:8 ::1 /:1 /:1 x:8"}};
  for (const auto& c : cases) {
    view.viewInfo.SetUrl(c.on);
    view.viewInfo.SetMail(c.on);
    EXPECT_EQ(ViewTokens(c.text), c.tokens) << c.text;
  }
  view.viewInfo.SetMail(true);
  std::string digits;
  for (int i = 0; i < 2000; ++i)
    digits += std::to_string(i % 10) + ",";
  std::string withAddress = digits + "@a.b x";
  TEditorParser address(view, withAddress, TEditorParser::kNoBracket);
  EXPECT_EQ(address.TokenString(), digits + "@a.b");
  EXPECT_EQ(address.TokenKind(), tkMail);

  // Without an address, every token of the run is scanned by its own class.
  std::string withoutAddress = digits + "@a";
  TEditorParser run(view, withoutAddress, TEditorParser::kNoBracket);
  int numbers = 0, commas = 0;
  for (; run.TokenKind() != tkEnd; run.NextToken()) {
    numbers += run.TokenKind() == tkInteger;
    commas += run.TokenString() == ",";
  }
  EXPECT_EQ(numbers, 2000);
  EXPECT_EQ(commas, 2000);
}

} // namespace
