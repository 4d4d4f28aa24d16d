// `brisolt play` run as a user runs it: the built executable without a
// terminal (it plays to the end), in a pseudo-terminal (keys, the status line
// redrawn in place, the terminal restored after q and after Ctrl-C), and with
// files it cannot play.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/playback/playback_fixture.h"
#include "tests/support/file_bytes.h"
#include "tests/support/shell_command.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

using namespace std::chrono_literals;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `brisolt play` with the arguments (already quoted for the shell) and
// standard input from /dev/null.
Outcome runPlay(const std::string& arguments, const std::string& folder, const std::string& environment = "") {
  const std::string errFile = folder + "stderr.txt";
  const std::string command = environment + " '" BRISOLT_EXECUTABLE "' play " + arguments + " </dev/null 2>'" +
                              errFile + "'";
  const test::ShellRun shell = test::runShell(command);
  Outcome run;
  run.status = shell.status;
  run.out = shell.out;
  run.err.assign(reinterpret_cast<const char*>(test::readFileBytes(errFile).data()), test::fileSize(errFile));
  return run;
}

test::Bytes rampSamples(std::size_t frames) {
  std::vector<std::int16_t> samples(frames);
  for (std::size_t i = 0; i < frames; ++i) samples[i] = static_cast<std::int16_t>(i % 20000 + 1);
  return test::samplesToBytes(samples);
}

class PlayCli : public test::TempFolderTest {
 protected:
  std::string writeMix(double seconds) {
    const std::string path = folder().file("mix.wav");
    samples_ = rampSamples(static_cast<std::size_t>(22050 * seconds));
    playback::testing::writeMixFile(path, samples_);
    return path;
  }
  test::Bytes samples_;
};

constexpr int kBadFileStatus = 6;  // as the manual page documents it

TEST_F(PlayCli, AMissingOrUnplayableFileHasItsOwnStatusAndAMessageAboutTheFile) {
  Outcome run = runPlay("'" + folder().file("nothing.wav") + "'", folder().path());
  EXPECT_EQ(run.status, kBadFileStatus);
  EXPECT_EQ(run.err, "brisolt play: cannot open '" + folder().file("nothing.wav") +
                         "' (No such file or directory); name a WAV file that exists and that you may read\n");

  test::writeFileBytes(folder().file("notes.txt"), {'h', 'i'});
  run = runPlay("'" + folder().file("notes.txt") + "'", folder().path());
  EXPECT_EQ(run.status, kBadFileStatus);
  EXPECT_EQ(run.err, "brisolt play: '" + folder().file("notes.txt") +
                         "' is not a 16-bit PCM WAV file of 22050 Hz mono, as Brisolt writes them; play it with "
                         "another player\n");
  EXPECT_EQ(run.out, "") << "nothing played";
}

TEST_F(PlayCli, UsageErrorsAreStatusTwo) {
  Outcome run = runPlay("", folder().path());
  EXPECT_EQ(run.status, 2) << "FILE is required";
  EXPECT_NE(run.err.find("FILE"), std::string::npos) << run.err;
  run = runPlay("--loud '" + writeMix(0.2) + "'", folder().path());
  EXPECT_EQ(run.status, 2) << "no such option";
}

