// Headings and scores for the pictures the subcommands draw.
#include "app/cli/piece_picture.h"

#include "playback/phrase_timing.h"
#include "render/score_plan.h"
#include "session/generation.h"

namespace brisolt {
namespace {

constexpr const char* kDot = " \xC2\xB7 ";  // a middle dot between the parts of a heading

char modeLetter(int mode) { return static_cast<char>('A' + mode); }

}  // namespace

picture::PianoRollPiece pictureHeading(const CompositionSettings& settings, const compose::Composer& composer) {
  const compose::PiecePlan& plan = composer.plan();
  const int phrases = plan.barCount / compose::Composer::barsPerPhrase;
  picture::PianoRollPiece piece;
  piece.title = std::string("Brisolt") + kDot + "session " + std::to_string(plan.sessionId);
  piece.subtitle = plan.keyDisplayName + " " + composer.scaleTable().scales()[settings.scale].name + kDot +
                   "motif mode " + modeLetter(settings.motifMode) + kDot + "phrase mode " +
                   modeLetter(settings.phraseMode) + kDot + std::to_string(phrases) + " phrases" + kDot + "tempo " +
                   std::to_string(plan.tempo);
  piece.phraseCount = phrases;
  piece.firstPhraseSeconds = playback::kLeadInSeconds;
  piece.phraseSeconds = playback::kPhraseSeconds;
  return piece;
}

std::string piecePictureSvg(const render::Score& score, const CompositionSettings& settings,
                            const compose::Composer& composer) {
  return picture::pianoRollSvg(score, pictureHeading(settings, composer));
}

PlannedPicture plannedPiecePicture(compose::Composer& composer, const CompositionSettings& settings,
                                   const std::string& sampleDataPath, const std::string& makeBankCommand,
                                   const render::VoiceRenderers& renderers) {
  PlannedPicture picture;
  const GenerationStep data = checkSampleData(sampleDataPath, makeBankCommand);
  if (!data.ok()) {
    picture.problem = data.message;
    picture.noSampleData = true;
    return picture;
  }
  const render::ScorePlan planned = render::planScore(composer, sampleDataPath, renderers);
  if (planned.result != render::ScorePlanResult::kPlanned) {
    picture.problem = "the piece's notes could not be placed: " + planned.message;
    picture.noSampleData = planned.result == render::ScorePlanResult::kNoSampleData;
    return picture;
  }
  picture.svg = piecePictureSvg(planned.score, settings, composer);
  return picture;
}

}  // namespace brisolt
