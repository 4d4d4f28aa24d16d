// The parts every voice renderer shares: reading a pattern string from the
// variation offset with restart and stretch, the phrase masks, the dynamics,
// the walk over the plan's notes, and the results of a renderer call when
// the sample data, the output or a write fails, or Stop is pressed.
#include <gtest/gtest.h>

#include <string>

#include "audio/sample_table.h"
#include "platform/files/file_handle.h"
#include "platform/message_pump.h"
#include "render/bar_masks.h"
#include "render/dynamics_reader.h"
#include "render/pattern_reader.h"
#include "render/planned_notes.h"
#include "render/voice_patterns.h"
#include "render/voice_renderers.h"
#include "render/voice_table.h"
#include "tests/render/voice_test_support.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

namespace brisolt::render::test {
namespace {

std::string readAll(PatternReader& reader, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += reader.next();
  return text;
}

std::string upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

class PatternReading : public VoiceRenderTest {};

TEST_F(PatternReading, RunsFromTheOffsetToTheEndThenCyclesThroughTheWholeString) {
  // 1853 - 1799 = 54 characters of voice s, 1968 - 1799 = 169 of voice u.
  for (const auto& [voice, before] : {std::pair{'s', 54u}, std::pair{'u', 169u}}) {
    SCOPED_TRACE(std::string("voice ") + voice);
    usePlan(handPlan(composer, {"30 8"}, 1799));
    const std::string whole = upper(builtinVoicePatterns().find(voice));
    PatternReader reader(builtinVoicePatterns().find(voice), composer);
    EXPECT_EQ(readAll(reader, before), whole.substr(1799));
    EXPECT_EQ(readAll(reader, whole.size()), whole) << "after the end the whole string follows";
    EXPECT_EQ(readAll(reader, 10), whole.substr(0, 10)) << "and again";
  }
}

TEST_F(PatternReading, ReadsTheLowerCaseYOfVoiceSAsY) {
  usePlan(handPlan(composer, {"30 8"}, 1));
  ASSERT_EQ(builtinVoicePatterns().find('s').substr(0, 4), "-y+Z");
  PatternReader reader(builtinVoicePatterns().find('s'), composer);
  EXPECT_EQ(readAll(reader, 3), "Y+Z");
}

TEST_F(PatternReading, StretchRepeatsEachCharacterAndDropsEvery149th) {
  compose::PiecePlan plan = handPlan(composer, {"30 8"}, 1);
  plan.stretchFactor = 3;
  usePlan(plan);
  const std::string rest = upper(builtinVoicePatterns().find('O')).substr(1);
  PatternReader reader(builtinVoicePatterns().find('O'), composer);
  // Character 0 of the shortened string is dropped; the others come three times.
  const std::string opening = readAll(reader, 6);
  EXPECT_EQ(opening, std::string(3, rest[1]) + std::string(3, rest[2]));
  readAll(reader, 3 * 148 - 6);  // through character 148
  EXPECT_EQ(readAll(reader, 3), std::string(3, rest[150])) << "character 149 is dropped";
}

TEST(BarMaskSelection, TakesTheTextAtTheGroupDigitsPlaceInEachPhrasesOrder) {
  compose::Composer composer;
  compose::PiecePlan plan;
  plan.barCount = 32;
  plan.variationIndex = 0;
  plan.phraseDigitOrders = "0123456789|9876543210|";
  composer.replacePlanForTesting(plan);
  BarMasks masks(composer, 3);
  const auto& bitmaps = composer.patternBitmaps();
  std::string got;
  for (int bar = 0; bar < 32; ++bar) got += masks.maskOf(bar);
  EXPECT_EQ(got, bitmaps[3] + bitmaps[6]) << "digit 3 stands at place 3, then at place 6";
  EXPECT_NE(bitmaps[3], bitmaps[6]) << "the check needs two different masks";
}

TEST(Dynamics, TwoDigitsPerNoteStartingAgainWhenFewerThanTwoRemain) {
  DynamicsReader dynamics("07123");
  EXPECT_EQ(dynamics.next(), 7);
  EXPECT_EQ(dynamics.next(), 12);
  EXPECT_EQ(dynamics.next(), 7) << "one digit left: the text starts again";
  DynamicsReader empty("");
  EXPECT_EQ(empty.next(), 0);
}

class PlanWalk : public VoiceRenderTest {};

TEST_F(PlanWalk, PumpsBeforeEveryNoteAndMarksOnlyTheLastNoteOfTheLastBar) {
  usePlan(handPlan(composer, {"303234 431", "3537 53"}));
  int pumps = 0;
  platform::setMessagePump([&] { ++pumps; });
  PlannedNotes notes(composer, 0);
  PlannedNote note;
  std::string seen;
  while (notes.next(note) == WalkStep::kNote) {
    seen += std::to_string(note.key) + "/" + std::to_string(note.duration) + (note.lastOfPiece ? "!" : "") + " ";
  }
  EXPECT_EQ(seen, "30/4 32/3 34/1 35/5 37/3! ");
  EXPECT_EQ(pumps, 5);
}

TEST_F(PlanWalk, StopsAtTheNoteAfterTheCancelFlagIsSet) {
  usePlan(handPlan(composer, {"303234 431"}));
  PlannedNotes notes(composer, 0);
  PlannedNote note;
  ASSERT_EQ(notes.next(note), WalkStep::kNote);
  platform::setMessagePump([&] { composer.cancelRequested = true; });
  EXPECT_EQ(notes.next(note), WalkStep::kCancelled);
}

// What a renderer call leaves behind when it cannot finish.
class RendererFailures : public VoiceRenderTest {};

TEST_F(RendererFailures, MissingSampleDataFailsAndLeavesNoFile) {
  usePlan(handPlan(composer, {"30323436 2222"}, 1, 5));
  const std::string missing = folder().file("no-Data.dat");
  EXPECT_TRUE(failedWithoutFiles(renderEnsembleVoice(composer, missing, 'r', events, 8)));
  EXPECT_TRUE(failedWithoutFiles(renderAccompanimentVoice(composer, missing, 'A', events, 8)));
  EXPECT_TRUE(failedWithoutFiles(renderPulseVoice(composer, missing, 'm', events, 7)));
  EXPECT_TRUE(failedWithoutFiles(renderMelody(composer, missing, events)));
  EXPECT_TRUE(failedWithoutFiles(renderSplitVoice(composer, missing, 'k', events, 1)));
  EXPECT_TRUE(filesInFolder().empty()) << "left behind: " << ::testing::PrintToString(filesInFolder());
}

TEST_F(RendererFailures, AnOutputThatCannotBeCreatedFailsAndClosesTheSampleData) {
  usePlan(handPlan(composer, {"30323436 2222"}, 1, 5));
  brisolt::test::ScopedTmpdir nowhere(folder().file("missing-folder"));
  EXPECT_TRUE(failedWithoutFiles(renderEnsembleVoice(composer, bank(), 'r', events, 8)));
  EXPECT_TRUE(failedWithoutFiles(renderMelody(composer, bank(), events)));
  EXPECT_TRUE(platform::File::openForReading(bank()).isValid()) << "the sample data file must be closed";
}

TEST_F(RendererFailures, AShortWriteFailsAndRemovesThePartialFile) {
  usePlan(handPlan(composer, {"30323436 2222", "30323436 2222"}, 1, 5));
  {
    brisolt::test::FileSizeLimit limit(44 + 100000);
    EXPECT_TRUE(failedWithoutFiles(renderEnsembleVoice(composer, bank(), 'r', events, 8)));
  }
  EXPECT_TRUE(filesInFolder().empty()) << "left behind: " << ::testing::PrintToString(filesInFolder());
  EXPECT_TRUE(platform::File::openForReading(bank()).isValid());
}

TEST_F(RendererFailures, AVoiceLetterOfAnotherRendererIsRefused) {
  usePlan(handPlan(composer, {"30323436 2222"}));
  EXPECT_TRUE(failedWithoutFiles(renderEnsembleVoice(composer, bank(), 'A', events, 8)));
  EXPECT_TRUE(failedWithoutFiles(renderAccompanimentVoice(composer, bank(), 'r', events, 8)));
  EXPECT_TRUE(failedWithoutFiles(renderPulseVoice(composer, bank(), 'k', events, 7)));
  EXPECT_TRUE(failedWithoutFiles(renderSplitVoice(composer, bank(), 'm', events, 1)));
  EXPECT_TRUE(filesInFolder().empty());
}

// Stop pressed while a voice writes its lead-in is seen at the first note.
class RendererCancel : public VoiceRenderTest {
 protected:
  // Stop is pressed when the `pumpNumber`-th message is pumped.
  void pressStopAtPump(int pumpNumber) {
    platform::setMessagePump([this, pumpNumber, count = 0]() mutable {
      if (++count == pumpNumber) composer.cancelRequested = true;
    });
  }

