#include "commands/CommandExpander.h"

#include "core/ResConst.h"

namespace quolin {

std::string LastCommandText() {
  return res::NoCommandToRepeat;
}

} // namespace quolin
