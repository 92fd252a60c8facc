#include "commands/CommandRecords.h"

#include "core/Format.h"

namespace quolin {

namespace {

constexpr size_t FieldWidth = 8;
constexpr size_t ShowListPos = 40; // character 41
constexpr size_t TextsPos = 41;    // character 42

enum TNumberField { nfId, nfImgIndex, nfCommandType, nfVisibleType, nfShortCut };

// The seven texts in their order on the line.
constexpr std::string TQuolin_CmdList::*TextFields[] = {
    &TQuolin_CmdList::AssistCaption, &TQuolin_CmdList::Name,    &TQuolin_CmdList::MenuCaption,
    &TQuolin_CmdList::ListCaption,   &TQuolin_CmdList::Command, &TQuolin_CmdList::ImageText,
    &TQuolin_CmdList::Hint,
};

} // namespace

int ReadHexField(std::string_view line, int index) {
  size_t start = static_cast<size_t>(index) * FieldWidth;
  if (start >= line.size())
    return 0;
  std::string hex = "$";
  hex.append(line.substr(start, FieldWidth));
  return StrToIntDef(hex, 0);
}

std::string HexField(int value) {
  return IntToHex(static_cast<uint32_t>(value), FieldWidth);
}

bool CharToBool(char value) {
  return value == 't';
}

char BoolToChar(bool value) {
  return value ? 't' : 'f';
}

void ClearMasterRecord(TQuolin_CmdList& record) {
  record = TQuolin_CmdList();
}

void ParseMasterRecord(std::string_view line, TQuolin_CmdList& record) {
  ClearMasterRecord(record);
  record.Id = ReadHexField(line, nfId);
  record.ImgIndex = ReadHexField(line, nfImgIndex);
  record.CommandType = ReadHexField(line, nfCommandType);
  record.VisibleType = ReadHexField(line, nfVisibleType);
  record.ShortCut = static_cast<uint16_t>(ReadHexField(line, nfShortCut));
  record.ShowList = line.size() > ShowListPos && CharToBool(line[ShowListPos]);
  if (line.size() <= TextsPos)
    return;
  size_t field = 0;
  for (char ch : line.substr(TextsPos)) {
    if (ch == '\t') {
      if (++field == std::size(TextFields))
        break;
      continue;
    }
    (record.*TextFields[field]) += ch;
  }
}

std::string BuildMasterRecord(const TQuolin_CmdList& record) {
  std::string line = HexField(record.Id) + HexField(record.ImgIndex) +
                     HexField(record.CommandType) + HexField(record.VisibleType) +
                     HexField(record.ShortCut);
  line += BoolToChar(record.ShowList);
  for (auto text : TextFields)
    line.append(record.*text).append("\t");
  return line;
}

int RecordIdOfLine(std::string_view line) {
  return ReadHexField(line, nfId);
}

} // namespace quolin
