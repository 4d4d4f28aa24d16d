// The planner options of the window's default settings, for the tests that
// plan a piece the way Generate does on a fresh start.
#pragma once

#include <string>

#include "compose/plan_options.h"

namespace brisolt::test {

// Key C, Major, motif mode B, phrase mode B, five phrases; every file of the
// piece is written under `prefix`.
inline compose::PlanOptions defaultPlanOptions(const std::string& prefix) {
  compose::PlanOptions options;
  options.outputPrefix = prefix;
  options.motifForm = "Clo";
  options.motifRegularity = "Reg";
  options.motifSimilarity = "Sim";
  options.voiceSet = "F";
  options.phraseColour = "B";
  options.evenPhraseMode = false;
  options.keySignature = 1;
  options.scale = 0;
  options.motifMode = 1;
  options.phraseMode = 1;
  options.phraseCount = 5;
  return options;
}

}  // namespace brisolt::test
