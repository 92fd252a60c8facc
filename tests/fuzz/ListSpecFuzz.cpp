// Any bytes as the arguments of "$List(...)" or "$Font(...)", as a "VisibleTool" text and as
// document lines searched with a template and a stop mark: the combo entries come out trimmed
// and non-empty, every found text lies in its line, "VisibleTool" gives one number per complete
// group of 8 characters and builds back to itself, and a label put into a reference comes out
// of the expander literally.
#include "core/CommandExpander.h"
#include "core/Format.h"
#include "core/ListSpec.h"
#include "core/NoCommandDialogs.h"
#include "core/StringList.h"
#include "core/TemplateMatch.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

namespace {

void CheckEntries(const std::vector<TListEntry>& entries) {
  for (const TListEntry& entry : entries) {
    const std::string whole =
        entry.Caption == entry.Template ? entry.Caption : entry.Caption + ":" + entry.Template;
    FUZZ_CHECK(!whole.empty() && Trim(whole) == whole);
    FUZZ_CHECK(SplitListEntry(whole) == entry);
  }
}

void CheckLiteralLabel(const std::string& label) {
  if (label.find(ProtectionMark) != std::string::npos)
    return;
  test_support::NoCommandDialogs dialogs;
  TExpansion expansion;
  FUZZ_CHECK(ExpandCommandText(dialogs, ReferenceInsertText("\\ref{$Label}", label, ""), "", "",
                               false, "\r\n", expansion));
  FUZZ_CHECK(expansion.Result == "\\ref{" + label + "}");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  const uint8_t choices = input.Byte();
  const std::string stopMark = input.Take(input.Byte() % 4);
  const std::string templateText = input.Take(input.Byte() % 16);
  const std::string visible = input.Take(input.Byte() % 48);
  const std::string rest = input.Rest();

  const std::string command = std::string(choices & 1 ? "$list(" : "$Font(") + rest + ")";
  if (ListKindOf(1, command) == lkLabels) {
    TLabelListArgs args = ReadLabelListArgs(command);
    CheckEntries(LabelEntries(args.Labels));
    CheckEntries(ReferenceEntries(args.References));
    CheckLiteralLabel(args.Labels);
  } else {
    TFontToolArgs args = ReadFontToolArgs(command);
    std::vector<std::string> names = FontEntries(args.Names);
    FillFontTemplate(args.Template, names.empty() ? "" : names.front(), args.Sizes, args.Series,
                     args.Shapes);
  }

  std::vector<int> numbers = ParseVisibleTool(visible);
  FUZZ_CHECK(numbers.size() == visible.size() / 8);
  FUZZ_CHECK(ParseVisibleTool(BuildVisibleTool(numbers)) == numbers);

  TStringList lines;
  lines.SetText(rest);
  for (int i = 0; i < lines.Count(); ++i) {
    TStringList line, found;
    line.Add(lines[i]);
    CollectTemplateMatches(templateText, stopMark, line, found);
    for (int j = 0; j < found.Count(); ++j) {
      FUZZ_CHECK(lines[i].find(found[j]) != std::string::npos);
      CheckLiteralLabel(found[j]);
    }
  }
  return 0;
}
