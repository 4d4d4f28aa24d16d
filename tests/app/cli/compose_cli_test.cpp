// `brisolt compose` run as a user runs it: the built executable on a
// synthetic bank, its output, exit statuses, Ctrl-C, and the files it leaves
// in the archive and the temporary folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "rendition/soundfont_locator.h"
#include "tests/support/file_bytes.h"
#include "tests/support/program_run.h"
#include "tests/support/shell_command.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

using Outcome = test::ProgramRun;

class ComposeCli : public test::TempFolderTest {
 protected:
  ComposeCli() {
    platform::createFolder(folder().file("bank"));
    test::writeSyntheticBank(dataPath());
  }
  Outcome compose(std::vector<std::string> arguments, const std::string& archive = "Archive",
                  const std::function<void(const std::string&, pid_t)>& onErrorLine = {}) {
    // The MIDI file and the rendition only where a test asks for them: the
    // other tests count the archive's files and need no SoundFont.
    if (std::find(arguments.begin(), arguments.end(), "--hifi") == arguments.end()) arguments.push_back("--no-hifi");
    arguments.insert(arguments.begin(), {"compose", "--data", dataPath(), "--archive", folder().file("bank/" + archive)});
    return test::runProgram({BRISOLT_EXECUTABLE, arguments, folder().file("bank/stdout.txt")}, onErrorLine);
  }
  std::string dataPath() const { return folder().file("bank/Data.dat"); }
  std::vector<std::string> archiveFiles(const std::string& archive = "Archive") const {
    return platform::listFiles(folder().file("bank/" + archive), "");
  }
  std::vector<std::string> temporaryFiles() const { return platform::listFiles(folder().path(), ""); }
};

TEST_F(ComposeCli, TheSameSessionIdComposesTheSameBytes) {
  const Outcome first = compose({"--session-id", "31415", "--quiet", "--scale", "Blues", "--motif", "K"}, "One");
  const Outcome second = compose({"--session-id", "31415", "--quiet", "--scale", "Blues", "--motif", "K"}, "Two");
  ASSERT_EQ(first.status, 0) << first.err;
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(first.err, "");
  const std::string firstMix = first.out.substr(0, first.out.find('\n'));
  const std::string secondMix = second.out.substr(0, second.out.find('\n'));
  ASSERT_TRUE(firstMix.ends_with("_Pelko.wav")) << first.out;
  EXPECT_EQ(archiveFiles("One").size(), 3u) << "the mix, the log and the score";
  const test::Bytes a = test::readFileBytes(firstMix);
  // 80 bars and 3 s of lead-in and tail, less what making them even cut off.
  EXPECT_GE(a.size(), 44u + 14244300u - 2u);
  EXPECT_LE(a.size(), 44u + 14244300u);
  EXPECT_TRUE(a == test::readFileBytes(secondMix)) << "session 31415 composed twice differs";
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
}

TEST_F(ComposeCli, WithoutATerminalProgressIsOneLinePerMix) {
  const Outcome run = compose({});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find('\r'), std::string::npos);
  EXPECT_NE(run.err.find("brisolt compose: group 8 of 8 mixed ("), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("brisolt compose: final mix written (84/84 steps"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << run.out;
}

// The file engine mixes each group as soon as its voices are written.
TEST_F(ComposeCli, TheFileEngineMixesTheLastGroupAtStep82) {
  const Outcome run = compose({"--engine", "files"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("brisolt compose: group 8 of 8 mixed (82/84 steps"), std::string::npos) << run.err;
}

TEST_F(ComposeCli, BadOptionsGiveStatusTwoAndWriteNothing) {
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--phrases", "4"}, {"--session-id", "-3"}, {"--key", "H"}, {"--loud"}}) {
    const Outcome run = compose(bad);
    EXPECT_EQ(run.status, 2) << bad.front() << ": " << run.err;
    EXPECT_NE(run.err, "") << bad.front();
    EXPECT_TRUE(archiveFiles().empty()) << bad.front();
  }
}

// Sets an environment variable for the programs a test starts; puts back what
// was there before.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* before = std::getenv(name)) before_ = before;
    ::setenv(name, value, 1);
  }
  ~ScopedVariable() {
    if (before_) ::setenv(name_, before_->c_str(), 1);
    else ::unsetenv(name_);
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> before_;
};

