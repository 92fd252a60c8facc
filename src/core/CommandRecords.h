// The records of the user data and their one-line text forms. Numbers are 8 upper-case
// hexadecimal digits of the 32-bit value.
// - Master or group: Id, ImgIndex, CommandType, VisibleType, ShortCut, "t" or "f" for
//   ShowList, then seven texts each followed by a TAB (AssistCaption, Name, MenuCaption,
//   ListCaption, Command, ImageText, Hint).
// - Menu node: CommandId, ShortCut, ParentIndex, Level, MenuKind, then the Caption to the end.
// - Toolbar: Id, Name, a TAB, Buttons.
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

// Image numbers: none, the built-in strip, the user's images, the second built-in strip.
inline constexpr int NoImage = -1;
inline constexpr int FirstUserImage = 117;
inline constexpr int SecondStripImage = 1000;

enum TMenuKind { mkMainMenu, mkMainPopup, mkEditorPopup, MenuKindCount };

// One node of a menu tree.
struct TQuolin_MenuList {
  std::string Caption;
  // Absolute index of the parent in the menu tree whose three roots are nodes too.
  int ParentIndex = 0;
  // Depth; the roots are level 0.
  int Level = 0;
  int MenuKind = mkMainMenu;
  // Positive a master, negative the negated Id of a group, 0 a submenu or separator.
  int CommandId = 0;
  uint16_t ShortCut = 0;

  bool operator==(const TQuolin_MenuList&) const = default;
};

// One user toolbar.
struct TQuolin_ButtonList {
  int Id = 0;
  std::string Name;
  // The TIndexList text of its buttons.
  std::string Buttons;

  bool operator==(const TQuolin_ButtonList&) const = default;
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
// The Id of a line (field 0) and the image number of a master or group line (field 1).
int RecordIdOfLine(std::string_view line);
int ImageIndexOfLine(std::string_view line);

void ParseMenuLine(std::string_view line, TQuolin_MenuList& record);
std::string BuildMenuLine(const TQuolin_MenuList& record);
// A line shorter than 9 characters gives only the Id; text after a second TAB is ignored.
void ParseToolbarLine(std::string_view line, TQuolin_ButtonList& record);
std::string BuildToolbarLine(const TQuolin_ButtonList& record);

} // namespace quolin
