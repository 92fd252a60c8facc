// File-name routines of the class library. Names are Shift-JIS: "\" and ":" are found only as
// whole characters, never as the second byte of a double-byte character (表 is 95 5C).
#pragma once

#include "core/Platform.h"

#include <string>
#include <string_view>
#include <vector>

namespace quolin {

// Position of the last single-byte character of text that is one of delimiters; npos when none.
size_t LastDelimiter(std::string_view delimiters, std::string_view text);
// The character ending at the last byte of text is "\".
bool EndsWithPathDelimiter(std::string_view text);

// "C:\a\b.tex": path "C:\a\", dir "C:\a", name "b.tex", ext ".tex", drive "C:".
std::string ExtractFilePath(std::string_view fileName);
// The folder without its final "\", except for a root such as "C:\".
std::string ExtractFileDir(std::string_view fileName);
std::string ExtractFileName(std::string_view fileName);
// From the last "." of the name part on; empty when the name has none.
std::string ExtractFileExt(std::string_view fileName);
// "C:" or "\\server\share"; empty otherwise.
std::string ExtractFileDrive(std::string_view fileName);
// Replaces the extension of the name part, or appends one.
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);

// The "\"-separated parts of a path, double-byte characters kept whole; empty parts dropped.
std::vector<std::string> SplitPath(std::string_view path);
// path relative to the folder of baseFile ("..\c\y.tex"), folders compared ignoring case; a
// path on another drive unchanged.
std::string GetRelativePath(std::string_view path, std::string_view baseFile);

std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);

} // namespace quolin
