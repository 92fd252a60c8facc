#include "core/TabParams.h"

#include "core/CommandExpander.h"
#include "core/Format.h"
#include "core/Sjis.h"
#include "core/StringList.h"

#include <algorithm>

namespace quolin {

using sjis::FindChar;
using sjis::FindText;
using sjis::LowerAscii;
using sjis::UpperAscii;

int CountChar(std::string_view text, char character) {
  int count = 0;
  for (size_t pos = FindChar(text, character); pos != std::string_view::npos;
       pos = FindChar(text, character, pos + 1))
    ++count;
  return count;
}

std::string ExtractSeparatedField(std::string_view text, std::string_view separator, int index) {
  if (separator.empty() || index < 0)
    return "";
  size_t start = 0;
  for (int field = 0; field < index; ++field) {
    size_t next = FindText(text, separator, start);
    if (next == std::string_view::npos)
      return "";
    start = next + separator.size();
  }
  size_t end = FindText(text, separator, start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

uint8_t DetectCellSeparator(std::string_view text) {
  if (FindChar(text, '\t') != std::string_view::npos)
    return csTab;
  if (FindChar(text, ',') != std::string_view::npos)
    return csComma;
  if (FindChar(text, ' ') != std::string_view::npos)
    return csBlank;
  return csTab;
}

std::string CellSeparatorChar(uint8_t kind) {
  switch (kind) {
  case csComma:
    return ",";
  case csBlank:
    return " ";
  default:
    return "\t";
  }
}

std::vector<std::vector<std::string>> SplitCells(std::string_view text, uint8_t separator) {
  TStringList lines;
  lines.SetText(text);
  const std::string mark = CellSeparatorChar(separator);
  std::vector<std::vector<std::string>> rows;
  size_t columns = 0;
  for (int line = 0; line < lines.Count(); ++line) {
    const std::string row = lines[line];
    const int fields = CountChar(row, mark[0]) + 1;
    std::vector<std::string> cells;
    for (int field = 0; field < fields; ++field)
      cells.push_back(ExtractSeparatedField(row, mark, field));
    columns = std::max(columns, cells.size());
    rows.push_back(std::move(cells));
  }
  for (auto& row : rows)
    row.resize(columns);
  return rows;
}

std::vector<TPlacementItem> DefaultPlacementItems() {
  return {{"Here"}, {"Top"}, {"Bottom"}, {"Page"}};
}

void ApplyPlacementText(std::vector<TPlacementItem>& items, std::string_view text) {
  const std::string upper = UpperAscii(text);
  for (auto letter = upper.rbegin(); letter != upper.rend(); ++letter) {
    auto item = std::find_if(items.begin(), items.end(), [&](const TPlacementItem& candidate) {
      return !candidate.Name.empty() && candidate.Name[0] == *letter;
    });
    if (item == items.end())
      continue;
    item->Checked = true;
    std::rotate(items.begin(), item, item + 1);
  }
}

std::string PlacementText(const std::vector<TPlacementItem>& items) {
  std::string letters;
  for (const TPlacementItem& item : items)
    if (item.Checked && !item.Name.empty())
      letters += LowerAscii(item.Name.substr(0, 1));
  return letters.empty() ? "" : "[" + letters + "]";
}

std::string ColumnFormat(const TTabParams& params, const TColumnFormatArgs& args) {
  const std::string& letter = params.Alignment == caLeft    ? args.Left
                              : params.Alignment == caRight ? args.Right
                                                            : args.Centre;
  const std::string rule = params.ColumnRules ? args.Rule : "";
  std::string format = rule;
  for (int column = 0; column < params.Columns; ++column)
    format += letter + rule;
  return format;
}

std::string TableBody(const TTabParams& params, const TTableBodyArgs& args,
                      const std::vector<std::vector<std::string>>& cells,
                      std::string_view lineBreak) {
  const std::string rule = params.RowRules ? args.RuleLine : "";
  std::string body = rule + std::string(lineBreak);
  for (int row = 0; row < params.Rows; ++row) {
    body += args.RowPrefix;
    for (int column = 0; column < params.Columns; ++column) {
      if (column > 0)
        body += args.CellSeparator;
      const bool present = static_cast<size_t>(row) < cells.size() &&
                           static_cast<size_t>(column) < cells[row].size();
      body += args.CellPrefix + (present ? cells[row][column] : "") + args.CellSuffix;
    }
    if (params.RowRules || row + 1 < params.Rows)
      body += args.RowEnd;
    body += rule + std::string(lineBreak);
  }
  return body;
}

namespace {

void TakeShape(TTabParams& params, const std::vector<std::vector<std::string>>& cells) {
  params.Rows = static_cast<int32_t>(cells.size());
  params.Columns = cells.empty() ? 0 : static_cast<int32_t>(cells[0].size());
}

} // namespace

bool BuildTableText(TTabParams params, std::string_view selection, const TColumnFormatArgs& format,
                    const TTableBodyArgs& body, std::string_view lineBreak,
                    const TTableDialog& dialog, TTableText& text) {
  const bool newShape = selection.empty();
  if (!newShape) {
    params.Separator = DetectCellSeparator(selection);
    TakeShape(params, SplitCells(selection, params.Separator));
  }
  if (!dialog(params, newShape))
    return false;
  std::vector<std::vector<std::string>> cells;
  if (!newShape) {
    cells = SplitCells(selection, params.Separator);
    TakeShape(params, cells);
  }
  text.Format = ColumnFormat(params, format);
  text.Body = TableBody(params, body, cells, lineBreak);
  text.Option = params.Placement;
  return true;
}

namespace {

TTabParams ParamsFromCommand(std::string_view command, bool selected) {
  TTabParams params;
  params.RowRules = IsTrueArg(GetMacroArg("$MatrixDef", command, 0, "True"));
  params.ColumnRules = IsTrueArg(GetMacroArg("$MatrixDef", command, 1, "True"));
  if (!selected) {
    params.Rows = StrToIntDef(GetMacroArg("$MatrixDef", command, 2, "3"), 3);
    params.Columns = StrToIntDef(GetMacroArg("$MatrixDef", command, 3, "4"), 4);
  }
  const std::string align = LowerAscii(GetMacroArg("$MatrixDef", command, 4, "c").substr(0, 1));
  params.Alignment = align == "l" ? caLeft : align == "r" ? caRight : caCentre;
  params.Placement = GetMacroArg("$FigEnvOpt", command, 0, "");
  const auto has = [&](std::string_view name) { return command.find(name) != std::string_view::npos; };
  params.UseShape = has("$MatrixFmt") || has("$MatrixBody");
  params.UseAlignment = has("$MatrixFmt");
  params.UsePlacement = has("$FigEnvOpt");
  return params;
}

TTableBodyArgs BodyArgs(std::string_view command, std::string_view lineBreak) {
  std::string arguments, rest;
  ExtractMacroArgs(command, "$MatrixBody", arguments, rest);
  const auto arg = [&](int index, std::string_view fallback) {
    return GetCommaTextArg(arguments, lineBreak, index, fallback);
  };
  return {arg(0, " "), arg(1, ""), arg(2, ""), arg(3, "$Tab& "), arg(4, "$Tab\\\\"),
          arg(5, " \\hline")};
}

} // namespace

bool BuildTableFromCommand(std::string_view command, std::string_view selection,
                           std::string_view lineBreak, const TTableDialog& dialog, TTableText& text) {
  const auto formatArg = [&](int index, std::string_view fallback) {
    return GetMacroArg("$MatrixFmt", command, index, fallback);
  };
  const TColumnFormatArgs format{formatArg(0, "l"), formatArg(1, "c"), formatArg(2, "r"),
                                 formatArg(3, "|")};
  return BuildTableText(ParamsFromCommand(command, !selection.empty()), selection, format,
                        BodyArgs(command, lineBreak), lineBreak, dialog, text);
}

} // namespace quolin
