// The generation sequence: the one road of every Generate.
#include "session/generation_sequence.h"

#include <cstdlib>

#include "app/settings/app_folders.h"
#include "platform/files/file_system.h"
#include "platform/paths.h"
#include "render/score_json.h"
#include "render/voice_failure.h"
#include "session/plan_options_from_settings.h"
#include "session/unfinished_session.h"

namespace brisolt {
namespace {

RoomFolders roomFolders(const std::string& archiveFolder) {
  RoomFolders folders{nearestExistingFolder(archiveFolder), platform::temporaryFolder()};
  const std::optional<std::uint64_t> archiveSystem = platform::fileSystemId(folders.archive);
  folders.shared = archiveSystem && archiveSystem == platform::fileSystemId(folders.temporary);
  return folders;
}

RoomNeed pieceNeed(const GenerationRequest& request) {
  const compose::PlanOptions options = planOptionsFromSettings(request.settings, std::string());
  return roomNeeded(request.settings.phraseCount, std::atoi(options.tempo.c_str()), request.engine, request.hifi);
}

// Steps 1 to 3. The room is checked before the archive folder is made, so
// that a refusal leaves no empty folder behind.
GenerationStep checkBeforeClaiming(const GenerationRequest& request, GenerationHost& host) {
  std::string notice;
  if (!request.planOnly) {
    GenerationStep data = checkSampleData(request.sampleDataPath, request.makeBankCommand);
    if (!data.ok()) return data;
    host.reached(GenerationStage::kSampleDataFound, Session{});
    GenerationStep room = checkRoom(roomFolders(request.archiveFolder), pieceNeed(request),
                                    [&host](const std::string& folder) { return host.freeBytes(folder); });
    if (!room.ok()) return room;
    notice = room.notice;
  }
  GenerationStep prepared = prepareArchiveFolder(request.archiveFolder);
  prepared.notice = notice;
  return prepared;
}

}  // namespace

GenerationOutcome runGeneration(compose::Composer& composer, const GenerationRequest& request,
                                GenerationHost& host) {
  GenerationOutcome outcome;
  // What runs that were killed left behind goes first: it may be the room
  // this run needs.
  sweepLeftovers(request.archiveFolder);
  outcome.step = checkBeforeClaiming(request, host);
  outcome.notice = outcome.step.notice;
  if (!outcome.step.ok()) return outcome;
  host.reached(GenerationStage::kChecked, outcome.session);

  ClaimStep claim = claimSession(request.archiveFolder, host.now());
  outcome.session = claim.session;
  if (!claim.ok()) {
    outcome.step = claim;
    return outcome;
  }
  // Until the run ends one way or the other, a sweep after a kill can tell
  // this session from a finished one.
  UnfinishedMark mark(outcome.session);
  host.reached(GenerationStage::kSessionClaimed, outcome.session);

  const PlanStep plan = planSession(composer, request.settings, outcome.session, request.sessionId);
  host.reached(GenerationStage::kPlanned, outcome.session);
  if (!plan.ok()) {
    outcome.step = plan;
    mark.lift();
    host.discard(outcome.session);
    return outcome;
  }
  outcome.phraseCount = plan.phraseCount;
  if (request.planOnly) return outcome;

  outcome.rendered = host.render(outcome.session, outcome.score) == render::kRenderDone;
  if (outcome.rendered && !render::writeScoreFile(outcome.score, outcome.session.scoreFile())) {
    outcome.scoreProblem = "cannot write the score '" + outcome.session.scoreFile() +
                           "'; check the archive folder's free space and permissions";
  }
  if (outcome.rendered && request.hifi) {
    outcome.exports = writePieceExports(outcome.score, composer.plan(), outcome.session.outputPrefix(),
                                        request.soundfontPath,
                                        [&host](double done) { return host.renditionProgress(done); });
  }
  if (!outcome.rendered) {
    outcome.step.problem = GenerationProblem::kRenderFailed;
    const std::string& failure = render::lastRenderFailure();
    outcome.step.message = "rendering failed: " + (failure.empty() ? std::string("a voice or the final mix could not be made") : failure);
    mark.lift();
    host.discard(outcome.session);
  }
  return outcome;
}

}  // namespace brisolt
