// Audio output through an SDL2 audio device, fed from its callback on SDL's
// audio thread.
#pragma once

#include "platform/media/audio_backend.h"

namespace brisolt::platform {

// Starts SDL's audio subsystem at the first open (so the driver named by
// SDL_AUDIODRIVER is chosen then) and stops it again when destroyed if it
// started it. Devices are opened with exactly the requested format and no
// changes allowed, so SDL converts if the hardware differs and the callback
// always sees the file's own bytes.
//
// Position: the bytes handed over in one callback are reported played at the
// next callback, or when the output halts (SDL still sounds what it was
// given), so the position lags the sound by at most one buffer of kFrames.
//
// Every output must be destroyed before the backend.
class SdlAudioBackend final : public AudioBackend {
 public:
  static constexpr int kFrames = 1024;  // frames per callback: 46 ms at 22050 Hz

  SdlAudioBackend() = default;
  ~SdlAudioBackend() override;
  SdlAudioBackend(const SdlAudioBackend&) = delete;
  SdlAudioBackend& operator=(const SdlAudioBackend&) = delete;

  std::unique_ptr<AudioOutput> open(const AudioFormat& format, AudioSource& source, std::string& error) override;

 private:
  bool startedAudio_ = false;
};

}  // namespace brisolt::platform
