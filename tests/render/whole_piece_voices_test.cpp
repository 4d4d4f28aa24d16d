// Every call of the render schedule on a planned 5-phrase piece: each file
// holds its lead-in, 8 units for every bar and its tail, so all voices end
// together, and its header predicts that size.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "platform/files/file_handle.h"
#include "platform/files/file_system.h"
#include "render/renderer_kind.h"
#include "render/voice_renderer_table.h"
#include "render/voice_schedule.h"
#include "render/voice_table.h"
#include "tests/render/voice_test_support.h"

namespace brisolt::render::test {
namespace {

constexpr int kMelodyLeadIn = 1000;

class WholePieceVoices : public VoiceRenderTest {
 protected:
  void planFivePhrases(std::uint32_t sessionId, int scale) {
    compose::PlanOptions options;
    options.outputPrefix = folder().file("session_");
    options.motifForm = "Ope";
    options.motifSimilarity = "Com";
    options.voiceSet = "F";
    options.scale = scale;
    options.keySignature = 3;
    composer.fixSessionId(sessionId);
    ASSERT_EQ(composer.planPiece(options), 5);
    platform::deleteFile(options.outputPrefix + "log.txt");
  }

  // The 44-byte header's data size field.
  static std::uint32_t declaredDataSize(const std::string& path) {
    platform::File file = platform::File::openForReading(path);
    std::array<std::uint8_t, 44> header{};
    if (file.read(header.data(), 44) != 44) return 0;
    return static_cast<std::uint32_t>(header[40] | (header[41] << 8) | (header[42] << 16) | (header[43] << 24));
  }

  // Renders every call of the schedule with one event collector; with
  // `rebuild`, the files of the first call of each renderer are also
  // compared byte for byte with the audio their score entries describe.
  void renderEverySchedule(bool rebuild = false) {
    EventCollector collector;
    std::set<Renderer> rebuilt;
    const std::uint64_t bars = static_cast<std::uint64_t>(composer.plan().barCount);
    std::set<char> letters;
    int files = 0;
    for (const ScheduledCall& call : builtinVoiceSchedule().calls) {
      const int leadIn = call.renderer == Renderer::kMelody ? kMelodyLeadIn
                                                           : builtinVoiceTable().common(call.letter)->leadInMs;
      SCOPED_TRACE(std::string("voice ") + (call.letter ? call.letter : '-') + " lead-in " + std::to_string(leadIn));
      composer.rewindBars();
      const VoiceResult result = programVoiceRenderers().run(call, composer, bank(), collector);
      ASSERT_EQ(result.end, VoiceEnd::kWritten);
      const std::vector<std::string>& paths = result.paths;
      ASSERT_EQ(static_cast<int>(paths.size()), filesPerCall(call.renderer));
      const VoiceId voice = call.letter ? VoiceId::ofLetter(call.letter) : VoiceId::melody();
      const bool rebuildCall = rebuild && rebuilt.insert(call.renderer).second;
      const std::uint64_t planned = millisecondsAsBytes(leadIn) + bars * 8 * kUnit + millisecondsAsBytes(3000 - leadIn);
      for (int file = 0; file < static_cast<int>(paths.size()); ++file) {
        const std::string& path = paths[static_cast<std::size_t>(file)];
        const std::uint64_t got = dataBytes(path);
        const ScoreFile* scored = collector.score().findFile(voice, file);
        ASSERT_NE(scored, nullptr) << "file " << file << " is not in the score";
        EXPECT_EQ(scored->dataBytes, got);
        if (rebuildCall) {
          EXPECT_TRUE(voiceMatches(path, voiceFromScore(collector.score(), voice, file)));
          const std::vector<std::int16_t> samples = dataSamples(path);
          for (const PlacedNote& note : collector.score().notesOf(voice, file)) {
            ASSERT_LT(note.start / 2, samples.size());
            EXPECT_EQ(samples[note.start / 2], markerAt(note.key, note.layer, note.step))
                << "no clip of key " << note.key << " layer " << note.layer << " at data byte " << note.start;
          }
        }
        // Only an ensemble voice may end with a debt open: one unit more.
        const bool inTime = got == planned || (call.renderer == Renderer::kEnsemble && got == planned + kUnit);
        EXPECT_TRUE(inTime) << "planned " << planned << " bytes, got " << got;
        EXPECT_EQ(declaredDataSize(path), 14244300u);
        EXPECT_EQ(path.rfind(folder().path(), 0), 0u) << path;
        platform::deleteFile(path);
        ++files;
      }
      if (call.letter) letters.insert(call.letter);
    }
    EXPECT_EQ(files, 64);
    EXPECT_EQ(collector.score().files.size(), 64u);
    EXPECT_EQ(letters.size(), 58u);
    EXPECT_TRUE(filesInFolder().empty());
  }
};

TEST_F(WholePieceVoices, EveryScheduledVoiceOfAMajorPieceEndsWithTheOthers) {
  planFivePhrases(20240131, 0);
  renderEverySchedule();
}

TEST_F(WholePieceVoices, EveryScheduledVoiceOfAMinorPieceEndsWithTheOthers) {
  planFivePhrases(77, 2);
  renderEverySchedule();
}

// The score is enough to make a voice file again: silence where it names no
// clip, and each clip where it says, at its step, cut where it says. Checked
// on the files of each renderer; every file's length is checked above.
TEST_F(WholePieceVoices, EveryVoiceFileIsItsScoreEntriesByteForByte) {
  planFivePhrases(31337, 5);
  renderEverySchedule(true);
}

}  // namespace
}  // namespace brisolt::render::test
