// Composer::planPiece as Generate uses it: the options it reads, the session
// id, the generation log, the bar cursor and reproducibility.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "compose/composer.h"
#include "compose/session_id.h"
#include "tests/compose/scratch_folder.h"
#include "tests/support/default_plan_options.h"

namespace brisolt::compose {
namespace {

// 2024-01-31 14:25:07 UTC.
constexpr std::int64_t kThirtyFirstOfJanuary = 1706711107;

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PlanPiece : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    savedTz_ = tz ? std::optional<std::string>(tz) : std::nullopt;
    setenv("TZ", "UTC", 1);
    tzset();
    composer.setClock([] { return kThirtyFirstOfJanuary; });
  }
  void TearDown() override {
    if (savedTz_) setenv("TZ", savedTz_->c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }

  testing::ScratchFolder folder{"plan_piece"};
  Composer composer;
  std::optional<std::string> savedTz_;
};

TEST(SessionId, FoldsTheEightBytesOfTheTimeLeastSignificantFirst) {
  EXPECT_EQ(sessionIdFromTime(0), 0u);
  EXPECT_EQ(sessionIdFromTime(std::int64_t{1} << 56), 1u) << "the top byte is folded last";
  EXPECT_EQ(sessionIdFromTime(1), 588580609u) << "257^7 modulo 2^32";
  EXPECT_EQ(sessionIdFromTime(kThirtyFirstOfJanuary), 4115799226u);
}

TEST_F(PlanPiece, WritesTheEightLineLogWithCarriageReturns) {
  ASSERT_EQ(composer.planPiece(test::defaultPlanOptions(folder.prefix() + "240131_142507_")), 5);
  EXPECT_EQ(readFile(folder.path() / "240131_142507_log.txt"),
            "Brisolt generate started at: 2024-01-31 14:25\r\n"
            "Session ID: 4115799226\r\n"
            "Parameters:\r\n"
            " Key signature: C\r\n"
            " Scale: Major\r\n"
            " Motif Mode: B\r\n"
            " Phrase Mode: B\r\n"
            "Generate: 5 phrases\r\n");
  EXPECT_EQ(composer.plan().sessionId, 4115799226u);
}

TEST_F(PlanPiece, LogsSharpKeysScaleNamesAndTheModeLetters) {
  PlanOptions options = test::defaultPlanOptions(folder.prefix());
  options.keySignature = 9;  // "GA"
  options.scale = 4;
  options.motifMode = 0;
  options.phraseMode = 11;
  options.phraseCount = 10;
  ASSERT_EQ(composer.planPiece(options), 10);
  const std::string log = readFile(folder.path() / "log.txt");
  EXPECT_NE(log.find(" Key signature: G#\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" Scale: Hungarian (Gipsy)\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" Motif Mode: A\r\n Phrase Mode: L\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Generate: 10 phrases\r\n"), std::string::npos) << log;
  EXPECT_EQ(composer.plan().keyDisplayName, "G#");
  EXPECT_EQ(composer.plan().modeFamily, "Min");
}

TEST_F(PlanPiece, AFixedSessionIdSeedsThePlanAndIsLogged) {
  composer.fixSessionId(77);
  ASSERT_EQ(composer.planPiece(test::defaultPlanOptions(folder.prefix())), 5);
  EXPECT_EQ(composer.plan().sessionId, 77u);
  EXPECT_NE(readFile(folder.path() / "log.txt").find("Session ID: 77\r\nParameters:"), std::string::npos);
}

TEST_F(PlanPiece, ASecondRunWithTheSamePrefixReplacesTheLog) {
  PlanOptions options = test::defaultPlanOptions(folder.prefix() + "same_");
  ASSERT_EQ(composer.planPiece(options), 5);
  options.phraseCount = 7;
  ASSERT_EQ(composer.planPiece(options), 7);
  const std::string log = readFile(folder.path() / "same_log.txt");
  EXPECT_NE(log.find("Generate: 7 phrases"), std::string::npos) << log;
  EXPECT_EQ(log.find("Generate: 5 phrases"), std::string::npos) << log;
}

TEST_F(PlanPiece, AnUnopenableLogReturnsOneAndKeepsThePreviousPlan) {
  composer.fixSessionId(5);
  ASSERT_EQ(composer.planPiece(test::defaultPlanOptions(folder.prefix())), 5);
  const std::vector<std::string> before = composer.plan().barPitches;
  composer.nextBar();
  PlanOptions options = test::defaultPlanOptions(folder.prefix() + "missing/folder/");
  options.phraseCount = 90;
  EXPECT_EQ(composer.planPiece(options), kPlanLogNotOpened);
  EXPECT_EQ(composer.plan().barPitches, before);
  EXPECT_EQ(composer.plan().barCount, 80);
  EXPECT_EQ(composer.barCursor(), 1) << "the cursor is left alone too";
}

TEST_F(PlanPiece, OptionsOutsideTheirRangesAreRejectedBeforeAnythingIsWritten) {
  const auto rejects = [&](auto change, const char* what) {
    PlanOptions options = test::defaultPlanOptions(folder.prefix());
    change(options);
    EXPECT_EQ(composer.planPiece(options), kPlanRejectedOptions) << what;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "log.txt")) << what;
  };
  rejects([](PlanOptions& o) { o.keySignature = 0; }, "key signature 0");
  rejects([](PlanOptions& o) { o.keySignature = 13; }, "key signature 13");
  rejects([](PlanOptions& o) { o.scale = 12; }, "scale 12");
  rejects([](PlanOptions& o) { o.motifMode = 12; }, "motif mode 12");
  rejects([](PlanOptions& o) { o.phraseMode = -1; }, "phrase mode -1");
  rejects([](PlanOptions& o) { o.phraseCount = 4; }, "4 phrases");
  rejects([](PlanOptions& o) { o.phraseCount = 91; }, "91 phrases");
  rejects([](PlanOptions& o) { o.tempo = "0"; }, "tempo 0");
  rejects([](PlanOptions& o) { o.tempo = "fast"; }, "tempo text");
}

