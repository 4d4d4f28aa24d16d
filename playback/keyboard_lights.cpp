// The sounding keys of a score, looked up by position.
#include "playback/keyboard_lights.h"

#include <algorithm>
#include <string_view>

#include "audio/wave_format.h"
#include "render/score_json.h"

namespace brisolt::playback {
namespace {

constexpr std::string_view kMixEndings[] = {"PelkoL.wav", "Pelko.wav"};

}  // namespace

SoundingKeys::SoundingKeys(const render::Score& score) {
  spans_.reserve(score.notes.size());
  for (const render::PlacedNote& note : score.notes) {
    if (note.key < 1 || note.key > kKeyboardKeys || note.clipBytes() == 0) continue;
    spans_.push_back({note.start, note.start + note.clipBytes(), note.key, note.voice.isMelody});
    longest_ = std::max<std::uint64_t>(longest_, note.clipBytes());
  }
  std::stable_sort(spans_.begin(), spans_.end(), [](const Span& a, const Span& b) { return a.start < b.start; });
}

KeyLights SoundingKeys::at(double milliseconds) const {
  KeyLights lights{};
  if (milliseconds < 0 || spans_.empty()) return lights;
  const auto byte = static_cast<std::uint64_t>(milliseconds * audio::kBytesPerSecond / 1000.0);
  // Only notes struck at most the longest clip ago can still sound.
  const std::uint64_t earliest = byte > longest_ ? byte - longest_ : 0;
  auto span = std::lower_bound(spans_.begin(), spans_.end(), earliest,
                               [](const Span& candidate, std::uint64_t at) { return candidate.start < at; });
  for (; span != spans_.end() && span->start <= byte; ++span) {
    if (byte >= span->end) continue;
    KeyLight& light = lights[static_cast<std::size_t>(span->key - 1)];
    light = span->melody ? KeyLight::kMelody : std::max(light, KeyLight::kVoice);
  }
  return lights;
}

std::string scorePathForMix(const std::string& mixPath) {
  for (const std::string_view ending : kMixEndings) {
    if (mixPath.size() >= ending.size() && std::string_view(mixPath).substr(mixPath.size() - ending.size()) == ending) {
      return render::scoreFilePath(mixPath.substr(0, mixPath.size() - ending.size()));
    }
  }
  return {};
}

SoundingKeys loadSoundingKeys(const std::string& scorePath) {
  if (scorePath.empty()) return {};
  const render::ScoreParse parse = render::readScoreFile(scorePath);
  return parse.score ? SoundingKeys(*parse.score) : SoundingKeys();
}

}  // namespace brisolt::playback
