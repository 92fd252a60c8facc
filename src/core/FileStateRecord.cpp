#include "core/FileStateRecord.h"

#include <algorithm>
#include <cstdint>

namespace quolin {

namespace {

void PutInt(std::string& record, int value) {
  auto bits = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8)
    record += static_cast<char>((bits >> shift) & 0xFF);
}

int IntAt(std::string_view record, size_t offset) {
  uint32_t bits = 0;
  for (size_t i = 0; i < 4; ++i)
    bits |= static_cast<uint32_t>(static_cast<unsigned char>(record[offset + i])) << (8 * i);
  return static_cast<int>(bits);
}

} // namespace

std::string PackFileState(const TFileState& state) {
  std::string record;
  for (int value : {state.Col1, state.Row1, state.Col2, state.Row2})
    PutInt(record, value);
  record += static_cast<char>(state.WordWrap ? 1 : 0);
  PutInt(record, state.PaneHeight);
  PutInt(record, 0);
  return record;
}

std::optional<TFileState> ParseFileState(std::string_view record) {
  if (record.size() != kFileStateSize)
    return std::nullopt;
  TFileState state;
  state.Col1 = IntAt(record, 0);
  state.Row1 = IntAt(record, 4);
  state.Col2 = IntAt(record, 8);
  state.Row2 = IntAt(record, 12);
  state.WordWrap = record[16] != 0;
  state.PaneHeight = IntAt(record, 17);
  return state;
}

std::string PackLogPaneState(const TLogPaneState& state) {
  std::string record;
  PutInt(record, std::max(state.Height, 0));
  PutInt(record, state.Size2);
  PutInt(record, state.Filter);
  record += static_cast<char>(state.Popup ? 1 : 0);
  return record;
}

std::optional<TLogPaneState> ParseLogPaneState(std::string_view record) {
  if (record.size() != kLogPaneStateSize)
    return std::nullopt;
  TLogPaneState state;
  state.Height = IntAt(record, 0);
  state.Size2 = IntAt(record, 4);
  state.Filter = IntAt(record, 8);
  state.Popup = record[12] != 0;
  return state;
}

} // namespace quolin
