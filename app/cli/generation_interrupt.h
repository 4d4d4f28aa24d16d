// Ctrl-C, kill's TERM, a closed terminal's HUP and the file-size limit's XFSZ
// during `brisolt compose` act as Stop does in the window: they set the
// Composer's and the mixer's cancel flags, so the renderers and the mixer stop
// at their next note or block and the unfinished session is removed; the
// command then ends with 128 + the signal.
#pragma once

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "platform/process/termination_signals.h"

namespace brisolt {

// While alive, the termination signals only record themselves (the handler
// touches nothing else; a second Ctrl-C is recorded like the first); the
// message pump, which the renderers and the mixer call between notes and
// blocks, copies a record into the two cancel flags. One at a time; the
// destructor puts back the previous handling and an empty pump.
class InterruptCancels {
 public:
  InterruptCancels(compose::Composer& composer, audio::FileMixer& mixer);
  ~InterruptCancels();
  InterruptCancels(const InterruptCancels&) = delete;
  InterruptCancels& operator=(const InterruptCancels&) = delete;

  // Copies a pending signal into the cancel flags; true once there was one.
  bool poll();
  // True once a signal came while this was alive.
  bool interrupted() const;
  // The first signal that came; kNone before.
  platform::TerminationSignal signal() const;
  // 128 + that signal's number, as a shell reports a death by it.
  int exitStatus() const;

 private:
  platform::TerminationSignals signals_;
  compose::Composer& composer_;
  audio::FileMixer& mixer_;
};

}  // namespace brisolt
