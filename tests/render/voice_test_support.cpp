// The shared helpers of the voice renderer tests.
#include "tests/render/voice_test_support.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <sstream>

#include "audio/sample_bank.h"
#include "audio/wave_format.h"
#include "platform/files/file_system.h"
#include "platform/message_pump.h"
#include "render/voice_patterns.h"
#include "tests/support/file_bytes.h"
#include "tests/support/synthetic_bank.h"

namespace brisolt::render::test {
namespace {

constexpr std::uint32_t kHeaderBytes = 44;
constexpr std::size_t kShortestSound = 64;  // samples

// The bank as bytes, for building expected audio.
const brisolt::test::Bytes& bankBytes() {
  static const brisolt::test::Bytes bytes = brisolt::test::readFileBytes(syntheticBankPath());
  return bytes;
}

// Writes the bank before the first test, while $TMPDIR is still the
// process's own and not the private folder of a test.
class SyntheticBankEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { syntheticBankPath(); }
};
[[maybe_unused]] ::testing::Environment* const kSyntheticBank =
    ::testing::AddGlobalTestEnvironment(new SyntheticBankEnvironment);

}  // namespace

const std::string& syntheticBankPath() {
  static const brisolt::test::TempFolder folder;
  static const std::string path = [] {
    const std::string bankPath = folder.file("Data.dat");
    brisolt::test::writeSyntheticBank(bankPath);
    return bankPath;
  }();
  return path;
}

std::uint32_t millisecondsAsBytes(int ms) {
  const std::uint32_t bytes = static_cast<std::uint32_t>(ms) * 441 / 10;
  return bytes - bytes % 2;
}

compose::PiecePlan handPlan(const compose::Composer& composer, const std::vector<std::string>& bars,
                            int variationOffset, int soundingGroup) {
  compose::PiecePlan plan;
  plan.variationIndex = 1;  // members 0 and 1 of group 1 let all sixteen bars sound
  plan.variationOffset = variationOffset;
  plan.stretchFactor = 1;
  plan.modeFamily = "Maj";
  plan.keyDisplayName = "C";
  plan.tempo = 60;
  plan.barCount = static_cast<int>(bars.size());
  plan.tailMilliseconds = 500;
  plan.scaleKeys = composer.scaleTable().scaleKeys(0, 0);
  for (const std::string& bar : bars) {
    const std::size_t blank = bar.find(' ');
    plan.barPitches.push_back(bar.substr(0, blank));
    plan.barRhythms.push_back(blank == std::string::npos ? std::string() : bar.substr(blank + 1));
    plan.noteCount += static_cast<int>(plan.barRhythms.back().size());
  }
  placeGroup(plan, soundingGroup, 0);
  for (int note = 0; note < plan.noteCount; ++note) plan.dynamics += "01";
  return plan;
}

void placeGroup(compose::PiecePlan& plan, int groupDigit, int member) {
  std::string order = "0123456789";
  std::swap(order[static_cast<std::size_t>(member)], order[static_cast<std::size_t>(groupDigit)]);
  plan.phraseDigitOrders.clear();
  const int phrases = (plan.barCount + compose::Composer::barsPerPhrase - 1) / compose::Composer::barsPerPhrase;
  for (int phrase = 0; phrase < phrases; ++phrase) plan.phraseDigitOrders += order + "|";
}

std::uint32_t stateAfterDraws(std::uint32_t seed, int draws) {
  compose::RandomGenerator random;
  random.seed(seed);
  for (int draw = 0; draw < draws; ++draw) random.next();
  return random.state();
}

int patternOffset(char voice, std::string_view opening) {
  std::string pattern(builtinVoicePatterns().find(voice));
  for (char& c : pattern) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::size_t found = pattern.find(opening, 1);
  return found == std::string::npos ? -1 : static_cast<int>(found);
}

std::vector<std::int16_t> dataSamples(const std::string& path) {
  const brisolt::test::Bytes bytes = brisolt::test::readFileBytes(path);
  if (bytes.size() < kHeaderBytes) return {};
  return brisolt::test::bytesToSamples(bytes, kHeaderBytes);
}

std::uint64_t dataBytes(const std::string& path) {
  const std::uint64_t size = brisolt::test::fileSize(path);
  return size < kHeaderBytes ? 0 : size - kHeaderBytes;
}

std::vector<Sound> soundsIn(const std::string& path, int leadInMs) {
  const std::vector<std::int16_t> samples = dataSamples(path);
  const std::size_t start = millisecondsAsBytes(leadInMs) / 2;
  std::vector<Sound> sounds;
  std::size_t i = start;
  while (i < samples.size()) {
    std::size_t end = i;
    while (end < samples.size() && samples[end] == samples[i]) ++end;
    if (samples[i] != 0 && end - i >= kShortestSound) {
      sounds.push_back({static_cast<std::uint32_t>(2 * (i - start)), static_cast<std::uint32_t>(2 * (end - i)),
                        samples[i] / 16, samples[i] % 16});
    }
    i = end;
  }
  return sounds;
}

