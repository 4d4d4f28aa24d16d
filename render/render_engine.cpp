// Choosing a render engine by name, and what each asks of the temporary folder.
#include "render/render_engine.h"

#include "render/streaming_render.h"

namespace brisolt::render {
namespace {

constexpr std::uint64_t kFileEngineBytesPerPhrase = 459ull * 1024 * 1024;

}  // namespace

std::string_view renderEngineName(RenderEngine engine) {
  return engine == RenderEngine::kFiles ? "files" : "streaming";
}

std::optional<RenderEngine> renderEngineFromName(std::string_view name) {
  if (name == "streaming") return RenderEngine::kStreaming;
  if (name == "files") return RenderEngine::kFiles;
  return std::nullopt;
}

std::uint64_t temporaryBytesNeeded(RenderEngine engine, int phrases) {
  if (engine == RenderEngine::kStreaming || phrases <= 0) return 0;
  return kFileEngineBytesPerPhrase * static_cast<std::uint64_t>(phrases);
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
