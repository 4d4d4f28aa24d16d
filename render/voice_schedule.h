// The render driver's fixed order of renderer calls, in eight groups, each
// mixed into one stem; loaded from the embedded voice_schedule.txt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "render/renderer_kind.h"

namespace brisolt::render {

struct ScheduledCall {
  int group = 0;  // 1..8, in the order the groups are rendered
  int stem = 0;   // 1..8, the stem the group's files are mixed into
  Renderer renderer = Renderer::kMelody;
  char letter = 0;  // 0 for the melody, which has no voice letter
  int step = 0;     // attenuation step; 0 for the melody, which takes none
};

struct VoiceSchedule {
  std::vector<ScheduledCall> calls;  // in the order the driver makes them

  int groupCount() const { return calls.empty() ? 0 : calls.back().group; }
};

struct VoiceScheduleLoad {
  VoiceSchedule schedule;
  std::string error;  // empty when the text was read whole
};

// Reads rows "group | stem | renderer | voice | step"; '#' lines are
// comments. Groups run 1, 2, 3, ... without gaps and keep one stem each.
VoiceScheduleLoad parseVoiceSchedule(std::string_view text);

// The schedule built into the program, read once. Throws compose::DataTextError,
// naming the line, if the embedded file is malformed.
const VoiceSchedule& builtinVoiceSchedule();

}  // namespace brisolt::render
