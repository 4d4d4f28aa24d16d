// Stand-ins for the five voice renderers: each call records itself and writes
// small but valid voice files (a WAV header, a marked preamble, a few
// thousand samples) into the temporary folder, returning their names as the
// real renderers do. A test can change the result of any call.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "render/render_driver.h"
#include "render/renderer_kind.h"
#include "tests/support/file_bytes.h"

namespace brisolt::test {

struct RecordedCall {
  render::Renderer renderer = render::Renderer::kMelody;
  char letter = 0;  // 0 for the melody
  int step = 0;
  std::string sampleDataPath;
  int barCursorAtEntry = -1;   // the driver rewinds before every call
  std::vector<std::string> files;  // the voice files the call wrote
};

class FakeVoiceRenderers {
 public:
  // Samples per voice file, and whether they are all 0 (a silent voice).
  explicit FakeVoiceRenderers(std::uint32_t samples = 3000, bool silent = false);

  // The table to hand to render(); it refers to this object.
  const render::VoiceRenderers& table() const { return table_; }

  // Called after a call wrote its files, with the result the real renderer
  // would give; whatever it returns becomes the result.
  using Twist = std::function<render::VoiceResult(const RecordedCall& call, render::VoiceResult result)>;
  void setTwist(Twist twist) { twist_ = std::move(twist); }

  const std::vector<RecordedCall>& calls() const { return calls_; }
  // Every voice file written so far, in order.
  std::vector<std::string> files() const;
  // The first 104 bytes written to a voice file by the call of `letter`.
  Bytes preambleOf(char letter) const;

 private:
  render::VoiceResult renderOne(compose::Composer& composer, render::Renderer renderer, const std::string& sampleDataPath,
                        char letter, int step);
  std::string writeVoiceFile(char letter, int part);

  std::uint32_t samples_;
  bool silent_;
  Twist twist_;
  std::vector<RecordedCall> calls_;
  std::vector<std::pair<char, Bytes>> preambles_;
  render::VoiceRenderers table_;
};

}  // namespace brisolt::test
