// TTimer: OnTimer every Interval milliseconds while Enabled, from a hidden utility window of
// the user-interface thread.
#pragma once

#include "ui/Component.h"
#include "ui/Types.h"

namespace quolin {

class TTimer : public TComponent {
public:
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  // 0 stops the timer; a change restarts it.
  void SetInterval(unsigned interval);
  // Enables the timer and starts its interval again, as turning it off and on does, with one
  // call to the system: a timer set again is reset.
  void Restart();

  TNotifyEvent OnTimer;

protected:
  explicit TTimer(TComponent* owner);
  void BeforeDestruction() override;

private:
  friend struct TTimerWindow;
  bool enabled_ = true;
  unsigned interval_ = 1000;
  bool running_ = false;

  void UpdateTimer();
  void Start();
  void Tick();
};

} // namespace quolin
