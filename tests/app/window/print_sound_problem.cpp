// Prints why no sound output can be opened in this environment (under the
// SDL_AUDIODRIVER it names), as the window's probe words it, or nothing and
// status 1 when one can be opened: the reason the window check expects the
// status strip to give.
//
//   brisolt-test-sound-problem
#include <iostream>

#include "app/window/sound_output_probe.h"
#include "platform/media/sdl_audio_backend.h"

int main() {
  brisolt::platform::SdlAudioBackend backend;
  const auto problem = brisolt::soundOutputProblem(backend);
  if (!problem) return 1;
  std::cout << *problem << "\n";
  return 0;
}
