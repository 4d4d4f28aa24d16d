// The generation sequence: the one road of every Generate.
#include "session/generation_sequence.h"

#include <cstdlib>

#include "app/settings/app_folders.h"
#include "platform/files/file_system.h"
#include "platform/paths.h"
#include "render/voice_failure.h"
#include "session/plan_options_from_settings.h"

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
  host.reached(GenerationStage::kSessionClaimed, outcome.session);

  const PlanStep plan = planSession(composer, request.settings, outcome.session, request.sessionId);
  host.reached(GenerationStage::kPlanned, outcome.session);
  if (!plan.ok()) {
    outcome.step = plan;
    host.discard(outcome.session);
    return outcome;
  }
  outcome.phraseCount = plan.phraseCount;
  if (request.planOnly) return outcome;

  outcome.rendered = host.render(outcome.session, outcome.score) == render::kRenderDone;
  if (outcome.rendered && request.hifi) {
    outcome.exports =
        writePieceExports(outcome.score, composer.plan(), outcome.session.outputPrefix(), request.soundfontPath);
  }
  if (!outcome.rendered) {
    outcome.step.problem = GenerationProblem::kRenderFailed;
    const std::string& failure = render::lastRenderFailure();
    outcome.step.message = "rendering failed: " + (failure.empty() ? std::string("a voice or the final mix could not be made") : failure);
    host.discard(outcome.session);
  }
  return outcome;
}

}  // namespace brisolt