TEST_F(PlanPiece, FiveAndNinetyPhrasesGiveEightyAndFourteenFortyBars) {
  EXPECT_EQ(composer.planPiece(test::defaultPlanOptions(folder.prefix())), 5);
  EXPECT_EQ(composer.plan().barCount, 80);
  EXPECT_EQ(composer.plan().barPitches.size(), 80u);
  EXPECT_EQ(composer.plan().barRhythms.size(), 80u);
  PlanOptions options = test::defaultPlanOptions(folder.prefix());
  options.phraseCount = 90;
  EXPECT_EQ(composer.planPiece(options), 90);
  EXPECT_EQ(composer.plan().barCount, 1440);
  EXPECT_EQ(composer.plan().barPitches.size(), 1440u);
  EXPECT_EQ(composer.plan().phraseDigitOrders.size(), 90u * 11);
}

TEST_F(PlanPiece, TakesTempoTailAndSwitchesFromTheOptions) {
  PlanOptions options = test::defaultPlanOptions(folder.prefix());
  options.tempo = "60";
  options.motifForm = "Ope";
  options.motifSimilarity = "Com";
  options.voiceSet = "B";
  options.instrumentCode = "I";
  ASSERT_EQ(composer.planPiece(options), 5);
  EXPECT_EQ(composer.plan().tempo, 60);
  EXPECT_EQ(composer.plan().tailMilliseconds, 500.0);
  EXPECT_FALSE(composer.plan().switches.closedMotif);
  EXPECT_TRUE(composer.plan().switches.complexSteps);
  EXPECT_FALSE(composer.plan().switches.alternatingMotifs);
  EXPECT_EQ(composer.plan().instrumentCode, "I");
  options.tempo = "90";
  ASSERT_EQ(composer.planPiece(options), 5);
  EXPECT_EQ(composer.plan().tailMilliseconds, 333.0) << "30000 / 90 divided in integers";
}

TEST_F(PlanPiece, TheFirstDrawsAfterSeedingGiveTheVariationValues) {
  composer.fixSessionId(12345);  // draws 7584, 19164, 25795
  ASSERT_EQ(composer.planPiece(test::defaultPlanOptions(folder.prefix())), 5);
  EXPECT_EQ(composer.plan().variationIndex, 7584 % 20);
  EXPECT_EQ(composer.plan().variationOffset, 19164 * 1799 / 32768 + 1);
  EXPECT_EQ(composer.plan().stretchFactor, 4) << "roll 25795 x 100 / 32768 + 1 = 79";
}

TEST_F(PlanPiece, TheSameSeedAndOptionsGiveTheSamePlan) {
  PlanOptions options = test::defaultPlanOptions(folder.prefix());
  options.phraseCount = 20;
  options.keySignature = 4;
  options.scale = 8;
  composer.fixSessionId(31337);
  ASSERT_EQ(composer.planPiece(options), 20);
  const PiecePlan first = composer.plan();
  Composer other;
  other.fixSessionId(31337);
  ASSERT_EQ(other.planPiece(options), 20);
  EXPECT_EQ(other.plan().barPitches, first.barPitches);
  EXPECT_EQ(other.plan().barRhythms, first.barRhythms);
  EXPECT_EQ(other.plan().dynamics, first.dynamics);
  EXPECT_EQ(other.plan().phraseDigitOrders, first.phraseDigitOrders);
  EXPECT_EQ(other.plan().variationOffset, first.variationOffset);
  EXPECT_EQ(other.random().state(), composer.random().state()) << "the same number of draws";
  composer.fixSessionId(31338);
  ASSERT_EQ(composer.planPiece(options), 20);
  EXPECT_NE(composer.plan().barPitches, first.barPitches) << "another seed, another piece";
}

TEST_F(PlanPiece, NextBarHandsOutPitchesABlankAndTheRhythmInOrder) {
  ASSERT_EQ(composer.planPiece(test::defaultPlanOptions(folder.prefix())), 5);
  EXPECT_EQ(composer.barCursor(), 0);
  const PiecePlan& plan = composer.plan();
  for (int bar = 0; bar < 3; ++bar) {
    EXPECT_EQ(composer.nextBar(), plan.barPitches[bar] + " " + plan.barRhythms[bar]) << "bar " << bar;
  }
  composer.rewindBars();
  EXPECT_EQ(composer.nextBar(), plan.barPitches[0] + " " + plan.barRhythms[0]);
  for (int bar = 1; bar < 80; ++bar) composer.nextBar();
  EXPECT_EQ(composer.nextBar(), " ") << "past the last bar there are no notes";
}

TEST_F(PlanPiece, DynamicsStartAtAnEvenIndexOfTheSourceAndCoverEveryNote) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    composer.fixSessionId(seed);
    ASSERT_EQ(composer.planPiece(test::defaultPlanOptions(folder.prefix())), 5);
    const std::string& dynamics = composer.plan().dynamics;
    const std::string& source = composer.dynamicsSource();
    ASSERT_GE(dynamics.size(), 2u * composer.plan().noteCount);
    const std::size_t start = (source.size() - dynamics.size() % source.size()) % source.size();
    ASSERT_EQ(start % 2, 0u) << "seed " << seed;
    EXPECT_LE(start, 1250u);
    EXPECT_EQ(dynamics.substr(0, source.size() - start), source.substr(start)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace brisolt::compose
