// Any command, selection and argument bytes through the argument readers and the expander,
// with a dialog side that answers from the input: the argument split puts the text back
// together, "$S" gives a selection without the mark back unchanged, and the caret and the
// selection always lie within the result.
#include "core/CommandExpander.h"
#include "core/Sjis.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

namespace {

class InputDialogs : public TCommandDialogs {
public:
  InputDialogs(bool confirm, std::string value) : confirm_(confirm), value_(std::move(value)) {}

  bool ChooseFile(const TFileRequest&, std::string& path) override {
    path = value_;
    return confirm_;
  }
  bool ChoosePicture(const TPictureRequest&, TPictureValues& values) override {
    values = {value_, value_, value_, value_, value_, value_, value_};
    return confirm_;
  }
  bool BuildTable(const TTableRequest&, TTableValues& values) override {
    values = {value_, value_, value_};
    return confirm_;
  }
  bool CallPlugIn(const std::string&, const std::string&, const std::string&, int bufferSize,
                  std::string& output) override {
    FUZZ_CHECK(bufferSize >= 1 && bufferSize <= 16 * 1024 * 1024);
    output = value_;
    return confirm_;
  }

private:
  bool confirm_;
  std::string value_;
};

void CheckMacroArgs(const std::string& text, const std::string& name) {
  std::string arguments, rest;
  ExtractMacroArgs(text, name, arguments, rest);
  size_t start = sjis::FindText(text, name + "(");
  if (rest == text) {
    FUZZ_CHECK(arguments.empty());
    return;
  }
  FUZZ_CHECK(start != std::string::npos);
  size_t cut = start + name.size();
  FUZZ_CHECK(rest.substr(0, cut) + "(" + arguments + ")" + rest.substr(cut) == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  const uint8_t choices = input.Byte();
  const std::string name = input.Take(input.Byte() % 8);
  const std::string selected = input.Take(input.Byte());
  const std::string value = input.Take(input.Byte() % 32);
  const std::string command = input.Rest();

  CheckMacroArgs(command, name.empty() ? "$F" : name);
  for (int index = -1; index < 4; ++index)
    GetCommaTextArg(command, "\r\n ", index, value);
  if (command.find(ProtectionMark) == std::string::npos) {
    const std::string stored = EncodeControlChars(command);
    FUZZ_CHECK(EncodeControlChars(DecodeCommandForEdit(stored, "\r\n")) == stored);
  }

  const std::string before = RepeatableCommand();
  InputDialogs dialogs(choices & 1, value);
  TExpansion expansion;
  bool done = ExpandCommandText(dialogs, command, selected, choices & 2 ? "C:\\d\\a.tex" : "",
                                choices & 4, "\r\n\t", expansion);
  if (!done) {
    FUZZ_CHECK(RepeatableCommand() == before);
  } else {
    FUZZ_CHECK(expansion.CaretOffset >= 0 && expansion.SelLength >= 0);
    FUZZ_CHECK(static_cast<size_t>(expansion.CaretOffset + expansion.SelLength) <=
               expansion.Result.size());
  }

  if (!selected.empty() && selected.find(ProtectionMark) == std::string::npos) {
    TExpansion plain;
    FUZZ_CHECK(ExpandCommandText(dialogs, "$S", selected, "", false, "\r\n", plain));
    FUZZ_CHECK(plain.Result == selected && plain.CaretOffset == 0 &&
               plain.SelLength == static_cast<int>(selected.size()));
  }
  return 0;
}
