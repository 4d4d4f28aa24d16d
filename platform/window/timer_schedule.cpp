// Due times of the window's timers.
#include "platform/window/timer_schedule.h"

#include <algorithm>

namespace brisolt::platform {

void TimerSchedule::start(TimerId timer, std::chrono::milliseconds period, Clock::time_point now) {
  period = std::max(period, std::chrono::milliseconds{1});
  timers_[timer] = {period, now + period};
}

void TimerSchedule::kill(TimerId timer) { timers_.erase(timer); }

std::optional<TimerSchedule::Clock::time_point> TimerSchedule::nextDue() const {
  std::optional<Clock::time_point> earliest;
  for (const auto& [id, entry] : timers_) {
    if (!earliest || entry.due < *earliest) earliest = entry.due;
  }
  return earliest;
}

std::optional<TimerId> TimerSchedule::takeDue(Clock::time_point now) {
  auto first = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.due <= now && (first == timers_.end() || it->second.due < first->second.due)) first = it;
  }
  if (first == timers_.end()) return std::nullopt;
  Entry& entry = first->second;
  entry.due += entry.period;
  if (entry.due <= now) entry.due = now + entry.period;  // fallen behind: no backlog
  return first->first;
}

}  // namespace brisolt::platform
