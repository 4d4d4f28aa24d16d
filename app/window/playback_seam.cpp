// The playback of the program's window: playback::WindowPlayback, with the
// phrase excerpt of Save Session (of the mix, and of the rendition, the MIDI
// file and the score when the session has them) cut at the tempo the piece
// was planned at.
#include "app/window/playback_seam.h"

#include "audio/output_files.h"
#include "playback/window_playback.h"
#include "session/phrase_exports.h"
#include "session/phrase_score.h"

namespace brisolt {

PlaybackFactory programPlayback() {
  return [](const PlaybackContext& context) -> std::unique_ptr<playback::PlaybackCommands> {
    playback::WindowPlaybackHooks hooks{
        context.compose, context.hideRemainingTime,
        [&composer = context.composer, sessionMidi = context.sessionMidi](
            const std::string& folder, const std::string& prefix, int phrase, int tempo) {
          const int written = audio::writePhraseExcerpt(folder, prefix, phrase, tempo, composer.plan().tempo);
          // A session made with its rendition and MIDI file keeps the same
          // phrase of each.
          writePhraseExports(folder, prefix, phrase, composer.plan().tempo,
                             sessionMidi ? sessionMidi(prefix) : nullptr);
          // And the phrase's notes, so that the keys it plays can be lit again.
          writePhraseScore(folder, prefix, phrase, composer.plan().tempo);
          return written;
        }};
    return std::make_unique<playback::WindowPlayback>(context.state, context.window, context.player, context.mixer,
                                                      std::move(hooks));
  };
}

}  // namespace brisolt
