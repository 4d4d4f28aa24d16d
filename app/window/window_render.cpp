// The render of the program's window: the render driver on the program's
// Composer and the program-wide mixer, whose cancel flag Stop sets.
#include "app/window/window_render.h"

namespace brisolt {

RenderCall programRender(compose::Composer& composer, audio::FileMixer& mixer) {
  return [&composer, &mixer](const std::string& sampleDataPath, const std::string& outputPrefix,
                             render::RenderHost& host, render::Score& score) {
    return render::render(composer, mixer, sampleDataPath, outputPrefix, host, score);
  };
}

}  // namespace brisolt
