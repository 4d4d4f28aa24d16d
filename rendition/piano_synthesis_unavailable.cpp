// Stands in for the FluidSynth side when the program is built without the
// library: every request is refused with the package to install.
#include "rendition/piano_synthesis.h"

namespace brisolt::rendition {

Synthesis synthesizePiano(const std::vector<RenditionNote>&, double, const std::string&, const SynthesisSink&) {
  return {SynthesisResult::kNoSynthLibrary,
          "this Brisolt was built without the FluidSynth library: install libfluidsynth-dev and build it again", 0};
}

}  // namespace brisolt::rendition
