// The whole way from COMPOSE to the sound device: the main window on the
// recording fake, built on the program's own services (render driver,
// window playback, program-wide mixer) with the SDL audio backend and SDL's
// disk audio driver writing what the device receives to a file, unpaced.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <optional>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/window/brisolt_dlg.h"
#include "app/window/hot_spots.h"
#include "compose/composer.h"
#include "playback/phrase_timing.h"
#include "platform/media/sdl_audio_backend.h"
#include "tests/support/window/fake_dialog_window.h"
#include "platform/window/main_window_ids.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"
#include "tests/support/temp_folder.h"

namespace brisolt {
namespace {

namespace control = platform::control;

constexpr std::size_t kWaveHeaderSize = 44;
constexpr int kFrameBytes = 2;  // 16-bit mono
constexpr int kBytesPerSecond = 22050 * kFrameBytes;
// Lead-in, five phrases of 64 s and the tail.
constexpr int kFivePhraseSeconds = 323;

bool sdlHasDiskAudio() {
  for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) {
    if (std::strcmp(SDL_GetAudioDriver(i), "disk") == 0) return true;
  }
  return false;
}

std::size_t firstNonZero(const test::Bytes& bytes, std::size_t from) {
  const auto found = std::find_if(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(),
                                  [](std::uint8_t byte) { return byte != 0; });
  return static_cast<std::size_t>(found - bytes.begin());
}

class WindowOnDiskAudio : public test::TempFolderTest {
 protected:
  WindowOnDiskAudio() : received_(folder().file("received.raw")) {
    exeFolder_ = folder().path() + "program";
    std::filesystem::create_directories(exeFolder_);
    test::writeSyntheticBank(exeFolder_ + "/Data.dat");
    // Without a delay the disk driver fills its buffers as fast as the
    // callback delivers, so the 323 s piece plays in a moment.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", received_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    // The window asks for the rendition, but with no SoundFont it makes the
    // piece without it: what plays is the mix, or the rendition a test puts
    // beside it.
    setenv("BRISOLT_SOUNDFONT", folder().file("no-soundfont.sf2").c_str(), 1);
  }
  ~WindowOnDiskAudio() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("BRISOLT_SOUNDFONT");
    unsetenv("SDL_DISKAUDIODELAY");
  }

  // The program's services, but with the program folder here and the free
  // space left unknown (the disk check then lets Generate run on any disk).
  DialogServices services() {
    DialogServices made = programDialogServices(window_, composer_, audio_);
    made.environment = [this] {
      FolderEnvironment folders;
      folders.exeFolder = exeFolder_;
      folders.programName = "brisolt";
      folders.variable = [this](const std::string& name) -> std::optional<std::string> {
        if (name == "HOME") return folder().path() + "home";
        return std::nullopt;
      };
      folders.canWrite = [](const std::string&) { return true; };
      folders.tempFolder = folder().path();
      return folders;
    };
    made.freeBytes = [](const std::string&) { return std::optional<std::uint64_t>{}; };
    return made;
  }

  std::string received_;
  std::string exeFolder_;
  platform::SdlAudioBackend audio_;  // outlives the window's player and its outputs
  compose::Composer composer_;
  platform::FakeDialogWindow window_;
};

