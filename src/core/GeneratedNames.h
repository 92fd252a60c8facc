// Names of the generated menu items, toolbars, buttons and toolbar-list items. The click
// handlers find the command to run from the number at NameNumberPos, so every name puts it
// there as 8 upper-case hexadecimal digits of the 32-bit two's complement (a group negated).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quolin {

inline constexpr size_t NameNumberPos = 4;
inline constexpr size_t NameNumberLength = 8;
// A menu item's flag digit: "1" when its master has a command, "0" for a pure submenu.
inline constexpr size_t MenuFlagPos = 12;
// A button's running count within its toolbar.
inline constexpr size_t ButtonCountPos = 20;
// The shortest generated menu item name: prefix, number, flag and 4 count digits.
inline constexpr size_t MenuItemNameMinLength = 17;

inline constexpr const char* MenuItemPrefixes[] = {"mn0_", "mn1_", "mn2_"};
inline constexpr char ToolbarPrefix[] = "bar_";
inline constexpr char ButtonPrefix[] = "btn_";
inline constexpr char ToolbarListPrefix[] = "mnb_";

// menuKind is a TMenuKind; count is the item's running count (at least 4 digits).
std::string MenuItemName(int menuKind, int commandId, bool hasCommand, int count);
std::string ToolbarName(int toolbarId);
std::string ButtonName(int commandId, int toolbarId, int count);
std::string ToolbarListItemName(int index);
// A toolbar's caption with its access key, the index in hexadecimal.
std::string ToolbarListCaption(std::string_view toolbarCaption, int index);

// A name of one of the three generated menus long enough to carry number, flag and count.
bool IsGeneratedMenuItemName(std::string_view name);
// The name with its flag digit set; names too short to carry one are left alone.
std::string WithMenuFlag(std::string_view name, bool hasCommand);

} // namespace quolin
