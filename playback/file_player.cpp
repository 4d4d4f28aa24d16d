// The command-line player of one mix file.
#include "playback/file_player.h"

#include <cstdio>

#include "playback/phrase_timing.h"

namespace brisolt::playback {
std::string clockText(std::int64_t milliseconds) {
  const std::int64_t seconds = milliseconds / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(seconds / 60),
                static_cast<long long>(seconds % 60));
  return text;
}

std::string lengthText(std::int64_t milliseconds) { return clockText(milliseconds + 500); }

std::string statusLine(const PlayerStatus& status) {
  char phrase[32];
  std::snprintf(phrase, sizeof phrase, "  phrase %02d", status.phrase);
  // At the end the elapsed time reads as the length, not a second short of it.
  const std::string elapsed = status.elapsedMilliseconds >= status.lengthMilliseconds
                                  ? lengthText(status.lengthMilliseconds)
                                  : clockText(status.elapsedMilliseconds);
  return elapsed + " / " + lengthText(status.lengthMilliseconds) + phrase +
         (status.paused ? "  (paused)" : "");
}

FilePlayer::FilePlayer(platform::AudioBackend& backend)
    : player_(backend,
              [this](platform::MediaNotification flag, platform::DeviceId) {
                if (flag == platform::MediaNotification::kFailure) failed_ = true;
                if (flag == platform::MediaNotification::kSuccessful || flag == platform::MediaNotification::kFailure) ended_ = true;
              }),
      device_(player_) {}

FilePlayer::~FilePlayer() { device_.close(); }

platform::MediaReply FilePlayer::open(const std::string& path) {
  platform::MediaReply reply = device_.open(path);
  if (!reply.ok()) return reply;
  device_.setTimeFormat();
  shown_ = {};
  shown_.lengthMilliseconds = device_.lengthMilliseconds();
  shown_.phraseTotal = phraseTotalForLength(shown_.lengthMilliseconds);
  return reply;
}

platform::MediaReply FilePlayer::start() { return device_.play(); }

void FilePlayer::press(PlayerKey key) {
  switch (key) {
    case PlayerKey::kTogglePause:
      if (shown_.paused) {
        device_.play();
      } else {
        device_.pause();
      }
      shown_.paused = !shown_.paused;
      break;
    case PlayerKey::kPhraseBack:
    case PlayerKey::kPhraseForward: {
      const int direction = key == PlayerKey::kPhraseBack ? -1 : +1;
      seekToPhrase(device_, seekTargetPhrase(shown_.phrase, direction, shown_.phraseTotal), !shown_.paused);
      break;
    }
    case PlayerKey::kQuit: device_.stop(); break;
  }
}

PlayerStatus FilePlayer::poll() {
  const std::string answer = device_.positionAnswer();
  shown_.elapsedMilliseconds = answerMilliseconds(answer);
  shown_.phrase = phraseAtPosition(answerDecimal(answer));
  return shown_;
}

}  // namespace brisolt::playback
