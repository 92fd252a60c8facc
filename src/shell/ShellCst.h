// The texts of the shell controls: the file list's column captions and the message of a drag
// object made without data.
#pragma once

namespace quolin::shellcst {

extern const char ColumnName[];
extern const char ColumnSize[];
extern const char ColumnType[];
extern const char ColumnModified[];
extern const char ColumnAttributes[];
// The file list's columns in their order.
constexpr int ColumnCount = 5;
extern const char* const ColumnCaptions[ColumnCount];
extern const char InvalidParameter[];

} // namespace quolin::shellcst
