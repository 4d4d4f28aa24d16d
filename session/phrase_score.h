// A saved phrase's part of the session's score: the notes under the phrase's
// excerpt of the mix, timed like the excerpt, so that the keys the phrase
// plays can be lit and read again later.
#pragma once

#include <string>

namespace brisolt {

// folder + prefix + "score_NN.json".
std::string phraseScorePath(const std::string& folder, const std::string& prefix, int phrase);

enum class PhraseScoreResult {
  kWritten,
  kNoScore,     // the session has no score (or it cannot be read)
  kNotCreated,  // the phrase's score could not be written
};

// Writes the part of folder + prefix + "score.json" that lies under the
// excerpt of phrase `phrase` (64 seconds from where the mix's excerpt begins
// for a piece planned at `pieceTempo`) as phraseScorePath().
PhraseScoreResult writePhraseScore(const std::string& folder, const std::string& prefix, int phrase, int pieceTempo);

}  // namespace brisolt
