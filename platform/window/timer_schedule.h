// When the window's timers are due. Ticks are made by the message loop when
// it has nothing else to do, as a desktop's timer messages are: a timer that
// falls behind delivers one tick, not a backlog.
#pragma once

#include <chrono>
#include <map>
#include <optional>

#include "platform/window/window_ids.h"

namespace brisolt::platform {

class TimerSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts (or restarts) the timer; its first tick is one period from now.
  void start(TimerId timer, std::chrono::milliseconds period, Clock::time_point now);
  void kill(TimerId timer);
  bool isRunning(TimerId timer) const { return timers_.contains(timer); }

  // The earliest moment any timer is due, or nothing when none runs.
  std::optional<Clock::time_point> nextDue() const;
  // Takes the first timer due at `now` and schedules its next tick.
  std::optional<TimerId> takeDue(Clock::time_point now);

 private:
  struct Entry {
    std::chrono::milliseconds period;
    Clock::time_point due;
  };
  std::map<TimerId, Entry> timers_;
};

}  // namespace brisolt::platform