TEST_F(PlayCli, AnAudioOutputThatCannotOpenIsAFailureNamedWithoutTheDevicesInsides) {
  const Outcome run = runPlay("'" + writeMix(0.2) + "'", folder().path(), "SDL_AUDIODRIVER=no-such-driver");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("no sound output could be opened to play '"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("SDL_AUDIODRIVER"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("alias"), std::string::npos) << run.err;
}

TEST_F(PlayCli, WithoutATerminalPlaysToTheEndAndTheDeviceGetsTheSamples) {
  const std::string mix = writeMix(1.5);
  const std::string received = folder().file("received.raw");
  const Outcome run = runPlay("'" + mix + "'", folder().path(),
                              "SDL_AUDIODRIVER=disk SDL_DISKAUDIODELAY=1 SDL_DISKAUDIOFILE='" + received + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  // The disk driver runs faster than real time, so the time on the line of
  // phrase 1 may be either second. The 1.5 s length reads as 00:02, as
  // sox and ffprobe round it, and so does the end.
  const std::string heading = "Playing " + mix + ": 00:02, 1 phrase\n00:00 / 00:02  phrase 00\n";
  const std::string last = "00:02 / 00:02  phrase 01\n";
  EXPECT_EQ(run.out.substr(0, heading.size()), heading) << run.out;
  ASSERT_GE(run.out.size(), heading.size() + last.size());
  EXPECT_EQ(run.out.substr(run.out.size() - last.size()), last) << "the last line shows the end:\n" << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 4) << "one line per phrase, then the last:\n" << run.out;

  const test::Bytes bytes = test::readFileBytes(received);
  std::size_t start = 0;
  while (start < bytes.size() && bytes[start] == 0) ++start;
  ASSERT_GE(bytes.size() - start, samples_.size()) << "the device received too few bytes";
  EXPECT_TRUE(std::equal(samples_.begin(), samples_.end(), bytes.begin() + static_cast<std::ptrdiff_t>(start)))
      << "the device received other bytes than the file's samples";
}

// The player in a pseudo-terminal, as a user at a terminal runs it.
class TerminalSession {
 public:
  explicit TerminalSession(const std::string& file) {
    pid_ = ::forkpty(&master_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      ::setenv("SDL_AUDIODRIVER", "dummy", 1);
      ::execl(BRISOLT_EXECUTABLE, BRISOLT_EXECUTABLE, "play", file.c_str(), static_cast<char*>(nullptr));
      std::_Exit(127);
    }
  }
  ~TerminalSession() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) ::close(master_);
  }
  bool started() const { return pid_ > 0; }

  // Reads the screen until `text` appears (true) or `limit` passes.
  bool waitFor(const std::string& text, std::chrono::milliseconds limit = 5s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (screen_.find(text, seen_) == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      pollfd input{master_, POLLIN, 0};
      if (::poll(&input, 1, static_cast<int>(left.count())) <= 0) continue;
      char buffer[1024];
      const ssize_t got = ::read(master_, buffer, sizeof buffer);
      if (got <= 0) return false;
      screen_.append(buffer, static_cast<std::size_t>(got));
    }
    seen_ = screen_.find(text, seen_) + text.size();
    return true;
  }
  void type(const std::string& keys) { ASSERT_EQ(::write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size())); }
  // The terminal's local modes (echo, line editing) as the player left them.
  tcflag_t localModes() const {
    termios modes{};
    ::tcgetattr(master_, &modes);
    return modes.c_lflag & (ICANON | ECHO);
  }
  // The exit status, or -1 when it has not ended within `limit`.
  int exitStatus(std::chrono::milliseconds limit = 5s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) return -1;
      waitFor("\x01", 20ms);  // drain the screen meanwhile
    }
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  const std::string& screen() const { return screen_; }

 private:
  int master_ = -1;
  pid_t pid_ = -1;
  bool exited_ = false;
  std::string screen_;
  std::size_t seen_ = 0;
};

TEST_F(PlayCli, InATerminalSpacePausesTheArrowsSeekAndQStopsWithTheTerminalRestored) {
  const std::string mix = writeMix(140);  // three phrases
  TerminalSession session(mix);
  ASSERT_TRUE(session.started());
  const tcflag_t before = ICANON | ECHO;

  ASSERT_TRUE(session.waitFor("Playing " + mix + ": 02:20, 3 phrases")) << session.screen();
  ASSERT_TRUE(session.waitFor("q: stop")) << session.screen();
  ASSERT_TRUE(session.waitFor("phrase 01")) << session.screen();
  EXPECT_EQ(session.localModes(), 0u) << "raw while playing: no echo, no line editing";

  session.type(" ");
  EXPECT_TRUE(session.waitFor("(paused)")) << session.screen();
  session.type("\x1b[C");
  EXPECT_TRUE(session.waitFor("01:04 / 02:20  phrase 02  (paused)")) << session.screen();
  session.type("\x1b[C\x1b[C");
  session.type(" ");
  EXPECT_TRUE(session.waitFor("02:08 / 02:20  phrase 03\x1b[K")) << "resumed at phrase 3, the last:\n"
                                                                << session.screen();
  session.type("\x1b[D");
  EXPECT_TRUE(session.waitFor("phrase 02")) << session.screen();

  session.type("q");
  EXPECT_EQ(session.exitStatus(), 0) << session.screen();
  EXPECT_EQ(session.localModes(), before) << "echo and line editing are back";
}

TEST_F(PlayCli, CtrlCEndsWithStatus130AndTheTerminalRestored) {
  TerminalSession session(writeMix(30));
  ASSERT_TRUE(session.started());
  ASSERT_TRUE(session.waitFor("phrase 0")) << session.screen();
  session.type("\x03");
  EXPECT_EQ(session.exitStatus(), 130) << session.screen();
  EXPECT_EQ(session.localModes(), static_cast<tcflag_t>(ICANON | ECHO));
}

}  // namespace
}  // namespace brisolt
