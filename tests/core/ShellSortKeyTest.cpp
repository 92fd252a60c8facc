// The file list's own column order: folders first, then the column's value.
#include "core/ShellSortKey.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

int Sign(int value) {
  return (value > 0) - (value < 0);
}

TEST(ShellSortKey, FoldersFirstThenTheColumnsValue) {
  TShellSortKey small{false, 10, "Text", 5, "A"};
  TShellSortKey large{false, uint64_t{1} << 32, "text document", 3, "RA"};
  TShellSortKey folder{true, 99999, "Z", 9, "Z"};
  struct Case {
    TShellColumn column;
    const TShellSortKey& a;
    const TShellSortKey& b;
    int order;
  };
  const Case cases[] = {{scSize, small, large, -1},     {scSize, large, small, 1},
                        {scSize, small, small, 0},      {scType, small, large, -1},
                        {scType, large, small, 1},      {scModified, small, large, 1},
                        {scModified, large, small, -1}, {scAttributes, small, large, -1},
                        {scName, small, large, 0},      {scName, folder, small, -1},
                        {scSize, large, folder, 1},     {scModified, folder, small, -1}};
  for (const Case& c : cases)
    EXPECT_EQ(Sign(CompareShellSortKeys(c.column, c.a, c.b)), c.order) << c.column;
}

TEST(ShellSortKey, AttributeLettersInTheirOrder) {
  const std::pair<uint32_t, const char*> cases[] = {{0, ""},        {1, "R"},   {33, "RA"},
                                                    {0x27, "RHSA"}, {0x10, ""}, {0x26, "HSA"}};
  for (auto [attributes, letters] : cases)
    EXPECT_EQ(AttributeLetters(attributes), letters) << attributes;
}

} // namespace
