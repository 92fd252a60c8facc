// The reserved words of the editor's colouring.
#pragma once

namespace quolin {

class TStrings;

// Stand-in until the reserved-word list exists: adds nothing.
void AddBuiltInReservedWords(TStrings& list);

} // namespace quolin
