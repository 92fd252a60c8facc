#include "ui/HourGlass.h"

#include "ui/Application.h"

namespace quolin {

void HourGlassOn() {
  Screen->SetCursor(crHourGlass);
}

void HourGlassOff() {
  Screen->SetCursor(crDefault);
}

} // namespace quolin
