// The width conversion of any bytes with any choices, held to the plain reference that asks the
// platform about each character on its own: nothing chosen gives the bytes back, a character
// whose round trip would change it stays as it was, and a second pass changes nothing.
#include "core/WidthReference.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  std::array<int, WidthPairCount> choices;
  for (int& choice : choices)
    choice = input.Byte() % 3;
  int letter = input.Byte() % 3, digit = input.Byte() % 3, kana = input.Byte() % 3;
  std::string text = input.Rest();

  TWidthLists lists = BuildSymbolLists(choices);
  std::string converted = ConvertTextWidth(text, letter, digit, kana, lists);
  FUZZ_CHECK(converted == widthtest::ReferenceWidth(text, letter, digit, kana, lists));
  FUZZ_CHECK(ConvertTextWidth(converted, letter, digit, kana, lists) == converted);
  FUZZ_CHECK(ConvertTextWidth(text, 0, 0, 0, BuildSymbolLists({})) == text);
  return 0;
}
