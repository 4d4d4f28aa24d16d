// The SDL2 audio device behind SdlAudioBackend and its callback.
#include "platform/media/sdl_audio_backend.h"

#include <SDL.h>

#include <cstring>
#include <string>

namespace brisolt::platform {
namespace {

class SdlAudioOutput final : public AudioOutput {
 public:
  explicit SdlAudioOutput(AudioSource& source) : source_(source) {}

  ~SdlAudioOutput() override {
    if (device_ != 0) SDL_CloseAudioDevice(device_);  // waits for the audio thread to end
  }

  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  bool open(const AudioFormat& format, std::string& error) {
    if (format.bitsPerSample != 16) {
      error = "only 16-bit samples can be played, not " + std::to_string(format.bitsPerSample) + "-bit";
      return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = format.sampleRate;
    wanted.format = AUDIO_S16LSB;
    wanted.channels = static_cast<Uint8>(format.channels);
    wanted.samples = SdlAudioBackend::kFrames;
    wanted.callback = &SdlAudioOutput::callback;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) {
      error = std::string("SDL could not open an audio device: ") + SDL_GetError();
      return false;
    }
    return true;
  }

  void start() override {
    SDL_LockAudioDevice(device_);
    running_ = true;
    SDL_UnlockAudioDevice(device_);
    SDL_PauseAudioDevice(device_, 0);
  }

  void halt() override {
    // The callback runs under this lock, so after it the callback is neither
    // running nor going to touch the source.
    SDL_LockAudioDevice(device_);
    if (running_) source_.played(handedOver_);
    handedOver_ = 0;
    running_ = false;
    SDL_UnlockAudioDevice(device_);
    SDL_PauseAudioDevice(device_, 1);
  }

 private:
  static void callback(void* self, Uint8* buffer, int length) {
    static_cast<SdlAudioOutput*>(self)->fill(buffer, static_cast<std::size_t>(length));
  }

  // Audio thread, under the device lock.
  void fill(Uint8* buffer, std::size_t length) {
    std::size_t got = 0;
    if (running_) {
      source_.played(handedOver_);  // the previous buffer has gone to the device
      got = source_.read(buffer, length);
      handedOver_ = got;
    }
    std::memset(buffer + got, 0, length - got);  // silence of signed PCM
  }

  AudioSource& source_;
  SDL_AudioDeviceID device_ = 0;
  bool running_ = false;         // guarded by the device lock
  std::size_t handedOver_ = 0;   // bytes of the last callback, not yet reported played
};

}  // namespace

SdlAudioBackend::~SdlAudioBackend() {
  if (startedAudio_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::unique_ptr<AudioOutput> SdlAudioBackend::open(const AudioFormat& format, AudioSource& source, std::string& error) {
  if (!startedAudio_) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      // SDL's own words ("Audio target 'x' not available"): whoever shows
      // them says already that there is no sound output.
      error = SDL_GetError();
      return nullptr;
    }
    startedAudio_ = true;
  }
  auto output = std::make_unique<SdlAudioOutput>(source);
  if (!output->open(format, error)) return nullptr;
  return output;
}

}  // namespace brisolt::platform
