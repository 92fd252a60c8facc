// The record of a master command or of a group, and its one-line text form in the user data:
// five numbers of 8 upper-case hexadecimal digits (Id, ImgIndex, CommandType, VisibleType,
// ShortCut), "t" or "f" for ShowList, then seven texts each followed by a TAB (AssistCaption,
// Name, MenuCaption, ListCaption, Command, ImageText, Hint). Window-free.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quolin {

struct TQuolin_CmdList {
  int Id = 0;
  std::string Name;
  std::string MenuCaption;
  std::string ListCaption;
  std::string AssistCaption;
  // A command text; for a group the member list (TIndexList text).
  std::string Command;
  int ImgIndex = -1;
  std::string ImageText;
  std::string Hint;
  int CommandType = 0;
  int VisibleType = 0;
  bool ShowList = true;
  uint16_t ShortCut = 0;

  bool operator==(const TQuolin_CmdList&) const = default;
};

// Field i (from 0) of a line: characters 8i+1 to 8i+8 read as a signed 32-bit hexadecimal
// number; 0 when they are not one.
int ReadHexField(std::string_view line, int index);
// 8 upper-case hexadecimal digits of the 32-bit two's complement.
std::string HexField(int value);
bool CharToBool(char value);
char BoolToChar(bool value);

void ClearMasterRecord(TQuolin_CmdList& record);
void ParseMasterRecord(std::string_view line, TQuolin_CmdList& record);
std::string BuildMasterRecord(const TQuolin_CmdList& record);
// The Id of a line (field 0).
int RecordIdOfLine(std::string_view line);

} // namespace quolin
