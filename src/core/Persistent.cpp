#include "core/Persistent.h"

#include "core/Exceptions.h"

namespace quolin {

void TPersistent::Assign(const TPersistent&) {
  throw EConvertError("Cannot assign this object");
}

} // namespace quolin
