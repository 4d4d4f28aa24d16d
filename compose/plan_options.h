// The 21 values that Generate hands to the planner, in the order in which
// they are passed. Only some of them change the plan; the others are carried
// as the window passes them.
#pragma once

#include <string>

namespace brisolt::compose {

struct PlanOptions {
  std::string outputPrefix;     // 1: archive folder + session prefix; the log is outputPrefix + "log.txt"
  std::string keyName = "C";    // 2: not used by the planner
  std::string text3;            // 3: not used
  std::string motifForm;        // 4: "Clo" for a closed motif, else "Ope"
  std::string text5;            // 5: not used
  std::string text6;            // 6: not used
  std::string motifRegularity;  // 7: "Reg" or "Fre"; not used by the planner
  std::string tempo = "60";     // 8: read as a whole number
  std::string text9;            // 9: not used
  int phraseCount = 5;          // 10: 5..90
  std::string motifSimilarity;  // 11: "Sim" for simple steps, else "Com"
  std::string voiceSet;         // 12: "B" for one motif, else "F" (alternating motifs)
  std::string hand = "F";       // 13: not used
  std::string instrumentCode = "I";  // 14: copied into the plan
  std::string text15;           // 15: not used
  std::string phraseColour;     // 16: "R", "G", "V" or "B"; not used by the planner
  bool evenPhraseMode = false;  // 17: not used by the planner
  int keySignature = 1;         // 18: 1..12
  int scale = 0;                // 19: 0..11
  int motifMode = 0;            // 20: 0..11, only logged
  int phraseMode = 0;           // 21: 0..11, only logged
};

}  // namespace brisolt::compose
