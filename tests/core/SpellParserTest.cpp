#include "core/SpellParser.h"
#include "core/TokenList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace quolin;

namespace {

std::string Tokens(TSpellParser& parser) {
  return test_support::TokenList(parser);
}

// With URL and mail recognition, as the engine runs it.
std::string Tokens(std::string_view text, const std::string& commenter = "%") {
  TSpellParser parser(text, true, true, commenter);
  return Tokens(parser);
}

TEST(SpellParser, KindsOnMixedLines) {
  EXPECT_EQ(Tokens("\\section{Intro} 表示する テスト ｶﾅ｡ ＡＢ １２，３ 3.14 42 x_1"),
            "\\section:22 {:1 Intro:8 }:1 表示:17 する:15 テスト:16 ｶﾅ:19 ｡:18 ＡＢ:14 "
            "１２，３:12 3.14:4 42:3 x:8 _:1 1:3");
  EXPECT_EQ(Tokens("see https://example.org/a+b and (me@example.org) then www.x.jp."),
            "see:8 https://example.org/a:20 +:1 b:8 and:8 (:1 me@example.org:21 ):1 then:8 "
            "www.x.jp.:20");
  EXPECT_EQ(Tokens("α\tβγ、ⅠⅡ"), "α:11 \t:9 βγ:11 、:11 ⅠⅡ:11");
}

TEST(SpellParser, ControlSequencesAreOneToken) {
  EXPECT_EQ(Tokens("\\@startsection{x}"), "\\@startsection:22 {:1 x:8 }:1");
  // "\%" is a control symbol: no comment begins.
  EXPECT_EQ(Tokens("50\\% of it"), "50:3 \\%:22 of:8 it:8");
  EXPECT_EQ(Tokens("\\日本語 \\ x"), "\\日本語:22 \\:22 x:8");
  EXPECT_EQ(Tokens("#12"), "#:1 12:3");
}

TEST(SpellParser, Comments) {
  // After "\\" (a line break) and after 表 (95 5C) a comment begins.
  EXPECT_EQ(Tokens("a\\\\% x y"), "a:8 \\\\:22 % x y:7");
  EXPECT_EQ(Tokens("表% x"), "表:17 % x:7");
  EXPECT_EQ(Tokens("a %b\r\nnext"), "a:8 %b:7 next:8");
  // Without an opener "%" is a symbol; the mail scan does not take it alone.
  EXPECT_EQ(Tokens("a % b", ""), "a:8 %:1 b:8");
  // Right after a lone "\" the opener belongs to TeX's control symbol.
  EXPECT_EQ(Tokens("\\;x", ";"), "\\:22 ;:1 x:8");
  EXPECT_EQ(Tokens("\\ ;x", ";"), "\\:22 ;x:7");
}

TEST(SpellParser, UrlsEndBeforePlus) {
  EXPECT_EQ(Tokens("http://a.jp/c++"), "http://a.jp/c:20 +:1 +:1");
  EXPECT_EQ(Tokens("ftp://x/~y#z%20"), "ftp://x/~y#z%20:20");
  // Case-sensitive prefixes, and only with their check on.
  EXPECT_EQ(Tokens("HTTP://x"), "HTTP:8 ::1 /:1 /:1 x:8");
  TSpellParser off("http://x.jp a@b.c", false, false, "");
  EXPECT_EQ(Tokens(off), "http:8 ::1 /:1 /:1 x:8 .:1 jp:8 a:8 @:1 b:8 .:1 c:8");
}

TEST(SpellParser, EndsAndLineBreaks) {
  EXPECT_EQ(Tokens(std::string("ab\0cd", 5)), "ab:8");
  EXPECT_EQ(Tokens("one\r\ntwo\rthree\nfour"), "one:8 two:8 three:8 four:8");
  TSpellParser parser("x", true, true, "%");
  parser.NextToken();
  EXPECT_EQ(parser.TokenKind(), tkEnd);
  EXPECT_EQ(parser.SourcePos(), 1);
  parser.NextToken();
  EXPECT_EQ(parser.TokenKind(), tkEnd);
  EXPECT_EQ(parser.SourcePos(), 1);
  EXPECT_EQ(Tokens(""), "");
}

TEST(SpellParser, DoubleByteOddities) {
  // Unassigned codes of 0x82 and 0x83 are one character of kind 11, never split.
  EXPECT_EQ(Tokens("a\x82\xF5z \x83\x97q"), "a:8 \x82\xF5:11 z:8 \x83\x97:11 q:8");
  // A lone lead byte at the end is one byte of kind 1.
  EXPECT_EQ(Tokens("ab \x88"), "ab:8 \x88:1");
  EXPECT_EQ(Tokens("\x88\r\nx"), "\x88:1 x:8");
}

TEST(SpellParser, OffsetsAndItsOwnCopy) {
  auto text = std::make_unique<std::string>("  word \\cmd");
  TSpellParser parser(*text, true, true, "%");
  text->assign(text->size(), 'z');
  text.reset();
  EXPECT_EQ(parser.TokenString(), "word");
  EXPECT_EQ(parser.SourcePos(), 2);
  parser.NextToken();
  EXPECT_EQ(parser.TokenString(), "\\cmd");
  EXPECT_EQ(parser.SourcePos(), 7);
}

} // namespace
