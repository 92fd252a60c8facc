#include "commands/CommandExpander.h"
#include "common/ResConst.h"

namespace quolin {

namespace {} // namespace

std::string LastCommandText() {
  return res::NoCommandToRepeat;
}

} // namespace quolin
