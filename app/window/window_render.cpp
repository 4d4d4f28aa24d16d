// The render of the program's window: the default render engine on the
// program's Composer and the program-wide mixer, whose cancel flag Stop sets.
#include "app/window/window_render.h"

#include "render/render_engine.h"

namespace brisolt {

RenderCall programRender(compose::Composer& composer, audio::FileMixer& mixer) {
  return [&composer, &mixer](const std::string& sampleDataPath, const std::string& outputPrefix,
                             render::RenderHost& host, render::Score& score) {
    return render::renderWith(render::kDefaultRenderEngine, composer, mixer, sampleDataPath, outputPrefix, host,
                              score);
  };
}

}  // namespace brisolt
