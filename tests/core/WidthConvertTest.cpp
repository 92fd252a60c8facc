#include "core/WidthConvert.h"
#include "TextOracle.h"
#include "WidthReference.h"
#include "core/Platform.h"

#include <gtest/gtest.h>

#include <random>

using namespace quolin;
using quolin::texttest::Hex;

namespace {

constexpr int PairIndex(std::string_view name) {
  for (int i = 0; i < WidthPairCount; ++i)
    if (WidthPairs[i].Name == name)
      return i;
  return -1;
}

std::array<int, WidthPairCount> Choices(std::initializer_list<std::pair<const char*, int>> set) {
  std::array<int, WidthPairCount> choices{};
  for (auto [name, choice] : set)
    choices[PairIndex(name)] = choice;
  return choices;
}

std::array<int, WidthPairCount> AllChoices(int choice) {
  std::array<int, WidthPairCount> choices;
  choices.fill(choice);
  return choices;
}

TEST(WidthConvert, ListOrderAndPairing) {
  EXPECT_EQ(WidthPairs.front().Name, std::string_view("CB_Space"));
  EXPECT_EQ(WidthPairs.back().Name, std::string_view("CB_28"));
  for (int i = 1; i < WidthPairCount; ++i)
    EXPECT_EQ(WidthPairs[i].Name, "CB_" + std::to_string(i));

  TWidthLists half = BuildSymbolLists(AllChoices(wcHalf));
  EXPECT_EQ(half.From, u"\u3000！＃＄％＆￥＿？｜＠［］「」（）＜＞｛｝＋－＊／＾；：，．～”’｀");
  EXPECT_EQ(half.To, u" !#$%&\\_?|@[]｢｣()<>{}+-*/^;:,.~\"'`");
  TWidthLists full = BuildSymbolLists(AllChoices(wcFull));
  EXPECT_EQ(full.From, half.To);
  EXPECT_EQ(full.To, half.From);

  TWidthLists mixed =
      BuildSymbolLists(Choices({{"CB_28", wcHalf}, {"CB_11", wcFull}, {"CB_1", wcHalf}}));
  EXPECT_EQ(mixed.From, u"！[]｀");
  EXPECT_EQ(mixed.To, u"!［］`");
  TWidthLists none = BuildSymbolLists(AllChoices(wcLeave));
  EXPECT_TRUE(none.From.empty() && none.To.empty());
  TWidthLists unknown = BuildSymbolLists(AllChoices(3));
  EXPECT_TRUE(unknown.From.empty() && unknown.To.empty());
}

TEST(WidthConvert, ClassesAndSymbols) {
  const TWidthLists none;
  EXPECT_EQ(ConvertTextWidth("ｶﾞｷﾞABC", cwFullWidth, 0, cwFullWidth, none), "ガギＡＢＣ");
  EXPECT_EQ(ConvertTextWidth("ヴァ", 0, 0, cwHalfWidth, none), "ｳﾞｧ");
  EXPECT_EQ(ConvertTextWidth("Ａ１ア", 0, cwHalfWidth, 0, none), "Ａ1ア");
  // Brackets of one pair convert each on its own.
  TWidthLists brackets = BuildSymbolLists(Choices({{"CB_11", wcFull}}));
  EXPECT_EQ(ConvertTextWidth("a[b]c]", 0, 0, 0, brackets), "a［b］c］");
  // To half width: fewer bytes, as the selection the dialog puts back.
  TWidthLists toHalf = BuildSymbolLists(AllChoices(wcHalf));
  std::string converted = ConvertTextWidth("（ＡＢ）＝￥１", cwHalfWidth, cwHalfWidth, 0, toHalf);
  EXPECT_EQ(converted, "(AB)＝\\1");
  EXPECT_EQ(converted.size(), 8u);
  // The class rows and the lists together; the lists win.
  TWidthLists space = BuildSymbolLists(Choices({{"CB_Space", wcFull}}));
  EXPECT_EQ(ConvertTextWidth("a b", cwFullWidth, 0, 0, space), "ａ　ｂ");
}

TEST(WidthConvert, NothingChosenChangesNothing) {
  const std::string text = "ｶﾞ Ａ\x87\x90\x81";
  EXPECT_EQ(ConvertTextWidth(text, 0, 0, 0, BuildSymbolLists(AllChoices(wcLeave))), text);
  // Just above the sum that lets it run: one mode of 1 converts.
  EXPECT_EQ(ConvertTextWidth(text, cwHalfWidth, 0, 0, {}), "ｶﾞ A\x87\x90\x81");
  EXPECT_EQ(ConvertTextWidth(text, 0, 0, cwFullWidth, {}), "ガ Ａ\x87\x90\x81");
  // Unknown modes convert nothing, even when they add up to more.
  EXPECT_EQ(ConvertTextWidth(text, 3, 3, 3, {}), text);
}

TEST(WidthConvert, BytesTheRoundTripWouldChangeAreKept) {
  const TWidthLists none;
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"NEC duplicate 87 90", "\x87\x90"},
      {"NEC selected IBM ED 40", "\xED\x40"},
      {"IBM duplicate FA 54", "\xFA\x54"},
      {"undefined 85 40", "\x85\x40"},
      {"lead byte before CR LF", "\x81\r\n"},
      {"lead byte with a byte that is no second byte", "\x81\x20"},
      {"lead byte with 7F", "\x82\x7F"},
  };
  for (const Case& item : cases) {
    std::string text = "Ａｱ" + item.bytes + "ｶﾞＢ";
    EXPECT_EQ(Hex(ConvertTextWidth(text, cwHalfWidth, 0, cwFullWidth, none)),
              Hex("Aア" + item.bytes + "ガB"))
        << item.name;
  }
  EXPECT_EQ(Hex(ConvertTextWidth("Ａ\x81", cwHalfWidth, 0, 0, none)), Hex("A\x81"))
      << "a final lone lead byte";
  EXPECT_EQ(Hex(ConvertTextWidth("\x81", cwHalfWidth, 0, 0, none)), Hex("\x81"));
  EXPECT_EQ(Hex(ConvertTextWidth(std::string("Ａ\0Ａ", 5), cwHalfWidth, 0, 0, none)),
            Hex(std::string("A\0A", 3)));
  EXPECT_EQ(ConvertTextWidth("", cwHalfWidth, 0, 0, none), "");
  // Voicing marks do not join across a kept character.
  EXPECT_EQ(Hex(ConvertTextWidth("ｶ\x87\x90ﾞ", 0, 0, cwFullWidth, none)), Hex("カ\x87\x90ﾞ"));
}

