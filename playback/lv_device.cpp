// The media command strings of the "lv" device.
#include "playback/lv_device.h"

#include <charconv>
#include <cstdlib>

#include "playback/phrase_timing.h"

namespace brisolt::playback {

namespace lv {
std::string openCommand(const std::string& path) { return "open " + path + " type waveaudio alias lv wait"; }
std::string seekCommand(std::int64_t milliseconds) { return "seek lv to " + std::to_string(milliseconds); }
std::string seekAndWaitCommand(std::int64_t milliseconds) { return seekCommand(milliseconds) + " wait"; }
}  // namespace lv

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

bool LvDevice::setTimeFormat() { return player_.send(lv::kSetTimeFormat).ok(); }
platform::MediaReply LvDevice::open(const std::string& path) { return player_.send(lv::openCommand(path)); }
std::int64_t LvDevice::lengthMilliseconds() { return answerMilliseconds(player_.send(lv::kLength).answer); }
std::string LvDevice::positionAnswer() { return player_.send(lv::kPosition).answer; }
platform::MediaReply LvDevice::play() { return player_.send(lv::kPlay); }
void LvDevice::pause() { player_.send(lv::kPause); }
void LvDevice::stop() { player_.send(lv::kStop); }
void LvDevice::seek(std::int64_t milliseconds) { player_.send(lv::seekCommand(milliseconds)); }
void LvDevice::seekAndWait(std::int64_t milliseconds) { player_.send(lv::seekAndWaitCommand(milliseconds)); }
void LvDevice::close() { player_.send(lv::kClose); }
void LvDevice::closeAll() { player_.send(lv::kCloseAll); }

void seekToPhrase(LvDevice& device, int phrase, bool playing) {
  device.stop();
  device.seek(phraseStartMilliseconds(phrase));
  if (playing) device.play();
}

}  // namespace brisolt::playback
