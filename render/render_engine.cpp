// Choosing a render engine by name, and what each asks of the temporary folder.
#include "render/render_engine.h"

#include "audio/wave_format.h"
#include "compose/phrase_planner.h"
#include "render/streaming_render.h"

namespace brisolt::render {

std::string_view renderEngineName(RenderEngine engine) {
  return engine == RenderEngine::kFiles ? "files" : "streaming";
}

std::optional<RenderEngine> renderEngineFromName(std::string_view name) {
  if (name == "streaming") return RenderEngine::kStreaming;
  if (name == "files") return RenderEngine::kFiles;
  return std::nullopt;
}

std::uint64_t temporaryBytesNeeded(RenderEngine engine, int phrases, int tempo) {
  if (engine == RenderEngine::kStreaming || phrases <= 0) return 0;
  const std::uint64_t mixBytes =
      audio::kHeaderSize + audio::predictedDataSize(phrases * compose::kBarsPerPhrase, tempo);
  return kFileEngineFilesAtPeak * mixBytes;
}

int renderWith(RenderEngine engine, compose::Composer& composer, audio::FileMixer& mixer,
               const std::string& sampleDataPath, const std::string& outputPrefix, RenderHost& host, Score& score,
               const VoiceRenderers& renderers) {
  if (engine == RenderEngine::kFiles) {
    return render(composer, mixer, sampleDataPath, outputPrefix, host, score, renderers);
  }
  return renderStreaming(composer, mixer, sampleDataPath, outputPrefix, host, score, renderers);
}

}  // namespace brisolt::render
