// Loader of the render schedule.
#include "render/voice_schedule.h"

#include <algorithm>

#include "embedded/voiceScheduleText.h"
#include "compose/data_text.h"

namespace brisolt::render {
namespace {

constexpr std::string_view kFile = "voice_schedule.txt";
constexpr std::string_view kNone = "-";
constexpr std::size_t kColumns = 5;
constexpr int kStems = 8;
constexpr int kHighestStep = 9;

std::string readCall(std::string_view text, const VoiceSchedule& schedule, ScheduledCall& call) {
  const auto cells = compose::splitFields(text, '|');
  if (cells.size() != kColumns)
    return "row of " + std::to_string(cells.size()) + " columns; expected group | stem | renderer | voice | step";

  const auto group = compose::parseInt(cells[0]);
  const int previous = schedule.groupCount();
  if (!group || *group < 1 || *group < previous || *group > previous + 1)
    return "group \"" + std::string(cells[0]) + "\" must be " + std::to_string(std::max(previous, 1)) +
           (previous > 0 ? " or " + std::to_string(previous + 1) : std::string());
  call.group = *group;

  const auto stem = compose::parseInt(cells[1]);
  if (!stem || *stem < 1 || *stem > kStems)
    return "stem \"" + std::string(cells[1]) + "\" must be a number from 1 to 8";
  if (!schedule.calls.empty() && schedule.calls.back().group == call.group && schedule.calls.back().stem != *stem)
    return "group " + std::to_string(call.group) + " is mixed into stem " +
           std::to_string(schedule.calls.back().stem) + ", not " + std::string(cells[1]);
  call.stem = *stem;

  const auto renderer = rendererFromName(cells[2]);
  if (!renderer)
    return "renderer \"" + std::string(cells[2]) + "\" must be melody, ensemble, accompaniment, split or pulse";
  call.renderer = *renderer;

  if (call.renderer == Renderer::kMelody) {
    if (cells[3] != kNone || cells[4] != kNone) return "the melody call takes no voice and no step; write - for both";
    return {};
  }
  if (cells[3].size() != 1 || cells[3] == kNone)
    return "voice \"" + std::string(cells[3]) + "\" must be one letter or digit";
  call.letter = cells[3].front();
  const auto step = compose::parseInt(cells[4]);
  if (!step || *step < 1 || *step > kHighestStep)
    return "step \"" + std::string(cells[4]) + "\" must be a number from 1 to 9";
  call.step = *step;
  return {};
}

}  // namespace

VoiceScheduleLoad parseVoiceSchedule(std::string_view text) {
  VoiceScheduleLoad load;
  for (const auto& line : compose::numberedLines(text)) {
    if (line.text.empty() || compose::isComment(line.text)) continue;
    ScheduledCall call;
    const std::string error = readCall(line.text, load.schedule, call);
    if (!error.empty()) {
      load.schedule = {};
      load.error = compose::lineError(kFile, line.number, error);
      return load;
    }
    load.schedule.calls.push_back(call);
  }
  return load;
}

const VoiceSchedule& builtinVoiceSchedule() {
  static const VoiceSchedule schedule = [] {
    auto load = parseVoiceSchedule(embedded::voiceScheduleText);
    compose::refuseDataText(load.error);
    return std::move(load.schedule);
  }();
  return schedule;
}

}  // namespace brisolt::render
