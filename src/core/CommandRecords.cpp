#include "core/CommandRecords.h"

#include "core/Format.h"

namespace quolin {

namespace {

constexpr size_t FieldWidth = 8;
constexpr size_t ShowListPos = 40; // character 41
constexpr size_t TextsPos = 41;    // character 42
constexpr size_t CaptionPos = 40;  // a menu line's caption, character 41
constexpr size_t ToolbarNamePos = 8;

enum TNumberField { nfId, nfImgIndex, nfCommandType, nfVisibleType, nfShortCut };
enum TMenuField { mfCommandId, mfShortCut, mfParentIndex, mfLevel, mfMenuKind };

uint16_t ReadShortCutField(std::string_view line, int index) {
  return static_cast<uint16_t>(ReadHexField(line, index));
}

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
  record.ShortCut = ReadShortCutField(line, nfShortCut);
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

int ImageIndexOfLine(std::string_view line) {
  return ReadHexField(line, nfImgIndex);
}

void ParseMenuLine(std::string_view line, TQuolin_MenuList& record) {
  record.CommandId = ReadHexField(line, mfCommandId);
  record.ShortCut = ReadShortCutField(line, mfShortCut);
  record.ParentIndex = ReadHexField(line, mfParentIndex);
  record.Level = ReadHexField(line, mfLevel);
  record.MenuKind = ReadHexField(line, mfMenuKind);
  record.Caption = line.size() > CaptionPos ? std::string(line.substr(CaptionPos)) : "";
}

std::string BuildMenuLine(const TQuolin_MenuList& record) {
  return HexField(record.CommandId) + HexField(record.ShortCut) + HexField(record.ParentIndex) +
         HexField(record.Level) + HexField(record.MenuKind) + record.Caption;
}

void ParseToolbarLine(std::string_view line, TQuolin_ButtonList& record) {
  record = TQuolin_ButtonList();
  record.Id = ReadHexField(line, 0);
  if (line.size() <= ToolbarNamePos)
    return;
  std::string_view rest = line.substr(ToolbarNamePos);
  size_t tab = rest.find('\t');
  record.Name = rest.substr(0, tab);
  if (tab == std::string_view::npos)
    return;
  rest.remove_prefix(tab + 1);
  record.Buttons = rest.substr(0, rest.find('\t'));
}

std::string BuildToolbarLine(const TQuolin_ButtonList& record) {
  return HexField(record.Id) + record.Name + "\t" + record.Buttons;
}

} // namespace quolin