  // Every path is a closed file of the temporary folder holding `bytes` after its header.
  void expectClosedFiles(const std::vector<std::string>& paths, std::uint64_t bytes) {
    for (const std::string& path : paths) {
      SCOPED_TRACE(path);
      EXPECT_EQ(path.rfind(folder().path(), 0), 0u) << "not in the temporary folder " << folder().path();
      EXPECT_TRUE(platform::File::openForReading(path).isValid()) << "the output must be closed";
      EXPECT_EQ(dataBytes(path), bytes);
    }
    EXPECT_TRUE(platform::File::openForReading(bank()).isValid()) << "the sample data file must be closed";
  }
};

TEST_F(RendererCancel, OneFileVoicesNameTheirFileAsCancelledAfterTheLeadIn) {
  usePlan(handPlan(composer, {"30323436 2222", "30323436 2222"}, 1, 5));
  struct Case {
    char voice;
    std::function<VoiceResult()> render;
  };
  const std::vector<Case> cases{
      {'r', [&] { return renderEnsembleVoice(composer, bank(), 'r', events, 8); }},
      {'A', [&] { return renderAccompanimentVoice(composer, bank(), 'A', events, 8); }},
      {'m', [&] { return renderPulseVoice(composer, bank(), 'm', events, 7); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("voice ") + c.voice);
    composer.cancelRequested = false;
    composer.rewindBars();
    pressStopAtPump(1);
    const VoiceResult result = c.render();
    ASSERT_TRUE(result.cancelled()) << ::testing::PrintToString(result);
    ASSERT_EQ(result.paths.size(), 1u) << ::testing::PrintToString(result);
    expectClosedFiles(result.paths, millisecondsAsBytes(builtinVoiceTable().common(c.voice)->leadInMs));
  }
}

TEST_F(RendererCancel, TheMelodyNamesBothFilesWhereverItStops) {
  usePlan(handPlan(composer, {"30323436 2222"}));
  for (const int pump : {1, 5, 9}) {  // first pass, stream 0, stream 1
    SCOPED_TRACE("stopped at pump " + std::to_string(pump));
    composer.cancelRequested = false;
    composer.rewindBars();
    pressStopAtPump(pump);
    const VoiceResult result = renderMelody(composer, bank(), events);
    ASSERT_TRUE(result.cancelled()) << ::testing::PrintToString(result);
    ASSERT_EQ(result.paths.size(), 2u) << ::testing::PrintToString(result);
    for (const auto& path : result.paths) EXPECT_TRUE(platform::File::openForReading(path).isValid());
  }
}

TEST_F(RendererCancel, TheSplitVoiceNamesTheFilesItHasBegun) {
  usePlan(handPlan(composer, {"30323436 2222"}, 212, 8));
  // Stop in the first pass (no file yet), in stream 0, in stream 1.
  const std::vector<std::pair<int, std::size_t>> cases{{1, 0}, {5, 1}, {9, 2}};
  for (const auto& [pump, files] : cases) {
    SCOPED_TRACE("stopped at pump " + std::to_string(pump));
    composer.cancelRequested = false;
    composer.rewindBars();
    pressStopAtPump(pump);
    const VoiceResult result = renderSplitVoice(composer, bank(), 'k', events, 1);
    EXPECT_TRUE(result.cancelled()) << ::testing::PrintToString(result);
    const std::vector<std::string>& paths = result.paths;
    ASSERT_EQ(paths.size(), files) << ::testing::PrintToString(result);
    if (files == 0) continue;
    expectClosedFiles({paths.back()}, millisecondsAsBytes(750));  // header and lead-in
    if (files == 2) {
      expectClosedFiles({paths[0]}, millisecondsAsBytes(750) + 8 * kUnit + millisecondsAsBytes(2250));
    }
  }
}

}  // namespace
}  // namespace brisolt::render::test

namespace brisolt::render::test {
namespace {

// Silence is the silence clip's own bytes, read once per voice file; a bank
// that ends inside the clip still fails the voice.
class SilenceClip : public VoiceRenderTest {
 protected:
  // A copy of the synthetic bank whose silence clip holds `sample`, cut to
  // `length` bytes.
  std::string bankWithSilence(std::int16_t sample, std::size_t length) {
    brisolt::test::Bytes bytes = brisolt::test::readFileBytes(bank());
    for (std::size_t at = audio::kSilenceClipOffset; at + 1 < bytes.size(); at += 2) {
      bytes[at] = static_cast<std::uint8_t>(sample & 0xFF);
      bytes[at + 1] = static_cast<std::uint8_t>((sample >> 8) & 0xFF);
    }
    bytes.resize(length);
    const std::string path = folder().file("marked-silence.dat");
    brisolt::test::writeFileBytes(path, bytes);
    return path;
  }
};

TEST_F(SilenceClip, LeadInRestsAndTailAreTheClipsBytes) {
  usePlan(handPlan(composer, {"30323436 2222", "30323436 2222"}, 1, 5));
  const std::string marked = bankWithSilence(7, audio::kSampleDataSize);
  const std::string path = writtenPath(renderEnsembleVoice(composer, marked, 'r', events, 1));
  ASSERT_FALSE(path.empty());
  const std::vector<std::int16_t> samples = dataSamples(path);
  ASSERT_FALSE(samples.empty());
  // Voice r's lead-in of 1500 ms comes first, and the file ends with its tail.
  const std::size_t leadIn = millisecondsAsBytes(1500) / 2;
  const std::size_t tail = millisecondsAsBytes(1500) / 2;
  for (std::size_t i = 0; i < leadIn; ++i) ASSERT_EQ(samples[i], 7) << "lead-in sample " << i;
  for (std::size_t i = samples.size() - tail; i < samples.size(); ++i) ASSERT_EQ(samples[i], 7) << "tail sample " << i;
}

TEST_F(SilenceClip, ABankThatEndsInsideTheClipFailsTheVoice) {
  usePlan(handPlan(composer, {"30323436 2222"}, 1, 5));
  const std::string cut = bankWithSilence(0, audio::kSilenceClipOffset + 1000);
  EXPECT_TRUE(failedWithoutFiles(renderEnsembleVoice(composer, cut, 'r', events, 1)));
  EXPECT_EQ(filesInFolder(), std::vector<std::string>{"marked-silence.dat"});
}

}  // namespace
}  // namespace brisolt::render::test
