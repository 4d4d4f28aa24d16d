// Planning the pieces of the whole-piece render tests.
#include "tests/render/piece_test_support.h"

#include "platform/files/file_system.h"

namespace brisolt::test {

std::string describe(const PieceSettings& piece) {
  return "seed " + std::to_string(piece.sessionId) + ", " + std::to_string(piece.phrases) + " phrases, key " +
         std::to_string(piece.keySignature) + ", scale " + std::to_string(piece.scale) + ", motif mode " +
         std::to_string(piece.motifMode) + ", phrase mode " + std::to_string(piece.phraseMode) + ", " +
         piece.motifForm + piece.similarity + piece.voiceSet + ", tempo " + piece.tempo;
}

compose::PlanOptions planOptionsFor(const PieceSettings& piece, const std::string& prefix) {
  compose::PlanOptions options;
  options.outputPrefix = prefix;
  options.motifForm = piece.motifForm;
  options.motifRegularity = "Reg";
  options.motifSimilarity = piece.similarity;
  options.voiceSet = piece.voiceSet;
  options.phraseColour = "B";
  options.tempo = piece.tempo;
  options.phraseCount = piece.phrases;
  options.keySignature = piece.keySignature;
  options.scale = piece.scale;
  options.motifMode = piece.motifMode;
  options.phraseMode = piece.phraseMode;
  return options;
}

bool planPiece(compose::Composer& composer, const PieceSettings& piece, const std::string& prefix) {
  composer.fixSessionId(piece.sessionId);
  const bool planned = composer.planPiece(planOptionsFor(piece, prefix)) == piece.phrases;
  platform::deleteFile(prefix + "log.txt");
  return planned;
}

}  // namespace brisolt::test
