// Recording stand-ins for the voice renderers.
#include "tests/render/fake_voice_renderers.h"

#include <stdexcept>

#include "audio/wave_copy.h"
#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"

namespace brisolt::test {
namespace {

constexpr int kFakeBars = 80;
constexpr int kFakeTempo = 60;
constexpr std::size_t kMarkerBytes = 104 - audio::kHeaderSize;

}  // namespace

FakeVoiceRenderers::FakeVoiceRenderers(std::uint32_t samples, bool silent) : samples_(samples), silent_(silent) {
  using render::Renderer;
  table_.melody = [this](compose::Composer& composer, const std::string& data, render::EventCollector&) {
    return renderOne(composer, Renderer::kMelody, data, 0, 0);
  };
  const auto voice = [this](Renderer renderer) {
    return [this, renderer](compose::Composer& composer, const std::string& data, char letter,
                            render::EventCollector&, int step) {
      return renderOne(composer, renderer, data, letter, step);
    };
  };
  table_.ensemble = voice(Renderer::kEnsemble);
  table_.accompaniment = voice(Renderer::kAccompaniment);
  table_.split = voice(Renderer::kSplit);
  table_.pulse = voice(Renderer::kPulse);
}

render::VoiceResult FakeVoiceRenderers::renderOne(compose::Composer& composer, render::Renderer renderer,
                                          const std::string& sampleDataPath, char letter, int step) {
  RecordedCall call{renderer, letter, step, sampleDataPath, composer.barCursor(), {}};
  // Read a few bars, as a renderer does, so an unrewound plan would show.
  for (int bar = 0; bar < 3; ++bar) composer.nextBar();

  for (int part = 1; part <= render::filesPerCall(renderer); ++part) {
    call.files.push_back(writeVoiceFile(letter, part));
  }
  render::VoiceResult result{call.files, render::VoiceEnd::kWritten};
  calls_.push_back(call);
  return twist_ ? twist_(calls_.back(), std::move(result)) : result;
}

std::string FakeVoiceRenderers::writeVoiceFile(char letter, int part) {
  const std::string path = platform::createTemporaryFile();
  audio::HeaderTemplate header{};
  platform::File file = audio::createWaveFile(path, kFakeBars, kFakeTempo, header);
  if (!file) throw std::runtime_error("fake renderer cannot write " + path);
  const auto marker = static_cast<std::uint8_t>(letter + 16 * part);
  const Bytes markers(kMarkerBytes, marker);
  const auto value = static_cast<std::int16_t>(silent_ ? 0 : (letter % 40 + part) * 50);
  const Bytes samples = samplesToBytes(std::vector<std::int16_t>(samples_, value));
  file.write(markers.data(), static_cast<std::uint32_t>(markers.size()));
  file.write(samples.data(), static_cast<std::uint32_t>(samples.size()));
  file.close();

  Bytes preamble = readFileBytes(path);
  preamble.resize(104);
  preambles_.emplace_back(letter, preamble);
  return path;
}

std::vector<std::string> FakeVoiceRenderers::files() const {
  std::vector<std::string> all;
  for (const RecordedCall& call : calls_) all.insert(all.end(), call.files.begin(), call.files.end());
  return all;
}

Bytes FakeVoiceRenderers::preambleOf(char letter) const {
  for (const auto& [written, preamble] : preambles_) {
    if (written == letter) return preamble;
  }
  return {};
}

}  // namespace brisolt::test
