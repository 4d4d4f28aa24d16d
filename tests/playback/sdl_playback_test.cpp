// The window's Play end to end through SDL's disk audio driver: the bytes
// the audio device received are the samples of the mix, and the end of the
// file, arriving from the audio thread, returns the window to idle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "audio/file_mixer.h"
#include "platform/media/sdl_audio_backend.h"
#include "platform/window/main_window_ids.h"
#include "tests/playback/playback_fixture.h"
#include "tests/support/file_bytes.h"

namespace brisolt::playback::testing {
namespace {

class SdlPlayback : public test::TempFolderTest {};

// Frame i holds i + 1 (never 0), so silence and samples cannot be confused.
test::Bytes countingSamples(std::size_t frames) {
  std::vector<std::int16_t> samples(frames);
  for (std::size_t i = 0; i < frames; ++i) samples[i] = static_cast<std::int16_t>(i % 30000 + 1);
  return test::samplesToBytes(samples);
}

TEST_F(SdlPlayback, TheDeviceReceivesExactlyTheSamplesOfTheMix) {
  const std::string received = folder().file("received.raw");
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", received.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "1", 1);

  const test::Bytes samples = countingSamples(22050 * 3 / 2);  // 1.5 s
  const std::string mix = folder().file(std::string(kPrefix) + "Pelko.wav");
  writeMixFile(mix, samples);

  platform::FakeDialogWindow window;
  createPlaybackControls(window);
  {
    platform::SdlAudioBackend backend;
    platform::MediaPlayer player(backend, notificationsTo(window));
    audio::FileMixer mixer;
    SessionState state;
    state.archiveFolder = folder().path();
    state.sessionPrefix = kPrefix;
    state.musicFile = mix;
    WindowPlayback playback(state, window, player, mixer, {});
    PlaybackEvents events(playback);
    window.attach(events);

    ASSERT_EQ(playback.play(), 0);
    ASSERT_EQ(state.appState, kPlaying);
    // The end arrives from the audio thread as a message in the window's queue.
    for (int waited = 0; state.appState != kIdle && waited < 3000; ++waited) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      window.tickTimer(platform::timer::kPlayback);
    }
    if (!events.notifications.empty() && events.notifications[0] == platform::MediaNotification::kFailure) {
      GTEST_SKIP() << "SDL has no disk audio driver here";
    }
    ASSERT_EQ(events.notifications, std::vector{platform::MediaNotification::kSuccessful});
    EXPECT_EQ(state.appState, kIdle);
    EXPECT_TRUE(window.isControlVisible(platform::control::kStopLit));
    EXPECT_EQ(playback.lengthSeconds(), 1);
  }

  const test::Bytes bytes = test::readFileBytes(received);
  std::size_t start = 0;
  while (start < bytes.size() && bytes[start] == 0) ++start;
  ASSERT_LT(start, bytes.size()) << "the device received only silence (" << bytes.size() << " bytes)";
  ASSERT_EQ(start % 2, 0u);
  ASSERT_GE(bytes.size() - start, samples.size()) << "the device received too few bytes";
  EXPECT_TRUE(std::equal(samples.begin(), samples.end(), bytes.begin() + static_cast<std::ptrdiff_t>(start)))
      << "the device received other bytes than the mix's samples";
  const auto tail = bytes.begin() + static_cast<std::ptrdiff_t>(start + samples.size());
  EXPECT_EQ(std::count(tail, bytes.end(), 0), bytes.end() - tail) << "only silence follows the samples";
}

}  // namespace
}  // namespace brisolt::playback::testing
