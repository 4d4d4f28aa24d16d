// The Save Session command: keeps the whole session when nothing is being
// heard, or cuts the phrase being heard out of the mix as a file of its own
// and keeps it with the session's log. A report box says what was kept.
#pragma once

#include <functional>
#include <string>

#include "platform/window/dialog_window.h"
#include "playback/lv_device.h"
#include "playback/session_state.h"

namespace brisolt::playback {

// Writes phrase `phrase` of folder + prefix + "Pelko.wav" as
// folder + prefix + "Pelko_NN.wav" with a header predicted at `tempo`. The
// mix must not be held open while it runs.
using PhraseExcerptWriter =
    std::function<int(const std::string& folder, const std::string& prefix, int phrase, int tempo)>;

// The tempo of every excerpt's header.
inline constexpr int kExcerptTempo = 60;

// Saves as the record button asks. `playFile` is the file the device has
// open; in phrase mode the device is closed while the excerpt is written and
// reopened at the same position, playing again only if it was playing.
// Failures of the device or of the excerpt are not reported. Result 0.
int saveSession(SessionState& state, platform::DialogWindow& window, LvDevice& device, const std::string& playFile,
                const PhraseExcerptWriter& writePhraseExcerpt);

}  // namespace brisolt::playback
