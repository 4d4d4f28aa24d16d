// The five voice renderers, as named in the voice table and the render
// schedule, and how many voice files one call of each writes.
#pragma once

#include <optional>
#include <string_view>

namespace brisolt::render {

enum class Renderer {
  kMelody,         // renderMelody
  kEnsemble,       // renderEnsembleVoice
  kAccompaniment,  // renderAccompanimentVoice
  kSplit,          // renderSplitVoice
  kPulse,          // renderPulseVoice
};

// "melody", "ensemble", "accompaniment", "split" or "pulse".
std::string_view rendererName(Renderer renderer);
std::optional<Renderer> rendererFromName(std::string_view name);

// The melody and the split voices deal their notes to two files; every other
// renderer writes one.
int filesPerCall(Renderer renderer);

}  // namespace brisolt::render
