// A tool module's twelve fields as one tuple, so that a failed comparison prints each value.
#pragma once

#include "core/Module.h"

#include <tuple>

namespace quolin::test_support {

inline auto ModuleFields(const TModule& m) {
  return std::tuple(m.ExeName, m.DefaultExt, m.UseDDE, m.DosOption, m.DosCallBack, m.DdeService,
                    m.DDETopic, m.DDEItem, m.DDEMacro, m.CloseDDEMacro, m.CloseCaption,
                    m.CloseUseDDE);
}

} // namespace quolin::test_support