TEST_F(WindowOnDiskAudio, AfterComposeTheDeviceReceivesExactlyTheFinalMix) {
  if (!sdlHasDiskAudio()) GTEST_SKIP() << "SDL has no disk audio driver here";
  CBrisoltDlg dialog(services());
  window_.runModal(dialog);
  window_.click(450, 180);  // COMPOSE, then the automatic Play
  ASSERT_EQ(dialog.state().appState, playback::kPlaying) << "the automatic Play after Generate";
  const std::string mix = dialog.state().musicFile;
  const int barEnd = window_.progressRange(control::kPositionBar).upper;

  // The end of the file arrives from the audio thread as a message in the
  // window's queue; the timer ticks deliver it, as the window's loop would.
  const auto started = std::chrono::steady_clock::now();
  while (dialog.state().appState != playback::kIdle &&
         std::chrono::steady_clock::now() - started < std::chrono::seconds{20}) {
    std::this_thread::sleep_for(std::chrono::milliseconds{10});
    window_.tickTimer(platform::timer::kPlayback);
  }
  ASSERT_EQ(dialog.state().appState, playback::kIdle) << "playback did not reach the end within 20 s";
  EXPECT_TRUE(window_.isControlVisible(control::kStopLit));
  EXPECT_FALSE(window_.isControlVisible(control::kPlayLit));
  EXPECT_FALSE(window_.isControlVisible(control::kPositionBar));
  for (const platform::ControlId digit : control::kCurrentTime) EXPECT_FALSE(window_.isControlVisible(digit));

  const test::Bytes file = test::readFileBytes(mix);
  ASSERT_GT(file.size(), kWaveHeaderSize) << mix;
  const test::Bytes samples(file.begin() + kWaveHeaderSize, file.end());
  // Lead-in and tail are whole samples, so the mix is a hair under the 323 s
  // that its header predicts.
  EXPECT_EQ(samples.size() / kBytesPerSecond, std::size_t{kFivePhraseSeconds - 1}) << samples.size() << " bytes";
  EXPECT_EQ(barEnd, static_cast<int>(samples.size() / kBytesPerSecond)) << "the position bar spans the whole mix";
  const std::size_t firstSound = firstNonZero(samples, 0);
  ASSERT_LT(firstSound, samples.size()) << "the mix is silent, so it cannot show what the device received";

  // The device may add silence before and after the mix, and the mix itself
  // begins with the silence of its lead-in: the first sound places it.
  const test::Bytes bytes = test::readFileBytes(received_);
  const std::size_t firstSoundReceived = firstNonZero(bytes, 0);
  ASSERT_LT(firstSoundReceived, bytes.size()) << "the device received only silence (" << bytes.size() << " bytes)";
  ASSERT_GE(firstSoundReceived, firstSound) << "the device received less lead-in than the mix has";
  const std::size_t start = firstSoundReceived - firstSound;
  ASSERT_EQ(start % kFrameBytes, 0u) << "the mix starts " << start << " bytes in, inside a frame";
  ASSERT_GE(bytes.size() - start, samples.size())
      << "the device received " << bytes.size() - start << " bytes of the mix's " << samples.size();
  const auto differs =
      std::mismatch(samples.begin(), samples.end(), bytes.begin() + static_cast<std::ptrdiff_t>(start)).first;
  EXPECT_EQ(static_cast<std::size_t>(differs - samples.begin()), samples.size())
      << "the bytes the device received differ from the mix's at the sample byte shown";
  const std::size_t afterMix = start + samples.size();
  EXPECT_EQ(firstNonZero(bytes, afterMix), bytes.size()) << "only silence follows the mix";
}

// A stereo rendition whose every frame says which it is: frame k holds
// 1 + k % 30000 on the left and 1 + k / 30000 on the right (never silence).
constexpr int kRenditionRate = 44100;
constexpr int kCountModulus = 30000;

