// The two ways to render a planned piece, chosen by name: streaming (every
// voice computed in memory, only the final mix written; the default) and
// files (every voice and stem written to the temporary folder and mixed from
// there), with the temporary space each needs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "audio/file_mixer.h"
#include "compose/composer.h"
#include "render/render_driver.h"
#include "render/score.h"
#include "render/voice_renderer_table.h"

namespace brisolt::render {

enum class RenderEngine { kStreaming, kFiles };

inline constexpr RenderEngine kDefaultRenderEngine = RenderEngine::kStreaming;

// "streaming" or "files".
std::string_view renderEngineName(RenderEngine engine);
std::optional<RenderEngine> renderEngineFromName(std::string_view name);

// Files as long as the final mix alive at once in the temporary folder at the
// file engine's peak: the voice files of one group and the stems (measured:
// about 48 MB a phrase at 60 beats a minute).
inline constexpr std::uint64_t kFileEngineFilesAtPeak = 17;

// Bytes of temporary files a piece of `phrases` phrases at `tempo` beats a
// minute needs at the most with `engine`: kFileEngineFilesAtPeak files of the
// mix's length for the file engine, nothing for the streaming engine.
std::uint64_t temporaryBytesNeeded(RenderEngine engine, int phrases, int tempo);

// Renders with `engine`; see render() and renderStreaming() for what each does.
int renderWith(RenderEngine engine, compose::Composer& composer, audio::FileMixer& mixer,
               const std::string& sampleDataPath, const std::string& outputPrefix, RenderHost& host, Score& score,
               const VoiceRenderers& renderers = programVoiceRenderers());

}  // namespace brisolt::render
