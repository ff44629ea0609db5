#pragma once
// The window's one-shot timers. A started timer fires once after its interval
// and is then stopped; starting a pending timer restarts its interval, so two
// quick starts fire once.

#include <array>

namespace habitopia {

enum class TimerId : int {
  Timer1 = 1,
  Timer2,
  Timer3,
  Timer4,
  Timer5,
  Timer6,
  Timer7,
  Timer8,
  Timer9,
  Timer10,
  Timer11,
  Timer12,
  Timer13,
  Timer14,
};

inline constexpr int kTimerCount = 14;

// Interval in milliseconds of each timer, Timer1 first.
inline constexpr std::array<int, kTimerCount> kTimerIntervals = {
    200, 200, 1000, 500, 100, 10, 200, 200, 100, 500, 500, 100, 500, 300};

constexpr int TimerInterval(TimerId id) { return kTimerIntervals[static_cast<int>(id) - 1]; }

class Timers {
 public:
  virtual ~Timers() = default;
  virtual void Start(TimerId id) = 0;
  virtual void Stop(TimerId id) = 0;
  virtual bool Pending(TimerId id) const = 0;
  // Lets the window process pending events (repaint, the CANCEL button) while a
  // long step runs on the user-interface thread.
  virtual void ProcessMessages() {}
};

}  // namespace habitopia
