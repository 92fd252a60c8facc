// Import of registry-editor export files into the registry.
#pragma once

#include "core/RegFileReader.h"

#include <string>

namespace quolin {

// Writes the file's values, sections and values taken from the last to the first, so that
// a value given twice keeps its first text. Sections without a root prefix and keys that
// cannot be created are skipped. False when the file cannot be read.
bool ImportRegFile(const std::string& fileName);

} // namespace quolin
