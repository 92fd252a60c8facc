// An ordered list of signed command numbers kept as one text of 9-character entries, "$" and
// 8 hexadecimal digits each: positive a master, negative a group, 0 a separator.
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
  // Before entry index; at the end when index is the count.
  void Insert(int index, int value);
  void Delete(int index);
  // The first entry of that value, or -1.
  int IndexOf(int value) const;
  // Exchanges entries index and index + delta when both exist.
  bool Move(int index, int delta);

private:
  static constexpr size_t EntryWidth = 9;

  static std::string Entry(int value);
  bool Contains(int index) const { return index >= 0 && index < GetCount(); }
};

// One change to a toolbar's Buttons or a group's member text, giving the new text.
std::string DeleteIndexEntry(const std::string& text, int index);
// The first entry of the value.
std::string RemoveIndexValue(const std::string& text, int value);
// Unless it is already there; a separator (0) always.
std::string AddIndexValueOnce(const std::string& text, int value);
std::string MoveIndexEntry(const std::string& text, int index, int delta);

} // namespace quolin
