// The measured costs of Generate's stretches.
#include "app/window/generate_step_costs.h"

#include "session/generation_progress.h"

namespace brisolt {

const std::vector<GenerateStretch>& generateStretches() {
  // Medians of bench/window_generate_bench.sh at 10 and 40 phrases (the
  // streaming render; 2 cores), fitted to fixed + per phrase.
  static const std::vector<GenerateStretch> stretches{
      {1, 1, 1},    // the checks, the end of playback and the archive cleanup
      {2, 1, 1},        // the plan and its log
      {10, 8, 8},     // the sample data read whole, the score from the renderers
      {kGenerationSteps, 74, 74},  // the three passes over the mix
  };
  return stretches;
}

GenerateStretch renditionStretch() { return {kGenerationSteps + 1, 0, 0}; }

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
    const GenerateStretch tail = renditionStretch();
    costs.push_back(tail.fixedMs + tail.perPhraseMs * phrases);
  }
  return costs;
}

}  // namespace brisolt
