// The tables each phrase picks from: six rhythm pools, eight step-weight
// tables, the step cycle and the phrase weights. Read once from the embedded
// data/rhythm_pools.txt, data/step_weights.txt and data/phrase_texts.txt.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace brisolt::compose {

inline constexpr int kTableEntryCount = 30;   // texts per rhythm pool and per step-weight table
inline constexpr int kStepWeightCount = 9;    // weights for the scale steps -4..+4
inline constexpr int kStepWeightTableCount = 8;

using StepWeights = std::array<int, kStepWeightCount>;

// The six rhythm pools, in the order of their sections in the data text.
enum class RhythmPool : int {
  kClosedPlain,
  kOpenPlain,
  kClosedAlternatingA,
  kClosedAlternatingB,
  kOpenAlternatingA,
  kOpenAlternatingB,
};
inline constexpr int kRhythmPoolCount = 6;

struct PhraseTables {
  // Each pool holds 30 texts: non-decreasing duration digits 1..5 closed by "0".
  std::array<std::vector<std::string>, kRhythmPoolCount> rhythmPools;
  // Table i (1..8) at index i-1; 30 entries each, in the order read when the
  // melody moves down.
  std::array<std::vector<StepWeights>, kStepWeightTableCount> stepWeightTables;
  std::string stepCycle;      // raw, with its "0": "2232232232230223223223223"
  std::string phraseWeights;  // 17 two-digit weights

  const std::vector<std::string>& pool(RhythmPool which) const {
    return rhythmPools[static_cast<int>(which)];
  }

  static PhraseTables load();
};

}  // namespace brisolt::compose