TEST(WidthConvert, RandomTextsAsTheReference) {
  std::mt19937 random(105);
  const std::string pieces[] = {
      "ｶ",        "ﾞ",        "ﾟ",        "ﾊ",        "ア",   "ヴ",   "Ａ",   "a",    "1",
      "１",       "[",        "］",       "　",       " ",    "\\",   "￥",   "\r\n", "\x81",
      "\x87\x90", "\xED\x40", "\xFA\x54", "\x85\x40", "\x80", "\xA0", "\xFD", "漢"};
  std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> mode(0, 2), length(0, 24);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int i = length(random); i > 0; --i)
      text += pieces[pick(random)];
    std::array<int, WidthPairCount> choices;
    for (int& choice : choices)
      choice = mode(random);
    int letter = mode(random), digit = mode(random), kana = mode(random);
    TWidthLists lists = BuildSymbolLists(choices);
    std::string converted = ConvertTextWidth(text, letter, digit, kana, lists);
    ASSERT_EQ(Hex(converted), Hex(widthtest::ReferenceWidth(text, letter, digit, kana, lists)))
        << Hex(text);
    ASSERT_EQ(Hex(ConvertTextWidth(converted, letter, digit, kana, lists)), Hex(converted))
        << "a second pass changes nothing: " << Hex(text);
  }
}

} // namespace
