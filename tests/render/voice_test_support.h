// What the voice renderer tests share: a synthetic sample bank (every sample
// of the clip of key k, layer L is k x 16 + L), hand-made plans installed in
// a Composer, the pattern offset that makes a voice start on a chosen figure,
// and two ways of reading a voice file back: the clips heard in it, and a
// byte-exact comparison with the audio a test expects.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compose/composer.h"
#include "render/score.h"
#include "render/voice_renderers.h"
#include "tests/support/temp_folder.h"

namespace brisolt::render::test {

// The full synthetic bank, written once per test process outside every
// test's own folder.
const std::string& syntheticBankPath();

// Bytes of a lead-in or tail of `ms` milliseconds: trunc(ms x 44.1), even.
std::uint32_t millisecondsAsBytes(int ms);
inline constexpr std::uint32_t kUnit = 22050;  // bytes of one duration unit

// A plan of the given bars ("30323436 2222": pitches, blank, rhythm) in
// C major with the given pattern offset, stretch factor 1, every note at
// dynamics step 1 (full level), tempo 60. The bar masks of the voices of
// `soundingGroup` let every bar sound (bar pattern group 1, member 0).
compose::PiecePlan handPlan(const compose::Composer& composer, const std::vector<std::string>& bars,
                            int variationOffset = 1, int soundingGroup = 0);

// Gives every phrase a digit order that puts `groupDigit` at position
// `member`, so the voices of that group take text variationIndex x 10 +
// member of the bar patterns.
void placeGroup(compose::PiecePlan& plan, int groupDigit, int member);

// The generator's state after `draws` draws from `seed`: how a test counts
// the draws a renderer made.
std::uint32_t stateAfterDraws(std::uint32_t seed, int draws);

// The first offset (at least 1, as planned pieces have) at which the voice's
// pattern string, upper case, begins with `opening`; -1 when nowhere.
int patternOffset(char voice, std::string_view opening);

// The sample data of a voice file (after its 44-byte header) and its size.
std::vector<std::int16_t> dataSamples(const std::string& path);
std::uint64_t dataBytes(const std::string& path);

// A clip heard in a voice file: where it starts (in bytes after the
// lead-in), how many bytes of it are heard, and which clip it is. Runs
// shorter than 64 samples (the 16 bytes of the next clip that a copy of a
// whole half-second takes along) are left out.
struct Sound {
  std::uint32_t at = 0;
  std::uint32_t bytes = 0;
  int key = 0;
  int layer = 0;
  bool operator==(const Sound&) const = default;
};
std::vector<Sound> soundsIn(const std::string& path, int leadInMs);
std::ostream& operator<<(std::ostream& out, const Sound& sound);

// The audio a test expects, built segment by segment from the bank.
class ExpectedVoice {
 public:
  ExpectedVoice& silenceBytes(std::uint32_t bytes);
  ExpectedVoice& silence(int units) { return silenceBytes(units * kUnit); }
  ExpectedVoice& leadIn(int ms) { return silenceBytes(millisecondsAsBytes(ms)); }
  ExpectedVoice& tail(int leadInMs) { return silenceBytes(millisecondsAsBytes(3000 - leadInMs)); }
  // `bytes` from the start of the clip (as the bank holds them, so a copy
  // longer than the clip runs into the next one), scaled by `step`.
  ExpectedVoice& clipBytes(int key, int layer, std::uint32_t bytes, int step = 1);
  ExpectedVoice& clip(int key, int layer, int units, int step = 1) { return clipBytes(key, layer, units * kUnit, step); }

  const std::vector<std::int16_t>& samples() const { return samples_; }
  // What the segment that holds sample `index` is, for failure messages.
  std::string segmentAt(std::size_t index) const;

 private:
  struct Segment {
    std::size_t end = 0;  // in samples
    std::string what;
  };
  std::vector<std::int16_t> samples_;
  std::vector<Segment> segments_;
};

// Compares the data of a voice file with the expected audio and names the
// first difference.
::testing::AssertionResult voiceMatches(const std::string& path, const ExpectedVoice& expected);

// The voice file that `score` describes for file `file` of `voice`: silence
// where no clip is placed, each clip (cut where marked) at its place.
ExpectedVoice voiceFromScore(const Score& score, VoiceId voice, int file);
// The first sample of the synthetic clip of `key` and `layer` copied at `step`.
std::int16_t markerAt(int key, int layer, int step);

// A failed renderer call that names no file.
::testing::AssertionResult failedWithoutFiles(const VoiceResult& result);
// The one path of a one-file voice written whole; a test failure and an
// empty text for any other result.
std::string writtenPath(const VoiceResult& result);

// A test with its own temporary folder ($TMPDIR), a Composer made inside it
// (so the temporary folder is that folder) and the synthetic bank.
class VoiceRenderTest : public brisolt::test::TempFolderTest {
 protected:
  VoiceRenderTest();
  ~VoiceRenderTest() override;

  void usePlan(compose::PiecePlan plan) { composer.replacePlanForTesting(std::move(plan)); }
  const std::string& bank() const { return syntheticBankPath(); }
  // The files in the test's folder.
  std::vector<std::string> filesInFolder() const;

  compose::Composer composer;
  EventCollector events;
};

}  // namespace brisolt::render::test

namespace brisolt::render {
void PrintTo(const VoiceResult& result, std::ostream* out);
}  // namespace brisolt::render
