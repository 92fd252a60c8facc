#include "commands/ReservedWords.h"

namespace quolin {

void AddBuiltInReservedWords(TStrings&) {
}

} // namespace quolin
