// The termination signals: recorded instead of ending the program, the first
// one kept, the exit status a shell expects, the old handling put back.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/process/termination_signals.h"

namespace brisolt::platform {
namespace {

using Handler = void (*)(int);

Handler currentHandler(int signal) {
  struct sigaction action {};
  sigaction(signal, nullptr, &action);
  return action.sa_handler;
}

TEST(TerminationSignals, EachSignalIsRecordedAndTheProcessLivesOn) {
  for (const TerminationSignal signal : {TerminationSignal::kInterrupt, TerminationSignal::kTerminate,
                                         TerminationSignal::kHangUp, TerminationSignal::kFileSizeLimit}) {
    const TerminationSignals caught;
    EXPECT_FALSE(TerminationSignals::pending());
    EXPECT_EQ(TerminationSignals::exitStatus(), 0);
    ASSERT_EQ(std::raise(static_cast<int>(signal)), 0);
    EXPECT_TRUE(TerminationSignals::pending()) << signalName(signal);
    EXPECT_EQ(TerminationSignals::first(), signal);
    EXPECT_EQ(TerminationSignals::exitStatus(), 128 + static_cast<int>(signal));
  }
  EXPECT_EQ(TerminationSignals::exitStatus(), 128 + SIGXFSZ) << "the record outlives the handlers";
}

TEST(TerminationSignals, ASecondCtrlCOrALaterSignalKeepsTheFirst) {
  const TerminationSignals caught;
  std::raise(SIGINT);
  std::raise(SIGINT);
  std::raise(SIGTERM);
  EXPECT_EQ(TerminationSignals::first(), TerminationSignal::kInterrupt);
  EXPECT_EQ(TerminationSignals::count(), 3);
  EXPECT_EQ(TerminationSignals::exitStatus(), 130);
  TerminationSignals::clear();
  EXPECT_FALSE(TerminationSignals::pending());
  EXPECT_EQ(TerminationSignals::count(), 0);
  std::raise(SIGHUP);
  EXPECT_EQ(TerminationSignals::first(), TerminationSignal::kHangUp);
}

TEST(TerminationSignals, TheHandlingBeforeComesBack) {
  const Handler before = std::signal(SIGTERM, SIG_IGN);
  {
    const TerminationSignals caught;
    EXPECT_NE(currentHandler(SIGTERM), SIG_IGN);
  }
  EXPECT_EQ(currentHandler(SIGTERM), SIG_IGN);
  std::signal(SIGTERM, before);
  for (const int signal : {SIGINT, SIGHUP, SIGXFSZ}) EXPECT_EQ(currentHandler(signal), SIG_DFL) << signal;
}

// What the user's shell sees: a child that is sent TERM from outside while
// it works, finishes its cleanup and reports 143.
TEST(TerminationSignals, AProcessToldToEndFromOutsideCleansUpAndExitsWith128PlusTheSignal) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    const TerminationSignals caught;
    if (::write(ready[1], "r", 1) != 1) ::_exit(99);
    while (!TerminationSignals::pending()) ::usleep(1000);  // the render's poll between notes
    ::_exit(TerminationSignals::exitStatus());
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  ::kill(child, SIGTERM);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(ready[0]);
  ::close(ready[1]);
  ASSERT_TRUE(WIFEXITED(status)) << "the signal must not kill the child before its cleanup";
  EXPECT_EQ(WEXITSTATUS(status), 143);
}

TEST(TerminationSignals, NamesForMessages) {
  EXPECT_STREQ(signalName(TerminationSignal::kTerminate), "SIGTERM");
  EXPECT_STREQ(signalName(TerminationSignal::kFileSizeLimit), "SIGXFSZ");
  EXPECT_STREQ(signalName(TerminationSignal::kNone), "none");
}

}  // namespace
}  // namespace brisolt::platform
