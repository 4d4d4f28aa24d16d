// Turns the five composition settings into the 21 planner options that
// Generate passes to the Composer.
#pragma once

#include <string>

#include "app/settings/composition_settings.h"
#include "compose/plan_options.h"

namespace brisolt {

// `outputPrefix` is the archive folder followed by the session prefix. The
// mode letters choose options 4, 7, 11, 12 and 16 from data/generate_options.txt;
// option 17 is true for the even phrase modes (A, C, E, ...). Settings are
// expected within their ranges.
compose::PlanOptions planOptionsFromSettings(const CompositionSettings& settings, const std::string& outputPrefix);

}  // namespace brisolt
