// A stand-in for the render driver while it is not part of the program.
#include "app/rehearsal_render.h"

#include <thread>
#include <vector>

#include "audio/sample_bank.h"
#include "audio/wave_format.h"
#include "platform/files/file_system.h"
#include "platform/message_pump.h"

namespace brisolt {
namespace {

constexpr std::chrono::milliseconds kPumpInterval{5};
constexpr std::uint32_t kSilenceBlock = 1 << 20;

bool cancelled(const compose::Composer& composer, const audio::FileMixer& mixer) {
  return composer.cancelRequested || mixer.cancelRequested();
}

// Waits `time`, dispatching the window's messages meanwhile; false when a
// cancel flag was set.
bool pumpFor(std::chrono::milliseconds time, const compose::Composer& composer, const audio::FileMixer& mixer) {
  const auto end = std::chrono::steady_clock::now() + time;
  do {
    platform::pumpOneMessage();
    if (cancelled(composer, mixer)) return false;
    std::this_thread::sleep_for(kPumpInterval);
  } while (std::chrono::steady_clock::now() < end);
  return !cancelled(composer, mixer);
}

bool writeSilentMix(const std::string& path, const compose::Composer& composer, const audio::FileMixer& mixer) {
  audio::SampleBank bank;
  platform::File mix = bank.createWaveFile(path, composer.plan().barCount, composer.plan().tempo);
  if (!mix) return false;
  const std::vector<std::uint8_t> silence(kSilenceBlock, 0);
  std::uint32_t left = audio::predictedDataSize(composer.plan().barCount, composer.plan().tempo);
  while (left > 0) {
    const std::uint32_t block = std::min(left, kSilenceBlock);
    if (mix.write(silence.data(), block) != block) return false;
    left -= block;
    platform::pumpOneMessage();
    if (cancelled(composer, mixer)) return false;
  }
  return true;
}

}  // namespace

int rehearsalRender(compose::Composer& composer, audio::FileMixer& mixer, const std::string& outputPrefix,
                    render::RenderHost& host, std::chrono::milliseconds stepTime) {
  for (int step = 0; step < kRehearsalSteps; ++step) {
    if (!pumpFor(stepTime, composer, mixer)) {
      host.abortGeneration();
      return render::kRenderStopped;
    }
    host.advanceProgress();
    if (step >= kRehearsalFirstEstimateStep) host.showRemainingTime();
  }
  const std::string mix = outputPrefix + "Pelko.wav";
  if (!writeSilentMix(mix, composer, mixer)) {
    platform::deleteFile(mix);
    if (cancelled(composer, mixer)) host.abortGeneration();
    return render::kRenderStopped;
  }
  return render::kRenderDone;
}

}  // namespace brisolt
