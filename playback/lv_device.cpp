// The media commands of the "lv" device.
#include "playback/lv_device.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "playback/phrase_timing.h"

namespace brisolt::playback {

namespace {

using platform::MediaCommand;

// Milliseconds the device can be asked for: none before the start.
std::uint32_t toCommandMilliseconds(std::int64_t milliseconds) {
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(milliseconds, 0, UINT32_MAX));
}

}  // namespace

std::int64_t answerMilliseconds(const std::string& answer) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(answer.data(), answer.data() + answer.size(), value);
  return error == std::errc{} ? value : 0;
}

double answerDecimal(const std::string& answer) {
  if (answer.empty()) return 0;
  char* end = nullptr;
  const double value = std::strtod(answer.c_str(), &end);
  return end == answer.c_str() ? 0 : value;
}

bool LvDevice::setTimeFormat() { return player_.send(MediaCommand::setTimeFormat(kLvAlias)).ok(); }
platform::MediaReply LvDevice::open(const std::string& path) {
  return player_.send(MediaCommand::open(path, kLvAlias));
}
std::int64_t LvDevice::lengthMilliseconds() {
  return answerMilliseconds(player_.send(MediaCommand::statusLength(kLvAlias)).answer);
}
std::string LvDevice::positionAnswer() { return player_.send(MediaCommand::statusPosition(kLvAlias)).answer; }
platform::MediaReply LvDevice::play() { return player_.send(MediaCommand::play(kLvAlias)); }
void LvDevice::pause() { player_.send(MediaCommand::pause(kLvAlias)); }
void LvDevice::stop() { player_.send(MediaCommand::stop(kLvAlias)); }
void LvDevice::seek(std::int64_t milliseconds) {
  player_.send(MediaCommand::seek(kLvAlias, toCommandMilliseconds(milliseconds)));
}
void LvDevice::seekAndWait(std::int64_t milliseconds) {
  player_.send(MediaCommand::seekAndWait(kLvAlias, toCommandMilliseconds(milliseconds)));
}
void LvDevice::close() { player_.send(MediaCommand::close(kLvAlias)); }

void seekToPhrase(LvDevice& device, int phrase, bool playing) {
  device.stop();
  device.seek(phraseStartMilliseconds(phrase));
  if (playing) device.play();
}

}  // namespace brisolt::playback
