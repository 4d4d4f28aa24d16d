// Discarding an unsaved session: the files of the current session in the
// archive folder are deleted, except the phrases the user saved and, once a
// phrase was saved, the session's log.
#pragma once

#include "platform/window/dialog_window.h"
#include "playback/session_state.h"

namespace brisolt::playback {

// Does nothing when there is no session or it was saved whole. Otherwise
// deletes every file of archiveFolder whose name begins with sessionPrefix,
// keeping names with "_Pelko_", "_PelkoL_", "_score_" or "_Piano_" (a saved
// phrase's excerpts of the mix, of the rendition and of the score, and its
// MIDI file) and, while the log-unsaved
// flag is clear, names with "_log.txt". A file that cannot be deleted brings
// up a Retry/Cancel box over `window`: Retry tries again, as often as asked;
// anything else leaves the file and goes on. The flags are left as they are.
void cleanupArchive(const SessionState& state, platform::DialogWindow& window);

}  // namespace brisolt::playback
