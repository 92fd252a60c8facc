#include "common/Persistent.h"

#include "common/Exceptions.h"

namespace quolin {

void TPersistent::Assign(const TPersistent&) {
  throw EConvertError("Cannot assign this object");
}

} // namespace quolin
