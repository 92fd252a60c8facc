// Reading verbs from context menus that answer as Windows, as Wine, or name no verbs, and
// running the chosen command.
#include "shell/ShellVerbs.h"

#include "shell/FakeContextMenu.h"

#include <gtest/gtest.h>

using namespace quolin;
using quolin::test_support::FakeContextMenu;

namespace {

HWND Owner() {
  return GetDesktopWindow();
}

TEST(ShellVerbsRead, TheFourCommandsGiveTheirCodesOnWindowsAndOnWine) {
  FakeContextMenu windows = FakeContextMenu::Windows();
  EXPECT_EQ(RunShellCommand(&windows, Owner(), 16), shcLink);
  EXPECT_EQ(RunShellCommand(&windows, Owner(), 17), shcDelete);
  EXPECT_EQ(RunShellCommand(&windows, Owner(), 24), shcCut);
  EXPECT_EQ(RunShellCommand(&windows, Owner(), 25), 26) << "copy";
  EXPECT_EQ(windows.invoked, (std::vector<UINT>{16, 17, 24, 25}));
  EXPECT_EQ(windows.invokedFor.front(), Owner());

  FakeContextMenu wine = FakeContextMenu::Wine();
  EXPECT_EQ(RunShellCommand(&wine, Owner(), 81), shcLink);
  EXPECT_EQ(RunShellCommand(&wine, Owner(), 17), shcDelete);
  EXPECT_EQ(RunShellCommand(&wine, Owner(), 24), shcCut);
  EXPECT_EQ(wine.invoked, (std::vector<UINT>{81, 17, 24}));
}

TEST(ShellVerbsRead, RenameIsNeverInvoked) {
  FakeContextMenu windows = FakeContextMenu::Windows();
  EXPECT_EQ(RunShellCommand(&windows, Owner(), 18), shcRename);
  FakeContextMenu wine = FakeContextMenu::Wine();
  EXPECT_EQ(RunShellCommand(&wine, Owner(), 80), shcRename);
  EXPECT_TRUE(windows.invoked.empty());
  EXPECT_TRUE(wine.invoked.empty());
}

TEST(ShellVerbsRead, WithoutVerbsThePlacesDecide) {
  FakeContextMenu menu = FakeContextMenu::Windows();
  for (auto& [offset, command] : menu.commands)
    command.verb.clear();
  EXPECT_EQ(ReadShellVerb(&menu, 17), std::nullopt);
  EXPECT_EQ(RunShellCommand(&menu, Owner(), 16), shcLink);
  EXPECT_EQ(RunShellCommand(&menu, Owner(), 17), shcDelete);
  EXPECT_EQ(RunShellCommand(&menu, Owner(), 18), shcRename);
  EXPECT_EQ(RunShellCommand(&menu, Owner(), 24), shcCut);
  EXPECT_EQ(menu.invoked, (std::vector<UINT>{16, 17, 24}));
}

TEST(ShellVerbsRead, AnotherVerbAtDeletesPlaceGivesNothingButRuns) {
  FakeContextMenu menu;
  menu.commands[17] = {"開く(&O)", "open"};
  EXPECT_EQ(RunShellCommand(&menu, Owner(), 17), shcNone);
  EXPECT_EQ(menu.invoked, (std::vector<UINT>{17}));
}

TEST(ShellVerbsRead, AWideVerbIsReadWhenTheAnsiOneIsNot) {
  FakeContextMenu menu;
  menu.commands[3] = {"削除(&D)", "delete", true};
  EXPECT_EQ(ReadShellVerb(&menu, 3), "delete");
  EXPECT_EQ(RunShellCommand(&menu, Owner(), 3), shcDelete);
}

TEST(ShellVerbsRead, AVerbFillingTheWholeBufferEndsWithinIt) {
  FakeContextMenu menu;
  menu.commands[5] = {"長い", "x", false, true};
  EXPECT_EQ(ReadShellVerb(&menu, 5), std::string(ShellVerbBufferSize - 1, 'x'));
  EXPECT_EQ(RunShellCommand(&menu, Owner(), 5), 6);
}

TEST(ShellVerbsRead, AFailedCommandGivesNothing) {
  FakeContextMenu menu = FakeContextMenu::Windows();
  menu.invokeAnswer = E_FAIL;
  EXPECT_EQ(RunShellCommand(&menu, Owner(), 17), shcNone);
  EXPECT_EQ(RunShellCommand(&menu, Owner(), 25), shcNone);
  EXPECT_EQ(menu.invoked.size(), 2u);
}

} // namespace
