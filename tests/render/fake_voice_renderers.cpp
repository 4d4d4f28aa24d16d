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
  table_.melody = [this](compose::Composer& composer, const std::string& data) {
    return renderOne(composer, Renderer::Melody, data, 0, 0);
  };
  table_.ensemble = [this](compose::Composer& composer, const std::string& data, char letter, int step) {
    return renderOne(composer, Renderer::Ensemble, data, letter, step);
  };
  table_.accompaniment = [this](compose::Composer& composer, const std::string& data, char letter, int step) {
    return renderOne(composer, Renderer::Accompaniment, data, letter, step);
  };
  table_.split = [this](compose::Composer& composer, const std::string& data, char letter,
                        render::MidiEventCollector&, int step) {
    return renderOne(composer, Renderer::Split, data, letter, step);
  };
  table_.pulse = [this](compose::Composer& composer, const std::string& data, char letter,
                        render::MidiEventCollector&, int step) {
    return renderOne(composer, Renderer::Pulse, data, letter, step);
  };
}

std::string FakeVoiceRenderers::renderOne(compose::Composer& composer, render::Renderer renderer,
                                          const std::string& sampleDataPath, char letter, int step) {
  RecordedCall call{renderer, letter, step, sampleDataPath, composer.barCursor(), {}};
  // Read a few bars, as a renderer does, so an unrewound plan would show.
  for (int bar = 0; bar < 3; ++bar) composer.nextBar();

  std::string result;
  for (int part = 1; part <= render::filesPerCall(renderer); ++part) {
    call.files.push_back(writeVoiceFile(letter, part));
  }
  if (renderer == render::Renderer::Melody) {
    result = call.files[0] + "\n" + call.files[1] + "\n";
  } else if (renderer == render::Renderer::Split) {
    result = call.files[0] + "\n" + call.files[1];
  } else {
    result = call.files[0];
  }
  calls_.push_back(call);
  return twist_ ? twist_(calls_.back(), result) : result;
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
