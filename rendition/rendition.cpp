// Synthesis, mastering and writing, in that order.
#include "rendition/rendition.h"

#include "rendition/piano_synthesis.h"
#include "rendition/soundfont_locator.h"
#include "rendition/wave_writer.h"

namespace brisolt::rendition {
namespace {

RenditionResult resultOf(SynthesisResult result) {
  switch (result) {
    case SynthesisResult::kOk: return RenditionResult::kOk;
    case SynthesisResult::kNoSynthLibrary: return RenditionResult::kNoSynthLibrary;
    case SynthesisResult::kNoSoundfont: return RenditionResult::kNoSoundfont;
    case SynthesisResult::kSoundfontUnusable: return RenditionResult::kSoundfontUnusable;
  }
  return RenditionResult::kSoundfontUnusable;
}

}  // namespace

Rendition renderRendition(const RenditionRequest& request, const std::string& wavePath) {
  Rendition rendition;
  const std::string soundfont = request.soundfontPath.empty() ? findPianoSoundfont() : request.soundfontPath;
  if (soundfont.empty()) {
    rendition.result = RenditionResult::kNoSoundfont;
    rendition.message = std::string("no piano SoundFont found: install the package fluid-soundfont-gm (") +
                        kDefaultPianoSoundfont + ") or set " + kSoundfontVariable + " to a SoundFont file";
    return rendition;
  }
  Synthesis synthesis = synthesizePiano(request.notes, request.lengthSeconds, soundfont);
  if (synthesis.result != SynthesisResult::kOk) {
    rendition.result = resultOf(synthesis.result);
    rendition.message = synthesis.message;
    return rendition;
  }
  rendition.mastering = masterToLoudness(synthesis.audio, request.target);
  if (rendition.mastering.result == MasteringResult::kMeterFailed ||
      rendition.mastering.result == MasteringResult::kLimiterFailed) {
    rendition.result = RenditionResult::kMasteringFailed;
    rendition.message = rendition.mastering.message;
    return rendition;
  }
  const WaveWrite written = writeStereoWave16(synthesis.audio, wavePath);
  if (written.result != WaveWriteResult::kOk) {
    rendition.result = RenditionResult::kCannotWrite;
    rendition.message = written.message;
    return rendition;
  }
  rendition.seconds = static_cast<double>(synthesis.audio.frames()) / kRenditionSampleRate;
  return rendition;
}

}  // namespace brisolt::rendition
