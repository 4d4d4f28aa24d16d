#include "platform/window/timer_schedule.h"

#include <gtest/gtest.h>

namespace brisolt::platform {
namespace {

using namespace std::chrono_literals;
using Clock = TimerSchedule::Clock;

TEST(TimerSchedule, FirstTickComesOnePeriodAfterTheStart) {
  TimerSchedule timers;
  const Clock::time_point start{};
  timers.start(TimerId{1}, 100ms, start);
  EXPECT_EQ(timers.nextDue(), start + 100ms);
  EXPECT_FALSE(timers.takeDue(start + 99ms));
  EXPECT_EQ(timers.takeDue(start + 100ms), TimerId{1});
  EXPECT_EQ(timers.nextDue(), start + 200ms);
}

TEST(TimerSchedule, ATimerThatFellBehindTicksOnceNotOncePerMissedPeriod) {
  TimerSchedule timers;
  const Clock::time_point start{};
  timers.start(TimerId{1}, 100ms, start);
  EXPECT_EQ(timers.takeDue(start + 1000ms), TimerId{1});
  EXPECT_FALSE(timers.takeDue(start + 1000ms));
  EXPECT_EQ(timers.nextDue(), start + 1100ms);
}

TEST(TimerSchedule, KilledTimersAreNeverDue) {
  TimerSchedule timers;
  const Clock::time_point start{};
  timers.start(TimerId{1}, 100ms, start);
  timers.kill(TimerId{1});
  EXPECT_FALSE(timers.isRunning(TimerId{1}));
  EXPECT_FALSE(timers.nextDue());
  EXPECT_FALSE(timers.takeDue(start + 500ms));
}

TEST(TimerSchedule, RestartingMovesTheNextTickAndTheEarliestTimerGoesFirst) {
  TimerSchedule timers;
  const Clock::time_point start{};
  timers.start(TimerId{1}, 100ms, start);
  timers.start(TimerId{2}, 30ms, start);
  timers.start(TimerId{1}, 50ms, start + 10ms);  // now due at 60 ms
  EXPECT_EQ(timers.takeDue(start + 70ms), TimerId{2});
  EXPECT_EQ(timers.takeDue(start + 70ms), TimerId{1});
  EXPECT_EQ(timers.takeDue(start + 70ms), std::nullopt);
}

}  // namespace
}  // namespace brisolt::platform
