// The program's global operator new and delete count the live heap: the bytes asked for
// plus an 8-byte header per block.
#pragma once

#include <cstddef>

namespace bench {

size_t LiveHeapBytes();

} // namespace bench
