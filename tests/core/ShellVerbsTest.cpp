// The codes of commands chosen from the shell's context menu: by verb on any shell, by place
// where the menu names no verb.
#include "core/ShellVerbs.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

TEST(ShellVerbs, TheFourVerbsGiveTheirCodesWhereverTheShellPlacesThem) {
  // Windows' places.
  EXPECT_EQ(ShellCommandCode("link", 16), shcLink);
  EXPECT_EQ(ShellCommandCode("delete", 17), shcDelete);
  EXPECT_EQ(ShellCommandCode("rename", 18), shcRename);
  EXPECT_EQ(ShellCommandCode("cut", 24), shcCut);
  // Wine's: rename and link far from them.
  EXPECT_EQ(ShellCommandCode("rename", 80), shcRename);
  EXPECT_EQ(ShellCommandCode("link", 81), shcLink);
  EXPECT_EQ(ShellCommandCode("DELETE", 3), shcDelete) << "verbs are compared without case";
}

TEST(ShellVerbs, OtherVerbsGiveTheirPlacePlusOneUnlessItPosesAsOneOfTheFour) {
  EXPECT_EQ(ShellCommandCode("copy", 25), 26);
  EXPECT_EQ(ShellCommandCode("open", 0), 1);
  EXPECT_EQ(ShellCommandCode("properties", 15), 16) << "just below link's code";
  EXPECT_EQ(ShellCommandCode("copy", 16), shcNone);
  EXPECT_EQ(ShellCommandCode("copy", 17), shcNone) << "would be delete";
  EXPECT_EQ(ShellCommandCode("copy", 18), shcNone);
  EXPECT_EQ(ShellCommandCode("copy", 19), 20) << "just above rename's code";
  EXPECT_EQ(ShellCommandCode("copy", 23), 24);
  EXPECT_EQ(ShellCommandCode("copy", 24), shcNone) << "would be cut";
  EXPECT_EQ(ShellCommandCode("links", 3), 4) << "a longer word is another verb";
  EXPECT_EQ(ShellCommandCode("cu", 3), 4) << "so is a shorter one";
}

TEST(ShellVerbs, WithoutAVerbThePlaceDecides) {
  EXPECT_EQ(ShellCommandCode(std::nullopt, 16), shcLink);
  EXPECT_EQ(ShellCommandCode(std::nullopt, 17), shcDelete);
  EXPECT_EQ(ShellCommandCode(std::nullopt, 18), shcRename);
  EXPECT_EQ(ShellCommandCode(std::nullopt, 24), shcCut);
  EXPECT_EQ(ShellCommandCode(std::nullopt, 0), 1);
  EXPECT_EQ(ShellCommandCode(std::nullopt, 0x7FFE), 0x7FFF);
  EXPECT_EQ(ShellCommandCode("", 17), shcDelete) << "an empty verb names none";
}

} // namespace
