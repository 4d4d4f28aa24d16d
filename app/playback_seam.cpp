// The playback of the program's window.
//
// Playback and the session archive are not part of the program yet, so the
// window plays through StandInPlayback. Once playback/window_playback.cpp is
// built, the body becomes
//
//   return [](const PlaybackContext& c) -> std::unique_ptr<playback::PlaybackCommands> {
//     return std::make_unique<playback::WindowPlayback>(c.state, c.window, c.player, c.mixer,
//         playback::WindowPlaybackHooks{c.clickAt, c.hideRemainingTime,
//             [&composer = c.composer](const std::string& folder, const std::string& prefix, int n, int tempo) {
//               return audio::writePhraseExcerpt(folder, prefix, n, tempo, composer.plan().tempo); }});
//   };
//
// and brisolt_window_logic links brisolt_playback.
#include "app/playback_seam.h"

#include "app/stand_in_playback.h"

namespace brisolt {

PlaybackFactory programPlayback() {
  return [](const PlaybackContext& context) -> std::unique_ptr<playback::PlaybackCommands> {
    return std::make_unique<StandInPlayback>(context);
  };
}

}  // namespace brisolt
