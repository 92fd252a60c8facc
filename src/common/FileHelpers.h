// File, path and window-system helpers that stand on the platform: wildcard-safe file tests,
// short and long path forms, relative paths, copies, shortcut resolution, font metrics and
// the message pump.
#pragma once

#include "core/Font.h"
#include "core/Platform.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

// False for a path with "*" or "?"; otherwise whether a file search finds an entry that is
// not a folder.
bool FileExistsNoWildcard(const std::string& path);

// FindFileNames (the files, not folders, a search for pattern lists, in its order) without
// those that have any of the attributes (FILE_ATTRIBUTE_ bits).
std::vector<std::string> FindFileNamesExcept(const std::string& pattern,
                                             uint32_t excludedAttributes);

// The platform's 8.3 form; empty when there is none.
std::string GetShortPath(const std::string& path);
// Rebuilt from the drive up, each existing component spelled as a file search gives it; the
// components from the first missing one on stay as given. A path without a drive is returned
// unchanged.
std::string BuildLongFileName(const std::string& path);
// BuildLongFileName, or empty when that file does not exist.
std::string GetLongFileName(const std::string& path);
// Copies, overwriting, when the source exists and the names differ ignoring case; true when
// copied.
bool CopyFileIfDifferent(const std::string& source, const std::string& target);
// The target of a ".lnk" shortcut (extension in any case); any other path, and a link that
// cannot be read, unchanged.
std::string ResolveShortcut(const std::string& path);

// Width and height in pixels of "W" in font.
int GetFontCharWidth(const TFont& font);
int GetFontCharHeight(const TFont& font);

// Dispatches the thread's pending window messages. A WM_QUIT met on the way is posted again
// for the message loop and ends the pumping.
void ProcessPendingMessages();

} // namespace quolin
