// The measured costs of Generate's stretches.
#include "app/window/generate_step_costs.h"

#include "session/generation_progress.h"

namespace brisolt {

const std::vector<GenerateStretch>& generateStretches() {
  // Measured with bench/window_generate_bench.sh on 20-phrase pieces (the
  // streaming render, 2 cores, the real sample data): the checks and the
  // load of the sample data cost the same for every piece, the rest grows
  // with the phrases. The streaming render spreads the mix's steps over its
  // three passes by blocks, but a block of the final mix's passes costs
  // more than one of the stems' (eight stems computed for each, and the
  // last pass writes), so the passes are stretches of their own.
  static const std::vector<GenerateStretch> stretches{
      {1, 65, 0},     // the checks, the end of playback and the archive cleanup
      {2, 1, 0.05},   // the plan and its log
      {3, 550, 0},    // the sample data read whole, the first renderers' calls
      {10, 0, 6},     // the rest of the score from the renderers
      {33, 0, 57},    // pass 1: the peaks of every stem
      {57, 0, 90},    // pass 2: the peaks of the final mix
      {kGenerationSteps, 0, 100},  // pass 3: the final mix scaled and written
  };
  return stretches;
}

// `brisolt compose --hifi` against `--no-hifi` at 10 and 40 phrases (the
// same piece, one after the other on the same machine): the rendition took
// 41 s and 207 s more, some 6 and 13 times the render.
GenerateStretch renditionStretch() { return {kGenerationSteps + kRenditionSteps, 3000, 5000}; }

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
    const double cost = tail.fixedMs + tail.perPhraseMs * phrases;
    for (int step = 0; step < kRenditionSteps; ++step) costs.push_back(cost / kRenditionSteps);
  }
  return costs;
}

}  // namespace brisolt
