// Ctrl-C during `brisolt compose` acts as Stop does in the window: it sets
// the Composer's and the mixer's cancel flags, so the renderers and the mixer
// stop at their next note or block and the driver cleans up.
#pragma once

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "platform/process.h"

namespace brisolt {

// While alive, SIGINT only records itself (the handler touches nothing
// else); the message pump, which the renderers and the mixer call between
// notes and blocks, copies it into the two cancel flags. A second Ctrl-C
// ends the program at once. One at a time; the destructor puts back the
// previous SIGINT handling and an empty pump.
class InterruptCancels {
 public:
  InterruptCancels(compose::Composer& composer, audio::FileMixer& mixer);
  ~InterruptCancels();
  InterruptCancels(const InterruptCancels&) = delete;
  InterruptCancels& operator=(const InterruptCancels&) = delete;

  // Copies a pending Ctrl-C into the cancel flags; true once there was one.
  bool poll();
  bool interrupted() const;

 private:
  platform::InterruptRecorder recorder_;
  compose::Composer& composer_;
  audio::FileMixer& mixer_;
};

}  // namespace brisolt
