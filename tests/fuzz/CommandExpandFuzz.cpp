// Any command, selection and argument bytes through the argument readers and the expander,
// with a dialog side that answers from the input: the argument split puts the text back
// together, "$S" gives a selection without the mark back unchanged, and the caret and the
// selection always lie within the result. The table side builds its text around a dialog that
// answers with a record from the input; a "$" in a dialog's value comes back literally.
#include "core/CommandExpander.h"
#include "core/Sjis.h"
#include "core/TabParams.h"
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
  bool BuildTable(const TTableRequest& request, TTableValues& values) override {
    TTableText text;
    if (!BuildTableFromCommand(request.Command, request.Selection, request.LineBreak,
                               [this](TTabParams& params, bool) { return Answer(params); }, text))
      return false;
    values = {text.Format, text.Body, text.Option};
    return true;
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

  // A record as the dialog's controls allow it: 1 to 99 rows and columns.
  bool Answer(TTabParams& params) const {
    auto byte = [&](size_t index) {
      return index < value_.size() ? static_cast<uint8_t>(value_[index]) : uint8_t{0};
    };
    params.Rows = 1 + byte(0) % 99;
    params.Columns = 1 + byte(1) % 99;
    params.RowRules = byte(2) & 1;
    params.ColumnRules = byte(2) & 2;
    params.Alignment = byte(3) % 3;
    params.Separator = byte(4) % 3;
    params.Placement = value_;
    return confirm_;
  }
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

  if (choices & 1 && value.find(ProtectionMark) == std::string::npos) {
    for (const char* literal : {"$FigEnvOpt", "$PicFile"}) {
      TExpansion filled;
      FUZZ_CHECK(ExpandCommandText(dialogs, literal, selected, "", false, "\r\n", filled));
      FUZZ_CHECK(filled.Result == value);
    }
  }

  if (!selected.empty() && selected.find(ProtectionMark) == std::string::npos) {
    TExpansion plain;
    FUZZ_CHECK(ExpandCommandText(dialogs, "$S", selected, "", false, "\r\n", plain));
    FUZZ_CHECK(plain.Result == selected && plain.CaretOffset == 0 &&
               plain.SelLength == static_cast<int>(selected.size()));
  }
  return 0;
}
