// The probe of the sound output.
#include "app/window/sound_output_probe.h"

#include <cstring>

namespace brisolt {
namespace {

// Silence, for the moment the probed output might pull.
class Silence final : public platform::AudioSource {
 public:
  std::size_t read(std::uint8_t* out, std::size_t bytes) override {
    std::memset(out, 0, bytes);
    return bytes;
  }
  void played(std::size_t) override {}
  void awaitReadable(std::size_t) override {}
};

// The final mix: 22050 Hz, mono, 16-bit.
constexpr platform::AudioFormat kMixFormat{22050, 1, 16};

}  // namespace

std::optional<std::string> soundOutputProblem(platform::AudioBackend& backend) {
  Silence silence;
  std::string error;
  const auto output = backend.open(kMixFormat, silence, error);
  if (output) return std::nullopt;
  return error.empty() ? std::string("no output could be opened") : error;
}

}  // namespace brisolt