std::ostream& operator<<(std::ostream& out, const Sound& sound) {
  return out << "{key " << sound.key << " layer " << sound.layer << " at byte " << sound.at << " (unit "
             << static_cast<double>(sound.at) / kUnit << "), " << sound.bytes << " bytes}";
}

ExpectedVoice& ExpectedVoice::silenceBytes(std::uint32_t bytes) {
  samples_.insert(samples_.end(), bytes / 2, 0);
  segments_.push_back({samples_.size(), std::to_string(bytes) + " bytes of silence"});
  return *this;
}

ExpectedVoice& ExpectedVoice::clipBytes(int key, int layer, std::uint32_t bytes, int step) {
  static const audio::SampleBank sampleBank;  // building one reads the whole clip table
  const std::int32_t offset = sampleBank.sampleOffset(key, layer);
  std::ostringstream what;
  what << bytes << " bytes of the clip of key " << key << " layer " << layer << " at step " << step;
  const double gain = audio::attenuationGain(step);
  const auto& bank = bankBytes();
  for (std::uint32_t i = 0; i + 1 < bytes; i += 2) {
    const std::size_t at = static_cast<std::size_t>(offset) + i;
    const auto sample = at + 1 < bank.size() ? static_cast<std::int16_t>(bank[at] | (bank[at + 1] << 8)) : 0;
    samples_.push_back(static_cast<std::int16_t>(std::trunc(sample * gain)));
  }
  segments_.push_back({samples_.size(), what.str()});
  return *this;
}

std::string ExpectedVoice::segmentAt(std::size_t index) const {
  std::size_t begin = 0;
  for (std::size_t s = 0; s < segments_.size(); ++s) {
    if (index < segments_[s].end) {
      return "segment " + std::to_string(s) + " (" + segments_[s].what + ", from data byte " +
             std::to_string(2 * begin) + ")";
    }
    begin = segments_[s].end;
  }
  return "past the expected end";
}

::testing::AssertionResult voiceMatches(const std::string& path, const ExpectedVoice& expected) {
  const std::vector<std::int16_t> got = dataSamples(path);
  const auto& want = expected.samples();
  const std::size_t common = std::min(got.size(), want.size());
  const auto mismatch = std::mismatch(want.begin(), want.begin() + static_cast<std::ptrdiff_t>(common), got.begin());
  if (mismatch.first != want.begin() + static_cast<std::ptrdiff_t>(common)) {
    const std::size_t index = static_cast<std::size_t>(mismatch.first - want.begin());
    return ::testing::AssertionFailure() << "data byte " << 2 * index << ", in " << expected.segmentAt(index)
                                         << ": expected sample " << *mismatch.first << ", got " << *mismatch.second;
  }
  if (got.size() != want.size()) {
    return ::testing::AssertionFailure() << "expected " << 2 * want.size() << " data bytes, got " << 2 * got.size()
                                         << "; the first " << 2 * common << " agree";
  }
  return ::testing::AssertionSuccess();
}

ExpectedVoice voiceFromScore(const Score& score, VoiceId voice, int file) {
  ExpectedVoice expected;
  std::uint64_t at = 0;
  for (const PlacedNote& note : score.notesOf(voice, file)) {
    expected.silenceBytes(static_cast<std::uint32_t>(note.start - at));
    expected.clipBytes(note.key, note.layer, note.clipBytes(), note.step);
    if (note.cut) expected.silenceBytes(note.length - note.clipBytes());
    at = note.end();
  }
  const ScoreFile* closed = score.findFile(voice, file);
  if (closed != nullptr && closed->dataBytes > at) expected.silenceBytes(static_cast<std::uint32_t>(closed->dataBytes - at));
  return expected;
}

std::int16_t markerAt(int key, int layer, int step) {
  return static_cast<std::int16_t>(
      std::trunc(brisolt::test::syntheticSampleValue(key, layer) * audio::attenuationGain(step)));
}

::testing::AssertionResult failedWithoutFiles(const VoiceResult& result) {
  if (result.failed() && result.paths.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected a failure naming no file, got " << ::testing::PrintToString(result);
}

std::string writtenPath(const VoiceResult& result) {
  if (result.end == VoiceEnd::kWritten && result.paths.size() == 1) return result.paths.front();
  ADD_FAILURE() << "expected one written file, got " << ::testing::PrintToString(result);
  return {};
}

VoiceRenderTest::VoiceRenderTest() = default;

VoiceRenderTest::~VoiceRenderTest() { platform::setMessagePump({}); }

std::vector<std::string> VoiceRenderTest::filesInFolder() const { return platform::listFiles(folder().path(), ""); }

}  // namespace brisolt::render::test

namespace brisolt::render {

void PrintTo(const VoiceResult& result, std::ostream* out) {
  static constexpr const char* kEnds[] = {"written", "cancelled", "failed"};
  *out << kEnds[static_cast<int>(result.end)] << " " << ::testing::PrintToString(result.paths);
}

}  // namespace brisolt::render
