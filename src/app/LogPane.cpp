#include "app/LogPane.h"

namespace quolin {

void LoadLog(TDocForm*, const std::string&) {
}

} // namespace quolin