void writeCountingRendition(const std::string& path, std::size_t frames) {
  test::Bytes bytes(kWaveHeaderSize + frames * 4);
  const auto put16 = [&bytes](std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
  };
  const auto put32 = [&](std::size_t at, std::uint32_t value) {
    put16(at, value & 0xFFFF);
    put16(at + 2, value >> 16);
  };
  const auto dataBytes = static_cast<std::uint32_t>(frames * 4);
  std::memcpy(bytes.data(), "RIFF", 4);
  put32(4, 36 + dataBytes);
  std::memcpy(bytes.data() + 8, "WAVEfmt ", 8);
  put32(16, 16);
  put16(20, 1);
  put16(22, 2);
  put32(24, kRenditionRate);
  put32(28, kRenditionRate * 4);
  put16(32, 4);
  put16(34, 16);
  std::memcpy(bytes.data() + 36, "data", 4);
  put32(40, dataBytes);
  for (std::size_t k = 0; k < frames; ++k) {
    put16(kWaveHeaderSize + 4 * k, static_cast<std::uint32_t>(1 + k % kCountModulus));
    put16(kWaveHeaderSize + 4 * k + 2, static_cast<std::uint32_t>(1 + k / kCountModulus));
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
  std::fclose(file);
}

// The frames of the counting rendition in the order the device received
// them, split into runs of consecutive frames: the first frame and the
// length of each run. Silence and anything else that is not a counting frame
// ends a run.
struct CountingRun {
  std::size_t first = 0;
  std::size_t length = 0;
};
std::vector<CountingRun> countingRuns(const test::Bytes& received) {
  std::vector<CountingRun> runs;
  std::optional<std::size_t> previous;
  for (std::size_t at = 0; at + 4 <= received.size(); at += 4) {
    const unsigned left = received[at] | received[at + 1] << 8;
    const unsigned right = received[at + 2] | received[at + 3] << 8;
    if (left == 0 || right == 0 || left > kCountModulus) {
      previous.reset();
      continue;
    }
    const std::size_t frame = std::size_t{right - 1} * kCountModulus + (left - 1);
    if (previous && frame == *previous + 1) {
      ++runs.back().length;
    } else {
      runs.push_back({frame, 1});
    }
    previous = frame;
  }
  return runs;
}

TEST_F(WindowOnDiskAudio, PlayPrefersTheRenditionAndSeekByPhraseLandsOnItsPhraseBoundaries) {
  if (!sdlHasDiskAudio()) GTEST_SKIP() << "SDL has no disk audio driver here";
  CBrisoltDlg dialog(services());
  window_.runModal(dialog);
  window_.click(450, 180);  // COMPOSE, then the automatic Play of the mix
  ASSERT_EQ(dialog.state().appState, playback::kPlaying) << "the automatic Play after Generate";
  dialog.runAction(HotSpotAction::kStop);
  ASSERT_EQ(dialog.state().appState, playback::kIdle);

  // The rendition of a 323-second piece beside the mix; the device now plays
  // about twelve times faster than real time (2 ms per 1024-frame buffer), so
  // the seeks come long before the end.
  const std::string mix = dialog.state().musicFile;
  const std::string rendition = mix.substr(0, mix.size() - std::string(".wav").size()) + "L.wav";
  constexpr std::size_t kRenditionFrames = std::size_t{kFivePhraseSeconds} * kRenditionRate;
  writeCountingRendition(rendition, kRenditionFrames);
  setenv("SDL_DISKAUDIODELAY", "2", 1);
  dialog.runAction(HotSpotAction::kPlay);
  ASSERT_EQ(dialog.state().appState, playback::kPlaying);
  EXPECT_EQ(window_.progressRange(control::kPositionBar).upper, kFivePhraseSeconds)
      << "the position bar spans the rendition, read at 44.1 kHz stereo";

  // Two phrases forward, each from the phrase the display shows.
  int target = 0;
  for (int jump = 0; jump < 2; ++jump) {
    window_.tickTimer(platform::timer::kPlayback);
    target = playback::seekTargetPhrase(dialog.state().currentPhrase, +1, dialog.state().plannedPhraseTotal);
    dialog.runAction(HotSpotAction::kPhraseForward);
    ASSERT_EQ(dialog.state().appState, playback::kPlaying);
    std::this_thread::sleep_for(std::chrono::milliseconds{100});  // about a second of the phrase
  }
  std::this_thread::sleep_for(std::chrono::milliseconds{300});
  window_.tickTimer(platform::timer::kPlayback);
  EXPECT_EQ(dialog.state().currentPhrase, target) << "the display follows the seek";
  dialog.runAction(HotSpotAction::kStop);
  ASSERT_GE(target, 2);

  // The last run of frames starts where phrase `target` starts in the
  // rendition: 0.5 + 64 x (target - 1) seconds, plus the millisecond the seek
  // adds, at 44,100 frames a second (rounded up to a whole frame).
  const std::vector<CountingRun> runs = countingRuns(test::readFileBytes(received_));
  std::string seen;
  for (const CountingRun& run : runs) seen += " " + std::to_string(run.first) + "+" + std::to_string(run.length);
  ASSERT_FALSE(runs.empty()) << "the device received nothing of the rendition";
  const auto startMilliseconds = static_cast<std::size_t>(playback::phraseStartMilliseconds(target));
  const std::size_t phraseFrame = (startMilliseconds * kRenditionRate + 999) / 1000;
  EXPECT_EQ(runs.back().first, phraseFrame)
      << "phrase " << target << " starts at frame " << phraseFrame << "; runs of frames received:" << seen;
  EXPECT_GT(runs.back().length, std::size_t{kRenditionRate}) << "the rendition plays on from the phrase";
  for (const CountingRun& run : runs) {
    // Every run starts at the beginning or where a seek put it.
    EXPECT_TRUE(run.first == 0 || run.first == (static_cast<std::size_t>(playback::phraseStartMilliseconds(1)) *
                                                     kRenditionRate + 999) / 1000 ||
                run.first == phraseFrame)
        << "a run of frames starts at " << run.first << ":" << seen;
  }
}

}  // namespace
}  // namespace brisolt
