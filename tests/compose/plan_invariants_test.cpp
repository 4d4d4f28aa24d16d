// Properties every plan keeps, whatever the key, scale, motif mode, phrase
// count and seed: bar counts, rhythm sums, pitch lengths, scale membership,
// the note count and the loudness text.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "compose/composer.h"
#include "compose/scale_keys.h"
#include "tests/compose/scratch_folder.h"

namespace brisolt::compose {
namespace {

// The switches of the twelve motif modes as Generate passes them.
PlanOptions optionsFor(int motifMode, int keySignature, int scale, int phraseCount, const std::string& prefix) {
  static const std::string closed = "ABC";          // "Clo"
  static const std::string similar = "ABEFIJ";      // "Sim"
  static const std::string oneMotif = "ACEG";       // voice set "B"
  const char letter = static_cast<char>('A' + motifMode);
  PlanOptions options;
  options.outputPrefix = prefix;
  options.motifForm = closed.find(letter) != std::string::npos ? "Clo" : "Ope";
  options.motifSimilarity = similar.find(letter) != std::string::npos ? "Sim" : "Com";
  options.voiceSet = oneMotif.find(letter) != std::string::npos ? "B" : "F";
  options.phraseCount = phraseCount;
  options.keySignature = keySignature;
  options.scale = scale;
  options.motifMode = motifMode;
  return options;
}

// Checks the plan against every invariant; returns a description of the
// first fault, or an empty text.
std::string firstFault(const Composer& composer, int phraseCount) {
  const PiecePlan& plan = composer.plan();
  if (plan.barCount != phraseCount * 16) return "barCount " + std::to_string(plan.barCount);
  if (plan.barPitches.size() != static_cast<std::size_t>(plan.barCount) ||
      plan.barRhythms.size() != static_cast<std::size_t>(plan.barCount)) {
    return "bar lists of " + std::to_string(plan.barPitches.size()) + " and " + std::to_string(plan.barRhythms.size());
  }
  int notes = 0;
  for (int bar = 0; bar < plan.barCount; ++bar) {
    const std::string& rhythm = plan.barRhythms[bar];
    const std::string& pitches = plan.barPitches[bar];
    const std::string where = "bar " + std::to_string(bar) + " '" + pitches + " " + rhythm + "': ";
    int sum = 0;
    for (const char c : rhythm) {
      if (c < '1' || c > '5') return where + "duration digit out of 1..5";
      sum += c - '0';
    }
    if (sum != 8) return where + "durations sum to " + std::to_string(sum);
    if (pitches.size() != 2 * rhythm.size()) return where + "pitch text length";
    for (std::size_t i = 0; i < pitches.size(); i += 2) {
      const int key = twoDigitNumber(pitches, i);
      const bool closing = bar == plan.barCount - 1 && i + 2 == pitches.size();
      if (key < 18 || key > 60) {
        if (!closing || key < 13) return where + "key " + std::to_string(key) + " outside the smoothed register";
      }
      // Octave shifts keep the pitch class; only the closing note may leave the scale.
      if (!closing && !isScaleKey(plan.scaleKeys, key)) return where + "key " + std::to_string(key) + " not in the scale";
    }
    notes += static_cast<int>(rhythm.size());
  }
  if (plan.noteCount != notes) return "noteCount " + std::to_string(plan.noteCount) + " for " + std::to_string(notes) + " notes";
  if (plan.dynamics.size() < 2 * static_cast<std::size_t>(notes)) return "dynamics too short";
  if (plan.dynamics.find_first_not_of("0356789") != std::string::npos) return "dynamics alphabet";
  if (plan.variationIndex < 0 || plan.variationIndex > 19) return "variationIndex";
  if (plan.variationOffset < 1 || plan.variationOffset > 1799) return "variationOffset";
  if (plan.stretchFactor < 1 || plan.stretchFactor > 5) return "stretchFactor";
  if (plan.phraseDigitOrders.size() != static_cast<std::size_t>(11 * phraseCount)) return "phraseDigitOrders length";
  for (int phrase = 0; phrase < phraseCount; ++phrase) {
    std::string order = plan.phraseDigitOrders.substr(11 * phrase, 10);
    if (plan.phraseDigitOrders[11 * phrase + 10] != '|') return "phrase digit order separator";
    std::sort(order.begin(), order.end());
    if (order != "0123456789") return "phrase digit order is not a permutation";
  }
  return {};
}

TEST(PlanInvariants, HoldForEveryMotifModeKeyAndScaleOverFivePhrases) {
  testing::ScratchFolder folder{"plan_invariants_5"};
  Composer composer;
  std::uint32_t seed = 1000;
  for (int motifMode = 0; motifMode < 12; ++motifMode) {
    for (int key = 1; key <= 12; ++key) {
      for (int scale = 0; scale < 12; ++scale) {
        composer.fixSessionId(seed += 7919);
        const PlanOptions options = optionsFor(motifMode, key, scale, 5, folder.prefix());
        ASSERT_EQ(composer.planPiece(options), 5);
        const std::string fault = firstFault(composer, 5);
        ASSERT_EQ(fault, "") << "motif mode " << char('A' + motifMode) << ", key " << key << ", scale " << scale
                             << ", session id " << seed;
      }
    }
  }
}

TEST(PlanInvariants, HoldForNinetyPhrasesInEveryMotifMode) {
  testing::ScratchFolder folder{"plan_invariants_90"};
  Composer composer;
  std::uint32_t seed = 77;
  for (int motifMode = 0; motifMode < 12; ++motifMode) {
    for (int trial = 0; trial < 25; ++trial) {
      composer.fixSessionId(seed = seed * 2654435761u + 1);
      const int key = 1 + (trial * 5 + motifMode) % 12;
      const int scale = (trial * 7 + motifMode) % 12;
      ASSERT_EQ(composer.planPiece(optionsFor(motifMode, key, scale, 90, folder.prefix())), 90);
      const std::string fault = firstFault(composer, 90);
      ASSERT_EQ(fault, "") << "motif mode " << char('A' + motifMode) << ", key " << key << ", scale " << scale
                           << ", session id " << seed;
    }
  }
}

}  // namespace
}  // namespace brisolt::compose
