// Item-ID lists measured, copied, joined and split, on lists built by hand in the shell's
// allocator: each item's data bytes hold its count, so a copy shows which items it took.
#include "shell/ShellIDFunc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

using namespace quolin;

namespace {

// A list by the counts of its items; nullopt for nil.
using Counts = std::vector<USHORT>;
using Shape = std::optional<Counts>;

LPITEMIDLIST MakeList(const Counts& counts) {
  size_t size = sizeof(USHORT);
  for (USHORT count : counts)
    size += count;
  LPITEMIDLIST list = AllocIDList(size);
  auto* at = reinterpret_cast<BYTE*>(list);
  for (USHORT count : counts) {
    std::memcpy(at, &count, sizeof count);
    std::memset(at + sizeof count, count, count - sizeof count);
    at += count;
  }
  return list;
}

// An item whose data is not its own shows as a count of 0.
Shape ShapeOf(LPCITEMIDLIST list) {
  if (!list)
    return std::nullopt;
  Counts counts;
  for (LPCITEMIDLIST item = list; item->mkid.cb != 0; item = NextItemID(item)) {
    const BYTE* data = item->mkid.abID;
    USHORT count = item->mkid.cb;
    bool own = std::all_of(data, data + count - sizeof count, [&](BYTE b) { return b == count; });
    counts.push_back(own ? count : 0);
  }
  return counts;
}

LPCITEMIDLIST At(LPCITEMIDLIST list, size_t offset) {
  return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(list) + offset);
}

TEST(ShellIDList, SizesAndStepsStopAtTheTerminator) {
  TOwnedIDList desktop(MakeList({}));
  TOwnedIDList two(MakeList({20, 30}));
  EXPECT_EQ(IDListSize(desktop.Get()), 2);
  EXPECT_EQ(ItemIDSize(desktop.Get()), 0);
  EXPECT_EQ(IDListSize(two.Get()), 52);
  EXPECT_EQ(ItemIDSize(two.Get()), 22);
  EXPECT_EQ(IDListSize(nullptr), 0);
  EXPECT_EQ(ItemIDSize(nullptr), 0);

  EXPECT_EQ(NextItemID(two.Get()), At(two.Get(), 20));
  EXPECT_EQ(NextItemID(At(two.Get(), 20)), At(two.Get(), 50));
  EXPECT_EQ(NextNonEmptyItemID(two.Get()), At(two.Get(), 20));
  EXPECT_EQ(NextNonEmptyItemID(At(two.Get(), 20)), nullptr) << "the next is the terminator";
  EXPECT_EQ(NextNonEmptyItemID(desktop.Get()), nullptr);
  EXPECT_EQ(NextItemID(nullptr), nullptr);
  EXPECT_EQ(NextNonEmptyItemID(nullptr), nullptr);
}

TEST(ShellIDList, CopiesTakeTheirItemsFromTheSource) {
  struct Case {
    Shape source, first, whole, parent, last;
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
      {Counts{}, std::nullopt, Counts{}, std::nullopt, std::nullopt},
      {Counts{10}, Counts{10}, Counts{10}, std::nullopt, Counts{10}},
      {Counts{10, 12, 14}, Counts{10}, Counts{10, 12, 14}, Counts{10, 12}, Counts{14}},
  };
  for (const Case& c : cases) {
    TOwnedIDList source(c.source ? MakeList(*c.source) : nullptr);
    TOwnedIDList whole(CopyIDList(source.Get()));
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(ShapeOf(TOwnedIDList(CopyFirstItemID(source.Get())).Get()), c.first);
    EXPECT_EQ(ShapeOf(whole.Get()), c.whole);
    EXPECT_EQ(ShapeOf(TOwnedIDList(GetIDListParent(source.Get())).Get()), c.parent);
    EXPECT_EQ(ShapeOf(TOwnedIDList(GetLastItemID(source.Get())).Get()), c.last);
    EXPECT_TRUE(!whole || whole.Get() != source.Get()) << "a new list";
    EXPECT_EQ(ShapeOf(source.Get()), c.source) << "the source is kept";
  }
}

TEST(ShellIDList, ConcatenationsWithNilArguments) {
  struct Case {
    Shape first, second, joined, concatenated;
  };
  const Case cases[] = {
      {Counts{10}, Counts{12, 14}, Counts{10, 12, 14}, Counts{10, 12, 14}},
      {Counts{}, Counts{12, 14}, Counts{12, 14}, Counts{12, 14}},
      {Counts{10}, std::nullopt, std::nullopt, Counts{10}},
      {std::nullopt, Counts{12, 14}, std::nullopt, Counts{12, 14}},
      {std::nullopt, std::nullopt, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    LPITEMIDLIST first = c.first ? MakeList(*c.first) : nullptr;
    LPITEMIDLIST second = c.second ? MakeList(*c.second) : nullptr;
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(ShapeOf(TOwnedIDList(ConcatIDLists(first, second)).Get()), c.joined);
    EXPECT_EQ(ShapeOf(first), c.first) << "ConcatIDLists keeps its arguments";
    EXPECT_EQ(ShapeOf(second), c.second);
    EXPECT_EQ(ShapeOf(TOwnedIDList(ConcatAndFree(first, second)).Get()), c.concatenated);
    EXPECT_EQ(first, nullptr) << "ConcatAndFree frees its arguments";
    EXPECT_EQ(second, nullptr);
  }
}

TEST(ShellIDList, AllocationsAreZeroFilledAndFreeingClearsTheList) {
  constexpr size_t kSize = 64;
  LPITEMIDLIST used = AllocIDList(kSize);
  ASSERT_NE(used, nullptr);
  std::memset(used, 0xAB, kSize);
  FreeIDList(used);
  EXPECT_EQ(used, nullptr);
  // The allocator tends to hand the same block out again.
  TOwnedIDList fresh(AllocIDList(kSize));
  ASSERT_TRUE(fresh);
  const auto* bytes = reinterpret_cast<const BYTE*>(fresh.Get());
  EXPECT_TRUE(std::all_of(bytes, bytes + kSize, [](BYTE b) { return b == 0; }));
}

} // namespace
