#include "core/GeneratedNames.h"

#include "core/CommandRecords.h"
#include "core/Format.h"

#include <algorithm>
#include <iterator>

namespace quolin {

namespace {

constexpr int MenuCountDigits = 4;
constexpr int ButtonCountDigits = 8;

char FlagDigit(bool hasCommand) { return hasCommand ? '1' : '0'; }

} // namespace

std::string MenuItemName(int menuKind, int commandId, bool hasCommand, int count) {
  return "mn" + IntToHex(menuKind, 1) + "_" + HexField(commandId) + FlagDigit(hasCommand) +
         IntToHex(count, MenuCountDigits);
}

std::string ToolbarName(int toolbarId) { return ToolbarPrefix + HexField(toolbarId); }

std::string ButtonName(int commandId, int toolbarId, int count) {
  return ButtonPrefix + HexField(commandId) + HexField(toolbarId) +
         IntToHex(count, ButtonCountDigits);
}

std::string ToolbarListItemName(int index) { return ToolbarListPrefix + HexField(index); }

std::string ToolbarListCaption(std::string_view toolbarCaption, int index) {
  // Only the access key goes through the format: the caption may hold a "%".
  return std::string(toolbarCaption) + Format("(&%x)", index);
}

bool IsGeneratedMenuItemName(std::string_view name) {
  return name.size() >= MenuItemNameMinLength &&
         std::any_of(std::begin(MenuItemPrefixes), std::end(MenuItemPrefixes),
                     [&](const char* prefix) { return name.starts_with(prefix); });
}

std::string WithMenuFlag(std::string_view name, bool hasCommand) {
  std::string result(name);
  if (result.size() > MenuFlagPos)
    result[MenuFlagPos] = FlagDigit(hasCommand);
  return result;
}

} // namespace quolin
