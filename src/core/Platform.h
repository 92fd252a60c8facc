// What the window-free core asks of the operating system, and nothing else. The program links
// the Win32 answers (common/Win32Platform.cpp); the native test build links the host ones
// (core/HostPlatform.cpp), which answer for Shift-JIS text as Windows does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quolin {

// The ANSI code page (Shift-JIS) and UTF-16, with explicit lengths: NULs inside are kept.
std::u16string AnsiToUtf16(std::string_view text);
std::string Utf16ToAnsi(std::u16string_view text);

// The upper-case form of a single-byte character in the user's locale.
unsigned char UpperSingleByte(unsigned char byte);

// Locale comparison of Shift-JIS texts: <0, 0, >0.
int CompareLocale(std::string_view left, std::string_view right, bool caseSensitive);

// The whole file; raises EFileError when it cannot be opened or read.
std::string ReadFileBytes(const std::string& fileName);
// Writes content to fileName through a new temporary file in the same folder, which replaces
// the target only once it is written whole; on failure the target keeps its bytes and no
// temporary file stays behind. An existing target keeps its attributes; a read-only one is
// not replaced. True when written.
bool SaveFileReplacing(const std::string& fileName, std::string_view content);
// Names (without folder) of the files, not folders, that a file search for pattern lists, in
// the order the search gives them. Note that a search on Windows also matches short names:
// "*.dic" lists "x.dicx" too.
std::vector<std::string> FindFileNames(const std::string& pattern);

// The full path of a relative name, by the process's current folder.
std::string ExpandFileName(std::string_view fileName);
// A file that is not a folder.
bool FileExists(const std::string& fileName);
bool DirectoryExists(const std::string& folder);
// Creates a folder and its missing parents; true when the folder exists afterwards.
bool ForceDirectories(const std::string& folder);

} // namespace quolin