// FFmpeg costs some 190 libraries and 30 MB at start-up, so it is opened only
// for what needs it; the loader's own log (LD_DEBUG=libs) names every library
// the program looks for, at start-up or later.
TEST_F(ComposeCli, FfmpegIsOpenedOnlyForAResampledExportOrTheRendition) {
  const ScopedVariable loaderLog("LD_DEBUG", "libs");
  const Outcome plain = compose({"--quiet"}, "Plain");
  ASSERT_EQ(plain.status, 0) << plain.err.substr(0, 2000);
  ASSERT_NE(plain.err.find("find library=libsndfile.so"), std::string::npos)
      << "the loader's log is not in the error output: " << plain.err.substr(0, 2000);
  EXPECT_EQ(plain.err.find("find library=libavfilter.so"), std::string::npos) << "a compose without a rendition";
  EXPECT_EQ(plain.err.find("find library=libswresample.so"), std::string::npos) << "a compose without an export";

  const Outcome opus = compose({"--quiet", "--output", folder().file("bank/piece.opus")}, "Opus");
  ASSERT_EQ(opus.status, 0) << opus.err.substr(0, 2000);
  EXPECT_NE(opus.err.find("find library=libswresample.so"), std::string::npos) << "Opus takes 48 kHz: it resamples";
  EXPECT_EQ(opus.err.find("find library=libavfilter.so"), std::string::npos) << "an export without a rendition";
}

// What ffprobe reads from an audio file: rate, channels and length.
struct Probe {
  int rate = 0;
  int channels = 0;
  double seconds = 0.0;
};

Probe probe(const std::string& path) {
  const test::ShellRun run = test::runShell(
      "ffprobe -v error -select_streams a:0 -show_entries stream=sample_rate,channels -show_entries format=duration "
      "-of default=noprint_wrappers=1 '" + path + "'");
  Probe found;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key == "sample_rate") found.rate = std::stoi(value);
    if (key == "channels") found.channels = std::stoi(value);
    if (key == "duration" && value != "N/A") found.seconds = std::stod(value);
  }
  return found;
}

TEST_F(ComposeCli, OutputWritesThePieceInTheFormatItsExtensionNames) {
  ASSERT_EQ(test::runShell("command -v ffprobe").status, 0) << "ffprobe (Debian package ffmpeg) reads the exports";
  for (const char* extension : {"wav", "flac", "ogg", "mp3", "opus"}) {
    const std::string output = folder().file(std::string("bank/piece.") + extension);
    const Outcome run = compose({"--session-id", "77", "-q", "--output", output}, extension);
    ASSERT_EQ(run.status, 0) << extension << ": " << run.err;
    const std::string mix = run.out.substr(0, run.out.find('\n'));
    EXPECT_TRUE(run.out.ends_with("\n" + output + "\n")) << "the export's path comes after the log's:\n" << run.out;
    const double mixSeconds = static_cast<double>(test::readFileBytes(mix).size() - 44) / 2 / 22050;
    const Probe found = probe(output);
    EXPECT_EQ(found.rate, std::string(extension) == "opus" ? 48000 : 22050) << extension << ": Opus takes 48 kHz";
    EXPECT_EQ(found.channels, 1) << extension;
    EXPECT_NEAR(found.seconds, mixSeconds, 0.1) << extension;
    if (std::string(extension) == "wav") {
      const test::Bytes a = test::readFileBytes(mix), b = test::readFileBytes(output);
      ASSERT_EQ(a.size(), b.size());
      EXPECT_TRUE(std::equal(a.begin() + 44, a.end(), b.begin() + 44)) << "the WAV copy holds the mix's samples";
    }
  }
}

TEST_F(ComposeCli, HiFiAddsTheMidiFileAndTheRenditionAndLeavesTheMixAlone) {
  if (rendition::findPianoSoundfont().empty()) GTEST_SKIP() << "no piano SoundFont installed";
  const Outcome plain = compose({"--session-id", "2718", "--quiet", "--phrases", "5"}, "Plain");
  const Outcome hifi = compose({"--session-id", "2718", "--quiet", "--phrases", "5", "--hifi"}, "HiFi");
  ASSERT_EQ(plain.status, 0) << plain.err;
  ASSERT_EQ(hifi.status, 0) << hifi.err;
  EXPECT_EQ(hifi.err, "");
  const std::string plainMix = plain.out.substr(0, plain.out.find('\n'));
  const std::string hifiMix = hifi.out.substr(0, hifi.out.find('\n'));
  const std::string prefix = hifiMix.substr(0, hifiMix.size() - std::string("Pelko.wav").size());
  EXPECT_EQ(archiveFiles("Plain").size(), 3u) << "--no-hifi: the mix, the log and the score";
  EXPECT_EQ(archiveFiles("HiFi").size(), 5u);
  EXPECT_TRUE(platform::fileExists(prefix + "Piano.mid"));
  EXPECT_TRUE(test::readFileBytes(plainMix) == test::readFileBytes(hifiMix)) << "the rendition changed the mix";
  const Probe rendition = probe(prefix + "PelkoL.wav");
  EXPECT_EQ(rendition.rate, 44100);
  EXPECT_EQ(rendition.channels, 2);
  const double mixSeconds = static_cast<double>(test::readFileBytes(hifiMix).size() - 44) / 44100;
  EXPECT_GE(rendition.seconds, mixSeconds - 0.01) << "the rendition lies on the mix's timeline, ringing out at its end";
}

