// The whole schedule run in plan-only mode, for the score alone.
#include "render/score_plan.h"

#include <filesystem>
#include <system_error>

#include "platform/files/file_system.h"
#include "render/voice_failure.h"
#include "render/voice_schedule.h"

namespace brisolt::render {

ScorePlan planScore(compose::Composer& composer, const std::string& sampleDataPath, const VoiceRenderers& renderers) {
  ScorePlan plan;
  std::error_code error;
  const std::uintmax_t dataBytes = std::filesystem::file_size(sampleDataPath, error);
  if (error || dataBytes == 0) {
    plan.result = ScorePlanResult::kNoSampleData;
    plan.message = "cannot read the sample data file '" + sampleDataPath + "'" +
                   (error ? ": " + error.message() : std::string(": it is empty"));
    return plan;
  }
  EventCollector events;
  events.planOnly(dataBytes);
  for (const ScheduledCall& call : builtinVoiceSchedule().calls) {
    composer.rewindBars();
    const VoiceResult result = renderers.run(call, composer, sampleDataPath, events);
    for (const std::string& path : result.paths) platform::deleteFile(path);  // plan-only: nothing was written
    if (!result.failed() && !result.cancelled()) continue;
    composer.rewindBars();
    plan.message = describeVoiceFailure(lastVoiceFailure(), call.letter);
    return plan;
  }
  composer.rewindBars();
  plan.result = ScorePlanResult::kPlanned;
  plan.score = events.takeScore();
  return plan;
}

}  // namespace brisolt::render
