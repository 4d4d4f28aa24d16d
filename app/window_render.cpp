// The render of the program's window.
//
// The render driver is not built into the program yet, so for now the
// window rehearses: rehearsalRender takes the driver's progress steps and
// writes a silent mix of the piece's length. Once render/render_driver.cpp is
// part of the program, the body becomes
//
//   return [&composer](const std::string& sampleDataPath, const std::string& outputPrefix,
//                      render::RenderHost& host) {
//     return render::render(composer, audio::programFileMixer(), sampleDataPath, outputPrefix, host);
//   };
//
// and brisolt_window_logic links the driver's library.
#include "app/window_render.h"

#include "app/rehearsal_render.h"
#include "audio/file_mixer.h"

namespace brisolt {

RenderCall programRender(compose::Composer& composer) {
  return [&composer](const std::string& sampleDataPath, const std::string& outputPrefix, render::RenderHost& host) {
    static_cast<void>(sampleDataPath);
    return rehearsalRender(composer, audio::programFileMixer(), outputPrefix, host, kRehearsalStepTime);
  };
}

}  // namespace brisolt
