// Any bytes as a "*.lst" file (read, written and read again: the same trimmed, non-empty words)
// and as a command text of the master editor: its automatic keyword holds no whole "\" or "}",
// and a "\begin{name}" found at any caret lies before the caret, closed by its "}".
#include "core/Format.h"
#include "core/MasterEditRules.h"
#include "core/ReserveWordList.h"
#include "core/Sjis.h"
#include "core/StringList.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

namespace {

constexpr std::string_view BeginText = "\\begin{";
// Every caret costs a scan of its line: longer texts are cut for that part.
constexpr size_t CaretTextLimit = 4096;

void CheckListFile(std::string_view bytes) {
  std::vector<std::string> words;
  {
    fuzz::InputFile file(bytes);
    words = ReadReserveWordFile(file.Path());
  }
  TStringList list;
  InitReserveWordList(list);
  for (const std::string& word : words) {
    FUZZ_CHECK(!word.empty() && Trim(word) == word);
    list.Add(word);
  }
  // A file of the same name as the input's, which is gone by now.
  fuzz::InputFile copy("");
  FUZZ_CHECK(WriteReserveWordFile(copy.Path(), list));
  FUZZ_CHECK(ReadReserveWordFile(copy.Path()) == words);
}

void CheckKeyword(std::string_view text) {
  TAutoKeyword keyword = AutoKeyword(text);
  FUZZ_CHECK(keyword.Checked || keyword.Keyword.empty());
  FUZZ_CHECK(sjis::FindChar(keyword.Keyword, '\\') == std::string::npos);
  FUZZ_CHECK(sjis::FindChar(keyword.Keyword, '}') == std::string::npos);
}

void CheckBeginNames(std::string_view text) {
  text = text.substr(0, CaretTextLimit);
  for (size_t caret = 0; caret <= text.size(); ++caret) {
    auto found = BeginNameBeforeCaret(text, caret);
    if (!found)
      continue;
    const std::string& name = found->Name;
    FUZZ_CHECK(!name.empty() && found->Start >= BeginText.size());
    FUZZ_CHECK(found->Start + name.size() < caret && text[found->Start + name.size()] == '}');
    FUZZ_CHECK(text.substr(found->Start, name.size()) == name);
    FUZZ_CHECK(text.substr(found->Start - BeginText.size(), BeginText.size()) == BeginText);
    FUZZ_CHECK(name.find_first_of("\r\n") == std::string::npos);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckListFile(bytes);
  CheckKeyword(bytes);
  CheckBeginNames(bytes);
  return 0;
}
