// Dispatch of a scheduled call to its renderer.
#include "render/voice_renderer_table.h"

#include "render/voice_patterns.h"
#include "render/voice_table.h"

namespace brisolt::render {

VoiceResult VoiceRenderers::run(const ScheduledCall& call, compose::Composer& composer,
                                const std::string& sampleDataPath, EventCollector& events) const {
  switch (call.renderer) {
    case Renderer::kMelody: return melody(composer, sampleDataPath, events);
    case Renderer::kEnsemble: return ensemble(composer, sampleDataPath, call.letter, events, call.step);
    case Renderer::kAccompaniment: return accompaniment(composer, sampleDataPath, call.letter, events, call.step);
    case Renderer::kSplit: return split(composer, sampleDataPath, call.letter, events, call.step);
    case Renderer::kPulse: return pulse(composer, sampleDataPath, call.letter, events, call.step);
  }
  return {};
}

const VoiceRenderers& programVoiceRenderers() {
  static const VoiceRenderers renderers = [] {
    // The tables of data/ the renderers read, loaded now so that a fault in
    // one stops the program when it starts rather than in the middle of a render.
    builtinVoiceTable();
    builtinVoicePatterns();
    builtinVoiceSchedule();
    return VoiceRenderers{renderMelody, renderEnsembleVoice, renderAccompanimentVoice, renderSplitVoice,
                          renderPulseVoice};
  }();
  return renderers;
}

}  // namespace brisolt::render
