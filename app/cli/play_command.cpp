// `brisolt play`: the terminal's loop around the file player: keys in, one
// status line out, every 100 ms like the window's playback timer.
#include "app/cli/play_command.h"

#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/cli/play_messages.h"
#include "app/exit_status.h"
#include "platform/files/file_check.h"
#include "platform/media/sdl_audio_backend.h"
#include "platform/process/standard_streams.h"
#include "platform/process/termination_signals.h"
#include "platform/terminal/raw_terminal.h"
#include "playback/file_player.h"
#include "playback/terminal_keys.h"

namespace brisolt {
namespace {

constexpr const char* kCommandName = "brisolt play: ";
constexpr int kTickMilliseconds = 100;

// Shows the status line: redrawn in place on a terminal, else one line for
// each new phrase (and the last one at the end).
class StatusDisplay {
 public:
  StatusDisplay(std::ostream& out, bool inPlace) : out_(out), inPlace_(inPlace) {}

  void show(const playback::PlayerStatus& status) {
    if (shown_ && status == last_) return;
    const bool newPhrase = !shown_ || status.phrase != last_.phrase || status.paused != last_.paused;
    last_ = status;
    shown_ = true;
    if (inPlace_) {
      out_ << '\r' << playback::statusLine(status) << "\x1b[K" << std::flush;
    } else if (newPhrase) {
      out_ << playback::statusLine(status) << '\n' << std::flush;
    }
  }
  void finish() {
    if (inPlace_) {
      out_ << '\n';
    } else if (shown_) {
      out_ << playback::statusLine(last_) << '\n';
    }
    out_ << std::flush;
  }

 private:
  std::ostream& out_;
  const bool inPlace_;
  bool shown_ = false;
  playback::PlayerStatus last_;
};

// Reads the keys waiting on standard input, waiting at most one tick.
// False when input has ended.
bool readKeys(bool fromTerminal, playback::TerminalKeyDecoder& decoder, playback::FilePlayer& player, bool& quit) {
  if (!fromTerminal) {
    platform::sleepUnlessSignalled(kTickMilliseconds);
    return true;
  }
  if (!platform::waitForStandardInput(kTickMilliseconds)) return true;  // a tick, or a signal
  char bytes[64];
  const long got = platform::readStandardInput(bytes, sizeof bytes);
  if (got <= 0) return false;
  for (long i = 0; i < got && !quit; ++i) {
    const std::optional<playback::PlayerKey> key = decoder.feed(bytes[i]);
    if (!key) continue;
    player.press(*key);
    quit = *key == playback::PlayerKey::kQuit;
  }
  return true;
}

}  // namespace

int runPlay(const std::string& path, std::ostream& out, std::ostream& err) {
  // A FIFO or a device would keep the player waiting: refused before opening.
  const platform::FileCheck kind = platform::checkRegularFile(path);
  if (kind == platform::FileCheck::kFolder || kind == platform::FileCheck::kDeviceOrPipe) {
    err << kCommandName << "'" << path << "' " << platform::describeFileCheck(kind) << "; name a WAV file\n";
    return kExitBadFile;
  }
  // SDL would take Ctrl-C for itself; the player's own flag ends it cleanly.
  ::setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
  platform::SdlAudioBackend backend;
  playback::FilePlayer player(backend);
  platform::MediaReply reply = player.open(path);
  if (!reply.ok()) {
    const PlayProblem problem = playProblem(path, reply);
    err << kCommandName << problem.message << "\n";
    return problem.exitStatus;
  }

  const platform::TerminationSignals signals;  // Ctrl-C, kill or a closed terminal end the loop below
  platform::RawTerminal terminal(platform::descriptorOf(platform::StandardStream::kInput));
  const bool fromTerminal = terminal.active();
  reply = player.start();
  if (!reply.ok()) {
    const PlayProblem problem = playProblem(path, reply);
    err << kCommandName << problem.message << "\n";
    return problem.exitStatus;
  }

  const playback::PlayerStatus first = player.poll();
  out << "Playing " << path << ": " << playback::lengthText(first.lengthMilliseconds) << ", " << first.phraseTotal
      << (first.phraseTotal == 1 ? " phrase" : " phrases") << "\n";
  if (fromTerminal) out << "space: pause or resume   left/right: phrase back or forward   q: stop\n";
  out << std::flush;

  StatusDisplay display(out, platform::isTerminal(platform::StandardStream::kOutput));
  playback::TerminalKeyDecoder decoder;
  bool quit = false;
  bool keys = fromTerminal;
  while (!quit && !player.ended() && !platform::TerminationSignals::pending()) {
    display.show(player.poll());
    if (!readKeys(keys, decoder, player, quit)) keys = false;
  }
  display.show(player.poll());
  display.finish();

  if (platform::TerminationSignals::pending()) return platform::TerminationSignals::exitStatus();
  if (player.failed()) {
    err << kCommandName << "playback of '" << path << "' failed: the file could not be read to its end\n";
    return kExitBadFile;
  }
  return kExitOk;
}

Command addPlayCommand(CLI::App& app) {
  auto path = std::make_shared<std::string>();
  Command command;
  command.parser = app.add_subcommand(
      "play",
      "Play a mix (a WAV file of 22050 Hz mono 16-bit PCM, as Brisolt writes them) with the elapsed time and "
      "the phrase being heard. Keys: space pauses or resumes, left and right arrows jump a phrase back or "
      "forward, q stops. Without a terminal it plays to the end.");
  command.parser->add_option("FILE", *path, "The WAV file to play")->required();
  command.run = [path] { return runPlay(*path, std::cout, std::cerr); };
  return command;
}

}  // namespace brisolt
