// The playback of the program's window: playback::WindowPlayback, with the
// phrase excerpt of Save Session cut at the tempo the piece was planned at.
#include "app/window/playback_seam.h"

#include "audio/output_files.h"
#include "playback/window_playback.h"

namespace brisolt {

PlaybackFactory programPlayback() {
  return [](const PlaybackContext& context) -> std::unique_ptr<playback::PlaybackCommands> {
    playback::WindowPlaybackHooks hooks{
        context.compose, context.hideRemainingTime,
        [&composer = context.composer](const std::string& folder, const std::string& prefix, int phrase, int tempo) {
          return audio::writePhraseExcerpt(folder, prefix, phrase, tempo, composer.plan().tempo);
        }};
    return std::make_unique<playback::WindowPlayback>(context.state, context.window, context.player, context.mixer,
                                                      std::move(hooks));
  };
}

}  // namespace brisolt
