// Any bytes as a selection split into cells and as a placement text: each row joined again
// gives its line back (padded rows with their extra separators), every row is as wide as the
// widest, the body has one line per row after the rule line, and a placement text built back
// loads to the same list.
#include "core/StringList.h"
#include "core/TabParams.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

namespace {

void CheckCells(std::string_view selection, uint8_t separator) {
  const auto cells = SplitCells(selection, separator);
  TStringList lines;
  lines.SetText(selection);
  FUZZ_CHECK(static_cast<int>(cells.size()) == lines.Count());
  const std::string mark = CellSeparatorChar(separator);
  for (size_t row = 0; row < cells.size(); ++row) {
    FUZZ_CHECK(cells[row].size() == cells[0].size());
    std::string joined;
    for (size_t column = 0; column < cells[row].size(); ++column)
      joined += (column ? mark : "") + cells[row][column];
    const size_t padding = cells[row].size() - (CountChar(lines[row], mark[0]) + 1);
    FUZZ_CHECK(joined == lines[row] + std::string(padding * mark.size(), mark[0]));
  }
  if (cells.empty())
    return;
  TTabParams params;
  params.Rows = static_cast<int32_t>(cells.size());
  params.Columns = static_cast<int32_t>(cells[0].size());
  const std::string body = TableBody(params, {}, cells, "\n");
  FUZZ_CHECK(CountChar(body, '\n') == params.Rows + 1);
}

void CheckPlacement(std::string_view text) {
  auto items = DefaultPlacementItems();
  ApplyPlacementText(items, text);
  const std::string built = PlacementText(items);
  FUZZ_CHECK(built.empty() || (built.front() == '[' && built.back() == ']' && built.size() <= 6));
  auto again = DefaultPlacementItems();
  ApplyPlacementText(again, built);
  FUZZ_CHECK(PlacementText(again) == built);
  for (size_t index = 0; index < items.size() && items[index].Checked; ++index)
    FUZZ_CHECK(again[index] == items[index]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  const uint8_t separator = input.Byte() % 4;
  const std::string placement = input.Take(input.Byte() % 16);
  const std::string selection = input.Rest();
  CheckCells(selection, separator);
  CheckCells(selection, DetectCellSeparator(selection));
  CheckPlacement(placement);
  return 0;
}
