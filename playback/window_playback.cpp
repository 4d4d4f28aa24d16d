// Play, pause, seek, stop, the position display and the end of playback, as
// the main window runs them on its own thread.
#include "playback/window_playback.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "platform/files/file_system.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/picture_ids.h"
#include "playback/archive_cleanup.h"
#include "playback/phrase_timing.h"

namespace brisolt::playback {
namespace {

namespace control = platform::control;
using platform::MediaNotification;

constexpr const char* kNothingToPlay = "Nothing to play, would you like to GENERATE some music first?";
constexpr std::chrono::milliseconds kTimerPeriod{100};
constexpr std::size_t kWaveExtensionLength = 4;  // ".wav"

// The mix itself, or its "L.wav" variant beside it when there is one.
std::string chooseFile(const std::string& musicFile) {
  if (musicFile.size() >= kWaveExtensionLength) {
    const std::string variant = musicFile.substr(0, musicFile.size() - kWaveExtensionLength) + "L.wav";
    if (platform::fileExists(variant)) return variant;
  }
  return musicFile;
}

platform::PictureId digit(int value) {
  return platform::picture::kDigits[static_cast<std::size_t>(std::clamp(value, 0, 9))];
}

}  // namespace

platform::NotificationSink notificationsTo(platform::DialogWindow& window) {
  return [&window](MediaNotification flag, platform::DeviceId) { window.postMediaNotification(flag); };
}

WindowPlayback::WindowPlayback(SessionState& state, platform::DialogWindow& window, platform::MediaPlayer& player,
                               audio::FileMixer& mixer, WindowPlaybackHooks hooks)
    : state_(state), window_(window), device_(player), mixer_(mixer), hooks_(std::move(hooks)), keyboard_(window) {}

int WindowPlayback::play() {
  if (state_.aborted) {  // the automatic Play after an aborted Generate
    state_.aborted = false;
    return 1;
  }
  if (state_.appState != kIdle) return 0;
  if (state_.musicFile.empty()) {
    const platform::MessageBoxAnswer answer = window_.showMessageBox(
        {"Brisolt - Play", kNothingToPlay, platform::MessageBoxIcon::kQuestion, platform::MessageBoxButtons::kYesNo});
    // Any answer but No composes. A box that could not be shown got no answer
    // at all: composing then could refuse (no room) and ask again, forever.
    const bool composes = answer != platform::MessageBoxAnswer::kNo && answer != platform::MessageBoxAnswer::kNone;
    if (composes && hooks_.compose) hooks_.compose();
    return 1;
  }

  window_.showControl(control::kPlayLit);
  window_.hideControl(control::kDoneLabel);
  playFile_ = chooseFile(state_.musicFile);
  if (!device_.setTimeFormat()) openDevice();

  window_.lockRedraw();
  showZeroDigits();
  window_.startTimer(platform::timer::kPlayback, kTimerPeriod);
  state_.appState = kPlaying;
  window_.unlockRedraw();

  device_.play();  // a play that cannot start ends playback by its notification
  window_.hideControl(control::kStopLit);
  window_.showControl(control::kComposeDottedLabel);
  return 0;
}

void WindowPlayback::openDevice() {
  device_.open(playFile_);
  device_.setTimeFormat();
  positionSeconds_ = 0;
  state_.currentPhrase = 0;
  shownSecond_ = -1;
  shownPhrase_ = -1;
  lengthSeconds_ = static_cast<int>(device_.lengthMilliseconds() / 1000);
  soundingKeys_ = loadSoundingKeys(scorePathForMix(state_.musicFile));
  window_.setProgressRange(control::kPositionBar, 0, lengthSeconds_);
  window_.setProgressPosition(control::kPositionBar, 0);
  window_.showControl(control::kPositionBar);
}

void WindowPlayback::showZeroDigits() {
  for (const platform::ControlId id : control::kCurrentTime) {
    window_.setControlPicture(id, digit(0));
    window_.showControl(id);
  }
  for (const platform::ControlId id : control::kCurrentPhrase) {
    window_.setControlPicture(id, digit(0));
    window_.showControl(id);
  }
}

void WindowPlayback::showSeconds(int seconds) {
  const int digits[4] = {seconds / 600, seconds % 600 / 60, seconds % 60 / 10, seconds % 10};
  for (std::size_t i = 0; i < control::kCurrentTime.size(); ++i) {
    window_.setControlPicture(control::kCurrentTime[i], digit(digits[i]));
  }
}

void WindowPlayback::showPhrase(int phrase) {
  window_.setControlPicture(control::kCurrentPhrase[0], digit(phrase / 10));
  window_.setControlPicture(control::kCurrentPhrase[1], digit(phrase % 10));
}

void WindowPlayback::onPlaybackTimer() {
  if (state_.appState != kPlaying && state_.appState != kPaused) return;
  const std::string answer = device_.positionAnswer();
  state_.currentPhrase = phraseAtPosition(answerDecimal(answer));

  const int seconds = static_cast<int>(answerMilliseconds(answer) / 1000);
  positionSeconds_ = seconds;
  if (seconds != shownSecond_) {
    shownSecond_ = seconds;
    window_.setProgressPosition(control::kPositionBar, seconds);
    showSeconds(seconds);
  }
  if (state_.currentPhrase != shownPhrase_) {
    shownPhrase_ = state_.currentPhrase;
    showPhrase(shownPhrase_);
  }
  keyboard_.show(soundingKeys_.at(answerDecimal(answer)));
}

void WindowPlayback::lightKeysAtDevice() {
  if (state_.appState != kPlaying && state_.appState != kPaused) return;
  keyboard_.show(soundingKeys_.at(answerDecimal(device_.positionAnswer())));
}

void WindowPlayback::togglePause() {
  if (state_.appState == kPlaying) {
    state_.appState = kPaused;
    window_.showControl(control::kPauseLit);
    device_.pause();
    lightKeysAtDevice();  // the keys of the moment it stopped stay lit
  } else if (state_.appState == kPaused) {
    state_.appState = kPlaying;
    window_.hideControl(control::kPauseLit);
    device_.play();
  }
}

int WindowPlayback::seekPhrase(int direction) {
  if (state_.appState != kPlaying && state_.appState != kPaused) return 1;
  const int target = seekTargetPhrase(shownPhrase_, direction, state_.plannedPhraseTotal);
  seekToPhrase(device_, target, state_.appState == kPlaying);
  lightKeysAtDevice();
  return 0;
}

void WindowPlayback::onMediaNotification(MediaNotification flag) {
  // Superseded and aborted come from the pause, stop, seek and close commands.
  if (flag == MediaNotification::kSuperseded || flag == MediaNotification::kAborted) return;
  // An end that reaches the window during a Generate was posted before the
  // device was closed: it belongs to a playback already over, and taken as
  // Stop it would throw away the session being made.
  if (state_.appState == kGenerating) return;
  stopPlayback();
}

int WindowPlayback::stopPlayback() {
  if (state_.appState == kGenerating) stopGeneration();
  if (state_.appState == kPlaying || state_.appState == kPaused) closePlayback();
  state_.appState = kIdle;
  state_.currentPhrase = 0;
  window_.showControl(control::kStopLit);
  return 0;
}

// Stop pressed during a Generate, after the dispatcher set the cancel flags:
// the renderers close their own files at their next note; the mixer's are
// closed here so that the cleanup can remove the partial session.
void WindowPlayback::stopGeneration() {
  if (hooks_.hideRemainingTime) hooks_.hideRemainingTime();
  mixer_.closeFiles();
  playback::cleanupArchive(state_, window_);
  state_.sessionPrefix.clear();
  state_.musicFile.clear();
}

void WindowPlayback::closePlayback() {
  window_.lockRedraw();
  for (const platform::ControlId id : control::kCurrentTime) window_.hideControl(id);
  for (const platform::ControlId id : control::kCurrentPhrase) window_.hideControl(id);
  window_.hideControl(control::kPositionBar);
  window_.hideControl(control::kPlayLit);
  window_.hideControl(control::kPauseLit);
  window_.hideControl(control::kComposeDottedLabel);
  keyboard_.darken();
  window_.unlockRedraw();
  device_.close();
}

int WindowPlayback::saveSession() {
  const int result = playback::saveSession(state_, window_, device_, playFile_, hooks_.writePhraseExcerpt);
  lightKeysAtDevice();  // the device was closed and reopened to cut a phrase
  return result;
}

void WindowPlayback::cleanupArchive() { playback::cleanupArchive(state_, window_); }

}  // namespace brisolt::playback
