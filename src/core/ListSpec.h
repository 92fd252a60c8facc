// What a list tool window shows, decided from its signed command number and command text: the
// kind, the arguments of "$List" and "$Font", the entries of their combo boxes and pop-ups, the
// texts an insert or apply hands to the command router, and the "VisibleTool" list of the
// shown windows. Window-free.
//
// A "$List" insert puts a label and a file name into a command text that the expander runs, so
// every "$" they bring is doubled there: "$$" is the expander's literal dollar.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quolin {

enum TListKind { lkGroup, lkLabels, lkFont };

// Negative numbers are groups; a master whose command begins "$List" or "$Font" (any case) has
// a list of its own, any other lists nothing but is shown as a group would be.
TListKind ListKindOf(int commandNumber, std::string_view command);

struct TLabelListArgs {
  std::string Labels;
  std::string References;
  std::string InsertCaption;
  // The icon and list-style options do not apply.
  bool FixedStyle = true;
};
// The arguments of "$List(labels,references,insert caption)", read with the word as spelled.
TLabelListArgs ReadLabelListArgs(std::string_view command);

struct TFontToolArgs {
  std::string Names, Sizes, Series, Shapes;
  std::string Template;
};
// The arguments of "$Font(names,sizes,series,shapes,template)", each list a comma text.
TFontToolArgs ReadFontToolArgs(std::string_view command);

// One combo box entry: "caption:template", or a text that is both.
struct TListEntry {
  std::string Caption;
  std::string Template;

  bool operator==(const TListEntry&) const = default;
};
// A ":" after the first character splits caption and template.
TListEntry SplitListEntry(std::string_view entry);
// The label pattern list as comma text; entries trimmed, empty ones dropped.
std::vector<TListEntry> LabelEntries(std::string_view spec);
// The reference pattern cut at every comma outside parentheses; pieces trimmed, empty
// ones dropped.
std::vector<TListEntry> ReferenceEntries(std::string_view spec);

// The font tool's entries of one argument.
std::vector<std::string> FontEntries(std::string_view commaText);
// The font template with "$FontName", "$FontSize", "$FontSeries" and "$FontShape" put in; the
// entry "変更なし" puts in nothing.
std::string FillFontTemplate(std::string_view templateText, std::string_view name,
                             std::string_view size, std::string_view series,
                             std::string_view shape);
// Apply changes something: a name or size other than the first entry, or a series or shape.
bool FontApplyEnabled(int nameIndex, int sizeIndex, bool seriesSet, bool shapeSet);
// A series or shape pop-up item's caption: the entry and its number from 1.
std::string NumberedEntryCaption(std::string_view entry, int number);

// The reference template with "$Label" and "$Owner" put in, their "$" doubled.
std::string ReferenceInsertText(std::string_view templateText, std::string_view label,
                                std::string_view owner);
// The document combo's hint: the chosen document's name in parentheses.
std::string DocumentComboHint(std::string_view documentName);

// "VisibleTool": 8 hexadecimal digits per window. Each complete group of 8 characters gives
// one number, 0 when it is not 8 hexadecimal digits; a shorter rest is ignored.
std::vector<int> ParseVisibleTool(std::string_view text);
std::string BuildVisibleTool(const std::vector<int>& commandNumbers);

} // namespace quolin
