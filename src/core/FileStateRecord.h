// The per-file editing state a document leaves behind when it closes, and the stored forms of
// its two records: little-endian, without padding.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quolin {

struct TFileState {
  int Col1 = 0; // caret of the main view: screen column and row
  int Row1 = 0;
  int Col2 = 0; // caret of the second view
  int Row2 = 0;
  bool WordWrap = false;
  int PaneHeight = 1; // the second view's pane, in pixels

  bool operator==(const TFileState&) const = default;
};

struct TLogPaneState {
  int Height = 0;
  // A second size, kept with the window and written back unchanged.
  int Size2 = 40;
  // 0 all lines, 1 errors, 2 errors and warnings.
  int Filter = 2;
  bool Popup = false;

  bool operator==(const TLogPaneState&) const = default;
};

inline constexpr size_t kFileStateSize = 25;
inline constexpr size_t kLogPaneStateSize = 13;

// 4 reserved zero bytes end the record.
std::string PackFileState(const TFileState& state);
// None unless the record has its exact size.
std::optional<TFileState> ParseFileState(std::string_view record);
// A negative height is stored as 0.
std::string PackLogPaneState(const TLogPaneState& state);
std::optional<TLogPaneState> ParseLogPaneState(std::string_view record);

} // namespace quolin
