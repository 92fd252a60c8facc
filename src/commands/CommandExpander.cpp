#include "commands/CommandExpander.h"

namespace quolin {

namespace {

constexpr char NoCommandToRepeat[] = "現在、繰り返すコマンドがありません";

} // namespace

std::string LastCommandText() {
  return NoCommandToRepeat;
}

} // namespace quolin
