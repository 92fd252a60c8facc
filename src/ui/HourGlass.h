// The busy cursor of the whole program.
#pragma once

namespace quolin {

// The screen cursor becomes the hourglass; Off gives the default back, however many On came.
void HourGlassOn();
void HourGlassOff();

// The hourglass while it lives.
class TBusyCursor {
public:
  TBusyCursor() { HourGlassOn(); }
  ~TBusyCursor() { HourGlassOff(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

} // namespace quolin
