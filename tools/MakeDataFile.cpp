// Draws up the program folder's user data file from the readable sources of a folder:
//   images.txt    the image slots by name: 117 for the built-in strip, then the second strip
//   masters.txt   one "Key=value" block a master, each beginning with "Id="
//   groups.txt    the same for groups, with "Members=" listing their masters
//   menus.txt     the three menu trees as indented outlines
//   toolbars.txt  "[id] name" and the toolbar's members
//   reserved.txt  the reserved words
// Usage: MakeDataFile <source folder> <data file>
// The sources are UTF-8 and must map exactly to the program's code page. The file is written
// under a temporary name and renamed when whole; on a fault nothing is left and the fault is
// reported as "file:line: message" with exit code 1.
#include "common/UserDataFile.h"
#include "core/CommandLookup.h"
#include "core/CommandRecords.h"
#include "core/Format.h"
#include "core/IndexList.h"
#include "core/MenuTree.h"
#include "core/Platform.h"
#include "core/ReserveWordList.h"
#include "core/StringList.h"
#include "core/SysWords.h"
#include "core/TextEncoding.h"
#include "ui/Menus.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace quolin;

namespace {

constexpr int ListMasterId = 0x81;
constexpr int BuiltInStripSlots = 117;
constexpr char GroupPrefix[] = "group:";
constexpr char CommentMark = '#';

struct TSourceError {
  std::string Where;
  std::string Message;
};

// One line of a source, in the program's code page, and where it stands.
struct TSourceLine {
  std::string Where;
  std::string Text;
};

[[noreturn]] void Fail(const std::string& where, const std::string& message) {
  throw TSourceError{where, message};
}

std::string Utf8Bytes(std::string_view ansi) {
  return ConvertAnsiToUtf8(ansi);
}

// The file's lines without comments and blank lines (or with blank lines, for blocks).
std::vector<TSourceLine> ReadSource(const std::string& folder, const std::string& name) {
  const std::string path = folder + "\\" + name;
  if (!FileExists(path))
    Fail(name, "missing");
  std::string bytes = ReadFileBytes(path);
  if (bytes.starts_with("\xEF\xBB\xBF"))
    bytes.erase(0, 3);
  std::vector<TSourceLine> lines;
  size_t start = 0;
  for (int number = 1; start < bytes.size(); ++number) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos)
      end = bytes.size();
    std::string utf8 = bytes.substr(start, end - start);
    start = end + 1;
    if (utf8.ends_with('\r'))
      utf8.pop_back();
    const std::string where = name + ":" + std::to_string(number);
    if (utf8.find_first_of("\t\r") != std::string::npos)
      Fail(where, "a TAB or CR in a line");
    std::string ansi = ConvertUtf8ToAnsi(utf8);
    // The conversion substitutes what it cannot map: only an exact way back is accepted.
    if (Utf8Bytes(ansi) != utf8)
      Fail(where, "a character with no exact code-page-932 mapping");
    if (Trim(ansi).empty() || Trim(ansi).front() == CommentMark)
      continue;
    lines.push_back({where, std::move(ansi)});
  }
  return lines;
}

int ParseNumber(const TSourceLine& line, const std::string& text) {
  int value = 0;
  const std::string trimmed = Trim(text);
  const bool hex = trimmed.starts_with("0x") || trimmed.starts_with("0X");
  std::string digits = hex ? trimmed.substr(2) : trimmed;
  if (hex)
    digits.insert(digits.begin(), '$');
  if (!TryStrToInt(digits, value) || trimmed.empty())
    Fail(line.Where, "not a number: " + Utf8Bytes(trimmed));
  return value;
}

void CheckId(const TSourceLine& line, int id, std::set<int>& used) {
  if (id < 1)
    Fail(line.Where, "an id out of range: " + std::to_string(id));
  if (!used.insert(id).second)
    Fail(line.Where, "a duplicate id: " + std::to_string(id));
}

