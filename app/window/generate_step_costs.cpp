// The measured costs of Generate's stretches.
#include "app/window/generate_step_costs.h"

#include "session/generation_progress.h"

namespace brisolt {

const std::vector<GenerateStretch>& generateStretches() {
  // Measured with bench/window_generate_bench.sh on pieces of 5, 20 and 40
  // phrases (the streaming render, 2 cores, the real sample data): the
  // checks and the load of the sample data cost about the same for every
  // piece, the rest grows with the phrases. The streaming render spreads its
  // steps over its three passes by the work of each (the stems' peaks, the
  // final mix averaged and written, then scaled in place).
  static const std::vector<GenerateStretch> stretches{
      {1, 5, 2.4},                // the checks, the end of playback and the archive cleanup
      {2, 1, 0.02},               // the plan and its log
      {3, 6, 0.05},               // the sample data opened, the first renderers' calls
      {10, 12, 0.6},              // the rest of the score from the renderers
      {46, 16, 3.6},              // pass 1: the peaks of every stem
      {81, 7, 6.5},               // pass 2: the final mix of the scaled stems, written
      {kGenerationSteps, 0, 1.6},  // pass 3: the final mix scaled in place
  };
  return stretches;
}

// The rendition: the SoundFont loaded (before its first step), the notes
// played on two threads and measured, then mastered; measured with the same
// benchmark.
GenerateStretch renditionStretch() { return {kGenerationSteps + kRenditionSteps, 150, 362}; }

std::vector<double> generateStepCosts(int phrases, bool rendition) {
  std::vector<double> costs;
  int position = 0;
  for (const GenerateStretch& stretch : generateStretches()) {
    const int steps = stretch.lastPosition - position;
    const double cost = stretch.fixedMs + stretch.perPhraseMs * phrases;
    for (int step = 0; step < steps; ++step) costs.push_back(cost / steps);
    position = stretch.lastPosition;
  }
  if (rendition) {
    // Its fixed part, the SoundFont's load, comes before its first step.
    const GenerateStretch tail = renditionStretch();
    const double perStep = tail.perPhraseMs * phrases / kRenditionSteps;
    costs.push_back(tail.fixedMs + perStep);
    for (int step = 1; step < kRenditionSteps; ++step) costs.push_back(perStep);
  }
  return costs;
}

}  // namespace brisolt
