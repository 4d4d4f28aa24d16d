// The status strip's lines.
#include "app/window/status_line.h"


namespace brisolt {
namespace {

std::string modeLetter(int mode) { return std::string(1, static_cast<char>('A' + mode)); }

std::string settingsPart(const PieceSummary& piece) {
  return piece.key + " " + piece.scale + kStatusSeparator + modeLetter(piece.motifMode) + "/" +
         modeLetter(piece.phraseMode) + kStatusSeparator + std::to_string(piece.phrases) + " phrases";
}

}  // namespace

PieceSummary summaryOf(const compose::Composer& composer, const CompositionSettings& settings, int phrases) {
  PieceSummary piece;
  piece.sessionId = composer.plan().sessionId;
  piece.key = composer.plan().keyDisplayName;
  const auto& scales = composer.scaleTable().scales();
  if (settings.scale >= 0 && static_cast<std::size_t>(settings.scale) < scales.size())
    piece.scale = scales[static_cast<std::size_t>(settings.scale)].name;
  piece.motifMode = settings.motifMode;
  piece.phraseMode = settings.phraseMode;
  piece.phrases = phrases;
  return piece;
}

std::string pieceStatus(const PieceSummary& piece) {
  return "Session " + std::to_string(piece.sessionId) + kStatusSeparator + settingsPart(piece);
}

std::string composingStatus(const PieceSummary& piece, int percent) {
  return "Composing session " + std::to_string(piece.sessionId) + ": " + std::to_string(percent) + " %" +
         kStatusSeparator + settingsPart(piece);
}

std::string planningStatus(int phrases) { return "Planning " + std::to_string(phrases) + " phrases..."; }

std::string stoppedStatus(const PieceSummary& piece) {
  return "Stopped: session " + std::to_string(piece.sessionId) + " was discarded";
}

std::string notMadeStatus(const std::string& reason) { return "Not composed: " + reason; }

std::string noSoundStatus(const std::string& reason, const std::string& musicFile) {
  std::string line = "No sound output device";
  if (!reason.empty()) line += " (" + reason + ")";
  return line + kStatusSeparator + "the piece is in " + musicFile;
}

std::string nextSessionStatus(std::uint32_t sessionId) {
  return "The next COMPOSE re-creates session " + std::to_string(sessionId);
}

}  // namespace brisolt
