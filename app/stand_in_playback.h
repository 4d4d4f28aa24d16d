// A small playback for the window until the real one is part of the
// program: it plays the session's mix through the window's media player with
// the elapsed time, the phrase digits and the position bar, pauses, seeks by
// phrase and stops; Save Session keeps the whole session in any mode; the
// archive cleanup deletes the files of an unsaved session.
#pragma once

#include <string>

#include "app/playback_seam.h"

namespace brisolt {

class StandInPlayback final : public playback::PlaybackCommands {
 public:
  explicit StandInPlayback(PlaybackContext context) : c_(std::move(context)) {}

  int play() override;
  void togglePause() override;
  int seekPhrase(int direction) override;
  int stopPlayback() override;
  void onPlaybackTimer() override;
  void onMediaNotification(platform::MediaNotification flag) override;
  int saveSession() override;
  void cleanupArchive() override;

  int shownPhrase() const { return shownPhrase_; }

 private:
  bool playing() const;
  platform::MediaReply send(const std::string& command) { return c_.player.send(command); }
  std::int64_t milliseconds(const std::string& command);

  PlaybackContext c_;
  std::string playFile_;
  int shownSecond_ = -1;
  int shownPhrase_ = -1;
};

}  // namespace brisolt
