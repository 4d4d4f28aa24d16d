// The whole way from COMPOSE to the sound device: the main window on the
// recording fake, built on the program's own services (render driver,
// window playback, program-wide mixer) with the SDL audio backend and SDL's
// disk audio driver writing what the device receives to a file, unpaced.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "app/window/brisolt_dlg.h"
#include "compose/composer.h"
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
  }
  ~WindowOnDiskAudio() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }

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

}  // namespace
}  // namespace brisolt
