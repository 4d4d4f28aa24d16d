// Names of the renderers in the data files, and their files per call.
#include "render/renderer_kind.h"

#include <array>
#include <utility>

namespace brisolt::render {
namespace {

constexpr std::array<std::pair<Renderer, std::string_view>, 5> kNames{{
    {Renderer::kMelody, "melody"},
    {Renderer::kEnsemble, "ensemble"},
    {Renderer::kAccompaniment, "accompaniment"},
    {Renderer::kSplit, "split"},
    {Renderer::kPulse, "pulse"},
}};

}  // namespace

std::string_view rendererName(Renderer renderer) {
  for (const auto& [kind, name] : kNames) {
    if (kind == renderer) return name;
  }
  return {};
}

std::optional<Renderer> rendererFromName(std::string_view name) {
  for (const auto& [kind, known] : kNames) {
    if (known == name) return kind;
  }
  return std::nullopt;
}

int filesPerCall(Renderer renderer) {
  return renderer == Renderer::kMelody || renderer == Renderer::kSplit ? 2 : 1;
}

}  // namespace brisolt::render
