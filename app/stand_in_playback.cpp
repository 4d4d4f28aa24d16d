// A small playback for the window until the real one is part of the program.
#include "app/stand_in_playback.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "app/digit_display.h"
#include "platform/files/file_system.h"
#include "platform/window/main_window_ids.h"
#include "platform/window/picture_ids.h"

namespace brisolt {
namespace {

namespace control = platform::control;
using playback::kGenerating;
using playback::kIdle;
using playback::kPaused;
using playback::kPlaying;

constexpr double kLeadInSeconds = 0.5;
constexpr double kPhraseSeconds = 64.0;
constexpr std::chrono::milliseconds kTimerPeriod{100};
constexpr int kComposeX = 400;
constexpr int kComposeY = 170;

bool isFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::string openCommand(const std::string& path) { return "open " + path + " type waveaudio alias lv wait"; }

}  // namespace

bool StandInPlayback::playing() const { return c_.state.appState == kPlaying || c_.state.appState == kPaused; }

std::int64_t StandInPlayback::milliseconds(const std::string& command) {
  const platform::MediaReply reply = send(command);
  std::int64_t value = 0;
  std::from_chars(reply.answer.data(), reply.answer.data() + reply.answer.size(), value);
  return value;
}

int StandInPlayback::play() {
  auto& state = c_.state;
  if (state.aborted) {
    state.aborted = false;
    return 1;
  }
  if (state.appState != kIdle) return 0;
  if (state.musicFile.empty()) {
    const auto answer = c_.window.showMessageBox({"Brisolt - Play", "Nothing to play, would you like to GENERATE some music first?",
                                                  platform::MessageBoxIcon::question,
                                                  platform::MessageBoxButtons::yesNo});
    // A box that could not be shown (no display) is no Yes: asking again
    // after every refused Generate would never end.
    if (answer != platform::MessageBoxAnswer::no && answer != platform::MessageBoxAnswer::none) {
      c_.clickAt(kComposeX, kComposeY);
    }
    return 1;
  }
  c_.window.showControl(control::kPlayLit);
  c_.window.hideControl(control::kDoneLabel);
  const std::string variant = state.musicFile.substr(0, state.musicFile.size() - 4) + "L.wav";
  playFile_ = isFile(variant) ? variant : state.musicFile;
  if (!send("set lv time format MS wait").ok()) {
    send(openCommand(playFile_));
    send("set lv time format MS wait");
    state.currentPhrase = 0;
    shownSecond_ = -1;
    shownPhrase_ = -1;
    const int lengthSeconds = static_cast<int>(milliseconds("status lv length wait") / 1000);
    c_.window.setProgressRange(control::kPositionBar, 0, lengthSeconds);
    c_.window.setProgressPosition(control::kPositionBar, 0);
    c_.window.showControl(control::kPositionBar);
  }
  c_.window.lockRedraw();
  showMinutesAndSeconds(c_.window, control::kCurrentTime, 0);
  showTwoDigits(c_.window, control::kCurrentPhrase, 0);
  showControls(c_.window, control::kCurrentTime);
  showControls(c_.window, control::kCurrentPhrase);
  c_.window.startTimer(platform::timer::kPlayback, kTimerPeriod);
  state.appState = kPlaying;
  c_.window.unlockRedraw();
  send("play lv notify");
  c_.window.hideControl(control::kStopLit);
  c_.window.showControl(control::kComposeDottedLabel);
  return 0;
}

void StandInPlayback::onPlaybackTimer() {
  if (!playing()) return;
  const std::int64_t position = milliseconds("status lv position wait");
  const double heard = static_cast<double>(position) / 1000.0 - kLeadInSeconds;
  c_.state.currentPhrase = heard < 0 ? 0 : static_cast<int>(heard / kPhraseSeconds) + 1;
  const int second = static_cast<int>(position / 1000);
  if (second != shownSecond_) {
    shownSecond_ = second;
    c_.window.setProgressPosition(control::kPositionBar, second);
    showMinutesAndSeconds(c_.window, control::kCurrentTime, second);
  }
  if (c_.state.currentPhrase != shownPhrase_) {
    shownPhrase_ = c_.state.currentPhrase;
    showTwoDigits(c_.window, control::kCurrentPhrase, shownPhrase_);
  }
}

void StandInPlayback::togglePause() {
  if (c_.state.appState == kPlaying) {
    c_.state.appState = kPaused;
    c_.window.showControl(control::kPauseLit);
    send("pause lv");
  } else if (c_.state.appState == kPaused) {
    c_.state.appState = kPlaying;
    c_.window.hideControl(control::kPauseLit);
    send("play lv notify");
  }
}

int StandInPlayback::seekPhrase(int direction) {
  if (!playing()) return 1;
  int target = shownPhrase_ + direction;
  if (target < 2) target = 1;
  if (target >= c_.state.plannedPhraseTotal) target = c_.state.plannedPhraseTotal;
  const auto position = static_cast<std::int64_t>((kLeadInSeconds + (target - 1) * kPhraseSeconds) * 1000) + 1;
  send("stop lv wait");
  send("seek lv to " + std::to_string(position));
  if (c_.state.appState == kPlaying) send("play lv notify");
  return 0;
}

int StandInPlayback::stopPlayback() {
  auto& state = c_.state;
  if (state.appState == kGenerating) {
    c_.hideRemainingTime();
    c_.mixer.closeFiles();
    cleanupArchive();
    state.sessionPrefix.clear();
    state.musicFile.clear();
  }
  if (playing()) {
    c_.window.lockRedraw();
    hideControls(c_.window, control::kCurrentTime);
    hideControls(c_.window, control::kCurrentPhrase);
    c_.window.hideControl(control::kPositionBar);
    c_.window.hideControl(control::kPlayLit);
    c_.window.hideControl(control::kPauseLit);
    c_.window.hideControl(control::kComposeDottedLabel);
    c_.window.unlockRedraw();
    send("close lv wait");
  }
  state.appState = kIdle;
  state.currentPhrase = 0;
  c_.window.showControl(control::kStopLit);
  return 0;
}

void StandInPlayback::onMediaNotification(platform::MediaNotification flag) {
  if (flag == platform::MediaNotification::successful || flag == platform::MediaNotification::failure) stopPlayback();
}

int StandInPlayback::saveSession() {
  auto& state = c_.state;
  c_.window.showControl(control::kRecordLit);
  const platform::MessageBoxIcon info = platform::MessageBoxIcon::information;
  if (state.sessionPrefix.empty()) {
    c_.window.showMessageBox({"Brisolt - Save Session", "Nothing to save!", info, platform::MessageBoxButtons::ok});
    c_.window.hideControl(control::kRecordLit);
    c_.window.showControl(control::kStopLit);
    return 0;
  }
  // This stand-in keeps the whole session in every mode.
  state.sessionUnsaved = false;
  c_.window.showMessageBox({"Brisolt - Save Session",
                            "Files are saved in folder " + state.archiveFolder + "\n\nLog file:\t" +
                                state.sessionPrefix + "log.txt\nMusic file:\t" + state.sessionPrefix + "Pelko.wav",
                            info, platform::MessageBoxButtons::ok});
  c_.window.hideControl(control::kRecordLit);
  return 0;
}

void StandInPlayback::cleanupArchive() {
  const auto& state = c_.state;
  if (state.sessionPrefix.empty() || !state.sessionUnsaved) return;
  for (const std::string& name : platform::listFiles(state.archiveFolder, state.sessionPrefix)) {
    const std::string path = state.archiveFolder + name;
    if (path.find("_Pelko_") != std::string::npos) continue;
    if (path.find("_log.txt") != std::string::npos && !state.logUnsaved) continue;
    platform::deleteFile(path);
  }
}

}  // namespace brisolt
