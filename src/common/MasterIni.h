// One master as an INI file (section "QuolinMasterData"), for exchange between users. The Id
// and ImageText stay out of it.
#pragma once

#include "core/CommandRecords.h"

#include <string>

namespace quolin {

inline constexpr char MasterIniSection[] = "QuolinMasterData";

// False when a value could not be written.
bool ExportMasterToIni(const std::string& path, const TQuolin_CmdList& record);
// False for a missing file; keys that are missing keep the record's values.
bool ImportMasterFromIni(const std::string& path, TQuolin_CmdList& record);

} // namespace quolin
