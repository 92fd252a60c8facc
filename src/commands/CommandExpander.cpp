#include "commands/CommandExpander.h"

#include "common/ResConst.h"

namespace quolin {

std::string LastCommandText() {
  return res::NoCommandToRepeat;
}

} // namespace quolin
