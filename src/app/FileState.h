// Where each file's editing state is kept: per file one value, named by its full path, in the
// keys "FileInit" (the 25-byte record), "FileInitOwnerEx" (the owner file) and
// "FileInitLogWnd" (the 13-byte log-pane record) under the settings root.
#pragma once

#include "core/FileStateRecord.h"

#include <string>

namespace quolin {

TLogPaneState DefaultLogPaneState();
void SaveLogPaneState(const std::string& fileName, const TLogPaneState& state);
// The defaults when the file has no record of exactly 13 bytes.
TLogPaneState LoadLogPaneState(const std::string& fileName);

// An empty owner removes the file's owner value. Nothing for an empty name.
void SaveFileState(const std::string& fileName, const TFileState& state,
                   const std::string& ownerFile);
// The defaults (wrap as given) and no owner when the file has no record of exactly 25 bytes.
TFileState LoadFileState(const std::string& fileName, bool defaultWordWrap,
                         std::string& ownerFile);
void ClearFileStates();

} // namespace quolin
