#include "settings/FindOpenUnit.h"

namespace quolin {

TFindOpenForm* FindOpenForm = nullptr;

} // namespace quolin
