// Dispatch of a scheduled call to its renderer.
#include "render/scheduled_voice.h"

namespace brisolt::render {

std::string renderScheduledCall(compose::Composer& composer, const ScheduledCall& call,
                                const std::string& sampleDataPath, MidiEventCollector& events) {
  switch (call.renderer) {
    case Renderer::Melody: return renderMelody(composer, sampleDataPath);
    case Renderer::Ensemble: return renderEnsembleVoice(composer, sampleDataPath, call.letter, call.step);
    case Renderer::Accompaniment: return renderAccompanimentVoice(composer, sampleDataPath, call.letter, call.step);
    case Renderer::Split: return renderSplitVoice(composer, sampleDataPath, call.letter, events, call.step);
    case Renderer::Pulse: return renderPulseVoice(composer, sampleDataPath, call.letter, events, call.step);
  }
  return {};
}

}  // namespace brisolt::render
