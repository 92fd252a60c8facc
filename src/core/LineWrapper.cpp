#include "core/LineWrapper.h"

namespace quolin {

LineWrapper::LineWrapper(const WrapRules& rules, const ByteSet& delimiters, int tabSpaceCount)
    : rules_(rules), mapper_(delimiters, tabSpaceCount, rules.wrapByte),
      wrap_(static_cast<size_t>(rules.wrapByte)) {
}

void LineWrapper::BuildMap(std::string_view line) {
  line_ = line;
  mapper_.Build(line, map_);
  byteOfColumn_.clear();
  if (map_.size() == line.size())
    return; // no fill columns: column and byte agree
  byteOfColumn_.resize(map_.size());
  uint32_t byte = 0;
  for (size_t column = 0; column < map_.size(); ++column) {
    if (map_[column] != kMapFill && column > 0)
      ++byte;
    byteOfColumn_[column] = byte;
  }
}

// The byte that column belongs to (for a fill column, its TAB).
size_t LineWrapper::ByteOf(size_t column) const {
  return byteOfColumn_.empty() ? column : byteOfColumn_[column];
}

std::string_view LineWrapper::CharAt(size_t column) const {
  size_t byte = ByteOf(column);
  switch (map_[column]) {
  case kMapLead:
    return line_.substr(byte, 2);
  case kMapTrail:
    return line_.substr(byte - 1, 2);
  default:
    return line_.substr(byte, 1);
  }
}

bool LineWrapper::CharIn(size_t column, const std::string& set) const {
  return ContainsChar(CharAt(column), set);
}

// One character back; a step onto a lead byte takes its trail byte's character whole.
void LineWrapper::StepBack(size_t& end) const {
  --end;
  if (map_[end] == kMapLead)
    --end;
}

// Settles where the row that begins at column start ends, the cursor standing at end.
size_t LineWrapper::RowEnd(size_t start, size_t end) const {
  size_t columns = map_.size();
  auto width = [&] { return end - start + 1; };
  if (map_[end] == kMapLead) {
    --end; // the double-byte character goes whole to the next row
  } else if (rules_.wordBreak && columns - start > wrap_) {
    while ((map_[end] == kMapSingle || map_[end] == kMapLead) && width() > wrap_ / 3)
      StepBack(end);
  }
  if (rules_.followPunctuation) {
    while (width() < wrap_ + 2 && end + 1 < columns && CharIn(end + 1, rules_.punctuationStr))
      end += map_[end + 1] == kMapLead ? 2 : 1;
  }
  if (rules_.leading && end + 1 < columns) {
    size_t floor = (wrap_ / 5) * 4;
    while (width() > floor && CharIn(end, rules_.leadStr))
      StepBack(end);
    if (end + 2 < columns && CharIn(end + 1, rules_.followStr)) {
      while (width() > floor && (CharIn(end, rules_.leadStr) || CharIn(end + 1, rules_.followStr)))
        StepBack(end);
    }
  }
  return end;
}

void LineWrapper::Wrap(std::string_view line, std::vector<RowSpan>& rows) {
  auto add = [&](size_t first, size_t last, int attribute) {
    rows.push_back({static_cast<uint32_t>(first), static_cast<uint32_t>(last - first), attribute});
  };
  if (line.size() < wrap_ && mapper_.Width(line) < wrap_) {
    add(0, line.size(), raLineEnd);
    return;
  }
  BuildMap(line);
  size_t columns = map_.size();
  size_t start = 0;
  for (size_t end = wrap_ - 1; end < columns; end = start + wrap_ - 1) {
    end = RowEnd(start, end);
    add(ByteOf(start), ByteOf(end) + 1, raWrapped);
    start = end + 1;
    while (start < columns && map_[start] == kMapFill)
      ++start;
  }
  if (start < columns)
    add(ByteOf(start), line.size(), raLineEnd);
  else if (rules_.followRetMark)
    rows.back().attribute = raLineEnd;
  else
    add(line.size(), line.size(), raLineEnd);
}

} // namespace quolin
