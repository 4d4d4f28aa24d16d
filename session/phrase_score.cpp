// The score of a saved phrase, cut out of the session's score.
#include "session/phrase_score.h"

#include <cstdio>

#include "audio/output_files.h"
#include "render/score.h"
#include "render/score_json.h"
#include "session/phrase_exports.h"

namespace brisolt {

std::string phraseScorePath(const std::string& folder, const std::string& prefix, int phrase) {
  char name[32];
  std::snprintf(name, sizeof name, "score_%.2d.json", phrase);
  return folder + prefix + name;
}

PhraseScoreResult writePhraseScore(const std::string& folder, const std::string& prefix, int phrase, int pieceTempo) {
  const render::ScoreParse whole = render::readScoreFile(render::scoreFilePath(folder + prefix));
  if (!whole.score) return PhraseScoreResult::kNoScore;
  const render::Score part =
      render::scoreExcerpt(*whole.score, phraseExcerptStartByte(phrase, pieceTempo), audio::kPhraseExcerptLength);
  return render::writeScoreFile(part, phraseScorePath(folder, prefix, phrase)) ? PhraseScoreResult::kWritten
                                                                                : PhraseScoreResult::kNotCreated;
}

}  // namespace brisolt
