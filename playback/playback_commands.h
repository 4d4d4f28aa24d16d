// What the main window's hot spots, keys, timer and media notifications ask of
// playback and of the session archive. The window owns one implementation.
#pragma once

#include "platform/window/window_events.h"

namespace brisolt::playback {

class PlaybackCommands {
 public:
  virtual ~PlaybackCommands() = default;

  // Plays the current session's mix. 0 when playback started, 1 when it did
  // nothing (just after an aborted Generate, or nothing to play).
  virtual int play() = 0;
  // Playing becomes paused and paused becomes playing; otherwise nothing.
  virtual void togglePause() = 0;
  // Jumps a phrase back (-1) or forward (+1). 1 when not playing or paused.
  virtual int seekPhrase(int direction) = 0;
  // Ends playback or, while generating, the generation's file work.
  virtual int stopPlayback() = 0;
  // The 100 ms playback timer.
  virtual void onPlaybackTimer() = 0;
  // The media device's notification for the last "play ... notify".
  virtual void onMediaNotification(platform::MediaNotification flag) = 0;

  // Keeps the session (stopped) or the phrase being heard (playing, paused).
  virtual int saveSession() = 0;
  // Discards the files of an unsaved session.
  virtual void cleanupArchive() = 0;
};

}  // namespace brisolt::playback
