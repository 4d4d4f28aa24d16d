// The terminal's side of `brisolt compose`: progress as lines or a bar, and
// Ctrl-C, kill and a closed terminal as Stop.
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

#include "app/cli/generation_interrupt.h"
#include "app/cli/generation_terminal.h"
#include "session/generation_progress.h"
#include "platform/message_pump.h"

namespace brisolt {
namespace {

// Feeds a whole run's calls to a host: the driver's pattern in small.
void feedRun(TerminalProgress& progress) {
  for (int mix = 1; mix <= 9; ++mix) {
    const int steps = mix == 1 ? 12 : (mix == 9 ? 2 : 10);
    for (int step = 0; step < steps; ++step) progress.advanceProgress();
    progress.showRemainingTime();
    progress.mixWritten(mix);
  }
}

TEST(TerminalProgress, PlainLinesSayWhichGroupWasMixedAndWhatIsLeft) {
  std::ostringstream out;
  std::int64_t elapsed = 6;
  TerminalProgress progress(out, TerminalProgress::Style::kLines, [&] { return elapsed; });
  feedRun(progress);
  progress.finish();
  const std::string text = out.str();
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_NE(text.find("brisolt compose: group 1 of 8 mixed (12/84 steps, about 00:36 left)\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("group 8 of 8 mixed (82/84 steps, about 00:00 left)\n"), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("brisolt compose: final mix written (84/84 steps)\n"))
      << "the estimate of the line before is not said again:\n" << text;
  EXPECT_EQ(progress.position(), kGenerationSteps);
}

TEST(TerminalProgress, ABarIsRedrawnInPlaceAndQuietShowsNothing) {
  std::ostringstream bar;
  TerminalProgress drawn(bar, TerminalProgress::Style::kBar, [] { return std::int64_t{42}; });
  feedRun(drawn);
  drawn.finish();
  EXPECT_NE(bar.str().find("\rComposing [" + std::string(42, '#') + "] 84/84  remaining 00:00"), std::string::npos);
  EXPECT_TRUE(bar.str().ends_with("\n"));

  std::ostringstream quiet;
  TerminalProgress silent(quiet, TerminalProgress::Style::kQuiet, [] { return std::int64_t{1}; });
  feedRun(silent);
  silent.finish();
  EXPECT_EQ(quiet.str(), "");
}

TEST(InterruptCancels, CtrlCSetsBothCancelFlagsAtTheNextPump) {
  compose::Composer composer;
  audio::FileMixer mixer;
  {
    InterruptCancels interrupt(composer, mixer);
    platform::pumpOneMessage();
    EXPECT_FALSE(composer.cancelRequested);
    std::raise(SIGINT);
    EXPECT_TRUE(interrupt.interrupted());
    EXPECT_FALSE(composer.cancelRequested) << "the handler itself touches nothing but its flag";
    platform::pumpOneMessage();
    EXPECT_TRUE(composer.cancelRequested);
    EXPECT_TRUE(mixer.cancelRequested());
  }
  composer.cancelRequested = false;
  platform::pumpOneMessage();
  EXPECT_FALSE(composer.cancelRequested) << "the pump still copies after the guard is gone";
}
TEST(InterruptCancels, KillHangUpAndASecondCtrlCStopTheRunAndNameTheirStatus) {
  for (const int signal : {SIGTERM, SIGHUP, SIGXFSZ}) {
    compose::Composer composer;
    audio::FileMixer mixer;
    InterruptCancels interrupt(composer, mixer);
    EXPECT_FALSE(interrupt.interrupted()) << "a new run starts with no signal recorded";
    std::raise(signal);
    platform::pumpOneMessage();
    EXPECT_TRUE(composer.cancelRequested) << platform::signalName(interrupt.signal());
    EXPECT_TRUE(mixer.cancelRequested());
    EXPECT_EQ(interrupt.exitStatus(), 128 + signal);
  }
  compose::Composer composer;
  audio::FileMixer mixer;
  InterruptCancels interrupt(composer, mixer);
  std::raise(SIGINT);
  std::raise(SIGINT);  // once ended the program on the spot, leaving the session's files behind
  platform::pumpOneMessage();
  EXPECT_TRUE(composer.cancelRequested);
  EXPECT_EQ(interrupt.signal(), platform::TerminationSignal::kInterrupt);
  EXPECT_EQ(interrupt.exitStatus(), 130);
}

}  // namespace
}  // namespace brisolt
