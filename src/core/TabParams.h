// The table dialog's record and the window-free half of a table command: cells of a selected
// text, the float placement text and the LaTeX column format and body built from the record.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

enum TCellAlignment : uint8_t { caLeft = 0, caRight = 1, caCentre = 2 };
enum TCellSeparator : uint8_t { csTab = 0, csComma = 1, csBlank = 2 };

struct TTabParams {
  int32_t Columns = 4;
  int32_t Rows = 3;
  bool RowRules = true;
  bool ColumnRules = true;
  uint8_t Alignment = caCentre;
  uint8_t Separator = csTab;
  bool UseAlignment = false;
  bool UseShape = false;
  bool UsePlacement = false;
  // Empty, or "[" + letters + "]".
  std::string Placement;

  bool operator==(const TTabParams&) const = default;
};

// Occurrences of a single-byte character; the trail bytes of double-byte characters never count.
int CountChar(std::string_view text, char character);
// The characters after the index-th separator (from 0) up to the next one; field 0 lies
// before the first. Empty when there is no such field or the separator is empty.
std::string ExtractSeparatedField(std::string_view text, std::string_view separator, int index);
// csTab when the text holds a tab, else csComma for a comma, else csBlank for a blank, else csTab.
uint8_t DetectCellSeparator(std::string_view text);
// "," for csComma, " " for csBlank, a tab for any other kind.
std::string CellSeparatorChar(uint8_t kind);

// The cells of a selected text: one row per line (a final line break adds none), each cut at
// the separator; every row has as many cells as the longest one, the missing ones empty.
std::vector<std::vector<std::string>> SplitCells(std::string_view text, uint8_t separator);

// A placement list item (Here, Top, Bottom, Page) and whether it is checked.
struct TPlacementItem {
  std::string Name;
  bool Checked = false;

  bool operator==(const TPlacementItem&) const = default;
};
// The four items in their first order, none checked.
std::vector<TPlacementItem> DefaultPlacementItems();
// The text's characters, upper-cased, from the last to the first: the item with that first
// letter is checked and moved to the top; other characters change nothing.
void ApplyPlacementText(std::vector<TPlacementItem>& items, std::string_view text);
// "[" + the lower-case first letters of the checked items in list order + "]", or "" when none
// is checked.
std::string PlacementText(const std::vector<TPlacementItem>& items);

// The letters and rule character of a column format.
struct TColumnFormatArgs {
  std::string Left = "l", Centre = "c", Right = "r", Rule = "|";
};
// Rule + letter + rule for the first column, then letter + rule for each further one; the
// rule is empty without column rules.
std::string ColumnFormat(const TTabParams& params, const TColumnFormatArgs& args);

// The pieces of a tabular body, control placeholders already expanded.
struct TTableBodyArgs {
  std::string RowPrefix = " ", CellPrefix, CellSuffix, CellSeparator = "\t& ", RowEnd = "\t\\\\",
              RuleLine = " \\hline";
};
// The rule line and line break, then per row: the prefix, the cells joined by the separator,
// the row end, the rule line and the line break. Without row rules the rule line is empty and
// the last row has no row end. Rows and columns come from params; cells beyond the given ones
// are empty.
std::string TableBody(const TTabParams& params, const TTableBodyArgs& args,
                      const std::vector<std::vector<std::string>>& cells,
                      std::string_view lineBreak);

// What a table command writes.
struct TTableText {
  std::string Format, Body, Option;
};
// Shows the dialog: false is Cancel. newShape is true when nothing is selected.
using TTableDialog = std::function<bool(TTabParams& params, bool newShape)>;
// The table of a command: with a selection its separator is detected and its lines and fields
// give rows and columns; after OK the selection is split again by the separator chosen in the
// dialog. False when the dialog was cancelled.
bool BuildTableText(TTabParams params, std::string_view selection, const TColumnFormatArgs& format,
                    const TTableBodyArgs& body, std::string_view lineBreak,
                    const TTableDialog& dialog, TTableText& text);

// The table of a command text: "$MatrixDef" gives the first settings (rows and columns only
// without a selection), "$MatrixFmt" and "$MatrixBody" their pieces, "$FigEnvOpt" the first
// placement; which of them occur says which parts the dialog offers.
bool BuildTableFromCommand(std::string_view command, std::string_view selection,
                           std::string_view lineBreak, const TTableDialog& dialog, TTableText& text);

} // namespace quolin
