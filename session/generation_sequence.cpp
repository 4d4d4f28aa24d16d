// The generation sequence: the one road of every Generate.
#include "session/generation_sequence.h"

#include "app/settings/app_folders.h"
#include "platform/paths.h"

namespace brisolt {
namespace {

// Steps 1 to 3. The room is checked before the archive folder is made, so
// that a refusal leaves no empty folder behind.
GenerationStep checkBeforeClaiming(const GenerationRequest& request, GenerationHost& host) {
  if (!request.planOnly) {
    GenerationStep data = checkSampleData(request.sampleDataPath, request.makeBankCommand);
    if (!data.ok()) return data;
    host.reached(GenerationStage::kSampleDataFound, Session{});
    GenerationStep room = checkRoom({nearestExistingFolder(request.archiveFolder), platform::temporaryFolder()},
                                    request.settings.phraseCount,
                                    [&host](const std::string& folder) { return host.freeBytes(folder); });
    if (!room.ok()) return room;
  }
  return prepareArchiveFolder(request.archiveFolder);
}

}  // namespace

GenerationOutcome runGeneration(compose::Composer& composer, const GenerationRequest& request,
                                GenerationHost& host) {
  GenerationOutcome outcome;
  outcome.step = checkBeforeClaiming(request, host);
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
    outcome.step.message = "rendering failed: a voice or a mix could not be made. Is the sample data file '" +
                           request.sampleDataPath + "' in use by another program (files are not shared), or the "
                           "temporary folder '" + platform::temporaryFolder() + "' or the archive full?";
    host.discard(outcome.session);
  }
  return outcome;
}

}  // namespace brisolt
