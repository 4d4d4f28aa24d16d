// What the stretches of Generate's progress bar cost, as measured with
// bench/window_generate_bench.sh: the checks and the archive cleanup, the
// plan, the load of the sample data, the score, the three mix passes and,
// in steps of its own after those, the rendition when it is made. Each stretch costs a
// fixed part and a part per phrase, so the weights hold for short and long
// pieces alike.
#pragma once

#include <vector>

namespace brisolt {

struct GenerateStretch {
  int lastPosition;    // the bar's position at the stretch's end
  double fixedMs;      // milliseconds whatever the piece's length (the rendition's before its first step)
  double perPhraseMs;  // and per phrase
};

// The bar's steps for the rendition, after the 84 of the render. The
// rendition takes some fifteen to twenty-five times as long as the render,
// so that with a thousand steps the bar moves about evenly in time.
inline constexpr int kRenditionSteps = 1000;

// The stretches of the bar in order, ending at position 84.
const std::vector<GenerateStretch>& generateStretches();
// The rendition, made after the render when it is asked for: positions 85
// to 84 + kRenditionSteps.
GenerateStretch renditionStretch();

// The relative cost of each of the bar's steps for a piece of `phrases`
// phrases (entry i: from position i to i + 1), a stretch's cost spread
// evenly over its steps; with the rendition, its kRenditionSteps entries too.
std::vector<double> generateStepCosts(int phrases, bool rendition);

}  // namespace brisolt
