// An ordered list of signed command numbers kept as one text of 9-character entries, "$" and
// 8 hexadecimal digits each: positive a master, negative a group, 0 a separator. Window-free.
#pragma once

#include <string>

namespace quolin {

class TIndexList {
public:
  std::string Text;

  TIndexList() = default;
  explicit TIndexList(std::string text) : Text(std::move(text)) {}

  int GetCount() const { return static_cast<int>(Text.size() / EntryWidth); }
  // Entry index as a signed value; 0 when it is not hexadecimal.
  int GetItem(int index) const;
  void Add(int value);

private:
  static constexpr size_t EntryWidth = 9;
};

} // namespace quolin