// With a rendition the export carries it, the mastered stereo recording, not the mono mix.
TEST_F(ComposeCli, OutputWritesTheRenditionWhenThereIsOne) {
  if (rendition::findPianoSoundfont().empty()) GTEST_SKIP() << "no piano SoundFont installed";
  const std::string output = folder().file("bank/rendition.opus");
  const Outcome run = compose({"--session-id", "2718", "-q", "--phrases", "5", "--hifi", "--output", output}, "HiFi");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string mix = run.out.substr(0, run.out.find('\n'));
  const std::string prefix = mix.substr(0, mix.size() - std::string("Pelko.wav").size());
  const Probe rendition = probe(prefix + "PelkoL.wav"), found = probe(output);
  EXPECT_EQ(found.rate, 48000) << "the rendition's 44.1 kHz converted to the 48 kHz Opus takes";
  EXPECT_EQ(found.channels, 2);
  EXPECT_NEAR(found.seconds, rendition.seconds, 0.1);
}

TEST_F(ComposeCli, AnOutputFormatItCannotWriteIsRefusedBeforeComposing) {
  for (const char* output : {"piece.m4a", "piece.aiff2", "piece"}) {
    const Outcome run = compose({"--output", folder().file(std::string("bank/") + output)});
    EXPECT_EQ(run.status, 2) << output;
    EXPECT_NE(run.err.find("name a file ending in one of .wav, .flac, .ogg"), std::string::npos) << run.err;
    EXPECT_TRUE(archiveFiles().empty()) << output << ": nothing is composed";
  }
}

TEST_F(ComposeCli, CountMakesThatManyPiecesEachInItsOwnSession) {
  const std::string output = folder().file("bank/batch.flac");
  const Outcome run = compose({"--count", "3", "--output", output});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> lines;
  std::istringstream out(run.out);
  for (std::string line; std::getline(out, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 9u) << "mix, log and export of each piece:\n" << run.out;
  std::vector<std::string> mixes{lines[0], lines[3], lines[6]};
  std::sort(mixes.begin(), mixes.end());
  EXPECT_EQ(std::unique(mixes.begin(), mixes.end()), mixes.end()) << "two pieces shared a session:\n" << run.out;
  for (int piece = 1; piece <= 3; ++piece) {
    const std::string numbered = folder().file("bank/batch-" + std::to_string(piece) + ".flac");
    EXPECT_EQ(lines[static_cast<std::size_t>(piece * 3 - 1)], numbered);
    EXPECT_EQ(probe(numbered).rate, 22050) << numbered;
  }
  EXPECT_EQ(archiveFiles().size(), 9u) << "the mix, log and score of each piece";
  std::size_t ids = 0;
  for (std::size_t at = run.err.find("(session id "); at != std::string::npos; at = run.err.find("(session id ", at + 1)) {
    ++ids;
  }
  EXPECT_EQ(ids, 3u) << "each piece says its session id:\n" << run.err;
}

TEST_F(ComposeCli, DashQIsQuiet) {
  const Outcome run = compose({"-q"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
}

TEST_F(ComposeCli, AMissingBankNamesItsBuilder) {
  platform::deleteFile(dataPath());
  const Outcome run = compose({});
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("'" + dataPath() + "' is missing; build it with "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("/brisolt-make-bank -o '" + dataPath() + "'"), std::string::npos) << run.err;
}

TEST_F(ComposeCli, CtrlCCancelsWithStatus130AndLeavesNothing) {
  bool sent = false;
  const Outcome run = compose({}, "Archive", [&](const std::string& line, pid_t pid) {
    if (!sent && line.find("group 2 of 8 mixed") != std::string::npos) {
      ::kill(pid, SIGINT);
      sent = true;
    }
  });
  ASSERT_TRUE(sent) << run.err;
  EXPECT_EQ(run.status, 130) << run.err;
  EXPECT_NE(run.err.find("cancelled; the unfinished session's files were removed"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(archiveFiles(), std::vector<std::string>{});
  EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});
}

}  // namespace
}  // namespace brisolt