// "Key=value"; a double-quoted value is taken as it stands, any other is trimmed.
std::pair<std::string, std::string> SplitKeyValue(const TSourceLine& line) {
  const size_t equal = line.Text.find('=');
  if (equal == std::string::npos)
    Fail(line.Where, "not Key=value");
  std::string value = Trim(line.Text.substr(equal + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return {Trim(line.Text.substr(0, equal)), value};
}

class TDataSources {
public:
  explicit TDataSources(std::string folder) : folder_(std::move(folder)) {}

  void Read() {
    ReadImages();
    ReadRecords("masters.txt", masters_, false);
    ReadRecords("groups.txt", groups_, true);
    ReadMenus();
    ReadToolbars();
    ReadReserved();
    CheckBuiltInWords();
  }

  bool Write(const std::string& path) const {
    TStringList masters, groups, menus, toolbars, reserved;
    for (const auto& [id, record] : masters_)
      masters.Add(BuildMasterRecord(record));
    for (const auto& [id, record] : groups_)
      groups.Add(BuildMasterRecord(record));
    menuTree_.WriteLines(menus);
    for (const auto& toolbar : toolbars_)
      toolbars.Add(BuildToolbarLine(toolbar));
    for (const auto& word : reserved_)
      reserved.Add(word);
    SortReserveList(reserved);
    return CreateDataFile(path) && SaveMasterData(path, true, masters) &&
           SaveMasterData(path, false, groups) && SaveMenuData(path, menus, toolbars) &&
           SaveReserveList(path, reserved) && IsDataFile(path);
  }

private:
  std::string folder_;
  std::map<std::string, int> images_;
  std::map<int, TQuolin_CmdList> masters_;
  std::map<int, TQuolin_CmdList> groups_;
  TMenuTree menuTree_;
  std::vector<TQuolin_ButtonList> toolbars_;
  std::vector<std::string> reserved_;
  // Where each master was defined, for the checks made after all are read.
  std::map<int, std::string> masterWhere_;

  void ReadImages() {
    int slot = 0;
    for (const TSourceLine& line : ReadSource(folder_, "images.txt")) {
      if (!images_.emplace(Trim(line.Text), slot).second)
        Fail(line.Where, "a duplicate image slot");
      slot = slot + 1 == BuiltInStripSlots ? SecondStripImage : slot + 1;
    }
    if (slot < BuiltInStripSlots)
      Fail("images.txt", "fewer than 117 slots of the built-in strip");
  }

  int ImageOf(const TSourceLine& line, const std::string& name) const {
    auto found = images_.find(name);
    if (found == images_.end())
      Fail(line.Where, "an unknown image: " + Utf8Bytes(name));
    return found->second;
  }

  void ReadRecords(const std::string& name, std::map<int, TQuolin_CmdList>& records, bool groups) {
    std::set<int> ids;
    TQuolin_CmdList* record = nullptr;
    bool showListGiven = false;
    auto finish = [&] {
      if (record && !showListGiven)
        record->ShowList = !record->AssistCaption.empty() && !record->Command.empty();
    };
    for (const TSourceLine& line : ReadSource(folder_, name)) {
      auto [key, value] = SplitKeyValue(line);
      if (key == "Id") {
        finish();
        const int id = ParseNumber(line, value);
        CheckId(line, id, ids);
        record = &records[id];
        record->Id = id;
        showListGiven = false;
        if (!groups)
          masterWhere_[id] = line.Where;
        continue;
      }
      if (!record)
        Fail(line.Where, "a value before the first Id");
      if (key == "ShowList")
        showListGiven = true;
      SetField(line, *record, key, value, groups);
    }
    finish();
  }

  void SetField(const TSourceLine& line, TQuolin_CmdList& record, const std::string& key,
                const std::string& value, bool group) const {
    static const std::map<std::string, std::string TQuolin_CmdList::*> texts = {
        {"Name", &TQuolin_CmdList::Name},
        {"MenuCaption", &TQuolin_CmdList::MenuCaption},
        {"ListCaption", &TQuolin_CmdList::ListCaption},
        {"AssistCaption", &TQuolin_CmdList::AssistCaption},
        {"ImageText", &TQuolin_CmdList::ImageText},
        {"Hint", &TQuolin_CmdList::Hint}};
    static const std::map<std::string, int TQuolin_CmdList::*> numbers = {
        {"CommandType", &TQuolin_CmdList::CommandType},
        {"VisibleType", &TQuolin_CmdList::VisibleType}};
    if (auto text = texts.find(key); text != texts.end())
      record.*text->second = value;
    else if (auto number = numbers.find(key); number != numbers.end())
      record.*number->second = ParseNumber(line, value);
    else if (key == "Image")
      record.ImgIndex = ImageOf(line, value);
    else if (key == "ShowList")
      record.ShowList = ParseNumber(line, value) != 0;
    else if (key == "ShortCut")
      record.ShortCut = ShortCutOf(line, value);
    else if (key == "Command" && !group)
      record.Command = value;
    else if (key == "Members" && group)
      record.Command = MembersOf(line, value);
    else
      Fail(line.Where, "an unknown key: " + Utf8Bytes(key));
  }

  static TShortCut ShortCutOf(const TSourceLine& line, const std::string& text) {
    const TShortCut shortCut = TextToShortCut(text);
    if (shortCut == 0)
      Fail(line.Where, "an unknown short-cut: " + Utf8Bytes(text));
    return shortCut;
  }

  std::string MembersOf(const TSourceLine& line, const std::string& text) const {
    TIndexList members;
    TStringList items;
    items.SetDelimitedText(text);
    for (int i = 0; i < items.Count(); ++i)
      members.Add(MasterOf(line, items[i]));
    return members.Text;
  }

  int MasterOf(const TSourceLine& line, const std::string& reference) const {
    const int id = ParseNumber(line, reference);
    if (!masters_.contains(id))
      Fail(line.Where, "an unknown master: " + Utf8Bytes(reference));
    return id;
  }

  // A master by id or by its command text, or "group:id" (a negative number).
  int CommandOf(const TSourceLine& line, const std::string& reference) const {
    if (reference.starts_with(GroupPrefix)) {
      const int id = ParseNumber(line, reference.substr(std::size(GroupPrefix) - 1));
      if (!groups_.contains(id))
        Fail(line.Where, "an unknown group: " + Utf8Bytes(reference));
      return -id;
    }
    if (!reference.empty() && (reference.front() == '$' || reference.front() == '\\')) {
      for (const auto& [id, master] : masters_)
        if (master.Command == reference)
          return id;
      Fail(line.Where, "an unknown master: " + Utf8Bytes(reference));
    }
    return MasterOf(line, reference);
  }

  void ReadMenus() {
    int kind = -1;
    // The last node of each level of the current tree; level 0 is the root.
    std::vector<TMenuNode*> path;
    std::map<TShortCut, std::string> mainShortCuts;
    for (const TSourceLine& line : ReadSource(folder_, "menus.txt")) {
      const std::string text = Trim(line.Text);
      if (text.front() == '[') {
        auto root = std::find(MenuRootCaptions.begin(), MenuRootCaptions.end(),
                              text.substr(1, text.size() - 2));
        if (text.back() != ']' || root == MenuRootCaptions.end())
          Fail(line.Where, "an unknown menu: " + Utf8Bytes(text));
        kind = static_cast<int>(root - MenuRootCaptions.begin());
        path = {&menuTree_.Root(kind)};
        continue;
      }
      if (kind < 0)
        Fail(line.Where, "a menu item before the first menu");
      const size_t indent = line.Text.find_first_not_of(' ');
      const size_t level = indent / 2 + 1;
      if (indent % 2 != 0 || level > path.size())
        Fail(line.Where, "an indentation that is not one level deeper at most");
      path.resize(level);
      const TQuolin_MenuList node = MenuNodeOf(line, text);
      if (kind == mkMainMenu && node.ShortCut != 0 &&
          !mainShortCuts.emplace(node.ShortCut, line.Where).second)
        Fail(line.Where,
             "a main-menu short-cut used twice (first at " + mainShortCuts[node.ShortCut] + ")");
      path.push_back(path.back()->AddChild(node));
    }
  }

  TQuolin_MenuList MenuNodeOf(const TSourceLine& line, const std::string& text) const {
    TQuolin_MenuList node;
    const size_t bar = text.find('|');
    if (text == "-" || bar == std::string::npos) {
      node.Caption = text;
      return node;
    }
    node.CommandId = CommandOf(line, Trim(text.substr(bar + 1)));
    const TQuolin_CmdList& record =
        node.CommandId < 0 ? groups_.at(-node.CommandId) : masters_.at(node.CommandId);
    node.Caption = Trim(text.substr(0, bar));
    if (node.Caption.empty())
      node.Caption = record.MenuCaption;
    node.ShortCut = record.ShortCut;
    return node;
  }

  void ReadToolbars() {
    std::set<int> ids;
    TIndexList buttons;
    for (const TSourceLine& line : ReadSource(folder_, "toolbars.txt")) {
      const std::string text = Trim(line.Text);
      if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos)
          Fail(line.Where, "not \"[id] name\"");
        const int id = ParseNumber(line, text.substr(1, close - 1));
        CheckId(line, id, ids);
        toolbars_.push_back({id, Trim(text.substr(close + 1)), ""});
        continue;
      }
      if (toolbars_.empty())
        Fail(line.Where, "a button before the first toolbar");
      buttons.Text = toolbars_.back().Buttons;
      buttons.Add(text == "-" ? 0 : CommandOf(line, text));
      toolbars_.back().Buttons = buttons.Text;
    }
  }

  void ReadReserved() {
    std::set<std::string> seen;
    for (const TSourceLine& line : ReadSource(folder_, "reserved.txt")) {
      const std::string word = Trim(line.Text);
      const bool letters = word.size() > 1 && word.front() == '\\' &&
                           std::all_of(word.begin() + 1, word.end(), [](char ch) {
                             return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
                           });
      if (!letters)
        Fail(line.Where, "a reserved word that is not \"\\\" and letters");
      if (!seen.insert(word).second)
        Fail(line.Where, "a duplicate reserved word");
      reserved_.push_back(word);
    }
  }

  // Masters 1-91 carry the built-in words in their order; the list master takes a list tool.
  void CheckBuiltInWords() const {
    for (int number = 1; number <= SysWordCount; ++number) {
      const TSysWord& word = SysWords[number - 1];
      auto master = masters_.find(number);
      const bool matches = master != masters_.end() &&
                           (word.Match == swPrefix ? master->second.Command.starts_with(word.Word)
                                                   : master->second.Command == word.Word);
      if (!matches)
        Fail(master == masters_.end() ? "masters.txt" : masterWhere_.at(number),
             Format("the built-in word %s is not master %d", word.Word, number));
    }
    auto list = masters_.find(ListMasterId);
    const std::string command = list == masters_.end() ? "" : list->second.Command;
    if (!(command.starts_with("$List(") || command.starts_with("$Font(")) ||
        !command.ends_with(")"))
      Fail(list == masters_.end() ? "masters.txt" : masterWhere_.at(ListMasterId),
           "master 0x81 is not a \"$List(...)\" or \"$Font(...)\" master");
  }
};

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: MakeDataFile <source folder> <data file>\n");
    return 2;
  }
  const std::string target = argv[2];
  const std::string temporary = target + ".tmp";
  DeleteFileA(temporary.c_str());
  DeleteFileA(target.c_str());
  try {
    TDataSources sources(argv[1]);
    sources.Read();
    if (!sources.Write(temporary) ||
        !MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
      Fail(target, "cannot be written");
  } catch (const TSourceError& error) {
    DeleteFileA(temporary.c_str());
    std::fprintf(stderr, "%s: %s\n", error.Where.c_str(), error.Message.c_str());
    return 1;
  }
  return 0;
}
